// SPDX-License-Identifier: GPL-3.0-or-later
#include "textfile/CaseFold.h"

#include <array>

namespace velmora {

namespace {

// The capitals of 0x80..0xBF and their small letters; the code page does not
// keep them at a fixed distance, as it does for A-Z and А-Я.
constexpr unsigned char kUpperLower[][2] = {
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2},
    {0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
};

constexpr std::array<unsigned char, 256> kFold = [] {
  std::array<unsigned char, 256> fold{};
  for (int c = 0; c < 256; ++c) fold[c] = static_cast<unsigned char>(c);
  for (int c = 'A'; c <= 'Z'; ++c) fold[c] = static_cast<unsigned char>(c + ('a' - 'A'));
  for (int c = 0xC0; c <= 0xDF; ++c) fold[c] = static_cast<unsigned char>(c + 0x20);  // А-Я -> а-я
  for (const auto& pair : kUpperLower) fold[pair[0]] = pair[1];
  return fold;
}();

}  // namespace

unsigned char FoldCaseCp1251(unsigned char c) { return kFold[c]; }

std::string FoldCaseCp1251(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = static_cast<char>(kFold[static_cast<unsigned char>(c)]);
  return folded;
}

}  // namespace velmora
