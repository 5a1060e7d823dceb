// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/QtDialogView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionFrame>
#include <cmath>

#include "textfile/Cp1251.h"
#include "ui/qt/QtViewParts.h"

namespace velmora::ui {

// The surface that holds the controls and draws the picture under them.
class DialogSurface : public QWidget {
 public:
  DialogSurface(QtDialogView* view, QWidget* parent) : QWidget(parent), view_(view) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    view_->PaintPicture(painter);
    view_->PaintTexts(painter, event->rect());
  }
  bool event(QEvent* event) override {
    if (event->type() == QEvent::ToolTip) {
      const auto* help = static_cast<QHelpEvent*>(event);
      if (!view_->ShowDrawnTip(help->pos(), help->globalPos())) event->ignore();
      return true;
    }
    return QWidget::event(event);
  }

 private:
  QtDialogView* view_;
};

QString FromCp1251(std::string_view cp1251) { return QString::fromStdString(Cp1251ToUtf8(cp1251)); }

std::optional<std::string> ToCp1251(const QString& text) { return Utf8ToCp1251(text.toStdString()); }

QValidator::State Cp1251Validator::validate(QString& input, int&) const {
  if (!ToCp1251(input)) return Invalid;
  if (fitInto_) {
    QStyleOptionFrame option;
    option.initFrom(fitInto_);
    option.rect = fitInto_->rect();
    option.lineWidth = fitInto_->hasFrame() ? fitInto_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    const QRect contents = fitInto_->style()->subElementRect(QStyle::SE_LineEditContents, &option, fitInto_);
    const QMargins margins = fitInto_->textMargins();
    const int room = contents.width() - margins.left() - margins.right() - 2 * 2 /* the edit's inner margin */ - 1;
    // Text the program put there may be wider already: the user can still
    // shorten it, only not widen it past the box.
    const QFontMetrics fm = fitInto_->fontMetrics();
    const int width = fm.horizontalAdvance(input);
    if (width > room && width > fm.horizontalAdvance(fitInto_->text())) return Invalid;
  }
  return Acceptable;
}

QtDialogView::QtDialogView(Dialog& dialog, QWidget* parent, Fill fill)
    : QDialog(parent), dialog_(dialog), waiting_(fill == Fill::AtSyncAll) {
  const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
  scaleX_ = kDluX * dpi / 96.0;
  scaleY_ = kDluY * (screen ? screen->logicalDotsPerInchY() : 96.0) / 96.0;

  const DialogTemplate& tmpl = dialog_.Template();
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
  if (tmpl.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  setWindowFlags(flags);
  setSizeGripEnabled(false);
  if (const QIcon icon = AppIcon(); !icon.isNull()) setWindowIcon(icon);
  setFont(DialogFont(tmpl, scaleX_, scaleY_));

  surface_ = new DialogSurface(this, this);
  Build();
  BuildShortcuts();
  if (!waiting_) {
    BuildMenu();
    SyncAll();
    WindowTextChanged();
  }

  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    for (QWidget* w = now; w && w != this; w = w->parentWidget()) {
      for (const auto& [id, i] : byId_) {
        if (entries_[i].widget == w) {
          if (dialog_.FocusItem() != id && !syncing_) {
            syncing_ = true;
            dialog_.SetFocusItem(id);
            syncing_ = false;
          }
          return;
        }
      }
    }
  });
}

QtDialogView::~QtDialogView() {
  if (dialog_.Observer() == this) dialog_.SetObserver(nullptr);
  // The widgets go before the members their handlers use: nothing they or
  // the application signal while being torn down may reach this view.
  syncing_ = true;
  QObject::disconnect(qApp, nullptr, this, nullptr);
  for (QObject* child : findChildren<QObject*>()) QObject::disconnect(child, nullptr, this, nullptr);
  delete surface_;
  surface_ = nullptr;
}

QRect QtDialogView::ToPixels(int x, int y, int w, int h) const {
  return QRect(static_cast<int>(std::lround(x * scaleX_)), static_cast<int>(std::lround(y * scaleY_)),
               static_cast<int>(std::lround(w * scaleX_)), static_cast<int>(std::lround(h * scaleY_)));
}

QWidget* QtDialogView::Widget(int id) const {
  auto it = byId_.find(id);
  return it == byId_.end() ? nullptr : entries_[it->second].widget;
}

void QtDialogView::Typed(int id, const QString& text) {
  if (syncing_) return;
  const std::optional<std::string> cp = ToCp1251(text);
  if (!cp) {  // the validator lets none through; keep the model's text if one slips by
    ControlChanged(id);
    return;
  }
  dialog_.UserType(id, *cp);
}

void QtDialogView::WindowTextChanged() {
  if (!waiting_) setWindowTitle(FromCp1251(dialog_.WindowText()));
}

void QtDialogView::MenuChanged() {
  if (!waiting_) BuildMenu();
}

void QtDialogView::PictureChanged() {
  const Dialog::Rect r = dialog_.PictureRect();
  surface_->update(ToPixels(r.left, r.top, r.right - r.left, r.bottom - r.top));
}

void QtDialogView::FocusChanged(int id) {
  if (syncing_) return;
  if (QWidget* w = Widget(id)) w->setFocus(Qt::OtherFocusReason);
}

void QtDialogView::Ended(int result) {
  if (isVisible()) QDialog::done(result);
}

void QtDialogView::closeEvent(QCloseEvent* event) {
  event->ignore();  // the model decides with EndDialog
  if (!dialog_.IsEnded()) dialog_.UserClose();
}

void QtDialogView::reject() {}

bool QtDialogView::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) dialog_.UserActivate(true);
  else if (event->type() == QEvent::WindowDeactivate) dialog_.UserActivate(false);
  return QDialog::event(event);
}

}  // namespace velmora::ui
