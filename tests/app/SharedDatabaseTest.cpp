// SPDX-License-Identifier: GPL-3.0-or-later
// Two windows on one working folder, and a database changed behind a
// window's back: adding and deleting apply to the file as it is on disk, so
// no window's change is lost by another's.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "WindowFixture.h"
#include "textfile/FileLock.h"
#include "textfile/Unprivileged.h"

namespace velmora::test {
namespace {

using namespace ids;

std::string Record(const std::string& name, const std::string& Ae = "50") {
  return "[" + name + "]\r\nAe = " + Ae + "\r\nAn = 60\r\nle = 50\r\nmu = 1000\r\n\r\n";
}

// A second window on the folder of the fixture's window, with its own host.
class SharedDatabaseTest : public WindowTest {
 protected:
  CVelmoraDlg& StartOther(VelmoraOptions options = {}) {
    otherHost.SetStrict(false);
    other = std::make_unique<CVelmoraDlg>(otherHost, std::move(options));
    other->Create();
    return *other;
  }
  static void AddByData(CVelmoraDlg& w, const std::string& name, const std::string& Ae = "50") {
    if (!w.GetCheck(IDC_CHECK_ADD_DATA)) w.UserClick(IDC_CHECK_ADD_DATA);
    w.UserType(IDC_COMBO_CORE, name);
    w.UserType(IDC_DATA_AE, Ae);
    w.UserType(IDC_DATA_AN, "60");
    w.UserType(IDC_DATA_LE, "50");
    w.UserType(IDC_DATA_MU, "1000");
    w.UserClick(IDC_ADD_CORE);
  }
  static void Delete(CVelmoraDlg& w, ui::HeadlessHost& h, const std::string& name) {
    const int index = w.FindString(IDC_COMBO_CORE, -1, name);
    ASSERT_GE(index, 0) << name;
    w.UserSelect(IDC_COMBO_CORE, index);
    h.QueueAnswer(ui::IDOK);
    w.UserClick(IDC_DELETE_CORE);
  }
  static bool Lists(const CVelmoraDlg& w, const std::string& name) {
    for (const std::string& item : w.Item(IDC_COMBO_CORE)->items)
      if (item == name) return true;
    return false;
  }
  std::string Database() const { return dir.read("BaseCores.txt"); }

  ui::HeadlessHost otherHost;
  std::unique_ptr<CVelmoraDlg> other;
};

TEST_F(SharedDatabaseTest, TwoWindowsAddingAndDeletingKeepEachOthersCores) {
  host.SetStrict(false);
  CVelmoraDlg& a = Start();
  CVelmoraDlg& b = StartOther();

  AddByData(a, "11/11/11");
  AddByData(b, "22/22/22");
  EXPECT_EQ(Database(), SmallCoreDatabase() + Record("E 11/11/11") + Record("E 22/22/22"));
  // The window that wrote shows what it wrote, the other core included.
  EXPECT_EQ(b.Model().CoreDatabaseText(), Database());
  EXPECT_TRUE(Lists(b, "E 11/11/11"));
  EXPECT_EQ(b.GetLBText(IDC_COMBO_CORE, b.GetCurSel(IDC_COMBO_CORE)), "E 22/22/22");
  EXPECT_EQ(b.GetCheck(IDC_CHECK_ADD_DATA), 0);

  // Window A still holds its older copy; its delete keeps B's core.
  Delete(a, host, "E 13/7/4");
  const std::string afterDelete = Database();
  EXPECT_EQ(afterDelete.find("[E 13/7/4]"), std::string::npos);
  EXPECT_NE(afterDelete.find("[E 22/22/22]"), std::string::npos);
  EXPECT_NE(afterDelete.find("[E 11/11/11]"), std::string::npos);
  EXPECT_TRUE(Lists(a, "E 22/22/22"));
  EXPECT_EQ(a.GetCurSel(IDC_COMBO_CORE), -1);

  // A core deleted by one window is gone when the other deletes it too.
  Delete(b, otherHost, "E 11/11/11");
  Delete(a, host, "E 11/11/11");
  EXPECT_EQ(Database().find("[E 11/11/11]"), std::string::npos);
  EXPECT_EQ(Database(), a.Model().CoreDatabaseText());

  // The same name added by the other window meanwhile is refused as a duplicate.
  AddByData(b, "33");
  host.ClearShown();
  AddByData(a, "33", "70");
  ASSERT_EQ(host.shown().size(), 1u);
  EXPECT_EQ(host.shown()[0].text, "BC29");
  EXPECT_EQ(a.GetCheck(IDC_CHECK_ADD_DATA), 1);
  EXPECT_EQ(Database().find("Ae = 70"), std::string::npos);
}

TEST_F(SharedDatabaseTest, ADatabaseMissingAtStartUpOrReplacedLaterIsReadNotOverwritten) {
  std::filesystem::remove("BaseCores.txt");
  ExpectBoxes(1);
  CVelmoraDlg& w = Start();
  ASSERT_EQ(TakeBoxes().at(0).text, "Missing file BaseCores.txt");
  EXPECT_EQ(w.GetCount(IDC_COMBO_CORE), 0);

  // The file comes back (restored by hand): the first add keeps every core.
  dir.write("BaseCores.txt", SmallCoreDatabase());
  host.SetStrict(false);
  AddByData(w, "40/40/40");
  EXPECT_EQ(Database(), SmallCoreDatabase() + Record("E 40/40/40"));
  EXPECT_TRUE(Lists(w, "E 30/15/7"));

  // Replaced behind the window's back by a file of two cores (as an editor
  // saves: a new file renamed over the old one).
  dir.write("new.tmp", Record("E 1/1/1") + Record("E 40/40/40"));
  ASSERT_EQ(std::rename("new.tmp", "BaseCores.txt"), 0);
  Delete(w, host, "E 40/40/40");
  EXPECT_EQ(Database(), Record("E 1/1/1"));
  EXPECT_EQ(w.Item(IDC_COMBO_CORE)->items, std::vector<std::string>{"E 1/1/1"});

  // Removed meanwhile: the added core is the whole new file.
  std::filesystem::remove("BaseCores.txt");
  AddByData(w, "2/2/2");
  EXPECT_EQ(Database(), Record("E 2/2/2"));
}

TEST_F(SharedDatabaseTest, WithWritesSuppressedTheChangeStaysInTheWindow) {
  host.SetStrict(false);
  VelmoraOptions options;
  options.suppressWrites = true;
  CVelmoraDlg& w = Start(options);
  dir.write("BaseCores.txt", Record("E 1/1/1"));  // changed on disk: not read, not written
  AddByData(w, "50/50/50");
  Delete(w, host, "E 13/7/4");
  EXPECT_EQ(Database(), Record("E 1/1/1"));
  EXPECT_TRUE(Lists(w, "E 50/50/50"));
  EXPECT_FALSE(Lists(w, "E 13/7/4"));
  EXPECT_FALSE(Lists(w, "E 1/1/1"));
}

// Another window or program keeping the lock: adding and deleting give up
// after a short wait, say that the database is in use, and change nothing.
TEST_F(SharedDatabaseTest, ALockKeptByAnotherHolderIsToldAsInUseWithoutFreezingTheWindow) {
  host.SetStrict(false);
  CVelmoraDlg& w = Start();
  const FileLock held = FileLock::Exclusive(dir.path(), std::chrono::milliseconds(0));
  ASSERT_TRUE(held.Held());
  const std::string inUse =
      "The core database is in use by another window or program and was not changed. Try again in a moment: "
      "BaseCores.txt";
  const auto start = std::chrono::steady_clock::now();
  AddByData(w, "60/60/60");
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_LT(waited, std::chrono::milliseconds(1500));  // the wait of a second, no more
  ASSERT_EQ(host.shown().size(), 1u);
  EXPECT_EQ(host.shown()[0].text, inUse);
  EXPECT_EQ(w.GetCheck(IDC_CHECK_ADD_DATA), 1);
  w.UserClick(IDC_CHECK_ADD_DATA);
  host.ClearShown();
  Delete(w, host, "E 16/8/5");
  ASSERT_EQ(host.shown().size(), 2u);  // the question, then the refusal
  EXPECT_EQ(host.shown()[1].text, inUse);
  EXPECT_TRUE(Lists(w, "E 16/8/5"));
  EXPECT_EQ(Database(), SmallCoreDatabase());
  EXPECT_EQ(w.Model().CoreDatabaseText(), SmallCoreDatabase());
}

// A database that became write-protected after start-up: adding and deleting
// are refused with the write failure and the file name, and nothing changes.
TEST_F(SharedDatabaseTest, AWriteProtectedDatabaseRefusesAddAndDelete) {
  ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
  // The unprivileged user owns the data, so that it may protect the database.
  if (::geteuid() == 0) {
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      ASSERT_EQ(::chown(entry.path().c_str(), 65534, 65534), 0);
  }
  const auto ok = test::AsUnprivilegedUser([this] {
    host.SetStrict(false);
    CVelmoraDlg& w = Start();
    if (::chmod("BaseCores.txt", 0444) != 0) return false;
    host.ClearShown();
    AddByData(w, "70/70/70");
    const bool addRefused = host.shown().size() == 1 && host.shown()[0].text == "Cannot write BaseCores.txt" &&
                            w.GetCheck(IDC_CHECK_ADD_DATA) == 1 && !Lists(w, "E 70/70/70");
    w.UserClick(IDC_CHECK_ADD_DATA);
    host.ClearShown();
    Delete(w, host, "E 16/8/5");
    const bool deleteRefused =
        host.shown().size() == 2 && host.shown()[1].text == "Cannot write BaseCores.txt" && Lists(w, "E 16/8/5");
    return addRefused && deleteRefused && Database() == SmallCoreDatabase() &&
           w.Model().CoreDatabaseText() == SmallCoreDatabase();
  });
  if (!ok) GTEST_SKIP() << "cannot drop root rights here";
  EXPECT_TRUE(*ok);
}

}  // namespace
}  // namespace velmora::test
