// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsRecord.h"

#include <array>

#include "textfile/FileIO.h"
#include "textfile/KeyedTextFile.h"
#include "textfile/Numbers.h"

namespace velmora {

namespace {

constexpr std::string_view kSection = "INI_DATA";

// One field of the record: its key, the literal that starts its line in the
// file, and either a text member or a choice member.
struct Field {
  const char* key;
  std::string_view literal;
  std::string SettingsRecord::*text;
  int SettingsRecord::*choice;
};

constexpr std::array<Field, 17> kFields = {{
    {"core", "core\t= ", &SettingsRecord::core, nullptr},
    {"mater", "mater\t= ", &SettingsRecord::mater, nullptr},
    {"yes_al", "yes_al\t= ", nullptr, &SettingsRecord::gapChoice},
    {"use", "use\t= ", nullptr, &SettingsRecord::use},
    {"zazor", "zazor\t= ", &SettingsRecord::gapOrAl, nullptr},
    {"L", "L\t= ", &SettingsRecord::L, nullptr},
    {"Uimpulsa", "Uimpulsa= ", &SettingsRecord::voltageSwitchOn, nullptr},
    {"Udc", "Udc\t= ", &SettingsRecord::Udc, nullptr},
    {"Inom", "Inom\t= ", &SettingsRecord::Inom, nullptr},
    {"Imin", "Imin\t= ", &SettingsRecord::Imin, nullptr},
    {"us_Imin", "us_Imin\t= ", nullptr, &SettingsRecord::us_Imin},
    {"Fc", "Fc\t= ", &SettingsRecord::Fc, nullptr},
    {"j", "j\t= ", &SettingsRecord::j, nullptr},
    {"use_D", "use_D\t= ", nullptr, &SettingsRecord::use_D},
    {"yes_AWG", "yes_AWG\t= ", nullptr, &SettingsRecord::yes_AWG},
    {"dprov", "dprov\t= ", &SettingsRecord::wireSize, nullptr},
    {"lang", "lang\t= ", &SettingsRecord::lang, nullptr},
}};

constexpr std::array<const char*, kFields.size()> kKeys = [] {
  std::array<const char*, kFields.size()> keys{};
  for (std::size_t i = 0; i < kFields.size(); ++i) keys[i] = kFields[i].key;
  return keys;
}();

bool IsLanguage(const Field& f) { return f.text == &SettingsRecord::lang; }

const Field* FindField(std::string_view key) {
  for (const Field& f : kFields)
    if (key == f.key) return &f;
  return nullptr;
}

// The value as the section lookup cuts it: up to the first byte 0..13, with
// the blanks around it dropped, and no longer than any looked-up value.
std::string CutValue(std::string_view rest) {
  rest = rest.substr(0, constants::kMaxValueBytes);
  std::size_t end = 0;
  while (end < rest.size() && static_cast<unsigned char>(rest[end]) > 13) ++end;
  rest = rest.substr(0, end);
  const auto first = rest.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(rest.substr(first, rest.find_last_not_of(' ') - first + 1));
}

// A key is looked up first where a line of the record begins with it (the key,
// optional blanks or TABs, then '='), so that a value holding a key's text
// (a material named with a capital L) cannot stand in for that key. Where no
// line begins with the key, the plain section lookup decides, as for any
// keyed file.
std::string LookUp(std::string_view text, std::string_view key) {
  text = UpToFirstZero(text);
  const auto section = text.find(kSection);
  if (section != std::string_view::npos) {
    for (std::size_t i = section + 1; i < text.size(); ++i) {
      if (text[i - 1] != '\n' && text[i - 1] != '\r') continue;
      if (text.compare(i, key.size(), key) != 0) continue;
      std::size_t e = i + key.size();
      while (e < text.size() && (text[e] == ' ' || text[e] == '\t')) ++e;
      if (e < text.size() && text[e] == '=') return CutValue(text.substr(e + 1));
    }
  }
  return KeyedTextFile::GetSectionValue(text, kSection, key);
}

}  // namespace

std::string SerializeSettings(const SettingsRecord& record, bool withLanguage) {
  std::string out = "[INI_DATA]\r\n";
  for (const Field& f : kFields) {
    if (IsLanguage(f) && !withLanguage) continue;
    out += f.literal;
    out += f.text ? record.*f.text : FormatInt(record.*f.choice);
    out += "\r\n";
  }
  return out;
}

void ParseSettings(std::string_view text, bool withLanguage, SettingsRecord& record) {
  for (const Field& f : kFields) {
    if (IsLanguage(f) && !withLanguage) continue;
    std::string value = LookUp(text, f.key);
    if (f.text) record.*f.text = std::move(value);
    else record.*f.choice = ReadLeadingInt(value);
  }
}

bool WriteSettings(const SettingsRecord& record, const std::string& fileName, bool withLanguage) {
  return WriteFileAtomic(fileName, SerializeSettings(record, withLanguage));
}

bool ReadSettings(const std::string& fileName, bool withLanguage, SettingsRecord& record, ReadStatus* status) {
  KeyedTextFile file;
  if (!file.Load(fileName, constants::kMaxSettingsFileBytes, OpenMode::ReadOnly, status)) return false;
  ParseSettings(file.Text(), withLanguage, record);
  return true;
}

bool SetSettingsField(SettingsRecord& record, std::string_view key, std::string_view value) {
  const Field* f = FindField(key);
  if (!f) return false;
  if (f->text) record.*f->text = std::string(value);
  else record.*f->choice = ReadLeadingInt(value);
  return true;
}

std::string GetSettingsField(const SettingsRecord& record, std::string_view key) {
  const Field* f = FindField(key);
  if (!f) return {};
  return f->text ? record.*f->text : FormatInt(record.*f->choice);
}

const char* const* SettingsKeys(int* count) {
  if (count) *count = static_cast<int>(kKeys.size());
  return kKeys.data();
}

}  // namespace velmora
