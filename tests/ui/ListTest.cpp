// SPDX-License-Identifier: GPL-3.0-or-later
// Combo and list boxes: sorted insertion, prefix search, selection and the
// combo's edit field, and the folder listing of a list box.
#include <filesystem>

#include "UiFixture.h"
#include "support/TempDir.h"
#include "textfile/CaseFold.h"

namespace velmora::test {
namespace {

using ui::ControlKind;

ui::DialogTemplate ListsTemplate() {
  ui::DialogTemplate t;
  t.controls = {
      Ctl(1, ControlKind::ComboBox, "", ui::kSorted | ui::kDropDown),
      Ctl(2, ControlKind::ComboBox, "", ui::kDropDown),
      Ctl(3, ControlKind::ListBox, "", ui::kSorted | ui::kNotify),
      Ctl(4, ControlKind::ListBox, ""),
  };
  return t;
}

// Windows-1251 bytes.
const std::string kFerrite = "\xD4\xE5\xF0\xF0\xE8\xF2";  // "Феррит"
const std::string kFerLower = "\xF4\xE5\xF0";             // "фер"
const std::string kYo = "\xA8\xEB\xEA\xE0";               // "Ёлка"
const std::string kYe = "\xC5\xEB\xFC";                    // "Ель"
const std::string kZh = "\xC6\xE0\xF0";                    // "Жар"

class ListTest : public UiTest {
 protected:
  LoggingDialog dlg{ListsTemplate(), host};
};

TEST_F(ListTest, SortedInsertionIgnoresCaseAndPutsEqualKeysAfter) {
  for (const char* s : {"b", "C", "a", "B", "E 25/13/7", "E 20/10/6"}) dlg.AddString(1, s);
  EXPECT_EQ(dlg.Item(1)->items, (std::vector<std::string>{"a", "b", "B", "C", "E 20/10/6", "E 25/13/7"}));
  EXPECT_EQ(dlg.AddString(1, "b"), 3);  // after both existing "b"s

  // Latin before Cyrillic, Ё right after Е, case ignored for Cyrillic too.
  dlg.ResetContent(1);
  for (const std::string& s : {kZh, kYo, std::string("z"), kYe, std::string("\xE5\xEB\xFC")}) dlg.AddString(1, s);
  EXPECT_EQ(dlg.Item(1)->items, (std::vector<std::string>{"z", kYe, "\xE5\xEB\xFC", kYo, kZh}));

  // Unsorted lists keep the order of adding; the selection follows an insert.
  dlg.AddString(2, "z");
  dlg.AddString(2, "a");
  EXPECT_EQ(dlg.Item(2)->items, (std::vector<std::string>{"z", "a"}));
  dlg.SetCurSel(3, -1);
  dlg.AddString(3, "m");
  dlg.SetCurSel(3, 0);
  dlg.AddString(3, "a");
  EXPECT_EQ(dlg.GetCurSel(3), 1);
  EXPECT_EQ(dlg.GetLBText(3, 1), "m");
  EXPECT_EQ(dlg.GetLBText(3, 5), "");
}

TEST_F(ListTest, FindStringMatchesPrefixesCaseIgnoredAndWraps) {
  for (const std::string& s : {std::string("N87 Epcos"), std::string("N27 Epcos"), kFerrite,
                               std::string("n87 other"), std::string("3C90")})
    dlg.AddString(2, s);  // unsorted: the order above
  EXPECT_EQ(dlg.FindString(2, -1, "n87"), 0);
  EXPECT_EQ(dlg.FindString(2, 0, "N87"), 3);  // starts after 0
  EXPECT_EQ(dlg.FindString(2, 3, "N87"), 0);  // wraps round to the top
  EXPECT_EQ(dlg.FindString(2, -1, kFerLower), 2);
  EXPECT_EQ(dlg.FindString(2, -1, "N87 Epcos and more"), -1);  // longer than every entry
  EXPECT_EQ(dlg.FindString(2, -1, "Epcos"), -1);               // not a prefix
  EXPECT_EQ(dlg.FindString(2, 99, "3c"), 4);                   // a start beyond the end searches all
  EXPECT_EQ(dlg.FindString(4, -1, "x"), -1);                   // empty list
}

// The lists fold letters exactly as the file names on disk do: one fold.
TEST_F(ListTest, SearchAndOrderFoldCaseAsFileNamesDo) {
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) {
      const std::string x(1, static_cast<char>(a)), y(1, static_cast<char>(b));
      ASSERT_EQ(ui::CompareNoCase(x, y) == 0, FoldCaseCp1251(x) == FoldCaseCp1251(y)) << a << " " << b;
    }
  // Ukrainian capitals and small letters (Windows-1251 Ґ ґ, Є є, Ї ї).
  const std::string upper = "\xA5\xAA\xAF", lower = "\xB4\xBA\xBF";
  dlg.AddString(2, "x");
  dlg.AddString(2, upper + " core");
  EXPECT_EQ(dlg.FindString(2, -1, lower), 1);
  EXPECT_EQ(ui::CompareNoCase(upper, lower), 0);
  EXPECT_TRUE(ui::MatchesPattern(upper + ".SAV", "*" + lower + ".sav"));
}

TEST_F(ListTest, SelectionAndTheComboEditField) {
  dlg.AddString(1, "E 25/13/7");
  dlg.AddString(1, "E 20/10/6");
  EXPECT_EQ(dlg.SetCurSel(1, 1), 1);
  EXPECT_EQ(dlg.GetItemText(1), "E 25/13/7");
  EXPECT_EQ(dlg.SetCurSel(1, 5), -1);  // out of range clears
  EXPECT_EQ(dlg.GetCurSel(1), -1);
  EXPECT_EQ(dlg.GetItemText(1), "");
  EXPECT_TRUE(dlg.log.empty());  // program selection: no notification

  dlg.UserSelect(1, 0);
  EXPECT_EQ(dlg.GetItemText(1), "E 20/10/6");
  dlg.UserType(1, "New core");  // typing: the selection goes, the text stays
  EXPECT_EQ(dlg.GetCurSel(1), -1);
  EXPECT_EQ(dlg.GetItemText(1), "New core");
  dlg.SetItemText(1, "Set");  // the program sets the edit field silently
  EXPECT_EQ(dlg.GetItemText(1), "Set");
  EXPECT_EQ(dlg.log, (std::vector<std::string>{"cmd 1 selchange", "cmd 1 editchange"}));

  dlg.SetCurSel(1, 0);
  dlg.ResetContent(1);
  EXPECT_EQ(dlg.GetCount(1), 0);
  EXPECT_EQ(dlg.GetCurSel(1), -1);
  EXPECT_EQ(dlg.GetItemText(1), "");

  // A double click selects first (with its notification) then double-clicks.
  dlg.log.clear();
  dlg.AddString(3, "a");
  dlg.AddString(3, "b");
  dlg.UserDoubleClick(3, 1);
  dlg.UserDoubleClick(3, 1);
  EXPECT_EQ(dlg.log, (std::vector<std::string>{"cmd 3 selchange", "cmd 3 dblclk", "cmd 3 dblclk"}));
  dlg.UserSelect(3, 2);  // no such entry
  EXPECT_EQ(dlg.GetCurSel(3), 1);
}

TEST_F(ListTest, DirListsWritableRegularFilesByPatternSorted) {
  TempDir dir;
  namespace fs = std::filesystem;
  dir.write("b.sav", "x");
  dir.write("A.SAV", "x");
  dir.write("c.sav.bak", "x");
  dir.write(".hidden.sav", "x");
  dir.write("Inductor.ini", "x");
  dir.write("\xD0\x94\xD1\x80\xD0\xBE\xD1\x81\xD1\x81\xD0\xB5\xD0\xBB\xD1\x8C.sav", "x");  // "Дроссель.sav" in UTF-8
  dir.write("\xE6\x97\xA5.sav", "x");  // a character Windows-1251 cannot hold
  dir.write("ro.sav", "x");
  fs::permissions("ro.sav", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  fs::create_directory("folder.sav");

  EXPECT_EQ(dlg.Dir(3, "*.sav"), 2);
  EXPECT_EQ(dlg.Dir(3, "*.ini"), 2);
  EXPECT_EQ(dlg.Item(3)->items,
            (std::vector<std::string>{"A.SAV", "b.sav", "Inductor.ini", "\xC4\xF0\xEE\xF1\xF1\xE5\xEB\xFC.sav"}));

  EXPECT_EQ(dlg.Dir(4, "*.SAV"), 2);  // unsorted list: names come in name order
  EXPECT_EQ(dlg.Item(4)->items,
            (std::vector<std::string>{"A.SAV", "b.sav", "\xC4\xF0\xEE\xF1\xF1\xE5\xEB\xFC.sav"}));
  EXPECT_EQ(dlg.Dir(4, "*.lng"), -1);

  EXPECT_TRUE(ui::MatchesPattern("ReadMe-English.txt", "readme-*.TXT"));
  EXPECT_TRUE(ui::MatchesPattern("a1b", "a?b"));
  EXPECT_TRUE(ui::MatchesPattern("noext", "*.*"));
  EXPECT_FALSE(ui::MatchesPattern("a.sav.bak", "*.sav"));
  EXPECT_TRUE(ui::MatchesPattern("\xC4\xD0.sav", "\xE4\xF0*"));  // Cyrillic case ignored
}

}  // namespace
}  // namespace velmora::test
