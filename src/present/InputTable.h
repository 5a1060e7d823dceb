// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The nine design inputs, each described once: the field of the design
// record it is kept in, the text the calculation reads and the JSON names of
// the number it was read as. The calculation's inputs, the command line's
// JSON and the report's input lines follow this table; the window finds the
// controls of each input by its key (Input) in app/WindowLines.h.
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "calc/Calculate.h"
#include "calc/NamedValues.h"
#include "settings/SettingsRecord.h"

namespace velmora {

// When a number goes out under a JSON name: always, or in one of the modes
// of the wire-size field and the gap field.
enum class InputMode { Always, Metric, Awg, GapGiven, AlGiven };

struct InputName {
  const char* name = nullptr;  // with its unit: "frequency_kHz"
  double InputNumbers::*number = nullptr;
  InputMode mode = InputMode::Always;
};

struct InputLine {
  std::string SettingsRecord::*record;
  std::string ChokeInputs::*text;
  std::array<InputName, 2> names;  // the second may be empty
};

inline constexpr std::size_t kInputCount = 9;
// The inputs by their place in the table: their keys.
enum class Input : std::size_t {
  Inductance,
  NominalCurrent,
  MinimumCurrent,
  SwitchOn,
  SwitchOff,
  Frequency,
  CurrentDensity,
  Wire,
  GapOrAl
};
// The inputs in the window's order.
const std::array<InputLine, kInputCount>& InputLines();

// The nine input texts as they stand and the five choices.
ChokeInputs ChokeInputsOf(const SettingsRecord& record);
// The nine input texts as the run left them (decimal points, the corrected
// nominal current, the wire size taken from the table); the choices and the
// other fields stay.
void TakeCorrectedFields(const ChokeInputs& fields, SettingsRecord& record);

// The numbers a run started from: the inputs as they were read, the core and
// material data the run used. nullptr gives every name without a value.
std::vector<NamedValue> NamedInputs(const ChokeResults* results, const CoreRecord& core,
                                    const MaterialRecord& material);

}  // namespace velmora
