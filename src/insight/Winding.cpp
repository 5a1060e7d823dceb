// SPDX-License-Identifier: GPL-3.0-or-later
// Winding resistance, skin depth, surface and temperature rise.
#include <cmath>
#include <string_view>

#include "insight/DesignDetails.h"

namespace velmora::insight {

using namespace constants;

double CopperResistivity(double temperature_C) {
  return kCopperResistivity20 * (1 + kCopperTemperatureCoefficient * (temperature_C - kCopperReferenceTemperature));
}

double SkinDepth_mm(double resistivity_Ohm_m, double F_kHz) {
  const double f = F_kHz * kHzPerKHz;
  return std::sqrt(resistivity_Ohm_m / (std::acos(-1.0) * f * kMu0SI)) * kMmPerM;
}

double WireResistance(double resistivity_Ohm_m, double length_m, double n, double S1_mm2) {
  const double area_m2 = n * S1_mm2 / (kMmPerM * kMmPerM);
  return resistivity_Ohm_m * length_m / area_m2;
}

double TemperatureRise_K(double loss_W, double surface_mm2) {
  const double surface_cm2 = surface_mm2 / kMm2PerCm2;
  return kRiseCoefficient * std::pow(loss_W / surface_cm2, kRiseExponent);
}

double EstimateMlt_mm(double Ae_mm2, double An_mm2) {
  return 4 * std::sqrt(Ae_mm2) + std::acos(-1.0) * std::sqrt(An_mm2 / kWindowAspect);
}

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// McLyman's Ks by core type: rings, pot-like cores (P, PQ, RM, EP) that
// enclose their winding, and the open E and U families.
double SurfaceCoefficient(std::string_view name) {
  if (StartsWith(name, "R ")) return kSurfaceKsToroid;
  for (std::string_view pot : {"P ", "PQ", "RM", "EP"})
    if (StartsWith(name, pot)) return kSurfaceKsPot;
  return kSurfaceKsLamination;
}

}  // namespace

double EstimateSurface_mm2(std::string_view coreName, double Ae_mm2, double An_mm2) {
  const double Ap_cm4 = Ae_mm2 / kMm2PerCm2 * (An_mm2 / kMm2PerCm2);
  return SurfaceCoefficient(coreName) * std::sqrt(Ap_cm4) * kMm2PerCm2;
}

CoreWindingGeometry WindingGeometryOf(const CoreRecord& core, const CoreExtras& extras) {
  CoreWindingGeometry g;
  g.mltEstimated = !(extras.MLT > 0);
  g.mlt_mm = g.mltEstimated ? EstimateMlt_mm(core.Ae, core.An) : extras.MLT;
  g.surfaceEstimated = !(extras.Asurf > 0);
  g.surface_mm2 = g.surfaceEstimated ? EstimateSurface_mm2(core.name, core.Ae, core.An) : extras.Asurf;
  g.breadthEstimated = !(extras.bw > 0);
  g.breadth_mm = g.breadthEstimated ? EstimateBreadth_mm(core.name, core.An) : extras.bw;
  return g;
}

}  // namespace velmora::insight
