// SPDX-License-Identifier: GPL-3.0-or-later
// The window and files it cannot read or write whole: a MAS document larger
// than a document may be (50 GB, faked through fstat) is refused with the
// typed inputs kept, and "Details.cfg" is written on exit by the rules of
// "Inductor.ini", a failure told in the same box.
#include <filesystem>

#include "WindowFixture.h"
#include "app/MasExchange.h"
#include "textfile/FaultInjection.h"

namespace velmora::test {
namespace {

using namespace ids;
namespace fs = std::filesystem;

class BoundedWindowTest : public WindowTest {};

TEST_F(BoundedWindowTest, AHugeMasDocumentIsRefusedAndTheTypedInputsStay) {
  Start();
  Type(IDC_EDIT_L, "123");
  dir.write("doc.json", "{}");
  FakeStat fake{50LL << 30};
  ExpectBoxes(1);  // the message of a document that cannot be read, with the reason
  {
    ScopedFakeStat installed(fake);
    EXPECT_FALSE(ImportMas(dlg(), "doc.json"));
  }
  const auto boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find("doc.json: it is larger than 16,777,216 bytes"), std::string::npos) << boxes[0].text;
  EXPECT_EQ(fake.reads, 0);
  EXPECT_EQ(Text(IDC_EDIT_L), "123");
}

TEST_F(BoundedWindowTest, DetailsConfigIsWrittenOnExitLikeTheSettingsFile) {
  DetailsConfig config;
  config.tol_gapped = 7;
  fs::create_directory("store");
  fs::create_symlink("store/Details.cfg", "Details.cfg");  // a link the user set up stays
  Start().KeepDetailsConfig(&config);
  Click(IDC_EXIT);
  EXPECT_TRUE(fs::is_symlink("Details.cfg"));
  EXPECT_EQ(dir.read("store/Details.cfg"), SerializeDetailsConfig(config));

  // A folder in its place: the box of a failed write, naming the file.
  fs::remove("Details.cfg");
  fs::create_directory("Details.cfg");
  Start().KeepDetailsConfig(&config);
  ExpectBoxes(1);
  Click(IDC_EXIT);
  const auto boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, dlg().Lang()[kWriteFailed] + " " + dir.path() + "/Details.cfg");
}

}  // namespace
}  // namespace velmora::test
