// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows-1251 <-> UTF-8. Only the boundaries use it: the Qt view, the CLI's
// output and file names on disk. The engine keeps Windows-1251 bytes.
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

std::string Cp1251ToUtf8(std::string_view cp1251);
// A program text for display: as Cp1251ToUtf8, and each backslash-u escape
// (a character Windows-1251 lacks, kept so by the language files' word-keyed
// sections) as its character. Never for file names.
std::string Cp1251TextToUtf8(std::string_view cp1251);
// The first `chars` characters of such a text, as Cp1251TextToUtf8 counts
// them: an escape is one character and is never cut apart.
std::string_view FirstTextChars(std::string_view cp1251, std::size_t chars);
// Nothing when the text holds a character that Windows-1251 cannot hold (or
// is not valid UTF-8).
std::optional<std::string> Utf8ToCp1251(std::string_view utf8);
// Unicode code point of one Windows-1251 byte (0 for the one unassigned byte 0x98).
char32_t Cp1251ToUnicode(unsigned char byte);
// The Windows-1251 byte of a code point, or nothing.
std::optional<unsigned char> UnicodeToCp1251(char32_t cp);

}  // namespace velmora
