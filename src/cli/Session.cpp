// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Session.h"

#include <filesystem>
#include <iostream>

#include "app/ControlIds.h"
#include "app/ConverterCommands.h"
#include "app/ConverterRecord.h"
#include "app/ScriptedActions.h"
#include "app/WorkingFolder.h"
#include "converter/ConverterFields.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"
#include "textfile/Limits.h"
#include "textfile/NameMatch.h"

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

// The inputs the converter's design replaces, but those a --set names: the
// user's --set wins.
InputChanges ConverterChanges(const CliArgs& args, const converter::ConverterRequest& request,
                              const converter::ConverterDesign& design) {
  InputChanges changes;
  for (auto& change : ConverterInputChanges(converter::FieldsFor(request, design))) {
    bool set = false;
    for (const auto& given : args.sets) set = set || given.first == change.first;
    if (!set) changes.push_back(std::move(change));
  }
  return changes;
}

// The converter designed at the frequency the choke is calculated at: one
// above the material's loss table is held to its last frequency, as the
// frequency field is, and the user is told.
InputChanges DesignHeldToTable(const CliArgs& args, const CVelmoraDlg& dlg, Session& session) {
  session.converterRequest = args.converter.request;
  converter::ConverterRequest& request = session.converterRequest;
  if (const auto last = HoldToMaterialTable(request, dlg.Model().Material()))
    std::cerr << "velmora-cli: --fsw " << converter::TypedNumber(args.converter.request.fsw_kHz)
              << " kHz lies above the loss table of " << Cp1251ToUtf8(dlg.Model().Material().name) << " (up to "
              << converter::TypedNumber(*last) << " kHz): the choke is designed at " << converter::TypedNumber(*last)
              << " kHz\n";
  // The request was checked with the command line: the design has no error.
  session.converter = converter::DesignConverter(request).design;
  return ConverterChanges(args, request, *session.converter);
}

}  // namespace

std::string MaterialNotFound(const std::string& given, const ListMatch& match) {
  std::string names;
  for (const std::string& name : match.candidates) names += (names.empty() ? "" : ", ") + Cp1251ToUtf8(name);
  if (match.ambiguous) return "--material " + given + " could be any of: " + names;
  return "no such material " + given + "; the list holds: " + names;
}

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
  dlg.Model().SetDesignAmbient(session.details.ambient_C);
  // A design file carries the converter request it was made from, as Load reads it.
  if (args.designFile)
    if (const auto bytes = ReadWholeFile(options.settingsFile, constants::kMaxSettingsFileBytes))
      dlg.Model().SetDesignRequest(ParseConverterSection(*bytes));
  InputChanges converterChanges;
  if (args.converter.given) {
    // The request was checked with the command line: the design has no error.
    session.converterRequest = args.converter.request;
    session.converter = converter::DesignConverter(args.converter.request).design;
    converterChanges = ConverterChanges(args, args.converter.request, *session.converter);
  }
  if (args.adviseCommand) {
    for (const auto& [key, value] : converterChanges) SetSettingsField(session.startSettings, key, value);
    if (args.converter.given) dlg.Model().SetDesignRequest(args.converter.request);  // each design judged at its points
    return {};
  }
  if (args.material) {
    const std::vector<std::string>& entries = dlg.Model().MaterialList();
    const ListMatch match = MatchName(entries, material);
    if (!match.found()) return Usage(MaterialNotFound(*args.material, match));
    dlg.UserSelect(ids::IDC_COMBO_MATERIAL, static_cast<int>(match.index));
  }
  if (session.converter) {
    ReplaceInputs(dlg, DesignHeldToTable(args, dlg, session));
    dlg.Model().SetDesignRequest(args.converter.request);  // a design file saved by --do save carries it
  }
  if (masDocument) {
    const std::string masError = ApplyMasInput(dlg, args.mas, *masDocument);
    if (!masError.empty()) return Usage(masError);
  }
  // An ambient given on the command line wins over the file's and the document's.
  if (args.ambient_C) dlg.Model().SetDesignAmbient(*args.ambient_C);
  for (const ScriptedAction& action : args.actions) {
    const std::string actionError = PlayScriptedAction(dlg, session.host, action);
    if (!actionError.empty()) return Usage("--do '" + action.source + "': " + actionError);
  }
  if (session.host.pendingAnswers() > 0)
    std::cerr << "velmora-cli: " << session.host.pendingAnswers() << " answer(s) given with --do were not used\n";
  return {};
}

}  // namespace velmora::cli
