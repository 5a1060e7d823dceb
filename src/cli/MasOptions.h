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

// The --mas file: the name as given and the name written (".json" added
// when it does not end so), absolute, named from where the command was given.
struct MasOutput {
  std::string given;
  std::string path;
};
std::optional<MasOutput> MasOutputPath(const MasArgs& args, std::string* error);
// The files of the working folder the program reads (settings, lists, core
// database, Details.cfg, material and language files), absolute: an output
// is never written over them. Call it in the working folder.
std::vector<std::string> DataFolderFiles(const CVelmoraDlg& dlg);
// Writes the window's design there; the message (UTF-8) when that failed or
// was refused: a name given for a data file, a target among the inputs.
std::string WriteMasOutput(CVelmoraDlg& dlg, const MasOutput& output, std::vector<std::string> inputs);

}  // namespace velmora::cli
