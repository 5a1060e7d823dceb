// SPDX-License-Identifier: GPL-3.0-or-later
// The design report's document and its HTML writer on any texts: the
// language file's report section, a core name and a material name. The HTML
// must parse as XML and hold no element that the writer does not write
// itself, whatever the texts hold.
#include <QGuiApplication>
#include <QSet>
#include <QXmlStreamReader>
#include <cstdlib>
#include <memory>

#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "report/DesignReport.h"
#include "report/ReportTexts.h"
#include "reportrender/ReportRender.h"

namespace velmora::fuzz {

namespace {

// The elements the report writer makes: its own HTML and those of Qt's SVG
// writer for the plots.
const QSet<QString>& Written() {
  static const QSet<QString> names{"html",
                                   "head",
                                   "meta",
                                   "title",
                                   "style",
                                   "body",
                                   "h1",
                                   "h2",
                                   "p",
                                   "section",
                                   "table",
                                   "tr",
                                   "th",
                                   "td",
                                   "b",
                                   "span",
                                   "div",
                                   "img",
                                   "ol",
                                   "li",
                                   "figure",
                                   "svg",
                                   "desc",
                                   "defs",
                                   "g",
                                   "path",
                                   "text",
                                   "polyline",
                                   "rect",
                                   "circle",
                                   "ellipse",
                                   "image",
                                   "line",
                                   "polygon",
                                   "stop",
                                   "linearGradient",
                                   "radialGradient",
                                   "pattern",
                                   "tspan"};
  return names;
}

// Qt draws the plots; one application for every input, offscreen.
void NeedApplication() {
  if (QGuiApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "fuzz_report";
  static char* argv[] = {name, nullptr};
  static const std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

report::Document DocumentOf(const report::ReportTexts& t, const std::string& core, const std::string& material) {
  using report::T;
  report::Document doc;
  doc.title = t(T::Title);
  doc.header = {{t(T::Program), core, ""}, {t(T::DesignFile), material, "", false, true}};
  report::FieldList fields{{{t(T::CoreName), core, t(T::UnitMm)}, {t(T::Material), material, "", true}}, 2, ""};
  report::Table table{{t(T::SecInputs), core}, {{material, t(T::UnitW)}, {t(T::UnitK), core}}};
  report::Plot plot{t(T::SecPlots), core, material, true, false, t(T::UnitT), 2, {{material, {1, 2}, {3, 4}, false}}};
  report::Section section{core,
                          {fields, table, report::Paragraph{material, report::ParagraphStyle::Warning},
                           report::Steps{{core, material}}, report::PlotRow{{plot}}},
                          false};
  doc.sections.push_back(section);
  report::AppendDetailSections(doc, ChokeResults{}, insight::DesignDetails{}, t, 0);
  return doc;
}

}  // namespace

int FuzzReport(const std::uint8_t* data, std::size_t size) {
  NeedApplication();
  FuzzInput in(data, size);
  const std::string core(in.TakeString(64));
  const std::string material(in.TakeString(64));
  const report::ReportTexts texts = report::ReportTexts::FromLanguageText(in.Rest());
  const report::Document doc = DocumentOf(texts, core, material);
  const std::string html = reportrender::HtmlOf(doc);

  QXmlStreamReader xml(QByteArray::fromStdString(html));
  int sections = 0;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    VELMORA_FUZZ_CHECK(Written().contains(xml.name().toString()));
    if (xml.name() == QStringLiteral("section")) ++sections;
  }
  VELMORA_FUZZ_CHECK(!xml.hasError());
  VELMORA_FUZZ_CHECK(sections == static_cast<int>(doc.sections.size()));
  return 0;
}

}  // namespace velmora::fuzz
