// SPDX-License-Identifier: GPL-3.0-or-later
// The design-details part of the report and the winding instruction.
#include <cmath>
#include <optional>

#include "calc/Constants.h"
#include "insight/InsightConstants.h"
#include "report/DesignReport.h"

namespace velmora::report {

namespace {

namespace ic = insight::constants;

constexpr double kPercent = 100.0;

std::string Num(double value, int decimals, const ReportTexts& t) { return FormatNumber(value, decimals, t); }

// A label with the note where its figure comes from.
std::string Sourced(T label, bool estimated, const ReportTexts& t) {
  return t(label) + " (" + t(estimated ? T::Estimated : T::FromCoreData) + ")";
}

Section WindingSection(const insight::WindingFigures& w, const insight::OperatingState& o, const ReportTexts& t) {
  FieldList f;
  f.columns = 2;
  f.fields = {
      {Sourced(T::Mlt, w.mltEstimated, t), Num(w.mlt_mm, 1, t), t(T::UnitMm)},
      {t(T::WireLength), Num(w.wireLength_m, 2, t), t(T::UnitM)},
      {t(T::WindingTemperature), Num(o.thermal.temperature_C, 0, t), t(T::UnitDegC)},
      {t(T::Resistance), Num(o.resistance_Ohm * ic::kMOhmPerOhm, 2, t), t(T::UnitMOhm)},
      {t(T::CopperLoss), Num(o.thermal.copper_W, 3, t), t(T::UnitW)},
      {t(T::SkinDepth), Num(w.skinDepth_mm, 3, t), t(T::UnitMm)},
      {t(T::SkinRatio), Num(w.diameterToSkinDepth, 2, t), "", w.skinEffectNote},
      {t(T::WindingLayers), Num(o.layout.layers, 0, t), ""},
      {t(T::PenetrationRatio), Num(o.penetrationRatio, 2, t), ""},
      {t(T::AcFactor), Num(o.acFactor, 2, t), ""},
      {t(T::CopperLossAc), Num(o.copperAC_W, 3, t), t(T::UnitW)},
  };
  Section s{t(T::SecWinding), {f}, true};
  if (w.skinEffectNote) s.blocks.emplace_back(Paragraph{t(T::SkinNote), ParagraphStyle::Note});
  if (o.layout.breadthEstimated) s.blocks.emplace_back(Paragraph{t(T::BreadthNote), ParagraphStyle::Note});
  return s;
}

// The losses where core and winding settle, the label's core loss (at
// 100 C) and the settled one, and the figures at 100 C in a note.
Section LossSection(const insight::LossBudget& b, const insight::OperatingState& o, const ReportTexts& t) {
  const insight::ThermalState& th = o.thermal;
  FieldList f;
  f.columns = 2;
  f.fields = {
      {t(T::Ambient), Num(th.ambient_C, 0, t), t(T::UnitDegC)},
      {t(T::OperatingTemperature), Num(th.temperature_C, 0, t), t(T::UnitDegC), o.extrapolatedTemperature},
      {t(T::CoreLoss), Num(b.core_W, 3, t), t(T::UnitW)},
      {t(T::CoreLossSine), Num(o.coreSine_W, 3, t), t(T::UnitW)},
      {t(T::WaveformFactor), Num(o.waveformFactor, 3, t), "D = " + Num(o.duty, 2, t)},
      {t(T::DcFactor), Num(o.dcFactor, 3, t), "Bdc = " + Num(o.dcFlux_T, 3, t) + " " + t(T::UnitT)},
      {t(T::CoreLossOperating), Num(th.core_W, 3, t), t(T::UnitW)},
      {t(T::CopperLoss), Num(th.copper_W, 3, t), t(T::UnitW)},
      {t(T::TotalLoss), Num(th.total_W, 3, t), t(T::UnitW)},
      {Sourced(T::Surface, b.surfaceEstimated, t), Num(b.surface_mm2 / ic::kMm2PerCm2, 1, t), t(T::UnitCm2)},
      {t(T::TemperatureRise), Num(th.rise_K, 0, t), t(T::UnitK)},
  };
  Section s{t(T::SecLosses), {f}, false};
  if (th.runaway) s.blocks.emplace_back(Paragraph{t(T::Runaway), ParagraphStyle::Warning});
  s.blocks.emplace_back(
      Paragraph{t.Fill(T::At100, {Num(b.copper_W, 3, t), Num(b.total_W, 3, t), Num(b.temperatureRise_K, 0, t)})});
  s.blocks.emplace_back(Paragraph{t(T::RiseNote), ParagraphStyle::Note});
  return s;
}

Section LossModelSection(const insight::LossModel& m, const ReportTexts& t) {
  Section s{t(T::SecLossModel), {}, false};
  if (!m.available) {
    s.blocks.emplace_back(Paragraph{t(T::NoteNoData), ParagraphStyle::Note});
    return s;
  }
  FieldList f;
  f.columns = 2;
  f.fields = {
      {t(T::OperatingPoint), Num(m.F_kHz, 1, t) + " " + t(T::UnitKHz) + ", " + Num(m.Bac_T, 3, t), t(T::UnitT)},
      {t(T::SpecificLoss), Num(m.Pv_mW_cm3, 1, t), t(T::UnitMwCm3), m.Pv_mW_cm3 > m.limit_mW_cm3},
      {t(T::LossLimit), Num(m.limit_mW_cm3, 0, t), t(T::UnitMwCm3)},
      {t(T::FluxAtLimit), Num(m.Blimit_T, 3, t), t(T::UnitT)},
  };
  s.blocks.emplace_back(f);
  const CoreLossSource& src = m.source;
  if (src.valid)
    s.blocks.emplace_back(Paragraph{
        t.Fill(T::TableCell, {Num(src.F[0], 0, t), Num(src.F[1], 0, t), Num(src.B[0], 3, t), Num(src.B[1], 3, t)})});
  if (src.outsideF) s.blocks.emplace_back(Paragraph{t(T::NoteOutsideF), ParagraphStyle::Warning});
  if (src.outsideB) s.blocks.emplace_back(Paragraph{t(T::NoteOutsideB), ParagraphStyle::Warning});
  if (src.missingCell) s.blocks.emplace_back(Paragraph{t(T::NoteMissingCell), ParagraphStyle::Warning});
  return s;
}

Section WorstCaseSection(const insight::WorstCase& w, const ChokeResults& r, const ReportTexts& t) {
  Table table;
  table.header = {"", t(T::ColLow), t(T::ColNominal), t(T::ColHigh), ""};
  auto row = [&](T label, const insight::Range& range, double nominal, int decimals, T unit) {
    table.rows.push_back(
        {t(label), Num(range.min, decimals, t), Num(nominal, decimals, t), Num(range.max, decimals, t), t(unit)});
  };
  row(T::RangeAl, w.AL_nH, r.AL * constants::kThousand, 1, T::UnitNH);
  row(T::RangeL, w.L_uH, r.Lact, 2, T::UnitUH);
  row(T::RangeDi, w.dI_A, r.dI, 3, T::UnitA);
  row(T::RangeIpk, w.Ipk_A, r.Ipk, 3, T::UnitA);
  row(T::RangeBpk, w.Bpk_T, r.Bpk, 3, T::UnitT);
  FieldList f;
  f.columns = 2;
  f.fields = {{t(T::Tolerance), ToleranceText(w, t), ""}, {t(T::PermittedBpk), Num(w.Bm_T, 3, t), t(T::UnitT)}};
  Paragraph verdict{t(w.fluxLimitHolds ? T::WorstCaseHolds : T::WorstCaseFails),
                    w.fluxLimitHolds ? ParagraphStyle::Note : ParagraphStyle::Warning};
  return {t(T::SecWorstCase), {f, table, verdict}, false};
}

Plot LossPlot(const insight::LossCurve& c, const insight::LossModel& m, const ReportTexts& t) {
  Plot p;
  p.title = t.Fill(T::PlotLoss, {Num(m.F_kHz, 0, t)});
  p.xLabel = t(T::PlotLossX);
  p.yLabel = t(T::PlotLossY);
  p.logX = p.logY = true;
  p.series.push_back({t(T::SeriesTable), c.B_T, c.Pv_mW_cm3, false});
  if (!c.B_T.empty())
    p.series.push_back({t(T::SeriesLimit), {c.B_T.front(), c.B_T.back()}, {m.limit_mW_cm3, m.limit_mW_cm3}, false});
  if (std::isfinite(m.Bac_T) && std::isfinite(m.Pv_mW_cm3) && m.Bac_T > 0 && m.Pv_mW_cm3 > 0)
    p.series.push_back({t(T::SeriesPoint), {m.Bac_T}, {m.Pv_mW_cm3}, true});
  return p;
}

Plot WavePlot(const insight::Waveform& w, const ChokeResults& r, double Ae, const ReportTexts& t) {
  Plot p;
  p.title = t(T::PlotWave);
  p.xLabel = t(T::PlotWaveX);
  p.yLabel = t(T::PlotWaveY);
  p.rightLabel = t(T::PlotWaveRight);
  p.rightScale = r.Lact / r.N / Ae;  // B = i L / (N Ae)
  p.series.push_back({t(T::SeriesCurrent), w.t_us, w.i_A, false});
  return p;
}

// Where a gap goes: a ring has none; a U or UI core's flux crosses both
// legs, so each takes half; every other family (E, EI, ETD, EFD, ER, EP, PQ,
// RM, P) has it in the centre leg.
enum class GapPlace { CentreLeg, BothLegs, Ring };
GapPlace GapPlaceOf(const std::string& coreName) {
  if (ShapeOfName(coreName) == kShapeR) return GapPlace::Ring;
  const bool u = coreName.size() > 1 && (coreName[0] == 'U' || coreName[0] == 'u') &&
                 (coreName[1] == ' ' || coreName[1] == 'I' || coreName[1] == 'i');
  return u ? GapPlace::BothLegs : GapPlace::CentreLeg;
}

}  // namespace

std::string ToleranceText(const insight::WorstCase& w, const ReportTexts& t) {
  const std::string source = w.spreadFrom == insight::SpreadFrom::Gap
                                 ? t.Fill(T::SpreadGap, {FormatNumber(w.gapTolerance_mm, 3, t)})
                                 : t(T::SpreadMaker);
  return t.Fill(T::ToleranceAl, {FormatNumber(w.tolerance * kPercent, 1, t)}) + " (" + source + ")";
}

void AppendDetailSections(Document& doc, const ChokeResults& r, const insight::DesignDetails& d, const ReportTexts& t,
                          double Ae) {
  doc.sections.push_back(WindingSection(d.winding, d.operating, t));
  doc.sections.push_back(LossSection(d.losses, d.operating, t));
  doc.sections.push_back(LossModelSection(d.lossModel, t));
  doc.sections.push_back(WorstCaseSection(d.worstCase, r, t));
  doc.sections.push_back(BiasSection(d.bias, t));
  PlotRow plots;
  if (d.lossModel.available && !d.lossCurve.B_T.empty()) plots.plots.push_back(LossPlot(d.lossCurve, d.lossModel, t));
  plots.plots.push_back(WavePlot(d.waveform, r, Ae, t));
  doc.sections.push_back({t(T::SecPlots), {plots}, false});
}

Steps WindingInstruction(const Design& design, const ChokeResults& r, const insight::DesignDetails& d,
                         const ReportTexts& t) {
  const auto line = [&design](Result id) {
    const ShownLine* l = design.Line(id);
    return l ? *l : ShownLine{};
  };
  Steps s;
  s.items.push_back(t.Fill(T::StepCore, {design.settings.core, design.settings.mater}));
  if (r.Stopped()) {
    s.items.push_back(t(T::StepStopped));
    return s;
  }
  s.items.push_back(t.Fill(T::StepTurns, {line(Result::Turns).value}));
  const ShownLine wire = line(Result::Wire);
  s.items.push_back(
      t.Fill(T::StepWire, {wire.unit.empty() ? wire.value : wire.value + " " + wire.unit, line(Result::Wires).value}));
  const double X = r.read.X;
  if (d.worstCase.gapGiven) {
    const GapPlace place = GapPlaceOf(design.settings.core);
    if (!(X > 0)) s.items.push_back(t(place == GapPlace::Ring ? T::StepGapNoneRing : T::StepGapNone));
    else if (place == GapPlace::Ring) s.items.push_back(t.Fill(T::StepGapRing, {FormatNumber(X, 3, t)}));
    else
      s.items.push_back(t.Fill(place == GapPlace::BothLegs ? T::StepGapLegs : T::StepGapCentre,
                               {FormatNumber(X, 3, t), FormatNumber(X / 2, 3, t)}));
  } else {
    s.items.push_back(t.Fill(T::StepAl, {FormatNumber(X, 1, t)}));
  }
  // In the unit the window shows the inductance in.
  const double scale = r.Lact >= constants::kThousand ? 1 / constants::kThousand : 1.0;
  s.items.push_back(t.Fill(
      T::StepExpected,
      {line(Result::Inductance).value, line(Result::Inductance).unit, FormatNumber(d.worstCase.L_uH.min * scale, 3, t),
       FormatNumber(d.worstCase.L_uH.max * scale, 3, t), ToleranceText(d.worstCase, t)}));
  s.items.push_back(t(T::StepCheck));
  return s;
}

}  // namespace velmora::report
