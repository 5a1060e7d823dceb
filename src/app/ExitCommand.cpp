// SPDX-License-Identifier: GPL-3.0-or-later
// The Exit button, Escape and the close box: the settings of this run go to
// "Inductor.ini" in the program folder, then the window ends.
#include "app/VelmoraDlg.h"
#include "calc/Constants.h"
#include "textfile/Cp1251.h"

namespace velmora {

void CVelmoraDlg::ExitCommand() {
  UpdateData(true);
  const std::string path = programFolder_ + constants::kSettingsFile;
  // A settings file that cannot be written is told before the window ends,
  // so the user knows the next start will not remember this one.
  if (!WriteFile(path, SerializeSettings(SettingsForWriting(), true)))
    ReportWriteFailure(Utf8ToCp1251(path).value_or(constants::kSettingsFile));
  EndDialog(ui::IDCANCEL);
}

}  // namespace velmora
