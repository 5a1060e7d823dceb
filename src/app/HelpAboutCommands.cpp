// SPDX-License-Identifier: GPL-3.0-or-later
// The Help and About commands of the main window's menu bar.
#include "app/AboutDlg.h"
#include "app/HelpDlg.h"
#include "app/VelmoraDlg.h"

namespace velmora {

void CVelmoraDlg::OnHelp() {
  CHelpDlg dlg(host());
  dlg.language = Settings().lang;
  dlg.caption = Lang()[kMenuHelp];
  dlg.messageCaption = Lang()[kMessageCaption];
  dlg.missingText = Lang()[kFileNotFound];
  dlg.okCaption = Lang()[kOkButton];
  dlg.DoModal();
}

void CVelmoraDlg::OnAbout() {
  CAboutDlg dlg(host());
  dlg.caption = Lang()[kMenuAbout];
  dlg.title = Lang().title;
  dlg.versionWord = Lang().version;
  dlg.contactLine = Lang()[kAboutContactLine];
  dlg.okCaption = Lang()[kOkButton];
  dlg.DoModal();
}

}  // namespace velmora
