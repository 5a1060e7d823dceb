// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Help window: the help text "ReadMe-<language>.txt" of the current folder.
#include <string>

#include "ui/Dialog.h"

namespace velmora {

class CHelpDlg : public ui::Dialog {
 public:
  explicit CHelpDlg(ui::DialogHost& host);

  // Set by the caller before DoModal (Windows-1251 texts).
  std::string language;        // the "lang" field
  std::string caption;         // MENU s2
  std::string messageCaption;  // OTHERS s8
  std::string missingText;     // OTHERS s9
  std::string okCaption;       // OTHERS s29; empty keeps the template's "OK"

  bool OnInitDialog() override;
  void DoDataExchange(ui::DataExchange& dx) override;

 private:
  std::string text_;
};

ui::DialogTemplate HelpTemplate();  // template 140

}  // namespace velmora
