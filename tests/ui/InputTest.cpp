// SPDX-License-Identifier: GPL-3.0-or-later
// What a user does: spin steps, keys, the close box, menu commands, and the
// controls that ignore a user (disabled, read-only, ended dialog).
#include "UiFixture.h"

namespace velmora::test {
namespace {

using ui::ControlKind;

ui::DialogTemplate InputTemplate(bool withDefault) {
  ui::DialogTemplate t;
  t.controls = {
      Ctl(5, ControlKind::Edit),
      Ctl(6, ControlKind::Spin),
      Ctl(7, ControlKind::Edit, "help", ui::kReadOnly | ui::kMultiline),
      Ctl(8, ControlKind::Button, "Other"),
      Ctl(ui::IDOK, ControlKind::Button, "Calculate", withDefault ? ui::kDefault : 0u),
      Ctl(ui::IDCANCEL, ControlKind::Button, "Exit"),
  };
  t.menu = {{57670, "Help", false, {}, false},
            {0, "Language", false, {{501, "English", true, {}, false}, {502, "Deutsch", false, {}, false}}, true}};
  return t;
}

class InputTest : public UiTest {};

TEST_F(InputTest, SpinStepsAreClampedAndNotifyThumbThenEnd) {
  LoggingDialog dlg(InputTemplate(true), host);
  dlg.SetSpinRange(6, 0, 2);
  dlg.SetSpinBuddy(6, 5);
  EXPECT_EQ(dlg.Item(6)->buddy, 5);
  dlg.SetSpinPos(6, 9);
  EXPECT_EQ(dlg.GetSpinPos(6), 2);
  dlg.UserSpin(6, +1);  // at the top: stays, still notifies
  EXPECT_EQ(dlg.GetSpinPos(6), 2);
  dlg.UserSpin(6, -1);
  EXPECT_EQ(dlg.GetSpinPos(6), 1);
  EXPECT_EQ(dlg.log, (std::vector<std::string>{"vscroll 6 thumb", "vscroll 6 end", "vscroll 6 thumb",
                                               "vscroll 6 end"}));
  dlg.SetSpinRange(6, 0, 0);  // a narrower range pulls the position in
  EXPECT_EQ(dlg.GetSpinPos(6), 0);
  dlg.SetSpinRange(6, 10, 0);  // reversed: up counts down
  dlg.SetSpinPos(6, 5);
  dlg.UserSpin(6, +1);
  EXPECT_EQ(dlg.GetSpinPos(6), 4);
  dlg.SetSpinRange(6, 0, -1);  // an empty wire table
  dlg.UserSpin(6, -1);
  EXPECT_EQ(dlg.GetSpinPos(6), 0);
}

TEST_F(InputTest, EnterEscapeAndTheCloseBox) {
  LoggingDialog dlg(InputTemplate(true), host);
  dlg.Create();
  EXPECT_EQ(dlg.FocusItem(), 5);  // the first control that takes the focus
  dlg.UserEnter();                // the default button, ID 1
  EXPECT_TRUE(dlg.IsEnded());
  EXPECT_EQ(dlg.Result(), ui::IDOK);
  EXPECT_EQ(dlg.log, (std::vector<std::string>{"cmd 1 clicked", "ok"}));

  LoggingDialog keep(InputTemplate(true), host);
  keep.onCommand = [&](int, ui::Notify) {};  // the base handling still ends it
  keep.EnableItem(ui::IDOK, false);
  keep.UserEnter();  // disabled default button: nothing
  EXPECT_TRUE(keep.log.empty());
  keep.SetFocusItem(8);
  keep.UserEnter();  // a focused push button takes Enter
  EXPECT_EQ(keep.log, std::vector<std::string>{"cmd 8 clicked"});

  LoggingDialog noDefault(InputTemplate(false), host);
  noDefault.UserEnter();
  EXPECT_EQ(noDefault.Result(), ui::IDOK);

  LoggingDialog esc(InputTemplate(true), host);
  esc.UserEscape();
  EXPECT_EQ(esc.Result(), ui::IDCANCEL);
  EXPECT_EQ(esc.log, (std::vector<std::string>{"cmd 2 clicked", "cancel"}));
  esc.UserClose();  // ended: the user can do nothing more
  esc.UserType(5, "x");
  EXPECT_EQ(esc.log.size(), 2u);
  EXPECT_EQ(esc.GetItemText(5), "");

  LoggingDialog close(InputTemplate(true), host);
  close.EnableItem(ui::IDCANCEL, false);  // the close box still cancels
  close.UserClose();
  EXPECT_EQ(close.Result(), ui::IDCANCEL);
  close.EndDialog(ui::IDOK);  // a second end changes only the result
  EXPECT_EQ(close.Result(), ui::IDOK);
}

TEST_F(InputTest, DisabledAndReadOnlyControlsIgnoreTheUser) {
  LoggingDialog dlg(InputTemplate(true), host);
  dlg.EnableItem(5, false);
  dlg.UserType(5, "x");
  dlg.UserType(7, "typed");
  dlg.EnableItem(8, false);
  dlg.UserClick(8);
  EXPECT_TRUE(dlg.log.empty());
  EXPECT_EQ(dlg.GetItemText(5), "");
  EXPECT_EQ(dlg.GetItemText(7), "help");
  dlg.SetItemText(5, "program");  // the program still writes a disabled edit
  EXPECT_EQ(dlg.log, std::vector<std::string>{"cmd 5 change"});
  EXPECT_FALSE(dlg.IsItemEnabled(5));
  EXPECT_FALSE(dlg.IsItemEnabled(999));
}

TEST_F(InputTest, MenuCommandsPassOnCmdMsgFirst) {
  LoggingDialog dlg(InputTemplate(true), host);
  dlg.UserMenu(502);
  dlg.UserMenu(57670);
  EXPECT_EQ(dlg.log, (std::vector<std::string>{"cmdmsg 502", "cmd 502 menu", "cmdmsg 57670", "cmd 57670 menu"}));
  ASSERT_NE(dlg.FindMenuItem(502), nullptr);  // found inside the popup
  EXPECT_EQ(dlg.FindMenuItem(502)->text, "Deutsch");
  EXPECT_TRUE(dlg.FindMenuItem(501)->checked);
  EXPECT_EQ(dlg.FindMenuItem(0), nullptr);  // popups are not commands
  EXPECT_EQ(dlg.FindMenuItem(503), nullptr);
  dlg.Menu()[1].popup.push_back({503, "Added", false, {}, false});
  EXPECT_NE(dlg.FindMenuItem(503), nullptr);
}

}  // namespace
}  // namespace velmora::test
