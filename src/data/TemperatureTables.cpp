// SPDX-License-Identifier: GPL-3.0-or-later
// The loss tables of a material file at other temperatures than its own
// 100 C table: sections "[Loss at 60 C]" after the file's last line, one key
// "L<f>/<B>" per cell of the 100 C grid, read line by line inside each
// section (the file's whole-text lookups never reach them).
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "data/MaterialRecord.h"
#include "textfile/Numbers.h"

namespace velmora {

namespace {

constexpr std::string_view kSectionStart = "[Loss at ";
constexpr std::string_view kSectionEnd = " C]";

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

struct Section {
  double temperature_C = 0;
  std::vector<std::pair<std::string_view, std::string_view>> entries;
};

// "[Loss at T C]": T, or NaN for any other line.
double SectionTemperature(std::string_view line) {
  if (line.substr(0, kSectionStart.size()) != kSectionStart ||
      line.size() < kSectionStart.size() + kSectionEnd.size() ||
      line.substr(line.size() - kSectionEnd.size()) != kSectionEnd)
    return std::nan("");
  const std::string number(line.substr(kSectionStart.size(), line.size() - kSectionStart.size() - kSectionEnd.size()));
  if (number.empty() || number.find_first_not_of("+-0123456789.") != std::string::npos) return std::nan("");
  return ReadLeadingDouble(number);
}

std::vector<Section> SectionsOf(std::string_view text) {
  std::vector<Section> sections;
  bool inside = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (!line.empty() && line.front() == '[') {
      const double t = SectionTemperature(line);
      inside = std::isfinite(t) && sections.size() < MaterialRecord::kMaxTemperatureTables;
      if (inside) sections.push_back({t, {}});
      continue;
    }
    const std::size_t eq = line.find('=');
    if (inside && eq != std::string_view::npos)
      sections.back().entries.emplace_back(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
  }
  return sections;
}

// The section's cells on the record's grid; false when one is missing or is
// no positive number (a table with a hole is not used at all).
bool FillTable(const Section& s, const MaterialRecord& record, const std::vector<std::string>& frequencyTexts,
               const std::vector<std::string>& fluxTexts, MaterialRecord::TemperatureTable& out) {
  out.temperature_C = s.temperature_C;
  for (int r = 0; r < MaterialRecord::kRows; ++r)
    for (int c = 0; c < MaterialRecord::kColumns; ++c) out.table[r][c] = record.table[r][c];
  for (std::size_t r = 0; r < frequencyTexts.size(); ++r) {
    for (std::size_t c = 0; c < fluxTexts.size(); ++c) {
      const std::string key = "L" + frequencyTexts[r] + "/" + fluxTexts[c];
      const auto it = std::find_if(s.entries.begin(), s.entries.end(), [&](const auto& e) { return e.first == key; });
      if (it == s.entries.end()) return false;
      const double v = ReadLeadingDouble(CommaToPoint(it->second));
      if (!(v > 0) || !std::isfinite(v)) return false;
      out.table[r + 1][c + 1] = v;
    }
  }
  return true;
}

}  // namespace

void ReadTemperatureTables(std::string_view text, const std::vector<std::string>& frequencyTexts,
                           const std::vector<std::string>& fluxTexts, MaterialRecord& record) {
  record.temperatureTables.clear();
  if (frequencyTexts.empty() || fluxTexts.empty()) return;
  for (const Section& s : SectionsOf(text)) {
    // The file's own table stands for 100 C; a repeated temperature keeps its first table.
    if (s.temperature_C == MaterialRecord::kTableTemperature) continue;
    const bool known = std::any_of(record.temperatureTables.begin(), record.temperatureTables.end(),
                                   [&](const auto& t) { return t.temperature_C == s.temperature_C; });
    if (known) continue;
    MaterialRecord::TemperatureTable table;
    if (FillTable(s, record, frequencyTexts, fluxTexts, table)) record.temperatureTables.push_back(table);
  }
  std::sort(record.temperatureTables.begin(), record.temperatureTables.end(),
            [](const auto& a, const auto& b) { return a.temperature_C < b.temperature_C; });
}

}  // namespace velmora
