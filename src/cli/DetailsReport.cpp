// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DetailsReport.h"

#include <algorithm>

#include "app/DesignFigures.h"
#include "converter/Converter.h"
#include "textfile/Cp1251.h"

namespace velmora::cli {

namespace {

using insight::DesignDetails;

Json LossModelJson(const insight::LossModel& m) {
  const CoreLossSource& s = m.source;
  const Json none;
  return {{"available", m.available},
          {"frequency_kHz", m.F_kHz},
          {"Bac_T", m.Bac_T},
          {"Pv_mW_cm3", m.Pv_mW_cm3},
          {"limit_mW_cm3", m.limit_mW_cm3},
          {"fluxAtLimit_T", m.Blimit_T},
          {"tableFrequencies_kHz", m.available ? Pair(s.F[0], s.F[1]) : none},
          {"tableFluxDensities_T", m.available ? Pair(s.B[0], s.B[1]) : none},
          {"tableValues_mW_cm3",
           m.available ? Json::array({Pair(s.P[0][0], s.P[0][1]), Pair(s.P[1][0], s.P[1][1])}) : none},
          {"columnsAtFrequency_mW_cm3", m.available ? Pair(s.Px[0], s.Px[1]) : none},
          {"fluxExponent", m.available ? Json(s.beta) : none},
          {"extrapolated", s.outsideF || s.outsideB},
          {"extrapolatedFrequency", s.outsideF},
          {"extrapolatedFluxDensity", s.outsideB},
          {"missingCell", s.missingCell}};
}

Json WorstCaseJson(const insight::WorstCase& w) {
  return {{"gapGiven", w.gapGiven},
          {"ungapped", w.ungapped},
          {"alTolerance_rel", w.tolerance},
          {"spreadFrom", w.spreadFrom == insight::SpreadFrom::Gap ? "gap" : "AL"},
          {"gapTolerance_mm", w.gapGiven && !w.ungapped ? Json(w.gapTolerance_mm) : Json()},
          {"AL_nH", Pair(w.AL_nH.min, w.AL_nH.max)},
          {"inductance_uH", Pair(w.L_uH.min, w.L_uH.max)},
          {"ripple_A", Pair(w.dI_A.min, w.dI_A.max)},
          {"peakCurrent_A", Pair(w.Ipk_A.min, w.Ipk_A.max)},
          {"peakFluxDensity_T", Pair(w.Bpk_T.min, w.Bpk_T.max)},
          {"permittedFluxDensity_T", w.Bm_T},
          {"fluxLimitHolds", w.fluxLimitHolds}};
}

// The settled state beside the figures at the table temperature.
void AddOperating(Json& o, const DesignDetails& d, const insight::InsightOptions& options) {
  const insight::OperatingState& s = d.operating;
  const insight::ThermalState& t = s.thermal;
  o["ambient_C"] = options.ambient_C;
  o["windingTemperature_C"] = t.temperature_C;
  o["coreTemperature_C"] = t.temperature_C;
  o["thermalPasses"] = t.passes;
  o["thermalRunaway"] = t.runaway;
  o["extrapolatedTemperature"] = s.extrapolatedTemperature;
  o["resistance_mOhm"] = s.resistance_Ohm * insight::constants::kMOhmPerOhm;
  o["copperLoss_W"] = t.copper_W;
  o["coreLoss_W"] = d.losses.core_W;
  o["coreLossOperating_W"] = t.core_W;
  o["totalLoss_W"] = t.total_W;
  o["temperatureRise_K"] = t.rise_K;
  o["copperLoss100C_W"] = d.losses.copper_W;
  o["totalLoss100C_W"] = d.losses.total_W;
  o["temperatureRise100C_K"] = d.losses.temperatureRise_K;
}

// The losses of the choke's own waveforms, at the settled temperature.
void AddWaveformLosses(Json& o, const insight::OperatingState& s) {
  o["waveformFactor"] = s.waveformFactor;
  o["coreLossSine_W"] = s.coreSine_W;
  o["coreLossDcFactor"] = s.dcFactor;
  o["dcFluxDensity_T"] = s.dcFlux_T;
  o["windingBreadth_mm"] = s.layout.breadth_mm;
  o["breadthEstimated"] = s.layout.breadthEstimated;
  o["windingLayers"] = s.layout.layers;
  o["penetrationRatio"] = s.penetrationRatio;
  o["acResistanceFactor"] = s.acFactor;
  o["copperLossDC_W"] = s.copperDC_W;
  o["copperLossAC_W"] = s.copperAC_W;
}

// What the checks were made with: the required inductance, the saturation
// current, the core temperature and Bsat there, the margin and the verdict.
void AddCheckFacts(Json& o, const insight::DesignChecks& c, const insight::InsightOptions& options) {
  o["minimumInductance_uH"] = c.requiredInductance_uH;
  o["saturationCurrent_A"] = c.saturationCurrent_A;
  o["saturation"] = {{"coreTemperature_C", c.temperature_C},
                     {"Bsat_T", c.saturation.Bsat_T},
                     {"extrapolated", c.saturation.extrapolated},
                     {"fromBmax", c.saturation.fromBmax},
                     {"fluxMargin", options.fluxMargin}};
  o["riseLimit_K"] = options.riseLimit_K;
  o["minimumGap_mm"] = options.minGap_mm;
  static constexpr const char* kVerdicts[] = {"passes", "fails", "notFullyChecked"};
  o["verdict"] = kVerdicts[static_cast<int>(c.Outcome())];
}

// The inductance as the current rises (null where the run gives none).
void AddBias(Json& o, const insight::BiasFigures& b) {
  auto value = [&](double v) { return b.available ? Json(v) : Json(); };
  o["inductanceModel"] = b.powder ? "rollOff" : "saturationEstimate";
  o["biasTemperature_C"] = value(b.temperature_C);
  o["permeabilityTemperatureFactor"] = b.powder ? value(b.temperatureFactor) : Json();
  o["permeabilityTemperatureCoefficients"] = b.temperatureCoefficients;
  o["biasField_A_per_m"] = value(b.biasField_A_per_m);
  o["inductanceAtZeroCurrent_uH"] = value(b.inductanceAtZero_uH);
  o["inductanceAtNominalCurrent_uH"] = value(b.inductanceAtNominal_uH);
  o["inductanceAtPeakCurrent_uH"] = value(b.inductanceAtPeak_uH);
  o["permeabilityRetained"] = value(b.permeabilityRetained);
  o["permeabilityRetainedAtPeak"] = value(b.permeabilityRetainedAtPeak);
  o["rippleAtNominalInductance_A"] = value(b.rippleAtNominal_A);
  o["peakCurrentUnderBias_A"] = value(b.peakCurrent_A);
  o["peakFluxDensityUnderBias_T"] = value(b.peakFlux_T);
  o["saturationEstimateBsat_T"] = b.powder ? Json() : value(b.saturationFlux_T);
  o["inductanceCurve"] = {{"I_A", b.I_A}, {"L_uH", b.L_uH}};
}

}  // namespace

Json DetailsJson(const DesignDetails& d, const insight::InsightOptions& options) {
  const insight::WindingFigures& w = d.winding;
  const insight::LossBudget& b = d.losses;
  Json o = Json::object();
  AddOperating(o, d, options);
  AddWaveformLosses(o, d.operating);
  o["mlt_mm"] = w.mlt_mm;
  o["mltEstimated"] = w.mltEstimated;
  o["wireLength_m"] = w.wireLength_m;
  o["resistivity_Ohm_m"] = w.resistivity_Ohm_m;
  o["surface_mm2"] = b.surface_mm2;
  o["surfaceEstimated"] = b.surfaceEstimated;
  o["skinDepth_mm"] = w.skinDepth_mm;
  o["diameterToSkinDepth"] = w.diameterToSkinDepth;
  o["skinEffectNote"] = w.skinEffectNote;
  o["lossModel"] = LossModelJson(d.lossModel);
  o["lossCurve"] = {
      {"frequency_kHz", d.lossModel.F_kHz}, {"B_T", d.lossCurve.B_T}, {"Pv_mW_cm3", d.lossCurve.Pv_mW_cm3}};
  o["waveform"] = {{"t_us", d.waveform.t_us}, {"i_A", d.waveform.i_A}, {"B_T", d.waveform.B_T}};
  o["worstCase"] = WorstCaseJson(d.worstCase);
  AddBias(o, d.bias);
  AddCheckFacts(o, d.checks, options);
  return o;
}

Json ChecksJson(const insight::DesignChecks& checks) {
  Json list = Json::array();
  for (const insight::CheckOutcome& c : checks.items)
    list.push_back({{"id", insight::CheckName(c.id)},
                    {"passed", c.passed ? Json(*c.passed) : Json()},
                    {"severity", insight::SeverityOf(c.id) == insight::Severity::Fail ? "fail" : "caution"},
                    {"value", c.value},
                    {"limit", c.limit},
                    {"unit", insight::CheckUnit(c.id)},
                    {"point", c.point == insight::kNoPoint ? Json() : Json(c.point)}});
  return list;
}

Json OperatingPointsJson(const DesignDetails& d) {
  static constexpr std::pair<unsigned, const char*> kRoles[] = {{converter::kLowEnd, "min"},
                                                                {converter::kHighEnd, "max"},
                                                                {converter::kLargestRipple, "largestRipple"},
                                                                {converter::kHighestCurrent, "highestCurrent"}};
  Json list = Json::array();
  for (const insight::PointFigures& p : d.points) {
    const ChokeResults& r = p.results;
    const insight::ThermalState& t = p.operating.thermal;
    Json at = Json::array();
    for (const auto& [bit, name] : kRoles)
      if (p.demand.roles & bit) at.push_back(name);
    Json decides = Json::array();
    for (const insight::CheckOutcome& c : p.checks.items)
      if (p.decides & (1u << static_cast<unsigned>(c.id))) decides.push_back(insight::CheckName(c.id));
    list.push_back({{"at", at},
                    {"inputVoltage_V", p.demand.vin_V},
                    {"dutyCycle", r.D},
                    {"inductorCurrent_A", r.read.Inom},
                    {"ripple_A", r.dI},
                    {"peakCurrent_A", r.Ipk},
                    {"rmsCurrent_A", r.Irms},
                    {"lightLoadCurrent_A", p.demand.lightCurrent_A},
                    {"peakFluxDensity_T", r.Bpk},
                    {"Bac_T", r.Bac},
                    {"Bdc_T", p.Bdc_T},
                    {"permittedFluxDensity_T", r.Bm},
                    {"waveformFactor", p.operating.waveformFactor},
                    {"coreLoss100C_W", r.noData ? insight::constants::kNaN : r.Pcore},
                    {"coreLossOperating_W", t.core_W},
                    {"copperLossDC_W", p.operating.copperDC_W},
                    {"copperLossAC_W", p.operating.copperAC_W},
                    {"copperLoss_W", t.copper_W},
                    {"totalLoss_W", t.total_W},
                    {"coreTemperature_C", t.temperature_C},
                    {"temperatureRise_K", t.rise_K},
                    {"thermalRunaway", t.runaway},
                    {"decides", decides}});
  }
  return list;
}

std::vector<Report::Row> DetailsRows(const DesignDetails& d, const LanguageTable& lang) {
  std::vector<Report::Row> rows;
  for (const DesignFigure& f : DesignFigureRows(d, lang))
    rows.push_back({Cp1251TextToUtf8(f.caption), Cp1251TextToUtf8(f.value), Cp1251TextToUtf8(f.unit)});
  return rows;
}

std::vector<Report::Row> PointRows(const DesignDetails& d, const LanguageTable& lang) {
  std::vector<Report::Row> rows;
  const PointTable table = DesignPointTable(d, lang);
  if (table.rows.empty()) return rows;
  auto joined = [](const std::vector<std::string>& cells) {
    std::string text;
    for (std::size_t i = 1; i < cells.size(); ++i) {
      std::string cell = Cp1251TextToUtf8(cells[i]);
      std::replace(cell.begin(), cell.end(), '\n', ' ');
      text += (i > 1 ? " | " : "") + (cell.empty() ? "-" : cell);
    }
    return text;
  };
  rows.push_back({"", joined(table.header), ""});
  for (const std::vector<std::string>& row : table.rows) rows.push_back({Cp1251TextToUtf8(row[0]), joined(row), ""});
  return rows;
}

}  // namespace velmora::cli
