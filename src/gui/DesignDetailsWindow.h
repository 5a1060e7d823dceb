// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Design details": a window beside the main window that shows the figures
// behind its last calculation, the loss curve of the material at the design
// frequency and one period of the current and of the flux density. Thin
// over the engine: every number comes from CVelmoraDlg::DescribeLastCalculation.
#include <QImage>
#include <QWidget>
#include <optional>
#include <string>

#include "gui/DetailCharts.h"
#include "insight/DesignDetails.h"
#include "lang/LanguageTable.h"
#include "settings/DetailsConfig.h"

class QChartView;
class QDoubleSpinBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QSplitter;
class QTableWidget;

namespace velmora {

class CVelmoraDlg;

class DesignDetailsWindow : public QWidget {
 public:
  // A window of its own (modeless) that belongs to `owner`, the main window.
  // Its tolerance field changes config's tolerance of the design's kind.
  DesignDetailsWindow(QWidget* owner, DetailsConfig& config);
  // Shows the figures of the window's last calculation in its language.
  void Refresh(CVelmoraDlg& dlg);
  // Shows the ambient of the settings again, after something else set it.
  void ShowAmbient();
  // A plot as Copy and Save give it: drawn afresh at a fixed size, with its
  // legend inside the picture. Null before the first calculation.
  QImage PlotImage(DetailPlot plot) const;
  // The legend shown beside a plot (rich text).
  QString LegendText(DetailPlot plot) const;
  // The window's first size on a screen of this available size.
  static QSize FirstSize(const QSize& available);
  // Whether every figure's value shows whole, the table never scrolling
  // sideways, at the window's present size (its rows scroll down).
  bool ValuesInSight() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Texts();
  void ShowTolerance();
  void OnToleranceChanged(double percent);
  void FillFigures(const insight::DesignDetails& details);
  QWidget* NewPointsBox();
  // A converter design's operating points; hidden for a design without them.
  void FillPoints(const insight::DesignDetails& details);
  void GiveFiguresRoom();
  void CopyPlot(DetailPlot plot);
  void SavePlot(DetailPlot plot);
  // The plot's view at (row, column) of the grid, spanning `span` columns,
  // its legend, Copy and Save below it.
  void AddPlot(QGridLayout* grid, int row, int column, int span, DetailPlot plot);
  void AddCheckFields(QHBoxLayout* row);
  QString Text(const char* key) const;
  // A text the charts lay out as a title, axis title or legend entry: cut
  // to ui::kMaxTitleChars.
  QString ChartText(const char* key) const;
  // The plot as the bytes of a PNG or an SVG file; empty when it cannot be drawn.
  std::string PlotBytes(DetailPlot plot, bool svg) const;

  QLabel* note_ = nullptr;
  // By DetailPlot: loss, current, flux, inductance.
  static constexpr int kPlots = 4;
  QChartView* views_[kPlots] = {};
  QLabel* legends_[kPlots] = {};
  QTableWidget* figures_ = nullptr;
  QTableWidget* points_ = nullptr;  // below the figures: a column per operating point
  QLabel* pointsTitle_ = nullptr;   // above them
  QSplitter* tables_ = nullptr;     // the figures over the points
  bool pointsSized_ = false;        // the points shown once took half the height
  QSplitter* split_ = nullptr;      // the plots beside the figures
  bool figuresSized_ = false;       // the first refresh sized the figures' column
  QLabel* toleranceLabel_ = nullptr;
  QDoubleSpinBox* tolerance_ = nullptr;
  DetailsConfig& config_;
  CVelmoraDlg* dlg_ = nullptr;  // of the last refresh
  QLabel* ambientLabel_ = nullptr;
  QDoubleSpinBox* ambient_ = nullptr;  // the air around the choke, C
  QLabel* marginLabel_ = nullptr;
  QDoubleSpinBox* margin_ = nullptr;  // below Bsat, percent (Details.cfg)
  QLabel* currentLabel_ = nullptr;
  QDoubleSpinBox* saturationCurrent_ = nullptr;  // A; 0: the peak current
  // What the plots show, kept for the pictures of Copy and Save.
  LanguageTable lang_;
  std::optional<insight::DesignDetails> details_;
};

}  // namespace velmora
