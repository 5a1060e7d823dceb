// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Core adviser": a modeless child of the main window. It sweeps the core
// database with the main window's inputs on a worker thread (a progress bar
// and Cancel appear when that takes a while), shows the ranked designs in a
// sortable, filterable table, and puts the chosen one into the main window.
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <atomic>
#include <memory>
#include <thread>

#include "advise/Advise.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;

namespace velmora {
class CVelmoraDlg;
}

namespace velmora::gui {

class AdviserModel;
class AdviserFilter;

class AdviserWindow : public QDialog {
  Q_OBJECT

 public:
  AdviserWindow(CVelmoraDlg& dlg, QWidget* parent);
  ~AdviserWindow() override;

  // Sweeps again with the main window's inputs as they stand.
  void Refresh();
  // The texts of the current language.
  void ApplyTexts();

 private:
  void BuildLayout();
  void StartSweep();
  void StopSweep();
  void OnProgressTick();
  void OnSweepDone(std::vector<advise::Candidate> candidates, bool cancelled);
  void UseSelected();
  void UpdateCount();
  QString Text(const char* key, const char* fallback) const;

  CVelmoraDlg& dlg_;
  AdviserModel* model_;
  AdviserFilter* filter_;
  QComboBox* shape_;
  QComboBox* material_;
  QCheckBox* feasibleOnly_;
  QTableView* table_;
  QLabel* count_;
  QProgressBar* progress_;
  QPushButton* cancel_;
  QPushButton* refresh_;
  QPushButton* use_;
  QPushButton* close_;

  std::thread worker_;
  std::atomic<bool> cancel_requested_{false};
  std::atomic<std::size_t> done_{0};
  std::atomic<std::size_t> total_{0};
  QTimer tick_;
  QElapsedTimer elapsed_;
  // Bumped by every sweep: a finished sweep that is not the latest is ignored.
  std::shared_ptr<std::atomic<int>> generation_;
};

}  // namespace velmora::gui
