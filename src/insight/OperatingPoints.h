// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A converter design judged over its input-voltage range: the design's own
// choke (its turns, gap, wire and inductance) at each input voltage the
// converter gives, with every figure and every check there, and each check
// taken at the point where it is hardest.
//
// The converter's figures come in as plain numbers (the caller fills them
// from the converter); every figure of a point is made by the same functions
// as the design's own: the run's formulas for ripple, peak, flux densities
// and RMS current, SettleDesign for the losses and the temperature,
// EvaluateChecks for the checks.
#include <array>
#include <string>
#include <vector>

#include "insight/DesignDetails.h"

namespace velmora::insight {

// What a point's evaluation reads of the design besides its run.
struct PointSetting {
  const ChokeContext& context;
  CoreWindingGeometry geometry;
  double F_kHz = 0;
  double wireOuter_mm = 0;
  bool gapGiven = true;  // gap mode (else AL given)
};

// The design's run at a point: the duty, volt-seconds and current of the
// point at the frequency the design is calculated at, and what follows from
// them on the design's turns and wire. The permitted flux density is made as
// the run makes it (at the run's design inductance).
ChokeResults ResultsAtPoint(const ChokeResults& design, const PointDemand& point, const PointSetting& setting);

// The checks at a point that need no settled temperature, made at the
// ambient (where Bsat is highest): a design failing one of them fails there
// whatever it settles at. For the adviser's early rejection.
// temperature_C: where the point surely settles at least, when known (a
// floor of its rise above the ambient); the ambient otherwise.
DesignChecks QuickChecksAtPoint(const ChokeResults& design, const PointDemand& point, const PointSetting& setting,
                                const InsightOptions& options, double temperature_C = constants::kNaN);

// Every figure and check at a point; a powder core's rolled-off peak flux
// density at the point when known (QuickChecksAtPoint's checks hold it).
PointFigures EvaluatePoint(const ChokeResults& design, const PointDemand& point, const PointSetting& setting,
                           const InsightOptions& options, double powderPeakFlux_T = constants::kNaN);

// The checks of the design with each check that moves with the input voltage
// taken at its hardest point (a failure before an unevaluated outcome before
// a pass, then the value nearest or furthest past its limit; the lower input
// voltage on a tie), naming it and marking the point's `decides`. The other
// checks stay the design's own.
DesignChecks CombineChecks(const DesignChecks& design, std::vector<PointFigures>& points);

// --- The points as a table: one row per figure, one column per point ---------

// A row: the key of its caption in the language's design and report sections,
// its decimals and its figure.
struct PointRow {
  const char* key;
  int decimals;
  double (*value)(const PointFigures&);
};
// The figures of a point in the order the tables show them; the checks a
// point decides follow as a last row of text (DecidedChecks, caption key
// kDecidesKey).
const std::vector<PointRow>& PointRows();
inline constexpr const char* kDecidesKey = "rowPointDecides";
// The caption keys of the roles, by bit (the converter's PointRole order).
inline constexpr std::array<const char*, 4> kRoleKeys = {"pointLow", "pointHigh", "pointRipple", "pointCurrent"};
// The JSON names of the checks the point decides, separator between them.
std::string DecidedChecks(const PointFigures& point, const char* separator = ", ");

}  // namespace velmora::insight
