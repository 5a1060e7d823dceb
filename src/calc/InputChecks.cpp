// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/InputChecks.h"

#include <cmath>

#include "calc/Constants.h"

namespace velmora {

namespace {

using namespace constants;

bool Positive(double x) { return std::isfinite(x) && x > 0; }
bool NotNegative(double x) { return std::isfinite(x) && x >= 0; }

struct FaultText {
  InputFault fault;
  const char* key;
  const char* english;
};

// Keys and texts hold no "s" followed by a digit: the numbered sections'
// lookups run on into the word-keyed section.
constexpr FaultText kTexts[] = {
    {InputFault::Inductance, "checkInductance", "The inductance must be above 0."},
    {InputFault::NominalCurrent, "checkNominalCurrent", "The nominal output current must not be below 0."},
    {InputFault::MinimumCurrent, "checkMinimumCurrent", "The minimum output current must be above 0."},
    {InputFault::OutputVoltage, "checkOutputVoltage",
     "The DC output voltage must be 0 or more and below the pulse voltage amplitude."},
    {InputFault::VoltageOn, "checkVoltageOn", "The choke voltage with the switch on must not be below 0."},
    {InputFault::VoltageOff, "checkVoltageOff", "The choke voltage with the switch off must not be below 0."},
    {InputFault::VoltagesZero, "checkVoltagesZero", "The choke voltages with the switch on and off are both 0."},
    {InputFault::Frequency, "checkFrequency", "The frequency must be above 0."},
    {InputFault::CurrentDensity, "checkCurrentDensity", "The current density must be above 0."},
    {InputFault::GapLength, "checkGapLength",
     "The air gap must be shorter than a third of the core's mean magnetic path length (le)."},
    {InputFault::Gap, "checkGap", "This air gap gives the core no positive effective permeability."},
    {InputFault::InductanceFactor, "checkInductanceFactor", "The core inductance factor (AL) must be above 0."},
};

const FaultText& TextOf(InputFault fault) {
  for (const FaultText& t : kTexts)
    if (t.fault == fault) return t;
  return kTexts[0];
}

// The permeability the run computes from the user's gap or AL.
std::optional<InputFault> CheckGapOrAl(const ChokeInputs& in, double X, const ChokeContext& context) {
  const CoreRecord& core = context.core;
  if (in.gapMode() == GapMode::AlGiven) {
    const double AL = X / kThousand;
    const double mue = core.le / (kMu0 * core.Ae / AL / kThousand);
    return Positive(mue) ? std::nullopt : std::optional(InputFault::InductanceFactor);
  }
  if (!std::isfinite(X)) return InputFault::Gap;
  // The fringing factor 1 + X/sqrt(Ae)*ln(le/3/X) falls below 1 from le/3 on.
  if (X > 0 && X >= core.le / kFringePathDivisor) return InputFault::GapLength;
  const bool noData = IsNoDataMaterial(context.material.name, context.noDataName);
  const double mu = noData ? kNoDataPermeability : context.material.mu;
  const double g0 = noData || context.material.hasRollOff() ? 0.0 : core.le / core.mu - core.le / mu;
  return Positive(FiguresOfGap(X, core, mu, g0).mue) ? std::nullopt : std::optional(InputFault::Gap);
}

std::optional<InputFault> CheckVoltages(const ChokeInputs& in, const InputNumbers& v) {
  if (in.purpose() == Purpose::OutputChoke) {
    if (!(NotNegative(v.U2) && v.U2 < v.U1 && std::isfinite(v.U1))) return InputFault::OutputVoltage;
    return std::nullopt;
  }
  if (!NotNegative(v.U1)) return InputFault::VoltageOn;
  if (!NotNegative(v.U2)) return InputFault::VoltageOff;
  if (v.U1 == 0 && v.U2 == 0) return InputFault::VoltagesZero;
  return std::nullopt;
}

}  // namespace

std::optional<InputFault> CheckInputs(const ChokeInputs& in, const InputNumbers& v, const ChokeContext& context) {
  if (in.minimumCurrent() == MinimumCurrent::Unused && !Positive(v.L)) return InputFault::Inductance;
  if (!NotNegative(v.Inom)) return InputFault::NominalCurrent;
  if (in.minimumCurrent() == MinimumCurrent::SetsInductance && !Positive(v.Imin)) return InputFault::MinimumCurrent;
  if (const auto fault = CheckVoltages(in, v)) return fault;
  if (!Positive(v.F)) return InputFault::Frequency;
  if (!Positive(v.J)) return InputFault::CurrentDensity;
  return CheckGapOrAl(in, v.X, context);
}

const char* InputFaultKey(InputFault fault) { return TextOf(fault).key; }

const char* InputFaultEnglish(InputFault fault) { return TextOf(fault).english; }

}  // namespace velmora
