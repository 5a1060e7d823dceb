// SPDX-License-Identifier: GPL-3.0-or-later
// The design menu after "About", the hook to the windowed program's own
// windows, and the figures behind the window's last calculation.
#include <cmath>
#include <vector>

#include "WindowFixture.h"
#include "app/DesignWindows.h"
#include "textfile/Numbers.h"

namespace velmora::test {
namespace {

using namespace ids;

struct Recorder : DesignWindows {
  std::vector<int> commands;
  int calculations = 0;
  int languages = 0;
  std::string coreLossLabel;  // the label as it stood when the window heard of the run
  void OnDesignCommand(CVelmoraDlg&, int id) override { commands.push_back(id); }
  void OnCalculated(CVelmoraDlg& dlg) override {
    ++calculations;
    coreLossLabel = dlg.GetItemText(IDC_RES_PCORE);
  }
  void OnLanguageApplied(CVelmoraDlg&) override { ++languages; }
};

class DesignMenuTest : public WindowTest {};

TEST_F(DesignMenuTest, LastOnTheMenuBarWithBuiltInEnglish) {
  Start();
  const auto& bar = dlg().Menu();
  ASSERT_EQ(bar.size(), 4u);
  EXPECT_EQ(bar[kLanguageMenuPosition].popup.front().id, kLanguageCommandBase + 1);
  EXPECT_EQ(bar[2].id, ID_APP_ABOUT);
  ASSERT_TRUE(bar[3].isPopup);
  EXPECT_EQ(bar[3].text, "Design");
  ASSERT_EQ(bar[3].popup.size(), 6u);
  EXPECT_EQ(bar[3].popup[0].id, ID_DESIGN_DETAILS);
  EXPECT_EQ(bar[3].popup[0].text, "Design details...");
  EXPECT_EQ(bar[3].popup[1].id, ID_EXPORT_REPORT);
  EXPECT_EQ(bar[3].popup[1].text, "Export report...");
  EXPECT_EQ(bar[3].popup[2].id, ID_CORE_ADVISER);
  EXPECT_EQ(bar[3].popup[2].text, "Core adviser...");
  EXPECT_EQ(bar[3].popup[3].id, ID_CONVERTER);
  EXPECT_EQ(bar[3].popup[3].text, "Converter...");
  EXPECT_EQ(bar[3].popup[4].id, ID_EXPORT_MAS);
  EXPECT_EQ(bar[3].popup[4].text, "Export MAS...");
  EXPECT_EQ(bar[3].popup[5].id, ID_IMPORT_MAS);
  EXPECT_EQ(bar[3].popup[5].text, "Import MAS...");
}

TEST_F(DesignMenuTest, TextsFromTheLanguageFilesSection) {
  dir.write("English.lng", LanguageFileText("", "English (current)") +
                               "[DESIGN DETAILS]\r\nmenu = Extras\r\nmenuDetails = Behind the design\r\n"
                               "menuAdviser = Which core?\r\nmenuImportMas = Read MAS\r\n"
                               "[REPORT]\r\nmenuExport = Print it\r\n[CONVERTER]\r\nmenu = From the converter\r\n");
  Start();
  EXPECT_EQ(dlg().Menu()[3].text, "Extras");
  EXPECT_EQ(dlg().Menu()[3].popup[0].text, "Behind the design");
  EXPECT_EQ(dlg().Menu()[3].popup[1].text, "Print it");
  EXPECT_EQ(dlg().Menu()[3].popup[2].text, "Which core?");
  EXPECT_EQ(dlg().Menu()[3].popup[3].text, "From the converter");
  EXPECT_EQ(dlg().Menu()[3].popup[5].text, "Read MAS");
  // Switching to a language without the section brings the built-in English back.
  dlg().UserMenu(kLanguageCommandBase + 2);
  EXPECT_EQ(dlg().Menu()[3].text, "Design");
  EXPECT_EQ(dlg().Menu()[3].popup[1].text, "Export report...");
  EXPECT_EQ(dlg().Menu().size(), 4u);
}

TEST_F(DesignMenuTest, CommandsAndCalculationsReachTheWindows) {
  Recorder windows;
  CVelmoraDlg& d = Start();
  // Without windows the command does nothing.
  d.UserMenu(ID_DESIGN_DETAILS);
  d.SetDesignWindows(&windows);
  d.UserMenu(ID_DESIGN_DETAILS);
  d.UserMenu(ID_EXPORT_REPORT);
  d.UserMenu(ID_CORE_ADVISER);
  d.UserMenu(ID_CONVERTER);
  d.UserMenu(ID_IMPORT_MAS);
  d.UserMenu(ID_APP_ABOUT + 1);  // no command of theirs
  EXPECT_EQ(windows.commands,
            (std::vector<int>{ID_DESIGN_DETAILS, ID_EXPORT_REPORT, ID_CORE_ADVISER, ID_CONVERTER, ID_IMPORT_MAS}));
  Type(IDC_EDIT_FC, "150");
  Click(IDC_CALCULATE);
  EXPECT_GE(windows.calculations, 1);
  EXPECT_EQ(windows.coreLossLabel, Text(IDC_RES_PCORE));
  dlg().UserMenu(kLanguageCommandBase + 2);
  EXPECT_EQ(windows.languages, 1);
  d.SetDesignWindows(nullptr);
}

TEST_F(DesignMenuTest, FiguresBehindTheLastCalculation) {
  CVelmoraDlg& d = Start();
  const auto details = d.Model().DescribeLastCalculation();
  ASSERT_TRUE(details.has_value());
  const ChokeResults& r = *d.Model().LastCalculation();
  EXPECT_EQ(FormatFixed(details->losses.core_W, 3), Text(IDC_RES_PCORE));
  // The ripple in the AC resistance: at least the RMS current in the DC one.
  EXPECT_GE(details->losses.copper_W, r.Irms * r.Irms * details->winding.resistance_Ohm);
  EXPECT_DOUBLE_EQ(details->losses.total_W, details->losses.core_W + details->losses.copper_W);
  EXPECT_EQ(FormatFixed(details->waveform.i_A[1], 3), Text(IDC_RES_IPK));
  // The test data's cores carry no MLT and no bw: estimated and flagged.
  EXPECT_TRUE(details->winding.mltEstimated);
  EXPECT_TRUE(details->operating.layout.breadthEstimated);
  EXPECT_TRUE(std::isfinite(details->losses.temperatureRise_K));
}

}  // namespace
}  // namespace velmora::test
