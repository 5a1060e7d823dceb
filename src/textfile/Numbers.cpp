// SPDX-License-Identifier: GPL-3.0-or-later
#include "textfile/Numbers.h"

#include <bit>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>

namespace velmora {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Up to three decimals of a value below 1e15, as to_chars writes them but a
// good deal faster (every label of a calculation goes through here). The
// value is m * 2^q with a whole m of 53 bits; m * 10^decimals stays below
// 2^63, so the value times 10^decimals is rounded to a whole number exactly,
// from the bits shifted out: above half up, at half to even, as printf does.
constexpr int kFastDecimals = 3;
constexpr double kFastLimit = 1e15;
constexpr int kMantissaBits = 53;
constexpr int kWordBits = 64;

// A double's bits: 52 stored bits of the whole m (the 53rd, a leading one, is
// implied unless the value is subnormal) and an exponent biased by 1023; the
// value is m * 2^(exponent - 53) with the exponent frexp gives, the biased
// one less 1022 (1 less 1022 for a subnormal value).
constexpr int kStoredBits = kMantissaBits - 1;
constexpr int kFrexpBias = 1022;

unsigned long long ScaledAndRounded(double magnitude, unsigned long long scale) {
  const auto bits = std::bit_cast<unsigned long long>(magnitude);  // no sign bit: a magnitude
  const int biased = static_cast<int>(bits >> kStoredBits);
  const unsigned long long hidden = biased != 0 ? 1ULL << kStoredBits : 0;
  const unsigned long long m = (bits & ((1ULL << kStoredBits) - 1)) | hidden;
  const int exponent = (biased != 0 ? biased : 1) - kFrexpBias;
  const unsigned long long n = m * scale;
  const int shift = kMantissaBits - exponent;
  if (shift <= 0) return n << -shift;  // a whole number, below 1e18 by the limit
  if (shift >= kWordBits) return 0;    // below a half
  const unsigned long long whole = n >> shift;
  const unsigned long long rest = n & ((1ULL << shift) - 1);
  const unsigned long long half = 1ULL << (shift - 1);
  return rest > half || (rest == half && (whole & 1)) ? whole + 1 : whole;
}

std::optional<std::string> FastFixed(double value, int decimals) {
  if (decimals > kFastDecimals || !(std::fabs(value) < kFastLimit)) return std::nullopt;
  static constexpr unsigned long long kScale[] = {1, 10, 100, 1000};
  const unsigned long long whole = ScaledAndRounded(std::fabs(value), kScale[decimals]);
  char buf[32];
  char* const end = buf + sizeof buf;
  char* p = end;
  unsigned long long fraction = whole % kScale[decimals];
  for (int i = 0; i < decimals; ++i, fraction /= 10) *--p = static_cast<char>('0' + fraction % 10);
  if (decimals > 0) *--p = '.';
  unsigned long long integer = whole / kScale[decimals];
  do {
    *--p = static_cast<char>('0' + integer % 10);
    integer /= 10;
  } while (integer != 0);
  if (std::signbit(value)) *--p = '-';
  return std::string(p, end);
}

}  // namespace

std::string CommaToPoint(std::string_view text) {
  std::string s(text);
  for (char& c : s)
    if (c == ',') c = '.';
  return s;
}

double ReadLeadingDouble(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  const std::size_t start = i;
  // Decimal magnitude of the number's first significant digit, to tell an
  // overflow from an underflow when the value is out of range.
  long long leadExp = 0;
  bool seenNonZero = false;
  std::size_t digits = 0;
  while (i < n && IsDigit(text[i])) {
    if (text[i] != '0' && !seenNonZero) seenNonZero = true;
    if (seenNonZero) ++leadExp;
    ++i;
    ++digits;
  }
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && IsDigit(text[i])) {
      if (!seenNonZero) {
        if (text[i] != '0') seenNonZero = true;
        else --leadExp;
      }
      ++i;
      ++digits;
    }
  }
  if (digits == 0) return 0.0;
  std::size_t end = i;

  long long exponent = 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool expNegative = false;
    if (j < n && (text[j] == '+' || text[j] == '-')) expNegative = text[j++] == '-';
    if (j < n && IsDigit(text[j])) {
      while (j < n && IsDigit(text[j])) {
        if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[j] - '0');
        ++j;
      }
      if (expNegative) exponent = -exponent;
      end = j;
    }
  }

  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(text.data() + start, text.data() + end, value, std::chars_format::general);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    value = seenNonZero && leadExp + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

int ReadLeadingInt(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  // The blanks that the C library's integer conversion skips.
  while (i < n && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\v' || text[i] == '\f' ||
                   text[i] == '\r'))
    ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  const long long limit = static_cast<long long>(INT_MAX) + 1;
  while (i < n && IsDigit(text[i])) {
    if (value <= limit) value = value * 10 + (text[i] - '0');
    ++i;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

std::string FormatFixed(double value, int decimals) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  if (decimals < 0) decimals = 6;  // as printf treats a negative precision
  if (std::optional<std::string> fast = FastFixed(value, decimals)) return std::move(*fast);
  // Beyond 1074 decimals every digit of a double is zero.
  constexpr int kExactDecimals = 1074;
  const int shown = decimals > kExactDecimals ? kExactDecimals : decimals;
  // Digits go to the stack first, so a short result needs no heap block.
  char buf[kExactDecimals + 330];
  const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, shown);
  if (ec != std::errc()) return {};
  std::string out(buf, ptr);
  if (decimals > shown) out.append(static_cast<std::size_t>(decimals - shown), '0');
  return out;
}

std::string FormatInt(long long value) { return std::to_string(value); }

double RoundUp(double value) {
  if (!std::isfinite(value)) return value;
  const double whole = std::trunc(value);
  // Otherwise the value stays itself: a whole number, or a negative fraction
  // (its integer part lies above it).
  return whole < value ? whole + 1.0 : value;
}

int TruncClamp(double value, int lo, int hi) {
  if (std::isnan(value)) return lo;
  const double whole = std::trunc(value);
  if (whole <= static_cast<double>(lo)) return lo;
  if (whole >= static_cast<double>(hi)) return hi;
  return static_cast<int>(whole);
}

std::optional<double> ReadWholeNumber(std::string_view text) {
  const std::string point = CommaToPoint(text);
  double v = 0;
  const auto [end, ec] = std::from_chars(point.data(), point.data() + point.size(), v);
  if (point.empty() || ec != std::errc() || end != point.data() + point.size() || !std::isfinite(v))
    return std::nullopt;
  return v;
}

std::string ShortestNumberText(double value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

}  // namespace velmora
