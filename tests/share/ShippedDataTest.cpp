// SPDX-License-Identifier: GPL-3.0-or-later
// The core database, the materials and the wire table that ship with the
// program: each file in the exact layout its writer uses, and every value read
// back through the program's own readers as it stands in the file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "calc/Constants.h"
#include "calc/CoreLoss.h"
#include "calc/WireTable.h"
#include "data/CoreDatabase.h"
#include "data/MaterialRecord.h"
#include "share/ShippedData.h"
#include "textfile/Cp1251.h"
#include "textfile/Numbers.h"

namespace velmora {
namespace {

using test::IsPlainDecimal;
using test::IsWholeNumber;
using test::ReadShared;

double Num(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) {
      lines.push_back(text.substr(pos));
      break;
    }
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

TEST(ShippedFiles, AreWindows1251WithCrLfAndFitTheirBuffers) {
  const auto files = test::SharedFiles();
  ASSERT_GE(files.size(), 17u);
  for (const std::string& name : files) {
    SCOPED_TRACE(name);
    const std::string bytes = ReadShared(name);
    ASSERT_FALSE(bytes.empty());
    EXPECT_LT(bytes.size(), 100000u);  // the file buffer with its closing zero
    EXPECT_EQ(bytes.find('\0'), std::string::npos);
    EXPECT_EQ(bytes.find('\t'), std::string::npos);
    EXPECT_EQ(bytes.find(static_cast<char>(0x98)), std::string::npos);  // unassigned in Windows-1251
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\r') {
        ASSERT_EQ(bytes[i + 1], '\n') << "bare CR at " << i;
      }
      if (bytes[i] == '\n') {
        ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
      }
    }
  }
}

// The shape a shipped core belongs to, from the catalogue prefix of its name.
int IntendedShape(const std::string& name) {
  static const std::pair<const char*, int> kPrefixes[] = {
      {"E ", kShapeE}, {"EI ", kShapeEI}, {"ER ", kShapeER}, {"ETD ", kShapeETD}, {"R ", kShapeR}};
  for (const auto& [prefix, shape] : kPrefixes)
    if (name.rfind(prefix, 0) == 0) return shape;
  return kShapeOther;
}

struct StrictCore {
  std::string name, Ae, An, le, mu, MLT, Asurf, bw, mas, sold;
};

// One record: "[name]", "Ae = ", "An = ", "le = ", "mu = ", the optional
// "MLT = ", "Asurf = ", "bw = ", "mas = " and "sold = " of the shipped cores, and an empty line.
std::vector<StrictCore> ReadCoresStrictly(const std::string& text) {
  const auto lines = SplitCrLf(text);
  std::vector<StrictCore> cores;
  std::size_t i = 0;
  while (i + 5 < lines.size()) {
    const std::string& head = lines[i];
    EXPECT_TRUE(head.size() > 2 && head.front() == '[' && head.back() == ']') << head;
    StrictCore c;
    c.name = head.substr(1, head.size() - 2);
    std::string* values[] = {&c.Ae, &c.An, &c.le, &c.mu};
    const char* keys[] = {"Ae = ", "An = ", "le = ", "mu = "};
    for (int k = 0; k < 4; ++k) {
      const std::string& line = lines[i + 1 + static_cast<std::size_t>(k)];
      EXPECT_EQ(line.rfind(keys[k], 0), 0u) << c.name << ": " << line;
      *values[k] = line.substr(5);
    }
    i += 5;
    if (i < lines.size() && lines[i].rfind("MLT = ", 0) == 0) c.MLT = lines[i++].substr(6);
    if (i < lines.size() && lines[i].rfind("Asurf = ", 0) == 0) c.Asurf = lines[i++].substr(8);
    if (i < lines.size() && lines[i].rfind("bw = ", 0) == 0) c.bw = lines[i++].substr(5);
    if (i < lines.size() && lines[i].rfind("mas = ", 0) == 0) c.mas = lines[i++].substr(6);
    if (i < lines.size() && lines[i].rfind("sold = ", 0) == 0) c.sold = lines[i++].substr(7);
    EXPECT_TRUE(i < lines.size() && lines[i].empty()) << c.name;
    ++i;
    cores.push_back(c);
  }
  EXPECT_EQ(i, lines.size());
  return cores;
}

TEST(ShippedCores, EveryCoreIsListedUnderItsShapeAndReadsBackExactly) {
  const std::string db = ReadShared("BaseCores.txt");
  const auto cores = ReadCoresStrictly(db);
  ASSERT_GE(cores.size(), 110u);

  std::map<int, std::multiset<std::string>> listed;
  for (int shape = 0; shape < kShapeCount; ++shape)
    for (const std::string& n : ListCoreNames(db, shape)) listed[shape].insert(n);

  std::set<std::string> names;
  std::map<int, int> perShape;
  for (const StrictCore& c : cores) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(names.insert(c.name).second) << "duplicate name";
    EXPECT_TRUE(IsValidCoreName(c.name));
    const int shape = IntendedShape(c.name);
    ++perShape[shape];
    // Listed once under its own shape, under no other, and recognised as
    // that shape when a design or the settings name it.
    for (int s = 0; s < kShapeCount; ++s) EXPECT_EQ(listed[s].count(c.name), s == shape ? 1u : 0u) << s;
    EXPECT_EQ(ShapeOfName(c.name), shape);
    // The record reads back with exactly the texts of the file.
    const CoreTexts t = ReadCoreTexts(db, c.name);
    EXPECT_EQ(t.Ae, c.Ae);
    EXPECT_EQ(t.An, c.An);
    EXPECT_EQ(t.le, c.le);
    EXPECT_EQ(t.mu, c.mu);
    // Every shipped core carries its winding geometry, read as numbers.
    const CoreExtras extras = ReadCoreExtras(db, c.name);
    EXPECT_EQ(FormatFixed(extras.MLT, 1), FormatFixed(ReadLeadingDouble(c.MLT), 1));
    EXPECT_GT(extras.MLT, 0);
    EXPECT_GT(extras.Asurf, 0);
    EXPECT_DOUBLE_EQ(extras.Asurf, ReadLeadingDouble(c.Asurf));
    EXPECT_GT(extras.bw, 0);
    EXPECT_DOUBLE_EQ(extras.bw, ReadLeadingDouble(c.bw));
    // Its MAS shape name, in lower case: no shape's list pattern outside a header.
    EXPECT_FALSE(c.mas.empty());
    EXPECT_EQ(ReadCoreMasName(db, c.name), c.mas);
    EXPECT_EQ(c.mas.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos) << c.mas;
    EXPECT_TRUE(IsPlainDecimal(c.Ae) && IsPlainDecimal(c.An) && IsPlainDecimal(c.le));
    EXPECT_TRUE(IsWholeNumber(c.mu));
    const CoreRecord r = CoreFromTexts(c.name, t);
    EXPECT_EQ(r.Ae, Num(c.Ae));
    EXPECT_EQ(r.An, Num(c.An));
    EXPECT_EQ(r.le, Num(c.le));
    EXPECT_EQ(r.mu, Num(c.mu));
    EXPECT_GT(r.Ae, 0);
    EXPECT_GT(r.An, 0);
    EXPECT_GT(r.le, 0);
    // Ungapped sets of power ferrite: a few hundred up to the material's own;
    // a powder ring: the permeability the maker sells it in most (14 to 550).
    EXPECT_GE(r.mu, c.sold == "powder" ? 14 : 500);
    EXPECT_LE(r.mu, c.sold == "powder" ? 550 : 3000);
  }
  // Nothing else is listed: the lists hold exactly the shipped names.
  std::size_t listedTotal = 0;
  for (const auto& [shape, set] : listed) listedTotal += set.size();
  EXPECT_EQ(listedTotal, cores.size());
  for (int s = 0; s < kShapeCount; ++s) EXPECT_GT(perShape[s], 0) << "no core of shape " << s;
  EXPECT_EQ(names.count(constants::kDefaultCore), 1u);
}

// A material data file read strictly: the table as texts.
struct StrictMaterial {
  std::vector<std::string> flux, freqs;     // mT, kHz
  std::vector<std::vector<std::string>> p;  // p[row][column]
  std::string Bmax, Bmmax, mu, Bsat25, Tcurie;
  std::vector<std::string> temperatures;  // of the sections "Loss at T C", in file order
};

StrictMaterial ReadMaterialStrictly(const std::string& text) {
  std::vector<std::string> errors;
  const auto sections = test::ParseStrictly(text, errors);
  EXPECT_TRUE(errors.empty()) << errors.front();
  StrictMaterial m;
  std::map<std::string, const test::StrictSection*> byName;
  for (const auto& s : sections) {
    EXPECT_TRUE(byName.emplace(s.name, &s).second) << "section twice: " << s.name;
  }
  auto numbered = [&](const char* section, const char* prefix, std::vector<std::string>& out) {
    const auto* s = byName.count(section) ? byName[section] : nullptr;
    if (!s) return ADD_FAILURE() << "no section " << section;
    for (std::size_t i = 0; i < s->entries.size(); ++i) {
      EXPECT_EQ(s->entries[i].first, prefix + std::to_string(i + 1));
      out.push_back(s->entries[i].second);
    }
  };
  numbered("Flux density", "B", m.flux);
  numbered("Frequencies", "F", m.freqs);
  // Tables over temperature after the limits: one key per cell, in the
  // order of the 100 C grid.
  for (const auto& s : sections) {
    if (s.name.rfind("Loss at ", 0) != 0) continue;
    m.temperatures.push_back(s.name.substr(8));
    std::size_t k = 0;
    for (const std::string& f : m.freqs)
      for (const std::string& b : m.flux) {
        EXPECT_TRUE(k < s.entries.size() && s.entries[k].first == "L" + f + "/" + b) << s.name << " " << k;
        if (k < s.entries.size()) {
          EXPECT_GT(Num(s.entries[k].second), 0);
        }
        ++k;
      }
    EXPECT_EQ(k, s.entries.size()) << s.name;
  }
  // The two lists, one per frequency, the limits, one per temperature.
  EXPECT_EQ(sections.size(), m.freqs.size() + 3 + m.temperatures.size());
  for (const std::string& f : m.freqs) {
    const auto* s = byName.count("F_" + f) ? byName["F_" + f] : nullptr;
    if (!s) {
      ADD_FAILURE() << "no section F_" << f;
      continue;
    }
    std::vector<std::string> row;
    EXPECT_EQ(s->entries.size(), m.flux.size());
    for (std::size_t c = 0; c < s->entries.size() && c < m.flux.size(); ++c) {
      EXPECT_EQ(s->entries[c].first, "B_" + m.flux[c]);
      row.push_back(s->entries[c].second);
    }
    m.p.push_back(row);
  }
  const auto& last = byName.count("Limits") ? byName["Limits"]->entries : sections.back().entries;
  EXPECT_EQ(last.size(), 5u);
  for (const auto& [key, value] : last) {
    if (key == "Bsat25") m.Bsat25 = value;
    if (key == "Tcurie") m.Tcurie = value;
    if (key == "Bmax") m.Bmax = value;
    if (key == "Bmmax") m.Bmmax = value;
    if (key == "mu") m.mu = value;
  }
  return m;
}

TEST(ShippedMaterials, TheListStartsWithTheFallbackAndEveryMaterialLoads) {
  const std::string list = ReadShared("Materials.txt");
  const std::vector<std::string> names = ParseMaterialList(list);
  ASSERT_EQ(names.size(), 61u);  // ten ferrites, 51 powders
  EXPECT_EQ(names.front(), constants::kFallbackMaterial);
  // The list read by lines gives the same names in the same order.
  const auto lines = SplitCrLf(list);
  ASSERT_EQ(lines.size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(lines[i], "Mat" + std::to_string(i + 1) + " = " + names[i]);

  // The ferrites, listed first; the powders are ShippedPowderTest's.
  for (const std::string& name : std::vector<std::string>(names.begin(), names.begin() + 10)) {
    SCOPED_TRACE(name);
    const std::string text = ReadShared(name + ".txt");
    ASSERT_FALSE(text.empty());
    EXPECT_LT(text.size(), 10000u);  // the material file buffer with its zero byte
    const StrictMaterial m = ReadMaterialStrictly(text);
    ASSERT_GE(m.flux.size(), 2u);
    ASSERT_GE(m.freqs.size(), 2u);
    ASSERT_LE(m.flux.size(), static_cast<std::size_t>(MaterialRecord::kMaxFluxDensities));
    ASSERT_LE(m.freqs.size(), static_cast<std::size_t>(MaterialRecord::kMaxFrequencies));

    MaterialRecord rec;
    rec.name = name;
    ASSERT_TRUE(LoadMaterialData(test::ShareDir() + name + ".txt", rec));
    ASSERT_EQ(rec.nB, static_cast<int>(m.flux.size()));
    ASSERT_EQ(rec.nF, static_cast<int>(m.freqs.size()));
    for (int c = 1; c <= rec.nB; ++c) {
      EXPECT_TRUE(IsPlainDecimal(m.flux[c - 1]));
      EXPECT_EQ(rec.table[0][c], Num(m.flux[c - 1]) / 1000) << "B" << c;
      if (c > 1) {
        EXPECT_GT(rec.table[0][c], rec.table[0][c - 1]);
      }
    }
    for (int r = 1; r <= rec.nF; ++r) {
      EXPECT_TRUE(IsPlainDecimal(m.freqs[r - 1]));
      EXPECT_EQ(rec.table[r][0], Num(m.freqs[r - 1])) << "F" << r;
      if (r > 1) {
        EXPECT_GT(rec.table[r][0], rec.table[r - 1][0]);
      }
      for (int c = 1; c <= rec.nB; ++c) {
        EXPECT_TRUE(IsPlainDecimal(m.p[r - 1][c - 1]));
        EXPECT_EQ(rec.table[r][c], Num(m.p[r - 1][c - 1])) << "F" << r << " B" << c;
        EXPECT_GT(rec.table[r][c], 0);
        // Loss grows with the flux density and with the frequency.
        if (c > 1) {
          EXPECT_GT(rec.table[r][c], rec.table[r][c - 1]);
        }
        if (r > 1) {
          EXPECT_GT(rec.table[r][c], rec.table[r - 1][c]);
        }
      }
    }
    EXPECT_EQ(m.temperatures, (std::vector<std::string>{"25 C", "40 C", "60 C", "80 C", "120 C"}));
    ASSERT_EQ(rec.temperatureTables.size(), m.temperatures.size());
    EXPECT_EQ(rec.Bmax, Num(m.Bmax));
    EXPECT_EQ(rec.Bmmax, Num(m.Bmmax));
    EXPECT_EQ(rec.mu, Num(m.mu));
    EXPECT_TRUE(IsWholeNumber(m.mu));
    EXPECT_GT(rec.Bmmax, 0);
    EXPECT_LT(rec.Bmmax, rec.Bmax);
    EXPECT_LT(rec.Bmax, 0.6);  // ferrite
    // Saturation at 25 C above the 100 C value, the Curie point well above 100 C.
    EXPECT_EQ(rec.Bsat25, Num(m.Bsat25));
    EXPECT_EQ(rec.Tcurie, Num(m.Tcurie));
    EXPECT_GT(rec.Bsat25, rec.Bmax);
    EXPECT_TRUE(rec.HasSaturationData() && rec.Tcurie >= 200 && rec.Tcurie < 300);
    // The default frequency is inside the table, so the frequency rule keeps it.
    EXPECT_GE(rec.LastFrequency(), 100.0);

    // At every table point (below the last row and column) the interpolation
    // returns the table value itself.
    for (int r = 1; r < rec.nF; ++r)
      for (int c = 1; c < rec.nB; ++c) {
        const CoreLossEstimate e = EstimateCoreLoss(rec, rec.table[r][0], rec.table[0][c], 2.0);
        EXPECT_NEAR(e.Pv, rec.table[r][c], 1e-9 * rec.table[r][c]) << "F" << r << " B" << c;
        EXPECT_NEAR(e.Pcore, rec.table[r][c] / 1000 * 2.0, 1e-9 * rec.table[r][c]);
      }
    // The flux amplitude at the loss limit is finite, positive, at most
    // Bmmax, and does not rise with the frequency.
    double previous = INFINITY;
    for (int r = 1; r <= rec.nF; ++r) {
      const double b = FluxAmplitudeAtLossLimit(rec, rec.table[r][0], constants::kLossDensityLimit);
      EXPECT_TRUE(std::isfinite(b)) << "F" << r;
      EXPECT_GT(b, 0) << "F" << r;
      EXPECT_LE(b, rec.Bmmax) << "F" << r;
      EXPECT_LE(b, previous + 1e-12) << "F" << r;
      previous = b;
    }
  }
}

TEST(ShippedWires, AscendingMetricSizesWithTheDefaultSize) {
  const std::string text = ReadShared("Wire.txt");
  const auto lines = SplitCrLf(text);
  ASSERT_EQ(lines.size() % 2, 0u);
  const WireTable table = ParseWireTable(text);
  ASSERT_EQ(table.entries.size(), lines.size() / 2);
  ASSERT_LE(table.entries.size(), static_cast<std::size_t>(constants::kMaxWireEntries));
  ASSERT_GE(table.entries.size(), 60u);
  for (std::size_t i = 0; i < table.entries.size(); ++i) {
    const std::string d = "d" + std::to_string(i + 1) + " = ";
    const std::string diz = "diz" + std::to_string(i + 1) + " = ";
    ASSERT_EQ(lines[2 * i].rfind(d, 0), 0u) << lines[2 * i];
    ASSERT_EQ(lines[2 * i + 1].rfind(diz, 0), 0u) << lines[2 * i + 1];
    const std::string dText = lines[2 * i].substr(d.size());
    const std::string dizText = lines[2 * i + 1].substr(diz.size());
    EXPECT_TRUE(IsPlainDecimal(dText) && IsPlainDecimal(dizText));
    const WireEntry& e = table.entries[i];
    EXPECT_EQ(e.d, Num(dText));
    EXPECT_EQ(e.diz, Num(dizText));
    // The enamel adds a few hundredths of a millimetre, never nothing.
    EXPECT_GT(e.diz, e.d);
    EXPECT_LT(e.diz, e.d * 1.25);
    if (i > 0) {
      EXPECT_GT(e.d, table.entries[i - 1].d);
      EXPECT_GT(e.diz, table.entries[i - 1].diz);
    }
    // A size shown by the program reads back as the same size.
    EXPECT_EQ(Num(FormatDiameter(e.d)), e.d);
  }
  // The default wire size is a table size: no notice at the first start.
  const WireChoice w = SelectWire(table, false, true, "1.06", 0.5, "a b c d", "mm");
  EXPECT_FALSE(w.notice);
  EXPECT_EQ(w.d, 1.06);
  EXPECT_EQ(w.fieldText, "1.06");
}

}  // namespace
}  // namespace velmora
