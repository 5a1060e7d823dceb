// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Export MAS..." and "Import MAS..." of the design menu: the desktop's own
// file dialogs, then the window's exchange (app/MasExchange.h), which tells
// a failure in a message box.
class QWidget;

namespace velmora {

class CVelmoraDlg;

// Runs the command of that ID (ids::ID_EXPORT_MAS or ID_IMPORT_MAS); nothing
// happens when the file dialog is cancelled.
void RunMasCommand(CVelmoraDlg& dlg, int id, QWidget* parent);

}  // namespace velmora
