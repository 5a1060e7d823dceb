// SPDX-License-Identifier: GPL-3.0-or-later
// Text into HTML, SVG and XML: every text stays text.
#include <gtest/gtest.h>

#include "textfile/Markup.h"

namespace velmora {
namespace {

TEST(Markup, Escape) {
  struct Case {
    std::string in, out;
  } const cases[] = {
      {"</title><script>alert(3)</script>", "&lt;/title&gt;&lt;script&gt;alert(3)&lt;/script&gt;"},
      {"a & b \"q\" 'a'", "a &amp; b &quot;q&quot; &#39;a&#39;"},
      {"tab\tline\r\n", "tab\tline\r\n"},
      {std::string("nul\0bell\a", 9) + "esc\x1b", "nulbellesc"},
      {"Дроссель µH", "Дроссель µH"},
      {"bad \xFF \xC0\xAF \xED\xA0\x80 \xEF\xBF\xBE end\xE2\x82",
       "bad \xEF\xBF\xBD \xEF\xBF\xBD\xEF\xBF\xBD "
       "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD "
       "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD "
       "end\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeMarkup(c.in), c.out) << c.in;
}

TEST(Markup, SvgTitle) {
  struct Case {
    std::string svg, out;
  } const cases[] = {
      {"<svg a=\"1\"><title>Qt</title><g/></svg>", "<svg a=\"1\"><title>&lt;b&gt;</title><g/></svg>"},
      {"<?xml?><svg a=\"1\"><g/></svg>", "<?xml?><svg a=\"1\"><title>&lt;b&gt;</title><g/></svg>"},
      {"no svg", "no svg"},
  };
  for (const Case& c : cases) EXPECT_EQ(WithSvgTitle(c.svg, "<b>"), c.out) << c.svg;
}

}  // namespace
}  // namespace velmora
