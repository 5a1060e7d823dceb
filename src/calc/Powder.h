// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The inductance of a powder core under DC bias, by the maker's roll-off fit
// (Magnetics, "permeability vs. DC bias"): the field H = N I / le, the
// permeability mu(H) = mu_i * 0.01 / (a + b |H|^c), the flux density
// B = mu0 * integral of mu(h) dh from 0 to H, and the inductance
// L(N, I) = AL N^2 mu(H) / mu_i. The fit is the incremental permeability the
// maker measures with a small AC field on the DC field, so L(N, I) is the
// inductance the ripple sees at the current I. Units: H in A/m, le in mm,
// AL in uH/turn2, L in uH, B in T, currents in A, temperatures in C.
#include "data/MaterialRecord.h"

namespace velmora::powder {

// mu(H) / mu_i: 1 at H = 0, falling with |H|.
double PermeabilityRatio(const RollOffFit& fit, double H_A_per_m);

// The field of N turns carrying I on a path of le_mm.
double BiasField_A_per_m(double N, double I_A, double le_mm);

// mu0 * integral of mu(h) dh from 0 to H for a core of initial permeability
// mu_i: the flux density the field H drives (Simpson's rule, to 1e-6).
double FluxDensityAtField(const RollOffFit& fit, double mu_i, double H_A_per_m);

// mu_i(T) / mu_i(25 C ...) by the maker's polynomial; 1 without coefficients
// or at a temperature that is no number.
double PermeabilityTemperatureFactor(const PowderData& powder, double temperature_C);

// L(N, I) = AL N^2 mu(H) / mu_i with H = N I / le, for a core whose zero-bias
// AL is AL_uH (the tolerance and temperature already in it).
double InductanceUnderBias(const RollOffFit& fit, double AL_uH, double N, double I_A, double le_mm);

// The fewest whole turns, up to maxTurns, whose InductanceUnderBias at I_A
// reaches L_uH; 0 when none does (the roll-off eats every turn added).
double TurnsForInductanceUnderBias(const RollOffFit& fit, double AL_uH, double L_uH, double I_A, double le_mm,
                                   double maxTurns);

}  // namespace velmora::powder
