// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Export report..." of the design menu: the desktop's own file dialog for the
// target, then the report of the window's design as PDF or HTML.
#include "insight/DesignDetails.h"

class QWidget;

namespace velmora {

class CVelmoraDlg;

// Asks for the file (PDF or HTML by its extension or the chosen filter),
// writes the report and tells a failure in a message box. Nothing happens
// when the dialog is cancelled. The window calculates its inputs first; the
// design details take options (the tolerances).
void ExportReport(CVelmoraDlg& dlg, QWidget* parent, const insight::InsightOptions& options);

}  // namespace velmora
