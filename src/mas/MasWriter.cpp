// SPDX-License-Identifier: GPL-3.0-or-later
// The MAS document of one choke, conformance class A.
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <system_error>

#include "mas/MasDocument.h"
#include "mas/MasNames.h"
#include "textfile/Cp1251.h"

namespace velmora::mas {

namespace {

using Json = nlohmann::ordered_json;

// The version of the format whose schemas this writer follows: the one that
// introduced the conformance classes.
constexpr const char* kMasVersion = "0.2.0";
constexpr const char* kConformanceClass = "A";
// Every figure here is computed, none measured or taken from a datasheet.
constexpr const char* kOrigin = "simulation";

// Decimal exponents between the program's units and SI.
constexpr int kMicro = -6;  // uH -> H
constexpr int kMilli = -3;  // mm -> m
constexpr int kKilo = 3;    // kHz -> Hz
constexpr int kNano = -9;   // nH -> H

bool Positive(double value) { return std::isfinite(value) && value > 0; }

// Every number of the converter and its points is finite (JSON has no other).
bool ConverterFinite(const MasDesign& d) {
  bool finite = true;
  for (const MasPoint& p : d.points)
    for (const double v : {p.currentOffset_A, p.currentRipple_A, p.dutyCycle, p.voltagePeakToPeak_V})
      finite = finite && std::isfinite(v);
  if (const auto& c = d.converter)
    for (const double v : {c->inputMinimum_V, c->inputMaximum_V, c->output_V, c->output_A, c->diodeDrop_V,
                           c->rippleRatio, c->efficiency, c->frequency_kHz})
      finite = finite && std::isfinite(v);
  return finite;
}

Json Nominal(double value) { return Json{{"nominal", value}}; }

Json OperatingPoint(const MasDesign& d, const MasPoint& p) {
  Json current{{"processed",
                {{"label", "triangular"},
                 {"peakToPeak", p.currentRipple_A},
                 {"offset", p.currentOffset_A},
                 {"dutyCycle", p.dutyCycle}}}};
  // The voltage across the choke of a converter in steady state averages 0.
  Json voltage{
      {"processed",
       {{"label", "rectangular"}, {"peakToPeak", p.voltagePeakToPeak_V}, {"offset", 0}, {"dutyCycle", p.dutyCycle}}}};
  Json excitation{{"name", "Choke"},
                  {"frequency", ShiftDecimal(d.frequency_kHz, kKilo)},
                  {"current", std::move(current)},
                  {"voltage", std::move(voltage)}};
  return Json{{"name", p.name},
              {"conditions", {{"ambientTemperature", d.ambient_C}}},
              {"excitationsPerWinding", Json::array({std::move(excitation)})}};
}

Json OperatingPoints(const MasDesign& d) {
  Json points = Json::array({OperatingPoint(
      d, {"Operating point", d.currentOffset_A, d.currentRipple_A, d.dutyCycle, d.voltagePeakToPeak_V})});
  for (const MasPoint& p : d.points) points.push_back(OperatingPoint(d, p));
  return points;
}

// The converter's part of converterInformation, under the topology's key.
Json ConverterInformation(const MasDesign& d, const MasConverter& c) {
  Json point{{"outputVoltages", {c.output_V}},
             {"outputCurrents", {c.output_A}},
             {"switchingFrequency", ShiftDecimal(c.frequency_kHz, kKilo)},
             {"ambientTemperature", d.ambient_C}};
  Json topology{{"inputVoltage", {{"minimum", c.inputMinimum_V}, {"maximum", c.inputMaximum_V}}},
                {"diodeVoltageDrop", c.diodeDrop_V},
                {"currentRippleRatio", c.rippleRatio},
                {"efficiency", c.efficiency},
                {"operatingPoints", Json::array({std::move(point)})}};
  return Json{{"supportedTopologies", {{c.topology == MasTopology::kBuck ? "buck" : "boost", std::move(topology)}}}};
}

Json Inputs(const MasDesign& d) {
  // One winding: no turns ratios.
  Json requirements{{"magnetizingInductance", Nominal(ShiftDecimal(d.inductance_uH, kMicro))},
                    {"turnsRatios", Json::array()}};
  if (!d.purpose.empty()) requirements["name"] = d.purpose;
  if (d.converter)
    requirements["topology"] = d.converter->topology == MasTopology::kBuck ? "buckConverter" : "boostConverter";
  Json inputs{{"designRequirements", std::move(requirements)}, {"operatingPoints", OperatingPoints(d)}};
  if (d.converter) inputs["converterInformation"] = ConverterInformation(d, *d.converter);
  return inputs;
}

Json Core(const MasDesign& d) {
  Json gapping = Json::array();
  if (d.gap_mm > 0)
    gapping.push_back(
        Json{{"type", "subtractive"}, {"length", ShiftDecimal(d.gap_mm, kMilli)}, {"coordinates", {0, 0, 0}}});
  return Json{{"name", NameToUtf8(d.coreName)},
              {"functionalDescription",
               {{"type", d.toroidal ? "toroidal" : "twoPieceSet"},
                {"material", NameToUtf8(d.material)},
                {"shape", NameToUtf8(d.shape)},
                {"gapping", std::move(gapping)},
                {"numberStacks", 1}}}};
}

Json Coil(const MasDesign& d) {
  Json wire{{"type", "round"},
            {"material", "copper"},
            {"conductingDiameter", Nominal(ShiftDecimal(d.conductingDiameter_mm, kMilli))}};
  if (Positive(d.outerDiameter_mm)) wire["outerDiameter"] = Nominal(ShiftDecimal(d.outerDiameter_mm, kMilli));
  Json winding{{"name", "Primary"},
               {"numberTurns", d.turns},
               {"numberParallels", d.parallels},
               {"isolationSide", "primary"},
               {"wire", std::move(wire)}};
  // A coil needs a bobbin; the program knows none but the core's window.
  return Json{{"bobbin", "basic"}, {"functionalDescription", Json::array({std::move(winding)})}};
}

Json Outputs(const MasDesign& d) {
  Json result = Json::object();
  if (Positive(d.coreLoss_W) && std::isfinite(d.lossTemperature_C))
    result["coreLosses"] = Json{{"origin", kOrigin},
                                {"methodUsed", "material loss table, power law between its points"},
                                {"coreLosses", d.coreLoss_W},
                                {"temperature", d.lossTemperature_C}};
  if (Positive(d.windingLoss_W) && std::isfinite(d.lossTemperature_C))
    result["windingLosses"] = Json{{"origin", kOrigin},
                                   {"methodUsed", "DC resistance of the winding"},
                                   {"windingLosses", d.windingLoss_W},
                                   {"temperature", d.lossTemperature_C}};
  if (std::isfinite(d.temperature_C))
    result["temperature"] = Json{{"origin", kOrigin},
                                 {"methodUsed", "McLyman free-air estimate of the rise over ambient"},
                                 {"maximumTemperature", d.temperature_C}};
  if (Positive(d.actualInductance_uH) && Positive(d.inductanceFactor_nH))
    result["inductance"] = Json{{"magnetizingInductance",
                                 {{"origin", kOrigin},
                                  {"methodUsed", "AL of the gapped core and the turns"},
                                  {"magnetizingInductance", Nominal(ShiftDecimal(d.actualInductance_uH, kMicro))},
                                  // N^2 / L: the reluctance the turns see, in 1/H.
                                  {"coreReluctance", 1 / ShiftDecimal(d.inductanceFactor_nH, kNano)}}}};
  if (result.empty()) return Json::array();
  return Json::array({std::move(result)});
}

}  // namespace

double ShiftDecimal(double value, int exponent) {
  if (!std::isfinite(value) || value == 0 || exponent == 0) return value;
  char text[64];
  const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
  if (written.ec != std::errc()) return value;
  std::string shifted(text, written.ptr);
  const std::size_t e = shifted.find('e');
  int power = 0;
  std::from_chars(shifted.data() + e + 1 + (shifted[e + 1] == '+'), shifted.data() + shifted.size(), power);
  shifted.resize(e + 1);
  shifted += std::to_string(power + exponent);
  double result = value;
  const auto read = std::from_chars(shifted.data(), shifted.data() + shifted.size(), result);
  // Beyond the range of a double: infinite, or zero below its smallest.
  if (read.ec == std::errc::result_out_of_range) return std::copysign(power + exponent > 0 ? HUGE_VAL : 0.0, value);
  return result;
}

std::string MasDesignProblem(const MasDesign& d) {
  struct Check {
    const char* name;
    bool ok;
  };
  const Check checks[] = {
      {"inductance", Positive(d.inductance_uH)},
      {"frequency", Positive(d.frequency_kHz)},
      {"ambient temperature", std::isfinite(d.ambient_C) && d.ambient_C >= kAbsoluteZero_C},
      {"current", std::isfinite(d.currentOffset_A) && std::isfinite(d.currentRipple_A) && d.currentRipple_A >= 0},
      {"duty cycle", std::isfinite(d.dutyCycle) && d.dutyCycle >= 0 && d.dutyCycle <= 1},
      {"voltage", std::isfinite(d.voltagePeakToPeak_V) && d.voltagePeakToPeak_V >= 0},
      {"gap", std::isfinite(d.gap_mm) && d.gap_mm >= 0},
      {"turns", d.turns > 0},
      {"wire", d.parallels > 0 && Positive(d.conductingDiameter_mm)},
      {"converter", ConverterFinite(d)},
  };
  for (const Check& check : checks)
    if (!check.ok) return check.name;
  return {};
}

std::string WriteMasDocument(const MasDesign& d) {
  Json doc{{"masVersion", kMasVersion},
           {"masConformance", kConformanceClass},
           {"inputs", Inputs(d)},
           {"magnetic", {{"core", Core(d)}, {"coil", Coil(d)}}},
           {"outputs", Outputs(d)}};
  // Names were made valid UTF-8 on the way in; replace guards the rest.
  return doc.dump(kIndent, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace velmora::mas
