// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "calc/Calculate.h"
#include "calc/Constants.h"
#include "calc/Powder.h"
#include "support/ChokeFixture.h"

namespace velmora {
namespace {

// Kool Mu 60 as the maker fits it (the reference's spot value: 0.477 at 100 Oe).
constexpr RollOffFit kKoolMu60{0.01, 6.371745710213363e-10, 1.8552832463136577};

TEST(PowderRollOff, FollowsTheMakersFitAndFallsWithTheField) {
  EXPECT_DOUBLE_EQ(powder::PermeabilityRatio(kKoolMu60, 0), 1.0);
  EXPECT_NEAR(powder::PermeabilityRatio(kKoolMu60, 7958), 0.477, 0.001);  // 0.4762
  double last = 1;
  for (double H = 500; H < 40000; H *= 1.5) {
    EXPECT_LT(powder::PermeabilityRatio(kKoolMu60, H), last) << H;
    last = powder::PermeabilityRatio(kKoolMu60, H);
  }
  EXPECT_DOUBLE_EQ(powder::BiasField_A_per_m(20, 5, 100), 1000.0);  // 100 ampere-turns on 0.1 m
}

TEST(PowderRollOff, FluxIsTheIntegralOfThePermeability) {
  // Without roll-off (b = 0) the integral is mu0 mu_i H exactly; with it, B
  // lies below that and between the rectangle rules of its end points.
  EXPECT_NEAR(powder::FluxDensityAtField({0.01, 0, 2}, 60, 5000), constants::kMu0SI * 60 * 5000, 1e-12);
  const double H = 7958;
  const double B = powder::FluxDensityAtField(kKoolMu60, 60, H);
  EXPECT_LT(B, constants::kMu0SI * 60 * H);
  EXPECT_GT(B, constants::kMu0SI * 60 * H * powder::PermeabilityRatio(kKoolMu60, H));
  // B is concave in H: half the field drives more than half the flux.
  EXPECT_GT(powder::FluxDensityAtField(kKoolMu60, 60, H / 2), B / 2);
}

TEST(PowderRollOff, InductanceTurnsAndTemperature) {
  const double L = powder::InductanceUnderBias(kKoolMu60, 0.1, 30, 10, 100);
  EXPECT_DOUBLE_EQ(L, 0.1 * 900 * powder::PermeabilityRatio(kKoolMu60, 3000));
  // The fewest turns that hold 60 uH at 10 A: one fewer does not.
  const double N = powder::TurnsForInductanceUnderBias(kKoolMu60, 0.1, 60, 10, 100, 200);
  ASSERT_GT(N, 0);
  EXPECT_GE(powder::InductanceUnderBias(kKoolMu60, 0.1, N, 10, 100), 60);
  EXPECT_LT(powder::InductanceUnderBias(kKoolMu60, 0.1, N - 1, 10, 100), 60);
  EXPECT_EQ(powder::TurnsForInductanceUnderBias(kKoolMu60, 0.1, 1e6, 10, 100, 200), 0);
  PowderData p;
  EXPECT_EQ(powder::PermeabilityTemperatureFactor(p, 100), 1.0);
  p.hasTemperatureCoefficients = true;
  p.temperatureCoefficients = {-0.01, 0.001, 0, 0, 0};
  EXPECT_DOUBLE_EQ(powder::PermeabilityTemperatureFactor(p, 50), 1.04);
}

// The distributed gap: a powder's core record takes no part; a ferrite's does.
class DistributedGapTest : public test::ChokeFixture {
 protected:
  DistributedGapTest() {
    core = CoreRecord{"R 58/26/16", 248.76, 359.46, 117.7, 2200, 29.279};
    material = test::Ferrite();
    material.mu = 60;
    in.gapOrAl = "0";
    in.gapChoice = 0;
  }
};

TEST_F(DistributedGapTest, AnUngappedPowderRingHasTheMaterialsPermeability) {
  const double powderAL = constants::kMu0 * 60 * core.Ae / core.le / constants::kThousand;
  struct Case {
    bool rollOff;
    double g0, mue;
  } const cases[] = {{true, 0, 60}, {false, core.le / 2200 - core.le / 60, 2200}};
  for (const Case& c : cases) {
    material.powder.present = c.rollOff;
    material.powder.rollOff = kKoolMu60;
    const ChokeResults r = Calculate(in, Context());
    EXPECT_NEAR(r.g0, c.g0, 1e-12) << c.rollOff;
    EXPECT_NEAR(r.mue, c.mue, 1e-9) << c.rollOff;
    if (c.rollOff) {
      EXPECT_NEAR(r.AL, powderAL, 1e-12);
    }
  }
}

}  // namespace
}  // namespace velmora
