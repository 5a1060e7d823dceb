// SPDX-License-Identifier: GPL-3.0-or-later
// The window's form rules and the commands that end it, driven as a user would.
#include <filesystem>

#include "WindowFixture.h"

namespace velmora::test {
namespace {

using namespace ids;

class FormRulesTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    Start();
  }
};

TEST_F(FormRulesTest, FrequencyTakesPointsAtOnceAndStaysWithinTheLossTable) {
  Type(IDC_EDIT_FC, "1,5");
  EXPECT_EQ(Text(IDC_EDIT_FC), "1.5");
  Type(IDC_EDIT_FC, "600");  // N87 Epcos is tabulated up to 500 kHz
  EXPECT_EQ(Text(IDC_EDIT_FC), "500");
  Type(IDC_EDIT_FC, "abc");  // no number: 0, left as typed
  EXPECT_EQ(Text(IDC_EDIT_FC), "abc");
  Type(IDC_EDIT_FC, "100");

  dlg().UserSelect(IDC_COMBO_MATERIAL, 1);  // M200, up to 200 kHz
  Type(IDC_EDIT_FC, "300");
  EXPECT_EQ(Text(IDC_EDIT_FC), "200");
  // The no-data material keeps the table of the material before it.
  dlg().UserSelect(IDC_COMBO_MATERIAL, 2);
  Type(IDC_EDIT_FC, "250");
  EXPECT_EQ(Text(IDC_EDIT_FC), "200");
}

TEST_F(FormRulesTest, ShapeSwitchKeepsTheListPositionNotTheCore) {
  SelectCore("E 20/10/6");  // third E core
  ASSERT_EQ(dlg().GetCurSel(IDC_COMBO_CORE), 2);
  Click(IDC_SHAPE_ETD);
  EXPECT_EQ(SelectedCore(), "ETD 39/20/13");  // third ETD core
  EXPECT_EQ(dlg().Model().CurrentCore(), "ETD 39/20/13");
  EXPECT_EQ(Text(IDC_DATA_AE), "125");

  Click(IDC_SHAPE_E);
  SelectCore("E 30/15/7");  // fifth E core
  Click(IDC_SHAPE_ER);      // only two ER cores: the first
  EXPECT_EQ(SelectedCore(), "ER 11/5");
  EXPECT_EQ(Items(IDC_COMBO_CORE), (std::vector<std::string>{"ER 11/5", "ER 14.5/6"}));

  // A shape without cores leaves no position; the next shape starts at its
  // first entry, as start-up does.
  std::string db = SmallCoreDatabase();
  db.erase(db.find("[EI 30]"), db.find("[R 20/10/7]") - db.find("[EI 30]"));
  dir.write("BaseCores.txt", db);
  Start();
  Click(IDC_SHAPE_EI);
  EXPECT_EQ(dlg().GetCount(IDC_COMBO_CORE), 0);
  EXPECT_EQ(dlg().GetCurSel(IDC_COMBO_CORE), -1);
  Click(IDC_SHAPE_ETD);
  EXPECT_EQ(SelectedCore(), "ETD 29/16/10");
  EXPECT_EQ(Text(IDC_DATA_AE), "76");
}

TEST_F(FormRulesTest, PictureFollowsShapeAndAddMode) {
  EXPECT_EQ(dlg().PictureId(), IDB_E);
  Click(IDC_CHECK_ADD_DIMS);
  EXPECT_EQ(dlg().PictureId(), IDB_E_DIMS);
  Click(IDC_SHAPE_ETD);  // ETD shows the ER pictures
  EXPECT_EQ(dlg().PictureId(), IDB_ER_DIMS);
  Click(IDC_CHECK_ADD_DIMS);
  EXPECT_EQ(dlg().PictureId(), IDB_ER);
  Click(IDC_SHAPE_EI);
  EXPECT_EQ(dlg().PictureId(), IDB_EI);
  Click(IDC_SHAPE_R);
  EXPECT_EQ(dlg().PictureId(), IDB_R);

  // Shape other: ticking 1032 is refused and keeps the photograph; 1033
  // switches to the second photograph.
  Click(IDC_SHAPE_OTHER);
  Click(IDC_CHECK_ADD_DIMS);
  EXPECT_EQ(dlg().GetCheck(IDC_CHECK_ADD_DIMS), 0);
  EXPECT_EQ(dlg().PictureId(), IDB_OTHER);
  Click(IDC_CHECK_ADD_DATA);
  EXPECT_EQ(dlg().PictureId(), IDB_OTHER_2);
  EXPECT_EQ(dlg().PictureRect().left, 495);
  EXPECT_EQ(dlg().PictureRect().bottom, 102);
}

TEST_F(FormRulesTest, CaptionSwitchesChangeLabelsButNoResults) {
  const auto before = Results();
  Click(IDC_RADIO_OTHER_USE);
  EXPECT_EQ(Text(IDC_LABEL_U1), "ID14");
  EXPECT_EQ(Text(IDC_LABEL_U2), "ID15");
  Click(IDC_RADIO_AL);
  EXPECT_EQ(Text(IDC_CAP_REQUIRED), "MC5");
  EXPECT_EQ(Text(IDC_UNIT_REQUIRED), "");
  EXPECT_EQ(Results(), before);
  EXPECT_EQ(dlg().Model().Settings().use, 0);  // taken at the next data exchange

  Click(IDC_RADIO_OUTPUT);
  Click(IDC_RADIO_GAP);
  EXPECT_EQ(Text(IDC_LABEL_U1), "ID12");
  EXPECT_EQ(Text(IDC_LABEL_U2), "ID13");
  EXPECT_EQ(Text(IDC_CAP_REQUIRED), "MC4");
  EXPECT_EQ(Text(IDC_UNIT_REQUIRED), "mm");
}

TEST_F(FormRulesTest, MinimumCurrentSwitchesTheEditablePairAndRecalculates) {
  const auto before = Results();
  Type(IDC_EDIT_IMIN, "1");  // disabled: typing does nothing
  EXPECT_EQ(Text(IDC_EDIT_IMIN), "2");

  Click(IDC_CHECK_IMIN);
  EXPECT_FALSE(Enabled(IDC_EDIT_L));
  EXPECT_TRUE(Enabled(IDC_EDIT_IMIN));
  EXPECT_EQ(Results(), before);  // Imin 2 A at 60 V us gives the same 15 uH
  Type(IDC_EDIT_IMIN, "1.5");
  Click(IDC_CHECK_IMIN);
  Click(IDC_CHECK_IMIN);  // on again: 20 uH
  EXPECT_NE(Text(IDC_RES_LACT), before[3]);

  Click(IDC_CHECK_IMIN);
  EXPECT_TRUE(Enabled(IDC_EDIT_L));
  EXPECT_FALSE(Enabled(IDC_EDIT_IMIN));
  EXPECT_EQ(Results(), before);
}

TEST_F(FormRulesTest, DesiredDiameterAndEnterRecalculate) {
  EXPECT_EQ(Text(IDC_RES_WIRE), "1.5");
  EXPECT_EQ(Text(IDC_RES_WIRES), "1");
  Click(IDC_CHECK_USE_D);  // 1.06 mm: two wires carry the 1.44 mm2
  EXPECT_EQ(Text(IDC_RES_WIRE), "1.06");
  EXPECT_EQ(Text(IDC_RES_WIRES), "2");

  const std::string turns = Text(IDC_RES_TURNS);
  Type(IDC_EDIT_L, "20");
  EXPECT_EQ(Text(IDC_RES_TURNS), turns);  // typing alone calculates nothing
  dlg().UserEnter();
  EXPECT_FALSE(dlg().IsEnded());
  EXPECT_NE(Text(IDC_RES_TURNS), turns);
}

TEST_F(FormRulesTest, MaterialChangeLoadsItsDataAndRecalculates) {
  EXPECT_EQ(Text(IDC_RES_LIMIT), "(MC10 0.390 T)");
  dlg().UserSelect(IDC_COMBO_MATERIAL, 1);
  EXPECT_EQ(dlg().Model().Settings().mater, "M200");
  EXPECT_EQ(Text(IDC_RES_LIMIT), "(MC10 0.350 T)");
  EXPECT_FALSE(Text(IDC_RES_PCORE).empty());

  dlg().UserSelect(IDC_COMBO_MATERIAL, 2);  // no data: 1.2 T, no core loss
  EXPECT_EQ(Text(IDC_RES_LIMIT), "(MC10 1.200 T)");
  EXPECT_EQ(Text(IDC_RES_PCORE), "");
  EXPECT_EQ(dlg().Model().Material().Bmax, 0.35);
}

TEST_F(FormRulesTest, ExitEscapeAndCloseWriteTheSettingsToTheProgramFolder) {
  Type(IDC_EDIT_L, "33");
  SelectCore("E 32/16/9");
  std::filesystem::create_directory("elsewhere");
  std::filesystem::current_path("elsewhere");  // the program folder counts, not the current one
  Click(IDC_EXIT);
  EXPECT_TRUE(dlg().IsEnded());
  std::filesystem::current_path("..");
  SettingsRecord expected;
  expected.L = "33";
  expected.core = "E 32/16/9";
  EXPECT_EQ(dir.read("Inductor.ini"), SerializeSettings(expected, true));
  EXPECT_FALSE(std::filesystem::exists("elsewhere/Inductor.ini"));

  std::filesystem::remove("Inductor.ini");
  Start().UserEscape();
  EXPECT_TRUE(dir.exists("Inductor.ini"));
  std::filesystem::remove("Inductor.ini");
  Start().UserClose();
  EXPECT_TRUE(dir.exists("Inductor.ini"));
}

TEST_F(FormRulesTest, ExitThatCannotWriteTheSettingsSaysSo) {
  std::filesystem::create_directory("Inductor.ini");  // nothing can replace it
  ExpectBoxes(1);
  Click(IDC_EXIT);
  EXPECT_TRUE(dlg().IsEnded());
  const auto boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Cannot write " + dlg().Model().ProgramFolder() + "Inductor.ini");
  EXPECT_EQ(boxes[0].caption, "Attention");
}

TEST_F(FormRulesTest, SuppressedWritesLeaveTheDiskAlone) {
  VelmoraOptions options;
  options.suppressWrites = true;
  Start(options).UserEscape();
  EXPECT_FALSE(dir.exists("Inductor.ini"));
}

}  // namespace
}  // namespace velmora::test
