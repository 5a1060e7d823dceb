// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CalcInputs.h"

namespace velmora {

namespace {

// The texts the run reads and may rewrite, in both records.
struct TextField {
  std::string SettingsRecord::*record;
  std::string ChokeInputs::*inputs;
};
constexpr TextField kTexts[] = {
    {&SettingsRecord::L, &ChokeInputs::L},        {&SettingsRecord::Inom, &ChokeInputs::Inom},
    {&SettingsRecord::Imin, &ChokeInputs::Imin},  {&SettingsRecord::Uimpulsa, &ChokeInputs::Uimpulsa},
    {&SettingsRecord::Udc, &ChokeInputs::Udc},    {&SettingsRecord::Fc, &ChokeInputs::Fc},
    {&SettingsRecord::j, &ChokeInputs::j},        {&SettingsRecord::zazor, &ChokeInputs::zazor},
    {&SettingsRecord::dprov, &ChokeInputs::dprov}};

}  // namespace

ChokeInputs ChokeInputsOf(const SettingsRecord& record) {
  ChokeInputs in;
  for (const TextField& f : kTexts) in.*f.inputs = record.*f.record;
  in.use = record.use;
  in.yes_al = record.yes_al;
  in.us_Imin = record.us_Imin;
  in.yes_AWG = record.yes_AWG;
  in.use_D = record.use_D;
  return in;
}

void TakeCorrectedFields(const ChokeInputs& fields, SettingsRecord& record) {
  for (const TextField& f : kTexts) record.*f.record = fields.*f.inputs;
}

}  // namespace velmora
