#pragma once
// Whole-file reading and crash-safe whole-file writing. Every data file of the
// program is opened, read or written whole and closed within one call.
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

enum class OpenMode { ReadOnly, ReadWrite };

// Reads every byte of the file, whatever its size. Returns nothing when the
// file cannot be opened in the given mode (ReadWrite also fails on a
// write-protected file) or cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path, OpenMode mode = OpenMode::ReadOnly);

// Writes the bytes to a temporary file beside the target, flushes it to disk
// and renames it over the target, so the target is always either the old file
// or the complete new one. Returns false when any step fails (the temporary
// file is then removed).
bool WriteFileAtomic(const std::string& path, std::string_view bytes);

// True when a file of that name can be opened for reading.
bool FileExists(const std::string& path);

// The absolute path of the folder that holds the file, ending in '/'.
std::string FolderOf(const std::string& path);

}  // namespace velmora
