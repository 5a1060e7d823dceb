// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window on the headless side, in a temporary folder that holds a
// small data set of the test's own. Every message box must be announced with
// ExpectBoxes; any other one fails the test.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "support/TempDir.h"
#include "ui/HeadlessHost.h"

namespace velmora::test {

// Windows-1251 of a UTF-8 literal, and back.
std::string Cp(const std::string& utf8);
std::string Utf(const std::string& cp1251);

// A language file in which every slot holds its own name ("OTHERS s25"),
// except the texts a test reads as units or names: OTHERS s8 "Attention",
// s18 "mm", s21 "No-data material", s26 "AWG", s27 the wire notice; MENU s4
// the current language's item. `tag` goes in front of every slot text, so two
// languages differ everywhere.
std::string LanguageFileText(const std::string& tag, const std::string& menuCurrent);

// The data set: English.lng, Russian.lng, Materials.txt (N87 Epcos, M200),
// their loss data (last frequency 500 and 200 kHz), BaseCores.txt (six E, two
// ER, three ETD, one EI, two R cores, PQ and RM), Wire.txt (0.1 to 2.5 mm).
void WriteSmallDataSet(const TempDir& dir);
// The core database of the data set.
std::string SmallCoreDatabase();

class WindowTest : public ::testing::Test {
 protected:
  WindowTest();
  void SetUp() override { WriteSmallDataSet(dir); }

  // Builds the window and runs its start-up.
  CVelmoraDlg& Start(VelmoraOptions options = {});
  CVelmoraDlg& dlg() { return *dlg_; }

  void ExpectBoxes(int count) { host.ExpectBoxes(count); }
  // The boxes shown since the last call, then forgotten.
  std::vector<ui::HeadlessHost::Shown> TakeBoxes();

  std::string Text(int id) const { return dlg_->GetItemText(id); }
  bool Enabled(int id) const { return dlg_->IsItemEnabled(id); }
  std::vector<std::string> Items(int id) const { return dlg_->Item(id)->items; }
  // The text of the core list's selected entry ("" when none).
  std::string SelectedCore() const;
  void SelectCore(const std::string& name);
  void Type(int id, const std::string& text) { dlg_->UserType(id, text); }
  void Click(int id) { dlg_->UserClick(id); }
  // Runs Load and opens the listed file of that name in the open dialog.
  void Load(const std::string& listedName);
  // The result labels, to see whether a calculation ran.
  std::vector<std::string> Results() const;

  TempDir dir;
  ui::HeadlessHost host;

 private:
  std::unique_ptr<CVelmoraDlg> dlg_;
};

}  // namespace velmora::test
