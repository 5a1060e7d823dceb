// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/AdviserWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>
#include <array>
#include <atomic>
#include <charconv>
#include <cmath>
#include <thread>

#include "app/AdviserCommands.h"
#include "app/AdviserInput.h"
#include "app/ControlIds.h"
#include "app/ConverterRecord.h"
#include "app/DesignFigures.h"
#include "app/VelmoraDlg.h"
#include "calc/Constants.h"
#include "gui/AdviserModel.h"
#include "gui/GuiText.h"
#include "present/InputTable.h"
#include "textfile/Numbers.h"
#include "ui/Dialog.h"

namespace velmora::gui {

namespace {

// A sweep shorter than this shows no progress bar: it would only flicker.
constexpr int kProgressDelayMs = 200;
// How often the progress bar follows the worker.
constexpr int kProgressTickMs = 50;
// The window's first size, and the most of the screen it takes.
constexpr QSize kWindowSize(1100, 560);
constexpr double kShareOfScreen = 0.9;
// The fields of the minimum gap and the highest rise: a gap to the search's
// end in steps of a hundredth, a rise to far beyond what any ferrite stands.
constexpr int kGapDecimals = 3;
constexpr double kGapFieldStep = 0.01;   // mm
constexpr double kRiseFieldMax = 500.0;  // K
constexpr double kPercentPerUnit = 100.0;
constexpr double kRiseFieldStep = 5.0;  // K
constexpr int kRiseDecimals = 0;

// The column captions with their units, by the language file's keys.
struct Caption {
  const char* key;
  const char* fallback;
};
constexpr Caption kCaptions[AdviserModel::kColumnCount] = {{"adviserRank", "#"},
                                                           {"adviserCore", "Core"},
                                                           {"adviserShape", "Shape"},
                                                           {"adviserMaterial", "Material"},
                                                           {"adviserPareto", "Pareto"},
                                                           {"adviserVolume", "Volume, cm\\u00B3"},
                                                           {"adviserTotalLoss", "Total loss, W"},
                                                           {"adviserRise", "Rise / limit, K"},
                                                           {"adviserInductance", "L, \\u00B5H"},
                                                           {"adviserInductanceLow", "L low end, \\u00B5H"},
                                                           {"adviserAL", "AL, nH"},
                                                           {"adviserSaturationShare", "B/Bsat limit, %"},
                                                           {"adviserGap", "Gap, mm"},
                                                           {"adviserTurns", "Turns"},
                                                           {"adviserBpk", "Bpk, T"},
                                                           {"adviserBm", "B limit, T"},
                                                           {"adviserCoreLoss", "Core loss, W"},
                                                           {"adviserCopperLoss", "Copper loss, W"},
                                                           {"adviserWire", "Wire, mm"},
                                                           {"adviserWires", "Wires"},
                                                           {"adviserFill", "Fill"},
                                                           {"adviserReason", "Not feasible because"}};

// Everything the worker reads, copied from the main window on the GUI thread.
}  // namespace

// One sweep on its worker thread, and what it was made from.
struct AdviserWindow::Job {
  std::thread thread;
  std::atomic<bool> cancel{false};
  std::atomic<std::size_t> done{0};
  std::atomic<std::size_t> total{0};
  std::vector<UsedInput> inputs;
  bool infeasibleSettled = false;  // the infeasible designs too held to every check
};

AdviserWindow::AdviserWindow(CVelmoraDlg& dlg, const DetailsConfig& config, QWidget* parent)
    : QDialog(parent), dlg_(dlg), config_(config), model_(new AdviserModel(this)), filter_(new AdviserFilter(this)) {
  setModal(false);
  // An ordinary window, not a dialog: the window manager keeps a dialog
  // above the window it belongs to, and this one is worked beside the main
  // window, in front of it or behind. It still belongs to the main window,
  // so the main window's modal run leaves it usable.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  setAttribute(Qt::WA_DeleteOnClose, false);
  filter_->setSourceModel(model_);
  BuildLayout();
  ApplyTexts();
  tick_.setInterval(kProgressTickMs);
  connect(&tick_, &QTimer::timeout, this, &AdviserWindow::OnProgressTick);
  // Room for every column, within the screen at any scaling.
  resize(screen() ? kWindowSize.boundedTo(screen()->availableGeometry().size() * kShareOfScreen) : kWindowSize);
}

AdviserWindow::~AdviserWindow() {
  if (!job_) return;
  job_->cancel = true;
  job_->thread.join();  // the window goes: its sweep goes with it
}

QString AdviserWindow::Text(const char* key, const char* fallback) const {
  return FromCp1251(dlg_.Model().Lang().design.Get(key, fallback));
}

// The minimum gap, the highest rise and the out-of-date notice.
void AdviserWindow::BuildLimitFields() {
  minGapLabel_ = new QLabel(this);
  minGap_ = new QDoubleSpinBox(this);
  minGap_->setRange(0, advise::kMaxGap);
  minGap_->setDecimals(kGapDecimals);
  minGap_->setSingleStep(kGapFieldStep);
  minGap_->setValue(IsUsableMinGap(config_.min_gap) ? config_.min_gap : advise::kDefaultMinGap);
  maxRiseLabel_ = new QLabel(this);
  maxRise_ = new QDoubleSpinBox(this);
  maxRise_->setRange(1, kRiseFieldMax);
  maxRise_->setDecimals(kRiseDecimals);
  maxRise_->setSingleStep(kRiseFieldStep);
  maxRise_->setValue(IsUsableMaxRise(config_.max_rise) ? config_.max_rise : insight::constants::kDefaultRiseLimit);
  marginLabel_ = new QLabel(this);
  margin_ = new QDoubleSpinBox(this);
  margin_->setRange(0, kMaxFluxMarginPercent);
  margin_->setDecimals(0);
  margin_->setValue(IsUsableFluxMarginPercent(config_.flux_margin) ? config_.flux_margin : kDefaultFluxMarginPercent);
  minGapLabel_->setBuddy(minGap_);
  maxRiseLabel_->setBuddy(maxRise_);
  marginLabel_->setBuddy(margin_);
  stale_ = new QLabel(this);
  stale_->setWordWrap(true);
  stale_->setStyleSheet("QLabel { color: #a04000; }");
  stale_->hide();
}

void AdviserWindow::BuildLayout() {
  shape_ = new QComboBox(this);
  material_ = new QComboBox(this);
  // Wide enough for their longest entry ("All materials", "Kool Mµ MAX 14"),
  // in any language.
  for (QComboBox* filter : {shape_, material_}) filter->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  feasibleOnly_ = new QCheckBox(this);
  feasibleOnly_->setChecked(true);
  BuildLimitFields();
  table_ = new QTableView(this);
  table_->setModel(filter_);
  table_->setSortingEnabled(true);
  table_->sortByColumn(AdviserModel::kRank, Qt::AscendingOrder);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setAlternatingRowColors(true);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  count_ = new QLabel(this);
  progress_ = new QProgressBar(this);
  cancel_ = new QPushButton(this);
  refresh_ = new QPushButton(this);
  use_ = new QPushButton(this);
  close_ = new QPushButton(this);
  progress_->hide();
  cancel_->hide();

  auto* filters = new QHBoxLayout;
  filters->addWidget(shape_);
  filters->addWidget(material_);
  filters->addWidget(feasibleOnly_);
  filters->addWidget(minGapLabel_);
  filters->addWidget(minGap_);
  filters->addWidget(maxRiseLabel_);
  filters->addWidget(maxRise_);
  filters->addWidget(marginLabel_);
  filters->addWidget(margin_);
  filters->addStretch();
  // The count beside the buttons: the filters keep their room in a longer language.
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(progress_, 1);
  buttons->addWidget(cancel_);
  buttons->addWidget(count_);
  buttons->addStretch();
  buttons->addWidget(refresh_);
  buttons->addWidget(use_);
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filters);
  layout->addWidget(stale_);
  layout->addWidget(table_, 1);
  layout->addLayout(buttons);

  connect(shape_, &QComboBox::currentIndexChanged, this, [this](int i) {
    filter_->SetShape(i - 1);
    UpdateCount();
  });
  connect(material_, &QComboBox::currentIndexChanged, this, [this](int i) {
    filter_->SetMaterial(i > 0 ? material_->itemText(i) : QString());
    UpdateCount();
  });
  connect(feasibleOnly_, &QCheckBox::toggled, this, [this](bool on) {
    // A list of feasible designs only is made anew with the others settled.
    if (!on && !listSettlesInfeasible_ && !listInputs_.empty()) Refresh();
    filter_->SetFeasibleOnly(on);
    UpdateCount();
  });
  connect(minGap_, &QDoubleSpinBox::valueChanged, this, &AdviserWindow::ShowStale);
  connect(maxRise_, &QDoubleSpinBox::valueChanged, this, &AdviserWindow::ShowStale);
  connect(margin_, &QDoubleSpinBox::valueChanged, this, &AdviserWindow::ShowStale);
  connect(cancel_, &QPushButton::clicked, this, [this] {
    if (job_) job_->cancel = true;
  });
  connect(refresh_, &QPushButton::clicked, this, &AdviserWindow::Refresh);
  connect(use_, &QPushButton::clicked, this, &AdviserWindow::UseSelected);
  connect(table_, &QTableView::doubleClicked, this, &AdviserWindow::UseSelected);
  connect(close_, &QPushButton::clicked, this, &QDialog::close);
}

void AdviserWindow::ApplyTexts() {
  setWindowTitle(Text("adviserTitle", "Core adviser"));
  QStringList captions;
  for (const Caption& c : kCaptions) captions << Text(c.key, c.fallback);
  model_->SetCaptions(captions);
  const int shape = std::max(0, shape_->currentIndex());
  shape_->blockSignals(true);
  shape_->clear();
  shape_->addItem(Text("adviserAllShapes", "All shapes"));
  // The shapes as the main window's radio buttons name them.
  QStringList shapes;
  for (int i = 0; i < kShapeCount; ++i) shapes << FromCp1251(dlg_.Model().CaptionOf(ids::IDC_SHAPE_E + i));
  shape_->addItems(shapes);
  model_->SetShapeNames(shapes);
  shape_->setCurrentIndex(shape);
  shape_->blockSignals(false);
  feasibleOnly_->setText(Text("adviserFeasibleOnly", "Feasible only"));
  minGapLabel_->setText(Text("adviserMinGap", "Minimum gap, mm"));
  maxRiseLabel_->setText(Text("adviserMaxRise", "Highest rise, K"));
  marginLabel_->setText(Text("adviserFluxMargin", "Margin below Bsat, %"));
  cancel_->setText(Text("adviserCancel", "Cancel"));
  refresh_->setText(Text("adviserRefresh", "Advise again"));
  use_->setText(Text("adviserUse", "Use this design"));
  close_->setText(Text("adviserClose", "Close"));
  UpdateCount();
}

void AdviserWindow::Refresh() {
  if (!job_) {
    StartSweep();
    return;
  }
  // The running sweep ends at its next progress report; the new one starts then.
  job_->cancel = true;
  restart_ = true;
}

// The inductance a list is made for, as the shortest text that reads back
// as the same number: the field's own, or while the window holds an advised
// design's raised inductance, the requirement it was raised from (so that a
// list is not out of date for the design it gave, nor after undoing it).
std::string AdviserWindow::RequiredInductanceText() const {
  const double advised = dlg_.Model().AdvisedRequirement();
  const double L = std::isfinite(advised) ? advised : ReadLeadingDouble(CommaToPoint(dlg_.Model().Settings().L));
  std::array<char, 32> text{};
  const auto end = std::to_chars(text.data(), text.data() + text.size(), L).ptr;
  return std::string(text.data(), end);
}

std::vector<AdviserWindow::UsedInput> AdviserWindow::UsedInputs() const {
  const SettingsRecord& s = dlg_.Model().Settings();
  auto caption = [this](int id) { return FromCp1251(dlg_.Model().CaptionOf(id)).remove('&'); };
  // The inductance comes from the minimum current when that is on; the wire
  // size field counts only when it is used.
  std::vector<UsedInput> inputs = {
      {caption(ids::IDC_LABEL_L), s.us_Imin ? std::string() : RequiredInductanceText()},
      {caption(ids::IDC_LABEL_INOM), s.Inom},
      {caption(ids::IDC_LABEL_IMIN), s.us_Imin ? s.Imin : std::string()},
      {caption(ids::IDC_LABEL_U1), s.voltageSwitchOn},
      {caption(ids::IDC_LABEL_U2), s.Udc},
      {caption(ids::IDC_LABEL_FC), s.Fc},
      {caption(ids::IDC_LABEL_J), s.j},
      {caption(s.use ? ids::IDC_RADIO_OTHER_USE : ids::IDC_RADIO_OUTPUT), std::to_string(s.use)},
      {caption(ids::IDC_CHECK_IMIN), std::to_string(s.us_Imin)},
      {caption(ids::IDC_CHECK_USE_D), std::to_string(s.use_D)},
      {caption(ids::IDC_LABEL_DPROV), s.use_D ? s.wireSize : std::string()},
      {caption(s.yes_AWG ? ids::IDC_RADIO_AWG : ids::IDC_RADIO_METRIC), std::to_string(s.yes_AWG)},
      {minGapLabel_->text(), std::to_string(minGap_->value())},
      {maxRiseLabel_->text(), std::to_string(maxRise_->value())},
      {marginLabel_->text(), std::to_string(margin_->value())},
      {Text("fieldTolerance", "AL tolerance of this kind of core, %"),
       std::to_string(config_.tol_gapped) + " " + std::to_string(config_.tol_ungapped)},
  };
  return inputs;
}

void AdviserWindow::FollowMainWindow() { ShowStale(); }

void AdviserWindow::ShowStale() {
  if (listInputs_.empty() || dlg_.IsEnded()) return;
  const std::vector<UsedInput> now = UsedInputs();
  for (std::size_t i = 0; i < now.size() && i < listInputs_.size(); ++i) {
    if (now[i].value == listInputs_[i].value) continue;
    stale_->setText(Text("adviserStale",
                         "Out of date: %1 has changed since this list was made. "
                         "\"Use this design\" advises again first.")
                        .arg(now[i].name));
    stale_->show();
    return;
  }
  stale_->hide();
}

void AdviserWindow::StartSweep() {
  if (dlg_.IsEnded()) return;
  Design design = dlg_.CurrentDesign();  // the inputs as the window holds them
  if (std::isfinite(dlg_.Model().AdvisedRequirement())) {
    // An advised design's raised inductance stands for its requirement.
    design.settings.L = RequiredInductanceText();
    design.settings.us_Imin = 0;
  }
  insight::InsightOptions limits = DetailsOptionsOf(config_);
  limits.minGap_mm = minGap_->value();
  limits.riseLimit_K = maxRise_->value();
  limits.fluxMargin = margin_->value() / kPercentPerUnit;
  auto input = std::make_shared<AdviserSource>(AdviserSourceOf(dlg_.Model(), design.settings, limits));
  // The infeasible designs are shown only with "Feasible only" off: only then
  // are they settled and held to every check.
  input->query.infeasibleSettled = !feasibleOnly_->isChecked();

  // The material filter offers the list's materials.
  const QString chosen = material_->currentIndex() > 0 ? material_->currentText() : QString();
  material_->blockSignals(true);
  material_->clear();
  material_->addItem(Text("adviserAllMaterials", "All materials"));
  for (const std::string& m : input->materials) material_->addItem(FromCp1251(m));
  material_->setCurrentIndex(std::max(0, material_->findText(chosen)));
  material_->blockSignals(false);

  auto job = std::make_shared<Job>();
  job->inputs = UsedInputs();
  job->infeasibleSettled = input->query.infeasibleSettled;
  job_ = job;
  elapsed_.start();
  tick_.start();
  use_->setEnabled(false);
  job->thread = std::thread([this, job, input] {
    const advise::AdviseData data = AdviseDataOf(*input, input->materials);
    const std::size_t total = advise::CandidateCount(input->query, data);
    std::vector<advise::Candidate> all = advise::Sweep(input->query, data, [&job](std::size_t done, std::size_t n) {
      job->done = done;
      job->total = n;
      return !job->cancel.load();
    });
    // Cut short only when candidates are missing: a cancel while the
    // complete list is ranked changes nothing.
    const bool cutShort = all.size() < total;
    QMetaObject::invokeMethod(
        this, [this, job, all = std::move(all), cutShort]() mutable { OnSweepDone(job, std::move(all), cutShort); },
        Qt::QueuedConnection);
  });
}

void AdviserWindow::OnProgressTick() {
  if (elapsed_.elapsed() < kProgressDelayMs) return;
  progress_->show();
  cancel_->show();
  if (!job_) return;
  progress_->setMaximum(static_cast<int>(std::max<std::size_t>(1, job_->total.load())));
  progress_->setValue(static_cast<int>(job_->done.load()));
}

void AdviserWindow::OnSweepDone(const std::shared_ptr<Job>& job, std::vector<advise::Candidate> candidates,
                                bool cutShort) {
  job->thread.join();  // its last act was to post this: no wait
  if (job != job_) return;
  job_.reset();
  if (restart_) {
    restart_ = false;
    StartSweep();
    return;
  }
  tick_.stop();
  progress_->hide();
  cancel_->hide();
  use_->setEnabled(true);
  model_->SetCandidates(std::move(candidates));
  listInputs_ = job->inputs;
  listSettlesInfeasible_ = job->infeasibleSettled;
  table_->sortByColumn(AdviserModel::kRank, Qt::AscendingOrder);
  table_->resizeColumnsToContents();
  UpdateCount();
  ShowStale();
  if (cutShort) count_->setText(count_->text() + " " + Text("adviserCancelled", "(cancelled)"));
  if (!pendingUse_) return;
  const auto [core, material] = *pendingUse_;
  pendingUse_.reset();
  for (int r = 0; r < model_->rowCount(); ++r) {
    const advise::Candidate& c = model_->At(r);
    if (c.core == core && c.material == material) return UseCandidate(c);
  }
  // Gone from the new list: the refusal says why.
  advise::Candidate gone;
  gone.core = core;
  gone.material = material;
  UseCandidate(gone);
}

void AdviserWindow::UpdateCount() {
  int feasible = 0;
  for (int r = 0; r < model_->rowCount(); ++r) feasible += model_->At(r).feasible();
  count_->setText(Text("adviserCount", "%1 of %2 designs feasible, %3 shown")
                      .arg(feasible)
                      .arg(model_->rowCount())
                      .arg(filter_->rowCount()));
}

void AdviserWindow::UseSelected() {
  const QModelIndexList rows = table_->selectionModel()->selectedRows();
  if (rows.isEmpty() || job_) return;
  const advise::Candidate c = model_->At(filter_->mapToSource(rows.front()).row());
  ShowStale();
  if (stale_->isVisible()) {
    // Made from other inputs: the same core and material, designed afresh.
    pendingUse_.emplace(c.core, c.material);
    Refresh();
    return;
  }
  UseCandidate(c);
}

void AdviserWindow::UseCandidate(const advise::Candidate& c) {
  const AdvisedRefusal refusal = CheckAdvisedDesign(dlg_, c.core, c.material);
  if (refusal != AdvisedRefusal::kNone) {
    QMessageBox box(QMessageBox::Warning, FromCp1251(dlg_.Model().Lang()[kMessageCaption]),
                    FromCp1251(AdvisedRefusalText(dlg_.Model().Lang(), refusal, c.core, c.material)), QMessageBox::Ok,
                    this);
    box.button(QMessageBox::Ok)->setText(FromCp1251(dlg_.Model().Lang()[kOkButton]));
    box.exec();
    return;
  }
  if (c.gapText.empty()) return;  // not designed: nothing to put in
  ApplyAdvisedDesign(dlg_, c.core, c.material, c.gapText, c.inductanceText, c.requiredInductance);
}

}  // namespace velmora::gui
