// SPDX-License-Identifier: GPL-3.0-or-later
// What the window shows around the calculation's message boxes: the wire
// notice comes at its point of the run, and a run that stops early leaves the
// wire-size field as typed.
#include <set>

#include "WindowFixture.h"
#include "app/WindowLines.h"
#include "present/InputTable.h"

namespace velmora::test {
namespace {

using namespace ids;

// A host that looks at the window each time a box comes up.
class SnoopingHost : public ui::HeadlessHost {
 public:
  std::function<void(ui::Dialog&)> atBox;
  int MessageBox(ui::Dialog& owner, std::string_view text, std::string_view caption, ui::MbType type) override {
    if (atBox) atBox(owner);
    return HeadlessHost::MessageBox(owner, text, caption, type);
  }
};

class CalcCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteSmallDataSet(dir);
    dlg = std::make_unique<CVelmoraDlg>(host);
    dlg->Create();
    ASSERT_FALSE(dlg->Model().StartUpFailed());
    host.ClearShown();
  }
  std::string Text(int id) const { return dlg->GetItemText(id); }

  TempDir dir;
  SnoopingHost host;
  std::unique_ptr<CVelmoraDlg> dlg;
};

TEST_F(CalcCommandTest, TheWireNoticeShowsTheRunSoFarAndThePreviousWireResults) {
  dlg->UserType(IDC_EDIT_DPROV, "1");
  dlg->UserEnter();
  const std::vector<int> wireLabels = {IDC_RES_WIRE, IDC_RES_WIRES, IDC_RES_JACT, IDC_RES_FILL};
  std::vector<std::string> before;
  for (int id : wireLabels) before.push_back(Text(id));
  const std::string turnsBefore = Text(IDC_RES_TURNS);

  // A new inductance changes every result; a size between two of the table's
  // brings the notice.
  dlg->UserType(IDC_EDIT_L, "60");
  dlg->UserType(IDC_EDIT_J, "3");
  dlg->UserType(IDC_EDIT_DPROV, "0,5");
  std::vector<std::string> atNotice;
  std::string turnsAtNotice, fieldAtNotice;
  host.atBox = [&](ui::Dialog& d) {
    if (!atNotice.empty()) return;
    for (int id : wireLabels) atNotice.push_back(d.GetItemText(id));
    turnsAtNotice = d.GetItemText(IDC_RES_TURNS);
    fieldAtNotice = d.GetItemText(IDC_EDIT_DPROV);
  };
  dlg->UserEnter();
  ASSERT_FALSE(host.shown().empty());
  EXPECT_EQ(host.shown()[0].text, "The size is 0.5 mm not in the table, used 0.56 mm");
  EXPECT_EQ(atNotice, before);
  EXPECT_NE(turnsAtNotice, turnsBefore);
  EXPECT_EQ(turnsAtNotice, Text(IDC_RES_TURNS));
  EXPECT_EQ(fieldAtNotice, "0.56");
  // Afterwards every label holds this run's results; warnings come last.
  std::vector<std::string> after;
  for (int id : wireLabels) after.push_back(Text(id));
  EXPECT_NE(after, before);
}

TEST_F(CalcCommandTest, ARunStoppedByTheRippleLeavesTheWireSizeAsTyped) {
  dlg->UserType(IDC_EDIT_DPROV, "1,341");
  dlg->UserType(IDC_EDIT_INOM, "0,01");  // far below half the ripple
  dlg->UserType(IDC_EDIT_FC, "25,5");
  dlg->UserEnter();
  ASSERT_EQ(host.shown().size(), 1u);
  EXPECT_EQ(host.shown()[0].text, "OT25");
  EXPECT_EQ(Text(IDC_EDIT_DPROV), "1,341");
  EXPECT_EQ(Text(IDC_EDIT_FC), "25.5");  // the calculation's own inputs take points

  // A run that reaches the wire choice takes it over.
  host.ClearShown();
  dlg->UserType(IDC_EDIT_INOM, "10");
  dlg->UserType(IDC_EDIT_DPROV, "1,06");
  dlg->UserEnter();
  EXPECT_EQ(Text(IDC_EDIT_DPROV), "1.06");
}

}  // namespace
}  // namespace velmora::test

namespace velmora::test {
namespace {

TEST(CalcInputs, EveryFieldGoesToTheRunAndOnlyTheTextsComeBack) {
  SettingsRecord s;
  const std::vector<std::string SettingsRecord::*> texts = {
      &SettingsRecord::L,       &SettingsRecord::Inom, &SettingsRecord::Imin, &SettingsRecord::voltageSwitchOn,
      &SettingsRecord::Udc,     &SettingsRecord::Fc,   &SettingsRecord::j,    &SettingsRecord::gapOrAl,
      &SettingsRecord::wireSize};
  for (std::size_t i = 0; i < texts.size(); ++i) s.*texts[i] = "t" + std::to_string(i);
  s.use = 1;
  s.gapChoice = 2;
  s.us_Imin = 3;
  s.yes_AWG = 4;
  s.use_D = 5;
  const ChokeInputs in = ChokeInputsOf(s);
  EXPECT_EQ((std::vector<std::string>{in.L, in.Inom, in.Imin, in.voltageSwitchOn, in.Udc, in.Fc, in.j, in.gapOrAl,
                                      in.wireSize}),
            (std::vector<std::string>{"t0", "t1", "t2", "t3", "t4", "t5", "t6", "t7", "t8"}));
  EXPECT_EQ((std::vector<int>{in.use, in.gapChoice, in.us_Imin, in.yes_AWG, in.use_D}),
            (std::vector<int>{1, 2, 3, 4, 5}));

  ChokeInputs fields = in;
  for (std::string* t : {&fields.L, &fields.Inom, &fields.Imin, &fields.voltageSwitchOn, &fields.Udc, &fields.Fc,
                         &fields.j, &fields.gapOrAl, &fields.wireSize})
    *t += "'";
  fields.use = fields.gapChoice = fields.us_Imin = fields.yes_AWG = fields.use_D = 9;
  SettingsRecord back = s;
  TakeCorrectedFields(fields, back);
  for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(back.*texts[i], "t" + std::to_string(i) + "'");
  EXPECT_EQ((std::vector<int>{back.use, back.gapChoice, back.us_Imin, back.yes_AWG, back.use_D}),
            (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(back.core, s.core);
  EXPECT_EQ(back.mater, s.mater);
}

// A line added to the result or input table must not share a label with
// another, must have a second label exactly when it formats a second text,
// and must find its texts by control ID.
TEST(WindowLines, LabelsAreDistinctAndFoundByTheirIds) {
  std::set<int> labels;
  ResultTexts texts;
  for (std::size_t i = 0; i < kResultCount; ++i) {
    const ResultControls& l = ControlsOf(static_cast<Result>(i));
    EXPECT_TRUE(labels.insert(l.value).second) << l.value;
    EXPECT_EQ(l.extra != 0, ResultLines()[i].extraFormat != nullptr) << l.value;
    texts.Value(i) = std::to_string(i);
    if (l.extra) texts.Extra(i) = "extra " + std::to_string(i);
    EXPECT_EQ(LabelText(texts, l.value), std::to_string(i));
    if (l.extra) {
      EXPECT_EQ(LabelText(texts, l.extra), "extra " + std::to_string(i));
    }
  }
  EXPECT_FALSE(LabelText(texts, IDC_EDIT_L));
  for (std::size_t i = 0; i < kInputCount; ++i) {
    const int value = ControlsOf(static_cast<Input>(i)).value;
    EXPECT_TRUE(labels.insert(value).second) << value;
  }
}

}  // namespace
}  // namespace velmora::test
