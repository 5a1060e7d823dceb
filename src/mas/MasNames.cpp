// SPDX-License-Identifier: GPL-3.0-or-later
#include "mas/MasNames.h"

#include "textfile/Cp1251.h"

namespace velmora::mas {

namespace {

constexpr unsigned char kReplacement = '?';
constexpr unsigned char kFirstPrintable = 0x20;

// The length of the UTF-8 sequence a lead byte opens; 0 for no lead byte.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}

}  // namespace

std::string NameToUtf8(std::string_view cp1251) { return Cp1251ToUtf8(cp1251); }

std::string NameFromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t length = SequenceLength(static_cast<unsigned char>(utf8[i]));
    const std::size_t take = length == 0 || i + length > utf8.size() ? 1 : length;
    const std::optional<std::string> one = length == 0 ? std::nullopt : Utf8ToCp1251(utf8.substr(i, take));
    const bool printable = one && one->size() == 1 && static_cast<unsigned char>((*one)[0]) >= kFirstPrintable;
    out += printable ? (*one)[0] : static_cast<char>(kReplacement);
    i += take;
  }
  return out;
}

}  // namespace velmora::mas
