// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-report: `velmora-cli report` with the design report drawn by Qt
// (offscreen, no display needed). velmora-cli starts it with its own
// arguments, so that velmora-cli itself links no Qt.
#include <QGuiApplication>
#include <QHashSeed>
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/DesignFigures.h"
#include "app/Version.h"
#include "app/WorkingFolder.h"
#include "cli/CliArgs.h"
#include "cli/HelpText.h"
#include "cli/Session.h"
#include "report/DesignReport.h"
#include "reportrender/ReportRender.h"
#include "textfile/Cp1251.h"
#include "textfile/OutputFile.h"

namespace {

using namespace velmora;

constexpr int kExitOk = 0;
constexpr int kExitWriteFailed = 1;
constexpr int kExitNoReport = 1;  // the input checks stopped the design
constexpr int kExitUsage = 2;
constexpr int kExitStartUpEnded = 3;

// The shipped data folder relative to this program's folder (libexec/velmora,
// not the programs' bin/); the build sets it from its install folders.
#ifndef VELMORA_DATA_DIR_FROM_HELPER
#define VELMORA_DATA_DIR_FROM_HELPER "../../share/velmora"
#endif

int Usage(const std::string& error) {
  std::cerr << "velmora-cli: " << error << "\n" << cli::TryHelpLine(cli::Command::kReport) << "\n";
  return kExitUsage;
}

// The latest SOURCE_DATE_EPOCH the report can print: 9999-12-31 23:59:59
// UTC, the last moment with a four-digit year.
constexpr std::int64_t kLastPrintableEpoch = 253402300799;

// SOURCE_DATE_EPOCH as a time: a plain non-negative decimal number of
// seconds up to kLastPrintableEpoch. Unset or empty: none; anything else
// ("abc", "-1", "1e9", 30 digits) is an error.
std::optional<std::int64_t> SourceDateEpoch(std::string& error) {
  const char* text = std::getenv("SOURCE_DATE_EPOCH");
  if (!text || !*text) return std::nullopt;
  const std::string_view value(text);
  std::int64_t seconds = 0;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), seconds);
  const bool digitsOnly = value.find_first_not_of("0123456789") == std::string_view::npos;
  if (!digitsOnly || ec != std::errc() || end != value.data() + value.size() || seconds > kLastPrintableEpoch) {
    error = "SOURCE_DATE_EPOCH=" + std::string(value) + ": must be a whole number of seconds since 1970 up to " +
            std::to_string(kLastPrintableEpoch);
    return std::nullopt;
  }
  return seconds;
}

// The fixed time in UTC, else now as local date and time.
std::string DateText(std::optional<std::int64_t> fixed) {
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  if (fixed) {
    now = static_cast<std::time_t>(*fixed);
    gmtime_r(&now, &parts);
  } else {
    localtime_r(&now, &parts);
  }
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M", &parts);
  return buffer;
}

// The ways the command can end before anything is written.
std::optional<int> CheckWindow(const cli::OpenResult& open, cli::Session& session) {
  if (open.status == cli::OpenResult::kUsage) return Usage(open.error);
  if (open.status == cli::OpenResult::kStartUpEnded) {
    const auto& shown = session.host.shown();
    std::cerr << "velmora-cli: start-up ended" << (shown.empty() ? "" : ": " + Cp1251ToUtf8(shown.back().text)) << "\n";
    return kExitStartUpEnded;
  }
  // An action ended the window (Exit): there is no window to report on.
  if (session.dlg->IsEnded()) {
    std::cerr << "velmora-cli: the window has ended; no report written\n";
    return kExitStartUpEnded;
  }
  return std::nullopt;
}

int Run(const std::vector<std::string>& argv, const char* argv0) {
  const cli::ParseResult parsed = cli::ParseArgs(argv);
  if (!parsed.error.empty()) return Usage(parsed.error);
  const cli::CliArgs& args = parsed.args;
  if (args.command != cli::Command::kReport || !args.output) return Usage("velmora-report draws the report only");
  if (reportrender::FormatOfName(*args.output) == reportrender::Format::Unknown)
    return Usage("-o " + *args.output + ": the file name must end in .pdf or .html");
  std::string epochError;
  const std::optional<std::int64_t> fixedTime = SourceDateEpoch(epochError);
  if (!epochError.empty()) return Usage(epochError);
  // Named from where the command was given, before the data folder is entered.
  std::error_code ec;
  const std::string output = std::filesystem::absolute(*args.output, ec).string();
  if (ec) return Usage("-o " + *args.output + ": " + ec.message());
  std::vector<std::string> inputs;
  if (args.designFile) inputs.push_back(std::filesystem::absolute(*args.designFile, ec).string());

  cli::Session session;
  WorkingFolderEnv env = CurrentEnvironment(argv0);
  env.dataDirFromExe = VELMORA_DATA_DIR_FROM_HELPER;
  if (const std::optional<int> ended = CheckWindow(cli::OpenWindow(args, env, session), session)) return *ended;
  CVelmoraDlg& dlg = *session.dlg;
  report::ReportMeta meta;
  meta.program = ProgramAndVersion();
  meta.date = DateText(fixedTime);
  if (args.designFile) meta.designFile = *args.designFile;
  insight::InsightOptions options = DetailsOptionsOf(session.details, args.alTolerancePercent);
  options.ambient_C = dlg.Model().DesignAmbient();
  cli::ApplyCheckArgs(args.checks, options);
  const Design design = dlg.CalculatedDesign(options);
  // A design the input checks stop has nothing to report: the check's message
  // says why (an output onto the design file is refused as such below).
  const bool ontoInput =
      std::any_of(inputs.begin(), inputs.end(), [&output](const std::string& in) { return SameFile(output, in); });
  if (const ShownResults* run = design.LastCalculation(); run && run->stoppedByInputCheck && !ontoInput) {
    std::cerr << "velmora-cli: no report: "
              << (run->messages.empty() ? std::string("an input failed its check")
                                        : Cp1251ToUtf8(run->messages.front().text))
              << "\n";
    return kExitNoReport;
  }
  report::Document doc =
      report::BuildDesignReport(design, report::ReportTexts::FromSection(dlg.Model().Lang().report), meta);
  doc.fixedTime = fixedTime;

  std::string error;
  if (!reportrender::WriteReport(doc, output, &error, inputs)) {
    std::cerr << "velmora-cli: " << error << "\n";
    return kExitWriteFailed;
  }
  return kExitOk;
}

}  // namespace

// Qt's own remarks (a missing runtime folder and the like) are no concern of
// the command line; only its errors are told.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << "velmora-cli: " << message.toStdString() << "\n";
}

int main(int argc, char** argv) {
  // A reproducible report: Qt's hashes (which order the PDF's font objects)
  // get a fixed seed before Qt makes any.
  if (!qEnvironmentVariableIsEmpty("SOURCE_DATE_EPOCH")) QHashSeed::setDeterministicGlobalSeed();
  qInstallMessageHandler(QuietMessages);
  // Drawing needs no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  std::vector<std::string> args(argv + 1, argv + argc);
  // Qt gets only the program name: every argument is the command line's.
  int qtArgc = 1;
  char* qtArgv[] = {argc > 0 ? argv[0] : const_cast<char*>("velmora-report"), nullptr};
  QGuiApplication app(qtArgc, qtArgv);
  return Run(args, argc > 0 ? argv[0] : nullptr);
}
