// SPDX-License-Identifier: GPL-3.0-or-later
#include "converter/ConverterFields.h"

#include <cmath>
#include <cstdio>

namespace velmora::converter {

namespace {

// Rounding up ignores excess below this share of the last digit, so a value
// that has four digits up to floating-point noise is not pushed one up.
constexpr double kRoundUpSlack = 1e-9;
constexpr double kTen = 10.0;

}  // namespace

std::string TypedNumber(double value, Rounding rounding) {
  if (!std::isfinite(value)) return "nan";
  if (value == 0) return "0";
  const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  const int decimals = kTypedDigits - 1 - exponent;
  const double scale = std::pow(kTen, decimals);
  const double scaled = value * scale;
  const double whole = rounding == Rounding::kUp ? std::ceil(scaled - kRoundUpSlack) : std::round(scaled);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals > 0 ? decimals : 0, whole / scale);
  std::string text = buf;
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

MainWindowFields FieldsFor(const ConverterRequest& request, const ConverterDesign& design) {
  const OperatingPoint& p = design.design;
  MainWindowFields f;
  if (request.topology == Topology::kBuck) {
    // D = U2 / U1 and ton·(U1 − U2) are the buck's D and volt-seconds.
    f.use = kUseOutputChoke;
    f.voltageOn = TypedNumber(p.vin - request.vsw + request.vd);
    f.voltageOff = TypedNumber(request.vout + request.vd);
  } else {
    // D = U2 / (U1 + U2) and ton·U1.
    f.use = kUseOther;
    f.voltageOn = TypedNumber(p.voltageOn);
    f.voltageOff = TypedNumber(p.voltageOff);
  }
  f.inductance = TypedNumber(design.inductance_uH, Rounding::kUp);
  f.nominalCurrent = TypedNumber(p.inductorCurrent);
  if (const auto light = LightLoadCurrent(request, p.vin)) f.minimumCurrent = TypedNumber(*light);
  f.frequency = TypedNumber(request.fsw_kHz);
  return f;
}

}  // namespace velmora::converter
