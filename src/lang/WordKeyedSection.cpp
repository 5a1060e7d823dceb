// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/WordKeyedSection.h"

#include <charconv>
#include <optional>

#include "textfile/Cp1251.h"

namespace velmora {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The four hex digits of a backslash-u escape (00B5 for the micro sign).
constexpr std::size_t kUnicodeEscapeDigits = 4;

// A backslash-u escape at the start of s: the code point, or nothing.
std::optional<char32_t> UnicodeEscape(std::string_view s) {
  if (s.size() < 2 + kUnicodeEscapeDigits || s[0] != '\\' || s[1] != 'u') return std::nullopt;
  unsigned value = 0;
  const char* first = s.data() + 2;
  const char* last = first + kUnicodeEscapeDigits;
  const auto [end, ec] = std::from_chars(first, last, value, 16);
  if (ec != std::errc() || end != last) return std::nullopt;
  return static_cast<char32_t>(value);
}

// Backslash-n and backslash-t as the numbered sections have them; a
// backslash-u escape becomes its Windows-1251 byte, or stays as written for a
// character Windows-1251 lacks (the windows show it: Cp1251TextToUtf8). A
// control character stays escaped too.
std::string Unescape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (const auto cp = UnicodeEscape(s.substr(i)); cp && *cp >= U' ') {
      if (const auto byte = UnicodeToCp1251(*cp)) {
        out += static_cast<char>(*byte);
        i += 1 + kUnicodeEscapeDigits;
        continue;
      }
    }
    if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == 'n' || s[i + 1] == 't')) {
      out += s[i + 1] == 'n' ? '\n' : '\t';
      ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

// The lines of the text: each without its CR LF (or lone CR or LF), and the
// line with its line end.
template <typename Each>
void ForEachLine(std::string_view text, Each each) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::size_t next = end;
    if (next < text.size() && text[next] == '\r') ++next;
    if (next < text.size() && text[next] == '\n') ++next;
    if (!each(text.substr(pos, end - pos), text.substr(pos, next - pos))) return;
    pos = next;
  }
}

// The name of a section header line ("[NAME]", blanks around allowed), or
// nothing for a line that does not open with '['; a line that opens with '['
// but is no whole header gives the empty name.
std::optional<std::string_view> HeaderName(std::string_view trimmed) {
  if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
  if (trimmed.size() < 2 || trimmed.back() != ']') return std::string_view();
  return trimmed.substr(1, trimmed.size() - 2);
}

}  // namespace

const std::string* WordKeyedSection::Find(std::string_view key) const {
  for (const auto& [k, v] : entries_)
    if (k == key) return v.empty() ? nullptr : &v;
  return nullptr;
}

std::string WordKeyedSection::Get(std::string_view key, std::string_view fallback) const {
  const std::string* text = Find(key);
  return text ? *text : std::string(fallback);
}

WordKeyedSection WordKeyedSection::Parse(std::string_view fileText, std::string_view name) {
  // The text up to the first zero byte, as every reader takes it.
  fileText = fileText.substr(0, fileText.find('\0'));
  WordKeyedSection section;
  bool inside = false;
  ForEachLine(fileText, [&](std::string_view line, std::string_view) {
    const std::string_view trimmed = Trim(line);
    if (const auto header = HeaderName(trimmed)) {
      if (inside) return false;  // the next section ends this one
      inside = *header == name;
      return true;
    }
    if (!inside) return true;
    const std::size_t eq = trimmed.find('=');
    if (eq == std::string_view::npos) return true;
    const std::string_view key = Trim(trimmed.substr(0, eq));
    if (key.empty() || section.Find(key) || key.find(' ') != std::string_view::npos) return true;
    section.entries_.emplace_back(std::string(key), Unescape(Trim(trimmed.substr(eq + 1))));
    return true;
  });
  return section;
}

std::string WithoutWordKeyedSections(std::string_view fileText, std::initializer_list<std::string_view> names) {
  std::string kept;
  kept.reserve(fileText.size());
  bool skipping = false;
  ForEachLine(fileText, [&](std::string_view line, std::string_view whole) {
    if (const auto header = HeaderName(Trim(line))) {
      skipping = false;
      for (const std::string_view name : names) skipping = skipping || *header == name;
    }
    if (!skipping) kept.append(whole);
    return true;
  });
  return kept;
}

}  // namespace velmora
