// SPDX-License-Identifier: GPL-3.0-or-later
// Interrupted and failing whole-file writes: whatever step of the write fails
// or ends the process, the target is either the old file or the complete new
// one, and a write that did not put the new file in place reports failure.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <string>

#include "support/TempDir.h"
#include "textfile/FaultInjection.h"
#include "textfile/FileIO.h"
#include "textfile/Limits.h"
#include "textfile/Unprivileged.h"

namespace velmora {
namespace {

using test::FaultPlan;
using test::ScopedFaults;
using test::TempDir;
namespace fs = std::filesystem;

std::size_t FilesIn(const std::string& folder) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder)) ++n;
  return n;
}

// An old and a new version that differ in every prefix, so a torn file is
// never mistaken for one of them.
const std::string kOld = std::string(3000, 'o') + "\r\nold end\r\n";
const std::string kNew = std::string(70000, 'n') + "\r\nnew end\r\n";

int StepsOfOneWrite(const std::string& target, const std::string& bytes) {
  FaultPlan plan;
  {
    ScopedFaults faults(plan);
    EXPECT_TRUE(WriteFileAtomic(target, bytes));
  }
  return plan.steps;
}

TEST(CrashSafeWrite, FailureAtEveryStepKeepsOldFileAndReportsIt) {
  TempDir dir;
  dir.write("BaseCores.txt", kOld);
  const int steps = StepsOfOneWrite("BaseCores.txt", kNew);
  ASSERT_GE(steps, 5);  // open, write, fchmod, fsync, close, rename, ...

  for (const int err : {EIO, ENOSPC, EROFS, EACCES, EDQUOT}) {
    for (int k = 0; k < steps; ++k) {
      SCOPED_TRACE("step " + std::to_string(k) + " errno " + std::to_string(err));
      dir.write("BaseCores.txt", kOld);
      FaultPlan plan;
      plan.failAt = k;
      plan.error = err;
      bool ok;
      {
        ScopedFaults faults(plan);
        ok = WriteFileAtomic("BaseCores.txt", kNew);
      }
      const std::string now = dir.read("BaseCores.txt");
      if (plan.renamed) {
        // Only the folder's own flush may fail after the rename: the new file is in place.
        EXPECT_TRUE(ok);
        EXPECT_EQ(now, kNew);
      } else {
        EXPECT_FALSE(ok);
        EXPECT_EQ(now, kOld);
      }
      EXPECT_EQ(FilesIn(dir.path()), 1u) << "a temporary file was left behind";
    }
  }
}

TEST(CrashSafeWrite, FailureOfFirstWriteToNewNameLeavesNoFile) {
  TempDir dir;
  const int steps = StepsOfOneWrite("fresh.sav", kNew);
  for (int k = 0; k < steps; ++k) {
    fs::remove("fresh.sav");
    FaultPlan plan;
    plan.failAt = k;
    plan.error = ENOSPC;
    bool ok;
    {
      ScopedFaults faults(plan);
      ok = WriteFileAtomic("fresh.sav", kNew);
    }
    if (plan.renamed) {
      EXPECT_TRUE(ok);
      EXPECT_EQ(dir.read("fresh.sav"), kNew);
    } else {
      EXPECT_FALSE(ok) << "step " << k;
      EXPECT_FALSE(dir.exists("fresh.sav")) << "step " << k;
      EXPECT_EQ(FilesIn(dir.path()), 0u) << "step " << k;
    }
  }
}

// The process ends (power cut, kill) right before or right after step k: the
// target must hold the old or the new bytes, never a mix.
TEST(CrashSafeWrite, ProcessEndingAtEveryStepNeverTearsTheFile) {
  TempDir dir;
  dir.write("Inductor.ini", kOld);
  const int steps = StepsOfOneWrite("Inductor.ini", kNew);
  int tried = 0;
  for (int k = 0; k < steps; ++k) {
    for (const bool afterStep : {false, true}) {
      dir.write("Inductor.ini", kOld);
      const pid_t pid = ::fork();
      ASSERT_GE(pid, 0);
      if (pid == 0) {
        FaultPlan plan;
        plan.exitAt = k;
        plan.exitAfterStep = afterStep;
        ScopedFaults faults(plan);
        WriteFileAtomic("Inductor.ini", kNew);
        ::_exit(3);  // never reached while k < steps
      }
      int status = 0;
      ASSERT_EQ(::waitpid(pid, &status, 0), pid);
      ASSERT_TRUE(WIFEXITED(status));
      EXPECT_EQ(WEXITSTATUS(status), 0) << "the write did not reach step " << k;
      const std::string now = dir.read("Inductor.ini");
      EXPECT_TRUE(now == kOld || now == kNew)
          << "torn file after step " << k << (afterStep ? " (done)" : " (not done)") << ", " << now.size() << " bytes";
      ++tried;
    }
  }
  EXPECT_EQ(tried, 2 * steps);
}

// A writer killed at random moments, a few hundred times, each time while it
// replaces the file over and over with two versions of different sizes.
TEST(CrashSafeWrite, WriterKilledAtRandomMomentsLeavesAWholeVersion) {
  TempDir dir;
  const std::string a = std::string(200000, 'a') + "\r\n";
  const std::string b = std::string(120000, 'b') + "\r\n";
  dir.write("BaseCores.txt", a);
  std::mt19937 rng(20261207);
  std::uniform_int_distribution<int> delayUs(0, 4000);
  int kills = 0;
  for (int round = 0; round < 300; ++round) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      for (int i = 0;; ++i)
        if (!WriteFileAtomic("BaseCores.txt", i % 2 ? a : b)) ::_exit(1);
    }
    ::usleep(static_cast<useconds_t>(delayUs(rng)));
    ::kill(pid, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer failed on its own";
    ++kills;
    const std::string now = dir.read("BaseCores.txt");
    ASSERT_TRUE(now == a || now == b) << "torn file in round " << round << ": " << now.size() << " bytes";
  }
  EXPECT_EQ(kills, 300);
}

TEST(CrashSafeWrite, ShortWritesAndInterruptedCallsStillWriteEverything) {
  TempDir dir;
  dir.write("Wire.sav", kOld);
  FaultPlan plan;
  plan.maxWriteChunk = 7;
  plan.eintrEvery = 3;
  {
    ScopedFaults faults(plan);
    ASSERT_TRUE(WriteFileAtomic("Wire.sav", kNew));
  }
  EXPECT_EQ(dir.read("Wire.sav"), kNew);
  EXPECT_GT(plan.steps, 1000);
}

TEST(CrashSafeWrite, DiskFillingUpHalfwayIsAFailure) {
  TempDir dir;
  dir.write("design.sav", kOld);
  FaultPlan plan;
  plan.diskSpace = 5000;  // the new bytes do not fit
  bool ok;
  {
    ScopedFaults faults(plan);
    ok = WriteFileAtomic("design.sav", kNew);
  }
  EXPECT_FALSE(ok);
  EXPECT_EQ(dir.read("design.sav"), kOld);
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

// A real small file system, where the machine lets us mount one.
TEST(CrashSafeWrite, FullTmpfsIsAFailure) {
  TempDir dir;
  fs::create_directory("tiny");
  if (::geteuid() != 0 || ::mount("tmpfs", "tiny", "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "cannot mount a small tmpfs here (needs root and mount rights); the "
                    "injected ENOSPC cases cover a full disk";
  const std::string target = "tiny/BaseCores.txt";
  const std::string old(20000, 'o');
  const bool first = WriteFileAtomic(target, old);
  // The old file (20 kB) and a temporary of 70 kB do not fit into 64 kB.
  const bool second = WriteFileAtomic(target, kNew);
  const std::string now = dir.read(target);
  const std::size_t files = FilesIn("tiny");
  ::umount("tiny");
  EXPECT_TRUE(first);
  EXPECT_FALSE(second);
  EXPECT_EQ(now, old);
  EXPECT_EQ(files, 1u);
}

TEST(CrashSafeWrite, MissingAndWriteProtectedFolderAreFailures) {
  TempDir dir;
  EXPECT_FALSE(WriteFileAtomic("gone/Inductor.ini", kNew));
  EXPECT_FALSE(dir.exists("gone"));

  // A write-protected folder, as the writer sees it: creating the temporary
  // file is refused. Also for root, who would pass the real permission bits.
  fs::create_directory("ro");
  dir.write("ro/Inductor.ini", kOld);
  FaultPlan plan;
  plan.refuseCreate = EROFS;
  bool ok;
  {
    ScopedFaults faults(plan);
    ok = WriteFileAtomic("ro/Inductor.ini", kNew);
  }
  EXPECT_FALSE(ok);
  EXPECT_EQ(dir.read("ro/Inductor.ini"), kOld);

  // The real permission bits, for a user they bind.
  ASSERT_EQ(::chmod("ro", 0555), 0);
  ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
  const auto refused = test::AsUnprivilegedUser([] { return !WriteFileAtomic("ro/Inductor.ini", "new"); });
  ::chmod("ro", 0755);
  if (refused) {
    EXPECT_TRUE(*refused);
  }
  EXPECT_EQ(dir.read("ro/Inductor.ini"), kOld);
  EXPECT_EQ(FilesIn(dir.path() + "/ro"), 1u);
}

TEST(CrashSafeWrite, UnreadableFileIsReportedNotHalfRead) {
  TempDir dir;
  dir.write("Materials.txt", kNew);
  FaultPlan plan;
  plan.failReadAfter = 1;  // the first chunk comes, then the disk fails
  std::optional<std::string> bytes;
  {
    ScopedFaults faults(plan);
    bytes = ReadWholeFile("Materials.txt", constants::kMaxTextFileBytes);
  }
  EXPECT_FALSE(bytes.has_value());
}

}  // namespace
}  // namespace velmora
