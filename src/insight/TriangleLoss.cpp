// SPDX-License-Identifier: GPL-3.0-or-later
#include "insight/TriangleLoss.h"

#include <cmath>
#include <numbers>

#include "insight/InsightConstants.h"
#include "insight/Thermal.h"

namespace velmora::insight {

using namespace constants;

namespace {

double Pv(const MaterialRecord& material, double F_kHz, double Bac_T, double temperature_C) {
  return SpecificLossAt(material, F_kHz, Bac_T, temperature_C).Pv_mW_cm3;
}

// The slope of log Pv between the losses a step above and below.
double SlopeOverStep(double above, double below) {
  const double span = 2 * std::log(kSlopeStep);
  return std::log(above / below) / span;
}

}  // namespace

double FrequencyExponentAt(const MaterialRecord& material, double F_kHz, double Bac_T, double temperature_C) {
  return SlopeOverStep(Pv(material, F_kHz * kSlopeStep, Bac_T, temperature_C),
                       Pv(material, F_kHz / kSlopeStep, Bac_T, temperature_C));
}

FrequencyExponent::FrequencyExponent(const MaterialRecord& material, double F_kHz, double Bac_T)
    : above_(material, F_kHz * kSlopeStep, Bac_T), below_(material, F_kHz / kSlopeStep, Bac_T) {}

double FrequencyExponent::At(double temperature_C) {
  return SlopeOverStep(above_.At(temperature_C), below_.At(temperature_C));
}

LocalExponents LocalExponentsAt(const MaterialRecord& material, double F_kHz, double Bac_T, double temperature_C) {
  const double span = 2 * std::log(kSlopeStep);
  LocalExponents e;
  e.alpha = FrequencyExponentAt(material, F_kHz, Bac_T, temperature_C);
  e.beta = std::log(Pv(material, F_kHz, Bac_T * kSlopeStep, temperature_C) /
                    Pv(material, F_kHz, Bac_T / kSlopeStep, temperature_C)) /
           span;
  return e;
}

double TriangleWaveformFactor(double alpha, double duty) {
  constexpr double pi = std::numbers::pi;
  // The integral of |cos t|^alpha over 0 .. 2 pi in closed form.
  const double cosIntegral = 2 * std::sqrt(pi) * std::tgamma((alpha + 1) / 2) / std::tgamma(alpha / 2 + 1);
  // The symmetric triangle (every settling asks for it) has two equal slopes.
  const double rise = std::pow(duty, 1 - alpha);
  const double slopes = rise + (duty == 1 - duty ? rise : std::pow(1 - duty, 1 - alpha));
  return std::pow(2.0, alpha) * slopes / (std::pow(2 * pi, alpha - 1) * cosIntegral);
}

}  // namespace velmora::insight
