// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the shipped data files of share/ for the tests: the bytes of a file
// and a strict line-by-line reading of the keyed text format, independent of
// the program's substring lookups, to compare those lookups against.
#include <string>
#include <utility>
#include <vector>

namespace velmora::test {

// The folder of the shipped data files, ending in '/'.
std::string ShareDir();
// The bytes of share/<name>; empty when the file cannot be read.
std::string ReadShared(const std::string& name);
// The names of the regular files in share/, sorted.
std::vector<std::string> SharedFiles();

// One "[section]" with its "key = value" lines, in file order.
struct StrictSection {
  std::string name;
  std::vector<std::pair<std::string, std::string>> entries;
};
// Splits CR LF lines; a line "[x]" opens a section, "key = value" (exactly one
// blank on each side of the first '=') is an entry, an empty line is allowed.
// Anything else, or entries before the first section, is added to errors.
std::vector<StrictSection> ParseStrictly(const std::string& text, std::vector<std::string>& errors);

// A decimal text as the data files write it: digits, optionally '.' and digits.
bool IsPlainDecimal(const std::string& text);
bool IsWholeNumber(const std::string& text);

}  // namespace velmora::test
