// SPDX-License-Identifier: GPL-3.0-or-later
// The window's texts from the language file, the language submenu and the
// language command.
#include <filesystem>

#include "WindowFixture.h"

namespace velmora::test {
namespace {

using namespace ids;

class LanguageTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    Start();
  }
  const ui::MenuItem& LanguageMenu() { return dlg().Menu().at(kLanguageMenuPosition); }
  std::vector<std::string> MenuTexts() {
    std::vector<std::string> texts;
    for (const ui::MenuItem& item : LanguageMenu().popup)
      texts.push_back(std::to_string(item.id) + (item.checked ? "* " : " ") + Utf(item.text));
    return texts;
  }
};

TEST_F(LanguageTest, MenuBarListsTheLanguagesWithTheCurrentOneChecked) {
  const auto& bar = dlg().Menu();
  ASSERT_EQ(bar.size(), 4u);  // and the design menu last
  EXPECT_EQ(bar[0].id, ID_HELP);
  EXPECT_EQ(bar[0].text, "MN2");
  EXPECT_EQ(bar[2].id, ID_APP_ABOUT);
  EXPECT_EQ(bar[2].text, "MN1");
  EXPECT_TRUE(LanguageMenu().isPopup);
  EXPECT_EQ(LanguageMenu().text, "MN3");
  EXPECT_EQ(MenuTexts(), (std::vector<std::string>{"501* English (current)", "502 Russian"}));
  EXPECT_EQ(dlg().Model().CurrentLanguageCommand(), 501);
  EXPECT_EQ(dlg().Model().LanguageCommandCount(), 3);
}

TEST_F(LanguageTest, EveryCaptionOfTheWindowComesFromTheLanguageFile) {
  // The English file is plain ASCII: no Russian caption of the resource may
  // remain, except the shape button "ЕI" that no file names.
  for (int id : dlg().ItemIds()) {
    const ui::Control& c = *dlg().Item(id);
    if (c.tmpl.kind == ui::ControlKind::Edit || c.tmpl.kind == ui::ControlKind::ComboBox || id == IDC_SHAPE_EI)
      continue;
    for (unsigned char ch : c.text) EXPECT_LT(ch, 0x80) << "control " << id << ": " << Utf(c.text);
  }
  EXPECT_EQ(Text(IDC_GROUP_CORE_DB), "BC1");
  EXPECT_EQ(Text(IDC_SHAPE_OTHER), "BC15");
  EXPECT_EQ(Text(IDC_DELETE_CORE), "BC19");
  EXPECT_EQ(Text(IDC_CHECK_IMIN), "ID10");
  EXPECT_EQ(Text(IDC_RADIO_AWG), "ID17");
  EXPECT_EQ(Text(IDC_RADIO_AL), "MC3");
  EXPECT_EQ(Text(IDC_CAP_AL), "MC3");
  EXPECT_EQ(Text(IDC_CAP_BAC), "MC11");
  EXPECT_EQ(Text(IDC_CAP_DI), "RS8");
  EXPECT_EQ(Text(IDC_EXIT), "BT1");
  EXPECT_EQ(Text(IDC_CALCULATE), "BT2");
  EXPECT_EQ(Text(IDC_LOAD), "BT3");
  EXPECT_EQ(Text(IDC_SAVE), "BT4");
  EXPECT_EQ(Text(IDC_UNIT_U2), "OT10");
  EXPECT_EQ(Text(IDC_UNIT_L), "uH");
  EXPECT_EQ(Text(IDC_UNIT_JACT), "OT20");
  EXPECT_EQ(Text(IDC_LABEL_DIM_A), "A, mm");
  EXPECT_EQ(Text(IDC_LABEL_DIM_h), "h, mm");
  EXPECT_EQ(Text(IDC_LABEL_DIM_I), "I, mm");
  EXPECT_EQ(Text(IDC_SHAPE_EI), Cp("ЕI"));

  const std::pair<int, const char*> tips[] = {
      {IDC_COMBO_CORE, "BC20"},     {IDC_SHAPE_OTHER, "BC21"}, {IDC_CHECK_ADD_DIMS, "BC22"},
      {IDC_CHECK_ADD_DATA, "BC23"}, {IDC_CHECK_USE_D, "ID18"}, {IDC_EDIT_J, "ID19"},
      {IDC_EDIT_ZAZOR, "MC12"},     {IDC_LOAD, "BT5"},         {IDC_SAVE, "BT6"}};
  for (const auto& [id, tip] : tips) EXPECT_EQ(dlg().Item(id)->tooltip, tip) << id;
}

TEST_F(LanguageTest, LanguageCommandSwitchesTextsMenuAndRecalculates) {
  Type(IDC_EDIT_L, "20");
  const std::string turns = Text(IDC_RES_TURNS);
  dlg().UserMenu(502);
  EXPECT_EQ(dlg().Model().Settings().lang, "Russian");
  EXPECT_EQ(dlg().WindowText(), "ru:Velmora (ru:Version 5200)");
  EXPECT_EQ(Text(IDC_GROUP_INPUT), "ru:ID1");
  EXPECT_EQ(Text(IDC_RES_LIMIT), "(ru:MC10 0.390 T)");
  EXPECT_NE(Text(IDC_RES_TURNS), turns);  // the 20 uH were calculated
  EXPECT_EQ(Text(IDC_EDIT_L), "20");
  EXPECT_EQ(dlg().Menu().at(kLanguageMenuPosition).text, "ru:MN3");
  EXPECT_EQ(MenuTexts(), (std::vector<std::string>{"501 English", "502* Русский"}));

  // A language file added meanwhile shows at the next rebuild.
  dir.write("Deutsch.lng", LanguageFileText("de:", "Deutsch"));
  dlg().UserMenu(501);
  EXPECT_EQ(MenuTexts(), (std::vector<std::string>{"501 Deutsch", "502* English (current)", "503 Russian"}));
  EXPECT_EQ(Text(IDC_GROUP_INPUT), "ID1");
}

TEST_F(LanguageTest, ExtensionInAnyLetterCaseIsListedOnceAndLoads) {
  dir.write("Deutsch.LNG", LanguageFileText("de:", "Deutsch"));
  dir.write("Polski.Lng", LanguageFileText("pl:", "Polski"));
  dir.write("russian.LNG", LanguageFileText("xx:", "xx"));  // another name: listed too
  dir.write("Readme.lngx", "");
  dlg().UserMenu(502);
  EXPECT_EQ(MenuTexts(),
            (std::vector<std::string>{"501 Deutsch", "502 English", "503 Polski", "504* Русский", "505 russian"}));
  dlg().UserMenu(501);
  EXPECT_EQ(dlg().Model().Settings().lang, "Deutsch");
  EXPECT_EQ(Text(IDC_GROUP_INPUT), "de:ID1");
  EXPECT_EQ(MenuTexts(),
            (std::vector<std::string>{"501* Deutsch", "502 English", "503 Polski", "504 Russian", "505 russian"}));
}

TEST_F(LanguageTest, CheckedItemAndUnknownCommandsDoNothing) {
  Type(IDC_EDIT_L, "20");
  const std::string turns = Text(IDC_RES_TURNS);
  for (int id : {501, 500, 503, 32775}) dlg().UserMenu(id);
  EXPECT_EQ(Text(IDC_RES_TURNS), turns);
  EXPECT_EQ(dlg().Model().Settings().lang, "English");
  EXPECT_EQ(dlg().Model().CurrentLanguageCommand(), 501);
}

TEST_F(LanguageTest, RemovedLanguageFileKeepsTheTextsButTakesTheChoice) {
  std::filesystem::remove("Russian.lng");
  Type(IDC_EDIT_L, "20");
  const std::string turns = Text(IDC_RES_TURNS);
  dlg().UserMenu(502);
  EXPECT_EQ(dlg().Model().Settings().lang, "Russian");
  EXPECT_EQ(dlg().Model().CurrentLanguageCommand(), 502);
  EXPECT_EQ(dlg().WindowText(), "Velmora (Version 5200)");
  EXPECT_EQ(Text(IDC_GROUP_INPUT), "ID1");
  EXPECT_EQ(MenuTexts(), (std::vector<std::string>{"501 English (current)", "502* Russian"}));
  EXPECT_NE(Text(IDC_RES_TURNS), turns);

  // Item 501 still shows the current-language text of the file before; going
  // back to it takes its file's name, so English loads again (and is what the
  // next start reads).
  dlg().UserMenu(501);
  EXPECT_EQ(dlg().Model().Settings().lang, "English");
  EXPECT_EQ(dlg().Model().CurrentLanguageCommand(), 501);
  EXPECT_EQ(MenuTexts(), (std::vector<std::string>{"501* English (current)"}));
}

TEST_F(LanguageTest, VariantLabelsFollowTheChoicesShownWhenTheLanguageChanges) {
  // The radio buttons are clicked and the language is switched at once, with
  // no calculation in between: the new texts follow the buttons as shown.
  Type(IDC_EDIT_ZAZOR, "80");  // an AL that the core carries without a warning
  Click(IDC_RADIO_OTHER_USE);
  Click(IDC_RADIO_AL);
  dlg().UserMenu(502);
  EXPECT_EQ(Text(IDC_LABEL_U1), "ru:ID14");
  EXPECT_EQ(Text(IDC_LABEL_U2), "ru:ID15");
  EXPECT_EQ(Text(IDC_CAP_REQUIRED), "ru:MC5");
  EXPECT_EQ(Text(IDC_UNIT_REQUIRED), "");
  EXPECT_EQ(dlg().Model().Settings().use, 1);
  EXPECT_EQ(dlg().Model().Settings().gapChoice, 1);
}

// A language name that differs from its file's name only in letter case
// still opens the file, but no item of the submenu is the current one.
TEST_F(WindowTest, LanguageNameInOtherLetterCaseLoadsWithoutCheckMark) {
  SettingsRecord s;
  s.lang = "russian";
  dir.write("Inductor.ini", SerializeSettings(s, true));
  Start();
  EXPECT_EQ(dlg().Model().Settings().lang, "russian");
  EXPECT_EQ(dlg().Model().CurrentLanguageCommand(), 500);
  for (const ui::MenuItem& item : dlg().Menu().at(kLanguageMenuPosition).popup) {
    EXPECT_FALSE(item.checked);
    EXPECT_TRUE(item.text == "English" || item.text == "Russian") << item.text;
  }
}

}  // namespace
}  // namespace velmora::test
