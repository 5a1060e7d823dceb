// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/LossCommand.h"

#include <cstdio>
#include <iostream>

#include "cli/Json.h"
#include "insight/OperatingCoreLoss.h"
#include "textfile/Cp1251.h"

namespace velmora::cli {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;

}  // namespace

int RunLoss(const Design& design, const CliArgs& args, std::string& error) {
  // The no-data entry has no loss table.
  if (design.noDataSelected || !design.material.HasData()) {
    error = "the material " + args.material.value_or("") + " has no loss table";
    return kExitUsage;
  }
  const LossArgs& a = args.loss;
  const MaterialRecord& m = design.material;
  insight::CoreLossPoint point{
      *a.frequency_kHz,         *a.flux_T, a.duty.value_or(insight::constants::kNaN), 0, a.temperature_C,
      insight::DcBiasModelOf(m)};
  if (a.dcFlux_T) point.Bdc_T = *a.dcFlux_T;
  if (a.dcField_A_per_m) point.Bdc_T = insight::DcFluxOfField(m, *a.dcField_A_per_m, a.temperature_C);
  const insight::OperatingCoreLoss loss = insight::OperatingCoreLossAt(m, point);
  const insight::LossAtTemperature& sine = loss.sine;
  const double Pv = loss.Pv_mW_cm3;
  const double factor = loss.waveformFactor;
  if (args.json) {
    Json j{{"material", Cp1251ToUtf8(m.name)},
           {"Pv_mW_cm3", Pv},
           {"frequency_kHz", *a.frequency_kHz},
           {"flux_T", *a.flux_T},
           {"temperature_C", a.temperature_C}};
    if (a.duty) {
      j["duty"] = *a.duty;
      j["waveformFactor"] = factor;
    }
    j["dcFlux_T"] = point.Bdc_T;
    j["dcFactor"] = loss.dcFactor;
    j["extrapolatedFrequency"] = sine.extrapolatedFrequency;
    j["extrapolatedFluxDensity"] = sine.extrapolatedFluxDensity;
    j["extrapolatedTemperature"] = sine.extrapolatedTemperature;
    std::cout << Dump(j, 0);
    return kExitOk;
  }
  char line[160];
  std::snprintf(line, sizeof line, "%.4g mW/cm3 at %g kHz, %g T, %g C", Pv, *a.frequency_kHz, *a.flux_T,
                a.temperature_C);
  std::cout << Cp1251ToUtf8(m.name) << ": " << line;
  if (a.duty) std::cout << ", triangle D = " << *a.duty << " (factor " << factor << ")";
  std::cout << ", Bdc " << point.Bdc_T << " T, dcFactor " << loss.dcFactor;
  if (sine.extrapolatedFrequency || sine.extrapolatedFluxDensity || sine.extrapolatedTemperature)
    std::cout << " (extrapolated)";
  std::cout << "\n";
  return kExitOk;
}

}  // namespace velmora::cli
