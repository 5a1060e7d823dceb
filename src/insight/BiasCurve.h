// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The inductance of a calculated design as the current rises: at the
// nominal (mean) current, at the peak current and over a curve from 0 to 1.5
// times the peak current.
//
// A powder core (a material with a roll-off fit) follows the maker's fit
// (calc/Powder.h) on the run's zero-bias AL, times the temperature factor of
// mu_i at the settled core temperature where the maker gives one. A ferrite
// (or the no-data material) follows an estimate: the run's reluctance with
// the material's share of it growing as the Froehlich-Kennelly secant
// permeability mu (1 - B / Bsat) falls toward Bsat at the settled
// temperature; it shows where the core starts to saturate and is used by no
// check.
#include <vector>

#include "calc/Calculate.h"

namespace velmora::insight {

struct BiasFigures {
  bool available = false;                // a run with turns, an AL and a nominal current
  bool powder = false;                   // the roll-off fit; else the ferrite estimate
  double temperature_C = 0;              // the core temperature used (NaN: none settled)
  double temperatureFactor = 1;          // mu_i(T) / mu_i, powder only
  bool temperatureCoefficients = false;  // the material gives mu_i(T)
  double nominalCurrent_A = 0;           // Inom, as the run read it
  double biasField_A_per_m = 0;          // N Inom / le
  double inductanceAtZero_uH = 0;        // the run's own, times the temperature factor
  double inductanceAtNominal_uH = 0;
  double rippleAtNominal_A = 0;  // VS / L(Inom), the ripple at full load
  double peakCurrent_A = 0;      // Inom + half that ripple
  double inductanceAtPeak_uH = 0;
  double permeabilityRetained = 0;        // mu / mu_i at the nominal current
  double permeabilityRetainedAtPeak = 0;  // the same at the peak current
  double peakFlux_T = 0;                  // B at the peak current, rolled off / saturating
  double saturationFlux_T = 0;            // the ferrite estimate's Bsat (NaN for powder)
  std::vector<double> I_A;                // the curve, 0 .. 1.5 peak current
  std::vector<double> L_uH;
};

// temperature_C: the settled core temperature, NaN when none settled (the
// powder then keeps mu_i, the ferrite takes Bmax, its 100 C value).
BiasFigures BiasFiguresOf(const ChokeResults& results, const ChokeContext& context, double temperature_C);

}  // namespace velmora::insight
