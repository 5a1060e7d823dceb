// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Dialog.h"

#include <algorithm>

namespace velmora::ui {

namespace {

bool IsTextList(const Control& c) {
  return c.tmpl.kind == ControlKind::ComboBox || c.tmpl.kind == ControlKind::ListBox;
}

bool HasEditField(const Control& c) { return c.tmpl.kind == ControlKind::ComboBox && !(c.tmpl.style & kDropDownList); }

}  // namespace

Dialog::Dialog(DialogTemplate tmpl, DialogHost& host) : tmpl_(std::move(tmpl)), host_(host) {
  controls_.reserve(tmpl_.controls.size());
  for (const ControlTemplate& t : tmpl_.controls) {
    Control c;
    c.tmpl = t;
    c.text = t.text;
    c.enabled = !(t.style & kDisabled);
    if (t.id != IDC_STATIC) index_.emplace(t.id, controls_.size());
    controls_.push_back(std::move(c));
  }
  menu_ = tmpl_.menu;
  windowText_ = tmpl_.title;
}

Dialog::~Dialog() = default;

// ---- framework hooks ---------------------------------------------------------

bool Dialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void Dialog::DoDataExchange(DataExchange&) {}

void Dialog::OnCommand(int id, Notify code) {
  if (code != Notify::Clicked) return;
  if (id == IDOK) OnOK();
  else if (id == IDCANCEL) OnCancel();
}

void Dialog::OnCmdMsg(int) {}

void Dialog::OnOK() {
  UpdateData(true);
  EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

void Dialog::OnActivate(bool) {}

void Dialog::OnVScroll(int, ScrollCode) {}

// ---- life --------------------------------------------------------------------

void Dialog::Create() {
  if (created_) return;
  created_ = true;
  if (OnInitDialog() && focus_ == 0 && !ended_) {
    // The first control that can take the focus gets it.
    for (const Control& c : controls_) {
      const ControlKind k = c.tmpl.kind;
      if (c.tmpl.id == IDC_STATIC || !c.enabled || k == ControlKind::Static || k == ControlKind::GroupBox ||
          k == ControlKind::Picture || k == ControlKind::Spin)
        continue;
      SetFocusItem(c.tmpl.id);
      break;
    }
  }
}

int Dialog::DoModal() { return host_.RunModal(*this); }

void Dialog::EndDialog(int result) {
  result_ = result;
  if (ended_) return;
  ended_ = true;
  if (observer_) observer_->Ended(result);
}

// ---- data exchange ---------------------------------------------------------------

bool Dialog::UpdateData(bool saveAndValidate) {
  DataExchange dx(*this, saveAndValidate);
  if (saveAndValidate) {
    DoDataExchange(dx);
    return true;
  }
  std::vector<int> pending;
  std::vector<int>* outer = pendingChanges_;
  pendingChanges_ = &pending;
  DoDataExchange(dx);
  pendingChanges_ = outer;
  for (int id : pending) OnCommand(id, Notify::Change);
  return true;
}

void DataExchange::Text(int id, std::string& value) {
  if (!dialog_.HasItem(id)) return;
  if (save_) value = dialog_.GetItemText(id);
  else if (dialog_.GetItemText(id) != value) dialog_.SetItemText(id, value);
}

void DataExchange::Check(int id, int& value) {
  if (!dialog_.HasItem(id)) return;
  if (save_) value = dialog_.GetCheck(id);
  else dialog_.SetCheck(id, value);
}

void DataExchange::Radio(int firstId, int& value) {
  if (!dialog_.HasItem(firstId)) return;
  if (save_) value = dialog_.GetRadioIndex(firstId);
  else dialog_.SetRadioIndex(firstId, value);
}

void DataExchange::Control(int) {}

// ---- program side ------------------------------------------------------------------

bool Dialog::HasItem(int id) const { return index_.count(id) != 0; }

Control* Dialog::Item(int id) {
  auto it = index_.find(id);
  return it == index_.end() ? nullptr : &controls_[it->second];
}

const Control* Dialog::Item(int id) const {
  auto it = index_.find(id);
  return it == index_.end() ? nullptr : &controls_[it->second];
}

std::vector<int> Dialog::ItemIds() const {
  std::vector<int> ids;
  for (const Control& c : controls_)
    if (c.tmpl.id != IDC_STATIC && std::find(ids.begin(), ids.end(), c.tmpl.id) == ids.end()) ids.push_back(c.tmpl.id);
  return ids;
}

std::string Dialog::GetItemText(int id) const {
  const Control* c = Item(id);
  return c ? c->text : std::string();
}

void Dialog::FireChange(int id) {
  if (pendingChanges_) pendingChanges_->push_back(id);
  else OnCommand(id, Notify::Change);
}

void Dialog::SetItemText(int id, std::string_view text) {
  Control* c = Item(id);
  if (!c || c->text == text) return;
  c->text = std::string(text);
  NotifyChanged(id);
  if (c->tmpl.kind == ControlKind::Edit) FireChange(id);
}

void Dialog::EnableItem(int id, bool enable) {
  Control* c = Item(id);
  if (!c || c->enabled == enable) return;
  c->enabled = enable;
  NotifyChanged(id);
}

bool Dialog::IsItemEnabled(int id) const {
  const Control* c = Item(id);
  return c && c->enabled;
}

void Dialog::SetItemGreyed(int id, bool greyed) {
  Control* c = Item(id);
  if (!c || c->greyed == greyed) return;
  c->greyed = greyed;
  NotifyChanged(id);
}

bool Dialog::IsItemGreyed(int id) const {
  const Control* c = Item(id);
  return c && c->greyed;
}

void Dialog::SetItemWarned(int id, bool warned) {
  Control* c = Item(id);
  if (!c || c->warned == warned) return;
  c->warned = warned;
  NotifyChanged(id);
}

bool Dialog::IsItemWarned(int id) const {
  const Control* c = Item(id);
  return c && c->warned;
}

int Dialog::GetCheck(int id) const {
  const Control* c = Item(id);
  return c ? c->check : 0;
}

void Dialog::SetCheck(int id, int state) {
  Control* c = Item(id);
  if (!c || c->check == state) return;
  c->check = state;
  NotifyChanged(id);
}

std::vector<int> Dialog::RadioGroup(int firstId) const {
  std::vector<int> ids;
  auto it = index_.find(firstId);
  if (it == index_.end()) return ids;
  for (std::size_t i = it->second; i < controls_.size(); ++i) {
    const Control& c = controls_[i];
    if (i != it->second && (c.tmpl.style & kGroup)) break;
    if (c.tmpl.kind == ControlKind::RadioButton) ids.push_back(c.tmpl.id);
  }
  return ids;
}

int Dialog::GetRadioIndex(int firstId) const {
  const std::vector<int> group = RadioGroup(firstId);
  int index = -1;
  for (std::size_t i = 0; i < group.size(); ++i)
    if (GetCheck(group[i]) != 0) index = static_cast<int>(i);
  return index;
}

void Dialog::SetRadioIndex(int firstId, int index) {
  const std::vector<int> group = RadioGroup(firstId);
  for (std::size_t i = 0; i < group.size(); ++i) SetCheck(group[i], static_cast<int>(i) == index ? 1 : 0);
}

std::pair<std::size_t, std::size_t> Dialog::GroupAround(std::size_t index) const {
  std::size_t begin = index;
  while (begin > 0 && !(controls_[begin].tmpl.style & kGroup)) --begin;
  std::size_t end = begin + 1;
  while (end < controls_.size() && !(controls_[end].tmpl.style & kGroup)) ++end;
  return {begin, end};
}

int Dialog::AddString(int id, std::string_view s) {
  Control* c = Item(id);
  if (!c || !IsTextList(*c)) return -1;
  std::size_t pos = c->items.size();
  if (c->tmpl.style & kSorted) {
    // After every entry that sorts before or equal to the new one.
    pos = static_cast<std::size_t>(
        std::upper_bound(c->items.begin(), c->items.end(), s,
                         [](std::string_view a, const std::string& b) { return CompareNoCase(a, b) < 0; }) -
        c->items.begin());
  }
  c->items.insert(c->items.begin() + static_cast<std::ptrdiff_t>(pos), std::string(s));
  if (c->curSel >= static_cast<int>(pos)) ++c->curSel;
  NotifyChanged(id);
  return static_cast<int>(pos);
}

void Dialog::ResetContent(int id) {
  Control* c = Item(id);
  if (!c || !IsTextList(*c)) return;
  c->items.clear();
  c->curSel = -1;
  if (c->tmpl.kind == ControlKind::ComboBox) c->text.clear();
  NotifyChanged(id);
}

int Dialog::FindString(int id, int startAfter, std::string_view prefix) const {
  const Control* c = Item(id);
  if (!c || !IsTextList(*c) || c->items.empty()) return -1;
  const int count = static_cast<int>(c->items.size());
  if (startAfter < -1 || startAfter >= count) startAfter = -1;
  for (int step = 1; step <= count; ++step) {
    const int i = (startAfter + step) % count;
    const std::string& item = c->items[static_cast<std::size_t>(i)];
    if (item.size() >= prefix.size() && CompareNoCase(std::string_view(item).substr(0, prefix.size()), prefix) == 0)
      return i;
  }
  return -1;
}

int Dialog::SetCurSel(int id, int index) {
  Control* c = Item(id);
  if (!c || !IsTextList(*c)) return -1;
  if (index < 0 || index >= static_cast<int>(c->items.size())) index = -1;
  c->curSel = index;
  if (c->tmpl.kind == ControlKind::ComboBox)
    c->text = index < 0 ? std::string() : c->items[static_cast<std::size_t>(index)];
  NotifyChanged(id);
  return index;
}

int Dialog::GetCurSel(int id) const {
  const Control* c = Item(id);
  return c ? c->curSel : -1;
}

int Dialog::GetCount(int id) const {
  const Control* c = Item(id);
  return c ? static_cast<int>(c->items.size()) : 0;
}

std::string Dialog::GetLBText(int id, int index) const {
  const Control* c = Item(id);
  if (!c || index < 0 || index >= static_cast<int>(c->items.size())) return {};
  return c->items[static_cast<std::size_t>(index)];
}

int Dialog::Dir(int listId, std::string_view pattern) {
  if (!Item(listId)) return -1;
  int last = -1;
  for (const std::string& name : ListFiles(pattern)) last = AddString(listId, name);
  return last;
}

void Dialog::SetSpinRange(int id, int lo, int hi) {
  Control* c = Item(id);
  if (!c) return;
  c->rangeLo = lo;
  c->rangeHi = hi;
  c->pos = std::clamp(c->pos, std::min(lo, hi), std::max(lo, hi));
  NotifyChanged(id);
}

void Dialog::SetSpinPos(int id, int pos) {
  Control* c = Item(id);
  if (!c) return;
  c->pos = std::clamp(pos, std::min(c->rangeLo, c->rangeHi), std::max(c->rangeLo, c->rangeHi));
  NotifyChanged(id);
}

int Dialog::GetSpinPos(int id) const {
  const Control* c = Item(id);
  return c ? c->pos : 0;
}

void Dialog::SetSpinBuddy(int id, int buddyId) {
  if (Control* c = Item(id)) c->buddy = buddyId;
}

void Dialog::SetWindowText(std::string_view text) {
  if (windowText_ == text) return;
  windowText_ = std::string(text);
  if (observer_) observer_->WindowTextChanged();
}

MenuItem* Dialog::FindMenuItem(int id) {
  std::vector<std::vector<MenuItem>*> stack{&menu_};
  while (!stack.empty()) {
    std::vector<MenuItem>* level = stack.back();
    stack.pop_back();
    for (MenuItem& item : *level) {
      if (!item.popup.empty() || item.isPopup) stack.push_back(&item.popup);
      else if (item.id == id) return &item;
    }
  }
  return nullptr;
}

void Dialog::DrawMenuBar() {
  if (observer_) observer_->MenuChanged();
}

void Dialog::AddTool(int id, std::string_view tip) {
  Control* c = Item(id);
  if (!c) return;
  c->tooltip = std::string(tip);
  NotifyChanged(id);
}

void Dialog::SetFocusItem(int id) {
  focus_ = id;
  if (observer_) observer_->FocusChanged(id);
}

void Dialog::InvalidatePicture() {
  if (observer_) observer_->PictureChanged();
}

int Dialog::MessageBox(std::string_view text, std::string_view caption, MbType type) {
  return host_.MessageBox(*this, text, caption, type);
}

void Dialog::NotifyChanged(int id) {
  if (observer_) observer_->ControlChanged(id);
}

// ---- user side -------------------------------------------------------------------

bool Dialog::Accepts(int id) const {
  const Control* c = Item(id);
  return c && c->enabled && !ended_;
}

void Dialog::UserType(int id, std::string_view text) {
  if (!Accepts(id)) return;
  Control* c = Item(id);
  if (c->tmpl.kind == ControlKind::Edit) {
    if (c->tmpl.style & kReadOnly) return;
    c->text = std::string(text);
    NotifyChanged(id);
    OnCommand(id, Notify::Change);
  } else if (HasEditField(*c)) {
    c->text = std::string(text);
    c->curSel = -1;
    NotifyChanged(id);
    OnCommand(id, Notify::EditChange);
  }
}

void Dialog::UserClick(int id) {
  if (!Accepts(id)) return;
  Control* c = Item(id);
  switch (c->tmpl.kind) {
    case ControlKind::Button:
      break;
    case ControlKind::CheckBox:
      SetCheck(id, c->check ? 0 : 1);
      break;
    case ControlKind::RadioButton: {
      const auto [begin, end] = GroupAround(index_.at(id));
      for (std::size_t i = begin; i < end; ++i) {
        const Control& other = controls_[i];
        if (other.tmpl.kind == ControlKind::RadioButton && other.tmpl.id != IDC_STATIC)
          SetCheck(other.tmpl.id, other.tmpl.id == id ? 1 : 0);
      }
      break;
    }
    default:
      return;
  }
  OnCommand(id, Notify::Clicked);
}

void Dialog::UserSelect(int id, int index) {
  if (!Accepts(id)) return;
  Control* c = Item(id);
  if (!IsTextList(*c) || index < 0 || index >= static_cast<int>(c->items.size())) return;
  SetCurSel(id, index);
  OnCommand(id, Notify::SelChange);
}

void Dialog::UserDoubleClick(int listId, int index) {
  if (!Accepts(listId)) return;
  Control* c = Item(listId);
  if (!IsTextList(*c) || index < 0 || index >= static_cast<int>(c->items.size())) return;
  if (c->curSel != index) {
    SetCurSel(listId, index);
    OnCommand(listId, Notify::SelChange);
    if (ended_) return;
  }
  OnCommand(listId, Notify::DblClk);
}

void Dialog::UserSpin(int spinId, int delta) {
  if (!Accepts(spinId)) return;
  Control* c = Item(spinId);
  if (c->tmpl.kind != ControlKind::Spin) return;
  SetSpinPos(spinId, c->pos + (c->rangeHi >= c->rangeLo ? delta : -delta));
  OnVScroll(spinId, ScrollCode::ThumbPosition);
  OnVScroll(spinId, ScrollCode::EndScroll);
}

void Dialog::UserEnter() {
  if (ended_) return;
  if (const Control* f = Item(focus_); f && f->tmpl.kind == ControlKind::Button) {
    if (f->enabled) OnCommand(focus_, Notify::Clicked);
    return;
  }
  for (const Control& c : controls_) {
    if (c.tmpl.kind == ControlKind::Button && (c.tmpl.style & kDefault)) {
      if (c.enabled) OnCommand(c.tmpl.id, Notify::Clicked);
      return;
    }
  }
  OnCommand(IDOK, Notify::Clicked);
}

void Dialog::UserEscape() {
  if (!ended_) OnCommand(IDCANCEL, Notify::Clicked);
}

void Dialog::UserClose() {
  if (!ended_) OnCommand(IDCANCEL, Notify::Clicked);
}

void Dialog::UserMenu(int id) {
  if (ended_) return;
  OnCmdMsg(id);
  OnCommand(id, Notify::Menu);
}

bool Dialog::UserKey(std::string_view keys) {
  for (const Accelerator& a : tmpl_.accelerators) {
    if (keys != a.keys) continue;
    if (a.button) UserClick(a.id);
    else UserMenu(a.id);
    return true;
  }
  return false;
}

void Dialog::UserActivate(bool active) {
  if (!ended_) OnActivate(active);
}

}  // namespace velmora::ui
