// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules for every file the user names as the output of a command (the
// design report, a plot picture, any later export): the name that is really
// written, the question before an existing file is replaced, and the write
// itself. Names are matched exactly as the file system matches them, never
// with the letter-case lookup of the data files: "Notes.pdf" is a new file
// beside "notes.pdf".
#include <string>
#include <string_view>
#include <vector>

#include "textfile/FileIO.h"

namespace velmora {

// True when the name ends in the extension (".pdf"; letter case ignored)
// and is more than the extension alone.
bool HasExtension(std::string_view name, std::string_view extension);

// The name as written: the name itself when it ends in one of the extensions
// (".pdf"; letter case ignored), else the name with `added` appended.
std::string OutputName(const std::string& name, const std::vector<std::string>& extensions, std::string_view added);

// True when something of exactly that name exists (a file, a folder, a
// link, also a dangling one): writing there replaces it, so the user is
// asked first. Asked of the name OutputName gives, not of the typed one.
bool OutputExists(const std::string& path);

// True when both names lead to the same file (links followed; the input
// name also as the data files are looked up, letter case ignored).
bool SameFile(const std::string& output, const std::string& input);

// Writes the bytes as WriteFileChecked does with exact names; refused (and
// nothing written) when the target is one of the inputs the output was made
// from, such as the design file a report was made of.
WriteStatus WriteOutputFile(const std::string& path, std::string_view bytes,
                            const std::vector<std::string>& inputs = {});

}  // namespace velmora
