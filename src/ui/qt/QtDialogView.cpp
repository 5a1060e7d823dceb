#include "ui/qt/QtDialogView.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QIcon>
#include <QIconEngine>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>
#include <algorithm>
#include <clocale>
#include <cmath>

#include "textfile/Cp1251.h"

namespace velmora::ui {

namespace {

// Tooltip settings of the program's windows.
constexpr int kTipShowDelayMs = 100;
constexpr int kTipHideDelayMs = 30000;
constexpr int kTipMaxWidthPx = 250;
const QColor kTipBackground(255, 240, 160);

// The style of the program's windows: the platform's, with tooltips that
// show after a short wait like the program's tooltip control, and group box
// frames drawn a band at a time (see drawPrimitive).
class DialogStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* ret) const override {
    if (hint == QStyle::SH_ToolTip_WakeUpDelay) return kTipShowDelayMs;
    return QProxyStyle::styleHint(hint, option, widget, ret);
  }

  // Fusion stretches a picture over the whole inside of a group box frame.
  // The raster engine hands a stretched draw of that many rows to worker
  // threads, which it starts for the first one: for the main window two
  // threads and some sixty hand-overs, dearer than the drawing itself. Drawn
  // in bands of fewer rows, clipped, the frame stays on this thread with
  // the very same pixels.
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element != PE_FrameGroupBox || !painter || !option) {
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      return;
    }
    const qreal scale = std::max<qreal>(1.0, painter->deviceTransform().mapRect(QRectF(0, 0, 1, 1)).height());
    const int band = std::max(1, static_cast<int>(kRowsPerBand / scale));
    const QRect all = option->rect;
    for (int top = all.top(); top <= all.bottom(); top += band) {
      painter->save();
      painter->setClipRect(QRect(all.left(), top, all.width(), band), Qt::IntersectClip);
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      painter->restore();
    }
  }

 private:
  // The raster engine blends up to 95 rows on the calling thread.
  static constexpr int kRowsPerBand = 64;
};

// The program's icon from its two images, 32 and 256 pixels square. Each
// image is read when a size of it is first asked for, not before: the
// window frame and the about box want the small one, and decoding the large
// one up front took a good part of the window's start-up.
class AppIconEngine : public QIconEngine {
 public:
  static constexpr int kSmall = 32;
  static constexpr int kLarge = 256;

  AppIconEngine(QString smallFile, QString largeFile)
      : smallFile_(std::move(smallFile)), largeFile_(std::move(largeFile)) {}

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    QSize actual = SourceSize(size);
    if (actual.width() > size.width() || actual.height() > size.height()) actual.scale(size, Qt::KeepAspectRatio);
    return actual;
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    const bool small = SourceSize(size).width() == kSmall;
    QPixmap& source = small ? small_ : large_;
    if (source.isNull()) source.load(small ? smallFile_ : largeFile_);
    QPixmap pm = source;
    const QSize actual = actualSize(size, mode, state);
    if (!pm.isNull() && pm.size() != actual) pm = pm.scaled(actual, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (mode != QIcon::Normal && !pm.isNull()) {  // disabled, active, selected: as the style draws them
      QStyleOption option;
      option.palette = QGuiApplication::palette();
      const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, pm, &option);
      if (!generated.isNull()) pm = generated;
    }
    return pm;
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal dpr = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    QPixmap pm = pixmap(rect.size() * dpr, mode, state);
    pm.setDevicePixelRatio(dpr);
    painter->drawPixmap(rect, pm);
  }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    if (!smallFile_.isEmpty()) sizes << QSize(kSmall, kSmall);
    if (!largeFile_.isEmpty()) sizes << QSize(kLarge, kLarge);
    return sizes;
  }

  bool isNull() override { return smallFile_.isEmpty() && largeFile_.isEmpty(); }
  QIconEngine* clone() const override { return new AppIconEngine(*this); }
  QString key() const override { return QStringLiteral("VelmoraAppIcon"); }

 private:
  // The small image up to its size, else the large one (either, when only
  // one is there).
  QSize SourceSize(const QSize& wanted) const {
    const bool small = !smallFile_.isEmpty() &&
                       (largeFile_.isEmpty() || (wanted.width() <= kSmall && wanted.height() <= kSmall));
    const int side = small ? kSmall : kLarge;
    return QSize(side, side);
  }

  QString smallFile_, largeFile_;
  QPixmap small_, large_;
};

// The program's icon from the linked resources; a null icon without them.
QIcon AppIcon() {
  const QString smallFile = QStringLiteral(":/velmora-32.png");
  const QString largeFile = QStringLiteral(":/velmora.png");
  const bool hasSmall = QFile::exists(smallFile), hasLarge = QFile::exists(largeFile);
  if (!hasSmall && !hasLarge) return {};
  return QIcon(new AppIconEngine(hasSmall ? smallFile : QString(), hasLarge ? largeFile : QString()));
}

// An editable combo box whose drop-down list is made when it first drops
// down. QComboBox::setEditable makes it at once under styles that show the
// list as a popup (Fusion among them), a popup window with its list view
// per combo box before the window has even been shown.
class EditableComboBox : public QComboBox {
 public:
  explicit EditableComboBox(QWidget* parent) : QComboBox(parent) {
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
    QComboBox::showPopup();
  }

 private:
  bool listPrepared_ = false;
};

// A static text's "&x" marks a mnemonic and "&&" stands for "&".
QString WithoutMnemonics(const QString& text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

// Breaks text into lines that fit the width (buttons and check boxes with
// the multi-line style).
QString Wrapped(const QString& text, const QFontMetrics& fm, int width) {
  if (width <= 0 || fm.horizontalAdvance(text) <= width) return text;
  const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
  QStringList lines;
  QString line;
  for (const QString& word : words) {
    const QString candidate = line.isEmpty() ? word : line + u' ' + word;
    if (!line.isEmpty() && fm.horizontalAdvance(candidate) > width) {
      lines << line;
      line = word;
    } else {
      line = candidate;
    }
  }
  if (!line.isEmpty()) lines << line;
  return lines.join(u'\n');
}

// The tooltip text: plain when it fits the maximum width, else rich text
// laid out at that width so that it wraps.
QString TipText(const QString& tip) {
  if (tip.isEmpty()) return {};
  const QFontMetrics fm(QToolTip::font());
  if (fm.horizontalAdvance(tip) <= kTipMaxWidthPx) return tip;
  return QStringLiteral("<table width=\"%1\"><tr><td>%2</td></tr></table>")
      .arg(kTipMaxWidthPx)
      .arg(tip.toHtmlEscaped());
}

// Static text breaks its lines at blanks only; a word longer than the box
// is cut off at its edge.
QStringList StaticLines(const QString& text, const QFontMetrics& fm, int width) {
  QStringList lines;
  QString plain = text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  for (const QString& paragraph : plain.split(u'\n')) lines << Wrapped(paragraph, fm, width).split(u'\n');
  return lines;
}

void SetStaticText(QLabel* label, const QString& text) {
  label->setText(StaticLines(text, label->fontMetrics(), label->contentsRect().width()).join(u'\n'));
}

// Whether a static text shows whole in its box: every line as wide as the
// box at most, and more than one line only where the box is tall enough.
bool FitsBox(const QString& text, const QFontMetrics& fm, const QSize& box) {
  const QStringList lines = StaticLines(text, fm, box.width());
  if (lines.size() > 1 && lines.size() * fm.lineSpacing() > box.height()) return false;
  return std::all_of(lines.begin(), lines.end(),
                     [&](const QString& line) { return fm.horizontalAdvance(line) <= box.width(); });
}

// The dialog font: the system's sans font with the metrics of the standard
// dialog font, 8 pt "MS Shell Dlg", for which the templates are made. Its
// average character (of the Latin alphabet) is 4 dialog units across, and
// its lines fit the 8 dialog units down of a one-line static text.
//
// Qt sizes fonts in whole pixels: this takes the largest size whose line
// and average character are no larger than that (within 5 %) and narrows
// it (QFont::setStretch) to the exact average width. A font whose Cyrillic
// is wider than its Latin (DejaVu Sans, for one) still overfills boxes made
// for the template's own captions; it is narrowed on until they all fit.
QFont DialogFont(const DialogTemplate& tmpl, double scaleX, double scaleY) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const double average = 4.0 * scaleX, lineHeight = 8.0 * scaleY;
  const auto averageOf = [&](const QFont& f) { return QFontMetricsF(f).horizontalAdvance(alphabet) / 52.0; };
  const int largest = std::max(1, static_cast<int>(std::lround(8.0 * 96.0 / 72.0 * scaleY / kDluY)));
  for (int px = largest; px >= 6; --px) {
    font.setPixelSize(px);
    if (QFontMetricsF(font).height() <= lineHeight && averageOf(font) <= average * 1.05) break;
  }
  const double natural = averageOf(font);
  double ratio = natural > average ? average / natural : 1.0;

  // The template's static texts in their boxes, measured once in this font
  // unnarrowed: the one-line boxes say how much narrower it must be.
  struct Caption {
    QString text;
    QSize box;
    int wide;  // unnarrowed, as one line
  };
  std::vector<Caption> captions;
  const QFontMetrics unnarrowed(font);
  for (const ControlTemplate& c : tmpl.controls) {
    if (c.kind != ControlKind::Static || c.text.empty()) continue;
    Caption caption{WithoutMnemonics(FromCp1251(c.text)),
                    QSize(static_cast<int>(std::lround(c.w * scaleX)), static_cast<int>(std::lround(c.h * scaleY))), 0};
    caption.wide = unnarrowed.horizontalAdvance(caption.text);
    const bool oneLine = caption.box.height() < 2 * unnarrowed.lineSpacing() && !caption.text.contains(u'\n');
    if (oneLine && caption.wide > caption.box.width()) ratio = std::min(ratio, double(caption.box.width()) / caption.wide);
    captions.push_back(std::move(caption));
  }

  // Narrowing is not quite in proportion (Qt may take a condensed face of
  // the family instead): the texts that come close are checked in the font
  // itself, which is narrowed on while one of them does not fit.
  constexpr int kNarrowest = 75;  // per cent
  int stretch = std::max(kNarrowest, static_cast<int>(100.0 * ratio));
  font.setStretch(stretch);
  while (stretch > kNarrowest) {
    const QFontMetrics fm(font);
    int next = stretch;
    for (const Caption& c : captions) {
      if (c.wide * stretch <= 90 * c.box.width() || FitsBox(c.text, fm, c.box)) continue;
      const int wide = fm.horizontalAdvance(c.text);
      next = std::min({next, stretch - 1, wide > 0 ? stretch * c.box.width() / wide : next});
    }
    if (next == stretch) break;
    stretch = std::max(next, kNarrowest);
    font.setStretch(stretch);
  }
  return font;
}

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
  if (edit->text() == state.text && edit->cursorPosition() == state.caret &&
      edit->selectionStart() == state.selStart && edit->selectionLength() == state.selLength)
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

}  // namespace

// The surface that holds the controls and draws the picture under them.
class DialogSurface : public QWidget {
 public:
  DialogSurface(QtDialogView* view, QWidget* parent) : QWidget(parent), view_(view) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    view_->PaintPicture(painter);
    view_->PaintTexts(painter, event->rect());
  }

 private:
  QtDialogView* view_;
};

void InitQtApplication() {
  std::setlocale(LC_NUMERIC, "C");
  if (!qApp) return;
  if (const QIcon icon = AppIcon(); !icon.isNull()) QApplication::setWindowIcon(icon);
  QPalette tip = QToolTip::palette();
  tip.setColor(QPalette::ToolTipBase, kTipBackground);
  tip.setColor(QPalette::ToolTipText, Qt::black);
  QToolTip::setPalette(tip);
  if (!dynamic_cast<DialogStyle*>(QApplication::style()))
    QApplication::setStyle(new DialogStyle(QApplication::style()->name()));
}

QString FromCp1251(std::string_view cp1251) { return QString::fromStdString(Cp1251ToUtf8(cp1251)); }

std::optional<std::string> ToCp1251(const QString& text) { return Utf8ToCp1251(text.toStdString()); }

QValidator::State Cp1251Validator::validate(QString& input, int&) const {
  if (!ToCp1251(input)) return Invalid;
  if (fitInto_) {
    QStyleOptionFrame option;
    option.initFrom(fitInto_);
    option.rect = fitInto_->rect();
    option.lineWidth = fitInto_->hasFrame() ? fitInto_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    const QRect contents = fitInto_->style()->subElementRect(QStyle::SE_LineEditContents, &option, fitInto_);
    const QMargins margins = fitInto_->textMargins();
    const int room = contents.width() - margins.left() - margins.right() - 2 * 2 /* the edit's inner margin */ - 1;
    // Text the program put there may be wider already: the user can still
    // shorten it, only not widen it past the box.
    const QFontMetrics fm = fitInto_->fontMetrics();
    const int width = fm.horizontalAdvance(input);
    if (width > room && width > fm.horizontalAdvance(fitInto_->text())) return Invalid;
  }
  return Acceptable;
}

QtDialogView::QtDialogView(Dialog& dialog, QWidget* parent, Fill fill)
    : QDialog(parent), dialog_(dialog), waiting_(fill == Fill::AtSyncAll) {
  const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
  scaleX_ = kDluX * dpi / 96.0;
  scaleY_ = kDluY * (screen ? screen->logicalDotsPerInchY() : 96.0) / 96.0;

  const DialogTemplate& tmpl = dialog_.Template();
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
  if (tmpl.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  setWindowFlags(flags);
  setSizeGripEnabled(false);
  if (const QIcon icon = AppIcon(); !icon.isNull()) setWindowIcon(icon);
  setFont(DialogFont(tmpl, scaleX_, scaleY_));

  surface_ = new DialogSurface(this, this);
  Build();
  if (!waiting_) {
    BuildMenu();
    SyncAll();
    WindowTextChanged();
  }

  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    for (QWidget* w = now; w && w != this; w = w->parentWidget()) {
      for (const auto& [id, i] : byId_) {
        if (entries_[i].widget == w) {
          if (dialog_.FocusItem() != id && !syncing_) {
            syncing_ = true;
            dialog_.SetFocusItem(id);
            syncing_ = false;
          }
          return;
        }
      }
    }
  });
}

QtDialogView::~QtDialogView() {
  if (dialog_.Observer() == this) dialog_.SetObserver(nullptr);
  // The widgets go before the members their handlers use: nothing they or
  // the application signal while being torn down may reach this view.
  syncing_ = true;
  QObject::disconnect(qApp, nullptr, this, nullptr);
  for (QObject* child : findChildren<QObject*>()) QObject::disconnect(child, nullptr, this, nullptr);
  delete surface_;
  surface_ = nullptr;
}

QRect QtDialogView::ToPixels(int x, int y, int w, int h) const {
  return QRect(static_cast<int>(std::lround(x * scaleX_)), static_cast<int>(std::lround(y * scaleY_)),
               static_cast<int>(std::lround(w * scaleX_)), static_cast<int>(std::lround(h * scaleY_)));
}

QWidget* QtDialogView::Widget(int id) const {
  auto it = byId_.find(id);
  return it == byId_.end() ? nullptr : entries_[it->second].widget;
}

void QtDialogView::Build() {
  const std::vector<ControlTemplate>& controls = dialog_.Template().controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlTemplate& t = controls[i];
    const int id = t.id;
    const QRect rect = ToPixels(t.x, t.y, t.w, t.h);
    const QString caption = FromCp1251(t.text);
    Entry entry;
    entry.index = static_cast<int>(i);
    Qt::Alignment align = (t.style & kCenter) ? Qt::AlignHCenter : (t.style & kRight) ? Qt::AlignRight : Qt::AlignLeft;

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
      case ControlKind::Edit: {
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
          entry.widget = edit;
        } else {
          auto* edit = new QLineEdit(surface_);
          edit->setAlignment(align | Qt::AlignVCenter);
          edit->setReadOnly((t.style & kReadOnly) != 0);
          edit->setValidator(new Cp1251Validator(edit, (t.style & kAutoHScroll) ? nullptr : edit));
          connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) { Typed(id, text); });
          entry.widget = edit;
        }
        break;
      }
      case ControlKind::Button: {
        auto* button = new QPushButton(surface_);
        button->setAutoDefault(false);
        button->setDefault((t.style & kDefault) != 0);
        connect(button, &QPushButton::clicked, this, [this, id] { dialog_.UserClick(id); });
        entry.widget = button;
        break;
      }
      case ControlKind::CheckBox: {
        auto* box = new QCheckBox(surface_);
        connect(box, &QCheckBox::clicked, this, [this, id] {
          dialog_.UserClick(id);
          ControlChanged(id);  // the model toggles; the widget shows its state
        });
        entry.widget = box;
        break;
      }
      case ControlKind::RadioButton: {
        auto* radio = new QRadioButton(surface_);
        radio->setAutoExclusive(false);
        connect(radio, &QRadioButton::clicked, this, [this, id] {
          dialog_.UserClick(id);
          ControlChanged(id);
        });
        entry.widget = radio;
        break;
      }
      case ControlKind::ComboBox: {
        const bool editable = !(t.style & kDropDownList);
        QComboBox* combo = editable ? new EditableComboBox(surface_) : new QComboBox(surface_);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setMaxVisibleItems(20);
        if (editable) {
          combo->setCompleter(nullptr);
          combo->lineEdit()->setValidator(new Cp1251Validator(combo->lineEdit()));
          connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, id](const QString& text) { Typed(id, text); });
        }
        connect(combo, &QComboBox::activated, this, [this, id](int index) {
          dialog_.UserSelect(id, index);
          ControlChanged(id);
        });
        entry.widget = combo;
        break;
      }
      case ControlKind::ListBox: {
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
        connect(list, &QListWidget::itemDoubleClicked, this, [this, id, list](QListWidgetItem* item) {
          dialog_.UserDoubleClick(id, list->row(item));
        });
        entry.widget = list;
        break;
      }
      case ControlKind::Spin: {
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
        break;
      }
      case ControlKind::GroupBox:
        entry.drawn = true;
        break;
    }
    QRect geometry = rect;
    if (t.kind == ControlKind::ComboBox)  // the template gives the dropped height
      geometry.setHeight(std::min(entry.widget->sizeHint().height(), std::max(rect.height(), ToPixels(0, 0, 0, 12).height())));
    if (entry.widget) entry.widget->setGeometry(geometry);
    entry.rect = geometry;
    entry.enabled = !(t.style & kDisabled);
    // The template's caption; a control with an ID that waits for SyncAll
    // takes the model's there.
    if ((t.kind == ControlKind::Static || t.kind == ControlKind::GroupBox) && (!waiting_ || id == IDC_STATIC)) {
      if (entry.drawn) SetDrawnText(entry, caption);
      else SetStaticText(static_cast<QLabel*>(entry.widget), WithoutMnemonics(caption));
      entry.caption = t.text;
    }
    if (id != IDC_STATIC) byId_.emplace(id, entries_.size());
    entries_.push_back(entry);
  }
}

void QtDialogView::SetDrawnText(Entry& entry, const QString& text) {
  const ControlTemplate& t = dialog_.Template().controls[static_cast<std::size_t>(entry.index)];
  entry.shown = t.kind == ControlKind::GroupBox
                    ? text
                    : StaticLines(WithoutMnemonics(text), surface_->fontMetrics(), entry.rect.width()).join(u'\n');
  surface_->update(entry.rect);
}

std::optional<QtDialogView::Drawn> QtDialogView::DrawnText(int id) const {
  auto it = byId_.find(id);
  if (it == byId_.end() || !entries_[it->second].drawn) return std::nullopt;
  const Entry& entry = entries_[it->second];
  return Drawn{entry.shown, entry.rect, entry.enabled};
}

// Group boxes and static texts without a widget: the frames as QGroupBox
// draws them, then each text as QLabel does, clipped to its box. The
// controls lie above them all.
void QtDialogView::PaintTexts(QPainter& painter, const QRect& dirty) {
  const std::vector<ControlTemplate>& controls = dialog_.Template().controls;
  QStyle* style = surface_->style();
  for (const Entry& entry : entries_) {
    if (!entry.drawn || controls[static_cast<std::size_t>(entry.index)].kind != ControlKind::GroupBox) continue;
    if (!entry.rect.intersects(dirty)) continue;
    QStyleOptionGroupBox option;
    option.initFrom(surface_);
    option.rect = QRect(QPoint(0, 0), entry.rect.size());  // the style places the title by a frame at 0,0
    option.text = entry.shown;
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.textAlignment = Qt::AlignLeft;
    option.subControls = QStyle::SC_GroupBoxFrame;
    if (!entry.shown.isEmpty()) option.subControls |= QStyle::SC_GroupBoxLabel;
    if (!entry.enabled) option.state &= ~QStyle::State_Enabled;
    option.textColor = QColor(style->styleHint(QStyle::SH_GroupBox_TextLabelColor, &option, nullptr));
    painter.save();
    painter.translate(entry.rect.topLeft());
    style->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, nullptr);
    painter.restore();
  }
  const QPalette& palette = surface_->palette();
  for (const Entry& entry : entries_) {
    if (!entry.drawn || entry.shown.isEmpty() ||
        controls[static_cast<std::size_t>(entry.index)].kind != ControlKind::Static || !entry.rect.intersects(dirty))
      continue;
    painter.save();
    painter.setClipRect(entry.rect, Qt::IntersectClip);
    painter.setPen(palette.color(entry.enabled ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    style->drawItemText(&painter, entry.rect, static_cast<int>(entry.align), palette, entry.enabled, entry.shown,
                        QPalette::WindowText);
    painter.restore();
  }
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
  for (const MenuItem& item : menu) {
    if (!item.popup.empty() || item.isPopup) {
      QMenu* sub = new QMenu(FromCp1251(item.text), menuBar_);
      FillMenu(sub, item.popup);
      menuBar_->addMenu(sub);
    } else {
      ConnectCommand(menuBar_->addAction(FromCp1251(item.text)), item);
    }
  }
  SetLayoutSize();
}

void QtDialogView::FillMenu(QMenu* menu, const std::vector<MenuItem>& items) {
  for (const MenuItem& item : items) {
    if (!item.popup.empty() || item.isPopup) {
      FillMenu(menu->addMenu(FromCp1251(item.text)), item.popup);
      continue;
    }
    if (item.text.empty() && item.id == 0) {
      menu->addSeparator();
      continue;
    }
    ConnectCommand(menu->addAction(FromCp1251(item.text)), item);
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
  connect(action, &QAction::triggered, this, [this, id] { dialog_.UserMenu(id); }, Qt::QueuedConnection);
}

void QtDialogView::SetLayoutSize() {
  const DialogTemplate& tmpl = dialog_.Template();
  const QRect client = ToPixels(0, 0, tmpl.w, tmpl.h);
  const int menuHeight = menuBar_ ? menuBar_->sizeHint().height() : 0;
  if (menuBar_) menuBar_->setGeometry(0, 0, client.width(), menuHeight);
  surface_->setGeometry(0, menuHeight, client.width(), client.height());
  setFixedSize(client.width(), client.height() + menuHeight);
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
  QWidget* w = entry.widget;
  // Captions change only through here: one that is the same as shown needs
  // no work (wrapping measures the text).
  const bool newCaption = entry.caption != c->text;
  if (newCaption) entry.caption = c->text;
  if (entry.drawn) {  // no tooltips on these
    if (newCaption) SetDrawnText(entry, FromCp1251(c->text));
    if (entry.enabled != c->enabled) {
      entry.enabled = c->enabled;
      surface_->update(entry.rect);
    }
    syncing_ = false;
    return;
  }
  w->setEnabled(c->enabled);
  if (entry.tooltip != c->tooltip) {
    entry.tooltip = c->tooltip;
    if (!c->tooltip.empty()) {
      w->setToolTip(TipText(FromCp1251(c->tooltip)));
      w->setToolTipDuration(kTipHideDelayMs);
    } else {
      w->setToolTip({});
    }
  }
  switch (t.kind) {
    case ControlKind::Static:
      if (newCaption) SetStaticText(static_cast<QLabel*>(w), WithoutMnemonics(FromCp1251(c->text)));
      break;
    case ControlKind::Picture:
      break;
    case ControlKind::Edit:
      // The user types into edits: compare with what the widget holds.
      if (auto* line = qobject_cast<QLineEdit*>(w)) {
        if (ToCp1251(line->text()) != c->text) SetTextKeepingCaret(line, FromCp1251(c->text));
      } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        QString shown = FromCp1251(c->text);
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (plain->toPlainText() != shown) plain->setPlainText(shown);
      }
      break;
    case ControlKind::Button:
      if (newCaption) {
        auto* button = static_cast<QPushButton*>(w);
        const QString text = FromCp1251(c->text);
        button->setText((t.style & kMultiline) ? Wrapped(text, button->fontMetrics(), w->width() - 6) : text);
      }
      break;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton: {
      auto* button = static_cast<QAbstractButton*>(w);
      if (newCaption) {
        const QString text = FromCp1251(c->text);
        const int indicator = w->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 6;
        button->setText((t.style & kMultiline) ? Wrapped(text, button->fontMetrics(), w->width() - indicator) : text);
      }
      button->setChecked(c->check != 0);
      break;
    }
    case ControlKind::ComboBox: {
      auto* combo = static_cast<QComboBox*>(w);
      const QSignalBlocker block(combo);
      // Refilling the list or moving the index rewrites an editable box's
      // field (index -1 empties it). What the user typed, with its caret and
      // selection, must come out as it went in: a keystroke that the model
      // takes as typed changes nothing the user sees.
      QLineEdit* field = combo->lineEdit();
      const std::optional<FieldState> before = field ? std::optional(SaveField(field)) : std::nullopt;
      if (entry.items != c->items) {  // the list is the model's alone
        entry.items = c->items;
        combo->clear();
        combo->addItems(FromCp1251List(c->items));
      }
      if (combo->currentIndex() != c->curSel) combo->setCurrentIndex(c->curSel);
      if (field) {
        const QSignalBlocker blockEdit(field);
        const QString text = FromCp1251(c->text);
        if (before->text == text) {
          RestoreField(field, *before);
        } else if (field->text() != text) {
          field->setText(text);
          field->setCursorPosition(std::min<int>(before->caret, static_cast<int>(text.size())));
        }
      }
      break;
    }
    case ControlKind::ListBox: {
      auto* list = static_cast<QListWidget*>(w);
      if (entry.items != c->items) {
        entry.items = c->items;
        list->clear();
        list->addItems(FromCp1251List(c->items));
      }
      if (list->currentRow() != c->curSel) {
        list->setCurrentRow(c->curSel);
        if (c->curSel < 0) list->clearSelection();
      }
      break;
    }
    case ControlKind::Spin: {
      const int lo = std::min(c->rangeLo, c->rangeHi), hi = std::max(c->rangeLo, c->rangeHi);
      const bool upMovesUp = c->rangeHi >= c->rangeLo;
      entry.up->setEnabled(c->enabled && (upMovesUp ? c->pos < hi : c->pos > lo));
      entry.down->setEnabled(c->enabled && (upMovesUp ? c->pos > lo : c->pos < hi));
      break;
    }
    case ControlKind::GroupBox:  // drawn, above
      break;
  }
  syncing_ = false;
}

void QtDialogView::Typed(int id, const QString& text) {
  if (syncing_) return;
  const std::optional<std::string> cp = ToCp1251(text);
  if (!cp) {  // the validator lets none through; keep the model's text if one slips by
    ControlChanged(id);
    return;
  }
  dialog_.UserType(id, *cp);
}

void QtDialogView::WindowTextChanged() {
  if (!waiting_) setWindowTitle(FromCp1251(dialog_.WindowText()));
}

void QtDialogView::MenuChanged() {
  if (!waiting_) BuildMenu();
}

void QtDialogView::PictureChanged() {
  const Dialog::Rect r = dialog_.PictureRect();
  surface_->update(ToPixels(r.left, r.top, r.right - r.left, r.bottom - r.top));
}

void QtDialogView::FocusChanged(int id) {
  if (syncing_) return;
  if (QWidget* w = Widget(id)) w->setFocus(Qt::OtherFocusReason);
}

void QtDialogView::Ended(int result) {
  if (isVisible()) QDialog::done(result);
}

QPixmap QtDialogView::PicturePixmap(int id) {
  auto it = pictures_.find(id);
  if (it != pictures_.end()) return it->second;
  const QString base = QStringLiteral(":/core%1").arg(id);
  QPixmap pixmap;
  if (devicePixelRatioF() > 1.0 && QFile::exists(base + QStringLiteral("@2x.png"))) {
    pixmap.load(base + QStringLiteral("@2x.png"));
    pixmap.setDevicePixelRatio(2.0);
  } else {
    pixmap.load(base + QStringLiteral(".png"));
  }
  pictures_.emplace(id, pixmap);
  return pixmap;
}

void QtDialogView::PaintPicture(QPainter& painter) {
  const int id = dialog_.PictureId();
  if (id == 0) return;
  const QPixmap pixmap = PicturePixmap(id);
  if (pixmap.isNull()) return;
  const Dialog::Rect r = dialog_.PictureRect();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(ToPixels(r.left, r.top, r.right - r.left, r.bottom - r.top), pixmap);
}

void QtDialogView::keyPressEvent(QKeyEvent* event) {
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
    default:
      QWidget::keyPressEvent(event);
  }
}

void QtDialogView::closeEvent(QCloseEvent* event) {
  event->ignore();  // the model decides with EndDialog
  if (!dialog_.IsEnded()) dialog_.UserClose();
}

void QtDialogView::reject() {}

bool QtDialogView::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) dialog_.UserActivate(true);
  else if (event->type() == QEvent::WindowDeactivate) dialog_.UserActivate(false);
  return QDialog::event(event);
}

}  // namespace velmora::ui
