// SPDX-License-Identifier: GPL-3.0-or-later
#include "textfile/Numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <vector>

namespace velmora {
namespace {

TEST(ReadLeadingDouble, AcceptsOnlyPlainDecimalNumbers) {
  EXPECT_DOUBLE_EQ(ReadLeadingDouble("15"), 15.0);
  EXPECT_DOUBLE_EQ(ReadLeadingDouble(" \t-1.06mm"), -1.06);
  EXPECT_DOUBLE_EQ(ReadLeadingDouble("+.5"), 0.5);
  EXPECT_DOUBLE_EQ(ReadLeadingDouble("7."), 7.0);
  EXPECT_DOUBLE_EQ(ReadLeadingDouble("2.5e3x"), 2500.0);
  EXPECT_DOUBLE_EQ(ReadLeadingDouble("2.5E-1"), 0.25);
  // An 'e' without exponent digits is not part of the number.
  EXPECT_DOUBLE_EQ(ReadLeadingDouble("3e"), 3.0);
  EXPECT_DOUBLE_EQ(ReadLeadingDouble("3e+"), 3.0);
  // The comma is no decimal separator here (callers replace it first).
  EXPECT_DOUBLE_EQ(ReadLeadingDouble("1,5"), 1.0);
  EXPECT_DOUBLE_EQ(ReadLeadingDouble(CommaToPoint("1,5")), 1.5);
  // No number: 0. inf, nan and hex are not numbers here.
  for (const char* s : {"", " ", "-", ".", "+.", "abc", "inf", "-infinity", "nan", "e5"})
    EXPECT_EQ(ReadLeadingDouble(s), 0.0) << s;
  EXPECT_EQ(ReadLeadingDouble("0x1A"), 0.0);
  // Other white space than blank and TAB is not skipped.
  EXPECT_EQ(ReadLeadingDouble("\n5"), 0.0);
}

TEST(ReadLeadingDouble, OutOfRangeAndLocale) {
  EXPECT_EQ(ReadLeadingDouble("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadLeadingDouble("-1e999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadLeadingDouble("0.0000001e316"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadLeadingDouble("1e-999"), 0.0);
  EXPECT_EQ(ReadLeadingDouble("123456e-999999999999999999999"), 0.0);
  EXPECT_EQ(ReadLeadingDouble("0e99999"), 0.0);
  EXPECT_EQ(ReadLeadingDouble(std::string(400, '9')), std::numeric_limits<double>::infinity());
  EXPECT_DOUBLE_EQ(ReadLeadingDouble("1.7976931348623157e308"), std::numeric_limits<double>::max());

  // A locale with a decimal comma does not change the reading or the format.
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "ru_RU.UTF-8")) {
    EXPECT_DOUBLE_EQ(ReadLeadingDouble("2.5"), 2.5);
    EXPECT_EQ(FormatFixed(2.5, 1), "2.5");
    std::setlocale(LC_NUMERIC, "C");
  }
}

TEST(ReadLeadingInt, LikeAtoiButClamped) {
  EXPECT_EQ(ReadLeadingInt("1"), 1);
  EXPECT_EQ(ReadLeadingInt("  -12x"), -12);
  EXPECT_EQ(ReadLeadingInt("\t+3"), 3);
  EXPECT_EQ(ReadLeadingInt("1.9"), 1);
  EXPECT_EQ(ReadLeadingInt("--1"), 0);
  EXPECT_EQ(ReadLeadingInt("x1"), 0);
  EXPECT_EQ(ReadLeadingInt(""), 0);
  EXPECT_EQ(ReadLeadingInt("2147483647"), INT_MAX);
  EXPECT_EQ(ReadLeadingInt("2147483648"), INT_MAX);
  EXPECT_EQ(ReadLeadingInt("-2147483648"), INT_MIN);
  EXPECT_EQ(ReadLeadingInt("-99999999999999999999999"), INT_MIN);
}

TEST(FormatFixed, EqualsCPrintf) {
  const std::vector<double> values = {0.0,    -0.0,     0.5,      1.5,     2.5,    -2.5,
                                      0.125,  0.0005,   -0.0004,  1.005,   15.0,   1234.5678,
                                      1e-300, 4.9e-324, 123456789012345678.0, 1e300,
                                      -1.7976931348623157e308};
  char buf[400];
  for (int decimals : {0, 1, 3, 6}) {
    for (double v : values) {
      std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
      EXPECT_EQ(FormatFixed(v, decimals), buf) << v << " " << decimals;
    }
  }
  // Random values of every size the labels see, and halves that round to
  // even, through the short path and past its limits.
  std::mt19937_64 random(26);
  for (int i = 0; i < 200000; ++i) {
    const int decimals = static_cast<int>(random() % 5);
    const double magnitude = std::pow(10.0, static_cast<double>(random() % 24) - 6);
    double v = std::ldexp(static_cast<double>(random() >> 11), -53) * magnitude;
    if (i % 4 == 0) v = std::round(v * 16) / 16;  // ties at every number of decimals
    if (i % 2 == 0) v = -v;
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    ASSERT_EQ(FormatFixed(v, decimals), buf) << v << " " << decimals;
  }
  EXPECT_EQ(FormatFixed(std::numeric_limits<double>::infinity(), 3), "inf");
  EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 3), "-inf");
  EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 3), "nan");
  EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::quiet_NaN(), 3), "-nan");
  EXPECT_EQ(FormatInt(-42), "-42");
}

TEST(Rounding, RoundUpAndTruncClamp) {
  EXPECT_EQ(RoundUp(3.0), 3.0);
  EXPECT_EQ(RoundUp(3.0001), 4.0);
  // Only a value above its integer part goes up; a negative fraction, whose
  // integer part lies above it, stays as it is.
  EXPECT_EQ(RoundUp(-2.5), -2.5);
  EXPECT_EQ(RoundUp(-0.25), -0.25);
  EXPECT_EQ(RoundUp(-3.0), -3.0);
  EXPECT_EQ(RoundUp(1e300), 1e300);
  EXPECT_TRUE(std::isinf(RoundUp(std::numeric_limits<double>::infinity())));
  EXPECT_TRUE(std::isnan(RoundUp(std::numeric_limits<double>::quiet_NaN())));

  EXPECT_EQ(TruncClamp(7.9, 0, 100), 7);
  EXPECT_EQ(TruncClamp(-7.9, -100, 100), -7);
  EXPECT_EQ(TruncClamp(1e300, 0, 100), 100);
  EXPECT_EQ(TruncClamp(-1e300, 0, 100), 0);
  EXPECT_EQ(TruncClamp(std::numeric_limits<double>::infinity(), 1, INT_MAX), INT_MAX);
  EXPECT_EQ(TruncClamp(std::numeric_limits<double>::quiet_NaN(), 1, 9), 1);
}

}  // namespace
}  // namespace velmora
