// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The interface texts of the current language, in slots named by section and
// key ("OTHERS" s25 ...), read from "<language>.lng".
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "lang/LangSlots.h"
#include "lang/WordKeyedSection.h"

namespace velmora {

struct LanguageTable {
  std::string title;
  std::string version;
  std::array<std::string, SlotCount(LangSection::About)> about;                // s1..s5
  std::array<std::string, SlotCount(LangSection::Menu)> menu;                  // s1..s5
  std::array<std::string, SlotCount(LangSection::BaseCores)> baseCores;        // s1..s29
  std::array<std::string, SlotCount(LangSection::InitialData)> initialData;    // s1..s29
  std::array<std::string, SlotCount(LangSection::MagneticCore)> magneticCore;  // s0..s19
  std::array<std::string, SlotCount(LangSection::Results)> results;            // s1..s29
  std::array<std::string, SlotCount(LangSection::Buttons)> buttons;            // s1..s9
  std::array<std::string, SlotCount(LangSection::Others)> others;              // s1..s31
  // The word-keyed section of the design menu and the "Design details" window.
  WordKeyedSection design;
  // The word-keyed section of the design report.
  WordKeyedSection report;
  // The word-keyed section of the "Converter..." window.
  WordKeyedSection converter;

  // Slot k of a section; the empty text for a slot outside the section's range.
  const std::string& Get(LangSection section, int k) const;
  // A named slot (LangSlots.h).
  const std::string& operator[](LangSlot slot) const { return Get(slot.section, slot.key); }
  std::string& operator[](LangSlot slot);
  bool operator==(const LanguageTable&) const = default;
};

// The section's name in the file ("BASE CORES" ...).
const char* LangSectionName(LangSection section);

// The texts this program added to the language files, and their English
// wording: a file written without one of them shows this text, not an empty
// box.
struct AddedText {
  LangSlot slot;
  const char* english;
};
std::span<const AddedText> ProgramAddedTexts();

// Fills the table from the text of a language file: TITLE as it stands, every
// other slot with backslash-n turned into LF and backslash-t into TAB; an
// added text the file lacks (or holds empty) in its English wording. The
// numbered keys are not looked for inside the word-keyed sections.
void ParseLanguageText(std::string_view text, LanguageTable& table);
// Reads "<language>.lng" from the current folder; false (table unchanged) when
// it cannot be opened.
bool ReadLanguageFile(const std::string& language, LanguageTable& table);
// One slot of "<language>.lng" as ReadLanguageFile fills it, reading no other
// slot; nothing when the file cannot be opened.
std::optional<std::string> ReadLanguageSlot(const std::string& language, LangSlot slot);

}  // namespace velmora
