// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/WindowsOnDemand.h"

#include <QApplication>
#include <QEvent>
#include <QLibrary>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <iostream>
#include <utility>

#include "app/ControlIds.h"

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

WindowsOnDemand::WindowsOnDemand(std::string modulePath, DetailsConfig& config, bool boxOnFailure)
    : modulePath_(std::move(modulePath)), config_(config), boxOnFailure_(boxOnFailure) {}

WindowsOnDemand::~WindowsOnDemand() = default;

bool WindowsOnDemand::Load() {
  if (windows_) return true;
  if (failed_) return false;
  QLibrary module(QString::fromStdString(modulePath_));
  const auto create = reinterpret_cast<CreateDesignWindows>(module.resolve(kWindowsModuleEntry));
  if (create) windows_.reset(create(config_));
  if (windows_) return true;
  // Said once; the main window goes on without the windows of the design menu.
  failed_ = true;
  const QString error = module.errorString();
  std::cerr << "velmora: " << error.toStdString() << "\n";
  if (boxOnFailure_) QMessageBox::critical(QApplication::activeModalWidget(), "Velmora", error);
  return false;
}

void WindowsOnDemand::OnDesignCommand(CVelmoraDlg& dlg, int id) {
  if (Load()) windows_->OnDesignCommand(dlg, id);
}

void WindowsOnDemand::OnCalculated(CVelmoraDlg& dlg) {
  if (windows_) windows_->OnCalculated(dlg);
}

void WindowsOnDemand::OnLanguageApplied(CVelmoraDlg& dlg) {
  if (windows_) windows_->OnLanguageApplied(dlg);
}

void WindowsOnDemand::OpenDetailsAfterFirstPaint(CVelmoraDlg& dlg) {
  auto* waiter = new AfterFirstPaint([this, &dlg] { OnDesignCommand(dlg, ids::ID_DESIGN_DETAILS); });
  waiter->setParent(QApplication::instance());
  QApplication::instance()->installEventFilter(waiter);
}

}  // namespace velmora
