// SPDX-License-Identifier: GPL-3.0-or-later
// The window's form rules: captions that follow the radio choices, the
// minimum-current pair, the shape change, the frequency limit and the
// material change.
#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "calc/Constants.h"
#include "textfile/Cp1251.h"
#include "textfile/Numbers.h"

namespace velmora {

using namespace ids;

// ---- caption switches --------------------------------------------------------
// None of them reads the controls or recalculates: the new choice takes
// effect at the next data exchange.

void CVelmoraDlg::ApplyUseCaptions(int use) {
  const bool other = use == 1;
  SetItemText(IDC_LABEL_U1, lang_[other ? kVoltageOnLabelOtherUse : kVoltageOnLabelOutputChoke]);
  SetItemText(IDC_LABEL_U2, lang_[other ? kVoltageOffLabelOtherUse : kVoltageOffLabelOutputChoke]);
}

void CVelmoraDlg::ApplyGapCaptions(int yesAl) {
  const bool al = yesAl == 1;
  SetItemText(IDC_CAP_REQUIRED, lang_[al ? kRequiredAlCaption : kRequiredGapCaption]);
  SetItemText(IDC_UNIT_REQUIRED, al ? std::string() : lang_[kUnitMillimetre]);
}

void CVelmoraDlg::ApplyWireUnitCaptions(int yesAwg) {
  const bool awg = yesAwg == 1;
  const std::string& mm = lang_[kUnitMillimetre];
  SetItemText(IDC_LABEL_DPROV, lang_[awg ? kWireSizeLabelAwg : kWireSizeLabelMetric]);
  SetItemText(IDC_CAP_WIRE, lang_[awg ? kWireCaptionAwg : kWireCaptionMetric]);
  SetItemText(IDC_UNIT_DPROV_MM, awg ? std::string() : mm);
  SetItemText(IDC_UNIT_DPROV_AWG, awg ? lang_[kUnitAwg] : std::string());
  SetItemText(IDC_UNIT_WIRE, awg ? std::string() : mm);
}

void CVelmoraDlg::ApplyUseCaptions() { ApplyUseCaptions(settings_.use); }
void CVelmoraDlg::ApplyGapCaptions() { ApplyGapCaptions(settings_.gapChoice); }
void CVelmoraDlg::ApplyWireUnitCaptions() { ApplyWireUnitCaptions(settings_.yes_AWG); }

void CVelmoraDlg::ApplyCaptionSwitches() {
  ApplyUseCaptions();
  ApplyGapCaptions();
  ApplyWireUnitCaptions();
}

void CVelmoraDlg::OnUseChanged() { ApplyUseCaptions(GetCheck(IDC_RADIO_OTHER_USE) ? 1 : 0); }

void CVelmoraDlg::OnGapModeChanged() { ApplyGapCaptions(GetCheck(IDC_RADIO_AL) ? 1 : 0); }

// ---- minimum current -----------------------------------------------------------

void CVelmoraDlg::ApplyMinimumCurrentPair() {
  const bool useMin = settings_.us_Imin != 0;
  EnableItem(IDC_EDIT_L, !useMin);
  EnableItem(IDC_EDIT_IMIN, useMin);
}

void CVelmoraDlg::OnMinimumCurrentClicked() {
  UpdateData(true);
  ApplyMinimumCurrentPair();
  Calculate();
}

// ---- shape ---------------------------------------------------------------------

void CVelmoraDlg::OnShapeChanged() {
  UpdateData(true);
  FillCoreList();
  SetCurSel(IDC_COMBO_CORE, cores_.SelectAfterShapeChange(GetCount(IDC_COMBO_CORE)));
  // While adding by dimensions the edits follow the shape's dimensions.
  if (GetCheck(IDC_CHECK_ADD_DIMS)) EnableDimensionEditsForShape();
  ShowSelectedCore();
  InvalidatePicture();
}

// ---- frequency -------------------------------------------------------------------

void CVelmoraDlg::OnFrequencyChanged() {
  UpdateData(true);
  settings_.Fc = CommaToPoint(settings_.Fc);
  // The loss table reaches no further than its last frequency. Before the
  // first material's data (or for a material without a frequency list) there
  // is no limit.
  if (material_.nF > 0) {
    const double last = material_.LastFrequency();
    if (ReadLeadingDouble(settings_.Fc) > last) settings_.Fc = FormatFixed(last, 0);
  }
  UpdateData(false);
}

// ---- material ----------------------------------------------------------------------

bool CVelmoraDlg::LoadMaterialData() {
  return velmora::LoadMaterialData(DataFilePath(programFolder_, Cp1251ToUtf8(settings_.mater), ".txt"), material_);
}

void CVelmoraDlg::LoadMaterialWithFallback() {
  // A file saved with the no-data entry names it in the language of its day.
  if (IsNoDataName(settings_.mater)) {
    settings_.mater = noDataName_;
    SetCurSel(IDC_COMBO_MATERIAL, GetCount(IDC_COMBO_MATERIAL) - 1);
    return;
  }
  if (!LoadMaterialData()) {
    settings_.mater = constants::kFallbackMaterial;
    LoadMaterialData();
  }
  SetCurSel(IDC_COMBO_MATERIAL, FindString(IDC_COMBO_MATERIAL, -1, settings_.mater));
}

void CVelmoraDlg::OnMaterialChanged() {
  UpdateData(true);
  settings_.mater = GetLBText(IDC_COMBO_MATERIAL, GetCurSel(IDC_COMBO_MATERIAL));
  // Unlike start-up there is no fallback: a material without data keeps the
  // data of the one before (the no-data entry has no file at all).
  LoadMaterialData();
  UpdateData(false);
  Calculate();
}

}  // namespace velmora
