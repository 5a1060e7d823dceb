// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GuiDesignWindows.h"

#include <QApplication>

#include "app/ControlIds.h"
#include "app/DesignFigures.h"
#include "app/MasExchange.h"
#include "app/VelmoraDlg.h"
#include "gui/MasDialogs.h"
#include "gui/ReportExport.h"

namespace velmora {

void GuiDesignWindows::OnDesignCommand(CVelmoraDlg& dlg, int id) {
  if (id == ids::ID_EXPORT_REPORT) {
    ExportReport(dlg, QApplication::activeModalWidget(), DetailsOptionsOf(config_));
    return;
  }
  if (IsMasCommand(id)) {
    // The document carries the details' ambient out, and an import brings one in.
    dlg.Model().SetDesignAmbient(config_.ambient_C);
    RunMasCommand(dlg, id, QApplication::activeModalWidget());
    if (dlg.Model().DesignAmbient() != config_.ambient_C) {
      config_.ambient_C = dlg.Model().DesignAmbient();
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
  if (!converter_) {
    converter_ = new gui::ConverterWindow(dlg, QApplication::activeModalWidget(), &config_);
    converter_->SetAdvise([this, &dlg] { OpenAdviser(dlg); });
  }
  converter_->FollowDesign();
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

// The module's entry point (see WindowsModule.h).
extern "C" Q_DECL_EXPORT velmora::ModuleDesignWindows* velmora_create_design_windows(velmora::DetailsConfig& config) {
  return new velmora::GuiDesignWindows(config);
}
