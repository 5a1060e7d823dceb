// SPDX-License-Identifier: GPL-3.0-or-later
// The report's checks: the outcomes of the design details' one evaluation.
#include <cmath>
#include <string>

#include "report/DesignReport.h"

namespace velmora::report {

namespace {

using insight::CheckId;

constexpr double kPercent = 100.0;

struct CheckRow {
  CheckId id;
  T label;
  T unit;  // T::kCount: none (a ratio)
  int decimals;
};

// In the order of the checks.
constexpr CheckRow kRows[] = {
    {CheckId::Ripple, T::CheckRipple, T::UnitA, 3},
    {CheckId::FluxNominal, T::CheckFluxNominal, T::UnitT, 3},
    {CheckId::FluxSpread, T::CheckFluxSpread, T::UnitT, 3},
    {CheckId::Saturation, T::CheckSaturation, T::UnitT, 3},
    {CheckId::MinimumInductance, T::CheckMinInductance, T::UnitUH, 3},
    {CheckId::Fill, T::CheckFill, T::kCount, 3},
    {CheckId::Rise, T::CheckRise, T::UnitK, 0},
    {CheckId::Runaway, T::CheckRunaway, T::UnitDegC, 0},
    {CheckId::MinimumGap, T::CheckMinGap, T::UnitMm, 3},
    {CheckId::RingGap, T::CheckRingGap, T::UnitMm, 3},
    {CheckId::LossExtrapolated, T::CheckLossData, T::UnitT, 3},
    {CheckId::AcResistance, T::CheckAcResistance, T::kCount, 2},
    {CheckId::GapFringing, T::CheckGapFringing, T::UnitMm, 3},
    {CheckId::RollOff, T::CheckRollOff, T::kCount, 2},
};
static_assert(std::size(kRows) == insight::kCheckCount, "one row per check");

std::string Outcome(const insight::CheckOutcome& o, const ReportTexts& t) {
  if (!o.passed) return t(T::NotAvailable);
  if (*o.passed) return t(T::CheckPassed);
  return t(insight::SeverityOf(o.id) == insight::Severity::Fail ? T::CheckFailed : T::CheckCaution);
}

// "value / limit unit", and for the saturation what its limit was made of.
std::string Detail(const CheckRow& row, const insight::DesignChecks& c, const ReportTexts& t) {
  const insight::CheckOutcome& o = c[row.id];
  std::string text = FormatNumber(o.value, row.decimals, t) + " / " + FormatNumber(o.limit, row.decimals, t);
  if (row.unit != T::kCount) text += " " + t(row.unit);
  if (row.id != CheckId::Saturation) return text;
  text += " (" +
          t.Fill(T::SaturationAt, {FormatNumber(c.saturationCurrent_A, 2, t), FormatNumber(c.saturation.Bsat_T, 3, t),
                                   FormatNumber(c.temperature_C, 0, t), FormatNumber(c.fluxMargin * kPercent, 0, t)});
  if (c.saturation.extrapolated) text += "; " + t(T::SaturationExtrapolated);
  if (c.saturation.fromBmax) text += "; " + t(T::SaturationFromBmax);
  return text + ")";
}

}  // namespace

Section ChecksSection(const insight::DesignDetails& d, const ReportTexts& t) {
  const insight::DesignChecks& c = d.checks;
  Table table;
  table.header = {"", "", ""};
  int unevaluated = 0;
  for (const CheckRow& row : kRows) {
    const insight::CheckOutcome& o = c[row.id];
    unevaluated += insight::SeverityOf(row.id) == insight::Severity::Fail && !o.passed;
    // The roll-off belongs to powder cores only.
    if (row.id == CheckId::RollOff && !o.passed) continue;
    table.rows.push_back({t(row.label), Outcome(o, t), Detail(row, c, t)});
  }
  Section s{t(T::SecChecks), {}, false};
  switch (c.Outcome()) {
    case insight::Verdict::Fails:
      s.blocks.emplace_back(Paragraph{t.Fill(T::ChecksFail, {std::to_string(c.Failed())}), ParagraphStyle::Warning});
      break;
    case insight::Verdict::NotFullyChecked:
      s.blocks.emplace_back(
          Paragraph{t.Fill(T::ChecksUnchecked, {std::to_string(unevaluated)}), ParagraphStyle::Warning});
      break;
    case insight::Verdict::Passes:
      s.blocks.emplace_back(Paragraph{t(T::ChecksPass), ParagraphStyle::Note});
      break;
  }
  s.blocks.emplace_back(table);
  const insight::CheckOutcome& ac = c[CheckId::AcResistance];
  if (ac.passed && !*ac.passed && std::isfinite(c.strands))
    s.blocks.emplace_back(
        Paragraph{t.Fill(T::AcSuggestion, {FormatNumber(c.strands, 0, t), FormatNumber(c.strandDiameter_mm, 2, t)}),
                  ParagraphStyle::Note});
  if (d.worstCase.ringWithGap) s.blocks.emplace_back(Paragraph{t(T::RingGapWarning), ParagraphStyle::Warning});
  return s;
}

}  // namespace velmora::report
