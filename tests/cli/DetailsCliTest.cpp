// SPDX-License-Identifier: GPL-3.0-or-later
// calc --details on the shipped data: the figures agree with each other and
// with the calculation's own numbers.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace velmora {
namespace {

using test::TempDir;

std::string RunCli(const std::string& args, const TempDir& dir) {
  const std::string out = dir.path() + "/details.out";
  const std::string cmd = std::string("'") + VELMORA_CLI + "' --dir '" + VELMORA_SOURCE_DIR + "/share' " + args +
                          " > '" + out + "' 2>/dev/null";
  const int status = std::system(cmd.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << cmd;
  return dir.read("details.out");
}

// The number after "name": at or after `from` (NaN for null or absent).
double Number(const std::string& json, const std::string& name, std::size_t from = 0) {
  const std::size_t k = json.find("\"" + name + "\": ", from);
  if (k == std::string::npos || json.compare(k + name.size() + 4, 4, "null") == 0) return std::nan("");
  return std::strtod(json.c_str() + k + name.size() + 4, nullptr);
}

// The numbers of the list "name": [...] after `from`.
std::vector<double> List(const std::string& json, const std::string& name, std::size_t from) {
  std::vector<double> values;
  std::size_t p = json.find("\"" + name + "\": [", from);
  if (p == std::string::npos) return values;
  p += name.size() + 5;
  const std::size_t end = json.find(']', p);
  while (p < end) {
    char* next = nullptr;
    values.push_back(std::strtod(json.c_str() + p, &next));
    p = json.find_first_of(",]", static_cast<std::size_t>(next - json.c_str())) + 1;
  }
  return values;
}

TEST(CliDetails, FiguresAreConsistent) {
  TempDir dir;
  for (const char* set : {"--set Fc=100", "--set Fc=150 --set yes_al=1 --set zazor=300", "--set Fc=10"}) {
    SCOPED_TRACE(set);
    const std::string j = RunCli(std::string("calc ") + set + " --details --json", dir);
    const std::size_t details = j.find("\"details\": {");
    ASSERT_NE(details, std::string::npos) << j;
    const double Irms = Number(j, "rmsCurrent_A");
    const double R = Number(j, "resistance_mOhm", details) / 1000;
    const double copper = Number(j, "copperLoss_W", details);
    const double core = Number(j, "coreLoss_W", details);
    const double total = Number(j, "totalLoss_W", details);
    if (std::isnan(copper)) {
      // The run stopped at the ripple check: no wire, no copper or total loss.
      EXPECT_TRUE(std::isnan(R));
      EXPECT_TRUE(std::isnan(total));
    } else {
      // At the settled temperature: one for core and winding, ambient + rise.
      // The nominal current in the DC resistance, the ripple in the AC one.
      const double Inom = Number(j, "nominalCurrent_A");
      const double dc = Number(j, "copperLossDC_W", details);
      const double ac = Number(j, "copperLossAC_W", details);
      EXPECT_NEAR(dc, Inom * Inom * R, 1e-9 * dc);
      EXPECT_NEAR(copper, dc + ac, 1e-12 * copper);
      EXPECT_NEAR(ac, (Irms * Irms - Inom * Inom) * R * Number(j, "acResistanceFactor", details), 1e-9 * copper);
      EXPECT_GE(Number(j, "acResistanceFactor", details), 1);
      EXPECT_GE(Number(j, "windingLayers", details), 1);
      const double operating = Number(j, "coreLossOperating_W", details);
      EXPECT_NEAR(total, operating + copper, 1e-12);
      const double dcFactor = Number(j, "coreLossDcFactor", details);
      EXPECT_NEAR(operating, Number(j, "coreLossSine_W", details) * Number(j, "waveformFactor", details) * dcFactor,
                  1e-12 + 1e-12 * operating);
      // The DC flux is the mean current's share of the peak flux density.
      EXPECT_NEAR(Number(j, "dcFluxDensity_T", details), Number(j, "peakFluxDensity_T") - Number(j, "acFluxDensity_T"),
                  1e-9);
      EXPECT_GE(dcFactor, 1);
      const double T = Number(j, "coreTemperature_C", details);
      EXPECT_EQ(T, Number(j, "windingTemperature_C", details));
      EXPECT_NEAR(T, Number(j, "ambient_C", details) + Number(j, "temperatureRise_K", details), 1e-9);
      EXPECT_NEAR(Number(j, "totalLoss100C_W", details), core + Number(j, "copperLoss100C_W", details), 1e-12);
      EXPECT_NE(j.find("\"thermalRunaway\": false"), std::string::npos);
    }
    EXPECT_EQ(core, Number(j, "coreLoss_W"));  // the calculation's own

    // The curve at Bac gives the core-loss label.
    const std::size_t curve = j.find("\"lossCurve\"", details);
    const std::vector<double> B = List(j, "B_T", curve);
    const std::vector<double> Pv = List(j, "Pv_mW_cm3", curve);
    ASSERT_EQ(B.size(), Pv.size());
    const auto at = std::find(B.begin(), B.end(), Number(j, "acFluxDensity_T"));
    ASSERT_NE(at, B.end());
    EXPECT_NEAR(Pv[static_cast<std::size_t>(at - B.begin())], Number(j, "coreLossDensity_mW_per_cm3"), 1e-9);

    // The waveform runs from Ipk - dI up to the peak-current label.
    const std::vector<double> i = List(j, "i_A", j.find("\"waveform\"", details));
    ASSERT_FALSE(i.empty());
    EXPECT_EQ(*std::max_element(i.begin(), i.end()), Number(j, "peakCurrent_A"));
    EXPECT_NEAR(*std::min_element(i.begin(), i.end()), Number(j, "peakCurrent_A") - Number(j, "rippleCurrent_A"),
                1e-12);
    EXPECT_EQ(j.find(": nan"), std::string::npos);
    EXPECT_EQ(j.find(": inf"), std::string::npos);
  }
  // 10 kHz lies below the shipped N87 table: extrapolated.
  const std::string high = RunCli("calc --set Fc=10 --details --json", dir);
  EXPECT_NE(high.find("\"extrapolatedFrequency\": true"), std::string::npos);
  EXPECT_NE(RunCli("calc --set Fc=100 --details --json", dir).find("\"extrapolatedFrequency\": false"),
            std::string::npos);
}

TEST(CliDetails, TableGainsTheFiguresOnlyWhenAsked) {
  TempDir dir;
  EXPECT_EQ(RunCli("calc", dir).find("Design details"), std::string::npos);
  const std::string t = RunCli("calc --details", dir);
  EXPECT_NE(t.find("Design details"), std::string::npos);
  EXPECT_NE(t.find("Total loss"), std::string::npos);
  EXPECT_NE(t.find("Temperature rise"), std::string::npos);
  EXPECT_EQ(RunCli("calc --json", dir).find("\"details\""), std::string::npos);
}

// The loss command at 100 C gives the label's interpolation; other
// temperatures, a triangle of duty 0.5 (iGSE below a sine) and a DC bias differ.
TEST(CliLoss, AnswersAndRefusesUnusableValues) {
  TempDir dir;
  const std::string calc = RunCli("calc --set Fc=100 --details --json", dir);
  char Bac[32];
  std::snprintf(Bac, sizeof Bac, "%.17g", Number(calc, "acFluxDensity_T"));
  const std::string at100 =
      RunCli(std::string("loss --material 'N87 Epcos' --frequency 100 --json --flux ") + Bac, dir);
  EXPECT_NEAR(Number(at100, "Pv_mW_cm3"), Number(calc, "coreLossDensity_mW_per_cm3"), 1e-6);
  EXPECT_EQ(Number(at100, "temperature_C"), 100);
  const std::string cold =
      RunCli("loss --material 'N87 Epcos' --frequency 100 --flux 0.1 --temperature 60 --json", dir);
  EXPECT_NEAR(Number(cold, "Pv_mW_cm3"), 79.83, 1e-9);  // the shipped 60 C table's cell
  EXPECT_NE(cold.find("\"extrapolatedTemperature\": false"), std::string::npos);
  const std::string tri = RunCli("loss --material 'N87 Epcos' --frequency 100 --flux 0.1 --duty 0.5 --json", dir);
  EXPECT_LT(Number(tri, "waveformFactor"), 1);
  EXPECT_EQ(Number(tri, "dcFactor"), 1);  // no bias given
  // A DC field reads as the flux density it gives; either raises the loss alike.
  const std::string field =
      RunCli("loss --material 'N87 Epcos' --frequency 100 --flux 0.1 --dc-field 60 --temperature 60 --json", dir);
  std::snprintf(Bac, sizeof Bac, "%.17g", Number(field, "dcFlux_T"));
  const std::string flux = RunCli(
      std::string("loss --material 'N87 Epcos' --frequency 100 --flux 0.1 --temperature 60 --json --dc-flux ") + Bac,
      dir);
  EXPECT_GT(Number(field, "dcFactor"), 1);
  EXPECT_NEAR(Number(flux, "Pv_mW_cm3"), Number(field, "Pv_mW_cm3"), 1e-9);
  EXPECT_NEAR(Number(flux, "Pv_mW_cm3"), 79.83 * Number(flux, "dcFactor"), 1e-9);
  for (const char* bad :
       {"--material Nope --frequency 100 --flux 0.1", "--material 'N87 Epcos' --frequency x --flux 0.1",
        "--material 'N87 Epcos' --frequency 100", "--material 'N87 Epcos' --frequency 100 --flux 0.1 --duty 1",
        "--material 'N87 Epcos' --frequency 100 --flux 0.1 --dc-flux -0.1",
        "--material 'N87 Epcos' --frequency 100 --flux 0.1 --dc-flux 0.1 --dc-field 10"}) {
    const std::string cmd =
        std::string("'") + VELMORA_CLI + "' --dir '" + VELMORA_SOURCE_DIR + "/share' loss " + bad + " > /dev/null 2>&1";
    const int status = std::system(cmd.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << bad;
  }
}

}  // namespace
}  // namespace velmora
