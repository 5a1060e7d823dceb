// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "data/MaterialRecord.h"
#include "support/TempDir.h"
#include "textfile/Limits.h"

namespace velmora {
namespace {

using test::crlf;

// Two flux densities and two frequencies with a full loss table.
std::string TwoByTwo(bool withBmax = true, bool withMu = true) {
  std::string text =
      crlf({"[Flux density]", "B1 = 50", "B2 = 100", "", "[Frequencies]", "F1 = 25", "F2 = 100", "", "[F_25]",
            "B_50 = 10", "B_100 = 40", "", "[F_100]", "B_50 = 60", "B_100 = 250", "", "[Limits]"});
  if (withBmax) text += crlf({"Bmax = 0.39"});
  text += crlf({"Bmmax = 0.2"});
  if (withMu) text += crlf({"mu = 2200"});
  return text;
}

MaterialRecord Preloaded() {
  MaterialRecord r;
  for (auto& row : r.table)
    for (double& cell : row) cell = 7.0;
  r.nB = 5;
  r.nF = 6;
  r.Bmax = 1.1;
  r.Bmmax = 2.2;
  r.mu = 3.3;
  return r;
}

TEST(MaterialText, TwoByTwoFileAndPartialReplacement) {
  MaterialRecord r = Preloaded();
  ASSERT_TRUE(ParseMaterialText(TwoByTwo(), r));
  EXPECT_EQ(r.nB, 2);
  EXPECT_EQ(r.nF, 2);
  const double expected[3][3] = {{0, 0.05, 0.1}, {25, 10, 40}, {100, 60, 250}};
  for (int row = 0; row < MaterialRecord::kRows; ++row)
    for (int col = 0; col < MaterialRecord::kColumns; ++col)
      EXPECT_DOUBLE_EQ(r.table[row][col], row < 3 && col < 3 ? expected[row][col] : 0.0) << row << col;
  EXPECT_DOUBLE_EQ(r.Bmax, 0.39);
  EXPECT_DOUBLE_EQ(r.Bmmax, 0.2);
  EXPECT_DOUBLE_EQ(r.mu, 2200);

  // Without Bmax: the table and its counts are new, Bmax and what follows it old.
  r = Preloaded();
  EXPECT_FALSE(ParseMaterialText(TwoByTwo(/*withBmax=*/false), r));
  EXPECT_EQ(r.nF, 2);
  EXPECT_DOUBLE_EQ(r.table[2][2], 250);
  EXPECT_EQ(r.table[5][5], 0.0);
  EXPECT_DOUBLE_EQ(r.Bmax, 1.1);
  EXPECT_DOUBLE_EQ(r.Bmmax, 2.2);
  EXPECT_DOUBLE_EQ(r.mu, 3.3);
  // Without mu: Bmax and Bmmax are new.
  r = Preloaded();
  EXPECT_FALSE(ParseMaterialText(TwoByTwo(true, /*withMu=*/false), r));
  EXPECT_DOUBLE_EQ(r.Bmmax, 0.2);
  EXPECT_DOUBLE_EQ(r.mu, 3.3);
}

// Bsat25 and Tcurie after mu: read when usable, else 0 (an older file), in
// every case replacing what the record held; the other values read as before.
TEST(MaterialText, SaturationKeysWithAndWithout) {
  const struct {
    const char* lines;
    double Bsat25, Tcurie;
  } kCases[] = {
      {"Bsat25 = 0.495\r\nTcurie = 210\r\n", 0.495, 210},
      {"Bsat25 = 0,52\r\nTcurie = 230 C\r\n", 0.52, 230},
      {"", 0, 0},
      {"Bsat25 = -0.5\r\nTcurie = nan\r\n", 0, 0},
      {"Tcurie = 90\r\n", 0, 90},  // no Curie point above 100 C: not used
  };
  for (const auto& c : kCases) {
    MaterialRecord r = Preloaded();
    r.Bsat25 = r.Tcurie = 7;
    ASSERT_TRUE(ParseMaterialText(TwoByTwo() + c.lines, r));
    EXPECT_DOUBLE_EQ(r.Bsat25, c.Bsat25);
    EXPECT_DOUBLE_EQ(r.Tcurie, c.Tcurie);
    EXPECT_EQ(r.HasSaturationData(), c.Bsat25 > 0 && c.Tcurie > 100);
    EXPECT_DOUBLE_EQ(r.Bmax, 0.39);
    EXPECT_DOUBLE_EQ(r.mu, 2200);
  }
}

TEST(MaterialText, DecimalCommas) {
  // A comma frequency names its section with a point; a comma flux density
  // keeps its comma in the loss key; a comma loss value is read with a point.
  const std::string text =
      crlf({"[Flux density]", "B1 = 12,5", "[Frequencies]", "F1 =  2,5 ", "[F_2,5]", "B_12,5 = 999", "[F_2.5]",
            "B_12.5 = 888", "B_12,5 = 1,5", "Bmax = 0,3", "Bmmax = 0,1", "mu = 1,5e3"});
  MaterialRecord r;
  ASSERT_TRUE(ParseMaterialText(text, r));
  EXPECT_DOUBLE_EQ(r.table[0][1], 0.0125);
  EXPECT_DOUBLE_EQ(r.table[1][0], 2.5);
  EXPECT_DOUBLE_EQ(r.table[1][1], 1.5);
  EXPECT_DOUBLE_EQ(r.Bmax, 0.3);
  EXPECT_DOUBLE_EQ(r.Bmmax, 0.1);
  EXPECT_DOUBLE_EQ(r.mu, 1500);
}

TEST(MaterialText, SparseAndEmptyFiles) {
  // No loss section at all: the grid loads with zero losses.
  MaterialRecord r = Preloaded();
  ASSERT_TRUE(ParseMaterialText(crlf({"[Flux density]", "B1 = 50", "B2 = 100", "[Frequencies]", "F1 = 25",
                                      "Bmax = 0.39", "Bmmax = 0.2", "mu = 2200"}),
                                r));
  EXPECT_EQ(r.nF, 1);
  EXPECT_DOUBLE_EQ(r.table[1][0], 25);
  EXPECT_EQ(r.table[1][1] + r.table[1][2], 0.0);

  // An empty text: no grid, false at Bmax, the old limits stay.
  r = Preloaded();
  EXPECT_FALSE(ParseMaterialText("", r));
  EXPECT_FALSE(r.HasData());
  EXPECT_EQ(r.table[1][1], 0.0);
  EXPECT_DOUBLE_EQ(r.Bmax, 1.1);
}

TEST(MaterialText, SurplusRowsAndColumnsAreIgnored) {
  // 12 flux densities and 25 frequencies, each loss = 1000 * row + column.
  std::string text = "[Flux density]\r\n";
  for (int c = 1; c <= 12; ++c) text += "B" + std::to_string(c) + " = " + std::to_string(c * 10) + "\r\n";
  text += "[Frequencies]\r\n";
  for (int r = 1; r <= 25; ++r) text += "F" + std::to_string(r) + " = " + std::to_string(r * 100) + "\r\n";
  for (int r = 1; r <= 25; ++r) {
    text += "[F_" + std::to_string(r * 100) + "]\r\n";
    for (int c = 1; c <= 12; ++c) text += "B_" + std::to_string(c * 10) + " = " + std::to_string(1000 * r + c) + "\r\n";
  }
  text += "Bmax = 0.39\r\nBmmax = 0.2\r\nmu = 2200\r\n";

  MaterialRecord r;
  ASSERT_TRUE(ParseMaterialText(text, r));
  EXPECT_EQ(r.nB, 9);
  EXPECT_EQ(r.nF, 19);
  EXPECT_DOUBLE_EQ(r.table[0][9], 0.09);
  EXPECT_DOUBLE_EQ(r.table[19][0], 1900);
  EXPECT_DOUBLE_EQ(r.table[19][9], 19009);
  // The fields behind the table are intact.
  EXPECT_DOUBLE_EQ(r.mu, 2200);
  EXPECT_EQ(r.name, "N87 Epcos");
}

TEST(MaterialFile, LoadsWholeFileOrNothing) {
  test::TempDir dir;
  MaterialRecord r = Preloaded();
  EXPECT_FALSE(LoadMaterialData(dir.path() + "/Missing.txt", r));
  EXPECT_EQ(r.nB, 5);
  EXPECT_DOUBLE_EQ(r.table[3][3], 7.0);

  // The limits stand behind a long comment: a file of its 10,000 bytes is
  // read whole, one byte more is refused and the record stays.
  std::string text = TwoByTwo(false, false);
  text += "; " + std::string(constants::kMaxMaterialFileBytes - text.size() - 28, '.') + "\r\n";
  text += crlf({"Bmax = 0.45", "mu = 1900"});
  ASSERT_EQ(text.size(), constants::kMaxMaterialFileBytes);
  dir.write("Big.txt", text);
  ASSERT_TRUE(LoadMaterialData(dir.path() + "/Big.txt", r));
  EXPECT_DOUBLE_EQ(r.Bmax, 0.45);
  EXPECT_DOUBLE_EQ(r.mu, 1900);
  dir.write("Big.txt", text + "mu = 7\r\n");
  EXPECT_FALSE(LoadMaterialData(dir.path() + "/Big.txt", r));
  EXPECT_DOUBLE_EQ(r.mu, 1900);

  // A zero byte ends the text.
  dir.write("Zero.txt", TwoByTwo(false, false) + std::string(1, '\0') + crlf({"Bmax = 0.45", "mu = 1"}));
  EXPECT_FALSE(LoadMaterialData(dir.path() + "/Zero.txt", r));
}

TEST(MaterialList, NamesUpToTheFirstEmpty) {
  EXPECT_EQ(ParseMaterialList(crlf({"Mat1 = N87 Epcos", "Mat2 =  3C90 ", "Mat3 = ", "Mat4 = N97"})),
            (std::vector<std::string>{"N87 Epcos", "3C90"}));
  EXPECT_TRUE(ParseMaterialList("").empty());
  // Twelve entries: Mat1 is found before Mat10, Mat11, Mat12.
  std::string many;
  for (int i = 1; i <= 12; ++i) many += "Mat" + std::to_string(i) + " = M" + std::to_string(i) + "\r\n";
  const auto names = ParseMaterialList(many);
  ASSERT_EQ(names.size(), 12u);
  EXPECT_EQ(names[0], "M1");
  EXPECT_EQ(names[11], "M12");
}

TEST(MaterialList, EndsAtANameThatCanBeNoFileName) {
  // The name with a '/' and the endless one are kept, since start-up reports
  // them, but nothing after them.
  std::string endless = "Mat1 = N87\r\n";
  for (int i = 2; i < 5000; ++i) endless += "Mat" + std::to_string(i) + " = ";
  endless += std::string(1'000'000, 'z');
  const auto names = ParseMaterialList(endless);
  ASSERT_EQ(names.size(), 2u);
  EXPECT_LE(names[1].size(), constants::kMaxValueBytes);
  EXPECT_EQ(ParseMaterialList("Mat1 = A/B\r\nMat2 = C\r\n"), std::vector<std::string>{"A/B"});
  // A lone LF ends a name as CR LF does.
  EXPECT_EQ(ParseMaterialList("Mat1 = A\nB\r\nMat2 = C\r\n"), (std::vector<std::string>{"A", "C"}));
  // A long but possible name does not end the list.
  const std::string longName(251 - 4, 'n');
  EXPECT_EQ(ParseMaterialList("Mat1 = " + longName + "\r\nMat2 = C\r\n").size(), 2u);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// Tables at other temperatures after the file's last line: the old values
// read as without them; a complete table is kept, one with a hole is not.
TEST(MaterialText, TablesOverTemperature) {
  const std::string plain = TwoByTwo();
  const std::string extended = plain + test::crlf({"",
                                                   "[Loss at 120 C]",
                                                   "L25/50 = 12",
                                                   "L25/100 = 48",
                                                   "L100/50 = 70",
                                                   "L100/100 = 300",
                                                   "",
                                                   "[Loss at 25 C]",
                                                   "L25/50 = 30",
                                                   "L25/100 = 90",
                                                   "L100/50 = 150",
                                                   "L100/100 = 500",
                                                   "",
                                                   "[Loss at 60 C]",
                                                   "L25/50 = 20",
                                                   "L25/100 = 70",
                                                   "L100/50 = 100",
                                                   "",
                                                   "[Loss at 100 C]",
                                                   "L25/50 = 1",
                                                   "L25/100 = 1",
                                                   "L100/50 = 1",
                                                   "L100/100 = 1"});
  MaterialRecord a, b;
  ASSERT_TRUE(ParseMaterialText(plain, a));
  ASSERT_TRUE(ParseMaterialText(extended, b));
  EXPECT_TRUE(a.temperatureTables.empty());
  EXPECT_EQ(std::memcmp(a.table, b.table, sizeof a.table), 0);
  EXPECT_EQ(std::tie(a.nB, a.nF, a.Bmax, a.Bmmax, a.mu), std::tie(b.nB, b.nF, b.Bmax, b.Bmmax, b.mu));
  // 25 and 120 C, ascending; 60 C lacks a cell, 100 C is the file's own table.
  ASSERT_EQ(b.temperatureTables.size(), 2u);
  const auto& cold = b.temperatureTables[0];
  EXPECT_EQ(cold.temperature_C, 25);
  EXPECT_EQ(b.temperatureTables[1].temperature_C, 120);
  EXPECT_EQ(cold.table[1][1], 30);
  EXPECT_EQ(cold.table[2][2], 500);
  EXPECT_EQ(cold.table[0][2], 0.1);  // the grid as the file's own table
  EXPECT_EQ(cold.table[2][0], 100);
  // A later load without them forgets them.
  ASSERT_TRUE(ParseMaterialText(plain, b));
  EXPECT_TRUE(b.temperatureTables.empty());
}

}  // namespace
}  // namespace velmora
