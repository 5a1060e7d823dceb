// SPDX-License-Identifier: GPL-3.0-or-later
// The core database on the window: add modes, adding, deleting, and every
// refusal, with what reaches the file.
#include <sys/stat.h>

#include <filesystem>

#include "WindowFixture.h"
#include "textfile/Unprivileged.h"

namespace velmora::test {
namespace {

using namespace ids;

class CoreCommandsTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    Start();
  }
  std::string Database() const { return dir.read("BaseCores.txt"); }
  // Clicks "add" expecting one message box, and returns its text.
  std::string AddRefused() {
    ExpectBoxes(1);
    Click(IDC_ADD_CORE);
    const auto boxes = TakeBoxes();
    return boxes.size() == 1 ? boxes[0].text : "<" + std::to_string(boxes.size()) + " boxes>";
  }
  void FillData(const std::string& name, const std::string& Ae, const std::string& An, const std::string& le,
                const std::string& mu) {
    Type(IDC_COMBO_CORE, name);
    Type(IDC_DATA_AE, Ae);
    Type(IDC_DATA_AN, An);
    Type(IDC_DATA_LE, le);
    Type(IDC_DATA_MU, mu);
  }
};

TEST_F(CoreCommandsTest, AddModesEnableTheirEditsAndGiveBackTheRememberedCore) {
  SelectCore("E 30/15/7");
  Click(IDC_CHECK_ADD_DATA);
  EXPECT_EQ(dlg().GetCurSel(IDC_COMBO_CORE), -1);
  EXPECT_EQ(Text(IDC_COMBO_CORE), "");
  for (int id : {IDC_DATA_MU, IDC_DATA_AE, IDC_DATA_AN, IDC_DATA_LE}) EXPECT_TRUE(Enabled(id)) << id;
  EXPECT_FALSE(Enabled(IDC_DATA_VE));
  EXPECT_EQ(Text(IDC_DATA_AE), "");

  // Typing into the list's field keeps the text; picking an entry reads nothing.
  Type(IDC_COMBO_CORE, "new core");
  EXPECT_EQ(Text(IDC_COMBO_CORE), "new core");
  dlg().UserSelect(IDC_COMBO_CORE, 0);
  EXPECT_EQ(Text(IDC_DATA_AE), "");

  // Ticking the other mode unticks this one; EI needs all seven dimensions.
  Click(IDC_SHAPE_EI);
  Click(IDC_CHECK_ADD_DIMS);
  EXPECT_EQ(dlg().GetCheck(IDC_CHECK_ADD_DATA), 0);
  for (int id : {IDC_DIM_A, IDC_DIM_B, IDC_DIM_C, IDC_DIM_D, IDC_DIM_H, IDC_DIM_h, IDC_DIM_I, IDC_DATA_MU})
    EXPECT_TRUE(Enabled(id)) << id;
  for (int id : {IDC_DATA_AE, IDC_DATA_AN, IDC_DATA_LE}) EXPECT_FALSE(Enabled(id)) << id;
  Click(IDC_SHAPE_R);  // the ring takes A, B and C only
  EXPECT_TRUE(Enabled(IDC_DIM_C));
  EXPECT_FALSE(Enabled(IDC_DIM_D));

  // Unticking shows the core at the remembered position again.
  Click(IDC_CHECK_ADD_DIMS);
  EXPECT_EQ(SelectedCore(), "R 20/10/7");
  EXPECT_EQ(Text(IDC_DATA_AE), "35");
  for (int id : {IDC_DIM_A, IDC_DIM_C, IDC_DATA_MU}) EXPECT_FALSE(Enabled(id)) << id;
}

TEST_F(CoreCommandsTest, TypingIntoTheListOutsideAnAddModeRestoresTheEntry) {
  SelectCore("E 16/8/5");
  Type(IDC_COMBO_CORE, "E 2");
  EXPECT_EQ(Text(IDC_COMBO_CORE), "E 16/8/5");
  EXPECT_EQ(SelectedCore(), "E 16/8/5");
}

TEST_F(CoreCommandsTest, AddByDataAppendsTheRecordAsTypedAndSelectsIt) {
  Click(IDC_CHECK_ADD_DATA);
  FillData("26/13/7", "52,5", "60", "57.5", "1800");
  Click(IDC_ADD_CORE);
  EXPECT_EQ(Database(), SmallCoreDatabase() + "[E 26/13/7]\r\nAe = 52,5\r\nAn = 60\r\nle = 57.5\r\nmu = 1800\r\n\r\n");
  EXPECT_EQ(dlg().Model().CoreDatabaseText(), Database());
  EXPECT_EQ(SelectedCore(), "E 26/13/7");
  EXPECT_EQ(dlg().Model().CurrentCore(), "E 26/13/7");
  EXPECT_EQ(dlg().Model().Settings().core, "E 26/13/7");
  EXPECT_EQ(Text(IDC_DATA_AE), "52.5");  // read back with a point
  EXPECT_EQ(Text(IDC_DATA_VE), "3.019");
  EXPECT_EQ(dlg().GetCheck(IDC_CHECK_ADD_DATA), 0);
  EXPECT_FALSE(Enabled(IDC_DATA_AE));
  EXPECT_FALSE(Text(IDC_RES_TURNS).empty());
}

TEST_F(CoreCommandsTest, AddByDimensionsComputesTheRingsData) {
  Click(IDC_SHAPE_R);
  Click(IDC_CHECK_ADD_DIMS);
  Type(IDC_COMBO_CORE, "20/10/7 test");
  Type(IDC_DIM_A, "20");
  Type(IDC_DIM_B, "10");
  Type(IDC_DIM_C, "7");
  Type(IDC_DATA_MU, "2300");
  ExpectBoxes(1);  // the small ring's window is overfilled
  Click(IDC_ADD_CORE);
  EXPECT_EQ(TakeBoxes().at(0).text, "OT24");
  EXPECT_EQ(Database(),
            SmallCoreDatabase() + "[R 20/10/7 test]\r\nAe = 35.00\r\nAn = 54.98\r\nle = 47.1\r\nmu = 2300\r\n\r\n");
  EXPECT_EQ(SelectedCore(), "R 20/10/7 test");
  EXPECT_EQ(Text(IDC_DATA_AN), "54.98");
}

TEST_F(CoreCommandsTest, EveryRefusalLeavesFileListAndModeAlone) {
  const std::string before = Database();
  const auto list = Items(IDC_COMBO_CORE);
  Click(IDC_CHECK_ADD_DATA);

  EXPECT_EQ(AddRefused(), "BC24");  // no name
  FillData("Z1", "50", "60", "50", "");
  EXPECT_EQ(AddRefused(), "BC25");  // no permeability
  FillData("Z1", "50", "", "50", "1000");
  EXPECT_EQ(AddRefused(), "BC27");  // An missing
  FillData("25/13/7", "50", "60", "50", "1000");
  EXPECT_EQ(AddRefused(), "BC29");  // "E 25/13/7" is already there
  FillData("Z[1]", "50", "60", "50", "1000");
  EXPECT_EQ(AddRefused(), "OT28");  // the format cannot hold it
  FillData("Z\r\n1", "50", "60", "50", "1000");
  EXPECT_EQ(AddRefused(), "OT28");
  // A value with a line break would end its line early.
  FillData("Z1", "50\r\n", "60", "50", "1000");
  EXPECT_EQ(AddRefused(), "OT30");
  FillData("Z1", "50", "60", "5\n0", "1000");
  EXPECT_EQ(AddRefused(), "OT30");
  FillData("Z1", "50", "60", "50", "1000\r");
  EXPECT_EQ(AddRefused(), "OT30");

  Click(IDC_CHECK_ADD_DIMS);
  Type(IDC_COMBO_CORE, "40/20/10");
  Type(IDC_DATA_MU, "1000");
  Type(IDC_DIM_A, "40");
  Type(IDC_DIM_B, "30");
  Type(IDC_DIM_C, "10");
  EXPECT_EQ(AddRefused(), "BC26");  // E needs D, H and h
  Type(IDC_DIM_D, "10");
  Type(IDC_DIM_H, "20");
  Type(IDC_DIM_h, "14");
  Type(IDC_DATA_MU, "1000\n");
  EXPECT_EQ(AddRefused(), "OT30");
  Type(IDC_DATA_MU, "1000");
  Type(IDC_DIM_D, "");

  // Shape other chosen while adding by dimensions: no formula, nothing stale written.
  // The shape change selects an entry of the new list, so the name is typed again.
  Click(IDC_SHAPE_OTHER);
  EXPECT_EQ(Text(IDC_COMBO_CORE), "PQ 20/16");
  EXPECT_EQ(AddRefused(), "BC29");
  // The list finds names ignoring letter case: a name that differs only in
  // case is taken too.
  Type(IDC_COMBO_CORE, "pq 20/16");
  EXPECT_EQ(AddRefused(), "BC29");
  Type(IDC_COMBO_CORE, "rM 10");
  EXPECT_EQ(AddRefused(), "BC29");
  Type(IDC_COMBO_CORE, "40/20/10");
  EXPECT_FALSE(Enabled(IDC_DIM_A));
  EXPECT_EQ(AddRefused(), "BC26");

  EXPECT_EQ(Database(), before);
  EXPECT_EQ(dlg().Model().CoreDatabaseText(), before);
  EXPECT_EQ(dlg().GetCheck(IDC_CHECK_ADD_DIMS), 1);
  Click(IDC_SHAPE_E);
  EXPECT_EQ(Items(IDC_COMBO_CORE), list);
}

TEST_F(CoreCommandsTest, AddWhoseWriteFailsIsToldAndChangesNothing) {
  const std::string before = Database();
  std::filesystem::remove("BaseCores.txt");
  std::filesystem::create_directory("BaseCores.txt");  // nothing can replace it
  Click(IDC_CHECK_ADD_DATA);
  FillData("E 99", "50", "60", "50", "1000");
  EXPECT_EQ(AddRefused(), "Cannot write BaseCores.txt");
  EXPECT_EQ(dlg().Model().CoreDatabaseText(), before);
  EXPECT_EQ(dlg().FindString(IDC_COMBO_CORE, -1, "E 99"), -1);
  EXPECT_EQ(dlg().Model().Settings().core, "E 25/13/7");

  // Delete likewise.
  Click(IDC_CHECK_ADD_DATA);
  SelectCore("E 16/8/5");
  host.QueueAnswer(ui::IDOK);
  ExpectBoxes(2);
  Click(IDC_DELETE_CORE);
  const auto boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text, "Cannot write BaseCores.txt");
  EXPECT_EQ(dlg().Model().CoreDatabaseText(), before);
  EXPECT_EQ(SelectedCore(), "E 16/8/5");
}

TEST_F(CoreCommandsTest, AWriteProtectedDatabaseIsNeverReplaced) {
  // The folder lets anyone create files; the database itself is write-protected.
  // Start-up reads it (read-only), and an added core is refused.
  ASSERT_EQ(::chmod("BaseCores.txt", 0444), 0);
  ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
  const auto ok = test::AsUnprivilegedUser([this] {
    Start();
    const auto atStart = TakeBoxes();
    Click(IDC_CHECK_ADD_DATA);
    FillData("E 99", "50", "60", "50", "1000");
    ExpectBoxes(1);
    Click(IDC_ADD_CORE);
    const auto atAdd = TakeBoxes();
    return atStart.empty() && dlg().GetCount(IDC_COMBO_CORE) > 0 && atAdd.size() == 1 &&
           atAdd[0].text == "Cannot write BaseCores.txt" && Database() == SmallCoreDatabase() &&
           dlg().GetCheck(IDC_CHECK_ADD_DATA) == 1;
  });
  if (!ok) GTEST_SKIP() << "cannot drop root rights here";
  EXPECT_TRUE(*ok);
}

TEST_F(CoreCommandsTest, DeleteAsksAndRemovesOnlyTheSelectedRecord) {
  SelectCore("E 16/8/5");
  host.QueueAnswer(ui::IDCANCEL);
  ExpectBoxes(1);
  Click(IDC_DELETE_CORE);
  auto boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "BC28");
  EXPECT_EQ(boxes[0].type, ui::MbType::OkCancel);
  EXPECT_EQ(Database(), SmallCoreDatabase());

  host.QueueAnswer(ui::IDOK);
  ExpectBoxes(1);
  const std::string turns = Text(IDC_RES_TURNS);
  Click(IDC_DELETE_CORE);
  std::string expected = SmallCoreDatabase();
  const std::string record = "[E 16/8/5]\r\nAe = 51\r\nAn = 80\r\nle = 56\r\nmu = 1800\r\n\r\n";
  expected.erase(expected.find(record), record.size());
  EXPECT_EQ(Database(), expected);
  EXPECT_EQ(dlg().GetCurSel(IDC_COMBO_CORE), -1);
  EXPECT_EQ(dlg().FindString(IDC_COMBO_CORE, -1, "E 16"), -1);
  EXPECT_EQ(Text(IDC_DATA_AE), "51");  // the deleted core's values stay
  EXPECT_EQ(Text(IDC_RES_TURNS), turns);

  // Without a selection (an add mode) the question comes and nothing follows.
  TakeBoxes();
  Click(IDC_CHECK_ADD_DATA);
  host.QueueAnswer(ui::IDOK);
  ExpectBoxes(1);
  Click(IDC_DELETE_CORE);
  EXPECT_EQ(TakeBoxes().size(), 1u);
  EXPECT_EQ(Database(), expected);
}

// Undo back to a design whose core was deleted since: the list shows another
// core, and the user is told which instead of which.
TEST_F(CoreCommandsTest, UndoToADeletedCoreIsTold) {
  SelectCore("E 16/8/5");
  SettingsRecord other = dlg().InputsOnWindow();
  other.core = "E 20/10/6";
  ExpectBoxes(10);
  dlg().ReplaceInputs(other);
  SelectCore("E 16/8/5");
  host.QueueAnswer(ui::IDOK);
  Click(IDC_DELETE_CORE);
  TakeBoxes();
  dlg().UserMenu(ID_EDIT_UNDO);
  const auto boxes = TakeBoxes();
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back().text,
            "The core is no longer in the database: E 16/8/5. Shown instead: " + dlg().Model().CurrentCore());
  EXPECT_EQ(SelectedCore(), dlg().Model().CurrentCore());
}

TEST_F(CoreCommandsTest, ANameInsideALongerNameSelectsAndDeletesItsOwnRecord) {
  // "E 20" is listed for shape E from inside "[PQ E 20]" as well.
  dir.write("BaseCores.txt", "[PQ E 20]\r\nAe = 62\r\nAn = 80\r\nle = 37\r\nmu = 2200\r\n\r\n" + SmallCoreDatabase());
  Start();
  Click(IDC_CHECK_ADD_DATA);
  FillData("E 20", "40", "80", "50", "1500");
  Click(IDC_ADD_CORE);
  EXPECT_EQ(SelectedCore(), "E 20");
  EXPECT_EQ(Text(IDC_DATA_AE), "40");

  host.QueueAnswer(ui::IDOK);
  ExpectBoxes(1);
  Click(IDC_DELETE_CORE);
  EXPECT_EQ(Database(), "[PQ E 20]\r\nAe = 62\r\nAn = 80\r\nle = 37\r\nmu = 2200\r\n\r\n" + SmallCoreDatabase());
}

}  // namespace
}  // namespace velmora::test
