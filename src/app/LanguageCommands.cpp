// SPDX-License-Identifier: GPL-3.0-or-later
// The window's texts from the language, the language submenu and the
// language command.
#include <algorithm>

#include "app/ControlIds.h"
#include "app/DesignWindows.h"
#include "app/VelmoraDlg.h"

namespace velmora {

using namespace ids;

bool CVelmoraDlg::ApplyLanguage() {
  if (!model_.LoadLanguage()) return false;
  ApplyWindowTexts();
  RefreshResultsCurrent();  // the title, with the out-of-date mark
  RebuildWireTable(model_.Settings().yes_AWG == 1);
  if (designWindows_) designWindows_->OnLanguageApplied(*this);
  return true;
}

void CVelmoraDlg::ApplyWindowTexts() {
  const LanguageTable& lang = model_.Lang();
  std::vector<ui::MenuItem>& bar = Menu();
  if (static_cast<int>(bar.size()) > kLanguageMenuPosition) bar.erase(bar.begin() + kLanguageMenuPosition);
  ui::MenuItem popup;
  popup.isPopup = true;
  popup.text = lang[kMenuLanguage];
  int id = kLanguageCommandBase;
  for (const std::string& name : model_.LanguageFiles()) {
    ui::MenuItem item;
    item.id = ++id;
    item.text = name;
    popup.popup.push_back(std::move(item));
  }
  bar.insert(bar.begin() + std::min<std::ptrdiff_t>(kLanguageMenuPosition, static_cast<std::ptrdiff_t>(bar.size())),
             std::move(popup));
  if (ui::MenuItem* about = FindMenuItem(ID_APP_ABOUT)) about->text = lang[kMenuAbout];
  if (ui::MenuItem* help = FindMenuItem(ID_HELP)) help->text = lang[kMenuHelp];
  ApplyDesignMenuTexts(bar, lang);
  if (ui::MenuItem* current = FindMenuItem(model_.CurrentLanguageCommand())) {
    current->text = lang[kMenuCurrentLanguage];
    current->checked = true;
  }
  DrawMenuBar();

  for (const ShownText& t : model_.WindowCaptions()) SetItemText(t.id, t.text);
  for (const ShownText& t : model_.WindowTips()) AddTool(t.id, t.text);
  const SettingsRecord& s = model_.Settings();
  ShowSwitchedCaptions(s.use, s.gapChoice, s.yes_AWG);
}

void CVelmoraDlg::OnCmdMsg(int id) {
  const int before = model_.CurrentLanguageCommand();
  ui::MenuItem* chosen = FindMenuItem(id);
  if (!chosen || !model_.ChooseLanguage(id)) return;
  chosen->checked = true;
  if (ui::MenuItem* current = FindMenuItem(before)) current->checked = false;
  DrawMenuBar();
  // The variant labels follow the choices as the window shows them: a radio
  // button clicked just before has switched its labels but not yet reached
  // the inputs.
  UpdateData(true);
  ApplyLanguage();
  Calculate();
}

}  // namespace velmora
