// SPDX-License-Identifier: GPL-3.0-or-later
// The real main window in Qt on the offscreen platform: every control of its
// template as a widget with its caption, place and enabled state, and a click
// on "Рассчитать!" reaching the result labels.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStyleFactory>
#include <filesystem>
#include <memory>

#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "support/QtApp.h"
#include "support/TempDir.h"
#include "ui/HeadlessHost.h"
#include "ui/qt/QtDialogView.h"
#include "ui/qt/QtViewParts.h"

namespace velmora::test {
namespace {

using namespace ids;
using ui::ControlKind;

// A widget's caption without its line breaks and blanks (the view wraps long
// captions at blanks).
QString Squeezed(QString text) {
  text.remove(QChar('\n'));
  text.remove(QChar(' '));
  text.remove(QChar('&'));
  return text;
}

// What a control shows: the view's record of a static text or group box it
// draws itself, else its widget's text.
QString Caption(const ui::QtDialogView& view, int id) {
  if (const auto drawn = view.DrawnText(id)) return drawn->text;
  QWidget* w = view.Widget(id);
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
  if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
  if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText();
  return {};
}

// What a static text shows, line by line, and where.
struct ShownStatic {
  QString text;
  QRect rect;
};

ShownStatic Shown(const ui::QtDialogView& view, int id) {
  if (const auto drawn = view.DrawnText(id)) return {drawn->text, drawn->rect};
  auto* label = qobject_cast<QLabel*>(view.Widget(id));
  if (!label) return {};
  return {label->text(), label->contentsRect()};
}

int Distance(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}
bool Near(const QColor& a, const QColor& b) { return Distance(a, b) <= 48; }  // the glyphs' edge blending

// The colour of a drawn text: of the pixels in its box, the one farthest
// from the window's background (a glyph's stem is drawn in the pen's colour).
QColor TextColour(const ui::QtDialogView& view, int id) {
  const QImage image = view.Surface()->grab(view.DrawnText(id)->rect).toImage();
  const QColor back = view.Surface()->palette().color(QPalette::Window);
  QColor farthest = back;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (Distance(image.pixelColor(x, y), back) > Distance(farthest, back)) farthest = image.pixelColor(x, y);
  return farthest;
}

void WriteMinimalData(const TempDir& dir) {
  dir.write("English.lng",
            "[TITLE]\r\ntitle = Velmora\r\nversion = Version\r\n[BUTTONS]\r\ns2 = Calculate!\r\n"
            "[OTHERS]\r\ns8 = Attention\r\ns18 = mm\r\ns21 = No data\r\n");
  dir.write("Materials.txt", "Mat1 = N87 Epcos\r\n");
  dir.write("N87 Epcos.txt",
            "[Flux density]\r\nB1 = 100\r\nB2 = 200\r\n[Frequencies]\r\nF1 = 25\r\nF2 = 500\r\n"
            "[F_25]\r\nB_100 = 5\r\nB_200 = 20\r\n[F_500]\r\nB_100 = 200\r\nB_200 = 800\r\n"
            "[Limits]\r\nBmax = 0.39\r\nBmmax = 0.3\r\nmu = 2200\r\n");
  dir.write("BaseCores.txt", "[E 25/13/7]\r\nAe = 52.5\r\nAn = 80\r\nle = 57.5\r\nmu = 1800\r\n\r\n");
  dir.write("Wire.txt", "d1 = 0.5\r\ndiz1 = 0.55\r\nd2 = 1.06\r\ndiz2 = 1.12\r\nd3 = 2.5\r\ndiz3 = 2.6\r\n");
}

class MainWindowViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::QtApp::Start(); }
  static void TearDownTestSuite() { test::QtApp::Stop(); }

  void SetUp() override {
    if (std::filesystem::exists(std::filesystem::path(VELMORA_SOURCE_DIR) / "share" / "Materials.txt"))
      dir.copyShippedData();
    else WriteMinimalData(dir);
    host.SetStrict(true);
    host.onUnexpected = [](const ui::HeadlessHost::Shown& box) {
      ADD_FAILURE() << "unexpected message box: " << box.text;
    };
  }

  TempDir dir;
  ui::HeadlessHost host;
};

TEST_F(MainWindowViewTest, EveryControlOfTheTemplateIsAWidgetWithItsCaptionPlaceAndState) {
  CVelmoraDlg dlg(host);
  ui::QtDialogView view(dlg);
  dlg.SetObserver(&view);

  // Before start-up the window shows the resource's own Russian captions.
  const ui::DialogTemplate& t = dlg.Template();
  EXPECT_EQ(view.windowTitle(), QString::fromUtf8("Velmora - Программа расчета дросселя"));
  int checked = 0;
  for (const ui::ControlTemplate& c : t.controls) {
    if (c.id == ui::IDC_STATIC) continue;
    // Static texts and group boxes are drawn by the view, the rest are widgets.
    const auto drawn = view.DrawnText(c.id);
    QWidget* w = view.Widget(c.id);
    const bool drawnKind = c.kind == ControlKind::Static || c.kind == ControlKind::GroupBox;
    ASSERT_EQ(drawn.has_value(), drawnKind) << "control " << c.id;
    ASSERT_EQ(w != nullptr, !drawnKind) << "control " << c.id;
    const QRect rect = drawn ? drawn->rect : w->geometry();
    EXPECT_EQ(rect.topLeft(), view.ToPixels(c.x, c.y, c.w, c.h).topLeft()) << "control " << c.id;
    if (drawn) {
      EXPECT_EQ(rect, view.ToPixels(c.x, c.y, c.w, c.h)) << "control " << c.id;
    }
    if (c.kind != ControlKind::Edit && c.kind != ControlKind::ComboBox && c.kind != ControlKind::Spin) {
      EXPECT_EQ(Squeezed(Caption(view, c.id)), Squeezed(ui::FromCp1251(c.text))) << "control " << c.id;
    }
    ++checked;
  }
  EXPECT_EQ(checked, static_cast<int>(dlg.ItemIds().size()));
  EXPECT_EQ(Squeezed(Caption(view, IDC_CALCULATE)), QString::fromUtf8("Рассчитать!"));  // with its mnemonic
  EXPECT_EQ(Squeezed(Caption(view, IDC_LABEL_L)), QString::fromUtf8("Индуктивностьдросселя"));
  EXPECT_EQ(Caption(view, IDC_SHAPE_EI), QString::fromUtf8("ЕI"));
  EXPECT_EQ(view.MenuBar()->actions().size(), 4);  // help, language, about, design

  // Start-up: the language's captions and the enable rules reach the widgets.
  dlg.Create();
  view.SyncAll();
  view.show();
  QApplication::processEvents();
  ASSERT_FALSE(dlg.IsEnded());
  for (int id : dlg.ItemIds()) {
    const auto drawn = view.DrawnText(id);
    EXPECT_EQ(drawn ? drawn->enabled : view.Widget(id)->isEnabled(), dlg.IsItemEnabled(id)) << "control " << id;
    const ControlKind kind = dlg.Item(id)->tmpl.kind;
    if (kind != ControlKind::Spin) {
      EXPECT_EQ(Squeezed(Caption(view, id)), Squeezed(ui::FromCp1251(dlg.GetItemText(id)))) << "control " << id;
    }
  }
  EXPECT_FALSE(view.Widget(IDC_EDIT_IMIN)->isEnabled());
  EXPECT_TRUE(view.Widget(IDC_EDIT_L)->isEnabled());
  EXPECT_FALSE(view.Widget(IDC_DIM_A)->isEnabled());
  EXPECT_FALSE(view.Widget(IDC_DATA_VE)->isEnabled());
  EXPECT_TRUE(view.Widget(IDC_COMBO_CORE)->isEnabled());
  EXPECT_EQ(view.windowTitle(), ui::FromCp1251(dlg.WindowText()));
  EXPECT_EQ(view.MenuBar()->actions().size(), 4);  // help, language, about, design
  EXPECT_EQ(dlg.PictureId(), IDB_E);
}

// Every static text of the window shows whole in its box in both shipped
// languages: the view's font keeps to the widths the template was made for.
TEST_F(MainWindowViewTest, EveryStaticTextFitsItsBoxInBothLanguages) {
  if (!std::filesystem::exists(std::filesystem::path(VELMORA_SOURCE_DIR) / "share" / "Russian.lng"))
    GTEST_SKIP() << "no shipped language files in this tree";
  for (const char* lang : {"Russian", "English"}) {
    dir.write("Inductor.ini", std::string("[INI_DATA]\r\ncore\t= E 25/13/7\r\nmater\t= N87 Epcos\r\nyes_al\t= 1\r\n"
                                          "use\t= 1\r\nzazor\t= 100\r\nL\t= 15\r\nUimpulsa= 24\r\nUdc\t= 12\r\n"
                                          "Inom\t= 10\r\nImin\t= 2\r\nus_Imin\t= 0\r\nFc\t= 100\r\nj\t= 7\r\n"
                                          "use_D\t= 0\r\nyes_AWG\t= 1\r\ndprov\t= 18\r\nlang\t= ") +
                                  lang + "\r\n");
    CVelmoraDlg dlg(host);
    ui::QtDialogView view(dlg);
    dlg.SetObserver(&view);
    dlg.Create();
    view.SyncAll();
    ASSERT_FALSE(dlg.IsEnded()) << lang;
    for (const ui::ControlTemplate& c : dlg.Template().controls) {
      if (c.kind != ControlKind::Static || c.id == ui::IDC_STATIC) continue;
      const ShownStatic shown = Shown(view, c.id);
      const QFontMetrics fm(view.font());
      const QStringList lines = shown.text.split(u'\n');
      if (lines.size() > 1) {
        EXPECT_LE(lines.size() * fm.lineSpacing(), shown.rect.height()) << lang << " " << c.id;
      }
      for (const QString& line : lines)
        EXPECT_LE(fm.horizontalAdvance(line), shown.rect.width()) << lang << " " << c.id << " " << line.toStdString();
    }
  }
}

TEST_F(MainWindowViewTest, ClickingCalculateFillsTheLabels) {
  CVelmoraDlg dlg(host);
  ui::QtDialogView view(dlg);
  dlg.SetObserver(&view);
  dlg.Create();
  view.SyncAll();
  view.show();
  QApplication::processEvents();
  ASSERT_FALSE(dlg.IsEnded());
  ASSERT_TRUE(view.DrawnText(IDC_RES_TURNS));
  dlg.UserType(IDC_EDIT_L, "22");  // the results are out of date: drawn greyed
  EXPECT_FALSE(view.DrawnText(IDC_RES_TURNS)->enabled);

  auto* calculate = qobject_cast<QPushButton*>(view.Widget(IDC_CALCULATE));
  ASSERT_NE(calculate, nullptr);
  calculate->click();
  QApplication::processEvents();
  for (int id : {IDC_RES_TURNS, IDC_RES_LACT, IDC_RES_DI, IDC_RES_IPK, IDC_RES_WIRE, IDC_RES_LIMIT}) {
    const QString shown = Caption(view, id);
    EXPECT_FALSE(shown.isEmpty()) << "label " << id;
    EXPECT_EQ(Squeezed(shown), Squeezed(ui::FromCp1251(dlg.GetItemText(id)))) << "label " << id;
    EXPECT_TRUE(view.DrawnText(id)->enabled) << "label " << id;
  }
  EXPECT_FALSE(dlg.IsEnded());
}

// Out-of-date results are drawn in the palette's disabled text colour and
// fresh ones in its text colour, values and units, in every style the
// program can start with; a result whose warning fired is drawn in the
// warning colour until the next calculation. Measured on the drawn pixels.
TEST_F(MainWindowViewTest, ResultTextsTakeTheColourOfTheirStateInEveryStyle) {
  const QString started = QApplication::style()->name();
  const int kLabels[] = {IDC_RES_TURNS, IDC_RES_LACT, IDC_UNIT_LACT, IDC_RES_BPK, IDC_UNIT_BPK, IDC_RES_DI};
  for (const QString& style : QStyleFactory::keys()) {
    SCOPED_TRACE(style.toStdString());
    QApplication::setStyle(style);
    ui::InitQtApplication();  // the program's style over it, as at its start
    CVelmoraDlg dlg(host);
    ui::QtDialogView view(dlg);
    dlg.SetObserver(&view);
    dlg.Create();
    view.SyncAll();
    view.show();
    QApplication::processEvents();
    ASSERT_FALSE(dlg.IsEnded());
    const QPalette& palette = view.Surface()->palette();
    const QColor text = palette.color(QPalette::Active, QPalette::WindowText);
    const QColor greyed = palette.color(QPalette::Disabled, QPalette::WindowText);
    ASSERT_FALSE(Near(text, greyed));
    auto expect = [&](const QColor& colour, const char* when) {
      for (const int id : kLabels) EXPECT_TRUE(Near(TextColour(view, id), colour)) << when << " " << id;
    };
    expect(text, "fresh");

    // A key typed into the current density field greys them ("7" becomes
    // "70": a thinner wire, no warning).
    auto* edit = qobject_cast<QLineEdit*>(view.Widget(IDC_EDIT_J));
    edit->setFocus();
    edit->end(false);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_0, Qt::NoModifier, QStringLiteral("0"));
    QApplication::sendEvent(edit, &key);
    QApplication::processEvents();
    ASSERT_FALSE(dlg.Model().ResultsCurrent());
    expect(greyed, "typed");

    qobject_cast<QPushButton*>(view.Widget(IDC_CALCULATE))->click();
    QApplication::processEvents();
    ASSERT_TRUE(dlg.Model().ResultsCurrent());
    expect(text, "calculated");

    // A gap far too small for the current: the flux warning.
    host.ExpectBoxes(3);
    dlg.UserType(IDC_EDIT_ZAZOR, "0.001");
    dlg.UserClick(IDC_CALCULATE);
    QApplication::processEvents();
    ASSERT_TRUE(dlg.IsItemWarned(IDC_RES_BPK));
    EXPECT_TRUE(Near(TextColour(view, IDC_RES_BPK), ui::kWarningText));
    EXPECT_FALSE(view.DrawnText(IDC_RES_BPK)->tooltip.isEmpty());
    EXPECT_TRUE(Near(TextColour(view, IDC_RES_TURNS), text));
    host.ClearShown();
  }
  QApplication::setStyle(started);
  ui::InitQtApplication();
}

}  // namespace
}  // namespace velmora::test
