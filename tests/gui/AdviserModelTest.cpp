// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "gui/AdviserModel.h"

namespace velmora::gui {
namespace {

advise::Candidate Make(const char* core, int shape, const char* material, double loss, unsigned reasons) {
  advise::Candidate c;
  c.core = core;
  c.shape = shape;
  c.material = material;
  c.totalLoss = loss;
  c.turns = loss * 10;
  c.gapText = "0.1";
  c.gap = 0.1;
  c.reasons = reasons;
  return c;
}

class AdviserModelTest : public ::testing::Test {
 protected:
  AdviserModelTest() {
    model.SetCandidates({Make("E 25/13/7", kShapeE, "N87 Epcos", 0.5, advise::kFeasible),
                         Make("ETD 29", kShapeETD, "3F3 Ferroxcube", 0.3, advise::kFeasible),
                         Make("ETD 34", kShapeETD, "N87 Epcos", std::nan(""), advise::kFeasible),
                         Make("R 10", kShapeR, "N87 Epcos", 0.1, advise::kOverfilled)});
    filter.setSourceModel(&model);
    filter.setDynamicSortFilter(true);
  }

  std::string Column(int column) const {
    std::string s;
    for (int r = 0; r < filter.rowCount(); ++r)
      s += filter.data(filter.index(r, column), Qt::DisplayRole).toString().toStdString() + "|";
    return s;
  }

  AdviserModel model;
  AdviserFilter filter;
};

TEST_F(AdviserModelTest, FiltersByShapeMaterialAndFeasibility) {
  EXPECT_EQ(filter.rowCount(), 3);  // feasible only at first
  filter.SetFeasibleOnly(false);
  EXPECT_EQ(filter.rowCount(), 4);
  filter.SetShape(kShapeETD);
  EXPECT_EQ(Column(AdviserModel::kCore), "ETD 29|ETD 34|");
  filter.SetMaterial("N87 Epcos");
  EXPECT_EQ(Column(AdviserModel::kCore), "ETD 34|");
  filter.SetShape(-1);
  EXPECT_EQ(Column(AdviserModel::kCore), "E 25/13/7|ETD 34|R 10|");
  EXPECT_EQ(Column(AdviserModel::kReason), "||fill factor above 0.4|");
  // Shapes are named as the main window names them, in its language.
  model.SetShapeNames({"E", "EI", "ER", "ETD", "R*", "Other"});
  EXPECT_EQ(Column(AdviserModel::kShape), "E|ETD|R*|");
}

// Numbers sort as numbers; a value that is not a number goes last.
TEST_F(AdviserModelTest, SortsByTheNumbersNotTheirTexts) {
  filter.SetFeasibleOnly(false);
  filter.sort(AdviserModel::kTotalLoss, Qt::AscendingOrder);
  EXPECT_EQ(Column(AdviserModel::kTotalLoss), "0.100|0.300|0.500|-|");
  filter.sort(AdviserModel::kTurns, Qt::AscendingOrder);
  EXPECT_EQ(Column(AdviserModel::kTurns), "1|3|5|-|");
  filter.sort(AdviserModel::kRank, Qt::AscendingOrder);
  EXPECT_EQ(Column(AdviserModel::kRank), "1|2|3|4|");
}

// The Pareto mark, the rise against its limit and the share of the
// saturation limit as the window shows them; the marked rows sort first.
TEST_F(AdviserModelTest, ParetoMarkRiseAgainstItsLimitAndSaturationShare) {
  std::vector<advise::Candidate> list = {Make("E 25/13/7", kShapeE, "N87 Epcos", 0.5, advise::kFeasible),
                                         Make("ETD 29", kShapeETD, "N87 Epcos", 0.3, advise::kFeasible)};
  list[1].pareto = true;
  for (advise::Candidate& c : list) {
    c.temperatureRise = c.totalLoss * 100;
    c.riseLimit = 50;
    c.Bsaturation = 0.3;
    c.Bsat = 0.4;
  }
  model.SetCandidates(list);
  filter.sort(AdviserModel::kPareto, Qt::AscendingOrder);
  EXPECT_EQ(Column(AdviserModel::kPareto), std::string(AdviserModel::kParetoMark) + "||");
  EXPECT_EQ(Column(AdviserModel::kRise), "30.0 / 50|50.0 / 50|");
  EXPECT_EQ(Column(AdviserModel::kSaturationShare), "75.0|75.0|");
}

}  // namespace
}  // namespace velmora::gui
