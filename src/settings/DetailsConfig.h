// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Details.cfg": what the design details keep between starts, in the working
// folder beside "Inductor.ini": the AL tolerances of gapped and ungapped
// cores (in percent) and the ambient temperature. One "[DETAILS]" section of
// key lines in the layout of the settings file ("tol_gapped\t= 10" CR LF).
// A missing file, key or unusable value leaves that value at its default.
#include <string>
#include <string_view>

#include "textfile/FileIO.h"

namespace velmora {

inline constexpr const char* kDetailsConfigFile = "Details.cfg";

// The header of the converter request's section, which a design file and this
// file carry after their own lines (its keys: app/ConverterRecord.h).
inline constexpr std::string_view kConverterSection = "[CONVERTER]";

// Core makers state AL to +-10 % for gapped sets (the gap is ground to give
// it) and to +-25 % for ungapped ones (the material's permeability alone).
inline constexpr double kDefaultTolGappedPercent = 10.0;
inline constexpr double kDefaultTolUngappedPercent = 25.0;
// A tolerance of 100 % or more would put the low end of AL at or below zero.
inline constexpr double kMaxTolerancePercent = 100.0;
// The still air around a choke inside equipment, a common design ambient.
inline constexpr double kDefaultAmbient_C = 40.0;
// The ambients a design is made for, one range wherever one is given (the
// details window, the command line, this file, a MAS document): from the
// cold end of the components' extended rating (-55 C) to 150 C, where the
// ferrites' loss tables and the winding insulation classes end. Beyond it
// the copper model turns meaningless (its resistance reaches zero at
// -234.5 C) and no loss table holds the core's temperature.
inline constexpr double kLowestAmbient_C = -55.0;
inline constexpr double kHighestAmbient_C = 150.0;

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
  double ambient_C = kDefaultAmbient_C;              // C, within the ambient range
  double flux_margin = kDefaultFluxMarginPercent;    // percent
  double max_rise = kDefaultMaxRise_K;               // K
  double min_gap = kDefaultMinGap_mm;                // mm
  // The converter window's request as its section's text, from its header to
  // the end; empty when none was typed. Read and written whole, unparsed here.
  std::string converter = {};

  bool operator==(const DetailsConfig&) const = default;
};

// A tolerance in percent the program accepts: finite, 0 or more, below 100.
bool IsUsableTolerancePercent(double percent);

// An ambient in C the program designs for: finite and within the range.
bool IsUsableAmbient(double celsius);

// A value of the checks' limits the program accepts (see the defaults above).
bool IsUsableFluxMarginPercent(double percent);
bool IsUsableMaxRise(double kelvin);
bool IsUsableMinGap(double mm);

// The file's bytes: "[DETAILS]" CR LF, then tol_gapped, tol_ungapped, ambient,
// flux_margin, max_rise, min_gap; then the converter's section, when kept.
std::string SerializeDetailsConfig(const DetailsConfig& config);
// The values the text holds; what it lacks or holds unusable (a tolerance of
// 100 % or more, an ambient outside the range) keeps the default.
DetailsConfig ParseDetailsConfig(std::string_view text);

// False (config unchanged) when the file cannot be opened or is larger than
// the settings file may be (kMaxSettingsFileBytes); the status, when asked
// for, says why.
bool ReadDetailsConfig(const std::string& fileName, DetailsConfig& config, ReadStatus* status = nullptr);
// Crash-safe write; false when the file could not be written completely.
bool WriteDetailsConfig(const DetailsConfig& config, const std::string& fileName);

}  // namespace velmora
