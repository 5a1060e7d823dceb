// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About window: title, version word with the version number, release date
// and the maker's contact block.
#include <string>

#include "ui/Dialog.h"

namespace velmora {

class CAboutDlg : public ui::Dialog {
 public:
  explicit CAboutDlg(ui::DialogHost& host);

  // Set by the caller before DoModal (Windows-1251 texts).
  std::string caption;      // MENU s1
  std::string title;        // TITLE title
  std::string versionWord;  // TITLE version
  std::string contactLine;  // ABOUT s2
  std::string okCaption;    // OTHERS s29; empty keeps the template's "OK"

  bool OnInitDialog() override;
};

ui::DialogTemplate AboutTemplate();  // template 100

}  // namespace velmora
