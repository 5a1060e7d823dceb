// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// velmora-cli's help: the whole of it (--help), one command's (COMMAND
// --help), and the line a usage error ends with.
#include <string>

#include "cli/CliArgs.h"

namespace velmora::cli {

// Every command's usage lines, the options and the settings keys.
std::string UsageText();

// The usage lines of one command and the options it takes; the whole help
// for Command::kNone.
std::string CommandHelpText(Command command);

// "Try 'velmora-cli calc --help'." (without a command: 'velmora-cli --help').
std::string TryHelpLine(Command command);

}  // namespace velmora::cli
