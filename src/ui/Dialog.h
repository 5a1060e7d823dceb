// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialog layer: a window of controls addressed by ID, with the framework
// behaviours the program relies on (data exchange, notifications, combo and
// list boxes, spin buttons, menus, tooltips, message boxes, modal runs).
//
// A Dialog is the model. It has two faces:
//  - the program side (Get/Set...), used by the window's handlers; changes the
//    program makes fire the notifications the platform would fire (a text set
//    on an edit fires Notify::Change like typing does);
//  - the user side (User...), what a user does; tests and the command line
//    call it directly, the Qt view calls it from its widgets' signals.
// The platform (message boxes, nested modal runs, drawing) is a DialogHost.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/Template.h"

namespace velmora::ui {

class Dialog;
class DataExchange;

enum class Notify {
  Clicked,     // BN_CLICKED: button, check box, radio button
  Change,      // EN_CHANGE: an edit's text changed (typed or set by the program)
  SelChange,   // CBN_SELCHANGE / LBN_SELCHANGE: the user picked an entry
  EditChange,  // CBN_EDITCHANGE: the user typed into a combo's edit field
  DblClk,      // LBN_DBLCLK
  Menu,        // a menu command
};

enum class MbType { Ok, OkCancel };

// Scroll codes of a spin button's notification.
enum class ScrollCode { ThumbPosition, EndScroll };

struct Control {
  ControlTemplate tmpl;
  std::string text;  // caption / edit text / combo edit field
  bool enabled = true;
  bool greyed = false;             // drawn as disabled while it stays enabled (out-of-date results)
  bool warned = false;             // drawn in the warning colour (a result beyond its limit)
  int check = 0;                   // check boxes and radio buttons
  std::vector<std::string> items;  // combo and list boxes
  int curSel = -1;
  int rangeLo = 0, rangeHi = 100, pos = 0;  // spin
  int buddy = 0;                            // spin: the edit it steps
  std::string tooltip;
};

// What the platform view listens to.
class DialogObserver {
 public:
  virtual ~DialogObserver() = default;
  virtual void ControlChanged(int id) = 0;  // text, state, items, range, tooltip
  virtual void WindowTextChanged() = 0;
  virtual void MenuChanged() = 0;
  virtual void PictureChanged() = 0;  // the picture rectangle is to be redrawn
  virtual void FocusChanged(int id) = 0;
  virtual void Ended(int result) = 0;
};

// The platform: message boxes and modal runs of other dialogs.
class DialogHost {
 public:
  virtual ~DialogHost() = default;
  // Shows a message box owned by the dialog; returns IDOK or IDCANCEL.
  virtual int MessageBox(Dialog& owner, std::string_view text, std::string_view caption, MbType type) = 0;
  // Runs the dialog modally: Create(), then until EndDialog; returns its result.
  virtual int RunModal(Dialog& dialog) = 0;
};

class Dialog {
 public:
  Dialog(DialogTemplate tmpl, DialogHost& host);
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // ---- framework hooks -----------------------------------------------------
  // Base: UpdateData(false); returns true.
  virtual bool OnInitDialog();
  virtual void DoDataExchange(DataExchange& dx);
  // The message map: every notification of every control. Base: IDOK clicked
  // -> OnOK, IDCANCEL clicked -> OnCancel.
  virtual void OnCommand(int id, Notify code);
  // Sees every menu command before the message map; base does nothing.
  virtual void OnCmdMsg(int id);
  // Base: UpdateData(true), EndDialog(IDOK).
  virtual void OnOK();
  // Base: EndDialog(IDCANCEL).
  virtual void OnCancel();
  // Activation or deactivation of the window (after the default handling).
  virtual void OnActivate(bool active);
  // A spin button's scroll notification.
  virtual void OnVScroll(int spinId, ScrollCode code);
  // The picture the window draws into its picture rectangle: a resource ID
  // (0 for none) and the rectangle in dialog units (left, top, right, bottom).
  virtual int PictureId() const { return 0; }
  struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
  };
  virtual Rect PictureRect() const { return {}; }

  // ---- life ------------------------------------------------------------------
  // Runs OnInitDialog (once). The controls are built from the template by the
  // constructor already, so they can be filled before Create. When
  // OnInitDialog returns true and set no focus, the first enabled control
  // that takes the focus gets it.
  void Create();
  bool IsCreated() const { return created_; }
  int DoModal();  // host().RunModal(*this)
  // Ends the dialog (the observer hears it once); a later call only changes
  // the result.
  void EndDialog(int result);
  bool IsEnded() const { return ended_; }
  int Result() const { return result_; }
  DialogHost& host() { return host_; }
  const DialogTemplate& Template() const { return tmpl_; }

  // ---- data exchange -----------------------------------------------------------
  // true: controls -> members; false: members -> controls (only controls whose
  // text differs are rewritten). Returns true.
  bool UpdateData(bool saveAndValidate = true);

  // ---- program side ------------------------------------------------------------
  bool HasItem(int id) const;
  Control* Item(int id);
  const Control* Item(int id) const;
  std::vector<int> ItemIds() const;  // every control with an ID, template order

  std::string GetItemText(int id) const;
  // Edits fire Notify::Change when the text differs; combo boxes set their
  // edit field; other controls their caption. Inside UpdateData(false) the
  // Change notifications wait until every control has been written and then
  // go out in exchange order, still within that UpdateData call: a handler
  // that reads the controls back sees every member's new value, never a
  // control that is yet to be written.
  void SetItemText(int id, std::string_view text);
  void EnableItem(int id, bool enable);
  bool IsItemEnabled(int id) const;
  // Greyed: drawn as a disabled control is, while it keeps its text and
  // stays enabled. Labels whose text no longer holds use it.
  void SetItemGreyed(int id, bool greyed);
  bool IsItemGreyed(int id) const;
  // Warned: drawn in the warning colour (greyed wins while both are set).
  void SetItemWarned(int id, bool warned);
  bool IsItemWarned(int id) const;
  int GetCheck(int id) const;
  void SetCheck(int id, int state);  // no notification
  // Radio groups: the index of the checked button counted from firstId's
  // button in template order, -1 when none; setting an index out of range
  // unchecks all.
  int GetRadioIndex(int firstId) const;
  void SetRadioIndex(int firstId, int index);
  std::vector<int> RadioGroup(int firstId) const;

  // Combo and list boxes (CB_/LB_ messages).
  int AddString(int id, std::string_view s);  // sorted insertion when kSorted; returns the index
  void ResetContent(int id);
  // The first entry after startAfter (-1: from the top, wrapping round) whose
  // text begins with prefix, case ignored (Windows-1251 letters too); -1 none.
  int FindString(int id, int startAfter, std::string_view prefix) const;
  // Selects index (-1 clears); a combo's edit field takes the entry's text
  // (empty when cleared). Returns the index, or -1. No notification.
  int SetCurSel(int id, int index);
  int GetCurSel(int id) const;
  int GetCount(int id) const;
  std::string GetLBText(int id, int index) const;  // empty when out of range
  // LB_DIR with attribute 0: ordinary files of the current folder matching the
  // pattern ("*.sav"), no folders, hidden or read-only files. File names on disk
  // are UTF-8; entries are Windows-1251 (names it cannot hold are left out).
  int Dir(int listId, std::string_view pattern);

  // Spin buttons (UDM_ messages).
  void SetSpinRange(int id, int lo, int hi);
  // A range with hi < lo is reversed: the up arrow then counts down.
  void SetSpinPos(int id, int pos);  // clamped into the range, no notification
  int GetSpinPos(int id) const;
  void SetSpinBuddy(int id, int buddyId);

  void SetWindowText(std::string_view text);
  const std::string& WindowText() const { return windowText_; }
  std::vector<MenuItem>& Menu() { return menu_; }
  const std::vector<MenuItem>& Menu() const { return menu_; }
  MenuItem* FindMenuItem(int id);  // searches submenus too
  void DrawMenuBar();              // tells the view the menu changed
  void AddTool(int id, std::string_view tip);
  void SetFocusItem(int id);
  int FocusItem() const { return focus_; }
  void InvalidatePicture();  // the picture rectangle is redrawn
  int MessageBox(std::string_view text, std::string_view caption, MbType type = MbType::Ok);

  // ---- user side -----------------------------------------------------------------
  // Types text into an edit or a combo's edit field (replacing its text):
  // Notify::Change for an edit, Notify::EditChange for a combo. Disabled
  // controls and read-only edits ignore it. Typing into a combo's edit field
  // (list closed) clears its selection before EditChange, as the platform's
  // combo box does. Every User... call is ignored once the dialog has ended.
  void UserType(int id, std::string_view text);
  // Button: Notify::Clicked. Check box: toggles, then Clicked. Radio button:
  // checks it and unchecks the rest of its group, then Clicked.
  void UserClick(int id);
  // Picks an entry of a combo or list box: selection, then Notify::SelChange.
  void UserSelect(int id, int index);
  // The first click selects (SelChange when the selection moves), the second
  // sends Notify::DblClk.
  void UserDoubleClick(int listId, int index);
  // One step of a spin button (+1 up, -1 down), clamped into its range:
  // OnVScroll(ThumbPosition) then OnVScroll(EndScroll), also when the
  // position stays at the end of the range.
  void UserSpin(int spinId, int delta);
  // The focused push button's command, else the default button's (nothing
  // when that button is disabled), else IDOK.
  void UserEnter();
  void UserEscape();      // IDCANCEL
  void UserClose();       // the close box: IDCANCEL
  void UserMenu(int id);  // OnCmdMsg(id), then OnCommand(id, Notify::Menu)
  // A key of the template's accelerator table ("Ctrl+S"): its button's click
  // (nothing when the button is disabled) or its command. False for a key
  // the table does not hold.
  bool UserKey(std::string_view keys);
  // The window gains (true) or loses the activation; the Qt view reports it,
  // also around message boxes and nested dialogs. The headless host sends
  // none: a driver calls it when a test needs it.
  void UserActivate(bool active);

  void SetObserver(DialogObserver* observer) { observer_ = observer; }
  DialogObserver* Observer() const { return observer_; }

 protected:
  void NotifyChanged(int id);

 private:
  DialogTemplate tmpl_;
  DialogHost& host_;
  std::vector<Control> controls_;
  std::map<int, std::size_t> index_;
  std::vector<MenuItem> menu_;
  std::string windowText_;
  int focus_ = 0;
  bool created_ = false;
  bool ended_ = false;
  int result_ = 0;
  DialogObserver* observer_ = nullptr;
  std::vector<int>* pendingChanges_ = nullptr;  // Change notifications held by UpdateData(false)

  void FireChange(int id);
  std::pair<std::size_t, std::size_t> GroupAround(std::size_t index) const;
  bool Accepts(int id) const;  // exists, enabled, dialog not ended
};

// The binding of controls to members for one UpdateData call.
class DataExchange {
 public:
  DataExchange(Dialog& dialog, bool save) : dialog_(dialog), save_(save) {}
  bool saving() const { return save_; }
  void Text(int id, std::string& value);  // any control's text
  void Check(int id, int& value);         // 0 / 1
  void Radio(int firstId, int& value);    // index in the group, -1 none
  void Control(int id);                   // binding only (a control object)

 private:
  Dialog& dialog_;
  bool save_;
};

// Case-insensitive comparison the sorted lists use: Windows-1251 letters
// (Latin and Cyrillic) folded to lower case; Latin before Cyrillic, the
// Cyrillic letters in alphabet order (Ё with Е).
int CompareNoCase(std::string_view a, std::string_view b);
// A file name pattern with "*" and "?" as the platform matches it: case
// ignored, "*.*" matching every name. Both Windows-1251.
bool MatchesPattern(std::string_view name, std::string_view pattern);
// The ordinary files of a folder (the current one when the pattern has no
// folder part) whose names match the pattern: no folders, no hidden (dot)
// files, no files without the owner's write permission. Names are returned
// in Windows-1251 (names it cannot hold are left out), sorted case ignored.
std::vector<std::string> ListFiles(std::string_view pattern);

}  // namespace velmora::ui
