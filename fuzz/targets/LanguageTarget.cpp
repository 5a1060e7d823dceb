// SPDX-License-Identifier: GPL-3.0-or-later
// The language file reader on any bytes.
#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "lang/LanguageTable.h"

namespace velmora::fuzz {

int FuzzLanguage(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const int k = in.TakeInt(-40, 40);
  const std::string_view text = in.Rest();

  LanguageTable table;
  ParseLanguageText(text, table);
  for (const LangSection s : {LangSection::About, LangSection::Menu, LangSection::BaseCores,
                              LangSection::InitialData, LangSection::MagneticCore, LangSection::Results,
                              LangSection::Buttons, LangSection::Others}) {
    VELMORA_FUZZ_CHECK(LangSectionName(s) != nullptr);
    const std::string& slot = table.Get(s, k);
    // Escapes are turned into their bytes: no backslash-n or backslash-t is left.
    VELMORA_FUZZ_CHECK(slot.find("\\n") == std::string::npos);
    for (const char c : slot) VELMORA_FUZZ_CHECK(c == '\n' || c == '\t' || static_cast<unsigned char>(c) > 13);
  }
  for (const std::string* t : {&table.title, &table.version})
    for (const char c : *t) VELMORA_FUZZ_CHECK(static_cast<unsigned char>(c) > 13);
  return 0;
}

}  // namespace velmora::fuzz
