// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ScriptedActions.h"

#include <algorithm>
#include <charconv>
#include <functional>

#include "app/ControlIds.h"
#include "textfile/Cp1251.h"

namespace velmora {

namespace {

using Verb = ScriptedAction::Verb;

struct VerbInfo {
  const char* word;
  Verb verb;
  bool takesNumber;
  bool takesText;
  bool needsText;
};

constexpr VerbInfo kVerbs[] = {
    {"click", Verb::Click, true, false, false},  {"type", Verb::Type, true, true, false},
    {"select", Verb::Select, true, true, true},  {"spin", Verb::Spin, true, false, false},
    {"answer", Verb::Answer, false, true, true}, {"load", Verb::Load, false, true, true},
    {"save", Verb::Save, false, true, false},    {"key", Verb::Key, false, true, true},
};

// The first word of `rest` and what follows its one separating blank.
std::string_view Word(std::string_view& rest) {
  const std::size_t blank = rest.find(' ');
  const std::string_view word = rest.substr(0, blank);
  rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
  return word;
}

bool ReadNumber(std::string_view text, int& out) {
  if (text.empty()) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size() && out >= 0;
}

std::string Id(int id) { return std::to_string(id); }

ui::ControlKind KindOf(const CVelmoraDlg& dlg, int id) { return dlg.Item(id)->tmpl.kind; }

// Why the user could not act on control `id` at all; empty when they can.
std::string Unusable(const CVelmoraDlg& dlg, int id) {
  if (!dlg.HasItem(id)) return "no control " + Id(id);
  if (!dlg.IsItemEnabled(id)) return "control " + Id(id) + " is disabled";
  return {};
}

std::string Click(CVelmoraDlg& dlg, int id) {
  if (dlg.HasItem(id)) {
    const ui::ControlKind kind = KindOf(dlg, id);
    if (kind != ui::ControlKind::Button && kind != ui::ControlKind::CheckBox && kind != ui::ControlKind::RadioButton)
      return "control " + Id(id) + " is no button, check box or radio button";
    if (std::string why = Unusable(dlg, id); !why.empty()) return why;
    dlg.UserClick(id);
    return {};
  }
  const ui::MenuItem* item = dlg.FindMenuItem(id);
  if (!item || item->isPopup || id == 0) return "no control or menu command " + Id(id);
  dlg.UserMenu(id);
  return {};
}

std::string Type(CVelmoraDlg& dlg, int id, const std::string& text) {
  if (std::string why = Unusable(dlg, id); !why.empty()) return why;
  const ui::Control& c = *dlg.Item(id);
  const bool edit = c.tmpl.kind == ui::ControlKind::Edit && !(c.tmpl.style & ui::kReadOnly);
  const bool comboEdit = c.tmpl.kind == ui::ControlKind::ComboBox && !(c.tmpl.style & ui::kDropDownList);
  if (!edit && !comboEdit) return "control " + Id(id) + " takes no typing";
  dlg.UserType(id, text);
  return {};
}

// The entry of that text; letter case ignored when none matches exactly.
int FindEntry(const ui::Dialog& dlg, int id, const std::string& text) {
  const int count = dlg.GetCount(id);
  for (int i = 0; i < count; ++i)
    if (dlg.GetLBText(id, i) == text) return i;
  for (int i = 0; i < count; ++i)
    if (ui::CompareNoCase(dlg.GetLBText(id, i), text) == 0) return i;
  return -1;
}

std::string Select(CVelmoraDlg& dlg, int id, const std::string& text) {
  if (std::string why = Unusable(dlg, id); !why.empty()) return why;
  const ui::ControlKind kind = KindOf(dlg, id);
  if (kind != ui::ControlKind::ComboBox && kind != ui::ControlKind::ListBox) return "control " + Id(id) + " is no list";
  const int index = FindEntry(dlg, id, text);
  if (index < 0) return "list " + Id(id) + " has no entry " + Cp1251ToUtf8(text);
  dlg.UserSelect(id, index);
  return {};
}

// The position is set and the notifications of a step go out, as at the
// last click of a user stepping there: the window works from the position.
std::string Spin(CVelmoraDlg& dlg, int pos) {
  const int id = ids::IDC_SPIN_WIRE;
  if (std::string why = Unusable(dlg, id); !why.empty()) return why;
  const ui::Control& c = *dlg.Item(id);
  const int lo = std::min(c.rangeLo, c.rangeHi), hi = std::max(c.rangeLo, c.rangeHi);
  if (pos < lo || pos > hi) return "spin position " + Id(pos) + " outside " + Id(lo) + ".." + Id(hi);
  dlg.SetSpinPos(id, pos);
  dlg.OnVScroll(id, ui::ScrollCode::ThumbPosition);
  dlg.OnVScroll(id, ui::ScrollCode::EndScroll);
  return {};
}

// Runs a file dialog through `button` with `driver` acting in it; the
// driver's complaint, if any, comes back.
std::string WithFileDialog(CVelmoraDlg& dlg, ui::HeadlessHost& host, int button,
                           const std::function<std::string(ui::Dialog&)>& driver) {
  if (std::string why = Unusable(dlg, button); !why.empty()) return why;
  std::string error;
  bool ran = false;
  host.QueueDriver([&](ui::Dialog& d) {
    ran = true;
    error = driver(d);
  });
  dlg.UserClick(button);
  if (!ran) return "the file dialog did not open";
  return error;
}

std::string Load(CVelmoraDlg& dlg, ui::HeadlessHost& host, const std::string& name) {
  return WithFileDialog(dlg, host, ids::IDC_LOAD, [&name](ui::Dialog& d) -> std::string {
    const int index = FindEntry(d, ids::IDC_FILE_LIST, name);
    if (index < 0) return "the open dialog lists no " + Cp1251ToUtf8(name);
    d.UserSelect(ids::IDC_FILE_LIST, index);
    d.UserClick(ui::IDOK);
    return {};
  });
}

std::string Save(CVelmoraDlg& dlg, ui::HeadlessHost& host, const ScriptedAction& a) {
  return WithFileDialog(dlg, host, ids::IDC_SAVE, [&a](ui::Dialog& d) -> std::string {
    if (a.hasText) d.UserType(ids::IDC_SAVE_NAME, a.text);
    d.UserClick(ui::IDOK);  // an overwrite question answered Cancel leaves it open: cancelled
    return {};
  });
}

}  // namespace

ParsedAction ParseScriptedAction(std::string_view utf8) {
  ParsedAction p;
  ScriptedAction& a = p.action;
  a.source = std::string(utf8);
  std::string_view rest = utf8;
  const std::string_view word = Word(rest);
  const VerbInfo* info = nullptr;
  for (const VerbInfo& v : kVerbs)
    if (word == v.word) info = &v;
  if (!info) {
    p.error = "unknown action " + std::string(word);
    return p;
  }
  a.verb = info->verb;
  if (info->takesNumber && !ReadNumber(Word(rest), a.number)) {
    p.error = std::string(word) + (a.verb == Verb::Spin ? " needs a position" : " needs a control ID");
    return p;
  }
  if (!info->takesText && !rest.empty()) {
    p.error = std::string(word) + " takes nothing after " + Id(a.number);
    return p;
  }
  if (info->needsText && rest.empty()) {
    p.error = std::string(word) + (a.verb == Verb::Answer ? " needs ok or cancel" : " needs a text");
    return p;
  }
  if (a.verb == Verb::Answer) {
    if (rest != "ok" && rest != "cancel") p.error = "answer needs ok or cancel";
    a.number = rest == "ok" ? ui::IDOK : ui::IDCANCEL;
    return p;
  }
  a.hasText = !rest.empty();
  const auto text = Utf8ToCp1251(rest);
  if (!text) {
    p.error = std::string(word) + ": the text holds a character the window cannot show";
    return p;
  }
  a.text = *text;
  return p;
}

std::string PlayScriptedAction(CVelmoraDlg& dlg, ui::HeadlessHost& host, const ScriptedAction& a) {
  if (dlg.IsEnded()) return "the window has ended";
  switch (a.verb) {
    case Verb::Click:
      return Click(dlg, a.number);
    case Verb::Type:
      return Type(dlg, a.number, a.text);
    case Verb::Select:
      return Select(dlg, a.number, a.text);
    case Verb::Spin:
      return Spin(dlg, a.number);
    case Verb::Answer:
      host.QueueAnswer(a.number);
      return {};
    case Verb::Load:
      return Load(dlg, host, a.text);
    case Verb::Save:
      return Save(dlg, host, a);
    case Verb::Key:
      return dlg.UserKey(a.text) ? std::string() : "no key " + a.text + " in the window's table";
  }
  return "unknown action";
}

}  // namespace velmora
