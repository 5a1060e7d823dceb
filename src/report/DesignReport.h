// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report of a design as the main window holds it: its inputs, core and
// material, every result as its labels show it, the messages of the
// calculation, the design details (winding, losses, temperature rise, loss
// model, worst case), the plots and a winding instruction. The values of the
// window's results are the very label texts, so the report always agrees with
// the window and with `velmora-cli calc`.
#include <string>

#include "design/Design.h"
#include "insight/DesignDetails.h"
#include "report/ReportDocument.h"
#include "report/ReportTexts.h"

namespace velmora::report {

struct ReportMeta {
  std::string program;     // "Velmora 5.2.0"
  std::string date;        // as it is to be shown
  std::string designFile;  // UTF-8, as named on disk; empty: the window's last design
};

// The report of the design: the window makes the value right after a
// calculation of the inputs as they stand, with the figures behind it, so
// that the inputs printed are the inputs calculated (as Save does).
Document BuildDesignReport(const Design& design, const ReportTexts& texts, const ReportMeta& meta);

// --- The parts, for the tests -------------------------------------------------

// A number with that many decimals ("%.*f"); the not-available text when it
// is not finite.
std::string FormatNumber(double value, int decimals, const ReportTexts& texts);

// The winding instruction: core, turns, wire, gap or AL, expected inductance.
Steps WindingInstruction(const Design& design, const ChokeResults& results, const insight::DesignDetails& details,
                         const ReportTexts& texts);

// The design-details sections (winding, losses, loss model, worst case, plots)
// of a design on a core of cross-section Ae (mm2).
void AppendDetailSections(Document& doc, const ChokeResults& results, const insight::DesignDetails& details,
                          const ReportTexts& texts, double Ae);

// The inductance as the current rises: model, figures and the curve.
Section BiasSection(const insight::BiasFigures& bias, const ReportTexts& texts);

// "AL +-10.0 % (the maker's AL tolerance)" or "AL +-12.3 % (from the gap
// tolerance +-0.020 mm)".
std::string ToleranceText(const insight::WorstCase& worstCase, const ReportTexts& texts);

// Every check of the details (insight::EvaluateChecks) with its outcome, and
// above them the verdict: passes, fails K checks, or not fully checked.
Section ChecksSection(const insight::DesignDetails& details, const ReportTexts& texts);
// A converter design's operating points: a figure per row, a point per
// column, the checks each decides, and the caution of discontinuous conduction.
Section PointsSection(const insight::DesignDetails& details, const ReportTexts& texts);

}  // namespace velmora::report
