#include "textfile/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

#include "textfile/CaseFold.h"
#include "textfile/Cp1251.h"

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
    if (n == 0) return false;
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

std::string TempNameBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  thread_local std::minstd_rand rng{std::random_device{}()};
  char tail[64];
  std::snprintf(tail, sizeof tail, ".%ld.%u.%08x.tmp", static_cast<long>(::getpid()),
                counter.fetch_add(1), static_cast<unsigned>(rng()));
  return path + tail;
}

// Lower case of a file name for comparing names as the original platform
// does: letters fold as in the lists (through Windows-1251, whose letters are
// the ones the program's texts can hold); other names compare as bytes.
std::string FoldName(std::string_view utf8) {
  auto cp = Utf8ToCp1251(utf8);
  return cp ? FoldCaseCp1251(*cp) : std::string(utf8);
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

std::optional<std::string> ReadWholeFile(const std::string& givenPath, OpenMode mode) {
  const std::string path = ResolveNameNoCase(givenPath);
  const int flags = mode == OpenMode::ReadWrite ? O_RDWR : O_RDONLY;
  Fd fd(OpenRetry(path.c_str(), flags));
  if (fd.get() < 0) return std::nullopt;

  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return std::nullopt;
  if (S_ISDIR(st.st_mode)) return std::nullopt;

  std::string bytes;
  if (S_ISREG(st.st_mode) && st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));
  // Read up to the end whatever the size said: the file may have grown.
  char chunk[65536];
  for (;;) {
    const ssize_t n = SysRead(fd.get(), chunk, sizeof chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.append(chunk, static_cast<std::size_t>(n));
  }
  return bytes;
}

bool WriteFileAtomic(const std::string& givenPath, std::string_view bytes) {
  if (givenPath.empty() || givenPath.back() == '/') return false;
  // An existing file whose name differs only in letter case is the one replaced.
  const std::string path = ResolveNameNoCase(givenPath);

  // The new file gets the old file's permission bits; a new name gets the
  // usual ones (0666 less the umask, applied by open).
  struct stat old {};
  const bool hadTarget = ::stat(path.c_str(), &old) == 0;
  if (hadTarget && !S_ISREG(old.st_mode)) return false;
  // A write-protected file stays as it is: opening it for writing fails, and
  // the rename below must not slip past that protection.
  if (hadTarget && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return false;

  std::string tmp;
  int raw = -1;
  for (int attempt = 0; attempt < 16 && raw < 0; ++attempt) {
    tmp = TempNameBeside(path);
    raw = OpenRetry(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (raw < 0 && errno != EEXIST) return false;
  }
  if (raw < 0) return false;
  Fd fd(raw);

  bool ok = WriteAll(fd.get(), bytes);
  if (ok && hadTarget) ok = SysFchmod(fd.get(), old.st_mode & 07777) == 0;
  if (ok) ok = SysFsync(fd.get()) == 0;
  ok = fd.close() && ok;
  if (ok) ok = SysRename(tmp.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(tmp.c_str());
    return false;
  }

  // Make the rename itself durable; the data are already in place, so a
  // failure here is not a failure of the write.
  Fd dir(OpenRetry(DirPart(path).c_str(), O_RDONLY | O_DIRECTORY));
  if (dir.get() >= 0) SysFsync(dir.get());
  return true;
}

bool FileExists(const std::string& path) {
  Fd fd(OpenRetry(ResolveNameNoCase(path).c_str(), O_RDONLY));
  if (fd.get() < 0) return false;
  struct stat st {};
  return ::fstat(fd.get(), &st) == 0 && !S_ISDIR(st.st_mode);
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
