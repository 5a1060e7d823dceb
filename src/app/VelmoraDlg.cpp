// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's state, its data exchange, the dispatch of every control's
// notification to its handler, and the core picture.
#include "app/VelmoraDlg.h"

#include <utility>

#include "app/ControlIds.h"
#include "app/DesignWindows.h"
#include "app/WindowLines.h"
#include "present/InputTable.h"
#include "present/ResultTable.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"

namespace velmora {

using namespace ids;

CVelmoraDlg::CVelmoraDlg(ui::DialogHost& host, VelmoraOptions options)
    : ui::Dialog(MainWindowTemplate(), host), model_(std::move(options)) {}

void CVelmoraDlg::DoDataExchange(ui::DataExchange& dx) {
  SettingsRecord& settings = model_.Settings();
  CoreDatabaseState& cores = model_.Cores();
  // Control objects.
  for (int id : {IDC_COMBO_CORE, IDC_COMBO_MATERIAL, IDC_CHECK_ADD_DIMS, IDC_CHECK_ADD_DATA}) dx.Control(id);
  dx.Check(IDC_CHECK_USE_D, settings.use_D);
  dx.Check(IDC_CHECK_IMIN, settings.us_Imin);
  for (int id : {IDC_DIM_A, IDC_DIM_B, IDC_DIM_C, IDC_DIM_D, IDC_DIM_H, IDC_DIM_h, IDC_DIM_I, IDC_DATA_AE, IDC_DATA_AN,
                 IDC_DATA_LE, IDC_DATA_VE, IDC_DATA_MU, IDC_EDIT_L, IDC_EDIT_IMIN, IDC_SPIN_WIRE})
    dx.Control(id);

  // Radio groups.
  dx.Radio(IDC_SHAPE_E, cores.shape);
  dx.Radio(IDC_RADIO_OUTPUT, settings.use);
  dx.Radio(IDC_RADIO_GAP, settings.gapChoice);
  dx.Radio(IDC_RADIO_METRIC, settings.yes_AWG);

  // Texts: dimensions, core data, inputs, results.
  dx.Text(IDC_DIM_A, cores.dims.A);
  dx.Text(IDC_DIM_B, cores.dims.B);
  dx.Text(IDC_DIM_C, cores.dims.C);
  dx.Text(IDC_DIM_D, cores.dims.D);
  dx.Text(IDC_DIM_H, cores.dims.H);
  dx.Text(IDC_DIM_h, cores.dims.h);
  dx.Text(IDC_DIM_I, cores.dims.I);
  dx.Text(IDC_DATA_AE, cores.Ae);
  dx.Text(IDC_DATA_AN, cores.An);
  dx.Text(IDC_DATA_LE, cores.le);
  dx.Text(IDC_DATA_VE, cores.Ve);
  dx.Text(IDC_DATA_MU, cores.mu);
  for (std::size_t i = 0; i < kInputCount; ++i)
    dx.Text(ControlsOf(static_cast<velmora::Input>(i)).value, settings.*InputLines()[i].record);
  ResultTexts& labels = model_.Labels();
  for (std::size_t i = 0; i < kResultCount; ++i) {
    const ResultControls& l = ControlsOf(static_cast<velmora::Result>(i));
    dx.Text(l.value, *labels.Value(i));
    if (l.extra) dx.Text(l.extra, *labels.Extra(i));
  }
}

void CVelmoraDlg::OnCommand(int id, ui::Notify code) {
  Dispatch(id, code);
  RefreshResultsCurrent();
}

void CVelmoraDlg::Dispatch(int id, ui::Notify code) {
  using ui::Notify;
  if (code == Notify::Menu) {
    if (id == ID_HELP) OnHelp();
    else if (id == ID_APP_ABOUT) OnAbout();
    else if (id == ID_EDIT_UNDO || id == ID_EDIT_REDO) StepReplacement(id == ID_EDIT_UNDO);
    else if (IsDesignCommand(id) && designWindows_) designWindows_->OnDesignCommand(*this, id);
    return;  // language commands are handled in OnCmdMsg
  }
  if (code == Notify::Change) {
    if (id != IDC_EDIT_FC) return;
    UpdateData(true);
    model_.HoldFrequencyToMaterial();
    UpdateData(false);
    return;
  }
  if (id == IDC_COMBO_CORE) {
    if (code == Notify::SelChange) ShowSelectedCore();
    // In an add mode the typed text is the new core's name.
    else if (code == Notify::EditChange && !GetCheck(IDC_CHECK_ADD_DIMS) && !GetCheck(IDC_CHECK_ADD_DATA)) {
      SetCurSel(IDC_COMBO_CORE, model_.Cores().RememberedPosition());
      UpdateData(false);
    }
    return;
  }
  if (id == IDC_COMBO_MATERIAL) {
    if (code != Notify::SelChange) return;
    UpdateData(true);
    // Unlike start-up there is no fallback: a material without data keeps the
    // data of the one before (the no-data entry has no file at all).
    model_.ChooseMaterial(GetLBText(IDC_COMBO_MATERIAL, GetCurSel(IDC_COMBO_MATERIAL)));
    UpdateData(false);
    return Calculate();
  }
  if (code != Notify::Clicked) return;
  static constexpr std::pair<int, void (CVelmoraDlg::*)()> kButtons[] = {{IDC_LOAD, &CVelmoraDlg::OnLoadDesign},
                                                                         {IDC_SAVE, &CVelmoraDlg::OnSaveDesign},
                                                                         {IDC_ADD_CORE, &CVelmoraDlg::AddCore},
                                                                         {IDC_DELETE_CORE, &CVelmoraDlg::DeleteCore}};
  for (const auto& [button, command] : kButtons)
    if (id == button) return (this->*command)();
  if (id >= IDC_SHAPE_E && id < IDC_SHAPE_E + kShapeCount) {
    UpdateData(true);
    FillCoreList();
    SetCurSel(IDC_COMBO_CORE, model_.Cores().SelectAfterShapeChange(GetCount(IDC_COMBO_CORE)));
    // While adding by dimensions the edits follow the shape's dimensions.
    if (GetCheck(IDC_CHECK_ADD_DIMS)) EnableCoreEdits(model_.Cores().DimensionsUsed(), false);
    ShowSelectedCore();
    InvalidatePicture();
    return;
  }
  switch (id) {
    case IDC_RADIO_OUTPUT:
    case IDC_RADIO_OTHER_USE:
    case IDC_RADIO_GAP:
    case IDC_RADIO_AL:
      // The captions follow the click; the choice reaches the inputs at the
      // next data exchange, without a calculation.
      ShowSwitchedCaptions(GetCheck(IDC_RADIO_OTHER_USE) ? 1 : 0, GetCheck(IDC_RADIO_AL) ? 1 : 0,
                           model_.Settings().yes_AWG);
      break;
    case IDC_CHECK_IMIN:
      UpdateData(true);
      ApplyMinimumCurrentPair();
      [[fallthrough]];
    case IDC_CHECK_USE_D:
      Calculate();
      break;
    case IDC_RADIO_METRIC:
    case IDC_RADIO_AWG:
      SwitchWireUnit(id == IDC_RADIO_AWG);
      break;
    case IDC_CHECK_ADD_DIMS:
    case IDC_CHECK_ADD_DATA:
      ToggleAddMode(id == IDC_CHECK_ADD_DIMS);
      break;
    default:
      ui::Dialog::OnCommand(id, code);  // IDOK -> OnOK, IDCANCEL -> OnCancel
      break;
  }
}

void CVelmoraDlg::OnOK() { Calculate(); }

void CVelmoraDlg::OnVScroll(int spinId, ui::ScrollCode code) {
  if (spinId == IDC_SPIN_WIRE && code != ui::ScrollCode::EndScroll && !model_.Wires().entries.empty()) {
    UpdateData(true);
    model_.SpinWireSize(GetSpinPos(IDC_SPIN_WIRE));
    UpdateData(false);
    Calculate();
  }
  RefreshResultsCurrent();
}

int CVelmoraDlg::PictureId() const {
  // A photograph per shape, or the dimension drawing while adding by
  // dimensions; ETD shares the ER pictures. The other shape has no drawing,
  // its second photograph shows while adding by data.
  static constexpr int kPictures[kShapeCount][2] = {{IDB_E, IDB_E_DIMS},   {IDB_EI, IDB_EI_DIMS},
                                                    {IDB_ER, IDB_ER_DIMS}, {IDB_ER, IDB_ER_DIMS},
                                                    {IDB_R, IDB_R_DIMS},   {IDB_OTHER, IDB_OTHER_2}};
  const int shape = model_.Cores().shape;
  const int shown = (shape >= 0 && shape < kShapeCount) ? shape : 0;
  const int check = shown == kShapeOther ? IDC_CHECK_ADD_DATA : IDC_CHECK_ADD_DIMS;
  return kPictures[shown][GetCheck(check) ? 1 : 0];
}

ui::Dialog::Rect CVelmoraDlg::PictureRect() const { return Rect{495, 30, 595, 102}; }

int CVelmoraDlg::Message(std::string_view text, ui::MbType type) {
  return MessageBox(text, model_.Lang()[kMessageCaption], type);
}

void CVelmoraDlg::ReportWriteFailure(std::string_view fileName) {
  // Before a language is loaded the table is empty; the report must still
  // say what happened.
  const std::string& start = model_.Lang()[kWriteFailed];
  const std::string& caption = model_.Lang()[kMessageCaption];
  MessageBox((start.empty() ? std::string("Could not write the file") : start) + " " + std::string(fileName),
             caption.empty() ? std::string("Attention!") : caption, ui::MbType::Ok);
}

bool CVelmoraApp::InitInstance(const std::function<void(CVelmoraDlg&)>& beforeRun) {
  CVelmoraDlg dlg(host_, options_);
  if (beforeRun) beforeRun(dlg);
  dlg.DoModal();
  return false;
}

}  // namespace velmora
