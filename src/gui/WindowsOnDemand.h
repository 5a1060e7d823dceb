// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The design menu's windows, loaded from their module (WindowsModule.h) on
// the first command that opens one. Until then a calculation or a change of
// language has no window to tell.
#include <memory>
#include <string>

#include "gui/WindowsModule.h"

namespace velmora {

class WindowsOnDemand : public DesignWindows {
 public:
  // `modulePath`: the module's file; `config` outlives this object. A module
  // that cannot be loaded is named on standard error and, with `boxOnFailure`,
  // in a message box too.
  WindowsOnDemand(std::string modulePath, DetailsConfig& config, bool boxOnFailure = true);
  ~WindowsOnDemand() override;

  void OnDesignCommand(CVelmoraDlg& dlg, int id) override;
  void OnCalculated(CVelmoraDlg& dlg) override;
  void OnLanguageApplied(CVelmoraDlg& dlg) override;

  // Opens the details window once the first window of the program (the main
  // window) has been drawn, so that neither the module nor the window delays
  // that first paint.
  void OpenDetailsAfterFirstPaint(CVelmoraDlg& dlg);
  bool DetailsShown() const { return windows_ && windows_->DetailsShown(); }
  bool LoadFailed() const { return failed_; }

 private:
  // Loads the module once; false, after telling the user, when it cannot.
  bool Load();

  std::string modulePath_;
  DetailsConfig& config_;
  // Never unloaded: the windows it made belong to the main window's view.
  std::unique_ptr<ModuleDesignWindows> windows_;
  bool boxOnFailure_;
  bool failed_ = false;
};

}  // namespace velmora
