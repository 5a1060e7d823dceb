#pragma once
// The interface texts of the current language, in slots named by section and
// key ("OTHERS" s25 ...), read from "<language>.lng".
#include <array>
#include <string>
#include <string_view>

#include "lang/WordKeyedSection.h"

namespace velmora {

enum class LangSection { About, Menu, BaseCores, InitialData, MagneticCore, Results, Buttons, Others };

struct LanguageTable {
  std::string title;
  std::string version;
  std::array<std::string, 6> about;         // s1..s5
  std::array<std::string, 6> menu;          // s1..s5
  std::array<std::string, 30> baseCores;    // s1..s29
  std::array<std::string, 30> initialData;  // s1..s29
  std::array<std::string, 20> magneticCore; // s0..s19
  std::array<std::string, 30> results;      // s1..s29
  std::array<std::string, 10> buttons;      // s1..s9
  std::array<std::string, 30> others;       // s1..s29
  // The word-keyed section of the design menu and the "Design details" window.
  WordKeyedSection design;
  // The word-keyed section of the design report.
  WordKeyedSection report;

  // Slot k of a section; the empty text for a slot outside the section's range.
  const std::string& Get(LangSection section, int k) const;
  bool operator==(const LanguageTable&) const = default;
};

// The section's name in the file ("BASE CORES" ...).
const char* LangSectionName(LangSection section);

// Fills the table from the text of a language file: TITLE as it stands, every
// other slot with backslash-n turned into LF and backslash-t into TAB.
void ParseLanguageText(std::string_view text, LanguageTable& table);
// Reads "<language>.lng" from the current folder; false (table unchanged) when
// it cannot be opened.
bool ReadLanguageFile(const std::string& language, LanguageTable& table);

}  // namespace velmora
