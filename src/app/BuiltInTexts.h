// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The built-in English texts of a word-keyed language section: a fixed table
// of key and text, looked up by key and listed key by key.
#include <cstddef>
#include <cstring>
#include <iterator>

namespace velmora {

struct BuiltInText {
  const char* key;
  const char* english;
};

// The English text of a key of the table; "" for a key it lacks.
template <std::size_t N>
const char* BuiltInEnglish(const BuiltInText (&table)[N], const char* key) {
  for (const BuiltInText& e : table)
    if (std::strcmp(e.key, key) == 0) return e.english;
  return "";
}

// The table's keys in its order, then a null pointer.
template <const auto& Table>
const char* const* BuiltInKeys() {
  static const auto keys = [] {
    struct Keys {
      const char* k[std::size(Table) + 1];
    } all{};
    for (std::size_t i = 0; i < std::size(Table); ++i) all.k[i] = Table[i].key;
    return all;
  }();
  return keys.k;
}

}  // namespace velmora
