// SPDX-License-Identifier: GPL-3.0-or-later
// The report drawn: a self-contained HTML file and an A4 PDF whose text reads
// back (pdftotext, where installed).
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>

#include "reportrender/PlotPainter.h"
#include "reportrender/ReportRender.h"
#include "support/TempDir.h"
#include "textfile/Cp1251.h"

namespace velmora::reportrender {
namespace {

using namespace report;

// One application for the whole test program, on the offscreen platform.
QGuiApplication& App() {
  static int argc = 1;
  static char name[] = "test_reportrender";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(argc, argv);
  return app;
}

std::string Cp(const std::string& utf8) { return Utf8ToCp1251(utf8).value(); }

// A document with every kind of block, Cyrillic and markup characters.
Document Sample() {
  Document d;
  d.language = "Russian";
  d.title = Cp("Отчёт <дросселя> & Co");
  d.header = {{"Program", "Velmora 9.9", ""}, {"Date", "2026-01-02", ""}};
  FieldList fields;
  fields.columns = 2;
  fields.picture = "core130";
  fields.fields = {{Cp("Число витков"), "14", ""}, {"Peak flux density", "0.277", "T", true},
                   {"Inductance", "17.327", "\xB5H"}};
  Plot loss;
  loss.title = "Loss";
  loss.logX = loss.logY = true;
  loss.series = {{"table", {0.01, 0.1, 0.3}, {1, 50, 900}, false}, {"point", {0.05}, {10}, true}};
  Plot wave;
  wave.title = "Wave";
  wave.rightLabel = "B, T";
  wave.rightScale = 0.024;
  wave.series = {{"i", {0, 5, 10}, {9, 11, 9}, false}};
  d.sections.push_back({"Results", {fields, Paragraph{"Window overfilled", ParagraphStyle::Warning}}, false});
  d.sections.push_back({"Worst case", {Table{{"", "Lowest", "Highest"}, {{"AL", "87.1", "89.8"}}},
                                       Steps{{"Wind 14 turns.", "Gap 0.500 mm."}}},
                        true});
  d.sections.push_back({"Plots", {PlotRow{{loss, wave}}}, false});
  return d;
}

bool HavePdfToText() { return std::system("command -v pdftotext >/dev/null 2>&1") == 0; }

std::string PdfText(const std::string& pdf, const test::TempDir& dir) {
  dir.write("r.pdf", pdf);
  const std::string cmd = "pdftotext -enc UTF-8 '" + dir.path() + "/r.pdf' '" + dir.path() + "/r.txt'";
  if (std::system(cmd.c_str()) != 0) return {};
  return dir.read("r.txt");
}

TEST(ReportRender, HtmlIsOneSelfContainedFile) {
  App();
  const std::string html = HtmlOf(Sample());
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(html.find("<meta charset=\"utf-8\"/>"), std::string::npos);
  EXPECT_NE(html.find("lang=\"ru\""), std::string::npos);
  // Nothing to fetch: no scripts, style sheets or frames, every source and
  // link a data URI, no url() in the style.
  for (const char* banned : {"<script", "<link", "<iframe", "url(", "@import"})
    EXPECT_EQ(html.find(banned), std::string::npos) << banned;
  const std::regex ref("(src|href)\\s*=\\s*\"([^\"]*)\"");
  int sources = 0;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), ref); it != std::sregex_iterator(); ++it, ++sources)
    EXPECT_EQ((*it)[2].str().rfind("data:", 0), 0u) << (*it)[0].str();
  EXPECT_EQ(sources, 1);  // the core picture
  EXPECT_NE(html.find("src=\"data:image/png;base64,iVBORw0KGgo"), std::string::npos);
  // Each plot an inline SVG whose size follows its box.
  std::size_t svgs = 0;
  for (std::size_t p = html.find("<svg"); p != std::string::npos; p = html.find("<svg", p + 1)) ++svgs;
  EXPECT_EQ(svgs, 2u);
  EXPECT_EQ(html.find("<?xml"), std::string::npos);
  // Texts as UTF-8, markup characters escaped, warnings marked.
  EXPECT_NE(html.find("Отчёт &lt;дросселя&gt; &amp; Co"), std::string::npos);
  EXPECT_NE(html.find("<b>17.327</b> <span>µH</span>"), std::string::npos);
  EXPECT_NE(html.find("class=\"value warn\"><b>0.277</b>"), std::string::npos);
  EXPECT_NE(html.find("<p class=\"warning\">Window overfilled</p>"), std::string::npos);
  EXPECT_NE(html.find("<li>Gap 0.500 mm.</li>"), std::string::npos);
}

TEST(ReportRender, PdfIsA4WithTheTextsAsText) {
  App();
  int pages = 0;
  const std::string pdf = PdfOf(Sample(), &pages);
  ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);
  // The "Worst case" section starts the second page.
  EXPECT_EQ(pages, 2);
  EXPECT_TRUE(std::regex_search(pdf, std::regex("/MediaBox \\[0 0 595(\\.0*)? 842(\\.0*)?\\]")));
  if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
  test::TempDir dir;
  const std::string text = PdfText(pdf, dir);
  for (const char* part : {"Отчёт <дросселя> & Co", "Число витков", "17.327 µH", "0.277", "Wind 14 turns.",
                           "Lowest", "89.8", "Window overfilled", "Loss", "B, T"})
    EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
  // Two pages: one form feed between them, one at the end.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 2);
}

TEST(ReportRender, FormatsByExtensionAndFailedWrites) {
  App();
  EXPECT_EQ(FormatOfName("a.PDF"), Format::Pdf);
  EXPECT_EQ(FormatOfName("dir.pdf/a.htm"), Format::Html);
  EXPECT_EQ(FormatOfName("a.html"), Format::Html);
  EXPECT_EQ(FormatOfName(".pdf"), Format::Unknown);
  EXPECT_EQ(FormatOfName("a.txt"), Format::Unknown);
  test::TempDir dir;
  std::string error;
  EXPECT_FALSE(WriteReport(Sample(), dir.path() + "/a.txt", &error));
  EXPECT_NE(error.find(".pdf or .html"), std::string::npos);
  EXPECT_FALSE(WriteReport(Sample(), dir.path() + "/missing/a.pdf", &error));
  EXPECT_NE(error.find("cannot write"), std::string::npos);
  EXPECT_FALSE(dir.exists("missing"));
  ASSERT_TRUE(WriteReport(Sample(), dir.path() + "/a.html", &error)) << error;
  EXPECT_EQ(dir.read("a.html"), HtmlOf(Sample()));
}

// A text from a language or data file anywhere in the document, plot titles
// and series names included, stays text: the HTML parses as XML and holds no
// element of its own.
TEST(ReportRender, HostileTextsStayText) {
  App();
  for (const std::string& text : {std::string("</title><script>alert(3)</script>"), std::string("a\x01\x1b]]>&"),
                                  std::string("\" onload=\"x"), std::string(300, '<')}) {
    Document d = Sample();
    d.title = text;
    for (Section& s : d.sections)
      for (Block& b : s.blocks)
        if (auto* row = std::get_if<PlotRow>(&b))
          for (Plot& p : row->plots) {
            p.title = p.xLabel = p.rightLabel = text;
            for (Series& series : p.series) series.name = text;
          }
    const std::string html = HtmlOf(d);
    QXmlStreamReader xml(QByteArray::fromStdString(html));
    int scripts = 0;
    while (!xml.atEnd())
      scripts += xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QStringLiteral("script");
    EXPECT_EQ(scripts, 0);
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line " << xml.lineNumber();
  }
}

TEST(ReportRender, AxisTicks) {
  // Round steps over a linear range, ends included.
  EXPECT_EQ(AxisTicks(0, 10, false), (std::vector<double>{0, 2, 4, 6, 8, 10}));
  const auto current = AxisTicks(8, 12, false);
  EXPECT_EQ(current.front(), 8);
  EXPECT_EQ(current.back(), 12);
  // Decades over a long log range, 2 and 5 between them over a short one.
  EXPECT_EQ(AxisTicks(0.1, 1e4, true), (std::vector<double>{0.1, 1, 10, 100, 1000, 10000}));
  const auto shortRange = AxisTicks(0.01, 1, true);
  EXPECT_EQ(shortRange.size(), 7u);
  EXPECT_NEAR(shortRange[1], 0.02, 1e-15);
  // Ranges no plot can draw give no ticks and never hang.
  EXPECT_TRUE(AxisTicks(1, 1, false).empty());
  EXPECT_TRUE(AxisTicks(0, std::numeric_limits<double>::infinity(), false).empty());
  EXPECT_TRUE(AxisTicks(std::nan(""), 1, false).empty());
  EXPECT_TRUE(AxisTicks(-1, 10, true).empty());
  EXPECT_LE(AxisTicks(1e-300, 1e300, true).size(), 61u);
  EXPECT_LE(AxisTicks(0, 1e-320, false).size(), 61u);
}

// Plots of empty, non-finite or one-point series are drawn without a fault.
TEST(ReportRender, DegeneratePlotsDraw) {
  App();
  Document d;
  Plot empty;
  Plot odd;
  odd.logX = odd.logY = true;
  odd.rightLabel = "B";
  odd.rightScale = std::nan("");
  odd.series = {{"nan", {std::nan(""), -1, 0}, {1, std::nan(""), -5}, false}, {"one", {2}, {2}, true}};
  Plot flat;
  flat.series = {{"flat", {1, 2}, {5, 5}, false}};
  d.sections.push_back({"Plots", {PlotRow{{empty, odd, flat}}}, false});
  int pages = 0;
  EXPECT_EQ(PdfOf(d, &pages).rfind("%PDF-", 0), 0u);
  EXPECT_EQ(pages, 1);
  EXPECT_NE(HtmlOf(d).find("<svg"), std::string::npos);
}

}  // namespace
}  // namespace velmora::reportrender
