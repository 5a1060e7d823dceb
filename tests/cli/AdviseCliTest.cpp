// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-cli advise end to end on the shipped data: every listed candidate
// is what calc gives for its core, material and gap.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "support/CliFixture.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

using AdviseCliTest = ShippedCliTest;

// The objects of the "listed" array, one per line.
std::vector<std::string> Listed(const std::string& json) {
  std::vector<std::string> items;
  std::size_t pos = 0;
  while ((pos = json.find("{\"rank\": ", pos)) != std::string::npos) {
    const std::size_t end = json.find("}}", pos);
    items.push_back(json.substr(pos, end - pos + 2));
    pos = end;
  }
  return items;
}

// Each listed candidate through calc: the same turns, flux density, core
// loss, wire and fill factor, and for a feasible one no warning, the flux
// limit held across the spread and the rise within 50 K.
void ExpectReproduced(AdviseCliTest& t, const std::vector<std::string>& sets, const std::string& listing,
                      std::size_t expected) {
  const std::vector<std::string> items = Listed(listing);
  ASSERT_EQ(items.size(), expected) << listing;
  for (const std::string& item : items) {
    std::vector<std::string> args = {"calc", "--json", "--details"};
    args.insert(args.end(), sets.begin(), sets.end());
    for (const std::string& s : {"core=" + Field(item, "core"), "mater=" + Field(item, "material"),
                                 std::string("yes_al=0"), "zazor=" + Field(item, "gap_mm")}) {
      args.push_back("--set");
      args.push_back(s);
    }
    const CliRun calc = t.Run(args);
    SCOPED_TRACE(item);
    ASSERT_EQ(calc.exit, 0) << calc.err;
    const std::string results = calc.out.substr(calc.out.find("\"results\""));
    for (const char* name : {"turns", "peakFluxDensity_T", "coreLoss_W", "wireDiameter_mm", "wires", "fillFactor",
                             "inductance_uH", "effectivePermeability"})
      EXPECT_EQ(Field(item, name), Field(results, name)) << name;
    if (Field(item, "feasible") == "true") {
      EXPECT_EQ(calc.out.find("\"messages\": []"), calc.out.find("\"messages\""));
      EXPECT_EQ(Field(calc.out, "fluxLimitHolds"), "true");
      EXPECT_LE(std::stod(Field(calc.out, "temperatureRise_K")), 50.0);
      EXPECT_EQ(Field(item, "alTolerance_rel"), Field(calc.out, "alTolerance_rel"));
    }
  }
}

TEST_F(AdviseCliTest, ListedCandidatesReproduceThroughCalc) {
  const CliRun a = Run({"advise", "--json", "--top", "5"});
  ASSERT_EQ(a.exit, 0) << a.err;
  EXPECT_EQ(Field(a.out, "candidates"), "1230");
  ExpectReproduced(*this, {}, a.out, 5);

  // Other inputs, AWG sizes, one shape, a coarser gap step, by volume.
  const std::vector<std::string> sets = {"--set",    "Fc=200", "--set",  "yes_AWG=1", "--set",
                                         "dprov=18", "--set",  "Inom=4", "--set",     "L=120"};
  std::vector<std::string> args = {"advise", "--json",     "--top", "3",      "--shape",
                                   "ETD",    "--gap-step", "0.05",  "--sort", "volume"};
  args.insert(args.end(), sets.begin(), sets.end());
  const CliRun b = Run(args);
  ASSERT_EQ(b.exit, 0) << b.err;
  ExpectReproduced(*this, sets, b.out, 3);
  for (const std::string& item : Listed(b.out)) {
    EXPECT_EQ(Field(item, "shape"), "ETD");
    const double gap = std::stod(Field(item, "gap_mm"));
    EXPECT_NEAR(gap / 0.05, std::round(gap / 0.05), 1e-9);
  }

  // A large choke, a maker's tolerance of 15 % for both runs.
  const std::vector<std::string> large = {"--set", "L=100",  "--set", "Inom=20", "--set",          "Uimpulsa=100",
                                          "--set", "Udc=48", "--set", "Fc=50",   "--al-tolerance", "15"};
  args = {"advise", "--json", "--top", "4", "--min-gap", "0.1"};
  args.insert(args.end(), large.begin(), large.end());
  const CliRun c = Run(args);
  ASSERT_EQ(c.exit, 0) << c.err;
  ExpectReproduced(*this, large, c.out, 4);
  for (const std::string& item : Listed(c.out))
    EXPECT_TRUE(Field(item, "shape") == "R" || std::stod(Field(item, "gap_mm")) >= 0.1) << item;
}

TEST_F(AdviseCliTest, AllListsTheInfeasibleWithTheirReasons) {
  const CliRun table = Run({"advise", "--all", "--material", "n87 epcos", "--set", "Fc=100"});
  ASSERT_EQ(table.exit, 0) << table.err;
  EXPECT_NE(table.out.find("not feasible because"), std::string::npos);
  EXPECT_NE(table.out.find("peak flux density above the permitted one"), std::string::npos);
  EXPECT_EQ(table.out.find("Ferroxcube"), std::string::npos);
  EXPECT_NE(table.out.find("of 123 candidates feasible"), std::string::npos);

  // 3F36's table ends below 2000 kHz, N87's too: nothing designed there.
  const CliRun csv = Run({"advise", "--csv", "--all", "--set", "Fc=2000", "--material", "3F36 Ferroxcube"});
  ASSERT_EQ(csv.exit, 0) << csv.err;
  EXPECT_EQ(csv.out.rfind("rank,core,shape,material,feasible,reason,gap_mm,turns,", 0), 0u);
  EXPECT_NE(csv.out.find(",false,frequency above the loss table,,"), std::string::npos);
  EXPECT_EQ(csv.out.find(",true,"), std::string::npos);
}

TEST_F(AdviseCliTest, UsageErrors) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"advise", "--shape", "EE"},
                                               {"advise", "--sort", "price"},
                                               {"advise", "--top", "0"},
                                               {"advise", "--gap-step", "-1"},
                                               {"advise", "--gap-step", "0.0009"},
                                               {"advise", "--min-gap", "-0.1"},
                                               {"advise", "--max-rise", "0"},
                                               {"advise", "--al-tolerance", "100"},
                                               {"calc", "--al-tolerance", "ten"},
                                               {"advise", "--material", "Unobtainium"},
                                               {"advise", "--do", "click 1"},
                                               {"calc", "--top", "3"}}) {
    const CliRun r = Run(args);
    EXPECT_EQ(r.exit, 2) << args[1];
    EXPECT_NE(r.err.find("\nTry 'velmora-cli " + args[0] + " --help'.\n"), std::string::npos) << r.err;
  }
  EXPECT_NE(Run({"--help"}).out.find("advise designs the choke"), std::string::npos);
}

// --family: the cores whose "mas" line names that family, every one of them;
// "N87" is the one material it begins.
TEST_F(AdviseCliTest, FamilyOfTheMasLine) {
  struct Case {
    const char* family;
    const char* names;  // how the records of the family are named
    std::size_t count;
  };
  for (const Case& c : {Case{"etd", "ETD ", 9}, {"EFD", "E EFD ", 6}, {"t", "R ", 26}, {"pq", "PQ ", 9}}) {
    const CliRun r = Run({"advise", "--family", c.family, "--material", "N87", "--all", "--csv"});
    ASSERT_EQ(r.exit, 0) << r.err;
    const std::regex row("\r\n[0-9]+,([^,]*),[^,]*,N87 Epcos,");
    std::size_t rows = 0;
    for (std::sregex_iterator m(r.out.begin(), r.out.end(), row), end; m != end; ++m, ++rows)
      EXPECT_EQ((*m)[1].str().rfind(c.names, 0), 0u) << (*m)[1].str();
    EXPECT_EQ(rows, c.count) << c.family;
  }
  const CliRun none = Run({"advise", "--family", "zz"});
  EXPECT_EQ(none.exit, 2);
  EXPECT_NE(
      none.err.find("--family zz: no core of that family; the database holds: e, efd, ep, er, etd, p, pq, rm, t, u"),
      std::string::npos)
      << none.err;
}

}  // namespace
}  // namespace velmora::test
