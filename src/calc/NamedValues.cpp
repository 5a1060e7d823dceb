// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/NamedValues.h"

#include <cmath>

namespace velmora {

void NamedValues::Add(const char* name, double value, bool computed) {
  std::optional<double> v;
  if (ran_ && computed && std::isfinite(value)) v = value;
  out_.push_back({name, v});
}

void AddNamedSteps(const ChokeResults* results, NamedValues& b) {
  const ChokeResults none;
  const ChokeResults& r = results ? *results : none;
  const bool loss = !r.noData;
  const bool full = !r.Stopped();  // the run went past the ripple check
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
}

}  // namespace velmora
