// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reader shared by every data file: the whole file is read once, and each
// value is found by a plain substring search in its text.
#include <string>
#include <string_view>

#include "textfile/FileIO.h"
#include "textfile/Limits.h"

namespace velmora {

class KeyedTextFile {
 public:
  // Reads the whole file, of at most `limit` bytes (Limits.h); the text runs
  // up to the first zero byte. On failure the previous text stays, the status
  // (when asked for) says why, and false is returned.
  bool Load(const std::string& fileName, std::size_t limit, OpenMode mode = OpenMode::ReadOnly,
            ReadStatus* status = nullptr);
  const std::string& Text() const { return text_; }
  void SetText(std::string text) { text_ = std::move(text); }

  // One-level lookup: first occurrence of key anywhere, value after the next
  // '=', up to the next CR or LF or the end; blanks (byte 32) trimmed.
  // Both lookups take at most maxLength bytes after the '=': a longer value
  // is cut there.
  static std::string GetValue(std::string_view text, std::string_view key,
                              std::size_t maxLength = constants::kMaxValueBytes);
  // Two-level lookup: first occurrence of section, then of key from there,
  // value after the next '=', up to the first byte 0..13; blanks trimmed.
  static std::string GetSectionValue(std::string_view text, std::string_view section, std::string_view key,
                                     std::size_t maxLength = constants::kMaxValueBytes);

 private:
  std::string text_;
};

// Text up to (not including) the first zero byte.
std::string_view UpToFirstZero(std::string_view bytes);

}  // namespace velmora
