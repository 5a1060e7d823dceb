// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results of a calculation, each described once: the labels the window
// shows it in, how its text is made, the JSON names its numbers go out
// under. The window's labels, their data exchange, the command line's table
// and JSON and the report's result lines all follow this table.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "calc/Calculate.h"
#include "calc/NamedValues.h"
#include "lang/LanguageTable.h"

namespace velmora {

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
using ResultText = std::optional<std::string> ResultTexts::*;

// How far a run must get before a result has a value: past the input
// checks (the operating point), past the ripple check (the required gap or
// AL), or to the wire choice, whose labels change only after its notice.
enum class ResultStage { OperatingPoint, Winding, WireChoice };

// When a number goes out under its JSON name (besides being finite).
enum class NamedWhen { Always, Winding, WindingGapMode, WindingAwg, WithLossData };

struct ResultName {
  const char* name = nullptr;  // with its unit: "peakFluxDensity_T"
  double (*value)(const ChokeResults&) = nullptr;
  NamedWhen when = NamedWhen::Always;
};

// Makes one label's text from a run.
using ResultFormat = std::string (*)(const ChokeResults&, const ChokeInputs&, const LanguageTable&);

struct ResultLine {
  int caption, value, unit;  // control IDs; unit: 0 for none, kUnitTesla/kUnitAmpere inside the caption
  int extra;                 // the second label's control ID; 0 for none
  ResultText valueText, extraText;
  ResultStage stage;
  ResultFormat format;
  // The text of the second label (the permitted flux density beside the
  // peak flux density, the inductance's unit); nullptr for none.
  ResultFormat extraFormat;
  std::array<ResultName, 2> names;  // the second may be empty
  // The labels' place in the command line's JSON "labels" object, which
  // keeps the order earlier versions wrote.
  int labelsOrder;
};

// A unit below zero is one the window shows inside its caption ("Peak flux
// density, T"), not in a label of its own.
inline constexpr int kUnitTesla = -1;   // "T"
inline constexpr int kUnitAmpere = -2;  // "A"
// The text of a unit below zero; empty for 0 and for a unit label's ID.
constexpr const char* FixedUnitText(int unit) { return unit == kUnitTesla ? "T" : unit == kUnitAmpere ? "A" : ""; }

inline constexpr std::size_t kResultCount = 14;
// The results in the window's order ("Core", then "Inductor").
const std::array<ResultLine, kResultCount>& ResultLines();

// Every label a run reached, formatted into texts (the others left alone).
void FormatResults(const ChokeResults& results, const ChokeInputs& inputs, const LanguageTable& lang,
                   ResultTexts& texts);

// The results of a run under their JSON names, in the window's order, then
// the steps between (NamedSteps). nullptr (no calculation ran) gives every
// name without a value.
std::vector<NamedValue> NamedResults(const ChokeResults* results);

}  // namespace velmora
