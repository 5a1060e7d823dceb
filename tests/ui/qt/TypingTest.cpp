// SPDX-License-Identifier: GPL-3.0-or-later
// Keystrokes into the real window's widgets: whatever the window does with a
// typed text, the text, its caret and its selection stay as the user left
// them, unless a rule of the window rewrites the text itself.
#include <gtest/gtest.h>

#ifndef VELMORA_HAVE_QTEST
TEST(Typing, NeedsQtTest) { GTEST_SKIP() << "built without Qt Test: its keystrokes drive these tests"; }
#else
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest/QTest>
#include <memory>

#include <QListWidget>

#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "app/filedialogs/OpenFileDlg.h"
#include "support/TempDir.h"
#include "ui/HeadlessHost.h"
#include "ui/qt/QtDialogView.h"
#include "support/QtApp.h"

namespace velmora::test {
namespace {

using namespace ids;

std::string Record(const std::string& name, const std::string& Ae) {
  return "[" + name + "]\r\nAe = " + Ae + "\r\nAn = 80\r\nle = 57.5\r\nmu = 1800\r\n\r\n";
}

void WriteData(const TempDir& dir) {
  dir.write("English.lng", "[TITLE]\r\ntitle = Velmora\r\nversion = Version\r\n"
                           "[OTHERS]\r\ns8 = Attention\r\ns18 = mm\r\ns21 = No data\r\n");
  dir.write("Materials.txt", "Mat1 = N87 Epcos\r\n");
  dir.write("N87 Epcos.txt", "[Flux density]\r\nB1 = 100\r\nB2 = 200\r\n[Frequencies]\r\nF1 = 25\r\nF2 = 500\r\n"
                             "[F_25]\r\nB_100 = 5\r\nB_200 = 20\r\n[F_500]\r\nB_100 = 200\r\nB_200 = 800\r\n"
                             "[Limits]\r\nBmax = 0.39\r\nBmmax = 0.3\r\nmu = 2200\r\n");
  dir.write("BaseCores.txt", Record("E 25/13/7", "52.5") + Record("E 30/15/7", "60") + Record("R 20/10/7", "35") +
                                 Record("R 25/15/10", "50"));
  dir.write("Wire.txt", "d1 = 0.5\r\ndiz1 = 0.55\r\nd2 = 1.06\r\ndiz2 = 1.12\r\nd3 = 2.5\r\ndiz3 = 2.6\r\n");
}

class TypingTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::QtApp::Start();
  }
  static void TearDownTestSuite() { test::QtApp::Stop(); }

  void SetUp() override {
    WriteData(dir);
    host.SetStrict(false);  // the overfilled window's warnings are answered OK
    dlg = std::make_unique<CVelmoraDlg>(host);
    view = std::make_unique<ui::QtDialogView>(*dlg);
    dlg->SetObserver(view.get());
    dlg->Create();
    view->SyncAll();
    view->show();
    QApplication::processEvents();
    ASSERT_FALSE(dlg->IsEnded());
  }
  void TearDown() override {
    dlg->SetObserver(nullptr);
    view.reset();
    dlg.reset();
  }

  template <class W>
  W* Widget(int id) {
    auto* w = qobject_cast<W*>(view->Widget(id));
    EXPECT_NE(w, nullptr) << id;
    return w;
  }
  QLineEdit* CoreField() { return Widget<QComboBox>(IDC_COMBO_CORE)->lineEdit(); }
  void Click(int id) {
    Widget<QAbstractButton>(id)->click();
    QApplication::processEvents();
  }

  TempDir dir;
  ui::HeadlessHost host;
  std::unique_ptr<CVelmoraDlg> dlg;
  std::unique_ptr<ui::QtDialogView> view;
};

// In an add mode a shape change puts a listed name into the field; typing
// over it, or after it, gives exactly the keys typed, and that name is added.
TEST_F(TypingTest, TypingOverOrAfterAShownNameInAnAddModeKeepsEveryKeystroke) {
  Click(IDC_CHECK_ADD_DATA);
  Click(IDC_SHAPE_R);
  QLineEdit* field = CoreField();
  ASSERT_EQ(field->text().toStdString(), "R 20/10/7");

  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, "21/11/8");
  EXPECT_EQ(field->text().toStdString(), "21/11/8");
  EXPECT_EQ(field->cursorPosition(), 7);
  EXPECT_EQ(dlg->GetItemText(IDC_COMBO_CORE), "21/11/8");

  // Back to a shown name: End, then more keys.
  Click(IDC_SHAPE_E);
  ASSERT_EQ(field->text().toStdString(), "E 25/13/7");
  QTest::keyClick(field, Qt::Key_End);
  QTest::keyClicks(field, "-2b");
  EXPECT_EQ(field->text().toStdString(), "E 25/13/7-2b");
  QTest::keyClick(field, Qt::Key_Home);
  QTest::keyClick(field, Qt::Key_Right);
  QTest::keyClick(field, Qt::Key_Right);
  QTest::keyClicks(field, "x");
  EXPECT_EQ(field->text().toStdString(), "E x25/13/7-2b");
  EXPECT_EQ(field->cursorPosition(), 3);
  // A selection made with the keyboard is typed over, not appended to.
  QTest::keyClick(field, Qt::Key_End);
  QTest::keyClick(field, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClick(field, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClicks(field, "c");
  EXPECT_EQ(field->text().toStdString(), "E x25/13/7-c");

  for (auto [id, text] : {std::pair{IDC_DATA_AE, "40"}, {IDC_DATA_AN, "60"}, {IDC_DATA_LE, "50"}, {IDC_DATA_MU, "2000"}}) {
    QLineEdit* edit = Widget<QLineEdit>(id);
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  Click(IDC_ADD_CORE);
  EXPECT_NE(dir.read("BaseCores.txt").find("[E x25/13/7-c]\r\nAe = 40\r\n"), std::string::npos);
  EXPECT_EQ(field->text().toStdString(), "E x25/13/7-c");
}

// Outside an add mode the list gives the typed text way to the remembered
// entry; the material list keeps what is typed; the frequency edit turns a
// comma into a point and leaves the caret behind what was typed.
TEST_F(TypingTest, RulesThatRewriteATypedTextLeaveTheCaretWhereTheUserWas) {
  QLineEdit* field = CoreField();
  const QString shown = field->text();
  field->selectAll();
  QTest::keyClicks(field, "Z");
  EXPECT_EQ(field->text().toStdString(), shown.toStdString());

  QLineEdit* material = Widget<QComboBox>(IDC_COMBO_MATERIAL)->lineEdit();
  ASSERT_NE(material, nullptr);
  material->selectAll();
  QTest::keyClicks(material, "N8 x");
  EXPECT_EQ(material->text().toStdString(), "N8 x");
  EXPECT_EQ(material->cursorPosition(), 4);

  QLineEdit* fc = Widget<QLineEdit>(IDC_EDIT_FC);
  fc->selectAll();
  QTest::keyClicks(fc, "1,5");
  EXPECT_EQ(fc->text().toStdString(), "1.5");
  QTest::keyClicks(fc, "0");
  EXPECT_EQ(fc->text().toStdString(), "1.50");
  QTest::keyClick(fc, Qt::Key_Home);
  QTest::keyClicks(fc, "2");
  EXPECT_EQ(fc->text().toStdString(), "21.50");
  EXPECT_EQ(fc->cursorPosition(), 1);
}

// The open dialog selects nothing by itself: the list taking the focus makes
// a row current, which neither names a file nor lets Enter load one.
TEST_F(TypingTest, TheOpenDialogsListTakingTheFocusSelectsNothing) {
  dir.write("a.sav", "x");
  dir.write("b.sav", "x");
  ui::HeadlessHost openHost;
  COpenFileDlg open(openHost);
  open.titleText = "Open file";
  open.okCaption = "Open";
  open.cancelCaption = "Cancel";
  ui::QtDialogView openView(open);
  open.SetObserver(&openView);
  open.Create();
  openView.SyncAll();
  openView.show();
  QApplication::processEvents();
  auto* list = qobject_cast<QListWidget*>(openView.Widget(1009));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 2);
  QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(list, &focusIn);
  QApplication::processEvents();
  EXPECT_EQ(open.GetCurSel(1009), -1);
  EXPECT_EQ(open.GetItemText(1011), "");
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_FALSE(open.IsEnded());

  // A row the user picks is selected and named; Enter then opens it.
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(open.GetCurSel(1009), list->currentRow());
  EXPECT_EQ(open.GetItemText(1011), list->currentItem()->text().toStdString());
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_TRUE(open.IsEnded());
  open.SetObserver(nullptr);
}

}  // namespace
}  // namespace velmora::test
#endif  // VELMORA_HAVE_QTEST
