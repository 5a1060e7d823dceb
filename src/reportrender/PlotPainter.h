// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One plot drawn with QPainter into a rectangle: the PDF and the SVG of the
// HTML report draw it alike, as vector graphics.
#include <QPainter>
#include <QRectF>
#include <QString>
#include <string>

#include "report/ReportDocument.h"

namespace velmora::reportrender {

// A Windows-1251 text of the document as a QString.
QString Q(const std::string& cp1251);

// The report's font at a size in points.
QFont ReportFont(double points, bool bold = false);

// Draws the plot (title, axes, grid, curves, legend) inside `box`; lengths
// follow the painter's device resolution.
void DrawPlot(QPainter& painter, const QRectF& box, const report::Plot& plot);

// Tick values of an axis from lo to hi: round steps, or powers of ten (with
// 2 and 5 between them over a short range) on a logarithmic axis.
std::vector<double> AxisTicks(double lo, double hi, bool logarithmic);

}  // namespace velmora::reportrender
