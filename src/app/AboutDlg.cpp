// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutDlg.h"

#include "app/SourceText.h"
#include "textfile/Cp1251.h"

namespace velmora {

namespace {

constexpr int kTitle = 1011;
constexpr int kVersionWord = 1091;
constexpr int kContact1 = 1051;
constexpr int kContact2 = 1052;

}  // namespace

// The version number, the release date and the contact block other than line
// 1052 are the template's own texts and stay as they are in every language.
ui::DialogTemplate AboutTemplate() {
  using namespace ui;
  DialogTemplate t;
  t.id = 100;
  t.title = Cp("О программе");
  t.w = 260;
  t.h = 161;
  t.controls = {
      {IDC_STATIC, ControlKind::Picture, "", 12, 12, 21, 20, 0},  // the program's icon
      {kTitle, ControlKind::Static, Cp("Velmora - Программа расчета дросселя"), 40, 14, 208, 10, kCenter},
      {kVersionWord, ControlKind::Static, Cp("Версия"), 40, 32, 98, 8, kRight},
      {IDC_STATIC, ControlKind::Static, "5.2.0.0", 142, 32, 80, 8, 0},
      {IDC_STATIC, ControlKind::Static, "19.11.2013", 40, 46, 208, 8, kCenter},
      {kContact1, ControlKind::Static, "Velmora project", 12, 70, 236, 8, kCenter},
      {kContact2, ControlKind::Static, Cp("Расчет дросселей импульсных источников питания"), 12, 82, 236, 8, kCenter},
      {IDC_STATIC, ControlKind::Static, "Inductor design for switched-mode power supplies", 12, 94, 236, 8, kCenter},
      {IDC_STATIC, ControlKind::Static, "Free software, offered without any warranty", 12, 106, 236, 8, kCenter},
      {IDOK, ControlKind::Button, "OK", 105, 136, 50, 16, kDefault | kGroup},
  };
  return t;
}

CAboutDlg::CAboutDlg(ui::DialogHost& host) : ui::Dialog(AboutTemplate(), host) {}

bool CAboutDlg::OnInitDialog() {
  ui::Dialog::OnInitDialog();
  SetWindowText(caption);
  if (!okCaption.empty()) SetItemText(ui::IDOK, okCaption);
  SetItemText(kTitle, title);
  SetItemText(kVersionWord, versionWord);
  SetItemText(kContact2, contactLine);
  return true;
}

}  // namespace velmora
