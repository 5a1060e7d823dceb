// SPDX-License-Identifier: GPL-3.0-or-later
#include "textfile/NameMatch.h"

#include "textfile/CaseFold.h"

namespace velmora {

std::string NameKey(std::string_view name) {
  std::string key;
  for (const char c : FoldCaseCp1251(name))
    if (c != ' ' && c != '\t') key += c;
  return key;
}

ListMatch MatchName(const std::vector<std::string>& names, std::string_view wanted) {
  ListMatch match;
  const std::string key = NameKey(wanted);
  std::vector<std::size_t> prefixed;
  for (std::size_t i = 0; !key.empty() && i < names.size(); ++i) {
    const std::string name = NameKey(names[i]);
    if (name == key) {
      match.index = i;
      return match;
    }
    if (name.compare(0, key.size(), key) == 0) prefixed.push_back(i);
  }
  if (prefixed.size() == 1) {
    match.index = prefixed.front();
    return match;
  }
  match.ambiguous = !prefixed.empty();
  if (prefixed.empty()) match.candidates = names;
  for (const std::size_t i : prefixed) match.candidates.push_back(names[i]);
  return match;
}

}  // namespace velmora
