// SPDX-License-Identifier: GPL-3.0-or-later
#include "insight/BiasCurve.h"

#include <cmath>
#include <functional>

#include "calc/Constants.h"
#include "calc/Powder.h"
#include "insight/InsightConstants.h"

namespace velmora::insight {

namespace {

using constants::kNaN;

// uH per turn2 of a reluctance given as an air length in mm, per mm2 of Ae.
constexpr double kPerMm = velmora::constants::kMu0 / velmora::constants::kThousand;

bool Usable(double v) { return std::isfinite(v) && v > 0; }

// One core under bias: the inductance the ripple sees at a current, the
// flux density the current drives, and the share of permeability left.
struct BiasModel {
  std::function<double(double)> L_uH;
  std::function<double(double)> B_T;
  std::function<double(double)> retained;
};

BiasModel PowderModel(const ChokeResults& r, const ChokeContext& ctx, double factor) {
  const RollOffFit fit = ctx.material.powder.rollOff;
  const double N = r.N;
  const double le = ctx.core.le;
  const double AL = r.AL * factor;
  const double mu = r.mue * factor;  // the ungapped core's: mu_i
  return BiasModel{[=](double I) { return powder::InductanceUnderBias(fit, AL, N, I, le); },
                   [=](double I) { return powder::FluxDensityAtField(fit, mu, powder::BiasField_A_per_m(N, I, le)); },
                   [=](double I) { return powder::PermeabilityRatio(fit, powder::BiasField_A_per_m(N, I, le)); }};
}

// The gapped ferrite: the reluctance R(B) = R0 + le (1 / mu_s(B) - 1 / mu),
// mu_s = mu (1 - B / Bsat); B from B R(B) = mu0 N I, the inductance from
// N Ae dB/dI.
BiasModel FerriteModel(const ChokeResults& r, const ChokeContext& ctx, double Bsat) {
  const double N = r.N, mu = r.mu, R0 = r.R, le = ctx.core.le, Ae = ctx.core.Ae;
  auto reluctance = [=](double B) { return R0 + le * (1 / (mu * (1 - B / Bsat)) - 1 / mu); };
  auto fluxAt = [=](double I) {
    double lo = 0, hi = Bsat;
    const double target = kPerMm * N * I;
    for (int k = 0; k < constants::kSaturationBisections; ++k) {
      const double mid = 0.5 * (lo + hi);
      (mid * reluctance(mid) < target ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
  };
  return BiasModel{[=](double I) {
                     const double B = fluxAt(I);
                     const double slope = le / (mu * Bsat * (1 - B / Bsat) * (1 - B / Bsat));
                     return N * N * Ae * kPerMm / (reluctance(B) + B * slope);
                   },
                   fluxAt, [=](double I) { return 1 - fluxAt(I) / Bsat; }};
}

double FerriteSaturation(const ChokeResults& r, const MaterialRecord& m, double T) {
  if (r.noData) return velmora::constants::kNoDataPeakFlux;
  return SaturationAt(m, std::isfinite(T) ? T : MaterialRecord::kTableTemperature).Bsat_T;
}

}  // namespace

BiasFigures BiasFiguresOf(const ChokeResults& r, const ChokeContext& ctx, double T) {
  BiasFigures f;
  const double Inom = r.read.Inom;
  f.temperature_C = T;
  f.powder = ctx.material.hasRollOff() && !r.noData;
  f.saturationFlux_T = f.powder ? kNaN : FerriteSaturation(r, ctx.material, T);
  if (r.stoppedByInputCheck || !Usable(r.N) || !Usable(r.AL) || !Usable(r.R) || !(Inom >= 0) || !Usable(ctx.core.le) ||
      !Usable(ctx.core.Ae) || (!f.powder && !Usable(f.saturationFlux_T)))
    return f;
  f.available = true;
  f.temperatureCoefficients = f.powder && ctx.material.powder.hasTemperatureCoefficients;
  f.temperatureFactor = f.powder ? powder::PermeabilityTemperatureFactor(ctx.material.powder, T) : 1.0;
  const BiasModel model =
      f.powder ? PowderModel(r, ctx, f.temperatureFactor) : FerriteModel(r, ctx, f.saturationFlux_T);
  f.nominalCurrent_A = Inom;
  f.biasField_A_per_m = powder::BiasField_A_per_m(r.N, Inom, ctx.core.le);
  f.inductanceAtZero_uH = model.L_uH(0);
  f.inductanceAtNominal_uH = model.L_uH(Inom);
  f.rippleAtNominal_A = r.VS / f.inductanceAtNominal_uH;
  f.peakCurrent_A = Inom + 0.5 * f.rippleAtNominal_A;
  f.inductanceAtPeak_uH = model.L_uH(f.peakCurrent_A);
  f.permeabilityRetained = model.retained(Inom);
  f.permeabilityRetainedAtPeak = model.retained(f.peakCurrent_A);
  f.peakFlux_T = model.B_T(f.peakCurrent_A);
  const double top = constants::kCurveCurrentSpan * f.peakCurrent_A;
  for (int k = 0; k <= constants::kCurveSteps; ++k) {
    const double I = top * k / constants::kCurveSteps;
    f.I_A.push_back(I);
    f.L_uH.push_back(model.L_uH(I));
  }
  return f;
}

}  // namespace velmora::insight
