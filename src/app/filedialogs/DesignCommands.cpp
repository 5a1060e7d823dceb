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
#include "textfile/KeyedTextFile.h"
#include "textfile/Limits.h"

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
  dlg.fileName = ProposedDesignName(model_.CurrentCore(), model_.Settings(), model_.Lang());
  dlg.titleText = model_.Lang()[kSaveTitle];
  dlg.labelText = model_.Lang()[kSaveLabel];
  dlg.okCaption = model_.Lang()[kSaveButton];
  dlg.cancelCaption = model_.Lang()[kCancelButton];
  dlg.questionText = model_.Lang()[kOverwriteQuestion];
  dlg.messageCaption = model_.Lang()[kMessageCaption];
  dlg.extension = constants::kDesignExtension;
  if (dlg.DoModal() == ui::IDOK) {
    const std::string name = DesignFileName(dlg.fileName, constants::kDesignExtension);
    // The name is Windows-1251 as typed; on disk file names are UTF-8. The
    // write replaces the file whole or leaves the old one, and a failure is
    // told, not passed over.
    // The converter's request, when the design came from one, follows the
    // design's lines; without one the bytes are those of a plain design.
    std::string bytes = SerializeSettings(model_.SettingsForWriting(), false);
    if (model_.DesignRequest()) bytes += SerializeConverterSection(*model_.DesignRequest());
    if (!model_.WriteFile(Cp1251ToUtf8(name), bytes)) ReportWriteFailure(name);
  }
  SetFocusItem(ids::IDC_CALCULATE);
}

void CVelmoraDlg::OnLoadDesign() {
  COpenFileDlg dlg(host());
  dlg.titleText = model_.Lang()[kOpenTitle];
  dlg.okCaption = model_.Lang()[kOpenButton];
  dlg.cancelCaption = model_.Lang()[kCancelButton];
  if (dlg.DoModal() != ui::IDOK) {
    SetFocusItem(ids::IDC_CALCULATE);
    return;
  }
  // A file that cannot be read changes nothing, and says nothing.
  SettingsRecord loaded = model_.Settings();
  KeyedTextFile file;
  if (!file.Load(Cp1251ToUtf8(dlg.fileName), constants::kMaxSettingsFileBytes)) {
    SetFocusItem(ids::IDC_CALCULATE);
    return;
  }
  ParseSettings(file.Text(), false, loaded);
  model_.SetDesignRequest(ParseConverterSection(file.Text()));
  ReplaceInputs(loaded);  // Ctrl+Z brings back the inputs before; the focus is on Calculate
}

}  // namespace velmora
