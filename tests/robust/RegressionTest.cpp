// SPDX-License-Identifier: GPL-3.0-or-later
// Faults that the random drive and the fuzzers found, each kept as the user
// meets it on the window.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "data/CoreDatabase.h"
#include "support/ShippedWindow.h"
#include "support/TempDir.h"
#include "ui/HeadlessHost.h"

namespace velmora {
namespace {

using namespace ids;
using test::TempDir;

class RegressionTest : public test::ShippedWindowTest {
 protected:
  CVelmoraDlg& Start() {
    ShippedWindowTest::Start();
    EXPECT_FALSE(dlg->Model().StartUpFailed());
    return *dlg;
  }

  void AddByData(int shapeRadio, const std::string& name, const std::string& Ae) {
    dlg->UserClick(shapeRadio);
    dlg->UserClick(IDC_CHECK_ADD_DATA);
    dlg->UserType(IDC_COMBO_CORE, name);
    dlg->UserType(IDC_DATA_AE, Ae);
    dlg->UserType(IDC_DATA_AN, "60");
    dlg->UserType(IDC_DATA_LE, "57");
    dlg->UserType(IDC_DATA_MU, "1800");
    dlg->UserClick(IDC_ADD_CORE);
  }

  std::vector<std::string> Listed() const { return dlg->Item(IDC_COMBO_CORE)->items; }
};

// A value typed with brackets or with a shape's pattern gave list entries that
// named no core ("7" from an Ae of "[7]", or an entry running over several
// lines); deleting such an entry removed the first core whose name held
// "7]", here E 25/13/7.
TEST_F(RegressionTest, TypedValuesGiveNoListEntriesAndDeleteNoOtherCore) {
  Start();
  AddByData(IDC_SHAPE_OTHER, "PQ 99/1", "[7]");
  AddByData(IDC_SHAPE_OTHER, "PQ 98/1", "1E 5");
  const std::string db = dlg->Model().CoreDatabaseText();
  ASSERT_TRUE(HasCoreRecord(db, "PQ 99/1"));
  ASSERT_TRUE(HasCoreRecord(db, "PQ 98/1"));

  for (int shape = IDC_SHAPE_E; shape <= IDC_SHAPE_OTHER; ++shape) {
    dlg->UserClick(shape);
    for (const std::string& entry : Listed()) {
      EXPECT_EQ(entry.find_first_of("[]\r\n"), std::string::npos) << entry;
      EXPECT_NE(entry, "7");
      EXPECT_NE(entry, "E 5");
    }
  }
  dlg->UserClick(IDC_SHAPE_OTHER);
  const int index = dlg->FindString(IDC_COMBO_CORE, -1, "PQ 99/1");
  ASSERT_GE(index, 0);
  dlg->UserSelect(IDC_COMBO_CORE, index);
  EXPECT_EQ(dlg->GetItemText(IDC_DATA_AE), "[7]");
  host().QueueAnswer(ui::IDOK);
  dlg->UserClick(IDC_DELETE_CORE);
  EXPECT_FALSE(HasCoreRecord(dlg->Model().CoreDatabaseText(), "PQ 99/1"));
  EXPECT_TRUE(HasCoreRecord(dlg->Model().CoreDatabaseText(), "E 25/13/7"));
  EXPECT_EQ(dir.read("BaseCores.txt"), dlg->Model().CoreDatabaseText());
}

// A design saved with a frequency within its material's loss table lost it on
// loading: the frequency was held to the range of the material shown before.
TEST_F(RegressionTest, LoadedFrequencyIsHeldToTheLoadedMaterialOnly) {
  Start();
  auto pick = [&](const char* material) {
    const int i = dlg->FindString(IDC_COMBO_MATERIAL, -1, material);
    ASSERT_GE(i, 0) << material;
    dlg->UserSelect(IDC_COMBO_MATERIAL, i);
  };
  pick("N95 Epcos");  // loss table up to 1000 kHz
  dlg->UserType(IDC_EDIT_FC, "700");
  host().QueueDriver([](ui::Dialog& d) {
    d.UserType(1012, "n95.sav");
    d.UserClick(ui::IDOK);
  });
  dlg->UserClick(IDC_SAVE);
  ASSERT_TRUE(dir.exists("n95.sav"));

  pick("3C90 Ferroxcube");  // up to 200 kHz
  dlg->UserType(IDC_EDIT_FC, "100");
  host().QueueDriver([](ui::Dialog& d) {
    d.UserSelect(1009, d.FindString(1009, -1, "n95.sav"));
    d.UserClick(ui::IDOK);
  });
  dlg->UserClick(IDC_LOAD);
  EXPECT_EQ(dlg->Model().Settings().mater, "N95 Epcos");
  EXPECT_EQ(dlg->GetItemText(IDC_EDIT_FC), "700");
}

// A core database edited by hand whose last line has no line break: a new
// core was glued to that line, so it could neither be shown nor deleted, and
// the core before it got a broken "mu" line.
TEST_F(RegressionTest, CoreAddedToDatabaseWithoutFinalLineBreak) {
  std::string db = dir.read("BaseCores.txt");
  while (!db.empty() && (db.back() == '\n' || db.back() == '\r')) db.pop_back();
  dir.write("BaseCores.txt", db);
  Start();
  AddByData(IDC_SHAPE_E, "77/7/7", "52.5");
  const std::string& text = dlg->Model().CoreDatabaseText();
  ASSERT_TRUE(HasCoreRecord(text, "E 77/7/7"));
  const CoreTexts core = ReadCoreTexts(text, "E 77/7/7");
  EXPECT_EQ(core.Ae, "52.5");
  EXPECT_EQ(core.mu, "1800");
  EXPECT_EQ(dlg->GetItemText(IDC_DATA_AE), "52.5");
  // The record before keeps its own values.
  const std::string last = ListCoreNames(db, kShapeOther).back();
  EXPECT_EQ(ReadCoreTexts(text, last).mu, ReadCoreTexts(db, last).mu);

  dlg->UserClick(IDC_SHAPE_E);
  const int index = dlg->FindString(IDC_COMBO_CORE, -1, "E 77/7/7");
  ASSERT_GE(index, 0);
  dlg->UserSelect(IDC_COMBO_CORE, index);
  host().QueueAnswer(ui::IDOK);
  dlg->UserClick(IDC_DELETE_CORE);
  EXPECT_FALSE(HasCoreRecord(dlg->Model().CoreDatabaseText(), "E 77/7/7"));
  EXPECT_EQ(dir.read("BaseCores.txt").substr(0, db.size()), db);
}

// Without "Wire.txt" the spin button kept the range of its template, 0..100,
// around a table that holds nothing.
TEST_F(RegressionTest, SpinStaysInsideAnUnreadableWireTable) {
  std::remove("Wire.txt");
  Start();
  EXPECT_EQ(dlg->Model().Wires().last(), -1);
  EXPECT_EQ(dlg->Item(IDC_SPIN_WIRE)->rangeHi, 0);
  dlg->UserSpin(IDC_SPIN_WIRE, 1);
  EXPECT_EQ(dlg->GetSpinPos(IDC_SPIN_WIRE), 0);
  dlg->UserClick(IDC_RADIO_AWG);
  EXPECT_EQ(dlg->Item(IDC_SPIN_WIRE)->rangeHi, 40);
  dlg->UserSpin(IDC_SPIN_WIRE, 1);
  dlg->UserClick(IDC_RADIO_METRIC);  // refused: the window stays with AWG
  EXPECT_EQ(dlg->GetRadioIndex(IDC_RADIO_METRIC), 1);
  EXPECT_LE(dlg->GetSpinPos(IDC_SPIN_WIRE), 40);
}

}  // namespace
}  // namespace velmora
