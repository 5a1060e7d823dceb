// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The core loss of a choke in operation: the sine-wave loss of the material's
// tables at the core temperature, times the factor of the flux's waveform (a
// triangle of duty D, by the composite waveform hypothesis) and the factor of
// its DC flux density. Every settled core loss comes from OperatingCoreLossAt:
// the settling loop, the adviser, the details, the report and
// `velmora-cli loss`.
#include <array>

#include "data/MaterialRecord.h"
#include "insight/InsightConstants.h"
#include "insight/Thermal.h"
#include "insight/TriangleLoss.h"

namespace velmora::insight {

// How the loss of a material grows with a DC flux density. Ferrite by the
// premagnetisation factor below; a material that states its own behaviour
// under bias (powder cores, with their roll-off of permeability) takes None.
enum class DcBiasModel { Ferrite, None };
// The model of a material's data.
DcBiasModel DcBiasModelOf(const MaterialRecord& material);

// The operating point. A duty outside (0, 1) (NaN by default) is a sine wave.
struct CoreLossPoint {
  double F_kHz = 0;
  double Bac_T = 0;  // AC amplitude, half the peak-to-peak swing
  double duty = constants::kNaN;
  double Bdc_T = 0;  // DC flux density; 0 without bias
  double temperature_C = MaterialRecord::kTableTemperature;
  DcBiasModel dcModel = DcBiasModel::Ferrite;
};

struct OperatingCoreLoss {
  LossAtTemperature sine;  // the tables' sine-wave loss and its flags
  double waveformFactor = 1;
  double dcFactor = 1;
  double dcRatio = 0;    // Bdc over Bsat at the temperature, 0 to 1
  double Pv_mW_cm3 = 0;  // sine x waveform x DC
};

// The loss at the point. knownWaveform, when a number, stands for the
// waveform factor (the settling loop keeps it at nodes of temperature).
OperatingCoreLoss OperatingCoreLossAt(const MaterialRecord& material, const CoreLossPoint& point,
                                      double knownWaveform = constants::kNaN);

// The DC factor of the point's material and model at its temperature: 1
// without bias or for a material of the None model.
double DcFactorAt(const MaterialRecord& material, const CoreLossPoint& point);

// The loss under a DC flux density over the loss without it, for a ferrite:
//   1 + k (Bdc / Bsat(T))^n, the ratio held within 0 .. 1,
// k and n in InsightConstants.h. 1 at no bias, rising with it, 1 + k at Bsat.
double DcBiasFactor(double Bdc_T, double Bsat_T);

// The loss of a triangular flux of duty D over that of a sine wave of the
// same amplitude at F, by the composite waveform hypothesis: each ramp is
// half a period of a symmetric triangle at the frequency of its own slope,
// F / (2 share), whose loss is the table's sine-wave loss there times the
// iGSE factor at D = 0.5 with the local frequency exponent there:
//   sum over the ramps of share * Pv(Fe) k(alpha(Fe), 0.5), over Pv(F).
// At D = 0.5 it is the iGSE factor; on a table with one frequency exponent it
// is the iGSE factor at every D. A sine's 1 where the tables give no number.
double CompositeWaveformFactor(const MaterialRecord& material, double F_kHz, double Bac_T, double duty,
                               double temperature_C);

// The same factor at one (F, Bac, D) asked at many temperatures, as the
// settling asks it: each table's loss at each frequency the factor reads is
// looked up once. At(T) is CompositeWaveformFactor(material, F_kHz, Bac_T,
// duty, T), to the last bit.
class CompositeWaveform {
 public:
  CompositeWaveform(const MaterialRecord& material, double F_kHz, double Bac_T, double duty);
  double At(double temperature_C);

 private:
  double duty_;
  LossOverTemperature sine_;
  FrequencyExponent exponent_;                // at F, for D = 0.5
  std::array<LossOverTemperature, 2> ramps_;  // at the ramps' frequencies, D then 1 - D
  std::array<FrequencyExponent, 2> rampExponents_;
};

// The DC flux density of a DC field in an ungapped core of the material, as
// the makers' and the literature's premagnetisation curves state it:
// mu0 mu H, bent towards Bsat(T) as Bsat tanh(mu0 mu H / Bsat).
double DcFluxOfField(const MaterialRecord& material, double H_A_per_m, double temperature_C);

}  // namespace velmora::insight
