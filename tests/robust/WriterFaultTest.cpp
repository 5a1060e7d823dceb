// SPDX-License-Identifier: GPL-3.0-or-later
// Every writer of the program, interrupted at each step of its write: the
// settings file on exit, a design file on Save, the core database on adding
// and deleting a core. The file on disk is always the old one or the complete
// new one, and a write that failed is told to the user, never passed over.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "settings/SettingsRecord.h"
#include "support/ShippedWindow.h"
#include "support/TempDir.h"
#include "textfile/FaultInjection.h"
#include "ui/HeadlessHost.h"

namespace velmora {
namespace {

using namespace ids;
using test::FaultPlan;
using test::ScopedFaults;
using test::TempDir;
namespace fs = std::filesystem;

// The faults every writer meets, each at every step of the write.
struct Fault {
  const char* what;
  int error;
};
constexpr Fault kFaults[] = {{"I/O error", EIO}, {"disk full", ENOSPC}, {"read-only", EROFS}};

class WriterFaultTest : public test::ShippedWindowTest {
 protected:
  CVelmoraDlg& Start() {
    NewHost();
    ShippedWindowTest::Start();
    EXPECT_FALSE(dlg->Model().StartUpFailed());
    host().ClearShown();
    return *dlg;
  }

  // The boxes that report a failed write.
  int FailureReports() const {
    int n = 0;
    for (const auto& box : host().shown())
      if (box.text.rfind(dlg->Model().Lang()[kWriteFailed], 0) == 0) ++n;
    return n;
  }

  // Runs the command once with a fault at step k; returns the plan.
  FaultPlan RunWithFault(const std::function<void()>& command, int k, int error) {
    FaultPlan plan;
    plan.failAt = k;
    plan.error = error;
    ScopedFaults faults(plan);
    command();
    return plan;
  }

  // Number of file steps the command takes when nothing fails.
  int StepsOf(const std::function<void()>& command) {
    FaultPlan plan;
    {
      ScopedFaults faults(plan);
      command();
    }
    return plan.steps;
  }

  void SaveAs(const std::string& name) {
    host().QueueDriver([name](ui::Dialog& d) {
      d.UserType(1012, name);
      d.UserClick(ui::IDOK);
    });
    host().QueueAnswer(ui::IDOK);  // replace the existing file
    dlg->UserClick(IDC_SAVE);
  }

  void AddCoreByData(const std::string& name) {
    dlg->UserClick(IDC_SHAPE_E);
    dlg->UserClick(IDC_CHECK_ADD_DATA);
    dlg->UserType(IDC_COMBO_CORE, name);
    dlg->UserType(IDC_DATA_AE, "52,5");
    dlg->UserType(IDC_DATA_AN, "60");
    dlg->UserType(IDC_DATA_LE, "57.5");
    dlg->UserType(IDC_DATA_MU, "1800");
    dlg->UserClick(IDC_ADD_CORE);
  }

  void DeleteCore(const std::string& name) {
    dlg->UserClick(IDC_SHAPE_ETD);
    const int index = dlg->FindString(IDC_COMBO_CORE, -1, name);
    ASSERT_GE(index, 0);
    dlg->UserSelect(IDC_COMBO_CORE, index);
    host().QueueAnswer(ui::IDOK);
    dlg->UserClick(IDC_DELETE_CORE);
  }
};

TEST_F(WriterFaultTest, DesignSaveFailingAtEveryStep) {
  Start();
  SaveAs("design.sav");
  const std::string oldBytes = dir.read("design.sav");
  ASSERT_FALSE(oldBytes.empty());
  dlg->UserType(IDC_EDIT_L, "47");
  const int steps = StepsOf([&] { SaveAs("probe.sav"); });
  ASSERT_GE(steps, 5);
  const std::string newBytes = dir.read("probe.sav");
  ASSERT_NE(newBytes, oldBytes);

  int tried = 0;
  for (const Fault& f : kFaults) {
    for (int k = 0; k < steps; ++k) {
      SCOPED_TRACE(std::string(f.what) + " at step " + std::to_string(k));
      dir.write("design.sav", oldBytes);
      host().ClearShown();
      const FaultPlan plan = RunWithFault([&] { SaveAs("design.sav"); }, k, f.error);
      const std::string now = dir.read("design.sav");
      ASSERT_TRUE(now == oldBytes || now == newBytes) << "torn design file";
      EXPECT_EQ(now == newBytes, plan.renamed);
      EXPECT_EQ(FailureReports(), now == oldBytes ? 1 : 0);
      EXPECT_EQ(dlg->FocusItem(), IDC_CALCULATE);
      ++tried;
    }
  }
  EXPECT_EQ(tried, 3 * steps);
}

TEST_F(WriterFaultTest, CoreAddFailingAtEveryStepKeepsDatabaseAndAddMode) {
  const std::string oldDb = dir.read("BaseCores.txt");
  Start();
  const int steps = StepsOf([&] { AddCoreByData("99/1/1"); });
  ASSERT_GE(steps, 5);
  const std::string newDb = dir.read("BaseCores.txt");
  ASSERT_EQ(newDb.substr(0, oldDb.size()), oldDb);

  for (const Fault& f : kFaults) {
    for (int k = 0; k < steps; ++k) {
      SCOPED_TRACE(std::string(f.what) + " at step " + std::to_string(k));
      dir.write("BaseCores.txt", oldDb);
      Start();
      const FaultPlan plan = RunWithFault([&] { AddCoreByData("99/1/1"); }, k, f.error);
      const std::string now = dir.read("BaseCores.txt");
      ASSERT_TRUE(now == oldDb || now == newDb) << "torn core database";
      EXPECT_EQ(now == newDb, plan.renamed);
      if (now == oldDb) {
        EXPECT_EQ(FailureReports(), 1);
        // The window keeps what the disk keeps: no record, the add mode on.
        EXPECT_EQ(dlg->Model().CoreDatabaseText(), oldDb);
        EXPECT_EQ(dlg->GetCheck(IDC_CHECK_ADD_DATA), 1);
      } else {
        EXPECT_EQ(FailureReports(), 0);
        EXPECT_EQ(dlg->Model().CoreDatabaseText(), newDb);
        EXPECT_EQ(dlg->GetCheck(IDC_CHECK_ADD_DATA), 0);
      }
    }
  }
}

TEST_F(WriterFaultTest, CoreDeleteFailingAtEveryStepKeepsTheCore) {
  const std::string oldDb = dir.read("BaseCores.txt");
  Start();
  const int steps = StepsOf([&] { DeleteCore("ETD 34/17/11"); });
  ASSERT_GE(steps, 5);
  const std::string newDb = dir.read("BaseCores.txt");
  ASSERT_LT(newDb.size(), oldDb.size());

  for (const Fault& f : kFaults) {
    for (int k = 0; k < steps; ++k) {
      SCOPED_TRACE(std::string(f.what) + " at step " + std::to_string(k));
      dir.write("BaseCores.txt", oldDb);
      Start();
      const FaultPlan plan = RunWithFault([&] { DeleteCore("ETD 34/17/11"); }, k, f.error);
      const std::string now = dir.read("BaseCores.txt");
      ASSERT_TRUE(now == oldDb || now == newDb) << "torn core database";
      EXPECT_EQ(now == newDb, plan.renamed);
      EXPECT_EQ(FailureReports(), now == oldDb ? 1 : 0);
      EXPECT_EQ(dlg->Model().CoreDatabaseText(), now);
      EXPECT_EQ(dlg->FindString(IDC_COMBO_CORE, -1, "ETD 34/17/11") >= 0, now == oldDb);
    }
  }
}

TEST_F(WriterFaultTest, SettingsOnExitFailingAtEveryStep) {
  Start();
  dlg->UserClick(IDC_EXIT);
  const std::string oldIni = dir.read("Inductor.ini");
  ASSERT_FALSE(oldIni.empty());

  Start();
  dlg->UserType(IDC_EDIT_FC, "250");
  const int steps = StepsOf([&] { dlg->UserClick(IDC_EXIT); });
  const std::string newIni = dir.read("Inductor.ini");
  ASSERT_NE(newIni, oldIni);

  for (const Fault& f : kFaults) {
    for (int k = 0; k < steps; ++k) {
      SCOPED_TRACE(std::string(f.what) + " at step " + std::to_string(k));
      dir.write("Inductor.ini", oldIni);
      Start();
      dlg->UserType(IDC_EDIT_FC, "250");
      const FaultPlan plan = RunWithFault([&] { dlg->UserClick(IDC_EXIT); }, k, f.error);
      const std::string now = dir.read("Inductor.ini");
      ASSERT_TRUE(now == oldIni || now == newIni) << "torn settings file";
      EXPECT_EQ(now == newIni, plan.renamed);
      EXPECT_EQ(FailureReports(), now == oldIni ? 1 : 0);
      EXPECT_TRUE(dlg->IsEnded());
    }
  }
}

// Missing folder, a folder that refuses new files (also for root, who would
// pass the permission bits) and a disk that fills up halfway: every writer
// says so, and nothing on disk changes.
TEST_F(WriterFaultTest, MissingFolderReadOnlyFolderAndFullDiskAreReported) {
  const std::string oldDb = dir.read("BaseCores.txt");
  Start();
  SaveAs("no such folder/design.sav");
  EXPECT_EQ(FailureReports(), 1);
  EXPECT_FALSE(fs::exists("no such folder"));

  for (const bool fullDisk : {false, true}) {
    SCOPED_TRACE(fullDisk ? "disk full" : "read-only folder");
    FaultPlan plan;
    if (fullDisk) plan.diskSpace = 100;
    else plan.refuseCreate = EROFS;

    Start();
    {
      ScopedFaults faults(plan);
      SaveAs("design.sav");
      AddCoreByData("98/1/1");
      dlg->UserClick(IDC_CHECK_ADD_DATA);  // leave the add mode
      DeleteCore("ETD 29/16/10");
      dlg->UserClick(IDC_EXIT);
    }
    EXPECT_EQ(FailureReports(), 4);
    EXPECT_FALSE(dir.exists("design.sav"));
    EXPECT_FALSE(dir.exists("Inductor.ini"));
    EXPECT_EQ(dir.read("BaseCores.txt"), oldDb);
    EXPECT_EQ(dlg->Model().CoreDatabaseText(), oldDb);
  }
}

// The settings writer itself, for "Inductor.ini" (with the language) and for
// a design file (without): failing or ending the process at every step.
TEST(SettingsWriteFaults, ReadBackIsAlwaysTheOldOrTheNewRecord) {
  TempDir dir;
  SettingsRecord oldRecord;
  oldRecord.L = "100";
  SettingsRecord newRecord;
  newRecord.core = "ETD 49/25/16";
  newRecord.mater = "3F3 Ferroxcube";
  newRecord.L = "2200";
  newRecord.yes_AWG = 1;
  newRecord.lang = "Russian";

  int tried = 0;
  for (const bool withLanguage : {true, false}) {
    const std::string name = withLanguage ? "Inductor.ini" : "design.sav";
    ASSERT_TRUE(WriteSettings(oldRecord, name, withLanguage));
    FaultPlan count;
    {
      ScopedFaults faults(count);
      ASSERT_TRUE(WriteSettings(newRecord, name, withLanguage));
    }
    for (int k = 0; k < count.steps; ++k) {
      // A failing step.
      ASSERT_TRUE(WriteSettings(oldRecord, name, withLanguage));
      FaultPlan plan;
      plan.failAt = k;
      plan.error = ENOSPC;
      bool ok;
      {
        ScopedFaults faults(plan);
        ok = WriteSettings(newRecord, name, withLanguage);
      }
      SettingsRecord back;
      ASSERT_TRUE(ReadSettings(name, withLanguage, back));
      if (!withLanguage) back.lang = newRecord.lang;
      EXPECT_EQ(ok, plan.renamed) << name << " step " << k;
      if (ok) {
        EXPECT_EQ(back, newRecord) << name << " step " << k;
      } else {
        SettingsRecord expected = oldRecord;
        if (!withLanguage) expected.lang = newRecord.lang;
        EXPECT_EQ(back, expected) << name << " step " << k;
      }
      ++tried;

      // The process ending before and after the step.
      for (const bool after : {false, true}) {
        ASSERT_TRUE(WriteSettings(oldRecord, name, withLanguage));
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
          FaultPlan crash;
          crash.exitAt = k;
          crash.exitAfterStep = after;
          ScopedFaults faults(crash);
          WriteSettings(newRecord, name, withLanguage);
          ::_exit(3);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        const std::string now = dir.read(name);
        EXPECT_TRUE(now == SerializeSettings(oldRecord, withLanguage) ||
                    now == SerializeSettings(newRecord, withLanguage))
            << "torn " << name << " after step " << k;
        ++tried;
      }
    }
  }
  EXPECT_GE(tried, 40);
}

}  // namespace
}  // namespace velmora
