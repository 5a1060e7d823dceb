// SPDX-License-Identifier: GPL-3.0-or-later
// Building the widgets of a dialog's template and its menu bar.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionComboBox>
#include <QToolButton>
#include <algorithm>

#include "ui/TitleText.h"
#include "ui/qt/QtDialogView.h"
#include "ui/qt/QtViewParts.h"

namespace velmora::ui {

namespace {

// A combo box whose drop-down list is as wide as its longest entry, so
// that every entry shows whole even where the closed box is narrow.
//
// An editable one makes its list when it first drops down:
// QComboBox::setEditable makes it at once under styles that show the list
// as a popup (Fusion among them), a popup window with its list view per
// combo box before the window has even been shown.
class DialogComboBox : public QComboBox {
 public:
  DialogComboBox(QWidget* parent, bool editable) : QComboBox(parent), listPrepared_(!editable) {
    if (!editable) return;
    auto* edit = new QLineEdit(this);  // as setEditable(true) makes it
    edit->setPalette(palette());
    setLineEdit(edit);
  }

  void showPopup() override {
    if (!listPrepared_) {
      listPrepared_ = true;
      // What setEditable(true) does to the list of a popup.
      QStyleOptionComboBox option;
      initStyleOption(&option);
      if (style()->styleHint(QStyle::SH_ComboBox_Popup, &option, this))
        view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    // The list's popup window takes the list's minimum width.
    QAbstractItemView* list = view();
    int wide = list->sizeHintForColumn(0) + 2 * list->frameWidth();
    if (count() > maxVisibleItems()) wide += style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    list->setMinimumWidth(std::max(wide, width()));
    QComboBox::showPopup();
  }

 private:
  bool listPrepared_;
};

}  // namespace

void QtDialogView::Build() {
  const std::vector<ControlTemplate>& controls = dialog_.Template().controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlTemplate& t = controls[i];
    const int id = t.id;
    const QRect rect = ToPixels(t.x, t.y, t.w, t.h);
    Entry entry;
    entry.index = static_cast<int>(i);
    MakeWidget(t, rect, entry);
    QRect geometry = rect;
    if (t.kind == ControlKind::ComboBox)  // the template gives the dropped height
      geometry.setHeight(
          std::min(entry.widget->sizeHint().height(), std::max(rect.height(), ToPixels(0, 0, 0, 12).height())));
    if (entry.widget) entry.widget->setGeometry(geometry);
    entry.rect = geometry;
    entry.enabled = !(t.style & kDisabled);
    // The template's caption; a control with an ID that waits for SyncAll
    // takes the model's there.
    if ((t.kind == ControlKind::Static || t.kind == ControlKind::GroupBox) && (!waiting_ || id == IDC_STATIC)) {
      const QString caption = FromCp1251(t.text);
      if (entry.drawn) SetDrawnText(entry, caption);
      else SetStaticText(static_cast<QLabel*>(entry.widget), WithoutMnemonics(caption));
      entry.caption = t.text;
    }
    if (id != IDC_STATIC) byId_.emplace(id, entries_.size());
    entries_.push_back(entry);
  }
}

// The widget of one control, connected to the model; nothing for a group box
// or static text that the surface draws.
void QtDialogView::MakeWidget(const ControlTemplate& t, const QRect& rect, Entry& entry) {
  const Qt::Alignment align = (t.style & kCenter)  ? Qt::AlignHCenter
                              : (t.style & kRight) ? Qt::AlignRight
                                                   : Qt::AlignLeft;
  switch (t.kind) {
    case ControlKind::Static: {
      if (!(t.style & kStaticEdge)) {  // drawn by the surface, see PaintTexts
        entry.drawn = true;
        entry.align = align | ((t.style & kVCenter) ? Qt::AlignVCenter : Qt::AlignTop);
        break;
      }
      auto* label = new QLabel(surface_);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(align | ((t.style & kVCenter) ? Qt::AlignVCenter : Qt::AlignTop));
      if (t.style & kStaticEdge) label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
      entry.widget = label;
      break;
    }
    case ControlKind::Picture: {
      auto* label = new QLabel(surface_);
      const QIcon icon = QApplication::windowIcon();
      if (!icon.isNull()) label->setPixmap(icon.pixmap(QSize(32, 32)));
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      entry.widget = label;
      break;
    }
    case ControlKind::Edit:
      entry.widget = MakeEdit(t, align);
      break;
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      entry.widget = MakeButton(t);
      break;
    case ControlKind::ComboBox:
      entry.widget = MakeComboBox(t);
      break;
    case ControlKind::ListBox:
      entry.widget = MakeListBox(t);
      break;
    case ControlKind::Spin:
      MakeSpin(t.id, rect, entry);
      break;
    case ControlKind::GroupBox:
      entry.drawn = true;
      break;
  }
}

QWidget* QtDialogView::MakeEdit(const ControlTemplate& t, Qt::Alignment align) {
  const int id = t.id;
  if (t.style & kMultiline) {
    auto* edit = new QPlainTextEdit(surface_);
    edit->setReadOnly((t.style & kReadOnly) != 0);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    if (!(t.style & kVScroll)) edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(edit, &QPlainTextEdit::textChanged, this, [this, id, edit] {
      if (syncing_) return;
      QString text = edit->toPlainText();
      text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
      if (auto cp = ToCp1251(text)) dialog_.UserType(id, *cp);
    });
    return edit;
  }
  auto* edit = new QLineEdit(surface_);
  edit->setAlignment(align | Qt::AlignVCenter);
  edit->setReadOnly((t.style & kReadOnly) != 0);
  edit->setValidator(new Cp1251Validator(edit, (t.style & kAutoHScroll) ? nullptr : edit));
  edit->installEventFilter(this);  // the window's undo keys, see eventFilter
  connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) { Typed(id, text); });
  return edit;
}

// Push buttons, check boxes and radio buttons.
QWidget* QtDialogView::MakeButton(const ControlTemplate& t) {
  const int id = t.id;
  if (t.kind == ControlKind::Button) {
    auto* button = new QPushButton(surface_);
    button->setAutoDefault(false);
    button->setDefault((t.style & kDefault) != 0);
    connect(button, &QPushButton::clicked, this, [this, id] { dialog_.UserClick(id); });
    return button;
  }
  QAbstractButton* button = nullptr;
  if (t.kind == ControlKind::CheckBox) {
    button = new QCheckBox(surface_);
  } else {
    auto* radio = new QRadioButton(surface_);
    radio->setAutoExclusive(false);
    radio->installEventFilter(this);  // the arrow keys, see eventFilter
    button = radio;
  }
  connect(button, &QAbstractButton::clicked, this, [this, id] {
    dialog_.UserClick(id);
    ControlChanged(id);  // the model toggles; the widget shows its state
  });
  return button;
}

QWidget* QtDialogView::MakeComboBox(const ControlTemplate& t) {
  const int id = t.id;
  const bool editable = !(t.style & kDropDownList);
  auto* combo = new DialogComboBox(surface_, editable);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setMaxVisibleItems(20);
  if (editable) {
    combo->setCompleter(nullptr);
    combo->lineEdit()->setValidator(new Cp1251Validator(combo->lineEdit()));
    connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, id](const QString& text) { Typed(id, text); });
  }
  connect(combo, &QComboBox::activated, this, [this, id, combo](int index) {
    dialog_.UserSelect(id, index);
    ControlChanged(id);
    // The user's pick, all of it selected, shows from its start.
    if (QLineEdit* field = combo->lineEdit(); field && field->hasFocus()) ShowStart(field);
  });
  return combo;
}

QWidget* QtDialogView::MakeListBox(const ControlTemplate& t) {
  const int id = t.id;
  auto* list = new QListWidget(surface_);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  if (!(t.style & kVScroll)) list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // A selection the user makes, not the current row alone: a list that
  // takes the focus makes its first row current without selecting it.
  connect(list, &QListWidget::itemSelectionChanged, this, [this, id, list] {
    if (syncing_) return;
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (!selected.isEmpty()) dialog_.UserSelect(id, list->row(selected.front()));
  });
  connect(list, &QListWidget::itemDoubleClicked, this,
          [this, id, list](QListWidgetItem* item) { dialog_.UserDoubleClick(id, list->row(item)); });
  return list;
}

// A spin button: two arrow buttons in a frame, which is the entry's widget.
void QtDialogView::MakeSpin(int id, const QRect& rect, Entry& entry) {
  auto* frame = new QWidget(surface_);
  entry.up = new QToolButton(frame);
  entry.down = new QToolButton(frame);
  entry.up->setArrowType(Qt::UpArrow);
  entry.down->setArrowType(Qt::DownArrow);
  const int half = rect.height() / 2;
  entry.up->setGeometry(0, 0, rect.width(), half);
  entry.down->setGeometry(0, half, rect.width(), rect.height() - half);
  for (QToolButton* b : {entry.up, entry.down}) {
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
  }
  connect(entry.up, &QToolButton::clicked, this, [this, id] { dialog_.UserSpin(id, +1); });
  connect(entry.down, &QToolButton::clicked, this, [this, id] { dialog_.UserSpin(id, -1); });
  entry.widget = frame;
}

void QtDialogView::BuildMenu() {
  const std::vector<MenuItem>& menu = dialog_.Menu();
  if (menu.empty()) {
    if (menuBar_) {
      menuBar_->deleteLater();
      menuBar_ = nullptr;
    }
    SetLayoutSize();
    return;
  }
  if (!menuBar_) menuBar_ = new QMenuBar(this);
  // Old menus may be the sender of the command being handled right now.
  for (QAction* action : menuBar_->actions()) {
    menuBar_->removeAction(action);
    if (QMenu* sub = action->menu()) sub->deleteLater();
    action->deleteLater();
  }
  const QStringList texts = WithMnemonics(menu);
  for (std::size_t i = 0; i < menu.size(); ++i) {
    const MenuItem& item = menu[i];
    const QString& text = texts[static_cast<qsizetype>(i)];
    if (!item.popup.empty() || item.isPopup) {
      QMenu* sub = new QMenu(text, menuBar_);
      FillMenu(sub, item.popup);
      menuBar_->addMenu(sub);
    } else {
      ConnectCommand(menuBar_->addAction(text), item);
    }
  }
  SetLayoutSize();
  ShowButtonMnemonics();  // free of the menu titles' letters
}

void QtDialogView::FillMenu(QMenu* menu, const std::vector<MenuItem>& items) {
  const QStringList texts = WithMnemonics(items);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const MenuItem& item = items[i];
    const QString& text = texts[static_cast<qsizetype>(i)];
    if (!item.popup.empty() || item.isPopup) {
      FillMenu(menu->addMenu(text), item.popup);
      continue;
    }
    if (item.text.empty() && item.id == 0) {
      menu->addSeparator();
      continue;
    }
    ConnectCommand(menu->addAction(text), item);
  }
}

void QtDialogView::ConnectCommand(QAction* action, const MenuItem& item) {
  action->setCheckable(item.checked);
  action->setChecked(item.checked);
  const int id = item.id;
  connect(action, &QAction::triggered, this, [this, id, action] {
    // Check marks are the model's: undo Qt's own toggling.
    const MenuItem* now = dialog_.FindMenuItem(id);
    action->setChecked(now && now->checked);
  });
  // The command runs once the menu has closed (it may rebuild the menu).
  connect(
      action, &QAction::triggered, this, [this, id] { dialog_.UserMenu(id); }, Qt::QueuedConnection);
}

void QtDialogView::SetLayoutSize() {
  const DialogTemplate& tmpl = dialog_.Template();
  const QRect client = ToPixels(0, 0, tmpl.w, tmpl.h);
  const int menuHeight = menuBar_ ? menuBar_->sizeHint().height() : 0;
  if (menuBar_) menuBar_->setGeometry(0, 0, client.width(), menuHeight);
  surface_->setGeometry(0, menuHeight, client.width(), client.height());
  setFixedSize(client.width(), client.height() + menuHeight);
}

}  // namespace velmora::ui
