// SPDX-License-Identifier: GPL-3.0-or-later
// The Exit button, Escape and the close box: the settings of this run go to
// "Inductor.ini" in the program folder, the details' settings (when the
// window keeps them) to "Details.cfg" beside it, then the window ends.
#include "app/VelmoraDlg.h"
#include "calc/Constants.h"
#include "settings/DetailsConfig.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"
#include "textfile/Limits.h"

namespace velmora {

void CVelmoraDlg::ExitCommand() {
  UpdateData(true);
  const std::string path = programFolder_ + constants::kSettingsFile;
  // A settings file that cannot be written is told before the window ends,
  // so the user knows the next start will not remember this one.
  if (!WriteFile(path, SerializeSettings(SettingsForWriting(), true)))
    ReportWriteFailure(Utf8ToCp1251(path).value_or(constants::kSettingsFile));
  if (detailsConfig_) {
    // A file that holds these very bytes stays as it is: the write is
    // flushed to disk, which took most of the window's close.
    const std::string details = programFolder_ + kDetailsConfigFile;
    const std::string bytes = SerializeDetailsConfig(*detailsConfig_);
    if (ReadWholeFile(details, constants::kMaxSettingsFileBytes) != bytes && !WriteFile(details, bytes))
      ReportWriteFailure(Utf8ToCp1251(details).value_or(kDetailsConfigFile));
  }
  EndDialog(ui::IDCANCEL);
}

}  // namespace velmora
