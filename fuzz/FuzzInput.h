// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Splits one fuzz input into the pieces a target needs. Small parameters
// (choices, lengths, numbers) are taken from the end of the input, so that the
// front stays a readable text that the seed files can begin with.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::fuzz {

// An invariant of the program; a broken one ends the run like a crash, so that
// the fuzzer keeps the input.
#define VELMORA_FUZZ_CHECK(cond)                                                      \
  do {                                                                                \
    if (!(cond)) {                                                                    \
      std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
      std::abort();                                                                   \
    }                                                                                 \
  } while (0)

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : text_(reinterpret_cast<const char*>(data), size) {}

  // One byte from the end (0 when the input is used up).
  std::uint8_t TakeByte() {
    if (text_.empty()) return 0;
    const auto b = static_cast<std::uint8_t>(text_.back());
    text_.remove_suffix(1);
    return b;
  }
  bool TakeBool() { return TakeByte() & 1; }
  // A whole number in [lo, hi].
  int TakeInt(int lo, int hi) {
    const std::uint32_t b0 = TakeByte();
    const std::uint32_t b1 = TakeByte();
    const std::uint32_t b2 = TakeByte();
    const std::uint32_t raw = b0 | b1 << 8 | b2 << 16;
    const auto span = static_cast<std::uint32_t>(static_cast<std::int64_t>(hi) - lo + 1);
    return static_cast<int>(lo + static_cast<std::int64_t>(raw % span));
  }
  // Any int: small values, the radio group's "none" (-1) and the extremes
  // come often.
  int TakeChoice() {
    switch (TakeByte() % 8) {
      case 0: return -1;
      case 1: return std::numeric_limits<int>::min();
      case 2: return std::numeric_limits<int>::max();
      case 3: return TakeInt(-1000000, 1000000);
      default: return TakeByte() % 4;
    }
  }
  // A double that is often one of the awkward ones.
  double TakeDouble() {
    switch (TakeByte() % 12) {
      case 0: return 0.0;
      case 1: return -0.0;
      case 2: return std::numeric_limits<double>::infinity();
      case 3: return -std::numeric_limits<double>::infinity();
      case 4: return std::numeric_limits<double>::quiet_NaN();
      case 5: return std::numeric_limits<double>::denorm_min();
      case 6: return std::numeric_limits<double>::max();
      case 7: return -TakeInt(0, 1000000) / 100.0;
      case 8: {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits = bits << 8 | TakeByte();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
      }
      default: return TakeInt(0, 100000000) / 1000.0;
    }
  }
  // A piece of at most maxLen bytes from the end of what is left.
  std::string TakeString(int maxLen) {
    const auto wanted = static_cast<std::size_t>(TakeInt(0, maxLen));
    const std::size_t n = std::min(wanted, text_.size());
    std::string s(text_.substr(text_.size() - n));
    text_.remove_suffix(n);
    return s;
  }
  // Everything that is left.
  std::string_view Rest() const { return text_; }

 private:
  std::string_view text_;
};

// The parts of a text between the separator bytes; always at least `count`
// parts (missing ones empty), the surplus joined into the last.
inline std::vector<std::string> SplitParts(std::string_view text, char sep, std::size_t count) {
  std::vector<std::string> parts;
  while (parts.size() + 1 < count) {
    const auto p = text.find(sep);
    if (p == std::string_view::npos) break;
    parts.emplace_back(text.substr(0, p));
    text.remove_prefix(p + 1);
  }
  parts.emplace_back(text);
  parts.resize(count);
  return parts;
}

// The separator of the parts of a multi-file input (ASCII record separator).
constexpr char kPartSeparator = '\x1e';

}  // namespace velmora::fuzz
