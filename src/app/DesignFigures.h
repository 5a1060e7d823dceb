// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The figures behind a calculation as lines for a table: the command line's
// details and the "Design details" window show the same lines. Texts in
// Windows-1251, captions from the language's design section.
#include <optional>
#include <string>
#include <vector>

#include "insight/DesignDetails.h"
#include "lang/LanguageTable.h"
#include "settings/DetailsConfig.h"

namespace velmora {

struct DesignFigure {
  std::string caption, value, unit;
};
std::vector<DesignFigure> DesignFigureRows(const insight::DesignDetails& details, const LanguageTable& lang);

// A converter design's operating points as a table: the header the title and
// each point's roles, then one row per figure (its caption, a value per
// point) and the checks each point decides, one a line. Empty without points.
struct PointTable {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
};
PointTable DesignPointTable(const insight::DesignDetails& details, const LanguageTable& lang);

// The design details' options from Details.cfg's tolerances (percent); a
// tolerance given for the run (--al-tolerance) stands for both kinds.
insight::InsightOptions DetailsOptionsOf(const DetailsConfig& config,
                                         const std::optional<double>& alTolerancePercent = std::nullopt);

}  // namespace velmora
