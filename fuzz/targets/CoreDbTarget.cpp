// SPDX-License-Identifier: GPL-3.0-or-later
// The core database on any bytes: the list of every shape, reading every
// listed core, removing it, and adding a core typed with any name and values
// (by data, or by dimensions through the core geometry).
#include <algorithm>

#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "calc/CoreGeometry.h"
#include "data/CoreDatabase.h"
#include "textfile/Numbers.h"

namespace velmora::fuzz {

namespace {

// A value that its record reads back as it stands: one line, no blanks at its
// ends, and none of the four keys inside it.
bool PlainValue(const std::string& v) {
  if (v.empty() || v.front() == ' ' || v.back() == ' ') return false;
  for (const char c : v)
    if (static_cast<unsigned char>(c) <= 13) return false;
  for (const char* key : {"Ae", "An", "le", "mu"})
    if (v.find(key) != std::string::npos) return false;
  return true;
}

}  // namespace

int FuzzCoreDb(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const int shape = in.TakeInt(-1, kShapeCount);
  const bool byDimensions = in.TakeBool();
  const std::string name = in.TakeString(24);
  const std::string Ae = in.TakeString(10);
  const std::string An = in.TakeString(10);
  const std::string le = in.TakeString(10);
  const std::string mu = in.TakeString(10);
  DimensionTexts dims;
  for (std::string* t : {&dims.A, &dims.B, &dims.C, &dims.D, &dims.H, &dims.h, &dims.I}) *t = in.TakeString(8);
  const std::string_view db = in.Rest();

  std::size_t listed = 0;
  for (int s = -1; s <= kShapeCount; ++s) {
    for (const std::string& entry : ListCoreNames(db, s)) {
      if (++listed > 12) break;
      // An entry is a name: it never runs over a line break.
      VELMORA_FUZZ_CHECK(entry.find_first_of("\r\n") == std::string::npos);
      const CoreTexts texts = ReadCoreTexts(db, entry);
      const CoreRecord core = CoreFromTexts(entry, texts);
      (void)FormatVolume(core);
      (void)ShapeOfName(entry);
      const std::string rest = RemoveCoreRecord(db, entry);
      VELMORA_FUZZ_CHECK(rest.size() <= db.size());
      // What is left is the text with one piece cut out of it.
      const std::size_t cut = db.size() - rest.size();
      std::size_t head = 0;
      while (head < rest.size() && rest[head] == db[head]) ++head;
      VELMORA_FUZZ_CHECK(db.substr(head + cut) == std::string_view(rest).substr(head));
    }
  }

  // Adding.
  if (!IsValidCoreName(name) || name.empty()) return 0;
  const std::string full = WithShapePrefix(name, shape);
  VELMORA_FUZZ_CHECK(full.find(ShapePrefix(shape)) != std::string::npos);
  std::string ae = Ae, an = An, l = le;
  if (byDimensions) {
    const auto geometry = ComputeCoreGeometry(shape, dims);
    if (!geometry) return 0;
    ae = geometry->AeText;
    an = geometry->AnText;
    l = geometry->leText;
  }
  const std::string record = FormatCoreRecord(full, ae, an, l, mu);
  const bool plain = PlainValue(ae) && PlainValue(an) && PlainValue(l) && PlainValue(mu);
  if (plain) VELMORA_FUZZ_CHECK(std::count(record.begin(), record.end(), '\n') == 6);

  // Appended to a text that ends its last line (as the program leaves it),
  // the new record is found under its name, reads back its values and is
  // removed again without touching the rest.
  const bool endsLine = db.empty() || db.back() == '\n';
  if (!endsLine || HasCoreRecord(db, full)) return 0;
  std::string grown(db);
  grown += record;
  VELMORA_FUZZ_CHECK(HasCoreRecord(grown, full));
  if (plain) {
    const CoreTexts back = ReadCoreTexts(grown, full);
    VELMORA_FUZZ_CHECK(back.Ae == CommaToPoint(ae));
    VELMORA_FUZZ_CHECK(back.An == CommaToPoint(an));
    VELMORA_FUZZ_CHECK(back.le == CommaToPoint(l));
    VELMORA_FUZZ_CHECK(back.mu == CommaToPoint(mu));
    VELMORA_FUZZ_CHECK(RemoveCoreRecord(grown, full) == db);
  }
  return 0;
}

}  // namespace velmora::fuzz
