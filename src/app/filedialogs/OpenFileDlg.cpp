// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/filedialogs/OpenFileDlg.h"

#include "app/SourceText.h"
#include "textfile/Cp1251.h"

namespace velmora {

namespace {

constexpr int kList = 1009;
constexpr int kLabel = 1055;
constexpr int kChosen = 1011;

}  // namespace

ui::DialogTemplate OpenFileTemplate() {
  using namespace ui;
  DialogTemplate t;
  t.id = 141;
  t.title = Cp("Открыть файл...");
  t.w = 400;
  t.h = 210;
  t.controls = {
      {kList, ControlKind::ListBox, "", 7, 7, 385, 145, kSorted | kNotify | kVScroll | kGroup},
      {kLabel, ControlKind::Static, Cp("Открыть файл:"), 20, 160, 120, 8, 0},
      {kChosen, ControlKind::Static, Cp("Статический"), 7, 170, 385, 10, 0},
      {IDOK, ControlKind::Button, Cp("Открыть"), 100, 187, 50, 16, kDefault | kGroup},
      {IDCANCEL, ControlKind::Button, Cp("Отмена"), 250, 187, 50, 16, 0},
  };
  return t;
}

COpenFileDlg::COpenFileDlg(ui::DialogHost& host) : ui::Dialog(OpenFileTemplate(), host) {}

bool COpenFileDlg::OnInitDialog() {
  ui::Dialog::OnInitDialog();  // the static under the list takes the (empty) name
  SetWindowText(titleText + "...");
  SetItemText(kLabel, titleText + ":");
  SetItemText(ui::IDCANCEL, cancelCaption);
  SetItemText(ui::IDOK, okCaption);
  FillList();
  return true;
}

void COpenFileDlg::DoDataExchange(ui::DataExchange& dx) {
  dx.Control(kList);
  dx.Text(kChosen, fileName);
}

// Design files first, then settings files, so "Inductor.ini" can be loaded as
// a design too; the list sorts them.
void COpenFileDlg::FillList() {
  Dir(kList, "*.sav");
  Dir(kList, "*.ini");
}

void COpenFileDlg::OnCommand(int id, ui::Notify code) {
  if (id == kList && code == ui::Notify::SelChange) {
    const int sel = GetCurSel(kList);
    if (sel >= 0) {
      fileName = GetLBText(kList, sel);
      UpdateData(false);
    }
    return;
  }
  if (id == kList && code == ui::Notify::DblClk) {
    OnOK();
    return;
  }
  ui::Dialog::OnCommand(id, code);
}

// Without a selected entry there is nothing to open and the dialog stays.
void COpenFileDlg::OnOK() {
  const int sel = GetCurSel(kList);
  if (sel < 0) return;
  fileName = GetLBText(kList, sel);
  UpdateData(false);   // the static shows the very name ...
  ui::Dialog::OnOK();  // ... that the framework's OK takes back from it
}

// Files created or removed meanwhile show up at every activation; the
// selection goes with the old list.
void COpenFileDlg::OnActivate(bool active) {
  ui::Dialog::OnActivate(active);
  ResetContent(kList);
  FillList();
}

}  // namespace velmora
