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
// The limits: dark dashed lines, apart from the theme's series colours.
const QColor kLimitColor(0x30, 0x30, 0x30);
// The waveforms: the current a thick blue line, the flux density an orange one.
const QColor kCurrentColor(0x20, 0x9f, 0xdf);
const QColor kFluxColor(0xd0, 0x50, 0x20);

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

// A limit's dashed line across the plot, three points from `from` to `to`
// (the middle one halfway, on a log axis in the log), with its note written
// on the line above the middle point.
void ShowLimit(QLineSeries* limit, double from, double to, double value, bool logX, const QString& note) {
  QList<QPointF> points;
  if (std::isfinite(value) && value > 0 && to > from) {
    const double middle = logX ? std::sqrt(from * to) : (from + to) / 2;
    points = {QPointF(from, value), QPointF(middle, value), QPointF(to, value)};
  }
  limit->setPen(QPen(kLimitColor, 1.5, Qt::DashLine));
  limit->replace(points);
  limit->setPointLabelsFormat(note);
  limit->setPointLabelsColor(kLimitColor);
  limit->setPointLabelsClipping(false);
  limit->setPointLabelsVisible(!points.isEmpty());
  for (int i = 0; i < static_cast<int>(points.size()); ++i)
    limit->setPointConfiguration(i, QXYSeries::PointConfiguration::LabelVisibility, i == 1);
}

double Highest(const QList<QPointF>& points) {
  double top = 0;
  for (const QPointF& p : points) top = std::max(top, p.y());
  return top;
}

}  // namespace

void FillLossChart(QChart* chart, const DetailText& text, const insight::DesignDetails& d) {
  const insight::LossModel& m = d.lossModel;
  const QString kHz = text("unitKhz");
  // One pass over the marks: a language text's own "%2" stays as it is.
  chart->setTitle(QString("%1 (%2 %3)").arg(text("plotLoss"), QString::number(m.F_kHz, 'g', 6), kHz));
  QList<QPointF> curvePoints, tablePoints, point, limitPoints;
  if (m.available && !d.lossCurve.B_T.empty()) {
    for (std::size_t i = 0; i < d.lossCurve.B_T.size(); ++i)
      AddPoint(curvePoints, d.lossCurve.B_T[i], d.lossCurve.Pv_mW_cm3[i]);
    for (int i = 0; i < 2; ++i)
      for (int k = 0; k < 2; ++k) AddPoint(tablePoints, m.source.B[k], m.source.P[i][k]);
    AddPoint(point, m.Bac_T, m.Pv_mW_cm3);
    AddPoint(limitPoints, d.lossCurve.B_T.front(), m.limit_mW_cm3);
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
  table->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
  table->setMarkerSize(8);
  operating->setMarkerSize(11);

  curve->setName(text("curve"));
  limit->setName(text("lossLimit"));
  table->setName(QString("%1 (%2, %3 %4)")
                     .arg(text("tablePoints"), QString::number(m.source.F[0], 'g', 6),
                          QString::number(m.source.F[1], 'g', 6), kHz));
  operating->setName(text("operatingPoint"));
  curve->replace(curvePoints);
  const bool hasLimit = !limitPoints.isEmpty() && !curvePoints.isEmpty();
  ShowLimit(limit, hasLimit ? curvePoints.front().x() : 0, hasLimit ? curvePoints.back().x() : 0,
            hasLimit ? m.limit_mW_cm3 : 0, true, text("lossLimitNote").arg(m.limit_mW_cm3, 0, 'g', 6));
  table->replace(tablePoints);
  operating->replace(point);
  FitLog(x, {&curvePoints, &tablePoints, &point}, true);
  FitLog(y, {&curvePoints, &tablePoints, &point, &limitPoints}, false);
  // Room above the limit's line for its note.
  if (y->max() < m.limit_mW_cm3 * kLogMargin * kLogMargin) y->setMax(m.limit_mW_cm3 * kLogMargin * kLogMargin);
}

namespace {

// The points of one waveform over the period.
QList<QPointF> WavePoints(const insight::Waveform& w, const std::vector<double>& values) {
  QList<QPointF> points;
  for (std::size_t i = 0; i < w.t_us.size() && i < values.size(); ++i)
    if (std::isfinite(w.t_us[i]) && std::isfinite(values[i])) points.append(QPointF(w.t_us[i], values[i]));
  return points;
}

// A plot of one quantity over the period, from zero up (the ripple reads
// against the whole value) to above `top`.
QLineSeries* FillPeriodChart(QChart* chart, const QString& title, const QString& axisTitle, const QString& time,
                             const QList<QPointF>& points, double top) {
  chart->setTitle(title);
  auto* t = NamedAxis<QValueAxis>(chart, "time", Qt::AlignBottom);
  auto* v = NamedAxis<QValueAxis>(chart, "value", Qt::AlignLeft);
  t->setTitleText(time);
  v->setTitleText(axisTitle);
  auto* line = Named<QLineSeries>(chart, "wave");
  Attach(chart, line, t, v);
  line->replace(points);
  if (points.isEmpty()) return line;
  t->setRange(points.front().x(), points.back().x());
  v->setRange(0, std::max(top, Highest(points)) * kHeadroom);
  for (QValueAxis* axis : {t, v}) RoundTicks(axis);
  return line;
}

}  // namespace

void FillCurrentChart(QChart* chart, const DetailText& text, const insight::DesignDetails& d) {
  QLineSeries* current = FillPeriodChart(chart, text("plotCurrent"), text("axisCurrent"), text("axisTime"),
                                         WavePoints(d.waveform, d.waveform.i_A), 0);
  current->setPen(QPen(kCurrentColor, 3));
  current->setName(text("current"));
}

void FillFluxChart(QChart* chart, const DetailText& text, const insight::DesignDetails& d) {
  const double Bm = d.worstCase.Bm_T;
  const QList<QPointF> points = WavePoints(d.waveform, d.waveform.B_T);
  const bool hasLimit = std::isfinite(Bm) && Bm > 0 && !points.isEmpty();
  QLineSeries* flux = FillPeriodChart(chart, text("plotFlux"), text("axisFluxDensity"), text("axisTime"), points,
                                      hasLimit ? Bm * kHeadroom : 0);
  flux->setPen(QPen(kFluxColor, 3));
  flux->setName(text("fluxDensity"));
  auto* limit = Named<QLineSeries>(chart, "limit");
  if (!limit->chart()) Attach(chart, limit, chart->axes(Qt::Horizontal).at(0), chart->axes(Qt::Vertical).at(0));
  limit->setName(text("fluxLimit"));
  ShowLimit(limit, hasLimit ? points.front().x() : 0, hasLimit ? points.back().x() : 0, hasLimit ? Bm : 0, false,
            text("fluxLimitNote").arg(Bm, 0, 'f', 3));
}

void FillInductanceChart(QChart* chart, const DetailText& text, const insight::DesignDetails& d) {
  const insight::BiasFigures& b = d.bias;
  chart->setTitle(text("plotBias"));
  auto* x = NamedAxis<QValueAxis>(chart, "current", Qt::AlignBottom);
  auto* y = NamedAxis<QValueAxis>(chart, "inductance", Qt::AlignLeft);
  x->setTitleText(text("axisCurrent"));
  y->setTitleText(text("axisInductance"));
  auto* curve = Named<QLineSeries>(chart, "curve");
  auto* nominal = Named<QScatterSeries>(chart, "nominal");
  auto* peak = Named<QScatterSeries>(chart, "peak");
  Attach(chart, curve, x, y);
  Attach(chart, nominal, x, y);
  Attach(chart, peak, x, y);
  curve->setPen(QPen(kCurrentColor, 3));
  curve->setName(text("biasCurve") + (b.powder ? "" : " (" + text("noteSaturationEstimate") + ")"));
  nominal->setName(text("biasNominal"));
  nominal->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
  peak->setName(text("biasPeak"));
  peak->setColor(kFluxColor);
  QList<QPointF> points;
  for (std::size_t i = 0; i < b.I_A.size() && i < b.L_uH.size(); ++i)
    if (std::isfinite(b.I_A[i]) && std::isfinite(b.L_uH[i])) points.append(QPointF(b.I_A[i], b.L_uH[i]));
  curve->replace(points);
  nominal->replace(b.available ? QList<QPointF>{QPointF(b.nominalCurrent_A, b.inductanceAtNominal_uH)}
                               : QList<QPointF>{});
  peak->replace(b.available ? QList<QPointF>{QPointF(b.peakCurrent_A, b.inductanceAtPeak_uH)} : QList<QPointF>{});
  if (points.isEmpty()) return;
  x->setRange(0, points.back().x());
  y->setRange(0, Highest(points) * kHeadroom);
  for (QValueAxis* axis : {x, y}) RoundTicks(axis);
}

void FillChart(DetailPlot plot, QChart* chart, const DetailText& text, const insight::DesignDetails& d) {
  if (plot == DetailPlot::Loss) FillLossChart(chart, text, d);
  else if (plot == DetailPlot::Current) FillCurrentChart(chart, text, d);
  else if (plot == DetailPlot::Flux) FillFluxChart(chart, text, d);
  else FillInductanceChart(chart, text, d);
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
