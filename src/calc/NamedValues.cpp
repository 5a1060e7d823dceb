// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/NamedValues.h"

#include <cmath>

#include "calc/Constants.h"

namespace velmora {

namespace {

using constants::kAwgMax;
using constants::kThousand;

// Adds name = value; the value only when `computed` and finite.
class Builder {
 public:
  explicit Builder(bool any) : any_(any) {}
  void Add(const char* name, double value, bool computed = true) {
    std::optional<double> v;
    if (any_ && computed && std::isfinite(value)) v = value;
    out_.push_back({name, v});
  }
  std::vector<NamedValue> Take() { return std::move(out_); }

 private:
  bool any_;
  std::vector<NamedValue> out_;
};

}  // namespace

std::vector<NamedValue> NamedResults(const ChokeResults* results) {
  const ChokeResults none;
  const ChokeResults& r = results ? *results : none;
  const bool loss = !r.noData;
  const bool full = !r.Stopped();  // the run went past the ripple check
  const bool gapMode = r.fields.yes_al == 0;
  const bool awg = r.fields.yes_AWG != 0 && r.wireIndex >= 0;
  // A run stopped by the input checks computed nothing.
  Builder b(results != nullptr && !r.stoppedByInputCheck);
  // The window's results.
  b.Add("requiredGap_mm", r.greq, full && gapMode);
  b.Add("requiredInductanceFactor_nH_per_turn2", r.ALreq * kThousand, full);
  b.Add("inductanceFactor_nH_per_turn2", r.AL * kThousand);
  b.Add("effectivePermeability", r.mue);
  b.Add("peakFluxDensity_T", r.Bpk);
  b.Add("fluxDensityLimit_T", r.Bm);
  b.Add("acFluxDensity_T", r.Bac);
  b.Add("coreLoss_W", r.Pcore, loss);
  b.Add("fillFactor", r.k, full);
  b.Add("inductance_uH", r.Lact);
  b.Add("turns", r.N);
  b.Add("wireDiameter_mm", r.d, full);
  b.Add("wireSize_AWG", kAwgMax - r.wireIndex, full && awg);
  b.Add("wires", r.n, full);
  b.Add("currentDensity_A_per_mm2", r.Jact, full);
  b.Add("peakCurrent_A", r.Ipk);
  b.Add("rippleCurrent_A", r.dI);
  // The steps between.
  b.Add("dutyCycle", r.D);
  b.Add("onTime_us", r.ton);
  b.Add("voltSeconds_Vus", r.VS);
  b.Add("designInductance_uH", r.L);
  b.Add("coreOwnGap_mm", r.g0);
  b.Add("fluxAmplitudeAtLossLimit_T", r.B1, loss);
  b.Add("fringingFactor", r.Ffr);
  b.Add("reluctanceLength_mm", r.R);
  b.Add("coreLossDensity_mW_per_cm3", r.Pv, loss);
  b.Add("requiredTurns", r.N2, full);
  b.Add("requiredInductance_uH", r.Lreq, full);
  b.Add("rmsCurrent_A", r.Irms, full);
  b.Add("copperSection_mm2", r.Scu, full);
  b.Add("wireSection_mm2", r.S1, full);
  b.Add("totalCopperSection_mm2", r.Stot, full);
  return b.Take();
}

std::vector<NamedValue> NamedInputs(const ChokeResults* results, const CoreRecord& core,
                                    const MaterialRecord& material) {
  const InputNumbers v = results ? results->read : InputNumbers{};
  const bool gapMode = results && results->fields.yes_al == 0;
  const bool awg = results && results->fields.yes_AWG != 0;
  Builder b(results != nullptr);
  b.Add("inductance_uH", v.L);
  b.Add("nominalCurrent_A", v.Inom);
  b.Add("minimumCurrent_A", v.Imin);
  b.Add("voltageSwitchOn_V", v.U1);
  b.Add("voltageSwitchOff_V", v.U2);
  b.Add("frequency_kHz", v.F);
  b.Add("currentDensity_A_per_mm2", v.J);
  b.Add("wireDiameter_mm", v.wire, !awg);
  b.Add("wireSize_AWG", v.wire, awg);
  b.Add("gap_mm", v.X, gapMode);
  b.Add("inductanceFactor_nH_per_turn2", v.X, !gapMode);
  b.Add("corePermeability", core.mu);
  b.Add("coreSection_mm2", core.Ae);
  b.Add("coreWindow_mm2", core.An);
  b.Add("corePathLength_mm", core.le);
  b.Add("coreVolume_cm3", core.Ve);
  // The no-data material's permeability is the run's own.
  b.Add("materialPermeability", results && results->noData ? results->mu : material.mu);
  b.Add("materialFluxDensityMax_T", material.Bmax);
  return b.Take();
}

}  // namespace velmora
