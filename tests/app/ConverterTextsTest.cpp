// SPDX-License-Identifier: GPL-3.0-or-later
// The converter section of the shipped language files: complete in both
// languages, English equal to the built-in texts, every error with a text.
#include <gtest/gtest.h>

#include <string>

#include "app/ConverterTexts.h"
#include "lang/LanguageTable.h"
#include "textfile/FileIO.h"
#include "textfile/Limits.h"

namespace velmora {
namespace {

TEST(ConverterTexts, BothShippedLanguagesAreCompleteWithBuiltInEnglish) {
  LanguageTable english, russian, bare;
  for (auto [name, table] : {std::pair{"English", &english}, std::pair{"Russian", &russian}})
    ParseLanguageText(
        ReadWholeFile(std::string(VELMORA_SOURCE_DIR) + "/share/" + name + ".lng", constants::kMaxTextFileBytes)
            .value_or(""),
        *table);
  for (const char* const* key = ConverterTextKeys(); *key; ++key) {
    EXPECT_EQ(ConverterText(english, *key), ConverterTextEnglish(*key)) << *key;
    ASSERT_NE(russian.converter.Find(*key), nullptr) << *key;
  }
  EXPECT_NE(ConverterText(russian, "apply"), ConverterText(english, "apply"));
  ParseLanguageText("[OTHERS]\r\ns8 = Attention\r\n", bare);
  EXPECT_EQ(ConverterText(bare, "menu"), "Converter...");
  for (int e = static_cast<int>(converter::RequestError::kVinMin);
       e <= static_cast<int>(converter::RequestError::kDutyOutOfRange); ++e)
    EXPECT_STRNE(ConverterTextEnglish(ConverterErrorKey(static_cast<converter::RequestError>(e))), "") << e;
}

}  // namespace
}  // namespace velmora
