// SPDX-License-Identifier: GPL-3.0-or-later
// The window's part of the report: header, core and material, inputs,
// results and messages, each as the window shows it.
#include "report/DesignReport.h"

#include <cmath>
#include <cstdio>

#include "app/ControlIds.h"
#include "app/Version.h"
#include "app/WindowLines.h"
#include "calc/Constants.h"
#include "present/ShownResults.h"

namespace velmora::report {

using namespace ids;

namespace {

// A label's text on one line: language texts may hold line breaks and TABs.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  return text;
}

// Unit ids below zero stand for the static units the window draws itself.
std::string UnitText(const CVelmoraDlg& dlg, int unit) {
  return unit > 0 ? OneLine(dlg.GetItemText(unit)) : std::string(FixedUnitText(unit));
}

FieldList CoreAndMaterial(const CVelmoraDlg& dlg, const ChokeResults* r, const ReportTexts& t) {
  FieldList list;
  list.picture = "core" + std::to_string(dlg.PictureId());
  list.fields.push_back({t(T::CoreName), dlg.CurrentCore(), ""});
  auto text = [&dlg](int id) { return OneLine(dlg.GetItemText(id)); };
  // The unit labels read "Ae, mm2": the symbol goes to the label, the unit stays.
  for (const WindowLine& l : kCoreDataLines) {
    std::string label = text(l.caption);
    std::string unit = l.unit ? text(l.unit) : "";
    const std::size_t comma = unit.find(", ");
    if (comma != std::string::npos) {
      label += " " + unit.substr(0, comma);
      unit = unit.substr(comma + 2);
    } else if (l.caption == IDC_LABEL_MU) {
      label += " \xB5";
    }
    list.fields.push_back({label, text(l.value), unit});
  }
  const MaterialRecord& m = dlg.Material();
  list.fields.push_back({t(T::Material), dlg.Settings().mater, ""});
  if (r && r->noData) {
    list.fields.push_back({"", t(T::NoDataMaterial), ""});
  } else {
    list.fields.push_back({t(T::MaterialMu), FormatNumber(m.mu, 0, t), ""});
    list.fields.push_back({t(T::MaterialBmax), FormatNumber(m.Bmax, 3, t), t(T::UnitT)});
    list.fields.push_back({t(T::MaterialBmmax), FormatNumber(m.Bmmax, 3, t), t(T::UnitT)});
  }
  return list;
}

FieldList Inputs(const CVelmoraDlg& dlg, const ReportTexts& t) {
  FieldList list;
  list.columns = 2;
  auto text = [&dlg](int id) { return OneLine(dlg.GetItemText(id)); };
  for (const WindowLine& l : kInputLines)
    list.fields.push_back({text(l.caption), text(l.value), UnitText(dlg, l.unit)});
  const std::string dprovUnit = text(IDC_UNIT_DPROV_AWG).empty() ? text(IDC_UNIT_DPROV_MM) : text(IDC_UNIT_DPROV_AWG);
  list.fields.push_back({text(IDC_LABEL_DPROV), text(IDC_EDIT_DPROV), dprovUnit});
  const bool al = dlg.GetCheck(IDC_RADIO_AL) != 0;
  list.fields.push_back({text(al ? IDC_RADIO_AL : IDC_RADIO_GAP), text(IDC_EDIT_ZAZOR), ""});
  const SettingsRecord& s = dlg.Settings();
  std::string purpose = t(s.use == 1 ? T::PurposeOther : T::PurposeOutput);
  purpose += "; " + t(s.yes_al == 1 ? T::AlGiven : T::GapGiven);
  if (s.us_Imin == 1) purpose += "; " + t(T::FromMinimum);
  list.fields.push_back({t(T::Purpose), purpose, ""});
  return list;
}

FieldList Results(const CVelmoraDlg& dlg, const ChokeResults* r) {
  FieldList list;
  list.columns = 2;
  auto text = [&dlg](int id) { return OneLine(dlg.GetItemText(id)); };
  for (const WindowLine& l : kResultLines) {
    Field f{text(l.caption), text(l.value), UnitText(dlg, l.unit)};
    // The warnings of the calculation, on the values they are about.
    if (r && !r->Stopped()) {
      if (l.value == IDC_RES_BPK) f.warning = r->Bpk > r->Bm + constants::kFluxTolerance;
      if (l.value == IDC_RES_FILL) f.warning = r->k > constants::kFillFactorLimit;
    }
    if (l.value == IDC_RES_BPK) f.unit += " " + text(IDC_RES_LIMIT);
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

}  // namespace

std::string FormatNumber(double value, int decimals, const ReportTexts& texts) {
  if (!std::isfinite(value)) return texts(T::NotAvailable);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

std::string ProgramAndVersion() { return std::string("Velmora ") + kProgramVersion; }

ReportTexts TextsOfWindow(const CVelmoraDlg& dlg) { return ReportTexts::FromSection(dlg.Lang().report); }

insight::DesignDetails DetailsOfWindow(CVelmoraDlg& dlg, const insight::InsightOptions& options) {
  return dlg.DescribeLastCalculation(options).value_or(insight::DesignDetails{});
}

Document BuildDesignReport(CVelmoraDlg& dlg, const ReportTexts& t, const ReportMeta& meta,
                           const insight::InsightOptions& options) {
  if (!dlg.IsEnded()) dlg.Calculate();  // the results of the inputs printed
  dlg.UpdateData(true);
  const ShownResults* r = dlg.LastCalculation();
  Document doc;
  doc.language = dlg.Settings().lang;
  doc.title = t(T::Title);
  doc.header.push_back({t(T::Program), meta.program, ""});
  doc.header.push_back({t(T::Date), meta.date, ""});
  if (meta.designFile.empty()) doc.header.push_back({t(T::DesignFile), t(T::LastDesign), ""});
  else doc.header.push_back({t(T::DesignFile), meta.designFile, "", false, true});

  doc.sections.push_back({t(T::SecCore), {CoreAndMaterial(dlg, r, t)}, false});
  doc.sections.push_back({t(T::SecInputs), {Inputs(dlg, t)}, false});
  doc.sections.push_back({t(T::SecResults), {Results(dlg, r)}, false});
  const insight::DesignDetails details = r ? DetailsOfWindow(dlg, options) : insight::DesignDetails{};
  if (r) doc.sections.push_back(ChecksSection(*r, details, options.riseLimit_K, t));
  doc.sections.push_back(Messages(r, t));
  if (!r) return doc;
  doc.sections.push_back({t(T::SecInstruction), {WindingInstruction(dlg, *r, details, t)}, false});
  AppendDetailSections(doc, *r, details, t, dlg.Core().Ae);
  return doc;
}

}  // namespace velmora::report
