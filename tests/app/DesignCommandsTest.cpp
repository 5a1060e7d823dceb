// SPDX-License-Identifier: GPL-3.0-or-later
// The Load and Save commands of the main window: the proposed name, the
// design file written, and the whole window following a loaded design.
#include <filesystem>
#include <set>
#include <string>

#include "WindowFixture.h"
#include "settings/SettingsRecord.h"

namespace velmora::test {
namespace {

using namespace ids;
namespace fs = std::filesystem;

std::set<std::string> FilesIn(const TempDir& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir.path())) names.insert(e.path().filename().string());
  return names;
}

// Counts the redraws of the core picture.
struct PictureWatch : ui::DialogObserver {
  int redraws = 0;
  void ControlChanged(int) override {}
  void WindowTextChanged() override {}
  void MenuChanged() override {}
  void PictureChanged() override { ++redraws; }
  void FocusChanged(int) override {}
  void Ended(int) override {}
};

class DesignCommandsTest : public WindowTest {
 protected:
  // Runs Save; the driver acts in the save dialog.
  void Save(ui::HeadlessHost::Driver driver) {
    host.QueueDriver(std::move(driver));
    Click(IDC_SAVE);
    EXPECT_EQ(host.pendingDrivers(), 0u);
  }
  // Saves under the typed name, the question (if any) answered OK.
  void SaveAs(const std::string& name) {
    Save([name](ui::Dialog& d) {
      d.UserType(1012, name);
      d.UserClick(ui::IDOK);
    });
  }
  // A design that differs from the defaults everywhere.
  static SettingsRecord OtherDesign() {
    SettingsRecord r;
    r.core = "ETD 34/17/11";
    r.mater = "M200";
    r.gapChoice = 1;
    r.use = 1;
    r.gapOrAl = "250";
    r.L = "22";
    r.voltageSwitchOn = "30";
    r.Udc = "5";
    r.Inom = "4";
    r.Imin = "1";
    r.us_Imin = 1;
    r.Fc = "150";
    r.j = "6";
    r.use_D = 0;
    r.yes_AWG = 1;
    r.wireSize = "20";
    return r;
  }
};

TEST_F(DesignCommandsTest, SaveProposesANameFromTheInputsAndWritesTheDesign) {
  Start();
  dlg().SetFocusItem(IDC_EDIT_L);
  std::string proposed, title, label;
  Save([&](ui::Dialog& d) {
    proposed = d.GetItemText(1012);
    title = d.WindowText();
    label = d.GetItemText(1055);
    d.UserClick(ui::IDOK);
  });
  const std::string expected = "E 25x13x7, N87 Epcos, 1mm, 15\xB5H, 100kHz, 24V, 12V, 10A.sav";
  EXPECT_EQ(proposed, expected);
  EXPECT_EQ(title, "OT3...");  // the fixture's language names every slot
  EXPECT_EQ(label, "OT5:");
  // On disk the name is UTF-8; the file is the record without the language.
  ASSERT_TRUE(dir.exists("E 25x13x7, N87 Epcos, 1mm, 15µH, 100kHz, 24V, 12V, 10A.sav"));
  const std::string bytes = dir.read("E 25x13x7, N87 Epcos, 1mm, 15µH, 100kHz, 24V, 12V, 10A.sav");
  EXPECT_EQ(bytes, SerializeSettings(dlg().Model().SettingsForWriting(), false));
  EXPECT_EQ(bytes.find("lang"), std::string::npos);
  EXPECT_NE(bytes.find("core\t= E 25/13/7\r\n"), std::string::npos);
  EXPECT_EQ(dlg().FocusItem(), IDC_CALCULATE);
}

TEST_F(DesignCommandsTest, TheProposedNameTakesTheTextsAsTheCalculationLeftThem) {
  Start();
  Type(IDC_EDIT_INOM, "2");
  Click(IDC_SHAPE_ER);
  SelectCore("ER 14.5/6");
  Type(IDC_EDIT_ZAZOR, "160,5");
  Click(IDC_RADIO_AL);  // AL mode: the millimetre text still follows the value
  std::string proposed;
  Save([&](ui::Dialog& d) {
    proposed = d.GetItemText(1012);
    d.UserClick(ui::IDCANCEL);
  });
  EXPECT_EQ(proposed, "ER 14.5x6, N87 Epcos, 160.5mm, 15\xB5H, 100kHz, 24V, 12V, 2A.sav");
  EXPECT_EQ(Text(IDC_EDIT_ZAZOR), "160.5");
}

TEST_F(DesignCommandsTest, TheExtensionIsAddedOnlyWhenTheNameLacksIt) {
  Start();
  SaveAs("mine");
  EXPECT_TRUE(dir.exists("mine.sav"));
  EXPECT_FALSE(dir.exists("mine"));
  SaveAs("x.sav.bak");
  EXPECT_TRUE(dir.exists("x.sav.bak"));
  EXPECT_FALSE(dir.exists("x.sav.bak.sav"));
  SaveAs("upper.SAV");  // the test is case-sensitive
  EXPECT_TRUE(dir.exists("upper.SAV.sav"));
}

TEST_F(DesignCommandsTest, AnExistingDesignIsReplacedOnlyWhenTheUserAgrees) {
  dir.write("old.sav", "old");
  Start();
  bool openAfterCancel = false;
  ExpectBoxes(1);
  host.QueueAnswer(ui::IDCANCEL);
  Save([&](ui::Dialog& d) {
    d.UserType(1012, "old.sav");
    d.UserClick(ui::IDOK);
    openAfterCancel = !d.IsEnded();
    d.UserClick(ui::IDCANCEL);
  });
  auto boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "OT6 old.sav ?");
  EXPECT_EQ(boxes[0].caption, "Attention");
  EXPECT_EQ(boxes[0].type, ui::MbType::OkCancel);
  EXPECT_TRUE(openAfterCancel);
  EXPECT_EQ(dir.read("old.sav"), "old");
  EXPECT_EQ(dlg().FocusItem(), IDC_CALCULATE);

  ExpectBoxes(1);
  host.QueueAnswer(ui::IDOK);
  SaveAs("old.sav");
  EXPECT_EQ(TakeBoxes().size(), 1u);
  EXPECT_EQ(dir.read("old.sav"), SerializeSettings(dlg().Model().SettingsForWriting(), false));

  // The name before ".sav" is added, or in other letter case, names the same
  // file: the question comes, and Cancel keeps it.
  for (const std::string typed : {"OLD.sav", "old", "OLD"}) {
    dir.write("old.sav", "stale");
    ExpectBoxes(1);
    host.QueueAnswer(ui::IDCANCEL);
    Save([&](ui::Dialog& d) {
      d.UserType(1012, typed);
      d.UserClick(ui::IDOK);
      d.UserClick(ui::IDCANCEL);
    });
    boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u) << typed;
    EXPECT_EQ(boxes[0].text, "OT6 old.sav ?");
    EXPECT_EQ(dir.read("old.sav"), "stale") << typed;
  }
  ExpectBoxes(1);
  host.QueueAnswer(ui::IDOK);
  SaveAs("OLD");
  EXPECT_EQ(TakeBoxes().size(), 1u);
  EXPECT_FALSE(dir.exists("OLD.sav"));
  EXPECT_EQ(dir.read("old.sav"), SerializeSettings(dlg().Model().SettingsForWriting(), false));
}

TEST_F(DesignCommandsTest, AnEmptyNameWritesNothing) {
  Start();
  const auto before = FilesIn(dir);
  bool stayedOpen = false;
  Save([&](ui::Dialog& d) {
    d.UserType(1012, "");
    d.UserClick(ui::IDOK);
    stayedOpen = !d.IsEnded();
    d.UserClick(ui::IDCANCEL);
  });
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(FilesIn(dir), before);
  EXPECT_FALSE(dir.exists(".sav"));
}

TEST_F(DesignCommandsTest, CancelWritesNothingAndLeavesTheCalculatedWindow) {
  Start();
  Type(IDC_EDIT_L, "12");  // not yet calculated
  dlg().SetFocusItem(IDC_EDIT_L);
  const auto before = FilesIn(dir);
  Save([](ui::Dialog& d) { d.UserEscape(); });
  EXPECT_EQ(FilesIn(dir), before);
  const auto calculated = Results();
  Click(IDC_CALCULATE);
  EXPECT_EQ(Results(), calculated);  // Save had calculated already
  EXPECT_EQ(dlg().FocusItem(), IDC_CALCULATE);
}

TEST_F(DesignCommandsTest, ADesignThatCannotBeWrittenIsReported) {
  Start();
  ExpectBoxes(1);
  SaveAs("no such folder/x.sav");
  auto boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Cannot write no such folder/x.sav");
  EXPECT_EQ(boxes[0].caption, "Attention");
  EXPECT_EQ(dlg().FocusItem(), IDC_CALCULATE);
}

TEST_F(DesignCommandsTest, RussianNamesAreUtf8OnDiskAndLoadBack) {
  Start();
  SaveAs(Cp("Дроссель"));
  ASSERT_TRUE(dir.exists("Дроссель.sav"));
  Type(IDC_EDIT_L, "47");
  Load(Cp("Дроссель.sav"));
  EXPECT_EQ(Text(IDC_EDIT_L), "15");
}

TEST_F(DesignCommandsTest, LoadBringsTheWholeWindowIntoLineWithTheDesign) {
  const SettingsRecord design = OtherDesign();
  dir.write("other.sav", SerializeSettings(design, false));
  Start();
  dlg().SetFocusItem(IDC_EDIT_L);
  PictureWatch watch;
  dlg().SetObserver(&watch);
  Load("other.sav");
  dlg().SetObserver(nullptr);
  EXPECT_GE(watch.redraws, 1);  // the picture follows the shape

  EXPECT_EQ(dlg().Model().Settings().core, "ETD 34/17/11");
  EXPECT_EQ(dlg().Model().CurrentCore(), "ETD 34/17/11");
  EXPECT_EQ(SelectedCore(), "ETD 34/17/11");
  EXPECT_EQ(dlg().GetCheck(IDC_SHAPE_ETD), 1);
  EXPECT_EQ(Text(IDC_EDIT_ZAZOR), "250");
  EXPECT_EQ(Text(IDC_EDIT_FC), "150");
  EXPECT_EQ(Text(IDC_EDIT_DPROV), "20");
  EXPECT_EQ(dlg().GetRadioIndex(IDC_RADIO_OUTPUT), 1);
  EXPECT_EQ(dlg().GetRadioIndex(IDC_RADIO_GAP), 1);
  EXPECT_EQ(dlg().GetRadioIndex(IDC_RADIO_METRIC), 1);
  // material, its list entry and its data
  EXPECT_EQ(dlg().Model().Settings().mater, "M200");
  EXPECT_EQ(dlg().GetLBText(IDC_COMBO_MATERIAL, dlg().GetCurSel(IDC_COMBO_MATERIAL)), "M200");
  // the minimum current gives the inductance
  EXPECT_FALSE(Enabled(IDC_EDIT_L));
  EXPECT_TRUE(Enabled(IDC_EDIT_IMIN));
  // the three caption switches
  EXPECT_EQ(Text(IDC_LABEL_U1), "ID14");
  EXPECT_EQ(Text(IDC_CAP_REQUIRED), "MC5");
  EXPECT_EQ(Text(IDC_UNIT_REQUIRED), "");
  EXPECT_EQ(Text(IDC_LABEL_DPROV), "ID20");
  EXPECT_EQ(Text(IDC_UNIT_DPROV_AWG), "AWG");
  // the AWG table, the spin control stepping through all of it
  ASSERT_FALSE(dlg().Model().Wires().entries.empty());
  EXPECT_EQ(dlg().Item(IDC_SPIN_WIRE)->rangeHi, static_cast<int>(dlg().Model().Wires().entries.size()) - 1);
  EXPECT_GT(dlg().Model().Wires().entries.size(), 11u);  // not the metric table of the data set
  EXPECT_EQ(dlg().FocusItem(), IDC_CALCULATE);
  EXPECT_EQ(dlg().Model().Settings().lang, "English");

  // A design without the option gives the inductance back, and the rest too.
  dir.write("plain.sav", SerializeSettings(SettingsRecord{}, false));
  Load("plain.sav");
  EXPECT_TRUE(Enabled(IDC_EDIT_L));
  EXPECT_FALSE(Enabled(IDC_EDIT_IMIN));
  EXPECT_EQ(SelectedCore(), "E 25/13/7");
  EXPECT_EQ(dlg().GetCheck(IDC_SHAPE_E), 1);
  EXPECT_EQ(Text(IDC_LABEL_U1), "ID12");
  EXPECT_EQ(Text(IDC_UNIT_REQUIRED), "mm");
  EXPECT_EQ(Text(IDC_LABEL_DPROV), "ID7");
  EXPECT_EQ(dlg().Model().Wires().entries.size(), 11u);
  EXPECT_EQ(dlg().Item(IDC_SPIN_WIRE)->rangeHi, 10);
}

TEST_F(DesignCommandsTest, LoadingTheSettingsFileKeepsTheLanguage) {
  Start();
  SettingsRecord last;
  last.L = "12";
  last.lang = "Russian";
  dir.write("Inductor.ini", SerializeSettings(last, true));
  Load("Inductor.ini");
  EXPECT_EQ(Text(IDC_EDIT_L), "12");
  EXPECT_EQ(dlg().Model().Settings().lang, "English");
  EXPECT_EQ(dlg().Model().Lang().title, "Velmora");
}

TEST_F(DesignCommandsTest, AnUnknownMaterialFallsBackToN87) {
  SettingsRecord design;
  design.mater = "Gone";
  dir.write("gone.sav", SerializeSettings(design, false));
  Start();
  Load("gone.sav");
  EXPECT_EQ(dlg().Model().Settings().mater, "N87 Epcos");
  EXPECT_EQ(dlg().GetCurSel(IDC_COMBO_MATERIAL), 0);
}

TEST_F(DesignCommandsTest, CancelledOrUnreadableLoadsChangeNothing) {
  dir.write("gone.sav", SerializeSettings(OtherDesign(), false));
  Start();
  Type(IDC_EDIT_L, "47");
  dlg().SetFocusItem(IDC_EDIT_L);
  const SettingsRecord before = dlg().Model().Settings();

  // OK with nothing selected does nothing; the user then cancels.
  host.QueueDriver([](ui::Dialog& d) {
    d.UserClick(ui::IDOK);
    EXPECT_FALSE(d.IsEnded());
    d.UserClose();
  });
  Click(IDC_LOAD);
  EXPECT_EQ(dlg().Model().Settings(), before);
  EXPECT_EQ(Text(IDC_EDIT_L), "47");
  EXPECT_EQ(dlg().FocusItem(), IDC_CALCULATE);

  // The file goes away while the dialog is open: a silent end, the focus on
  // Calculate as after every Load.
  dlg().SetFocusItem(IDC_EDIT_L);
  host.QueueDriver([this](ui::Dialog& d) {
    d.UserSelect(1009, d.FindString(1009, -1, "gone.sav"));
    fs::remove(fs::path(dir.path()) / "gone.sav");
    d.UserClick(ui::IDOK);
  });
  Click(IDC_LOAD);
  EXPECT_EQ(dlg().Model().Settings(), before);
  EXPECT_EQ(Text(IDC_EDIT_L), "47");
  EXPECT_EQ(dlg().FocusItem(), IDC_CALCULATE);
}

}  // namespace
}  // namespace velmora::test
