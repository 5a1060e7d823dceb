// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/DetailsConfig.h"

#include <charconv>
#include <cmath>

#include "textfile/FileIO.h"
#include "textfile/KeyedTextFile.h"
#include "textfile/Numbers.h"

namespace velmora {

namespace {

constexpr std::string_view kSection = "DETAILS";

struct Key {
  const char* key;
  std::string_view literal;
  double DetailsConfig::*member;
};

// In this order no key's text holds a later key's text ahead of it.
constexpr Key kKeys[] = {
    {"tol_gapped", "tol_gapped\t= ", &DetailsConfig::tol_gapped},
    {"tol_ungapped", "tol_ungapped\t= ", &DetailsConfig::tol_ungapped},
    {"ambient", "ambient\t= ", &DetailsConfig::ambient_C},
    {"flux_margin", "flux_margin\t= ", &DetailsConfig::flux_margin},
    {"max_rise", "max_rise\t= ", &DetailsConfig::max_rise},
    {"min_gap", "min_gap\t= ", &DetailsConfig::min_gap},
};

// Whether a value read for that member may be used.
bool Usable(double DetailsConfig::*member, double value) {
  if (member == &DetailsConfig::ambient_C) return IsUsableAmbient(value);
  if (member == &DetailsConfig::flux_margin) return IsUsableFluxMarginPercent(value);
  if (member == &DetailsConfig::max_rise) return IsUsableMaxRise(value);
  if (member == &DetailsConfig::min_gap) return IsUsableMinGap(value);
  return IsUsableTolerancePercent(value);
}

}  // namespace

bool IsUsableTolerancePercent(double percent) {
  return std::isfinite(percent) && percent >= 0 && percent < kMaxTolerancePercent;
}

bool IsUsableAmbient(double celsius) {
  return std::isfinite(celsius) && celsius >= kLowestAmbient_C && celsius <= kHighestAmbient_C;
}
bool IsUsableFluxMarginPercent(double percent) { return percent >= 0 && percent <= kMaxFluxMarginPercent; }
bool IsUsableMaxRise(double kelvin) { return std::isfinite(kelvin) && kelvin > 0; }
bool IsUsableMinGap(double mm) { return mm >= 0 && mm <= kMaxMinGap_mm; }

std::string SerializeDetailsConfig(const DetailsConfig& config) {
  std::string out = "[DETAILS]\r\n";
  for (const Key& k : kKeys) {
    out += k.literal;
    out += ShortestNumberText(config.*k.member);
    out += "\r\n";
  }
  return out + config.converter;
}

DetailsConfig ParseDetailsConfig(std::string_view text) {
  DetailsConfig config;
  for (const Key& k : kKeys) {
    const std::optional<double> number = ReadWholeNumber(KeyedTextFile::GetSectionValue(text, kSection, k.key));
    if (!number) continue;
    const double value = *number;
    if (!Usable(k.member, value)) continue;
    config.*k.member = value;
  }
  if (const auto at = text.find(kConverterSection); at != std::string_view::npos)
    config.converter = std::string(text.substr(at));
  return config;
}

bool ReadDetailsConfig(const std::string& fileName, DetailsConfig& config, ReadStatus* status) {
  KeyedTextFile file;
  if (!file.Load(fileName, constants::kMaxSettingsFileBytes, OpenMode::ReadOnly, status)) return false;
  config = ParseDetailsConfig(file.Text());
  return true;
}

bool WriteDetailsConfig(const DetailsConfig& config, const std::string& fileName) {
  return WriteFileAtomic(fileName, SerializeDetailsConfig(config));
}

}  // namespace velmora
