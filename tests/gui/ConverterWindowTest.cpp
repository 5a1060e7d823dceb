// SPDX-License-Identifier: GPL-3.0-or-later
// The "Converter..." window over a headless main window: its table, its
// error texts and Apply into the main window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include "app/ConverterRecord.h"
#include "app/WindowFixture.h"
#include "gui/ConverterWindow.h"
#include "support/QtApp.h"

namespace velmora::test {
namespace {

using gui::ConverterWindow;

class ConverterWindowTest : public WindowTest {
 protected:
  static void SetUpTestSuite() { test::QtApp::Start(); }
  static void TearDownTestSuite() { test::QtApp::Stop(); }
  void SetUp() override { dir.copyShippedData(); }
};

// The request kept from the last run, then the one of a design loaded since;
// Apply makes the typed request the design's, and Details.cfg keeps it.
TEST_F(ConverterWindowTest, ReopensWithTheDesignsRequestOrElseTheKeptOne) {
  CVelmoraDlg& d = Start();
  const converter::ConverterRequest kept{.topology = converter::Topology::kBoost,
                                         .vinMin = 5,
                                         .vinMax = 9,
                                         .vout = 12,
                                         .iout = 2,
                                         .ripple = 0.25,
                                         .fsw_kHz = 100};
  DetailsConfig config;
  config.converter = SerializeConverterSection(kept);
  ConverterWindow w(d, nullptr, &config);
  EXPECT_EQ(w.Request(), kept);
  EXPECT_EQ(w.Edit(ConverterWindow::kRipple)->text(), "25");

  converter::ConverterRequest loaded = kept;
  loaded.vinMax = 11;
  loaded.ioutMin = 0.5;
  d.Model().SetDesignRequest(loaded);
  w.FollowDesign();
  EXPECT_EQ(w.Request(), loaded);
  w.Edit(ConverterWindow::kVout)->setText("15");
  w.FollowDesign();  // the design's request already shown: the typing stays
  EXPECT_EQ(w.Edit(ConverterWindow::kVout)->text(), "15");
  EXPECT_EQ(ParseConverterSection(config.converter), w.Request());
  host.ExpectBoxes(3);
  w.Apply();
  EXPECT_EQ(d.Model().DesignRequest(), w.Request());
}

TEST_F(ConverterWindowTest, OpensOnTheBuckExampleAndAppliesTheBoost) {
  CVelmoraDlg& d = Start();
  ConverterWindow w(d, nullptr);
  EXPECT_EQ(w.windowTitle(), "From the converter to the choke");
  EXPECT_EQ(w.Table()->item(2, 0)->text(), "14.000");  // worst point: the highest input
  EXPECT_EQ(w.Table()->item(2, 3)->text(), "3.000");   // 30 % of 10 A
  EXPECT_TRUE(w.Result()->text().contains("5.358"));

  w.Edit(ConverterWindow::kVout)->setText("20");  // no buck
  EXPECT_EQ(w.Result()->text(), "A buck's output voltage must be below the minimum input voltage.");
  EXPECT_EQ(w.Table()->item(0, 0), nullptr);

  w.TopologyBox()->setCurrentIndex(1);
  const std::pair<ConverterWindow::Input, const char*> boost[] = {
      {ConverterWindow::kVinMin, "5"}, {ConverterWindow::kVinMax, "9"}, {ConverterWindow::kVout, "12"},
      {ConverterWindow::kIout, "2"},   {ConverterWindow::kFsw, "100"},  {ConverterWindow::kIoutMin, "0,5"}};
  for (const auto& [input, text] : boost) w.Edit(input)->setText(text);
  EXPECT_EQ(w.Table()->item(2, 0)->text(), "8.000");
  host.ExpectBoxes(3);
  w.Apply();
  EXPECT_EQ(Text(ids::IDC_EDIT_L), "29.63");
  EXPECT_EQ(Text(ids::IDC_EDIT_U1), "5");
  EXPECT_EQ(Text(ids::IDC_EDIT_U2), "7");
  EXPECT_EQ(Text(ids::IDC_EDIT_IMIN), "1.2");
  EXPECT_EQ(d.GetCheck(ids::IDC_RADIO_OTHER_USE), 1);

  host.ExpectBoxes(3);
  d.UserMenu(ids::kLanguageCommandBase + 2);  // Russian
  TakeBoxes();
  w.ApplyTexts();
  EXPECT_EQ(w.windowTitle(), QString::fromUtf8("От преобразователя к дросселю"));
  EXPECT_EQ(w.TopologyBox()->currentIndex(), 1);
}

}  // namespace
}  // namespace velmora::test
