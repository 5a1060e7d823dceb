// SPDX-License-Identifier: GPL-3.0-or-later
// The window's texts from the language file, the language submenu and the
// language command.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/ControlIds.h"
#include "app/DesignWindows.h"
#include "app/VelmoraDlg.h"
#include "calc/Constants.h"
#include "textfile/CaseFold.h"
#include "textfile/Cp1251.h"

namespace velmora {

using namespace ids;

namespace {

// The language names of the current folder: every "*.lng" file without its
// extension (the extension in any letter case, as the file lookup finds it),
// in Windows-1251, in a fixed order (case ignored), each name once. Names on
// disk are UTF-8; a name that Windows-1251 cannot hold could not be opened
// again and is left out.
std::vector<std::string> ListLanguages() {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code ec;
  const std::string ext = constants::kLanguageExtension;
  for (fs::directory_iterator it(".", ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeEc;
    if (!it->is_regular_file(typeEc)) continue;
    const std::string file = it->path().filename().string();
    if (file.size() <= ext.size() || FoldCaseCp1251(file.substr(file.size() - ext.size())) != ext) continue;
    if (auto name = Utf8ToCp1251(file.substr(0, file.size() - ext.size()))) names.push_back(std::move(*name));
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const int c = ui::CompareNoCase(a, b);
    return c != 0 ? c < 0 : a < b;
  });
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

struct Caption {
  int id;
  int slot;
};

}  // namespace

bool CVelmoraDlg::IsNoDataName(const std::string& name) const {
  if (name.empty()) return false;
  if (name == noDataName_ || name == lang_[kNoDataMaterialName]) return true;
  for (const std::string& language : ListLanguages()) {
    LanguageTable table;
    if (ReadLanguageFile(Cp1251ToUtf8(language), table) && name == table[kNoDataMaterialName]) return true;
  }
  return false;
}

bool CVelmoraDlg::LoadLanguage() {
  LanguageTable table;
  if (!ReadLanguageFile(Cp1251ToUtf8(settings_.lang), table)) return false;
  lang_ = std::move(table);
  RebuildLanguageMenu();
  titleText_ = lang_.title + " (" + lang_.version + " 5200)";
  RefreshResultsCurrent();  // the title, with the out-of-date mark
  ApplyWindowTexts();
  RebuildWireTable();
  if (designWindows_) designWindows_->OnLanguageApplied(*this);
  return true;
}

void CVelmoraDlg::RebuildLanguageMenu() {
  std::vector<ui::MenuItem>& bar = Menu();
  if (static_cast<int>(bar.size()) > kLanguageMenuPosition) bar.erase(bar.begin() + kLanguageMenuPosition);

  ui::MenuItem popup;
  popup.isPopup = true;
  popup.text = lang_[kMenuLanguage];
  curLangCmd_ = kLanguageCommandBase;
  langCmdCount_ = 1;
  langFiles_ = ListLanguages();
  for (const std::string& name : langFiles_) {
    const int id = kLanguageCommandBase + langCmdCount_;
    if (name == settings_.lang) curLangCmd_ = id;  // byte for byte, letter case counts
    ui::MenuItem item;
    item.id = id;
    item.text = name;
    popup.popup.push_back(std::move(item));
    ++langCmdCount_;
  }
  bar.insert(bar.begin() + std::min<std::ptrdiff_t>(kLanguageMenuPosition, static_cast<std::ptrdiff_t>(bar.size())),
             std::move(popup));

  if (ui::MenuItem* about = FindMenuItem(ID_APP_ABOUT)) about->text = lang_[kMenuAbout];
  if (ui::MenuItem* help = FindMenuItem(ID_HELP)) help->text = lang_[kMenuHelp];
  ApplyDesignMenuTexts();
  if (ui::MenuItem* current = FindMenuItem(curLangCmd_)) {
    current->text = lang_[kMenuCurrentLanguage];
    current->checked = true;
  }
  DrawMenuBar();
}

void CVelmoraDlg::ApplyWindowTexts() {
  static constexpr Caption kBaseCores[] = {
      {IDC_GROUP_CORE_DB, 1},   {IDC_LABEL_SHAPE, 2}, {IDC_LABEL_MATERIAL, 3}, {IDC_LABEL_DIMENSIONS, 4},
      {IDC_LABEL_CORE_DATA, 5}, {IDC_LABEL_MU, 6},    {IDC_LABEL_AE, 7},       {IDC_LABEL_AN, 8},
      {IDC_LABEL_LE, 9},        {IDC_LABEL_VE, 10},   {IDC_UNIT_AE, 11},       {IDC_UNIT_AN, 12},
      {IDC_UNIT_LE, 13},        {IDC_UNIT_VE, 14},    {IDC_SHAPE_OTHER, 15},   {IDC_CHECK_ADD_DIMS, 16},
      {IDC_CHECK_ADD_DATA, 17}, {IDC_ADD_CORE, 18},   {IDC_DELETE_CORE, 19}};
  static constexpr Caption kBaseCoresTips[] = {
      {IDC_COMBO_CORE, 20}, {IDC_SHAPE_OTHER, 21}, {IDC_CHECK_ADD_DIMS, 22}, {IDC_CHECK_ADD_DATA, 23}};
  static constexpr Caption kInitialData[] = {{IDC_GROUP_INPUT, 1},  {IDC_LABEL_L, 2},         {IDC_LABEL_INOM, 3},
                                             {IDC_LABEL_IMIN, 4},   {IDC_LABEL_FC, 5},        {IDC_LABEL_J, 6},
                                             {IDC_RADIO_OUTPUT, 8}, {IDC_RADIO_OTHER_USE, 9}, {IDC_CHECK_IMIN, 10},
                                             {IDC_CHECK_USE_D, 11}, {IDC_RADIO_METRIC, 16},   {IDC_RADIO_AWG, 17}};
  static constexpr Caption kInitialDataTips[] = {{IDC_CHECK_USE_D, 18}, {IDC_EDIT_J, 19}};
  static constexpr Caption kMagneticCore[] = {{IDC_GROUP_CORE_CALC, 1}, {IDC_RADIO_GAP, 2}, {IDC_RADIO_AL, 3},
                                              {IDC_CAP_AL, 3},          {IDC_CAP_MUE, 6},   {IDC_CAP_BPK, 7},
                                              {IDC_CAP_PCORE, 8},       {IDC_CAP_FILL, 9},  {IDC_CAP_BAC, 11}};
  static constexpr Caption kMagneticCoreTips[] = {{IDC_EDIT_ZAZOR, 12}};
  static constexpr Caption kResults[] = {{IDC_GROUP_INDUCTOR, 1}, {IDC_CAP_LACT, 2}, {IDC_CAP_TURNS, 3},
                                         {IDC_CAP_WIRES, 5},      {IDC_CAP_JACT, 6}, {IDC_CAP_IPK, 7},
                                         {IDC_CAP_DI, 8}};
  static constexpr Caption kButtons[] = {{IDC_EXIT, 1}, {IDC_CALCULATE, 2}, {IDC_LOAD, 3}, {IDC_SAVE, 4}};
  static constexpr Caption kButtonsTips[] = {{IDC_LOAD, 5}, {IDC_SAVE, 6}};
  static constexpr Caption kOthers[] = {{IDC_UNIT_U1, 10}, {IDC_UNIT_U2, 10}, {IDC_UNIT_PCORE, 12}, {IDC_UNIT_FC, 13},
                                        {IDC_UNIT_L, 15},  {IDC_UNIT_J, 20},  {IDC_UNIT_JACT, 20}};

  auto texts = [this](const auto& captions, const auto& slots) {
    for (const Caption& c : captions) SetItemText(c.id, slots[static_cast<std::size_t>(c.slot)]);
  };
  auto tips = [this](const auto& captions, const auto& slots) {
    for (const Caption& c : captions) AddTool(c.id, slots[static_cast<std::size_t>(c.slot)]);
  };
  texts(kBaseCores, lang_.baseCores);
  tips(kBaseCoresTips, lang_.baseCores);
  texts(kInitialData, lang_.initialData);
  tips(kInitialDataTips, lang_.initialData);
  texts(kMagneticCore, lang_.magneticCore);
  tips(kMagneticCoreTips, lang_.magneticCore);
  texts(kResults, lang_.results);
  texts(kButtons, lang_.buttons);
  tips(kButtonsTips, lang_.buttons);
  texts(kOthers, lang_.others);

  // The dimension labels: a letter and the millimetre unit.
  static constexpr struct {
    int id;
    const char* prefix;
  } kDimensionLabels[] = {{IDC_LABEL_DIM_A, "A, "}, {IDC_LABEL_DIM_B, "B, "}, {IDC_LABEL_DIM_C, "C, "},
                          {IDC_LABEL_DIM_D, "D, "}, {IDC_LABEL_DIM_H, "H, "}, {IDC_LABEL_DIM_h, "h, "},
                          {IDC_LABEL_DIM_I, "I, "}};
  for (const auto& d : kDimensionLabels) SetItemText(d.id, d.prefix + lang_[kUnitMillimetre]);

  ApplyCaptionSwitches();
}

void CVelmoraDlg::OnCmdMsg(int id) {
  if (id == curLangCmd_ || id < kLanguageCommandBase + 1 || id > kLanguageCommandBase + langCmdCount_ - 1) return;
  OnLanguageCommand(id);
}

void CVelmoraDlg::OnLanguageCommand(int id) {
  if (ui::MenuItem* current = FindMenuItem(curLangCmd_)) current->checked = false;
  ui::MenuItem* chosen = FindMenuItem(id);
  if (!chosen) return;
  chosen->checked = true;
  curLangCmd_ = id;
  // The name of the item's file, not the item's text: after a language file
  // could not be read, the item of the language before still shows that
  // language's MENU s4 text, which names no file.
  settings_.lang = langFiles_[static_cast<std::size_t>(id - kLanguageCommandBase - 1)];
  DrawMenuBar();
  // The variant labels follow the choices as the window shows them: a radio
  // button clicked just before has switched its labels but not yet reached
  // the members.
  UpdateData(true);
  LoadLanguage();
  Calculate();
}

}  // namespace velmora
