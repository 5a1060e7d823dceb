// SPDX-License-Identifier: GPL-3.0-or-later
// The report as one self-contained HTML file: inline CSS, plots as inline
// SVG (drawn by the same painter code as the PDF), the core picture as a
// data URI. Nothing is fetched from anywhere.
#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>

#include "reportrender/PlotPainter.h"
#include "reportrender/ReportRender.h"
#include "textfile/Cp1251.h"
#include "textfile/Markup.h"
#include "textfile/OutputFile.h"

namespace velmora::reportrender {

namespace {

using namespace report;

// The SVG's coordinates: a plot of kPlotWidth x kPlotHeight points at 4
// device units per point, scaled by the browser to the width of its box.
constexpr int kSvgResolution = 288;
constexpr int kPlotWidthPt = 250;
constexpr int kPlotHeightPt = 180;

constexpr const char* kStyle =
    "body{font-family:'DejaVu Sans',Arial,sans-serif;font-size:10pt;max-width:190mm;margin:12mm auto;color:#000}"
    "h1{font-size:17pt;margin:0 0 4pt}"
    "h2{font-size:11.5pt;color:#1a3d6d;border-bottom:1px solid #b0b0b0;margin:14pt 0 5pt;padding-bottom:2pt}"
    ".meta{color:#555;font-size:8.5pt;border-bottom:2px solid #1a3d6d;padding-bottom:5pt}"
    "table{border-collapse:collapse}"
    "table.fields td{padding:1.5pt 6pt 1.5pt 0;vertical-align:top}"
    "td.label{color:#555}td.value b{font-weight:bold}td.value span{color:#555}"
    ".warn,.warn b{color:#a01010}"
    "table.grid{width:100%}table.grid th,table.grid td{padding:2pt 6pt;border-bottom:1px solid #ccc;text-align:right}"
    "table.grid th:first-child,table.grid td:first-child{text-align:left;color:#555}"
    "p.note{color:#555;font-style:italic;font-size:9pt}"
    "p.warning{color:#a01010;border-left:3px solid #a01010;padding-left:6pt}"
    "img.core{float:right;width:36mm;margin:0 0 6pt 10pt}"
    ".plots{display:flex;gap:10pt;flex-wrap:wrap}.plots figure{margin:0;flex:1 1 240pt}"
    ".plots svg{width:100%;height:auto}"
    ".clear{clear:both}"
    "@page{size:A4;margin:15mm}@media print{body{margin:0}section.page{break-before:page}}";

// A Windows-1251 text of the document as HTML text.
std::string Escape(const std::string& cp1251) { return EscapeMarkup(Cp1251TextToUtf8(cp1251)); }

// The plot as an <svg> element without the XML declaration and with a
// size that follows its box.
std::string SvgOf(const Plot& plot) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  const double scale = kSvgResolution / 72.0;
  const QSize size(static_cast<int>(kPlotWidthPt * scale), static_cast<int>(kPlotHeightPt * scale));
  {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(kSvgResolution);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    QPainter painter(&svg);
    DrawPlot(painter, QRectF(QPointF(0, 0), QSizeF(size)), plot);
  }
  std::string text = buffer.data().toStdString();
  const std::size_t start = text.find("<svg");
  if (start == std::string::npos) return {};
  text.erase(0, start);
  // The root element's fixed width and height give way to the CSS.
  const std::size_t end = text.find('>');
  std::string root = text.substr(0, end);
  for (const char* attr : {" width=\"", " height=\""}) {
    const std::size_t a = root.find(attr);
    if (a == std::string::npos) continue;
    const std::size_t b = root.find('"', a + std::char_traits<char>::length(attr));
    if (b != std::string::npos) root.erase(a, b + 1 - a);
  }
  return WithSvgTitle(root + text.substr(end), Cp1251ToUtf8(plot.title));
}

std::string PictureUri(const std::string& name) {
  QFile file(QStringLiteral(":/%1@2x.png").arg(QString::fromStdString(name)));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return "data:image/png;base64," + file.readAll().toBase64().toStdString();
}

std::string FieldCells(const Field& f) {
  const std::string cls = f.warning ? " warn" : "";
  std::string s =
      "<td class=\"label\">" + Escape(f.label) + "</td><td class=\"value" + cls + "\"><b>" + Escape(f.value) + "</b>";
  if (!f.unit.empty()) s += " <span>" + Escape(f.unit) + "</span>";
  return s + "</td>";
}

std::string HtmlBlock(const FieldList& list) {
  std::string s;
  if (!list.picture.empty()) {
    const std::string uri = PictureUri(list.picture);
    if (!uri.empty()) s += "<img class=\"core\" alt=\"\" src=\"" + uri + "\"/>";
  }
  const std::size_t columns = static_cast<std::size_t>(std::max(1, list.columns));
  s += "<table class=\"fields\">";
  for (std::size_t i = 0; i < list.fields.size(); i += columns) {
    s += "<tr>";
    for (std::size_t k = i; k < std::min(list.fields.size(), i + columns); ++k) s += FieldCells(list.fields[k]);
    s += "</tr>";
  }
  return s + "</table><div class=\"clear\"></div>\n";
}

std::string HtmlBlock(const Table& table) {
  std::string s = "<table class=\"grid\"><tr>";
  for (const auto& h : table.header) s += "<th>" + Escape(h) + "</th>";
  s += "</tr>";
  for (const auto& row : table.rows) {
    s += "<tr>";
    for (const auto& c : row) s += "<td>" + Escape(c) + "</td>";
    s += "</tr>";
  }
  return s + "</table>\n";
}

std::string HtmlBlock(const Paragraph& p) {
  const char* cls = p.style == ParagraphStyle::Note      ? " class=\"note\""
                    : p.style == ParagraphStyle::Warning ? " class=\"warning\""
                                                         : "";
  return std::string("<p") + cls + ">" + Escape(p.text) + "</p>\n";
}

std::string HtmlBlock(const Steps& steps) {
  std::string s = "<ol>";
  for (const auto& item : steps.items) s += "<li>" + Escape(item) + "</li>";
  return s + "</ol>\n";
}

std::string HtmlBlock(const PlotRow& row) {
  std::string s = "<div class=\"plots\">";
  for (const Plot& p : row.plots) s += "<figure>" + SvgOf(p) + "</figure>";
  return s + "</div>\n";
}

}  // namespace

std::string HtmlOf(const Document& doc) {
  const char* lang = doc.language == "Russian" ? "ru" : "en";
  std::string h = std::string("<!DOCTYPE html>\n<html lang=\"") + lang + "\">\n<head>\n<meta charset=\"utf-8\"/>\n";
  h += "<title>" + Escape(doc.title) + "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n";
  h += "<h1>" + Escape(doc.title) + "</h1>\n<p class=\"meta\">";
  for (std::size_t i = 0; i < doc.header.size(); ++i)
    h += (i ? " &#183; " : "") + Escape(doc.header[i].label) + ": " +
         (doc.header[i].utf8Value ? EscapeMarkup(doc.header[i].value) : Escape(doc.header[i].value));
  h += "</p>\n";
  for (const Section& s : doc.sections) {
    h += s.newPage ? "<section class=\"page\">" : "<section>";
    h += "<h2>" + Escape(s.title) + "</h2>\n";
    for (const Block& b : s.blocks) h += std::visit([](const auto& block) { return HtmlBlock(block); }, b);
    h += "</section>\n";
  }
  return h + "</body>\n</html>\n";
}

Format FormatOfName(const std::string& fileName) {
  std::string lower = fileName;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  auto ends = [&lower](const std::string& ext) {
    return lower.size() > ext.size() && lower.compare(lower.size() - ext.size(), ext.size(), ext) == 0;
  };
  if (ends(".pdf")) return Format::Pdf;
  if (ends(".html") || ends(".htm")) return Format::Html;
  return Format::Unknown;
}

bool WriteReport(const Document& doc, const std::string& fileName, std::string* error,
                 const std::vector<std::string>& inputs) {
  const Format format = FormatOfName(fileName);
  if (format == Format::Unknown) {
    if (error) *error = "the file name must end in .pdf or .html: " + fileName;
    return false;
  }
  const std::string bytes = format == Format::Pdf ? PdfOf(doc) : HtmlOf(doc);
  if (bytes.empty()) {
    if (error) *error = "the report could not be drawn";
    return false;
  }
  if (const WriteStatus status = WriteOutputFile(fileName, bytes, inputs); !status.ok()) {
    if (error) *error = "cannot write " + fileName + ": " + status.Reason();
    return false;
  }
  return true;
}

}  // namespace velmora::reportrender
