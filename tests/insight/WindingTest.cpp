// SPDX-License-Identifier: GPL-3.0-or-later
// Copper, skin depth, surface and temperature rise on worked numbers.
#include <gtest/gtest.h>

#include <cmath>

#include "insight/DesignDetails.h"

namespace velmora::insight {
namespace {

TEST(CopperArithmetic, WorkedExample) {
  // 1.724e-8 * (1 + 0.00393 * 80) at 100 C.
  const double rho = CopperResistivity(100);
  EXPECT_NEAR(rho, 2.2660256e-8, 1e-15);
  EXPECT_DOUBLE_EQ(CopperResistivity(20), 1.724e-8);
  // 20 turns of 50 mm = 1 m over two wires of 0.5 mm2 (1 mm2 of copper).
  const double R = WireResistance(rho, 20 * 50 / 1000.0, 2, 0.5);
  EXPECT_NEAR(R, 0.022660256, 1e-12);
  EXPECT_NEAR(5 * 5 * R, 0.5665064, 1e-7);
}

TEST(CopperArithmetic, SkinDepth) {
  // The textbook 0.209 mm at 100 kHz and 20 C; a quarter at sixteen times the frequency.
  EXPECT_NEAR(SkinDepth_mm(CopperResistivity(20), 100), 0.2090, 0.0005);
  EXPECT_NEAR(SkinDepth_mm(CopperResistivity(100), 100), 0.2396, 0.0005);
  EXPECT_NEAR(SkinDepth_mm(CopperResistivity(20), 1600), 0.2090 / 4, 0.0002);
}

TEST(TemperatureRise, McLymanFit) {
  // 1 W from 10 cm2: 450 * 0.1^0.826.
  EXPECT_NEAR(TemperatureRise_K(1, 1000), 450 * std::pow(0.1, 0.826), 1e-9);
  EXPECT_NEAR(TemperatureRise_K(1, 1000), 67.18, 0.01);
  EXPECT_EQ(TemperatureRise_K(0, 1000), 0);
  EXPECT_TRUE(std::isnan(TemperatureRise_K(std::nan(""), 1000)));
}

TEST(WindingEstimates, FromAeAndAn) {
  // 4 sqrt(Ae) + pi sqrt(An / 2.7): 4 * 7 + pi * 5 for Ae 49, An 67.5.
  EXPECT_NEAR(EstimateMlt_mm(49, 67.5), 28 + 5 * std::acos(-1.0), 1e-9);
  // Ap = 1 cm4: the surface is Ks cm2, by core type.
  EXPECT_NEAR(EstimateSurface_mm2("R 20/10/7", 100, 100), 3250, 1e-9);
  EXPECT_NEAR(EstimateSurface_mm2("PQ 32/20", 100, 100), 3380, 1e-9);
  EXPECT_NEAR(EstimateSurface_mm2("RM 10", 100, 100), 3380, 1e-9);
  EXPECT_NEAR(EstimateSurface_mm2("E 25/13/7", 100, 100), 4130, 1e-9);
  EXPECT_NEAR(EstimateSurface_mm2("ETD 34/17/11", 400, 100), 8260, 1e-9);
}

TEST(WindingEstimates, RecordValuesWinAndEstimatesAreFlagged) {
  const CoreRecord core{"E 25/13/7", 52.5, 76.2, 57.5, 1591, 3.02};
  const CoreWindingGeometry fromRecord = WindingGeometryOf(core, CoreExtras{52.1, 2900});
  EXPECT_EQ(fromRecord.mlt_mm, 52.1);
  EXPECT_EQ(fromRecord.surface_mm2, 2900);
  EXPECT_FALSE(fromRecord.mltEstimated);
  EXPECT_FALSE(fromRecord.surfaceEstimated);

  const CoreWindingGeometry estimated = WindingGeometryOf(core, CoreExtras{});
  EXPECT_TRUE(estimated.mltEstimated);
  EXPECT_TRUE(estimated.surfaceEstimated);
  EXPECT_DOUBLE_EQ(estimated.mlt_mm, EstimateMlt_mm(52.5, 76.2));
  EXPECT_DOUBLE_EQ(estimated.surface_mm2, EstimateSurface_mm2("E 25/13/7", 52.5, 76.2));
  // Only one of the two in the record: the other is estimated.
  const CoreWindingGeometry half = WindingGeometryOf(core, CoreExtras{0, 2900});
  EXPECT_TRUE(half.mltEstimated);
  EXPECT_FALSE(half.surfaceEstimated);
}

}  // namespace
}  // namespace velmora::insight
