// SPDX-License-Identifier: GPL-3.0-or-later
// The details of whole designs agree with the labels of Calculate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "InsightFixture.h"
#include "present/ResultTable.h"
#include "textfile/Numbers.h"

namespace velmora::insight {
namespace {

TEST_F(DesignTest, BudgetAgreesWithTheLabels) {
  extras = CoreExtras{50, 3000};
  const DesignReport rep = Report();
  const ChokeResults& r = rep.results;
  const DesignDetails& d = rep.details;
  ASSERT_FALSE(r.stoppedByRipple);

  // Copper: N * MLT of n wires of S1 at 100 C; loss Inom^2 R and the
  // ripple's dI^2 / 12 in R times an AC factor of at least 1.
  EXPECT_DOUBLE_EQ(d.winding.wireLength_m, r.N * 50 / 1000);
  const double R = d.winding.resistance_Ohm;
  EXPECT_DOUBLE_EQ(R, CopperResistivity(100) * d.winding.wireLength_m / (r.n * r.S1 * 1e-6));
  EXPECT_NEAR(r.Irms * r.Irms, r.read.Inom * r.read.Inom + r.dI * r.dI / 12, 1e-12 * r.Irms * r.Irms);
  EXPECT_GT(d.winding.copperLoss_W - r.read.Inom * r.read.Inom * R, r.dI * r.dI / 12 * R);
  EXPECT_DOUBLE_EQ(d.losses.copper_W, d.winding.copperLoss_W);
  // Core: the label's value; total: the sum.
  EXPECT_EQ(FormatFixed(d.losses.core_W, 3), *ResultTextsOf(r, in, lang)[Result::CoreLoss]);
  EXPECT_DOUBLE_EQ(d.losses.total_W, d.losses.core_W + d.losses.copper_W);
  EXPECT_DOUBLE_EQ(d.losses.temperatureRise_K, TemperatureRise_K(d.losses.total_W, 3000));
  EXPECT_FALSE(d.winding.mltEstimated);
  EXPECT_FALSE(d.losses.surfaceEstimated);
  EXPECT_DOUBLE_EQ(d.winding.diameterToSkinDepth, r.d / d.winding.skinDepth_mm);
}

TEST_F(DesignTest, WindingTemperatureIsAnOption) {
  InsightOptions cold;
  cold.windingTemperature_C = 20;
  const double hot = Report().details.winding.resistance_Ohm;
  const double at20 = Report(cold).details.winding.resistance_Ohm;
  EXPECT_NEAR(hot / at20, 1 + 0.00393 * 80, 1e-12);
}

TEST_F(DesignTest, CurveGivesTheLabelAtBac) {
  in.Fc = "150";  // between table rows
  const DesignReport rep = Report();
  const LossCurve& c = rep.details.lossCurve;
  const auto at = std::find(c.B_T.begin(), c.B_T.end(), rep.results.Bac);
  ASSERT_NE(at, c.B_T.end());
  const double Pv = c.Pv_mW_cm3[at - c.B_T.begin()];
  EXPECT_EQ(Pv, rep.results.Pv);
  EXPECT_EQ(FormatFixed(Pv / 1000 * core.Ve, 3), *ResultTextsOf(rep.results, in, lang)[Result::CoreLoss]);
  EXPECT_EQ(rep.details.lossModel.Pv_mW_cm3, rep.results.Pv);
  EXPECT_TRUE(std::is_sorted(c.B_T.begin(), c.B_T.end()));
  // A little beyond the table on both ends.
  EXPECT_LT(c.B_T.front(), 0.05);
  EXPECT_GT(c.B_T.back(), 0.3);
}

TEST(LossCurve, PassesThroughTheTableAtATableFrequency) {
  const MaterialRecord m = Ferrite();
  for (int row = 1; row < m.nF; ++row) {
    const double F = m.table[row][0];
    const LossCurve c = LossCurveAt(m, F, 0.12);
    for (int col = 1; col <= m.nB; ++col) {
      const auto at = std::find(c.B_T.begin(), c.B_T.end(), m.table[0][col]);
      ASSERT_NE(at, c.B_T.end());
      EXPECT_NEAR(c.Pv_mW_cm3[at - c.B_T.begin()], m.table[row][col], 1e-9 * m.table[row][col])
          << F << " kHz, column " << col;
    }
  }
}

TEST(LossModel, GridPointsAndFlags) {
  const MaterialRecord m = Ferrite();
  LossModel inside = DescribeLossModel(m, 150, 0.15, 200, 0.1);
  ASSERT_TRUE(inside.available);
  EXPECT_EQ(inside.source.F[0], 100);
  EXPECT_EQ(inside.source.F[1], 200);
  EXPECT_EQ(inside.source.B[0], 0.1);
  EXPECT_EQ(inside.source.B[1], 0.2);
  EXPECT_EQ(inside.source.P[0][0], 110);
  EXPECT_EQ(inside.source.P[0][1], 480);
  EXPECT_EQ(inside.source.P[1][0], 300);
  EXPECT_EQ(inside.source.P[1][1], 1300);
  EXPECT_FALSE(inside.source.outsideF);
  EXPECT_FALSE(inside.source.outsideB);
  EXPECT_FALSE(inside.source.missingCell);
  EXPECT_NEAR(inside.Pv_mW_cm3, inside.source.Px[0] * std::pow(1.5, inside.source.beta), 1e-9);

  // Above and below the table in frequency, and in flux density.
  EXPECT_TRUE(DescribeLossModel(m, 400, 0.15, 200, 0.1).source.outsideF);
  EXPECT_TRUE(DescribeLossModel(m, 20, 0.15, 200, 0.1).source.outsideF);
  EXPECT_FALSE(DescribeLossModel(m, 200, 0.15, 200, 0.1).source.outsideF);
  EXPECT_TRUE(DescribeLossModel(m, 100, 0.35, 200, 0.1).source.outsideB);
  EXPECT_TRUE(DescribeLossModel(m, 100, 0.01, 200, 0.1).source.outsideB);
  const LossModel above = DescribeLossModel(m, 400, 0.35, 200, 0.1);
  EXPECT_EQ(above.source.F[0], 100);
  EXPECT_EQ(above.source.F[1], 200);
  EXPECT_EQ(above.source.B[1], 0.3);

  // An empty cell the point needs: flagged, and the loss is NaN as on the label.
  MaterialRecord holed = m;
  holed.table[4][3] = 0;
  const LossModel missing = DescribeLossModel(holed, 150, 0.15, 200, 0.1);
  EXPECT_TRUE(missing.source.missingCell);
  EXPECT_TRUE(std::isnan(missing.Pv_mW_cm3));
  EXPECT_FALSE(DescribeLossModel(holed, 150, 0.08, 200, 0.1).source.missingCell);

  MaterialRecord oneRow = m;
  oneRow.nF = 1;
  EXPECT_FALSE(DescribeLossModel(oneRow, 150, 0.15, 200, 0.1).available);
  EXPECT_TRUE(LossCurveAt(oneRow, 150, 0.15).B_T.empty());
}

TEST_F(DesignTest, WaveformRunsFromIpkMinusRippleToIpk) {
  const DesignReport rep = Report();
  const ChokeResults& r = rep.results;
  const Waveform& w = rep.details.waveform;
  ASSERT_EQ(w.t_us.size(), w.i_A.size());
  ASSERT_EQ(w.t_us.size(), w.B_T.size());
  EXPECT_EQ(*std::max_element(w.i_A.begin(), w.i_A.end()), r.Ipk);
  EXPECT_EQ(*std::min_element(w.i_A.begin(), w.i_A.end()), r.Ipk - r.dI);
  EXPECT_EQ(FormatFixed(*std::max_element(w.i_A.begin(), w.i_A.end()), 3),
            *ResultTextsOf(r, in, lang)[Result::PeakCurrent]);
  EXPECT_EQ(*std::max_element(w.B_T.begin(), w.B_T.end()), r.Bpk);
  // Rising for the on-time D / F, one period 1 / F.
  EXPECT_EQ(w.t_us.front(), 0);
  EXPECT_NEAR(w.t_us[1], 0.5 * 10, 1e-12);
  EXPECT_NEAR(w.t_us.back(), 10, 1e-12);
  // The swing of B is twice Bac.
  EXPECT_NEAR(w.B_T[1] - w.B_T[0], 2 * r.Bac, 1e-12);
}

TEST_F(DesignTest, WorstCaseWithAlTolerance) {
  in.gapChoice = 1;
  in.gapOrAl = "250";
  const DesignReport rep = Report();
  const ChokeResults& r = rep.results;
  const WorstCase& wc = rep.details.worstCase;
  EXPECT_FALSE(wc.gapGiven);
  EXPECT_DOUBLE_EQ(wc.AL_nH.min, 225);
  EXPECT_DOUBLE_EQ(wc.AL_nH.max, 275);
  EXPECT_NEAR(wc.L_uH.min, 0.9 * r.Lact, 1e-9);
  EXPECT_NEAR(wc.L_uH.max, 1.1 * r.Lact, 1e-9);
  EXPECT_LE(wc.Ipk_A.min, r.Ipk);
  EXPECT_GE(wc.Ipk_A.max, r.Ipk);
  EXPECT_NEAR(wc.dI_A.max, r.VS / (0.9 * r.Lact), 1e-9);
  // More AL means more flux at the same turns: the limit holds only with margin.
  EXPECT_GT(wc.Bpk_T.max, r.Bpk);
  EXPECT_EQ(wc.fluxLimitHolds, wc.Bpk_T.max <= r.Bm + 0.0005);
}

// The spread of a given gap: the maker's AL tolerance of the kind (gapped,
// or ungapped at gap 0), or the change the gap tolerance gives through
// Calculate's gap formula where that is larger.
TEST_F(DesignTest, WorstCaseSpreadOfAGivenGap) {
  const struct {
    const char* gap;
    double alTolerance, ungapped;
  } kCases[] = {{"0.5", 0.10, 0.25}, {"0.5", 0.02, 0.25}, {"0.05", 0.10, 0.25}, {"0", 0.10, 0.25}, {"0", 0.10, 0.3}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.gap) + " " + std::to_string(c.alTolerance));
    in.gapOrAl = c.gap;
    InsightOptions options;
    options.alTolerance = c.alTolerance;
    options.alToleranceUngapped = c.ungapped;
    const DesignReport rep = Report(options);
    const ChokeResults& r = rep.results;
    const WorstCase& wc = rep.details.worstCase;
    EXPECT_TRUE(wc.gapGiven);
    const double gap = std::stod(c.gap);
    EXPECT_EQ(wc.ungapped, gap == 0);
    double expected = gap == 0 ? c.ungapped : c.alTolerance;
    if (gap > 0) {
      ChokeInputs wide = in, narrow = in;
      wide.gapOrAl = std::to_string(gap + 0.02);
      narrow.gapOrAl = std::to_string(std::max(0.0, gap - 0.02));
      const double fromGap =
          std::max(r.AL - Calculate(wide, Context()).AL, Calculate(narrow, Context()).AL - r.AL) / r.AL;
      EXPECT_EQ(wc.spreadFrom == SpreadFrom::Gap, fromGap > expected);
      expected = std::max(expected, fromGap);
    }
    EXPECT_NEAR(wc.tolerance, expected, 1e-12);
    EXPECT_NEAR(wc.AL_nH.min, r.AL * 1000 * (1 - expected), 1e-9);
    EXPECT_NEAR(wc.AL_nH.max, r.AL * 1000 * (1 + expected), 1e-9);
    EXPECT_NEAR(wc.L_uH.min, r.Lact * (1 - expected), 1e-9);
    EXPECT_EQ(wc.designL_uH, r.L);
  }
}

TEST_F(DesignTest, NoWireNoCopperFigures) {
  in.Inom = "0.1";  // the ripple exceeds twice the current: the run stops
  const DesignReport rep = Report();
  ASSERT_TRUE(rep.results.stoppedByRipple);
  EXPECT_TRUE(std::isnan(rep.details.winding.resistance_Ohm));
  EXPECT_TRUE(std::isnan(rep.details.losses.copper_W));
  EXPECT_TRUE(std::isnan(rep.details.losses.total_W));
  EXPECT_TRUE(std::isnan(rep.details.losses.temperatureRise_K));
  EXPECT_FALSE(rep.details.winding.skinEffectNote);
}

TEST_F(DesignTest, NoDataMaterialHasNoLossModel) {
  material.name = "No data";
  const DesignReport rep = Report();
  EXPECT_FALSE(rep.details.lossModel.available);
  EXPECT_TRUE(rep.details.lossCurve.B_T.empty());
  EXPECT_TRUE(std::isnan(rep.details.losses.core_W));
  EXPECT_FALSE(std::isnan(rep.details.losses.copper_W));
}

TEST_F(DesignTest, ThickWireGetsTheSkinNote) {
  in.use_D = 1;
  in.wireSize = "1.25";
  in.Fc = "200";
  const DesignDetails d = Report().details;
  EXPECT_GT(d.winding.diameterToSkinDepth, 2);
  EXPECT_TRUE(d.winding.skinEffectNote);
  in.wireSize = "0.2";
  EXPECT_FALSE(Report().details.winding.skinEffectNote);
}

}  // namespace
}  // namespace velmora::insight
