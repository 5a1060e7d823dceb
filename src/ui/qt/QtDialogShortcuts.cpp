// SPDX-License-Identifier: GPL-3.0-or-later
// Keys that reach commands without the mouse: the mnemonics of the menu
// titles and push buttons, and the window's accelerator table.
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <string>

#include "ui/TitleText.h"
#include "ui/qt/QtDialogView.h"
#include "ui/qt/QtViewParts.h"

namespace velmora::ui {

namespace {

// The room a button's text has: its width less the frame, less the box or
// circle of a check box or radio button.
constexpr int kButtonFrameWidth = 6;

}  // namespace

QChar MarkedMnemonic(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] != u'&') return text[i + 1].toLower();
    ++i;
  }
  return QChar();
}

QStringList ChooseMnemonics(QStringList texts, QString taken) {
  for (const QString& text : texts)
    if (const QChar marked = MarkedMnemonic(text); !marked.isNull()) taken += marked;
  for (QString& text : texts) {
    if (text.contains(u'&')) continue;
    qsizetype chosen = -1;
    for (const bool wordStart : {true, false}) {
      for (qsizetype i = 0; i < text.size() && chosen < 0; ++i) {
        const bool startsWord = i == 0 || !text[i - 1].isLetterOrNumber();
        if (text[i].isLetterOrNumber() && (startsWord || !wordStart) && !taken.contains(text[i].toLower())) chosen = i;
      }
    }
    if (chosen < 0) continue;
    taken += text[chosen].toLower();
    text.insert(chosen, u'&');
  }
  return texts;
}

QStringList WithMnemonics(const std::vector<MenuItem>& items) {
  QStringList texts;
  for (const MenuItem& item : items) texts << FromCp1251(TitleText(item.text));
  return ChooseMnemonics(texts, QString());
}

QString ButtonCaption(const QAbstractButton* button, const ControlTemplate& t, const QString& text) {
  int room = button->width() - kButtonFrameWidth;
  if (t.kind != ControlKind::Button) room -= button->style()->pixelMetric(QStyle::PM_IndicatorWidth);
  return (t.style & kMultiline) ? Wrapped(text, button->fontMetrics(), room) : text;
}

// The letters are chosen on the captions as wrapped: a line break counts as
// a blank, so a word's first letter stays one.
void QtDialogView::ShowButtonMnemonics() {
  const DialogTemplate& tmpl = dialog_.Template();
  if (!tmpl.buttonMnemonics || waiting_) return;
  QString taken;
  for (const QString& title : WithMnemonics(dialog_.Menu()))
    if (const QChar marked = MarkedMnemonic(title); !marked.isNull()) taken += marked;
  std::vector<QPushButton*> buttons;
  QStringList texts;
  for (const Entry& entry : entries_) {
    const ControlTemplate& t = tmpl.controls[static_cast<std::size_t>(entry.index)];
    auto* button = qobject_cast<QPushButton*>(entry.widget);
    const Control* c = t.id == IDC_STATIC ? nullptr : dialog_.Item(t.id);
    if (!button || !c) continue;
    buttons.push_back(button);
    texts << ButtonCaption(button, t, FromCp1251(c->text));
  }
  texts = ChooseMnemonics(texts, taken);
  for (std::size_t i = 0; i < buttons.size(); ++i)
    if (buttons[i]->text() != texts[static_cast<qsizetype>(i)]) buttons[i]->setText(texts[static_cast<qsizetype>(i)]);
}

void QtDialogView::BuildShortcuts() {
  for (const Accelerator& a : dialog_.Template().accelerators) {
    auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(a.keys)), this);
    connect(shortcut, &QShortcut::activated, this, [this, keys = std::string(a.keys)] { dialog_.UserKey(keys); });
  }
}

// A line edit claims the undo and redo keys for its own typing. One with
// nothing of its own to undo or redo (the program's texts clear its history)
// leaves them to the window's accelerators.
bool QtDialogView::LeavesKeyToWindow(QObject* watched, QEvent* event) const {
  if (event->type() != QEvent::ShortcutOverride || dialog_.Template().accelerators.empty()) return false;
  const auto* edit = qobject_cast<const QLineEdit*>(watched);
  if (!edit) return false;
  const auto* key = static_cast<const QKeyEvent*>(event);
  if (key->matches(QKeySequence::Undo)) return !edit->isUndoAvailable();
  if (key->matches(QKeySequence::Redo)) return !edit->isRedoAvailable();
  return false;
}

}  // namespace velmora::ui
