// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A report as a document of sections: headings, lines of label, value and
// unit, tables, paragraphs, numbered steps, plots and a picture. Every text is
// Windows-1251, as the language files give it; a renderer converts to Unicode
// at its own boundary. The document says what is shown, never how: page size,
// fonts and placement are the renderers' business.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace velmora::report {

// One line of "label: value unit". A warning value is shown highlighted.
struct Field {
  std::string label;
  std::string value;
  std::string unit;
  bool warning = false;
  // The value is UTF-8, not Windows-1251: a file name as it is on disk,
  // which may hold any character.
  bool utf8Value = false;
};

// Fields laid out in `columns` columns; `picture` names a core picture
// ("core136") shown beside them, or is empty.
struct FieldList {
  std::vector<Field> fields;
  int columns = 1;
  std::string picture;
};

struct Table {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
};

enum class ParagraphStyle { Normal, Note, Warning };

struct Paragraph {
  std::string text;
  ParagraphStyle style = ParagraphStyle::Normal;
};

// A numbered list: the steps of an instruction.
struct Steps {
  std::vector<std::string> items;
};

// One curve of a plot; `points` draws markers instead of a line.
struct Series {
  std::string name;
  std::vector<double> x;
  std::vector<double> y;
  bool points = false;
};

// A plot with linear or logarithmic axes. A second y axis on the right, when
// its label is set, reads the same curves scaled by `rightScale` (right value
// = left value * rightScale).
struct Plot {
  std::string title;
  std::string xLabel;
  std::string yLabel;
  bool logX = false;
  bool logY = false;
  std::string rightLabel;
  double rightScale = 1;
  std::vector<Series> series;
};

// Plots side by side.
struct PlotRow {
  std::vector<Plot> plots;
};

using Block = std::variant<FieldList, Table, Paragraph, Steps, PlotRow>;

struct Section {
  std::string title;
  std::vector<Block> blocks;
  // The section starts a new page in a paged rendering.
  bool newPage = false;
};

struct Document {
  std::string language;  // the interface language's name ("English")
  std::string title;
  std::vector<Field> header;  // program, date, design file
  std::vector<Section> sections;
  // Seconds since 1970 UTC that a rendering records as its creation time, so
  // that the same document gives the same bytes (SOURCE_DATE_EPOCH); none:
  // the renderer's clock.
  std::optional<std::int64_t> fixedTime;
};

}  // namespace velmora::report
