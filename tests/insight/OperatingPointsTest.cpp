// SPDX-License-Identifier: GPL-3.0-or-later
// A converter design at its operating points: a point that is the design's
// own gives the design's own figures, each check is decided where it is
// hardest, and a light load below half the ripple raises the caution.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "InsightFixture.h"
#include "insight/OperatingPoints.h"

namespace velmora::insight {
namespace {

class OperatingPointsTest : public DesignTest {
 protected:
  // The fixture's own point (24 V / 12 V output choke: D 0.5, 12 V across
  // the choke while on, 5 A), one of more ripple and less current, one of
  // less ripple and more current.
  std::vector<PointDemand> points = {
      {.roles = 1, .vin_V = 24, .duty = 0.5, .voltageOn_V = 12, .current_A = 5},
      {.roles = 2, .vin_V = 48, .duty = 0.25, .voltageOn_V = 36, .current_A = 3},
      {.roles = 4, .vin_V = 20, .duty = 0.6, .voltageOn_V = 8, .current_A = 7},
  };
  DesignDetails Describe(const InsightOptions& options = {}) {
    const ChokeResults r = Calculate(in, Context());
    return DescribeDesign(in, Context(), r, extras, options, points);
  }
};

TEST_F(OperatingPointsTest, TheDesignsOwnPointGivesTheDesignsFigures) {
  const DesignReport own = Report();
  const DesignDetails d = Describe();
  ASSERT_EQ(d.points.size(), 3U);
  const PointFigures& p = d.points[0];
  const ChokeResults& r = own.results;
  for (const auto& [a, b] : {std::pair{p.results.dI, r.dI},
                             {p.results.Ipk, r.Ipk},
                             {p.results.Bpk, r.Bpk},
                             {p.results.Bac, r.Bac},
                             {p.results.Bm, r.Bm},
                             {p.results.Irms, r.Irms},
                             {p.results.Pcore, r.Pcore},
                             {p.Bdc_T, r.Bpk - r.Bac},
                             {p.operating.thermal.temperature_C, own.details.operating.thermal.temperature_C},
                             {p.operating.thermal.core_W, own.details.operating.thermal.core_W},
                             {p.operating.copperAC_W, own.details.operating.copperAC_W}})
    EXPECT_NEAR(a, b, 1e-9 * std::fabs(b));
  for (const CheckOutcome& o : own.details.checks.items) EXPECT_EQ(p.checks[o.id].passed, o.passed) << CheckName(o.id);
}

TEST_F(OperatingPointsTest, EachCheckIsDecidedWhereItIsHardest) {
  for (PointDemand& p : points) p.lightCurrent_A = 0.5;
  const DesignDetails d = Describe();
  const struct {
    CheckId id;
    int point;
  } cases[] = {
      {CheckId::Ripple, 1},
      {CheckId::FluxNominal, 2},
      {CheckId::FluxSpread, 2},
      {CheckId::Saturation, 2},
      {CheckId::Rise, 2},
      {CheckId::Runaway, 2},
      {CheckId::AcResistance, 1},
      {CheckId::LossExtrapolated, 1},
      {CheckId::Discontinuous, 1},
      {CheckId::Fill, kNoPoint},
      {CheckId::MinimumGap, kNoPoint},
      {CheckId::MinimumInductance, kNoPoint},
  };
  for (const auto& c : cases) {
    const CheckOutcome& o = d.checks[c.id];
    EXPECT_EQ(o.point, c.point) << CheckName(c.id);
    if (c.point == kNoPoint) continue;
    const std::size_t at = static_cast<std::size_t>(c.point);
    EXPECT_EQ(o.value, d.points[at].checks[c.id].value) << CheckName(c.id);
    EXPECT_TRUE(d.points[at].decides & (1u << static_cast<unsigned>(c.id))) << CheckName(c.id);
  }
  EXPECT_EQ(d.checks.temperature_C, d.points[2].checks.temperature_C);
  // The light load of 0.5 A is below half the ripple everywhere; the current
  // named is the highest half ripple, at the point of most ripple.
  const CheckOutcome& dcm = d.checks[CheckId::Discontinuous];
  ASSERT_TRUE(dcm.passed.has_value());
  EXPECT_FALSE(*dcm.passed);
  EXPECT_DOUBLE_EQ(dcm.limit, d.points[1].results.dI / 2);
  EXPECT_EQ(DecidedChecks(d.points[0]), "");
}

TEST_F(OperatingPointsTest, ALightLoadAboveHalfTheRippleAndNoRequestRaiseNoCaution) {
  for (PointDemand& p : points) p.lightCurrent_A = 2;
  EXPECT_EQ(Describe().checks[CheckId::Discontinuous].passed, std::optional<bool>(true));
  points.clear();
  const DesignDetails plain = Describe();
  EXPECT_TRUE(plain.points.empty());
  EXPECT_EQ(plain.checks[CheckId::Discontinuous].passed, std::optional<bool>(true));
  EXPECT_EQ(plain.checks[CheckId::Rise].point, kNoPoint);
  points = {{.current_A = 5}};  // no light load: the caution holds at no point
  EXPECT_EQ(Describe().checks[CheckId::Discontinuous].point, kNoPoint);
}

// A powder core keeps the least of its permeability where the current is
// highest: the roll-off, a share that must reach its limit, is decided there.
TEST_F(OperatingPointsTest, APowdersRollOffIsDecidedAtTheHighestCurrent) {
  material.mu = 60;
  material.powder.present = true;
  material.powder.rollOff = {0.01, 6.371745710213363e-10, 1.8552832463136577};  // Kool Mu 60
  in.gapOrAl = "0";
  const DesignDetails d = Describe();
  EXPECT_EQ(d.checks[CheckId::RollOff].point, 2);
  EXPECT_LT(d.points[2].checks[CheckId::RollOff].value, d.points[1].checks[CheckId::RollOff].value);
}

}  // namespace
}  // namespace velmora::insight
