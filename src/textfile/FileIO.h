#pragma once
// Whole-file reading and crash-safe whole-file writing. Every data file of the
// program is opened, read or written whole and closed within one call.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

enum class OpenMode { ReadOnly, ReadWrite };

// File names are looked up as on the platform the data files come from: when
// no file has exactly the given name, an existing file of its folder whose
// name differs only in letter case (Latin or Cyrillic) is taken instead. The
// readers and the writer below all resolve names this way. Returns the path
// unchanged when there is no such file.
std::string ResolveNameNoCase(const std::string& path);

// Reads every byte of the file, whatever its size. Returns nothing when the
// file cannot be opened in the given mode (ReadWrite also fails on a
// write-protected file) or cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path, OpenMode mode = OpenMode::ReadOnly);

// Writes the bytes to a temporary file beside the target, flushes it to disk
// and renames it over the target, so the target is always either the old file
// or the complete new one. Returns false when any step fails (the temporary
// file is then removed), and when the target exists but may not be written.
bool WriteFileAtomic(const std::string& path, std::string_view bytes);

// True when a file of that name can be opened for reading.
bool FileExists(const std::string& path);

// The absolute path of the folder that holds the file, ending in '/'.
std::string FolderOf(const std::string& path);

// ---- test seam ---------------------------------------------------------------
// The system calls that reading and writing go through. A test installs its
// own to make any step fail (or end the process) and checks that the target
// stays whole. A null member keeps the real call; nullptr restores them all.
struct FileOps {
  int (*open)(const char* path, int flags, unsigned mode) = nullptr;
  std::ptrdiff_t (*read)(int fd, void* data, std::size_t size) = nullptr;
  std::ptrdiff_t (*write)(int fd, const void* data, std::size_t size) = nullptr;
  int (*fchmod)(int fd, unsigned mode) = nullptr;
  int (*fsync)(int fd) = nullptr;
  int (*close)(int fd) = nullptr;
  int (*rename)(const char* from, const char* to) = nullptr;
};
void SetFileOpsForTesting(const FileOps* ops);

}  // namespace velmora
