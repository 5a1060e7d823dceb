// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ConverterRecord.h"

#include <charconv>
#include <cmath>
#include <iterator>

#include "app/ConverterCommands.h"
#include "textfile/Numbers.h"

namespace velmora {

namespace {

using converter::ConverterRequest;
using converter::RippleUnit;
using converter::Topology;

constexpr std::string_view kTopologyNames[] = {"buck", "boost", "inverting"};
constexpr std::string_view kShare = "share";
constexpr std::string_view kAmperes = "amperes";

// The numeric fields in file order.
struct NumberField {
  std::string_view key;
  double ConverterRequest::*member;
};
constexpr NumberField kNumbers[] = {{"conv_vin_min", &ConverterRequest::vinMin},
                                    {"conv_vin_max", &ConverterRequest::vinMax},
                                    {"conv_vout", &ConverterRequest::vout},
                                    {"conv_iout", &ConverterRequest::iout},
                                    {"conv_ripple", &ConverterRequest::ripple},
                                    {"conv_fsw_khz", &ConverterRequest::fsw_kHz},
                                    {"conv_efficiency", &ConverterRequest::efficiency},
                                    {"conv_drop_switch", &ConverterRequest::vsw},
                                    {"conv_drop_diode", &ConverterRequest::vd}};
constexpr std::string_view kTopologyKey = "conv_topology";
constexpr std::string_view kLightLoadKey = "conv_light_load";
constexpr std::string_view kRippleUnitKey = "conv_ripple_unit";

void AddLine(std::string& out, std::string_view key, std::string_view value) {
  out.append(key).append("\t= ").append(value).append("\r\n");
}

std::string_view Trimmed(std::string_view v) {
  const auto first = v.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return v.substr(first, v.find_last_not_of(" \t") - first + 1);
}

// The value of the section's line whose key is exactly `key`; none without one.
std::optional<std::string_view> Value(std::string_view section, std::string_view key) {
  std::size_t start = 0;
  while (start < section.size()) {
    auto end = section.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = section.size();
    const std::string_view line = section.substr(start, end - start);
    const auto eq = line.find('=');
    if (eq != std::string_view::npos && Trimmed(line.substr(0, eq)) == key) return Trimmed(line.substr(eq + 1));
    start = end + 1;
  }
  return std::nullopt;
}

ConverterStatement::Point PointOf(const converter::OperatingPoint& p) {
  return {p.vin, p.duty, p.inductorCurrent, p.ripple, p.peakCurrent};
}

}  // namespace

ConverterStatement StatementOf(const ConverterRequest& request, const MaterialRecord& material) {
  ConverterStatement s;
  s.kind = static_cast<ConverterStatement::Kind>(request.topology);
  s.vinMin = request.vinMin;
  s.vinMax = request.vinMax;
  s.vout = request.vout;
  s.iout = request.iout;
  s.ioutMin = request.ioutMin;
  s.rippleInAmperes = request.rippleUnit == RippleUnit::kAmperes;
  s.ripple = request.ripple;
  s.fsw_kHz = request.fsw_kHz;
  ConverterRequest held = request;
  HoldToMaterialTable(held, material);
  const converter::DesignResult r = converter::DesignConverter(held);
  if (r.error != converter::RequestError::kNone) return s;
  s.atMin = PointOf(r.design.atMin);
  s.atMax = PointOf(r.design.atMax);
  s.worst = PointOf(r.design.worst);
  return s;
}

std::function<std::vector<insight::PointDemand>(double)> PointSourceOf(const ConverterRequest& request) {
  auto planner = std::make_shared<const converter::PointPlanner>(request);
  return [request, planner](double inductance_uH) {
    std::vector<insight::PointDemand> demands;
    for (const converter::RolePoint& p : planner->At(inductance_uH)) {
      insight::PointDemand d;
      d.roles = p.roles;
      d.vin_V = p.point.vin;
      d.duty = p.point.duty;
      d.voltageOn_V = p.point.voltageOn;
      d.current_A = p.point.inductorCurrent;
      if (const auto light = converter::LightLoadCurrent(request, p.point.vin)) d.lightCurrent_A = *light;
      demands.push_back(d);
    }
    return demands;
  };
}

std::vector<insight::PointDemand> PointDemandsOf(const ConverterRequest& request, double inductance_uH) {
  return PointSourceOf(request)(inductance_uH);
}

std::string SerializeConverterSection(const ConverterRequest& request) {
  std::string out(kConverterSection);
  out += "\r\n";
  AddLine(out, kTopologyKey, kTopologyNames[static_cast<int>(request.topology)]);
  for (const NumberField& f : kNumbers) AddLine(out, f.key, ShortestNumberText(request.*f.member));
  AddLine(out, kRippleUnitKey, request.rippleUnit == RippleUnit::kAmperes ? kAmperes : kShare);
  AddLine(out, kLightLoadKey, request.ioutMin ? ShortestNumberText(*request.ioutMin) : std::string());
  return out;
}

std::string_view ConverterSectionOf(std::string_view text) {
  const auto at = text.find(kConverterSection);
  return at == std::string_view::npos ? std::string_view() : text.substr(at);
}

std::optional<ConverterRequest> ParseConverterSection(std::string_view text) {
  const std::string_view section = ConverterSectionOf(text);
  if (section.empty()) return std::nullopt;
  ConverterRequest request;
  const auto topology = Value(section, kTopologyKey);
  int index = -1;
  for (int i = 0; i < static_cast<int>(std::size(kTopologyNames)); ++i)
    if (topology && *topology == kTopologyNames[i]) index = i;
  if (index < 0) return std::nullopt;
  request.topology = static_cast<Topology>(index);
  for (const NumberField& f : kNumbers) {
    const auto value = Value(section, f.key);
    const auto number = value ? ReadWholeNumber(*value) : std::nullopt;
    if (!number) return std::nullopt;
    request.*f.member = *number;
  }
  const auto unit = Value(section, kRippleUnitKey);
  if (!unit || (*unit != kShare && *unit != kAmperes)) return std::nullopt;
  request.rippleUnit = *unit == kAmperes ? RippleUnit::kAmperes : RippleUnit::kShare;
  const auto light = Value(section, kLightLoadKey);
  if (light && !light->empty()) {
    request.ioutMin = ReadWholeNumber(*light);
    if (!request.ioutMin) return std::nullopt;
  }
  if (converter::DesignConverter(request).error != converter::RequestError::kNone) return std::nullopt;
  return request;
}

}  // namespace velmora
