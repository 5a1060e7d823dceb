// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up sequence of the main window: settings, language, materials,
// core database, and a first calculation. A missing language file, material
// list or material data file ends the program here with a message.
#include "app/ControlIds.h"
#include "app/SourceText.h"
#include "app/VelmoraDlg.h"
#include "calc/Constants.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"
#include "textfile/Limits.h"

namespace velmora {

using namespace ids;

// The start-up messages about missing data files are built in: they must be
// readable before (or without) any language file.
bool CVelmoraDlg::OnInitDialog() {
  // The defaults appear in the controls.
  ui::Dialog::OnInitDialog();

  // The picture rectangle is fixed (PictureRect); the loss-density limit:
  lossLimit_ = constants::kLossDensityLimit;

  ReadSettings(options_.settingsFile, true, settings_);
  for (const auto& [key, value] : options_.overrides) SetSettingsField(settings_, key, value);
  cores_.SetCurrentCore(settings_.core);  // kept when no core gets selected
  UpdateData(false);

  if (settings_.lang.empty()) settings_.lang = constants::kDefaultLanguage;
  if (settings_.mater.empty()) settings_.mater = constants::kFallbackMaterial;

  if (!LoadLanguage()) {
    StartUpLanguageMissing();
    return true;
  }
  if (!StartUpMaterials()) return true;

  LoadMaterialWithFallback();
  ApplyMinimumCurrentPair();

  ReadCoreDatabase();
  SelectCoreByName();

  EnableDimensionEdits(false);
  EnableDataEdits(false);
  return true;
}

void CVelmoraDlg::StartUpLanguageMissing() {
  MessageBox("In the folder with the program file is missing " + settings_.lang + ".lng.", "Attention!",
             ui::MbType::Ok);
  settings_.lang = constants::kDefaultLanguage;
  UpdateData(true);
  // The program folder is not known yet: the file goes to the current folder.
  const std::string path = programFolder_ + constants::kSettingsFile;
  if (!WriteFile(path, SerializeSettings(SettingsForWriting(), true))) ReportWriteFailure(path);
  startUpFailed_ = true;
  EndDialog(ui::IDCANCEL);
}

bool CVelmoraDlg::StartUpMaterials() {
  if (!file_.Load(constants::kMaterialListFile, constants::kMaxTextFileBytes)) {
    MessageBox(Cp("В папке с программой отсутствует файл перечня применяемых в программе материалов."), Cp("Внимание!"),
               ui::MbType::Ok);
    startUpFailed_ = true;
    EndDialog(ui::IDCANCEL);
    return false;
  }
  programFolder_ = FolderOf(constants::kMaterialListFile);

  for (const std::string& name : ParseMaterialList(file_.Text())) {
    if (!FileExists(DataFilePath("", Cp1251ToUtf8(name), ".txt"))) {
      MessageBox(Cp("В папке с программой отсутствует файл ") + name + ".txt", Cp("Внимание!"), ui::MbType::Ok);
      startUpFailed_ = true;
      EndDialog(ui::IDCANCEL);
      return false;
    }
    AddString(IDC_COMBO_MATERIAL, name);
  }
  // The no-data material, always the last entry; its text stays when the
  // language changes.
  noDataName_ = lang_[kNoDataMaterialName];
  AddString(IDC_COMBO_MATERIAL, noDataName_);
  return true;
}

}  // namespace velmora
