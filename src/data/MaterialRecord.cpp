// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/MaterialRecord.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"
#include "textfile/KeyedTextFile.h"
#include "textfile/Numbers.h"

namespace velmora {

namespace {

constexpr std::string_view kFluxSection = "Flux density";
constexpr std::string_view kFrequencySection = "Frequencies";

std::string Indexed(std::string_view stem, int index) { return std::string(stem) + FormatInt(index); }

// The leading number of a value text whose decimal separator may be ','.
double NumberOf(std::string_view value) { return ReadLeadingDouble(CommaToPoint(value)); }

}  // namespace

bool ParseMaterialText(std::string_view text, MaterialRecord& record) {
  for (auto& row : record.table)
    for (double& cell : row) cell = 0.0;

  // The flux-density texts stay as written: they name the loss keys "B_" + text,
  // so a comma in them is kept there.
  std::vector<std::string> fluxTexts;
  for (int c = 1; c <= MaterialRecord::kMaxFluxDensities; ++c) {
    std::string b = KeyedTextFile::GetSectionValue(text, kFluxSection, Indexed("B", c));
    if (b.empty()) break;
    record.table[0][c] = NumberOf(b) / 1000.0;  // mT in the file, T in the table
    fluxTexts.push_back(std::move(b));
  }
  record.nB = static_cast<int>(fluxTexts.size());

  int nF = 0;
  std::vector<std::string> frequencyTexts;
  for (int r = 1; r <= MaterialRecord::kMaxFrequencies; ++r) {
    std::string f = KeyedTextFile::GetSectionValue(text, kFrequencySection, Indexed("F", r));
    if (f.empty()) break;
    f = CommaToPoint(f);
    record.table[r][0] = ReadLeadingDouble(f);
    const std::string section = "F_" + f;
    for (int c = 1; c <= record.nB; ++c) {
      const std::string loss = KeyedTextFile::GetSectionValue(text, section, "B_" + fluxTexts[c - 1]);
      record.table[r][c] = NumberOf(loss);  // an absent loss reads 0
    }
    nF = r;
    frequencyTexts.push_back(f);
  }
  record.nF = nF;
  ReadTemperatureTables(text, frequencyTexts, fluxTexts, record);
  ReadPowderSection(text, record);
  // Optional keys of newer files; an older program never looks for them.
  for (auto [key, field] : {std::pair{"Bsat25", &record.Bsat25}, std::pair{"Tcurie", &record.Tcurie}}) {
    const double v = NumberOf(KeyedTextFile::GetValue(text, key));
    *field = std::isfinite(v) && v > 0 ? v : 0.0;
  }

  // Replaced one after the other; the first missing one ends the load and
  // leaves itself and the rest as they were.
  for (auto [key, field] :
       {std::pair{"Bmax", &record.Bmax}, std::pair{"Bmmax", &record.Bmmax}, std::pair{"mu", &record.mu}}) {
    const std::string v = KeyedTextFile::GetValue(text, key);
    if (v.empty()) return false;
    *field = NumberOf(v);
  }
  return true;
}

SaturationPoint SaturationAt(const MaterialRecord& m, double T) {
  SaturationPoint p;
  if (!m.HasSaturationData()) {
    p.Bsat_T = std::isnan(T) ? T : m.Bmax;
    p.fromBmax = true;
    return p;
  }
  constexpr double kLow = kSaturationLowTemperature;
  constexpr double kHigh = MaterialRecord::kTableTemperature;
  const double line = m.Bsat25 + (m.Bmax - m.Bsat25) * (std::max(T, kLow) - kLow) / (kHigh - kLow);
  if (!(T > kHigh)) {
    p.Bsat_T = line;
    return p;
  }
  p.extrapolated = true;
  const double towardsCurie = m.Bmax * (m.Tcurie - T) / (m.Tcurie - kHigh);
  p.Bsat_T = std::max(0.0, std::min(line, towardsCurie));
  return p;
}

bool LoadMaterialData(const std::string& path, MaterialRecord& record) {
  const std::optional<std::string> bytes = ReadWholeFile(path, constants::kMaxMaterialFileBytes);
  if (!bytes) return false;
  return ParseMaterialText(UpToFirstZero(*bytes), record);
}

std::vector<std::string> ParseMaterialList(std::string_view text) {
  std::vector<std::string> names;
  // Each key "Mat<i>" must occur in the text, so the loop ends within its length.
  for (int i = 1;; ++i) {
    std::string name = KeyedTextFile::GetValue(text, Indexed("Mat", i));
    if (name.empty()) break;
    // A name that can be no file name names a material whose file cannot be
    // opened; start-up stops at it, so the names after it are not needed.
    const bool noFileName = DataFilePath("", Cp1251ToUtf8(name), ".txt").empty();
    names.push_back(std::move(name));
    if (noFileName) break;
  }
  return names;
}

}  // namespace velmora
