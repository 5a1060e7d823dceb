// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Session.h"

#include <filesystem>
#include <iostream>

#include "app/ConverterCommands.h"
#include "app/ScriptedActions.h"
#include "app/WorkingFolder.h"
#include "present/ControlIds.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"
#include "textfile/Limits.h"

namespace velmora::cli {

namespace {

OpenResult Usage(std::string error) { return {OpenResult::kUsage, std::move(error)}; }

// A settings file that is there but refused (larger than its limit, no
// regular file) is named with the reason; its defaults stand in, as for a
// missing file.
void TellRefused(const std::string& name, const ReadStatus& status) {
  if (status.failure == ReadFailure::TooLarge || status.failure == ReadFailure::NotRegularFile)
    std::cerr << "velmora-cli: " << name << ": " << status.Reason() << "; the defaults are used\n";
}

// The index of the material list's entry of that name (letter case ignored
// when no entry matches exactly), or -1.
int FindMaterial(const CVelmoraDlg& dlg, const std::string& name) {
  const int count = dlg.GetCount(ids::IDC_COMBO_MATERIAL);
  for (int i = 0; i < count; ++i)
    if (dlg.GetLBText(ids::IDC_COMBO_MATERIAL, i) == name) return i;
  for (int i = 0; i < count; ++i)
    if (ui::CompareNoCase(dlg.GetLBText(ids::IDC_COMBO_MATERIAL, i), name) == 0) return i;
  return -1;
}

// The inputs the converter's design replaces, but those a --set names: the
// user's --set wins.
InputChanges ConverterChanges(const CliArgs& args, const converter::ConverterDesign& design) {
  InputChanges changes;
  for (auto& change : ConverterInputChanges(converter::FieldsFor(args.converter.request, design))) {
    bool set = false;
    for (const auto& given : args.sets) set = set || given.first == change.first;
    if (!set) changes.push_back(std::move(change));
  }
  return changes;
}

}  // namespace

OpenResult OpenWindow(const CliArgs& args, const WorkingFolderEnv& env, Session& session) {
  VelmoraOptions options;
  options.suppressWrites = true;
  if (args.designFile) {
    // Named from where the command was given, before the working folder is entered.
    std::error_code ec;
    const std::string path = std::filesystem::absolute(*args.designFile, ec).string();
    ReadStatus status;
    if (ec || !ReadWholeFile(path, constants::kMaxSettingsFileBytes, OpenMode::ReadOnly, &status))
      return Usage("cannot read the design file " + *args.designFile + (ec ? "" : ": " + status.Reason()));
    options.settingsFile = path;
  }
  for (const auto& [key, value] : args.sets) {
    auto cp = Utf8ToCp1251(value);
    if (!cp) return Usage("--set " + key + ": the value holds a character the data files cannot hold");
    options.overrides.emplace_back(key, *cp);
  }
  std::string material;
  if (args.material) {
    auto cp = Utf8ToCp1251(*args.material);
    if (!cp) return Usage("--material: no such material " + *args.material);
    material = *cp;
  }

  std::string folder, error;
  const std::optional<std::string> masDocument = ReadMasInput(args.mas, &error);
  if (args.mas.input && !masDocument) return Usage(error);
  if (!EnterWorkingFolder(args.dir, env, &folder, &error, DataFolderUse::kReadOnly)) return Usage(error);

  ReadStatus status;
  if (!ReadDetailsConfig(kDetailsConfigFile, session.details, &status)) TellRefused(kDetailsConfigFile, status);
  if (!ReadSettings(options.settingsFile, true, session.startSettings, &status))
    TellRefused(options.settingsFile, status);
  for (const auto& [key, value] : options.overrides) SetSettingsField(session.startSettings, key, value);

  session.dlg = std::make_unique<CVelmoraDlg>(session.host, options);
  CVelmoraDlg& dlg = *session.dlg;
  dlg.Create();
  if (dlg.IsEnded()) return {OpenResult::kStartUpEnded, {}};
  dlg.SetDesignAmbient(session.details.ambient_C);
  InputChanges converterChanges;
  if (args.converter.given) {
    // The request was checked with the command line: the design has no error.
    session.converter = converter::DesignConverter(args.converter.request).design;
    converterChanges = ConverterChanges(args, *session.converter);
  }
  if (args.adviseCommand) {
    for (const auto& [key, value] : converterChanges) SetSettingsField(session.startSettings, key, value);
    return {};
  }
  if (args.material) {
    const int index = FindMaterial(dlg, material);
    if (index < 0) {
      std::string known;
      for (const std::string& item : dlg.Item(ids::IDC_COMBO_MATERIAL)->items) known += "\n  " + Cp1251ToUtf8(item);
      return Usage("no such material " + *args.material + "; the list holds:" + known);
    }
    dlg.UserSelect(ids::IDC_COMBO_MATERIAL, index);
  }
  if (session.converter) ReplaceInputs(dlg, converterChanges);
  if (masDocument) {
    const std::string masError = ApplyMasInput(dlg, args.mas, *masDocument);
    if (!masError.empty()) return Usage(masError);
  }
  // An ambient given on the command line wins over the file's and the document's.
  if (args.ambient_C) dlg.SetDesignAmbient(*args.ambient_C);
  for (const ScriptedAction& action : args.actions) {
    const std::string actionError = PlayScriptedAction(dlg, session.host, action);
    if (!actionError.empty()) return Usage("--do '" + action.source + "': " + actionError);
  }
  if (session.host.pendingAnswers() > 0)
    std::cerr << "velmora-cli: " << session.host.pendingAnswers() << " answer(s) given with --do were not used\n";
  return {};
}

}  // namespace velmora::cli
