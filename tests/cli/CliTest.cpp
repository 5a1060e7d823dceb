// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-cli end to end: the binary in a data folder of the test's own.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "app/Version.h"
#include "support/ShellRun.h"
#include "support/TempDir.h"
#include "textfile/Cp1251.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

std::string Cp(const std::string& utf8) { return Utf8ToCp1251(utf8).value(); }

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteData(); }

  // Runs the binary in the current folder; env is put in front ("A=b "). The
  // user's data folder is always one inside the test's folder.
  CliRun Run(const std::vector<std::string>& args, const std::string& env = "") {
    std::string cmd = "XDG_DATA_HOME=" + Quote(dir.path() + "/no-user-data") + " " + env + Quote(VELMORA_CLI);
    for (const auto& a : args) cmd += " " + Quote(a);
    return RunShell(cmd, dir);
  }

  // The worked example's data: core Ae 52, An 150, le 57.5; a material that
  // warns of nothing at start-up; AWG sizes come from the formula.
  void WriteData() {
    dir.write("English.lng",
              "[TITLE]\r\ntitle = Velmora\r\nversion = Version\r\n[MAGNETIC CORE]\r\ns4 = Required gap\r\n"
              "s5 = Required AL\r\ns10 = max.\r\n[RESULTS]\r\ns3 = Number of turns\r\n[OTHERS]\r\n"
              "s8 = Attention\r\ns14 = mH\r\ns15 = uH\r\ns18 = mm\r\ns21 = No data\r\ns26 = AWG\r\n");
    dir.write("Materials.txt", "Mat1 = N87 Epcos\r\nMat2 = " + Cp("Феррит \"Б\"") + "\r\n");
    const std::string material =
        "[Flux density]\r\nB1 = 100\r\nB2 = 200\r\nB3 = 400\r\n[Frequencies]\r\nF1 = 25\r\nF2 = 100\r\n"
        "F3 = 500\r\n[F_25]\r\nB_100 = 5\r\nB_200 = 20\r\nB_400 = 80\r\n[F_100]\r\nB_100 = 20\r\n"
        "B_200 = 80\r\nB_400 = 320\r\n[F_500]\r\nB_100 = 200\r\nB_200 = 800\r\nB_400 = 3200\r\n"
        "[Limits]\r\nBmax = 1.5\r\nBmmax = 1.5\r\nmu = 2200\r\n";
    dir.write("N87 Epcos.txt", material);
    dir.write("Феррит \"Б\".txt", material);
    dir.write("BaseCores.txt",
              "[E 25/13/7]\r\nAe = 52.5\r\nAn = 80\r\nle = 57.5\r\nmu = 1800\r\n\r\n"
              "[E 52]\r\nAe = 52\r\nAn = 150\r\nle = 57.5\r\nmu = 2000\r\n\r\n");
    dir.write("Wire.txt", "d1 = 0.5\r\ndiz1 = 0.55\r\nd2 = 1.06\r\ndiz2 = 1.12\r\nd3 = 2\r\ndiz3 = 2.1\r\n");
  }

  // The whole-chain example: output choke, 100 uH, 10 A, 24 V / 12 V,
  // 100 kHz, 5 A/mm2, AWG without the desired size, the no-data material.
  std::vector<std::string> Example(const std::string& yesAl, const std::string& gapOrAl) {
    return {"calc",       "--set",     "core=E 52",       "--set",       "L=100",
            "--set",      "Inom=10",   "--set",           "Uimpulsa=24", "--set",
            "Udc=12",     "--set",     "Fc=100",          "--set",       "j=5",
            "--set",      "yes_AWG=1", "--set",           "use_D=0",     "--set",
            "use=0",      "--set",     "yes_al=" + yesAl, "--set",       "zazor=" + gapOrAl,
            "--material", "No data",   "--json"};
  }

  TempDir dir;
};

bool Has(const std::string& json, const std::string& id, const std::string& value) {
  return json.find("\"" + id + "\": \"" + value + "\"") != std::string::npos;
}

// The text of one value of the JSON object "results" or "inputs".
std::string Value(const std::string& json, const std::string& object, const std::string& name) {
  const std::size_t start = json.find("\"" + object + "\": {");
  const std::size_t end = json.find('}', start);
  const std::size_t key = json.find("\"" + name + "\": ", start);
  if (start == std::string::npos || key == std::string::npos || key > end) return "missing";
  const std::size_t v = key + name.size() + 4;
  return json.substr(v, json.find_first_of(",}", v) - v);
}

TEST_F(CliTest, NumbersByNameBesideTheShownTexts) {
  CliRun r = Run(Example("1", "250"));
  ASSERT_EQ(r.exit, 0) << r.err;
  std::string j = r.out;
  EXPECT_EQ(Value(j, "results", "turns"), "20") << j;
  EXPECT_EQ(Value(j, "results", "inductance_uH"), "100");
  EXPECT_EQ(Value(j, "results", "peakFluxDensity_T"), "0.9903846153846154");  // the label: 0.990
  EXPECT_EQ(Value(j, "results", "coreLoss_W"), "null");                       // the no-data material
  EXPECT_EQ(Value(j, "results", "requiredGap_mm"), "null");                   // AL mode
  EXPECT_EQ(Value(j, "results", "wireSize_AWG"), "14");
  EXPECT_EQ(Value(j, "inputs", "frequency_kHz"), "100");
  EXPECT_EQ(Value(j, "inputs", "inductanceFactor_nH_per_turn2"), "250");
  EXPECT_EQ(Value(j, "inputs", "gap_mm"), "null");
  EXPECT_TRUE(Has(j, "1052", "0.990"));  // the texts stay

  // Empty inputs: the input checks stop the run, nothing is computed; and
  // nan and inf are no JSON numbers.
  r = Run({"calc", "--set", "L=", "--set", "zazor=", "--json"});
  ASSERT_EQ(r.exit, 0) << r.err;
  EXPECT_EQ(Value(r.out, "results", "peakFluxDensity_T"), "null") << r.out;
  EXPECT_EQ(Value(r.out, "results", "turns"), "null");
  EXPECT_NE(r.out.find("\"resultsCurrent\": false"), std::string::npos);
  for (const char* bad : {": nan", ": -nan", ": inf", ": -inf"}) EXPECT_EQ(r.out.find(bad), std::string::npos) << bad;

  // No calculation ran: every name is there, without a value.
  fs::remove("Materials.txt");
  r = Run({"--dir", ".", "calc", "--json"});
  ASSERT_EQ(r.exit, 3);
  EXPECT_EQ(Value(r.out, "results", "turns"), "null") << r.out;
  EXPECT_EQ(Value(r.out, "inputs", "frequency_kHz"), "null");
}

TEST_F(CliTest, ActionsRunInOrderAndWriteNothing) {
  // AWG, a frequency typed, calculated; then Save and Exit, which write nothing.
  CliRun r = Run({"calc", "--do", "click 1102", "--do", "type 1006 150", "--do", "click 1", "--do", "save x", "--do",
                  "click 2", "--json"});
  ASSERT_EQ(r.exit, 0) << r.err;
  EXPECT_NE(r.out.find("\"yes_AWG\": 1"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"Fc\": \"150\""), std::string::npos);
  EXPECT_EQ(Value(r.out, "inputs", "frequency_kHz"), "150");
  EXPECT_NE(r.out.find("\"window\": \"ended\""), std::string::npos);
  EXPECT_NE(r.out.find("\"startup\": \"ok\""), std::string::npos);
  EXPECT_NE(r.out.find("\"notWritten\": [\"x.sav\", \""), std::string::npos);
  EXPECT_FALSE(fs::exists("x.sav"));
  EXPECT_FALSE(fs::exists("Inductor.ini"));

  // Delete asks; the answer comes from --do. The table names what was not written.
  const std::string db = dir.read("BaseCores.txt");
  r = Run({"calc", "--do", "answer cancel", "--do", "click 7", "--do", "click 7"});
  ASSERT_EQ(r.exit, 0) << r.err;
  EXPECT_NE(r.out.find("Not written (the command line writes nothing)\n  BaseCores.txt\n"), std::string::npos) << r.out;
  EXPECT_EQ(dir.read("BaseCores.txt"), db);

  // A bad action is a usage error that names it, before or after start-up.
  for (const char* bad : {"push 1", "click 4242", "spin 99"}) {
    r = Run({"calc", "--do", "click 1102", "--do", bad});
    EXPECT_EQ(r.exit, 2) << bad;
    EXPECT_NE(r.err.find(std::string("--do '") + bad + "'"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(CliTest, WorkedExampleInAlMode) {
  const CliRun r = Run(Example("1", "250"));
  ASSERT_EQ(r.exit, 0) << r.err;
  const std::string& j = r.out;
  EXPECT_NE(j.find("\"core\": \"E 52\""), std::string::npos) << j;
  EXPECT_NE(j.find("\"material\": \"No data\""), std::string::npos);
  EXPECT_TRUE(Has(j, "1056", "220.0")) << j;
  EXPECT_TRUE(Has(j, "1051", "250.0"));
  EXPECT_TRUE(Has(j, "1050", "20"));
  EXPECT_TRUE(Has(j, "1049", "100.000"));
  EXPECT_TRUE(Has(j, "1104", "uH"));
  EXPECT_TRUE(Has(j, "1148", "0.600"));
  EXPECT_TRUE(Has(j, "1132", "10.300"));
  EXPECT_TRUE(Has(j, "1052", "0.990"));
  EXPECT_TRUE(Has(j, "1071", "0.029"));
  EXPECT_TRUE(Has(j, "1040", "357"));
  EXPECT_TRUE(Has(j, "1076", "AWG 14"));
  EXPECT_TRUE(Has(j, "1113", "1"));
  EXPECT_TRUE(Has(j, "1008", "4.806"));
  EXPECT_TRUE(Has(j, "1002", "0.277"));
  EXPECT_TRUE(Has(j, "1103", "(max. 1.200 T)"));
  EXPECT_TRUE(Has(j, "1105", ""));
  EXPECT_TRUE(Has(j, "1039", "Required AL"));
  EXPECT_TRUE(Has(j, "1092", ""));
  EXPECT_TRUE(Has(j, "1086", "AWG"));
  EXPECT_TRUE(Has(j, "1028", "52"));
  EXPECT_NE(j.find("\"yes_al\": 1"), std::string::npos);
  EXPECT_NE(j.find("\"zazor\": \"250\""), std::string::npos);
  EXPECT_NE(j.find("\"messages\": []"), std::string::npos);  // no warning, no notice
}

TEST_F(CliTest, WorkedExampleInGapMode) {
  const CliRun r = Run(Example("0", "0.2"));
  ASSERT_EQ(r.exit, 0) << r.err;
  const std::string& j = r.out;
  EXPECT_TRUE(Has(j, "1056", "313.8")) << j;
  EXPECT_TRUE(Has(j, "1051", "356.6"));
  EXPECT_TRUE(Has(j, "1050", "17"));
  EXPECT_TRUE(Has(j, "1049", "103.045"));
  EXPECT_TRUE(Has(j, "1148", "0.582"));
  EXPECT_TRUE(Has(j, "1132", "10.291"));
  EXPECT_TRUE(Has(j, "1052", "1.200"));
  EXPECT_TRUE(Has(j, "1071", "0.034"));
  EXPECT_TRUE(Has(j, "1040", "0.200"));
  EXPECT_TRUE(Has(j, "1076", "AWG 14"));
  EXPECT_TRUE(Has(j, "1113", "1"));
  EXPECT_TRUE(Has(j, "1008", "4.806"));
  EXPECT_TRUE(Has(j, "1002", "0.236"));
  EXPECT_TRUE(Has(j, "1039", "Required gap"));
  EXPECT_TRUE(Has(j, "1092", "mm"));
  EXPECT_NE(j.find("\"messages\": []"), std::string::npos);
}

TEST_F(CliTest, TableOutputDesignFileAndNothingWritten) {
  // A design file with its language line; --set wins over it.
  dir.write("design.sav",
            "[INI_DATA]\r\ncore\t= E 52\r\nmater\t= N87 Epcos\r\nL\t= 33\r\nInom\t= 10\r\n"
            "Uimpulsa= 24\r\nUdc\t= 12\r\nFc\t= 100\r\nj\t= 5\r\ndprov\t= 1.06\r\nzazor\t= 0.5\r\n"
            "lang\t= English\r\n");
  fs::create_directory("data");
  for (const char* f :
       {"English.lng", "Materials.txt", "N87 Epcos.txt", "Феррит \"Б\".txt", "BaseCores.txt", "Wire.txt"})
    fs::rename(f, fs::path("data") / f);
  const CliRun r = Run({"--dir", "data", "calc", "design.sav", "--set", "Inom=8"});
  ASSERT_EQ(r.exit, 0) << r.err;
  EXPECT_NE(r.out.find("Core:     E 52"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("33 uH"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("  8 "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Number of turns"), std::string::npos);
  std::vector<std::string> files;
  for (const auto& e : fs::directory_iterator("data")) files.push_back(e.path().filename().string());
  EXPECT_EQ(files.size(), 6u);  // no Inductor.ini, no rewritten database
  EXPECT_FALSE(fs::exists("Inductor.ini"));
}

TEST_F(CliTest, TextsAreUtf8AndJsonIsEscaped) {
  const CliRun r = Run({"calc", "--material", "Феррит \"Б\"", "--json"});
  ASSERT_EQ(r.exit, 0) << r.err;
  EXPECT_NE(r.out.find("\"material\": \"Феррит \\\"Б\\\"\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"mater\": \"Феррит \\\"Б\\\"\""), std::string::npos);
}

TEST_F(CliTest, StartUpThatEndsTheProgramExitsWithThree) {
  fs::remove("Materials.txt");
  CliRun r = Run({"--dir", ".", "calc", "--json"});
  EXPECT_EQ(r.exit, 3);
  const std::string message = "В папке с программой отсутствует файл перечня применяемых в программе материалов.";
  EXPECT_NE(r.out.find("\"text\": \"" + message + "\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"caption\": \"Внимание!\""), std::string::npos);
  EXPECT_NE(r.err.find(message), std::string::npos) << r.err;

  fs::remove("English.lng");
  r = Run({"--dir", ".", "calc"});
  EXPECT_EQ(r.exit, 3);
  EXPECT_NE(r.out.find("In the folder with the program file is missing English.lng."), std::string::npos) << r.out;
  EXPECT_FALSE(fs::exists("Inductor.ini"));
}

// A usage error is one line naming the problem and the line that points to
// the command's help.
TEST_F(CliTest, UsageErrorsAreOneLineAndPointToTheCommandsHelp) {
  struct Case {
    std::vector<std::string> args;
    const char* problem;
    const char* help;
  };
  for (const Case& c : std::vector<Case>{
           {{}, "no command given", "velmora-cli --help"},
           {{"draw"}, "unknown command draw", "velmora-cli --help"},
           {{"calc", "--frobnicate"}, "unknown option --frobnicate", "velmora-cli calc --help"},
           {{"calc", "--set", "colour=red"}, "unknown settings key colour", "velmora-cli calc --help"},
           {{"calc", "--set", "L"}, "--set needs KEY=VALUE", "velmora-cli calc --help"},
           {{"calc", "a.sav", "b.sav"}, "more than one design file", "velmora-cli calc --help"},
           {{"calc", "missing.sav"}, "cannot read the design file", "velmora-cli calc --help"},
           {{"--dir", "no/such/folder", "calc"}, "no/such/folder", "velmora-cli calc --help"},
           {{"calc", "--set", "core=\xE2\x82\xAC\xE2\x82"}, "--set core", "velmora-cli calc --help"},
           {{"calc", "--material", "Unobtainium"},
            "no such material Unobtainium; the list holds: N87 Epcos, Феррит \"Б\"",
            "velmora-cli calc --help"},
           {{"advise", "--top", "0"}, "--top needs a whole number", "velmora-cli advise --help"},
           {{"report"}, "report needs -o", "velmora-cli report --help"},
           {{"loss", "--material", "N87"}, "loss needs --material NAME", "velmora-cli loss --help"},
       }) {
    const CliRun r = Run(c.args);
    const std::string what = c.args.empty() ? "" : c.args.back();
    EXPECT_EQ(r.exit, 2) << what;
    const std::size_t end = r.err.find('\n');
    ASSERT_NE(end, std::string::npos) << r.err;
    EXPECT_NE(r.err.substr(0, end).find(c.problem), std::string::npos) << r.err;
    EXPECT_EQ(r.err.substr(end + 1), "Try '" + std::string(c.help) + "'.\n") << what;
  }
}

// COMMAND --help: that command's usage and options only; --help: all of them.
TEST_F(CliTest, EachCommandsHelpAndTheWholeHelp) {
  struct Case {
    const char* command;
    std::vector<const char*> has, lacks;
  };
  const char* usage = "Usage: velmora-cli [--dir DIR] ";
  for (const Case& c : std::vector<Case>{
           {"calc",
            {"--details", "key KEYS", "--mas FILE", "yes_AWG", "prints the converter's block"},
            {" advise ", " loss --", "--family", "-o FILE"}},
           {"advise",
            {"--family F", "--shape S", "--csv", "advise designs the choke", "--material NAME"},
            {" calc [", "--do ACTION", "--details"}},
           {"report", {"-o FILE", "--do ACTION", "--from-mas"}, {"--details", "--family", " loss --"}},
           {"loss", {"--frequency KHZ", "--material NAME", "iGSE"}, {"--set", "--do", " calc ["}},
       }) {
    const CliRun r = Run({c.command, "--help"});
    EXPECT_EQ(r.exit, 0) << c.command;
    EXPECT_EQ(r.out.rfind(usage + std::string(c.command), 0), 0u) << r.out;
    for (const char* text : c.has) EXPECT_NE(r.out.find(text), std::string::npos) << c.command << ": " << text;
    for (const char* text : c.lacks) EXPECT_EQ(r.out.find(text), std::string::npos) << c.command << ": " << text;
  }
  CliRun r = Run({"--help"});
  EXPECT_EQ(r.exit, 0);
  for (const char* text :
       {"--set KEY=VALUE", "yes_AWG", " advise [", " report [", " loss --", "key KEYS", "--family F"})
    EXPECT_NE(r.out.find(text), std::string::npos) << text;
  r = Run({"--version"});
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(r.out, std::string("velmora-cli ") + kProgramVersion + "\n");
}

// --material: exact before a unique prefix ("N87" finds "N87 Epcos");
// "MPP 14" is exact though "MPP 147" begins so; "MPP 1" may mean either.
TEST_F(CliTest, MaterialByExactNameElseUniquePrefix) {
  const std::string mpp = dir.read("N87 Epcos.txt");
  dir.write("MPP 14.txt", mpp);
  dir.write("MPP 147.txt", mpp);
  dir.write("Materials.txt", "Mat1 = N87 Epcos\r\nMat2 = MPP 14\r\nMat3 = MPP 147\r\n");
  struct Case {
    const char* given;
    int exit;
    const char* shown;  // in the table, or in the error
  };
  for (const Case& c : {Case{"n87", 0, "Material: N87 Epcos\n"},
                        {"MPP 14", 0, "Material: MPP 14\n"},
                        {"mpp147", 0, "Material: MPP 147\n"},
                        {"MPP 1", 2, "--material MPP 1 could be any of: MPP 14, MPP 147\n"},
                        {"3F3", 2, "the list holds: N87 Epcos, MPP 14, MPP 147, No data\n"}}) {
    const CliRun r = Run({"calc", "--material", c.given});
    EXPECT_EQ(r.exit, c.exit) << c.given << r.err;
    EXPECT_NE((c.exit ? r.err : r.out).find(c.shown), std::string::npos) << c.given << r.err << r.out;
  }
}

// Every file under the folder with its bytes, to see that nothing changed.
std::vector<std::pair<std::string, std::string>> Snapshot(const std::string& folder) {
  std::vector<std::pair<std::string, std::string>> files;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    std::string bytes;
    if (e.is_regular_file()) {
      std::ifstream in(e.path(), std::ios::binary);
      bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    files.emplace_back(e.path().string(), bytes);
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST_F(CliTest, WithoutDataHereTheUsersDataOrTheShippedOnesAreReadAndNothingIsWritten) {
  fs::create_directory("empty");
  fs::create_directory("home");
  const std::string home = "HOME=" + Quote(dir.path() + "/home") + " XDG_DATA_HOME= ";
  fs::current_path("empty");
  // No user data folder: the data files beside the program are read in place.
  CliRun r = Run({"calc", "--json"}, home);
  ASSERT_EQ(r.exit, 0) << r.err << r.out;
  EXPECT_NE(r.out.find("\"core\": \"E 25/13/7\""), std::string::npos) << r.out;
  // Nor is one made with HOME and XDG_DATA_HOME unset or relative.
  r = Run({"calc"}, "env -u HOME XDG_DATA_HOME=rel ");
  EXPECT_EQ(r.exit, 0) << r.err;
  r = Run({"calc"}, "HOME=. XDG_DATA_HOME= ");
  EXPECT_EQ(r.exit, 0) << r.err;
  EXPECT_TRUE(fs::is_empty("."));
  EXPECT_TRUE(fs::is_empty(dir.path() + "/home"));

  // The user's data folder, once the window has filled it, is read as it is.
  fs::current_path("..");
  fs::create_directories("xdg/velmora");
  for (const char* f : {"English.lng", "Materials.txt", "N87 Epcos.txt", "Феррит \"Б\".txt", "BaseCores.txt"})
    fs::rename(f, fs::path("xdg/velmora") / f);
  const auto before = Snapshot(dir.path() + "/xdg");
  fs::current_path("empty");
  r = Run({"calc", "--json", "--set", "core=E 52", "--set", "L=47"},
          "XDG_DATA_HOME=" + Quote(dir.path() + "/xdg") + " ");
  fs::current_path("..");
  ASSERT_EQ(r.exit, 0) << r.err << r.out;
  EXPECT_NE(r.out.find("\"core\": \"E 52\""), std::string::npos) << r.out;
  EXPECT_EQ(Snapshot(dir.path() + "/xdg"), before);
  EXPECT_TRUE(fs::is_empty("empty"));
}

}  // namespace
}  // namespace velmora::test
