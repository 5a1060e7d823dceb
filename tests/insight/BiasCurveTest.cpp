// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "insight/BiasCurve.h"
#include "insight/InsightFixture.h"

namespace velmora::insight {
namespace {

constexpr RollOffFit kKoolMu60{0.01, 6.371745710213363e-10, 1.8552832463136577};

class BiasCurveTest : public DesignTest {
 protected:
  void UsePowder() {
    material.mu = 60;
    material.Bmax = 1.0;
    material.powder.present = true;
    material.powder.rollOff = kKoolMu60;
    in.gapOrAl = "0";
    in.Inom = "8";
  }
};

// Every design's curve starts at the run's inductance and never rises; the
// marked points lie on it.
TEST_F(BiasCurveTest, TheCurveStartsAtTheRunsInductanceAndFalls) {
  for (const bool powder : {false, true}) {
    if (powder) UsePowder();
    const DesignReport report = Report();
    const BiasFigures& b = report.details.bias;
    ASSERT_TRUE(b.available) << powder;
    EXPECT_EQ(b.powder, powder);
    EXPECT_NEAR(b.inductanceAtZero_uH, report.results.Lact * b.temperatureFactor, 1e-9 * report.results.Lact);
    ASSERT_EQ(b.I_A.size(), b.L_uH.size());
    EXPECT_EQ(b.I_A.front(), 0.0);
    EXPECT_NEAR(b.I_A.back(), 1.5 * b.peakCurrent_A, 1e-12);
    for (std::size_t i = 1; i < b.L_uH.size(); ++i) EXPECT_LE(b.L_uH[i], b.L_uH[i - 1]) << powder << " " << i;
    EXPECT_LT(b.inductanceAtPeak_uH, b.inductanceAtNominal_uH);
    EXPECT_LT(b.inductanceAtNominal_uH, b.inductanceAtZero_uH);
    EXPECT_NEAR(b.rippleAtNominal_A, report.results.VS / b.inductanceAtNominal_uH, 1e-12);
    EXPECT_NEAR(b.peakCurrent_A, (powder ? 8 : 5) + b.rippleAtNominal_A / 2, 1e-12);
  }
}

// The caution below half the permeability at the peak current, for powder
// only: a ferrite's estimate checks nothing.
TEST_F(BiasCurveTest, RollOffCautionBelowHalfThePermeability) {
  struct Case {
    const char* Inom;
    bool powder;
    std::optional<bool> passed;
  } const cases[] = {{"2", true, true}, {"60", true, false}, {"60", false, std::nullopt}};
  for (const Case& c : cases) {
    material = test::Ferrite();
    in.gapOrAl = "0.5";
    if (c.powder) UsePowder();
    in.Inom = c.Inom;
    const DesignReport report = Report();
    EXPECT_EQ(report.details.checks[CheckId::RollOff].passed, c.passed) << c.Inom << " " << c.powder;
    EXPECT_EQ(SeverityOf(CheckId::RollOff), Severity::Caution);
  }
}

}  // namespace
}  // namespace velmora::insight
