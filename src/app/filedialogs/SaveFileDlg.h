// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own save dialog: shows the proposed file name, lists the
// design files of the current folder and asks before an existing file is
// replaced.
#include <string>

#include "ui/Dialog.h"

namespace velmora {

class CSaveFileDlg : public ui::Dialog {
 public:
  explicit CSaveFileDlg(ui::DialogHost& host);

  // Set by the caller before DoModal (Windows-1251 texts).
  std::string titleText;
  std::string fileName;  // proposed before, typed name after IDOK
  std::string okCaption;
  std::string cancelCaption;
  std::string extension = ".sav";
  std::string labelText;
  std::string questionText;
  std::string messageCaption;

  bool OnInitDialog() override;
  void DoDataExchange(ui::DataExchange& dx) override;
  void OnCommand(int id, ui::Notify code) override;
  void OnOK() override;
  void OnActivate(bool active) override;

 private:
  void FillList();
};

ui::DialogTemplate SaveFileTemplate();  // template 142

// The name a design is written under: the typed name, with the extension
// appended unless the name holds it anywhere (letter case counts).
std::string DesignFileName(const std::string& typed, const std::string& extension);

}  // namespace velmora
