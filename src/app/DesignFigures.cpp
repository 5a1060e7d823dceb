// SPDX-License-Identifier: GPL-3.0-or-later
// The figures behind a calculation as lines of caption, value and unit.
#include "app/DesignFigures.h"

#include <cstdio>

#include "app/DesignTexts.h"
#include "insight/OperatingPoints.h"

namespace velmora {

namespace {

std::string Fixed(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

std::string Span(const insight::Range& r, int decimals) {
  return Fixed(r.min, decimals) + " .. " + Fixed(r.max, decimals);
}

constexpr double kPercent = 100.0;

// Where the spread comes from: the maker's AL tolerance or the gap's.
template <typename Texts>
std::string SpreadSource(const insight::WorstCase& wc, const Texts& T) {
  if (wc.spreadFrom != insight::SpreadFrom::Gap) return T("noteAlTolerance");
  return T("noteGapTolerance") + " \xB1" + Fixed(wc.gapTolerance_mm, 3) + " " + T("unitMm");
}

// The required inductance, the saturation check's figures and the verdict of
// the checks with the ones that failed and the cautions raised.
template <typename Texts>
void AddCheckRows(std::vector<DesignFigure>& rows, const insight::DesignDetails& d, const Texts& T) {
  using insight::CheckId;
  const insight::DesignChecks& c = d.checks;
  const insight::CheckOutcome& sat = c[CheckId::Saturation];
  std::string bsat = Fixed(c.fluxMargin * kPercent, 0) + " % " + T("noteBsat") + " " + Fixed(c.saturation.Bsat_T, 3) +
                     " " + T("unitT") + " " + T("noteSaturation") + " " + Fixed(c.temperature_C, 0) + " " +
                     T("unitDegc");
  if (c.saturation.extrapolated) bsat += ", " + T("noteBsatExtrapolated") + " " + T("unitDegc");
  if (c.saturation.fromBmax) bsat += ", " + T("noteBsatFromBmax");
  rows.push_back({T("rowRequired"), Fixed(c.requiredInductance_uH, 2), T("unitUh")});
  rows.push_back({T("rowSaturation"), Fixed(sat.value, 3) + " / " + Fixed(sat.limit, 3),
                  T("unitT") + " (" + T("noteSaturation") + " " + Fixed(c.saturationCurrent_A, 2) + " " + T("unitA") +
                      "; " + bsat + ")"});
  // The light load below half the ripple: the current where conduction
  // becomes discontinuous, at the point where it is highest.
  const insight::CheckOutcome& dcm = c[CheckId::Discontinuous];
  if (dcm.passed && !*dcm.passed && dcm.point >= 0) {
    std::string note = T("noteDiscontinuous");
    const double vin = d.points[static_cast<std::size_t>(dcm.point)].demand.vin_V;
    for (const auto& [mark, value] : {std::pair{"%1", Fixed(dcm.value, 3)}, std::pair{"%2", Fixed(vin, 2)}})
      if (const std::size_t at = note.find(mark); at != std::string::npos) note.replace(at, 2, value);
    rows.push_back({T("rowDiscontinuous"), Fixed(dcm.limit, 3), T("unitA") + " (" + note + ")"});
  }
  std::string failed, cautions;
  for (const insight::CheckOutcome& o : c.items) {
    if (!o.passed || *o.passed) continue;
    std::string& list = insight::SeverityOf(o.id) == insight::Severity::Fail ? failed : cautions;
    if (!list.empty()) list += ", ";
    list += insight::CheckName(o.id);
  }
  std::string verdict = T("verdictPasses");
  if (c.Failed() > 0) {
    verdict = T("verdictFails");
    const std::size_t at = verdict.find("%1");
    if (at != std::string::npos) verdict.replace(at, 2, std::to_string(c.Failed()));
  } else if (!c.FullyChecked()) {
    verdict = T("verdictUnchecked");
  }
  if (!cautions.empty()) {
    if (!failed.empty()) failed += "; ";
    failed += T("noteCautions");
    failed += ": ";
    failed += cautions;
  }
  rows.push_back({T("rowChecks"), verdict, failed});
}

// The inductance as the current rises, and what a powder core's distributed
// gap means for the window's required gap.
template <typename Texts>
void AddBiasRows(std::vector<DesignFigure>& rows, const insight::BiasFigures& b, const Texts& T) {
  if (!b.available) return;
  rows.push_back({T("rowBiasInductance"),
                  Fixed(b.inductanceAtZero_uH, 2) + " / " + Fixed(b.inductanceAtNominal_uH, 2) + " / " +
                      Fixed(b.inductanceAtPeak_uH, 2),
                  T("unitUh") + " (" + T(b.powder ? "noteRollOff" : "noteSaturationEstimate") +
                      (b.powder ? std::string() : " " + Fixed(b.saturationFlux_T, 3) + " " + T("unitT")) + ")"});
  rows.push_back({T("rowBiasField"), Fixed(b.biasField_A_per_m, 0), T("unitApm")});
  rows.push_back(
      {T("rowBiasRetained"),
       Fixed(b.permeabilityRetained * kPercent, 1) + " / " + Fixed(b.permeabilityRetainedAtPeak * kPercent, 1), "%"});
  rows.push_back({T("rowBiasRipple"), Fixed(b.rippleAtNominal_A, 3), T("unitA")});
  rows.push_back({T("rowBiasFlux"), Fixed(b.peakFlux_T, 3), T("unitT")});
  if (!b.powder) return;
  rows.push_back({"", T("noteDistributedGap"), ""});
  if (!b.temperatureCoefficients) rows.push_back({"", T("noteNoMuTemperature"), ""});
}

}  // namespace

std::vector<DesignFigure> DesignFigureRows(const insight::DesignDetails& d, const LanguageTable& lang) {
  auto T = [&lang](const char* key) { return DesignText(lang, key); };
  auto estimated = [&](bool flag) { return flag ? " (" + T("noteEstimated") + ")" : std::string(); };
  const insight::WindingFigures& w = d.winding;
  const insight::LossBudget& b = d.losses;
  const insight::WorstCase& wc = d.worstCase;
  const insight::OperatingState& o = d.operating;
  const insight::ThermalState& th = o.thermal;
  // Each settled figure with its value at the table temperature beside it.
  auto at100 = [&](double v, int decimals) { return " (" + T("noteAt100") + ": " + Fixed(v, decimals) + ")"; };
  const std::string settled = th.runaway ? T("noteRunaway") : Fixed(th.temperature_C, 0);
  const std::string settledUnit =
      th.runaway
          ? ""
          : T("unitDegc") + (d.operating.extrapolatedTemperature ? " (" + T("noteTemperatureOutside") + ")" : "");
  std::vector<DesignFigure> rows = {
      {T("rowMlt"), Fixed(w.mlt_mm, 1), T("unitMm") + estimated(w.mltEstimated)},
      {T("rowWireLength"), Fixed(w.wireLength_m, 3), T("unitM")},
      {T("rowAmbient"), Fixed(th.ambient_C, 0), T("unitDegc")},
      {T("rowOperating"), settled, settledUnit},
      {T("rowResistance"), Fixed(d.operating.resistance_Ohm * 1000, 2),
       T("unitMohm") + " (" + T("noteWinding") + " " + Fixed(th.temperature_C, 0) + " " + T("unitDegc") + ")"},
      {T("rowCopper"), Fixed(th.copper_W, 3), T("unitW") + at100(b.copper_W, 3)},
      {T("rowCore"), Fixed(b.core_W, 3), T("unitW") + " (" + T("noteAt100") + ")"},
      {T("rowCoreSine"), Fixed(o.coreSine_W, 3), T("unitW")},
      {T("rowWaveform"), Fixed(o.waveformFactor, 3), "(" + T("noteWaveform") + " " + Fixed(o.duty, 2) + ")"},
      {T("rowDcFactor"), Fixed(o.dcFactor, 3),
       "(" + T("noteDcFactor") + " " + Fixed(o.dcFlux_T, 3) + " " + T("unitT") + ")"},
      {T("rowCoreOperating"), Fixed(th.core_W, 3), T("unitW")},
      {T("rowTotal"), Fixed(th.total_W, 3), T("unitW") + at100(b.total_W, 3)},
      {T("rowSurface"), Fixed(b.surface_mm2 / 100, 1), T("unitCm2") + estimated(b.surfaceEstimated)},
      {T("rowRise"), Fixed(th.rise_K, 0), T("unitK") + " (" + T("noteRise") + ")" + at100(b.temperatureRise_K, 0)},
      {T("rowSkin"), Fixed(w.skinDepth_mm, 3), T("unitMm")},
      {T("rowRatio"), Fixed(w.diameterToSkinDepth, 2), w.skinEffectNote ? "(" + T("noteSkin") + ")" : ""},
      {T("rowLayers"), Fixed(o.layout.layers, 0),
       "(" + T("noteBreadth") + " " + Fixed(o.layout.breadth_mm, 1) + " " + T("unitMm") +
           (o.layout.breadthEstimated ? ", " + T("noteBreadthEstimated") : "") + ")"},
      {T("rowPenetration"), Fixed(o.penetrationRatio, 2), ""},
      {T("rowAcFactor"), Fixed(o.acFactor, 2),
       "(" + T("noteAcLoss") + " " + Fixed(o.copperAC_W, 3) + " " + T("unitW") + ")"},
      {T("rowInductance"), Span(wc.L_uH, 2), T("unitUh")},
      {T("rowRipple"), Span(wc.dI_A, 3), T("unitA")},
      {T("rowPeak"), Span(wc.Ipk_A, 3), T("unitA")},
      {T("rowPeakFlux"), Span(wc.Bpk_T, 3),
       T("unitT") + " (" + T(wc.fluxLimitHolds ? "noteLimitHolds" : "noteLimitBroken") + ")"},
      {T("rowSpread"), "\xB1" + Fixed(wc.tolerance * kPercent, 1), "% (" + SpreadSource(wc, T) + ")"},
      {T("rowLowEnd"), Fixed(wc.L_uH.min, 2),
       T("unitUh") + " (" + T("noteDesignedFor") + " " + Fixed(wc.designL_uH, 2) + " " + T("unitUh") + ")"},
  };
  AddBiasRows(rows, d.bias, T);
  AddCheckRows(rows, d, T);
  if (wc.ringWithGap) rows.push_back({"", T("noteRingGap"), ""});
  const insight::LossModel& m = d.lossModel;
  if (m.available) {
    const CoreLossSource& s = m.source;
    rows.push_back({T("rowModel"),
                    Fixed(s.F[0], 0) + "/" + Fixed(s.F[1], 0) + " " + T("unitKhz") + ", " + Fixed(s.B[0], 3) + "/" +
                        Fixed(s.B[1], 3) + " " + T("unitT"),
                    Fixed(s.P[0][0], 1) + ", " + Fixed(s.P[0][1], 1) + ", " + Fixed(s.P[1][0], 1) + ", " +
                        Fixed(s.P[1][1], 1) + " " + T("unitMwCm3")});
    if (s.outsideF || s.outsideB) rows.push_back({"", T("noteExtrapolated"), ""});
    if (s.missingCell) rows.push_back({"", T("noteMissingCell"), ""});
  } else {
    rows.push_back({T("rowModel"), T("noteNoData"), ""});
  }
  return rows;
}

PointTable DesignPointTable(const insight::DesignDetails& d, const LanguageTable& lang) {
  PointTable table;
  if (d.points.empty()) return table;
  auto T = [&lang](const char* key) { return DesignText(lang, key); };
  table.header.push_back(T("pointsTitle"));
  for (const insight::PointFigures& p : d.points) {
    std::string roles;
    for (std::size_t bit = 0; bit < insight::kRoleKeys.size(); ++bit)
      if (p.demand.roles & (1u << bit)) roles += (roles.empty() ? "" : ", ") + T(insight::kRoleKeys[bit]);
    table.header.push_back(roles);
  }
  for (const insight::PointRow& row : insight::PointRows()) {
    std::vector<std::string> cells{T(row.key)};
    for (const insight::PointFigures& p : d.points) cells.push_back(Fixed(row.value(p), row.decimals));
    table.rows.push_back(std::move(cells));
  }
  std::vector<std::string> decides{T(insight::kDecidesKey)};
  // One check a line: the column stays as narrow as its figures.
  for (const insight::PointFigures& p : d.points) decides.push_back(insight::DecidedChecks(p, "\n"));
  table.rows.push_back(std::move(decides));
  return table;
}

insight::InsightOptions DetailsOptionsOf(const DetailsConfig& config, const std::optional<double>& alTolerancePercent) {
  insight::InsightOptions options;
  options.alTolerance = alTolerancePercent.value_or(config.tol_gapped) / kPercent;
  options.alToleranceUngapped = alTolerancePercent.value_or(config.tol_ungapped) / kPercent;
  options.ambient_C = config.ambient_C;
  options.fluxMargin = config.flux_margin / kPercent;
  options.riseLimit_K = config.max_rise;
  options.minGap_mm = config.min_gap;
  return options;
}

}  // namespace velmora
