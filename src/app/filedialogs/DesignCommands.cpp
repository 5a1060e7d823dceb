// SPDX-License-Identifier: GPL-3.0-or-later
// The Load and Save commands of the main window: design files through the
// program's own open and save dialogs.
#include <algorithm>
#include <string>

#include "app/ControlIds.h"
#include "app/ConverterRecord.h"
#include "app/VelmoraDlg.h"
#include "app/filedialogs/OpenFileDlg.h"
#include "app/filedialogs/SaveFileDlg.h"
#include "calc/Constants.h"
#include "settings/SettingsRecord.h"
#include "textfile/Cp1251.h"

namespace velmora {

namespace {

// The name Save proposes: core and material (with "/" turned into "x", so a
// core "E 25/13/7" gives no folder), then the main inputs with their units.
std::string ProposedDesignName(const std::string& core, const SettingsRecord& s, const LanguageTable& lang) {
  std::string name = core + ", " + s.mater + ", ";
  std::replace(name.begin(), name.end(), '/', 'x');
  name += s.gapOrAl + lang[kUnitMillimetre] + ", ";
  name += s.L + "\xB5H, ";  // µ in Windows-1251
  name += s.Fc + "kHz, ";
  name += s.voltageSwitchOn + "V, ";
  name += s.Udc + "V, ";
  name += s.Inom + "A";
  name += ".sav";
  return name;
}

}  // namespace

void CVelmoraDlg::OnSaveDesign() {
  Calculate();  // the window shows the results of what is saved
  UpdateData(true);

  CSaveFileDlg dlg(host());
  dlg.fileName = ProposedDesignName(CurrentCore(), Settings(), Lang());
  dlg.titleText = Lang()[kSaveTitle];
  dlg.labelText = Lang()[kSaveLabel];
  dlg.okCaption = Lang()[kSaveButton];
  dlg.cancelCaption = Lang()[kCancelButton];
  dlg.questionText = Lang()[kOverwriteQuestion];
  dlg.messageCaption = Lang()[kMessageCaption];
  dlg.extension = constants::kDesignExtension;
  if (dlg.DoModal() == ui::IDOK) {
    const std::string name = DesignFileName(dlg.fileName, constants::kDesignExtension);
    // The name is Windows-1251 as typed; on disk file names are UTF-8. The
    // write replaces the file whole or leaves the old one, and a failure is
    // told, not passed over.
    // The converter's request, when the design came from one, follows the
    // design's lines; without one the bytes are those of a plain design.
    std::string bytes = SerializeSettings(SettingsForWriting(), false);
    if (DesignRequest()) bytes += SerializeConverterSection(*DesignRequest());
    if (!WriteFile(Cp1251ToUtf8(name), bytes)) ReportWriteFailure(name);
  }
  SetFocusItem(ids::IDC_CALCULATE);
}

void CVelmoraDlg::OnLoadDesign() {
  COpenFileDlg dlg(host());
  dlg.titleText = Lang()[kOpenTitle];
  dlg.okCaption = Lang()[kOpenButton];
  dlg.cancelCaption = Lang()[kCancelButton];
  if (dlg.DoModal() != ui::IDOK) {
    SetFocusItem(ids::IDC_CALCULATE);
    return;
  }
  // A file that cannot be read changes nothing, and says nothing.
  SettingsRecord loaded = Settings();
  KeyedTextFile file;
  if (!file.Load(Cp1251ToUtf8(dlg.fileName), constants::kMaxSettingsFileBytes)) {
    SetFocusItem(ids::IDC_CALCULATE);
    return;
  }
  ParseSettings(file.Text(), false, loaded);
  SetDesignRequest(ParseConverterSection(file.Text()));
  ReplaceInputs(loaded);  // Ctrl+Z brings back the inputs before; the focus is on Calculate
}

}  // namespace velmora
