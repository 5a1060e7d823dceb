// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/TempDir.h"
#include "textfile/FileIO.h"
#include "textfile/Limits.h"

namespace velmora {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

std::size_t FilesIn(const std::string& folder) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder)) ++n;
  return n;
}

TEST(WriteFileAtomic, ReplacesWholeFileAndLeavesNoTemporary) {
  TempDir dir;
  dir.write("Inductor.ini", "old contents that are longer than the new ones");
  ASSERT_TRUE(WriteFileAtomic("Inductor.ini", std::string_view("new\0bytes\r\n", 11)));
  EXPECT_EQ(dir.read("Inductor.ini"), std::string("new\0bytes\r\n", 11));
  EXPECT_EQ(FilesIn(dir.path()), 1u);

  ASSERT_TRUE(WriteFileAtomic(dir.path() + "/fresh.sav", ""));
  EXPECT_TRUE(dir.exists("fresh.sav"));
  EXPECT_EQ(dir.read("fresh.sav"), "");
}

TEST(WriteFileAtomic, FolderInPlaceOfTargetIsAFailure) {
  TempDir dir;
  // A folder in the target's place cannot be replaced.
  fs::create_directory("target");
  EXPECT_FALSE(WriteFileAtomic("target", "data"));
  EXPECT_TRUE(fs::is_directory("target"));
  EXPECT_FALSE(WriteFileAtomic("", "data"));
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

TEST(WriteFileAtomic, KeepsPermissionBitsOfReplacedFile) {
  TempDir dir;
  dir.write("keep.txt", "old");
  ASSERT_EQ(::chmod("keep.txt", 0640), 0);
  ASSERT_TRUE(WriteFileAtomic("keep.txt", "new"));
  struct stat st {};
  ASSERT_EQ(::stat("keep.txt", &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(FileHelpers, FolderOfAndFileExists) {
  TempDir dir;
  const std::string cwd = fs::current_path().string();
  EXPECT_EQ(FolderOf("Materials.txt"), cwd + "/");
  EXPECT_EQ(FolderOf("sub/../Materials.txt"), cwd + "/");
  EXPECT_EQ(FolderOf("/opt/velmora/Materials.txt"), "/opt/velmora/");

  dir.write("Materials.txt", "");
  EXPECT_TRUE(FileExists("Materials.txt"));
  EXPECT_FALSE(FileExists("Wire.txt"));
  EXPECT_FALSE(FileExists("."));
  EXPECT_FALSE(ReadWholeFile("Wire.txt", constants::kMaxTextFileBytes).has_value());
}

// Names are looked up ignoring letter case when no file has the exact name,
// as on the platform the data files come from; an exact name always wins.
TEST(FileNames, DifferentLetterCaseFindsTheExistingFile) {
  TempDir dir;
  dir.write("English.lng", "en");
  dir.write("\xd0\x94\xd1\x80\xd0\xbe\xd1\x81\xd1\x81\xd0\xb5\xd0\xbb\xd1\x8c.sav", "ru");  // Drossel'
  EXPECT_EQ(ReadWholeFile("english.LNG", constants::kMaxTextFileBytes), "en");
  EXPECT_EQ(ReadWholeFile("\xd0\xb4\xd0\xa0\xd0\x9e\xd1\x81\xd1\x81\xd0\xb5\xd0\xbb\xd1\x8c.SAV",
                          constants::kMaxTextFileBytes),
            "ru");
  EXPECT_TRUE(FileExists(dir.path() + "/ENGLISH.lng"));
  EXPECT_FALSE(ReadWholeFile("Englis.lng", constants::kMaxTextFileBytes).has_value());

  // Writing "ENGLISH.LNG" replaces the existing file instead of adding a second.
  ASSERT_TRUE(WriteFileAtomic("ENGLISH.LNG", "new"));
  EXPECT_EQ(dir.read("English.lng"), "new");
  EXPECT_FALSE(dir.exists("ENGLISH.LNG"));
  EXPECT_EQ(FilesIn(dir.path()), 2u);

  dir.write("english.lng", "exact");
  EXPECT_EQ(ReadWholeFile("english.lng", constants::kMaxTextFileBytes), "exact");
  EXPECT_EQ(ReadWholeFile("English.lng", constants::kMaxTextFileBytes), "new");
  EXPECT_EQ(ReadWholeFile("ENGLISH.lng", constants::kMaxTextFileBytes), "new");  // first name in byte order
}

}  // namespace
}  // namespace velmora
