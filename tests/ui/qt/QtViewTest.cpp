// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt view of a small dialog on the offscreen platform: geometry, texts
// converted from Windows-1251, and the traffic between widgets and model.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>

#include "ui/qt/QtDialogView.h"
#include "ui/qt/QtHost.h"
#include "support/QtApp.h"

namespace velmora::test {
namespace {

using ui::ControlKind;

ui::ControlTemplate Ctl(int id, ControlKind kind, std::string text, int x, int y, int w, int h,
                        std::uint32_t style = 0) {
  return {id, kind, std::move(text), x, y, w, h, style};
}

// Windows-1251 captions and their Qt text.
const char* const kFreqCp = "\xD7\xE0\xF1\xF2\xEE\xF2\xE0";  // "Частота"
const char* const kTitleCp = "\xCF\xF0\xEE\xE2\xE5\xF0\xEA\xE0";  // "Проверка"

ui::DialogTemplate ViewTemplate() {
  ui::DialogTemplate t;
  t.title = kTitleCp;
  t.w = 200;
  t.h = 100;
  t.minimizeBox = true;
  t.controls = {
      Ctl(107, ControlKind::GroupBox, "\xC3\xF0\xF3\xEF\xEF\xE0", 4, 2, 150, 60),  // "Группа"
      Ctl(100, ControlKind::Static, kFreqCp, 10, 12, 40, 8),
      Ctl(101, ControlKind::Edit, "", 60, 10, 30, 12, ui::kCenter | ui::kStaticEdge),
      Ctl(106, ControlKind::Spin, "", 90, 10, 11, 12),
      Ctl(102, ControlKind::Edit, "", 60, 26, 80, 12, ui::kAutoHScroll | ui::kDisabled),
      Ctl(103, ControlKind::CheckBox, "\xD4\xEB\xE0\xE6\xEE\xEA", 10, 42, 60, 10),  // "Флажок"
      Ctl(104, ControlKind::ComboBox, "", 10, 66, 80, 40, ui::kSorted | ui::kDropDown),
      Ctl(ui::IDOK, ControlKind::Button, "\xCE\xCA", 100, 80, 40, 14, ui::kDefault),  // "ОК"
      Ctl(ui::IDCANCEL, ControlKind::Button, "Cancel", 150, 80, 40, 14),
  };
  t.menu = {{0, "\xDF\xE7\xFB\xEA", false, {{501, "English", true, {}, false}}, true}};  // "Язык"
  return t;
}

// A model with the main window's frequency rule on edit 101.
class Model : public ui::Dialog {
 public:
  explicit Model(ui::DialogHost& host, bool endAtInit = false)
      : ui::Dialog(ViewTemplate(), host), endAtInit_(endAtInit) {}
  std::vector<std::string> log;
  std::string freq;

  bool OnInitDialog() override {
    ui::Dialog::OnInitDialog();
    if (endAtInit_) EndDialog(ui::IDCANCEL);
    return true;
  }
  void DoDataExchange(ui::DataExchange& dx) override { dx.Text(101, freq); }
  void OnCommand(int id, ui::Notify code) override {
    log.push_back("cmd " + std::to_string(id));
    if (id == 101 && code == ui::Notify::Change) {
      UpdateData(true);
      std::replace(freq.begin(), freq.end(), ',', '.');
      UpdateData(false);
    }
    ui::Dialog::OnCommand(id, code);
  }
  void OnCmdMsg(int id) override { log.push_back("cmdmsg " + std::to_string(id)); }
  int PictureId() const override { return picture; }
  Rect PictureRect() const override { return {110, 10, 160, 50}; }
  int picture = 0;
  void OnVScroll(int id, ui::ScrollCode code) override {
    if (code == ui::ScrollCode::ThumbPosition) log.push_back("vscroll " + std::to_string(id));
  }

 private:
  bool endAtInit_;
};

class QtViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::QtApp::Start();
    ui::InitQtApplication();
  }
  static void TearDownTestSuite() { test::QtApp::Stop(); }
  static void Type(QWidget* w, const QString& text) {
    for (QChar ch : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(w, &press);
    }
  }
  static void Key(QWidget* w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
  }
  ui::QtHost host;
};

TEST_F(QtViewTest, PlacesControlsByDialogUnitsWithConvertedCaptions) {
  Model model(host);
  ui::QtDialogView view(model);
  model.SetObserver(&view);
  model.Create();

  const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
  const double sx = 1.5 * dpi / 96.0;
  const double sy = 1.625 * QGuiApplication::primaryScreen()->logicalDotsPerInchY() / 96.0;
  EXPECT_DOUBLE_EQ(view.ScaleX(), sx);
  EXPECT_EQ(view.Widget(101)->geometry(),
            QRect(std::lround(60 * sx), std::lround(10 * sy), std::lround(30 * sx), std::lround(12 * sy)));
  EXPECT_EQ(view.Widget(ui::IDOK)->geometry(),
            QRect(std::lround(100 * sx), std::lround(80 * sy), std::lround(40 * sx), std::lround(14 * sy)));
  EXPECT_EQ(view.Surface()->size(), QSize(std::lround(200 * sx), std::lround(100 * sy)));
  EXPECT_EQ(view.minimumSize(), view.maximumSize());  // fixed size
  EXPECT_TRUE(view.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(view.windowFlags() & Qt::WindowMaximizeButtonHint);

  EXPECT_EQ(view.windowTitle(), QString::fromUtf8("Проверка"));
  // Static texts and group boxes are drawn by the view, not widgets.
  EXPECT_EQ(view.Widget(100), nullptr);
  EXPECT_EQ(view.Widget(107), nullptr);
  ASSERT_TRUE(view.DrawnText(100));
  EXPECT_FALSE(view.DrawnText(101));
  EXPECT_EQ(view.DrawnText(100)->rect, view.ToPixels(10, 12, 40, 8));
  EXPECT_EQ(view.DrawnText(100)->text, QString::fromUtf8("Частота"));
  // Static text breaks at blanks only, never inside "A/mm2".
  model.SetItemText(100, "A/mm2/A/mm2/A/mm2");
  EXPECT_EQ(view.DrawnText(100)->text, QStringLiteral("A/mm2/A/mm2/A/mm2"));
  model.SetItemText(100, "one two three four five six");
  EXPECT_EQ(view.DrawnText(100)->text.split(u'\n').join(u' '), QStringLiteral("one two three four five six"));
  EXPECT_GT(view.DrawnText(100)->text.count(u'\n'), 0);
  model.EnableItem(100, false);
  EXPECT_FALSE(view.DrawnText(100)->enabled);
  model.EnableItem(100, true);
  EXPECT_EQ(view.DrawnText(107)->text, QString::fromUtf8("Группа"));
  EXPECT_EQ(static_cast<QPushButton*>(view.Widget(ui::IDOK))->text(), QString::fromUtf8("ОК"));
  EXPECT_TRUE(static_cast<QPushButton*>(view.Widget(ui::IDOK))->isDefault());
  ASSERT_NE(view.MenuBar(), nullptr);
  ASSERT_EQ(view.MenuBar()->actions().size(), 1);
  EXPECT_EQ(view.MenuBar()->actions()[0]->text(), QString::fromUtf8("&Язык"));  // with its mnemonic

  // Enabled states follow the model.
  EXPECT_FALSE(view.Widget(102)->isEnabled());
  model.EnableItem(102, true);
  EXPECT_TRUE(view.Widget(102)->isEnabled());
  model.EnableItem(101, false);
  EXPECT_FALSE(view.Widget(101)->isEnabled());
  model.EnableItem(101, true);

  view.show(); QApplication::processEvents();
  model.AddTool(101, "\xCF\xEE\xE4\xF1\xEA\xE0\xE7\xEA\xE0");  // "Подсказка"
  EXPECT_EQ(view.Widget(101)->toolTip(), QString::fromUtf8("Подсказка"));
  EXPECT_EQ(view.Widget(101)->toolTipDuration(), 30000);
  // A long one shows laid out to wrap.
  std::string longTip;
  for (int i = 0; i < 30; ++i) longTip += "word ";
  model.AddTool(101, longTip);
  QHelpEvent help(QEvent::ToolTip, QPoint(1, 1), view.Widget(101)->mapToGlobal(QPoint(1, 1)));
  QApplication::sendEvent(view.Widget(101), &help);
  EXPECT_TRUE(view.Widget(101)->toolTip().startsWith(QStringLiteral("<table")))
      << view.Widget(101)->toolTip().toStdString();
  QToolTip::hideText();
}

TEST_F(QtViewTest, TypingReachesTheModelAndModelTextsReachTheWidgets) {
  Model model(host);
  ui::QtDialogView view(model);
  model.SetObserver(&view);
  model.Create();
  auto* edit = static_cast<QLineEdit*>(view.Widget(101));

  model.log.clear();
  Type(edit, QStringLiteral("1,5"));
  EXPECT_EQ(model.GetItemText(101), "1.5");  // the model's rule rewrote the typed comma
  EXPECT_EQ(edit->text(), QStringLiteral("1.5"));
  EXPECT_EQ(edit->cursorPosition(), 3);
  EXPECT_EQ(model.freq, "1.5");

  model.SetItemText(101, "\xC6");  // "Ж"
  EXPECT_EQ(edit->text(), QString::fromUtf8("Ж"));

  // The validator keeps out what Windows-1251 cannot hold, and text that
  // would not fit an edit without horizontal scrolling.
  int pos = 0;
  QString umlaut = QString::fromUtf8("ä");
  EXPECT_EQ(edit->validator()->validate(umlaut, pos), QValidator::Invalid);
  QString cyrillic = QString::fromUtf8("Жж€");
  EXPECT_EQ(edit->validator()->validate(cyrillic, pos), QValidator::Acceptable);
  QString longText = QStringLiteral("1234567890123456789012345");
  EXPECT_EQ(edit->validator()->validate(longText, pos), QValidator::Invalid);
  model.SetItemText(101, "12345678901234567890");  // the program may overfill the box,
  QString shorter = QStringLiteral("1234567890123456789");  // and the user may shorten it
  EXPECT_EQ(edit->validator()->validate(shorter, pos), QValidator::Acceptable);
  EXPECT_EQ(edit->validator()->validate(longText, pos), QValidator::Invalid);
  model.SetItemText(101, "\xC6");
  auto* wide = static_cast<QLineEdit*>(view.Widget(102));
  EXPECT_EQ(wide->validator()->validate(longText, pos), QValidator::Acceptable);
  const std::size_t before = model.log.size();
  Type(edit, umlaut);
  EXPECT_EQ(model.GetItemText(101), "\xC6");
  EXPECT_EQ(model.log.size(), before);

  // Check box: the model toggles, the widget shows it.
  auto* box = static_cast<QCheckBox*>(view.Widget(103));
  box->click();
  EXPECT_EQ(model.GetCheck(103), 1);
  EXPECT_TRUE(box->isChecked());
  model.SetCheck(103, 0);
  EXPECT_FALSE(box->isChecked());

  // Combo: items sorted by the model, a pick goes to the model.
  model.AddString(104, "b");
  model.AddString(104, "A");
  auto* combo = static_cast<QComboBox*>(view.Widget(104));
  ASSERT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->itemText(0), QStringLiteral("A"));
  combo->setCurrentIndex(1);  // a pick: the box shows the entry, then tells
  emit combo->activated(1);
  EXPECT_EQ(model.GetCurSel(104), 1);
  EXPECT_EQ(combo->currentText(), QStringLiteral("b"));
  Type(combo->lineEdit(), QStringLiteral("x"));
  EXPECT_EQ(model.GetItemText(104), "bx");
  EXPECT_EQ(model.GetCurSel(104), -1);

  // Spin arrows step the model.
  model.SetSpinRange(106, 0, 5);
  model.log.clear();
  view.Widget(106)->findChildren<QToolButton*>()[0]->click();
  EXPECT_EQ(model.GetSpinPos(106), 1);
  EXPECT_EQ(model.log, std::vector<std::string>{"vscroll 106"});

  // Menu commands reach the model through OnCmdMsg.
  model.log.clear();
  view.MenuBar()->actions()[0]->menu()->actions()[0]->trigger();
  QApplication::processEvents();
  EXPECT_EQ(model.log, (std::vector<std::string>{"cmdmsg 501", "cmd 501"}));
  EXPECT_TRUE(view.MenuBar()->actions()[0]->menu()->actions()[0]->isChecked());
  model.FindMenuItem(501)->checked = false;
  model.DrawMenuBar();
  EXPECT_FALSE(view.MenuBar()->actions()[0]->menu()->actions()[0]->isChecked());

  // Escape and the close box go to the model, which ends the dialog.
  EXPECT_FALSE(model.IsEnded());
  Key(&view, Qt::Key_Escape);
  EXPECT_TRUE(model.IsEnded());
  EXPECT_EQ(model.Result(), ui::IDCANCEL);
}

TEST_F(QtViewTest, HostRunsDialogsModallyAndShowsBoxes) {
  Model ended(host, true);  // ends during start-up: never shown
  EXPECT_EQ(ended.DoModal(), ui::IDCANCEL);

  Model model(host);
  QString boxTitle;
  QTimer::singleShot(0, [&] {
    // Enter in the running window: the default button; the box it could
    // raise is answered by Cancel.
    QTimer::singleShot(0, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        boxTitle = box->windowTitle();
        box->button(QMessageBox::Cancel)->click();
      }
    });
    const int answer = model.MessageBox("?", kTitleCp, ui::MbType::OkCancel);
    model.log.push_back(answer == ui::IDCANCEL ? "cancelled" : "ok");
    Key(QApplication::activeModalWidget(), Qt::Key_Return);
  });
  EXPECT_EQ(model.DoModal(), ui::IDOK);
  EXPECT_EQ(boxTitle, QString::fromUtf8("Проверка"));
  EXPECT_NE(std::find(model.log.begin(), model.log.end(), "cancelled"), model.log.end());
  EXPECT_EQ(model.Observer(), nullptr);
}

// The boxes' OK and Cancel speak the interface language, asked anew at each
// box; an empty text leaves Qt's own.
TEST_F(QtViewTest, MessageBoxButtonsTakeTheTextsOfTheInterfaceLanguage) {
  Model model(host);
  std::string ok = "\xCE\xCA", cancel = "\xCE\xF2\xEC\xE5\xED\xE0";  // "ОК", "Отмена"
  host.SetButtonTexts([&] { return ui::QtHost::ButtonTexts{ok, cancel}; });
  QStringList shown;
  const auto answer = [&](QMessageBox::StandardButton press) {
    QTimer::singleShot(0, [&shown, press] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      for (QAbstractButton* button : box->buttons()) shown << button->text();
      box->button(press)->click();
    });
  };
  answer(QMessageBox::Cancel);
  EXPECT_EQ(model.MessageBox("?", kTitleCp, ui::MbType::OkCancel), ui::IDCANCEL);
  shown.sort();
  EXPECT_EQ(shown, (QStringList{QString::fromUtf8("ОК"), QString::fromUtf8("Отмена")}));

  shown.clear();
  ok = "Fine";
  answer(QMessageBox::Ok);
  EXPECT_EQ(model.MessageBox("!", kTitleCp), ui::IDOK);
  EXPECT_EQ(shown, QStringList{"Fine"});

  shown.clear();
  ok.clear();
  answer(QMessageBox::Ok);
  EXPECT_EQ(model.MessageBox("!", kTitleCp), ui::IDOK);
  ASSERT_EQ(shown.size(), 1);
  EXPECT_EQ(shown[0].remove(u'&'), QStringLiteral("OK"));
}

TEST_F(QtViewTest, DrawsThePictureFromTheLinkedResources) {
  if (!std::filesystem::exists(std::filesystem::path(VELMORA_SOURCE_DIR) / "res" / "velmora.qrc"))
    GTEST_SKIP() << "no resource file in this tree";
  EXPECT_TRUE(QFile::exists(QStringLiteral(":/velmora.png")));
  EXPECT_FALSE(QApplication::windowIcon().isNull());

  Model model(host);
  ui::QtDialogView view(model);
  model.SetObserver(&view);
  const QRect rect = view.ToPixels(110, 10, 50, 40);
  const QPoint inside = rect.center();
  const QColor blank = view.Surface()->grab().toImage().pixelColor(inside);
  model.picture = 130;
  model.InvalidatePicture();
  const QImage drawn = view.Surface()->grab().toImage();
  const auto changedIn = [&](const QImage& image, const QRect& r, int step) {
    for (int y = r.top(); y <= r.bottom(); y += step)
      for (int x = r.left(); x <= r.right(); x += step)
        if (image.pixelColor(x, y) != blank) return true;
    return false;
  };
  EXPECT_TRUE(changedIn(drawn, rect, 3));

  // The view draws static texts in their boxes and nothing of them beyond:
  // a text too long for its one line wraps, and its second line is cut off.
  const QRect label = view.DrawnText(100)->rect;
  const QRect below(label.left(), label.bottom() + 1, label.width(), view.ToPixels(0, 0, 0, 3).height());
  const auto same = [](const QImage& a, const QImage& b, const QRect& r) {
    const qreal dpr = a.devicePixelRatio();  // the grab is in device pixels
    const QRect device(QPoint(std::lround(r.left() * dpr), std::lround(r.top() * dpr)),
                       QPoint(std::lround((r.right() + 1) * dpr) - 1, std::lround((r.bottom() + 1) * dpr) - 1));
    for (int y = device.top(); y <= device.bottom(); ++y)
      for (int x = device.left(); x <= device.right(); ++x)
        if (a.pixelColor(x, y) != b.pixelColor(x, y)) return false;
    return true;
  };
  model.SetItemText(100, "");
  const QImage empty = view.Surface()->grab().toImage();
  model.SetItemText(100, kFreqCp);
  const QImage word = view.Surface()->grab().toImage();
  EXPECT_FALSE(same(empty, word, label));
  EXPECT_TRUE(same(empty, word, below));
  model.SetItemText(100, "one two three four five six");
  ASSERT_GT(view.DrawnText(100)->text.count(u'\n'), 0);
  const QImage wrapped = view.Surface()->grab().toImage();
  EXPECT_FALSE(same(word, wrapped, label));
  EXPECT_TRUE(same(empty, wrapped, below));
}

}  // namespace
}  // namespace velmora::test
