// SPDX-License-Identifier: GPL-3.0-or-later
// Dowell's AC resistance factor at the harmonics of the triangular ripple.
#include "insight/AcCopper.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "insight/InsightConstants.h"

namespace velmora::insight {

using namespace constants;

namespace {

constexpr double kPi = std::numbers::pi;
// Below this penetration ratio the low-frequency series of Dowell's factor,
// 1 + (5 m^2 - 1) / 45 Delta^4, is exact to rounding.
constexpr double kSeriesBelow = 1e-2;

}  // namespace

std::array<double, kRippleHarmonics> RippleHarmonicsSquared(double dI_A, double duty) {
  std::array<double, kRippleHarmonics> h{};
  const double scale = dI_A / (kPi * kPi * duty * (1 - duty));
  for (int k = 1; k <= kRippleHarmonics; ++k) {
    const double amplitude = scale * std::sin(k * kPi * duty) / (k * k);
    h[k - 1] = amplitude * amplitude / 2;
  }
  return h;
}

double DowellFactor(double penetration, double layers) {
  const double x = penetration;
  const double m2 = layers * layers;
  if (!(x >= kSeriesBelow)) return 1 + (5 * m2 - 1) / 45 * x * x * x * x;
  // The hyperbolic functions scaled by 2 e^-x (and 2 e^-2x), so that no
  // penetration ratio overflows them.
  const double e1 = std::exp(-x);
  const double e2 = e1 * e1;
  const double s = std::sin(x);
  const double c = std::cos(x);
  const double s2 = 2 * s * c;
  const double c2 = c * c - s * s;
  const double skin = (1 - e2 * e2 + 2 * e2 * s2) / (1 + e2 * e2 - 2 * e2 * c2);
  const double proximity = (1 - e2 - 2 * e1 * s) / (1 + e2 + 2 * e1 * c);
  return x * (skin + 2 * (m2 - 1) / 3 * proximity);
}

double PenetrationRatio(double d_mm, double skinDepth_mm, double porosity) {
  return std::pow(kPi / 4, 0.75) * d_mm / skinDepth_mm * std::sqrt(porosity);
}

double EstimateBreadth_mm(std::string_view coreName, double An_mm2) {
  if (coreName.substr(0, 2) == "R ") return kPi * std::sqrt(4 * An_mm2 / kPi);
  return std::sqrt(An_mm2 * kWindowAspect);
}

WindingLayout LayoutOf(double breadth_mm, bool breadthEstimated, double turns, double parallel, double d_mm,
                       double outer_mm) {
  WindingLayout w;
  w.breadth_mm = breadth_mm;
  w.breadthEstimated = breadthEstimated;
  const double pitch = std::max(outer_mm, d_mm);
  const double perLayer = std::max(1.0, std::floor(breadth_mm / pitch));
  w.layers = std::max(1.0, std::ceil(turns * parallel / perLayer));
  w.porosity = d_mm / pitch;
  return w;
}

AcCopperModel AcCopperModelOf(double dI_A, double duty, const WindingLayout& layout, double d_mm) {
  AcCopperModel m;
  m.harmonicsSquared = RippleHarmonicsSquared(dI_A, duty);
  m.rippleSquared = dI_A * dI_A / 12;
  m.layers = layout.layers;
  m.porosity = layout.porosity;
  m.d_mm = d_mm;
  return m;
}

double AcCopperModel::AcFactor(double skinDepth_mm) const {
  if (!(rippleSquared > 0)) return 1;
  const double first = PenetrationRatio(d_mm, skinDepth_mm, porosity);
  double loss = 0;
  double counted = 0;
  for (int k = 1; k <= kRippleHarmonics; ++k) {
    loss += harmonicsSquared[k - 1] * DowellFactor(first * std::sqrt(double(k)), layers);
    counted += harmonicsSquared[k - 1];
  }
  const double rest = std::max(0.0, rippleSquared - counted);
  loss += rest * DowellFactor(first * std::sqrt(kRippleHarmonics + 1.0), layers);
  return loss / rippleSquared;
}

}  // namespace velmora::insight
