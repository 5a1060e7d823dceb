// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "report/ReportTexts.h"

namespace velmora::report {
namespace {

TEST(ReportTexts, KeysAreUniqueNamesAndEveryTextHasEnglish) {
  std::set<std::string> keys;
  for (int i = 0; i < kTextCount; ++i) {
    const T t = static_cast<T>(i);
    const std::string key(TextKey(t));
    EXPECT_TRUE(keys.insert(key).second) << key;
    EXPECT_FALSE(EnglishText(t).empty()) << key;
    // Named keys, never the numbered slots of the other sections.
    EXPECT_FALSE(key.size() > 1 && key[0] == 's' && std::isdigit(static_cast<unsigned char>(key[1]))) << key;
    // Words in camel case, like the other word-keyed section's keys.
    EXPECT_TRUE(std::islower(static_cast<unsigned char>(key[0]))) << key;
    EXPECT_EQ(key.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"),
              std::string::npos)
        << key;
  }
}

TEST(ReportTexts, LanguageSectionOverridesByWholeKeyAndFallsBackToEnglish) {
  const std::string file =
      "[TITLE]\r\ntitle = Not the report's title\r\n"
      "[REPORT]\r\n"
      "titleExtra = no such key\r\n"
      "secInputs=  Given\\ndata  \r\n"
      "unitMm = \xEC\xEC\r\n"
      "broken line without equals\r\n"
      "[OTHERS]\r\nsecResults = from another section\r\n";
  const ReportTexts t = ReportTexts::FromLanguageText(file);
  EXPECT_EQ(t(T::Title), EnglishText(T::Title));
  EXPECT_EQ(t(T::SecInputs), "Given\ndata");
  EXPECT_EQ(t(T::UnitMm), "\xEC\xEC");
  EXPECT_EQ(t(T::SecResults), EnglishText(T::SecResults));
  // No section at all: English.
  EXPECT_EQ(ReportTexts::FromLanguageText("[TITLE]\r\ntitle = x\r\n")(T::Title), EnglishText(T::Title));
  // A file without a line break after the last value.
  EXPECT_EQ(ReportTexts::FromLanguageText("[REPORT]\ntitle = End")(T::Title), "End");
}

TEST(ReportTexts, FillReplacesNumberedPlaceholdersOnce) {
  EXPECT_EQ(FillTemplate("Wind %1 turns of %2.", {"14", "1.4 mm"}), "Wind 14 turns of 1.4 mm.");
  // An argument is never read as a template, a missing one is empty, a lone
  // percent sign stays.
  EXPECT_EQ(FillTemplate("%1|%2|%3", {"%2", "x"}), "%2|x|");
  EXPECT_EQ(FillTemplate("AL \xB1%1 %", {"10"}),
            "AL \xB1"
            "10 %");
  EXPECT_EQ(FillTemplate("100%", {}), "100%");
  EXPECT_EQ(FillTemplate("%0 %a", {"x"}), "%0 %a");
}

}  // namespace
}  // namespace velmora::report
