// SPDX-License-Identifier: GPL-3.0-or-later
#include "advise/Advise.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

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

// The losses and the rise where core and winding settle, by the design
// details' own model; a choke that runs away has none.
void TakeLosses(const ChokeResults& r, const CoreEntry& core, const MaterialRecord& material, double F,
                double ambient_C, double wireOuter_mm, Candidate& c) {
  const insight::OperatingState o =
      insight::SettleDesign(r, material, core.record.Ve, core.winding, F, ambient_C, wireOuter_mm);
  c.copperLoss = o.thermal.copper_W;
  c.totalLoss = o.thermal.total_W;
  c.temperatureRise = o.thermal.rise_K;
  c.temperature = o.thermal.temperature_C;
  if (o.thermal.runaway) c.reasons |= kThermalRunaway;
}

// One core with one material: the required gap from a run in gap mode, then
// the first gap of the grid from there that meets every rule.
class Designer {
 public:
  Designer(const AdviseQuery& query, const AdviseData& data)
      : query_(query), data_(data), inputs_(query.inputs), numbers_(), step_(UsableStep(query.gapStep)) {
    inputs_.yes_al = 0;  // the gap itself goes in as a number
    numbers_ = ReadInputNumbers(inputs_);
    spread_.alTolerance = query.alTolerance;
    spread_.alToleranceUngapped = query.alToleranceUngapped;
  }

  Candidate Design(const CoreEntry& core, MaterialRecord& material) {
    Candidate c;
    c.core = core.record.name;
    c.shape = core.shape;
    c.material = material.name;
    c.volume = core.record.Ve;
    c.copperLoss = c.totalLoss = c.temperatureRise = c.temperature = c.BpkHigh =
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
    if (first.stoppedByRipple || !std::isfinite(first.greq)) {
      TakeFigures(first, c);
      c.reasons = first.stoppedByRipple ? kRippleStop : kNotFinite;
      return c;
    }
    // A ferrite ring is not sold gapped: its own permeability only.
    if (core.shape == kShapeR) return At(c, 0, core, context);
    // Gap 0 is for rings only: every other core gets one step at least.
    const double start = std::max({StepsUp(first.greq, step_), StepsUp(query_.minGap, step_), 1.0});
    const double last = std::floor(kMaxGap / step_ + kStepSlack);
    Candidate required = At(c, start, core, context);
    if (required.feasible() || required.reasons & (kOverfilled | kRippleStop)) return required;
    for (double k = start + 1; k <= last; ++k) {
      Candidate next = At(c, k, core, context);
      // More gap only adds turns to a window already too full.
      if (next.feasible() || next.reasons & (kOverfilled | kRippleStop)) return next.feasible() ? next : required;
    }
    return required;
  }

 private:
  // The design at k steps of gap (0: ungapped).
  Candidate At(Candidate c, double k, const CoreEntry& core, const ChokeContext& context) {
    c.gapText = k > 0 ? GapText(k, step_) : "0";
    c.gap = ReadLeadingDouble(c.gapText);
    InputNumbers numbers = numbers_;
    numbers.X = c.gap;
    const ChokeResults r = CalculateFigures(inputs_, numbers, context);
    TakeFigures(r, c);
    if (r.stoppedByRipple) {
      c.reasons = kRippleStop;
      return c;
    }
    if (r.wireIndex >= 0)
      TakeLosses(r, core, context.material, numbers_.F, data_.ambient_C, data_.wires.entries[r.wireIndex].diz, c);
    const insight::WorstCase spread = insight::WorstCaseOf(true, context, r, spread_);
    c.BpkHigh = spread.Bpk_T.max;
    c.tolerance = spread.tolerance;
    if (r.overfilled) c.reasons |= kOverfilled;
    if (r.fluxAbovePermitted) c.reasons |= kFluxAbovePermitted;
    if (!spread.fluxLimitHolds) c.reasons |= kSpreadAbovePermitted;
    if (c.temperatureRise > query_.maxRise) c.reasons |= kRiseAboveLimit;
    // A choke that runs away has no settled figures: that is its reason.
    const bool settled = !(c.reasons & kThermalRunaway);
    if (!Finite({c.turns, c.mue, c.AL, c.Bpk, c.Bac, c.coreLoss, c.wireDiameter, c.wires, c.fill, c.BpkHigh}) ||
        (settled && !Finite({c.totalLoss, c.temperatureRise})))
      c.reasons |= kNotFinite;
    return c;
  }

  const AdviseQuery& query_;
  const AdviseData& data_;
  ChokeInputs inputs_;
  InputNumbers numbers_;
  double step_;  // mm
  insight::InsightOptions spread_;
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
