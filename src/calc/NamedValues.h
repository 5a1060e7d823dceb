// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The numbers of one calculation under fixed names that carry their units
// ("turns", "inductance_uH", "peakFluxDensity_T", "coreLoss_W", ...), for
// machine-readable output: the command line's JSON, tables of many runs.
// The values are the calculation's own at full precision; the window's label
// texts are formatted from the same numbers and stay as they are.
#include <optional>
#include <utility>
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

// Collects names and values: a value only for a run past its input checks
// (`ran`), where it was computed and is finite.
class NamedValues {
 public:
  explicit NamedValues(bool ran) : ran_(ran) {}
  void Add(const char* name, double value, bool computed = true);
  std::vector<NamedValue> Take() { return std::move(out_); }

 private:
  bool ran_;
  std::vector<NamedValue> out_;
};

// The steps of a run between its inputs and its results (duty cycle,
// volt-seconds, ..., the copper sections). nullptr (no calculation ran)
// gives every name without a value.
void AddNamedSteps(const ChokeResults* results, NamedValues& out);

}  // namespace velmora
