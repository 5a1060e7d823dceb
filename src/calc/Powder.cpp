// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/Powder.h"

#include <cmath>

#include "calc/Constants.h"

namespace velmora::powder {

namespace {

// The fit's permeabilities are in percent of mu_i: mu(H)/mu_i = 0.01 / (a + b H^c).
constexpr double kPercent = 0.01;

}  // namespace

double PermeabilityRatio(const RollOffFit& fit, double H) {
  return kPercent / (fit.a + fit.b * std::pow(std::fabs(H), fit.c));
}

double BiasField_A_per_m(double N, double I_A, double le_mm) { return N * I_A / (le_mm / constants::kMmPerMetre); }

double FluxDensityAtField(const RollOffFit& fit, double mu_i, double H) {
  if (!(std::isfinite(H) && H > 0)) return H == 0 ? 0.0 : std::nan("");
  // mu(h) is smooth and falls monotonically; Simpson's rule on a grid that
  // is doubled until two results agree. Each doubling keeps the points of
  // the grid before: S(2n) = (4 T(2n) - T(n)) / 3 from the trapezoid sums,
  // and T(2n) = T(n) / 2 plus the new midpoints.
  int n = constants::kBiasIntegralFirstSteps / 2;
  double step = H / n;
  double trapezoid = (PermeabilityRatio(fit, 0) + PermeabilityRatio(fit, H)) / 2;
  for (int k = 1; k < n; ++k) trapezoid += PermeabilityRatio(fit, k * step);
  trapezoid *= step;
  double last = 0;
  for (bool first = true; 2 * n <= constants::kBiasIntegralMostSteps; first = false) {
    double midpoints = 0;
    for (int k = 0; k < n; ++k) midpoints += PermeabilityRatio(fit, (k + 0.5) * step);
    const double finer = trapezoid / 2 + midpoints * step / 2;
    const double next = (4 * finer - trapezoid) / 3;
    trapezoid = finer;
    n *= 2;
    step /= 2;
    const bool settled = !first && std::fabs(next - last) <= constants::kBiasIntegralTolerance * std::fabs(next);
    last = next;
    if (settled) break;
  }
  return constants::kMu0SI * mu_i * last;
}

double PermeabilityTemperatureFactor(const PowderData& powder, double T) {
  if (!powder.hasTemperatureCoefficients || !std::isfinite(T)) return 1.0;
  const auto& k = powder.temperatureCoefficients;
  return 1 + k[0] + T * (k[1] + T * (k[2] + T * (k[3] + T * k[4])));
}

double InductanceUnderBias(const RollOffFit& fit, double AL_uH, double N, double I_A, double le_mm) {
  return AL_uH * N * N * PermeabilityRatio(fit, BiasField_A_per_m(N, I_A, le_mm));
}

double TurnsForInductanceUnderBias(const RollOffFit& fit, double AL_uH, double L_uH, double I_A, double le_mm,
                                   double maxTurns) {
  for (double N = 1; N <= maxTurns; ++N)
    if (InductanceUnderBias(fit, AL_uH, N, I_A, le_mm) >= L_uH) return N;
  return 0;
}

}  // namespace velmora::powder
