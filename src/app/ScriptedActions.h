// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a script may do at the main window, each step as a user does it on
// the headless platform: the vocabulary of `velmora-cli calc --do` and of the
// tests that drive the window.
//
//   click ID        a button, check box or radio button, or a menu command
//   type ID TEXT    replaces an edit's (or a combo's edit field's) text, with
//                   the change notification typing gives
//   select ID TEXT  picks the entry of that text in a list or combo box
//   spin POS        moves the wire-size spin button to that position
//   answer ok|cancel  the answer for the next OK/Cancel message box
//   load NAME       Load, choosing NAME in the open dialog
//   save [NAME]     Save, typing NAME in the save dialog (none: the proposed
//                   name) and confirming
//   key KEYS        a key of the window's accelerator table ("Ctrl+Z")
#include <string>
#include <string_view>

#include "app/VelmoraDlg.h"
#include "ui/HeadlessHost.h"

namespace velmora {

struct ScriptedAction {
  enum class Verb { Click, Type, Select, Spin, Answer, Load, Save, Key };
  Verb verb = Verb::Click;
  int number = 0;    // control or command ID; spin position; IDOK / IDCANCEL
  std::string text;  // Windows-1251: typed text, entry, file name
  bool hasText = false;
  std::string source;  // the action as written, for messages (UTF-8)
};

struct ParsedAction {
  ScriptedAction action;
  std::string error;  // non-empty: not an action
};

// Reads one action written as above; its texts are UTF-8 and become
// Windows-1251. An ID, a position is a decimal number.
ParsedAction ParseScriptedAction(std::string_view utf8);

// Plays the action at the window, whose platform is `host`. Returns an empty
// text, or why it could not be played (no such control or command, a control
// of another kind, disabled, no such entry, a position outside the table, the
// window has ended); the window then is as the user would have left it.
std::string PlayScriptedAction(CVelmoraDlg& dlg, ui::HeadlessHost& host, const ScriptedAction& action);

}  // namespace velmora
