// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <optional>
#include <set>
#include <string>

#include "present/InputTable.h"
#include "present/ResultTable.h"
#include "support/ChokeFixture.h"

namespace velmora {
namespace {

std::optional<double> Get(const std::vector<NamedValue>& values, const char* name) {
  for (const NamedValue& v : values)
    if (std::strcmp(v.name, name) == 0) return v.value;
  ADD_FAILURE() << "no value named " << name;
  return std::nullopt;
}

// The worked example with a core of permeability 2000 and a wire of 1,06.
class NamedValuesTest : public test::ChokeFixture {
 protected:
  NamedValuesTest() {
    core = CoreRecord{"E 52", 52, 150, 57.5, 2000, 57.5 * 52 / 1000};
    in.wireSize = "1,06";
  }
  std::vector<NamedValue> Results(const ChokeResults& r) { return NamedResults(&r); }
  std::vector<NamedValue> Inputs(const ChokeResults& r) { return NamedInputs(&r, core, material); }
};

TEST_F(NamedValuesTest, WorkedExampleAtFullPrecision) {
  const ChokeResults r = Run();
  const auto res = Results(r);
  EXPECT_EQ(Get(res, "turns"), 20);
  EXPECT_DOUBLE_EQ(*Get(res, "inductance_uH"), 100);  // the label shows "100.000"
  EXPECT_DOUBLE_EQ(*Get(res, "inductanceFactor_nH_per_turn2"), 250);
  EXPECT_DOUBLE_EQ(*Get(res, "rippleCurrent_A"), 0.6);
  EXPECT_DOUBLE_EQ(*Get(res, "peakCurrent_A"), 10.3);
  EXPECT_DOUBLE_EQ(*Get(res, "fluxDensityLimit_T"), 1.2);
  EXPECT_NEAR(*Get(res, "peakFluxDensity_T"), 0.990385, 1e-6);
  EXPECT_EQ(Get(res, "wireSize_AWG"), 14);
  EXPECT_EQ(Get(res, "wires"), 1);
  EXPECT_NEAR(*Get(res, "fillFactor"), 0.277, 5e-4);
  // Not rounded the way the labels are.
  EXPECT_EQ(*Get(res, "peakFluxDensity_T"), r.Bpk);
  EXPECT_NE(std::to_string(r.Bpk), "0.990000");
  // The AL mode has no required gap; the no-data material no core loss.
  EXPECT_FALSE(Get(res, "requiredGap_mm"));
  EXPECT_NEAR(*Get(res, "requiredInductanceFactor_nH_per_turn2"), 357, 0.5);
  EXPECT_FALSE(Get(res, "coreLoss_W"));
  EXPECT_FALSE(Get(res, "coreLossDensity_mW_per_cm3"));
  EXPECT_FALSE(Get(res, "fluxAmplitudeAtLossLimit_T"));

  const auto inputs = Inputs(r);
  EXPECT_EQ(Get(inputs, "inductance_uH"), 100);
  EXPECT_EQ(Get(inputs, "frequency_kHz"), 100);
  EXPECT_EQ(Get(inputs, "inductanceFactor_nH_per_turn2"), 250);
  EXPECT_FALSE(Get(inputs, "gap_mm"));
  EXPECT_EQ(Get(inputs, "wireSize_AWG"), 1.06);  // read as typed, comma as point
  EXPECT_FALSE(Get(inputs, "wireDiameter_mm"));
  EXPECT_EQ(Get(inputs, "coreSection_mm2"), 52);
  EXPECT_EQ(Get(inputs, "materialPermeability"), 10000);  // the no-data material's
}

TEST_F(NamedValuesTest, GapModeFerriteAndMetricWire) {
  in.gapChoice = 0;
  in.gapOrAl = "0.2";
  in.yes_AWG = 0;
  wires = WireTable{{{0.5, 0.55, 0.19635}, {1.06, 1.12, 0.882473}, {2, 2.1, 3.14159}}};
  // A ferrite with a loss table (B in T, F in kHz, loss in mW/cm3).
  material =
      MaterialRecord{.name = "F", .nB = 2, .nF = 2, .Bmax = 0.39, .Bmmax = 0.32, .mu = 2200, .temperatureTables = {}};
  const double table[3][3] = {{0, 0.1, 0.2}, {50, 45, 200}, {200, 300, 1300}};
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) material.table[row][col] = table[row][col];
  const ChokeResults r = Run();
  const auto res = Results(r);
  EXPECT_DOUBLE_EQ(*Get(res, "requiredGap_mm"), r.greq);
  EXPECT_TRUE(Get(res, "coreLoss_W"));
  EXPECT_TRUE(Get(res, "fluxAmplitudeAtLossLimit_T"));
  EXPECT_FALSE(Get(res, "wireSize_AWG"));
  EXPECT_DOUBLE_EQ(*Get(res, "wireDiameter_mm"), r.d);
  const auto inputs = Inputs(r);
  EXPECT_EQ(Get(inputs, "gap_mm"), 0.2);
  EXPECT_FALSE(Get(inputs, "inductanceFactor_nH_per_turn2"));
  EXPECT_EQ(Get(inputs, "wireDiameter_mm"), 1.06);
  EXPECT_EQ(Get(inputs, "materialFluxDensityMax_T"), 0.39);
}

TEST_F(NamedValuesTest, RippleStopLeavesTheLaterStepsWithoutValue) {
  in.Inom = "0.1";
  const ChokeResults r = Run();
  ASSERT_TRUE(r.stoppedByRipple);
  const auto res = Results(r);
  EXPECT_TRUE(Get(res, "turns"));
  EXPECT_TRUE(Get(res, "peakFluxDensity_T"));
  for (const char* name :
       {"requiredGap_mm", "requiredInductanceFactor_nH_per_turn2", "fillFactor", "wireDiameter_mm", "wireSize_AWG",
        "wires", "currentDensity_A_per_mm2", "requiredTurns", "rmsCurrent_A", "copperSection_mm2"})
    EXPECT_FALSE(Get(res, name)) << name;
}

TEST_F(NamedValuesTest, NonFiniteValuesAndNoRunHaveNoValue) {
  in = ChokeInputs{};  // empty texts: zeros, so nan and inf flow through
  const ChokeResults r = Run();
  for (const NamedValue& v : Results(r)) {
    if (v.value) {
      EXPECT_TRUE(std::isfinite(*v.value)) << v.name;
    }
  }
  EXPECT_FALSE(Get(Results(r), "peakFluxDensity_T"));  // 0 turns: 0 / 0
  EXPECT_TRUE(r.stoppedByInputCheck);
  EXPECT_FALSE(Get(Results(r), "turns"));  // the input checks stopped the run: nothing computed

  const auto none = NamedResults(nullptr);
  EXPECT_EQ(none.size(), Results(r).size());
  for (const NamedValue& v : none) EXPECT_FALSE(v.value) << v.name;
  for (const NamedValue& v : NamedInputs(nullptr, core, material)) EXPECT_FALSE(v.value) << v.name;
}

TEST_F(NamedValuesTest, NamesAreUniqueIdentifiers) {
  for (const auto& values : {NamedResults(nullptr), NamedInputs(nullptr, core, material)}) {
    std::set<std::string> seen;
    for (const NamedValue& v : values) {
      EXPECT_TRUE(seen.insert(v.name).second) << v.name;
      for (const char* c = v.name; *c; ++c) EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(*c)) || *c == '_');
    }
  }
}

// A line added to the result table must keep the JSON "labels" object whole
// (its places a permutation) and find its texts by its key; an input line
// must carry its text into the calculation's inputs.
TEST(ResultTable, LabelsAreWholeAndFoundByTheirKeys) {
  std::set<int> places;
  ResultTexts texts;
  for (std::size_t i = 0; i < kResultCount; ++i) {
    const ResultLine& l = ResultLines()[i];
    const auto key = static_cast<Result>(i);
    EXPECT_TRUE(places.insert(l.labelsOrder).second) << l.labelsOrder;
    EXPECT_LT(l.labelsOrder, static_cast<int>(kResultCount));
    texts.Value(i) = std::to_string(i);
    if (l.extraFormat) texts.Extra(i) = "extra " + std::to_string(i);
    EXPECT_EQ(texts[key], std::to_string(i));
    EXPECT_EQ(texts.Extra(key), l.extraFormat ? std::optional("extra " + std::to_string(i)) : std::nullopt);
  }
  for (const InputLine& l : InputLines()) {
    SettingsRecord record;
    record.*l.record = "typed";
    EXPECT_EQ(ChokeInputsOf(record).*l.text, "typed") << l.names[0].name;
  }
}

}  // namespace
}  // namespace velmora
