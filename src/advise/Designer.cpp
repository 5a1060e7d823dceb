// SPDX-License-Identifier: GPL-3.0-or-later
// One core with one material on the gap grid: the run at each gap, the
// pre-check, and the settling of the gaps it leaves a chance.
#include "advise/Designer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "calc/Constants.h"
#include "calc/CoreLoss.h"
#include "calc/Powder.h"
#include "insight/OperatingPoints.h"
#include "textfile/Numbers.h"

namespace velmora::advise {

namespace {

// Decimals of a gap step: the fewest that show it whole (0.01 -> 2, 0.005 -> 3).
constexpr int kMaxGapDecimals = 6;
// The required gap divided by the step may land a hair above a whole number
// by rounding alone (0.23 / 0.01 = 23.000000000000004); that hair is no reason
// for a step more.
constexpr double kStepSlack = 1e-9;
constexpr double kMmPerM = 1000.0;
// The converter's fields are typed to four significant digits: a point
// within a thousandth of the design's own duty, volt-seconds and current is
// its design point, and settles where it does to well within the 0.1 K of
// the settling.
constexpr double kSamePointShare = 1e-3;

// The converter's point that is the design's own run: the same duty,
// volt-seconds and current to kSamePointShare; none.
const insight::PointFigures* SamePoint(const ChokeResults& r, const std::vector<insight::PointFigures>& points) {
  auto near = [](double a, double b) { return std::fabs(a - b) <= kSamePointShare * std::fabs(b); };
  for (const insight::PointFigures& p : points)
    if (near(p.results.D, r.D) && near(p.results.VS, r.VS) && near(p.results.read.Inom, r.read.Inom)) return &p;
  return nullptr;
}
// The reasons more turns on a powder core may cure.
constexpr unsigned kCuredByTurns = kFluxAbovePermitted | kSpreadAbovePermitted;
// Whole numbers of the inductance field's last decimal up to here divide by
// its scale into the double nearest their decimal text (2^50: a thousandth
// of a microhenry keeps 12 bits to spare).
constexpr double kExactSteps = 1125899906842624.0;
// The turns search of a powder core ends here whatever the fill factor: no
// choke is wound with more.
constexpr double kMaxPowderTurns = 10000;

// A table whose frequency or flux density is no positive number (a text such
// as "nan" reads 0, an overflow infinity) or whose loss is not finite cannot
// be interpolated: the frequency check and every loss from it would mean nothing.
bool LossTableUsable(const MaterialRecord& material) {
  auto positive = [](double v) { return std::isfinite(v) && v > 0; };
  for (int c = 1; c <= material.nB; ++c)
    if (!positive(material.table[0][c])) return false;
  for (int r = 1; r <= material.nF; ++r) {
    if (!positive(material.table[r][0])) return false;
    for (int c = 1; c <= material.nB; ++c)
      if (!std::isfinite(material.table[r][c])) return false;
  }
  return true;
}

int DecimalsOf(double step) {
  double scaled = step;
  for (int d = 0; d < kMaxGapDecimals; ++d) {
    if (std::fabs(scaled - std::round(scaled)) < kStepSlack * std::max(1.0, scaled)) return d;
    scaled *= 10;
  }
  return kMaxGapDecimals;
}

double UsableStep(double step) { return std::isfinite(step) && step >= kMinGapStep ? step : kMinGapStep; }

// The number of steps that reach at least gap mm.
double StepsUp(double gap, double step) { return std::max(0.0, std::ceil(gap / step - kStepSlack)); }

// The gap of k steps as text with the step's decimals, rounded up in the last
// one, so that the text is never below the gap of the grid.
std::string GapText(double k, double step) {
  const int decimals = DecimalsOf(step);
  const double scale = std::pow(10.0, decimals);
  const double scaled = k * step * scale;
  return FormatFixed(std::ceil(scaled - kStepSlack * std::max(1.0, scaled)) / scale, decimals);
}

bool Finite(std::initializer_list<double> values) {
  for (double v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

void TakeFigures(const ChokeResults& r, Candidate& c) {
  c.turns = r.N;
  c.mue = r.mue;
  c.AL = r.AL * 1000.0;  // uH/turn2 -> nH/turn2
  c.Lact = r.Lact;
  c.Bpk = r.Bpk;
  c.Bm = r.Bm;
  c.Bac = r.Bac;
  c.Ipk = r.Ipk;
  c.dI = r.dI;
  c.coreLoss = r.Pcore;
  c.wireDiameter = r.d;
  c.wireIndex = r.wireIndex;
  c.wires = r.n;
  c.Jact = r.Jact;
  c.fill = r.k;
  c.Irms = r.Irms;
}

// The reasons of the failed and unevaluated checks.
unsigned ReasonsOf(const insight::DesignChecks& checks) {
  using insight::CheckId;
  static constexpr std::pair<CheckId, unsigned> kBits[] = {
      {CheckId::Ripple, kRippleStop},
      {CheckId::FluxNominal, kFluxAbovePermitted},
      {CheckId::FluxSpread, kSpreadAbovePermitted},
      {CheckId::Saturation, kSaturation},
      {CheckId::MinimumInductance, kBelowInductance},
      {CheckId::Fill, kOverfilled},
      {CheckId::Rise, kRiseAboveLimit},
      {CheckId::Runaway, kThermalRunaway},
      {CheckId::MinimumGap, kGapBelowMinimum},
      {CheckId::RingGap, kRingGapped},
  };
  unsigned reasons = kFeasible;
  for (const auto& [id, bit] : kBits)
    if (checks[id].passed && !*checks[id].passed) reasons |= bit;
  if (reasons == kFeasible && !checks.FullyChecked()) reasons |= kNotChecked;
  return reasons;
}

// The least rise the design can settle at. Core and winding settle at a
// temperature T at least the ambient, where the loss is at least the DC
// part of the copper loss at the ambient: the copper's resistance grows with
// T, the core loss and the ripple's AC loss are not negative, and a ripple
// within +-dI/2 has an RMS value squared of at most dI^2/4, whatever its
// waveform. The rise grows with the loss; the settling's bisection puts T
// within its tolerance of the solution, so the rise it reports is above this
// floor less that tolerance.
double RiseFloor_K(const ChokeResults& r, const CoreEntry& core, double ambient_C) {
  const double dc2 = std::fmax(0.0, r.Irms * r.Irms - r.dI * r.dI / 4);
  const double length_m = r.N * core.winding.mlt_mm / kMmPerM;
  const double ohms = insight::WireResistance(insight::CopperResistivity(ambient_C), length_m, r.n, r.S1);
  return insight::TemperatureRise_K(dc2 * ohms, core.winding.surface_mm2) - insight::constants::kSettleTolerance;
}

// kRippleStop when the ripple at one of the trial's points is above twice
// its current, as the ripple check there has it.
unsigned RippleStopAtPoints(const GapTrial& t, const insight::PointSetting& setting) {
  for (const insight::PointDemand& d : t.demands) {
    const ChokeResults q = insight::ResultsAtPoint(t.results, d, setting);
    if (q.stoppedByRipple && std::isfinite(q.dI) && std::isfinite(2 * q.read.Inom)) return kRippleStop;
  }
  return kFeasible;
}

}  // namespace

bool SaturationNeverRises(const MaterialRecord& material) {
  return !material.HasSaturationData() || material.Bsat25 >= material.Bmax;
}

std::string RoundGapUp(double greq, double step) {
  step = UsableStep(step);
  if (!(greq > 0)) return "0";
  return GapText(std::max(StepsUp(greq, step), 1.0), step);
}

std::string RaisedInductance(double required, double spread) { return RaisedInductanceField(required, spread).text; }

InductanceField RaisedInductanceField(double required, double spread) {
  const double L = required / (1 - spread);
  InductanceField field;
  if (!(spread < 1) || !std::isfinite(L) || !(L > 0)) {
    field.text = FormatFixed(required, kInductanceDecimals);
    field.value = ReadLeadingDouble(field.text);
    return field;
  }
  const double scale = std::pow(10.0, kInductanceDecimals);
  const double steps = std::ceil(L * scale - kStepSlack * std::max(1.0, L * scale));
  field.value = steps / scale;
  field.text = FormatFixed(field.value, kInductanceDecimals);
  // The quotient of a whole number of steps is the double nearest the
  // decimal the text shows, which is what reading the text gives; far above
  // any inductance the text is read.
  if (!(steps < kExactSteps)) field.value = ReadLeadingDouble(field.text);
  return field;
}

PowderTurns SearchPowderTurns(const RollOffFit& fit, double ALlow_uH, double L_uH, double I_A, double le_mm, double N0,
                              double maxTurns) {
  const double last = std::isfinite(maxTurns) ? std::min(maxTurns, kMaxPowderTurns) : kMaxPowderTurns;
  double previous = 0;
  for (double N = std::max(1.0, std::ceil(N0));; ++N) {
    if (N > last) return {N, kOverfilled};
    const double L = powder::InductanceUnderBias(fit, ALlow_uH, N, I_A, le_mm);
    if (L >= L_uH) return {N, kFeasible};
    if (!(L > previous)) return {N, kRollsOff};
    previous = L;
  }
}

std::string InductanceForTurns(double AL_uH, double N) {
  const double scale = std::pow(10.0, kInductanceDecimals);
  const double L = AL_uH * N * N * scale;
  return FormatFixed(std::floor(L + kStepSlack * std::max(1.0, L)) / scale, kInductanceDecimals);
}

Designer::Designer(const AdviseQuery& query, const AdviseData& data)
    : query_(query), data_(data), inputs_(query.inputs), numbers_(), step_(UsableStep(query.gapStep)) {
  inputs_.gapChoice = 0;  // the gap itself goes in as a number
  numbers_ = ReadInputNumbers(inputs_);
  gapInputs_ = inputs_;
  gapInputs_.us_Imin = 0;  // the inductance goes in as a number too
  options_.alTolerance = query.alTolerance;
  options_.alToleranceUngapped = query.alToleranceUngapped;
  options_.riseLimit_K = query.maxRise;
  options_.minGap_mm = query.minGap;
  options_.fluxMargin = query.fluxMargin;
  options_.saturationCurrent_A = query.saturationCurrent_A;
  options_.ambient_C = data.ambient_C;
  wire_ = ReadTypedWire(data.wires, inputs_.wireUnit() == WireUnit::Awg, inputs_.wireSize);
  wire_.areasAscending = SectionsAscending(data.wires);
  // The grid's gaps as their texts and the numbers those read as, once for
  // every pair.
  const double last = std::floor(kMaxGap / step_ + kStepSlack);
  for (double k = 0; k <= last; ++k) {
    grid_.push_back(k > 0 ? GapText(k, step_) : "0");
    gridValues_.push_back(ReadLeadingDouble(grid_.back()));
  }
}

bool Designer::Begin(const CoreEntry& core, const MaterialRecord& material, Candidate& c) {
  c = Candidate{};
  c.core = core.record.name;
  c.shape = core.shape;
  c.material = material.name;
  c.volume = core.record.Ve;
  c.riseLimit = options_.riseLimit_K;
  c.copperLoss = c.totalLoss = c.temperatureRise = c.temperature = c.BpkHigh = c.Llow = c.Bsat = c.Bsaturation =
      std::numeric_limits<double>::quiet_NaN();
  if (!LossTableUsable(material)) {
    c.reasons = kLossTableUnusable;
    return false;
  }
  if (numbers_.F > material.LastFrequency()) {
    c.reasons = kFrequencyAboveTable;
    return false;
  }
  B1_ = FluxAmplitudeAtLossLimit(material, numbers_.F, data_.lossLimit);
  const ChokeContext context = ContextOf(core, material);
  InputNumbers numbers = numbers_;
  numbers.X = 0;
  const ChokeResults first = CalculateFigures(inputs_, numbers, context);
  c.requiredInductance = std::isfinite(query_.requiredInductance_uH) && query_.requiredInductance_uH > 0
                             ? query_.requiredInductance_uH
                             : first.L;
  options_.requiredInductance_uH = c.requiredInductance;
  mu_ = first.mu;
  g0_ = first.g0;
  AL0_ = first.AL;
  Stot0_ = first.Stot;
  if (first.stoppedByRipple || !std::isfinite(first.greq)) {
    TakeFigures(first, c);
    c.reasons = first.stoppedByRipple ? kRippleStop : kNotFinite;
    return false;
  }
  // A ferrite ring is not sold gapped: its own permeability only. Gap 0 is
  // for rings only: every other core gets one step at least.
  start_ = core.shape == kShapeR ? 0 : std::max({StepsUp(first.greq, step_), StepsUp(query_.minGap, step_), 1.0});
  return true;
}

Candidate Designer::DesignPowder(const CoreEntry& core, const MaterialRecord& material) {
  Candidate c;
  if (!Begin(core, material, c)) return c;
  // The zero-bias turns: the required inductance at the low end of the
  // maker's tolerance, ungapped.
  const double spread = insight::UngappedSpread(material, options_);
  const double N0 = RoundUp(std::sqrt(ReadLeadingDouble(RaisedInductance(c.requiredInductance, spread)) / AL0_));
  // The winding's section is that of the first run, whose ripple is the
  // largest; should the turns it allows be too few, the section of the
  // design found allows more.
  double Stot = Stot0_;
  // An infeasible design's reasons are read only when it is listed.
  const Reading reading = query_.infeasibleSettled ? Reading::Every : Reading::Turns;
  PowderTurns found;
  GapTrial t;
  for (int pass = 0; pass < 2; ++pass) {
    found = SearchPowderTurns(material.powder.rollOff, AL0_ * (1 - spread), c.requiredInductance, numbers_.Inom,
                              core.record.le, N0, std::floor(constants::kFillFactorLimit * core.record.An / Stot));
    t = Try(c, 0, InductanceForTurns(AL0_, found.turns), core, material, reading);
    if (!(found.reasons & kOverfilled) || (t.early & kOverfilled) || !(t.results.Stot < Stot)) break;
    Stot = t.results.Stot;
  }
  // The ripple's flux density falls with each turn added (the permitted peak
  // rises with the inductance): a design held back by it alone is tried with
  // more turns, up to the fill factor's limit.
  while (found.reasons == kFeasible && t.early != kFeasible && !(t.early & ~kCuredByTurns) &&
         t.results.N < kMaxPowderTurns)
    t = Try(c, 0, InductanceForTurns(AL0_, t.results.N + 1), core, material, reading);
  t.early |= found.reasons;
  if (t.early != kFeasible && !query_.infeasibleSettled) {
    Candidate unsettled = std::move(t.candidate);
    unsettled.reasons = t.early;
    return unsettled;
  }
  Candidate full = Settle(std::move(t), core, material);
  full.reasons |= found.reasons;
  return full;
}

Candidate Designer::Design(const CoreEntry& core, const MaterialRecord& material) {
  if (material.hasRollOff()) return DesignPowder(core, material);
  Candidate c;
  if (!Begin(core, material, c)) return c;
  GapTrial required = Try(c, start_, core, material);
  const double last = std::floor(kMaxGap / step_ + kStepSlack);
  // The search ends at kMaxGap: a gap the flux needs beyond it is no design
  // of the search. More gap only adds turns to a window already too full.
  const bool searched = core.shape != kShapeR && start_ <= last && !(required.early & (kOverfilled | kRippleStop));
  std::optional<Candidate> settled;
  if (required.early == kFeasible || !searched) {
    settled = Settle(required, core, material);
    if (start_ > last && core.shape != kShapeR) settled->reasons |= kGapPastSearch;
    if (settled->feasible() || !searched) return std::move(*settled);
  }
  for (double k = start_ + 1; k <= last; ++k) {
    GapTrial next = Try(c, k, core, material, Reading::Search);
    if (next.early & (kOverfilled | kRippleStop)) break;
    if (next.early != kFeasible) continue;
    Candidate full = Settle(std::move(next), core, material, false);
    if (full.feasible()) return full;
  }
  // No gap passes: the design at the required gap, with its reasons.
  if (settled) return std::move(*settled);
  if (query_.infeasibleSettled) return Settle(std::move(required), core, material);
  Candidate unsettled = std::move(required.candidate);
  unsettled.reasons = required.early;
  return unsettled;
}

GapTrial Designer::Try(const Candidate& base, double k, const CoreEntry& core, const MaterialRecord& material,
                       Reading reading) const {
  const auto at = static_cast<std::size_t>(k);
  const bool onGrid = k >= 0 && at < grid_.size();
  const double gap = onGrid ? gridValues_[at] : ReadLeadingDouble(GapText(k, step_));
  // The inductance field at the gap: the required inductance over the low
  // end of the gap's spread, rounded up to the field's decimals; the spread
  // is the worst case's too.
  const double spread = insight::GapSpread(gap, core.record, mu_, g0_, options_);
  return TryAt(base, k, RaisedInductanceField(options_.requiredInductance_uH, spread), spread, core, material, reading);
}

GapTrial Designer::Try(const Candidate& base, double k, const std::string& inductance, const CoreEntry& core,
                       const MaterialRecord& material, Reading reading) const {
  return TryAt(base, k, {inductance, ReadLeadingDouble(inductance)}, insight::constants::kNaN, core, material, reading);
}

GapTrial Designer::TryAt(const Candidate& base, double k, InductanceField inductance, double gapSpread,
                         const CoreEntry& core, const MaterialRecord& material, Reading reading) const {
  GapTrial t{base, {}, {}, kFeasible, {}, {}, {}};
  Candidate& c = t.candidate;
  const auto at = static_cast<std::size_t>(k);
  const bool onGrid = k >= 0 && at < grid_.size();
  c.gapText = onGrid ? grid_[at] : GapText(k, step_);
  c.gap = onGrid ? gridValues_[at] : ReadLeadingDouble(c.gapText);
  c.inductanceText = std::move(inductance.text);
  InputNumbers numbers = numbers_;
  numbers.X = c.gap;
  numbers.L = inductance.value;
  const ChokeContext context = ContextOf(core, material);
  t.results = CalculateFigures(gapInputs_, numbers, context);
  TakeFigures(t.results, c);
  if (t.results.stoppedByRipple) {
    c.reasons = t.early = kRippleStop;
    return t;
  }
  t.spread = insight::WorstCaseOf(true, context, t.results, options_, gapSpread);
  c.BpkHigh = t.spread.Bpk_T.max;
  c.tolerance = t.spread.tolerance;
  c.Llow = t.spread.L_uH.min;
  // A converter's design is judged at its points, as calc judges it.
  if (query_.points) t.demands = query_.points(t.results.Lact);
  t.early = PreCheck(t, core, material, reading);
  return t;
}

// The checks that need no settled temperature, the saturation at the
// ambient (where Bsat is highest, when it never rises with temperature), and
// the floor of the rise.
unsigned Designer::PreCheck(GapTrial& t, const CoreEntry& core, const MaterialRecord& material, Reading reading) const {
  insight::CheckFacts facts{t.results, t.spread, material};
  facts.Ae_mm2 = core.record.Ae;
  facts.le_mm = core.record.le;
  facts.ring = core.shape == kShapeR;
  const double floor = t.results.wireIndex >= 0 ? RiseFloor_K(t.results, core, data_.ambient_C) : 0.0;
  insight::OperatingState state;
  state.thermal.temperature_C = data_.ambient_C + (floor > 0 ? floor : 0.0);
  facts.operating = &state;
  const insight::DesignChecks nominal = insight::EvaluateChecks(facts, options_);
  t.powderPeakFlux_T = nominal.powderPeakFlux_T;
  auto reasonsOf = [&](const insight::DesignChecks& checks) {
    unsigned early = ReasonsOf(checks);
    if (!SaturationNeverRises(material)) early &= ~static_cast<unsigned>(kSaturation);
    if (floor > options_.riseLimit_K) early |= kRiseAboveLimit;
    return early;
  };
  if (t.demands.empty()) return reasonsOf(nominal);
  const insight::PointSetting setting{
      {core.record, material, data_.wires, data_.lossLimit}, core.winding, numbers_.F, WireOuter(t.results), true};
  const std::size_t n = t.demands.size();
  std::vector<insight::PointFigures> points(n);
  t.pointPowderFlux_T.assign(n, insight::constants::kNaN);
  // Unless every reason is read, the points go from the highest current
  // down, where a design is likeliest to fail; a reason found at one point
  // stays whatever the others hold (the combined check is the worst point's).
  const bool searching = reading == Reading::Search;
  const unsigned ends = reading == Reading::Search ? ~0u : reading == Reading::Turns ? ~kCuredByTurns : 0u;
  std::vector<std::size_t> order(n);
  for (std::size_t i = 0; i < n; ++i) order[i] = i;
  if (ends)
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return t.demands[a].current_A > t.demands[b].current_A; });
  std::vector<insight::PointFigures> done;
  for (const std::size_t i : order) {
    if (searching) {
      // A search may hold each point to the floor of its own rise as the
      // design to its own: the point surely settles no cooler.
      const ChokeResults q = insight::ResultsAtPoint(t.results, t.demands[i], setting);
      const double pointFloor = q.wireIndex >= 0 && !q.Stopped() ? RiseFloor_K(q, core, data_.ambient_C) : 0.0;
      if (pointFloor > options_.riseLimit_K)
        return reasonsOf(nominal) | kRiseAboveLimit | RippleStopAtPoints(t, setting);
      points[i].checks = insight::QuickChecksAtPoint(t.results, t.demands[i], setting, options_,
                                                     data_.ambient_C + std::fmax(pointFloor, 0.0));
    } else {
      points[i].checks = insight::QuickChecksAtPoint(t.results, t.demands[i], setting, options_);
    }
    t.pointPowderFlux_T[i] = points[i].checks.powderPeakFlux_T;
    if (!ends || done.size() + 1 == n) continue;
    done.push_back(points[i]);
    if (const unsigned early = reasonsOf(insight::CombineChecks(nominal, done)); early & ends)
      return searching ? early | RippleStopAtPoints(t, setting) : early;
  }
  return reasonsOf(insight::CombineChecks(nominal, points));
}

ChokeContext Designer::ContextOf(const CoreEntry& core, const MaterialRecord& material) const {
  ChokeContext context{core.record, material, data_.wires, data_.lossLimit};
  context.knownB1 = &B1_;
  context.knownWire = &wire_;
  return context;
}

double Designer::WireOuter(const ChokeResults& r) const {
  return r.wireIndex >= 0 ? data_.wires.entries[r.wireIndex].diz : r.d;
}

Candidate Designer::Settle(GapTrial t, const CoreEntry& core, const MaterialRecord& material, bool figures) const {
  Candidate c = std::move(t.candidate);
  const ChokeResults& r = t.results;
  if (r.stoppedByRipple) return c;
  // Each of a converter's points settled in turn; unless figures are wanted,
  // the first that fails ends the design.
  const insight::PointSetting setting{
      {core.record, material, data_.wires, data_.lossLimit}, core.winding, numbers_.F, WireOuter(r), true};
  std::vector<insight::PointFigures> points;
  for (std::size_t i = 0; i < t.demands.size(); ++i) {
    ++settlings_;
    const double known = i < t.pointPowderFlux_T.size() ? t.pointPowderFlux_T[i] : insight::constants::kNaN;
    points.push_back(insight::EvaluatePoint(r, t.demands[i], setting, options_, known));
    if (!figures && points.back().checks.Failed() > 0) {
      c.reasons = ReasonsOf(points.back().checks);
      return c;
    }
  }
  insight::CheckFacts facts{r, t.spread, material};
  facts.Ae_mm2 = core.record.Ae;
  facts.le_mm = core.record.le;
  facts.powderPeakFlux_T = t.powderPeakFlux_T;
  facts.ring = core.shape == kShapeR;
  insight::OperatingState state;
  if (r.wireIndex >= 0) {
    // The design point is one of the converter's points (to the rounding of
    // the typed fields): its settled state is that point's.
    const insight::PointFigures* same = SamePoint(r, points);
    if (!same) ++settlings_;
    // Without figures only a design that passes counts: the settling may
    // stop once the rise is past its limit (by more than the bisection's
    // tolerance, so that the middle of its last bracket is past it too).
    const double giveUp = figures || !std::isfinite(options_.riseLimit_K)
                              ? HUGE_VAL
                              : data_.ambient_C + options_.riseLimit_K + insight::constants::kSettleTolerance;
    state = same ? same->operating
                 : insight::SettleDesign(r, material, core.record.Ve, core.winding, numbers_.F, data_.ambient_C,
                                         WireOuter(r), giveUp);
    facts.operating = &state;
    c.copperLoss = state.thermal.copper_W;
    c.totalLoss = state.thermal.total_W;
    c.temperatureRise = state.thermal.rise_K;
    c.temperature = state.thermal.temperature_C;
  }
  insight::DesignChecks checks = insight::EvaluateChecks(facts, options_);
  if (!points.empty()) checks = insight::CombineChecks(checks, points);
  c.Llow = checks[insight::CheckId::MinimumInductance].value;
  c.Bsaturation = checks[insight::CheckId::Saturation].value;
  c.Bsat = checks[insight::CheckId::Saturation].limit;
  c.reasons = ReasonsOf(checks);
  // A choke that runs away has no settled figures: that is its reason.
  const bool settled = !(c.reasons & kThermalRunaway);
  if (!Finite({c.turns, c.mue, c.AL, c.Bpk, c.Bac, c.coreLoss, c.wireDiameter, c.wires, c.fill, c.BpkHigh}) ||
      (settled && !Finite({c.totalLoss, c.temperatureRise})))
    c.reasons |= kNotFinite;
  return c;
}

}  // namespace velmora::advise
