// SPDX-License-Identifier: GPL-3.0-or-later
// Out-of-date results, the input checks at the window, and the undo of a
// command that replaced every input.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/AdviserCommands.h"
#include "app/ScriptedActions.h"
#include "app/WindowFixture.h"
#include "calc/InputChecks.h"
#include "settings/SettingsRecord.h"

namespace velmora::test {
namespace {

using namespace ids;

class InputsStateTest : public WindowTest {
 protected:
  CVelmoraDlg& StartQuietly() {
    ExpectBoxes(2);  // the default design's own warnings, if any
    CVelmoraDlg& w = Start();
    TakeBoxes();
    return w;
  }
  bool Greyed() {
    for (int id : {IDC_RES_TURNS, IDC_RES_BPK, IDC_RES_WIRE, IDC_RES_LIMIT, IDC_UNIT_LACT})
      if (dlg().IsItemGreyed(id) == dlg().Model().ResultsCurrent()) ADD_FAILURE() << "label " << id;
    return !dlg().Model().ResultsCurrent() && dlg().WindowText().ends_with(" *");
  }
  void Calculate() {
    ExpectBoxes(2);
    Click(ui::IDOK);
    TakeBoxes();
  }
  void Key(const std::string& keys) {
    const ParsedAction p = ParseScriptedAction("key " + keys);
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(PlayScriptedAction(dlg(), host, p.action), "");
  }
};

TEST_F(InputsStateTest, AnInputTheCalculationReadsGreysTheResultsUntilTheNextCalculation) {
  StartQuietly();
  ASSERT_FALSE(Greyed());
  const std::string title = dlg().WindowText();
  ASSERT_FALSE(title.ends_with(" *"));
  struct Case {
    const char* what;
    std::function<void()> act;
    bool greys;
  };
  const Case cases[] = {
      {"another inductance", [&] { Type(IDC_EDIT_L, "47"); }, true},
      {"the same number written otherwise", [&] { Type(IDC_EDIT_L, "47,0"); }, false},
      {"a frequency", [&] { Type(IDC_EDIT_FC, "150"); }, true},
      {"the other use", [&] { Click(IDC_RADIO_OTHER_USE); }, true},
      {"AL in place of the gap", [&] { Click(IDC_RADIO_AL); }, true},
      {"a gap", [&] { Type(IDC_EDIT_ZAZOR, "0.5"); }, true},
      {"the minimum current while unused", [&] { Type(IDC_EDIT_IMIN, "3"); }, false},
      {"the wire size while unused", [&] { Type(IDC_EDIT_DPROV, "0.5"); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.act();
    EXPECT_EQ(Greyed(), c.greys);
    const std::vector<std::string> shown = Results();
    Calculate();
    EXPECT_FALSE(Greyed());
    EXPECT_EQ(dlg().WindowText(), title);
    if (!c.greys) {
      EXPECT_EQ(Results(), shown);
    }
  }
  // Typing back what was calculated makes the results hold again.
  Type(IDC_EDIT_J, "8");
  Type(IDC_EDIT_J, "7");
  EXPECT_FALSE(Greyed());
}

TEST_F(InputsStateTest, AnInputCheckStopsTheRunLeavingEveryLabelGreyed) {
  StartQuietly();
  const std::vector<std::string> before = Results();
  Type(IDC_EDIT_U2, "30");
  ExpectBoxes(1);
  Click(ui::IDOK);
  const auto boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, InputFaultEnglish(InputFault::OutputVoltage));
  EXPECT_EQ(Results(), before);
  EXPECT_TRUE(Greyed());
  EXPECT_FALSE(dlg().Model().DescribeLastCalculation());
  // The ripple check's stop: the corrected nominal current is not what the
  // labels were computed from.
  Type(IDC_EDIT_U2, "12");
  Type(IDC_EDIT_INOM, "0");
  ExpectBoxes(1);
  Click(ui::IDOK);
  TakeBoxes();
  EXPECT_NE(Text(IDC_EDIT_INOM), "0");
  EXPECT_TRUE(Greyed());
  Calculate();
  EXPECT_FALSE(Greyed());
}

TEST_F(InputsStateTest, CtrlZBringsBackTheInputsBeforeALoadAndCtrlShiftZTheLoadAgain) {
  SettingsRecord design;
  design.L = "47";
  design.Fc = "150";
  design.use = 1;
  dir.write("other.sav", SerializeSettings(design, false));
  StartQuietly();
  Key("Ctrl+Z");           // nothing to undo yet
  Type(IDC_EDIT_L, "22");  // typed, not calculated: undo brings it back as typed
  const SettingsRecord typed = dlg().InputsOnWindow();
  ExpectBoxes(2);
  Load("other.sav");
  TakeBoxes();
  EXPECT_EQ(Text(IDC_EDIT_L), "47");
  EXPECT_FALSE(Greyed());

  ExpectBoxes(2);
  Key("Ctrl+Z");
  EXPECT_EQ(dlg().InputsOnWindow(), typed);
  EXPECT_EQ(dlg().GetCheck(IDC_RADIO_OUTPUT), 1);
  EXPECT_FALSE(Greyed());  // restored and calculated
  EXPECT_FALSE(dlg().Model().CanUndoReplacement());
  Key("Ctrl+Shift+Z");
  TakeBoxes();
  EXPECT_EQ(Text(IDC_EDIT_L), "47");
  EXPECT_EQ(Text(IDC_EDIT_FC), "150");
  EXPECT_TRUE(dlg().Model().CanUndoReplacement());
  EXPECT_FALSE(dlg().Model().CanRedoReplacement());
}

TEST_F(InputsStateTest, CtrlZUndoesUseThisDesignAndTheOtherKeysReachTheirCommands) {
  StartQuietly();
  const SettingsRecord before = dlg().InputsOnWindow();
  ExpectBoxes(4);
  ApplyAdvisedDesign(dlg(), "ETD 29/16/10", "M200", "0.3");
  ASSERT_NE(dlg().InputsOnWindow(), before);
  Key("Ctrl+Z");
  EXPECT_EQ(dlg().InputsOnWindow(), before);
  Type(IDC_EDIT_L, "20");
  Key("Ctrl+Return");
  TakeBoxes();
  EXPECT_TRUE(dlg().Model().ResultsCurrent());
  host.QueueDriver([](ui::Dialog& d) { d.UserClick(ui::IDCANCEL); });
  Key("Ctrl+O");  // the open dialog, cancelled
  EXPECT_EQ(host.pendingDrivers(), 0u);
  EXPECT_EQ(PlayScriptedAction(dlg(), host, ParseScriptedAction("key Ctrl+Q").action),
            "no key Ctrl+Q in the window's table");
}

}  // namespace
}  // namespace velmora::test
