// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard of the dialogs, as in the dialogs of the desktop this
// program comes from: Enter and Escape go to the model; Alt alone and F10
// take the keyboard into the menu bar; a group of radio buttons is one Tab
// stop (its checked button) and the arrow keys move and check inside it;
// Up and Down in the edit a spin button steps are that spin button's arrows.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <algorithm>

#include "ui/qt/QtDialogView.h"
#include "ui/qt/QtViewParts.h"

namespace velmora::ui {

void QtDialogView::keyPressEvent(QKeyEvent* event) {
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      // A focused push button takes Enter, else the default button does.
      for (const auto& [id, i] : byId_) {
        if (entries_[i].widget == focusWidget() && qobject_cast<QPushButton*>(focusWidget())) {
          dialog_.UserClick(id);
          return;
        }
      }
      dialog_.UserEnter();
      return;
    }
    case Qt::Key_Escape:
      dialog_.UserEscape();
      return;
    case Qt::Key_F10:
      if (plain && menuBar_) {
        OpenMenuBar();
        return;
      }
      break;
    case Qt::Key_Up:
    case Qt::Key_Down:
      // Line edits leave these keys to their parent.
      if (plain && StepBuddy(focusWidget(), event->key() == Qt::Key_Up)) return;
      break;
    default:
      break;
  }
  QDialog::keyPressEvent(event);
}

// What a press and release of Alt alone does: the first title of the menu
// bar lit, the arrow keys moving along the bar, Enter or Down opening a menu
// and Escape going back to the control that had the focus.
void QtDialogView::OpenMenuBar() {
  QWidget* target = focusWidget() ? focusWidget() : this;
  // The Alt key's own event does not count itself among the modifiers:
  // QKeyEvent::modifiers() flips Alt for the Alt key.
  QKeyEvent altDown(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
  QApplication::sendEvent(target, &altDown);
  QKeyEvent altUp(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
  QApplication::sendEvent(target, &altUp);
}

bool QtDialogView::StepBuddy(const QWidget* focused, bool up) {
  if (!qobject_cast<const QLineEdit*>(focused)) return false;
  for (const Entry& entry : entries_) {
    if (!entry.up) continue;
    const Control* spin = dialog_.Item(dialog_.Template().controls[static_cast<std::size_t>(entry.index)].id);
    if (!spin || spin->buddy == 0 || Widget(spin->buddy) != focused) continue;
    // The arrow itself, so that a key does what a click does (nothing at
    // the end of the range, where the arrow is disabled).
    (up ? entry.up : entry.down)->click();
    return true;
  }
  return false;
}

// The radio buttons of the group a radio button's entry is in: from the
// control that starts the group (kGroup) to the next such control.
std::vector<QAbstractButton*> QtDialogView::RadioGroupOf(std::size_t entryIndex) const {
  const std::vector<ControlTemplate>& controls = dialog_.Template().controls;
  std::size_t begin = static_cast<std::size_t>(entries_[entryIndex].index);
  while (begin > 0 && !(controls[begin].style & kGroup)) --begin;
  std::vector<QAbstractButton*> group;
  for (std::size_t i = begin; i < controls.size(); ++i) {
    if (i != begin && (controls[i].style & kGroup)) break;
    if (controls[i].kind == ControlKind::RadioButton && entries_[i].widget)
      group.push_back(static_cast<QAbstractButton*>(entries_[i].widget));
  }
  return group;
}

// Tab reaches a group at its checked button (the first enabled one when
// none is checked); the others take the focus only from a click or an arrow.
void QtDialogView::SetRadioTabStop(std::size_t entryIndex) {
  const std::vector<QAbstractButton*> group = RadioGroupOf(entryIndex);
  QAbstractButton* stop = nullptr;
  for (QAbstractButton* button : group)
    if (button->isChecked() && button->isEnabled()) stop = stop ? stop : button;
  for (QAbstractButton* button : group)
    if (!stop && button->isEnabled()) stop = button;
  for (QAbstractButton* button : group) button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

// An arrow key on a radio button: the next enabled button of its group in
// that direction, round the ends, takes the focus and is clicked.
// A control's tooltip as it shows, laid out just before its first showing.
void QtDialogView::LayOutTip(const QObject* watched) {
  for (Entry& entry : entries_) {
    if (entry.widget != watched || !entry.tipPending) continue;
    entry.tipPending = false;
    entry.widget->setToolTip(TipText(entry.widget->toolTip()));
  }
}

bool QtDialogView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip) LayOutTip(watched);
  if (LeavesKeyToWindow(watched, event)) return true;
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const bool back = key->key() == Qt::Key_Up || key->key() == Qt::Key_Left;
  const bool forward = key->key() == Qt::Key_Down || key->key() == Qt::Key_Right;
  if ((!back && !forward) || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].widget != watched) continue;
    const std::vector<QAbstractButton*> group = RadioGroupOf(i);
    const auto at = std::find(group.begin(), group.end(), watched);
    if (at == group.end()) return false;
    const std::size_t n = group.size();
    const std::size_t k = static_cast<std::size_t>(at - group.begin());
    for (std::size_t step = 1; step < n; ++step) {
      QAbstractButton* next = group[(k + (back ? n - step : step)) % n];
      if (!next->isEnabled() || next->isHidden()) continue;
      next->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
      next->click();
      break;
    }
    return true;
  }
  return false;
}

}  // namespace velmora::ui
