// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line's MAS options: calc --mas FILE.json writes the design as
// a MAS document, calc and report --from-mas FILE.json set the window from
// one (after --material, before the --do actions).
#include <optional>
#include <string>
#include <vector>

namespace velmora {
class CVelmoraDlg;
}

namespace velmora::cli {

struct MasArgs {
  std::optional<std::string> output;  // calc --mas FILE.json
  std::optional<std::string> input;   // --from-mas FILE.json
};

// The document named by --from-mas, read before the working folder is
// entered; nothing without the option. A usage error in *error when it
// cannot be read.
std::optional<std::string> ReadMasInput(const MasArgs& args, std::string* error);
// Sets the window from that document; a refused document is a usage error
// (its message in the returned text), an unmatched core or material only the
// message box.
std::string ApplyMasInput(CVelmoraDlg& dlg, const MasArgs& args, const std::string& document);

// The --mas file as an absolute path, named from where the command was given.
std::optional<std::string> MasOutputPath(const MasArgs& args, std::string* error);
// Writes the window's design there; the message (UTF-8) when that failed.
std::string WriteMasOutput(CVelmoraDlg& dlg, const std::string& path, const std::vector<std::string>& inputs);

}  // namespace velmora::cli
