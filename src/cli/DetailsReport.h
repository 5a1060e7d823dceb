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
//   "value": .., "limit": .., "unit": "T"}, ...]: every check in its order.
Json ChecksJson(const insight::DesignChecks& checks);
// Caption, value and unit lines (captions from the language's design section).
std::vector<Report::Row> DetailsRows(const insight::DesignDetails& details, const LanguageTable& lang);

}  // namespace velmora::cli
