// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Apply" of the converter: its fields put into the main window, which then
// calculates once.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/VelmoraDlg.h"
#include "converter/ConverterFields.h"

namespace velmora {

// Settings keys and their texts, in the order they are set.
using InputChanges = std::vector<std::pair<std::string, std::string>>;

// The main window's inputs that the fields replace: use, L, Inom, Imin (with
// a light load only), voltageSwitchOn, Udc, Fc, and us_Imin turned off (it would
// replace the inductance).
InputChanges ConverterInputChanges(const converter::MainWindowFields& fields);

// Takes the window's texts, replaces those inputs through the window's own
// steps (data exchange, so the frequency rule sees the new frequency; the
// captions of the purpose; the inductance/minimum-current pair) and ends with
// one calculation. Every input a change does not name stays as the window
// holds it. The one place where the converter replaces the window's inputs.
void ReplaceInputs(CVelmoraDlg& dlg, const InputChanges& changes);

// The request as the choke is calculated: a switching frequency above the
// material's loss table held to its last frequency, as the main window's
// frequency field is. The table's last frequency (kHz) when it was held.
std::optional<double> HoldToMaterialTable(converter::ConverterRequest& request, const MaterialRecord& material);

}  // namespace velmora
