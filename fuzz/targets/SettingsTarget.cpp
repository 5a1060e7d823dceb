// SPDX-License-Identifier: GPL-3.0-or-later
// The settings and design file reader on any bytes, and the command line's
// access to the fields by key.
#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "settings/SettingsRecord.h"

namespace velmora::fuzz {

namespace {

void CheckTextField(const std::string& v) {
  for (const char c : v) VELMORA_FUZZ_CHECK(static_cast<unsigned char>(c) > 13);
  VELMORA_FUZZ_CHECK(v.empty() || (v.front() != ' ' && v.back() != ' '));
}

}  // namespace

int FuzzSettings(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const bool withLanguage = in.TakeBool();
  const std::string value = in.TakeString(32);
  const std::string key = in.TakeString(12);
  const std::string_view text = in.Rest();

  SettingsRecord record;
  ParseSettings(text, withLanguage, record);
  for (const std::string* f :
       {&record.core, &record.mater, &record.gapOrAl, &record.L, &record.voltageSwitchOn, &record.Udc, &record.Inom,
        &record.Imin, &record.Fc, &record.j, &record.wireSize, &record.lang})
    CheckTextField(*f);
  if (!withLanguage) VELMORA_FUZZ_CHECK(record.lang == SettingsRecord{}.lang);

  // A record read from a file and written again keeps its own layout: the
  // header, then one line per field.
  const std::string bytes = SerializeSettings(record, withLanguage);
  VELMORA_FUZZ_CHECK(bytes.rfind("[INI_DATA]\r\n", 0) == 0);
  std::size_t lines = 0;
  for (std::size_t p = bytes.find("\r\n"); p != std::string::npos; p = bytes.find("\r\n", p + 2)) ++lines;
  VELMORA_FUZZ_CHECK(lines == (withLanguage ? 18u : 17u));
  // Any record that a file can give is written and read back unchanged: a
  // saved design loads back to the same inputs.
  SettingsRecord again;
  again.lang = record.lang;
  ParseSettings(bytes, withLanguage, again);
  VELMORA_FUZZ_CHECK(again == record);

  // Fields by key.
  int count = 0;
  const char* const* keys = SettingsKeys(&count);
  VELMORA_FUZZ_CHECK(count == 17);
  const bool known = SetSettingsField(record, key, value);
  bool listed = false;
  for (int i = 0; i < count; ++i) listed = listed || key == keys[i];
  VELMORA_FUZZ_CHECK(known == listed);
  if (!known) VELMORA_FUZZ_CHECK(GetSettingsField(record, key).empty());
  return 0;
}

}  // namespace velmora::fuzz
