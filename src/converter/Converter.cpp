// SPDX-License-Identifier: GPL-3.0-or-later
#include "converter/Converter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace velmora::converter {

namespace {

// 1/kHz is 1000 µs: with the on-time in µs, V·µs / µH gives amperes.
constexpr double kMicrosecondsPerMillisecond = 1000.0;
// Steps of the first sweep over the input range. The required inductance has
// at most one maximum inside the range (boost: near Vout/2 or 2·Vout/3), so
// 1000 steps bracket it; the refinement then finds it to rounding.
constexpr int kSweepSteps = 1000;
// Golden-section steps inside the bracket: each keeps 0.618 of it, so 80
// steps shrink two sweep steps below 1e-16 of themselves.
constexpr int kRefineSteps = 80;
const double kGoldenShare = (std::sqrt(5.0) - 1.0) / 2.0;

bool Positive(double value) { return value > 0 && std::isfinite(value); }

// Average inductor current at vin for an output current: a buck's choke
// carries the output current, a boost's the input current, an inverting
// buck-boost's the sum of both (charge balance of the two switch states).
double AverageCurrent(const ConverterSpec& spec, double vin, double iout) {
  const double inputCurrent = spec.vout * iout / (spec.efficiency * vin);
  switch (spec.topology) {
    case Topology::kBuck:
      return iout;
    case Topology::kBoost:
      return inputCurrent;
    case Topology::kBuckBoost:
      return inputCurrent + iout;
  }
  return iout;
}

// The larger required inductance inside [lo, hi], by golden-section search;
// the required inductance is taken to have one maximum there.
double RefineWorst(const ConverterSpec& spec, double lo, double hi) {
  double a = hi - kGoldenShare * (hi - lo);
  double b = lo + kGoldenShare * (hi - lo);
  double la = RequiredInductance(spec, a);
  double lb = RequiredInductance(spec, b);
  for (int i = 0; i < kRefineSteps; ++i) {
    if (la < lb) {
      lo = a;
      a = b;
      la = lb;
      b = lo + kGoldenShare * (hi - lo);
      lb = RequiredInductance(spec, b);
    } else {
      hi = b;
      b = a;
      lb = la;
      a = hi - kGoldenShare * (hi - lo);
      la = RequiredInductance(spec, a);
    }
  }
  return la < lb ? b : a;
}

SpecError CheckTopology(const ConverterSpec& spec) {
  if (spec.topology == Topology::kBuck && spec.vout >= spec.vinMin) return SpecError::kVoutNotBelow;
  if (spec.topology == Topology::kBoost && spec.vout <= spec.vinMax) return SpecError::kVoutNotAbove;
  // The duty cycle falls as the input voltage rises: the ends bound it.
  for (double vin : {spec.vinMin, spec.vinMax}) {
    const OperatingPoint p = PointAt(spec, vin, 1.0);
    if (!(p.duty > 0 && p.duty < 1) || !Positive(p.voltageOn) || !Positive(p.voltageOff))
      return SpecError::kDutyOutOfRange;
  }
  return SpecError::kNone;
}

}  // namespace

SpecError CheckSpec(const ConverterSpec& spec) {
  if (!Positive(spec.vinMin)) return SpecError::kVinMin;
  if (!(spec.vinMax >= spec.vinMin) || !std::isfinite(spec.vinMax)) return SpecError::kVinRange;
  if (!Positive(spec.vout)) return SpecError::kVout;
  if (!Positive(spec.iout)) return SpecError::kIout;
  if (spec.ioutMin && !(*spec.ioutMin >= 0 && *spec.ioutMin <= spec.iout)) return SpecError::kIoutMin;
  if (!Positive(spec.ripple)) return SpecError::kRipple;
  if (!Positive(spec.fsw_kHz)) return SpecError::kFrequency;
  if (!(spec.efficiency > 0 && spec.efficiency <= 1)) return SpecError::kEfficiency;
  if (!(spec.vsw >= 0 && spec.vd >= 0) || !std::isfinite(spec.vsw) || !std::isfinite(spec.vd)) return SpecError::kDrops;
  return CheckTopology(spec);
}

OperatingPoint PointAt(const ConverterSpec& spec, double vin, double inductance_uH) {
  OperatingPoint p;
  p.vin = vin;
  switch (spec.topology) {
    case Topology::kBuck:
      p.voltageOn = vin - spec.vsw - spec.vout;
      p.voltageOff = spec.vout + spec.vd;
      break;
    case Topology::kBoost:
      p.voltageOn = vin - spec.vsw;
      p.voltageOff = spec.vout + spec.vd - vin;
      break;
    case Topology::kBuckBoost:
      p.voltageOn = vin - spec.vsw;
      p.voltageOff = spec.vout + spec.vd;
      break;
  }
  // Volt-second balance of the choke: D·Von = (1 − D)·Voff.
  p.duty = p.voltageOff / (p.voltageOn + p.voltageOff);
  p.inductorCurrent = AverageCurrent(spec, vin, spec.iout);
  const double onTime_us = p.duty / spec.fsw_kHz * kMicrosecondsPerMillisecond;
  p.ripple = p.voltageOn * onTime_us / inductance_uH;
  p.peakCurrent = p.inductorCurrent + p.ripple / 2;
  return p;
}

double RippleTarget(const ConverterSpec& spec, double vin) {
  if (spec.rippleUnit == RippleUnit::kAmperes) return spec.ripple;
  return spec.ripple * AverageCurrent(spec, vin, spec.iout);
}

double RequiredInductance(const ConverterSpec& spec, double vin) {
  // With 1 µH the ripple in amperes is the volt-seconds in V·µs.
  return PointAt(spec, vin, 1.0).ripple / RippleTarget(spec, vin);
}

std::optional<double> LightLoadCurrent(const ConverterSpec& spec, double vin) {
  if (!spec.ioutMin) return std::nullopt;
  return AverageCurrent(spec, vin, *spec.ioutMin);
}

DesignResult DesignConverter(const ConverterSpec& spec) {
  DesignResult r;
  r.error = CheckSpec(spec);
  if (r.error != SpecError::kNone) return r;
  const double step = (spec.vinMax - spec.vinMin) / kSweepSteps;
  int best = 0;
  double bestL = RequiredInductance(spec, spec.vinMin);
  for (int i = 1; i <= kSweepSteps; ++i) {
    const double l = RequiredInductance(spec, spec.vinMin + i * step);
    if (l > bestL) {
      bestL = l;
      best = i;
    }
  }
  double worstVin = best == kSweepSteps ? spec.vinMax : spec.vinMin + best * step;
  // The maximum lies within a step of the best sample, an end included.
  if (step > 0) {
    const double refined =
        RefineWorst(spec, std::max(spec.vinMin, worstVin - step), std::min(spec.vinMax, worstVin + step));
    if (RequiredInductance(spec, refined) > bestL) worstVin = refined;
  }
  ConverterDesign& d = r.design;
  d.inductance_uH = RequiredInductance(spec, worstVin);
  d.atMin = PointAt(spec, spec.vinMin, d.inductance_uH);
  d.atMax = PointAt(spec, spec.vinMax, d.inductance_uH);
  d.worst = PointAt(spec, worstVin, d.inductance_uH);
  d.design = d.atMax.peakCurrent > d.atMin.peakCurrent ? d.atMax : d.atMin;
  return r;
}

const char* SpecErrorText(SpecError error) {
  switch (error) {
    case SpecError::kNone:
      return "";
    case SpecError::kVinMin:
      return "the minimum input voltage must be above 0";
    case SpecError::kVinRange:
      return "the maximum input voltage must not be below the minimum";
    case SpecError::kVout:
      return "the output voltage must be above 0";
    case SpecError::kIout:
      return "the output current must be above 0";
    case SpecError::kIoutMin:
      return "the light load must lie between 0 and the output current";
    case SpecError::kRipple:
      return "the ripple target must be above 0";
    case SpecError::kFrequency:
      return "the switching frequency must be above 0";
    case SpecError::kEfficiency:
      return "the efficiency must lie above 0 and up to 100 %";
    case SpecError::kDrops:
      return "the switch and diode drops must not be negative";
    case SpecError::kVoutNotBelow:
      return "a buck's output voltage must be below the minimum input voltage";
    case SpecError::kVoutNotAbove:
      return "a boost's output voltage must be above the maximum input voltage";
    case SpecError::kDutyOutOfRange:
      return "the duty cycle at an end of the input range lies outside (0, 1): the drops are too large";
  }
  return "";
}

const char* TopologyName(Topology topology) {
  switch (topology) {
    case Topology::kBuck:
      return "buck";
    case Topology::kBoost:
      return "boost";
    case Topology::kBuckBoost:
      return "buckboost";
  }
  return "";
}

std::optional<Topology> TopologyFromName(const char* name) {
  for (Topology t : {Topology::kBuck, Topology::kBoost, Topology::kBuckBoost})
    if (std::strcmp(name, TopologyName(t)) == 0) return t;
  return std::nullopt;
}

}  // namespace velmora::converter
