// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "textfile/Cp1251.h"

namespace velmora {
namespace {

TEST(Cp1251, EveryAssignedByteRoundTrips) {
  int unassigned = 0;
  for (int b = 0; b < 256; ++b) {
    const char32_t cp = Cp1251ToUnicode(static_cast<unsigned char>(b));
    if (cp == 0 && b != 0) {
      ++unassigned;
      EXPECT_EQ(b, 0x98);
      continue;
    }
    const auto back = UnicodeToCp1251(cp);
    ASSERT_TRUE(back.has_value()) << b;
    EXPECT_EQ(*back, b);
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(one)), one) << b;
  }
  EXPECT_EQ(unassigned, 1);
}

TEST(Cp1251, KnownCharacters) {
  EXPECT_EQ(Cp1251ToUtf8("\xcc\xe0\xf2\xe5\xf0\xe8\xe0\xeb"), "Материал");
  EXPECT_EQ(Utf8ToCp1251("Ёё№ мкГн"), std::string("\xa8\xb8\xb9 \xec\xea\xc3\xed"));
  EXPECT_EQ(Cp1251ToUnicode(0x88), U'€');
  EXPECT_EQ(Cp1251ToUnicode(0xA5), U'Ґ');
  EXPECT_EQ(Cp1251ToUnicode(0x96), U'–');
  EXPECT_FALSE(UnicodeToCp1251(U'Ä').has_value());
  EXPECT_EQ(UnicodeToCp1251(0), 0);
}

TEST(Cp1251, TextForDisplayShowsTheEscapesWindows1251Lacks) {
  EXPECT_EQ(Cp1251TextToUtf8("cm\\u00B3, m\\u03A9, \xB5s"), "cm\u00B3, m\u03A9, \u00B5s");
  // Broken, short, control and surrogate escapes stay as written.
  for (const char* kept : {"\\uZZZZ", "a\\u00B", "\\u0007", "\\uD800", "\\"})
    EXPECT_EQ(Cp1251TextToUtf8(kept), Cp1251ToUtf8(kept)) << kept;
  // A cut counts an escape as one character and never splits it.
  const std::pair<const char*, const char*> cuts[] = {{"cm\\u00B3xyz", "cm\\u00B3"},
                                                      {"\\u03A9\\u03A9\\u03A9", "\\u03A9\\u03A9\\u03A9"},
                                                      {"ab\\uZZZZ", "ab\\"},
                                                      {"a\\u0007bc", "a\\u"}};
  for (const auto& [text, first3] : cuts) EXPECT_EQ(FirstTextChars(text, 3), first3) << text;
}

TEST(Cp1251, RejectsWhatItCannotHoldOrInvalidUtf8) {
  EXPECT_FALSE(Utf8ToCp1251("日本").has_value());
  EXPECT_FALSE(Utf8ToCp1251("\xd0").has_value());              // truncated
  EXPECT_FALSE(Utf8ToCp1251("\x80").has_value());              // stray continuation
  EXPECT_FALSE(Utf8ToCp1251("\xc0\xb1").has_value());          // overlong '1'
  EXPECT_FALSE(Utf8ToCp1251("\xe0\x80\xb1").has_value());      // overlong
  EXPECT_FALSE(Utf8ToCp1251("\xed\xa0\x80").has_value());      // surrogate
  EXPECT_FALSE(Utf8ToCp1251("\xf4\x90\x80\x80").has_value());  // beyond U+10FFFF
  EXPECT_FALSE(Utf8ToCp1251("\xff").has_value());
  EXPECT_EQ(Utf8ToCp1251(""), std::string());
  // The unassigned byte shows as the replacement character.
  EXPECT_EQ(Cp1251ToUtf8("\x98"), "\xef\xbf\xbd");
}

}  // namespace
}  // namespace velmora
