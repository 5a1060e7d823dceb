// SPDX-License-Identifier: GPL-3.0-or-later
// The workspace without a window: start-up data, a calculation and what its
// results belong to, the undo step, the language commands, the adviser's
// inputs; and the window showing exactly the texts the workspace says it shows.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/AdviserInput.h"
#include "app/ControlIds.h"
#include "app/ScriptedActions.h"
#include "app/WindowFixture.h"
#include "app/Workspace.h"

namespace velmora::test {
namespace {

using namespace ids;

class WorkspaceTest : public WindowTest {
 protected:
  // The start-up steps of the window, on the workspace alone.
  Workspace& Started() {
    model.ReadStartSettings();
    EXPECT_TRUE(model.LoadLanguage());
    EXPECT_EQ(model.ReadMaterialList(), "");
    EXPECT_FALSE(model.LoadMaterialWithFallback());
    EXPECT_TRUE(model.ReadCoreDatabase());
    EXPECT_TRUE(model.ReadWireTable(false));
    model.Cores().Show("E 20/10/6");
    return model;
  }
  Workspace model;
};

TEST_F(WorkspaceTest, CalculatesWithoutAWindowAndKnowsWhatItsResultsBelongTo) {
  Workspace& m = Started();
  ASSERT_EQ(m.MaterialList().size(), 3u);
  EXPECT_EQ(m.MaterialList().back(), "No-data material");
  EXPECT_EQ(m.MaterialsWithData(), (std::vector<std::string>{"N87 Epcos", "M200"}));
  EXPECT_EQ(m.LastCalculation(), nullptr);
  EXPECT_FALSE(m.RefreshResultsCurrent(m.SettingsForWriting()));

  const ShownResults& r = m.Calculate();
  ASSERT_FALSE(r.Stopped());
  EXPECT_EQ(m.LastCalculation(), &r);
  EXPECT_FALSE(m.TextOf(IDC_RES_TURNS).empty());
  EXPECT_TRUE(m.RefreshResultsCurrent(m.SettingsForWriting()));
  EXPECT_TRUE(m.CalculatedAsHeld());
  ASSERT_TRUE(m.DescribeLastCalculation().has_value());

  SettingsRecord typed = m.SettingsForWriting();
  typed.L = "47,0";  // another number: the results no longer belong to the inputs
  EXPECT_FALSE(m.RefreshResultsCurrent(typed));
  typed.L = m.Settings().L + ".0";  // the same number written otherwise
  EXPECT_TRUE(m.RefreshResultsCurrent(typed));
  m.Cores().Show("E 16/8/5");
  EXPECT_FALSE(m.RefreshResultsCurrent(m.SettingsForWriting()));
}

TEST_F(WorkspaceTest, UndoAndRedoAreOneStepEach) {
  SettingsRecord a, b, c;
  a.L = "1";
  b.L = "2";
  c.L = "3";
  EXPECT_FALSE(model.TakeUndo(b).has_value());
  model.RememberForUndo(a);
  EXPECT_TRUE(model.CanUndoReplacement());
  EXPECT_FALSE(model.CanRedoReplacement());
  EXPECT_EQ(model.TakeUndo(b)->L, "1");
  EXPECT_FALSE(model.TakeUndo(b).has_value());
  EXPECT_EQ(model.TakeRedo(c)->L, "2");
  EXPECT_FALSE(model.TakeRedo(c).has_value());
  EXPECT_EQ(model.TakeUndo(a)->L, "3");
  model.RememberForUndo(b);  // a new replacement forgets the way forward
  EXPECT_FALSE(model.CanRedoReplacement());
}

TEST_F(WorkspaceTest, ALanguageCommandNamesAnotherLanguageOnly) {
  Workspace& m = Started();
  const int current = m.CurrentLanguageCommand();
  ASSERT_EQ(m.LanguageCommandCount(), 3);  // English, Russian
  const std::string before = m.Settings().lang;
  for (int id : {current, kLanguageCommandBase, kLanguageCommandBase + 3}) EXPECT_FALSE(m.ChooseLanguage(id)) << id;
  EXPECT_EQ(m.Settings().lang, before);
  const int other = current == kLanguageCommandBase + 1 ? kLanguageCommandBase + 2 : kLanguageCommandBase + 1;
  EXPECT_TRUE(m.ChooseLanguage(other));
  EXPECT_NE(m.Settings().lang, before);
  EXPECT_EQ(m.CurrentLanguageCommand(), other);
}

TEST_F(WorkspaceTest, TheAdvisersInputsComeFromTheWorkspace) {
  Workspace& m = Started();
  insight::InsightOptions options;
  options.minGap_mm = 0.3;
  options.riseLimit_K = 55;
  options.ambient_C = 25;
  AdviserSource source = AdviserSourceOf(m, m.Settings(), options);
  EXPECT_EQ(source.materials, m.MaterialsWithData());
  EXPECT_EQ(source.query.minGap, 0.3);
  EXPECT_EQ(source.query.maxRise, 55);
  EXPECT_FALSE(source.query.points);
  EXPECT_EQ(source.query.inputs.L, m.Settings().L);
  const advise::AdviseData data = AdviseDataOf(source, {"M200"});
  EXPECT_FALSE(data.cores.empty());
  ASSERT_EQ(data.materials.size(), 1u);
  EXPECT_EQ(data.ambient_C, 25);
}

// Every caption, unit, field and label of the window shows what the
// workspace's TextOf says, through the commands that switch them.
TEST_F(WorkspaceTest, TheWindowShowsTheWorkspacesTexts) {
  ExpectBoxes(4);
  CVelmoraDlg& w = Start();
  const std::vector<std::function<void()>> steps = {
      [] {},
      [&] { Click(IDC_RADIO_AWG); },
      [&] { Click(IDC_RADIO_AL); },
      [&] { Click(IDC_RADIO_OTHER_USE); },
      [&] { w.UserMenu(w.Model().CurrentLanguageCommand() == kLanguageCommandBase + 1 ? 502 : 501); },
      [&] { Click(IDC_CHECK_IMIN); },
      [&] { EXPECT_EQ(PlayScriptedAction(w, host, ParseScriptedAction("spin 7").action), ""); },
      [&] { Click(IDC_RADIO_METRIC); },
  };
  for (std::size_t step = 0; step < steps.size(); ++step) {
    ExpectBoxes(4);
    steps[step]();
    TakeBoxes();
    w.UpdateData(true);
    int compared = 0;
    for (const ui::ControlTemplate& c : w.Template().controls) {
      if (c.id == ui::IDC_STATIC || c.id == IDC_NOTICE || c.kind == ui::ControlKind::ComboBox ||
          c.kind == ui::ControlKind::Spin || (c.kind == ui::ControlKind::Button && c.text.empty()))
        continue;
      EXPECT_EQ(w.Model().TextOf(c.id), Text(c.id)) << "step " << step << ", control " << c.id;
      ++compared;
    }
    EXPECT_GT(compared, 100);
    EXPECT_EQ(w.Model().WireSpin(), w.GetSpinPos(IDC_SPIN_WIRE)) << "step " << step;
  }
}

}  // namespace
}  // namespace velmora::test
