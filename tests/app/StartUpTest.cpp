// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up sequence: what the window shows after it, and how a missing
// data file ends the program.
#include <filesystem>

#include "WindowFixture.h"
#include "textfile/Cp1251.h"

namespace velmora::test {
namespace {

using namespace ids;

class StartUpTest : public WindowTest {};

TEST_F(StartUpTest, WithoutSettingsTheWindowShowsTheDefaultsInEnglishAndCalculates) {
  CVelmoraDlg& w = Start();
  ASSERT_FALSE(w.IsEnded());
  EXPECT_EQ(w.WindowText(), "Velmora (Version 5200)");
  EXPECT_EQ(Text(IDC_EDIT_L), "15");
  EXPECT_EQ(Text(IDC_EDIT_INOM), "10");
  EXPECT_EQ(Text(IDC_EDIT_IMIN), "2");
  EXPECT_EQ(Text(IDC_EDIT_U1), "24");
  EXPECT_EQ(Text(IDC_EDIT_U2), "12");
  EXPECT_EQ(Text(IDC_EDIT_FC), "100");
  EXPECT_EQ(Text(IDC_EDIT_J), "7");
  EXPECT_EQ(Text(IDC_EDIT_DPROV), "1.06");
  EXPECT_EQ(Text(IDC_EDIT_ZAZOR), "1");
  EXPECT_EQ(w.GetRadioIndex(IDC_RADIO_OUTPUT), 0);
  EXPECT_EQ(w.GetRadioIndex(IDC_RADIO_GAP), 0);
  EXPECT_EQ(w.GetRadioIndex(IDC_RADIO_METRIC), 0);
  EXPECT_EQ(w.GetCheck(IDC_CHECK_IMIN), 0);
  EXPECT_EQ(w.GetCheck(IDC_CHECK_USE_D), 0);
  EXPECT_EQ(w.Model().Settings().lang, "English");

  // The default core, its shape, its data, and a full calculation.
  EXPECT_EQ(SelectedCore(), "E 25/13/7");
  EXPECT_EQ(w.GetRadioIndex(IDC_SHAPE_E), 0);
  EXPECT_EQ(Text(IDC_DATA_AE), "52.5");
  EXPECT_EQ(Text(IDC_DATA_VE), "3.019");
  for (const std::string& t : Results()) EXPECT_FALSE(t.empty());
  EXPECT_EQ(Text(IDC_UNIT_LACT), "uH");

  // Materials in file order, then the no-data material; the default selected.
  EXPECT_EQ(Items(IDC_COMBO_MATERIAL), (std::vector<std::string>{"N87 Epcos", "M200", "No-data material"}));
  EXPECT_EQ(Text(IDC_COMBO_MATERIAL), "N87 Epcos");
  EXPECT_EQ(w.Model().ProgramFolder(), std::filesystem::canonical(dir.path()).string() + "/");

  // Exactly one of inductance and minimum current is editable; the core
  // dimensions and data are not.
  EXPECT_TRUE(Enabled(IDC_EDIT_L));
  EXPECT_FALSE(Enabled(IDC_EDIT_IMIN));
  for (int id : {IDC_DIM_A, IDC_DIM_B, IDC_DIM_C, IDC_DIM_D, IDC_DIM_H, IDC_DIM_h, IDC_DIM_I, IDC_DATA_MU, IDC_DATA_AE,
                 IDC_DATA_AN, IDC_DATA_LE, IDC_DATA_VE})
    EXPECT_FALSE(Enabled(id)) << id;
}

TEST_F(StartUpTest, SettingsFileIsShownAndFollowedByMaterialCoreAndEnableRules) {
  dir.write("Inductor.ini",
            "[INI_DATA]\r\ncore\t= ETD 34/17/11\r\nmater\t= M200\r\nyes_al\t= 1\r\nuse\t= 1\r\n"
            "zazor\t= 300\r\nL\t= 22\r\nUimpulsa= 30\r\nUdc\t= 10\r\nInom\t= 5\r\nImin\t= 1,5\r\n"
            "us_Imin\t= 1\r\nFc\t= 100\r\nj\t= 6\r\nuse_D\t= 0\r\nyes_AWG\t= 1\r\ndprov\t= 20\r\n"
            "lang\t= Russian\r\n");
  CVelmoraDlg& w = Start();
  ASSERT_FALSE(w.IsEnded());
  EXPECT_EQ(w.WindowText(), "ru:Velmora (ru:Version 5200)");
  EXPECT_EQ(SelectedCore(), "ETD 34/17/11");
  EXPECT_EQ(w.GetRadioIndex(IDC_SHAPE_E), 3);
  EXPECT_EQ(Text(IDC_COMBO_MATERIAL), "M200");
  EXPECT_EQ(w.Model().Material().Bmax, 0.35);
  EXPECT_FALSE(Enabled(IDC_EDIT_L));
  EXPECT_TRUE(Enabled(IDC_EDIT_IMIN));
  EXPECT_EQ(Text(IDC_EDIT_IMIN), "1.5");  // the calculation turned the comma into a point
  // The captions follow the stored choices.
  EXPECT_EQ(Text(IDC_LABEL_U1), "ru:ID14");
  EXPECT_EQ(Text(IDC_CAP_REQUIRED), "ru:MC5");
  EXPECT_EQ(Text(IDC_UNIT_REQUIRED), "");
  EXPECT_EQ(Text(IDC_LABEL_DPROV), "ru:ID20");
  EXPECT_EQ(Text(IDC_UNIT_DPROV_AWG), "AWG");
  EXPECT_EQ(Text(IDC_UNIT_DPROV_MM), "");
  EXPECT_EQ(w.Model().Wires().last(), 40);
  EXPECT_EQ(w.GetSpinPos(IDC_SPIN_WIRE), 20);
}

TEST_F(StartUpTest, SettingsThatNameNothingKnownFallBack) {
  // Empty language and material, a material without data file, a core that
  // is not in the database.
  SettingsRecord s;
  s.core = "E 99/99/99";
  s.mater = "";
  s.lang = "";
  dir.write("Inductor.ini", SerializeSettings(s, true));
  CVelmoraDlg& w = Start();
  ASSERT_FALSE(w.IsEnded());
  EXPECT_EQ(w.Model().Settings().lang, "English");
  EXPECT_EQ(Text(IDC_COMBO_MATERIAL), "N87 Epcos");
  EXPECT_EQ(SelectedCore(), "E 13/7/4");  // the first entry of the shape
  EXPECT_EQ(w.Model().CurrentCore(), "E 13/7/4");

  s.mater = "Ghost";
  s.core = "RM 10";
  dir.write("Inductor.ini", SerializeSettings(s, true));
  CVelmoraDlg& w2 = Start();
  EXPECT_EQ(w2.Model().Settings().mater, "N87 Epcos");
  EXPECT_EQ(Text(IDC_COMBO_MATERIAL), "N87 Epcos");
  EXPECT_EQ(w2.GetRadioIndex(IDC_SHAPE_E), kShapeOther);
  EXPECT_EQ(Items(IDC_COMBO_CORE), (std::vector<std::string>{"PQ 20/16", "RM 10"}));
  EXPECT_EQ(SelectedCore(), "RM 10");
}

TEST_F(StartUpTest, MissingLanguageFileEndsTheProgramAndRemembersEnglish) {
  SettingsRecord s;
  s.core = "E 30/15/7";
  s.L = "22";
  s.lang = "Klingon";
  dir.write("Inductor.ini", SerializeSettings(s, true));
  ExpectBoxes(1);
  CVelmoraDlg& w = Start();
  EXPECT_TRUE(w.IsEnded());
  EXPECT_TRUE(w.Model().StartUpFailed());
  EXPECT_EQ(w.Result(), ui::IDCANCEL);
  const auto boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "In the folder with the program file is missing Klingon.lng.");
  EXPECT_EQ(boxes[0].caption, "Attention!");

  // Rewritten with English; the other settings kept.
  s.lang = "English";
  EXPECT_EQ(dir.read("Inductor.ini"), SerializeSettings(s, true));

  // The next start comes up in English.
  ExpectBoxes(0);
  CVelmoraDlg& next = Start();
  EXPECT_FALSE(next.IsEnded());
  EXPECT_EQ(next.WindowText(), "Velmora (Version 5200)");
}

TEST_F(StartUpTest, MissingMaterialListOrMaterialFileEndsTheProgramWithoutWriting) {
  std::filesystem::remove("Materials.txt");
  ExpectBoxes(1);
  CVelmoraDlg& w = Start();
  EXPECT_TRUE(w.IsEnded());
  auto boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(Utf(boxes[0].text), "В папке с программой отсутствует файл перечня применяемых в программе материалов.");
  EXPECT_EQ(Utf(boxes[0].caption), "Внимание!");
  EXPECT_FALSE(dir.exists("Inductor.ini"));

  // One listed material without its file stops the program, the others present.
  dir.write("Materials.txt", "Mat1 = N87 Epcos\r\nMat2 = M200\r\nMat3 = " + Cp("Феррит") + "\r\n");
  ExpectBoxes(1);
  CVelmoraDlg& w2 = Start();
  EXPECT_TRUE(w2.IsEnded());
  boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(Utf(boxes[0].text), "В папке с программой отсутствует файл Феррит.txt");
  EXPECT_FALSE(dir.exists("Inductor.ini"));

  // With its file (the name on disk in UTF-8) the program comes up.
  dir.write("Феррит.txt", dir.read("M200.txt"));
  CVelmoraDlg& w3 = Start();
  EXPECT_FALSE(w3.IsEnded());
  EXPECT_EQ(Items(IDC_COMBO_MATERIAL).size(), 4u);
}

TEST_F(StartUpTest, MaterialListStopsAtTheFirstMissingNumber) {
  dir.write("Materials.txt", "Mat1 = N87 Epcos\r\nMat2 = M200\r\nMat4 = Ghost\r\n");
  Start();
  EXPECT_EQ(Items(IDC_COMBO_MATERIAL), (std::vector<std::string>{"N87 Epcos", "M200", "No-data material"}));
}

TEST_F(StartUpTest, MissingCoreDatabaseIsToldAndTheWindowComesUpEmpty) {
  std::filesystem::remove("BaseCores.txt");
  ExpectBoxes(1);
  CVelmoraDlg& w = Start();
  ASSERT_FALSE(w.IsEnded());
  const auto boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Missing file BaseCores.txt");
  EXPECT_EQ(boxes[0].caption, "Attention");
  EXPECT_EQ(w.GetCount(IDC_COMBO_CORE), 0);
  EXPECT_EQ(w.GetCurSel(IDC_COMBO_CORE), -1);
  for (const std::string& t : Results()) EXPECT_EQ(t, "");  // no calculation
}

TEST_F(StartUpTest, ShippedDataComeUpWithoutAnyMessage) {
  if (!std::filesystem::exists(std::filesystem::path(VELMORA_SOURCE_DIR) / "share" / "Materials.txt"))
    GTEST_SKIP() << "no shipped data";
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) std::filesystem::remove(e.path());
  dir.copyShippedData();
  CVelmoraDlg& w = Start();
  ASSERT_FALSE(w.IsEnded());
  EXPECT_EQ(w.Model().CurrentCore(), "E 25/13/7");
  EXPECT_GT(w.GetCount(IDC_COMBO_MATERIAL), 1);
  EXPECT_FALSE(Text(IDC_RES_TURNS).empty());
}

}  // namespace
}  // namespace velmora::test
