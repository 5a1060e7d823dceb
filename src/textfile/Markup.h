// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text into HTML, SVG and XML. Every text that comes from a language file or
// a data file and ends up in such output goes through EscapeMarkup, so that
// no text can open, close or add an element or attribute.
#include <string>
#include <string_view>

namespace velmora {

// UTF-8 text as element content or a quoted attribute value: & < > " ' as
// references, the control characters that XML does not allow (all below 32
// but TAB, LF and CR) left out and a byte of no valid UTF-8 character as
// U+FFFD, so the output always parses as XML.
std::string EscapeMarkup(std::string_view utf8);

// The SVG text with the given title (UTF-8, escaped here) as the content of
// its first <title> element, or as a new <title> first inside the root
// element when it has none. The SVG writer does not escape a title itself.
std::string WithSvgTitle(std::string svg, std::string_view utf8Title);

}  // namespace velmora
