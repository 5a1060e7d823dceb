// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The longest text that the windows lay out as a title: a chart's title, an
// axis title, a legend entry, a menu's title. Qt lays such a text out in
// time and memory that grow with the square of its length (16,000
// characters cost 300 MB), and a menu title longer than the screen pushes
// the other menus off the bar. No language file's text comes near the cut:
// the longest shipped title has under 60 characters.
#include <cstddef>
#include <string>
#include <string_view>

#include "textfile/Cp1251.h"

namespace velmora::ui {

inline constexpr std::size_t kMaxTitleChars = 200;

// The first kMaxTitleChars characters of a Windows-1251 text (one byte each,
// a backslash-u escape of a language text one character, never cut apart).
inline std::string_view TitleText(std::string_view cp1251) { return FirstTextChars(cp1251, kMaxTitleChars); }

// A chart's text: cut, and on one line, every control character (a line
// break, a TAB, an escape) a blank; a picture saved as SVG holds the text as
// it is given, and XML allows none of them.
inline std::string ChartText(std::string_view cp1251) {
  std::string line(TitleText(cp1251));
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  return line;
}

}  // namespace velmora::ui
