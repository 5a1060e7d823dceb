// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/CoreLoss.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

#include "textfile/Numbers.h"

namespace velmora {
namespace {

constexpr double kLimit = 200.0;

// A material from flux densities (T), frequencies (kHz) and loss rows.
MaterialRecord Material(std::vector<double> B, std::vector<double> F,
                        std::initializer_list<std::vector<double>> rows, double Bmmax = 0.3) {
  MaterialRecord m;
  m.nB = static_cast<int>(B.size());
  m.nF = static_cast<int>(F.size());
  for (std::size_t c = 0; c < B.size(); ++c) m.table[0][c + 1] = B[c];
  for (std::size_t r = 0; r < F.size(); ++r) m.table[r + 1][0] = F[r];
  std::size_t r = 1;
  for (const auto& row : rows) {
    for (std::size_t c = 0; c < row.size(); ++c) m.table[r][c + 1] = row[c];
    ++r;
  }
  m.Bmax = 0.4;
  m.Bmmax = Bmmax;
  return m;
}

// The two-by-two table of the worked example.
MaterialRecord Example() { return Material({0.1, 0.2}, {100, 200}, {{50, 200}, {120, 480}}); }

TEST(CoreLossExample, LossAndAmplitudesAtTheLimit) {
  const MaterialRecord m = Example();
  const CoreLossEstimate e = EstimateCoreLoss(m, 150, 0.15, 5);
  EXPECT_NEAR(e.Pv, 187.74, 0.005);
  EXPECT_EQ(FormatFixed(e.Pcore, 3), "0.939");

  // 150 kHz: no tabulated loss at 100 kHz is above the limit, so j = 1.
  EXPECT_EQ(FormatFixed(FluxAmplitudeAtLossLimit(m, 150, kLimit), 4), "0.1548");
  EXPECT_EQ(FormatFixed(FluxAmplitudeAtLossLimit(m, 200, kLimit), 4), "0.1291");
  // 300 kHz lies above the table: extrapolated, and below B_1.
  EXPECT_EQ(FormatFixed(FluxAmplitudeAtLossLimit(m, 300, kLimit), 4), "0.0999");
}

TEST(CoreLossExample, AmplitudeCappedAtBmmax) {
  MaterialRecord m = Example();
  m.Bmmax = 0.12;
  EXPECT_EQ(FluxAmplitudeAtLossLimit(m, 150, kLimit), 0.12);
  m.Bmmax = 0.2;
  EXPECT_EQ(FormatFixed(FluxAmplitudeAtLossLimit(m, 150, kLimit), 4), "0.1548");
}

TEST(CoreLossInterpolation, TablePointsComeBackExactly) {
  // Three rows with different exponents: at F_2 the rows 2 and 3 are used,
  // and the entries of row 2 stand unchanged.
  const MaterialRecord m = Material({0.1, 0.2, 0.3}, {50, 100, 200},
                                    {{10, 40, 90}, {50, 200, 450}, {130, 500, 1200}});
  EXPECT_EQ(EstimateCoreLoss(m, 100, 0.1, 1).Pv, 50);
  EXPECT_EQ(EstimateCoreLoss(m, 100, 0.2, 1).Pv, 200);
  EXPECT_EQ(EstimateCoreLoss(m, 50, 0.1, 1).Pv, 10);
  // The last point is reached from the last pairs of rows and columns.
  EXPECT_NEAR(EstimateCoreLoss(m, 200, 0.3, 1).Pv, 1200, 1e-9);
  // Pcore = Pv / 1000 * Ve.
  EXPECT_DOUBLE_EQ(EstimateCoreLoss(m, 100, 0.2, 3).Pcore, 0.6);
}

TEST(CoreLossInterpolation, ExtrapolatesOutsideTheTable) {
  const MaterialRecord m = Example();
  // Along B: beta = 2 between 0.1 and 0.2 T, so 0.4 T gives 50 * 4^2.
  EXPECT_NEAR(EstimateCoreLoss(m, 100, 0.4, 1).Pv, 800, 1e-9);
  EXPECT_NEAR(EstimateCoreLoss(m, 100, 0.05, 1).Pv, 12.5, 1e-9);
  // Along F from the first and the last pair of rows (exponent ln 2.4 / ln 2).
  const double a = std::log(2.4) / std::log(2.0);
  EXPECT_NEAR(EstimateCoreLoss(m, 50, 0.1, 1).Pv, 50 * std::pow(0.5, a), 1e-9);
  EXPECT_NEAR(EstimateCoreLoss(m, 400, 0.1, 1).Pv, 50 * std::pow(4.0, a), 1e-9);
}

TEST(CoreLossLimit, StartingColumnAndWalkDown) {
  // Lowest flux density already above the limit: extrapolated below B_1.
  const MaterialRecord hot = Material({0.1, 0.2}, {100, 200}, {{300, 1200}, {700, 2800}});
  const double below = FluxAmplitudeAtLossLimit(hot, 100, kLimit);
  EXPECT_NEAR(below, 0.1 * std::sqrt(200.0 / 300.0), 1e-12);

  // The higher row has no value in the starting column: one column lower.
  const MaterialRecord gap = Material({0.1, 0.2, 0.3}, {100, 200}, {{50, 150, 400}, {120, 360, 0}});
  EXPECT_EQ(FormatFixed(FluxAmplitudeAtLossLimit(gap, 100, kLimit), 4), "0.2398");

  // Between the rows the start (columns 2, 3) gives 0.1305 T, below B_2:
  // the pair 1, 2 answers.
  const MaterialRecord walk = Material({0.1, 0.2, 0.3}, {100, 200}, {{50, 150, 300}, {150, 450, 900}});
  EXPECT_EQ(FormatFixed(FluxAmplitudeAtLossLimit(walk, 190, kLimit), 4), "0.1262");
}

TEST(CoreLossMends, TablesTooSmallGiveNaN) {
  const MaterialRecord oneRow = Material({0.1, 0.2}, {100}, {{50, 200}});
  const MaterialRecord oneColumn = Material({0.1}, {100, 200}, {{50}, {120}});
  const MaterialRecord empty;
  for (const MaterialRecord* m : {&oneRow, &oneColumn, &empty}) {
    EXPECT_TRUE(std::isnan(FluxAmplitudeAtLossLimit(*m, 150, kLimit)));
    const CoreLossEstimate e = EstimateCoreLoss(*m, 150, 0.15, 5);
    EXPECT_TRUE(std::isnan(e.Pv));
    EXPECT_TRUE(std::isnan(e.Pcore));
  }
}

TEST(CoreLossMends, CountsBeyondTheRecordAreClamped) {
  MaterialRecord m = Example();
  m.nB = 1000;
  m.nF = 1000;
  // Lookups inside the data still work; the empty rows and columns that the
  // counts claim make the far pairs NaN, without a read outside the record.
  EXPECT_EQ(FormatFixed(EstimateCoreLoss(m, 150, 0.15, 5).Pcore, 3), "0.939");
  EXPECT_TRUE(std::isnan(EstimateCoreLoss(m, 1e6, 10, 1).Pv));
  EXPECT_TRUE(std::isnan(FluxAmplitudeAtLossLimit(m, 1e6, kLimit)));
  m.nB = -5;
  EXPECT_TRUE(std::isnan(EstimateCoreLoss(m, 150, 0.15, 5).Pv));
}

TEST(CoreLossMends, EmptyCellsGiveNaNNotZero) {
  // An empty cell in the upper row: between the rows the column has no law.
  const MaterialRecord m = Material({0.1, 0.2}, {100, 200}, {{50, 200}, {120, 0}});
  EXPECT_TRUE(std::isnan(EstimateCoreLoss(m, 150, 0.15, 5).Pcore));
  // At the table frequency itself the entry stands as it is.
  EXPECT_DOUBLE_EQ(EstimateCoreLoss(m, 100, 0.15, 1).Pv, 112.5);
  // Zero or negative frequency: no power law either; nothing crashes.
  EXPECT_TRUE(std::isnan(EstimateCoreLoss(Example(), 0, 0.15, 5).Pv));
  EXPECT_TRUE(std::isnan(FluxAmplitudeAtLossLimit(Example(), -10, kLimit)));
  EXPECT_TRUE(std::isnan(FluxAmplitudeAtLossLimit(Example(), std::nan(""), kLimit)));
}

}  // namespace
}  // namespace velmora
