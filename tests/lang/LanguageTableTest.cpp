// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "lang/LanguageTable.h"
#include "support/TempDir.h"

namespace velmora {
namespace {

using test::crlf;
using test::TempDir;

TEST(LanguageText, SectionsAndSlotRanges) {
  const std::string text = crlf({
      "[TITLE]",          "title = Inductor Designer",
      "version = 5.2",    "[ABOUT]",
      "s0 = never",       "s2 = Contact",
      "s5 = five",        "[MENU]",
      "s1 = About...",    "s5 = menu five",
      "[BASE CORES]",     "s1 = Core",
      "s28 = Delete?",    "s29 = last",
      "[INITIAL DATA]",   "s1 = Initial data",
      "s20 = Wire gauge", "[MAGNETIC CORE]",
      "s0 = zero",        "s1 = Core",
      "s12 = Gap or AL",  "s19 = nineteen",
      "s20 = beyond",     "[RESULTS]",
      "s1 = Inductor",    "s9 = AWG wire",
      "[BUTTONS]",        "s1 = Exit",
      "s9 = nine",        "s10 = beyond",
      "[OTHERS]",         "s0 = never",
      "s8 = Message",     "s21 = No data",
      "s26 = AWG",
  });
  LanguageTable t;
  ParseLanguageText(text, t);
  EXPECT_EQ(t.title, "Inductor Designer");
  EXPECT_EQ(t.version, "5.2");
  EXPECT_EQ(t.Get(LangSection::About, 0), "");
  EXPECT_EQ(t.Get(LangSection::About, 2), "Contact");
  EXPECT_EQ(t.Get(LangSection::About, 5), "five");
  EXPECT_EQ(t.Get(LangSection::Menu, 5), "menu five");
  EXPECT_EQ(t.Get(LangSection::BaseCores, 28), "Delete?");
  EXPECT_EQ(t.Get(LangSection::BaseCores, 29), "last");
  EXPECT_EQ(t.Get(LangSection::InitialData, 20), "Wire gauge");
  EXPECT_EQ(t.Get(LangSection::MagneticCore, 0), "zero");
  EXPECT_EQ(t.Get(LangSection::MagneticCore, 12), "Gap or AL");
  EXPECT_EQ(t.Get(LangSection::MagneticCore, 19), "nineteen");
  EXPECT_EQ(t.Get(LangSection::Results, 9), "AWG wire");
  EXPECT_EQ(t.Get(LangSection::Buttons, 9), "nine");
  EXPECT_EQ(t.Get(LangSection::Others, 0), "");
  EXPECT_EQ(t.Get(LangSection::Others, 8), "Message");
  EXPECT_EQ(t.Get(LangSection::Others, 21), "No data");
  // Beyond a section's range there is no slot.
  EXPECT_EQ(t.Get(LangSection::MagneticCore, 20), "");
  EXPECT_EQ(t.Get(LangSection::Buttons, 10), "");
  EXPECT_EQ(t.Get(LangSection::Others, 32), "");
  EXPECT_EQ(t.Get(LangSection::Others, -1), "");
  EXPECT_STREQ(LangSectionName(LangSection::InitialData), "INITIAL DATA");
}

TEST(LanguageText, EscapesInSlotsButNotInTitle) {
  const std::string text = crlf({
      "[TITLE]",
      "title = A\\nB",
      "version = 1\\t2",
      "[OTHERS]",
      "s1 = two\\nlines",
      "s2 = a\\tb",
      "s3 = C:\\path\\x",
      "s4 = \\\\n",
      "s5 = 100% %s %n",
  });
  LanguageTable t;
  ParseLanguageText(text, t);
  EXPECT_EQ(t.title, "A\\nB");
  EXPECT_EQ(t.version, "1\\t2");
  EXPECT_EQ(t.others[1], "two\nlines");
  EXPECT_EQ(t.others[2], "a\tb");
  EXPECT_EQ(t.others[3], "C:\\path\\x");
  EXPECT_EQ(t.others[4], "\\\n");
  EXPECT_EQ(t.others[5], "100% %s %n");
}

TEST(LanguageText, KeysFoundBySubstringSearch) {
  // In increasing order each key gets its own value.
  LanguageTable ordered;
  ParseLanguageText(crlf({"[OTHERS]", "s2 = a", "s20 = b"}), ordered);
  EXPECT_EQ(ordered.others[2], "a");
  EXPECT_EQ(ordered.others[20], "b");
  // With s20 first, "s2" is found inside "s20".
  LanguageTable swapped;
  ParseLanguageText(crlf({"[OTHERS]", "s20 = b", "s2 = a"}), swapped);
  EXPECT_EQ(swapped.others[2], "b");
  EXPECT_EQ(swapped.others[20], "b");
  // A key missing from its section is taken from a later one.
  LanguageTable later;
  ParseLanguageText(crlf({"[BASE CORES]", "s23 = x", "[OTHERS]", "s24 = from others"}), later);
  EXPECT_EQ(later.baseCores[24], "from others");
  // A section missing altogether leaves its slots empty.
  EXPECT_EQ(later.results[1], "");
}

TEST(LanguageText, AddedTextsTheFileLacksAreEnglish) {
  // A file of the original key set: every text this program added is shown
  // in English, also where the file holds the key with an empty value.
  LanguageTable old;
  ParseLanguageText(crlf({"[BASE CORES]", "s28 = Delete?", "[OTHERS]", "s21 = Sans donnees", "s22 = ", "s26 = AWG"}),
                    old);
  for (const AddedText& added : ProgramAddedTexts()) {
    EXPECT_EQ(old[added.slot], added.english) << LangSectionName(added.slot.section) << " s" << added.slot.key;
  }
  EXPECT_EQ(old[kOkButton], "OK");
  EXPECT_EQ(old[kWireNotice], "The wire diameter is not in the wire table.\nThe next larger size is used:");
  EXPECT_EQ(old[kDeleteCoreQuestion], "Delete?");
  EXPECT_EQ(old[kCancelButton], "");  // not an added text: stays empty
  EXPECT_EQ(old[kNoDataMaterialName], "Sans donnees");

  // A file that holds them keeps its own wording.
  LanguageTable own;
  ParseLanguageText(crlf({"[BASE CORES]", "s29 = Pris", "[OTHERS]", "s22 = Ecriture impossible",
                          "s27 = Pas dans\\nla table", "s28 = Nom refuse", "s29 = Bien", "s30 = Valeur refusee"}),
                    own);
  EXPECT_EQ(own[kCoreNameTaken], "Pris");
  EXPECT_EQ(own[kWriteFailed], "Ecriture impossible");
  EXPECT_EQ(own[kWireNotice], "Pas dans\nla table");
  EXPECT_EQ(own[kCoreNameRefused], "Nom refuse");
  EXPECT_EQ(own[kOkButton], "Bien");
  EXPECT_EQ(own[kCoreValueRefused], "Valeur refusee");
}

TEST(LanguageText, WordKeyedSectionsHoldNoNumberedKey) {
  // An "s22" inside a word-keyed section never stands in for a missing
  // OTHERS s22, wherever the section stands; numbered sections after it are
  // read as before.
  LanguageTable t;
  ParseLanguageText(crlf({"[OTHERS]", "s21 = No data", "[REPORT]", "s22 = report text", "s29 = x", "[DESIGN DETAILS]",
                          "menu = Design", "s8 = y", "[RESULTS]", "s1 = Inductor"}),
                    t);
  EXPECT_EQ(t[kWriteFailed], "Could not write the file");
  EXPECT_EQ(t[kOkButton], "OK");
  EXPECT_EQ(t[kMessageCaption], "");
  EXPECT_EQ(t.results[1], "Inductor");
  EXPECT_EQ(t.report.Get("s22", ""), "report text");
  EXPECT_EQ(t.design.Get("menu", ""), "Design");
  // A word-keyed section with a lone LF or a lone CR after its lines.
  LanguageTable lf;
  ParseLanguageText("[OTHERS]\ns21 = No data\n[REPORT]\ns8 = r\n[BUTTONS]\ns1 = Exit\n", lf);
  EXPECT_EQ(lf[kMessageCaption], "");
  EXPECT_EQ(lf.buttons[1], "Exit");
  EXPECT_EQ(lf.report.Get("s8", ""), "r");
}

TEST(LanguageFile, ReadReplacesTableOrLeavesItUnchanged) {
  TempDir dir;
  LanguageTable t;
  t.others[25] = "old";
  t.title = "old title";
  const LanguageTable before = t;
  EXPECT_FALSE(ReadLanguageFile("English", t));
  EXPECT_EQ(t, before);

  dir.write("English.lng", crlf({"[TITLE]", "title = Velmora", "[OTHERS]", "s8 = Velmora"}));
  ASSERT_TRUE(ReadLanguageFile("English", t));
  EXPECT_EQ(t.title, "Velmora");
  EXPECT_EQ(t.others[8], "Velmora");
  EXPECT_EQ(t.others[25], "");                       // replaced as a whole
  EXPECT_FALSE(ReadLanguageFile("English.lng", t));  // the name is the language
}

// One slot read alone is the slot of the whole table: escapes, a key inside a
// word-keyed section passed over, an added text's English, a missing file.
TEST(LanguageFile, OneSlotAsTheWholeTableHasIt) {
  TempDir dir;
  EXPECT_FALSE(ReadLanguageSlot("English", kNoDataMaterialName).has_value());
  dir.write("English.lng", crlf({"[OTHERS]", "s8 = Caption", "[REPORT]", "s21 = report text", "s22 = x", "[OTHERS2]",
                                 "s21 = other", "[OTHERS]", "s21 = No\\ndata", "s18 = mm"}));
  LanguageTable whole;
  ASSERT_TRUE(ReadLanguageFile("English", whole));
  for (const LangSlot slot : {kNoDataMaterialName, kMessageCaption, kWriteFailed, kUnitMillimetre, kUnitAwg})
    EXPECT_EQ(ReadLanguageSlot("English", slot), whole[slot]) << whole[slot];
  EXPECT_EQ(ReadLanguageSlot("English", kWriteFailed), "Could not write the file");
}

}  // namespace
}  // namespace velmora
