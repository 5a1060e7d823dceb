// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-cli with a converter: the README's two examples end to end, --set
// over the converter's inputs, and the usage errors that name the value (each
// check of the engine's request, through the option it names).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "support/CliFixture.h"

namespace velmora::test {
namespace {

using ConverterCliTest = ShippedCliTest;
using nlohmann::json;

const std::vector<std::string> kBuck = {"calc",   "--converter", "buck",     "--vin", "9:14",  "--vout", "5",
                                        "--iout", "10",          "--ripple", "30%",   "--fsw", "200",    "--json"};

// The fields, then the converter's figures (from "\"converter\"" or the point named).
TEST_F(ConverterCliTest, TheReadmesExamplesAndSetWins) {
  const std::vector<std::string> boost = {"calc", "--converter", "boost", "--vin", "5:9", "--vout", "12",    "--iout",
                                          "2",    "--ripple",    "30%",   "--fsw", "100", "--set",  "Fc=90", "--json"};
  const struct {
    std::vector<std::string> args;
    std::vector<std::pair<const char*, const char*>> fields;
    std::vector<std::tuple<const char*, const char*, double>> figures;
  } cases[] = {
      {kBuck,
       {{"L", "5.358"},
        {"Uimpulsa", "14"},
        {"Udc", "5"},
        {"Inom", "10"},
        {"Fc", "200"},
        {"use", "0"},
        {"us_Imin", "0"}},
       {{"inductance_uH", "\"converter\"", 5.357142857},
        {"designInputVoltage_V", "\"converter\"", 14},
        {"inputVoltage_V", "\"at\": \"worst\"", 14},
        {"ripple_A", "\"at\": \"worst\"", 3},
        {"peakCurrent_A", "\"at\": \"max\"", 11.5}}},
      {boost,
       {{"L", "29.63"}, {"Uimpulsa", "5"}, {"Udc", "7"}, {"Inom", "4.8"}, {"use", "1"}, {"Fc", "90"}},  // --set wins
       {{"inductance_uH", "\"converter\"", 29.6296296},
        {"designInputVoltage_V", "\"converter\"", 5},
        {"inputVoltage_V", "\"at\": \"worst\"", 8}}},
  };
  for (const auto& c : cases) {
    const CliRun r = Run(c.args);
    ASSERT_EQ(r.exit, 0) << r.err;
    for (const auto& [key, value] : c.fields) EXPECT_EQ(Field(r.out, key, "\"fields\""), value) << key;
    for (const auto& [name, from, value] : c.figures)
      EXPECT_NEAR(std::stod(Field(r.out, name, from)), value, 1e-6) << name << " " << from;
  }
}

// Above the material's table the choke is designed at the table's last
// frequency, said so, and the converter's figures are those of that frequency.
TEST_F(ConverterCliTest, AFrequencyAboveTheTableIsToldAndDesignedFor) {
  std::vector<std::string> args = kBuck;
  *(std::find(args.begin(), args.end(), "--fsw") + 1) = "2000";
  const CliRun above = Run(args);
  *(std::find(args.begin(), args.end(), "--fsw") + 1) = "1000";
  const CliRun at = Run(args);
  EXPECT_EQ(above.exit, 0);
  EXPECT_NE(above.err.find("--fsw 2000 kHz lies above the loss table of N87 Epcos (up to 1000 kHz)"),
            std::string::npos);
  EXPECT_EQ(Field(above.out, "Fc"), "1000");
  EXPECT_EQ(above.out.substr(above.out.find("\"converter\"")), at.out.substr(at.out.find("\"converter\"")));
}

// The table prints the block --json has, from the same figures.
TEST_F(ConverterCliTest, TheTableHasTheConvertersBlock) {
  std::vector<std::string> args = kBuck;
  args.pop_back();  // --json
  const CliRun r = Run(args);
  ASSERT_EQ(r.exit, 0) << r.err;
  const std::size_t block = r.out.find("\nConverter\n");
  ASSERT_NE(block, std::string::npos) << r.out;
  for (const std::string line : {"Inductance +5.357 uH\n", "Design input voltage +14 V\n",
                                 "At the lowest input +9 V: duty 0.5556, current 10 A, ripple 2.074 A, peak 11.04 A\n",
                                 "At the worst point +14 V: duty 0.3571, current 10 A, ripple 3 A, peak 11.5 A\n"})
    EXPECT_TRUE(std::regex_search(r.out.substr(block), std::regex("\n  " + line))) << line << r.out;
}

const std::vector<std::string> kBoost = {"calc", "--converter", "boost", "--vin",    "10:30", "--vout",
                                         "48",   "--iout",      "3",     "--ripple", "2A",    "--efficiency",
                                         "95",   "--fsw",       "100",   "--json"};

// The boost of the worked example: three points, its largest core loss
// inside the range at 24 V, each check named at the point that decides it;
// with a 3 A ripple and a light load of 1 A the buck's choke current drops
// below half the ripple: the caution, at the high end.
TEST_F(ConverterCliTest, EveryInputVoltageEndEvaluated) {
  std::vector<std::string> args = kBoost;
  args.push_back("--details");
  const json boost = json::parse(Run(args).out);
  const json& points = boost["operatingPoints"];
  ASSERT_EQ(points.size(), 3U) << boost.dump();
  const struct {
    double vin;
    std::vector<std::string> at, decides;
  } expected[] = {{10, {"min", "highestCurrent"}, {"fluxNominal", "fluxSpread", "saturation", "rise", "runaway"}},
                  {24, {"largestRipple"}, {"lossExtrapolated"}},
                  {30, {"max"}, {"ripple", "acResistance"}}};
  double mostCore = 0, mostAt = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    EXPECT_NEAR(points[i]["inputVoltage_V"].get<double>(), expected[i].vin, 1e-6);
    EXPECT_EQ(points[i]["at"].get<std::vector<std::string>>(), expected[i].at);
    EXPECT_EQ(points[i]["decides"].get<std::vector<std::string>>(), expected[i].decides);
    if (points[i]["coreLossOperating_W"].get<double>() > mostCore)
      mostCore = points[i]["coreLossOperating_W"].get<double>(), mostAt = expected[i].vin;
  }
  EXPECT_EQ(mostAt, 24);
  for (const json& c : boost["checks"]) {
    if (c["point"].is_null()) continue;
    const json& decides = points[c["point"].get<std::size_t>()]["decides"];
    EXPECT_NE(std::find(decides.begin(), decides.end(), c["id"]), decides.end()) << c;
  }
  // The converter's own points stay at its inductance.
  EXPECT_NEAR(boost["converter"]["points"][2]["ripple_A"].get<double>(), 2, 1e-6);

  args = kBuck;
  for (const std::string extra : {"--details", "--ripple", "3A", "--iout-min", "1"}) args.push_back(extra);
  args.erase(std::find(args.begin(), args.end(), "--ripple"), std::find(args.begin(), args.end(), "--ripple") + 2);
  const json buck = json::parse(Run(args).out);
  ASSERT_EQ(buck["operatingPoints"].size(), 2U);
  const json& dcm = buck["checks"][14];
  EXPECT_EQ(dcm["id"], "discontinuous");
  EXPECT_EQ(dcm["passed"], false);
  EXPECT_EQ(dcm["value"], 1);
  EXPECT_EQ(dcm["point"], 1);
}

// The adviser's designs for a converter pass every check at every point
// when calc checks them again.
TEST_F(ConverterCliTest, TheAdvisersDesignsPassAtEveryPoint) {
  std::vector<std::string> advise = kBoost;
  advise.front() = "advise";
  for (const std::string extra : {"--top", "3"}) advise.push_back(extra);
  const json listed = json::parse(Run(advise).out)["listed"];
  ASSERT_FALSE(listed.empty());
  for (const json& candidate : listed) {
    std::vector<std::string> calc = kBoost;
    for (const json& a : candidate["calcArgs"]) calc.push_back(a.get<std::string>());
    calc.push_back("--details");
    const json checked = json::parse(Run(calc).out);
    EXPECT_EQ(checked["details"]["verdict"], "passes") << candidate["core"] << candidate["material"];
    EXPECT_EQ(checked["operatingPoints"].size(), 3U);
  }
}

TEST_F(ConverterCliTest, UsageErrorsNameTheValue) {
  const struct {
    std::vector<std::string> change;  // replaces an option of the buck example, or is added
    const char* named;
  } cases[] = {
      {{"--converter", "flyback"}, "--converter"},
      {{"--vin", "4:14"}, "--vout"},
      {{"--converter", "boost"}, "--vout"},
      {{"--vd", "-0.1"}, "--vsw/--vd"},
      {{"--vin", "0:14"}, "--vin"},
      {{"--vin", "14:9"}, "--vin"},
      {{"--vin", "x"}, "--vin"},
      {{"--vout", "0"}, "--vout"},
      {{"--iout", "-1"}, "--iout"},
      {{"--ripple", "30"}, "--ripple"},
      {{"--ripple", "0A"}, "--ripple"},
      {{"--fsw", "0"}, "--fsw"},
      {{"--fsw", "1e308"}, "--fsw"},
      {{"--iout", "1e308"}, "--iout"},
      {{"--ripple", "500%"}, "--ripple"},
      {{"--efficiency", "120"}, "--efficiency"},
      {{"--vsw", "4.5"}, "--vsw/--vd"},
      {{"--iout-min", "20"}, "--iout-min"},
      {{"--fsw"}, "--fsw needs a value"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = kBuck;
    args.pop_back();  // --json
    auto same = std::find(args.begin(), args.end(), c.change.front());
    if (same != args.end() && c.change.size() == 2) *(same + 1) = c.change[1];
    else if (same != args.end()) args.erase(same, same + 2), args.push_back(c.change.front());
    else args.insert(args.end(), c.change.begin(), c.change.end());
    const CliRun r = Run(args);
    EXPECT_EQ(r.exit, 2) << c.named;
    EXPECT_NE(r.err.find(std::string("velmora-cli: ") + c.named), std::string::npos) << r.err;
  }
  const CliRun missing = Run({"calc", "--converter", "boost", "--vin", "5"});
  EXPECT_EQ(missing.exit, 2);
  EXPECT_NE(missing.err.find("the converter needs --vout"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace velmora::test
