// SPDX-License-Identifier: GPL-3.0-or-later
#include "textfile/Cp1251.h"

#include <array>
#include <charconv>

namespace velmora {

namespace {

// Code points of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
constexpr std::array<char16_t, 64> kUpper = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0000, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

constexpr char32_t kReplacement = 0xFFFD;

// A backslash-u escape of a language text: backslash, 'u', four hex digits.
constexpr std::size_t kEscapeDigits = 4;
constexpr std::size_t kEscapeLength = 2 + kEscapeDigits;
// Control characters and the surrogate halves (no characters of their own)
// stay escaped.
constexpr char32_t kFirstPrintable = 0x20;
constexpr char32_t kSurrogatesFirst = 0xD800;
constexpr char32_t kSurrogatesEnd = 0xE000;

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[i]; advances i. Nothing for an invalid,
// overlong, truncated or surrogate sequence or one beyond U+10FFFF.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int extra;
  char32_t cp;
  char32_t min;
  if ((b0 & 0xE0) == 0xC0) {
    extra = 1, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3, cp = b0 & 0x07, min = 0x10000;
  } else {
    return std::nullopt;
  }
  if (text.size() - i <= static_cast<std::size_t>(extra)) return std::nullopt;
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  i += static_cast<std::size_t>(extra) + 1;
  return cp;
}

}  // namespace

char32_t Cp1251ToUnicode(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
  return kUpper[byte - 0x80];
}

std::optional<unsigned char> UnicodeToCp1251(char32_t cp) {
  if (cp < 0x80) return static_cast<unsigned char>(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return static_cast<unsigned char>(0xC0 + (cp - 0x0410));
  for (std::size_t k = 0; k < kUpper.size(); ++k)
    if (kUpper[k] != 0 && kUpper[k] == cp) return static_cast<unsigned char>(0x80 + k);
  return std::nullopt;
}

std::string Cp1251ToUtf8(std::string_view cp1251) {
  std::string out;
  out.reserve(cp1251.size() * 2);
  for (char c : cp1251) {
    const char32_t cp = Cp1251ToUnicode(static_cast<unsigned char>(c));
    // The unassigned byte shows as the replacement character.
    AppendUtf8(out, cp == 0 && c != 0 ? kReplacement : cp);
  }
  return out;
}

namespace {

// The character of a backslash-u escape at i, or nothing when the text holds
// none there that becomes a character.
std::optional<char32_t> EscapeAt(std::string_view cp1251, std::size_t i) {
  if (cp1251.size() - i < kEscapeLength || cp1251.compare(i, 2, "\\u") != 0) return std::nullopt;
  unsigned value = 0;
  const char* first = cp1251.data() + i + 2;
  const auto [end, ec] = std::from_chars(first, first + kEscapeDigits, value, 16);
  const auto cp = static_cast<char32_t>(value);
  if (ec != std::errc() || end != first + kEscapeDigits || cp < kFirstPrintable ||
      (cp >= kSurrogatesFirst && cp < kSurrogatesEnd))
    return std::nullopt;
  return cp;
}

}  // namespace

std::string_view FirstTextChars(std::string_view cp1251, std::size_t chars) {
  std::size_t i = 0;
  for (std::size_t n = 0; n < chars && i < cp1251.size(); ++n) i += EscapeAt(cp1251, i) ? kEscapeLength : 1;
  return cp1251.substr(0, i);
}

std::string Cp1251TextToUtf8(std::string_view cp1251) {
  std::string out;
  out.reserve(cp1251.size() * 2);
  std::size_t done = 0;
  for (std::size_t i = cp1251.find("\\u"); i != std::string_view::npos; i = cp1251.find("\\u", i + 1)) {
    const std::optional<char32_t> cp = EscapeAt(cp1251, i);
    if (!cp) continue;
    out += Cp1251ToUtf8(cp1251.substr(done, i - done));
    AppendUtf8(out, *cp);
    done = i + kEscapeLength;
    i = done - 1;
  }
  return out + Cp1251ToUtf8(cp1251.substr(done));
}

std::optional<std::string> Utf8ToCp1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto cp = DecodeUtf8(utf8, i);
    if (!cp) return std::nullopt;
    const auto byte = UnicodeToCp1251(*cp);
    if (!byte) return std::nullopt;
    out += static_cast<char>(*byte);
  }
  return out;
}

}  // namespace velmora
