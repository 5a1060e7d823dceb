// SPDX-License-Identifier: GPL-3.0-or-later
// Letter case and order of Windows-1251 text for the sorted lists, the prefix
// search and the file name patterns; the folder listing of the list boxes.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "textfile/CaseFold.h"
#include "textfile/Cp1251.h"
#include "ui/Dialog.h"

namespace velmora::ui {

namespace {

// Sort weight of a folded byte: ASCII first, then the other signs and
// letters, then the Russian alphabet with ё right after е.
int Weight(unsigned char c) {
  if (c < 0x80) return c;
  if (c == 0xB8) return 0x300 + 5 * 2 + 1;
  if (c >= 0xE0) return 0x300 + (c - 0xE0) * 2;
  return 0x200 + c;
}

bool Match(std::string_view name, std::string_view pattern) {
  std::size_t n = 0, p = 0;
  std::size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || FoldCaseCp1251(static_cast<unsigned char>(pattern[p])) ==
                                                               FoldCaseCp1251(static_cast<unsigned char>(name[n])))) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

int CompareNoCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int wa = Weight(FoldCaseCp1251(static_cast<unsigned char>(a[i])));
    const int wb = Weight(FoldCaseCp1251(static_cast<unsigned char>(b[i])));
    if (wa != wb) return wa < wb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  if (pattern == "*.*") return true;
  return Match(name, pattern);
}

std::vector<std::string> ListFiles(std::string_view pattern) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  const std::size_t slash = pattern.find_last_of("/\\");
  fs::path folder = ".";
  if (slash != std::string_view::npos) {
    std::string dir(pattern.substr(0, slash));
    std::replace(dir.begin(), dir.end(), '\\', '/');
    folder = dir.empty() ? fs::path("/") : fs::path(Cp1251ToUtf8(dir));
    pattern = pattern.substr(slash + 1);
  }
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return names;
  for (const fs::directory_entry& entry : it) {
    const std::string utf8 = entry.path().filename().string();
    if (utf8.empty() || utf8[0] == '.') continue;  // hidden
    std::error_code sec;
    const fs::file_status st = entry.status(sec);
    if (sec || !fs::is_regular_file(st)) continue;
    if ((st.permissions() & fs::perms::owner_write) == fs::perms::none) continue;  // read-only
    const std::optional<std::string> name = Utf8ToCp1251(utf8);
    if (!name || !MatchesPattern(*name, pattern)) continue;
    names.push_back(*name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const int c = CompareNoCase(a, b);
    return c != 0 ? c < 0 : a < b;
  });
  return names;
}

}  // namespace velmora::ui
