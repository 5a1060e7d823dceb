// SPDX-License-Identifier: GPL-3.0-or-later
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
// write-protected file) or cannot be read, and when it is no regular file
// after following links (a FIFO, a device, a folder): such a file is never
// waited for nor read.
std::optional<std::string> ReadWholeFile(const std::string& path, OpenMode mode = OpenMode::ReadOnly);

// Writes the bytes to a temporary file beside the target, flushes it to disk
// and renames it over the target, so the target is always either the old file
// or the complete new one. Returns false when any step fails (the temporary
// file is then removed), and when the target exists but may not be written
// or is no regular file. A symbolic link is followed: its final target gets
// the new text and the link stays. The new file keeps the old one's mode and,
// where the process may, its owner and group. A file with several hard links
// is rewritten in place after the new text is safe in the temporary file,
// which stays behind if that rewrite fails.
bool WriteFileAtomic(const std::string& path, std::string_view bytes);

// How a name given for writing finds an existing file: as the data files are
// looked up (letter case ignored when no file has exactly that name), or
// exactly as the file system matches names (the files the user names as the
// output of a command: "Notes.pdf" never replaces "notes.pdf").
enum class NameMatch { IgnoreCase, Exact };

// The outcome of a write: 0 or the errno value of the step that failed
// (EISDIR for a folder in the target's place, EINVAL for another file that
// is no regular file, ELOOP for a loop of links).
struct WriteStatus {
  int error = 0;
  // Why a write was refused before any step, when that is no errno case.
  const char* refusal = nullptr;
  bool ok() const { return error == 0; }
  // Why the write failed, in the words of the C library ("Permission
  // denied", "No space left on device"); empty when it did not.
  std::string Reason() const;
};

// WriteFileAtomic with the names matched as asked and the reason of a failure.
WriteStatus WriteFileChecked(const std::string& path, std::string_view bytes, NameMatch match);

// The path of a data file named after a name that a file gave (a material, a
// language, a help text): folder + name + extension, the name in UTF-8. Such
// names are base names only: a name holding '/', a zero byte or a line break,
// or one that makes a file name longer than a folder entry can be, names no
// file, and the result is empty, which every reader treats as a file that
// cannot be opened.
std::string DataFilePath(std::string_view folder, std::string_view name, std::string_view extension);

// Why the file cannot be read, in the words of the C library ("No such file
// or directory"), or "it is no regular file"; opens without waiting, as the
// readers do.
std::string ReasonCannotRead(const std::string& path);

// True when a regular file of that name can be opened for reading.
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
