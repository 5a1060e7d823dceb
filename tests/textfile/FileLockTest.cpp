// SPDX-License-Identifier: GPL-3.0-or-later
// The advisory lock that serialises changes of a shared file: holders in one
// process and in two exclude each other, the wait gives up as a value, and
// the lock outlives a rename in the folder it guards.
#include "textfile/FileLock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "support/TempDir.h"

namespace velmora::test {
namespace {

using std::chrono::milliseconds;

TEST(FileLock, HoldersExcludeEachOtherWithinAndAcrossProcesses) {
  TempDir dir;
  FileLock first = FileLock::Exclusive(dir.path(), milliseconds(0));
  ASSERT_TRUE(first.Held());

  // A second holder in this process: busy, after the wait it was given.
  const auto start = std::chrono::steady_clock::now();
  const FileLock second = FileLock::Exclusive(dir.path(), milliseconds(60));
  EXPECT_FALSE(second.Held());
  EXPECT_EQ(second.Error(), LockError::Busy);
  EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(60));

  // Renaming a file over another in the folder leaves the lock in force.
  dir.write("a", "1");
  dir.write("b", "2");
  ASSERT_EQ(std::rename("a", "b"), 0);
  EXPECT_FALSE(FileLock::Exclusive(dir.path(), milliseconds(0)).Held());

  // Another process waits until this one lets go.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const bool busyAtOnce = !FileLock::Exclusive(dir.path(), milliseconds(0)).Held();
    const bool heldAfterWait = FileLock::Exclusive(dir.path(), milliseconds(5000)).Held();
    ::_exit(busyAtOnce && heldAfterWait ? 0 : 1);
  }
  ::usleep(200 * 1000);
  first.Release();
  EXPECT_FALSE(first.Held());
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  // Released: free again, also for a lock moved from one object to another.
  FileLock moved = FileLock::Exclusive(dir.path(), milliseconds(0));
  ASSERT_TRUE(moved.Held());
  FileLock target = std::move(moved);
  EXPECT_TRUE(target.Held());
  EXPECT_FALSE(FileLock::Exclusive(dir.path(), milliseconds(0)).Held());
  target = FileLock();
  EXPECT_TRUE(FileLock::Exclusive(dir.path(), milliseconds(0)).Held());
}

TEST(FileLock, APathThatCannotBeOpenedIsAnErrorNotACreatedFile) {
  TempDir dir;
  const FileLock lock = FileLock::Exclusive(dir.path() + "/missing", milliseconds(0));
  EXPECT_FALSE(lock.Held());
  EXPECT_EQ(lock.Error(), LockError::CannotOpen);
  EXPECT_FALSE(dir.exists("missing"));
}

}  // namespace
}  // namespace velmora::test
