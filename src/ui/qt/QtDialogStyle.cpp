// SPDX-License-Identifier: GPL-3.0-or-later
// The style of the program's windows and its tooltips.
#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>
#include <QToolTip>
#include <algorithm>
#include <clocale>

#include "ui/qt/QtDialogView.h"
#include "ui/qt/QtViewParts.h"

namespace velmora::ui {

namespace {

// Tooltip settings of the program's windows (how long one stays up: kTipHideDelayMs).
constexpr int kTipShowDelayMs = 100;
constexpr int kTipMaxWidthPx = 250;
const QColor kTipBackground(255, 240, 160);

// The style of the program's windows: the platform's, with tooltips that
// show after a short wait like the program's tooltip control, and group box
// frames drawn a band at a time (see drawPrimitive).
class DialogStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* ret) const override {
    if (hint == QStyle::SH_ToolTip_WakeUpDelay) return kTipShowDelayMs;
    if (hint == QStyle::SH_MenuBar_AltKeyNavigation) return 1;  // Alt alone takes the keyboard to the menu bar
    return QProxyStyle::styleHint(hint, option, widget, ret);
  }

  // A menu bar title that the keyboard has reached (Alt or F10, the bar then
  // holding the focus) is lit as one under the mouse button; Fusion lights
  // a title only while its menu is open.
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuBarItem && item && (item->state & State_Selected) && widget && widget->hasFocus()) {
      QStyleOptionMenuItem lit = *item;
      lit.state |= State_Sunken;
      QProxyStyle::drawControl(element, &lit, painter, widget);
      return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
  }

  // Fusion stretches a picture over the whole inside of a group box frame.
  // The raster engine hands a stretched draw of that many rows to worker
  // threads, which it starts for the first one: for the main window two
  // threads and some sixty hand-overs, dearer than the drawing itself. Drawn
  // in bands of fewer rows, clipped, the frame stays on this thread with
  // the very same pixels.
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element != PE_FrameGroupBox || !painter || !option) {
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      return;
    }
    const qreal scale = std::max<qreal>(1.0, painter->deviceTransform().mapRect(QRectF(0, 0, 1, 1)).height());
    const int band = std::max(1, static_cast<int>(kRowsPerBand / scale));
    const QRect all = option->rect;
    for (int top = all.top(); top <= all.bottom(); top += band) {
      painter->save();
      painter->setClipRect(QRect(all.left(), top, all.width(), band), Qt::IntersectClip);
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      painter->restore();
    }
  }

 private:
  // The raster engine blends up to 95 rows on the calling thread.
  static constexpr int kRowsPerBand = 64;
};

}  // namespace

// The tooltip text: plain when it fits the maximum width, else rich text
// laid out at that width so that it wraps.
QString TipText(const QString& tip) {
  if (tip.isEmpty()) return {};
  const QFontMetrics fm(QToolTip::font());
  if (fm.horizontalAdvance(tip) <= kTipMaxWidthPx) return tip;
  return QStringLiteral("<table width=\"%1\"><tr><td>%2</td></tr></table>")
      .arg(kTipMaxWidthPx)
      .arg(tip.toHtmlEscaped());
}

void InitQtApplication() {
  std::setlocale(LC_NUMERIC, "C");
  if (!qApp) return;
  if (const QIcon icon = AppIcon(); !icon.isNull()) QApplication::setWindowIcon(icon);
  QPalette tip = QToolTip::palette();
  tip.setColor(QPalette::ToolTipBase, kTipBackground);
  tip.setColor(QPalette::ToolTipText, Qt::black);
  QToolTip::setPalette(tip);
  if (!dynamic_cast<DialogStyle*>(QApplication::style()))
    QApplication::setStyle(new DialogStyle(QApplication::style()->name()));
}

}  // namespace velmora::ui
