// SPDX-License-Identifier: GPL-3.0-or-later
#include "textfile/KeyedTextFile.h"

namespace velmora {

namespace {

std::string_view TrimBlanks(std::string_view v) {
  const auto first = v.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = v.find_last_not_of(' ');
  return v.substr(first, last - first + 1);
}

// The value after the first '=' at or after `from`; `stop` tells which byte
// ends it. No '=' after the key gives the empty value. Only the first
// maxLength bytes after the '=' are looked at: a longer value is cut there
// (before its blanks are trimmed), so no lookup copies or scans more.
template <typename Stop>
std::string ValueAfter(std::string_view text, std::size_t from, std::size_t maxLength, Stop stop) {
  const auto eq = text.find('=', from);
  if (eq == std::string_view::npos) return {};
  const std::string_view rest = text.substr(eq + 1, maxLength);
  std::size_t end = 0;
  while (end < rest.size() && !stop(static_cast<unsigned char>(rest[end]))) ++end;
  return std::string(TrimBlanks(rest.substr(0, end)));
}

}  // namespace

std::string_view UpToFirstZero(std::string_view bytes) {
  const auto zero = bytes.find('\0');
  return zero == std::string_view::npos ? bytes : bytes.substr(0, zero);
}

bool KeyedTextFile::Load(const std::string& fileName, std::size_t limit, OpenMode mode, ReadStatus* status) {
  auto bytes = ReadWholeFile(fileName, limit, mode, status);
  if (!bytes) return false;
  bytes->resize(UpToFirstZero(*bytes).size());
  text_ = std::move(*bytes);
  return true;
}

std::string KeyedTextFile::GetValue(std::string_view text, std::string_view key, std::size_t maxLength) {
  text = UpToFirstZero(text);
  const auto p = text.find(key);
  if (p == std::string_view::npos) return {};
  // A lone LF ends a value as CR LF does: files written on Linux read as
  // their CR LF originals.
  return ValueAfter(text, p, maxLength, [](unsigned char c) { return c == '\r' || c == '\n'; });
}

std::string KeyedTextFile::GetSectionValue(std::string_view text, std::string_view section, std::string_view key,
                                           std::size_t maxLength) {
  text = UpToFirstZero(text);
  const auto s = text.find(section);
  if (s == std::string_view::npos) return {};
  const auto p = text.find(key, s);
  if (p == std::string_view::npos) return {};
  return ValueAfter(text, p, maxLength, [](unsigned char c) { return c <= 13; });
}

}  // namespace velmora
