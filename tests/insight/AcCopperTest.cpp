// SPDX-License-Identifier: GPL-3.0-or-later
// Dowell's factor, the ripple's harmonics and the layout of the winding.
#include <gtest/gtest.h>

#include <numeric>

#include "insight/AcCopper.h"

namespace velmora::insight {
namespace {

TEST(AcCopper, DowellFactorAtKnownPenetrationRatios) {
  // Dowell's closed form evaluated independently with the unscaled hyperbolic
  // functions (double precision); one layer is the skin effect alone. The
  // last row lies on the low-frequency series 1 + (5 m^2 - 1) / 45 Delta^4.
  struct Case {
    double delta, layers, factor;
  } cases[] = {
      {0.5, 1, 1.005542361774591}, {1, 1, 1.0856357047503278},   {2, 1, 1.8978064467695104},
      {5, 1, 4.999372104140527},   {0.5, 3, 1.0609577347248562}, {1, 3, 1.9399646964915156},
      {1, 5, 3.6486226799738914},  {2, 5, 27.887270191383365},   {0.005, 2, 1 + 19.0 / 45 * 6.25e-10},
  };
  for (const Case& c : cases) EXPECT_NEAR(DowellFactor(c.delta, c.layers), c.factor, 1e-9 * c.factor) << c.delta;
  // Far above any table: no overflow, and the skin term tends to Delta.
  EXPECT_NEAR(DowellFactor(800, 1), 800, 1e-9);
}

TEST(AcCopper, HarmonicsCarryTheRipple) {
  for (double duty : {0.5, 0.25, 0.1}) {
    const auto h = RippleHarmonicsSquared(2.0, duty);
    const double sum = std::accumulate(h.begin(), h.end(), 0.0);
    // dI^2 / 12 for dI = 2 A: the harmonics hold all of it but a tail.
    EXPECT_NEAR(sum, 4.0 / 12, 2e-3 * 4.0 / 12) << duty;
    EXPECT_LT(sum, 4.0 / 12) << duty;
    // With the skin depth far above the wire the ripple sees the DC
    // resistance, tail included.
    const WindingLayout layout = LayoutOf(20, false, 30, 1, 1.0, 1.1);
    EXPECT_NEAR(AcCopperModelOf(2.0, duty, layout, 1.0).AcFactor(1e6), 1, 1e-12) << duty;
  }
  // A symmetric triangle has odd harmonics only.
  EXPECT_NEAR(RippleHarmonicsSquared(1, 0.5)[1], 0, 1e-30);
}

TEST(AcCopper, LayersAndPorosityFromTheBreadth) {
  // 14 turns of 1.4 mm wire, 1.54 mm over the enamel, on a 17.9 mm breadth:
  // 11 a layer, so two layers; three in parallel make 42 wires, four layers.
  EXPECT_EQ(LayoutOf(17.9, false, 14, 1, 1.4, 1.54).layers, 2);
  EXPECT_EQ(LayoutOf(17.9, false, 14, 3, 1.4, 1.54).layers, 4);
  EXPECT_NEAR(LayoutOf(17.9, false, 14, 1, 1.4, 1.54).porosity, 1.4 / 1.54, 1e-15);
  // A wire wider than the breadth still makes one a layer.
  EXPECT_EQ(LayoutOf(1, true, 3, 1, 1.4, 1.54).layers, 3);
  // (pi/4)^(3/4) d / delta sqrt(eta): 0.8343 for d = delta, eta = 1.
  EXPECT_NEAR(PenetrationRatio(0.2, 0.2, 1), 0.834, 1e-3);
  // More layers or a higher frequency (thinner skin) load the ripple more.
  const WindingLayout one = LayoutOf(40, false, 14, 1, 1.4, 1.54);
  const WindingLayout two = LayoutOf(17.9, false, 14, 1, 1.4, 1.54);
  const AcCopperModel a = AcCopperModelOf(3.5, 0.5, one, 1.4);
  const AcCopperModel b = AcCopperModelOf(3.5, 0.5, two, 1.4);
  EXPECT_GT(b.AcFactor(0.24), a.AcFactor(0.24));
  EXPECT_GT(a.AcFactor(0.1), a.AcFactor(0.24));
  EXPECT_GE(a.AcFactor(0.24), 1);
}

}  // namespace
}  // namespace velmora::insight
