// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/filedialogs/SaveFileDlg.h"

#include <filesystem>
#include <optional>

#include "app/SourceText.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"

namespace velmora {

namespace {

constexpr int kList = 1009;
constexpr int kLabel = 1055;
constexpr int kName = 1012;

// The name of the file that stands where the design would be written
// (Windows-1251), or nothing when the name is free.
std::optional<std::string> ExistingFileFor(const std::string& name) {
  const std::string path = ResolveNameNoCase(Cp1251ToUtf8(name));
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec))) return std::nullopt;
  // The name on disk, which may differ in letter case from the one typed.
  return Utf8ToCp1251(path).value_or(name);
}

}  // namespace

std::string DesignFileName(const std::string& typed, const std::string& extension) {
  return typed.find(extension) == std::string::npos ? typed + extension : typed;
}

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
  // A double-click takes the name in the edit as it stands, after the same
  // question as the OK button.
  if (id == kList && code == ui::Notify::DblClk) {
    OnOK();
    return;
  }
  ui::Dialog::OnCommand(id, code);
}

// The file that will actually be written (the name with the extension the
// Save command adds, looked up as the writer looks it up, letter case
// ignored) is replaced only when the user agrees; Cancel leaves the dialog
// open as it was. An empty name writes nothing and keeps the dialog open.
void CSaveFileDlg::OnOK() {
  UpdateData(true);
  if (fileName.empty()) return;
  if (const auto existing = ExistingFileFor(DesignFileName(fileName, extension))) {
    if (MessageBox(questionText + " " + *existing + " ?", messageCaption, ui::MbType::OkCancel) != ui::IDOK) return;
  }
  EndDialog(ui::IDOK);
}

void CSaveFileDlg::OnActivate(bool active) {
  ui::Dialog::OnActivate(active);
  ResetContent(kList);
  FillList();
}

}  // namespace velmora
