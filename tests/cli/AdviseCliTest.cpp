// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-cli advise end to end on the shipped data: every listed candidate
// is what calc gives for its core, material and gap.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "cli/Json.h"
#include "support/CliFixture.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

using AdviseCliTest = ShippedCliTest;
using cli::Json;

// Each listed candidate through calc with the options it lists: the same
// turns, flux density, core loss, wire and fill factor; calc's checks pass
// exactly when the adviser calls the design feasible, and then the peak flux
// at the high end of the spread (a powder core's rolled off at full load) is
// 20 % below Bsat at the settled temperature, the low end holds the required
// inductance (a powder core's at the nominal current), the rise is within 50 K.
void ExpectItemReproduced(AdviseCliTest& t, const std::vector<std::string>& sets, const Json& item) {
  {
    SCOPED_TRACE(item.dump());
    std::vector<std::string> args = {"calc", "--json", "--details"};
    args.insert(args.end(), sets.begin(), sets.end());
    for (const Json& a : item["calcArgs"]) args.push_back(a.get<std::string>());
    const CliRun calc = t.Run(args);
    ASSERT_EQ(calc.exit, 0) << calc.err;
    const Json out = Json::parse(calc.out);
    const Json& results = out["results"];
    for (const char* name : {"turns", "peakFluxDensity_T", "coreLoss_W", "wireDiameter_mm", "wires", "fillFactor",
                             "inductance_uH", "effectivePermeability", "inductanceFactor_nH_per_turn2"})
      EXPECT_EQ(item["results"][name], results[name]) << name;
    const bool feasible = item["feasible"].get<bool>();
    // A gap of le/3 or more: the window's input checks stop the run, the
    // adviser designs on without them (and finds no such design feasible).
    if (!out.contains("checks")) {
      EXPECT_FALSE(feasible);
      return;
    }
    // The columns of what decides are calc's own figures.
    const Json& listed = item["results"];
    const Json& details = out["details"];
    for (const char* name : {"totalLoss_W", "temperatureRise_K", "riseLimit_K"})
      EXPECT_EQ(listed[name], details[name]) << name;
    bool allPass = true;
    std::map<std::string, const Json*> checks;
    for (const Json& check : out["checks"]) {
      checks[check["id"].get<std::string>()] = &check;
      if (check["severity"] == "fail" && check["passed"] != true) allPass = false;
      if (check["id"] == "saturation" && check["value"].is_number() && check["limit"].is_number()) {
        EXPECT_EQ(listed["saturationShare_rel"], check["value"].get<double>() / check["limit"].get<double>());
      }
    }
    EXPECT_EQ(allPass, feasible);
    EXPECT_EQ(out["details"]["verdict"] == "passes", feasible);
    if (!feasible) return;
    const Json& d = out["details"];
    const Json& inductance = *checks.at("minimumInductance");
    EXPECT_EQ(listed["inductanceLow_uH"], inductance["value"]);
    EXPECT_GE(inductance["value"].get<double>(), d["minimumInductance_uH"].get<double>());
    const double margin = d["saturation"]["fluxMargin"].get<double>();
    EXPECT_LE((*checks.at("saturation"))["value"].get<double>(),
              (1 - margin) * d["saturation"]["Bsat_T"].get<double>());
    EXPECT_LE(d["temperatureRise_K"].get<double>(), d["riseLimit_K"].get<double>());
    EXPECT_EQ(item["results"]["alTolerance_rel"], d["worstCase"]["alTolerance_rel"]);
  }
}

void ExpectReproduced(AdviseCliTest& t, const std::vector<std::string>& sets, const std::string& listing,
                      std::size_t expected) {
  const Json listed = Json::parse(listing)["listed"];
  ASSERT_EQ(listed.size(), expected) << listing;
  for (const Json& item : listed) ExpectItemReproduced(t, sets, item);
}

TEST_F(AdviseCliTest, ListedCandidatesReproduceThroughCalc) {
  const CliRun a = Run({"advise", "--json", "--top", "5"});
  ASSERT_EQ(a.exit, 0) << a.err;
  EXPECT_EQ(Field(a.out, "candidates"), "3627");  // 1230 ferrite and 2397 powder pairs
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
  const Json listed = Json::parse(b.out)["listed"];
  for (const Json& item : listed) {
    EXPECT_EQ(item["shape"], "ETD");
    const double gap = item["results"]["gap_mm"].get<double>();
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
  const Json largeListed = Json::parse(c.out)["listed"];
  for (const Json& item : largeListed)
    EXPECT_TRUE(item["shape"] == "R" || item["results"]["gap_mm"].get<double>() >= 0.1) << item.dump();
}

// The one evaluation: over random inputs and limits, a design the adviser
// calls feasible, and only such a one, passes every check of calc --json
// given the options the adviser lists (feasible and infeasible ones alike).
TEST_F(AdviseCliTest, FeasibleExactlyWhenCalcPassesEveryCheck) {
  std::mt19937 rng(33);
  auto pick = [&rng](double lo, double hi) {
    return std::to_string(std::uniform_real_distribution<double>(lo, hi)(rng)).substr(0, 5);
  };
  for (int run = 0; run < 3; ++run) {
    const std::string U = pick(20, 100);
    const std::vector<std::string> sets = {"--set",      "L=" + pick(5, 200),   "--set",         "Inom=" + pick(1, 20),
                                           "--set",      "Uimpulsa=" + U,       "--set",         "Udc=" + pick(2, 19),
                                           "--set",      "Fc=" + pick(50, 300), "--flux-margin", pick(5, 40),
                                           "--max-rise", pick(20, 80)};
    std::vector<std::string> args = {"advise", "--json", "--all", "--shape", run == 0 ? "ETD" : "other"};
    args.insert(args.end(), sets.begin(), sets.end());
    const CliRun a = Run(args);
    ASSERT_EQ(a.exit, 0) << a.err;
    const Json listed = Json::parse(a.out)["listed"];
    std::vector<const Json*> designed;
    for (const Json& item : listed)
      if (!item["calcArgs"].is_null()) designed.push_back(&item);
    ASSERT_FALSE(designed.empty());
    std::shuffle(designed.begin(), designed.end(), rng);
    for (std::size_t i = 0; i < std::min<std::size_t>(designed.size(), 5); ++i)
      ExpectItemReproduced(*this, sets, *designed[i]);
  }
}

// The smallest core first, ties by total loss; --pareto lists the whole
// front, and along it the loss falls as the volume grows.
TEST_F(AdviseCliTest, SmallestCoreFirstAndTheParetoFront) {
  const Json ranked = Json::parse(Run({"advise", "--json", "--top", "30"}).out);
  const Json front = Json::parse(Run({"advise", "--json", "--pareto"}).out);
  auto figure = [](const Json& item, const char* name) { return item["results"][name].get<double>(); };
  const Json& listed = ranked["listed"];
  ASSERT_EQ(listed.size(), 30u);
  for (std::size_t i = 1; i < listed.size(); ++i) {
    const double v0 = figure(listed[i - 1], "coreVolume_cm3"), v1 = figure(listed[i], "coreVolume_cm3");
    EXPECT_TRUE(v0 < v1 || (v0 == v1 && figure(listed[i - 1], "totalLoss_W") <= figure(listed[i], "totalLoss_W")));
  }
  EXPECT_TRUE(listed[0]["pareto"].get<bool>());  // the least loss of the smallest core
  ASSERT_EQ(front["listed"].size(), front["pareto"].get<std::size_t>());
  ASSERT_GE(front["listed"].size(), 3u);
  EXPECT_EQ(front["candidates"], ranked["candidates"]);
  for (std::size_t i = 0; i < front["listed"].size(); ++i) {
    const Json& item = front["listed"][i];
    EXPECT_TRUE(item["pareto"].get<bool>() && item["feasible"].get<bool>());
    if (i == 0) continue;
    EXPECT_LT(figure(front["listed"][i - 1], "coreVolume_cm3"), figure(item, "coreVolume_cm3"));
    EXPECT_GT(figure(front["listed"][i - 1], "totalLoss_W"), figure(item, "totalLoss_W"));
  }
  const CliRun table = Run({"advise", "--pareto", "--top", "2"});
  EXPECT_NE(table.out.find("rise/max K"), std::string::npos);
  EXPECT_NE(table.out.find(" on the Pareto front of volume and total loss\n"), std::string::npos);
  EXPECT_EQ(std::count(table.out.begin(), table.out.end(), '*'), 2);
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
  EXPECT_EQ(csv.out.rfind("rank,core,shape,material,feasible,pareto,reason,gap_mm,turns,", 0), 0u);
  EXPECT_NE(csv.out.find(",false,false,frequency above the loss table,,"), std::string::npos);
  EXPECT_EQ(csv.out.find(",true,"), std::string::npos);
}

TEST_F(AdviseCliTest, UsageErrors) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"advise", "--shape", "EE"},
                                               {"advise", "--sort", "price"},
                                               {"advise", "--top", "0"},
                                               {"advise", "--gap-step", "-1"},
                                               {"advise", "--gap-step", "0.0009"},
                                               {"advise", "--gap-step", "0.6"},
                                               {"advise", "--flux-margin", "51"},
                                               {"calc", "--required-inductance", "0"},
                                               {"report", "--saturation-current", "-1", "-o", "x.pdf"},
                                               {"calc", "--min-gap", "3.5"},
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
