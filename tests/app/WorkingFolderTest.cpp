// SPDX-License-Identifier: GPL-3.0-or-later
// The choice of the working folder and the first filling of the user's data
// folder.
#include <filesystem>

#include <gtest/gtest.h>

#include "app/WorkingFolder.h"
#include "support/TempDir.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

TEST(WorkingFolderTest, ChoosesTheGivenFolderThenTheCurrentOneWithDataThenTheUsersOne) {
  TempDir dir;
  WorkingFolderEnv env;
  env.currentDir = dir.path();
  env.home = "/home/someone";
  EXPECT_EQ(ChooseWorkingFolder(std::string("elsewhere"), env), "elsewhere");
  EXPECT_EQ(ChooseWorkingFolder(std::nullopt, env), "/home/someone/.local/share/velmora");
  env.xdgDataHome = "relative/is/ignored";
  EXPECT_EQ(ChooseWorkingFolder(std::nullopt, env), "/home/someone/.local/share/velmora");
  env.xdgDataHome = "/data";
  EXPECT_EQ(ChooseWorkingFolder(std::nullopt, env), "/data/velmora");
  dir.write("Materials.txt", "Mat1 = N87 Epcos\r\n");
  EXPECT_EQ(ChooseWorkingFolder(std::nullopt, env), dir.path());
}

TEST(WorkingFolderTest, RelativeOrEmptyHomesNameNoUserFolder) {
  WorkingFolderEnv env;
  EXPECT_EQ(UserDataFolder(env), "");
  env.home = "relative/home";
  env.xdgDataHome = "relative/data";
  EXPECT_EQ(UserDataFolder(env), "");
  env.xdgDataHome = "/data";
  EXPECT_EQ(UserDataFolder(env), "/data/velmora");
  env.xdgDataHome = "";
  env.home = "/home/someone";
  EXPECT_EQ(UserDataFolder(env), "/home/someone/.local/share/velmora");

  // The window then has nowhere to keep its files and says so; nothing is
  // made in the current folder.
  TempDir dir;
  env.currentDir = dir.path();
  env.home = ".";
  std::string folder = "x", error;
  EXPECT_FALSE(EnterWorkingFolder(std::nullopt, env, &folder, &error));
  EXPECT_EQ(folder, "");
  EXPECT_NE(error.find("--dir"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(WorkingFolderTest, ReadOnlyUseReadsTheUsersDataElseTheShippedOnesAndMakesNothing) {
  TempDir dir;
  fs::create_directories("opt/bin");
  fs::create_directories("opt/share/velmora");
  dir.write("opt/share/velmora/Materials.txt", "Mat1 = N87 Epcos\r\n");
  fs::create_directory("here");
  WorkingFolderEnv env;
  env.currentDir = dir.path() + "/here";
  env.home = dir.path() + "/home";
  env.exePath = dir.path() + "/opt/bin/velmora-cli";
  const std::string shipped = dir.path() + "/opt/share/velmora";
  std::string folder, error;

  // No user folder: the shipped data are read in place.
  ASSERT_TRUE(EnterWorkingFolder(std::nullopt, env, &folder, &error, DataFolderUse::kReadOnly)) << error;
  EXPECT_EQ(folder, shipped);
  EXPECT_EQ(fs::current_path(), fs::canonical(shipped));
  EXPECT_FALSE(fs::exists(dir.path() + "/home"));

  // A user folder without its material list is no data folder either; one
  // with it is read, as it is.
  fs::current_path(dir.path());
  fs::create_directories("home/.local/share/velmora");
  EXPECT_EQ(ChooseWorkingFolder(std::nullopt, env, DataFolderUse::kReadOnly), shipped);
  dir.write("home/.local/share/velmora/Materials.txt", "Mat1 = 3F3 Ferroxcube\r\n");
  EXPECT_EQ(ChooseWorkingFolder(std::nullopt, env, DataFolderUse::kReadOnly),
            dir.path() + "/home/.local/share/velmora");
  EXPECT_EQ(dir.read("home/.local/share/velmora/Materials.txt"), "Mat1 = 3F3 Ferroxcube\r\n");

  // Data here win; nothing anywhere is reported.
  dir.write("here/Materials.txt", "Mat1 = N87 Epcos\r\n");
  EXPECT_EQ(ChooseWorkingFolder(std::nullopt, env, DataFolderUse::kReadOnly), env.currentDir);
  fs::remove_all(dir.path() + "/opt");
  fs::remove_all(dir.path() + "/home");
  fs::remove(dir.path() + "/here/Materials.txt");
  EXPECT_FALSE(EnterWorkingFolder(std::nullopt, env, &folder, &error, DataFolderUse::kReadOnly));
  EXPECT_NE(error.find("--dir"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir.path() + "/home"));
}

TEST(WorkingFolderTest, ShippedFilesAreCopiedOnceAndNeverOverTheUsersOwn) {
  TempDir dir;
  fs::create_directories("install");  // no material list: not a data folder
  dir.write("install/BaseCores.txt", "installed-but-incomplete");
  fs::create_directories("source");
  dir.write("source/Materials.txt", "Mat1 = N87 Epcos\r\n");
  dir.write("source/BaseCores.txt", "shipped cores");
  dir.write("source/English.lng", "shipped texts");
  fs::permissions("source/English.lng", fs::perms::owner_read | fs::perms::group_read);
  fs::create_directories("user/velmora");
  dir.write("user/velmora/BaseCores.txt", "my cores");

  std::string error;
  ASSERT_TRUE(FillUserDataFolder("user/velmora", {"install", "source"}, &error)) << error;
  EXPECT_EQ(dir.read("user/velmora/BaseCores.txt"), "my cores");
  EXPECT_EQ(dir.read("user/velmora/Materials.txt"), "Mat1 = N87 Epcos\r\n");
  EXPECT_EQ(dir.read("user/velmora/English.lng"), "shipped texts");
  EXPECT_NE(fs::status("user/velmora/English.lng").permissions() & fs::perms::owner_write, fs::perms::none);

  // Once it holds its material list, nothing more is copied.
  fs::remove("user/velmora/English.lng");
  ASSERT_TRUE(FillUserDataFolder("user/velmora", {"source"}, &error));
  EXPECT_FALSE(fs::exists("user/velmora/English.lng"));

  // A new folder is made, parents included; a file in the way is reported.
  ASSERT_TRUE(FillUserDataFolder("a/b/velmora", {"source"}, &error));
  EXPECT_TRUE(fs::exists("a/b/velmora/Materials.txt"));
  dir.write("blocker", "x");
  EXPECT_FALSE(FillUserDataFolder("blocker/velmora", {"source"}, &error));
  EXPECT_NE(error.find("blocker/velmora"), std::string::npos);
}

TEST(WorkingFolderTest, EnteringMakesTheFolderCurrent) {
  TempDir dir;
  fs::create_directories("data");
  WorkingFolderEnv env;
  env.currentDir = dir.path();
  std::string folder, error;
  ASSERT_TRUE(EnterWorkingFolder(std::string("data"), env, &folder, &error)) << error;
  EXPECT_EQ(fs::current_path(), fs::canonical(fs::path(dir.path()) / "data"));
  EXPECT_FALSE(EnterWorkingFolder(std::string("no/such"), env, &folder, &error));
  EXPECT_NE(error.find("no/such"), std::string::npos);

  // Without a folder and without data here: the user's data folder.
  env.xdgDataHome = dir.path() + "/xdg";
  ASSERT_TRUE(EnterWorkingFolder(std::nullopt, env, &folder, &error)) << error;
  EXPECT_EQ(folder, dir.path() + "/xdg/velmora");
  EXPECT_EQ(fs::current_path(), fs::canonical(folder));
}

TEST(WorkingFolderTest, ShippedDataLieAtTheirPlaceRelativeToTheProgram) {
  EXPECT_EQ(ShippedDataFolders("/opt/velmora/bin/velmora"), std::vector<std::string>{"/opt/velmora/share/velmora"});
  EXPECT_TRUE(ShippedDataFolders("").empty());
  // A helper off the PATH gives its own place.
  EXPECT_EQ(ShippedDataFolders("/opt/velmora/libexec/velmora/velmora-report", "../../share/velmora"),
            std::vector<std::string>{"/opt/velmora/share/velmora"});
}

// The report helper in libexec/velmora reads the shipped data of its
// installation, as velmora-cli in bin/ does, and not a folder beside itself.
TEST(WorkingFolderTest, HelperOffThePathReadsTheShippedDataOfItsInstallation) {
  TempDir dir;
  fs::create_directories("opt/libexec/velmora");
  fs::create_directories("opt/libexec/share/velmora");
  dir.write("opt/libexec/share/velmora/Materials.txt", "Mat1 = 3F3 Ferroxcube\r\n");
  fs::create_directories("opt/share/velmora");
  dir.write("opt/share/velmora/Materials.txt", "Mat1 = N87 Epcos\r\n");
  WorkingFolderEnv env;
  env.currentDir = dir.path();
  env.exePath = dir.path() + "/opt/libexec/velmora/velmora-report";
  env.dataDirFromExe = "../../share/velmora";
  EXPECT_EQ(ChooseWorkingFolder(std::nullopt, env, DataFolderUse::kReadOnly), dir.path() + "/opt/share/velmora");
  std::string folder, error;
  ASSERT_TRUE(EnterWorkingFolder(std::nullopt, env, &folder, &error, DataFolderUse::kReadOnly)) << error;
  EXPECT_EQ(folder, dir.path() + "/opt/share/velmora");
}

}  // namespace
}  // namespace velmora::test
