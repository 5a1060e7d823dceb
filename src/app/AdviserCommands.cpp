#include "app/AdviserCommands.h"

#include "app/ControlIds.h"

namespace velmora {

void ApplyAdvisedDesign(CVelmoraDlg& dlg, const std::string& core, const std::string& material,
                        const std::string& gapText) {
  if (dlg.IsEnded()) return;
  dlg.BeforeReplacingInputs();  // Ctrl+Z brings back the design before
  dlg.UpdateData(true);
  SettingsRecord& s = dlg.Settings();
  s.mater = material;
  s.yes_al = 0;
  s.zazor = gapText;
  s.core = core;  // the core to select
  // One calculation at the end, as a loaded design has: selecting the
  // material and the core by hand would calculate (and warn about) the
  // half-changed design in between.
  dlg.LoadMaterialWithFallback();
  dlg.UpdateData(false);
  dlg.ApplyGapCaptions();
  dlg.SelectCoreByName();  // ends with a calculation
  dlg.InvalidatePicture();
  dlg.SetFocusItem(ids::IDC_CALCULATE);
}

}  // namespace velmora
