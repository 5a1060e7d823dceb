// SPDX-License-Identifier: GPL-3.0-or-later
// The core database state on its own, without a window: listing, the
// position a selection takes, showing a core, and every check of an add.
#include "app/CoreDatabaseState.h"

#include <gtest/gtest.h>

#include <tuple>

#include "lang/LanguageTable.h"

namespace velmora {
namespace {

std::string Record(const std::string& name, const std::string& Ae, const std::string& mu = "1800") {
  return FormatCoreRecord(name, Ae, "80", "57,5", mu);
}

CoreDatabaseState WithText(std::string text, int shape = kShapeE) {
  CoreDatabaseState s;
  s.SetText(std::move(text));
  s.shape = shape;
  return s;
}

TEST(CoreDatabaseState, ListsTheShapeInTheListsOrderAndShowsACore) {
  CoreDatabaseState s = WithText(Record("E b 1", "60") + Record("E 30/15/7", "52") + Record("E B 1", "53") +
                                 Record("E a 1", "54") + Record("PQ 20/16", "62", "2200.7"));
  EXPECT_EQ(s.ListNames(), (std::vector<std::string>{"E 30/15/7", "E a 1", "E b 1", "E B 1"}));
  s.shape = kShapeOther;
  EXPECT_EQ(s.ListNames(), std::vector<std::string>{"PQ 20/16"});

  s.Show("PQ 20/16");
  EXPECT_EQ(s.CurrentCore(), "PQ 20/16");
  EXPECT_EQ(s.Ae, "62");
  EXPECT_EQ(s.le, "57.5");  // the comma read as a point
  EXPECT_EQ(s.mu, "2200.7");
  EXPECT_EQ(s.Core().mu, 2200);  // a whole number
  EXPECT_DOUBLE_EQ(s.Core().Ve, 57.5 * 62 / 1000);
  EXPECT_EQ(s.Ve, "3.565");
  s.Show("E 99");  // no record: empty texts, zero numbers
  EXPECT_EQ(s.CurrentCore(), "E 99");
  EXPECT_EQ(s.Ae, "");
  EXPECT_EQ(s.Core().Ae, 0);
}

TEST(CoreDatabaseState, PositionsOfASelectionByNameAndOfAShapeChange) {
  CoreDatabaseState s;
  EXPECT_EQ(s.RememberedPosition(), -1);
  EXPECT_EQ(s.SelectByName(-1, 0), -1);  // empty list: nothing
  EXPECT_EQ(s.SelectByName(-1, 5), 0);   // not found, nothing remembered: the first
  EXPECT_EQ(s.SelectByName(3, 5), 3);    // found
  EXPECT_EQ(s.SelectByName(-1, 5), 3);   // not found: the remembered one
  EXPECT_EQ(s.SelectByName(-1, 2), 0);   // remembered one past the end: the first
  s.Remember(4);
  EXPECT_EQ(s.SelectAfterShapeChange(6), 4);  // the same position
  EXPECT_EQ(s.SelectAfterShapeChange(3), 0);  // past the end
  s.Remember(-1);
  EXPECT_EQ(s.SelectAfterShapeChange(3), 0);  // none (an empty list before)
  EXPECT_EQ(s.RememberedPosition(), 0);
}

TEST(CoreDatabaseState, EveryCheckOfAnAddInItsOrder) {
  CoreDatabaseState s = WithText(Record("E 25/13/7", "52") + Record("PQ 20/16", "62"));
  auto refusal = [&s](const std::string& name, bool byDims) {
    const auto add = s.PrepareAdd(name, byDims);
    return add.refusal ? LangSectionName(add.refusal->section) + std::string(" s") + std::to_string(add.refusal->key)
                       : "ok " + add.name;
  };
  EXPECT_EQ(refusal("", false), "BASE CORES s24");
  EXPECT_EQ(refusal("20/10/6", false), "BASE CORES s25");  // no mu
  s.mu = "1800";
  EXPECT_EQ(refusal("20[1]", false), "OTHERS s28");
  s.shape = kShapeOther;
  EXPECT_EQ(refusal("pq 20/16", false), "BASE CORES s29");  // taken, letter case ignored
  s.shape = kShapeE;
  EXPECT_EQ(refusal("25/13/7", false), "BASE CORES s29");    // the prefix makes it E 25/13/7
  EXPECT_EQ(refusal("20/10/6", false), "BASE CORES s27");
  s.Ae = "32";
  s.An = "40";
  s.le = "4\n5";
  EXPECT_EQ(refusal("20/10/6", false), "OTHERS s30");
  s.le = "45";
  EXPECT_EQ(refusal("20/10/6", false), "ok E 20/10/6");
  EXPECT_EQ(s.le, "45");  // data are kept as typed

  // By dimensions: the shape's dimensions, computed texts.
  s.shape = kShapeR;
  EXPECT_EQ(s.DimensionsUsed(), 3);
  s.dims.A = "20";
  s.dims.B = "10";
  EXPECT_EQ(refusal("20/10/7", true), "BASE CORES s26");
  s.dims.C = "7";
  EXPECT_EQ(refusal("20/10/7", true), "ok R 20/10/7");
  EXPECT_EQ(std::tie(s.Ae, s.An, s.le), std::make_tuple("35.00", "54.98", "47.1"));
  s.shape = kShapeOther;
  EXPECT_EQ(s.DimensionsUsed(), 0);
  EXPECT_EQ(refusal("X 1", true), "BASE CORES s26");  // no formulas for other

  s.ClearTexts();
  EXPECT_EQ(std::tie(s.mu, s.Ae, s.An, s.le, s.Ve, s.dims.A, s.dims.C), std::make_tuple("", "", "", "", "", "", ""));
}

TEST(CoreDatabaseState, TheRecordGoesOnALineOfItsOwnUnlessTheNameIsThere) {
  CoreDatabaseState s;
  s.Ae = "52,5";
  s.An = "60";
  s.le = "57.5";
  s.mu = "1800";
  const std::string record = "[E 1]\r\nAe = 52,5\r\nAn = 60\r\nle = 57.5\r\nmu = 1800\r\n\r\n";
  EXPECT_EQ(s.WithRecord("", "E 1"), record);
  EXPECT_EQ(s.WithRecord("[E 2]\r\nmu = 1", "E 1"), "[E 2]\r\nmu = 1\r\n" + record);  // no line break at the end
  EXPECT_EQ(s.WithRecord("[E 2]\nmu = 1\n", "E 1"), "[E 2]\nmu = 1\n" + record);
  EXPECT_EQ(s.WithRecord("[e 1]\r\nmu = 1\r\n", "E 1"), std::nullopt);  // added meanwhile by another window
}

}  // namespace
}  // namespace velmora
