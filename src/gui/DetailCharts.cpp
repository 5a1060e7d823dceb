// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/DetailCharts.h"

#include <QApplication>
#include <QGraphicsLayout>
#include <QPainter>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "textfile/Markup.h"

namespace velmora {

namespace {

// Room around the plotted points, so that the first and last ones do not sit
// on the frame: a factor on log axes, a share of the span on linear ones.
constexpr double kLogMargin = 1.25;
constexpr double kHeadroom = 1.1;
// Roughly this many intervals between the round ticks of a linear axis.
constexpr double kRoundTickIntervals = 5;
// Round steps are 1, 2 or 5 times a power of ten.
constexpr double kRoundSteps[] = {1, 2, 5, 10};
// A step this close below the wanted one (the division's rounding) counts.
constexpr double kStepSlack = 1e-9;

// The round step nearest above span / kRoundTickIntervals.
double RoundStep(double span) {
  const double raw = span / kRoundTickIntervals;
  if (!(raw > 0) || !std::isfinite(raw)) return 0;
  const double decade = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double m : kRoundSteps)
    if (m * decade >= raw * (1 - kStepSlack)) return m * decade;
  return 10 * decade;
}

// Ticks at the multiples of a round step, whatever the axis's range: the
// ranges of the current and flux axes stay in proportion.
void RoundTicks(QValueAxis* axis) {
  const double step = RoundStep(axis->max() - axis->min());
  if (!(step > 0)) return;
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setTickAnchor(0);
  axis->setTickInterval(step);
  axis->setLabelFormat(QStringLiteral("%g"));
}
// The loss limit: a dark dashed line, apart from the theme's series colours.
const QColor kLimitColor(0x30, 0x30, 0x30);

bool Positive(double v) { return std::isfinite(v) && v > 0; }

// A log axis needs positive values: the points that have none are left out.
void AddPoint(QList<QPointF>& points, double x, double y) {
  if (Positive(x) && Positive(y)) points.append(QPointF(x, y));
}

template <class Series>
Series* Named(QChart* chart, const char* name) {
  for (QAbstractSeries* s : chart->series())
    if (s->objectName() == name) return static_cast<Series*>(s);
  auto* series = new Series;
  series->setObjectName(name);
  return series;
}

template <class Axis>
Axis* NamedAxis(QChart* chart, const char* name, Qt::Alignment alignment) {
  for (QAbstractAxis* a : chart->axes())
    if (a->objectName() == name) return static_cast<Axis*>(a);
  auto* axis = new Axis;
  axis->setObjectName(name);
  // The window's own font, not the charts' larger bold one: a long title
  // then fits along a short axis at high scaling instead of being cut.
  axis->setTitleFont(QApplication::font());
  chart->addAxis(axis, alignment);
  return axis;
}

// Adds the series on its first use and attaches it to both axes.
void Attach(QChart* chart, QXYSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
  if (series->chart()) return;
  chart->addSeries(series);
  series->attachAxis(x);
  series->attachAxis(y);
}

QLogValueAxis* LogAxis(QChart* chart, const char* name, Qt::Alignment alignment) {
  auto* axis = NamedAxis<QLogValueAxis>(chart, name, alignment);
  axis->setBase(10);
  axis->setLabelFormat("%g");
  axis->setMinorTickCount(-1);
  return axis;
}

// The range of the positive coordinates of all points, widened by the margin.
void FitLog(QLogValueAxis* axis, const std::initializer_list<const QList<QPointF>*> lists, bool x) {
  double low = std::numeric_limits<double>::infinity(), high = 0;
  for (const QList<QPointF>* points : lists)
    for (const QPointF& p : *points) {
      low = std::min(low, x ? p.x() : p.y());
      high = std::max(high, x ? p.x() : p.y());
    }
  if (high > 0) axis->setRange(low / kLogMargin, high * kLogMargin);
}

double Highest(const QList<QPointF>& points) {
  double top = 0;
  for (const QPointF& p : points) top = std::max(top, p.y());
  return top;
}

}  // namespace

void FillLossChart(QChart* chart, const DetailText& text, const insight::DesignDetails& d) {
  const insight::LossModel& m = d.lossModel;
  chart->setTitle(text("plotLoss") + QString(" (%1 kHz)").arg(m.F_kHz, 0, 'g', 6));
  QList<QPointF> curvePoints, tablePoints, point, limitPoints;
  if (m.available && !d.lossCurve.B_T.empty()) {
    for (std::size_t i = 0; i < d.lossCurve.B_T.size(); ++i)
      AddPoint(curvePoints, d.lossCurve.B_T[i], d.lossCurve.Pv_mW_cm3[i]);
    for (int i = 0; i < 2; ++i)
      for (int k = 0; k < 2; ++k) AddPoint(tablePoints, m.source.B[k], m.source.P[i][k]);
    AddPoint(point, m.Bac_T, m.Pv_mW_cm3);
    AddPoint(limitPoints, d.lossCurve.B_T.front(), m.limit_mW_cm3);
    AddPoint(limitPoints, d.lossCurve.B_T.back(), m.limit_mW_cm3);
  }
  auto* x = LogAxis(chart, "flux", Qt::AlignBottom);
  auto* y = LogAxis(chart, "loss", Qt::AlignLeft);
  x->setTitleText(text("axisFlux"));
  y->setTitleText(text("axisLoss"));

  auto* curve = Named<QLineSeries>(chart, "curve");
  auto* limit = Named<QLineSeries>(chart, "limit");
  auto* table = Named<QScatterSeries>(chart, "table");
  auto* operating = Named<QScatterSeries>(chart, "point");
  // The order of adding is the order of drawing: the marks over the lines.
  for (QXYSeries* s : {static_cast<QXYSeries*>(curve), static_cast<QXYSeries*>(limit), static_cast<QXYSeries*>(table),
                       static_cast<QXYSeries*>(operating)})
    Attach(chart, s, x, y);
  limit->setPen(QPen(kLimitColor, 1.5, Qt::DashLine));
  table->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
  table->setMarkerSize(8);
  operating->setMarkerSize(11);

  curve->setName(text("curve"));
  limit->setName(text("lossLimit"));
  table->setName(text("tablePoints") +
                 QString(" (%1, %2 kHz)").arg(m.source.F[0], 0, 'g', 6).arg(m.source.F[1], 0, 'g', 6));
  operating->setName(text("operatingPoint"));
  curve->replace(curvePoints);
  limit->replace(limitPoints);
  table->replace(tablePoints);
  operating->replace(point);
  FitLog(x, {&curvePoints, &tablePoints, &point}, true);
  FitLog(y, {&curvePoints, &tablePoints, &point, &limitPoints}, false);
}

void FillWaveChart(QChart* chart, const DetailText& text, const insight::DesignDetails& d) {
  chart->setTitle(text("plotWave"));
  const insight::Waveform& w = d.waveform;
  QList<QPointF> currentPoints, fluxPoints;
  for (std::size_t i = 0; i < w.t_us.size(); ++i) {
    if (std::isfinite(w.t_us[i]) && std::isfinite(w.i_A[i])) currentPoints.append(QPointF(w.t_us[i], w.i_A[i]));
    if (std::isfinite(w.t_us[i]) && std::isfinite(w.B_T[i])) fluxPoints.append(QPointF(w.t_us[i], w.B_T[i]));
  }
  auto* t = NamedAxis<QValueAxis>(chart, "time", Qt::AlignBottom);
  auto* i = NamedAxis<QValueAxis>(chart, "current", Qt::AlignLeft);
  auto* b = NamedAxis<QValueAxis>(chart, "flux", Qt::AlignRight);
  t->setTitleText(text("axisTime"));
  i->setTitleText(text("axisCurrent"));
  b->setTitleText(text("axisFluxDensity"));
  auto* current = Named<QLineSeries>(chart, "current");
  auto* flux = Named<QLineSeries>(chart, "flux");
  Attach(chart, current, t, i);
  Attach(chart, flux, t, b);
  // B follows i in proportion: the flux line is dashed over the current line.
  current->setPen(QPen(QColor(0x20, 0x9f, 0xdf), 4));
  flux->setPen(QPen(QColor(0xd0, 0x50, 0x20), 2, Qt::DashLine));
  current->setName(text("current"));
  flux->setName(text("fluxDensity"));
  current->replace(currentPoints);
  flux->replace(fluxPoints);
  if (currentPoints.isEmpty()) return;
  t->setRange(currentPoints.front().x(), currentPoints.back().x());
  // From zero, so that the ripple reads against the whole current.
  i->setRange(0, Highest(currentPoints) * kHeadroom);
  b->setRange(0, Highest(fluxPoints) * kHeadroom);
  for (QValueAxis* axis : {t, i, b}) RoundTicks(axis);
}

void FillChart(DetailPlot plot, QChart* chart, const DetailText& text, const insight::DesignDetails& d) {
  if (plot == DetailPlot::Loss) FillLossChart(chart, text, d);
  else FillWaveChart(chart, text, d);
}

QChartView* NewDetailChartView() {
  auto* chart = new QChart;
  chart->legend()->hide();
  chart->setBackgroundRoundness(0);
  chart->setMargins(QMargins(2, 2, 2, 2));
  chart->layout()->setContentsMargins(0, 0, 0, 0);
  auto* view = new QChartView(chart);
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(300, 220);
  return view;
}

QString LegendHtml(const QChart* chart) {
  QStringList entries;
  for (QAbstractSeries* s : chart->series()) {
    const auto* xy = static_cast<const QXYSeries*>(s);
    if (xy->points().isEmpty() || xy->name().isEmpty()) continue;
    QString mark;
    QColor color = xy->color();
    if (const auto* scatter = qobject_cast<const QScatterSeries*>(s))
      mark = scatter->markerShape() == QScatterSeries::MarkerShapeRectangle ? "&#9632;" : "&#9679;";
    else {
      color = xy->pen().color();
      mark = xy->pen().style() == Qt::SolidLine ? "&#9473;&#9473;" : "&#9476;&#9476;";
    }
    QString name = QString::fromStdString(EscapeMarkup(xy->name().toStdString()));
    name.replace(' ', "&nbsp;");
    entries << QString("<span style=\"color:%1\">%2</span>&nbsp;%3").arg(color.name(), mark, name);
  }
  return entries.join("&nbsp;&nbsp;&nbsp; ");
}

}  // namespace velmora
