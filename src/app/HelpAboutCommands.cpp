// The Help and About commands of the main window's menu bar.
#include "app/AboutDlg.h"
#include "app/HelpDlg.h"
#include "app/VelmoraDlg.h"

namespace velmora {

void CVelmoraDlg::OnHelp() {
  CHelpDlg dlg(host());
  dlg.language = Settings().lang;
  dlg.caption = Lang().menu[2];
  dlg.messageCaption = Lang().others[8];
  dlg.missingText = Lang().others[9];
  dlg.DoModal();
}

void CVelmoraDlg::OnAbout() {
  CAboutDlg dlg(host());
  dlg.caption = Lang().menu[1];
  dlg.title = Lang().title;
  dlg.versionWord = Lang().version;
  dlg.contactLine = Lang().about[2];
  dlg.DoModal();
}

}  // namespace velmora
