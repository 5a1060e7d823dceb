// SPDX-License-Identifier: GPL-3.0-or-later
// Every reader on a huge file: the input, a short pattern, is repeated into a
// file of up to 2 MB, and each reader of outside data takes it whole. Run
// under a memory limit and a time limit, this finds what only size brings
// out: a scan that is quadratic in the file, a value copied per key, a
// reader that holds many times the file.
#include <algorithm>

#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "calc/WireTable.h"
#include "data/CoreDatabase.h"
#include "data/MaterialRecord.h"
#include "lang/LanguageTable.h"
#include "settings/SettingsRecord.h"
#include "textfile/KeyedTextFile.h"
#include "textfile/Limits.h"

namespace velmora::fuzz {

namespace {

// The largest file the target builds: big enough that a quadratic scan takes
// minutes and a per-key copy gigabytes, small enough for many runs a second.
constexpr std::size_t kMaxHugeBytes = 2u << 20;

// The pattern repeated up to the size, then the tail once (a file that ends
// differently from its body, as most do).
std::string Expand(std::string_view pattern, std::string_view tail, std::size_t size) {
  std::string text;
  if (pattern.empty()) pattern = "E ";
  text.reserve(size + tail.size());
  while (text.size() + pattern.size() <= size) text.append(pattern);
  text.append(tail);
  return text;
}

}  // namespace

int FuzzHuge(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const std::size_t bytes = static_cast<std::size_t>(in.TakeInt(1, static_cast<int>(kMaxHugeBytes)));
  const std::string tail = in.TakeString(64);
  const std::string text = Expand(in.Rest(), tail, bytes);

  // The core database: every shape listed, the first entries read and removed.
  for (int shape = kShapeE; shape <= kShapeOther; ++shape) {
    const std::vector<std::string> names = ListCoreNames(text, shape);
    for (std::size_t i = 0; i < std::min<std::size_t>(names.size(), 3); ++i) {
      ReadCoreTexts(text, names[i]);
      ReadCoreExtras(text, names[i]);
      VELMORA_FUZZ_CHECK(RemoveCoreRecord(text, names[i]).size() <= text.size());
    }
  }
  // The keyed files: no value is longer than its cut.
  const std::vector<std::string> materials = ParseMaterialList(text);
  for (const std::string& name : materials) VELMORA_FUZZ_CHECK(name.size() <= constants::kMaxValueBytes);
  MaterialRecord material;
  ParseMaterialText(text, material);
  LanguageTable table;
  ParseLanguageText(text, table);
  for (const std::string& slot : table.others) VELMORA_FUZZ_CHECK(slot.size() <= constants::kMaxLanguageTextBytes);
  SettingsRecord settings;
  ParseSettings(text, true, settings);
  VELMORA_FUZZ_CHECK(settings.core.size() <= constants::kMaxValueBytes);
  ParseWireTable(text);
  return 0;
}

}  // namespace velmora::fuzz
