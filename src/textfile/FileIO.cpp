// SPDX-License-Identifier: GPL-3.0-or-later
#include "textfile/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include "textfile/CaseFold.h"
#include "textfile/Cp1251.h"
#include "textfile/Limits.h"

namespace velmora {

namespace {

// ---- test seam: every system call of this file goes through these ----------
const FileOps* g_testOps = nullptr;

int SysOpen(const char* path, int flags, mode_t perm) {
  return g_testOps && g_testOps->open ? g_testOps->open(path, flags, perm) : ::open(path, flags, perm);
}
ssize_t SysRead(int fd, void* data, std::size_t size) {
  return g_testOps && g_testOps->read ? g_testOps->read(fd, data, size) : ::read(fd, data, size);
}
ssize_t SysWrite(int fd, const void* data, std::size_t size) {
  return g_testOps && g_testOps->write ? g_testOps->write(fd, data, size) : ::write(fd, data, size);
}
int SysFchmod(int fd, mode_t mode) {
  return g_testOps && g_testOps->fchmod ? g_testOps->fchmod(fd, mode) : ::fchmod(fd, mode);
}
int SysFsync(int fd) { return g_testOps && g_testOps->fsync ? g_testOps->fsync(fd) : ::fsync(fd); }
int SysClose(int fd) { return g_testOps && g_testOps->close ? g_testOps->close(fd) : ::close(fd); }
int SysRename(const char* from, const char* to) {
  return g_testOps && g_testOps->rename ? g_testOps->rename(from, to) : ::rename(from, to);
}
int SysFstat(int fd, struct stat* st) {
  return g_testOps && g_testOps->fstat ? g_testOps->fstat(fd, st) : ::fstat(fd, st);
}

// Closes the descriptor when the scope ends, unless released.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) SysClose(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return SysClose(fd) == 0;
  }

 private:
  int fd_;
};

int OpenRetry(const char* path, int flags, mode_t perm = 0) {
  int fd;
  do {
    fd = SysOpen(path, flags | O_CLOEXEC, perm);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

bool WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = SysWrite(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = EIO;  // no progress and no reason given
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// Folder part of a path as given ("." for a bare name), for the temporary file.
std::string DirPart(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The target's name with a unique tail, cut so that the whole stays within a
// folder entry's length: a valid name of 255 bytes still gets its temporary
// file. The cut falls between UTF-8 characters.
std::string TempNameBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  thread_local std::minstd_rand rng{std::random_device{}()};
  char tail[64];
  const int n = std::snprintf(tail, sizeof tail, ".%ld.%u.%08x.tmp", static_cast<long>(::getpid()),
                              counter.fetch_add(1), static_cast<unsigned>(rng()));
  const std::size_t tailBytes = n > 0 ? static_cast<std::size_t>(n) : 0;
  const std::size_t slash = path.find_last_of('/');
  const std::size_t baseStart = slash == std::string::npos ? 0 : slash + 1;
  std::size_t keep = path.size() - baseStart;
  if (keep + tailBytes > constants::kMaxFileNameBytes) {
    keep = constants::kMaxFileNameBytes - tailBytes;
    while (keep > 0 && (static_cast<unsigned char>(path[baseStart + keep]) & 0xC0) == 0x80) --keep;
  }
  return path.substr(0, baseStart + keep) + tail;
}

// Lower case of a file name for comparing names as the original platform
// does: letters fold as in the lists (through Windows-1251, whose letters are
// the ones the program's texts can hold); other names compare as bytes.
std::string FoldName(std::string_view utf8) {
  auto cp = Utf8ToCp1251(utf8);
  return cp ? FoldCaseCp1251(*cp) : std::string(utf8);
}

// Opens a data file for reading without ever blocking: a FIFO, a device or a
// folder in place of a data file is refused like a file that cannot be opened
// (a FIFO would wait for a writer, a device such as /dev/zero never ends).
// Links are followed; only a regular file at the end of them is taken, and
// only when it holds no more than `limit` bytes. The status says why not.
int OpenRegularFile(const std::string& path, OpenMode mode, std::size_t limit, ReadStatus& status) {
  const int flags = (mode == OpenMode::ReadWrite ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_NOCTTY;
  const int fd = OpenRetry(path.c_str(), flags);
  if (fd < 0) {
    status = {ReadFailure::CannotOpen, errno, limit};
    return -1;
  }
  struct stat st {};
  if (SysFstat(fd, &st) != 0) status = {ReadFailure::CannotRead, errno, limit};
  else if (!S_ISREG(st.st_mode)) status = {ReadFailure::NotRegularFile, 0, limit};
  else if (st.st_size < 0) status = {ReadFailure::CannotRead, EOVERFLOW, limit};
  else if (static_cast<std::uintmax_t>(st.st_size) > limit) status = {ReadFailure::TooLarge, 0, limit};
  else return fd;
  SysClose(fd);
  return -1;
}

// A count of bytes with thousands separated by commas, as the texts write them.
std::string GroupedCount(std::size_t n) {
  std::string digits = std::to_string(n);
  for (std::size_t i = digits.size(); i > 3; i -= 3) digits.insert(i - 3, 1, ',');
  return digits;
}

}  // namespace

std::string ResolveNameNoCase(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::lstat(path.c_str(), &st) == 0) return path;
  const auto slash = path.find_last_of('/');
  const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  if (base.empty()) return path;
  const std::string want = FoldName(base);
  std::error_code ec;
  std::string found;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    const std::string name = entry.path().filename().string();
    if (FoldName(name) != want) continue;
    // Several names may differ only in case: take the first in byte order,
    // so the choice does not depend on the folder's listing order.
    if (found.empty() || name < found) found = name;
  }
  if (found.empty()) return path;
  return slash == std::string::npos ? found : path.substr(0, slash + 1) + found;
}

std::string ReadStatus::Reason() const {
  switch (failure) {
    case ReadFailure::None:
      return {};
    case ReadFailure::NotRegularFile:
      return "it is no regular file";
    case ReadFailure::TooLarge:
      return "it is larger than " + GroupedCount(limit) + " bytes";
    case ReadFailure::CannotOpen:
    case ReadFailure::CannotRead:
      break;
  }
  return error != 0 ? std::strerror(error) : "it cannot be read";
}

std::optional<std::string> ReadWholeFile(const std::string& givenPath, std::size_t limit, OpenMode mode,
                                         ReadStatus* status) {
  ReadStatus ignored;
  ReadStatus& outcome = status ? *status : ignored;
  outcome = {ReadFailure::None, 0, limit};
  const std::string path = ResolveNameNoCase(givenPath);
  Fd fd(OpenRegularFile(path, mode, limit, outcome));
  if (fd.get() < 0) return std::nullopt;

  struct stat st {};
  std::string bytes;
  // Within the limit, checked on opening.
  if (SysFstat(fd.get(), &st) == 0 && st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));
  // Read up to the end whatever the size said: the file may have grown, but
  // never past the limit.
  char chunk[65536];
  for (;;) {
    const std::size_t room = limit - bytes.size();
    // One byte more than the room tells a file grown past the limit.
    const ssize_t n = SysRead(fd.get(), chunk, room < sizeof chunk ? room + 1 : sizeof chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      outcome = {ReadFailure::CannotRead, errno, limit};
      return std::nullopt;
    }
    if (n == 0) break;
    if (static_cast<std::size_t>(n) > room) {
      outcome = {ReadFailure::TooLarge, 0, limit};
      return std::nullopt;
    }
    bytes.append(chunk, static_cast<std::size_t>(n));
  }
  return bytes;
}

namespace {

// ---- the writer's steps -------------------------------------------------------

// Symbolic links followed before giving up: the kernel's own limit for a path.
constexpr int kMaxLinkHops = 40;

// The file a write lands in: the name resolved as the readers resolve it (or
// taken exactly as given), then every symbolic link followed to its final
// target, so that a link the user set up stays a link and its target gets the
// new text. A dangling link gets its target created. Empty for a loop of
// links or an unreadable link.
std::string FinalTarget(const std::string& givenPath, NameMatch match) {
  std::string path = match == NameMatch::IgnoreCase ? ResolveNameNoCase(givenPath) : givenPath;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char target[4096];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof target) return {};
    std::string next(target, static_cast<std::size_t>(n));
    if (next.front() != '/') next = DirPart(path) + "/" + next;
    path = std::move(next);
  }
  return {};
}

// The old file's owner and group on the new one, where the process may give
// them (as root always; otherwise the group, when the user belongs to it).
// A file that may not keep them is still written, with the writer's own.
void KeepOwner(int fd, const struct stat& old) {
  if (::fchown(fd, old.st_uid, old.st_gid) == 0) return;
  if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0) return;
}

// The errno value of a failed step, never 0 (a fake call in a test may fail
// without setting one).
int Failure() { return errno != 0 ? errno : EIO; }

// Writes the bytes to a new temporary file beside path, with the old file's
// owner, group and permission bits when there is an old file (else the
// usual ones: 0666 less the umask), and flushes it to disk (unless told not to). On failure the
// temporary file is gone and the errno value of the failed step is returned.
int WriteTemporary(const std::string& path, std::string_view bytes, const struct stat* old, std::string& tmp,
                   bool flush = true) {
  int raw = -1;
  for (int attempt = 0; attempt < 16 && raw < 0; ++attempt) {
    tmp = TempNameBeside(path);
    raw = OpenRetry(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (raw < 0 && errno != EEXIST) return Failure();
  }
  if (raw < 0) return EEXIST;
  Fd fd(raw);

  int error = 0;
  if (!WriteAll(fd.get(), bytes)) error = Failure();
  if (!error && old) KeepOwner(fd.get(), *old);  // before the mode: a chown clears set-id bits
  if (!error && old && SysFchmod(fd.get(), old->st_mode & 07777) != 0) error = Failure();
  if (!error && flush && SysFsync(fd.get()) != 0) error = Failure();
  if (!fd.close() && !error) error = Failure();
  if (error) ::unlink(tmp.c_str());
  return error;
}

// Puts the bytes into the existing file itself, for a file with more than one
// name (hard links): a rename would give the new text to this name only and
// leave every other name on the old file. Returns the errno value of a
// failed step, 0 when done.
int RewriteInPlace(const std::string& path, std::string_view bytes) {
  Fd fd(OpenRetry(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY));
  if (fd.get() < 0) return Failure();
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return Failure();
  if (!S_ISREG(st.st_mode)) return EINVAL;
  int error = 0;
  if (!WriteAll(fd.get(), bytes)) error = Failure();
  if (!error && ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0) error = Failure();
  if (!error && SysFsync(fd.get()) != 0) error = Failure();
  if (!fd.close() && !error) error = Failure();
  return error;
}

}  // namespace

std::string WriteStatus::Reason() const {
  if (ok()) return {};
  if (refusal) return refusal;
  if (error == EINVAL) return "it is no regular file";
  return std::strerror(error);
}

WriteStatus WriteFileChecked(const std::string& givenPath, std::string_view bytes, NameMatch match) {
  if (givenPath.empty()) return {ENOENT};
  if (givenPath.back() == '/') return {EISDIR};
  // By default an existing file whose name differs only in letter case is
  // the one replaced; through links, their final target.
  const std::string path = FinalTarget(givenPath, match);
  if (path.empty()) return {ELOOP};

  struct stat old {};
  const bool hadTarget = ::stat(path.c_str(), &old) == 0;
  if (hadTarget && S_ISDIR(old.st_mode)) return {EISDIR};
  if (hadTarget && !S_ISREG(old.st_mode)) return {EINVAL};
  // A write-protected file stays as it is: opening it for writing fails, and
  // the rename below must not slip past that protection.
  if (hadTarget && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return {Failure()};

  std::string tmp;
  if (const int error = WriteTemporary(path, bytes, hadTarget ? &old : nullptr, tmp)) return {error};

  if (hadTarget && old.st_nlink > 1) {
    // Hard links are kept, at a price: the file is rewritten in place, which
    // a crash can tear. The complete new text is on disk in the temporary
    // file first and stays there when the rewrite fails, so it is never lost;
    // the temporary file goes only once the file itself holds the new text.
    if (const int error = RewriteInPlace(path, bytes)) return {error};
    ::unlink(tmp.c_str());
    return {};
  }

  if (SysRename(tmp.c_str(), path.c_str()) != 0) {
    const int error = Failure();
    ::unlink(tmp.c_str());
    return {error};
  }
  // Make the rename itself durable; the data are already in place, so a
  // failure here is not a failure of the write.
  Fd dir(OpenRetry(DirPart(path).c_str(), O_RDONLY | O_DIRECTORY));
  if (dir.get() >= 0) SysFsync(dir.get());
  return {};
}

bool ReplaceFileAtName(const std::string& path, std::string_view bytes) {
  if (path.empty() || path.back() == '/') return false;
  std::string tmp;
  if (WriteTemporary(path, bytes, nullptr, tmp, false) != 0) return false;
  if (SysRename(tmp.c_str(), path.c_str()) == 0) return true;
  ::unlink(tmp.c_str());
  return false;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
  return WriteFileChecked(path, bytes, NameMatch::IgnoreCase).ok();
}

std::string DataFilePath(std::string_view folder, std::string_view name, std::string_view extension) {
  if (name.find_first_of(std::string_view("/\0\r\n", 4)) != std::string_view::npos) return {};
  if (name.size() + extension.size() > constants::kMaxFileNameBytes) return {};
  std::string path;
  path.reserve(folder.size() + name.size() + extension.size());
  path.append(folder).append(name).append(extension);
  return path;
}

std::string ReasonCannotRead(const std::string& path, std::size_t limit) {
  ReadStatus status;
  Fd fd(OpenRegularFile(ResolveNameNoCase(path), OpenMode::ReadOnly, limit, status));
  return fd.get() < 0 ? status.Reason() : "it cannot be read";
}

bool FileExists(const std::string& path) {
  ReadStatus status;
  Fd fd(OpenRegularFile(ResolveNameNoCase(path), OpenMode::ReadOnly, SIZE_MAX, status));
  return fd.get() >= 0;
}

std::string FolderOf(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path abs = fs::absolute(fs::path(path), ec);
  if (ec) abs = fs::path(path);
  std::string folder = abs.lexically_normal().parent_path().string();
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

void SetFileOpsForTesting(const FileOps* ops) { g_testOps = ops; }

}  // namespace velmora
