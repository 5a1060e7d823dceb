#include "textfile/FileIO.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/TempDir.h"

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
  EXPECT_FALSE(ReadWholeFile("Wire.txt").has_value());
}

}  // namespace
}  // namespace velmora
