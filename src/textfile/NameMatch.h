// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A name the user wrote found in a list of names (materials from the command
// line and from a MAS document alike), letter case and spacing ignored: the
// name itself; else the one name whose first words it is ("3F3" finds "3F3
// Ferroxcube" beside "3F36 Ferroxcube"); else the one name it begins ("N8"
// finds "N87 Epcos"); otherwise the names it could mean are given back for
// the message.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The name as compared: Windows-1251 letters folded, spaces and TABs dropped.
std::string NameKey(std::string_view name);

struct ListMatch {
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t index = kNone;  // the name found
  // Not found: the names the text begins (more than one), or every name when
  // it begins none; in list order.
  std::vector<std::string> candidates;
  bool ambiguous = false;  // several names begin with the text
  bool found() const { return index != kNone; }
};

// names and wanted are Windows-1251. An empty text matches nothing.
ListMatch MatchName(const std::vector<std::string>& names, std::string_view wanted);

}  // namespace velmora
