// SPDX-License-Identifier: GPL-3.0-or-later
// The design section of the shipped language files: complete in both
// languages, English equal to the built-in texts, read only inside the section.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/DesignTexts.h"
#include "lang/LanguageTable.h"
#include "textfile/FileIO.h"
#include "textfile/Limits.h"

namespace velmora {
namespace {

LanguageTable Shipped(const char* language) {
  LanguageTable table;
  const auto text =
      ReadWholeFile(std::string(VELMORA_SOURCE_DIR) + "/share/" + language + ".lng", constants::kMaxTextFileBytes);
  EXPECT_TRUE(text.has_value()) << language;
  if (text) ParseLanguageText(*text, table);
  return table;
}

TEST(DesignTexts, BothShippedLanguagesAreComplete) {
  const LanguageTable english = Shipped("English");
  const LanguageTable russian = Shipped("Russian");
  int keys = 0;
  for (const char* const* key = DesignTextKeys(); *key; ++key, ++keys) {
    SCOPED_TRACE(*key);
    ASSERT_NE(english.design.Find(*key), nullptr);
    EXPECT_EQ(*english.design.Find(*key), DesignTextEnglish(*key));
    ASSERT_NE(russian.design.Find(*key), nullptr);
    EXPECT_NE(*russian.design.Find(*key), DesignTextEnglish(*key));
    EXPECT_EQ(DesignText(russian, *key), *russian.design.Find(*key));
  }
  EXPECT_GE(keys, 40);
}

TEST(DesignTexts, BuiltInEnglishWithoutTheSection) {
  LanguageTable bare;
  ParseLanguageText("[OTHERS]\r\ns8 = Attention\r\n", bare);
  EXPECT_EQ(DesignText(bare, "title"), "Design details");
  EXPECT_EQ(DesignText(bare, "menuDetails"), "Design details...");
  EXPECT_STREQ(DesignTextEnglish("no such key"), "");
}

}  // namespace
}  // namespace velmora
