// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole-file reading and crash-safe whole-file writing. Every data file of the
// program is opened, read or written whole and closed within one call.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct stat;

namespace velmora {

enum class OpenMode { ReadOnly, ReadWrite };

// File names are looked up as on the platform the data files come from: when
// no file has exactly the given name, an existing file of its folder whose
// name differs only in letter case (Latin or Cyrillic) is taken instead. The
// readers and the writer below all resolve names this way. Returns the path
// unchanged when there is no such file.
std::string ResolveNameNoCase(const std::string& path);

// Why a read gave nothing.
enum class ReadFailure { None, CannotOpen, NotRegularFile, TooLarge, CannotRead };

// The outcome of a read: its failure, the errno value of a failed open or
// read, and the limit a file too large was measured against.
struct ReadStatus {
  ReadFailure failure = ReadFailure::None;
  int error = 0;
  std::size_t limit = 0;
  bool ok() const { return failure == ReadFailure::None; }
  // Why the file was not read, in the words of the C library ("No such file
  // or directory"), or "it is no regular file", or "it is larger than 100,000
  // bytes"; empty when it was read.
  std::string Reason() const;
};

// Reads every byte of the file, at most `limit` of them. The size is taken
// from the opened file before anything is read or reserved: a file larger
// than the limit is refused whole and costs nothing (a 50 GB file as little
// as a missing one). Returns nothing when the file cannot be opened in the
// given mode (ReadWrite also fails on a write-protected file) or cannot be
// read, when it is larger than the limit (also when it grows past the limit
// while being read), and when it is no regular file after following links (a
// FIFO, a device, a folder): such a file is never waited for nor read. The
// status, when asked for, tells these cases apart.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t limit, OpenMode mode = OpenMode::ReadOnly,
                                         ReadStatus* status = nullptr);

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

// Puts the bytes at the name by renaming a new temporary file of the same
// folder over it, whatever is there now: a symbolic link at the name is
// replaced itself, its target never written. For a file whose loss costs
// nothing, such as a cache: the name is taken exactly, nothing is flushed to
// disk, the new file has the usual mode, and false tells any failure (the
// temporary file is then removed).
bool ReplaceFileAtName(const std::string& path, std::string_view bytes);

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

// Why the file cannot be read whole within the limit, as ReadStatus::Reason
// says it; opens without waiting, as the readers do.
std::string ReasonCannotRead(const std::string& path, std::size_t limit);

// True when a regular file of that name can be opened for reading.
bool FileExists(const std::string& path);

// The absolute path of the folder that holds the file, ending in '/'.
std::string FolderOf(const std::string& path);

// ---- test seam ---------------------------------------------------------------
// The system calls that reading and writing go through. A test installs its
// own to make any step fail (or end the process) and checks that the target
// stays whole, or reports any size and kind of file through fstat without
// the disk to hold it. A null member keeps the real call; nullptr restores
// them all.
struct FileOps {
  int (*open)(const char* path, int flags, unsigned mode) = nullptr;
  std::ptrdiff_t (*read)(int fd, void* data, std::size_t size) = nullptr;
  std::ptrdiff_t (*write)(int fd, const void* data, std::size_t size) = nullptr;
  int (*fchmod)(int fd, unsigned mode) = nullptr;
  int (*fsync)(int fd) = nullptr;
  int (*close)(int fd) = nullptr;
  int (*rename)(const char* from, const char* to) = nullptr;
  int (*fstat)(int fd, struct stat* st) = nullptr;
};
void SetFileOpsForTesting(const FileOps* ops);

}  // namespace velmora
