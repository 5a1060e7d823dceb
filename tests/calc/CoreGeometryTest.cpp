// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/CoreGeometry.h"

#include <gtest/gtest.h>

#include "data/CoreDatabase.h"

namespace velmora {
namespace {

// A = 25, B = 17.5, C = 7.5, D = 7.5, H = 12.8, h = 8.7 (an E 25 half).
DimensionTexts E25() { return DimensionTexts{"25", "17.5", "7.5", "7.5", "12.8", "8.7", ""}; }

TEST(CoreGeometryShapes, Ring) {
  const auto g = ComputeCoreGeometry(kShapeR, DimensionTexts{"20", "10", "5", "", "", "", ""});
  ASSERT_TRUE(g);
  EXPECT_EQ(g->AeText, "25.00");
  EXPECT_EQ(g->AnText, "54.98");
  EXPECT_EQ(g->leText, "47.1");
}

TEST(CoreGeometryShapes, EFamily) {
  const auto e = ComputeCoreGeometry(kShapeE, E25());
  ASSERT_TRUE(e);
  EXPECT_EQ(e->AeText, "56.25");
  EXPECT_EQ(e->AnText, "69.60");
  EXPECT_EQ(e->leText, "56.4");

  DimensionTexts ei = E25();
  ei.I = "2.5";
  const auto g = ComputeCoreGeometry(kShapeEI, ei);
  ASSERT_TRUE(g);
  EXPECT_EQ(g->AeText, "56.25");
  EXPECT_EQ(g->AnText, "34.80");
  EXPECT_EQ(g->leText, "38.2");

  DimensionTexts er = E25();
  er.D = "10";
  for (int shape : {kShapeER, kShapeETD}) {
    const auto r = ComputeCoreGeometry(shape, er);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->AeText, "78.54");
    EXPECT_EQ(r->AnText, "52.20");  // (17.5 - 10) * 8.7 * 0.8
    EXPECT_EQ(r->leText, "55.1");   // 7.5 + 3.75 + 5 + 34.8 + 4.1 = 55.15 (just below)
  }
}

TEST(CoreGeometryInput, CommasAndNonNumbers) {
  DimensionTexts t{"20", "10,0", "5,5", "", "", "", ""};
  const auto g = ComputeCoreGeometry(kShapeR, t);
  ASSERT_TRUE(g);
  EXPECT_EQ(g->dims.B, "10.0");
  EXPECT_EQ(g->dims.C, "5.5");
  EXPECT_EQ(g->AeText, "27.50");
  // Values are not range-tested: B above A gives a negative section.
  const auto odd = ComputeCoreGeometry(kShapeR, DimensionTexts{"x", "10", "5", "", "", "", ""});
  ASSERT_TRUE(odd);
  EXPECT_EQ(odd->AeText, "-25.00");
}

TEST(CoreGeometryInput, RefusedWhenANeededDimensionIsEmpty) {
  for (int shape : {kShapeE, kShapeEI, kShapeER, kShapeETD, kShapeR}) {
    DimensionTexts t = E25();
    t.I = "2";
    t.C = "";
    EXPECT_FALSE(ComputeCoreGeometry(shape, t)) << shape;
  }
  // The ring needs no D, H, h.
  EXPECT_TRUE(ComputeCoreGeometry(kShapeR, DimensionTexts{"20", "10", "5", "", "", "", ""}));
  DimensionTexts noH = E25();
  noH.h = "";
  EXPECT_FALSE(ComputeCoreGeometry(kShapeE, noH));
  // EI needs I; E does not look at it.
  EXPECT_FALSE(ComputeCoreGeometry(kShapeEI, E25()));
  EXPECT_TRUE(ComputeCoreGeometry(kShapeE, E25()));
  // No formulas for other shapes.
  EXPECT_FALSE(ComputeCoreGeometry(kShapeOther, E25()));
  EXPECT_FALSE(ComputeCoreGeometry(-1, E25()));
  EXPECT_FALSE(ComputeCoreGeometry(17, E25()));
}

}  // namespace
}  // namespace velmora
