// SPDX-License-Identifier: GPL-3.0-or-later
// What the view draws itself: the program's icon, the pictures of the
// dialog's picture rectangle, and the group boxes and static texts that have
// no widget.
#include <QApplication>
#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QStyleOption>
#include <QStyleOptionGroupBox>
#include <QToolTip>
#include <utility>

#include "ui/qt/QtDialogView.h"
#include "ui/qt/QtViewParts.h"

namespace velmora::ui {

namespace {

// The program's icon from its two images, 32 and 256 pixels square. Each
// image is read when a size of it is first asked for, not before: the
// window frame and the about box want the small one, and decoding the large
// one up front took a good part of the window's start-up.
class AppIconEngine : public QIconEngine {
 public:
  static constexpr int kSmall = 32;
  static constexpr int kLarge = 256;

  AppIconEngine(QString smallFile, QString largeFile)
      : smallFile_(std::move(smallFile)), largeFile_(std::move(largeFile)) {}

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    QSize actual = SourceSize(size);
    if (actual.width() > size.width() || actual.height() > size.height()) actual.scale(size, Qt::KeepAspectRatio);
    return actual;
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    const bool small = SourceSize(size).width() == kSmall;
    QPixmap& source = small ? small_ : large_;
    if (source.isNull()) source.load(small ? smallFile_ : largeFile_);
    QPixmap pm = source;
    const QSize actual = actualSize(size, mode, state);
    if (!pm.isNull() && pm.size() != actual) pm = pm.scaled(actual, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (mode != QIcon::Normal && !pm.isNull()) {  // disabled, active, selected: as the style draws them
      QStyleOption option;
      option.palette = QGuiApplication::palette();
      const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, pm, &option);
      if (!generated.isNull()) pm = generated;
    }
    return pm;
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal dpr = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    QPixmap pm = pixmap(rect.size() * dpr, mode, state);
    pm.setDevicePixelRatio(dpr);
    painter->drawPixmap(rect, pm);
  }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    if (!smallFile_.isEmpty()) sizes << QSize(kSmall, kSmall);
    if (!largeFile_.isEmpty()) sizes << QSize(kLarge, kLarge);
    return sizes;
  }

  bool isNull() override { return smallFile_.isEmpty() && largeFile_.isEmpty(); }
  QIconEngine* clone() const override { return new AppIconEngine(*this); }
  QString key() const override { return QStringLiteral("VelmoraAppIcon"); }

 private:
  // The small image up to its size, else the large one (either, when only
  // one is there).
  QSize SourceSize(const QSize& wanted) const {
    const bool small =
        !smallFile_.isEmpty() && (largeFile_.isEmpty() || (wanted.width() <= kSmall && wanted.height() <= kSmall));
    const int side = small ? kSmall : kLarge;
    return QSize(side, side);
  }

  QString smallFile_, largeFile_;
  QPixmap small_, large_;
};

}  // namespace

QIcon AppIcon() {
  const QString smallFile = QStringLiteral(":/velmora-32.png");
  const QString largeFile = QStringLiteral(":/velmora.png");
  const bool hasSmall = QFile::exists(smallFile), hasLarge = QFile::exists(largeFile);
  if (!hasSmall && !hasLarge) return {};
  return QIcon(new AppIconEngine(hasSmall ? smallFile : QString(), hasLarge ? largeFile : QString()));
}

QPixmap QtDialogView::PicturePixmap(int id) {
  auto it = pictures_.find(id);
  if (it != pictures_.end()) return it->second;
  const QString base = QStringLiteral(":/core%1").arg(id);
  QPixmap pixmap;
  if (devicePixelRatioF() > 1.0 && QFile::exists(base + QStringLiteral("@2x.png"))) {
    pixmap.load(base + QStringLiteral("@2x.png"));
    pixmap.setDevicePixelRatio(2.0);
  } else {
    pixmap.load(base + QStringLiteral(".png"));
  }
  pictures_.emplace(id, pixmap);
  return pixmap;
}

void QtDialogView::PaintPicture(QPainter& painter) {
  const int id = dialog_.PictureId();
  if (id == 0) return;
  const QPixmap pixmap = PicturePixmap(id);
  if (pixmap.isNull()) return;
  const Dialog::Rect r = dialog_.PictureRect();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(ToPixels(r.left, r.top, r.right - r.left, r.bottom - r.top), pixmap);
}

void QtDialogView::SetDrawnText(Entry& entry, const QString& text) {
  const ControlTemplate& t = dialog_.Template().controls[static_cast<std::size_t>(entry.index)];
  entry.shown = t.kind == ControlKind::GroupBox
                    ? text
                    : StaticLines(WithoutMnemonics(text), surface_->fontMetrics(), entry.rect.width()).join(u'\n');
  surface_->update(entry.rect);
}

std::optional<QtDialogView::Drawn> QtDialogView::DrawnText(int id) const {
  auto it = byId_.find(id);
  if (it == byId_.end() || !entries_[it->second].drawn) return std::nullopt;
  const Entry& entry = entries_[it->second];
  return Drawn{entry.shown, entry.rect, entry.enabled, entry.warned, FromCp1251(entry.tooltip.value_or(""))};
}

bool QtDialogView::ShowDrawnTip(const QPoint& at, const QPoint& globalAt) {
  for (const Entry& entry : entries_) {
    if (!entry.drawn || !entry.tooltip || entry.tooltip->empty() || !entry.rect.contains(at)) continue;
    QToolTip::showText(globalAt, TipText(FromCp1251(*entry.tooltip)), surface_, entry.rect, kTipHideDelayMs);
    return true;
  }
  QToolTip::hideText();
  return false;
}

// Group boxes and static texts without a widget: the frames as QGroupBox
// draws them, then each text as QLabel does, clipped to its box. The
// controls lie above them all.
void QtDialogView::PaintTexts(QPainter& painter, const QRect& dirty) {
  const std::vector<ControlTemplate>& controls = dialog_.Template().controls;
  QStyle* style = surface_->style();
  for (const Entry& entry : entries_) {
    if (!entry.drawn || controls[static_cast<std::size_t>(entry.index)].kind != ControlKind::GroupBox) continue;
    if (!entry.rect.intersects(dirty)) continue;
    QStyleOptionGroupBox option;
    option.initFrom(surface_);
    option.rect = QRect(QPoint(0, 0), entry.rect.size());  // the style places the title by a frame at 0,0
    option.text = entry.shown;
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.textAlignment = Qt::AlignLeft;
    option.subControls = QStyle::SC_GroupBoxFrame;
    if (!entry.shown.isEmpty()) option.subControls |= QStyle::SC_GroupBoxLabel;
    if (!entry.enabled) option.state &= ~QStyle::State_Enabled;
    option.textColor = QColor(style->styleHint(QStyle::SH_GroupBox_TextLabelColor, &option, nullptr));
    painter.save();
    painter.translate(entry.rect.topLeft());
    style->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, nullptr);
    painter.restore();
  }
  // The style takes the text's colour from the palette's current group, as
  // a label's own drawing does: the disabled group's for a greyed text.
  const QPalette& shown = surface_->palette();
  QPalette greyed = shown, warned = shown;
  greyed.setCurrentColorGroup(QPalette::Disabled);
  warned.setColor(QPalette::WindowText, kWarningText);
  for (const Entry& entry : entries_) {
    if (!entry.drawn || entry.shown.isEmpty() ||
        controls[static_cast<std::size_t>(entry.index)].kind != ControlKind::Static || !entry.rect.intersects(dirty))
      continue;
    const QPalette& palette = !entry.enabled ? greyed : entry.warned ? warned : shown;
    painter.save();
    painter.setClipRect(entry.rect, Qt::IntersectClip);
    style->drawItemText(&painter, entry.rect, static_cast<int>(entry.align), palette, entry.enabled, entry.shown,
                        QPalette::WindowText);
    painter.restore();
  }
}

}  // namespace velmora::ui
