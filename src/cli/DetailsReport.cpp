// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DetailsReport.h"

#include <cmath>
#include <cstdio>

#include "app/DesignFigures.h"
#include "textfile/Cp1251.h"

namespace velmora::cli {

namespace {

using insight::DesignDetails;

std::string Num(double v) { return std::isfinite(v) ? JsonNumber(v) : "null"; }
std::string Bool(bool b) { return b ? "true" : "false"; }

std::string List(const std::vector<double>& values) {
  std::string j = "[";
  for (std::size_t i = 0; i < values.size(); ++i) j += (i ? ", " : "") + Num(values[i]);
  return j + "]";
}

std::string Pair(double a, double b) { return "[" + Num(a) + ", " + Num(b) + "]"; }

// "name": value pairs joined into one object.
struct Object {
  std::string text = "{";
  Object& Add(const char* name, const std::string& value) {
    text += (text.size() > 1 ? ", " : "") + JsonString(name) + ": " + value;
    return *this;
  }
  std::string Close() const { return text + "}"; }
};

std::string LossModelJson(const insight::LossModel& m) {
  const CoreLossSource& s = m.source;
  return Object()
      .Add("available", Bool(m.available))
      .Add("frequency_kHz", Num(m.F_kHz))
      .Add("Bac_T", Num(m.Bac_T))
      .Add("Pv_mW_cm3", Num(m.Pv_mW_cm3))
      .Add("limit_mW_cm3", Num(m.limit_mW_cm3))
      .Add("fluxAtLimit_T", Num(m.Blimit_T))
      .Add("tableFrequencies_kHz", m.available ? Pair(s.F[0], s.F[1]) : "null")
      .Add("tableFluxDensities_T", m.available ? Pair(s.B[0], s.B[1]) : "null")
      .Add("tableValues_mW_cm3",
           m.available ? "[" + Pair(s.P[0][0], s.P[0][1]) + ", " + Pair(s.P[1][0], s.P[1][1]) + "]" : "null")
      .Add("columnsAtFrequency_mW_cm3", m.available ? Pair(s.Px[0], s.Px[1]) : "null")
      .Add("fluxExponent", m.available ? Num(s.beta) : "null")
      .Add("extrapolated", Bool(s.outsideF || s.outsideB))
      .Add("extrapolatedFrequency", Bool(s.outsideF))
      .Add("extrapolatedFluxDensity", Bool(s.outsideB))
      .Add("missingCell", Bool(s.missingCell))
      .Close();
}

std::string WorstCaseJson(const insight::WorstCase& w) {
  return Object()
      .Add("gapGiven", Bool(w.gapGiven))
      .Add("ungapped", Bool(w.ungapped))
      .Add("alTolerance_rel", Num(w.tolerance))
      .Add("spreadFrom", JsonString(w.spreadFrom == insight::SpreadFrom::Gap ? "gap" : "AL"))
      .Add("gapTolerance_mm", w.gapGiven && !w.ungapped ? Num(w.gapTolerance_mm) : "null")
      .Add("AL_nH", Pair(w.AL_nH.min, w.AL_nH.max))
      .Add("inductance_uH", Pair(w.L_uH.min, w.L_uH.max))
      .Add("ripple_A", Pair(w.dI_A.min, w.dI_A.max))
      .Add("peakCurrent_A", Pair(w.Ipk_A.min, w.Ipk_A.max))
      .Add("peakFluxDensity_T", Pair(w.Bpk_T.min, w.Bpk_T.max))
      .Add("permittedFluxDensity_T", Num(w.Bm_T))
      .Add("fluxLimitHolds", Bool(w.fluxLimitHolds))
      .Close();
}

// The settled state beside the figures at the table temperature.
void AddOperating(Object& o, const DesignDetails& d, const insight::InsightOptions& options) {
  const insight::OperatingState& s = d.operating;
  const insight::ThermalState& t = s.thermal;
  o.Add("ambient_C", Num(options.ambient_C))
      .Add("windingTemperature_C", Num(t.temperature_C))
      .Add("coreTemperature_C", Num(t.temperature_C))
      .Add("thermalPasses", std::to_string(t.passes))
      .Add("thermalRunaway", Bool(t.runaway))
      .Add("extrapolatedTemperature", Bool(s.extrapolatedTemperature))
      .Add("resistance_mOhm", Num(s.resistance_Ohm * insight::constants::kMOhmPerOhm))
      .Add("copperLoss_W", Num(t.copper_W))
      .Add("coreLoss_W", Num(d.losses.core_W))
      .Add("coreLossOperating_W", Num(t.core_W))
      .Add("totalLoss_W", Num(t.total_W))
      .Add("temperatureRise_K", Num(t.rise_K))
      .Add("copperLoss100C_W", Num(d.losses.copper_W))
      .Add("totalLoss100C_W", Num(d.losses.total_W))
      .Add("temperatureRise100C_K", Num(d.losses.temperatureRise_K));
}

// The losses of the choke's own waveforms, at the settled temperature.
void AddWaveformLosses(Object& o, const insight::OperatingState& s) {
  o.Add("waveformFactor", Num(s.waveformFactor))
      .Add("coreLossSine_W", Num(s.coreSine_W))
      .Add("windingBreadth_mm", Num(s.layout.breadth_mm))
      .Add("breadthEstimated", Bool(s.layout.breadthEstimated))
      .Add("windingLayers", Num(s.layout.layers))
      .Add("penetrationRatio", Num(s.penetrationRatio))
      .Add("acResistanceFactor", Num(s.acFactor))
      .Add("copperLossDC_W", Num(s.copperDC_W))
      .Add("copperLossAC_W", Num(s.copperAC_W));
}

}  // namespace

std::string DetailsJson(const DesignDetails& d, const insight::InsightOptions& options) {
  const insight::WindingFigures& w = d.winding;
  const insight::LossBudget& b = d.losses;
  Object o;
  AddOperating(o, d, options);
  AddWaveformLosses(o, d.operating);
  return o.Add("mlt_mm", Num(w.mlt_mm))
      .Add("mltEstimated", Bool(w.mltEstimated))
      .Add("wireLength_m", Num(w.wireLength_m))
      .Add("resistivity_Ohm_m", Num(w.resistivity_Ohm_m))
      .Add("surface_mm2", Num(b.surface_mm2))
      .Add("surfaceEstimated", Bool(b.surfaceEstimated))
      .Add("skinDepth_mm", Num(w.skinDepth_mm))
      .Add("diameterToSkinDepth", Num(w.diameterToSkinDepth))
      .Add("skinEffectNote", Bool(w.skinEffectNote))
      .Add("lossModel", LossModelJson(d.lossModel))
      .Add("lossCurve", Object()
                            .Add("frequency_kHz", Num(d.lossModel.F_kHz))
                            .Add("B_T", List(d.lossCurve.B_T))
                            .Add("Pv_mW_cm3", List(d.lossCurve.Pv_mW_cm3))
                            .Close())
      .Add("waveform", Object()
                           .Add("t_us", List(d.waveform.t_us))
                           .Add("i_A", List(d.waveform.i_A))
                           .Add("B_T", List(d.waveform.B_T))
                           .Close())
      .Add("worstCase", WorstCaseJson(d.worstCase))
      .Close();
}

std::vector<Report::Row> DetailsRows(const DesignDetails& d, const LanguageTable& lang) {
  std::vector<Report::Row> rows;
  for (const DesignFigure& f : DesignFigureRows(d, lang))
    rows.push_back({Cp1251TextToUtf8(f.caption), Cp1251TextToUtf8(f.value), Cp1251TextToUtf8(f.unit)});
  return rows;
}

}  // namespace velmora::cli
