// SPDX-License-Identifier: GPL-3.0-or-later
// Bad data files beside the program, one fault at a time, and what the window
// does with each: it starts (or ends with its message where a file it cannot
// do without is missing), never crashes, and says so where the user must know.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "settings/SettingsRecord.h"
#include "support/ShippedWindow.h"
#include "support/TempDir.h"
#include "ui/HeadlessHost.h"

namespace velmora {
namespace {

using namespace ids;
using test::TempDir;

// Bytes of every value, zero bytes included.
std::string Garbage(std::size_t n) {
  std::string s;
  unsigned x = 20261207;
  for (std::size_t i = 0; i < n; ++i) {
    x = x * 1103515245u + 12345u;
    s += static_cast<char>(x >> 16);
  }
  return s;
}

class BadInputTest : public test::ShippedWindowTest {
 protected:
  // The window goes on working: a calculation, a spin step, both wire units.
  void UseTheWindow() {
    ASSERT_FALSE(dlg->Model().StartUpFailed());
    dlg->UserEnter();
    dlg->UserSpin(IDC_SPIN_WIRE, 1);
    dlg->UserClick(IDC_RADIO_AWG);
    dlg->UserClick(IDC_RADIO_METRIC);
    const int last = dlg->Model().Wires().last();
    EXPECT_LE(dlg->GetSpinPos(IDC_SPIN_WIRE), std::max(last, 0));
  }
};

TEST_F(BadInputTest, SettingsFile) {
  const std::string ini = "[INI_DATA]\r\ncore\t= E 20/10/5\r\nL\t= 47\r\nFc\t= 150\r\nlang\t= English\r\n";
  struct Case {
    const char* fault;
    std::string bytes;
    std::function<void(const SettingsRecord&)> check;
  };
  const Case cases[] = {
      {"empty", "", [](const SettingsRecord& s) { EXPECT_EQ(s.L, ""); }},
      {"header only", "[INI_DATA]\r\n", [](const SettingsRecord& s) { EXPECT_EQ(s.Fc, ""); }},
      {"binary garbage", Garbage(5000), [](const SettingsRecord& s) { EXPECT_EQ(s.lang, "English"); }},
      {"LF line ends", "[INI_DATA]\ncore\t= E 20/10/5\nL\t= 47\nFc\t= 150\nlang\t= English\n",
       [](const SettingsRecord& s) {
         EXPECT_EQ(s.L, "47");
         EXPECT_EQ(s.Fc, "150");
       }},
      {"zero byte inside", std::string("[INI_DATA]\r\nL\t= 47\r\n\0Fc\t= 150\r\n", 31),
       [](const SettingsRecord& s) {
         EXPECT_EQ(s.L, "47");
         EXPECT_EQ(s.Fc, "");  // the text ends at the zero byte
       }},
      {"99,000 bytes", std::string(99000, 'x') + "\r\n" + ini, [](const SettingsRecord& s) { EXPECT_EQ(s.L, "47"); }},
      {"2 MB, over the limit: refused, the defaults", std::string(2000000, 'x') + "\r\n" + ini,
       [](const SettingsRecord& s) { EXPECT_EQ(s.L, SettingsRecord{}.L); }},
      {"choices out of range", "[INI_DATA]\r\nyes_al\t= 7\r\nuse\t= -1\r\nyes_AWG\t= 99\r\nus_Imin\t= 5\r\n",
       [](const SettingsRecord& s) {
         // No button of those groups is on, and the window reads them back as -1.
         EXPECT_EQ(s.gapChoice, -1);
         EXPECT_EQ(s.use, -1);
         EXPECT_EQ(s.yes_AWG, -1);
       }},
      {"unknown core and material", "[INI_DATA]\r\ncore\t= QQ 1\r\nmater\t= Unobtainium\r\n",
       [](const SettingsRecord& s) { EXPECT_EQ(s.mater, "N87 Epcos"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    dir.write("Inductor.ini", c.bytes);
    host().ClearShown();
    Start();
    ASSERT_FALSE(dlg->Model().StartUpFailed());
    EXPECT_EQ(dlg->Model().Settings().lang, "English");  // an empty language is the default one
    EXPECT_FALSE(dlg->Model().Settings().mater.empty());
    EXPECT_GE(dlg->GetCurSel(IDC_COMBO_CORE), 0) << "no core selected";
    c.check(dlg->Model().Settings());
    UseTheWindow();
  }

  // A language without its file: the built-in message, and the next start
  // uses the default language.
  dir.write("Inductor.ini", "[INI_DATA]\r\nlang\t= Klingon\r\n");
  host().ClearShown();
  Start();
  EXPECT_TRUE(dlg->Model().StartUpFailed());
  EXPECT_TRUE(Shown("In the folder with the program file is missing Klingon.lng"));
  SettingsRecord next;
  ASSERT_TRUE(ReadSettings("Inductor.ini", true, next));
  EXPECT_EQ(next.lang, "English");
}

TEST_F(BadInputTest, LanguageFile) {
  for (const std::string& bytes : {std::string(), Garbage(4000)}) {
    dir.write("English.lng", bytes);
    Start();
    UseTheWindow();
    // A failed write is still told in words when the table is empty.
    host().QueueDriver([](ui::Dialog& d) {
      d.UserType(1012, "no such folder/x.sav");
      d.UserClick(ui::IDOK);
    });
    host().ClearShown();
    dlg->UserClick(IDC_SAVE);
    EXPECT_TRUE(Shown("Could not write the file") || Shown(dlg->Model().Lang()[kWriteFailed] + " "));
  }
  std::remove("English.lng");
  Start();
  EXPECT_TRUE(dlg->Model().StartUpFailed());
  EXPECT_TRUE(Shown("In the folder with the program file is missing English.lng"));
}

TEST_F(BadInputTest, MaterialListAndMaterialFiles) {
  // An empty list: only the no-data material is offered; the fallback
  // material's file still gives the data.
  dir.write("Materials.txt", "");
  Start();
  UseTheWindow();
  EXPECT_EQ(dlg->GetCount(IDC_COMBO_MATERIAL), 1);
  EXPECT_GT(dlg->Model().Material().nF, 0);

  // A listed material without its file, and no list at all: start-up ends.
  dir.copyShippedData();
  std::remove("N97 Epcos.txt");
  Start();
  EXPECT_TRUE(dlg->Model().StartUpFailed());
  std::remove("Materials.txt");
  Start();
  EXPECT_TRUE(dlg->Model().StartUpFailed());
  dir.copyShippedData();

  // Damaged data files of the material in use.
  std::string table = "[Flux density]\r\n";
  for (int i = 1; i <= 12; ++i) table += "B" + std::to_string(i) + " = " + std::to_string(i * 30) + "\r\n";
  table += "[Frequencies]\r\n";
  for (int i = 1; i <= 30; ++i) table += "F" + std::to_string(i) + " = " + std::to_string(i * 25) + "\r\n";
  table += "Bmax = 0.4\r\nBmmax = 0.2\r\nmu = 2000\r\n";
  std::string noBmax = dir.read("N87 Epcos.txt");
  noBmax.replace(noBmax.find("Bmax"), 4, "Xmax");
  const std::string shipped = dir.read("N87 Epcos.txt");
  for (const std::string& bytes : {Garbage(3000), noBmax, shipped + std::string(50000, ' '), table}) {
    dir.write("N87 Epcos.txt", bytes);
    Start();
    UseTheWindow();
    EXPECT_LE(dlg->Model().Material().nF, 19);
    EXPECT_LE(dlg->Model().Material().nB, 9);
  }
  EXPECT_EQ(dlg->Model().Material().nF, 19);  // the surplus of the last file is left out
  EXPECT_EQ(dlg->Model().Material().nB, 9);
}

TEST_F(BadInputTest, WireTable) {
  std::string many;
  for (int i = 1; i <= 150; ++i)
    many += "d" + std::to_string(i) + " = " + std::to_string(i * 0.05) + "\r\ndiz" + std::to_string(i) + " = 1\r\n";
  struct Case {
    const char* fault;
    std::string bytes;
    int last;
  };
  const Case cases[] = {
      {"empty", "", -1},
      {"garbage", Garbage(2000), -1},
      {"descending", "d1 = 2\r\ndiz1 = 2.1\r\nd2 = 1\r\ndiz2 = 1.1\r\nd3 = 0.5\r\ndiz3 = 0.6\r\n", 2},
      {"150 sizes", many, 100},
      {"nan, inf, negative", "d1 = nan\r\ndiz1 = 1\r\nd2 = 1e999\r\ndiz2 = 1\r\nd3 = -1\r\ndiz3 = 1\r\n", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    dir.write("Wire.txt", c.bytes);
    Start();
    EXPECT_EQ(dlg->Model().Wires().last(), c.last);
    UseTheWindow();
  }
  std::remove("Wire.txt");
  host().ClearShown();
  Start();
  EXPECT_TRUE(Shown("Cannot read the file Wire.txt: "));
  EXPECT_EQ(dlg->Item(IDC_SPIN_WIRE)->rangeHi, 0);
  UseTheWindow();
}

TEST_F(BadInputTest, CoreDatabase) {
  for (const std::string& bytes : {std::string(), Garbage(8000), std::string("[E 25/13/7]\r\nAe = 52\r\n\r\n")}) {
    dir.write("BaseCores.txt", bytes);
    host().ClearShown();
    Start();
    UseTheWindow();
    EXPECT_FALSE(Shown(dlg->Model().Lang()[kFileNotFound]));
  }
  // The one record without An, le and mu reads them as 0.
  EXPECT_EQ(dlg->Model().Core().Ae, 52);
  EXPECT_EQ(dlg->Model().Core().le, 0);

  // Missing: told, empty lists; the first added core creates the file.
  std::remove("BaseCores.txt");
  host().ClearShown();
  Start();
  EXPECT_TRUE(Shown(dlg->Model().Lang()[kFileNotFound] + " BaseCores.txt"));
  EXPECT_EQ(dlg->GetCount(IDC_COMBO_CORE), 0);
  dlg->UserClick(IDC_CHECK_ADD_DATA);
  dlg->UserType(IDC_COMBO_CORE, "25/13/7");
  for (int id : {IDC_DATA_AE, IDC_DATA_AN, IDC_DATA_LE, IDC_DATA_MU}) dlg->UserType(id, "50");
  dlg->UserClick(IDC_ADD_CORE);
  EXPECT_EQ(dir.read("BaseCores.txt"), "[E 25/13/7]\r\nAe = 50\r\nAn = 50\r\nle = 50\r\nmu = 50\r\n\r\n");
}

TEST_F(BadInputTest, DesignFiles) {
  Start();
  dir.write("garbage.sav", Garbage(3000));
  dir.write("gone.sav", "[INI_DATA]\r\nL\t= 99\r\n");
  const SettingsRecord before = dlg->Model().Settings();
  // The file vanishes between the listing and the loading: nothing changes.
  host().QueueDriver([](ui::Dialog& d) {
    d.UserSelect(1009, d.FindString(1009, -1, "gone.sav"));
    std::remove("gone.sav");
    d.UserClick(ui::IDOK);
  });
  host().ClearShown();
  dlg->UserClick(IDC_LOAD);
  EXPECT_EQ(dlg->Model().Settings(), before);
  EXPECT_TRUE(host().shown().empty());

  // A garbage design loads as a design of empty fields; the window goes on.
  host().QueueDriver([](ui::Dialog& d) {
    d.UserSelect(1009, d.FindString(1009, -1, "garbage.sav"));
    d.UserClick(ui::IDOK);
  });
  dlg->UserClick(IDC_LOAD);
  EXPECT_EQ(dlg->Model().Settings().L, "");
  EXPECT_EQ(dlg->Model().Settings().lang, before.lang);
  UseTheWindow();
}

}  // namespace
}  // namespace velmora
