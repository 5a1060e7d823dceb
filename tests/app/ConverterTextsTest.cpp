// The converter section of the shipped language files: complete in both
// languages, English equal to the built-in texts, every error with a text.
#include <gtest/gtest.h>

#include <string>

#include "app/ConverterTexts.h"
#include "lang/LanguageTable.h"
#include "textfile/FileIO.h"

namespace velmora {
namespace {

LanguageTable Shipped(const char* language) {
  LanguageTable table;
  const auto text = ReadWholeFile(std::string(VELMORA_SOURCE_DIR) + "/share/" + language + ".lng");
  EXPECT_TRUE(text.has_value()) << language;
  if (text) ParseLanguageText(*text, table);
  return table;
}

TEST(ConverterTexts, BothShippedLanguagesAreCompleteWithBuiltInEnglish) {
  const LanguageTable english = Shipped("English");
  const LanguageTable russian = Shipped("Russian");
  for (const char* const* key = ConverterTextKeys(); *key; ++key) {
    SCOPED_TRACE(*key);
    ASSERT_NE(english.converter.Find(*key), nullptr);
    EXPECT_EQ(*english.converter.Find(*key), ConverterTextEnglish(*key));
    ASSERT_NE(russian.converter.Find(*key), nullptr);
    EXPECT_EQ(ConverterText(russian, *key), *russian.converter.Find(*key));
  }
  EXPECT_NE(ConverterText(russian, "apply"), ConverterText(english, "apply"));
  LanguageTable bare;
  ParseLanguageText("[OTHERS]\r\ns8 = Attention\r\n", bare);
  EXPECT_EQ(ConverterText(bare, "menu"), "Converter...");
  for (int e = static_cast<int>(converter::SpecError::kVinMin);
       e <= static_cast<int>(converter::SpecError::kDutyOutOfRange); ++e)
    EXPECT_STRNE(ConverterTextEnglish(ConverterErrorKey(static_cast<converter::SpecError>(e))), "") << e;
}

}  // namespace
}  // namespace velmora
