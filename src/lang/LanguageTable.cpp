// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/LanguageTable.h"

#include <span>
#include <type_traits>

#include "textfile/KeyedTextFile.h"

namespace velmora {

namespace {

// Every occurrence of `from`, left to right, replaced by `to`.
void ReplaceAll(std::string& s, std::string_view from, char to) {
  std::string out;
  out.reserve(s.size());
  std::size_t i = 0;
  for (;;) {
    const auto hit = s.find(from, i);
    if (hit == std::string::npos) break;
    out.append(s, i, hit - i);
    out += to;
    i = hit + from.size();
  }
  out.append(s, i, std::string::npos);
  s = std::move(out);
}

struct SectionSlots {
  LangSection section;
  int first;  // the lowest key number read; slots below it stay empty
};

constexpr SectionSlots kOrder[] = {
    {LangSection::About, 1},       {LangSection::Menu, 1},         {LangSection::BaseCores, 1},
    {LangSection::InitialData, 1}, {LangSection::MagneticCore, 0}, {LangSection::Results, 1},
    {LangSection::Buttons, 1},     {LangSection::Others, 1},
};

// The slots of a section, for a const or a mutable table.
template <typename Table>
auto SlotsOf(Table& t, LangSection section) {
  using Span = std::span<std::remove_reference_t<decltype(t.about[0])>>;
  switch (section) {
    case LangSection::About:
      return Span(t.about);
    case LangSection::Menu:
      return Span(t.menu);
    case LangSection::BaseCores:
      return Span(t.baseCores);
    case LangSection::InitialData:
      return Span(t.initialData);
    case LangSection::MagneticCore:
      return Span(t.magneticCore);
    case LangSection::Results:
      return Span(t.results);
    case LangSection::Buttons:
      return Span(t.buttons);
    case LangSection::Others:
      return Span(t.others);
  }
  return Span();
}

// English wording of the texts this program added; the same as the English
// language file's.
constexpr AddedText kAddedTexts[] = {
    {kCoreNameTaken, "A core of that name is already in the database.\nChoose another name."},
    {kWriteFailed, "Could not write the file"},
    {kWireNotice, "The wire diameter is not in the wire table.\nThe next larger size is used:"},
    {kCoreNameRefused, "A core name must not contain \"[\", \"]\" or a line break."},
    {kOkButton, "OK"},
    {kCoreValueRefused, "The core data Ae, An, le and mu must not contain a line break."},
    {kDatabaseInUse,
     "The core database is in use by another window or program and was not changed. Try again in a moment:"},
};

// The file's text without its word-keyed sections: where the numbered keys
// are looked for.
std::string NumberedPart(std::string_view fileText) {
  return WithoutWordKeyedSections(fileText, {kDesignSectionName, kReportSectionName, kConverterSectionName});
}

// A numbered slot's text, backslash-n and backslash-t turned into LF and TAB.
std::string SlotText(std::string_view numbered, LangSection section, int k) {
  std::string value = KeyedTextFile::GetSectionValue(numbered, LangSectionName(section), "s" + std::to_string(k),
                                                     constants::kMaxLanguageTextBytes);
  ReplaceAll(value, "\\n", '\n');
  ReplaceAll(value, "\\t", '\t');
  return value;
}

}  // namespace

std::span<const AddedText> ProgramAddedTexts() { return kAddedTexts; }

std::string& LanguageTable::operator[](LangSlot slot) {
  auto slots = SlotsOf(*this, slot.section);
  // A named slot lies inside its section (LangSlot does not compile otherwise).
  return slots[static_cast<std::size_t>(slot.key)];
}

const std::string& LanguageTable::Get(LangSection section, int k) const {
  static const std::string kEmpty;
  const auto slots = SlotsOf(*this, section);
  if (k < 0 || static_cast<std::size_t>(k) >= slots.size()) return kEmpty;
  return slots[static_cast<std::size_t>(k)];
}

const char* LangSectionName(LangSection section) {
  switch (section) {
    case LangSection::About:
      return "ABOUT";
    case LangSection::Menu:
      return "MENU";
    case LangSection::BaseCores:
      return "BASE CORES";
    case LangSection::InitialData:
      return "INITIAL DATA";
    case LangSection::MagneticCore:
      return "MAGNETIC CORE";
    case LangSection::Results:
      return "RESULTS";
    case LangSection::Buttons:
      return "BUTTONS";
    case LangSection::Others:
      return "OTHERS";
  }
  return "";
}

void ParseLanguageText(std::string_view fileText, LanguageTable& table) {
  // The word-keyed sections may hold any key: the numbered lookups, which
  // run on past their own section, must not find one there.
  const std::string numbered = NumberedPart(fileText);
  const std::string_view text = numbered;
  LanguageTable fresh;
  fresh.title = KeyedTextFile::GetSectionValue(text, "TITLE", "title", constants::kMaxLanguageTextBytes);
  fresh.version = KeyedTextFile::GetSectionValue(text, "TITLE", "version", constants::kMaxLanguageTextBytes);
  for (const SectionSlots& s : kOrder) {
    auto slots = SlotsOf(fresh, s.section);
    for (std::size_t k = static_cast<std::size_t>(s.first); k < slots.size(); ++k)
      slots[k] = SlotText(text, s.section, static_cast<int>(k));
  }
  for (const AddedText& added : kAddedTexts) {
    if (fresh[added.slot].empty()) fresh[added.slot] = added.english;
  }
  fresh.design = WordKeyedSection::Parse(fileText, kDesignSectionName);
  fresh.report = WordKeyedSection::Parse(fileText, kReportSectionName);
  fresh.converter = WordKeyedSection::Parse(fileText, kConverterSectionName);
  table = std::move(fresh);
}

bool ReadLanguageFile(const std::string& language, LanguageTable& table) {
  KeyedTextFile file;
  if (!file.Load(DataFilePath("", language, ".lng"), constants::kMaxTextFileBytes)) return false;
  ParseLanguageText(file.Text(), table);
  return true;
}

std::optional<std::string> ReadLanguageSlot(const std::string& language, LangSlot slot) {
  KeyedTextFile file;
  if (!file.Load(DataFilePath("", language, ".lng"), constants::kMaxTextFileBytes)) return std::nullopt;
  std::string value = SlotText(NumberedPart(file.Text()), slot.section, slot.key);
  for (const AddedText& added : kAddedTexts)
    if (value.empty() && added.slot.section == slot.section && added.slot.key == slot.key) value = added.english;
  return value;
}

}  // namespace velmora
