// SPDX-License-Identifier: GPL-3.0-or-later
// The details of one design, assembled from a run of Calculate.
#include "insight/DesignDetails.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "calc/Constants.h"
#include "insight/OperatingPoints.h"
#include "textfile/Numbers.h"

namespace velmora::insight {

using constants::kNaN;

namespace {

// An input number as Calculate reads it.
double InputNumber(const std::string& text) { return ReadLeadingDouble(CommaToPoint(text)); }

WindingFigures WindingOf(const ChokeResults& r, const CoreWindingGeometry& geometry, const AcCopperModel& ac, double F,
                         double temperature_C) {
  WindingFigures w;
  w.mlt_mm = geometry.mlt_mm;
  w.mltEstimated = geometry.mltEstimated;
  w.wireLength_m = r.N * geometry.mlt_mm / constants::kMmPerM;
  w.temperature_C = temperature_C;
  w.resistivity_Ohm_m = CopperResistivity(temperature_C);
  w.skinDepth_mm = SkinDepth_mm(w.resistivity_Ohm_m, F);
  // Without a wire (the run stopped at the ripple check, or no wire table)
  // there is nothing to measure.
  const bool wired = !r.Stopped() && r.wireIndex >= 0;
  w.resistance_Ohm = wired ? WireResistance(w.resistivity_Ohm_m, w.wireLength_m, r.n, r.S1) : kNaN;
  const double dcSquared = std::fmax(0.0, r.Irms * r.Irms - ac.rippleSquared);
  w.copperLoss_W = wired ? (dcSquared + ac.rippleSquared * ac.AcFactor(w.skinDepth_mm)) * w.resistance_Ohm : kNaN;
  w.diameterToSkinDepth = wired ? r.d / w.skinDepth_mm : kNaN;
  w.skinEffectNote = w.diameterToSkinDepth > constants::kSkinDiameterRatioNote;
  return w;
}

LossBudget BudgetOf(const ChokeResults& r, const WindingFigures& w, const CoreWindingGeometry& g) {
  LossBudget b;
  b.core_W = r.noData ? kNaN : r.Pcore;
  b.copper_W = w.copperLoss_W;
  b.total_W = b.core_W + b.copper_W;
  b.surface_mm2 = g.surface_mm2;
  b.surfaceEstimated = g.surfaceEstimated;
  b.temperatureRise_K = TemperatureRise_K(b.total_W, b.surface_mm2);
  return b;
}

// The built choke (N turns) at one AL (uH/turn2).
struct ToleranceEnd {
  double AL = 0, L = 0, dI = 0, Ipk = 0, Bpk = 0;
};

ToleranceEnd EndAt(double AL, const ChokeResults& r, double Inom, double Ae) {
  ToleranceEnd e;
  e.AL = AL;
  e.L = AL * r.N * r.N;
  e.dI = r.VS / e.L;
  e.Ipk = Inom + e.dI * 0.5;
  e.Bpk = e.Ipk * e.L / r.N / Ae;
  return e;
}

Range Span(double a, double b) { return Range{std::min(a, b), std::max(a, b)}; }

// The half-width of the spread and where it comes from.
void SpreadOf(WorstCase& wc, const ChokeContext& context, const ChokeResults& r, const InsightOptions& options,
              double knownGapSpread) {
  const double gap = r.read.X;
  wc.ungapped = wc.gapGiven && !(gap > 0);
  wc.tolerance = wc.ungapped ? UngappedSpread(context.material, options) : options.alTolerance;
  wc.makersTolerance = wc.ungapped && MakerGivesSpread(context.material);
  wc.spreadFrom = SpreadFrom::AL;
  if (!wc.gapGiven || wc.ungapped) return;
  // A ground gap only: an ungapped set has no gap whose tolerance counts.
  wc.gapTolerance_mm = options.gapTolerance_mm;
  const double spread = std::isnan(knownGapSpread)
                            ? GapSpread(gap, context.core, r.mu, r.g0, options)  // r.mu: 10000 for no data
                            : knownGapSpread;
  if (spread > wc.tolerance) {
    wc.tolerance = spread;
    wc.spreadFrom = SpreadFrom::Gap;
  }
}

}  // namespace

bool MakerGivesSpread(const MaterialRecord& material) {
  return material.hasRollOff() && material.powder.alTolerance > 0;
}

double UngappedSpread(const MaterialRecord& material, const InsightOptions& options) {
  return MakerGivesSpread(material) ? material.powder.alTolerance : options.alToleranceUngapped;
}

double GapSpread(double gap, const CoreRecord& core, double mu, double g0, const InsightOptions& options) {
  if (!(gap > 0)) return options.alToleranceUngapped;
  const double AL = FiguresOfGap(gap, core, mu, g0).AL;
  const double ALwide = FiguresOfGap(gap + options.gapTolerance_mm, core, mu, g0).AL;
  const double ALnarrow = FiguresOfGap(std::max(0.0, gap - options.gapTolerance_mm), core, mu, g0).AL;
  return std::max(options.alTolerance, std::max(AL - ALwide, ALnarrow - AL) / AL);
}

WorstCase WorstCaseOf(bool gapGiven, const ChokeContext& context, const ChokeResults& r, const InsightOptions& options,
                      double gapSpread) {
  WorstCase wc;
  wc.gapGiven = gapGiven;
  wc.Bm_T = r.Bm;
  SpreadOf(wc, context, r, options, gapSpread);
  const double Inom = r.read.Inom;
  const ToleranceEnd lo = EndAt(r.AL * (1 - wc.tolerance), r, Inom, context.core.Ae);
  const ToleranceEnd hi = EndAt(r.AL * (1 + wc.tolerance), r, Inom, context.core.Ae);
  wc.AL_nH = Span(lo.AL * velmora::constants::kThousand, hi.AL * velmora::constants::kThousand);
  wc.L_uH = Span(lo.L, hi.L);
  wc.dI_A = Span(lo.dI, hi.dI);
  wc.Ipk_A = Span(lo.Ipk, hi.Ipk);
  wc.Bpk_T = Span(lo.Bpk, hi.Bpk);
  // The permitted flux itself: the check has no slack (the window's own
  // warning keeps its 0.5 mT).
  wc.fluxLimitHolds = wc.Bpk_T.max <= r.Bm;
  wc.designL_uH = r.L;
  wc.ringWithGap = gapGiven && r.read.X > 0 && ShapeOfName(context.core.name) == kShapeR;
  return wc;
}

Waveform WaveformOf(const ChokeResults& r, double Ae_mm2, double F_kHz) {
  Waveform w;
  const double period = velmora::constants::kThousand / F_kHz;
  const double low = r.Ipk - r.dI;
  w.t_us = {0.0, r.ton, period};
  w.i_A = {low, r.Ipk, low};
  for (double i : w.i_A) w.B_T.push_back(i * r.Lact / r.N / Ae_mm2);
  return w;
}

DesignDetails DescribeDesign(const ChokeInputs& inputs, const ChokeContext& context, const ChokeResults& results,
                             const CoreExtras& extras, const InsightOptions& options,
                             const std::vector<PointDemand>& points) {
  DesignDetails d;
  const double F = InputNumber(inputs.Fc);
  const CoreWindingGeometry geometry = WindingGeometryOf(context.core, extras);
  const std::vector<WireEntry>& wires = context.wires.entries;
  const bool listed = results.wireIndex >= 0 && results.wireIndex < static_cast<int>(wires.size());
  const double wireOuter = listed ? wires[results.wireIndex].diz : results.d;
  d.winding =
      WindingOf(results, geometry, AcModelOfDesign(results, geometry, wireOuter), F, options.windingTemperature_C);
  d.losses = BudgetOf(results, d.winding, geometry);
  d.operating = SettleDesign(results, context.material, context.core.Ve, geometry, F, options.ambient_C, wireOuter);
  if (results.noData) {
    d.lossModel.F_kHz = F;
    d.lossModel.Bac_T = results.Bac;
    d.lossModel.Pv_mW_cm3 = kNaN;
    d.lossModel.limit_mW_cm3 = context.lossLimit;
    d.lossModel.Blimit_T = kNaN;
  } else {
    d.lossModel = DescribeLossModel(context.material, F, results.Bac, context.lossLimit, results.B1);
    d.lossCurve = LossCurveAt(context.material, F, results.Bac);
  }
  d.waveform = WaveformOf(results, context.core.Ae, F);
  d.worstCase = WorstCaseOf(inputs.gapMode() == GapMode::GapGiven, context, results, options);
  const bool wired = !results.Stopped() && results.wireIndex >= 0;
  const bool settled = wired && !d.operating.thermal.runaway;
  d.bias = BiasFiguresOf(results, context, settled ? d.operating.thermal.temperature_C : kNaN);
  CheckFacts facts{results, d.worstCase, context.material};
  facts.Ae_mm2 = context.core.Ae;
  facts.le_mm = context.core.le;
  facts.ring = ShapeOfName(context.core.name) == kShapeR;
  facts.gapGiven = inputs.gapMode() == GapMode::GapGiven;
  facts.operating = wired ? &d.operating : nullptr;
  facts.lossSource = d.lossModel.available ? &d.lossModel.source : nullptr;
  facts.skinDepth_mm = d.winding.skinDepth_mm;
  facts.bias = &d.bias;
  d.checks = EvaluateChecks(facts, options);
  if (points.empty() || results.Stopped()) return d;
  const PointSetting setting{context, geometry, F, wireOuter, facts.gapGiven};
  for (const PointDemand& p : points) d.points.push_back(EvaluatePoint(results, p, setting, options));
  d.checks = CombineChecks(d.checks, d.points);
  return d;
}

DesignReport ComputeDesignReport(const ChokeInputs& inputs, const ChokeContext& context, const CoreExtras& extras,
                                 const InsightOptions& options) {
  DesignReport report;
  report.results = Calculate(inputs, context);
  report.details = DescribeDesign(inputs, context, report.results, extras, options);
  return report;
}

}  // namespace velmora::insight
