#pragma once
// "Design details": a window beside the main window that shows the figures
// behind its last calculation, the loss curve of the material at the design
// frequency and one period of the current and flux density. Thin over the
// engine: every number comes from CVelmoraDlg::DescribeLastCalculation.
#include <QImage>
#include <QWidget>
#include <optional>

#include "gui/DetailCharts.h"
#include "insight/DesignDetails.h"
#include "lang/LanguageTable.h"

class QChartView;
class QDoubleSpinBox;
class QGridLayout;
class QLabel;
class QTableWidget;

namespace velmora {

class CVelmoraDlg;

class DesignDetailsWindow : public QWidget {
 public:
  // A window of its own (modeless) that belongs to `owner`, the main window.
  explicit DesignDetailsWindow(QWidget* owner);
  // Shows the figures of the window's last calculation in its language.
  void Refresh(CVelmoraDlg& dlg);
  // A plot as Copy and Save give it: drawn afresh at a fixed size, with its
  // legend inside the picture. Null before the first calculation.
  QImage PlotImage(DetailPlot plot) const;
  // The legend shown beside a plot (rich text).
  QString LegendText(DetailPlot plot) const;

 private:
  void Texts();
  void FillFigures(const insight::DesignDetails& details);
  void CopyPlot(DetailPlot plot);
  void SavePlot(DetailPlot plot);
  void AddPlot(QGridLayout* grid, int column, DetailPlot plot, QChartView* view, QLabel* legend);
  QString Text(const char* key) const;

  QLabel* note_ = nullptr;
  QChartView* lossView_ = nullptr;
  QChartView* waveView_ = nullptr;
  QLabel* lossLegend_ = nullptr;
  QLabel* waveLegend_ = nullptr;
  QTableWidget* figures_ = nullptr;
  QLabel* ambientLabel_ = nullptr;
  QDoubleSpinBox* ambient_ = nullptr;  // the air around the choke, C
  CVelmoraDlg* dlg_ = nullptr;         // the window last shown, for a new ambient
  // What the plots show, kept for the pictures of Copy and Save.
  LanguageTable lang_;
  std::optional<insight::DesignDetails> details_;
};

}  // namespace velmora
