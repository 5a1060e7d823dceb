#pragma once
// "Design details": a window beside the main window that shows the figures
// behind its last calculation, the loss curve of the material at the design
// frequency and one period of the current and flux density. Thin over the
// engine: every number comes from CVelmoraDlg::DescribeLastCalculation.
#include <QWidget>

class QChart;
class QChartView;
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

 private:
  void Texts(CVelmoraDlg& dlg);
  void CopyPlot(QChartView* view);
  void SavePlot(QChartView* view);
  QWidget* PlotWithButtons(QChartView* view);

  QLabel* note_ = nullptr;
  QChartView* lossView_ = nullptr;
  QChartView* waveView_ = nullptr;
  QTableWidget* figures_ = nullptr;
  QString copyText_, saveText_, saveTitle_;
};

}  // namespace velmora
