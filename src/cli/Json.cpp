// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Json.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace velmora::cli {

namespace {

// Whole counts beyond this stay doubles: every integer up to it is exact.
constexpr double kLargestExactInteger = 9007199254740992.0;  // 2^53

// Strings, names, true, false, null and integers: the library's own text
// (UTF-8 kept, invalid bytes replaced).
std::string Scalar(const Json& value) { return value.dump(-1, ' ', false, Json::error_handler_t::replace); }

void Write(const Json& j, int depth, int expanded, std::string& out) {
  if (j.is_number_float()) {
    out += ShortestNumber(j.get<double>());
    return;
  }
  if (!j.is_structured()) {
    out += Scalar(j);
    return;
  }
  const bool object = j.is_object();
  if (j.empty()) {
    out += object ? "{}" : "[]";
    return;
  }
  const bool lines = depth < expanded;
  const std::string indent(2 * static_cast<std::size_t>(depth + 1), ' ');
  out += object ? '{' : '[';
  bool first = true;
  for (auto it = j.begin(); it != j.end(); ++it) {
    out += first ? "" : ",";
    out += lines ? "\n" + indent : std::string(first ? "" : " ");
    first = false;
    if (object) out += Scalar(Json(it.key())) + ": ";
    Write(*it, depth + 1, expanded, out);
  }
  if (lines) out += "\n" + indent.substr(2);
  out += object ? '}' : ']';
}

}  // namespace

Json Number(std::optional<double> value) { return value ? Json(*value) : Json(nullptr); }

Json Count(std::optional<double> value) {
  if (value && std::trunc(*value) == *value && std::fabs(*value) <= kLargestExactInteger)
    return Json(static_cast<std::int64_t>(*value));
  return Number(value);
}

Json Pair(double a, double b) { return Json::array({a, b}); }

std::string ShortestNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char buf[32];
  const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
  return std::string(buf, end);
}

std::string Dump(const Json& document, int expanded) {
  std::string out;
  Write(document, 0, expanded, out);
  return out + "\n";
}

}  // namespace velmora::cli
