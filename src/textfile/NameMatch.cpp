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

namespace {

// The key is that of the name's first words ("3F3" of "3F3 Ferroxcube").
bool IsLeadingWords(std::string_view name, const std::string& key) {
  for (std::size_t space = name.find(' '); space != std::string_view::npos; space = name.find(' ', space + 1))
    if (NameKey(name.substr(0, space)) == key) return true;
  return false;
}

}  // namespace

ListMatch MatchName(const std::vector<std::string>& names, std::string_view wanted) {
  ListMatch match;
  const std::string key = NameKey(wanted);
  std::vector<std::size_t> byWords, byPrefix;
  for (std::size_t i = 0; !key.empty() && i < names.size(); ++i) {
    const std::string name = NameKey(names[i]);
    if (name == key) {
      match.index = i;
      return match;
    }
    if (name.compare(0, key.size(), key) != 0) continue;
    byPrefix.push_back(i);
    if (IsLeadingWords(names[i], key)) byWords.push_back(i);
  }
  const std::vector<std::size_t>& chosen = byWords.size() == 1 ? byWords : byPrefix;
  if (chosen.size() == 1) {
    match.index = chosen.front();
    return match;
  }
  match.ambiguous = !byPrefix.empty();
  if (byPrefix.empty()) match.candidates = names;
  for (const std::size_t i : byPrefix) match.candidates.push_back(names[i]);
  return match;
}

}  // namespace velmora
