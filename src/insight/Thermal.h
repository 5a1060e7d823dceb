// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Core loss at a temperature from the material's tables over temperature, and
// the temperature at which a choke settles: core and winding at one
// temperature T with T = ambient + rise(core loss(T) + copper loss(T)).
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "data/MaterialRecord.h"

namespace velmora::insight {

// Specific loss at (F kHz, Bac T) and a temperature: the label's log-log
// interpolation in each table, linear in temperature between the two tables
// around it; outside the tables' range the nearest table, flagged.
struct LossAtTemperature {
  double Pv_mW_cm3 = 0;
  double temperature_C = 0;
  bool extrapolatedFrequency = false;
  bool extrapolatedFluxDensity = false;
  bool extrapolatedTemperature = false;
};
LossAtTemperature SpecificLossAt(const MaterialRecord& material, double F_kHz, double Bac_T, double temperature_C);

// The same loss at one (F, Bac) asked at many temperatures, as the settling
// asks it: each table's loss there is looked up once. At(T) is
// SpecificLossAt(material, F_kHz, Bac_T, T).Pv_mW_cm3, to the last bit.
class LossOverTemperature {
 public:
  LossOverTemperature(const MaterialRecord& material, double F_kHz, double Bac_T);
  double At(double temperature_C);

 private:
  const MaterialRecord& material_;
  double F_kHz_;
  double Bac_T_;
  std::vector<std::pair<const MaterialRecord::LossGrid*, double>> known_;  // by table
};

// The losses of the choke with core and winding at one temperature.
struct LossesAt {
  double core_W = 0;
  double copper_W = 0;
};
using LossFunction = std::function<LossesAt(double temperature_C)>;

// The settled state. temperature_C = ambient_C + rise_K; the losses are those
// at the temperature found (within the bisection's 0.1 K). With no solution
// up to the bisection's upper end the choke runs away: runaway, and every
// figure of the state NaN. Losses that are not finite give NaN figures too.
struct ThermalState {
  double ambient_C = 0;
  double temperature_C = 0;
  double core_W = 0;
  double copper_W = 0;
  double total_W = 0;
  double rise_K = 0;
  int passes = 0;  // temperatures examined: evaluations of the losses or their floor
  bool runaway = false;
};
// rise(P) is TemperatureRise_K over the outer surface (mm2). A search that
// only asks whether the rise stays within a limit gives giveUpAbove_C: once
// the scan finds the choke still heating at or above it, the solution lies
// above it too, and the state is returned as a runaway. lossFloorAt, when
// given, is cheap and never above lossesAt, and no number where lossesAt
// is none: a scan point where its rise alone lies above the point is passed
// over without lossesAt (and counted in passes as the point it is), the
// state found is the same.
ThermalState SettleTemperature(const LossFunction& lossesAt, double surface_mm2, double ambient_C,
                               double giveUpAbove_C = HUGE_VAL, const LossFunction& lossFloorAt = {});

}  // namespace velmora::insight
