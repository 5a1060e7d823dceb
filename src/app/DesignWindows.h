// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own windows beside the main window ("Design details" and the
// ones of the design menu that follow it). The main window knows them only
// through this interface, which the windowed program implements; without
// one (the command line, the tests) the design menu's commands do nothing.
namespace velmora {

class CVelmoraDlg;

class DesignWindows {
 public:
  virtual ~DesignWindows() = default;
  // A command of the design menu (ids::ID_DESIGN_DETAILS and the IDs after it).
  virtual void OnDesignCommand(CVelmoraDlg& dlg, int id) = 0;
  // A calculation ran and its labels are on the window (its message boxes,
  // if any, follow).
  virtual void OnCalculated(CVelmoraDlg& dlg) = 0;
  // A language file was applied to the window.
  virtual void OnLanguageApplied(CVelmoraDlg& dlg) = 0;
};

}  // namespace velmora
