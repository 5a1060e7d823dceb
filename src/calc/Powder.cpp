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
  // is doubled until two results agree.
  auto simpson = [&](int n) {
    const double step = H / n;
    double sum = PermeabilityRatio(fit, 0) + PermeabilityRatio(fit, H);
    for (int k = 1; k < n; ++k) sum += (k % 2 ? 4 : 2) * PermeabilityRatio(fit, k * step);
    return sum * step / 3;
  };
  double last = simpson(constants::kBiasIntegralFirstSteps);
  for (int n = 2 * constants::kBiasIntegralFirstSteps; n <= constants::kBiasIntegralMostSteps; n *= 2) {
    const double next = simpson(n);
    const bool settled = std::fabs(next - last) <= constants::kBiasIntegralTolerance * std::fabs(next);
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
