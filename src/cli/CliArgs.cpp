// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliArgs.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <string_view>

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

// One option of the loss command: the usage error when its value is
// unusable, else empty.
std::string SetLossOption(std::string_view option, const std::optional<std::string>& v, LossArgs& a) {
  const std::optional<double> x = NumberArg(v);
  const std::string given = v ? " (" + *v + ")" : std::string();
  if (option == "--frequency") {
    if (!x || !(*x > 0)) return "--frequency needs a frequency in kHz above 0" + given;
    a.frequency_kHz = x;
  } else if (option == "--flux") {
    if (!x || !(*x > 0)) return "--flux needs a flux density amplitude in T above 0" + given;
    a.flux_T = x;
  } else if (option == "--temperature") {
    if (!x || *x < insight::constants::kAbsoluteZero_C) return "--temperature needs a temperature in C" + given;
    a.temperature_C = *x;
  } else if (option == "--duty") {
    if (!x || !(*x > 0 && *x < 1)) return "--duty needs a share of the period between 0 and 1" + given;
    a.duty = x;
  } else if (option == "--dc-flux" || option == "--dc-field") {
    if (!x || !(*x >= 0)) return std::string(option) + " needs a DC value of 0 or above" + given;
    if (a.dcFlux_T || a.dcField_A_per_m) return "give the DC bias once, as --dc-flux T or as --dc-field A_PER_M";
    (option == "--dc-flux" ? a.dcFlux_T : a.dcField_A_per_m) = x;
  }
  return {};
}

// The command a subcommand's word names.
Command CommandOfWord(const std::string& word) {
  if (word == "calc") return Command::kCalc;
  if (word == "advise") return Command::kAdvise;
  if (word == "report") return Command::kReport;
  return Command::kLoss;
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

// An option's value as the command line gave it (the next argument, whatever
// it looks like); nothing when the command line ended before it.
using Value = std::optional<std::string>;
// Takes an option's value: the usage error, or empty.
using Setter = std::function<std::string(const Value&)>;

std::string NeedsValue(std::string_view option, const char* what) { return std::string(option) + " needs " + what; }

// The temperature of the air around the choke (--ambient).
std::string SetAmbient(const Value& v, CliArgs& a) {
  a.ambient_C = NumberArg(v);
  a.advise.ambient_C = a.ambient_C;
  if (a.ambient_C && IsUsableAmbient(*a.ambient_C)) return {};
  return "--ambient needs a temperature in C from -55 to 150" + (v ? " (" + *v + ")" : std::string());
}

// The command line read with CLI11: one subcommand per command with the
// options it takes, --help, --version and --dir in every place. Values are
// checked as they are read, in the order given; the first usage error is
// kept. Anything no command takes is collected and named afterwards.
class Parser {
 public:
  explicit Parser(CliArgs& a) : a_(a) {
    app_.set_help_flag();
    app_.allow_extras();
    app_.require_subcommand(0, 1);  // a second command word is a design file
    AddEverywhere(app_);
    AddCalc(Subcommand("calc"));
    AddAdvise(Subcommand("advise"));
    AddReport(Subcommand("report"));
    AddLoss(Subcommand("loss"));
  }
  Parser(const Parser&) = delete;
  Parser& operator=(const Parser&) = delete;

  std::string Parse(const std::vector<std::string>& argv);

 private:
  CLI::App& Subcommand(const char* name) {
    CLI::App& sub = *app_.add_subcommand(name);
    sub.set_help_flag();
    sub.allow_extras();
    AddEverywhere(sub);
    return sub;
  }

  void Keep(std::string error) {
    if (error_.empty()) error_ = std::move(error);
  }

  void AddValue(CLI::App& app, const std::string& names, Setter set) {
    CLI::Option* option =
        app.add_option_function<std::string>(names, [this, set](const std::string& v) { Keep(set(v)); });
    option->trigger_on_parse();
    missing_.emplace(option->get_name(), std::move(set));
  }
  void AddFlag(CLI::App& app, const std::string& names, std::function<void()> set) {
    app.add_flag_callback(names, std::move(set))->trigger_on_parse();
  }
  // Sets the text when the value came, else names what the option needs.
  void AddText(CLI::App& app, const std::string& names, const char* what, std::optional<std::string>& text) {
    const std::string option = names.substr(0, names.find(','));
    AddValue(app, names, [&text, option, what](const Value& v) {
      if (!v) return NeedsValue(option, what);
      text = *v;
      return std::string();
    });
  }

  void AddEverywhere(CLI::App& app) {
    AddFlag(app, "-h,--help", [this] { a_.help = true; });
    AddFlag(app, "--version", [this] { a_.version = true; });
    AddText(app, "--dir", "a folder", a_.dir);
  }

  // What calc, advise and report share: the design file, --set, --ambient,
  // --al-tolerance, the checks' limits and the converter's options.
  void AddDesign(CLI::App& app) {
    app.add_option_function<std::string>("DESIGN_FILE", [this](const std::string& file) { a_.designFile = file; });
    AddValue(app, "--set", [this](const Value& v) { return AddSet(v, a_); });
    AddValue(app, "--ambient", [this](const Value& v) { return SetAmbient(v, a_); });
    AddValue(app, "--al-tolerance", [this](const Value& v) {
      a_.alTolerancePercent = TolerancePercent(v.value_or(""));
      return a_.alTolerancePercent ? std::string() : "--al-tolerance needs a percentage from 0 to below 100";
    });
    for (const char* option : CheckOptionNames())
      AddValue(app, option, [this, option](const Value& v) { return SetCheckOption(option, v, a_.checks); });
    for (const char* option : ConverterOptionNames())
      AddValue(app, option, [this, option](const Value& v) {
        if (!v) return NeedsValue(option, "a value");
        SetConverterOption(option, *v, a_.converter);
        return std::string();
      });
  }

  // calc and report: --material, --from-mas and --do.
  void AddWindow(CLI::App& app) {
    AddDesign(app);
    AddText(app, "--material", "a name", a_.material);
    AddText(app, "--from-mas", "a file name", a_.mas.input);
    AddValue(app, "--do", [this](const Value& v) {
      if (!v) return std::string("--do needs an action");
      ParsedAction parsed = ParseScriptedAction(*v);
      if (!parsed.error.empty()) return "--do '" + *v + "': " + parsed.error;
      a_.actions.push_back(std::move(parsed.action));
      return std::string();
    });
  }

  void AddCalc(CLI::App& app) {
    AddWindow(app);
    AddText(app, "--mas", "a file name", a_.mas.output);
    AddFlag(app, "--details", [this] { a_.details = true; });
    AddFlag(app, "--json", [this] { a_.json = true; });
  }

  void AddReport(CLI::App& app) {
    AddWindow(app);
    AddText(app, "-o,--output", "a file name", a_.output);
  }

  void AddAdvise(CLI::App& app) {
    AddDesign(app);
    AddText(app, "--material", "a name", a_.advise.material);
    for (const char* option : AdviseValueOptions())
      AddValue(app, option, [this, option](const Value& v) { return SetAdviseOption(option, v, a_.advise); });
    AddFlag(app, "--all", [this] { a_.advise.all = true; });
    AddFlag(app, "--pareto", [this] { a_.advise.pareto = true; });
    AddFlag(app, "--json", [this] { a_.advise.format = AdviseArgs::Format::Json; });
    AddFlag(app, "--csv", [this] { a_.advise.format = AdviseArgs::Format::Csv; });
  }

  void AddLoss(CLI::App& app) {
    AddText(app, "--material", "a name", a_.material);
    AddFlag(app, "--json", [this] { a_.json = true; });
    for (const char* option : {"--frequency", "--flux", "--temperature", "--duty", "--dc-flux", "--dc-field"})
      AddValue(app, option, [this, option](const Value& v) { return SetLossOption(option, v, a_.loss); });
  }

  // The first argument no command took, as a usage error.
  std::string Unexpected(const CLI::App* command) const;

  CliArgs& a_;
  CLI::App app_{"velmora-cli"};
  std::string error_;
  std::map<std::string, Setter> missing_;  // by the option's name in CLI11's messages
};

std::string Parser::Unexpected(const CLI::App* command) const {
  const std::vector<std::string> before = app_.remaining();
  if (!before.empty()) return (before[0].rfind('-', 0) == 0 ? "unknown option " : "unknown command ") + before[0];
  if (!command || command->remaining().empty()) return {};
  const std::string arg = command->remaining()[0];
  const std::string name = command->get_name();
  if (name == "loss") return "unknown option " + arg + " of loss";
  if (name == "advise" && (arg == "--do" || arg == "--details")) return arg + " belongs to calc";
  if (arg.rfind('-', 0) == 0 && arg != "-") return "unknown option " + arg;
  return "more than one design file";
}

std::string Parser::Parse(const std::vector<std::string>& argv) {
  // CLI11 takes the arguments last first.
  std::vector<std::string> reversed(argv.rbegin(), argv.rend());
  try {
    app_.parse(reversed);
  } catch (const CLI::ArgumentMismatch& e) {
    // An option without its value: the message its setter gives for that.
    const std::string message = e.what();
    const auto setter = missing_.find(message.substr(0, message.find(':')));
    Keep(setter != missing_.end() ? setter->second(std::nullopt) : message);
  } catch (const CLI::ParseError& e) {
    Keep(e.what());
  }
  const std::vector<CLI::App*> commands = app_.get_subcommands();
  const CLI::App* command = commands.empty() ? nullptr : commands.front();
  if (command) a_.command = CommandOfWord(command->get_name());
  a_.adviseCommand = a_.command == Command::kAdvise;
  if (!error_.empty()) return error_;
  return Unexpected(command);
}

}  // namespace

ParseResult ParseArgs(const std::vector<std::string>& argv) {
  ParseResult r;
  CliArgs& a = r.args;
  r.error = Parser(a).Parse(argv);
  auto fail = [&r](std::string message) {
    r.error = std::move(message);
    return r;
  };
  if (!r.error.empty()) return r;
  const bool asked = a.help || a.version;
  if (a.command == Command::kNone && !asked) return fail("no command given");
  if (std::string e = FinishConverterArgs(a.converter); !e.empty()) return fail(e);
  // Both would set the same inputs; the document would win without a word.
  if (a.converter.given && a.mas.input) return fail("--converter and --from-mas both set the design: give one");
  if (a.command == Command::kReport && !a.output && !asked) return fail("report needs -o FILE.pdf or -o FILE.html");
  if (a.command == Command::kLoss && !asked && (!a.material || !a.loss.frequency_kHz || !a.loss.flux_T))
    return fail("loss needs --material NAME, --frequency KHZ and --flux T");
  return r;
}

}  // namespace velmora::cli
