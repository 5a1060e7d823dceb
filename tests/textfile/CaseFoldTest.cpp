// SPDX-License-Identifier: GPL-3.0-or-later
// The one Windows-1251 case fold, and the file-name lookup that uses it.
#include <gtest/gtest.h>

#include <string>

#include "support/TempDir.h"
#include "textfile/CaseFold.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"
#include "textfile/Limits.h"

namespace velmora {
namespace {

std::string Cp(const char* utf8) { return Utf8ToCp1251(utf8).value(); }

TEST(CaseFold, EveryCapitalOfTheCodePageHasItsSmallLetter) {
  const std::string upper = Cp("ABCXYZАБВЁЖЯҐЄЇІЎЈЅЂЃЉЊЌЋЏ");
  const std::string lower = Cp("abcxyzабвёжяґєїіўјѕђѓљњќћџ");
  EXPECT_EQ(FoldCaseCp1251(upper), lower);
  EXPECT_EQ(FoldCaseCp1251(lower), lower);
  // The three that the file names once folded apart from the lists.
  EXPECT_EQ(FoldCaseCp1251(0xA5), 0xB4);  // Ґ ґ
  EXPECT_EQ(FoldCaseCp1251(0xAA), 0xBA);  // Є є
  EXPECT_EQ(FoldCaseCp1251(0xAF), 0xBF);  // Ї ї

  // Exactly the 73 capitals move; the fold of a fold is itself.
  int moved = 0;
  for (int c = 0; c < 256; ++c) {
    const unsigned char f = FoldCaseCp1251(static_cast<unsigned char>(c));
    moved += f != c;
    EXPECT_EQ(FoldCaseCp1251(f), f) << c;
  }
  EXPECT_EQ(moved, 26 + 32 + 15);
  // Signs, digits and the unassigned byte stay.
  const std::string signs = std::string("09 _-.,[]") + Cp("µ№€«»§") + "\x98";
  EXPECT_EQ(FoldCaseCp1251(signs), signs);
}

TEST(CaseFold, FileNamesAreFoundWhateverTheirLetterCase) {
  test::TempDir dir;
  dir.write("Ґрунт Єва Їжак.txt", "x");
  dir.write("Ёлка.lng", "y");
  EXPECT_EQ(ResolveNameNoCase("ґрунт єва їжак.TXT"), "Ґрунт Єва Їжак.txt");
  EXPECT_EQ(ResolveNameNoCase(dir.path() + "/ҐРУНТ ЄВА ЇЖАК.txt"), dir.path() + "/Ґрунт Єва Їжак.txt");
  EXPECT_EQ(ReadWholeFile("ёлка.LNG", constants::kMaxTextFileBytes).value_or(""), "y");
  // Letters of other code pages compare as bytes: no fold, no match.
  EXPECT_EQ(ResolveNameNoCase("ΓΡΥΝΤ.txt"), "ΓΡΥΝΤ.txt");
}

}  // namespace
}  // namespace velmora
