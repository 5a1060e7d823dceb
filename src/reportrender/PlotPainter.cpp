// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportrender/PlotPainter.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>

#include "textfile/Cp1251.h"

namespace velmora::reportrender {

namespace {

// Sizes in points, turned into device units by the painter's resolution.
constexpr double kTitleSize = 8.5;
constexpr double kLabelSize = 7.0;
constexpr double kTickSize = 6.5;
constexpr double kLeftMargin = 42;   // tick labels and the axis label
constexpr double kRightMargin = 10;  // without a right axis
constexpr double kRightAxisMargin = 40;
constexpr double kBottomMargin = 26;
constexpr double kTitleHeight = 14;
constexpr double kTickLength = 3;
// A linear axis reaches a little beyond the data, so no curve lies on the frame.
constexpr double kLinearPadding = 0.05;
// Roughly this many ticks on a linear axis.
constexpr double kLinearTickCount = 5;
// With at most this many decades a log axis also marks 2 and 5.
constexpr double kShortLogRange = 2.5;
// More ticks than this mean a range no plot of a design has.
constexpr int kMaxTicks = 60;
// Letter spacing in percent: the same look as 100, without ligatures.
constexpr double kNoLigatureSpacing = 100.001;

const QColor kSeriesColors[] = {QColor(0x1f, 0x5f, 0xa8), QColor(0xc0, 0x39, 0x2b), QColor(0x1e, 0x84, 0x49)};
const QColor kGridColor(0xd8, 0xd8, 0xd8);

struct Axis {
  double lo = 0, hi = 1;
  bool log = false;
  double Fraction(double v) const {
    if (log) return (std::log10(v) - std::log10(lo)) / (std::log10(hi) - std::log10(lo));
    return (v - lo) / (hi - lo);
  }
};

double NiceStep(double rough) {
  const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
  const double f = rough / magnitude;
  return magnitude * (f <= 1 ? 1 : f <= 2 ? 2 : f <= 5 ? 5 : 10);
}

bool Usable(double v, bool log) { return std::isfinite(v) && (!log || v > 0); }

// The axis over the data: decades on a log axis; a linear axis padded to
// round steps, or (`exact`) just the data's span.
Axis AxisOf(const std::vector<const std::vector<double>*>& lists, bool log, bool exact) {
  double lo = std::numeric_limits<double>::infinity(), hi = -lo;
  for (const auto* list : lists)
    for (double v : *list)
      if (Usable(v, log)) {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
      }
  Axis a;
  a.log = log;
  if (!(lo <= hi)) return log ? Axis{1, 10, true} : Axis{0, 1, false};
  if (log) {
    a.lo = std::pow(10.0, std::floor(std::log10(lo)));
    a.hi = std::pow(10.0, std::ceil(std::log10(hi)));
    if (a.hi <= a.lo) a.hi = a.lo * 10;
    return a;
  }
  if (hi - lo <= std::abs(hi) * 1e-9) {
    const double half = std::max(std::abs(hi) * 0.1, 1e-9);
    lo -= half;
    hi += half;
  }
  if (exact) return Axis{lo, hi, false};
  const double pad = (hi - lo) * kLinearPadding;
  const double step = NiceStep((hi - lo + 2 * pad) / kLinearTickCount);
  a.lo = std::floor((lo - pad) / step) * step;
  a.hi = std::ceil((hi + pad) / step) * step;
  return a;
}

// A text of the plot as one line: control characters (a line break, a TAB,
// an escape from a language file) become blanks. A plot's texts are single
// lines, and the SVG writer would put them into the file raw, where XML
// allows none of them.
QString PlotText(const std::string& cp1251) {
  std::string line = cp1251;
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  return Q(line);
}

QString TickText(double v) {
  if (std::abs(v) < 1e-12) v = 0;
  return QString::number(v, 'g', 6);
}

}  // namespace

QString Q(const std::string& cp1251) { return QString::fromStdString(Cp1251TextToUtf8(cp1251)); }

QFont ReportFont(double points, bool bold) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setStyleHint(QFont::SansSerif);
  f.setPointSizeF(points);
  f.setBold(bold);
  // A spacing other than the default turns ligatures off, so that the PDF's
  // text reads back letter for letter ("fi", not one ligature glyph).
  f.setLetterSpacing(QFont::PercentageSpacing, kNoLigatureSpacing);
  return f;
}

std::vector<double> AxisTicks(double lo, double hi, bool logarithmic) {
  std::vector<double> ticks;
  if (!(lo < hi) || !std::isfinite(lo) || !std::isfinite(hi)) return ticks;
  if (logarithmic) {
    if (lo <= 0) return ticks;
    const bool fine = std::log10(hi / lo) <= kShortLogRange;
    double decade = std::pow(10.0, std::floor(std::log10(lo)));
    for (int k = 0; k <= kMaxTicks && decade <= hi * (1 + 1e-9); ++k, decade *= 10)
      for (double m : {1.0, 2.0, 5.0}) {
        if (m != 1.0 && !fine) continue;
        const double v = decade * m;
        if (v >= lo * (1 - 1e-9) && v <= hi * (1 + 1e-9)) ticks.push_back(v);
      }
    return ticks;
  }
  const double step = NiceStep((hi - lo) / kLinearTickCount);
  // A span too small or too large for doubles gives no round step.
  if (!(step > 0) || !std::isfinite(step)) return ticks;
  const double first = std::ceil(lo / step - 1e-9);
  for (int k = 0; k <= kMaxTicks; ++k) {
    const double v = (first + k) * step;
    if (v > hi + step * 1e-9) break;
    ticks.push_back(v);
  }
  return ticks;
}

namespace {

// One plot being drawn: the painter, the scale of a point, the plot's box and
// the area inside its axes, and both axes.
struct PlotFrame {
  QPainter& painter;
  const report::Plot& plot;
  double pt;
  QRectF box, area;
  Axis ax, ay;
  double right;  // the margin right of the area
  double Px(double v) const { return area.left() + ax.Fraction(v) * area.width(); }
  double Py(double v) const { return area.bottom() - ay.Fraction(v) * area.height(); }
};

PlotFrame FrameOf(QPainter& painter, const QRectF& box, const report::Plot& plot) {
  const double pt = painter.device()->logicalDpiY() / 72.0;
  const double right = (plot.rightLabel.empty() ? kRightMargin : kRightAxisMargin) * pt;
  const QRectF area(box.left() + kLeftMargin * pt, box.top() + kTitleHeight * pt,
                    box.width() - kLeftMargin * pt - right, box.height() - (kTitleHeight + kBottomMargin) * pt);
  std::vector<const std::vector<double>*> xs, ys;
  for (const auto& s : plot.series) {
    xs.push_back(&s.x);
    ys.push_back(&s.y);
  }
  return PlotFrame{painter, plot, pt, box, area, AxisOf(xs, plot.logX, true), AxisOf(ys, plot.logY, false), right};
}

void DrawGrid(const PlotFrame& f, const QFontMetricsF& fm) {
  QPainter& painter = f.painter;
  const double pt = f.pt;
  const QRectF& area = f.area;
  QPen grid(kGridColor, 0.4 * pt);
  QPen axisPen(Qt::black, 0.6 * pt);
  for (double v : AxisTicks(f.ax.lo, f.ax.hi, f.ax.log)) {
    const double x = f.Px(v);
    painter.setPen(grid);
    painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    painter.setPen(axisPen);
    painter.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + kTickLength * pt));
    painter.drawText(QRectF(x - 30 * pt, area.bottom() + kTickLength * pt, 60 * pt, fm.height()),
                     Qt::AlignHCenter | Qt::AlignTop, TickText(v));
  }
  for (double v : AxisTicks(f.ay.lo, f.ay.hi, f.ay.log)) {
    const double y = f.Py(v);
    painter.setPen(grid);
    painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    painter.setPen(axisPen);
    painter.drawLine(QPointF(area.left() - kTickLength * pt, y), QPointF(area.left(), y));
    painter.drawText(
        QRectF(f.box.left(), y - fm.height() / 2, kLeftMargin * pt - (kTickLength + 1.5) * pt, fm.height()),
        Qt::AlignRight | Qt::AlignVCenter, TickText(v));
  }
  // The right axis has round ticks of its own, placed where the left axis
  // reads the same curve.
  const report::Plot& plot = f.plot;
  if (!plot.rightLabel.empty() && std::isfinite(plot.rightScale) && plot.rightScale > 0 && !f.ay.log) {
    painter.setPen(axisPen);
    for (double v : AxisTicks(f.ay.lo * plot.rightScale, f.ay.hi * plot.rightScale, false)) {
      const double y = f.Py(v / plot.rightScale);
      painter.drawLine(QPointF(area.right(), y), QPointF(area.right() + kTickLength * pt, y));
      painter.drawText(QRectF(area.right() + (kTickLength + 1.5) * pt, y - fm.height() / 2, f.right, fm.height()),
                       Qt::AlignLeft | Qt::AlignVCenter, TickText(v));
    }
  }
  painter.setPen(axisPen);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area);
}

void DrawAxisLabels(const PlotFrame& f) {
  QPainter& painter = f.painter;
  const double pt = f.pt;
  painter.setFont(ReportFont(kLabelSize));
  painter.drawText(QRectF(f.area.left(), f.box.bottom() - 10 * pt, f.area.width(), 10 * pt), Qt::AlignCenter,
                   PlotText(f.plot.xLabel));
  auto vertical = [&](double x, const std::string& text) {
    painter.save();
    painter.translate(x, f.area.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-f.area.height() / 2, -5 * pt, f.area.height(), 10 * pt), Qt::AlignCenter, PlotText(text));
    painter.restore();
  };
  vertical(f.box.left() + 5 * pt, f.plot.yLabel);
  if (!f.plot.rightLabel.empty()) vertical(f.box.right() - 5 * pt, f.plot.rightLabel);
}

// The curves, clipped to the plot area.
void DrawCurves(const PlotFrame& f) {
  QPainter& painter = f.painter;
  const double pt = f.pt;
  painter.setClipRect(f.area.adjusted(-3 * pt, -3 * pt, 3 * pt, 3 * pt));
  painter.setRenderHint(QPainter::Antialiasing);
  for (std::size_t i = 0; i < f.plot.series.size(); ++i) {
    const report::Series& s = f.plot.series[i];
    const QColor color = kSeriesColors[i % std::size(kSeriesColors)];
    QPen pen(color, 1.1 * pt);
    if (i == 1 && !s.points) pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    QPainterPath path;
    bool started = false;
    for (std::size_t k = 0; k < std::min(s.x.size(), s.y.size()); ++k) {
      if (!Usable(s.x[k], f.ax.log) || !Usable(s.y[k], f.ay.log)) continue;
      const QPointF p(f.Px(s.x[k]), f.Py(s.y[k]));
      if (s.points) {
        painter.setBrush(color);
        painter.drawEllipse(p, 2.2 * pt, 2.2 * pt);
        painter.setBrush(Qt::NoBrush);
      } else if (started) {
        path.lineTo(p);
      } else {
        path.moveTo(p);
        started = true;
      }
    }
    if (started) painter.drawPath(path);
  }
  painter.setClipping(false);
}

// The legend, when there is more than one curve.
void DrawLegend(const PlotFrame& f, const QFontMetricsF& fm) {
  if (f.plot.series.size() <= 1) return;
  QPainter& painter = f.painter;
  const double pt = f.pt;
  painter.setFont(ReportFont(kTickSize));
  double y = f.area.top() + 4 * pt;
  for (std::size_t i = 0; i < f.plot.series.size(); ++i) {
    const QColor color = kSeriesColors[i % std::size(kSeriesColors)];
    const double x = f.area.left() + 5 * pt;
    const double mid = y + fm.height() / 2;
    QPen pen(color, 1.1 * pt);
    if (i == 1 && !f.plot.series[i].points) pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    if (f.plot.series[i].points) {
      painter.setBrush(color);
      painter.drawEllipse(QPointF(x + 6 * pt, mid), 2.2 * pt, 2.2 * pt);
      painter.setBrush(Qt::NoBrush);
    } else {
      painter.drawLine(QPointF(x, mid), QPointF(x + 12 * pt, mid));
    }
    painter.setPen(Qt::black);
    painter.drawText(QPointF(x + 15 * pt, mid + fm.ascent() / 2 - fm.descent() / 2), PlotText(f.plot.series[i].name));
    y += fm.height() * 1.1;
  }
}

}  // namespace

void DrawPlot(QPainter& painter, const QRectF& box, const report::Plot& plot) {
  painter.save();
  const PlotFrame frame = FrameOf(painter, box, plot);
  painter.setFont(ReportFont(kTitleSize, true));
  painter.setPen(Qt::black);
  painter.drawText(QRectF(box.left(), box.top(), box.width(), kTitleHeight * frame.pt), Qt::AlignCenter,
                   PlotText(plot.title));
  painter.setFont(ReportFont(kTickSize));
  const QFontMetricsF fm(painter.font(), painter.device());
  DrawGrid(frame, fm);
  DrawAxisLabels(frame);
  DrawCurves(frame);
  DrawLegend(frame, fm);
  painter.restore();
}

}  // namespace velmora::reportrender
