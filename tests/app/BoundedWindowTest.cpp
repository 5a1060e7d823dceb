// SPDX-License-Identifier: GPL-3.0-or-later
// A MAS document over its limit (50 GB, faked through fstat) is refused with
// the typed inputs kept; Details.cfg is written on exit as Inductor.ini is.
#include <filesystem>

#include "WindowFixture.h"
#include "app/MasExchange.h"
#include "textfile/FaultInjection.h"

namespace velmora::test {
namespace {

using namespace ids;
namespace fs = std::filesystem;

using BoundedWindowTest = WindowTest;

TEST_F(BoundedWindowTest, AHugeMasDocumentIsRefusedAndTheTypedInputsStay) {
  Start();
  Type(IDC_EDIT_L, "123");
  dir.write("doc.json", "{}");
  FakeStat fake{50LL << 30};
  ExpectBoxes(1);  // the message of a document that cannot be read
  {
    ScopedFakeStat installed(fake);
    EXPECT_FALSE(ImportMas(dlg(), "doc.json"));
  }
  EXPECT_NE(TakeBoxes().at(0).text.find("doc.json: it is larger than 16,777,216 bytes"), std::string::npos);
  EXPECT_EQ(fake.reads, 0);
  EXPECT_EQ(Text(IDC_EDIT_L), "123");
}

TEST_F(BoundedWindowTest, DetailsConfigIsWrittenOnExitLikeTheSettingsFile) {
  DetailsConfig config;
  config.tol_gapped = 7;
  fs::create_directory("store");
  fs::create_symlink("store/Details.cfg", "Details.cfg");  // a link the user set up stays
  Start().Model().KeepDetailsConfig(&config);
  Click(IDC_EXIT);
  EXPECT_TRUE(fs::is_symlink("Details.cfg"));
  EXPECT_EQ(dir.read("store/Details.cfg"), SerializeDetailsConfig(config));
  // A folder in its place: the box of a failed write, naming the file.
  fs::remove("Details.cfg");
  fs::create_directory("Details.cfg");
  Start().Model().KeepDetailsConfig(&config);
  ExpectBoxes(1);
  Click(IDC_EXIT);
  EXPECT_EQ(TakeBoxes().at(0).text, dlg().Model().Lang()[kWriteFailed] + " " + dir.path() + "/Details.cfg");
}

}  // namespace
}  // namespace velmora::test
