// SPDX-License-Identifier: GPL-3.0-or-later
// FIFOs, devices and folders in place of the data files, names from files
// that point out of the folder, links to the data files, a write-protected
// core database, and files of endless values: the window never waits, never
// reads without end, keeps the user's links, and reports each such file like
// one that cannot be opened.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "settings/SettingsRecord.h"
#include "support/ShippedWindow.h"
#include "support/TempDir.h"
#include "textfile/Unprivileged.h"
#include "ui/HeadlessHost.h"

namespace velmora {
namespace {

using namespace ids;
using test::TempDir;
namespace fs = std::filesystem;

class SpecialFileTest : public test::ShippedWindowTest {
 protected:
  CVelmoraDlg& Start() {
    host().ClearShown();
    return ShippedWindowTest::Start();
  }
  // Puts a FIFO without writer (or a link to a device that never ends) in
  // place of a data file; the next call puts the file back.
  void Replace(const std::string& name, bool device) {
    saved = dir.read(name);
    savedName = name;
    fs::remove(name);
    if (device) fs::create_symlink("/dev/zero", name);
    else ASSERT_EQ(::mkfifo(name.c_str(), 0644), 0);
  }
  void Restore() {
    fs::remove(savedName);
    dir.write(savedName, saved);
  }

  std::string saved, savedName;
};

TEST_F(SpecialFileTest, FifoOrDeviceInPlaceOfEachDataFileIsAFileThatCannotBeOpened) {
  for (const bool device : {false, true}) {
    SCOPED_TRACE(device ? "device" : "FIFO");
    // Files the window can start without.
    Replace("Inductor.ini", device);
    EXPECT_FALSE(Start().Model().StartUpFailed());
    EXPECT_EQ(dlg->Model().Settings().L, SettingsRecord{}.L);  // the defaults
    Restore();
    Replace("BaseCores.txt", device);
    Start();
    EXPECT_TRUE(Shown(dlg->Model().Lang()[kFileNotFound] + " BaseCores.txt"));
    EXPECT_EQ(dlg->GetCount(IDC_COMBO_CORE), 0);
    Restore();
    Replace("Wire.txt", device);
    Start();
    EXPECT_TRUE(Shown("Cannot read the file Wire.txt"));
    Restore();
    // Files it cannot do without end start-up with their message.
    for (const char* name : {"English.lng", "Materials.txt", "N87 Epcos.txt"}) {
      SCOPED_TRACE(name);
      Replace(name, device);
      EXPECT_TRUE(Start().Model().StartUpFailed());
      Restore();
    }
    // The help text and a design file picked in the open dialog.
    Start();
    Replace("ReadMe-English.txt", device);
    dlg->UserMenu(ID_HELP);
    EXPECT_TRUE(Shown(dlg->Model().Lang()[kFileNotFound] + " ReadMe-English.txt"));
    Restore();
    if (device) fs::create_symlink("/dev/zero", "design.sav");
    else ASSERT_EQ(::mkfifo("design.sav", 0644), 0);
    const SettingsRecord before = dlg->Model().Settings();
    host().QueueDriver([](ui::Dialog& d) {
      d.UserSelect(1009, d.FindString(1009, -1, "design.sav"));
      d.UserClick(ui::IDOK);
    });
    dlg->UserClick(IDC_LOAD);
    EXPECT_EQ(dlg->Model().Settings(), before);
    fs::remove("design.sav");
  }
}

TEST_F(SpecialFileTest, NamesFromFilesReadNothingOutsideTheFolder) {
  fs::create_directory("outside");
  fs::copy_file("English.lng", "outside/evil.lng");
  fs::copy_file("N87 Epcos.txt", "outside/evil.txt");
  // A material from a design or settings file: the fallback material.
  dir.write("Inductor.ini", "[INI_DATA]\r\nmater\t= ../outside/evil\r\nlang\t= English\r\n");
  Start();
  ASSERT_FALSE(dlg->Model().StartUpFailed());
  EXPECT_EQ(dlg->Model().Settings().mater, "N87 Epcos");
  // A language: the language file is missing, start-up says so and ends.
  dir.write("Inductor.ini", "[INI_DATA]\r\nlang\t= outside/evil\r\n");
  EXPECT_TRUE(Start().Model().StartUpFailed());
  dir.write("Inductor.ini", "[INI_DATA]\r\nlang\t= " + dir.path() + "/outside/evil\r\n");
  EXPECT_TRUE(Start().Model().StartUpFailed());
  SettingsRecord next;
  ASSERT_TRUE(ReadSettings("Inductor.ini", true, next));
  EXPECT_EQ(next.lang, "English");
}

TEST_F(SpecialFileTest, LinksStayLinksAndTheirTargetsGetTheNewText) {
  fs::create_directory("store");
  dir.write("Inductor.ini", "[INI_DATA]\r\nFc\t= 100\r\nlang\t= English\r\n");
  for (const char* name : {"Inductor.ini", "BaseCores.txt"}) {
    fs::rename(name, std::string("store/") + name);
    fs::create_symlink(std::string("store/") + name, name);
  }
  ::link("store/BaseCores.txt", "store/BaseCores-backup.txt");
  Start();
  dlg->UserClick(IDC_CHECK_ADD_DATA);
  dlg->UserType(IDC_COMBO_CORE, "99/99/99");
  for (int id : {IDC_DATA_AE, IDC_DATA_AN, IDC_DATA_LE, IDC_DATA_MU}) dlg->UserType(id, "50");
  dlg->UserClick(IDC_ADD_CORE);
  dlg->UserType(IDC_EDIT_FC, "321");
  dlg->UserClick(IDC_EXIT);

  EXPECT_TRUE(fs::is_symlink("Inductor.ini"));
  EXPECT_TRUE(fs::is_symlink("BaseCores.txt"));
  EXPECT_NE(dir.read("store/BaseCores.txt").find("99/99/99]"), std::string::npos);
  EXPECT_EQ(dir.read("store/BaseCores-backup.txt"), dir.read("store/BaseCores.txt"));
  SettingsRecord written;
  ASSERT_TRUE(ReadSettings("store/Inductor.ini", true, written));
  EXPECT_EQ(written.Fc, "321");
}

TEST_F(SpecialFileTest, WriteProtectedCoreDatabaseIsRead) {
  ASSERT_EQ(::chmod("BaseCores.txt", 0444), 0);
  ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
  for (const auto& e : fs::directory_iterator(".")) ::chmod(e.path().c_str(), 0444);
  const auto listed = test::AsUnprivilegedUser([this] {
    Start();
    return !dlg->Model().StartUpFailed() && dlg->GetCount(IDC_COMBO_CORE) > 0 &&
           !Shown(dlg->Model().Lang()[kFileNotFound] + " BaseCores.txt");
  });
  ::chmod(dir.path().c_str(), 0700);
  if (!listed) GTEST_SKIP() << "no unprivileged user to run as";
  EXPECT_TRUE(*listed);
}

}  // namespace
}  // namespace velmora
