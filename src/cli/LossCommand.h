// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// velmora-cli loss: the specific core loss of a material's tables at one
// frequency, flux density amplitude and temperature, for checking the
// tables against measurements.
#include <string>

#include "cli/CliArgs.h"
#include "design/Design.h"

namespace velmora::cli {

// Prints the loss of the design's material (as the command line
// selected it) as a line or, with json, one object. A usage error (the
// no-data material) is returned in error, with the exit status 2.
int RunLoss(const Design& design, const CliArgs& args, std::string& error);

}  // namespace velmora::cli
