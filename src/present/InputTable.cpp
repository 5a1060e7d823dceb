// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/InputTable.h"

#include "present/ControlIds.h"
#include "present/ResultTable.h"

namespace velmora {

namespace {

using namespace ids;
using S = SettingsRecord;
using C = ChokeInputs;
using N = InputNumbers;
using M = InputMode;

constexpr std::array<InputLine, kInputCount> kLines = {{
    {&S::L, &C::L, IDC_LABEL_L, IDC_EDIT_L, IDC_UNIT_L, 0, 0, {{{"inductance_uH", &N::L}}}},
    {&S::Inom, &C::Inom, IDC_LABEL_INOM, IDC_EDIT_INOM, kUnitAmpere, 0, 0, {{{"nominalCurrent_A", &N::Inom}}}},
    {&S::Imin, &C::Imin, IDC_LABEL_IMIN, IDC_EDIT_IMIN, kUnitAmpere, 0, 0, {{{"minimumCurrent_A", &N::Imin}}}},
    {&S::voltageSwitchOn,
     &C::voltageSwitchOn,
     IDC_LABEL_U1,
     IDC_EDIT_U1,
     IDC_UNIT_U1,
     0,
     0,
     {{{"voltageSwitchOn_V", &N::U1}}}},
    {&S::Udc, &C::Udc, IDC_LABEL_U2, IDC_EDIT_U2, IDC_UNIT_U2, 0, 0, {{{"voltageSwitchOff_V", &N::U2}}}},
    {&S::Fc, &C::Fc, IDC_LABEL_FC, IDC_EDIT_FC, IDC_UNIT_FC, 0, 0, {{{"frequency_kHz", &N::F}}}},
    {&S::j, &C::j, IDC_LABEL_J, IDC_EDIT_J, IDC_UNIT_J, 0, 0, {{{"currentDensity_A_per_mm2", &N::J}}}},
    {&S::wireSize,
     &C::wireSize,
     IDC_LABEL_DPROV,
     IDC_EDIT_DPROV,
     IDC_UNIT_DPROV_MM,
     0,
     IDC_UNIT_DPROV_AWG,
     {{{"wireDiameter_mm", &N::wire, M::Metric}, {"wireSize_AWG", &N::wire, M::Awg}}}},
    {&S::gapOrAl,
     &C::gapOrAl,
     IDC_RADIO_GAP,
     IDC_EDIT_ZAZOR,
     0,
     IDC_RADIO_AL,
     0,
     {{{"gap_mm", &N::X, M::GapGiven}, {"inductanceFactor_nH_per_turn2", &N::X, M::AlGiven}}}},
}};

constexpr bool At(Input i, int valueId) { return kLines.at(static_cast<std::size_t>(i)).value == valueId; }
static_assert(At(Input::Inductance, IDC_EDIT_L) && At(Input::MinimumCurrent, IDC_EDIT_IMIN) &&
                  At(Input::Wire, IDC_EDIT_DPROV) && At(Input::GapOrAl, IDC_EDIT_ZAZOR),
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
