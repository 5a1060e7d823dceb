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
double AverageCurrent(const ConverterRequest& request, double vin, double iout) {
  const double inputCurrent = request.vout * iout / (request.efficiency * vin);
  switch (request.topology) {
    case Topology::kBuck:
      return iout;
    case Topology::kBoost:
      return inputCurrent;
    case Topology::kBuckBoost:
      return inputCurrent + iout;
  }
  return iout;
}

// The larger value of f inside [lo, hi], by golden-section search; f is
// taken to have one maximum there.
template <class F>
double RefineMaximum(const F& f, double lo, double hi) {
  double a = hi - kGoldenShare * (hi - lo);
  double b = lo + kGoldenShare * (hi - lo);
  double fa = f(a);
  double fb = f(b);
  for (int i = 0; i < kRefineSteps; ++i) {
    if (fa < fb) {
      lo = a;
      a = b;
      fa = fb;
      b = lo + kGoldenShare * (hi - lo);
      fb = f(b);
    } else {
      hi = b;
      b = a;
      fb = fa;
      a = hi - kGoldenShare * (hi - lo);
      fa = f(a);
    }
  }
  return fa < fb ? b : a;
}

// The input voltage where f is largest over the request's range: the best of
// kSweepSteps samples, refined within a step of it.
template <class F>
double ArgMaxOverRange(const ConverterRequest& request, const F& f) {
  const double step = (request.vinMax - request.vinMin) / kSweepSteps;
  int best = 0;
  double bestValue = f(request.vinMin);
  for (int i = 1; i <= kSweepSteps; ++i) {
    const double v = f(request.vinMin + i * step);
    if (v > bestValue) {
      bestValue = v;
      best = i;
    }
  }
  double at = best == kSweepSteps ? request.vinMax : request.vinMin + best * step;
  // The maximum lies within a step of the best sample, an end included.
  if (step > 0) {
    const double refined = RefineMaximum(f, std::max(request.vinMin, at - step), std::min(request.vinMax, at + step));
    if (f(refined) > bestValue) at = refined;
  }
  return at;
}

// The ripple at most kMaxRippleShare of the average inductor current at both
// ends of the input range (a share directly; amperes against each end's
// current, with an efficiency not yet checked taken as 1).
bool RippleWithinShare(const ConverterRequest& request) {
  if (request.rippleUnit == RippleUnit::kShare) return request.ripple <= kMaxRippleShare;
  ConverterRequest lossless = request;
  if (!(lossless.efficiency > 0 && lossless.efficiency <= 1)) lossless.efficiency = 1;
  for (const double vin : {request.vinMin, request.vinMax})
    if (!(request.ripple <= kMaxRippleShare * AverageCurrent(lossless, vin, request.iout))) return false;
  return true;
}

RequestError CheckTopology(const ConverterRequest& request) {
  if (request.topology == Topology::kBuck && request.vout >= request.vinMin) return RequestError::kVoutNotBelow;
  if (request.topology == Topology::kBoost && request.vout <= request.vinMax) return RequestError::kVoutNotAbove;
  // The duty cycle falls as the input voltage rises: the ends bound it.
  for (double vin : {request.vinMin, request.vinMax}) {
    const OperatingPoint p = PointAt(request, vin, 1.0);
    if (!(p.duty > 0 && p.duty < 1) || !Positive(p.voltageOn) || !Positive(p.voltageOff))
      return RequestError::kDutyOutOfRange;
  }
  return RequestError::kNone;
}

}  // namespace

RequestError CheckRequest(const ConverterRequest& request) {
  if (!Positive(request.vinMin) || request.vinMin > kMaxVoltage_V) return RequestError::kVinMin;
  if (!(request.vinMax >= request.vinMin && request.vinMax <= kMaxVoltage_V)) return RequestError::kVinRange;
  if (!Positive(request.vout) || request.vout > kMaxVoltage_V) return RequestError::kVout;
  if (!Positive(request.iout) || request.iout > kMaxCurrent_A) return RequestError::kIout;
  if (request.ioutMin && !(*request.ioutMin >= 0 && *request.ioutMin <= request.iout)) return RequestError::kIoutMin;
  if (!Positive(request.ripple) || !RippleWithinShare(request)) return RequestError::kRipple;
  if (!(request.fsw_kHz >= kMinFrequency_kHz && request.fsw_kHz <= kMaxFrequency_kHz)) return RequestError::kFrequency;
  if (!(request.efficiency > 0 && request.efficiency <= 1)) return RequestError::kEfficiency;
  if (!(request.vsw >= 0 && request.vsw <= kMaxVoltage_V && request.vd >= 0 && request.vd <= kMaxVoltage_V))
    return RequestError::kDrops;
  return CheckTopology(request);
}

OperatingPoint PointAt(const ConverterRequest& request, double vin, double inductance_uH) {
  OperatingPoint p;
  p.vin = vin;
  switch (request.topology) {
    case Topology::kBuck:
      p.voltageOn = vin - request.vsw - request.vout;
      p.voltageOff = request.vout + request.vd;
      break;
    case Topology::kBoost:
      p.voltageOn = vin - request.vsw;
      p.voltageOff = request.vout + request.vd - vin;
      break;
    case Topology::kBuckBoost:
      p.voltageOn = vin - request.vsw;
      p.voltageOff = request.vout + request.vd;
      break;
  }
  // Volt-second balance of the choke: D·Von = (1 − D)·Voff.
  p.duty = p.voltageOff / (p.voltageOn + p.voltageOff);
  p.inductorCurrent = AverageCurrent(request, vin, request.iout);
  const double onTime_us = p.duty / request.fsw_kHz * kMicrosecondsPerMillisecond;
  p.ripple = p.voltageOn * onTime_us / inductance_uH;
  p.peakCurrent = p.inductorCurrent + p.ripple / 2;
  return p;
}

double RippleTarget(const ConverterRequest& request, double vin) {
  if (request.rippleUnit == RippleUnit::kAmperes) return request.ripple;
  return request.ripple * AverageCurrent(request, vin, request.iout);
}

double RequiredInductance(const ConverterRequest& request, double vin) {
  // With 1 µH the ripple in amperes is the volt-seconds in V·µs.
  return PointAt(request, vin, 1.0).ripple / RippleTarget(request, vin);
}

std::optional<double> LightLoadCurrent(const ConverterRequest& request, double vin) {
  if (!request.ioutMin) return std::nullopt;
  return AverageCurrent(request, vin, *request.ioutMin);
}

DesignResult DesignConverter(const ConverterRequest& request) {
  DesignResult r;
  r.error = CheckRequest(request);
  if (r.error != RequestError::kNone) return r;
  const double worstVin = ArgMaxOverRange(request, [&request](double vin) { return RequiredInductance(request, vin); });
  ConverterDesign& d = r.design;
  d.inductance_uH = RequiredInductance(request, worstVin);
  d.atMin = PointAt(request, request.vinMin, d.inductance_uH);
  d.atMax = PointAt(request, request.vinMax, d.inductance_uH);
  d.worst = PointAt(request, worstVin, d.inductance_uH);
  d.design = d.atMax.peakCurrent > d.atMin.peakCurrent ? d.atMax : d.atMin;
  return r;
}

PointPlanner::PointPlanner(const ConverterRequest& request)
    : request_(request), valid_(CheckRequest(request) == RequestError::kNone) {
  if (!valid_) return;
  const double step = (request.vinMax - request.vinMin) / kSweepSteps;
  for (int i = 0; i <= kSweepSteps; ++i) {
    const OperatingPoint p = PointAt(request, i == kSweepSteps ? request.vinMax : request.vinMin + i * step, 1.0);
    current_.push_back(p.inductorCurrent);
    ripple1_.push_back(p.ripple);
  }
  for (std::size_t first = 1; first < current_.size(); first += kBlock) {
    const std::size_t end = std::min(current_.size(), first + kBlock);
    double current = -HUGE_VAL, ripple = -HUGE_VAL;
    for (std::size_t i = first; i < end; ++i) {
      current = std::fmax(current, current_[i]);
      ripple = std::fmax(ripple, ripple1_[i]);
    }
    blockCurrent_.push_back(current);
    blockRipple_.push_back(ripple);
  }
  largestRipple_ = ArgMaxOverRange(request, [&request](double vin) { return PointAt(request, vin, 1.0).ripple; });
}

std::vector<RolePoint> PointPlanner::At(double inductance_uH) const {
  std::vector<RolePoint> points;
  if (!valid_ || !Positive(inductance_uH)) return points;
  const ConverterRequest& request = request_;
  auto at = [&](double vin) { return PointAt(request, vin, inductance_uH); };
  // The highest peak current: the best sample of the sweep, refined within a
  // step of it (as ArgMaxOverRange, on the samples kept).
  const double step = (request.vinMax - request.vinMin) / kSweepSteps;
  // Compared as 2·L·I + ΔI(1 µH): the same order, no division.
  const double twiceL = 2 * inductance_uH;
  std::size_t best = 0;
  double bestValue = twiceL * current_[0] + ripple1_[0];
  for (std::size_t b = 0; b < blockCurrent_.size(); ++b) {
    // No sample of a block lies above 2·L times its largest current plus its
    // largest ripple (rounding keeps the order): a block whose bound is not
    // above the best so far holds no better sample.
    if (twiceL * blockCurrent_[b] + blockRipple_[b] <= bestValue) continue;
    const std::size_t first = 1 + b * kBlock;
    for (std::size_t i = first; i < std::min(current_.size(), first + kBlock); ++i)
      if (const double v = twiceL * current_[i] + ripple1_[i]; v > bestValue) {
        bestValue = v;
        best = i;
      }
  }
  double current = best == current_.size() - 1 ? request.vinMax : request.vinMin + static_cast<double>(best) * step;
  if (step > 0) {
    auto peak = [&](double vin) { return at(vin).peakCurrent; };
    const double refined =
        RefineMaximum(peak, std::max(request.vinMin, current - step), std::min(request.vinMax, current + step));
    if (peak(refined) > peak(current)) current = refined;
  }
  const double same = kSamePoint * (request.vinMax - request.vinMin);
  auto add = [&](unsigned role, double vin) {
    for (RolePoint& p : points)
      if (std::fabs(p.point.vin - vin) <= same) {
        p.roles |= role;
        return;
      }
    points.push_back({role, at(vin)});
  };
  add(kLowEnd, request.vinMin);
  add(kHighEnd, request.vinMax);
  add(kLargestRipple, largestRipple_);
  add(kHighestCurrent, current);
  std::sort(points.begin(), points.end(),
            [](const RolePoint& a, const RolePoint& b) { return a.point.vin < b.point.vin; });
  return points;
}

std::vector<RolePoint> EvaluationPoints(const ConverterRequest& request, double inductance_uH) {
  return PointPlanner(request).At(inductance_uH);
}

const char* RequestErrorText(RequestError error) {
  switch (error) {
    case RequestError::kNone:
      return "";
    case RequestError::kVinMin:
      return "the minimum input voltage must be above 0 and at most 100 kV";
    case RequestError::kVinRange:
      return "the maximum input voltage must not be below the minimum nor above 100 kV";
    case RequestError::kVout:
      return "the output voltage must be above 0 and at most 100 kV";
    case RequestError::kIout:
      return "the output current must be above 0 and at most 100 kA";
    case RequestError::kIoutMin:
      return "the light load must lie between 0 and the output current";
    case RequestError::kRipple:
      return "the ripple target must be above 0 and at most 200 % of the average inductor current";
    case RequestError::kFrequency:
      return "the switching frequency must lie from 1 Hz to 100 MHz";
    case RequestError::kEfficiency:
      return "the efficiency must lie above 0 and up to 100 %";
    case RequestError::kDrops:
      return "the switch and diode drops must lie from 0 to 100 kV";
    case RequestError::kVoutNotBelow:
      return "a buck's output voltage must be below the minimum input voltage";
    case RequestError::kVoutNotAbove:
      return "a boost's output voltage must be above the maximum input voltage";
    case RequestError::kDutyOutOfRange:
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
