// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A strict headless host for the dialog tests: a message box that the test
// did not announce with ExpectBoxes fails the test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Dialog.h"
#include "ui/HeadlessHost.h"

namespace velmora::test {

class UiTest : public ::testing::Test {
 protected:
  UiTest() {
    host.SetStrict(true);
    host.onUnexpected = [](const ui::HeadlessHost::Shown& box) {
      ADD_FAILURE() << "unexpected message box: " << box.caption << ": " << box.text;
    };
  }
  ui::HeadlessHost host;
};

// A dialog that writes down every notification it gets, in order.
class LoggingDialog : public ui::Dialog {
 public:
  using ui::Dialog::Dialog;
  std::vector<std::string> log;
  std::function<void(int, ui::Notify)> onCommand;  // runs before the base handling

  void OnCommand(int id, ui::Notify code) override {
    log.push_back("cmd " + std::to_string(id) + " " + Name(code));
    if (onCommand) onCommand(id, code);
    ui::Dialog::OnCommand(id, code);
  }
  void OnCmdMsg(int id) override { log.push_back("cmdmsg " + std::to_string(id)); }
  void OnVScroll(int id, ui::ScrollCode code) override {
    log.push_back("vscroll " + std::to_string(id) + (code == ui::ScrollCode::EndScroll ? " end" : " thumb"));
  }
  void OnActivate(bool active) override { log.push_back(active ? "activate" : "deactivate"); }
  void OnOK() override {
    log.push_back("ok");
    ui::Dialog::OnOK();
  }
  void OnCancel() override {
    log.push_back("cancel");
    ui::Dialog::OnCancel();
  }

  static std::string Name(ui::Notify code) {
    switch (code) {
      case ui::Notify::Clicked: return "clicked";
      case ui::Notify::Change: return "change";
      case ui::Notify::SelChange: return "selchange";
      case ui::Notify::EditChange: return "editchange";
      case ui::Notify::DblClk: return "dblclk";
      case ui::Notify::Menu: return "menu";
    }
    return "?";
  }
};

inline ui::ControlTemplate Ctl(int id, ui::ControlKind kind, std::string text = {}, std::uint32_t style = 0) {
  ui::ControlTemplate t;
  t.id = id;
  t.kind = kind;
  t.text = std::move(text);
  t.style = style;
  return t;
}

}  // namespace velmora::test
