// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/InputTable.h"

#include <string_view>

namespace velmora {

namespace {

using S = SettingsRecord;
using C = ChokeInputs;
using N = InputNumbers;
using M = InputMode;

constexpr std::array<InputLine, kInputCount> kLines = {{
    {&S::L, &C::L, {{{"inductance_uH", &N::L}}}},
    {&S::Inom, &C::Inom, {{{"nominalCurrent_A", &N::Inom}}}},
    {&S::Imin, &C::Imin, {{{"minimumCurrent_A", &N::Imin}}}},
    {&S::voltageSwitchOn, &C::voltageSwitchOn, {{{"voltageSwitchOn_V", &N::U1}}}},
    {&S::Udc, &C::Udc, {{{"voltageSwitchOff_V", &N::U2}}}},
    {&S::Fc, &C::Fc, {{{"frequency_kHz", &N::F}}}},
    {&S::j, &C::j, {{{"currentDensity_A_per_mm2", &N::J}}}},
    {&S::wireSize, &C::wireSize, {{{"wireDiameter_mm", &N::wire, M::Metric}, {"wireSize_AWG", &N::wire, M::Awg}}}},
    {&S::gapOrAl,
     &C::gapOrAl,
     {{{"gap_mm", &N::X, M::GapGiven}, {"inductanceFactor_nH_per_turn2", &N::X, M::AlGiven}}}},
}};

constexpr bool At(Input i, std::string_view name) {
  return kLines.at(static_cast<std::size_t>(i)).names[0].name == name;
}
static_assert(At(Input::Inductance, "inductance_uH") && At(Input::MinimumCurrent, "minimumCurrent_A") &&
                  At(Input::Wire, "wireDiameter_mm") && At(Input::GapOrAl, "gap_mm"),
              "enum Input follows the table's order");

bool InMode(InputMode mode, const ChokeResults& r) {
  switch (mode) {
    case InputMode::Always:
      return true;
    case InputMode::Metric:
      return r.fields.wireUnit() == WireUnit::Millimetre;
    case InputMode::Awg:
      return r.fields.wireUnit() == WireUnit::Awg;
    case InputMode::GapGiven:
      return r.fields.gapMode() == GapMode::GapGiven;
    case InputMode::AlGiven:
      return r.fields.gapMode() == GapMode::AlGiven;
  }
  return false;
}

}  // namespace

const std::array<InputLine, kInputCount>& InputLines() { return kLines; }

ChokeInputs ChokeInputsOf(const SettingsRecord& record) {
  ChokeInputs in;
  for (const InputLine& l : kLines) in.*l.text = record.*l.record;
  in.use = record.use;
  in.gapChoice = record.gapChoice;
  in.us_Imin = record.us_Imin;
  in.yes_AWG = record.yes_AWG;
  in.use_D = record.use_D;
  return in;
}

void TakeCorrectedFields(const ChokeInputs& fields, SettingsRecord& record) {
  for (const InputLine& l : kLines) record.*l.record = fields.*l.text;
}

std::vector<NamedValue> NamedInputs(const ChokeResults* results, const CoreRecord& core,
                                    const MaterialRecord& material) {
  const InputNumbers v = results ? results->read : InputNumbers{};
  NamedValues b(results != nullptr);
  for (const InputLine& l : kLines)
    for (const InputName& n : l.names)
      if (n.name) b.Add(n.name, v.*n.number, results && InMode(n.mode, *results));
  b.Add("corePermeability", core.mu);
  b.Add("coreSection_mm2", core.Ae);
  b.Add("coreWindow_mm2", core.An);
  b.Add("corePathLength_mm", core.le);
  b.Add("coreVolume_cm3", core.Ve);
  // The no-data material's permeability is the run's own.
  b.Add("materialPermeability", results && results->noData ? results->mu : material.mu);
  b.Add("materialFluxDensityMax_T", material.Bmax);
  return b.Take();
}

}  // namespace velmora
