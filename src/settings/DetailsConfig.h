// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Details.cfg": what the design details keep between starts, in the working
// folder beside "Inductor.ini": the AL tolerances of gapped and ungapped
// cores (in percent) and the ambient temperature. One "[DETAILS]" section of
// key lines in the layout of the settings file ("tol_gapped\t= 10" CR LF).
// A missing file, key or unusable value leaves that value at its default.
#include <string>
#include <string_view>

namespace velmora {

inline constexpr const char* kDetailsConfigFile = "Details.cfg";

// Core makers state AL to +-10 % for gapped sets (the gap is ground to give
// it) and to +-25 % for ungapped ones (the material's permeability alone).
inline constexpr double kDefaultTolGappedPercent = 10.0;
inline constexpr double kDefaultTolUngappedPercent = 25.0;
// A tolerance of 100 % or more would put the low end of AL at or below zero.
inline constexpr double kMaxTolerancePercent = 100.0;
// The still air around a choke inside equipment, a common design ambient.
inline constexpr double kDefaultAmbient_C = 40.0;
// The checks' limits (their reasons beside the design details' defaults,
// insight/InsightConstants.h, which the settings layer does not include):
// the margin below the saturation flux density, percent (0 to 50); the
// highest temperature rise, K (above 0); the least ground gap, mm (0 to 3).
inline constexpr double kDefaultFluxMarginPercent = 20.0;
inline constexpr double kMaxFluxMarginPercent = 50.0;
inline constexpr double kDefaultMaxRise_K = 50.0;
inline constexpr double kDefaultMinGap_mm = 0.05;
inline constexpr double kMaxMinGap_mm = 3.0;

struct DetailsConfig {
  double tol_gapped = kDefaultTolGappedPercent;      // percent
  double tol_ungapped = kDefaultTolUngappedPercent;  // percent
  double ambient_C = kDefaultAmbient_C;              // read and written back only
  double flux_margin = kDefaultFluxMarginPercent;    // percent
  double max_rise = kDefaultMaxRise_K;               // K
  double min_gap = kDefaultMinGap_mm;                // mm

  bool operator==(const DetailsConfig&) const = default;
};

// A tolerance in percent the program accepts: finite, 0 or more, below 100.
bool IsUsableTolerancePercent(double percent);

// A value of the checks' limits the program accepts (see the defaults above).
bool IsUsableFluxMarginPercent(double percent);
bool IsUsableMaxRise(double kelvin);
bool IsUsableMinGap(double mm);

// The file's bytes: "[DETAILS]" CR LF, then tol_gapped, tol_ungapped, ambient,
// flux_margin, max_rise, min_gap.
std::string SerializeDetailsConfig(const DetailsConfig& config);
// The values the text holds; what it lacks or holds unusable keeps the default.
DetailsConfig ParseDetailsConfig(std::string_view text);

// False (config unchanged) when the file cannot be opened.
bool ReadDetailsConfig(const std::string& fileName, DetailsConfig& config);
// Crash-safe write; false when the file could not be written completely.
bool WriteDetailsConfig(const DetailsConfig& config, const std::string& fileName);

}  // namespace velmora
