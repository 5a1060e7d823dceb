// SPDX-License-Identifier: GPL-3.0-or-later
#include "advise/Advise.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

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
// The progress callback hears of the sweep every this many candidates: often
// enough for a progress bar, rarely enough to cost nothing.
constexpr std::size_t kProgressEvery = 256;
// The converter's fields are typed to four significant digits: a point
// within a thousandth of the design's own duty, volt-seconds and current is
// its design point, and settles where it does to well within the 0.1 K of
// the settling.
constexpr double kSamePointShare = 1e-3;

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

// The selected materials and cores of a query.
std::vector<const MaterialRecord*> MaterialsOf(const AdviseQuery& query, const AdviseData& data) {
  std::vector<const MaterialRecord*> list;
  for (const MaterialRecord& m : data.materials)
    if (query.material.empty() || m.name == query.material) list.push_back(&m);
  return list;
}

std::vector<const CoreEntry*> CoresOf(const AdviseQuery& query, const AdviseData& data) {
  std::vector<const CoreEntry*> list;
  for (const CoreEntry& c : data.cores)
    if (query.shape < 0 || c.shape == query.shape) list.push_back(&c);
  return list;
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

// One core with one material: the required gap from a run in gap mode, then
// the first gap of the grid from there that passes every check.
class Designer {
 public:
  Designer(const AdviseQuery& query, const AdviseData& data)
      : query_(query), data_(data), inputs_(query.inputs), numbers_(), step_(UsableStep(query.gapStep)) {
    inputs_.yes_al = 0;  // the gap itself goes in as a number
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
  }

  Candidate Design(const CoreEntry& core, MaterialRecord& material) {
    Candidate c;
    c.core = core.record.name;
    c.shape = core.shape;
    c.material = material.name;
    c.volume = core.record.Ve;
    c.copperLoss = c.totalLoss = c.temperatureRise = c.temperature = c.BpkHigh = c.Llow = c.Bsat = c.Bsaturation =
        std::numeric_limits<double>::quiet_NaN();
    if (!LossTableUsable(material)) {
      c.reasons = kLossTableUnusable;
      return c;
    }
    if (numbers_.F > material.LastFrequency()) {
      c.reasons = kFrequencyAboveTable;
      return c;
    }
    const ChokeContext context{core.record, material, data_.wires, data_.lossLimit};
    InputNumbers numbers = numbers_;
    numbers.X = 0;
    const ChokeResults first = CalculateFigures(inputs_, numbers, context);
    c.requiredInductance = std::isfinite(query_.requiredInductance_uH) && query_.requiredInductance_uH > 0
                               ? query_.requiredInductance_uH
                               : first.L;
    options_.requiredInductance_uH = c.requiredInductance;
    mu_ = first.mu;
    g0_ = first.g0;
    if (first.stoppedByRipple || !std::isfinite(first.greq)) {
      TakeFigures(first, c);
      c.reasons = first.stoppedByRipple ? kRippleStop : kNotFinite;
      return c;
    }
    // A ferrite ring is not sold gapped: its own permeability only.
    if (core.shape == kShapeR) return At(c, 0, core, context, true);
    // Gap 0 is for rings only: every other core gets one step at least.
    const double start = std::max({StepsUp(first.greq, step_), StepsUp(query_.minGap, step_), 1.0});
    const double last = std::floor(kMaxGap / step_ + kStepSlack);
    Candidate required = At(c, start, core, context, true);
    // The search ends at kMaxGap: a gap the flux needs beyond it is no design of the search.
    if (start > last) required.reasons |= kGapPastSearch;
    if (required.feasible() || required.reasons & (kOverfilled | kRippleStop | kGapPastSearch)) return required;
    for (double k = start + 1; k <= last; ++k) {
      Candidate next = At(c, k, core, context, false);
      // More gap only adds turns to a window already too full.
      if (next.feasible() || next.reasons & (kOverfilled | kRippleStop)) return next.feasible() ? next : required;
    }
    return required;
  }

 private:
  // The inductance field at a gap: the required inductance over the low end
  // of the gap's spread, rounded up to the field's decimals.
  std::string InductanceAt(double gap, const CoreRecord& core) const {
    return RaisedInductance(options_.requiredInductance_uH, insight::GapSpread(gap, core, mu_, g0_, options_));
  }

  // The design at k steps of gap (0: ungapped). Unless figures are wanted,
  // a design that fails a check needing no settled temperature (the
  // saturation at the ambient, where Bsat is highest) is not settled.
  Candidate At(Candidate c, double k, const CoreEntry& core, const ChokeContext& context, bool figures) {
    c.gapText = k > 0 ? GapText(k, step_) : "0";
    c.gap = ReadLeadingDouble(c.gapText);
    c.inductanceText = InductanceAt(c.gap, core.record);
    InputNumbers numbers = numbers_;
    numbers.X = c.gap;
    numbers.L = ReadLeadingDouble(c.inductanceText);
    const ChokeResults r = CalculateFigures(gapInputs_, numbers, context);
    TakeFigures(r, c);
    if (r.stoppedByRipple) {
      c.reasons = kRippleStop;
      return c;
    }
    const insight::WorstCase spread = insight::WorstCaseOf(true, context, r, options_);
    c.BpkHigh = spread.Bpk_T.max;
    c.tolerance = spread.tolerance;
    c.Llow = spread.L_uH.min;
    insight::CheckFacts facts{r, spread, context.material};
    facts.Ae_mm2 = core.record.Ae;
    facts.ring = core.shape == kShapeR;
    insight::OperatingState state;
    state.thermal.temperature_C = data_.ambient_C;
    facts.operating = &state;
    const insight::PointSetting setting{context, core.winding, numbers_.F,
                                        r.wireIndex >= 0 ? data_.wires.entries[r.wireIndex].diz : r.d, true};
    std::vector<insight::PointDemand> demands;
    if (!figures) {
      // A converter's design is judged at its points, as calc judges it.
      if (query_.points) demands = query_.points(r.Lact);
      const unsigned early = ReasonsOf(QuickChecks(insight::EvaluateChecks(facts, options_), r, demands, setting));
      if (early != kFeasible) {
        c.reasons = early;
        return c;
      }
    }
    if (query_.points && demands.empty()) demands = query_.points(r.Lact);
    // Each point settled in turn; unless figures are wanted, the first that
    // fails ends the design.
    std::vector<insight::PointFigures> points;
    for (const insight::PointDemand& d : demands) {
      points.push_back(insight::EvaluatePoint(r, d, setting, options_));
      if (!figures && points.back().checks.Failed() > 0) {
        c.reasons = ReasonsOf(points.back().checks);
        return c;
      }
    }
    facts.operating = nullptr;
    if (r.wireIndex >= 0) {
      // The design point is one of the converter's points (to the rounding
      // of the typed fields): its settled state is that point's.
      const insight::PointFigures* same = SamePoint(r, points);
      state = same ? same->operating
                   : insight::SettleDesign(r, context.material, core.record.Ve, core.winding, numbers_.F,
                                           data_.ambient_C, data_.wires.entries[r.wireIndex].diz);
      facts.operating = &state;
      c.copperLoss = state.thermal.copper_W;
      c.totalLoss = state.thermal.total_W;
      c.temperatureRise = state.thermal.rise_K;
      c.temperature = state.thermal.temperature_C;
    }
    insight::DesignChecks checks = insight::EvaluateChecks(facts, options_);
    if (!points.empty()) checks = insight::CombineChecks(checks, points);
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

  // The converter's point that is the design's own run: the same duty,
  // volt-seconds and current to kSamePointShare; none.
  static const insight::PointFigures* SamePoint(const ChokeResults& r,
                                                const std::vector<insight::PointFigures>& points) {
    auto near = [](double a, double b) { return std::fabs(a - b) <= kSamePointShare * std::fabs(b); };
    for (const insight::PointFigures& p : points)
      if (near(p.results.D, r.D) && near(p.results.VS, r.VS) && near(p.results.read.Inom, r.read.Inom)) return &p;
    return nullptr;
  }

  // The checks that need no settled temperature at every point of a converter.
  insight::DesignChecks QuickChecks(const insight::DesignChecks& nominal, const ChokeResults& r,
                                    const std::vector<insight::PointDemand>& demands,
                                    const insight::PointSetting& setting) const {
    if (demands.empty()) return nominal;
    std::vector<insight::PointFigures> points(demands.size());
    for (std::size_t i = 0; i < demands.size(); ++i)
      points[i].checks = insight::QuickChecksAtPoint(r, demands[i], setting, options_);
    return insight::CombineChecks(nominal, points);
  }

  const AdviseQuery& query_;
  const AdviseData& data_;
  ChokeInputs inputs_;     // the query's, in gap mode
  ChokeInputs gapInputs_;  // and with the inductance as a number
  InputNumbers numbers_;
  double step_;  // mm
  insight::InsightOptions options_;
  double mu_ = 0, g0_ = 0;  // the material's permeability and the core's own gap in the runs
};

double KeyOf(const Candidate& c, SortKey key) {
  switch (key) {
    case SortKey::Volume:
      return c.volume;
    case SortKey::Temperature:
      return c.temperatureRise;
    case SortKey::Turns:
      return c.turns;
    case SortKey::TotalLoss:
    default:
      return c.totalLoss;
  }
}

// a before b, a value that is not a number after every number; 0 when equal.
int CompareValues(double a, double b) {
  const bool na = std::isnan(a), nb = std::isnan(b);
  if (na || nb) return na == nb ? 0 : (na ? 1 : -1);
  return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

std::string RoundGapUp(double greq, double step) {
  step = UsableStep(step);
  if (!(greq > 0)) return "0";
  return GapText(std::max(StepsUp(greq, step), 1.0), step);
}

std::string RaisedInductance(double required, double spread) {
  const double L = required / (1 - spread);
  if (!(spread < 1) || !std::isfinite(L) || !(L > 0)) return FormatFixed(required, kInductanceDecimals);
  const double scale = std::pow(10.0, kInductanceDecimals);
  return FormatFixed(std::ceil(L * scale - kStepSlack * std::max(1.0, L * scale)) / scale, kInductanceDecimals);
}

std::string ReasonText(unsigned reasons) {
  static constexpr std::pair<unsigned, const char*> kTexts[] = {
      {kFrequencyAboveTable, "frequency above the loss table"},
      {kRippleStop, "ripple above twice the nominal current"},
      {kOverfilled, "fill factor above 0.4"},
      {kFluxAbovePermitted, "peak flux density above the permitted one"},
      {kNotFinite, "figures not finite"},
      {kSpreadAbovePermitted, "peak flux density above the permitted one across the AL tolerance"},
      {kRiseAboveLimit, "temperature rise above the limit"},
      {kThermalRunaway, "thermal runaway"},
      {kLossTableUnusable, "loss table unusable (a frequency, flux density or loss that is no usable number)"},
      {kSaturation, "peak flux density at the saturation current above the saturation limit"},
      {kBelowInductance, "inductance below the required one at the low end of the AL tolerance"},
      {kGapBelowMinimum, "gap below the minimum gap"},
      {kRingGapped, "a ring with a gap"},
      {kNotChecked, "not fully checked"},
      {kGapPastSearch, "required gap above 3 mm"},
  };
  std::string text;
  for (const auto& [bit, words] : kTexts) {
    if (!(reasons & bit)) continue;
    if (!text.empty()) text += "; ";
    text += words;
  }
  return text;
}

void Rank(std::vector<Candidate>& candidates, SortKey key) {
  std::stable_sort(candidates.begin(), candidates.end(), [key](const Candidate& a, const Candidate& b) {
    if (a.feasible() != b.feasible()) return a.feasible();
    if (int c = CompareValues(KeyOf(a, key), KeyOf(b, key))) return c < 0;
    if (int c = CompareValues(a.totalLoss, b.totalLoss)) return c < 0;
    return std::tie(a.core, a.material) < std::tie(b.core, b.material);
  });
}

std::size_t CandidateCount(const AdviseQuery& query, const AdviseData& data) {
  return CoresOf(query, data).size() * MaterialsOf(query, data).size();
}

std::vector<Candidate> Sweep(const AdviseQuery& query, const AdviseData& data, const Progress& progress) {
  const std::vector<const CoreEntry*> cores = CoresOf(query, data);
  const std::vector<const MaterialRecord*> materials = MaterialsOf(query, data);
  const std::size_t total = cores.size() * materials.size();
  std::vector<Candidate> candidates;
  candidates.reserve(total);
  Designer designer(query, data);
  for (const MaterialRecord* source : materials) {
    MaterialRecord material = *source;  // the run may write into its record
    for (const CoreEntry* core : cores) {
      candidates.push_back(designer.Design(*core, material));
      candidates.back().coreIndex = static_cast<std::size_t>(core - data.cores.data());
      candidates.back().materialIndex = static_cast<std::size_t>(source - data.materials.data());
      if (progress && candidates.size() % kProgressEvery == 0 && !progress(candidates.size(), total)) {
        Rank(candidates, query.sort);
        return candidates;
      }
    }
  }
  if (progress) progress(candidates.size(), total);
  Rank(candidates, query.sort);
  return candidates;
}

}  // namespace velmora::advise
