// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/CoreDatabase.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace velmora {
namespace {

using Names = std::vector<std::string>;

std::string Record(std::string_view name, std::string_view Ae = "1", std::string_view mu = "2000") {
  return FormatCoreRecord(name, Ae, "2", "3", mu);
}

// One core of every kind the list rules tell apart.
std::string MixedDatabase() {
  std::string db;
  for (const char* name : {"E 25/13/7", "EI 30", "ER 25", "ETD 29", "R 20/10/7", "RM 10", "PQ E 20",
                           "PQ 20/16", "EFD 20", "RX 5"})
    db += Record(name);
  return db;
}

TEST(CoreList, EachShapeByItsPattern) {
  const std::string db = MixedDatabase();
  // "PQ E 20" holds "E ": listed under E from the pattern on.
  EXPECT_EQ(ListCoreNames(db, kShapeE), (Names{"E 25/13/7", "E 20"}));
  EXPECT_EQ(ListCoreNames(db, kShapeEI), (Names{"EI 30"}));
  // "ER 25" holds "R " but not right after '[': ER only.
  EXPECT_EQ(ListCoreNames(db, kShapeER), (Names{"ER 25"}));
  EXPECT_EQ(ListCoreNames(db, kShapeETD), (Names{"ETD 29"}));
  EXPECT_EQ(ListCoreNames(db, kShapeR), (Names{"R 20/10/7"}));
  // RM counts as other; "EFD 20" and "RX 5" belong to no shape at all.
  EXPECT_EQ(ListCoreNames(db, kShapeOther), (Names{"RM 10", "PQ E 20", "PQ 20/16"}));
  EXPECT_TRUE(ListCoreNames(db, 6).empty());
  EXPECT_TRUE(ListCoreNames(db, -1).empty());
  EXPECT_TRUE(ListCoreNames("", kShapeOther).empty());
}

TEST(CoreList, UnclosedOrTruncatedTextsEndTheScan) {
  const std::string db = Record("E 25/13/7") + Record("R 9") + Record("PQ 26");
  for (const std::string tail : {"[E 30", "[EI 30", "[ER 30", "[ETD 30", "[R 30", "[PQ 30", "[", "[R",
                                 "R ", "E", "[RM"}) {
    SCOPED_TRACE(tail);
    for (int shape = 0; shape < kShapeCount; ++shape) {
      const Names names = ListCoreNames(db + tail, shape);
      EXPECT_EQ(names, ListCoreNames(db, shape)) << shape;
    }
  }
  // A text made of a pattern only, or starting right at one.
  EXPECT_TRUE(ListCoreNames("R ", kShapeR).empty());
  EXPECT_EQ(ListCoreNames("R 1]", kShapeR), Names{});
  EXPECT_EQ(ListCoreNames("E 1]", kShapeE), Names{"E 1"});
}

TEST(CoreNames, ShapesAndPrefixes) {
  EXPECT_EQ(ShapeOfName("PQ E 20"), kShapeE);
  EXPECT_EQ(ShapeOfName("ER 25"), kShapeER);  // also holds "R ": the earlier row wins
  EXPECT_EQ(ShapeOfName("ETD 29"), kShapeETD);
  EXPECT_EQ(ShapeOfName("R 20/10/7"), kShapeR);
  EXPECT_EQ(ShapeOfName("RM 10"), kShapeOther);

  EXPECT_EQ(WithShapePrefix("25/13/7", kShapeE), "E 25/13/7");
  EXPECT_EQ(WithShapePrefix("PQ E 20", kShapeE), "PQ E 20");
  EXPECT_EQ(WithShapePrefix("ER 25", kShapeR), "ER 25");
  EXPECT_EQ(WithShapePrefix("RM 10", kShapeOther), "RM 10");
  EXPECT_STREQ(ShapePrefix(42), "");

  EXPECT_TRUE(IsValidCoreName("E 25/13/7"));
  for (const char* bad : {"E [25]", "E 25]", "E\r25", "E\n25"}) EXPECT_FALSE(IsValidCoreName(bad)) << bad;
}

TEST(CoreRecords, ValuesOfTheSelectedCore) {
  // The record layout on disk, and reading it back.
  const std::string rec = FormatCoreRecord("E 25/13/7", "52.5", "60", "57,5", "2000.7");
  EXPECT_EQ(rec, "[E 25/13/7]\r\nAe = 52.5\r\nAn = 60\r\nle = 57,5\r\nmu = 2000.7\r\n\r\n");
  const CoreTexts t = ReadCoreTexts(Record("E 20") + rec, "E 25/13/7");
  EXPECT_EQ(t.Ae, "52.5");
  EXPECT_EQ(t.An, "60");
  EXPECT_EQ(t.le, "57.5");  // a typed comma is shown as a point
  EXPECT_EQ(t.mu, "2000.7");

  const CoreRecord core = CoreFromTexts("E 25/13/7", t);
  EXPECT_DOUBLE_EQ(core.le, 57.5);
  EXPECT_EQ(core.mu, 2000);  // whole number: the fraction is dropped
  EXPECT_EQ(FormatVolume(core), "3.019");

  // Absent core: every text empty, every number 0.
  const CoreTexts none = ReadCoreTexts(rec, "E 30");
  EXPECT_TRUE(none.Ae.empty() && none.An.empty() && none.le.empty() && none.mu.empty());
  EXPECT_EQ(FormatVolume(CoreFromTexts("E 30", none)), "0.000");
}

TEST(CoreRecords, ExactHeaderWinsOverEarlierLongerName) {
  // "E 20" stands inside the earlier "PQ E 20", and "E 2" inside both.
  const std::string db = Record("PQ E 20", "11") + Record("E 20", "22") + Record("E 2", "33");
  EXPECT_EQ(ReadCoreTexts(db, "E 20").Ae, "22");
  EXPECT_EQ(ReadCoreTexts(db, "E 2").Ae, "33");
  EXPECT_EQ(ReadCoreTexts(db, "PQ E 20").Ae, "11");
  EXPECT_TRUE(HasCoreRecord(db, "E 20"));
  EXPECT_FALSE(HasCoreRecord(db, "E"));
  EXPECT_FALSE(HasCoreRecord(db, "Q E 20"));
  // Letter case is ignored, Cyrillic letters included; the rest must match.
  EXPECT_TRUE(HasCoreRecord(db, "pq e 20"));
  EXPECT_TRUE(HasCoreRecord(db, "e 2"));
  EXPECT_FALSE(HasCoreRecord(db, "E 20 "));
  const std::string cyr = Record("\xd8\xc5 20", "1");  // "ШЕ 20"
  EXPECT_TRUE(HasCoreRecord(cyr, "\xf8\xe5 20"));      // "ше 20"
  EXPECT_TRUE(HasCoreRecord(cyr, "\xd8\xe5 20"));
  EXPECT_FALSE(HasCoreRecord(cyr, "\xd9\xc5 20"));     // "ЩЕ 20"
  EXPECT_TRUE(IsValidCoreValue("52,5"));
  EXPECT_FALSE(IsValidCoreValue("52\n"));
  EXPECT_FALSE(IsValidCoreValue("\r52"));

  EXPECT_EQ(RemoveCoreRecord(db, "E 20"), Record("PQ E 20", "11") + Record("E 2", "33"));
  EXPECT_EQ(RemoveCoreRecord(db, "E 2"), Record("PQ E 20", "11") + Record("E 20", "22"));
  EXPECT_EQ(RemoveCoreRecord(db, "E 30"), db);
}

TEST(CoreRecords, KeysStayInsideTheirRecord) {
  // E 20 has no mu: it reads empty, not the next core's 1800. A key name in
  // the header (the core "mu 7") is not a key either.
  const std::string db = "[E 20]\r\nAe = 1\r\nAn = 2\r\nle = 3\r\n\r\n" + Record("mu 7", "5", "1800") +
                         "[E 40]\r\nAe=   \r\nle = [4]\r\n";
  const CoreTexts t = ReadCoreTexts(db, "E 20");
  EXPECT_EQ(t.Ae, "1");
  EXPECT_TRUE(t.mu.empty());
  EXPECT_EQ(CoreFromTexts("E 20", t).mu, 0);
  EXPECT_EQ(ReadCoreTexts(db, "mu 7").mu, "1800");
  EXPECT_EQ(ReadCoreTexts(db, "mu 7").Ae, "5");
  // A '[' that does not open a line does not end the record.
  EXPECT_EQ(ReadCoreTexts(db, "E 40").le, "[4]");
  EXPECT_TRUE(ReadCoreTexts(db, "E 40").Ae.empty());
  EXPECT_TRUE(ReadCoreTexts(db, "E 40").mu.empty());
}

TEST(CoreRecords, FallbacksForNamesCutFromLongerHeaders) {
  const std::string db = Record("E 13/7", "9") + Record("PQ E 20", "11") + Record("EFD 20 E 21", "12");
  // The E list shows "E 20" and "E 21" cut from inside longer names.
  EXPECT_EQ(ListCoreNames(db, kShapeE), (Names{"E 13/7", "E 20", "E 21"}));
  EXPECT_FALSE(HasCoreRecord(db, "E 20"));
  EXPECT_EQ(ReadCoreTexts(db, "E 20").Ae, "11");
  EXPECT_EQ(ReadCoreTexts(db, "E 21").Ae, "12");
  EXPECT_EQ(RemoveCoreRecord(db, "E 20"), Record("E 13/7", "9") + Record("EFD 20 E 21", "12"));
  // Last, any header that holds the name.
  EXPECT_EQ(ReadCoreTexts(db, "EFD").Ae, "12");
  EXPECT_EQ(RemoveCoreRecord(db, "PQ"), Record("E 13/7", "9") + Record("EFD 20 E 21", "12"));
  // A name found only in a value line is no record: nothing read, nothing removed.
  EXPECT_TRUE(ReadCoreTexts(db, "2000").mu.empty());
  EXPECT_EQ(RemoveCoreRecord(db, "2000"), db);
  // Names the format cannot hold, and the empty name, find nothing.
  EXPECT_EQ(RemoveCoreRecord(db, "E 20]"), db);
  EXPECT_EQ(RemoveCoreRecord(db, ""), db);
  EXPECT_EQ(RemoveCoreRecord("[]\r\nAe = 1\r\n\r\n" + db, ""), db);
}

TEST(CoreRecords, RemovingFirstLastAndDuplicate) {
  const std::string a = Record("E 10"), b = Record("E 20", "5"), c = Record("E 30");
  const std::string db = a + b + c;
  EXPECT_EQ(RemoveCoreRecord(db, "E 10"), b + c);
  EXPECT_EQ(RemoveCoreRecord(db, "E 30"), a + b);
  // A last record without its closing empty line, or without any line end.
  EXPECT_EQ(RemoveCoreRecord(a + "[E 40]\r\nAe = 1", "E 40"), a);
  EXPECT_EQ(RemoveCoreRecord(a + "[E 40]", "E 40"), a);
  EXPECT_EQ(RemoveCoreRecord(Record("E 50"), "E 50"), "");
  // Two records of the same name: the first is read and removed.
  const std::string twice = b + a + Record("E 20", "6");
  EXPECT_EQ(ReadCoreTexts(twice, "E 20").Ae, "5");
  EXPECT_EQ(RemoveCoreRecord(twice, "E 20"), a + Record("E 20", "6"));
}

TEST(CoreRecords, LargeDatabaseListsFast) {
  // About 1 MB: 10,000 records of the six shapes.
  const char* stems[] = {"E ", "EI ", "ER ", "ETD ", "R ", "P "};
  const std::string tail = "/13/7 ferrite core of the large test database";
  std::string db;
  for (int i = 0; i < 10000; ++i)
    db += FormatCoreRecord(stems[i % 6] + std::to_string(i) + tail, "52.50", "60.00", "57.5", "2000");
  db += Record("E 99999");
  ASSERT_GT(db.size(), 1000000u);

  const auto start = std::chrono::steady_clock::now();
  const Names e = ListCoreNames(db, kShapeE);
  const Names r = ListCoreNames(db, kShapeR);
  const Names other = ListCoreNames(db, kShapeOther);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  // Linear scans take milliseconds; a copy per entry would take seconds.
  EXPECT_LT(elapsed, std::chrono::milliseconds(500));

  EXPECT_EQ(e.size(), 1668u);  // 1667 of stem "E " and the one appended
  EXPECT_EQ(e.back(), "E 99999");
  EXPECT_EQ(r.size(), 1666u);
  EXPECT_EQ(other.size(), 1666u);
  EXPECT_EQ(other.front(), "P 5" + tail);
  EXPECT_EQ(ReadCoreTexts(db, "E 99999").Ae, "1");
  EXPECT_EQ(ReadCoreTexts(db, "R 9994" + tail).le, "57.5");
  EXPECT_EQ(RemoveCoreRecord(db, "E 99999").size(), db.size() - Record("E 99999").size());
}

TEST(CoreRecords, FamilyFromTheMasNameElseFromTheName) {
  struct Case {
    const char* name;
    const char* mas;
    const char* family;
  };
  for (const Case& c : {Case{"E 25/13/7", "e 25/13/7", "e"},
                        {"EI 14/3.5/5", "e 14/3.5/5", "e"},  // the MAS name wins
                        {"EI 14/3.5/5", "", "ei"},
                        {"E EFD 20/10/7", "", "efd"},
                        {"R 22.1/13.7/6.35", "", "t"},
                        {"RM 10", "", "rm"},
                        {"ER 18", "planar ER 18/3/10", "planar er"},
                        {"12x20", "", ""}}) {
    EXPECT_EQ(CoreFamily(CoreHeader{c.name, c.mas}), c.family) << c.name << " / " << c.mas;
  }
}

}  // namespace
}  // namespace velmora
