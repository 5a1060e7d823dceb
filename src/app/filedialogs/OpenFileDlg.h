// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own open dialog: lists the design files ("*.sav", then
// "*.ini") of the current folder; the chosen name comes back in fileName.
#include <string>

#include "ui/Dialog.h"

namespace velmora {

class COpenFileDlg : public ui::Dialog {
 public:
  explicit COpenFileDlg(ui::DialogHost& host);

  // Set by the caller before DoModal (Windows-1251 texts).
  std::string titleText;
  std::string okCaption;
  std::string cancelCaption;
  // After IDOK: the chosen file name as listed (Windows-1251).
  std::string fileName;

  bool OnInitDialog() override;
  void DoDataExchange(ui::DataExchange& dx) override;
  void OnCommand(int id, ui::Notify code) override;
  void OnOK() override;
  void OnActivate(bool active) override;

 private:
  void FillList();
};

ui::DialogTemplate OpenFileTemplate();  // template 141

}  // namespace velmora
