// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The checks' limits on the command line (calc, advise, report): each given
// one stands in place of Details.cfg's value for the run.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "insight/DesignDetails.h"

namespace velmora::cli {

struct CheckArgs {
  std::optional<double> fluxMarginPercent;      // --flux-margin PCT
  std::optional<double> saturationCurrent_A;    // --saturation-current A
  std::optional<double> requiredInductance_uH;  // --required-inductance UH
  std::optional<double> maxRise_K;              // --max-rise K
  std::optional<double> minGap_mm;              // --min-gap MM
};

// --flux-margin, --saturation-current, --required-inductance, --max-rise, --min-gap.
std::vector<const char*> CheckOptionNames();
// Sets one of them from its value (nothing: the value is missing); the usage
// error when the value is unusable, else empty.
std::string SetCheckOption(std::string_view option, const std::optional<std::string>& value, CheckArgs& args);
// What the checks are and where their limits come from, for --help.
std::string CheckHelpText();
// The options with the given limits in place.
void ApplyCheckArgs(const CheckArgs& args, insight::InsightOptions& options);

}  // namespace velmora::cli
