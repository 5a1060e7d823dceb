// SPDX-License-Identifier: GPL-3.0-or-later
// The section "[Powder]" of a material file: after the file's last line,
// read line by line inside the section (the file's whole-text lookups never
// reach it; none of its keys or values holds a text they search for).
//
//   [Powder]
//   biasMethod = magnetics
//   biasA = 0.01
//   biasB = 6.37e-10
//   biasC = 1.855
//   alTolerance = 0.08
//   permeabilityTemperature = a b c d e     (or "none")
//   outsideFit = 200/300 300/300 ...
#include <cmath>
#include <sstream>
#include <string>

#include "data/MaterialRecord.h"
#include "textfile/Numbers.h"

namespace velmora {

namespace {

constexpr std::string_view kHeader = "[Powder]";

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

double Number(std::string_view v) { return ReadLeadingDouble(CommaToPoint(v)); }

// The words of a value, split at blanks.
std::vector<std::string> Words(std::string_view v) {
  std::vector<std::string> words;
  std::istringstream in{std::string(v)};
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

void Take(std::string_view key, std::string_view value, PowderData& p, bool& magnetics) {
  if (key == "biasMethod") magnetics = value == "magnetics";
  else if (key == "biasA") p.rollOff.a = Number(value);
  else if (key == "biasB") p.rollOff.b = Number(value);
  else if (key == "biasC") p.rollOff.c = Number(value);
  else if (key == "alTolerance") p.alTolerance = Number(value);
  else if (key == "outsideFit") p.outsideFit = Words(value);
  else if (key == "permeabilityTemperature") {
    const std::vector<std::string> w = Words(value);
    p.hasTemperatureCoefficients = w.size() == p.temperatureCoefficients.size();
    for (std::size_t i = 0; p.hasTemperatureCoefficients && i < w.size(); ++i) {
      p.temperatureCoefficients[i] = Number(w[i]);
      p.hasTemperatureCoefficients = std::isfinite(p.temperatureCoefficients[i]);
    }
    if (!p.hasTemperatureCoefficients) p.temperatureCoefficients = {};
  }
}

}  // namespace

void ReadPowderSection(std::string_view text, MaterialRecord& record) {
  PowderData p;
  bool inside = false;
  bool seen = false;
  bool magnetics = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (!line.empty() && line.front() == '[') {
      inside = line == kHeader && !seen;  // a repeated section is not read again
      seen = seen || inside;
      continue;
    }
    const std::size_t eq = line.find('=');
    if (inside && eq != std::string_view::npos) Take(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)), p, magnetics);
  }
  const RollOffFit& f = p.rollOff;
  p.present =
      magnetics && std::isfinite(f.a) && std::isfinite(f.b) && std::isfinite(f.c) && f.a > 0 && f.b >= 0 && f.c > 0;
  if (!(std::isfinite(p.alTolerance) && p.alTolerance >= 0 && p.alTolerance < 1)) p.alTolerance = 0;
  record.powder = p.present ? p : PowderData{};
}

}  // namespace velmora
