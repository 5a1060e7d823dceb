// SPDX-License-Identifier: GPL-3.0-or-later
// The wire-size field: unit switch, spin button, table sizes and an
// unreadable wire table.
#include <filesystem>

#include "WindowFixture.h"

namespace velmora::test {
namespace {

using namespace ids;

class WireCommandsTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    Start();
  }
};

TEST_F(WireCommandsTest, SwitchingUnitsConvertsTheFieldAndRecalculates) {
  EXPECT_EQ(dlg().Model().Wires().last(), 10);
  Type(IDC_EDIT_DPROV, "0.5");
  Click(IDC_RADIO_AWG);
  EXPECT_EQ(Text(IDC_EDIT_DPROV), "24");  // AWG 24 is 0.511 mm
  EXPECT_EQ(dlg().GetSpinPos(IDC_SPIN_WIRE), 16);
  EXPECT_EQ(dlg().Item(IDC_SPIN_WIRE)->rangeHi, 40);
  EXPECT_EQ(dlg().Item(IDC_SPIN_WIRE)->buddy, IDC_EDIT_DPROV);
  EXPECT_EQ(Text(IDC_LABEL_DPROV), "ID20");
  EXPECT_EQ(Text(IDC_CAP_WIRE), "RS9");
  EXPECT_EQ(Text(IDC_UNIT_DPROV_MM), "");
  EXPECT_EQ(Text(IDC_UNIT_DPROV_AWG), "AWG");
  EXPECT_EQ(Text(IDC_UNIT_WIRE), "");
  EXPECT_EQ(Text(IDC_RES_WIRE).rfind("AWG ", 0), 0u);
  EXPECT_EQ(dlg().Model().Settings().yes_AWG, 1);

  // A second click on the chosen unit converts nothing.
  Type(IDC_EDIT_DPROV, "0");
  Click(IDC_RADIO_AWG);
  EXPECT_EQ(Text(IDC_EDIT_DPROV), "0");

  // AWG 0 is thicker than every table size: the largest one.
  Click(IDC_RADIO_METRIC);
  EXPECT_EQ(Text(IDC_EDIT_DPROV), "2.5");
  EXPECT_EQ(dlg().GetSpinPos(IDC_SPIN_WIRE), 10);
  EXPECT_EQ(dlg().Item(IDC_SPIN_WIRE)->rangeHi, 10);
  EXPECT_EQ(Text(IDC_LABEL_DPROV), "ID7");
  EXPECT_EQ(Text(IDC_CAP_WIRE), "RS4");
  EXPECT_EQ(Text(IDC_UNIT_DPROV_MM), "mm");
  EXPECT_EQ(Text(IDC_UNIT_DPROV_AWG), "");
  EXPECT_EQ(Text(IDC_UNIT_DPROV_MM), "mm");
}

TEST_F(WireCommandsTest, SpinStepsThroughTheTableAndRecalculates) {
  Click(IDC_CHECK_USE_D);
  ASSERT_EQ(dlg().GetSpinPos(IDC_SPIN_WIRE), 7);  // 1.06 mm
  dlg().UserSpin(IDC_SPIN_WIRE, -1);
  EXPECT_EQ(Text(IDC_EDIT_DPROV), "1");
  EXPECT_EQ(Text(IDC_RES_WIRE), "1");
  dlg().UserSpin(IDC_SPIN_WIRE, +1);
  dlg().UserSpin(IDC_SPIN_WIRE, +1);
  EXPECT_EQ(Text(IDC_EDIT_DPROV), "1.5");
  EXPECT_EQ(Text(IDC_RES_WIRE), "1.5");

  Click(IDC_RADIO_AWG);
  EXPECT_EQ(Text(IDC_EDIT_DPROV), "14");  // AWG 15 is 1.45 mm, AWG 14 1.63 mm
  dlg().UserSpin(IDC_SPIN_WIRE, -1);
  EXPECT_EQ(Text(IDC_EDIT_DPROV), "15");
  EXPECT_EQ(Text(IDC_RES_WIRE), "AWG 15");
}

TEST_F(WireCommandsTest, ASizeOutsideTheTableIsReplacedWithANotice) {
  Type(IDC_EDIT_DPROV, "0,5");
  ExpectBoxes(1);
  dlg().UserEnter();
  const auto boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "The size is 0.5 mm not in the table, used 0.56 mm");
  EXPECT_EQ(boxes[0].caption, "Attention");
  EXPECT_EQ(Text(IDC_EDIT_DPROV), "0.56");
  EXPECT_EQ(dlg().GetSpinPos(IDC_SPIN_WIRE), 4);
}

TEST_F(WireCommandsTest, BackToMillimetresWithAnEmptyTableStillRecalculates) {
  Click(IDC_RADIO_AWG);
  ASSERT_EQ(Text(IDC_RES_WIRE).rfind("AWG ", 0), 0u);
  dir.write("Wire.txt", "");
  Click(IDC_RADIO_METRIC);
  EXPECT_EQ(dlg().Model().Settings().yes_AWG, 0);
  EXPECT_EQ(Text(IDC_RES_WIRE).find("AWG"), std::string::npos) << Text(IDC_RES_WIRE);
  EXPECT_EQ(Text(IDC_UNIT_DPROV_MM), "mm");
}

TEST_F(WireCommandsTest, UnreadableWireTableIsToldAndTheSwitchStops) {
  Click(IDC_RADIO_AWG);
  const std::string field = Text(IDC_EDIT_DPROV);
  std::filesystem::remove("Wire.txt");
  ExpectBoxes(1);
  Click(IDC_RADIO_METRIC);
  const auto boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find("Wire.txt"), std::string::npos);
  EXPECT_NE(boxes[0].text.find("No such file"), std::string::npos);
  EXPECT_EQ(boxes[0].caption, "Attention");
  // Still AWG throughout: radio, table, field and captions.
  EXPECT_EQ(dlg().GetRadioIndex(IDC_RADIO_METRIC), 1);
  EXPECT_EQ(dlg().Model().Wires().last(), 40);
  EXPECT_EQ(Text(IDC_EDIT_DPROV), field);
  EXPECT_EQ(Text(IDC_UNIT_DPROV_AWG), "AWG");
}

}  // namespace
}  // namespace velmora::test
