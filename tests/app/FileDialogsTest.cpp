// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own open and save dialogs, driven as a user would.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/filedialogs/OpenFileDlg.h"
#include "app/filedialogs/SaveFileDlg.h"
#include "support/TempDir.h"
#include "textfile/Cp1251.h"
#include "ui/HeadlessHost.h"

namespace velmora {
namespace {

using ui::IDCANCEL;
using ui::IDOK;
using test::TempDir;

std::string Cp(const char* utf8) { return Utf8ToCp1251(utf8).value(); }

std::vector<std::string> Items(const ui::Dialog& dlg, int id) { return dlg.Item(id)->items; }

class OpenFileDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.write("b.sav", "x");
    dir.write("A.sav", "x");
    dir.write("Inductor.ini", "x");
    dir.write("notes.txt", "x");
    dir.write("design.sav.bak", "x");
    std::filesystem::create_directory(std::filesystem::path(dir.path()) / "folder.sav");
  }
  std::unique_ptr<COpenFileDlg> Make() {
    auto dlg = std::make_unique<COpenFileDlg>(host);
    dlg->titleText = "Open file";
    dlg->okCaption = "Open";
    dlg->cancelCaption = "Cancel";
    dlg->Create();
    return dlg;
  }
  TempDir dir;
  ui::HeadlessHost host;
};

TEST_F(OpenFileDlgTest, ShowsTheCallersTextsAndListsDesignAndSettingsFiles) {
  auto dlg = Make();
  EXPECT_EQ(dlg->WindowText(), "Open file...");
  EXPECT_EQ(dlg->GetItemText(1055), "Open file:");
  EXPECT_EQ(dlg->GetItemText(IDOK), "Open");
  EXPECT_EQ(dlg->GetItemText(IDCANCEL), "Cancel");
  EXPECT_EQ(dlg->GetItemText(1011), "");  // the template's placeholder is gone
  // ordinary files only, sorted with letter case ignored
  EXPECT_EQ(Items(*dlg, 1009), (std::vector<std::string>{"A.sav", "b.sav", "Inductor.ini"}));
}

TEST_F(OpenFileDlgTest, OkWithoutSelectionStaysOpenAndSelectionIsShownUnderTheList) {
  auto dlg = Make();
  dlg->UserClick(IDOK);
  EXPECT_FALSE(dlg->IsEnded());
  EXPECT_EQ(dlg->fileName, "");

  dlg->UserSelect(1009, 1);
  EXPECT_EQ(dlg->GetItemText(1011), "b.sav");
  dlg->UserClick(IDOK);
  ASSERT_TRUE(dlg->IsEnded());
  EXPECT_EQ(dlg->Result(), IDOK);
  EXPECT_EQ(dlg->fileName, "b.sav");
}

TEST_F(OpenFileDlgTest, DoubleClickOpensTheEntryAndEscapeCancels) {
  auto dlg = Make();
  dlg->UserDoubleClick(1009, 2);
  ASSERT_TRUE(dlg->IsEnded());
  EXPECT_EQ(dlg->Result(), IDOK);
  EXPECT_EQ(dlg->fileName, "Inductor.ini");

  auto other = Make();
  other->UserSelect(1009, 0);
  other->UserEscape();
  EXPECT_EQ(other->Result(), IDCANCEL);
}

TEST_F(OpenFileDlgTest, ActivationRefillsTheListAndDropsTheSelection) {
  auto dlg = Make();
  dlg->UserSelect(1009, 0);
  dir.write("c.sav", "x");
  std::filesystem::remove(std::filesystem::path(dir.path()) / "A.sav");
  dlg->UserActivate(true);
  EXPECT_EQ(Items(*dlg, 1009), (std::vector<std::string>{"b.sav", "c.sav", "Inductor.ini"}));
  EXPECT_EQ(dlg->GetCurSel(1009), -1);
  dlg->UserClick(IDOK);  // nothing selected any more
  EXPECT_FALSE(dlg->IsEnded());
  dlg->UserActivate(false);
  EXPECT_EQ(dlg->GetCount(1009), 3);
}

TEST_F(OpenFileDlgTest, RussianFileNamesAreListedInTheWindowsCodePage) {
  dir.write("Дроссель.sav", "x");  // UTF-8 on disk
  auto dlg = Make();
  const int i = dlg->FindString(1009, -1, Cp("Дроссель"));
  ASSERT_GE(i, 0);
  dlg->UserDoubleClick(1009, i);
  EXPECT_EQ(dlg->fileName, Cp("Дроссель.sav"));
}

class SaveFileDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.write("old.sav", "x");
    dir.write("Inductor.ini", "x");
  }
  std::unique_ptr<CSaveFileDlg> Make(const std::string& proposed) {
    auto dlg = std::make_unique<CSaveFileDlg>(host);
    dlg->titleText = "Save as";
    dlg->fileName = proposed;
    dlg->okCaption = "Save";
    dlg->cancelCaption = "Cancel";
    dlg->labelText = "File name";
    dlg->questionText = "Replace";
    dlg->messageCaption = "Velmora";
    dlg->Create();
    return dlg;
  }
  TempDir dir;
  ui::HeadlessHost host;
};

TEST_F(SaveFileDlgTest, ShowsTheProposedNameAndListsDesignFilesOnly) {
  auto dlg = Make("new.sav");
  EXPECT_EQ(dlg->WindowText(), "Save as...");
  EXPECT_EQ(dlg->GetItemText(1055), "File name:");
  EXPECT_EQ(dlg->GetItemText(IDOK), "Save");
  EXPECT_EQ(dlg->GetItemText(IDCANCEL), "Cancel");
  EXPECT_EQ(dlg->GetItemText(1012), "new.sav");
  EXPECT_EQ(Items(*dlg, 1009), std::vector<std::string>{"old.sav"});

  dlg->UserClick(IDOK);  // a new name: no question
  EXPECT_TRUE(host.shown().empty());
  EXPECT_EQ(dlg->Result(), IDOK);
  EXPECT_EQ(dlg->fileName, "new.sav");
}

// Whatever way the name names an existing file (the extension still to be
// added, other letter case, a double-click), the user is asked first.
TEST_F(SaveFileDlgTest, EveryNameOfAnExistingFileAsksBeforeReplacingIt) {
  for (const std::string typed : {"old.sav", "OLD.sav", "old", "Old"}) {
    auto dlg = Make(typed);
    host.QueueAnswer(IDCANCEL);
    dlg->UserClick(IDOK);
    ASSERT_EQ(host.shown().size(), 1u) << typed;
    EXPECT_EQ(host.shown()[0].text, "Replace old.sav ?") << typed;
    EXPECT_EQ(host.shown()[0].type, ui::MbType::OkCancel);
    EXPECT_FALSE(dlg->IsEnded()) << typed;
    host.ClearShown();
    host.QueueAnswer(IDOK);
    dlg->UserClick(IDOK);
    EXPECT_EQ(dlg->Result(), IDOK) << typed;
    EXPECT_EQ(dlg->fileName, typed);
    host.ClearShown();
  }

  // A double-click ends with the name in the edit, whatever entry, after the
  // same question.
  auto other = Make("old.sav");
  host.QueueAnswer(IDCANCEL);
  other->UserDoubleClick(1009, 0);
  EXPECT_EQ(host.shown().size(), 1u);
  EXPECT_FALSE(other->IsEnded());
  host.QueueAnswer(IDOK);
  other->UserDoubleClick(1009, 0);
  ASSERT_TRUE(other->IsEnded());
  EXPECT_EQ(other->Result(), IDOK);
  EXPECT_EQ(other->fileName, "old.sav");
  host.ClearShown();

  // A new name asks nothing; a single click leaves the edit alone.
  auto third = Make("mine.sav");
  third->UserSelect(1009, 0);
  EXPECT_EQ(third->GetItemText(1012), "mine.sav");
  third->UserDoubleClick(1009, 0);
  EXPECT_TRUE(host.shown().empty());
  EXPECT_EQ(third->Result(), IDOK);
  EXPECT_EQ(third->fileName, "mine.sav");

  // An empty name is no name: OK and a double-click leave the dialog open.
  auto empty = Make("");
  empty->UserClick(IDOK);
  empty->UserDoubleClick(1009, 0);
  EXPECT_FALSE(empty->IsEnded());
  EXPECT_TRUE(host.shown().empty());
  empty->UserClose();
  EXPECT_EQ(empty->Result(), IDCANCEL);
}

TEST_F(SaveFileDlgTest, ActivationShowsFilesCreatedMeanwhile) {
  auto dlg = Make("a.sav");
  dir.write("a.sav", "x");
  dlg->UserActivate(true);
  EXPECT_EQ(Items(*dlg, 1009), (std::vector<std::string>{"a.sav", "old.sav"}));
  host.QueueAnswer(IDCANCEL);
  dlg->UserClick(IDOK);
  EXPECT_EQ(host.shown().size(), 1u);
  EXPECT_FALSE(dlg->IsEnded());
}

}  // namespace
}  // namespace velmora
