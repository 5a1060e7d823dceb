// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One choke design from the window's input texts, the selected core and
// material and the wire table. Pure: it returns numbers, flags and the
// run's messages as identifiers, whose values are the run's own; the texts
// of a language are made from them above (present/).
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/WireTable.h"
#include "data/CoreDatabase.h"
#include "data/MaterialRecord.h"

namespace velmora {

// The window's choices as a run reads them.
enum class Purpose { OutputChoke, OtherUse };
enum class GapMode { GapGiven, AlGiven };  // the gap field holds the gap (mm) or AL (nH/turn2)
enum class WireUnit { Millimetre, Awg };   // the wire-size field
enum class MinimumCurrent { Unused, SetsInductance };

struct ChokeInputs {
  // Texts exactly as typed.
  std::string L, Inom, Imin, voltageSwitchOn, Udc, Fc, j, gapOrAl, wireSize;
  // The choices as the settings file holds them (0 the first, any other
  // number the second choice): the record's numbers pass through unchanged.
  int use = 0;        // 0 output choke, 1 other use
  int gapChoice = 0;  // 0 gap given (mm), 1 AL given (nH/turn2)
  int us_Imin = 0;    // inductance from the minimum current
  int yes_AWG = 0;    // wire-size field in AWG numbers
  int use_D = 0;      // use the desired wire size

  Purpose purpose() const { return use == 0 ? Purpose::OutputChoke : Purpose::OtherUse; }
  GapMode gapMode() const { return gapChoice == 0 ? GapMode::GapGiven : GapMode::AlGiven; }
  WireUnit wireUnit() const { return yes_AWG == 0 ? WireUnit::Millimetre : WireUnit::Awg; }
  MinimumCurrent minimumCurrent() const {
    return us_Imin == 0 ? MinimumCurrent::Unused : MinimumCurrent::SetsInductance;
  }
  bool operator==(const ChokeInputs&) const = default;
};

// The numbers one run reads from the input texts (after "," became ".").
struct InputNumbers {
  double L = 0, Inom = 0, Imin = 0, U1 = 0, U2 = 0, F = 0, J = 0;
  double X = 0;     // gap in mm or AL in nH/turn2, as gapChoice says
  double wire = 0;  // wire-size field: diameter in mm or AWG number
};

struct ChokeContext {
  const CoreRecord& core;
  const MaterialRecord& material;
  const WireTable& wires;
  double lossLimit;  // mW/cm3
  // The text of the no-data entry of the material list, as start-up added it
  // (see IsNoDataMaterial); none when empty.
  std::string_view noDataName = {};
  // Known beforehand by a caller that runs one material and one wire field
  // many times (the adviser): the material's flux amplitude at the loss
  // limit at the run's frequency, and the wire field as read. None: the run
  // works them out; given, they must be what it would work out.
  const double* knownB1 = nullptr;
  const TypedWire* knownWire = nullptr;
};

// The plain input checks' faults (calc/InputChecks.h).
enum class InputFault;

// One message box of a run: which message; its values are the run's.
struct CalcMessage {
  enum class Id {
    InputCheck,  // an input failed its plain check: fault names it
    Ripple,      // the ripple is above twice the nominal current
    WireNotice,  // the typed wire size (typedWire) is not in the table: fields.wireSize taken
    Fill,        // the fill factor is above the limit
    Flux,        // Bpk above the permitted peak flux density
  };
  Id id = Id::InputCheck;
  InputFault fault{};
  bool operator==(const CalcMessage&) const = default;
};

// The messages of a run in the order the window shows them: one that stops
// the run, or up to three (the wire notice, the fill and the flux warnings).
// Held in place: a run allocates nothing for them.
class CalcMessages {
 public:
  static constexpr std::size_t kMost = 3;
  void push_back(CalcMessage m) {
    if (count_ < kMost) items_[count_++] = m;
  }
  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  const CalcMessage& operator[](std::size_t i) const { return items_.at(i); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.begin() + static_cast<std::ptrdiff_t>(count_); }

 private:
  std::array<CalcMessage, kMost> items_{};
  std::size_t count_ = 0;
};

struct ChokeResults {
  // Working values (NaN / inf flow through as computed).
  double D = 0, ton = 0, VS = 0, L = 0, dI = 0, Ipk = 0;
  double mu = 0;  // the material's permeability in the run (10000 for no data)
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
  std::string typedWire;       // the wire-size field as read ("," as "."), for the notice
  std::optional<int> spinPos;  // spin button position set by the wire choice
  CalcMessages messages;

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

// The same run on numbers already read: every working value and flag as
// Calculate gives them, but no message and the input fields left empty. The choices and the wire-size field come from
// inputs, the eight numbers from numbers. For many runs on the same inputs.
ChokeResults CalculateFigures(const ChokeInputs& inputs, const InputNumbers& numbers, const ChokeContext& context);

}  // namespace velmora
