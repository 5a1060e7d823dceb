// SPDX-License-Identifier: GPL-3.0-or-later
// The design at each input voltage of its converter, and its checks at the
// hardest point of each.
#include "insight/OperatingPoints.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "calc/CoreLoss.h"

namespace velmora::insight {

namespace {

// 1/kHz is 1000 us.
constexpr double kUsPerPeriodKHz = 1000.0;

// How hard an outcome is: a failure before an outcome not evaluated before a
// pass, then how far the value lies towards (or past) its limit.
struct Hardness {
  int state = 0;
  double excess = -std::numeric_limits<double>::infinity();
  bool operator>(const Hardness& o) const { return state != o.state ? state > o.state : excess > o.excess; }
};

// The checks whose value must reach the limit rather than stay within it.
bool AtLeast(CheckId id) {
  return id == CheckId::MinimumInductance || id == CheckId::Discontinuous || id == CheckId::RollOff;
}

Hardness HardnessOf(const CheckOutcome& o) {
  Hardness h;
  h.state = !o.passed ? 1 : (*o.passed ? 0 : 2);
  const double excess = AtLeast(o.id) ? o.limit / o.value : o.value / o.limit;
  if (std::isfinite(excess)) h.excess = excess;
  return h;
}

// The facts the checks read of a point.
CheckFacts FactsAt(const PointFigures& p, const PointSetting& s, const OperatingState* operating,
                   const CoreLossSource* lossSource) {
  CheckFacts facts{p.results, p.worstCase, s.context.material};
  facts.Ae_mm2 = s.context.core.Ae;
  facts.le_mm = s.context.core.le;
  facts.ring = ShapeOfName(s.context.core.name) == kShapeR;
  facts.gapGiven = s.gapGiven;
  facts.operating = operating;
  facts.lossSource = lossSource;
  facts.lightCurrent_A = p.demand.lightCurrent_A;
  return facts;
}

}  // namespace

ChokeResults ResultsAtPoint(const ChokeResults& design, const PointDemand& point, const PointSetting& setting) {
  ChokeResults q = design;
  const double Ae = setting.context.core.Ae;
  const double Inom = point.current_A;
  q.read.Inom = Inom;
  q.D = point.duty;
  q.ton = point.duty / setting.F_kHz * kUsPerPeriodKHz;
  q.VS = point.voltageOn_V * q.ton;
  q.dI = q.VS / q.Lact;
  q.Ipk = Inom + q.dI / 2;
  q.Bpk = q.Ipk * q.Lact / q.N / Ae;
  q.Bac = q.Lact * q.dI / 2 / q.N / Ae;
  if (!q.noData) {
    // The run's permitted peak: the alternating part at B1, with the ripple
    // of its design inductance.
    const double dIdesign = q.VS / q.L;
    q.Bm = std::min(2 * ((Inom + dIdesign / 2) / dIdesign) * q.B1, setting.context.material.Bmax);
    const CoreLossEstimate loss =
        EstimateCoreLoss(setting.context.material, setting.F_kHz, q.Bac, setting.context.core.Ve);
    q.Pv = loss.Pv;
    q.Pcore = loss.Pcore;
  }
  // A ripple above twice the current: the run's own stop, at this point.
  q.stoppedByRipple = design.stoppedByRipple || 2 * Inom < q.dI;
  const double valley = Inom - q.dI / 2;
  q.Irms = std::sqrt(valley * valley + Inom * q.dI - q.dI * q.dI / 2 + q.dI * q.dI / 3);
  q.Jact = q.Irms / q.Stot;
  q.fluxAbovePermitted = q.Bpk > q.Bm;
  return q;
}

DesignChecks QuickChecksAtPoint(const ChokeResults& design, const PointDemand& point, const PointSetting& setting,
                                const InsightOptions& options, double temperature_C) {
  PointFigures p;
  p.demand = point;
  p.results = ResultsAtPoint(design, point, setting);
  p.worstCase = WorstCaseOf(setting.gapGiven, setting.context, p.results, options);
  OperatingState ambient;
  ambient.thermal.temperature_C = std::isnan(temperature_C) ? options.ambient_C : temperature_C;
  return EvaluateChecks(FactsAt(p, setting, &ambient, nullptr), options);
}

PointFigures EvaluatePoint(const ChokeResults& design, const PointDemand& point, const PointSetting& setting,
                           const InsightOptions& options, double powderPeakFlux_T) {
  PointFigures p;
  p.demand = point;
  p.results = ResultsAtPoint(design, point, setting);
  const ChokeResults& q = p.results;
  p.Bdc_T = q.Bpk - q.Bac;
  p.worstCase = WorstCaseOf(setting.gapGiven, setting.context, q, options);
  const bool wired = !q.Stopped() && q.wireIndex >= 0;
  p.operating = SettleDesign(q, setting.context.material, setting.context.core.Ve, setting.geometry, setting.F_kHz,
                             options.ambient_C, setting.wireOuter_mm);
  LossModel model;
  if (!q.noData)
    model = DescribeLossModel(setting.context.material, setting.F_kHz, q.Bac, setting.context.lossLimit, q.B1);
  CheckFacts facts = FactsAt(p, setting, wired ? &p.operating : nullptr, model.available ? &model.source : nullptr);
  facts.skinDepth_mm = SkinDepth_mm(CopperResistivity(options.windingTemperature_C), setting.F_kHz);
  facts.powderPeakFlux_T = powderPeakFlux_T;
  // A powder's roll-off caution at the point from the maker's fit at the
  // point's peak current (EvaluateChecks without the curve): the curve costs
  // more than the point.
  p.checks = EvaluateChecks(facts, options);
  return p;
}

DesignChecks CombineChecks(const DesignChecks& design, std::vector<PointFigures>& points) {
  DesignChecks c = design;
  if (points.empty()) return c;
  for (CheckOutcome& o : c.items) {
    if (!MovesWithPoint(o.id)) continue;
    std::size_t worst = 0;
    for (std::size_t i = 1; i < points.size(); ++i)
      if (HardnessOf(points[i].checks[o.id]) > HardnessOf(points[worst].checks[o.id])) worst = i;
    o = points[worst].checks[o.id];
    // A check that holds or is not made with no figure anywhere (no light
    // load; the roll-off of a ferrite) has no point.
    if (!std::isfinite(o.value) && (!o.passed || *o.passed)) continue;
    o.point = static_cast<int>(worst);
    points[worst].decides |= 1u << static_cast<unsigned>(o.id);
  }
  // What the saturation and the AC-resistance checks were made with, at their points.
  const DesignChecks& saturation = points[static_cast<std::size_t>(std::max(0, c[CheckId::Saturation].point))].checks;
  c.temperature_C = saturation.temperature_C;
  c.saturation = saturation.saturation;
  c.saturationCurrent_A = saturation.saturationCurrent_A;
  const DesignChecks& ac = points[static_cast<std::size_t>(std::max(0, c[CheckId::AcResistance].point))].checks;
  c.strandDiameter_mm = ac.strandDiameter_mm;
  c.strands = ac.strands;
  return c;
}

const std::vector<PointRow>& PointRows() {
  static const std::vector<PointRow> kRows = {
      {"rowPointVin", 2, [](const PointFigures& p) { return p.demand.vin_V; }},
      {"rowPointDuty", 3, [](const PointFigures& p) { return p.results.D; }},
      {"rowPointCurrent", 3, [](const PointFigures& p) { return p.results.read.Inom; }},
      {"rowPointRipple", 3, [](const PointFigures& p) { return p.results.dI; }},
      {"rowPointPeak", 3, [](const PointFigures& p) { return p.results.Ipk; }},
      {"rowPointRms", 3, [](const PointFigures& p) { return p.results.Irms; }},
      {"rowPointBpk", 3, [](const PointFigures& p) { return p.results.Bpk; }},
      {"rowPointBac", 4, [](const PointFigures& p) { return p.results.Bac; }},
      {"rowPointBdc", 3, [](const PointFigures& p) { return p.Bdc_T; }},
      {"rowPointWaveform", 3, [](const PointFigures& p) { return p.operating.waveformFactor; }},
      {"rowPointCore", 4, [](const PointFigures& p) { return p.operating.thermal.core_W; }},
      {"rowPointCopperDc", 3, [](const PointFigures& p) { return p.operating.copperDC_W; }},
      {"rowPointCopperAc", 4, [](const PointFigures& p) { return p.operating.copperAC_W; }},
      {"rowPointTemperature", 1, [](const PointFigures& p) { return p.operating.thermal.temperature_C; }},
      {"rowPointRise", 1, [](const PointFigures& p) { return p.operating.thermal.rise_K; }},
  };
  return kRows;
}

std::string DecidedChecks(const PointFigures& point, const char* separator) {
  std::string text;
  for (const CheckOutcome& o : point.checks.items)
    if (point.decides & (1u << static_cast<unsigned>(o.id)))
      text += (text.empty() ? "" : separator) + std::string(CheckName(o.id));
  return text;
}

}  // namespace velmora::insight
