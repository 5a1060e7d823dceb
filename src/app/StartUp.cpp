// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up sequence of the main window: settings, language, materials,
// core database, and a first calculation. A missing language file, material
// list or material data file ends the program here with a message. And the
// way out: Exit, Escape and the close box write the settings of this run to
// "Inductor.ini" in the program folder, the details' settings (when the
// window keeps them) to "Details.cfg" beside it, then the window ends.
#include "app/ControlIds.h"
#include "app/SourceText.h"
#include "app/VelmoraDlg.h"
#include "calc/Constants.h"
#include "settings/DetailsConfig.h"
#include "textfile/Cp1251.h"

namespace velmora {

using namespace ids;

// The start-up messages about missing data files are built in: they must be
// readable before (or without) any language file.
bool CVelmoraDlg::OnInitDialog() {
  // The defaults appear in the controls.
  ui::Dialog::OnInitDialog();
  std::vector<ShownText> fixed;
  for (const ui::ControlTemplate& c : Template().controls)
    if (c.kind != ui::ControlKind::Edit && !c.text.empty()) fixed.push_back({c.id, GetItemText(c.id)});
  model_.KeepFixedCaptions(std::move(fixed));

  model_.ReadStartSettings();
  UpdateData(false);

  if (!ApplyLanguage()) {
    MessageBox("In the folder with the program file is missing " + model_.Settings().lang + ".lng.", "Attention!",
               ui::MbType::Ok);
    model_.Settings().lang = constants::kDefaultLanguage;
    UpdateData(true);
    // The program folder is not known yet: the file goes to the current folder.
    const std::string path = model_.SettingsPath();
    if (!model_.WriteFile(path, SerializeSettings(model_.SettingsForWriting(), true))) ReportWriteFailure(path);
    model_.SetStartUpFailed();
    EndDialog(ui::IDCANCEL);
    return true;
  }
  if (const std::string missing = model_.ReadMaterialList(); !missing.empty()) {
    MessageBox(missing, Cp("Внимание!"), ui::MbType::Ok);
    model_.SetStartUpFailed();
    EndDialog(ui::IDCANCEL);
    return true;
  }
  for (const std::string& name : model_.MaterialList()) AddString(IDC_COMBO_MATERIAL, name);

  ShowMaterial();
  ApplyMinimumCurrentPair();

  if (model_.ReadCoreDatabase()) ResetContent(IDC_COMBO_CORE);
  else Message(model_.Lang()[kFileNotFound] + " " + constants::kCoreDatabaseFile);
  SelectCoreByName();

  EnableCoreEdits(0, false);
  return true;
}

void CVelmoraDlg::OnCancel() {
  UpdateData(true);
  // A file that cannot be written is told before the window ends, so the
  // user knows the next start will not remember this one.
  for (const std::string& path : model_.WriteOnExit())
    ReportWriteFailure(
        Utf8ToCp1251(path).value_or(path == model_.SettingsPath() ? constants::kSettingsFile : kDetailsConfigFile));
  EndDialog(ui::IDCANCEL);
}

}  // namespace velmora
