// SPDX-License-Identifier: GPL-3.0-or-later
// The optional MLT, Asurf and mas lines of a core record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/CoreDatabase.h"

namespace velmora {
namespace {

const std::string kDb =
    "[E 20/10/5]\r\nAe = 28.9\r\nAn = 50.08\r\nle = 46.4\r\nmu = 1492\r\nMLT = 38.5\r\nAsurf = 1630\r\nbw = "
    "14,4\r\n\r\n"
    "[E 25/13/7]\r\nAe = 52.5\r\nAn = 76.24\r\nle = 57.5\r\nmu = 1591\r\n\r\n"
    "[RM 10]\r\nMLT = 52,7\r\nAsurf=2410\r\nAe = 98.5\r\nAn = 41.2\r\nle = 44.6\r\nmu = 1820\r\n"
    " mas = rm 10/i \r\nnomas = x\r\n\r\n"
    "not a header [E 99]\r\n[R 10/6/4]\r\nmas = t 10/6/4\r\n";

TEST(CoreExtras, MasNamesByRecord) {
  EXPECT_EQ(ReadCoreMasName(kDb, "RM 10"), "rm 10/i");
  EXPECT_EQ(ReadCoreMasName(kDb, "E 25/13/7"), "");  // not the next record's
  EXPECT_EQ(ReadCoreMasName(kDb, "P 26/16"), "");
  const std::vector<CoreHeader> headers = ListCoreHeaders(kDb);
  ASSERT_EQ(headers.size(), 4u);
  const char* const expected[][2] = {
      {"E 20/10/5", ""}, {"E 25/13/7", ""}, {"RM 10", "rm 10/i"}, {"R 10/6/4", "t 10/6/4"}};
  for (std::size_t i = 0; i < headers.size(); ++i) {
    EXPECT_EQ(headers[i].name, expected[i][0]);
    EXPECT_EQ(headers[i].mas, expected[i][1]);
  }
}

TEST(CoreExtras, ReadFromTheCoresOwnRecord) {
  const CoreExtras e20 = ReadCoreExtras(kDb, "E 20/10/5");
  EXPECT_DOUBLE_EQ(e20.MLT, 38.5);
  EXPECT_DOUBLE_EQ(e20.Asurf, 1630);
  EXPECT_DOUBLE_EQ(e20.bw, 14.4);
  // A record without them does not borrow the next record's lines.
  const CoreExtras e25 = ReadCoreExtras(kDb, "E 25/13/7");
  EXPECT_EQ(e25.MLT, 0);
  EXPECT_EQ(e25.Asurf, 0);
  EXPECT_EQ(e25.bw, 0);
  // Before the four values, a decimal comma, no blank before '='.
  const CoreExtras rm = ReadCoreExtras(kDb, "RM 10");
  EXPECT_DOUBLE_EQ(rm.MLT, 52.7);
  EXPECT_DOUBLE_EQ(rm.Asurf, 2410);
  EXPECT_EQ(ReadCoreExtras(kDb, "P 26/16").MLT, 0);
}

TEST(CoreExtras, TheFourValuesAreNotMistaken) {
  // The extra lines, before or after the four values, change none of them.
  for (const char* name : {"E 20/10/5", "RM 10"}) {
    const CoreTexts t = ReadCoreTexts(kDb, name);
    EXPECT_FALSE(t.Ae.empty()) << name;
    EXPECT_EQ(t.Ae.find_first_not_of("0123456789."), std::string::npos) << name;
    EXPECT_EQ(t.An.find_first_not_of("0123456789."), std::string::npos) << name;
    EXPECT_EQ(t.le.find_first_not_of("0123456789."), std::string::npos) << name;
    EXPECT_EQ(t.mu.find_first_not_of("0123456789"), std::string::npos) << name;
  }
  const CoreTexts rm = ReadCoreTexts(kDb, "RM 10");
  EXPECT_EQ(rm.Ae, "98.5");
  EXPECT_EQ(rm.An, "41.2");
  EXPECT_EQ(rm.le, "44.6");
  EXPECT_EQ(rm.mu, "1820");
  // Nor does the listing: no entry comes from the extra lines.
  EXPECT_EQ(ListCoreNames(kDb, kShapeOther), std::vector<std::string>{"RM 10"});
  EXPECT_EQ(ListCoreNames(kDb, kShapeE).size(), 2u);
}

TEST(CoreExtras, OnlyAtTheStartOfALineAndOnlyPositive) {
  const std::string db =
      "[X 1]\r\nAe = 10 MLT = 9\r\nAn = 10\r\nle = 10\r\nmu = 100\r\nxMLT = 7\r\nAsurf = -5\r\n\r\n"
      "[X 2]\r\nAe = 10\r\n  MLT  = 12\r\nAsurf = nan\r\n\r\n";
  EXPECT_EQ(ReadCoreExtras(db, "X 1").MLT, 0);
  EXPECT_EQ(ReadCoreExtras(db, "X 1").Asurf, 0);
  EXPECT_DOUBLE_EQ(ReadCoreExtras(db, "X 2").MLT, 12);
  EXPECT_EQ(ReadCoreExtras(db, "X 2").Asurf, 0);
}

}  // namespace
}  // namespace velmora
