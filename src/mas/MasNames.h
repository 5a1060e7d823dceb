// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The boundary of the MAS library: names between the program's Windows-1251
// and the document's UTF-8, and the fixed numbers both directions share.
#include <string>
#include <string_view>

namespace velmora::mas {

// The lowest temperature the format allows (and physics).
inline constexpr double kAbsoluteZero_C = -273.15;
// Indentation of the written document, as the format's own examples have it.
inline constexpr int kIndent = 4;

std::string NameToUtf8(std::string_view cp1251);
// Windows-1251; a character it cannot hold, a control character or invalid
// UTF-8 becomes '?', so the name can stand in a message.
std::string NameFromUtf8(std::string_view utf8);

}  // namespace velmora::mas
