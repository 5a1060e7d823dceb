// SPDX-License-Identifier: GPL-3.0-or-later
// The report's section on the inductance as the current rises: the model,
// the figures at 0 A, the nominal and the peak current, and the curve with
// both currents marked.
#include <cmath>

#include "report/DesignReport.h"

namespace velmora::report {

namespace {

constexpr double kPercent = 100.0;

std::string Num(double value, int decimals, const ReportTexts& t) { return FormatNumber(value, decimals, t); }

Plot BiasPlot(const insight::BiasFigures& b, const ReportTexts& t) {
  Plot p;
  p.title = t(T::PlotBias);
  p.xLabel = t(T::PlotBiasX);
  p.yLabel = t(T::PlotBiasY);
  p.series.push_back({t(T::SeriesBias), b.I_A, b.L_uH, false});
  p.series.push_back({t(T::SeriesNominal), {b.nominalCurrent_A}, {b.inductanceAtNominal_uH}, true});
  p.series.push_back({t(T::SeriesPeak), {b.peakCurrent_A}, {b.inductanceAtPeak_uH}, true});
  return p;
}

}  // namespace

Section BiasSection(const insight::BiasFigures& b, const ReportTexts& t) {
  Section s{t(T::SecBias), {}, false};
  if (!b.available) {
    s.blocks.emplace_back(Paragraph{t(T::NotAvailable), ParagraphStyle::Note});
    return s;
  }
  s.blocks.emplace_back(
      Paragraph{b.powder ? t(T::BiasModelPowder) : t.Fill(T::BiasModelFerrite, {Num(b.saturationFlux_T, 3, t)}),
                ParagraphStyle::Note});
  if (b.powder && b.temperatureCoefficients && std::isfinite(b.temperature_C))
    s.blocks.emplace_back(
        Paragraph{t.Fill(T::BiasTemperature, {Num(b.temperature_C, 0, t), Num(b.temperatureFactor, 3, t)})});
  else if (b.powder && !b.temperatureCoefficients)
    s.blocks.emplace_back(Paragraph{t(T::BiasNoTemperature), ParagraphStyle::Note});
  FieldList f;
  f.columns = 2;
  f.fields = {
      {t(T::BiasLZero), Num(b.inductanceAtZero_uH, 2, t), t(T::UnitUH)},
      {t(T::BiasField), Num(b.biasField_A_per_m, 0, t), t(T::UnitAPerM)},
      {t(T::BiasLNominal), Num(b.inductanceAtNominal_uH, 2, t), t(T::UnitUH)},
      {t(T::BiasRetained),
       Num(b.permeabilityRetained * kPercent, 1, t) + " / " + Num(b.permeabilityRetainedAtPeak * kPercent, 1, t), "%",
       b.powder && b.permeabilityRetainedAtPeak < insight::constants::kRetainedPermeabilityCaution},
      {t(T::BiasLPeak), Num(b.inductanceAtPeak_uH, 2, t), t(T::UnitUH)},
      {t(T::BiasRipple), Num(b.rippleAtNominal_A, 3, t), t(T::UnitA)},
      {t(T::BiasPeakCurrent), Num(b.peakCurrent_A, 3, t), t(T::UnitA)},
      {t(T::BiasPeakFlux), Num(b.peakFlux_T, 3, t), t(T::UnitT)},
  };
  s.blocks.emplace_back(f);
  if (b.powder && b.permeabilityRetainedAtPeak < insight::constants::kRetainedPermeabilityCaution)
    s.blocks.emplace_back(Paragraph{t(T::RollOffCaution), ParagraphStyle::Warning});
  s.blocks.emplace_back(PlotRow{{BiasPlot(b, t)}});
  return s;
}

}  // namespace velmora::report
