// SPDX-License-Identifier: GPL-3.0-or-later
// Files that are not what a data file should be: FIFOs, devices and folders
// in a data file's place, symbolic and hard links to the data files, names a
// file gave that point out of the folder, and endless values.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/TempDir.h"
#include "textfile/FileIO.h"
#include "textfile/KeyedTextFile.h"
#include "textfile/Limits.h"

namespace velmora {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

TEST(FileKinds, NonRegularFilesAreNeitherWaitedForNorRead) {
  TempDir dir;
  ASSERT_EQ(::mkfifo("fifo.ini", 0600), 0);     // no writer: a blocking open would wait forever
  fs::create_symlink("/dev/zero", "zero.txt");  // a read would never end
  fs::create_directory("folder.lng");
  fs::create_symlink("fifo.ini", "link-to-fifo.ini");
  for (const char* name : {"fifo.ini", "zero.txt", "folder.lng", "link-to-fifo.ini"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(ReadWholeFile(name, constants::kMaxTextFileBytes));
    EXPECT_FALSE(ReadWholeFile(name, constants::kMaxTextFileBytes, OpenMode::ReadWrite));
    EXPECT_FALSE(FileExists(name));
    KeyedTextFile file;
    file.SetText("kept");
    EXPECT_FALSE(file.Load(name, constants::kMaxTextFileBytes));
    EXPECT_EQ(file.Text(), "kept");
  }
  // Nor is anything written in their place.
  EXPECT_FALSE(WriteFileAtomic("fifo.ini", "x"));
  EXPECT_FALSE(WriteFileAtomic("link-to-fifo.ini", "x"));
  EXPECT_TRUE(fs::is_fifo(fs::symlink_status("fifo.ini")));

  // A link to a regular file reads as that file.
  dir.write("real.txt", "bytes");
  fs::create_symlink("real.txt", "link.txt");
  EXPECT_EQ(ReadWholeFile("link.txt", constants::kMaxTextFileBytes), "bytes");
  EXPECT_TRUE(FileExists("link.txt"));
}

TEST(FileKinds, WritingThroughSymbolicLinksKeepsTheLinks) {
  TempDir dir;
  fs::create_directory("store");
  dir.write("store/Inductor.ini", "old");
  ASSERT_EQ(::chmod("store/Inductor.ini", 0640), 0);
  fs::create_symlink("store/Inductor.ini", "Inductor.ini");       // relative to the link's folder
  fs::create_symlink(dir.path() + "/Inductor.ini", "chain.ini");  // a link to a link, absolute

  ASSERT_TRUE(WriteFileAtomic("chain.ini", "new"));
  EXPECT_TRUE(fs::is_symlink("chain.ini"));
  EXPECT_TRUE(fs::is_symlink("Inductor.ini"));
  EXPECT_EQ(dir.read("store/Inductor.ini"), "new");
  EXPECT_EQ(fs::status("store/Inductor.ini").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  // The temporary file stood beside the target, and is gone.
  EXPECT_EQ(std::distance(fs::directory_iterator("store"), fs::directory_iterator()), 1);

  // A dangling link gets its target; a loop of links is refused.
  fs::create_symlink("store/design.sav", "design.sav");
  ASSERT_TRUE(WriteFileAtomic("design.sav", "design"));
  EXPECT_TRUE(fs::is_symlink("design.sav"));
  EXPECT_EQ(dir.read("store/design.sav"), "design");
  fs::create_symlink("loop-b", "loop-a");
  fs::create_symlink("loop-a", "loop-b");
  EXPECT_FALSE(WriteFileAtomic("loop-a", "x"));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status("loop-a")));
}

TEST(FileKinds, HardLinksAndOwnerAreKept) {
  TempDir dir;
  dir.write("BaseCores.txt", "old text, longer than the new one");
  ASSERT_EQ(::link("BaseCores.txt", "backup-name.txt"), 0);
  ASSERT_TRUE(WriteFileAtomic("BaseCores.txt", "new"));
  EXPECT_EQ(dir.read("backup-name.txt"), "new");
  EXPECT_EQ(fs::hard_link_count("BaseCores.txt"), 2u);
  EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 2);

  // A file of another owner keeps its owner and group (only root may give
  // them; others keep what they may).
  if (::geteuid() != 0) GTEST_SKIP() << "owner change needs root";
  dir.write("Inductor.ini", "old");
  ASSERT_EQ(::chown("Inductor.ini", 4321, 8765), 0);
  ASSERT_TRUE(WriteFileAtomic("Inductor.ini", "new"));
  struct stat st {};
  ASSERT_EQ(::stat("Inductor.ini", &st), 0);
  EXPECT_EQ(st.st_uid, 4321u);
  EXPECT_EQ(st.st_gid, 8765u);
}

TEST(FileKinds, NamesFromFilesAreBaseNamesOnly) {
  EXPECT_EQ(DataFilePath("/data/", "N87 Epcos", ".txt"), "/data/N87 Epcos.txt");
  EXPECT_EQ(DataFilePath("", "English", ".lng"), "English.lng");
  for (const std::string& name :
       {std::string("../outside/evil"), std::string("/tmp/x"), std::string("a/b"), std::string("N87\0x", 5),
        std::string("two\nlines"), std::string("two\rlines"), std::string(252, 'n')}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(DataFilePath("/data/", name, ".txt"), "");
  }
  EXPECT_EQ(DataFilePath("", std::string(251, 'n'), ".txt").size(), 255u);  // the longest folder entry
  EXPECT_FALSE(ReadWholeFile(DataFilePath("", "/etc/passwd", ""), constants::kMaxTextFileBytes));
}

TEST(FileKinds, EndlessValuesAreCut) {
  const std::string endless(3'000'000, 'v');
  const std::string text = "[S]\r\nkey = " + endless + "\r\nMat1 = " + endless;
  EXPECT_EQ(KeyedTextFile::GetValue(text, "Mat1"), std::string(constants::kMaxValueBytes - 1, 'v'))
      << "the blank after '=' counts in the cut";
  EXPECT_EQ(KeyedTextFile::GetSectionValue(text, "S", "key").size(), constants::kMaxValueBytes - 1);
  EXPECT_EQ(KeyedTextFile::GetSectionValue(text, "S", "key", constants::kMaxLanguageTextBytes).size(),
            constants::kMaxLanguageTextBytes - 1);
  // Values below the cut are untouched, blanks trimmed as ever.
  EXPECT_EQ(KeyedTextFile::GetValue("a =  x  \r\n", "a"), "x");
  EXPECT_EQ(KeyedTextFile::GetValue("a = " + std::string(4000, 'y') + "\r\n", "a"), std::string(4000, 'y'));
}

}  // namespace
}  // namespace velmora
