// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's JSON writer: the layout the tests and scripts read, the
// shortest numbers, null for what is not finite, and the library's escaping.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "cli/Json.h"

namespace velmora::cli {
namespace {

TEST(CliJson, LayoutNumbersAndEscaping) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    Json value;
    int expanded;
    const char* text;
  } cases[] = {
      {Json{{"a", 1}, {"b", Json::array({0.1, 100.0, 1e-05, -0.0})}}, 0, R"({"a": 1, "b": [0.1, 100, 1e-05, -0]})"},
      {Json{{"a", Json::array()}, {"b", Json::object()}, {"c", {{"d", true}}}}, 1,
       "{\n  \"a\": [],\n  \"b\": {},\n  \"c\": {\"d\": true}\n}"},
      {Json{{"listed", Json::array({Json{{"rank", 1}}, Json{{"rank", 2}}})}}, 2,
       "{\n  \"listed\": [\n    {\"rank\": 1},\n    {\"rank\": 2}\n  ]\n}"},
      {Json::array({std::nan(""), inf, -inf, Number(std::nullopt), Number(2.5)}), 0, "[null, null, null, null, 2.5]"},
      {Json::array({Count(20.0), Count(20.5), Count(std::nullopt), Count(1e300)}), 0, "[20, 20.5, null, 1e+300]"},
      {Json{{"\"q\"\n", "Феррит \"Б\"\t\x01"}}, 0, R"({"\"q\"\n": "Феррит \"Б\"\t\u0001"})"},
      {Json("a\xFF"), 0, "\"a\xEF\xBF\xBD\""},  // not UTF-8: replaced, no exception
  };
  for (const auto& c : cases) EXPECT_EQ(Dump(c.value, c.expanded), std::string(c.text) + "\n");
  EXPECT_TRUE(Count(20.0).is_number_integer());
  EXPECT_TRUE(Count(20.5).is_number_float());
}

TEST(CliJson, ShortestNumberReadsBackAsTheSameDouble) {
  for (double v : {0.1, 1.0 / 3, 2.9096200215150625, 1e-320, 5e-324, 1.7976931348623157e308, 123456789.0, -42.0}) {
    const std::string text = ShortestNumber(v);
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), v) << text;
    EXPECT_EQ(Dump(Json(v), 0), text + "\n");
  }
  EXPECT_EQ(ShortestNumber(0.1), "0.1");
  EXPECT_EQ(ShortestNumber(std::nan("")), "null");
}

}  // namespace
}  // namespace velmora::cli
