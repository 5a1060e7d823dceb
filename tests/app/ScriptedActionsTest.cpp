// SPDX-License-Identifier: GPL-3.0-or-later
// The action vocabulary of scripts (velmora-cli calc --do): reading the
// actions and playing them at the window as a user would.
#include <filesystem>

#include "WindowFixture.h"
#include "app/ScriptedActions.h"
#include "settings/SettingsRecord.h"

namespace velmora::test {
namespace {

using namespace ids;
namespace fs = std::filesystem;

TEST(ScriptedActionParse, ActionsAndTheirMistakes) {
  struct Case {
    const char* text;
    ScriptedAction::Verb verb;
    int number;
    const char* cp1251;
  };
  using V = ScriptedAction::Verb;
  for (const Case& c :
       {Case{"click 1102", V::Click, 1102, ""}, Case{"type 1006 1,5", V::Type, 1006, "1,5"},
        Case{"type 1006", V::Type, 1006, ""}, Case{"select 1034 E 25/13/7", V::Select, 1034, "E 25/13/7"},
        Case{"spin 7", V::Spin, 7, ""}, Case{"answer cancel", V::Answer, ui::IDCANCEL, ""},
        Case{"answer ok", V::Answer, ui::IDOK, ""}, Case{"load a b.sav", V::Load, 0, "a b.sav"},
        Case{"save", V::Save, 0, ""}, Case{"save Дроссель", V::Save, 0, "\xC4\xF0\xEE\xF1\xF1\xE5\xEB\xFC"}}) {
    const ParsedAction p = ParseScriptedAction(c.text);
    EXPECT_EQ(p.error, "") << c.text;
    EXPECT_EQ(p.action.verb, c.verb) << c.text;
    EXPECT_EQ(p.action.number, c.number) << c.text;
    EXPECT_EQ(p.action.text, c.cp1251) << c.text;
    EXPECT_EQ(p.action.source, c.text);
  }
  for (const char* bad :
       {"", "press 1", "click", "click x", "click -3", "click 1 2", "click 99999999999", "type", "select 1034", "spin",
        "spin up", "answer", "answer yes", "load", "save \xE2\x98\x83", "Click 1"})
    EXPECT_NE(ParseScriptedAction(bad).error, "") << bad;
  EXPECT_EQ(ParseScriptedAction("frob 1").error, "unknown action frob");
}

// Message boxes come as the window shows them (the warnings of these inputs
// too); the tests look at the ones they are about.
class ScriptedActionsTest : public WindowTest {
 protected:
  ScriptedActionsTest() { host.SetStrict(false); }
  bool Shown(const std::string& start) const {
    for (const auto& box : host.shown())
      if (box.text.rfind(start, 0) == 0) return true;
    return false;
  }

  // Plays the actions in order; the first complaint, if any.
  std::string Play(std::initializer_list<const char*> actions) {
    for (const char* text : actions) {
      const ParsedAction p = ParseScriptedAction(text);
      if (!p.error.empty()) return p.error;
      std::string error = PlayScriptedAction(dlg(), host, p.action);
      if (!error.empty()) return error;
    }
    return {};
  }
};

TEST_F(ScriptedActionsTest, ClickTypeSelectAndSpinActAsTheUser) {
  Start();
  EXPECT_EQ(Play({"click 1102", "type 1006 1,5", "select 1153 m200"}), "");
  EXPECT_EQ(dlg().GetCheck(IDC_RADIO_AWG), 1);
  EXPECT_EQ(Text(IDC_EDIT_FC), "1.5");  // the frequency rule heard the typing
  EXPECT_EQ(dlg().Model().Settings().mater, "M200");
  EXPECT_EQ(dlg().Model().Material().LastFrequency(), 200);

  // The spin position names a wire: the field follows and the run uses it.
  EXPECT_EQ(Play({"click 1091", "spin 3"}), "");
  EXPECT_EQ(dlg().GetSpinPos(IDC_SPIN_WIRE), 3);
  EXPECT_EQ(Text(IDC_EDIT_DPROV), "0.45");
  ASSERT_NE(dlg().Model().LastCalculation(), nullptr);
  EXPECT_EQ(dlg().Model().LastCalculation()->read.wire, 0.45);

  // Menu commands: the Russian language, Help (closed again at once).
  EXPECT_EQ(Play({"click 502", "click 57670"}), "");
  EXPECT_EQ(Text(IDC_CAP_TURNS).rfind("ru:", 0), 0u) << Utf(Text(IDC_CAP_TURNS));
}

TEST_F(ScriptedActionsTest, WhatAUserCannotDoIsRefused) {
  Start();
  const auto before = Results();
  EXPECT_EQ(Play({"click 4242"}), "no control or menu command 4242");
  EXPECT_EQ(Play({"click 1050"}), "control 1050 is no button, check box or radio button");
  EXPECT_EQ(Play({"type 1101 3"}), "control 1101 is disabled");  // the minimum current is off
  EXPECT_EQ(Play({"type 1050 3"}), "control 1050 takes no typing");
  EXPECT_EQ(Play({"select 1153 Unobtainium"}), "list 1153 has no entry Unobtainium");
  EXPECT_EQ(Play({"select 1006 5"}), "control 1006 is no list");
  EXPECT_EQ(Play({"spin 11"}), "spin position 11 outside 0..10");
  EXPECT_EQ(Play({"load nothing.sav"}), "the open dialog lists no nothing.sav");
  EXPECT_EQ(Results(), before);
  EXPECT_EQ(dlg().FocusItem(), IDC_CALCULATE);  // the open dialog was cancelled
}

TEST_F(ScriptedActionsTest, WritingCommandsWithWritesSuppressed) {
  VelmoraOptions options;
  options.suppressWrites = true;
  Start(options);
  const std::string db = dir.read("BaseCores.txt");
  // Delete asks first: Cancel keeps the core, OK removes it from the window only.
  EXPECT_EQ(Play({"select 1034 E 30/15/7", "answer cancel", "click 7"}), "");
  EXPECT_EQ(Items(IDC_COMBO_CORE).size(), 6u);
  EXPECT_EQ(host.shown().back().type, ui::MbType::OkCancel);
  EXPECT_EQ(host.shown().back().answer, ui::IDCANCEL);
  EXPECT_EQ(Play({"click 7"}), "");
  EXPECT_EQ(Items(IDC_COMBO_CORE).size(), 5u);
  EXPECT_EQ(host.pendingAnswers(), 0u);
  EXPECT_EQ(Play({"save", "save mine", "click 2"}), "");
  EXPECT_TRUE(dlg().IsEnded());
  EXPECT_EQ(Play({"click 1"}), "the window has ended");
  ASSERT_EQ(dlg().Model().NotWritten().size(), 4u);
  EXPECT_EQ(dlg().Model().NotWritten()[0], "BaseCores.txt");
  EXPECT_EQ(dlg().Model().NotWritten()[1].rfind("E 30x15x7, N87 Epcos, 1mm, 15", 0), 0u)
      << dlg().Model().NotWritten()[1];
  EXPECT_EQ(dlg().Model().NotWritten()[2], "mine.sav");
  EXPECT_EQ(fs::path(dlg().Model().NotWritten()[3]).filename(), "Inductor.ini");
  EXPECT_EQ(dir.read("BaseCores.txt"), db);
  EXPECT_FALSE(fs::exists("mine.sav"));
  EXPECT_FALSE(fs::exists("Inductor.ini"));
}

TEST_F(ScriptedActionsTest, SaveAndLoadThroughTheFileDialogs) {
  Start();
  EXPECT_EQ(Play({"type 1007 47", "save first"}), "");
  EXPECT_TRUE(fs::exists("first.sav"));
  EXPECT_TRUE(dlg().Model().NotWritten().empty());
  // The same name again asks; Cancel leaves the dialog open, so it is cancelled.
  EXPECT_EQ(Play({"type 1007 68", "answer cancel", "save first.sav"}), "");
  EXPECT_TRUE(Shown("OT6 first.sav ?"));
  SettingsRecord saved;
  ASSERT_TRUE(ReadSettings("first.sav", false, saved));
  EXPECT_EQ(saved.L, "47");
  EXPECT_EQ(Play({"load FIRST.SAV"}), "");  // letter case ignored when nothing matches exactly
  EXPECT_EQ(Text(IDC_EDIT_L), "47");
}

}  // namespace
}  // namespace velmora::test
