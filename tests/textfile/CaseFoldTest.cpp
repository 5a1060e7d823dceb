// SPDX-License-Identifier: GPL-3.0-or-later
// The one Windows-1251 case fold, and the file-name lookup and the name
// matching that use it.
#include "textfile/CaseFold.h"

#include <gtest/gtest.h>

#include <string>

#include "support/TempDir.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"
#include "textfile/Limits.h"
#include "textfile/NameMatch.h"

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

// A name as written on a command line or in a MAS document, found in a list:
// exact (case and spacing ignored) before the first words of one name, before
// a unique prefix; else the names it may mean, or the whole list.
TEST(ListMatch, ExactThenUniquePrefixElseTheCandidates) {
  const std::vector<std::string> names = {"MPP 14",         "MPP 147",         "N87 Epcos",   "N97 Epcos",
                                          "3F3 Ferroxcube", "3F36 Ferroxcube", Cp("Феррит Б")};
  const std::vector<std::string> none{};
  struct Case {
    std::string wanted;
    std::size_t index;
    std::vector<std::string> candidates;
  };
  const std::size_t kNone = ListMatch::kNone;
  for (const Case& c : std::vector<Case>{
           {"MPP 14", 0, none},  // exact, though "MPP 147" begins so too
           {" N 87  EPCOS ", 2, none},
           {"N87", 2, none},  // its first word
           {"n8", 2, none},   // the only entry it begins
           {"3F3", 4, none},  // its first word, though "3F36 Ferroxcube" begins so too
           {Cp("ферритб"), 6, none},
           {"3F", kNone, {"3F3 Ferroxcube", "3F36 Ferroxcube"}},
           {"MPP 1", kNone, {"MPP 14", "MPP 147"}},
           {"N87 Epcos TDK", kNone, names},
           {" ", kNone, names},
       }) {
    const ListMatch match = MatchName(names, c.wanted);
    EXPECT_EQ(match.index, c.index) << c.wanted;
    EXPECT_EQ(match.candidates, c.candidates) << c.wanted;
    EXPECT_EQ(match.ambiguous, c.candidates.size() > 0 && c.candidates != names) << c.wanted;
  }
}

}  // namespace
}  // namespace velmora
