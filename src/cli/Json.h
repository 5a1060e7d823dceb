// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line's JSON documents: built as nlohmann::ordered_json (names
// stay in the order they are added) and written in the program's own layout,
// each number as the shortest decimal that reads back as the same double.
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace velmora::cli {

using Json = nlohmann::ordered_json;

// A value that may be missing: the number, or null.
Json Number(std::optional<double> value);
// A whole count (turns, strands, an AWG size): an integer when the value is
// whole, else as Number.
Json Count(std::optional<double> value);
// [a, b]
Json Pair(double a, double b);

// The shortest decimal text that reads back as the same double.
std::string ShortestNumber(double value);

// The document as text, ending in a line break. Objects and arrays nested
// less than `expanded` deep hold one entry per line (two spaces of indent per
// level), deeper ones stay on one line: {"a": 1, "b": [2, 3]}. A number that
// is not finite is written as null: the one place where that happens.
std::string Dump(const Json& document, int expanded);

}  // namespace velmora::cli
