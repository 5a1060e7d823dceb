#pragma once
// The longest text that the windows lay out as a title: a chart's title, an
// axis title, a legend entry, a menu's title. Qt lays such a text out in
// time and memory that grow with the square of its length (16,000
// characters cost 300 MB), and a menu title longer than the screen pushes
// the other menus off the bar. No language file's text comes near the cut:
// the longest shipped title has under 60 characters.
#include <cstddef>
#include <string_view>

namespace velmora::ui {

inline constexpr std::size_t kMaxTitleChars = 200;

// The first kMaxTitleChars characters of a Windows-1251 text (one byte each).
inline std::string_view TitleText(std::string_view cp1251) { return cp1251.substr(0, kMaxTitleChars); }

}  // namespace velmora::ui
