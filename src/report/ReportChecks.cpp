// SPDX-License-Identifier: GPL-3.0-or-later
// The report's checks: the outcomes of the design details' one evaluation.
#include <cmath>
#include <string>

#include "insight/OperatingPoints.h"
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
    {CheckId::Discontinuous, T::CheckDiscontinuous, T::UnitA, 3},
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

// The text of a key shared with the design details' section ("rowPointVin").
std::string ByKey(const ReportTexts& t, std::string_view key) {
  for (int i = 0; i < kTextCount; ++i)
    if (TextKey(static_cast<T>(i)) == key) return t(static_cast<T>(i));
  return std::string(key);
}

}  // namespace

Section PointsSection(const insight::DesignDetails& d, const ReportTexts& t) {
  Table table;
  table.header.emplace_back();
  for (const insight::PointFigures& p : d.points) {
    std::string roles;
    for (std::size_t bit = 0; bit < insight::kRoleKeys.size(); ++bit)
      if (p.demand.roles & (1u << bit)) roles += (roles.empty() ? "" : ", ") + ByKey(t, insight::kRoleKeys[bit]);
    table.header.push_back(roles);
  }
  for (const insight::PointRow& row : insight::PointRows()) {
    std::vector<std::string> cells{ByKey(t, row.key)};
    for (const insight::PointFigures& p : d.points) cells.push_back(FormatNumber(row.value(p), row.decimals, t));
    table.rows.push_back(std::move(cells));
  }
  std::vector<std::string> decides{ByKey(t, insight::kDecidesKey)};
  for (const insight::PointFigures& p : d.points) decides.push_back(insight::DecidedChecks(p));
  table.rows.push_back(std::move(decides));
  Section s{t(T::SecPoints), {}, false};
  s.blocks.emplace_back(Paragraph{t(T::PointsNote), ParagraphStyle::Note});
  s.blocks.emplace_back(std::move(table));
  const insight::CheckOutcome& dcm = d.checks[CheckId::Discontinuous];
  if (dcm.passed && !*dcm.passed && dcm.point >= 0)
    s.blocks.emplace_back(Paragraph{
        t.Fill(T::DiscontinuousNote, {FormatNumber(dcm.value, 3, t),
                                      FormatNumber(d.points[static_cast<std::size_t>(dcm.point)].demand.vin_V, 2, t),
                                      FormatNumber(dcm.limit, 3, t)}),
        ParagraphStyle::Warning});
  return s;
}

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
    std::string detail = Detail(row, c, t);
    // A converter design: the input voltage of the point that decides it.
    if (o.point >= 0)
      detail += "; " + FormatNumber(d.points[static_cast<std::size_t>(o.point)].demand.vin_V, 2, t) + " " + t(T::UnitV);
    table.rows.push_back({t(row.label), Outcome(o, t), detail});
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
