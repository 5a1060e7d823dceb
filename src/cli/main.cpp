// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-cli: the main window run without a display. The very same
// CVelmoraDlg goes through its start-up and the user's actions (--do) on the
// headless side; message boxes are answered OK (unless an action says
// otherwise) and recorded, nothing is written to disk, and what the window
// shows is printed.
//
// "report" is drawn by Qt, which this program does not link: it hands its
// arguments to velmora-report, a helper off the PATH at its place relative to
// this program's folder.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/DesignFigures.h"
#include "app/Version.h"
#include "app/WorkingFolder.h"
#include "cli/AdviseRun.h"
#include "cli/CliArgs.h"
#include "cli/ConverterOptions.h"
#include "cli/DetailsReport.h"
#include "cli/HelpText.h"
#include "cli/LossCommand.h"
#include "cli/Report.h"
#include "cli/Session.h"

namespace {

using namespace velmora;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // as the report program's own failures
constexpr int kExitUsage = 2;
constexpr int kExitStartUpEnded = 3;
constexpr const char* kReportProgram = "velmora-report";

// velmora-report's folder relative to this program's; the build sets it from
// its install folders and gives the build tree the same layout.
#ifndef VELMORA_HELPER_DIR_FROM_PROGRAM
#define VELMORA_HELPER_DIR_FROM_PROGRAM "../libexec/velmora"
#endif

// A usage error: the problem on one line, then where the help is.
int Usage(cli::Command command, const std::string& error) {
  std::cerr << "velmora-cli: " << error << "\n" << cli::TryHelpLine(command) << "\n";
  return kExitUsage;
}

// A failure that is no fault of the command line given: the message alone.
int Failed(const std::string& error) {
  std::cerr << "velmora-cli: " << error << "\n";
  return kExitFailed;
}

// Replaces this process by the report program of the same folder; returns
// only when that fails.
int RunReportProgram(const std::vector<std::string>& args) {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return Failed("cannot find the folder of velmora-cli: " + ec.message());
  const std::string program =
      (self.parent_path() / VELMORA_HELPER_DIR_FROM_PROGRAM / kReportProgram).lexically_normal().string();
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  return Failed("cannot start " + program + ": " + std::strerror(errno));
}

int Run(const std::vector<std::string>& argv, const char* argv0) {
  const cli::ParseResult parsed = cli::ParseArgs(argv);
  const cli::CliArgs& args = parsed.args;
  if (!parsed.error.empty()) return Usage(args.command, parsed.error);
  if (args.help) {
    std::cout << cli::CommandHelpText(args.command);
    return kExitOk;
  }
  if (args.version) {
    std::cout << "velmora-cli " << kProgramVersion << "\n";
    return kExitOk;
  }
  if (args.command == cli::Command::kReport) return RunReportProgram(argv);

  std::string masPathError;
  const std::optional<cli::MasOutput> masOutput = cli::MasOutputPath(args.mas, &masPathError);
  if (args.mas.output && !masOutput) return Usage(args.command, "--mas " + masPathError);
  // The files the design is read from, named from where the command was
  // given: the export never writes over them.
  std::vector<std::string> inputs;
  for (const std::optional<std::string>& input : {args.designFile, args.mas.input}) {
    std::error_code ec;
    if (input) inputs.push_back(std::filesystem::absolute(*input, ec).string());
  }
  cli::Session session;
  const cli::OpenResult open = cli::OpenWindow(args, CurrentEnvironment(argv0), session);
  if (open.status == cli::OpenResult::kUsage) return Usage(args.command, open.error);
  CVelmoraDlg& dlg = *session.dlg;
  if (open.status != cli::OpenResult::kStartUpEnded && args.command == cli::Command::kLoss) {
    std::string lossError;
    const int status = cli::RunLoss(dlg.CurrentDesign(), args, lossError);
    return lossError.empty() ? status : Usage(args.command, lossError);
  }
  if (open.status != cli::OpenResult::kStartUpEnded && args.adviseCommand) {
    std::string adviseError;
    insight::InsightOptions options = DetailsOptionsOf(session.details, args.alTolerancePercent);
    cli::ApplyCheckArgs(args.checks, options);
    const int status = cli::RunAdvise(dlg, session.startSettings, args.advise, options, adviseError);
    return adviseError.empty() ? status : Usage(args.command, adviseError);
  }
  // The explicit output first: its calculation's messages are part of the run.
  const std::string masError =
      masOutput && open.status == cli::OpenResult::kOpen ? cli::WriteMasOutput(dlg, *masOutput, inputs) : std::string();
  std::optional<insight::InsightOptions> detailsOptions;
  if (args.details && open.status == cli::OpenResult::kOpen && !dlg.IsEnded()) {
    detailsOptions = DetailsOptionsOf(session.details, args.alTolerancePercent);
    detailsOptions->ambient_C = dlg.Model().DesignAmbient();
    cli::ApplyCheckArgs(args.checks, *detailsOptions);
  }
  const Design design = dlg.CurrentDesign(detailsOptions);
  cli::Report report = cli::MakeReport(design, dlg.Model().NotWritten(), session.host.shown());
  if (open.status == cli::OpenResult::kStartUpEnded) {
    std::cout << (args.json ? cli::ToJson(report) : cli::ToTable(report));
    if (!report.messages.empty()) std::cerr << "velmora-cli: start-up ended: " << report.messages.back().text << "\n";
    return kExitStartUpEnded;
  }
  if (design.details) {
    report.details = cli::DetailsJson(*design.details, design.detailsOptions);
    report.checks = cli::ChecksJson(design.details->checks);
    if (design.converter) report.operatingPoints = cli::OperatingPointsJson(*design.details);
    report.pointRows = cli::PointRows(*design.details, dlg.Model().Lang());
    report.detailsRows = cli::DetailsRows(*design.details, dlg.Model().Lang());
  }
  if (session.converter) report.converter = cli::ConverterJson(session.converterRequest, *session.converter);
  std::cout << (args.json ? cli::ToJson(report) : cli::ToTable(report));
  if (masError.empty()) return kExitOk;
  std::cerr << "velmora-cli: " << masError << "\n";
  return kExitFailed;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return Run(args, argc > 0 ? argv[0] : nullptr);
}
