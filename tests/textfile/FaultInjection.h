// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fault injection around the file operations of textfile/FileIO: every call of
// open, read, write, fchmod, fsync, close and rename is one numbered step, and
// a plan makes a chosen step fail, end the process, or the disk run full; and
// a fake fstat that tells any size and kind of file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>

#include "textfile/FileIO.h"

namespace velmora::test {

struct FaultPlan {
  int failAt = -1;  // this step fails with `error` (close closes first)
  int error = EIO;
  int exitAt = -1;                // the process ends (_exit(0)) at this step...
  bool exitAfterStep = false;     // ...before or after the step is done
  std::size_t maxWriteChunk = 0;  // a write takes at most this many bytes (0: all)
  int eintrEvery = 0;             // every n-th open/write/read is interrupted first (EINTR)
  long long diskSpace = -1;       // bytes the disk still takes (-1: unlimited), then ENOSPC
  int refuseCreate = 0;           // errno for every open that would create a file
  int failReadAfter = -1;         // reads that succeed before the next one fails with EIO

  // What happened.
  int steps = 0;
  bool renamed = false;  // the rename over the target took place
  int calls = 0;         // for eintrEvery
};

namespace fault_detail {

inline FaultPlan* g_plan = nullptr;

// Counts the step; true when it is to fail now (errno set).
inline bool Step(bool* doExit) {
  FaultPlan& p = *g_plan;
  const int k = p.steps++;
  *doExit = false;
  if (k == p.exitAt) {
    if (!p.exitAfterStep) ::_exit(0);
    *doExit = true;
  }
  if (k == p.failAt) {
    errno = p.error;
    return true;
  }
  return false;
}

inline bool Interrupted() {
  FaultPlan& p = *g_plan;
  if (p.eintrEvery > 0 && ++p.calls % p.eintrEvery == 0) {
    errno = EINTR;
    return true;
  }
  return false;
}

inline void ExitIf(bool doExit) {
  if (doExit) ::_exit(0);
}

inline int Open(const char* path, int flags, unsigned mode) {
  bool ex;
  if (Step(&ex)) return -1;
  if (Interrupted()) return -1;
  if ((flags & O_CREAT) && g_plan->refuseCreate) {
    errno = g_plan->refuseCreate;
    return -1;
  }
  const int fd = ::open(path, flags, static_cast<mode_t>(mode));
  ExitIf(ex);
  return fd;
}

inline std::ptrdiff_t Read(int fd, void* data, std::size_t size) {
  bool ex;
  if (Step(&ex)) return -1;
  if (Interrupted()) return -1;
  if (g_plan->failReadAfter == 0) {
    errno = EIO;
    return -1;
  }
  if (g_plan->failReadAfter > 0) --g_plan->failReadAfter;
  const auto n = ::read(fd, data, size);
  ExitIf(ex);
  return n;
}

inline std::ptrdiff_t Write(int fd, const void* data, std::size_t size) {
  bool ex;
  if (Step(&ex)) return -1;
  if (Interrupted()) return -1;
  FaultPlan& p = *g_plan;
  if (p.maxWriteChunk > 0 && size > p.maxWriteChunk) size = p.maxWriteChunk;
  if (p.diskSpace >= 0) {
    if (p.diskSpace == 0) {
      errno = ENOSPC;
      return -1;
    }
    if (static_cast<long long>(size) > p.diskSpace) size = static_cast<std::size_t>(p.diskSpace);
  }
  const auto n = ::write(fd, data, size);
  if (n > 0 && p.diskSpace >= 0) p.diskSpace -= n;
  ExitIf(ex);
  return n;
}

inline int Fchmod(int fd, unsigned mode) {
  bool ex;
  if (Step(&ex)) return -1;
  const int r = ::fchmod(fd, static_cast<mode_t>(mode));
  ExitIf(ex);
  return r;
}

inline int Fsync(int fd) {
  bool ex;
  if (Step(&ex)) return -1;
  const int r = ::fsync(fd);
  ExitIf(ex);
  return r;
}

inline int Close(int fd) {
  bool ex;
  const bool fail = Step(&ex);
  const int saved = errno;
  const int r = ::close(fd);  // a failing close still releases the descriptor
  ExitIf(ex);
  if (fail) {
    errno = saved;
    return -1;
  }
  return r;
}

inline int Rename(const char* from, const char* to) {
  bool ex;
  if (Step(&ex)) return -1;
  const int r = ::rename(from, to);
  if (r == 0) g_plan->renamed = true;
  ExitIf(ex);
  return r;
}

}  // namespace fault_detail

// While installed, fstat tells every file to be of this size and kind (a
// 50 GB file without the disk to hold it), and reads are counted.
struct FakeStat {
  long long size = 0;
  unsigned kind = S_IFREG;
  int reads = 0;
};

class ScopedFakeStat {
 public:
  explicit ScopedFakeStat(FakeStat& fake) {
    fake_ = &fake;
    ops_.fstat = [](int fd, struct stat* st) {
      const int r = ::fstat(fd, st);
      st->st_size = static_cast<off_t>(fake_->size);
      st->st_mode = (st->st_mode & ~S_IFMT) | fake_->kind;
      return r;
    };
    ops_.read = [](int fd, void* data, std::size_t size) -> std::ptrdiff_t {
      ++fake_->reads;
      return ::read(fd, data, size);
    };
    SetFileOpsForTesting(&ops_);
  }
  ~ScopedFakeStat() { SetFileOpsForTesting(nullptr); }
  ScopedFakeStat(const ScopedFakeStat&) = delete;
  ScopedFakeStat& operator=(const ScopedFakeStat&) = delete;

 private:
  static inline FakeStat* fake_ = nullptr;
  FileOps ops_;
};

// Installs the plan for the scope's lifetime.
class ScopedFaults {
 public:
  explicit ScopedFaults(FaultPlan& plan) {
    fault_detail::g_plan = &plan;
    ops_.open = fault_detail::Open;
    ops_.read = fault_detail::Read;
    ops_.write = fault_detail::Write;
    ops_.fchmod = fault_detail::Fchmod;
    ops_.fsync = fault_detail::Fsync;
    ops_.close = fault_detail::Close;
    ops_.rename = fault_detail::Rename;
    SetFileOpsForTesting(&ops_);
  }
  ~ScopedFaults() {
    SetFileOpsForTesting(nullptr);
    fault_detail::g_plan = nullptr;
  }
  ScopedFaults(const ScopedFaults&) = delete;
  ScopedFaults& operator=(const ScopedFaults&) = delete;

 private:
  FileOps ops_;
};

}  // namespace velmora::test
