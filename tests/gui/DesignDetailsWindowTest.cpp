// SPDX-License-Identifier: GPL-3.0-or-later
// The "Design details" window over a headless main window: what its plots
// hold after calculations, its legends and the pictures of Copy and Save.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSet>
#include <QtCharts/QAbstractAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QXYSeries>
#include <memory>
#include <tuple>

#include "app/AdviserCommands.h"
#include "app/WindowFixture.h"
#include "gui/DesignDetailsWindow.h"
#include "support/QtApp.h"

namespace velmora::test {
namespace {

class DesignDetailsWindowTest : public WindowTest {
 protected:
  static void SetUpTestSuite() { test::QtApp::Start(); }
  static void TearDownTestSuite() { test::QtApp::Stop(); }

  // The charts of the window, loss plot first.
  std::vector<QChart*> Charts(const DesignDetailsWindow& w) const {
    std::vector<QChart*> charts;
    for (QChartView* v : w.findChildren<QChartView*>()) charts.push_back(v->chart());
    return charts;
  }
};

TEST_F(DesignDetailsWindowTest, RefreshesReuseTheSeriesAndFollowTheCalculation) {
  CVelmoraDlg& d = Start();
  DetailsConfig config;
  DesignDetailsWindow window(nullptr, config);
  window.Refresh(d);
  const std::vector<QChart*> charts = Charts(window);
  ASSERT_EQ(charts.size(), 4u);  // loss, inductance against current, current, flux density
  const QList<QAbstractSeries*> first = charts[0]->series();
  ASSERT_EQ(first.size(), 4);
  ASSERT_EQ(charts[1]->series().size(), 3);  // the inductance curve, the nominal and the peak current
  ASSERT_EQ(charts[2]->series().size(), 1);
  ASSERT_EQ(charts[3]->series().size(), 2);  // with its limit
  for (const QChart* chart : charts) ASSERT_EQ(chart->axes().size(), 2);

  Type(ids::IDC_EDIT_FC, "150");
  Click(ids::IDC_CALCULATE);
  TakeBoxes();
  window.Refresh(d);
  // The same series objects and axes, their points replaced.
  EXPECT_EQ(charts[0]->series(), first);
  for (const QChart* chart : charts) EXPECT_EQ(chart->axes().size(), 2);
  EXPECT_TRUE(charts[0]->title().contains("150 kHz")) << charts[0]->title().toStdString();
  const auto details = d.Model().DescribeLastCalculation();
  ASSERT_TRUE(details.has_value());
  const auto* point = static_cast<QXYSeries*>(charts[0]->series().at(3));
  ASSERT_EQ(point->count(), 1);
  EXPECT_DOUBLE_EQ(point->at(0).x(), details->lossModel.Bac_T);
  // The waveform's top is the peak current.
  const auto* current = static_cast<QXYSeries*>(charts[2]->series().at(0));
  double top = 0;
  for (const QPointF& p : current->points()) top = std::max(top, p.y());
  EXPECT_DOUBLE_EQ(top, d.Model().LastCalculation()->Ipk);
  // Each limit is a line with its note written on the plot, the value in it.
  for (const auto& [chart, value] :
       {std::pair{charts[0], details->lossModel.limit_mW_cm3}, std::pair{charts[3], details->worstCase.Bm_T}}) {
    const auto* limit = static_cast<QXYSeries*>(chart->series().at(1));
    ASSERT_EQ(limit->count(), 3);
    EXPECT_DOUBLE_EQ(limit->at(1).y(), value);
    EXPECT_TRUE(limit->pointLabelsVisible());
    EXPECT_TRUE(limit->pointLabelsFormat().contains(QString::number(value, 'g', 3).left(4)))
        << limit->pointLabelsFormat().toStdString();
  }
}

// The tolerance field follows the design's kind; an ungapped powder core's
// tolerance is its maker's: shown, and not to be set there.
TEST_F(DesignDetailsWindowTest, ToleranceFieldOfAPowderCoreIsItsMakers) {
  dir.copyShippedData();
  CVelmoraDlg& d = Start();
  DetailsConfig config;
  DesignDetailsWindow window(nullptr, config);
  window.Refresh(d);
  QDoubleSpinBox* field = nullptr;
  for (const QLabel* l : window.findChildren<QLabel*>())
    if (l->text().startsWith("AL tolerance")) field = qobject_cast<QDoubleSpinBox*>(l->buddy());
  ASSERT_NE(field, nullptr);
  for (const auto& [core, material, gap, L, makers] :
       {std::tuple{"E 25/13/7", "N87 Epcos", "1", "", false}, {"R 21/12/7.1", "Edge 125", "0", "25.718", true}}) {
    ApplyAdvisedDesign(d, core, material, gap, L, 15);
    TakeBoxes();
    window.Refresh(d);
    const auto details = d.Model().DescribeLastCalculation();
    ASSERT_TRUE(details.has_value());
    EXPECT_EQ(field->isEnabled(), !makers) << core;
    if (makers) EXPECT_DOUBLE_EQ(field->value(), details->worstCase.tolerance * 100) << core;
    else EXPECT_DOUBLE_EQ(field->value(), config.tol_gapped) << core;
  }
}

TEST_F(DesignDetailsWindowTest, LegendsNameEverySeriesWhole) {
  CVelmoraDlg& d = Start();
  DetailsConfig config;
  DesignDetailsWindow window(nullptr, config);
  window.resize(400, 300);  // narrow: the legend wraps, nothing is cut
  window.Refresh(d);
  const QString loss = window.LegendText(DetailPlot::Loss);
  for (const QAbstractSeries* s : Charts(window)[0]->series())
    EXPECT_TRUE(loss.contains(s->name().toHtmlEscaped().replace(' ', "&nbsp;"))) << s->name().toStdString();
  EXPECT_FALSE(loss.contains("..."));
  EXPECT_TRUE(window.LegendText(DetailPlot::Current).contains("Inductor&nbsp;current"));
  EXPECT_TRUE(window.LegendText(DetailPlot::Flux).contains("Flux&nbsp;limit"));
}

TEST_F(DesignDetailsWindowTest, PicturesAreDrawnAtTheirOwnSizeWithTheLegend) {
  CVelmoraDlg& d = Start();
  DetailsConfig config;
  DesignDetailsWindow window(nullptr, config);
  EXPECT_TRUE(window.PlotImage(DetailPlot::Loss).isNull());  // nothing shown yet
  window.resize(320, 240);
  window.Refresh(d);
  for (DetailPlot plot : {DetailPlot::Loss, DetailPlot::Current, DetailPlot::Flux}) {
    const QImage image = window.PlotImage(plot);
    ASSERT_FALSE(image.isNull());
    // The size of the picture, not of the window's small view.
    EXPECT_EQ(image.size() / image.devicePixelRatio(), QSize(900, 600));
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
      for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 20) << "a blank picture";
  }
}

// A language text of any length is cut to 200 characters before the charts
// lay it out (Qt's layout of a long title costs memory with the square of
// its length), and a picture of it is still drawn.
TEST_F(DesignDetailsWindowTest, LongTextsAreCutBeforeLayout) {
  const std::string endless(16000, 'x');
  dir.write("English.lng", dir.read("English.lng") + crlf({"[DESIGN DETAILS]", "axisFlux = " + endless,
                                                           "plotCurrent = " + endless, "curve = " + endless}));
  CVelmoraDlg& d = Start();
  DetailsConfig config;
  DesignDetailsWindow window(nullptr, config);
  window.Refresh(d);
  const std::vector<QChart*> charts = Charts(window);
  ASSERT_EQ(charts.size(), 4u);
  EXPECT_EQ(charts[0]->axes(Qt::Horizontal).at(0)->titleText(), QString(200, 'x'));
  EXPECT_EQ(charts[2]->title(), QString(200, 'x'));
  EXPECT_EQ(charts[0]->series().at(0)->name(), QString(200, 'x'));
  EXPECT_FALSE(window.PlotImage(DetailPlot::Loss).isNull());
}

// At the first size it takes on a 1280 x 800 screen every figure's value
// is in sight, and in Russian the plots' titles and names are in Russian,
// their frequencies' unit included.
TEST_F(DesignDetailsWindowTest, FitsALaptopScreenInTheWindowsLanguage) {
  dir.copyShippedData();
  CVelmoraDlg& d = Start();
  d.UserMenu(502);  // Russian
  TakeBoxes();
  DetailsConfig config;
  DesignDetailsWindow window(nullptr, config);
  window.resize(DesignDetailsWindow::FirstSize(QSize(1280, 800)));
  window.Refresh(d);
  window.show();
  QApplication::processEvents();
  EXPECT_LE(window.width(), 1280);  // no caption row wider than the screen
  EXPECT_TRUE(window.ValuesInSight());
  const std::vector<QChart*> charts = Charts(window);
  ASSERT_EQ(charts.size(), 4u);
  // A design whose core loss is extrapolated: its note stays out of the
  // value column.
  ExpectBoxes(3);
  ApplyAdvisedDesign(d, "P 36/22", "3F36 Ferroxcube", "0.09");
  TakeBoxes();
  window.Refresh(d);
  QApplication::processEvents();
  const auto extrapolated = d.Model().DescribeLastCalculation();
  ASSERT_TRUE(extrapolated && (extrapolated->lossModel.source.outsideB || extrapolated->lossModel.source.outsideF));
  EXPECT_TRUE(window.ValuesInSight());
  EXPECT_TRUE(charts[0]->title().contains(QString::fromUtf8("кГц"))) << charts[0]->title().toStdString();
  for (const QChart* chart : charts) {
    EXPECT_FALSE(chart->title().contains("kHz")) << chart->title().toStdString();
    for (const QAbstractSeries* s : chart->series()) EXPECT_FALSE(s->name().contains("kHz"));
  }
}

}  // namespace
}  // namespace velmora::test
