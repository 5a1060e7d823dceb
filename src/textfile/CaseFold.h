// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Letter case of Windows-1251 text: the one fold behind every comparison that
// ignores case, the lists' search and order and the file names on disk alike.
#include <string>
#include <string_view>

namespace velmora {

// The lower-case byte of a Windows-1251 letter: A-Z, А-Я, and the capitals
// among 0x80..0xBF (Ђ Ѓ Љ Њ Ќ Ћ Џ Ў Ј Ґ Ё Є І Ї Ѕ). Every other byte is its
// own fold.
unsigned char FoldCaseCp1251(unsigned char c);
std::string FoldCaseCp1251(std::string_view text);

}  // namespace velmora
