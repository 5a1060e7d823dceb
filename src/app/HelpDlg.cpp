// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HelpDlg.h"

#include "app/SourceText.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"
#include "textfile/KeyedTextFile.h"

namespace velmora {

namespace {

constexpr int kText = 1014;

}  // namespace

ui::DialogTemplate HelpTemplate() {
  using namespace ui;
  DialogTemplate t;
  t.id = 140;
  t.title = Cp("Помощь");
  t.w = 400;
  t.h = 275;
  t.controls = {
      {kText, ControlKind::Edit, "", 7, 7, 386, 240, kMultiline | kReadOnly | kVScroll | kGroup},
      {IDOK, ControlKind::Button, Cp("ОК"), 175, 253, 50, 16, kDefault | kGroup},
  };
  return t;
}

CHelpDlg::CHelpDlg(ui::DialogHost& host) : ui::Dialog(HelpTemplate(), host) {}

void CHelpDlg::DoDataExchange(ui::DataExchange& dx) { dx.Control(kText); }

// The help text of the current language, read anew at every opening and shown
// as it stands (CR LF line ends, Windows-1251), whatever its length, up to the
// first zero byte.
bool CHelpDlg::OnInitDialog() {
  ui::Dialog::OnInitDialog();
  SetWindowText(caption);
  if (!okCaption.empty()) SetItemText(ui::IDOK, okCaption);
  const std::string fileName = "ReadMe-" + language + ".txt";
  const auto bytes = ReadWholeFile(DataFilePath("", Cp1251ToUtf8(fileName), ""),
                                   constants::kMaxTextFileBytes);  // names on disk are UTF-8
  if (!bytes) {
    MessageBox(missingText + " " + fileName, messageCaption, ui::MbType::Ok);
    EndDialog(ui::IDCANCEL);
    return true;
  }
  text_ = std::string(UpToFirstZero(*bytes));
  SetItemText(kText, text_);
  return true;
}

}  // namespace velmora
