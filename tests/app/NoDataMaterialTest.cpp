// SPDX-License-Identifier: GPL-3.0-or-later
// The no-data entry of the material list: the entry start-up added is the
// no-data material whatever language is loaded later, a language file
// without its text leaves every other material its loss table, and a file
// saved with the entry brings it back.
#include <string>

#include "WindowFixture.h"
#include "settings/SettingsRecord.h"

namespace velmora::test {
namespace {

using namespace ids;

class NoDataMaterialTest : public WindowTest {
 protected:
  // A language file of the fixture with its OTHERS s21 text replaced; an
  // empty text leaves the line out.
  void WriteLanguage(const std::string& file, const std::string& tag, const std::string& menuCurrent,
                     const std::string& noData) {
    std::string text = LanguageFileText(tag, menuCurrent);
    const std::string line = "s21 = No-data material\r\n";
    const auto at = text.find(line);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, line.size(), noData.empty() ? "" : "s21 = " + noData + "\r\n");
    dir.write(file, text);
  }
  void WriteDesign(const std::string& file, const std::string& material, bool withLanguage = false) {
    SettingsRecord s;
    s.mater = material;
    dir.write(file, SerializeSettings(s, withLanguage));
  }
  int LastEntry() { return static_cast<int>(Items(IDC_COMBO_MATERIAL).size()) - 1; }
  void SelectMaterial(int index) { dlg().UserSelect(IDC_COMBO_MATERIAL, index); }
  bool NoDataCalculated() { return dlg().Model().LastCalculation() && dlg().Model().LastCalculation()->noData; }
  // The no-data entry selected and calculated as such, its own text stored.
  void ExpectNoDataEntry(const std::string& text) {
    EXPECT_EQ(dlg().GetCurSel(IDC_COMBO_MATERIAL), LastEntry());
    EXPECT_EQ(Items(IDC_COMBO_MATERIAL).back(), text);
    EXPECT_EQ(dlg().Model().Settings().mater, text);
    EXPECT_EQ(dlg().Model().SettingsForWriting().mater, text);
    EXPECT_TRUE(NoDataCalculated());
  }
};

TEST_F(NoDataMaterialTest, TheEntryStaysTheNoDataMaterialAcrossALanguageChange) {
  WriteLanguage("English.lng", "", "English (current)", "No data (en)");
  WriteLanguage("Russian.lng", "ru:", Cp("Русский"), "No data (ru)");
  Start();
  EXPECT_EQ(Items(IDC_COMBO_MATERIAL), (std::vector<std::string>{"N87 Epcos", "M200", "No data (en)"}));
  EXPECT_FALSE(NoDataCalculated());
  SelectMaterial(2);
  ExpectNoDataEntry("No data (en)");
  EXPECT_EQ(dlg().Model().Material().mu, 10000);
  EXPECT_EQ(Text(IDC_RES_PCORE), "");

  dlg().UserMenu(502);  // Russian: a new calculation with the same entry
  EXPECT_EQ(dlg().Model().Lang()[kNoDataMaterialName], "No data (ru)");
  ExpectNoDataEntry("No data (en)");
  EXPECT_EQ(Text(IDC_RES_PCORE), "");

  SelectMaterial(1);
  EXPECT_FALSE(NoDataCalculated());
  EXPECT_EQ(dlg().Model().Material().mu, 2000);
  EXPECT_NE(Text(IDC_RES_PCORE), "");
}

TEST_F(NoDataMaterialTest, WithoutItsTextEveryOtherMaterialKeepsItsLossTable) {
  WriteLanguage("English.lng", "", "English (current)", "");
  WriteDesign("empty.sav", "");
  Start();
  EXPECT_EQ(Items(IDC_COMBO_MATERIAL), (std::vector<std::string>{"N87 Epcos", "M200", ""}));
  EXPECT_FALSE(NoDataCalculated());
  EXPECT_EQ(dlg().Model().Material().mu, 2200);
  EXPECT_NE(Text(IDC_RES_PCORE), "");
  SelectMaterial(1);
  EXPECT_FALSE(NoDataCalculated());
  EXPECT_EQ(dlg().Model().Material().mu, 2000);
  // The empty entry itself is still the no-data material.
  SelectMaterial(2);
  EXPECT_TRUE(NoDataCalculated());
  // An empty material name in a design names no material: N87 Epcos.
  Load("empty.sav");
  EXPECT_EQ(dlg().Model().Settings().mater, "N87 Epcos");
  EXPECT_EQ(dlg().GetCurSel(IDC_COMBO_MATERIAL), 0);
  EXPECT_FALSE(NoDataCalculated());
}

TEST_F(NoDataMaterialTest, ASettingsFileSavedWithTheEntryInAnyLanguageBringsItBack) {
  WriteLanguage("English.lng", "", "English (current)", "No data (en)");
  WriteLanguage("Russian.lng", "ru:", Cp("Русский"), Cp("Нет данных"));
  WriteDesign("Inductor.ini", Cp("Нет данных"), true);
  Start();
  ExpectNoDataEntry("No data (en)");
  EXPECT_EQ(dlg().Model().Settings().lang, "English");
}

TEST_F(NoDataMaterialTest, LoadBringsTheEntryBackFromEveryLanguageOfTheFolder) {
  WriteLanguage("English.lng", "", "English (current)", "No data (en)");
  WriteDesign("en.sav", "No data (en)");
  WriteDesign("de.sav", "Ohne Daten");
  WriteDesign("near.sav", "No data (en) 2");
  WriteDesign("m200.sav", "M200");
  Start();
  Load("en.sav");
  ExpectNoDataEntry("No data (en)");
  Load("m200.sav");
  EXPECT_EQ(dlg().GetCurSel(IDC_COMBO_MATERIAL), 1);
  EXPECT_FALSE(NoDataCalculated());

  // A language file that came after start-up, with an upper-case extension.
  Load("de.sav");
  EXPECT_EQ(dlg().Model().Settings().mater, "N87 Epcos");
  WriteLanguage("Deutsch.LNG", "de:", "Deutsch", "Ohne Daten");
  Load("de.sav");
  ExpectNoDataEntry("No data (en)");

  // Only the whole text names the entry; a longer name is an unknown material.
  Load("near.sav");
  EXPECT_EQ(dlg().Model().Settings().mater, "N87 Epcos");
  EXPECT_EQ(dlg().GetCurSel(IDC_COMBO_MATERIAL), 0);
}

}  // namespace
}  // namespace velmora::test
