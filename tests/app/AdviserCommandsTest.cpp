// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "app/AdviserCommands.h"
#include "app/WindowFixture.h"

namespace velmora::test {
namespace {

using namespace ids;

class AdviserCommandsTest : public WindowTest {
 protected:
  void SetUp() override { dir.copyShippedData(); }
};

// The design a user gets from the adviser is the one the window shows when it
// starts on that core, material and gap; the other inputs stay.
TEST_F(AdviserCommandsTest, UseThisDesignSetsCoreMaterialGapAndCalculatesOnce) {
  CVelmoraDlg& w = Start();
  ASSERT_FALSE(w.IsEnded());
  Click(IDC_RADIO_AL);
  Type(IDC_EDIT_ZAZOR, "250");
  Type(IDC_EDIT_L, "22");
  Click(IDC_SHAPE_ETD);
  TakeBoxes();

  ExpectBoxes(1);  // the design may warn, once per warning of its one calculation
  ApplyAdvisedDesign(w, "PQ 26/20", "3F36 Ferroxcube", "0.2");
  const std::vector<ui::HeadlessHost::Shown> boxes = TakeBoxes();
  EXPECT_LE(boxes.size(), 1u);  // one calculation: at most its own warnings
  EXPECT_EQ(w.Model().CurrentCore(), "PQ 26/20");
  EXPECT_EQ(w.GetCheck(IDC_SHAPE_OTHER), 1);
  EXPECT_EQ(SelectedCore(), "PQ 26/20");
  EXPECT_EQ(Text(IDC_COMBO_MATERIAL), "3F36 Ferroxcube");
  EXPECT_EQ(w.GetCheck(IDC_RADIO_GAP), 1);
  EXPECT_EQ(Text(IDC_EDIT_ZAZOR), "0.2");
  EXPECT_EQ(Text(IDC_EDIT_L), "22");
  const std::vector<std::string> applied = Results();

  // The same design from the start.
  ui::HeadlessHost other;
  VelmoraOptions options;
  options.suppressWrites = true;
  options.overrides = {
      {"core", "PQ 26/20"}, {"mater", "3F36 Ferroxcube"}, {"yes_al", "0"}, {"zazor", "0.2"}, {"L", "22"}};
  CVelmoraDlg fresh(other, options);
  fresh.Create();
  std::vector<std::string> expected;
  for (int id : {1040, 1051, 1056, 1049, 1104, 1052, 1103, 1071, 1105, 1050, 1076, 1113, 1002, 1008, 1132, 1148})
    expected.push_back(fresh.GetItemText(id));
  EXPECT_EQ(applied, expected);
  EXPECT_EQ(boxes.size(), other.shown().size());
}

// "Use this design" says in the notice line what it changed, and that
// Ctrl+Z brings the earlier design back, until the next calculation; a
// warning's label stays marked, its limit in the tooltip, until then too.
TEST_F(AdviserCommandsTest, UseThisDesignLeavesANoticeAndWarningsUntilTheNextCalculation) {
  CVelmoraDlg& w = Start();
  const std::string core = w.Model().CurrentCore(), turns = Text(IDC_RES_TURNS);
  EXPECT_EQ(w.Notice(), "");
  ExpectBoxes(3);
  ApplyAdvisedDesign(w, "PQ 26/20", "3F36 Ferroxcube", "0.001");  // far too small a gap: the flux warning
  TakeBoxes();
  const std::string notice = w.Notice();
  for (const std::string& part :
       std::vector<std::string>{"core PQ 26/20", "material 3F36 Ferroxcube", "gap 0.001 mm",
                                "turns " + Text(IDC_RES_TURNS) + " (were " + turns + ")", "Ctrl+Z"})
    EXPECT_NE(notice.find(part), std::string::npos) << part << " in " << notice;
  EXPECT_EQ(notice.find('\n'), std::string::npos);
  EXPECT_EQ(Text(IDC_NOTICE), notice);
  EXPECT_TRUE(w.IsItemWarned(IDC_RES_BPK));
  EXPECT_NE(w.Item(IDC_RES_BPK)->tooltip.find(" T"), std::string::npos);
  EXPECT_FALSE(w.IsItemWarned(IDC_RES_TURNS));

  Type(IDC_EDIT_L, "22");  // typing keeps both
  EXPECT_EQ(w.Notice(), notice);
  EXPECT_TRUE(w.IsItemWarned(IDC_RES_BPK));
  Type(IDC_EDIT_ZAZOR, "1");
  Click(IDC_CALCULATE);
  EXPECT_EQ(w.Notice(), "");
  EXPECT_FALSE(w.IsItemWarned(IDC_RES_BPK));
  EXPECT_EQ(w.Item(IDC_RES_BPK)->tooltip, "");

  w.UserKey("Ctrl+Z");  // the notice's promise
  TakeBoxes();
  EXPECT_EQ(w.Model().CurrentCore(), core);
}

// With the adviser's inductance: the field takes it, the minimum-current
// option goes off, and the required inductance holds while the field keeps
// that text.
TEST_F(AdviserCommandsTest, UseThisDesignKeepsTheRequiredInductance) {
  CVelmoraDlg& w = Start();
  Click(IDC_CHECK_IMIN);
  TakeBoxes();
  EXPECT_TRUE(std::isnan(w.Model().AdvisedRequirement()));
  ApplyAdvisedDesign(w, "PQ 26/20", "3F36 Ferroxcube", "0.2", "16.667", 15);
  TakeBoxes();
  EXPECT_EQ(Text(IDC_EDIT_L), "16.667");
  EXPECT_EQ(w.GetCheck(IDC_CHECK_IMIN), 0);
  EXPECT_EQ(w.Model().AdvisedRequirement(), 15);
  EXPECT_EQ(w.Model()
                .DescribeLastCalculation({.requiredInductance_uH = w.Model().AdvisedRequirement()})
                ->checks[insight::CheckId::MinimumInductance]
                .limit,
            15);
  Type(IDC_EDIT_L, "20");
  Click(IDC_CALCULATE);
  TakeBoxes();
  EXPECT_TRUE(std::isnan(w.Model().AdvisedRequirement()));
}

// A row whose core or material has vanished since the sweep is refused, with
// a message that names it; the window is not touched.
TEST_F(AdviserCommandsTest, VanishedRowsAreRefusedByName) {
  CVelmoraDlg& w = Start();
  std::remove((dir.path() + "/N95 Epcos.txt").c_str());
  const struct {
    const char* core;
    const char* material;
    AdvisedRefusal refusal;
    const char* named;
  } kCases[] = {{"PQ 26/20", "3F36 Ferroxcube", AdvisedRefusal::kNone, ""},
                {"PQ 99/99", "3F36 Ferroxcube", AdvisedRefusal::kCoreGone, "PQ 99/99"},
                {"PQ 26/20", "N99 Nowhere", AdvisedRefusal::kMaterialGone, "N99 Nowhere"},
                {"PQ 26/20", "N95 Epcos", AdvisedRefusal::kMaterialUnreadable, "N95 Epcos"}};
  for (const auto& c : kCases) {
    EXPECT_EQ(CheckAdvisedDesign(w, c.core, c.material), c.refusal) << c.core << c.material;
    const std::string text = AdvisedRefusalText(w.Model().Lang(), c.refusal, c.core, c.material);
    EXPECT_NE(text.find(c.named), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace velmora::test
