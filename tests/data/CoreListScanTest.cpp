// SPDX-License-Identifier: GPL-3.0-or-later
// The core list and the record search in one pass over the text: the same
// entries as the straightforward scan (kept here as the reference), and time
// linear in the text for any content.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "data/CoreDatabase.h"

namespace velmora {
namespace {

constexpr auto npos = std::string_view::npos;

// The scan as first written: from each match of the shape's pattern up to the
// next ']', kept when it lies on a name line. Quadratic, but plain to read.
bool ReferenceOnNameLine(std::string_view t, std::size_t p, std::size_t close) {
  const std::size_t brk = p == 0 ? npos : t.find_last_of("\r\n", p - 1);
  const std::size_t start = brk == npos ? 0 : brk + 1;
  return (start == p || t[start] == '[') && t.find_first_of("\r\n", p) > close;
}

std::vector<std::string> ReferenceList(std::string_view t, int shape) {
  static constexpr std::string_view kPatterns[] = {"E ", "EI", "ER", "ETD", "R "};
  std::vector<std::string> names;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t p = shape == kShapeOther ? t.find('[', pos) : t.find(kPatterns[shape], pos);
    if (p == npos) break;
    std::size_t from = p;
    if (shape == kShapeR && (p == 0 || t[p - 1] != '[')) {
      pos = p + 1;
      continue;
    }
    if (shape == kShapeOther) {
      from = p + 1;
      const bool e = from < t.size() && t[from] == 'E';
      const bool r = from < t.size() && t[from] == 'R' && !(from + 1 < t.size() && t[from + 1] == 'M');
      if (e || r) {
        pos = from;
        continue;
      }
    }
    const std::size_t close = t.find(']', from);
    if (close == npos) break;
    if (!ReferenceOnNameLine(t, p, close)) {
      pos = shape == kShapeOther ? from : p + 1;
      continue;
    }
    names.emplace_back(t.substr(from, close - from));
    pos = close;
  }
  return names;
}

TEST(CoreListScan, GivesTheEntriesOfTheReferenceScanForAnyText) {
  // Texts made of the bytes the scan looks at, so that every rule is hit often.
  const std::string alphabet = "[]ERITDM \r\nx5";
  std::mt19937 rng(9);
  for (int round = 0; round < 20000; ++round) {
    std::string text(rng() % 60, ' ');
    for (char& c : text) c = alphabet[rng() % alphabet.size()];
    for (int shape = kShapeE; shape <= kShapeOther; ++shape)
      ASSERT_EQ(ListCoreNames(text, shape), ReferenceList(text, shape)) << "shape " << shape << " text "
                                                                         << ::testing::PrintToString(text);
  }
}

// Long lines of one repeated pattern: every match of a plain scan looks back
// to the line's start, and every partial match of a plain search starts over.
TEST(CoreListScan, OneMegabyteOfAnyContentIsListedAndReadInLinearTime) {
  const std::size_t n = 500'000;
  std::string repeated;
  for (std::size_t i = 0; i < n; ++i) repeated += "E ";
  const std::string texts[] = {
      "x" + repeated + "]",          // a stray byte, then "E " up to one ']'
      "[E" + repeated + "]",         // one header line holding every match
      "[R " + repeated + "]",
      std::string(n, '[') + "]" + std::string(n, ']'),
  };
  const auto start = std::chrono::steady_clock::now();
  for (const std::string& text : texts) {
    for (int shape = kShapeE; shape <= kShapeOther; ++shape)
      for (const std::string& name : ListCoreNames(text, shape)) {
        ReadCoreTexts(text, name);
        if (IsValidCoreName(name)) {
          EXPECT_LT(RemoveCoreRecord(text, name).size(), text.size());
        }
      }
    // A name that occurs inside the header only in part, at every position.
    ReadCoreTexts(text, repeated.substr(0, 4000) + "x");
  }
  // A record whose optional keys stand on one long line behind long blanks.
  std::string extras = "[E 1]\r\n" + std::string(n, ' ');
  for (std::size_t i = 0; i < n / 4; ++i) extras += "MLT ";
  EXPECT_EQ(ReadCoreExtras(extras, "E 1").MLT, 0);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  // A quadratic scan takes minutes here; a linear one well under a second,
  // also in the sanitizer build.
  EXPECT_LT(seconds, 10.0);

  // Tiny records without end: the list stops at its most entries, the first ones.
  std::string tiny;
  for (std::size_t i = 0; i < kMaxCoreListEntries + 10; ++i) tiny += "[E " + std::to_string(i) + "]";
  const auto names = ListCoreNames(tiny, kShapeE);
  ASSERT_EQ(names.size(), kMaxCoreListEntries);
  EXPECT_EQ(names.front(), "E 0");
  EXPECT_EQ(names.back(), "E " + std::to_string(kMaxCoreListEntries - 1));
}

}  // namespace
}  // namespace velmora
