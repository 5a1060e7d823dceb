// SPDX-License-Identifier: GPL-3.0-or-later
// Lookups of the keyed text reader on any bytes, with any section and key.
#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "textfile/KeyedTextFile.h"

namespace velmora::fuzz {

namespace {

bool NoBlankAtEnds(const std::string& v) { return v.empty() || (v.front() != ' ' && v.back() != ' '); }

}  // namespace

int FuzzKeyedText(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const std::string key = in.TakeString(24);
  const std::string section = in.TakeString(24);
  const std::string_view text = in.Rest();
  const std::string_view visible = UpToFirstZero(text);

  const std::string v = KeyedTextFile::GetValue(text, key);
  // The value lies in the text before its first zero byte and ends before a CR.
  VELMORA_FUZZ_CHECK(v.find('\r') == std::string::npos);
  VELMORA_FUZZ_CHECK(v.find('\0') == std::string::npos);
  VELMORA_FUZZ_CHECK(NoBlankAtEnds(v));
  VELMORA_FUZZ_CHECK(v.empty() || visible.find(v) != std::string_view::npos);
  if (visible.find(key) == std::string_view::npos) VELMORA_FUZZ_CHECK(v.empty());

  const std::string sv = KeyedTextFile::GetSectionValue(text, section, key);
  for (const char c : sv) VELMORA_FUZZ_CHECK(static_cast<unsigned char>(c) > 13);
  VELMORA_FUZZ_CHECK(NoBlankAtEnds(sv));
  VELMORA_FUZZ_CHECK(sv.empty() || visible.find(sv) != std::string_view::npos);
  if (visible.find(section) == std::string_view::npos) VELMORA_FUZZ_CHECK(sv.empty());

  // The lookups only read: the same call gives the same value.
  VELMORA_FUZZ_CHECK(KeyedTextFile::GetValue(text, key) == v);
  KeyedTextFile file;
  file.SetText(std::string(visible));
  VELMORA_FUZZ_CHECK(KeyedTextFile::GetSectionValue(file.Text(), section, key) == sv);
  return 0;
}

}  // namespace velmora::fuzz
