// SPDX-License-Identifier: GPL-3.0-or-later
// Bringing the widgets in line with the model's controls.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <algorithm>

#include "ui/qt/QtDialogView.h"
#include "ui/qt/QtViewParts.h"

namespace velmora::ui {

namespace {

QStringList FromCp1251List(const std::vector<std::string>& items) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& item : items) list << FromCp1251(item);
  return list;
}

// What the user sees of a line edit: its text, caret and selected part.
struct FieldState {
  QString text;
  int caret = 0;
  int selStart = -1;
  int selLength = 0;
};

FieldState SaveField(const QLineEdit* edit) {
  return {edit->text(), edit->cursorPosition(), edit->selectionStart(), edit->selectionLength()};
}

void RestoreField(QLineEdit* edit, const FieldState& state) {
  if (edit->text() == state.text && edit->cursorPosition() == state.caret && edit->selectionStart() == state.selStart &&
      edit->selectionLength() == state.selLength)
    return;
  if (edit->text() != state.text) edit->setText(state.text);
  if (state.selStart >= 0 && state.selLength > 0) {
    // The caret stays at the end where the selection was made from.
    const bool caretAtStart = state.caret == state.selStart;
    edit->setSelection(caretAtStart ? state.selStart + state.selLength : state.selStart,
                       caretAtStart ? -state.selLength : state.selLength);
  } else {
    edit->setCursorPosition(state.caret);
  }
}

void SetTextKeepingCaret(QLineEdit* edit, const QString& text) {
  const int pos = edit->cursorPosition();
  edit->setText(text);
  edit->setCursorPosition(std::min<int>(pos, static_cast<int>(text.size())));
}

void SyncEdit(QWidget* w, const Control& c) {
  // The user types into edits: compare with what the widget holds.
  if (auto* line = qobject_cast<QLineEdit*>(w)) {
    if (ToCp1251(line->text()) != c.text) SetTextKeepingCaret(line, FromCp1251(c.text));
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
    QString shown = FromCp1251(c.text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (plain->toPlainText() != shown) plain->setPlainText(shown);
  }
}

// Push buttons, check boxes and radio buttons.
void SyncButton(QAbstractButton* button, const ControlTemplate& t, const Control& c, bool newCaption) {
  if (newCaption) button->setText(ButtonCaption(button, t, FromCp1251(c.text)));
  if (t.kind != ControlKind::Button) button->setChecked(c.check != 0);
}

// `shown` is the list the widget holds: the list is the model's alone.
void SyncComboBox(QComboBox* combo, std::optional<std::vector<std::string>>& shown, const Control& c) {
  const QSignalBlocker block(combo);
  // Refilling the list or moving the index rewrites an editable box's
  // field (index -1 empties it). What the user typed, with its caret and
  // selection, must come out as it went in: a keystroke that the model
  // takes as typed changes nothing the user sees.
  QLineEdit* field = combo->lineEdit();
  const std::optional<FieldState> before = field ? std::optional(SaveField(field)) : std::nullopt;
  if (shown != c.items) {
    shown = c.items;
    combo->clear();
    combo->addItems(FromCp1251List(c.items));
  }
  if (combo->currentIndex() != c.curSel) combo->setCurrentIndex(c.curSel);
  if (field) {
    const QSignalBlocker blockEdit(field);
    const QString text = FromCp1251(c.text);
    if (before->text == text) {
      RestoreField(field, *before);
    } else if (field->text() != text) {
      field->setText(text);
      field->setCursorPosition(std::min<int>(before->caret, static_cast<int>(text.size())));
    }
    // The program's text in a box the user is not in shows from its start.
    if (before->text != text && !field->hasFocus()) field->setCursorPosition(0);
  }
}

void SyncListBox(QListWidget* list, std::optional<std::vector<std::string>>& shown, const Control& c) {
  if (shown != c.items) {
    shown = c.items;
    list->clear();
    list->addItems(FromCp1251List(c.items));
  }
  if (list->currentRow() != c.curSel) {
    list->setCurrentRow(c.curSel);
    if (c.curSel < 0) list->clearSelection();
  }
}

}  // namespace

void ShowStart(QLineEdit* field) {
  const int size = static_cast<int>(field->text().size());
  if (field->hasFocus() && size > 0) field->setSelection(size, -size);
  else field->setCursorPosition(0);
}

void QtDialogView::SyncAll() {
  if (waiting_) {
    waiting_ = false;
    BuildMenu();
    WindowTextChanged();
  }
  for (Entry& entry : entries_) Sync(entry);
}

void QtDialogView::ControlChanged(int id) {
  if (waiting_) return;  // SyncAll takes the whole state
  auto it = byId_.find(id);
  if (it != byId_.end()) Sync(entries_[it->second]);
}

void QtDialogView::Sync(Entry& entry) {
  const ControlTemplate& t = dialog_.Template().controls[static_cast<std::size_t>(entry.index)];
  const Control* c = t.id == IDC_STATIC ? nullptr : dialog_.Item(t.id);
  if (!c) return;  // a control without an ID keeps its template text
  syncing_ = true;
  // Captions change only through here: one that is the same as shown needs
  // no work (wrapping measures the text).
  const bool newCaption = entry.caption != c->text;
  if (newCaption) entry.caption = c->text;
  if (entry.drawn) {
    SyncDrawn(entry, *c, newCaption);
  } else {
    SyncWidget(entry, t, *c, newCaption);
  }
  syncing_ = false;
}

// A drawn text's tooltip is shown by the surface (ShowDrawnTip).
void QtDialogView::SyncDrawn(Entry& entry, const Control& c, bool newCaption) {
  if (newCaption) SetDrawnText(entry, FromCp1251(c.text));
  const bool shown = c.enabled && !c.greyed;
  if (entry.enabled != shown || entry.warned != c.warned) {
    entry.enabled = shown;
    entry.warned = c.warned;
    surface_->update(entry.rect);
  }
  if (entry.tooltip != c.tooltip) entry.tooltip = c.tooltip;
}

void QtDialogView::SyncWidget(Entry& entry, const ControlTemplate& t, const Control& c, bool newCaption) {
  QWidget* w = entry.widget;
  w->setEnabled(c.enabled && !c.greyed);
  if (entry.tooltip != c.tooltip) {
    entry.tooltip = c.tooltip;
    if (!c.tooltip.empty()) {
      // Laid out (TipText) when it is first shown, see LayOutTip: measuring
      // takes a font of its own, which the window's start does without.
      w->setToolTip(FromCp1251(c.tooltip));
      w->setToolTipDuration(kTipHideDelayMs);
      w->installEventFilter(this);
      entry.tipPending = true;
    } else {
      w->setToolTip({});
      entry.tipPending = false;
    }
  }
  switch (t.kind) {
    case ControlKind::Static:
      if (newCaption) SetStaticText(static_cast<QLabel*>(w), WithoutMnemonics(FromCp1251(c.text)));
      break;
    case ControlKind::Picture:
    case ControlKind::GroupBox:  // drawn
      break;
    case ControlKind::Edit:
      SyncEdit(w, c);
      break;
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      SyncButton(static_cast<QAbstractButton*>(w), t, c, newCaption);
      if (t.kind == ControlKind::Button && newCaption) ShowButtonMnemonics();
      if (t.kind == ControlKind::RadioButton) SetRadioTabStop(static_cast<std::size_t>(&entry - entries_.data()));
      break;
    case ControlKind::ComboBox:
      SyncComboBox(static_cast<QComboBox*>(w), entry.items, c);
      break;
    case ControlKind::ListBox:
      SyncListBox(static_cast<QListWidget*>(w), entry.items, c);
      break;
    case ControlKind::Spin: {
      const int lo = std::min(c.rangeLo, c.rangeHi), hi = std::max(c.rangeLo, c.rangeHi);
      const bool upMovesUp = c.rangeHi >= c.rangeLo;
      entry.up->setEnabled(c.enabled && (upMovesUp ? c.pos < hi : c.pos > lo));
      entry.down->setEnabled(c.enabled && (upMovesUp ? c.pos > lo : c.pos < hi));
      break;
    }
  }
}

}  // namespace velmora::ui
