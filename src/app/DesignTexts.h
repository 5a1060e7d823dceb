// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the design menu's windows and of the command line's details:
// the language file's word-keyed section, with built-in English for every key
// the file lacks (Windows-1251, as all texts).
#include <string>

#include "lang/LanguageTable.h"

namespace velmora {

// The text of a key of the design section ("lossCurve", "rowTotal", ...).
std::string DesignText(const LanguageTable& lang, const char* key);
// The built-in English of a key; empty for an unknown key.
const char* DesignTextEnglish(const char* key);
// Every key, in the order the language files list them; nullptr-terminated.
const char* const* DesignTextKeys();

}  // namespace velmora
