// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AdviserCommands.h"

#include <algorithm>

#include "app/ControlIds.h"
#include "app/DesignTexts.h"
#include "textfile/Cp1251.h"

namespace velmora {

void ApplyAdvisedDesign(CVelmoraDlg& dlg, const std::string& core, const std::string& material,
                        const std::string& gapText, const std::string& inductanceText, double requiredInductance_uH) {
  // One calculation at the end, as a loaded design has: selecting the
  // material and the core by hand would calculate (and warn about) the
  // half-changed design in between.
  dlg.ChangeInputs(
      [&](Workspace& model) {
        SettingsRecord& s = model.Settings();
        s.mater = material;
        s.gapChoice = 0;
        s.gapOrAl = gapText;
        if (!inductanceText.empty()) {
          s.L = inductanceText;
          s.us_Imin = 0;
          model.SetAdvisedRequirement(requiredInductance_uH, inductanceText);
        }
        s.core = core;  // the core to select
      },
      InputsShown::kWithCore, "noticeAdvised");
}

AdvisedRefusal CheckAdvisedDesign(const CVelmoraDlg& dlg, const std::string& core, const std::string& material) {
  const std::vector<std::string> cores = ListCoreNames(dlg.Model().CoreDatabaseText(), ShapeOfName(core));
  if (std::find(cores.begin(), cores.end(), core) == cores.end()) return AdvisedRefusal::kCoreGone;
  const std::vector<std::string> materials = dlg.Model().MaterialsWithData();
  if (std::find(materials.begin(), materials.end(), material) == materials.end()) return AdvisedRefusal::kMaterialGone;
  MaterialRecord record;
  if (!LoadMaterialData(dlg.Model().ProgramFolder() + Cp1251ToUtf8(material) + ".txt", record) || record.nF < 2 ||
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
