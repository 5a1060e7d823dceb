// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Core loss of the choke's own flux: a triangle rising for D of the period
// and falling for the rest, by the improved generalised Steinmetz equation
// (iGSE; Venkatachalam, Sullivan, Abdallah, Tacca, IEEE COMPEL 2002).
#include "data/MaterialRecord.h"
#include "insight/Thermal.h"

namespace velmora::insight {

// The local exponents of the loss around an operating point: alpha = the
// slope of log Pv over log f, beta = over log B, from the tables at that
// temperature (a centred difference across a small step either side).
struct LocalExponents {
  double alpha = 0;
  double beta = 0;
};
LocalExponents LocalExponentsAt(const MaterialRecord& material, double F_kHz, double Bac_T, double temperature_C);
// alpha alone (the waveform factor needs no beta): half the table lookups.
double FrequencyExponentAt(const MaterialRecord& material, double F_kHz, double Bac_T, double temperature_C);
// The same at one operating point over temperature, each table looked up once.
class FrequencyExponent {
 public:
  FrequencyExponent(const MaterialRecord& material, double F_kHz, double Bac_T);
  double At(double temperature_C);

 private:
  LossOverTemperature above_, below_;
};

// The loss of a triangular flux of duty D over that of a sine wave of the
// same amplitude and frequency, by the iGSE:
//   2^alpha (D^(1-alpha) + (1-D)^(1-alpha)) / ((2 pi)^(alpha-1) I(alpha)),
//   I(alpha) = integral of |cos t|^alpha over one period.
// beta cancels. alpha = 1.5: 0.913 at D = 0.5, 1.018 at 0.25, 1.361 at 0.1.
double TriangleWaveformFactor(double alpha, double duty);

}  // namespace velmora::insight
