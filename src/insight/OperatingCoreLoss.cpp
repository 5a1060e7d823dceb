// SPDX-License-Identifier: GPL-3.0-or-later
#include "insight/OperatingCoreLoss.h"

#include <algorithm>
#include <cmath>

#include "insight/TriangleLoss.h"

namespace velmora::insight {

using namespace constants;

namespace {

bool IsTriangle(double duty) { return duty > 0 && duty < 1; }

// A factor the tables give no number for: a sine's.
double Finite(double factor) { return std::isfinite(factor) && factor > 0 ? factor : 1; }

// The loss of a symmetric triangle at F_kHz over the sine-wave loss Pv
// there: the iGSE factor at D = 0.5 with the local frequency exponent.
double SymmetricTriangleFactor(const MaterialRecord& material, double F_kHz, double Bac_T, double T) {
  return TriangleWaveformFactor(FrequencyExponentAt(material, F_kHz, Bac_T, T), 0.5);
}

}  // namespace

DcBiasModel DcBiasModelOf(const MaterialRecord& material) {
  // A powder's maker fits its loss without bias and its distributed gap
  // keeps the flux of the particles low: no premagnetization factor.
  return material.hasRollOff() ? DcBiasModel::None : DcBiasModel::Ferrite;
}

double DcFactorAt(const MaterialRecord& material, const CoreLossPoint& p) {
  if (p.dcModel != DcBiasModel::Ferrite || !(p.Bdc_T > 0)) return 1;
  return DcBiasFactor(p.Bdc_T, SaturationAt(material, p.temperature_C).Bsat_T);
}

double DcBiasFactor(double Bdc_T, double Bsat_T) {
  if (!(Bdc_T > 0)) return 1;
  const double ratio = Bsat_T > 0 ? std::min(1.0, Bdc_T / Bsat_T) : 1.0;
  return 1 + kDcBiasCoefficient * std::pow(ratio, kDcBiasExponent);
}

double CompositeWaveformFactor(const MaterialRecord& material, double F_kHz, double Bac_T, double duty,
                               double temperature_C) {
  if (!IsTriangle(duty)) return 1;
  if (duty == 0.5) return Finite(SymmetricTriangleFactor(material, F_kHz, Bac_T, temperature_C));
  const double sine = SpecificLossAt(material, F_kHz, Bac_T, temperature_C).Pv_mW_cm3;
  double factor = 0;
  for (const double share : {duty, 1 - duty}) {
    const double Fe = F_kHz / (2 * share);
    const double Pv = SpecificLossAt(material, Fe, Bac_T, temperature_C).Pv_mW_cm3;
    factor += share * Pv / sine * SymmetricTriangleFactor(material, Fe, Bac_T, temperature_C);
  }
  return Finite(factor);
}

CompositeWaveform::CompositeWaveform(const MaterialRecord& material, double F_kHz, double Bac_T, double duty)
    : duty_(duty),
      sine_(material, F_kHz, Bac_T),
      exponent_(material, F_kHz, Bac_T),
      ramps_{LossOverTemperature(material, F_kHz / (2 * duty), Bac_T),
             LossOverTemperature(material, F_kHz / (2 * (1 - duty)), Bac_T)},
      rampExponents_{FrequencyExponent(material, F_kHz / (2 * duty), Bac_T),
                     FrequencyExponent(material, F_kHz / (2 * (1 - duty)), Bac_T)} {}

double CompositeWaveform::At(double temperature_C) {
  if (!IsTriangle(duty_)) return 1;
  if (duty_ == 0.5) return Finite(TriangleWaveformFactor(exponent_.At(temperature_C), 0.5));
  const double sine = sine_.At(temperature_C);
  double factor = 0;
  const std::array<double, 2> shares{duty_, 1 - duty_};
  for (std::size_t i = 0; i < shares.size(); ++i) {
    const double Pv = ramps_[i].At(temperature_C);
    factor += shares[i] * Pv / sine * TriangleWaveformFactor(rampExponents_[i].At(temperature_C), 0.5);
  }
  return Finite(factor);
}

double DcFluxOfField(const MaterialRecord& material, double H_A_per_m, double temperature_C) {
  const double linear = kMu0SI * material.mu * H_A_per_m;
  const double Bsat = SaturationAt(material, temperature_C).Bsat_T;
  if (!(Bsat > 0)) return linear;
  return Bsat * std::tanh(linear / Bsat);
}

OperatingCoreLoss OperatingCoreLossAt(const MaterialRecord& material, const CoreLossPoint& p, double knownWaveform) {
  OperatingCoreLoss o;
  o.sine = SpecificLossAt(material, p.F_kHz, p.Bac_T, p.temperature_C);
  o.waveformFactor = std::isnan(knownWaveform)
                         ? CompositeWaveformFactor(material, p.F_kHz, p.Bac_T, p.duty, p.temperature_C)
                         : knownWaveform;
  if (p.dcModel == DcBiasModel::Ferrite && p.Bdc_T > 0) {
    const double Bsat = SaturationAt(material, p.temperature_C).Bsat_T;
    o.dcRatio = Bsat > 0 ? std::min(1.0, p.Bdc_T / Bsat) : 1.0;
    o.dcFactor = DcFactorAt(material, p);
  }
  o.Pv_mW_cm3 = o.sine.Pv_mW_cm3 * o.waveformFactor * o.dcFactor;
  return o;
}

}  // namespace velmora::insight
