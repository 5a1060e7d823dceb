// SPDX-License-Identifier: GPL-3.0-or-later
// calc --mas and --from-mas on the shipped data: random designs written as
// MAS documents that validate against conformance class A, read back to the
// same results, and the format's own examples imported.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "support/CliFixture.h"
#include "support/ShellRun.h"
#include "support/TempDir.h"

namespace velmora {
namespace {

using nlohmann::json;
using test::Quote;
using test::RunShell;
using test::TempDir;

const std::string kMasFolder = std::string(VELMORA_SOURCE_DIR) + "/../shared/mas";
constexpr int kDesigns = 20;
// Exit status of the validator when Python's jsonschema is missing.
constexpr int kValidatorSkipped = 77;

test::CliRun Cli(const std::string& args, const TempDir& dir) {
  return RunShell(Quote(VELMORA_CLI) + " --dir " + Quote(std::string(VELMORA_SOURCE_DIR) + "/share") + " " + args, dir);
}

struct Design {
  std::string sets;  // what the export was given
  std::string kept;  // what the import is given besides the document: the wire settings
  bool gapMode = true;
  std::string file;
};

// Random designs of the shipped cores and materials that calculate to the
// end, each written by calc --mas into the folder.
class MasCli : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    const char* cores[] = {"E 25/13/7", "ETD 34/17/11", "EI 64/10/50",   "R 22.1/13.7/6.35", "RM 12",
                           "PQ 32/30",  "ER 28/14/11",  "E EFD 20/10/7", "P 26/16",          "U 93/76/30"};
    const char* materials[] = {"N87 Epcos", "N97 Epcos", "N27 Epcos", "3C90 Ferroxcube", "3F3 Ferroxcube"};
    std::mt19937 random(25);
    auto pick = [&random](double low, double high) {
      char text[32];
      std::snprintf(text, sizeof text, "%.4g", std::uniform_real_distribution<double>(low, high)(random));
      return std::string(text);
    };
    for (int attempt = 0; designs_.size() < kDesigns && attempt < 10 * kDesigns; ++attempt) {
      Design d;
      d.gapMode = random() % 4 != 0;
      const bool other = random() % 2 != 0;
      d.sets = " --set core=" + Quote(cores[random() % std::size(cores)]) + " --material " +
               Quote(materials[random() % std::size(materials)]) + " --set use=" + (other ? "1" : "0") +
               " --set L=" + pick(10, 400) + " --set Inom=" + pick(2, 20) + " --set Uimpulsa=" + pick(30, 60) +
               " --set Udc=" + pick(5, 25) + " --set Fc=" + pick(25, 200) +
               " --set yes_al=" + (d.gapMode ? "0 --set zazor=" + pick(0.05, 1.5) : "1 --set zazor=" + pick(60, 400));
      d.kept = " --set j=" + pick(3, 8) + " --set yes_AWG=" + std::to_string(random() % 2);
      d.file = dir_->path() + "/design" + std::to_string(designs_.size()) + ".json";
      if (Cli("calc" + d.sets + d.kept + " --mas " + Quote(d.file), *dir_).exit == 0) designs_.push_back(d);
    }
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  static json Results(const std::string& args) {
    const test::CliRun run = Cli("calc --json" + args, *dir_);
    EXPECT_EQ(run.exit, 0) << args << run.err;
    return json::parse(run.out, nullptr, false);
  }

  static TempDir* dir_;
  static std::vector<Design> designs_;
};

TempDir* MasCli::dir_ = nullptr;
std::vector<Design> MasCli::designs_;

// The documents (quoted, each after a space) validated against class A;
// skipped without the schemas or the validator.
void ExpectValidClassA(const std::string& files, const TempDir& dir) {
  if (!std::filesystem::exists(kMasFolder + "/schemas/conformance/class-A.json"))
    GTEST_SKIP() << "the MAS schemas are not beside the source tree (../shared/mas/schemas): not validated";
  const test::CliRun run = RunShell("python3 " + Quote(std::string(VELMORA_SOURCE_DIR) + "/tests/cli/validate_mas.py") +
                                        " " + Quote(kMasFolder + "/schemas") + " conformance/class-A.json" + files,
                                    dir);
  if (run.exit == kValidatorSkipped) GTEST_SKIP() << run.out;
  EXPECT_EQ(run.exit, 0) << run.out << run.err;
}

TEST_F(MasCli, ExportsValidateAgainstClassA) {
  ASSERT_EQ(designs_.size(), kDesigns);
  std::string files;
  for (const Design& d : designs_) files += " " + Quote(d.file);
  ExpectValidClassA(files, *dir_);
}

// Designs from the converter: imported and exported again, the document
// carries the same converter (the frequency as requested, above the
// material's table too) and its four operating points. Every one validates.
TEST_F(MasCli, ConverterDesignsTravelAndValidate) {
  const std::pair<std::string, const char*> cases[] = {
      {"buck",
       "--converter buck --vin 9:16 --vout 5 --iout 6 --ripple 30% --fsw 300 --vsw 0.3 --vd 0.5 --efficiency 90%"},
      {"boost", "--converter boost --vin 5:9 --vout 12 --iout 2 --ripple 0.8A --fsw 2000 --vsw 0.1 --vd 0.4"},
      {"inverting", "--converter buckboost --vin 9:16 --vout 5 --iout 6 --ripple 30% --fsw 300 --vd 0.45"},
  };
  std::string files;
  for (const auto& [name, converter] : cases) {
    SCOPED_TRACE(name);
    const std::string first = name + ".json", second = name + "-again.json";
    ASSERT_EQ(Cli(std::string("calc ") + converter + " --mas " + first, *dir_).exit, 0);
    const test::CliRun again = Cli("calc --json --from-mas " + first + " --mas " + second, *dir_);
    ASSERT_EQ(again.exit, 0) << again.err;
    json a = json::parse(dir_->read(first))["inputs"], b = json::parse(dir_->read(second))["inputs"];  // [] adds null
    EXPECT_EQ(a["converterInformation"], b["converterInformation"]);
    EXPECT_EQ(b["operatingPoints"].size(), name == "inverting" ? 1u : 4u);
    files += " " + Quote(dir_->path() + "/" + first) + " " + Quote(dir_->path() + "/" + second);
  }
  ExpectValidClassA(files, *dir_);
}

// Every result null in both or the same number: whole counts exactly, the
// rest within the last bits, where the voltages rebuilt from a peak-to-peak
// value and a duty cycle may differ from those typed.
void ExpectSameResults(const json& a, const json& b) {
  constexpr double kRelative = 1e-12;
  ASSERT_EQ(a.size(), b.size());
  for (const auto& [key, value] : a.items()) {
    const json& other = b[key];
    if (value.is_null() || other.is_null()) {
      EXPECT_EQ(value.is_null(), other.is_null()) << key;
      continue;
    }
    const double x = value.get<double>(), y = other.get<double>();
    EXPECT_LE(std::abs(x - y), kRelative * std::max(std::abs(x), std::abs(y))) << key << " " << x << " " << y;
  }
}

TEST_F(MasCli, ImportGivesTheSameResults) {
  ASSERT_EQ(designs_.size(), kDesigns);
  for (const Design& d : designs_) {
    SCOPED_TRACE(d.sets);
    const json exported = Results(d.sets + d.kept);
    const json imported = Results(d.kept + " --from-mas " + Quote(d.file));
    if (d.gapMode) {
      ExpectSameResults(exported["results"], imported["results"]);
      continue;
    }
    // AL given: the document holds the gap that gives it; read back in gap
    // mode, that gap gives the same AL and so the same turns.
    const json& a = exported["results"];
    const json& b = imported["results"];
    EXPECT_NEAR(b["inductanceFactor_nH_per_turn2"].get<double>(), a["inductanceFactor_nH_per_turn2"].get<double>(),
                a["inductanceFactor_nH_per_turn2"].get<double>() * 1e-9);
    EXPECT_EQ(b["turns"], a["turns"]);
  }
}

// A powder goes by its own name and without a gap (its gap is distributed),
// even when a gap was typed; read back, it is the same ungapped design.
TEST_F(MasCli, APowderGoesByItsNameWithoutAGap) {
  const std::string file = dir_->path() + "/powder.json";
  const std::string sets = " --set core=" + Quote("R 41/23/15") + " --material " + Quote("Kool M\u00B5 60") +
                           " --set L=120 --set Inom=10 --set Uimpulsa=48 --set Udc=12 --set yes_al=0";
  ASSERT_EQ(Cli("calc" + sets + " --set zazor=0.3 --mas " + Quote(file), *dir_).exit, 0);
  std::ifstream in(file);
  const json doc = json::parse(in, nullptr, false);
  const json& core = doc["magnetic"]["core"]["functionalDescription"];
  EXPECT_EQ(core["material"], "Kool M\u00B5 60");
  EXPECT_TRUE(core["gapping"].empty());
  const json imported = Results(" --from-mas " + Quote(file));
  EXPECT_EQ(imported["results"]["turns"], Results(sets + " --set zazor=0")["results"]["turns"]);
}

TEST_F(MasCli, ExamplesImport) {
  const std::string examples = kMasFolder + "/examples/";
  if (!std::filesystem::exists(examples)) GTEST_SKIP() << "the MAS examples are not beside the source tree";
  struct Case {
    const char* file;
    const char* core;
    const char* material;
    const char *L, *Fc, *Inom, *U1, *U2, *gap;
    const char* message;  // the part of the one message, or "" for none
  } const cases[] = {
      {"01_simple_inductor_etd34_n87.json", "ETD 34/17/11", "N87 Epcos", "100", "100", "5", "12", "12", "1", ""},
      {"03_buck_inductor_pq3230_n95.json", "PQ 32/30", "N95 Epcos", "22", "200", "20", "31.2", "16.8", "2", ""},
      {"08_pq_inductor_pq5050_n27.json", "PQ 50/50", "N27 Epcos", "500", "50", "3", "50", "50", "1", ""},
      {"12_boost_inductor_t5026_26.json", "E 25/13/7", "N87 Epcos", "100", "80", "0.5", "2.5", "2.5", "0",
       "Not in the database, left as it was: core T 50/30/19, material 77"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const json j = Results(" --from-mas " + Quote(examples + c.file));
    const json& f = j["fields"];
    EXPECT_EQ(j["core"], c.core);
    EXPECT_EQ(j["material"], c.material);
    const std::pair<const char*, const char*> expected[] = {{"L", c.L},         {"Fc", c.Fc},  {"Inom", c.Inom},
                                                            {"Uimpulsa", c.U1}, {"Udc", c.U2}, {"zazor", c.gap}};
    for (const auto& [key, value] : expected) EXPECT_EQ(f[key], value) << key;
    EXPECT_EQ(f["use"], 1);
    EXPECT_EQ(f["yes_al"], 0);
    const std::string messages = j["messages"].dump();
    if (*c.message) EXPECT_NE(messages.find(c.message), std::string::npos) << messages;
    else EXPECT_EQ(messages.find("Not in the database"), std::string::npos) << messages;
  }
}

TEST_F(MasCli, FailuresAreToldWithTheirExitStatus) {
  dir_->write("not.json", "{\"inputs\": [");
  dir_->write("lacks.json", R"({"inputs":{"designRequirements":{"magnetizingInductance":{"nominal":1e-4}}}})");
  ASSERT_EQ(Cli("calc --mas same.json", *dir_).exit, 0);
  struct Case {
    std::string args;
    int exit;
    const char* error;
  } const cases[] = {
      {"calc --from-mas missing.json", 2, "cannot read missing.json"},
      {"calc --from-mas not.json", 2, "The file is no JSON document: parse error"},
      {"calc --from-mas lacks.json", 2, "it lacks magnetic.core"},
      {"calc --mas no/such/folder/x.json", 1, "The MAS document could not be written"},
      {"calc --from-mas same.json --mas same.json", 1, "the file the output is made from"},
      {"calc --set L=0 --mas x.json", 1, "The design cannot be exported: the calculation gives no valid value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const test::CliRun run = Cli(c.args, *dir_);
    EXPECT_EQ(run.exit, c.exit);
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
  }
  EXPECT_FALSE(dir_->exists("x.json"));
}

// In the folder of the data: no output over the program's own files, and
// what an import holds but cannot take is named and left as it was.
using MasOutputs = test::ShippedCliTest;
TEST_F(MasOutputs, NeverOverTheDataAndNamedWhenNotTaken) {
  const std::string doc = R"({"inputs":{"designRequirements":{"magnetizingInductance":1e-4},"operatingPoints":[)"
                          R"({"conditions":{"ambientTemperature":%A}}]},"magnetic":{"core":{"functionalDescription":)"
                          R"({"shape":"E 25/13/7","material":"N87","gapping":[{"length":%G}]}},)"
                          R"("coil":{"functionalDescription":[{}]}}})";
  auto document = [&doc](const char* ambient, const char* gap) {
    std::string text = std::regex_replace(doc, std::regex("%A"), ambient);
    return std::regex_replace(text, std::regex("%G"), gap);
  };
  dir.write("hot.json", document("1e308", "0.0005"));
  dir.write("gaps.json", document("25", "-0.001"));
  const std::string settings = dir.read("Inductor.ini");
  const struct {
    std::vector<std::string> args;
    int exit;
    const char* said;      // in the output or the error
    const char* gapField;  // the gap the design got, or empty
  } cases[] = {
      {{"calc", "--mas", "Inductor.ini"}, 1, "is a data file of the program", ""},
      {{"calc", "--mas", "N87 Epcos.txt"}, 1, "is a data file of the program", ""},
      {{"calc", "--mas", "english.lng"}, 1, "is a data file of the program", ""},
      {{"calc", "--mas", "design"}, 0, "", ""},
      {{"calc", "--json", "--details", "--from-mas", "hot.json"},
       0,
       "ambientTemperature = 1e+308 (-55...150 C)",
       "0.5"},
      {{"calc", "--json", "--from-mas", "gaps.json", "--set", "zazor=0.7"}, 0, "gapping[0].length = -0.001", "0.7"},
  };
  for (const auto& c : cases) {
    const test::CliRun run = Run(c.args);
    SCOPED_TRACE(c.args.back() + run.err);
    EXPECT_EQ(run.exit, c.exit);
    EXPECT_NE((run.out + run.err).find(c.said), std::string::npos);
    if (*c.gapField) {
      EXPECT_EQ(test::Field(run.out, "zazor"), c.gapField);
    }
  }
  EXPECT_EQ(dir.read("Inductor.ini"), settings);
  EXPECT_TRUE(dir.exists("design.json"));
  EXPECT_FALSE(dir.exists("Inductor.ini.json"));
  // The ambient the design keeps is the one it had, not the document's.
  EXPECT_EQ(test::Field(Run({"calc", "--json", "--details", "--from-mas", "hot.json"}).out, "ambient_C"), "40");
}

TEST_F(MasCli, FilesLargerThanTheirLimitsAreRefusedUnreadAndNamed) {
  const TempDir data;  // sparse files of 50 GB, which take no disk
  data.copyShippedData();
  for (const char* name : {"huge.json", "Details.cfg"}) {
    data.write(name, "");
    std::filesystem::resize_file(data.path() + "/" + name, 50ULL << 30);
  }
  const test::CliRun run = RunShell(Quote(VELMORA_CLI) + " --dir . calc", data);
  EXPECT_EQ(run.exit, 0);
  EXPECT_NE(run.err.find("Details.cfg: it is larger than 100,000 bytes; the defaults are used"), std::string::npos);
  EXPECT_NE(Cli("calc --from-mas huge.json", data).err.find("huge.json: it is larger than 16,777,216 bytes"),
            std::string::npos);
}

}  // namespace
}  // namespace velmora
