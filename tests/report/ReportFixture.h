// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window on the shipped data, headless, for the report's tests.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/VelmoraDlg.h"
#include "report/DesignReport.h"
#include "support/TempDir.h"
#include "ui/HeadlessHost.h"

namespace velmora::test {

class ReportTest : public ::testing::Test {
 public:
  // The fields of every field list of the document, in order.
  static std::vector<report::Field> AllFields(const report::Document& doc);

 protected:
  void SetUp() override { dir.copyShippedData(); }

  // Starts the window with these settings fields (UTF-8 values).
  CVelmoraDlg& Start(const std::vector<std::pair<std::string, std::string>>& fields);
  report::Document Build(const insight::InsightOptions& options = {});
  // Selects the material list's last entry, the no-data material.
  void SelectNoDataMaterial();

  // The section of that title, or nullptr.
  static const report::Section* FindSection(const report::Document& doc, const std::string& title);
  // Every text of a section's paragraphs and steps.
  static std::vector<std::string> Texts(const report::Section& section);

  TempDir dir;
  ui::HeadlessHost host;
  std::unique_ptr<CVelmoraDlg> dlg;
  report::ReportTexts texts;
};

// A sound design on an E 30/15/7: output choke, 47 uH, 6 A, 24 V / 12 V,
// 150 kHz, 5 A/mm2, millimetres; the core, the gap or AL given.
std::vector<std::pair<std::string, std::string>> Example(const std::string& core, int yesAl,
                                                         const std::string& gapOrAl);

}  // namespace velmora::test
