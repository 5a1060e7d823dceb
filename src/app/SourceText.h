// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Russian texts of the program's own (template captions, built-in messages) are
// written in the sources as UTF-8 and held, like every text, as Windows-1251.
#include <string>

#include "textfile/Cp1251.h"

namespace velmora {

// The Windows-1251 bytes of a UTF-8 literal of the sources; the sources hold
// only letters Windows-1251 has, so nothing is lost.
inline std::string Cp(const char* utf8) { return Utf8ToCp1251(utf8).value_or(std::string()); }

}  // namespace velmora
