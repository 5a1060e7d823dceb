// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windowed program's side of the design menu: opens the "Design
// details", "Core adviser" and "Converter" windows as modeless children of the main
// window (the main window runs modally, which blocks every other top-level
// window), exports the report, and keeps the windows in step with every
// calculation and language change.
#include <QPointer>

#include "app/DesignWindows.h"
#include "gui/AdviserWindow.h"
#include "gui/ConverterWindow.h"
#include "gui/DesignDetailsWindow.h"

namespace velmora {

class GuiDesignWindows : public DesignWindows {
 public:
  void OnDesignCommand(CVelmoraDlg& dlg, int id) override;
  void OnCalculated(CVelmoraDlg& dlg) override;
  void OnLanguageApplied(CVelmoraDlg& dlg) override;

  // Opens the details window once the first window of the program (the main
  // window) has been drawn, so that it never delays that first paint.
  void OpenDetailsAfterFirstPaint(CVelmoraDlg& dlg);

  // The details window, when it is open (for tests and measurements).
  DesignDetailsWindow* Details() const { return details_; }
  // The adviser window, when it was opened.
  gui::AdviserWindow* Adviser() const { return adviser_; }

  // Details.cfg's values: read before the windows open, changed by the
  // details window, written when the program ends.
  DetailsConfig& Config() { return config_; }

 private:
  void OpenAdviser(CVelmoraDlg& dlg);
  void OpenConverter(CVelmoraDlg& dlg);

  DetailsConfig config_;
  // Both owned by the main window's view.
  QPointer<DesignDetailsWindow> details_;
  QPointer<gui::AdviserWindow> adviser_;
  QPointer<gui::ConverterWindow> converter_;
};

}  // namespace velmora
