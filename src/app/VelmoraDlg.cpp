// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's state, its data exchange, the dispatch of every control's
// notification to its handler, and the core picture.
#include "app/VelmoraDlg.h"

#include "app/ControlIds.h"
#include "app/WindowLines.h"
#include "present/InputTable.h"
#include "present/ResultTable.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"

namespace velmora {

using namespace ids;

CVelmoraDlg::CVelmoraDlg(ui::DialogHost& host, VelmoraOptions options)
    : ui::Dialog(MainWindowTemplate(), host), options_(std::move(options)) {
  cores_.SetCurrentCore(settings_.core);
  for (std::size_t i = 0; i < kResultCount; ++i) {
    labels_.Value(i).emplace();
    labels_.Extra(i).emplace();
  }
}

void CVelmoraDlg::DoDataExchange(ui::DataExchange& dx) {
  // Control objects.
  for (int id : {IDC_COMBO_CORE, IDC_COMBO_MATERIAL, IDC_CHECK_ADD_DIMS, IDC_CHECK_ADD_DATA}) dx.Control(id);
  dx.Check(IDC_CHECK_USE_D, settings_.use_D);
  dx.Check(IDC_CHECK_IMIN, settings_.us_Imin);
  for (int id : {IDC_DIM_A, IDC_DIM_B, IDC_DIM_C, IDC_DIM_D, IDC_DIM_H, IDC_DIM_h, IDC_DIM_I, IDC_DATA_AE, IDC_DATA_AN,
                 IDC_DATA_LE, IDC_DATA_VE, IDC_DATA_MU, IDC_EDIT_L, IDC_EDIT_IMIN, IDC_SPIN_WIRE})
    dx.Control(id);

  // Radio groups.
  dx.Radio(IDC_SHAPE_E, cores_.shape);
  dx.Radio(IDC_RADIO_OUTPUT, settings_.use);
  dx.Radio(IDC_RADIO_GAP, settings_.gapChoice);
  dx.Radio(IDC_RADIO_METRIC, settings_.yes_AWG);

  // Texts: dimensions, core data, inputs, results.
  dx.Text(IDC_DIM_A, cores_.dims.A);
  dx.Text(IDC_DIM_B, cores_.dims.B);
  dx.Text(IDC_DIM_C, cores_.dims.C);
  dx.Text(IDC_DIM_D, cores_.dims.D);
  dx.Text(IDC_DIM_H, cores_.dims.H);
  dx.Text(IDC_DIM_h, cores_.dims.h);
  dx.Text(IDC_DIM_I, cores_.dims.I);
  dx.Text(IDC_DATA_AE, cores_.Ae);
  dx.Text(IDC_DATA_AN, cores_.An);
  dx.Text(IDC_DATA_LE, cores_.le);
  dx.Text(IDC_DATA_VE, cores_.Ve);
  dx.Text(IDC_DATA_MU, cores_.mu);
  for (std::size_t i = 0; i < kInputCount; ++i)
    dx.Text(ControlsOf(static_cast<velmora::Input>(i)).value, settings_.*InputLines()[i].record);
  for (std::size_t i = 0; i < kResultCount; ++i) {
    const ResultControls& l = ControlsOf(static_cast<velmora::Result>(i));
    dx.Text(l.value, *labels_.Value(i));
    if (l.extra) dx.Text(l.extra, *labels_.Extra(i));
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
    else if (id == ID_EDIT_UNDO) UndoReplacement();
    else if (id == ID_EDIT_REDO) RedoReplacement();
    else if (IsDesignCommand(id)) OnDesignCommand(id);
    return;  // language commands are handled in OnCmdMsg
  }
  if (code == Notify::Change) {
    if (id == IDC_EDIT_FC) OnFrequencyChanged();
    return;
  }
  if (id == IDC_COMBO_CORE) {
    if (code == Notify::SelChange) ShowSelectedCore();
    else if (code == Notify::EditChange) RestoreCoreSelection();
    return;
  }
  if (id == IDC_COMBO_MATERIAL) {
    if (code == Notify::SelChange) OnMaterialChanged();
    return;
  }
  if (code != Notify::Clicked) return;
  switch (id) {
    case IDC_SHAPE_E:
    case IDC_SHAPE_EI:
    case IDC_SHAPE_ER:
    case IDC_SHAPE_ETD:
    case IDC_SHAPE_R:
    case IDC_SHAPE_OTHER:
      OnShapeChanged();
      break;
    case IDC_RADIO_OUTPUT:
    case IDC_RADIO_OTHER_USE:
      OnUseChanged();
      break;
    case IDC_RADIO_GAP:
    case IDC_RADIO_AL:
      OnGapModeChanged();
      break;
    case IDC_CHECK_IMIN:
      OnMinimumCurrentClicked();
      break;
    case IDC_CHECK_USE_D:
      Calculate();
      break;
    case IDC_RADIO_METRIC:
      OnSwitchToMetric();
      break;
    case IDC_RADIO_AWG:
      OnSwitchToAwg();
      break;
    case IDC_CHECK_ADD_DIMS:
      ToggleAddByDimensions();
      break;
    case IDC_CHECK_ADD_DATA:
      ToggleAddByData();
      break;
    case IDC_LOAD:
      OnLoadDesign();
      break;
    case IDC_SAVE:
      OnSaveDesign();
      break;
    case IDC_ADD_CORE:
      AddCore();
      break;
    case IDC_DELETE_CORE:
      DeleteCore();
      break;
    default:
      ui::Dialog::OnCommand(id, code);  // IDOK -> OnOK, IDCANCEL -> OnCancel
      break;
  }
}

void CVelmoraDlg::OnOK() { Calculate(); }

void CVelmoraDlg::OnCancel() { ExitCommand(); }

void CVelmoraDlg::OnVScroll(int spinId, ui::ScrollCode code) {
  if (spinId == IDC_SPIN_WIRE && code != ui::ScrollCode::EndScroll) OnSpin();
  RefreshResultsCurrent();
}

int CVelmoraDlg::PictureId() const {
  // A photograph per shape, or the dimension drawing while adding by
  // dimensions; ETD shares the ER pictures. The other shape has no drawing,
  // its second photograph shows while adding by data.
  static constexpr int kPictures[kShapeCount][2] = {{IDB_E, IDB_E_DIMS},   {IDB_EI, IDB_EI_DIMS},
                                                    {IDB_ER, IDB_ER_DIMS}, {IDB_ER, IDB_ER_DIMS},
                                                    {IDB_R, IDB_R_DIMS},   {IDB_OTHER, IDB_OTHER_2}};
  const int shape = (cores_.shape >= 0 && cores_.shape < kShapeCount) ? cores_.shape : 0;
  const int check = shape == kShapeOther ? IDC_CHECK_ADD_DATA : IDC_CHECK_ADD_DIMS;
  return kPictures[shape][GetCheck(check) ? 1 : 0];
}

ui::Dialog::Rect CVelmoraDlg::PictureRect() const { return Rect{495, 30, 595, 102}; }

SettingsRecord CVelmoraDlg::SettingsForWriting() const {
  SettingsRecord record = settings_;
  record.core = cores_.CurrentCore();
  return record;
}

int CVelmoraDlg::Message(std::string_view text, ui::MbType type) {
  return MessageBox(text, lang_[kMessageCaption], type);
}

bool CVelmoraDlg::WriteFile(const std::string& path, std::string_view bytes) {
  if (options_.suppressWrites) {
    notWritten_.push_back(path);
    return true;
  }
  return WriteFileAtomic(path, bytes);
}

void CVelmoraDlg::ReportWriteFailure(std::string_view fileName) {
  // Before a language is loaded the table is empty; the report must still
  // say what happened.
  const std::string& start = lang_[kWriteFailed];
  const std::string& caption = lang_[kMessageCaption];
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
