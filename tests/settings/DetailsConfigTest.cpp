#include <gtest/gtest.h>

#include "settings/DetailsConfig.h"
#include "support/TempDir.h"

namespace velmora {
namespace {

using test::crlf;
using test::TempDir;

TEST(DetailsConfig, DefaultsGiveExactBytesAndReadBack) {
  TempDir dir;
  const DetailsConfig defaults;
  ASSERT_TRUE(WriteDetailsConfig(defaults, kDetailsConfigFile));
  EXPECT_EQ(dir.read(kDetailsConfigFile),
            crlf({"[DETAILS]", "tol_gapped\t= 10", "tol_ungapped\t= 25", "ambient\t= 40"}));
  DetailsConfig changed{12.5, 20, -5};
  ASSERT_TRUE(WriteDetailsConfig(changed, kDetailsConfigFile));
  DetailsConfig read;
  ASSERT_TRUE(ReadDetailsConfig(kDetailsConfigFile, read));
  EXPECT_EQ(read, changed);
  EXPECT_FALSE(ReadDetailsConfig("missing.cfg", read));
  EXPECT_EQ(read, changed);  // unchanged
}

// What a hand-edited file holds: each value used only when it is a whole
// number the program accepts, else its default.
TEST(DetailsConfig, UnusableValuesKeepTheirDefaults) {
  const struct {
    const char* text;
    DetailsConfig expected;
  } kCases[] = {
      {"", {}},
      {"[DETAILS]\r\ntol_gapped = 7,5\r\n", {7.5, 25, 40}},
      {"[DETAILS]\nambient\t= 55\ntol_ungapped= 30\n", {10, 30, 55}},
      {"[DETAILS]\r\ntol_gapped = 100\r\ntol_ungapped = -1\r\nambient = nan\r\n", {}},
      {"[DETAILS]\r\ntol_gapped = 12x\r\ntol_ungapped = \r\nambient = 1e999\r\n", {}},
      {"tol_gapped = 5\r\n", {}},  // outside the section
  };
  for (const auto& c : kCases) EXPECT_EQ(ParseDetailsConfig(c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace velmora
