// SPDX-License-Identifier: GPL-3.0-or-later
// The "Core adviser" window over a headless main window: one sweep at a time
// without the window waiting, and a list that says when it is out of date.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>

#include "app/AdviserCommands.h"
#include "app/ControlIds.h"
#include "app/WindowFixture.h"
#include "gui/AdviserWindow.h"
#include "support/QtApp.h"
#include "textfile/Numbers.h"

namespace velmora::test {
namespace {

// Far beyond a sweep of the shipped data, even on a loaded machine.
constexpr qint64 kSweepTimeoutMs = 60000;
// A request to sweep returns at once; this allows for a loaded machine.
constexpr qint64 kResponsiveMs = 100;

class AdviserWindowTest : public WindowTest {
 protected:
  static void SetUpTestSuite() { test::QtApp::Start(); }
  static void TearDownTestSuite() { test::QtApp::Stop(); }
  void SetUp() override { dir.copyShippedData(); }

  static void WaitForSweep(const gui::AdviserWindow& w) {
    QElapsedTimer timer;
    timer.start();
    while (w.Sweeping() && timer.elapsed() < kSweepTimeoutMs) QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  static QString Labels(const gui::AdviserWindow& w) {
    QString all;
    for (const QLabel* l : w.findChildren<QLabel*>())
      if (l->isVisibleTo(&w)) all += l->text() + "\n";
    return all;
  }
};

// Asking again during a sweep returns at once and leaves one complete list;
// a changed input of the main window then marks it out of date, by name.
TEST_F(AdviserWindowTest, OneSweepAtATimeAndAnOutOfDateList) {
  CVelmoraDlg& d = Start();
  DetailsConfig config;
  QWidget owner;
  gui::AdviserWindow window(d, config, &owner);
  // An ordinary window of its own, not a dialog kept above its owner.
  EXPECT_EQ(window.windowType(), Qt::Window);
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < 3; ++i) window.Refresh();
  EXPECT_LT(timer.elapsed(), kResponsiveMs);
  EXPECT_TRUE(window.Sweeping());
  WaitForSweep(window);
  ASSERT_FALSE(window.Sweeping());
  EXPECT_FALSE(Labels(window).contains("(cancelled)"));
  EXPECT_TRUE(Labels(window).contains("of 3627 designs feasible"));  // ferrite and powder pairs
  window.FollowMainWindow();
  EXPECT_FALSE(Labels(window).contains("Out of date"));

  // A design of the list put in: its raised inductance stands for the
  // requirement the list was made for, and so does the field after undoing.
  const double required = ReadLeadingDouble(Utf(d.GetItemText(ids::IDC_EDIT_L)));
  ApplyAdvisedDesign(d, "E 25/13/7", "N87 Epcos", "0.5", FormatFixed(required * 1.2, 3), required);
  for (int command : {0, ids::ID_EDIT_UNDO}) {
    if (command) d.UserMenu(command);
    window.FollowMainWindow();
    EXPECT_FALSE(Labels(window).contains("Out of date")) << command;
  }

  Type(ids::IDC_EDIT_FC, "150");
  Click(ids::IDC_CALCULATE);
  window.FollowMainWindow();
  const QString labels = Labels(window);
  EXPECT_TRUE(labels.contains("Out of date")) << labels.toStdString();
  EXPECT_TRUE(labels.contains(QString::fromStdString(Utf(d.GetItemText(ids::IDC_LABEL_FC))).remove('&')));
}

}  // namespace
}  // namespace velmora::test
