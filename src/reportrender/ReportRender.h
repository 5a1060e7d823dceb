// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The design report drawn: a PDF (A4, vector plots, selectable text) and a
// self-contained HTML file (inline SVG plots, the core picture as data). Qt
// draws both; a QGuiApplication must exist (the offscreen platform will do).
#include <string>
#include <vector>

#include "report/ReportDocument.h"

namespace velmora::reportrender {

// The PDF file's bytes; `pages` receives the number of pages when given.
std::string PdfOf(const report::Document& doc, int* pages = nullptr);
// The HTML text, UTF-8.
std::string HtmlOf(const report::Document& doc);

enum class Format { Pdf, Html, Unknown };
// By the file name's extension (".pdf", ".html", ".htm"; letter case ignored).
Format FormatOfName(const std::string& fileName);

// Writes the report to a file (UTF-8 name) in the format its extension names,
// whole or not at all, by the rules of every output the user names
// (textfile/OutputFile.h): the name matched exactly, never one of `inputs`
// (the design file the report was made from). False with the reason in
// `error` (UTF-8).
bool WriteReport(const report::Document& doc, const std::string& fileName, std::string* error,
                 const std::vector<std::string>& inputs = {});

}  // namespace velmora::reportrender
