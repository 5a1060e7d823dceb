// SPDX-License-Identifier: GPL-3.0-or-later
// The design menu after "About" on the menu bar and its texts.
#include "app/ControlIds.h"
#include "app/ConverterTexts.h"
#include "app/DesignTexts.h"
#include "app/MasExchange.h"
#include "app/VelmoraDlg.h"
#include "lang/WordKeyedSection.h"

namespace velmora {

using namespace ids;

namespace {

// Built-in English for a language file without the report's section.
constexpr const char* kExportFallback = "Export report...";

ui::MenuItem* DesignPopup(std::vector<ui::MenuItem>& bar) {
  for (ui::MenuItem& item : bar)
    if (item.isPopup && !item.popup.empty() && item.popup.front().id == kDesignMenuFirstCommand) return &item;
  return nullptr;
}

}  // namespace

ui::MenuItem DesignMenuTemplate() {
  ui::MenuItem details;
  details.id = ID_DESIGN_DETAILS;
  details.text = DesignTextEnglish("menuDetails");
  ui::MenuItem popup;
  popup.isPopup = true;
  popup.text = DesignTextEnglish("menu");
  ui::MenuItem exportReport;
  exportReport.id = ID_EXPORT_REPORT;
  exportReport.text = kExportFallback;
  ui::MenuItem adviser;
  adviser.id = ID_CORE_ADVISER;
  adviser.text = DesignTextEnglish("menuAdviser");
  ui::MenuItem converter;
  converter.id = ID_CONVERTER;
  converter.text = ConverterTextEnglish("menu");
  popup.popup = {details, exportReport, adviser, converter};
  AppendMasMenuItems(popup.popup);
  return popup;
}

bool IsDesignCommand(int id) { return id >= kDesignMenuFirstCommand && id <= kDesignMenuLastCommand; }

void ApplyDesignMenuTexts(std::vector<ui::MenuItem>& bar, const LanguageTable& lang) {
  ui::MenuItem* popup = DesignPopup(bar);
  if (!popup) return;
  popup->text = DesignText(lang, "menu");
  for (ui::MenuItem& item : popup->popup)
    if (item.id == ID_DESIGN_DETAILS) item.text = DesignText(lang, "menuDetails");
    else if (item.id == ID_EXPORT_REPORT) item.text = lang.report.Get("menuExport", kExportFallback);
    else if (item.id == ID_CORE_ADVISER) item.text = DesignText(lang, "menuAdviser");
    else if (item.id == ID_CONVERTER) item.text = ConverterText(lang, "menu");
  ApplyMasMenuTexts(popup->popup, lang);
}

}  // namespace velmora
