// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/TempDir.h"
#include "textfile/KeyedTextFile.h"
#include "textfile/Unprivileged.h"

namespace velmora {
namespace {

using test::crlf;
using test::TempDir;

TEST(KeyedTextFileLookup, KeyFoundInsideLongerKeyOrEarlierText) {
  // "Mat1" is found inside "Mat10", so its value is that of Mat10.
  const std::string list = crlf({"Mat10 = X", "Mat1 = Y"});
  EXPECT_EQ(KeyedTextFile::GetValue(list, "Mat1"), "X");
  EXPECT_EQ(KeyedTextFile::GetValue(list, "Mat10"), "X");

  // A key that first occurs in a comment takes the value after the next '='.
  const std::string comment = crlf({"; the d1 line follows", "d1 = 0.5", "d2 = 0.6"});
  EXPECT_EQ(KeyedTextFile::GetValue(comment, "d1"), "0.5");
  const std::string inValue = crlf({"name = about d2 size", "d1 = 0.5", "d2 = 0.6"});
  EXPECT_EQ(KeyedTextFile::GetValue(inValue, "d2"), "0.5");

  // The '=' may lie on a later line.
  EXPECT_EQ(KeyedTextFile::GetValue(crlf({"alpha", "beta = 3"}), "alpha"), "3");
  EXPECT_EQ(KeyedTextFile::GetSectionValue(crlf({"[S]", "alpha", "beta = 3"}), "S", "alpha"), "3");
}

TEST(KeyedTextFileLookup, SectionSearchStartsAtFirstOccurrence) {
  // "E 25" first occurs inside the name "E 25/13/7"; the key search starts there.
  const std::string db = crlf({"[E 25/13/7]", "Ae = 52", "[E 25]", "Ae = 40"});
  EXPECT_EQ(KeyedTextFile::GetSectionValue(db, "E 25", "Ae"), "52");
  // A key missing from its section is found in a later one.
  const std::string later = crlf({"[A]", "x = 1", "[B]", "y = 2"});
  EXPECT_EQ(KeyedTextFile::GetSectionValue(later, "A", "y"), "2");
  // Missing section or key.
  EXPECT_EQ(KeyedTextFile::GetSectionValue(later, "C", "x"), "");
  EXPECT_EQ(KeyedTextFile::GetSectionValue(later, "B", "x"), "");
  EXPECT_EQ(KeyedTextFile::GetValue(later, "z"), "");
}

TEST(KeyedTextFileLookup, ValueCutAndTrim) {
  // Only the first '=' after the key counts.
  EXPECT_EQ(KeyedTextFile::GetValue(crlf({"k = a=b"}), "k"), "a=b");
  EXPECT_EQ(KeyedTextFile::GetSectionValue(crlf({"[S]", "k = a=b"}), "S", "k"), "a=b");
  // Blanks (byte 32 only) are trimmed.
  EXPECT_EQ(KeyedTextFile::GetValue("k=   v w   \r\n", "k"), "v w");
  EXPECT_EQ(KeyedTextFile::GetSectionValue("[S]\r\nk=   v w   \r\n", "S", "k"), "v w");
  // A TAB after '=' stays in GetValue and ends the value in GetSectionValue.
  EXPECT_EQ(KeyedTextFile::GetValue("k =\tv \r\n", "k"), "\tv");
  EXPECT_EQ(KeyedTextFile::GetSectionValue("[S]\r\nk =\tv\r\n", "S", "k"), "");
  // LF alone ends a value of both lookups, as CR does; TAB ends only a
  // GetSectionValue one.
  EXPECT_EQ(KeyedTextFile::GetValue("k = a\nm = b\n", "k"), "a");
  EXPECT_EQ(KeyedTextFile::GetValue("k = a b  \n", "k"), "a b");
  EXPECT_EQ(KeyedTextFile::GetValue("k = a\rm = b\r", "k"), "a");
  EXPECT_EQ(KeyedTextFile::GetValue("k = a\tb\n", "k"), "a\tb");
  EXPECT_EQ(KeyedTextFile::GetValue("k =\nm = b\n", "k"), "");
  EXPECT_EQ(KeyedTextFile::GetSectionValue("[S]\nk = a\nm = b\n", "S", "k"), "a");
  // Every control byte up to 13 ends a GetSectionValue value; letters of the
  // code page (bytes >= 128) never do.
  EXPECT_EQ(KeyedTextFile::GetSectionValue("[S]k = a\x0b"
                                           "b",
                                           "S", "k"),
            "a");
  EXPECT_EQ(KeyedTextFile::GetSectionValue("[S]k = a\x0e"
                                           "b",
                                           "S", "k"),
            "a\x0e"
            "b");
  EXPECT_EQ(KeyedTextFile::GetSectionValue("[S]k = \xcc\xe0\xf2\xe5\xf0\r\n", "S", "k"), "\xcc\xe0\xf2\xe5\xf0");
  // The last line without a line break is returned whole.
  EXPECT_EQ(KeyedTextFile::GetValue("a = 1\r\nk = last", "k"), "last");
  EXPECT_EQ(KeyedTextFile::GetSectionValue("[S]\r\nk = last", "S", "k"), "last");
  // No '=' after the key anywhere: empty.
  EXPECT_EQ(KeyedTextFile::GetValue("a = 1\r\nk only\r\n", "k"), "");
  EXPECT_EQ(KeyedTextFile::GetSectionValue("[S]\r\nk only\r\n", "S", "k"), "");
  // Empty text.
  EXPECT_EQ(KeyedTextFile::GetValue("", "k"), "");
  EXPECT_EQ(KeyedTextFile::GetSectionValue("", "S", "k"), "");
}

TEST(KeyedTextFileLoad, ReadsWholeFileUpToFirstZero) {
  TempDir dir;
  // Far larger than any fixed buffer would hold; the key sits at the very end.
  std::string big = "[INI_DATA]\r\n";
  while (big.size() < 250'000) big += "; filler line of a big file\r\n";
  big += "last = end\r\n";
  dir.write("big.txt", big);
  KeyedTextFile f;
  ASSERT_TRUE(f.Load("big.txt", constants::kMaxTextFileBytes));
  EXPECT_EQ(f.Text().size(), big.size());
  EXPECT_EQ(KeyedTextFile::GetValue(f.Text(), "last"), "end");

  dir.write("zero.txt", std::string("a = 1\r\n\0b = 2\r\n", 15));
  ASSERT_TRUE(f.Load("zero.txt", constants::kMaxTextFileBytes));
  EXPECT_EQ(f.Text(), "a = 1\r\n");
  EXPECT_EQ(KeyedTextFile::GetValue(f.Text(), "b"), "");

  dir.write("empty.txt", "");
  ASSERT_TRUE(f.Load("empty.txt", constants::kMaxTextFileBytes));
  EXPECT_EQ(f.Text(), "");
}

TEST(KeyedTextFileLoad, FailureKeepsPreviousText) {
  TempDir dir;
  KeyedTextFile f;
  dir.write("a.txt", "x = 1\r\n");
  ASSERT_TRUE(f.Load("a.txt", constants::kMaxTextFileBytes));
  EXPECT_FALSE(f.Load("missing.txt", constants::kMaxTextFileBytes));
  EXPECT_FALSE(f.Load(".", constants::kMaxTextFileBytes));  // a folder is no file
  EXPECT_EQ(f.Text(), "x = 1\r\n");
}

TEST(KeyedTextFileLoad, ReadWriteRefusesWriteProtectedFile) {
  TempDir dir;
  dir.write("BaseCores.txt", "[E 20]\r\nAe = 32\r\n");
  ASSERT_EQ(::chmod("BaseCores.txt", 0444), 0);
  ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
  const auto ok = test::AsUnprivilegedUser([] {
    KeyedTextFile f;
    f.SetText("old");
    return !f.Load("BaseCores.txt", constants::kMaxTextFileBytes, OpenMode::ReadWrite) && f.Text() == "old" &&
           f.Load("BaseCores.txt", constants::kMaxTextFileBytes, OpenMode::ReadOnly) &&
           f.Text() == "[E 20]\r\nAe = 32\r\n";
  });
  if (!ok) GTEST_SKIP() << "cannot drop root rights here";
  EXPECT_TRUE(*ok);
}

}  // namespace
}  // namespace velmora
