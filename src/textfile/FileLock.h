// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An advisory lock that keeps several windows (in one process or in several)
// from interleaving their read-change-write of a shared file. The lock is
// taken on something that is never renamed, such as the folder that holds the
// file: a lock on the file itself would be lost with the old file when a
// crash-safe write renames the new one over it.
#include <chrono>
#include <string>

namespace velmora {

enum class LockError {
  None,
  Busy,         // another holder kept the lock for the whole wait
  CannotOpen,   // the path to lock cannot be opened
  Unsupported,  // the file system keeps no locks
  Failed,       // any other error of the lock call
};

class FileLock {
 public:
  // Takes an exclusive lock on the path (a folder or an existing file, opened
  // read-only and never created), waiting for another holder at most `wait`.
  // Every open descriptor is a holder of its own, so two locks taken in one
  // process exclude each other too. The result tells whether it is held.
  static FileLock Exclusive(const std::string& path, std::chrono::milliseconds wait);

  FileLock() = default;
  FileLock(FileLock&& other) noexcept;
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock();  // releases the lock

  bool Held() const { return fd_ >= 0; }
  LockError Error() const { return error_; }
  // Releases the lock now (nothing when it is not held).
  void Release();

 private:
  int fd_ = -1;
  LockError error_ = LockError::None;
};

}  // namespace velmora
