// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Qt platform of the dialogs: native message boxes and modal runs of a
// QtDialogView per dialog.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/Dialog.h"

class QMessageBox;
class QWidget;

namespace velmora::ui {

class QtDialogView;

class QtHost : public DialogHost {
 public:
  // Needs the QApplication to exist; calls InitQtApplication().
  QtHost();

  // The texts of the OK and Cancel buttons in the interface language
  // (Windows-1251); an empty text leaves Qt's own.
  struct ButtonTexts {
    std::string ok;
    std::string cancel;
  };
  // Where the button texts come from. Asked at every message box, so that a
  // change of language shows at the next one; without a source Qt's own
  // texts show.
  void SetButtonTexts(std::function<ButtonTexts()> source) { buttonTexts_ = std::move(source); }
  // Gives the OK and Cancel buttons of a box (this host's or the program's
  // own) the texts of the source.
  void ApplyButtonTexts(QMessageBox& box) const;

  // A native box with OK, or OK and Cancel; Escape or the close box answer
  // Cancel (OK for an OK-only box).
  int MessageBox(Dialog& owner, std::string_view text, std::string_view caption, MbType type) override;
  // Builds the dialog's view, runs Create() while it is hidden (boxes shown
  // during start-up come before the window), returns at once if the dialog
  // ended there, else shows it modally until the model's EndDialog.
  int RunModal(Dialog& dialog) override;

 private:
  QWidget* OwnerWindow(const Dialog* owner) const;
  std::vector<std::pair<Dialog*, QtDialogView*>> running_;  // innermost last
  std::function<ButtonTexts()> buttonTexts_;
};

}  // namespace velmora::ui
