// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the "Converter..." window and its design menu item: the
// language file's word-keyed section, with built-in English for every key the
// file lacks (Windows-1251, as all texts).
#include <string>

#include "converter/Converter.h"
#include "lang/LanguageTable.h"

namespace velmora {

// The text of a key of the converter section ("title", "apply", ...).
std::string ConverterText(const LanguageTable& lang, const char* key);
// The built-in English of a key; empty for an unknown key.
const char* ConverterTextEnglish(const char* key);
// Every key, in the order the language files list them; nullptr-terminated.
const char* const* ConverterTextKeys();
// The key of an error's text ("errorVout", ...); nullptr for kNone.
const char* ConverterErrorKey(converter::RequestError error);

}  // namespace velmora
