// SPDX-License-Identifier: GPL-3.0-or-later
// The Help and About commands of the main window's menu bar.
#include "app/AboutDlg.h"
#include "app/HelpDlg.h"
#include "app/VelmoraDlg.h"

namespace velmora {

void CVelmoraDlg::OnHelp() {
  CHelpDlg dlg(host());
  dlg.language = model_.Settings().lang;
  dlg.caption = model_.Lang()[kMenuHelp];
  dlg.messageCaption = model_.Lang()[kMessageCaption];
  dlg.missingText = model_.Lang()[kFileNotFound];
  dlg.okCaption = model_.Lang()[kOkButton];
  dlg.DoModal();
}

void CVelmoraDlg::OnAbout() {
  CAboutDlg dlg(host());
  dlg.caption = model_.Lang()[kMenuAbout];
  dlg.title = model_.Lang().title;
  dlg.versionWord = model_.Lang().version;
  dlg.contactLine = model_.Lang()[kAboutContactLine];
  dlg.okCaption = model_.Lang()[kOkButton];
  dlg.DoModal();
}

}  // namespace velmora
