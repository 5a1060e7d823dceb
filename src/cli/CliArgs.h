// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line of velmora-cli.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/ScriptedActions.h"
#include "cli/AdviseCommand.h"
#include "cli/CheckOptions.h"
#include "cli/ConverterOptions.h"
#include "cli/MasOptions.h"

namespace velmora::cli {

enum class Command { kNone, kCalc, kAdvise, kReport, kLoss };

// velmora-cli loss: the specific loss of a sine-wave flux (or of a
// triangular one with --duty) at a temperature, on a DC flux density given
// as such or as the DC field of an ungapped core.
struct LossArgs {
  std::optional<double> frequency_kHz;
  std::optional<double> flux_T;  // amplitude
  double temperature_C = 100.0;  // the temperature of the label's table
  std::optional<double> duty;    // rising share of the period
  std::optional<double> dcFlux_T;
  std::optional<double> dcField_A_per_m;
};

struct CliArgs {
  Command command = Command::kNone;
  bool help = false;
  bool version = false;
  std::optional<std::string> dir;                         // --dir DIR
  std::optional<std::string> designFile;                  // calc DESIGN_FILE
  std::vector<std::pair<std::string, std::string>> sets;  // --set KEY=VALUE, UTF-8
  std::optional<std::string> material;                    // --material NAME, UTF-8
  std::vector<ScriptedAction> actions;                    // --do ACTION, in order
  bool json = false;
  bool details = false;               // calc --details
  bool adviseCommand = false;         // advise in place of calc
  AdviseArgs advise;                  // its options
  std::optional<std::string> output;  // report -o FILE
  // --al-tolerance PCT (calc, advise, report): the AL tolerance of the
  // design's own kind, gapped or ungapped, in place of Details.cfg's.
  std::optional<double> alTolerancePercent;
  ConverterArgs converter;          // --converter and its options
  MasArgs mas;                      // --mas, --from-mas
  std::optional<double> ambient_C;  // --ambient C (calc, advise, report)
  CheckArgs checks;                 // the checks' limits (calc, advise, report)
  LossArgs loss;                    // the loss command's options
};

struct ParseResult {
  CliArgs args;
  std::string error;  // non-empty: a usage error
};

ParseResult ParseArgs(const std::vector<std::string>& argv);

}  // namespace velmora::cli
