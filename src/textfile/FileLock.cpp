// SPDX-License-Identifier: GPL-3.0-or-later
#include "textfile/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <utility>

namespace velmora {

namespace {

// How often a busy lock is tried again while waiting: short against the
// milliseconds a whole-file write of the database takes.
constexpr std::chrono::milliseconds kRetryStep{5};

int OpenForLock(const std::string& path) {
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

}  // namespace

FileLock FileLock::Exclusive(const std::string& path, std::chrono::milliseconds wait) {
  FileLock lock;
  const int fd = OpenForLock(path.empty() ? "." : path);
  if (fd < 0) {
    lock.error_ = LockError::CannotOpen;
    return lock;
  }
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      lock.fd_ = fd;
      return lock;
    }
    const int err = errno;
    if (err == EINTR) continue;
    if (err != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
      ::close(fd);
      lock.error_ = err == EWOULDBLOCK                     ? LockError::Busy
                    : (err == ENOLCK || err == EOPNOTSUPP) ? LockError::Unsupported
                                                           : LockError::Failed;
      return lock;
    }
    std::this_thread::sleep_for(kRetryStep);
  }
}

FileLock::FileLock(FileLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)), error_(other.error_) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = std::exchange(other.fd_, -1);
    error_ = other.error_;
  }
  return *this;
}

FileLock::~FileLock() { Release(); }

void FileLock::Release() {
  if (fd_ < 0) return;
  ::flock(fd_, LOCK_UN);
  ::close(fd_);
  fd_ = -1;
}

}  // namespace velmora
