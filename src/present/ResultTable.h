// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results of a calculation, each described once: how its texts are
// made, the JSON names its numbers go out under. The command line's JSON and
// the report's result lines follow this table; the window finds the labels
// of each result by its key (Result) in app/WindowLines.h.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "calc/Calculate.h"
#include "calc/NamedValues.h"
#include "lang/LanguageTable.h"

namespace velmora {

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

inline constexpr std::size_t kResultCount = 14;
// The results by their place in the table: their keys.
enum class Result : std::size_t {
  RequiredGapOrAl,
  Al,
  Mue,
  PeakFlux,
  AcFlux,
  CoreLoss,
  Fill,
  Inductance,
  Turns,
  Wire,
  Wires,
  CurrentDensity,
  PeakCurrent,
  Ripple
};
// The results in the window's order ("Core", then "Inductor").
const std::array<ResultLine, kResultCount>& ResultLines();

// The texts of the result labels: a result's label and its second label by
// the result's place in the table or by its key. A label the run does not
// reach stays unset and keeps the text of the previous run.
class ResultTexts {
 public:
  using Text = std::optional<std::string>;
  Text& Value(std::size_t line) { return texts_.at(2 * line); }
  const Text& Value(std::size_t line) const { return texts_.at(2 * line); }
  Text& Extra(std::size_t line) { return texts_.at(2 * line + 1); }
  const Text& Extra(std::size_t line) const { return texts_.at(2 * line + 1); }
  Text& Value(Result r) { return Value(static_cast<std::size_t>(r)); }
  const Text& Value(Result r) const { return Value(static_cast<std::size_t>(r)); }
  Text& Extra(Result r) { return Extra(static_cast<std::size_t>(r)); }
  const Text& Extra(Result r) const { return Extra(static_cast<std::size_t>(r)); }
  const Text& operator[](Result r) const { return Value(r); }

 private:
  std::array<Text, 2 * kResultCount> texts_;
};

// Every label a run reached, formatted into texts (the others left alone).
void FormatResults(const ChokeResults& results, const ChokeInputs& inputs, const LanguageTable& lang,
                   ResultTexts& texts);

// The results of a run under their JSON names, in the window's order, then
// the steps between (NamedSteps). nullptr (no calculation ran) gives every
// name without a value.
std::vector<NamedValue> NamedResults(const ChokeResults* results);

}  // namespace velmora
