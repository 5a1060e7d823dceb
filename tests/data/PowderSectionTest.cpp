// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "data/CoreDatabase.h"
#include "data/MaterialRecord.h"

namespace velmora {
namespace {

const std::string kFerrite =
    "[Flux density]\r\nB1 = 50\r\nB2 = 100\r\n\r\n[Frequencies]\r\nF1 = 25\r\nF2 = 100\r\n\r\n"
    "[F_25]\r\nB_50 = 3\r\nB_100 = 12\r\n\r\n[F_100]\r\nB_50 = 20\r\nB_100 = 80\r\n\r\n"
    "[Limits]\r\nBmax = 1\r\nBmmax = 0.1\r\nmu = 60\r\n\r\n";
const std::string kPowder = kFerrite +
                            "[Powder]\r\nbiasMethod = magnetics\r\nbiasA = 0.01\r\nbiasB = 6.4e-10\r\n"
                            "biasC = 1.855\r\nalTolerance = 0.08\r\npermeabilityTemperature = -0.01 0.001 0 0 0\r\n"
                            "outsideFit = 100/100\r\n\r\n";

TEST(PowderSection, OlderKeysReadAsWithoutItAndTheFitIsRead) {
  MaterialRecord plain, powder;
  ASSERT_TRUE(ParseMaterialText(kFerrite, plain));
  ASSERT_TRUE(ParseMaterialText(kPowder, powder));
  for (int r = 0; r < MaterialRecord::kRows; ++r)
    for (int c = 0; c < MaterialRecord::kColumns; ++c) EXPECT_EQ(plain.table[r][c], powder.table[r][c]);
  EXPECT_EQ(plain.Bmax, powder.Bmax);
  EXPECT_EQ(plain.Bmmax, powder.Bmmax);
  EXPECT_EQ(plain.mu, powder.mu);
  EXPECT_FALSE(plain.hasRollOff());
  ASSERT_TRUE(powder.hasRollOff());
  EXPECT_EQ(powder.powder.rollOff.b, 6.4e-10);
  EXPECT_EQ(powder.powder.rollOff.c, 1.855);
  EXPECT_EQ(powder.powder.alTolerance, 0.08);
  EXPECT_TRUE(powder.powder.hasTemperatureCoefficients);
  EXPECT_EQ(powder.powder.temperatureCoefficients[1], 0.001);
  EXPECT_EQ(powder.powder.outsideFit, std::vector<std::string>{"100/100"});
  // A later load of a ferrite forgets the fit.
  ASSERT_TRUE(ParseMaterialText(kFerrite, powder));
  EXPECT_FALSE(powder.hasRollOff());
}

TEST(PowderSection, AnUnknownFitOrUnusableNumbersGiveNoRollOff) {
  const std::pair<std::string, std::string> edits[] = {
      {"biasMethod = magnetics", "biasMethod = micrometals"},
      {"biasA = 0.01", "biasA = 0"},
      {"biasC = 1.855", "biasC = x"},
      {"[Powder]", "[Powders]"},
  };
  for (const auto& [from, to] : edits) {
    std::string text = kPowder;
    text.replace(text.find(from), from.size(), to);
    MaterialRecord m;
    ASSERT_TRUE(ParseMaterialText(text, m)) << to;
    EXPECT_FALSE(m.hasRollOff()) << to;
  }
  std::string none = kPowder;
  none.replace(none.find("-0.01 0.001 0 0 0"), 17, "none");
  MaterialRecord m;
  ParseMaterialText(none, m);
  EXPECT_TRUE(m.hasRollOff());
  EXPECT_FALSE(m.powder.hasTemperatureCoefficients);
}

TEST(CoreSold, TheKindsOfMaterialFromTheRecordsLine) {
  const std::string db =
      "[R 10/6/4]\r\nAe = 7.8\r\nAn = 19.8\r\nle = 24.1\r\nmu = 2200\r\n\r\n"
      "[R 10/4.3/4.6]\r\nAe = 8.6\r\nAn = 10.2\r\nle = 21.9\r\nmu = 60\r\nmas = t 10/4.3/4.6\r\nsold = powder\r\n\r\n"
      "[E 42/21/15]\r\nAe = 178\r\nAn = 220\r\nle = 97\r\nmu = 1794\r\nsold = ferrite powder\r\n\r\n";
  struct Case {
    const char* name;
    bool ferrite, powder;
  } const cases[] = {{"R 10/6/4", true, false}, {"R 10/4.3/4.6", false, true}, {"E 42/21/15", true, true}};
  for (const Case& c : cases) {
    EXPECT_EQ(ReadCoreSold(db, c.name).ferrite, c.ferrite) << c.name;
    EXPECT_EQ(ReadCoreSold(db, c.name).powder, c.powder) << c.name;
  }
  EXPECT_EQ(ReadCoreTexts(db, "R 10/4.3/4.6").mu, "60");  // the older keys read as before
}

}  // namespace
}  // namespace velmora
