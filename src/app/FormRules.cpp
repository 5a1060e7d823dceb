// SPDX-License-Identifier: GPL-3.0-or-later
// The window's form rules: captions that follow the radio choices, the
// minimum-current pair, the material shown in its list, and the wire table
// with the switch between millimetres and AWG.
#include <algorithm>

#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "calc/Constants.h"
#include "textfile/FileIO.h"
#include "textfile/Limits.h"

namespace velmora {

using namespace ids;

// None of the caption switches reads the controls or recalculates: the new
// choice takes effect at the next data exchange.
void CVelmoraDlg::ShowSwitchedCaptions(int use, int gapChoice, int awg) {
  for (const ShownText& t : model_.SwitchedCaptions(use, gapChoice, awg)) SetItemText(t.id, t.text);
}

void CVelmoraDlg::ApplyMinimumCurrentPair() {
  const bool useMin = model_.Settings().us_Imin != 0;
  EnableItem(IDC_EDIT_L, !useMin);
  EnableItem(IDC_EDIT_IMIN, useMin);
}

// The list entry is found by prefix from the top, letter case ignored.
void CVelmoraDlg::ShowMaterial() {
  if (model_.LoadMaterialWithFallback()) SetCurSel(IDC_COMBO_MATERIAL, GetCount(IDC_COMBO_MATERIAL) - 1);
  else SetCurSel(IDC_COMBO_MATERIAL, FindString(IDC_COMBO_MATERIAL, -1, model_.Settings().mater));
}

bool CVelmoraDlg::RebuildWireTable(bool awg) {
  const bool read = model_.ReadWireTable(awg);
  // The file error is told with the file's name and the reason; the table
  // keeps its entries, and the spin button stays inside them.
  if (!read)
    Message(std::string("Cannot read the file ") + constants::kWireFile + ": " +
            ReasonCannotRead(constants::kWireFile, constants::kMaxTextFileBytes));
  else SetSpinBuddy(IDC_SPIN_WIRE, IDC_EDIT_DPROV);
  SetSpinRange(IDC_SPIN_WIRE, 0, std::max(model_.Wires().last(), 0));
  return read;
}

void CVelmoraDlg::SwitchWireUnit(bool toAwg) {
  const bool switched = (model_.Settings().yes_AWG == 1) != toAwg;
  const int shownUse = GetCheck(IDC_RADIO_OTHER_USE) ? 1 : 0, shownGap = GetCheck(IDC_RADIO_AL) ? 1 : 0;
  // Metric: the table is read before anything changes, so a "Wire.txt" that
  // cannot be read leaves the window in AWG mode, radio button included.
  if (!RebuildWireTable(toAwg)) {
    if (switched) SetRadioIndex(IDC_RADIO_METRIC, 1);
    return;
  }
  ShowSwitchedCaptions(shownUse, shownGap, toAwg ? 1 : 0);
  if (!switched) return;
  UpdateData(true);
  if (const std::optional<int> pos = model_.ConvertWireSize(toAwg)) {
    SetSpinPos(IDC_SPIN_WIRE, *pos);
    UpdateData(false);
  }
  // Also with an empty table: the labels leave "AWG" behind with the captions.
  Calculate();
}

}  // namespace velmora
