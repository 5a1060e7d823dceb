// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ConverterOptions.h"

#include <charconv>

#include "cli/Json.h"

namespace velmora::cli {

namespace {

using converter::RequestError;

constexpr double kPercent = 100.0;

struct Option {
  const char* name;
  std::optional<std::string> ConverterArgs::*text;
};

constexpr Option kOptions[] = {
    {"--converter", &ConverterArgs::topology},
    {"--vin", &ConverterArgs::vin},
    {"--vout", &ConverterArgs::vout},
    {"--iout", &ConverterArgs::iout},
    {"--ripple", &ConverterArgs::ripple},
    {"--fsw", &ConverterArgs::fsw},
    {"--iout-min", &ConverterArgs::ioutMin},
    {"--efficiency", &ConverterArgs::efficiency},
    {"--vsw", &ConverterArgs::vsw},
    {"--vd", &ConverterArgs::vd},
};

// The whole text as one decimal number.
std::optional<double> Number(std::string_view text) {
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// The option that an error of the request names. A duty cycle out of range
// comes from the voltages: from their ratio alone when there are no drops.
const char* OptionOf(RequestError error, const converter::ConverterRequest& request) {
  if (error == RequestError::kDutyOutOfRange)
    return request.vsw == 0 && request.vd == 0 ? "--vin/--vout" : "--vsw/--vd/--vin/--vout";
  switch (error) {
    case RequestError::kVinMin:
    case RequestError::kVinRange:
      return "--vin";
    case RequestError::kVout:
    case RequestError::kVoutNotBelow:
    case RequestError::kVoutNotAbove:
      return "--vout";
    case RequestError::kIout:
      return "--iout";
    case RequestError::kIoutMin:
      return "--iout-min";
    case RequestError::kRipple:
      return "--ripple";
    case RequestError::kFrequency:
      return "--fsw";
    case RequestError::kEfficiency:
      return "--efficiency";
    case RequestError::kDrops:
      return "--vsw/--vd";
    case RequestError::kDutyOutOfRange:
    case RequestError::kNone:
      break;
  }
  return "--converter";
}

// Fills the request's numbers from the texts; the error names the first bad one.
std::string ReadNumbers(const ConverterArgs& a, converter::ConverterRequest& s) {
  auto number = [](const char* name, const std::string& text, double& out) -> std::string {
    const auto v = Number(text);
    if (!v) return std::string(name) + ": not a number: " + text;
    out = *v;
    return {};
  };
  const std::string& vin = *a.vin;
  const std::size_t colon = vin.find(':');
  std::string e = number("--vin", vin.substr(0, colon), s.vinMin);
  if (e.empty()) e = number("--vin", colon == std::string::npos ? vin : vin.substr(colon + 1), s.vinMax);
  if (e.empty()) e = number("--vout", *a.vout, s.vout);
  if (e.empty()) e = number("--iout", *a.iout, s.iout);
  if (e.empty()) e = number("--fsw", *a.fsw, s.fsw_kHz);
  if (e.empty() && a.vsw) e = number("--vsw", *a.vsw, s.vsw);
  if (e.empty() && a.vd) e = number("--vd", *a.vd, s.vd);
  if (e.empty() && a.ioutMin) e = number("--iout-min", *a.ioutMin, s.ioutMin.emplace());
  if (e.empty() && a.efficiency) {
    std::string pct = *a.efficiency;
    if (!pct.empty() && pct.back() == '%') pct.pop_back();
    e = number("--efficiency", pct, s.efficiency);
    s.efficiency /= kPercent;
  }
  if (!e.empty()) return e;
  // 30% is a share of the inductor current, 3A amperes ("30 %" and "3 A"
  // as the help writes them).
  const std::string& ripple = *a.ripple;
  const char unit = ripple.empty() ? '\0' : ripple.back();
  if (unit != '%' && unit != 'A') return "--ripple: give a share with % or amperes with A: " + ripple;
  std::string_view amount(ripple.data(), ripple.size() - 1);
  while (!amount.empty() && amount.back() == ' ') amount.remove_suffix(1);
  e = number("--ripple", std::string(amount), s.ripple);
  s.rippleUnit = unit == '%' ? converter::RippleUnit::kShare : converter::RippleUnit::kAmperes;
  if (unit == '%') s.ripple /= kPercent;
  return e;
}

}  // namespace

std::vector<const char*> ConverterOptionNames() {
  std::vector<const char*> names;
  for (const Option& o : kOptions) names.push_back(o.name);
  return names;
}

void SetConverterOption(std::string_view option, const std::string& value, ConverterArgs& args) {
  for (const Option& o : kOptions) {
    if (option != o.name) continue;
    args.*o.text = value;
    args.given = true;
  }
}

std::string FinishConverterArgs(ConverterArgs& a) {
  if (!a.given) return {};
  for (const Option& o : {kOptions[0], kOptions[1], kOptions[2], kOptions[3], kOptions[4], kOptions[5]})
    if (!(a.*o.text)) return std::string("the converter needs ") + o.name;
  const auto topology = converter::TopologyFromName(a.topology->c_str());
  if (!topology) return "--converter: buck, boost or buckboost, not " + *a.topology;
  converter::ConverterRequest s;
  s.topology = *topology;
  if (std::string e = ReadNumbers(a, s); !e.empty()) return e;
  const RequestError error = converter::CheckRequest(s);
  if (error != RequestError::kNone) return std::string(OptionOf(error, s)) + ": " + converter::RequestErrorText(error);
  a.request = s;
  return {};
}

Json ConverterJson(const converter::ConverterRequest& request, const converter::ConverterDesign& d) {
  auto point = [](const char* at, const converter::OperatingPoint& p) {
    return Json{{"at", at},
                {"inputVoltage_V", p.vin},
                {"dutyCycle", p.duty},
                {"inductorCurrent_A", p.inductorCurrent},
                {"ripple_A", p.ripple},
                {"peakCurrent_A", p.peakCurrent}};
  };
  return {{"topology", converter::TopologyName(request.topology)},
          {"inductance_uH", d.inductance_uH},
          {"designInputVoltage_V", d.design.vin},
          {"points", {point("min", d.atMin), point("max", d.atMax), point("worst", d.worst)}}};
}

}  // namespace velmora::cli
