// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The figures behind the last calculation (calc --details): a JSON object
// whose names carry their units, and lines for the table.
#include <string>
#include <vector>

#include "cli/Report.h"
#include "insight/DesignDetails.h"
#include "lang/LanguageTable.h"

namespace velmora::cli {

// {"mlt_mm": .., "resistance_mOhm": .., ..., "lossModel": {..}, "lossCurve":
// {..}, "waveform": {..}, "worstCase": {..}}; numbers at full precision (the
// writer puts null for those not finite).
Json DetailsJson(const insight::DesignDetails& details, const insight::InsightOptions& options);
// [{"id": "saturation", "passed": true|false|null, "severity": "fail"|"caution",
//   "value": .., "limit": .., "unit": "T", "point": index|null}, ...]: every
// check in its order; "point" indexes operatingPoints where the check is hardest.
Json ChecksJson(const insight::DesignChecks& checks);
// A converter design's operating points at the design's inductance:
// [{"at": ["min", "largestRipple"], "inputVoltage_V": .., "dutyCycle": ..,
//   "ripple_A": .., "peakCurrent_A": .., ..., "decides": ["rise"]}, ...];
// an empty array for a design without its converter.
Json OperatingPointsJson(const insight::DesignDetails& details);
// A converter design's operating points for the table: the roles, then a
// line per figure with the points' values side by side.
std::vector<Report::Row> PointRows(const insight::DesignDetails& details, const LanguageTable& lang);
// Caption, value and unit lines (captions from the language's design section).
std::vector<Report::Row> DetailsRows(const insight::DesignDetails& details, const LanguageTable& lang);

}  // namespace velmora::cli
