// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialog templates: every control of a window with its ID, caption, position
// in dialog units and style, as the dialog resources of the program give them.
// Captions are Windows-1251 bytes.
#include <cstdint>
#include <string>
#include <vector>

namespace velmora::ui {

constexpr int IDC_STATIC = -1;  // a control without an ID of its own
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

enum class ControlKind { Edit, Static, Button, CheckBox, RadioButton, ComboBox, ListBox, Spin, GroupBox, Picture };

enum Style : std::uint32_t {
  kGroup = 1u << 0,      // starts a group: a radio group runs from here to the next kGroup
  kDefault = 1u << 1,    // the default push button (Enter)
  kCenter = 1u << 2,     // text centred
  kRight = 1u << 3,      // text right-aligned
  kMultiline = 1u << 4,  // button / check box text wraps; multi-line edit
  kReadOnly = 1u << 5,
  kVScroll = 1u << 6,
  kAutoHScroll = 1u << 7,  // an edit that scrolls horizontally (else its text is limited to the box)
  kSorted = 1u << 8,       // combo / list sorts its entries (case ignored)
  kDropDown = 1u << 9,     // combo with an edit field (CBS_DROPDOWN)
  kStaticEdge = 1u << 10,  // thin sunken border
  kNotify = 1u << 11,
  kVCenter = 1u << 12,
  kDisabled = 1u << 13,
  kDropDownList = 1u << 14,  // combo without an edit field
};

struct ControlTemplate {
  int id = IDC_STATIC;
  ControlKind kind = ControlKind::Static;
  std::string text;
  int x = 0, y = 0, w = 0, h = 0;  // dialog units
  std::uint32_t style = 0;
};

struct MenuItem {
  int id = 0;  // 0 for a popup
  std::string text;
  bool checked = false;
  std::vector<MenuItem> popup;  // non-empty, or isPopup, for a submenu
  bool isPopup = false;
};

// A key of the window's accelerator table and the command it gives: a
// push button's click, or a command with an ID of its own (OnCmdMsg, then
// OnCommand with Notify::Menu), as a menu item gives it. The key is written
// as Qt's portable key text ("Ctrl+S", "F1", "Ctrl+Shift+Z").
struct Accelerator {
  const char* keys = "";
  int id = 0;
  bool button = false;
};

struct DialogTemplate {
  int id = 0;
  std::string title;
  int w = 0, h = 0;  // dialog units
  bool minimizeBox = false;
  std::vector<ControlTemplate> controls;
  std::vector<MenuItem> menu;  // the menu bar, empty for none
  std::vector<Accelerator> accelerators;
  // Every push button shows a mnemonic: the first letter free of the menu
  // bar's and of the buttons before it (its text otherwise unchanged).
  bool buttonMnemonics = false;
};

// One dialog unit at the standard dialog font ("MS Shell Dlg" 8 pt) is 1.5 px
// across and 1.625 px down at 96 dpi.
constexpr double kDluX = 1.5;
constexpr double kDluY = 1.625;

}  // namespace velmora::ui
