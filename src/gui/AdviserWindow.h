// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Core adviser": a modeless child of the main window. It sweeps the core
// database with the main window's inputs on a worker thread (a progress bar
// and Cancel appear when that takes a while), shows the ranked designs in a
// sortable, filterable table, and puts the chosen one into the main window.
// One sweep runs at a time: asking again cancels the running one and starts
// anew once it has ended, without the window waiting for it. The list says
// when an input it was made from has changed since.
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "advise/Advise.h"
#include "settings/DetailsConfig.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
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
  // config: the tolerances the sweep holds designs to (Details.cfg's).
  AdviserWindow(CVelmoraDlg& dlg, const DetailsConfig& config, QWidget* parent);
  ~AdviserWindow() override;

  // Sweeps again with the main window's inputs as they stand.
  void Refresh();
  // The texts of the current language.
  void ApplyTexts();
  // The main window calculated: the list is marked out of date when an input
  // it was made from has changed.
  void FollowMainWindow();
  // A sweep is running (for the tests).
  bool Sweeping() const { return job_ != nullptr; }

 private:
  struct Job;
  // One input of a sweep: its name on the windows and its value as text.
  struct UsedInput {
    QString name;
    std::string value;
  };

  void BuildLayout();
  void BuildLimitFields();
  void StartSweep();
  void OnProgressTick();
  void OnSweepDone(const std::shared_ptr<Job>& job, std::vector<advise::Candidate> candidates, bool cutShort);
  void UseSelected();
  void UseCandidate(const advise::Candidate& c);
  void UpdateCount();
  void ShowStale();
  std::vector<UsedInput> UsedInputs() const;
  std::string RequiredInductanceText() const;
  QString Text(const char* key, const char* fallback) const;

  CVelmoraDlg& dlg_;
  const DetailsConfig& config_;
  AdviserModel* model_;
  AdviserFilter* filter_;
  QComboBox* shape_;
  QComboBox* material_;
  QCheckBox* feasibleOnly_;
  QLabel* minGapLabel_;
  QDoubleSpinBox* minGap_;
  QLabel* maxRiseLabel_;
  QDoubleSpinBox* maxRise_;
  QLabel* marginLabel_;
  QDoubleSpinBox* margin_;  // below Bsat, percent
  QLabel* stale_;
  QTableView* table_;
  QLabel* count_;
  QProgressBar* progress_;
  QPushButton* cancel_;
  QPushButton* refresh_;
  QPushButton* use_;
  QPushButton* close_;

  std::shared_ptr<Job> job_;  // the running sweep
  bool restart_ = false;      // a new sweep starts when the running one has ended
  QTimer tick_;
  QElapsedTimer elapsed_;
  std::vector<UsedInput> listInputs_;   // what the list shown was made from
  bool listSettlesInfeasible_ = false;  // the list shown holds the infeasible designs settled
  // "Use this design" on an out-of-date list: the core and material to use
  // once the new sweep is done.
  std::optional<std::pair<std::string, std::string>> pendingUse_;
};

}  // namespace velmora::gui
