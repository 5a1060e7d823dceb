#pragma once
// The windowed program's side of the design menu: opens the "Design
// details" window as a modeless child of the main window (the main window
// runs modally, which blocks every other top-level window) and keeps it in
// step with every calculation and language change.
#include <QPointer>

#include "app/DesignWindows.h"
#include "gui/DesignDetailsWindow.h"

namespace velmora {

class GuiDesignWindows : public DesignWindows {
 public:
  void OnDesignCommand(CVelmoraDlg& dlg, int id) override;
  void OnCalculated(CVelmoraDlg& dlg) override;
  void OnLanguageApplied(CVelmoraDlg& dlg) override;

  // The details window, when it is open (for tests and measurements).
  DesignDetailsWindow* Details() const { return details_; }

 private:
  QPointer<DesignDetailsWindow> details_;  // owned by the main window's view
};

}  // namespace velmora
