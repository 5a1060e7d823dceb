#pragma once
// The Qt platform of the dialogs: native message boxes and modal runs of a
// QtDialogView per dialog.
#include <utility>
#include <vector>

#include "ui/Dialog.h"

class QWidget;

namespace velmora::ui {

class QtDialogView;

class QtHost : public DialogHost {
 public:
  // Needs the QApplication to exist; calls InitQtApplication().
  QtHost();

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
};

}  // namespace velmora::ui
