// SPDX-License-Identifier: GPL-3.0-or-later
// Files with LF-only line ends, as written on Linux: every reader takes an
// LF-only copy of each shipped file exactly as the CR LF original.
#include <gtest/gtest.h>

#include <string>

#include "calc/WireTable.h"
#include "data/CoreDatabase.h"
#include "data/MaterialRecord.h"
#include "lang/LanguageTable.h"
#include "settings/SettingsRecord.h"
#include "share/ShippedData.h"

namespace velmora {
namespace {

using test::ReadShared;

std::string LfOnly(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
  return out;
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

void ExpectSameMaterial(const std::string& crlf, const std::string& lf) {
  MaterialRecord a, b;
  EXPECT_TRUE(ParseMaterialText(crlf, a));
  EXPECT_TRUE(ParseMaterialText(lf, b));
  EXPECT_GT(a.nF, 0);
  EXPECT_EQ(a.nB, b.nB);
  EXPECT_EQ(a.nF, b.nF);
  EXPECT_EQ(a.Bmax, b.Bmax);
  EXPECT_EQ(a.Bmmax, b.Bmmax);
  EXPECT_EQ(a.mu, b.mu);
  for (int r = 0; r < MaterialRecord::kRows; ++r)
    for (int c = 0; c < MaterialRecord::kColumns; ++c) EXPECT_EQ(a.table[r][c], b.table[r][c]) << r << "," << c;
}

void ExpectSameCores(const std::string& crlf, const std::string& lf) {
  int cores = 0;
  for (int shape = 0; shape < kShapeCount; ++shape) {
    const auto names = ListCoreNames(crlf, shape);
    EXPECT_EQ(ListCoreNames(lf, shape), names) << shape;
    for (const std::string& name : names) {
      ++cores;
      const CoreTexts a = ReadCoreTexts(crlf, name), b = ReadCoreTexts(lf, name);
      EXPECT_FALSE(a.mu.empty()) << name;
      EXPECT_EQ(std::tie(a.Ae, a.An, a.le, a.mu), std::tie(b.Ae, b.An, b.le, b.mu)) << name;
      const CoreExtras x = ReadCoreExtras(crlf, name), y = ReadCoreExtras(lf, name);
      EXPECT_EQ(x.MLT, y.MLT) << name;
      EXPECT_EQ(x.Asurf, y.Asurf) << name;
    }
  }
  EXPECT_GT(cores, 100);
}

void ExpectSameWires(const std::string& crlf, const std::string& lf) {
  const WireTable a = ParseWireTable(crlf), b = ParseWireTable(lf);
  EXPECT_GT(a.entries.size(), 20u);
  ASSERT_EQ(a.entries.size(), b.entries.size());
  for (std::size_t i = 0; i < a.entries.size(); ++i) {
    EXPECT_EQ(a.entries[i].d, b.entries[i].d) << i;
    EXPECT_EQ(a.entries[i].diz, b.entries[i].diz) << i;
  }
}

TEST(LfOnlyFiles, EveryShippedFileReadsAsItsCrLfOriginal) {
  int files = 0;
  for (const std::string& name : test::SharedFiles()) {
    SCOPED_TRACE(name);
    const std::string crlf = ReadShared(name);
    const std::string lf = LfOnly(crlf);
    ASSERT_LT(lf.size(), crlf.size());  // every shipped file has CR LF lines
    ASSERT_EQ(lf.find('\r'), std::string::npos);
    if (EndsWith(name, ".lng")) {
      LanguageTable a, b;
      ParseLanguageText(crlf, a);
      ParseLanguageText(lf, b);
      EXPECT_FALSE(a[kMessageCaption].empty());
      EXPECT_FALSE(a.report.empty());
      EXPECT_EQ(a, b);
    } else if (name == "Materials.txt") {
      EXPECT_GE(ParseMaterialList(crlf).size(), 5u);
      EXPECT_EQ(ParseMaterialList(lf), ParseMaterialList(crlf));
    } else if (name == "BaseCores.txt") {
      ExpectSameCores(crlf, lf);
    } else if (name == "Wire.txt") {
      ExpectSameWires(crlf, lf);
    } else if (name.rfind("ReadMe-", 0) == 0 || name == "Data-Licences.txt") {
      continue;  // the help text and the licence note are read as they stand, not looked up
    } else {
      ExpectSameMaterial(crlf, lf);
    }
    ++files;
  }
  EXPECT_GE(files, 13);
}

TEST(LfOnlyFiles, SettingsAndDesignFilesReadAsTheirCrLfOriginals) {
  SettingsRecord written;
  int count = 0;
  const char* const* keys = SettingsKeys(&count);
  for (int i = 0; i < count; ++i) ASSERT_TRUE(SetSettingsField(written, keys[i], "1"));
  SetSettingsField(written, "core", "ETD 29/16/10");
  SetSettingsField(written, "mater", "3F3 Ferroxcube");
  SetSettingsField(written, "L", "47,5");
  SetSettingsField(written, "lang", "Russian");
  for (const bool withLanguage : {true, false}) {
    const std::string crlf = SerializeSettings(written, withLanguage);
    SettingsRecord a, b;
    ParseSettings(crlf, withLanguage, a);
    ParseSettings(LfOnly(crlf), withLanguage, b);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.core, "ETD 29/16/10");
    EXPECT_EQ(a.L, "47,5");
    EXPECT_EQ(a.lang, withLanguage ? "Russian" : SettingsRecord().lang);
  }
}

}  // namespace
}  // namespace velmora
