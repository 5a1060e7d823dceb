// velmora-cli: the main window run without a display. The very same
// CVelmoraDlg goes through its start-up and the user's actions (--do) on the
// headless side; message boxes are answered OK (unless an action says
// otherwise) and recorded, nothing is written to disk, and what the window
// shows is printed.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/ScriptedActions.h"
#include "app/VelmoraDlg.h"
#include "app/Version.h"
#include "app/WorkingFolder.h"
#include "cli/AdviseRun.h"
#include "cli/CliArgs.h"
#include "cli/DetailsReport.h"
#include "cli/Report.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"
#include "ui/HeadlessHost.h"

namespace {

using namespace velmora;

constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;
constexpr int kExitStartUpEnded = 3;

int Usage(const std::string& error) {
  std::cerr << "velmora-cli: " << error << "\n" << cli::UsageText();
  return kExitUsage;
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

int Run(const std::vector<std::string>& argv, const char* argv0) {
  const cli::ParseResult parsed = cli::ParseArgs(argv);
  if (!parsed.error.empty()) return Usage(parsed.error);
  const cli::CliArgs& args = parsed.args;
  if (args.help) {
    std::cout << cli::UsageText();
    return kExitOk;
  }
  if (args.version) {
    std::cout << "velmora-cli " << kProgramVersion << "\n";
    return kExitOk;
  }

  VelmoraOptions options;
  options.suppressWrites = true;
  if (args.designFile) {
    // Named from where the command was given, before the working folder is entered.
    std::error_code ec;
    const std::string path = std::filesystem::absolute(*args.designFile, ec).string();
    if (ec || !ReadWholeFile(path)) return Usage("cannot read the design file " + *args.designFile);
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
  if (!EnterWorkingFolder(args.dir, CurrentEnvironment(argv0), &folder, &error, DataFolderUse::kReadOnly))
    return Usage(error);

  // The inputs as start-up reads them, before its first calculation may
  // correct the nominal current or the wire-size field: the adviser's inputs.
  SettingsRecord settings;
  ReadSettings(options.settingsFile, true, settings);
  for (const auto& [key, value] : options.overrides) SetSettingsField(settings, key, value);

  ui::HeadlessHost host;  // OK for every box, each one recorded
  CVelmoraDlg dlg(host, options);
  dlg.Create();

  if (dlg.IsEnded()) {
    const cli::Report report = cli::MakeReport(dlg, host.shown());
    std::cout << (args.json ? cli::ToJson(report) : cli::ToTable(report));
    if (!report.messages.empty())
      std::cerr << "velmora-cli: start-up ended: " << report.messages.back().text << "\n";
    return kExitStartUpEnded;
  }
  if (args.adviseCommand) {
    std::string adviseError;
    const int status = cli::RunAdvise(dlg, settings, args.advise, adviseError);
    return adviseError.empty() ? status : Usage(adviseError);
  }
  if (args.material) {
    const int index = FindMaterial(dlg, material);
    if (index < 0) {
      std::string known;
      for (const std::string& item : dlg.Item(ids::IDC_COMBO_MATERIAL)->items)
        known += "\n  " + Cp1251ToUtf8(item);
      return Usage("no such material " + *args.material + "; the list holds:" + known);
    }
    dlg.UserSelect(ids::IDC_COMBO_MATERIAL, index);
  }
  for (const ScriptedAction& action : args.actions) {
    const std::string error = PlayScriptedAction(dlg, host, action);
    if (!error.empty()) return Usage("--do '" + action.source + "': " + error);
  }
  if (host.pendingAnswers() > 0)
    std::cerr << "velmora-cli: " << host.pendingAnswers() << " answer(s) given with --do were not used\n";
  cli::Report report = cli::MakeReport(dlg, host.shown());
  if (args.details && !dlg.IsEnded()) {
    const insight::InsightOptions insightOptions;
    if (const auto details = dlg.DescribeLastCalculation(insightOptions)) {
      report.detailsJson = cli::DetailsJson(*details, insightOptions);
      report.detailsRows = cli::DetailsRows(*details, dlg.Lang());
    }
  }
  std::cout << (args.json ? cli::ToJson(report) : cli::ToTable(report));
  return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return Run(args, argc > 0 ? argv[0] : nullptr);
}
