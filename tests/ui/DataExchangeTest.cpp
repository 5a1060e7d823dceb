// SPDX-License-Identifier: GPL-3.0-or-later
// Data exchange: order, the rewrite-only-if-differs rule, the change
// notifications it fires and handlers that exchange again; radio groups.
#include <algorithm>

#include "UiFixture.h"

namespace velmora::test {
namespace {

using ui::ControlKind;

class Recorder : public ui::DialogObserver {
 public:
  std::vector<int> changed;
  void ControlChanged(int id) override { changed.push_back(id); }
  void WindowTextChanged() override {}
  void MenuChanged() override {}
  void PictureChanged() override {}
  void FocusChanged(int) override {}
  void Ended(int) override {}
};

ui::DialogTemplate FormTemplate() {
  ui::DialogTemplate t;
  t.controls = {
      Ctl(10, ControlKind::Edit, "", ui::kGroup),  // the "frequency" edit with its rule
      Ctl(11, ControlKind::Edit),
      Ctl(12, ControlKind::Static, "placeholder"),
      Ctl(20, ControlKind::RadioButton, "a", ui::kGroup),
      Ctl(ui::IDC_STATIC, ControlKind::Static, "label"),
      Ctl(21, ControlKind::RadioButton, "b"),
      Ctl(22, ControlKind::RadioButton, "c", ui::kGroup),
      Ctl(23, ControlKind::RadioButton, "d"),
      Ctl(30, ControlKind::CheckBox, "e", ui::kGroup),
      Ctl(ui::IDOK, ControlKind::Button, "OK", ui::kDefault),
  };
  return t;
}

// A form whose edit 10 follows the rule of the main window's frequency edit:
// on every change, read the controls, turn "," into "." and write back.
class Form : public LoggingDialog {
 public:
  explicit Form(ui::DialogHost& host) : LoggingDialog(FormTemplate(), host) {}
  std::string freq = "1,5", other = "x", result = "R";
  int first = 1, second = -1, check = 1;
  int ruleRuns = 0;

  void DoDataExchange(ui::DataExchange& dx) override {
    dx.Check(30, check);
    dx.Radio(20, first);
    dx.Radio(22, second);
    dx.Text(10, freq);
    dx.Text(11, other);
    dx.Text(12, result);
  }
  void OnCommand(int id, ui::Notify code) override {
    LoggingDialog::OnCommand(id, code);
    if (id == 10 && code == ui::Notify::Change) {
      ++ruleRuns;
      UpdateData(true);
      std::replace(freq.begin(), freq.end(), ',', '.');
      UpdateData(false);
    }
  }
};

class DataExchangeTest : public UiTest {};

TEST_F(DataExchangeTest, WritesInExchangeOrderAndNotifiesAfterEveryControlIsWritten) {
  Form form(host);
  Recorder rec;
  form.SetObserver(&rec);
  form.Create();  // OnInitDialog: members -> controls

  // Controls follow the exchange order; the Change notifications wait until
  // the last control is written, so the rule's read-back loses nothing.
  EXPECT_EQ(form.GetItemText(10), "1.5");
  EXPECT_EQ(form.GetItemText(11), "x");
  EXPECT_EQ(form.GetItemText(12), "R");
  EXPECT_EQ(form.other, "x");
  EXPECT_EQ(form.result, "R");
  EXPECT_EQ(form.log, (std::vector<std::string>{"cmd 10 change", "cmd 10 change", "cmd 11 change"}));
  // Only controls that change are touched: the check, radio 21, the texts.
  ASSERT_GE(rec.changed.size(), 5u);
  EXPECT_EQ(std::vector<int>(rec.changed.begin(), rec.changed.begin() + 5),
            (std::vector<int>{30, 21, 10, 11, 12}));

  // Nothing differs: nothing is rewritten, nothing fires.
  form.log.clear();
  rec.changed.clear();
  form.UpdateData(false);
  EXPECT_TRUE(form.log.empty());
  EXPECT_TRUE(rec.changed.empty());

  // A member that differs rewrites that control alone and fires once.
  form.other = "y";
  form.UpdateData(false);
  EXPECT_EQ(form.log, std::vector<std::string>{"cmd 11 change"});
  EXPECT_EQ(rec.changed, std::vector<int>{11});
}

TEST_F(DataExchangeTest, TypedAndProgramTextsFireTheSameNotification) {
  Form form(host);
  form.Create();
  form.log.clear();

  form.UserType(10, "2,25");  // typed comma becomes a point at once
  EXPECT_EQ(form.GetItemText(10), "2.25");
  EXPECT_EQ(form.freq, "2.25");
  EXPECT_EQ(form.log, (std::vector<std::string>{"cmd 10 change", "cmd 10 change"}));

  form.log.clear();
  form.SetItemText(10, "2.25");  // same text: no change
  EXPECT_TRUE(form.log.empty());
  form.SetItemText(10, "3,0");  // outside a data exchange: fires at once
  EXPECT_EQ(form.GetItemText(10), "3.0");
  EXPECT_EQ(form.ruleRuns, 6);

  form.log.clear();
  form.SetItemText(12, "label");  // statics have no change notification
  EXPECT_TRUE(form.log.empty());
  EXPECT_EQ(form.GetItemText(12), "label");

  // Controls -> members takes every control, fires nothing.
  form.UserType(11, "typed");
  form.log.clear();
  form.UpdateData(true);
  EXPECT_EQ(form.other, "typed");
  EXPECT_EQ(form.result, "label");
  EXPECT_TRUE(form.log.empty());
}

TEST_F(DataExchangeTest, RadioGroupsAreIndicesWithMinusOneForNone) {
  Form form(host);
  form.Create();
  EXPECT_EQ(form.RadioGroup(20), (std::vector<int>{20, 21}));  // the label in between does not count
  EXPECT_EQ(form.RadioGroup(22), (std::vector<int>{22, 23}));
  EXPECT_EQ(form.GetCheck(21), 1);
  EXPECT_EQ(form.GetRadioIndex(22), -1);
  EXPECT_EQ(form.GetCheck(30), 1);

  form.UpdateData(true);
  EXPECT_EQ(form.first, 1);
  EXPECT_EQ(form.second, -1);

  // A click checks its button and unchecks the rest of its own group only.
  form.log.clear();
  form.UserClick(20);
  EXPECT_EQ(form.GetRadioIndex(20), 0);
  EXPECT_EQ(form.GetCheck(21), 0);
  form.UserClick(23);
  EXPECT_EQ(form.GetRadioIndex(22), 1);
  EXPECT_EQ(form.GetRadioIndex(20), 0);
  EXPECT_EQ(form.log, (std::vector<std::string>{"cmd 20 clicked", "cmd 23 clicked"}));

  // An index out of range unchecks the whole group.
  form.SetRadioIndex(22, 7);
  EXPECT_EQ(form.GetRadioIndex(22), -1);
  EXPECT_EQ(form.GetCheck(22) + form.GetCheck(23), 0);

  form.UserClick(30);  // auto check box toggles
  form.UpdateData(true);
  EXPECT_EQ(form.check, 0);
  EXPECT_EQ(form.first, 0);
  EXPECT_EQ(form.second, -1);
}

}  // namespace
}  // namespace velmora::test
