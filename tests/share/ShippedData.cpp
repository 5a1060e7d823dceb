// SPDX-License-Identifier: GPL-3.0-or-later
#include "share/ShippedData.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace velmora::test {

std::string ShareDir() { return std::string(VELMORA_SOURCE_DIR) + "/share/"; }

std::string ReadShared(const std::string& name) {
  std::ifstream in(ShareDir() + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> SharedFiles() {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(ShareDir()))
    if (e.is_regular_file()) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<StrictSection> ParseStrictly(const std::string& text, std::vector<std::string>& errors) {
  std::vector<StrictSection> sections;
  std::size_t pos = 0;
  int lineNo = 0;
  while (pos < text.size()) {
    ++lineNo;
    const std::size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) {
      errors.push_back("line " + std::to_string(lineNo) + " does not end in CR LF");
      break;
    }
    const std::string line = text.substr(pos, end - pos);
    pos = end + 2;
    if (line.empty()) continue;
    if (line.front() == '[' && line.back() == ']') {
      sections.push_back({line.substr(1, line.size() - 2), {}});
      continue;
    }
    const std::size_t eq = line.find(" = ");
    if (eq == std::string::npos || eq == 0 || sections.empty() || line.find('=') != eq + 1) {
      errors.push_back("line " + std::to_string(lineNo) + " is no entry: " + line);
      continue;
    }
    sections.back().entries.emplace_back(line.substr(0, eq), line.substr(eq + 3));
  }
  return sections;
}

bool IsPlainDecimal(const std::string& text) {
  const std::size_t point = text.find('.');
  const auto digits = [](const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (point == std::string::npos) return digits(text);
  return digits(text.substr(0, point)) && digits(text.substr(point + 1));
}

bool IsWholeNumber(const std::string& text) { return IsPlainDecimal(text) && text.find('.') == std::string::npos; }

}  // namespace velmora::test
