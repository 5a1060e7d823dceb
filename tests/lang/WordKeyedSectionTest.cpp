// SPDX-License-Identifier: GPL-3.0-or-later
// The word-keyed section of a language file.
#include <gtest/gtest.h>

#include <string>

#include "lang/LanguageTable.h"
#include "lang/WordKeyedSection.h"

namespace velmora {
namespace {

const std::string kFile =
    "[TITLE]\r\ntitle = T\r\nversion = V\r\n\r\n"
    "[OTHERS]\r\ns1 = one\r\ns2 = two\r\n\r\n"
    "[DESIGN DETAILS]\r\n"
    "menu = Design\r\n"
    "menuDetails = Design details...\r\n"
    "  lossCurve   =  Loss curve \r\n"
    "note = first\\nsecond\\tcolumn\r\n"
    "empty =\r\n"
    "menu = a second menu line is ignored\r\n"
    "\r\n"
    "[AFTER]\r\nafter = not in the section\r\n";

TEST(WordKeyedSection, KeysOnlyInsideTheirSection) {
  const WordKeyedSection s = WordKeyedSection::Parse(kFile, kDesignSectionName);
  ASSERT_NE(s.Find("menu"), nullptr);
  EXPECT_EQ(*s.Find("menu"), "Design");
  // A key is never taken from inside a longer key.
  EXPECT_EQ(*s.Find("menuDetails"), "Design details...");
  EXPECT_EQ(*s.Find("lossCurve"), "Loss curve");
  EXPECT_EQ(*s.Find("note"), "first\nsecond\tcolumn");
  EXPECT_EQ(s.Find("empty"), nullptr);
  EXPECT_EQ(s.Get("empty", "fallback"), "fallback");
  EXPECT_EQ(s.Find("after"), nullptr);
  EXPECT_EQ(s.Find("s1"), nullptr);
  EXPECT_EQ(s.Get("title", "builtin"), "builtin");
}

// Backslash-u: the Windows-1251 byte where there is one; a character it lacks,
// a control character, a short or broken escape stay as written.
TEST(WordKeyedSection, UnicodeEscapes) {
  const struct {
    const char* written;
    const char* read;
  } cases[] = {{"t, \\u00B5s", "t, \xB5s"},
               {"\\u00b0C",
                "\xB0"
                "C"},
               {"cm\\u00B3", "cm\\u00B3"},
               {"m\\u03A9", "m\\u03A9"},
               {"\\u0009 \\u00B", "\\u0009 \\u00B"},
               {"\\uZZZZ\\n", "\\uZZZZ\n"}};
  for (const auto& c : cases) {
    const WordKeyedSection s = WordKeyedSection::Parse(std::string("[REPORT]\r\nk = ") + c.written + "\r\n", "REPORT");
    EXPECT_EQ(s.Get("k", ""), c.read) << c.written;
  }
}

TEST(WordKeyedSection, MissingSectionGivesTheFallbacks) {
  EXPECT_TRUE(WordKeyedSection::Parse("[TITLE]\r\nmenu = x\r\n", kDesignSectionName).empty());
  EXPECT_TRUE(WordKeyedSection::Parse("", kDesignSectionName).empty());
  // A header that only begins with the name is another section.
  EXPECT_TRUE(WordKeyedSection::Parse("[DESIGN DETAILS 2]\r\nmenu = x\r\n", kDesignSectionName).empty());
  // Text after a zero byte is not read.
  const std::string cut = std::string("[DESIGN DETAILS]\r\n") + '\0' + "menu = x\r\n";
  EXPECT_TRUE(WordKeyedSection::Parse(cut, kDesignSectionName).empty());
}

TEST(WordKeyedSection, TheNumberedSlotsStayAsTheyWere) {
  LanguageTable with, without;
  ParseLanguageText(kFile, with);
  ParseLanguageText(kFile.substr(0, kFile.find("[DESIGN DETAILS]")), without);
  EXPECT_EQ(with.others, without.others);
  EXPECT_EQ(with.title, without.title);
  EXPECT_FALSE(with.design.empty());
  EXPECT_TRUE(without.design.empty());
}

}  // namespace
}  // namespace velmora
