// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windowed program's side of the design menu: opens the "Design
// details", "Core adviser" and "Converter" windows as modeless children of the main
// window (the main window runs modally, which blocks every other top-level
// window), exports the report, and keeps the windows in step with every
// calculation and language change. The module of these windows makes it
// (WindowsModule.h).
#include <QPointer>

#include "gui/AdviserWindow.h"
#include "gui/ConverterWindow.h"
#include "gui/DesignDetailsWindow.h"
#include "gui/WindowsModule.h"

namespace velmora {

class GuiDesignWindows : public ModuleDesignWindows {
 public:
  explicit GuiDesignWindows(DetailsConfig& config) : config_(config) {}

  void OnDesignCommand(CVelmoraDlg& dlg, int id) override;
  void OnCalculated(CVelmoraDlg& dlg) override;
  void OnLanguageApplied(CVelmoraDlg& dlg) override;

  // The details window, when it is open (for tests and measurements).
  DesignDetailsWindow* Details() const { return details_; }
  bool DetailsShown() const override { return details_ && details_->isVisible(); }
  // The adviser window, when it was opened.
  gui::AdviserWindow* Adviser() const { return adviser_; }

 private:
  void OpenAdviser(CVelmoraDlg& dlg);
  void OpenConverter(CVelmoraDlg& dlg);

  // Details.cfg's values: read before the windows open, changed by the
  // details window, written by the program when it ends.
  DetailsConfig& config_;
  // Both owned by the main window's view.
  QPointer<DesignDetailsWindow> details_;
  QPointer<gui::AdviserWindow> adviser_;
  QPointer<gui::ConverterWindow> converter_;
};

}  // namespace velmora
