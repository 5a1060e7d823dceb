// SPDX-License-Identifier: GPL-3.0-or-later
// The headless platform: scripted message boxes, strict mode, nested modal runs.
#include "UiFixture.h"

namespace velmora::test {
namespace {

using ui::ControlKind;

ui::DialogTemplate SmallTemplate() {
  ui::DialogTemplate t;
  t.title = "Small";
  t.controls = {Ctl(10, ControlKind::Edit), Ctl(ui::IDOK, ControlKind::Button, "OK", ui::kDefault),
                Ctl(ui::IDCANCEL, ControlKind::Button, "Cancel")};
  return t;
}

class Child : public LoggingDialog {
 public:
  Child(ui::DialogHost& host, bool endAtInit) : LoggingDialog(SmallTemplate(), host), endAtInit_(endAtInit) {}
  std::string value = "start";
  bool OnInitDialog() override {
    LoggingDialog::OnInitDialog();
    if (endAtInit_) {
      MessageBox("missing file", "Attention!");
      EndDialog(ui::IDCANCEL);
    }
    return true;
  }
  void DoDataExchange(ui::DataExchange& dx) override { dx.Text(10, value); }

 private:
  bool endAtInit_;
};

class HostTest : public UiTest {};

TEST_F(HostTest, NestedRunsWithADriverWithoutOneAndEndedAtInit) {
  LoggingDialog owner(SmallTemplate(), host);
  owner.Create();

  host.QueueDriver([](ui::Dialog& d) {
    EXPECT_TRUE(d.IsCreated());
    EXPECT_EQ(d.GetItemText(10), "start");  // after OnInitDialog
    d.UserType(10, "typed");
    d.UserEnter();
  });
  Child typed(host, false);
  EXPECT_EQ(typed.DoModal(), ui::IDOK);
  EXPECT_EQ(typed.value, "typed");
  EXPECT_EQ(host.pendingDrivers(), 0u);

  Child idle(host, false);  // no driver: cancelled
  EXPECT_EQ(idle.DoModal(), ui::IDCANCEL);
  EXPECT_EQ(idle.value, "start");

  host.QueueDriver([](ui::Dialog&) {});  // a driver that does nothing: cancelled
  Child lazy(host, false);
  EXPECT_EQ(lazy.DoModal(), ui::IDCANCEL);

  host.ExpectBoxes(1);
  host.QueueDriver([](ui::Dialog&) { ADD_FAILURE() << "driver of a dialog that ended at init"; });
  Child early(host, true);
  EXPECT_EQ(early.DoModal(), ui::IDCANCEL);
  EXPECT_EQ(host.pendingDrivers(), 1u);  // left for the next dialog
  ASSERT_EQ(host.shown().size(), 1u);
  EXPECT_EQ(host.shown()[0].caption, "Attention!");
  EXPECT_FALSE(owner.IsEnded());
}

TEST_F(HostTest, BoxesAreAnsweredByScriptAndRecorded) {
  LoggingDialog dlg(SmallTemplate(), host);
  host.ExpectBoxes(4);
  host.QueueAnswer(ui::IDCANCEL);
  EXPECT_EQ(dlg.MessageBox("info", "c"), ui::IDOK);  // OK-only boxes take no answer
  EXPECT_EQ(host.pendingAnswers(), 1u);
  EXPECT_EQ(dlg.MessageBox("delete?", "c", ui::MbType::OkCancel), ui::IDCANCEL);
  EXPECT_EQ(dlg.MessageBox("again?", "c", ui::MbType::OkCancel), ui::IDOK);  // none queued
  EXPECT_EQ(host.shown().size(), 3u);
  EXPECT_EQ(host.shown()[1].text, "delete?");
  EXPECT_EQ(host.shown()[1].type, ui::MbType::OkCancel);
  EXPECT_EQ(host.shown()[1].answer, ui::IDCANCEL);
  host.ClearShown();
  EXPECT_TRUE(host.shown().empty());
}

TEST_F(HostTest, StrictHostReportsABoxBeyondTheExpected) {
  ui::HeadlessHost strict;
  strict.SetStrict(true);
  std::vector<std::string> unexpected;
  strict.onUnexpected = [&](const ui::HeadlessHost::Shown& box) { unexpected.push_back(box.text); };
  LoggingDialog dlg(SmallTemplate(), strict);
  strict.ExpectBoxes(1);
  dlg.MessageBox("first", "c");
  EXPECT_TRUE(unexpected.empty());
  EXPECT_EQ(dlg.MessageBox("second", "c"), ui::IDOK);  // still answered and recorded
  EXPECT_EQ(unexpected, std::vector<std::string>{"second"});
  EXPECT_EQ(strict.shown().size(), 2u);

  ui::HeadlessHost lax;  // not strict: any number of boxes
  lax.onUnexpected = [&](const ui::HeadlessHost::Shown&) { ADD_FAILURE(); };
  LoggingDialog other(SmallTemplate(), lax);
  other.MessageBox("a", "c");
  other.MessageBox("b", "c");
  EXPECT_EQ(lax.shown().size(), 2u);
}

}  // namespace
}  // namespace velmora::test
