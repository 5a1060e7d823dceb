// velmora-report: `velmora-cli report` with the design report drawn by Qt
// (offscreen, no display needed). velmora-cli starts it with its own
// arguments, so that velmora-cli itself links no Qt.
#include <QGuiApplication>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/Session.h"
#include "report/DesignReport.h"
#include "reportrender/ReportRender.h"
#include "textfile/Cp1251.h"

namespace {

using namespace velmora;

constexpr int kExitOk = 0;
constexpr int kExitWriteFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitStartUpEnded = 3;

int Usage(const std::string& error) {
  std::cerr << "velmora-cli: " << error << "\n" << cli::UsageText();
  return kExitUsage;
}

// Now as local date and time; SOURCE_DATE_EPOCH (UTC), when set, makes the
// report reproducible.
std::string DateText() {
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch && *epoch) {
    now = static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
    gmtime_r(&now, &parts);
  } else {
    localtime_r(&now, &parts);
  }
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M", &parts);
  return buffer;
}

int Run(const std::vector<std::string>& argv, const char* argv0) {
  const cli::ParseResult parsed = cli::ParseArgs(argv);
  if (!parsed.error.empty()) return Usage(parsed.error);
  const cli::CliArgs& args = parsed.args;
  if (args.command != cli::Command::kReport || !args.output) return Usage("velmora-report draws the report only");
  if (reportrender::FormatOfName(*args.output) == reportrender::Format::Unknown)
    return Usage("-o " + *args.output + ": the file name must end in .pdf or .html");
  // Named from where the command was given, before the data folder is entered.
  std::error_code ec;
  const std::string output = std::filesystem::absolute(*args.output, ec).string();
  if (ec) return Usage("-o " + *args.output + ": " + ec.message());

  cli::Session session;
  const cli::OpenResult open = cli::OpenWindow(args, argv0, session);
  if (open.status == cli::OpenResult::kUsage) return Usage(open.error);
  if (open.status == cli::OpenResult::kStartUpEnded) {
    const auto& shown = session.host.shown();
    std::cerr << "velmora-cli: start-up ended" << (shown.empty() ? "" : ": " + Cp1251ToUtf8(shown.back().text)) << "\n";
    return kExitStartUpEnded;
  }
  CVelmoraDlg& dlg = *session.dlg;
  report::ReportMeta meta;
  meta.program = report::ProgramAndVersion();
  meta.date = DateText();
  if (args.designFile) meta.designFile = Utf8ToCp1251(*args.designFile).value_or(std::string());
  insight::InsightOptions options;
  if (args.ambient_C) options.ambient_C = *args.ambient_C;
  const report::Document doc = report::BuildDesignReport(dlg, report::TextsOfWindow(dlg), meta, options);

  std::string error;
  if (!reportrender::WriteReport(doc, output, &error)) {
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
