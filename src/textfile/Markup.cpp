// SPDX-License-Identifier: GPL-3.0-or-later
#include "textfile/Markup.h"

namespace velmora {

namespace {

// U+FFFD, which stands for a byte that starts no valid UTF-8 character.
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the valid UTF-8 character at the start of `s` that XML
// allows (no surrogate, no U+FFFE or U+FFFF, nothing above U+10FFFF, the
// shortest form only); 0 when there is none.
std::size_t XmlCharLength(std::string_view s) {
  const auto byte = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t n = 0;
  if (lead >= 0xC2 && lead <= 0xDF) n = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) n = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) n = 4;
  else return 0;
  char32_t cp = lead & (0x7Fu >> n);  // the lead byte's bits of the code point
  if (s.size() < n) return 0;
  for (std::size_t i = 1; i < n; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    cp = cp << 6 | (byte(i) & 0x3Fu);
  }
  const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < least[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xFFFE || cp == 0xFFFF) return 0;
  return n;
}

}  // namespace

std::string EscapeMarkup(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    const char c = utf8.front();
    const std::size_t n = XmlCharLength(utf8);
    if (n == 0) {
      out += kReplacement;
      utf8.remove_prefix(1);
      continue;
    }
    if (n > 1) {
      out += utf8.substr(0, n);
      utf8.remove_prefix(n);
      continue;
    }
    utf8.remove_prefix(1);
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      case '\t':
      case '\n':
      case '\r':
        out += c;
        break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20) out += c;
    }
  }
  return out;
}

std::string WithSvgTitle(std::string svg, std::string_view utf8Title) {
  const std::string title = EscapeMarkup(utf8Title);
  constexpr std::string_view kOpen = "<title>";
  constexpr std::string_view kClose = "</title>";
  const std::size_t open = svg.find(kOpen);
  const std::size_t close = open == std::string::npos ? open : svg.find(kClose, open);
  if (close != std::string::npos) return svg.replace(open + kOpen.size(), close - open - kOpen.size(), title);
  const std::size_t root = svg.find("<svg");
  const std::size_t rootEnd = root == std::string::npos ? root : svg.find('>', root);
  if (rootEnd == std::string::npos) return svg;
  return svg.insert(rootEnd + 1, std::string(kOpen) + title + std::string(kClose));
}

}  // namespace velmora
