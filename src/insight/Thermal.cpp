// SPDX-License-Identifier: GPL-3.0-or-later
// Loss over temperature and the settling temperature of the choke.
#include "insight/Thermal.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "calc/CoreLoss.h"
#include "insight/DesignDetails.h"

namespace velmora::insight {

using namespace constants;

namespace {

struct TableAt {
  double temperature_C = 0;
  const MaterialRecord::LossGrid* grid = nullptr;
};

// The tables at or nearest below and above the temperature, the file's own
// 100 C table among them; a side without one is left empty.
void Bracket(const MaterialRecord& m, double T, TableAt& below, TableAt& above) {
  auto consider = [&](double t, const MaterialRecord::LossGrid& grid) {
    if (t <= T && (!below.grid || t > below.temperature_C)) below = {t, &grid};
    if (t >= T && (!above.grid || t < above.temperature_C)) above = {t, &grid};
  };
  consider(MaterialRecord::kTableTemperature, m.table);
  for (const MaterialRecord::TemperatureTable& t : m.temperatureTables) consider(t.temperature_C, t.table);
}

// Whether (F, Bac) lies outside the grid of the tables, as DescribeCoreLoss
// tells it, without its interpolation: the settling asks for the loss many
// times and needs the flags once.
void FlagOutsideGrid(const MaterialRecord& m, double F, double Bac, LossAtTemperature& r) {
  const int nF = std::min(m.nF, MaterialRecord::kMaxFrequencies);
  const int nB = std::min(m.nB, MaterialRecord::kMaxFluxDensities);
  if (nF < 2 || nB < 2) return;
  r.extrapolatedFrequency = F < m.table[1][0] || F > m.table[nF][0];
  r.extrapolatedFluxDensity = Bac < m.table[0][1] || Bac > m.table[0][nB];
}

// The loss at T, linear between the tables around it, lossOf(grid) the loss
// of one table; extrapolated when T lies outside them.
template <class LossOf>
double LossBetweenTables(const MaterialRecord& material, double T, LossOf lossOf, bool& extrapolated) {
  TableAt below, above;
  Bracket(material, T, below, above);
  extrapolated = !below.grid || !above.grid || !std::isfinite(T);
  if (!below.grid) below = above;
  if (!above.grid) above = below;
  if (!below.grid) return kNaN;  // a temperature that is no number
  const double lo = lossOf(below.grid);
  if (above.temperature_C == below.temperature_C) return lo;
  const double hi = lossOf(above.grid);
  const double share = (T - below.temperature_C) / (above.temperature_C - below.temperature_C);
  return lo + (hi - lo) * share;
}

}  // namespace

LossAtTemperature SpecificLossAt(const MaterialRecord& material, double F_kHz, double Bac_T, double temperature_C) {
  LossAtTemperature r;
  r.temperature_C = temperature_C;
  FlagOutsideGrid(material, F_kHz, Bac_T, r);
  r.Pv_mW_cm3 = LossBetweenTables(
      material, temperature_C,
      [&](const MaterialRecord::LossGrid* grid) { return SpecificLoss(*grid, material.nF, material.nB, F_kHz, Bac_T); },
      r.extrapolatedTemperature);
  return r;
}

LossOverTemperature::LossOverTemperature(const MaterialRecord& material, double F_kHz, double Bac_T)
    : material_(material), F_kHz_(F_kHz), Bac_T_(Bac_T) {}

double LossOverTemperature::At(double temperature_C) {
  auto lossOf = [this](const MaterialRecord::LossGrid* grid) {
    for (const auto& [known, loss] : known_)
      if (known == grid) return loss;
    known_.emplace_back(grid, SpecificLoss(*grid, material_.nF, material_.nB, F_kHz_, Bac_T_));
    return known_.back().second;
  };
  bool extrapolated = false;
  return LossBetweenTables(material_, temperature_C, lossOf, extrapolated);
}

ThermalState SettleTemperature(const LossFunction& lossesAt, double surface_mm2, double ambient_C, double giveUpAbove_C,
                               const LossFunction& lossFloorAt) {
  ThermalState s;
  s.ambient_C = ambient_C;
  // g(T) = ambient + rise(losses at T) - T: positive below the settled
  // temperature, negative above it.
  LossesAt last;
  auto excess = [&](double T) {
    ++s.passes;
    last = lossesAt(T);
    return ambient_C + TemperatureRise_K(last.core_W + last.copper_W, surface_mm2) - T;
  };
  // Where even the floor of the losses heats the choke past T, the scan goes
  // on without the full losses: a point it passes over all the same.
  auto surelyBelow = [&](double T) {
    if (!lossFloorAt) return false;
    const LossesAt floor = lossFloorAt(T);
    if (!(ambient_C + TemperatureRise_K(floor.core_W + floor.copper_W, surface_mm2) - T > kFloorMargin_K)) return false;
    ++s.passes;
    return true;
  };
  auto fail = [&s](bool runaway) {
    s.runaway = runaway;
    s.temperature_C = s.core_W = s.copper_W = s.total_W = s.rise_K = kNaN;
    return s;
  };
  if (!std::isfinite(ambient_C) || !(ambient_C < kSettleUpperTemperature)) return fail(false);
  double lo = ambient_C;
  // g at T as the scan sees it: true when T is at or past the solution.
  auto reached = [&](double T, bool& finite) {
    finite = true;
    if (surelyBelow(T)) return false;
    const double g = excess(T);
    finite = std::isfinite(g);
    return g <= 0;
  };
  bool finite = true;
  // The first solution above the ambient: a coarse scan for the first
  // change of sign, so that a loss curve with a minimum (ferrite near
  // 100 C) cannot lead the bisection to a hotter, unstable solution.
  double hi = lo;
  bool bracketed = reached(lo, finite);
  if (!finite) return fail(false);
  while (!bracketed && hi < kSettleUpperTemperature) {
    lo = hi;
    hi = std::fmin(hi + kSettleScanStep, kSettleUpperTemperature);
    bracketed = reached(hi, finite);
    if (!finite) return fail(false);
    if (!bracketed && hi >= giveUpAbove_C) return fail(true);
  }
  if (!bracketed) return fail(true);
  while (hi - lo > kSettleTolerance) {
    const double mid = 0.5 * (lo + hi);
    if (excess(mid) > 0) lo = mid;
    else hi = mid;
  }
  // The middle of the last bracket, within 0.1 K of the solution: the losses
  // are those at this temperature, and the rise is its distance from the
  // ambient (the rise relation gives it there to within the same 0.1 K).
  const double T = 0.5 * (lo + hi);
  excess(T);
  s.core_W = last.core_W;
  s.copper_W = last.copper_W;
  s.total_W = last.core_W + last.copper_W;
  s.temperature_C = T;
  s.rise_K = T - ambient_C;
  return s;
}

}  // namespace velmora::insight
