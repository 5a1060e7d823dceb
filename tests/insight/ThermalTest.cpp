// SPDX-License-Identifier: GPL-3.0-or-later
// Loss over temperature, the settling temperature and the iGSE factor.
#include <gtest/gtest.h>

#include <cmath>

#include "InsightFixture.h"
#include "insight/OperatingCoreLoss.h"
#include "insight/Thermal.h"
#include "insight/TriangleLoss.h"

namespace velmora::insight {
namespace {

// The fixture's ferrite with a table at 60 C of twice and one at 120 C of
// 1.5 times its 100 C losses.
MaterialRecord FerriteOverTemperature() {
  MaterialRecord m = Ferrite();
  for (auto [t, factor] : {std::pair{60.0, 2.0}, std::pair{120.0, 1.5}}) {
    MaterialRecord::TemperatureTable table;
    table.temperature_C = t;
    for (int r = 0; r <= m.nF; ++r)
      for (int c = 0; c <= m.nB; ++c) table.table[r][c] = (r > 0 && c > 0) ? m.table[r][c] * factor : m.table[r][c];
    m.temperatureTables.push_back(table);
  }
  return m;
}

TEST(LossOverTemperature, AtBetweenAndOutsideTheTables) {
  const MaterialRecord m = FerriteOverTemperature();
  const double at100 = EstimateCoreLoss(m, 70, 0.15, 1).Pv;
  struct Case {
    double T, factor;
    bool outside;
  } cases[] = {
      {100, 1.0, false}, {60, 2.0, false},   {120, 1.5, false},  // at a table
      {80, 1.5, false},  {110, 1.25, false},                     // linear between two
      {25, 2.0, true},   {150, 1.5, true},                       // the nearest table, flagged
  };
  for (const Case& c : cases) {
    const LossAtTemperature l = SpecificLossAt(m, 70, 0.15, c.T);
    EXPECT_NEAR(l.Pv_mW_cm3, at100 * c.factor, 1e-9 * at100) << c.T;
    EXPECT_EQ(l.extrapolatedTemperature, c.outside) << c.T;
  }
  // Only the file's own table: every temperature reads it, flagged but at 100 C.
  EXPECT_TRUE(SpecificLossAt(Ferrite(), 70, 0.15, 40).extrapolatedTemperature);
  EXPECT_FALSE(SpecificLossAt(Ferrite(), 70, 0.15, 100).extrapolatedTemperature);
  EXPECT_DOUBLE_EQ(SpecificLossAt(Ferrite(), 70, 0.15, 40).Pv_mW_cm3, at100);
}

// The settling's lookups, each table's loss once, give SpecificLossAt's and
// FrequencyExponentAt's numbers to the bit, whatever the order of the
// temperatures asked (NaN for a temperature that is no number); so does
// the waveform factor from them.
TEST(LossOverTemperature, EachTableOnceTheSameNumbers) {
  const MaterialRecord m = FerriteOverTemperature();
  LossOverTemperature loss(m, 70, 0.15);
  FrequencyExponent alpha(m, 70, 0.15);
  auto same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
  for (double T : {100.0, 80.0, 25.0, 150.0, 61.3, 80.0, 119.9, std::nan("")}) {
    EXPECT_TRUE(same(loss.At(T), SpecificLossAt(m, 70, 0.15, T).Pv_mW_cm3)) << T;
    EXPECT_TRUE(same(alpha.At(T), FrequencyExponentAt(m, 70, 0.15, T))) << T;
  }
  // The waveform factor likewise, at a sine, the symmetric and skewed triangles.
  for (double duty : {std::nan(""), 0.5, 0.2, 0.85}) {
    CompositeWaveform waveform(m, 70, 0.15, duty);
    for (double T : {100.0, 25.0, 61.3, 150.0, 61.3})
      EXPECT_TRUE(same(waveform.At(T), CompositeWaveformFactor(m, 70, 0.15, duty, T))) << duty << " " << T;
  }
}

// A loss of a + b (T - 40) W on 10 cm2: rise = 450 (P / 10)^0.826.
ThermalState Settle(double a, double b, double giveUpAbove_C = HUGE_VAL) {
  return SettleTemperature([=](double T) { return LossesAt{a + b * (T - 40), 0.0}; }, 1000, 40, giveUpAbove_C);
}

TEST(SettleTemperature, SettlesOrRunsAway) {
  const ThermalState calm = Settle(0.5, 0.002);
  ASSERT_FALSE(calm.runaway);
  EXPECT_DOUBLE_EQ(calm.temperature_C, 40 + calm.rise_K);
  EXPECT_NEAR(calm.rise_K, TemperatureRise_K(calm.total_W, 1000), 0.1);
  // The solution of T = 40 + rise(P(T)) to the bisection's 0.1 K.
  EXPECT_NEAR(calm.total_W, 0.5 + 0.002 * (calm.temperature_C - 40), 0.002 * 0.1);
  EXPECT_LT(calm.passes, 40);
  // A loss that grows faster with temperature than the surface sheds it.
  const ThermalState hot = Settle(0.5, 0.1);
  EXPECT_TRUE(hot.runaway);
  EXPECT_TRUE(std::isnan(hot.temperature_C));
  EXPECT_TRUE(std::isnan(Settle(std::nan(""), 0).temperature_C));
  EXPECT_FALSE(Settle(std::nan(""), 0).runaway);
  // Given up above a temperature: the same state when it settles below it,
  // a runaway when it would settle above it.
  const double T = calm.temperature_C;
  for (double giveUp : {T + 0.2, T + 15.0}) EXPECT_EQ(Settle(0.5, 0.002, giveUp).temperature_C, T) << giveUp;
  EXPECT_TRUE(Settle(0.5, 0.002, T - 10.2).runaway);
}

TEST(SettleTemperature, FloorPassesOverPointsWithoutChangingTheState) {
  // A loss with a dip that a careless scan would step over: a floor below it
  // (copper 0.5 W of 0.5 + core) may skip points, never change the answer.
  auto loss = [](double T) { return LossesAt{0.3 + 0.2 * std::cos(T / 9), 0.5}; };
  int calls = 0;
  auto counted = [&](double T) { return ++calls, loss(T); };
  for (double ambient : {40.0, -20.0, 95.0}) {
    const ThermalState plain = SettleTemperature(loss, 1000, ambient);
    calls = 0;
    const ThermalState floored = SettleTemperature(counted, 1000, ambient, HUGE_VAL, [](double) {
      return LossesAt{0.0, 0.5};
    });
    EXPECT_EQ(floored.temperature_C, plain.temperature_C) << ambient;
    EXPECT_EQ(floored.total_W, plain.total_W) << ambient;
    EXPECT_EQ(floored.passes, plain.passes) << ambient;
    EXPECT_LT(calls, plain.passes) << ambient;
  }
  // A floor that is no number leaves the point to the losses: no number there
  // leaves the choke unsettled, not run away.
  const auto nan = [](double) { return LossesAt{std::nan(""), 1.0}; };
  const ThermalState none = SettleTemperature(nan, 1000, 40, HUGE_VAL, nan);
  EXPECT_TRUE(std::isnan(none.temperature_C));
  EXPECT_FALSE(none.runaway);
}

TEST(TriangleWaveformFactor, IgseAtAlphaOneAndAHalf) {
  // 2^a (D^(1-a) + (1-D)^(1-a)) / ((2 pi)^(a-1) * 3.4960), the integral of
  // |cos|^1.5 over a period evaluated independently (2 sqrt(pi) G(1.25) / G(1.75)).
  for (auto [D, factor] : {std::pair{0.5, 0.9129}, std::pair{0.25, 1.0182}, std::pair{0.1, 1.3610}})
    EXPECT_NEAR(TriangleWaveformFactor(1.5, D), factor, 5e-4) << D;
  // A linear material (alpha 1) loses the same per cycle whatever the shape's timing.
  EXPECT_NEAR(TriangleWaveformFactor(1.0, 0.1), TriangleWaveformFactor(1.0, 0.5), 1e-12);
}

TEST_F(DesignTest, SettledFiguresHoldTogether) {
  material = FerriteOverTemperature();
  extras = CoreExtras{50, 3000};
  const DesignDetails d = Report().details;
  const ThermalState& t = d.operating.thermal;
  ASSERT_FALSE(t.runaway);
  EXPECT_DOUBLE_EQ(t.ambient_C, 40);
  EXPECT_DOUBLE_EQ(t.temperature_C, t.ambient_C + t.rise_K);
  EXPECT_DOUBLE_EQ(t.total_W, t.core_W + t.copper_W);
  // This ferrite loses least at 100 C.
  EXPECT_GE(t.core_W, d.losses.core_W);
  InsightOptions hot;
  hot.ambient_C = 80;
  EXPECT_GT(Report(hot).details.operating.thermal.temperature_C, t.temperature_C);
}

}  // namespace
}  // namespace velmora::insight
