// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GuiDesignWindows.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <functional>

#include "app/ControlIds.h"
#include "app/DesignFigures.h"
#include "app/MasExchange.h"
#include "app/VelmoraDlg.h"
#include "gui/MasDialogs.h"
#include "gui/ReportExport.h"

namespace velmora {

namespace {

// Runs an action once, on the next turn of the event loop after the first
// paint of any window.
class AfterFirstPaint : public QObject {
 public:
  explicit AfterFirstPaint(std::function<void()> action) : action_(std::move(action)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
      QApplication::instance()->removeEventFilter(this);
      QTimer::singleShot(0, QApplication::instance(), action_);
      deleteLater();
    }
    return false;
  }

 private:
  std::function<void()> action_;
};

}  // namespace

void GuiDesignWindows::OpenDetailsAfterFirstPaint(CVelmoraDlg& dlg) {
  auto* waiter = new AfterFirstPaint([this, &dlg] { OnDesignCommand(dlg, ids::ID_DESIGN_DETAILS); });
  waiter->setParent(QApplication::instance());
  QApplication::instance()->installEventFilter(waiter);
}

void GuiDesignWindows::OnDesignCommand(CVelmoraDlg& dlg, int id) {
  if (id == ids::ID_EXPORT_REPORT) {
    ExportReport(dlg, QApplication::activeModalWidget(), DetailsOptionsOf(config_));
    return;
  }
  if (IsMasCommand(id)) {
    // The document carries the details' ambient out, and an import brings one in.
    dlg.SetDesignAmbient(config_.ambient_C);
    RunMasCommand(dlg, id, QApplication::activeModalWidget());
    if (dlg.DesignAmbient() != config_.ambient_C) {
      config_.ambient_C = dlg.DesignAmbient();
      if (details_) details_->ShowAmbient();
    }
    return;
  }
  if (id == ids::ID_CORE_ADVISER) {
    OpenAdviser(dlg);
    return;
  }
  if (id == ids::ID_CONVERTER) {
    OpenConverter(dlg);
    return;
  }
  if (id != ids::ID_DESIGN_DETAILS) return;
  if (!details_) {
    // The main window is the modal window the menu command came from.
    details_ = new DesignDetailsWindow(QApplication::activeModalWidget(), config_);
  }
  details_->Refresh(dlg);
  details_->show();
  details_->raise();
  details_->activateWindow();
}

void GuiDesignWindows::OpenAdviser(CVelmoraDlg& dlg) {
  if (!adviser_) adviser_ = new gui::AdviserWindow(dlg, config_, QApplication::activeModalWidget());
  adviser_->show();
  adviser_->raise();
  adviser_->activateWindow();
  adviser_->Refresh();
}

void GuiDesignWindows::OpenConverter(CVelmoraDlg& dlg) {
  if (!converter_) converter_ = new gui::ConverterWindow(dlg, QApplication::activeModalWidget());
  converter_->show();
  converter_->raise();
  converter_->activateWindow();
}

void GuiDesignWindows::OnCalculated(CVelmoraDlg& dlg) {
  if (details_ && details_->isVisible()) details_->Refresh(dlg);
  if (adviser_) adviser_->FollowMainWindow();
}

void GuiDesignWindows::OnLanguageApplied(CVelmoraDlg& dlg) {
  if (details_ && details_->isVisible()) details_->Refresh(dlg);
  if (adviser_) adviser_->ApplyTexts();
  if (converter_) converter_->ApplyTexts();
}

}  // namespace velmora
