// SPDX-License-Identifier: GPL-3.0-or-later
// The window's part of the report: header, core and material, inputs,
// results and messages, each as the window shows them.
#include "report/DesignReport.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace velmora::report {

namespace {

// A label's text on one line: language texts may hold line breaks and TABs.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  return text;
}

FieldList CoreAndMaterial(const Design& d, const ChokeResults* r, const ReportTexts& t) {
  FieldList list;
  list.picture = "core" + std::to_string(d.picture);
  list.fields.push_back({t(T::CoreName), d.settings.core, ""});
  // The unit labels read "Ae, mm2": the symbol goes to the label, the unit stays.
  for (const ShownLine& l : d.coreLines) {
    std::string label = OneLine(l.caption);
    std::string unit = OneLine(l.unit);
    const std::size_t comma = unit.find(", ");
    if (comma != std::string::npos) {
      label += " " + unit.substr(0, comma);
      unit = unit.substr(comma + 2);
    } else if (&l == d.Line(CoreLine::Mu)) {
      label += " \xB5";
    }
    list.fields.push_back({label, OneLine(l.value), unit});
  }
  const MaterialRecord& m = d.material;
  list.fields.push_back({t(T::Material), d.settings.mater, ""});
  if (r && r->noData) {
    list.fields.push_back({"", t(T::NoDataMaterial), ""});
  } else {
    list.fields.push_back({t(T::MaterialMu), FormatNumber(m.mu, 0, t), ""});
    list.fields.push_back({t(T::MaterialBmax), FormatNumber(m.Bmax, 3, t), t(T::UnitT)});
    list.fields.push_back({t(T::MaterialBmmax), FormatNumber(m.Bmmax, 3, t), t(T::UnitT)});
  }
  return list;
}

FieldList Inputs(const Design& d, const ReportTexts& t) {
  FieldList list;
  list.columns = 2;
  // A converter without a light load leaves the minimum current unused.
  const bool noMinimum = d.converter && !d.converter->ioutMin && d.settings.us_Imin != 1;
  for (const ShownLine& l : d.inputLines)
    if (!(noMinimum && &l == d.Line(Input::MinimumCurrent)))
      list.fields.push_back({OneLine(l.caption), OneLine(l.value), OneLine(l.unit)});
  const SettingsRecord& s = d.settings;
  std::string purpose = t(s.use == 1 ? T::PurposeOther : T::PurposeOutput);
  purpose += "; " + t(s.gapChoice == 1 ? T::AlGiven : T::GapGiven);
  if (s.us_Imin == 1) purpose += "; " + t(T::FromMinimum);
  list.fields.push_back({t(T::Purpose), purpose, ""});
  return list;
}

FieldList Results(const Design& d, const ChokeResults* r) {
  FieldList list;
  list.columns = 2;
  for (const ShownLine& l : d.resultLines) {
    Field f{OneLine(l.caption), OneLine(l.value), OneLine(l.unit)};
    // The warnings of the calculation, on the values they are about.
    if (r && !r->Stopped()) {
      if (&l == d.Line(Result::PeakFlux)) f.warning = r->fluxAbovePermitted;
      if (&l == d.Line(Result::Fill)) f.warning = r->overfilled;
    }
    list.fields.push_back(std::move(f));
  }
  return list;
}

Section Messages(const ShownResults* r, const ReportTexts& t) {
  Section s{t(T::SecMessages), {}, false};
  if (!r || r->messages.empty()) s.blocks.emplace_back(Paragraph{t(T::NoMessages), ParagraphStyle::Note});
  if (r)
    for (const Message& m : r->messages) s.blocks.emplace_back(Paragraph{OneLine(m.text), ParagraphStyle::Warning});
  return s;
}

// A figure as a person writes it: up to six significant digits, no trailing zeros.
std::string Short(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", value);
  return buffer;
}

// The converter request in one line, and the input range's ends and its
// worst point as the converter window's table gives them.
Section ConverterSection(const ConverterStatement& c, const ReportTexts& t) {
  using Kind = ConverterStatement::Kind;
  constexpr double kPercent = 100.0;
  constexpr int kTableDecimals = 3;  // as the converter window: mV, mA, a tenth of a percent
  const T kind = c.kind == Kind::kBuck    ? T::ConverterBuck
                 : c.kind == Kind::kBoost ? T::ConverterBoost
                                          : T::ConverterInverting;
  const std::string ripple =
      c.rippleInAmperes ? Short(c.ripple) + " " + t(T::UnitA) : Short(c.ripple * kPercent) + " %";
  std::string line = t.Fill(T::ConverterLine, {t(kind), Short(c.vinMin), Short(c.vinMax), Short(c.vout), Short(c.iout),
                                               ripple, Short(c.fsw_kHz)});
  if (c.ioutMin) line += "; " + t.Fill(T::ConverterLightLoad, {Short(*c.ioutMin)});
  Table table{{t(T::ConverterPoint), t(T::ConverterVin), t(T::ConverterDuty), t(T::ConverterCurrent),
               t(T::ConverterRipple), t(T::ConverterPeak)},
              {}};
  const std::pair<T, const ConverterStatement::Point*> rows[] = {
      {T::ConverterAtMin, &c.atMin}, {T::ConverterAtMax, &c.atMax}, {T::ConverterWorst, &c.worst}};
  for (const auto& [name, p] : rows)
    table.rows.push_back({t(name), FormatNumber(p->vin, kTableDecimals, t), FormatNumber(p->duty * kPercent, 1, t),
                          FormatNumber(p->current, kTableDecimals, t), FormatNumber(p->ripple, kTableDecimals, t),
                          FormatNumber(p->peak, kTableDecimals, t)});
  Section s{t(T::SecConverter), {}, false};
  s.blocks.emplace_back(FieldList{{{t(T::ConverterRequest), line, ""}}, 1, ""});
  s.blocks.emplace_back(std::move(table));
  return s;
}

}  // namespace

std::string FormatNumber(double value, int decimals, const ReportTexts& texts) {
  if (!std::isfinite(value)) return texts(T::NotAvailable);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

Document BuildDesignReport(const Design& design, const ReportTexts& t, const ReportMeta& meta) {
  const ShownResults* r = design.LastCalculation();
  Document doc;
  doc.language = design.settings.lang;
  doc.title = t(T::Title);
  doc.header.push_back({t(T::Program), meta.program, ""});
  doc.header.push_back({t(T::Date), meta.date, ""});
  if (meta.designFile.empty()) doc.header.push_back({t(T::DesignFile), t(T::LastDesign), ""});
  else doc.header.push_back({t(T::DesignFile), meta.designFile, "", false, true});

  if (design.converter) doc.sections.push_back(ConverterSection(*design.converter, t));
  doc.sections.push_back({t(T::SecCore), {CoreAndMaterial(design, r, t)}, false});
  doc.sections.push_back({t(T::SecInputs), {Inputs(design, t)}, false});
  doc.sections.push_back({t(T::SecResults), {Results(design, r)}, false});
  const insight::DesignDetails details =
      r ? design.details.value_or(insight::DesignDetails{}) : insight::DesignDetails{};
  if (r) doc.sections.push_back(ChecksSection(details, t));
  if (r && !details.points.empty()) doc.sections.push_back(PointsSection(details, t));
  doc.sections.push_back(Messages(r, t));
  if (!r) return doc;
  doc.sections.push_back({t(T::SecInstruction), {WindingInstruction(design, *r, details, t)}, false});
  AppendDetailSections(doc, *r, details, t, design.core.Ae);
  return doc;
}

}  // namespace velmora::report
