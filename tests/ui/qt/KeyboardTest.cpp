// SPDX-License-Identifier: GPL-3.0-or-later
// The window by keyboard and its combo boxes on the offscreen platform: the
// menu bar by Alt and F10 with a mnemonic per title, a radio group as one Tab
// stop with the arrows inside it, Up and Down in a spin button's edit, and
// combo boxes whose entries show whole.
#include <gtest/gtest.h>

#ifndef VELMORA_HAVE_QTEST
TEST(Keyboard, NeedsQtTest) { GTEST_SKIP() << "built without Qt Test: its keystrokes drive these tests"; }
#else
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest/QTest>
#include <memory>
#include <utility>

#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "support/QtApp.h"
#include "support/TempDir.h"
#include "ui/HeadlessHost.h"
#include "ui/qt/QtDialogView.h"

namespace velmora::test {
namespace {

using ui::ControlKind;

constexpr int kFirstEdit = 201, kRadioA = 202, kRadioB = 203, kRadioC = 204, kLastEdit = 205;
constexpr int kStepped = 206, kSpin = 207;

ui::DialogTemplate KeysTemplate() {
  ui::DialogTemplate t;
  t.title = "Keys";
  t.w = 200;
  t.h = 100;
  t.controls = {
      {kFirstEdit, ControlKind::Edit, "", 10, 10, 40, 12, ui::kGroup},
      {kRadioA, ControlKind::RadioButton, "a", 10, 30, 30, 10, ui::kGroup},
      {kRadioB, ControlKind::RadioButton, "b", 50, 30, 30, 10},
      {kRadioC, ControlKind::RadioButton, "c", 90, 30, 30, 10},
      {kLastEdit, ControlKind::Edit, "", 10, 50, 40, 12, ui::kGroup},
      {kStepped, ControlKind::Edit, "", 60, 50, 30, 12},
      {kSpin, ControlKind::Spin, "", 90, 50, 11, 12},
  };
  // A title that marks its own mnemonic keeps it; the others get a free one.
  t.menu = {{0, "&File", false, {{301, "Open", false, {}, false}, {302, "Options", false, {}, false}}, true},
            {303, "Find", false, {}, false},
            {304, "Fit", false, {}, false},
            {305, "F", false, {}, false}};
  return t;
}

class KeysModel : public ui::Dialog {
 public:
  explicit KeysModel(ui::DialogHost& host, ui::DialogTemplate t = KeysTemplate()) : ui::Dialog(std::move(t), host) {}
  std::vector<std::string> log;
  bool OnInitDialog() override {
    ui::Dialog::OnInitDialog();
    SetRadioIndex(kRadioA, 1);
    SetSpinBuddy(kSpin, kStepped);
    SetSpinRange(kSpin, 0, 2);
    SetSpinPos(kSpin, 1);
    return true;
  }
  void OnCommand(int id, ui::Notify code) override {
    if (code == ui::Notify::Clicked) log.push_back("click " + std::to_string(id));
    if (code == ui::Notify::Menu) log.push_back("command " + std::to_string(id));
    ui::Dialog::OnCommand(id, code);
  }
  void OnVScroll(int id, ui::ScrollCode code) override {
    if (code == ui::ScrollCode::ThumbPosition) log.push_back("step " + std::to_string(GetSpinPos(id)));
  }
};

class KeyboardTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::QtApp::Start();
    ui::InitQtApplication();
  }
  static void TearDownTestSuite() { test::QtApp::Stop(); }

  // Shows the view of a created model as the active window.
  static void Show(ui::QtDialogView& view) {
    view.show();
    QApplication::setActiveWindow(&view);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
  }

  ui::HeadlessHost host;
};

TEST_F(KeyboardTest, AltAndF10TakeTheKeyboardToTheMenuBarWhoseTitlesHaveOneMnemonicEach) {
  KeysModel model(host);
  ui::QtDialogView view(model);
  model.SetObserver(&view);
  model.Create();
  Show(view);
  QMenuBar* bar = view.MenuBar();
  ASSERT_NE(bar, nullptr);
  QStringList titles;
  for (QAction* action : bar->actions()) titles << action->text();
  EXPECT_EQ(titles, (QStringList{"&File", "F&ind", "Fi&t", "F"}));
  QStringList items;
  for (QAction* action : bar->actions()[0]->menu()->actions()) items << action->text();
  EXPECT_EQ(items, (QStringList{"&Open", "O&ptions"}));

  QWidget* edit = view.Widget(kFirstEdit);
  edit->setFocus();
  // Alt alone, pressed and released with no other key between.
  QTest::keyClick(edit, Qt::Key_Alt, Qt::AltModifier);
  EXPECT_TRUE(bar->hasFocus());
  EXPECT_EQ(bar->activeAction(), bar->actions()[0]);
  QTest::keyClick(bar, Qt::Key_Escape);
  EXPECT_EQ(bar->activeAction(), nullptr);
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_FALSE(model.IsEnded());  // Escape left the menu bar, not the dialog

  QTest::keyClick(edit, Qt::Key_F10);
  EXPECT_TRUE(bar->hasFocus());
  EXPECT_EQ(bar->activeAction(), bar->actions()[0]);
  QTest::keyClick(bar, Qt::Key_Escape);
  EXPECT_TRUE(edit->hasFocus());
  model.SetObserver(nullptr);
}

// Push buttons get mnemonics free of the menu titles' letters and of each
// other's; the accelerator table's keys reach their button or command, and
// an edit with no typing of its own to undo leaves Ctrl+Z to the window.
TEST_F(KeyboardTest, ButtonMnemonicsAndAcceleratorKeys) {
  ui::DialogTemplate t = KeysTemplate();
  constexpr int kFind = 210, kFit = 211, kUndo = 306;
  t.controls.push_back({kFind, ControlKind::Button, "Find it", 10, 70, 40, 14});
  t.controls.push_back({kFit, ControlKind::Button, "Fit", 60, 70, 40, 14});
  t.buttonMnemonics = true;
  t.accelerators = {{"Ctrl+S", kFit, true}, {"Ctrl+Z", kUndo, false}};
  KeysModel model(host, t);
  ui::QtDialogView view(model);
  model.SetObserver(&view);
  model.Create();
  Show(view);
  // The menu bar holds f, i and t: "Find it" takes n, "Fit" has no letter left.
  auto text = [&view](int id) { return static_cast<QAbstractButton*>(view.Widget(id))->text(); };
  EXPECT_EQ(text(kFind), "Fi&nd it");
  EXPECT_EQ(text(kFit), "Fit");

  QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
  QWidget* edit = view.Widget(kFirstEdit);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);  // nothing typed yet: the window's
  QTest::keyClicks(edit, "12");
  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);  // the edit's own undo
  EXPECT_EQ(model.log, (std::vector<std::string>{"click 211", "command 306"}));
  EXPECT_TRUE(model.UserKey("Ctrl+Z"));
  EXPECT_FALSE(model.UserKey("Ctrl+Q"));
}

TEST_F(KeyboardTest, ARadioGroupIsOneTabStopAndTheArrowsMoveAndCheckInsideIt) {
  KeysModel model(host);
  ui::QtDialogView view(model);
  model.SetObserver(&view);
  model.Create();
  Show(view);
  QWidget* first = view.Widget(kFirstEdit);
  QWidget* last = view.Widget(kLastEdit);
  const auto radio = [&](int id) { return view.Widget(id); };

  // Tab enters the group at its checked button and leaves it at once.
  first->setFocus();
  QTest::keyClick(first, Qt::Key_Tab);
  EXPECT_TRUE(radio(kRadioB)->hasFocus());
  QTest::keyClick(radio(kRadioB), Qt::Key_Tab);
  EXPECT_TRUE(last->hasFocus());
  QTest::keyClick(last, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(radio(kRadioB)->hasFocus());

  // The arrows move round the group, checking through the model.
  QTest::keyClick(radio(kRadioB), Qt::Key_Down);
  EXPECT_TRUE(radio(kRadioC)->hasFocus());
  EXPECT_EQ(model.GetRadioIndex(kRadioA), 2);
  QTest::keyClick(radio(kRadioC), Qt::Key_Right);
  EXPECT_TRUE(radio(kRadioA)->hasFocus());
  EXPECT_EQ(model.GetRadioIndex(kRadioA), 0);
  QTest::keyClick(radio(kRadioA), Qt::Key_Up);
  EXPECT_TRUE(radio(kRadioC)->hasFocus());
  EXPECT_EQ(model.log, (std::vector<std::string>{"click 204", "click 202", "click 204"}));

  // A disabled button is passed over; the group's stop follows the check.
  model.EnableItem(kRadioA, false);
  QTest::keyClick(radio(kRadioC), Qt::Key_Left);
  EXPECT_TRUE(radio(kRadioB)->hasFocus());
  QTest::keyClick(radio(kRadioB), Qt::Key_Left);
  EXPECT_TRUE(radio(kRadioC)->hasFocus());
  first->setFocus();
  QTest::keyClick(first, Qt::Key_Tab);
  EXPECT_TRUE(radio(kRadioC)->hasFocus());
  // With none checked Tab stops at the first enabled button.
  model.SetRadioIndex(kRadioA, -1);
  first->setFocus();
  QTest::keyClick(first, Qt::Key_Tab);
  EXPECT_TRUE(radio(kRadioB)->hasFocus());
  model.SetObserver(nullptr);
}

TEST_F(KeyboardTest, UpAndDownInASpinButtonsEditAreItsArrows) {
  KeysModel model(host);
  ui::QtDialogView view(model);
  model.SetObserver(&view);
  model.Create();
  Show(view);
  QWidget* edit = view.Widget(kStepped);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Up);
  EXPECT_EQ(model.GetSpinPos(kSpin), 2);
  QTest::keyClick(edit, Qt::Key_Up);  // at the end, where the arrow is disabled: nothing
  QTest::keyClick(edit, Qt::Key_Down);
  QTest::keyClick(edit, Qt::Key_Down);
  EXPECT_EQ(model.GetSpinPos(kSpin), 0);
  EXPECT_EQ(model.log, (std::vector<std::string>{"step 2", "step 1", "step 0"}));
  // An edit that no spin button steps leaves the keys alone.
  view.Widget(kFirstEdit)->setFocus();
  QTest::keyClick(view.Widget(kFirstEdit), Qt::Key_Up);
  EXPECT_EQ(model.log.size(), 3u);
  model.SetObserver(nullptr);
}

// The real window: the wire-size edit steps the wire like the spin button,
// and the material list with its long no-data entry shows every entry whole.
class MainWindowKeysTest : public KeyboardTest {
 protected:
  void SetUp() override {
    dir.write("English.lng",
              "[TITLE]\r\ntitle = Velmora\r\nversion = Version\r\n"
              "[OTHERS]\r\ns8 = Attention\r\ns18 = mm\r\ns21 = Other material (no data)\r\n");
    dir.write("Materials.txt", "Mat1 = N87 Epcos\r\n");
    dir.write("N87 Epcos.txt",
              "[Flux density]\r\nB1 = 100\r\nB2 = 200\r\n[Frequencies]\r\nF1 = 25\r\nF2 = 500\r\n"
              "[F_25]\r\nB_100 = 5\r\nB_200 = 20\r\n[F_500]\r\nB_100 = 200\r\nB_200 = 800\r\n"
              "[Limits]\r\nBmax = 0.39\r\nBmmax = 0.3\r\nmu = 2200\r\n");
    dir.write("BaseCores.txt", "[E 25/13/7]\r\nAe = 52.5\r\nAn = 80\r\nle = 57.5\r\nmu = 1800\r\n\r\n");
    dir.write("Wire.txt", "d1 = 0.5\r\ndiz1 = 0.55\r\nd2 = 1.06\r\ndiz2 = 1.12\r\nd3 = 2.5\r\ndiz3 = 2.6\r\n");
    host.SetStrict(false);  // the calculation's warnings are answered OK
    dlg = std::make_unique<CVelmoraDlg>(host);
    view = std::make_unique<ui::QtDialogView>(*dlg);
    dlg->SetObserver(view.get());
    dlg->Create();
    view->SyncAll();
    Show(*view);
    ASSERT_FALSE(dlg->IsEnded());
  }
  void TearDown() override {
    dlg->SetObserver(nullptr);
    view.reset();
    dlg.reset();
  }
  QComboBox* Material() { return qobject_cast<QComboBox*>(view->Widget(ids::IDC_COMBO_MATERIAL)); }

  TempDir dir;
  std::unique_ptr<CVelmoraDlg> dlg;
  std::unique_ptr<ui::QtDialogView> view;
};

TEST_F(MainWindowKeysTest, UpAndDownInTheWireSizeEditStepTheWireLikeTheSpinButton) {
  dlg->UserClick(ids::IDC_CHECK_USE_D);
  auto* edit = qobject_cast<QLineEdit*>(view->Widget(ids::IDC_EDIT_DPROV));
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Down);
  QTest::keyClick(edit, Qt::Key_Down);
  QTest::keyClick(edit, Qt::Key_Down);  // bottom of the table
  const std::string bottom = dlg->GetItemText(ids::IDC_EDIT_DPROV);
  QTest::keyClick(edit, Qt::Key_Up);
  const std::string byKey = dlg->GetItemText(ids::IDC_EDIT_DPROV);
  EXPECT_NE(byKey, bottom);
  EXPECT_EQ(edit->text().toStdString(), byKey);
  QTest::keyClick(edit, Qt::Key_Down);
  EXPECT_EQ(dlg->GetItemText(ids::IDC_EDIT_DPROV), bottom);
  // The spin button's own up arrow gives the same.
  view->Widget(ids::IDC_SPIN_WIRE)->findChildren<QToolButton*>()[0]->click();
  EXPECT_EQ(dlg->GetItemText(ids::IDC_EDIT_DPROV), byKey);
}

TEST_F(MainWindowKeysTest, TheMaterialListShowsEveryEntryWholeAndTheBoxTheStartOfItsText) {
  QComboBox* combo = Material();
  ASSERT_NE(combo, nullptr);
  ASSERT_EQ(combo->count(), 2);
  const QString noData = combo->itemText(1);
  ASSERT_EQ(noData, QStringLiteral("Other material (no data)"));
  ASSERT_GT(combo->fontMetrics().horizontalAdvance(noData), combo->lineEdit()->width());  // the case at hand

  // Chosen by the program (a loaded design), the box shows the text's start.
  dlg->UserSelect(ids::IDC_COMBO_MATERIAL, 1);
  EXPECT_EQ(combo->lineEdit()->text(), noData);
  EXPECT_EQ(combo->lineEdit()->cursorPosition(), 0);
  // Chosen from the list by the keyboard: all of it selected, seen from its start.
  dlg->UserSelect(ids::IDC_COMBO_MATERIAL, 0);
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_EQ(dlg->GetCurSel(ids::IDC_COMBO_MATERIAL), 1);
  EXPECT_EQ(combo->lineEdit()->cursorPosition(), 0);
  EXPECT_EQ(combo->lineEdit()->selectedText(), noData);
  // Typing replaces it, as with any selected text.
  QTest::keyClicks(combo->lineEdit(), "N");
  EXPECT_EQ(combo->lineEdit()->text(), QStringLiteral("N"));

  // The dropped list is as wide as its longest entry, wider than the box.
  combo->showPopup();
  QAbstractItemView* list = combo->view();
  ASSERT_TRUE(list->isVisible());
  const QModelIndex longest = list->model()->index(1, 0);
  EXPECT_GE(list->visualRect(longest).width(), list->sizeHintForIndex(longest).width());
  EXPECT_GT(list->window()->width(), combo->width());
  combo->hidePopup();
}

}  // namespace
}  // namespace velmora::test
#endif  // VELMORA_HAVE_QTEST
