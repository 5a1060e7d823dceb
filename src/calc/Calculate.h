// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One choke design from the window's input texts, the selected core and
// material and the wire table. Pure: it returns every text the window shows
// and the ordered message boxes; the window only moves them to its controls.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/WireTable.h"
#include "data/CoreDatabase.h"
#include "data/MaterialRecord.h"
#include "lang/LanguageTable.h"

namespace velmora {

struct ChokeInputs {
  // Texts exactly as typed.
  std::string L, Inom, Imin, Uimpulsa, Udc, Fc, j, zazor, dprov;
  int use = 0;      // 0 output choke, 1 other use
  int yes_al = 0;   // 0 gap given (mm), 1 AL given (nH/turn2)
  int us_Imin = 0;  // inductance from the minimum current
  int yes_AWG = 0;  // wire-size field in AWG numbers
  int use_D = 0;    // use the desired wire size
};

// The numbers one run reads from the input texts (after "," became ".").
struct InputNumbers {
  double L = 0, Inom = 0, Imin = 0, U1 = 0, U2 = 0, F = 0, J = 0;
  double X = 0;     // gap in mm or AL in nH/turn2, as yes_al says
  double wire = 0;  // wire-size field: diameter in mm or AWG number
};

struct ChokeContext {
  const CoreRecord& core;
  MaterialRecord& material;  // mu becomes 10000 for the no-data material
  const WireTable& wires;
  const LanguageTable& lang;
  double lossLimit;  // mW/cm3
  // The text of the no-data entry of the material list, as start-up added it
  // (see IsNoDataMaterial); none when empty.
  std::string_view noDataName = {};
};

struct Message {
  std::string text;
  std::string caption;
  bool operator==(const Message&) const = default;
};

// Texts of the result labels; a label the run does not reach stays unset and
// keeps the text of the previous run.
struct ResultTexts {
  std::optional<std::string> limit;     // 1103 "(%s %.3f T)"
  std::optional<std::string> mue;       // 1056 "%.1f"
  std::optional<std::string> al;        // 1051 "%.1f" nH/turn2
  std::optional<std::string> turns;     // 1050 "%.0f"
  std::optional<std::string> Bpk;       // 1052 "%.3f"
  std::optional<std::string> Bac;       // 1071 "%.3f"
  std::optional<std::string> Ipk;       // 1132 "%.3f"
  std::optional<std::string> dI;        // 1148 "%.3f"
  std::optional<std::string> Lact;      // 1049 "%.3f"
  std::optional<std::string> LactUnit;  // 1104 OTHERS s14 / s15
  std::optional<std::string> coreLoss;  // 1105 "%.3f" (emptied first)
  std::optional<std::string> required;  // 1040 gap "%.3f" or AL "%.0f"
  std::optional<std::string> wire;      // 1076 diameter or "AWG %i"
  std::optional<std::string> wires;     // 1113 "%.0f"
  std::optional<std::string> Jact;      // 1008 "%.3f"
  std::optional<std::string> fill;      // 1002 "%.3f"
};

struct ChokeResults {
  // Working values (NaN / inf flow through as computed).
  double D = 0, ton = 0, VS = 0, L = 0, dI = 0, Ipk = 0;
  double Bm = 0, g0 = 0, B1 = 0, Ffr = 1, R = 0, mue = 0, AL = 0;
  double N = 0, Lact = 0, Bpk = 0, Bac = 0, Pv = 0, Pcore = 0;
  double N2 = 0, Lreq = 0, ALreq = 0, greq = 0;
  double Irms = 0, Scu = 0, d = 0, S1 = 0, n = 0, Stot = 0, Jact = 0, k = 0;
  int wireIndex = -1;
  bool noData = false;               // the no-data material was selected
  bool stoppedByRipple = false;      // 2 * Inom below the ripple: the run ended at the check
  bool stoppedByInputCheck = false;  // an input failed its plain check: nothing was computed
  bool wireNotice = false;           // the desired wire size is not in the table
  bool overfilled = false;           // fill factor above the limit (warning)
  bool fluxAbovePermitted = false;   // Bpk above the permitted peak flux density (warning)

  InputNumbers read;  // what the input texts were read as

  // The input texts after the run: "," turned into "." in the eight inputs,
  // the corrected nominal current, the rewritten wire-size field.
  ChokeInputs fields;
  ResultTexts texts;
  std::optional<int> spinPos;     // spin button position set by the wire choice
  std::vector<Message> messages;  // in the order the window shows them

  // The run ended before the wire was chosen (at the input checks or at the
  // ripple check).
  bool Stopped() const { return stoppedByRipple || stoppedByInputCheck; }
};

// The numbers as a run reads them from the texts: "," becomes "." and the
// leading number is taken.
InputNumbers ReadInputNumbers(const ChokeInputs& inputs);

// The no-data material: the material list's no-data entry, named
// noDataName, and any name that contains that text (a stored file may rely
// on it). An empty noDataName is contained in no other name.
bool IsNoDataMaterial(std::string_view materialName, std::string_view noDataName);

ChokeResults Calculate(const ChokeInputs& inputs, const ChokeContext& context);

// The gap formula of Calculate: a gap X (mm) in the core, with the material's
// permeability and the core's own gap g0 (mm), gives the fringing factor,
// the reluctance as an air length R (mm), mue and AL (uH/turn2).
struct GapFigures {
  double Ffr = 1, R = 0, mue = 0, AL = 0;
};
GapFigures FiguresOfGap(double X, const CoreRecord& core, double materialMu, double g0);

// The same run on numbers already read, without any text: every working value
// and flag as Calculate gives them, but no label text, no message and the
// input fields left empty. The choices and the wire-size field come from
// inputs, the eight numbers from numbers. For many runs on the same inputs.
ChokeResults CalculateFigures(const ChokeInputs& inputs, const InputNumbers& numbers, const ChokeContext& context);

}  // namespace velmora
