// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliArgs.h"

#include <cmath>
#include <cstdlib>

#include "insight/InsightConstants.h"
#include "settings/DetailsConfig.h"
#include "settings/SettingsRecord.h"

namespace velmora::cli {

namespace {

bool IsSettingsKey(const std::string& key) {
  int count = 0;
  const char* const* keys = SettingsKeys(&count);
  for (int i = 0; i < count; ++i)
    if (key == keys[i]) return true;
  return false;
}

// A tolerance in percent from the whole text.
std::optional<double> TolerancePercent(const std::string& text) {
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !IsUsableTolerancePercent(v)) return std::nullopt;
  return v;
}

// The whole text as a finite number, or nothing.
std::optional<double> NumberArg(const std::optional<std::string>& text) {
  if (!text || text->empty()) return std::nullopt;
  char* end = nullptr;
  const double v = std::strtod(text->c_str(), &end);
  if (*end != '\0' || !std::isfinite(v)) return std::nullopt;
  return v;
}

// The options of the loss command; true when arg was one of them, with a
// non-empty error when its value is unusable.
bool ParseLossOption(const std::string& arg, const std::optional<std::string>& v, LossArgs& a, std::string& error) {
  const std::optional<double> x = NumberArg(v);
  const std::string given = v ? " (" + *v + ")" : std::string();
  if (arg == "--frequency") {
    if (!x || !(*x > 0)) error = "--frequency needs a frequency in kHz above 0" + given;
    else a.frequency_kHz = x;
  } else if (arg == "--flux") {
    if (!x || !(*x > 0)) error = "--flux needs a flux density amplitude in T above 0" + given;
    else a.flux_T = x;
  } else if (arg == "--temperature") {
    if (!x || *x < insight::constants::kAbsoluteZero_C) error = "--temperature needs a temperature in C" + given;
    else a.temperature_C = *x;
  } else if (arg == "--duty") {
    if (!x || !(*x > 0 && *x < 1)) error = "--duty needs a share of the period between 0 and 1" + given;
    else a.duty = x;
  } else {
    return false;
  }
  return true;
}

// --ambient of calc, advise and report, and the options of loss; true when
// argv[i] was one (i then past its value), error set when it is unusable.
bool ParseTemperatureOption(const std::vector<std::string>& argv, std::size_t& i, CliArgs& a, std::string& error) {
  const std::string arg = argv[i];
  const bool loss = a.command == Command::kLoss;
  if (!(arg == "--ambient" && !loss) && !(loss && arg != "--material" && arg != "--json")) return false;
  std::optional<std::string> v;
  if (i + 1 < argv.size()) v = argv[++i];
  if (loss) {
    if (!ParseLossOption(arg, v, a.loss, error)) error = "unknown option " + arg + " of loss";
    return true;
  }
  a.ambient_C = NumberArg(v);
  if (!a.ambient_C || !(*a.ambient_C >= insight::constants::kAbsoluteZero_C &&
                        *a.ambient_C < insight::constants::kSettleUpperTemperature))
    error = "--ambient needs a temperature in C below 200" + (v ? " (" + *v + ")" : std::string());
  a.advise.ambient_C = a.ambient_C;
  return true;
}

// The command a word names; nothing for any other word.
std::optional<Command> CommandOfWord(const std::string& word) {
  if (word == "calc") return Command::kCalc;
  if (word == "advise") return Command::kAdvise;
  if (word == "report") return Command::kReport;
  if (word == "loss") return Command::kLoss;
  return std::nullopt;
}

// --set KEY=VALUE: the pair added, or why not.
std::string AddSet(const std::optional<std::string>& v, CliArgs& a) {
  const std::size_t eq = v ? v->find('=') : std::string::npos;
  if (eq == std::string::npos) return "--set needs KEY=VALUE";
  std::string key = v->substr(0, eq);
  if (!IsSettingsKey(key)) return "unknown settings key " + key;
  a.sets.emplace_back(std::move(key), v->substr(eq + 1));
  return {};
}

}  // namespace

std::string UsageText() {
  int count = 0;
  const char* const* keys = SettingsKeys(&count);
  std::string keyList;
  for (int i = 0; i < count; ++i) keyList += (i ? ", " : "") + std::string(keys[i]);
  return "Usage: velmora-cli [--dir DIR] calc [DESIGN_FILE] [--set KEY=VALUE]... [--material NAME]\n"
         "                  [--from-mas FILE.json] [--do ACTION]... [--al-tolerance PCT] [--details]\n"
         "                  [--ambient C] [--json] [--mas FILE.json]\n" +
         AdviseUsageText() +
         "       velmora-cli [--dir DIR] report [DESIGN_FILE] [--set KEY=VALUE]... [--material NAME]\n"
         "                  [--from-mas FILE.json] [--do ACTION]... [--al-tolerance PCT] [--ambient C]\n"
         "                  -o FILE.pdf|FILE.html\n"
         "       velmora-cli [--dir DIR] loss --material NAME --frequency KHZ --flux T\n"
         "                  [--temperature C] [--duty D] [--json]\n"
         "       velmora-cli --help | --version\n"
         "\n"
         "Runs the inductor calculator's window without a display and prints what it shows.\n"
         "  --dir DIR         the folder of the data files (default: the current folder when it\n"
         "                    holds Materials.txt, else the user's data folder when it does,\n"
         "                    else the data files installed with the program)\n"
         "  DESIGN_FILE       settings read in place of Inductor.ini (a saved design, *.sav)\n"
         "  --set KEY=VALUE   sets one input before start-up shows the settings; keys:\n"
         "                    " +
         keyList +
         "\n"
         "  --material NAME   then selects that material of the list, as a user would\n" +
         ConverterUsageText() +
         "  --do ACTION       then acts at the window as a user would, in the order given:\n"
         "                      click ID        a button, check box, radio button or menu command\n"
         "                      type ID TEXT    replaces an edit's text (as typing does)\n"
         "                      select ID TEXT  picks the entry of a list or combo box\n"
         "                      spin POS        moves the wire-size spin button to POS\n"
         "                      answer ok|cancel  the answer for the next OK/Cancel box (else OK)\n"
         "                      load NAME       Load, choosing NAME in the open dialog\n"
         "                      save [NAME]     Save, typing NAME (else the proposed name)\n"
         "                    an action that cannot be played is a usage error\n"
         "  --json            one JSON object instead of the table: \"startup\" and \"window\",\n"
         "                    \"fields\" (the settings keys), \"coreData\" and \"labels\" (the texts\n"
         "                    shown, by control ID), \"spin\",\n"
         "                    \"inputs\" and \"results\" (the last calculation's numbers at full\n"
         "                    precision, named with their units: turns, inductance_uH,\n"
         "                    peakFluxDensity_T, coreLoss_W, ...; null where a value is not finite\n"
         "                    or was not computed), \"messages\" (every message box shown) and\n"
         "                    \"notWritten\" (the files the window would have written)\n"
         "  --details         adds the figures behind the calculation: winding resistance, copper,\n"
         "                    core and total loss and temperature rise where the choke settles\n"
         "                    (and at 100 C), skin depth, the loss table points used, the\n"
         "                    tolerance spread; with --json a \"details\" object (ambient_C,\n"
         "                    coreTemperature_C, thermalRunaway, mlt_mm, resistance_mOhm,\n"
         "                    copperLoss_W, coreLossOperating_W, totalLoss_W, temperatureRise_K,\n"
         "                    copperLoss100C_W, ..., skinDepth_mm, lossModel, lossCurve {B_T,\n"
         "                    Pv_mW_cm3}, waveform {t_us, i_A, B_T}, worstCase; null where not finite)\n"
         "  --al-tolerance PCT  the AL tolerance of the tolerance spread in percent, for the design's\n"
         "                    own kind (gapped or AL given, default 10; ungapped, default 25; both\n"
         "                    for advise), in place of the values kept in Details.cfg\n"
         "  --ambient C       calc, advise, report: the temperature of the air around the choke\n"
         "                    (default 40 C); core and winding settle where the loss heats them\n"
         "  loss              the specific core loss in mW/cm3 of the material's tables at a\n"
         "                    frequency (kHz), a sine-wave flux density amplitude (T) and a\n"
         "                    temperature (default 100 C, the table of the core-loss label); with\n"
         "                    --duty D a triangular flux rising for D of the period (iGSE)\n" +
         MasUsageText() +
         "  -o FILE           report: the file to write, a PDF (A4) or one self-contained HTML file,\n"
         "                    as its extension says: the design report of what calc shows, with the\n"
         "                    design details, plots and a winding instruction, in the window's language\n"
         "Message boxes are answered OK unless told otherwise, and printed. Nothing is written to\n"
         "disk: the files the window would have written are listed. Exit status: 0 the window\n"
         "came up, 3 start-up ended the program (its message is printed), 2 a usage error.\n"
         "\n" +
         AdviseHelpText();
}

ParseResult ParseArgs(const std::vector<std::string>& argv) {
  ParseResult r;
  CliArgs& a = r.args;
  bool command = false;
  std::string adviseError, converterError, masError;
  auto fail = [&r](std::string message) {
    r.error = std::move(message);
    return r;
  };
  for (std::size_t i = 0; i < argv.size(); ++i) {
    const std::string& arg = argv[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= argv.size()) return std::nullopt;
      return argv[++i];
    };
    if (arg == "--help" || arg == "-h") {
      a.help = true;
    } else if (arg == "--version") {
      a.version = true;
    } else if (arg == "--dir") {
      auto v = value();
      if (!v) return fail("--dir needs a folder");
      a.dir = *v;
    } else if (!command) {
      const std::optional<Command> named = CommandOfWord(arg);
      if (!named) return fail(arg.rfind("-", 0) == 0 ? "unknown option " + arg : "unknown command " + arg);
      a.command = *named;
      a.adviseCommand = a.command == Command::kAdvise;
      command = true;
    } else if (std::string error; ParseTemperatureOption(argv, i, a, error)) {
      if (!error.empty()) return fail(error);
    } else if (a.adviseCommand && (arg == "--do" || arg == "--details")) {
      return fail(arg + " belongs to calc");
    } else if (a.adviseCommand && ParseAdviseOption(argv, i, a.advise, adviseError)) {
      if (!adviseError.empty()) return fail(adviseError);
    } else if (arg == "--al-tolerance") {
      const auto percent = TolerancePercent(value().value_or(""));
      if (!percent) return fail("--al-tolerance needs a percentage from 0 to below 100");
      a.alTolerancePercent = *percent;
    } else if (ParseConverterOption(argv, i, a.converter, converterError)) {
      if (!converterError.empty()) return fail(converterError);
    } else if (ParseMasOption(argv, i, a.command == Command::kCalc, a.command == Command::kReport, a.mas, masError)) {
      if (!masError.empty()) return fail(masError);
    } else if (arg == "--set") {
      if (std::string error = AddSet(value(), a); !error.empty()) return fail(error);
    } else if (arg == "--material") {
      auto v = value();
      if (!v) return fail("--material needs a name");
      a.material = *v;
    } else if (arg == "--do") {
      auto v = value();
      if (!v) return fail("--do needs an action");
      ParsedAction parsed = ParseScriptedAction(*v);
      if (!parsed.error.empty()) return fail("--do '" + *v + "': " + parsed.error);
      a.actions.push_back(std::move(parsed.action));
    } else if (arg == "--details" && a.command == Command::kCalc) {
      a.details = true;
    } else if (arg == "--json" && a.command != Command::kReport) {
      a.json = true;
    } else if ((arg == "-o" || arg == "--output") && a.command == Command::kReport) {
      auto v = value();
      if (!v) return fail(arg + " needs a file name");
      a.output = *v;
    } else if (arg.rfind("-", 0) == 0 && arg != "-") {
      return fail("unknown option " + arg);
    } else if (!a.designFile) {
      a.designFile = arg;
    } else {
      return fail("more than one design file");
    }
  }
  if (!command && !a.help && !a.version) return fail("no command given");
  if (std::string e = FinishConverterArgs(a.converter); !e.empty()) return fail(e);
  if (a.command == Command::kReport && !a.output && !a.help && !a.version)
    return fail("report needs -o FILE.pdf or -o FILE.html");
  if (a.command == Command::kLoss && !a.help && !a.version && (!a.material || !a.loss.frequency_kHz || !a.loss.flux_T))
    return fail("loss needs --material NAME, --frequency KHZ and --flux T");
  return r;
}

}  // namespace velmora::cli
