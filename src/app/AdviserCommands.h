// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Use this design" of the core adviser: a core, a material and a gap put
// into the main window, which then calculates.
#include <string>

#include "app/VelmoraDlg.h"

namespace velmora {

// Takes the window's texts, then sets the material, gap mode with the gap
// text and the core (its shape and list entry) the way loading a design file
// does, through the window's own steps, and ends with one calculation. Only
// these four inputs change (and, given an inductance text, the inductance
// field with the minimum-current option off, the adviser's required
// inductance kept as the window's requirement); everything else stays as
// the window holds it. core and material are Windows-1251, as the lists hold them.
void ApplyAdvisedDesign(CVelmoraDlg& dlg, const std::string& core, const std::string& material,
                        const std::string& gapText, const std::string& inductanceText = {},
                        double requiredInductance_uH = 0);

// Why an advised design cannot be put into the window as it stands now: its
// core is no longer in the database, its material no longer in the list, or
// the material's file cannot be read (or holds no loss table).
enum class AdvisedRefusal { kNone, kCoreGone, kMaterialGone, kMaterialUnreadable };
AdvisedRefusal CheckAdvisedDesign(const CVelmoraDlg& dlg, const std::string& core, const std::string& material);
// The refusal's message in the window's language, naming the core or material.
std::string AdvisedRefusalText(const LanguageTable& lang, AdvisedRefusal refusal, const std::string& core,
                               const std::string& material);

}  // namespace velmora
