// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AdviserCommands.h"

#include <algorithm>

#include "app/ControlIds.h"
#include "app/DesignTexts.h"
#include "textfile/Cp1251.h"

namespace velmora {

void ApplyAdvisedDesign(CVelmoraDlg& dlg, const std::string& core, const std::string& material,
                        const std::string& gapText, const std::string& inductanceText, double requiredInductance_uH) {
  if (dlg.IsEnded()) return;
  dlg.BeforeReplacingInputs();  // Ctrl+Z brings back the design before
  dlg.UpdateData(true);
  const ChangeSnapshot before = dlg.SnapshotForNotice();
  SettingsRecord& s = dlg.Settings();
  s.mater = material;
  s.gapChoice = 0;
  s.gapOrAl = gapText;
  if (!inductanceText.empty()) {
    s.L = inductanceText;
    s.us_Imin = 0;
    dlg.SetAdvisedRequirement(requiredInductance_uH, inductanceText);
  }
  s.core = core;  // the core to select
  // One calculation at the end, as a loaded design has: selecting the
  // material and the core by hand would calculate (and warn about) the
  // half-changed design in between.
  dlg.LoadMaterialWithFallback();
  dlg.UpdateData(false);
  dlg.ApplyGapCaptions();
  dlg.ApplyMinimumCurrentPair();  // the inductance field usable again when the option went off
  dlg.SelectCoreByName();         // ends with a calculation
  dlg.InvalidatePicture();
  dlg.SetFocusItem(ids::IDC_CALCULATE);
  if (!dlg.IsEnded()) dlg.SetNotice(dlg.ChangeNotice("noticeAdvised", before));
}

AdvisedRefusal CheckAdvisedDesign(const CVelmoraDlg& dlg, const std::string& core, const std::string& material) {
  const std::vector<std::string> cores = ListCoreNames(dlg.CoreDatabaseText(), ShapeOfName(core));
  if (std::find(cores.begin(), cores.end(), core) == cores.end()) return AdvisedRefusal::kCoreGone;
  std::vector<std::string> materials = dlg.Item(ids::IDC_COMBO_MATERIAL)->items;
  if (!materials.empty()) materials.pop_back();  // the no-data entry, always last
  if (std::find(materials.begin(), materials.end(), material) == materials.end()) return AdvisedRefusal::kMaterialGone;
  MaterialRecord record;
  if (!LoadMaterialData(dlg.ProgramFolder() + Cp1251ToUtf8(material) + ".txt", record) || record.nF < 2 ||
      record.nB < 2)
    return AdvisedRefusal::kMaterialUnreadable;
  return AdvisedRefusal::kNone;
}

std::string AdvisedRefusalText(const LanguageTable& lang, AdvisedRefusal refusal, const std::string& core,
                               const std::string& material) {
  const char* key = refusal == AdvisedRefusal::kCoreGone       ? "adviserCoreGone"
                    : refusal == AdvisedRefusal::kMaterialGone ? "adviserMaterialGone"
                                                               : "adviserMaterialUnreadable";
  if (refusal == AdvisedRefusal::kNone) return {};
  std::string text = DesignText(lang, key);
  const std::size_t at = text.find("%1");
  if (at != std::string::npos) text.replace(at, 2, refusal == AdvisedRefusal::kCoreGone ? core : material);
  return text;
}

}  // namespace velmora
