// SPDX-License-Identifier: GPL-3.0-or-later
// The operating point in the loss table and the loss curve through it.
#include <algorithm>
#include <cmath>
#include <limits>

#include "insight/DesignDetails.h"

namespace velmora::insight {

using namespace constants;

LossModel DescribeLossModel(const MaterialRecord& material, double F_kHz, double Bac_T, double limit_mW_cm3,
                            double Blimit_T) {
  LossModel model;
  model.F_kHz = F_kHz;
  model.Bac_T = Bac_T;
  model.limit_mW_cm3 = limit_mW_cm3;
  model.Blimit_T = Blimit_T;
  model.source = DescribeCoreLoss(material, F_kHz, Bac_T);
  model.available = model.source.valid;
  model.Pv_mW_cm3 =
      model.available ? EstimateCoreLoss(material, F_kHz, Bac_T, 1).Pv : std::numeric_limits<double>::quiet_NaN();
  return model;
}

LossCurve LossCurveAt(const MaterialRecord& material, double F_kHz, double Bac_T) {
  LossCurve curve;
  const CoreLossSource src = DescribeCoreLoss(material, F_kHz, Bac_T);
  if (!src.valid) return curve;
  const int nB = std::min(material.nB, MaterialRecord::kColumns - 1);
  std::vector<double> knots;
  knots.push_back(material.table[0][1] / kCurveMargin);
  for (int c = 1; c <= nB; ++c) knots.push_back(material.table[0][c]);
  knots.push_back(material.table[0][nB] * kCurveMargin);

  std::vector<double>& B = curve.B_T;
  for (std::size_t k = 0; k + 1 < knots.size(); ++k) {
    const double lo = knots[k];
    const double hi = knots[k + 1];
    B.push_back(lo);
    if (!(lo > 0 && hi > lo)) continue;  // a table out of order: its points only
    const double step = std::log(hi / lo) / kCurveStepsPerInterval;
    for (int s = 1; s < kCurveStepsPerInterval; ++s) B.push_back(lo * std::exp(step * s));
  }
  B.push_back(knots.back());
  if (std::isfinite(Bac_T) && Bac_T > 0) B.push_back(Bac_T);
  std::sort(B.begin(), B.end());
  B.erase(std::unique(B.begin(), B.end()), B.end());
  B.erase(std::remove_if(B.begin(), B.end(), [](double b) { return !(b > 0) || !std::isfinite(b); }), B.end());

  curve.Pv_mW_cm3.reserve(B.size());
  for (double b : B) curve.Pv_mW_cm3.push_back(EstimateCoreLoss(material, F_kHz, b, 1).Pv);
  return curve;
}

}  // namespace velmora::insight
