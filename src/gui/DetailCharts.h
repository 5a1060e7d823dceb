// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plots of the "Design details" window, filled from the figures
// behind a calculation: the material's loss curve at the design frequency
// and one switching period of the current and flux density. The same fill
// serves the window's views and the larger pictures that Copy and Save make.
#include <QString>
#include <functional>

#include "insight/DesignDetails.h"

class QChart;
class QChartView;

namespace velmora {

// The text of a key of the design section, in the window's language.
using DetailText = std::function<QString(const char* key)>;

// The loss curve, and the current and the flux density over one switching
// period, each a plot of its own: the flux follows the current in
// proportion, so on one plot the two lines lay over each other.
enum class DetailPlot { Loss, Current, Flux, Inductance };

// Pv(B) on log-log axes: the curve, the four table points, the operating
// point and the loss limit, labelled on the plot. Series and axes are made
// on the first fill and reused after it, so a refresh only replaces points
// and texts.
void FillLossChart(QChart* chart, const DetailText& text, const insight::DesignDetails& d);
// The inductor current over one period.
void FillCurrentChart(QChart* chart, const DetailText& text, const insight::DesignDetails& d);
// The flux density over one period and the permitted peak flux density,
// labelled on the plot.
void FillFluxChart(QChart* chart, const DetailText& text, const insight::DesignDetails& d);
// The inductance from 0 to 1.5 times the peak current, with the nominal and
// the peak current marked.
void FillInductanceChart(QChart* chart, const DetailText& text, const insight::DesignDetails& d);
void FillChart(DetailPlot plot, QChart* chart, const DetailText& text, const insight::DesignDetails& d);

// A view with a chart of tight margins and no legend of its own: the window
// shows the legend beside the view, where it wraps instead of eliding.
QChartView* NewDetailChartView();

// The legend of a chart as rich text: per series a mark in its colour (a
// line, dashed line, square or dot) and its name, the entries separated so
// that a narrow label wraps between them, never inside one.
QString LegendHtml(const QChart* chart);

}  // namespace velmora
