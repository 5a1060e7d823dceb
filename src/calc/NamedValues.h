// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The numbers of one calculation under fixed names that carry their units
// ("turns", "inductance_uH", "peakFluxDensity_T", "coreLoss_W", ...), for
// machine-readable output: the command line's JSON, tables of many runs.
// The values are the calculation's own at full precision; the window's label
// texts are formatted from the same numbers and stay as they are.
#include <optional>
#include <vector>

#include "calc/Calculate.h"
#include "data/CoreDatabase.h"
#include "data/MaterialRecord.h"

namespace velmora {

struct NamedValue {
  const char* name;
  // Empty when the value is not finite or the run did not compute it: the
  // no-data material has no core loss, a run stopped by the ripple check has
  // no required turns, gap or wire, the gap mode no given AL and the reverse.
  std::optional<double> value;
};

// The results of a run, in the window's order, then the intermediate values.
// nullptr (no calculation ran) gives every name without a value.
std::vector<NamedValue> NamedResults(const ChokeResults* results);

// The numbers a run started from: the inputs as they were read, the core and
// material data the run used. nullptr gives every name without a value.
std::vector<NamedValue> NamedInputs(const ChokeResults* results, const CoreRecord& core,
                                    const MaterialRecord& material);

}  // namespace velmora
