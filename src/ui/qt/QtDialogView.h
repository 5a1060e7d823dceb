// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Qt 6 Widgets face of a Dialog: every control of its template as a
// widget placed by dialog units, the menu bar, tooltips and the picture. The
// Dialog stays the model: the view passes what the user does to its User...
// calls and shows what the model reports through DialogObserver. The view
// never decides anything itself (not even closing: the model's EndDialog does).
#include <QDialog>
#include <QPixmap>
#include <QString>
#include <QValidator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/Dialog.h"

class QAbstractButton;
class QAction;
class QLineEdit;
class QMenuBar;
class QMenu;
class QToolButton;

namespace velmora::ui {

// Prepares the running QApplication for the dialogs; call it once right
// after the QApplication is constructed (QtHost's constructor calls it too;
// a second call does nothing). Qt sets the C library's locale from the
// environment, so this puts LC_NUMERIC back to "C": numbers are read and
// written with "." whatever the user's language. It also sets the
// application icon (from ":/velmora-32.png" and ":/velmora.png" when the
// resources hold them, each read only once a size of it is needed) and the
// tooltip colours and timing.
void InitQtApplication();

// Qt text of Windows-1251 bytes, and back (nothing when a character has no
// Windows-1251 byte).
QString FromCp1251(std::string_view cp1251);
std::optional<std::string> ToCp1251(const QString& text);

// Accepts only text that Windows-1251 can hold; with a line edit given, also
// only text that fits the edit's box (an edit without horizontal scrolling).
class Cp1251Validator : public QValidator {
 public:
  explicit Cp1251Validator(QObject* parent, const QLineEdit* fitInto = nullptr)
      : QValidator(parent), fitInto_(fitInto) {}
  State validate(QString& input, int& pos) const override;

 private:
  const QLineEdit* fitInto_;
};

class QtDialogView : public QDialog, public DialogObserver {
  Q_OBJECT

 public:
  // When the view takes the model's texts, states and menu: at once, or at
  // the first SyncAll(), for a view built before the dialog's start-up,
  // which replaces most of them (the language) while the window is hidden.
  enum class Fill { Now, AtSyncAll };

  // Builds the widgets from the dialog's template and, with Fill::Now, the
  // current control state. The caller makes the view the dialog's observer
  // (QtHost::RunModal does).
  explicit QtDialogView(Dialog& dialog, QWidget* parent = nullptr, Fill fill = Fill::Now);
  ~QtDialogView() override;

  // DialogObserver
  void ControlChanged(int id) override;
  void WindowTextChanged() override;
  void MenuChanged() override;
  void PictureChanged() override;
  void FocusChanged(int id) override;
  void Ended(int result) override;

  // Brings every widget, the menu and the title in line with the model.
  void SyncAll();

  // Pixels per dialog unit across and down on this view's screen.
  double ScaleX() const { return scaleX_; }
  // A rectangle in dialog units as pixels of the dialog surface.
  QRect ToPixels(int x, int y, int w, int h) const;
  // The widget of a control (the up arrow's parent frame for a spin button);
  // nothing for a static text or group box that the view draws itself.
  QWidget* Widget(int id) const;
  // A static text or group box drawn on the surface: the text it shows, in
  // its lines as wrapped (a group box: its title), its box on the surface,
  // whether it shows enabled (greyed ones do not), in the warning colour,
  // and its tooltip. Nothing for a control with a widget.
  struct Drawn {
    QString text;
    QRect rect;
    bool enabled = true;
    bool warned = false;
    QString tooltip;
  };
  std::optional<Drawn> DrawnText(int id) const;
  // The widget holding the controls, below the menu bar.
  QWidget* Surface() const { return surface_; }
  QMenuBar* MenuBar() const { return menuBar_; }
  Dialog& Model() { return dialog_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 public slots:
  void reject() override;  // Escape and close belong to the model

 private:
  struct Entry {
    int index = 0;  // in the template
    QWidget* widget = nullptr;
    QToolButton* up = nullptr;  // spin buttons
    QToolButton* down = nullptr;
    // The model's bytes that the widget shows now: an unchanged caption,
    // tooltip or list is neither converted nor measured again.
    std::optional<std::string> caption;
    std::optional<std::string> tooltip;
    bool tipPending = false;  // the widget's tooltip not yet laid out
    std::optional<std::vector<std::string>> items;
    // A static text or group box without a widget, drawn by the surface.
    bool drawn = false;
    QRect rect;
    Qt::Alignment align;
    QString shown;  // the lines of a static text, the title of a group box
    bool enabled = true;
    bool warned = false;
  };

  // Building (QtDialogBuild.cpp).
  void Build();
  void MakeWidget(const ControlTemplate& t, const QRect& rect, Entry& entry);
  QWidget* MakeEdit(const ControlTemplate& t, Qt::Alignment align);
  QWidget* MakeButton(const ControlTemplate& t);
  QWidget* MakeComboBox(const ControlTemplate& t);
  QWidget* MakeListBox(const ControlTemplate& t);
  void MakeSpin(int id, const QRect& rect, Entry& entry);
  void BuildMenu();
  void FillMenu(QMenu* menu, const std::vector<MenuItem>& items);
  void ConnectCommand(QAction* action, const MenuItem& item);
  void SetLayoutSize();
  // Syncing (QtDialogSync.cpp).
  void Sync(Entry& entry);
  void SyncWidget(Entry& entry, const ControlTemplate& t, const Control& c, bool newCaption);
  // Drawing (QtDialogPictures.cpp).
  void PaintPicture(QPainter& painter);
  void PaintTexts(QPainter& painter, const QRect& dirty);
  void SetDrawnText(Entry& entry, const QString& text);
  void SyncDrawn(Entry& entry, const Control& c, bool newCaption);
  // Shows the tooltip of the drawn text under a point of the surface; false
  // when none is there.
  bool ShowDrawnTip(const QPoint& at, const QPoint& globalAt);
  QPixmap PicturePixmap(int id);
  // Mnemonics and accelerators (QtDialogShortcuts.cpp).
  void ShowButtonMnemonics();
  void BuildShortcuts();
  bool LeavesKeyToWindow(QObject* watched, QEvent* event) const;
  // The keyboard (QtDialogKeys.cpp).
  void OpenMenuBar();
  void LayOutTip(const QObject* watched);
  bool StepBuddy(const QWidget* focused, bool up);
  std::vector<QAbstractButton*> RadioGroupOf(std::size_t entryIndex) const;
  void SetRadioTabStop(std::size_t entryIndex);
  // The rest (QtDialogView.cpp).
  void Typed(int id, const QString& text);

  Dialog& dialog_;
  double scaleX_ = kDluX, scaleY_ = kDluY;
  QWidget* surface_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  std::vector<Entry> entries_;
  std::map<int, std::size_t> byId_;
  std::map<int, QPixmap> pictures_;
  bool syncing_ = false;
  bool waiting_ = false;  // Fill::AtSyncAll until the first SyncAll

  friend class DialogSurface;
};

}  // namespace velmora::ui
