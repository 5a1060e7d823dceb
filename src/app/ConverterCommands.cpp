// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ConverterCommands.h"

#include "app/ControlIds.h"

namespace velmora {

InputChanges ConverterInputChanges(const converter::MainWindowFields& fields) {
  InputChanges changes = {
      {"use", std::to_string(fields.use)}, {"us_Imin", "0"}, {"L", fields.inductance}, {"Inom", fields.nominalCurrent}};
  if (fields.minimumCurrent) changes.emplace_back("Imin", *fields.minimumCurrent);
  changes.emplace_back("Uimpulsa", fields.voltageOn);
  changes.emplace_back("Udc", fields.voltageOff);
  changes.emplace_back("Fc", fields.frequency);
  return changes;
}

void ReplaceInputs(CVelmoraDlg& dlg, const InputChanges& changes) {
  // What changed, and that the core and gap did not: the next step is the
  // adviser, for the inductance now in the window.
  dlg.ChangeInputs(
      [&changes](Workspace& model) {
        for (const auto& [key, value] : changes) SetSettingsField(model.Settings(), key, value);
      },
      InputsShown::kInputs, "noticeConverter");
}

std::optional<double> HoldToMaterialTable(converter::ConverterRequest& request, const MaterialRecord& material) {
  const double last = material.LastFrequency();
  if (!(last > 0 && request.fsw_kHz > last)) return std::nullopt;
  request.fsw_kHz = last;
  return last;
}

}  // namespace velmora
