#include "app/filedialogs/SaveFileDlg.h"

#include "app/SourceText.h"
#include "textfile/Cp1251.h"

namespace velmora {

namespace {

constexpr int kList = 1009;
constexpr int kLabel = 1055;
constexpr int kName = 1012;

}  // namespace

ui::DialogTemplate SaveFileTemplate() {
  using namespace ui;
  DialogTemplate t;
  t.id = 142;
  t.title = Cp("Сохранить как...");
  t.w = 400;
  t.h = 209;
  t.controls = {
      {kList, ControlKind::ListBox, "", 7, 7, 385, 145, kSorted | kNotify | kVScroll | kGroup},
      {kLabel, ControlKind::Static, Cp("Имя файла для сохранения:"), 20, 160, 160, 8, 0},
      {kName, ControlKind::Edit, "", 7, 170, 386, 12, kAutoHScroll | kGroup},
      {IDOK, ControlKind::Button, Cp("Сохранить"), 100, 186, 50, 16, kDefault | kGroup},
      {IDCANCEL, ControlKind::Button, Cp("Отмена"), 250, 186, 50, 16, 0},
  };
  return t;
}

CSaveFileDlg::CSaveFileDlg(ui::DialogHost& host) : ui::Dialog(SaveFileTemplate(), host) {}

bool CSaveFileDlg::OnInitDialog() {
  ui::Dialog::OnInitDialog();  // the edit takes the proposed name
  SetWindowText(titleText + "...");
  SetItemText(kLabel, labelText + ":");
  SetItemText(ui::IDCANCEL, cancelCaption);
  SetItemText(ui::IDOK, okCaption);
  FillList();
  return true;
}

void CSaveFileDlg::DoDataExchange(ui::DataExchange& dx) {
  dx.Control(kList);
  dx.Text(kName, fileName);
}

void CSaveFileDlg::FillList() { Dir(kList, "*" + extension); }

void CSaveFileDlg::OnCommand(int id, ui::Notify code) {
  // A double-click takes the name in the edit as it stands, without asking.
  if (id == kList && code == ui::Notify::DblClk) {
    UpdateData(true);
    EndDialog(ui::IDOK);
    return;
  }
  ui::Dialog::OnCommand(id, code);
}

// A listed file of exactly that name (letter case counts) is replaced only
// when the user agrees; Cancel leaves the dialog open as it was.
void CSaveFileDlg::OnOK() {
  UpdateData(true);
  const int count = GetCount(kList);
  for (int i = 0; i < count; ++i) {
    const std::string entry = GetLBText(kList, i);
    if (entry != fileName) continue;
    if (MessageBox(questionText + " " + entry + " ?", messageCaption, ui::MbType::OkCancel) == ui::IDOK)
      EndDialog(ui::IDOK);
    return;
  }
  EndDialog(ui::IDOK);
}

void CSaveFileDlg::OnActivate(bool active) {
  ui::Dialog::OnActivate(active);
  ResetContent(kList);
  FillList();
}

}  // namespace velmora
