// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "settings/SettingsRecord.h"
#include "support/TempDir.h"

namespace velmora {
namespace {

using test::crlf;
using test::TempDir;

const std::string kDefaultDesign = crlf({
    "[INI_DATA]",
    "core\t= E 25/13/7",
    "mater\t= N87 Epcos",
    "yes_al\t= 0",
    "use\t= 0",
    "zazor\t= 1",
    "L\t= 15",
    "Uimpulsa= 24",
    "Udc\t= 12",
    "Inom\t= 10",
    "Imin\t= 2",
    "us_Imin\t= 0",
    "Fc\t= 100",
    "j\t= 7",
    "use_D\t= 0",
    "yes_AWG\t= 0",
    "dprov\t= 1.06",
});

TEST(SettingsFile, DefaultsGiveExactBytes) {
  TempDir dir;
  const SettingsRecord defaults;
  ASSERT_TRUE(WriteSettings(defaults, "design.sav", false));
  EXPECT_EQ(dir.read("design.sav"), kDefaultDesign);
  ASSERT_TRUE(WriteSettings(defaults, "Inductor.ini", true));
  const std::string ini = dir.read("Inductor.ini");
  EXPECT_EQ(ini, kDefaultDesign + "lang\t= English\r\n");
  EXPECT_EQ(std::count(ini.begin(), ini.end(), '\n'), 18);
  EXPECT_EQ(SerializeSettings(defaults, false), kDefaultDesign);
}

TEST(SettingsFile, RoundTripKeepsTextsAsTyped) {
  TempDir dir;
  SettingsRecord r;
  r.core = "ETD 29/16/10";
  r.mater = "\xcc\xe0\xf2\xe5\xf0\xe8\xe0\xeb 2000";  // Cyrillic in Windows-1251
  r.gapChoice = 1;
  r.use = -1;  // a radio group with no button selected
  r.L = "15,5";
  r.Fc = "";
  r.wireSize = "0,8 mm";
  r.us_Imin = 1;
  r.use_D = 1;
  r.yes_AWG = 1;
  r.lang = "Russian";
  ASSERT_TRUE(WriteSettings(r, "Inductor.ini", true));

  SettingsRecord back;
  back.Fc = "not read";
  ASSERT_TRUE(ReadSettings("Inductor.ini", true, back));
  EXPECT_EQ(back, r);
  EXPECT_EQ(back.L, "15,5");
}

TEST(SettingsFile, ValueHoldingCapitalLDoesNotReplaceInductance) {
  TempDir dir;
  SettingsRecord r;
  r.mater = "Kool Mu 60 (Low loss)";  // holds "L" before the "L" line
  r.L = "22";
  r.gapChoice = 1;
  ASSERT_TRUE(WriteSettings(r, "d.sav", false));
  SettingsRecord back;
  ASSERT_TRUE(ReadSettings("d.sav", false, back));
  EXPECT_EQ(back.L, "22");
  EXPECT_EQ(back.mater, r.mater);
  EXPECT_EQ(back.gapChoice, 1);

  // "Imin" inside "us_Imin" and "use" inside "use_D" in a reordered file.
  const std::string reordered = crlf({"[INI_DATA]", "us_Imin\t= 1", "use_D\t= 1", "Imin\t= 3", "use\t= 0"});
  SettingsRecord o;
  ParseSettings(reordered, false, o);
  EXPECT_EQ(o.Imin, "3");
  EXPECT_EQ(o.use, 0);
  EXPECT_EQ(o.use_D, 1);
}

TEST(SettingsFile, HandEditedFiles) {
  SettingsRecord r;
  // Blanks around a value and around '=' are dropped; a TAB ends a value.
  ParseSettings(crlf({"[INI_DATA]", "L  =   33   ", "Fc\t=\t100", "j = 5\t# density", "yes_al = +1x", "use =  -1",
                      "us_Imin = abc", "lang = German"}),
                false, r);
  EXPECT_EQ(r.L, "33");
  EXPECT_EQ(r.Fc, "");
  EXPECT_EQ(r.j, "5");
  EXPECT_EQ(r.gapChoice, 1);
  EXPECT_EQ(r.use, -1);
  EXPECT_EQ(r.us_Imin, 0);
  EXPECT_EQ(r.lang, "English");  // without the language flag
  EXPECT_EQ(r.core, "");         // missing keys give empty texts
  EXPECT_EQ(r.use_D, 0);

  // Where no line begins with the key, the plain section lookup applies.
  SettingsRecord f;
  ParseSettings("[INI_DATA] Udc = 9\r\n   Inom = 4\r\n", false, f);
  EXPECT_EQ(f.Udc, "9");
  EXPECT_EQ(f.Inom, "4");
  // Lines before the section do not count.
  SettingsRecord g;
  ParseSettings(crlf({"L = 1", "[INI_DATA]", "mater\t= x"}), false, g);
  EXPECT_EQ(g.L, "");
}

TEST(SettingsFile, MissingFilesAndFailedWrites) {
  TempDir dir;
  SettingsRecord r;
  r.L = "99";
  const SettingsRecord before = r;
  EXPECT_FALSE(ReadSettings("Inductor.ini", true, r));
  EXPECT_EQ(r, before);

  dir.write("Inductor.ini", "[INI_DATA]\r\n");
  ASSERT_TRUE(ReadSettings("Inductor.ini", true, r));
  EXPECT_EQ(r.L, "");
  EXPECT_EQ(r.mater, "");
  EXPECT_EQ(r.lang, "");
  EXPECT_EQ(r.yes_AWG, 0);

  dir.write("old.sav", "old");
  EXPECT_FALSE(WriteSettings(r, "missing-folder/old.sav", false));
  EXPECT_EQ(dir.read("old.sav"), "old");
}

TEST(SettingsFields, AccessByKey) {
  int count = 0;
  const char* const* keys = SettingsKeys(&count);
  ASSERT_EQ(count, 17);
  EXPECT_STREQ(keys[0], "core");
  EXPECT_STREQ(keys[6], "Uimpulsa");
  EXPECT_STREQ(keys[16], "lang");

  SettingsRecord r;
  EXPECT_TRUE(SetSettingsField(r, "Inom", "12,5"));
  EXPECT_EQ(r.Inom, "12,5");
  EXPECT_TRUE(SetSettingsField(r, "yes_AWG", " 1st"));
  EXPECT_EQ(r.yes_AWG, 1);
  EXPECT_EQ(GetSettingsField(r, "yes_AWG"), "1");
  EXPECT_FALSE(SetSettingsField(r, "l", "5"));
  EXPECT_EQ(GetSettingsField(r, "nothing"), "");
  // Every key reaches its own field and no other.
  for (int i = 0; i < count; ++i) {
    SettingsRecord one;
    ASSERT_TRUE(SetSettingsField(one, keys[i], "7"));
    EXPECT_EQ(GetSettingsField(one, keys[i]), "7") << keys[i];
    for (int k = 0; k < count; ++k) {
      if (k == i) continue;
      EXPECT_EQ(GetSettingsField(one, keys[k]), GetSettingsField({}, keys[k]));
    }
  }
}

}  // namespace
}  // namespace velmora
