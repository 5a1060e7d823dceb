#include "gui/GuiDesignWindows.h"

#include <QApplication>

#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "gui/ReportExport.h"

namespace velmora {

void GuiDesignWindows::OnDesignCommand(CVelmoraDlg& dlg, int id) {
  if (id == ids::ID_EXPORT_REPORT) {
    ExportReport(dlg, QApplication::activeModalWidget());
    return;
  }
  if (id == ids::ID_CORE_ADVISER) {
    OpenAdviser(dlg);
    return;
  }
  if (id != ids::ID_DESIGN_DETAILS) return;
  if (!details_) {
    // The main window is the modal window the menu command came from.
    details_ = new DesignDetailsWindow(QApplication::activeModalWidget());
  }
  details_->Refresh(dlg);
  details_->show();
  details_->raise();
  details_->activateWindow();
}

void GuiDesignWindows::OpenAdviser(CVelmoraDlg& dlg) {
  if (!adviser_) adviser_ = new gui::AdviserWindow(dlg, QApplication::activeModalWidget());
  adviser_->show();
  adviser_->raise();
  adviser_->activateWindow();
  adviser_->Refresh();
}

void GuiDesignWindows::OnCalculated(CVelmoraDlg& dlg) {
  if (details_ && details_->isVisible()) details_->Refresh(dlg);
}

void GuiDesignWindows::OnLanguageApplied(CVelmoraDlg& dlg) {
  if (details_ && details_->isVisible()) details_->Refresh(dlg);
  if (adviser_) adviser_->ApplyTexts();
}

}  // namespace velmora
