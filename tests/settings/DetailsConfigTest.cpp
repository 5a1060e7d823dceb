// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "settings/DetailsConfig.h"
#include "support/TempDir.h"

namespace velmora {
namespace {

TEST(DetailsConfig, WrittenExactlyAndReadBack) {
  test::TempDir dir;
  ASSERT_TRUE(WriteDetailsConfig(DetailsConfig{}, kDetailsConfigFile));
  EXPECT_EQ(dir.read(kDetailsConfigFile),
            test::crlf({"[DETAILS]", "tol_gapped\t= 10", "tol_ungapped\t= 25", "ambient\t= 40", "flux_margin\t= 20",
                        "max_rise\t= 50", "min_gap\t= 0.05"}));
  const DetailsConfig changed{12.5, 20, -5, 35, 40, 0.1, "[CONVERTER]\r\nconv_vout\t= 5\r\n"};
  ASSERT_TRUE(WriteDetailsConfig(changed, kDetailsConfigFile));
  DetailsConfig read;
  EXPECT_TRUE(ReadDetailsConfig(kDetailsConfigFile, read) && read == changed);
  EXPECT_FALSE(ReadDetailsConfig("missing.cfg", read));
  EXPECT_EQ(read, changed);
}

// A hand-edited file: a value is used only when it is all number and usable.
TEST(DetailsConfig, UnusableValuesKeepTheirDefaults) {
  const std::pair<const char*, DetailsConfig> kCases[] = {
      {"", {}},
      {"[DETAILS]\r\ntol_gapped = 7,5\r\n", {7.5, 25, 40}},
      {"[DETAILS]\nambient\t= 55\ntol_ungapped= 30\n", {10, 30, 55}},
      {"[DETAILS]\r\ntol_gapped = 100\r\ntol_ungapped = -1\r\nambient = nan\r\n", {}},
      {"[DETAILS]\r\ntol_gapped = 12x\r\ntol_ungapped = \r\nambient = 1e999\r\n", {}},
      {"tol_gapped = 5\r\n", {}},  // outside the section
      // The ambient range's ends are taken; past them, the default.
      {"[DETAILS]\r\nambient = -55\r\n", {10, 25, -55}},
      {"[DETAILS]\r\nambient = 150\r\n", {10, 25, 150}},
      {"[DETAILS]\r\nambient = -56\r\n", {}},
      {"[DETAILS]\r\nambient = 250\r\n", {}},
      {"[DETAILS]\r\nambient = 1e308\r\n", {}},
      // The checks' limits: margin 0..50 %, rise above 0, gap 0..3 mm.
      {"[DETAILS]\r\nflux_margin = 0\r\nmax_rise = 30\r\nmin_gap = 3\r\n", {10, 25, 40, 0, 30, 3}},
      {"[DETAILS]\r\nflux_margin = 50.5\r\nmax_rise = 0\r\nmin_gap = -0.01\r\n", {}},
      // The converter's section is kept whole, from its header to the end.
      {"[DETAILS]\r\nambient = 30\r\n[CONVERTER]\r\nconv_vout\t= 5\r\n",
       {10, 25, 30, 20, 50, 0.05, "[CONVERTER]\r\nconv_vout\t= 5\r\n"}},
  };
  for (const auto& [text, expected] : kCases) EXPECT_EQ(ParseDetailsConfig(text), expected) << text;
}

}  // namespace
}  // namespace velmora
