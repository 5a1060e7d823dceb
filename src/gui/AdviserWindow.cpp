#include "gui/AdviserWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

#include "app/AdviserCommands.h"
#include "app/CalcInputs.h"
#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "calc/Constants.h"
#include "gui/AdviserModel.h"
#include "gui/GuiText.h"
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

// The column captions with their units, by the language file's keys.
struct Caption {
  const char* key;
  const char* fallback;
};
constexpr Caption kCaptions[AdviserModel::kColumnCount] = {{"adviserRank", "#"},
                                                           {"adviserCore", "Core"},
                                                           {"adviserShape", "Shape"},
                                                           {"adviserMaterial", "Material"},
                                                           {"adviserGap", "Gap, mm"},
                                                           {"adviserTurns", "Turns"},
                                                           {"adviserBpk", "Bpk, T"},
                                                           {"adviserBm", "B limit, T"},
                                                           {"adviserCoreLoss", "Core loss, W"},
                                                           {"adviserCopperLoss", "Copper loss, W"},
                                                           {"adviserTotalLoss", "Total loss, W"},
                                                           {"adviserRise", "Rise, K"},
                                                           {"adviserWire", "Wire, mm"},
                                                           {"adviserWires", "Wires"},
                                                           {"adviserFill", "Fill"},
                                                           {"adviserVolume", "Volume, cm\\u00B3"},
                                                           {"adviserReason", "Not feasible because"}};

// Everything the worker reads, copied from the main window on the GUI thread.
struct SweepInput {
  std::string dbText;
  std::string folder;
  std::vector<std::string> materials;
  advise::AdviseQuery query;
  WireTable wires;
  LanguageTable lang;
};

}  // namespace

AdviserWindow::AdviserWindow(CVelmoraDlg& dlg, QWidget* parent)
    : QDialog(parent), dlg_(dlg), model_(new AdviserModel(this)), filter_(new AdviserFilter(this)) {
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose, false);
  filter_->setSourceModel(model_);
  BuildLayout();
  ApplyTexts();
  tick_.setInterval(kProgressTickMs);
  connect(&tick_, &QTimer::timeout, this, &AdviserWindow::OnProgressTick);
  // Room for every column, within the screen at any scaling.
  resize(screen() ? kWindowSize.boundedTo(screen()->availableGeometry().size() * kShareOfScreen) : kWindowSize);
}

AdviserWindow::~AdviserWindow() { StopSweep(); }

QString AdviserWindow::Text(const char* key, const char* fallback) const {
  return FromCp1251(dlg_.Lang().design.Get(key, fallback));
}

void AdviserWindow::BuildLayout() {
  shape_ = new QComboBox(this);
  material_ = new QComboBox(this);
  feasibleOnly_ = new QCheckBox(this);
  feasibleOnly_->setChecked(true);
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
  filters->addStretch();
  filters->addWidget(count_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(progress_, 1);
  buttons->addWidget(cancel_);
  buttons->addStretch();
  buttons->addWidget(refresh_);
  buttons->addWidget(use_);
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filters);
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
    filter_->SetFeasibleOnly(on);
    UpdateCount();
  });
  connect(cancel_, &QPushButton::clicked, this, [this] { cancel_requested_ = true; });
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
  for (int i = 0; i < kShapeCount; ++i) shapes << FromCp1251(dlg_.GetItemText(ids::IDC_SHAPE_E + i));
  shape_->addItems(shapes);
  model_->SetShapeNames(shapes);
  shape_->setCurrentIndex(shape);
  shape_->blockSignals(false);
  feasibleOnly_->setText(Text("adviserFeasibleOnly", "Feasible only"));
  cancel_->setText(Text("adviserCancel", "Cancel"));
  refresh_->setText(Text("adviserRefresh", "Advise again"));
  use_->setText(Text("adviserUse", "Use this design"));
  close_->setText(Text("adviserClose", "Close"));
  UpdateCount();
}

void AdviserWindow::Refresh() { StartSweep(); }

void AdviserWindow::StopSweep() {
  if (!worker_.joinable()) return;
  cancel_requested_ = true;
  worker_.join();
}

void AdviserWindow::StartSweep() {
  StopSweep();
  if (dlg_.IsEnded()) return;
  dlg_.UpdateData(true);  // the inputs as the window holds them
  auto input = std::make_shared<SweepInput>();
  input->dbText = dlg_.CoreDatabaseText();
  input->folder = dlg_.ProgramFolder();
  input->materials = dlg_.Item(ids::IDC_COMBO_MATERIAL)->items;
  if (!input->materials.empty()) input->materials.pop_back();  // the no-data entry, always last
  input->query.inputs = ChokeInputsOf(dlg_.Settings());
  input->wires = dlg_.Wires();
  input->lang = dlg_.Lang();

  // The material filter offers the list's materials.
  const QString chosen = material_->currentIndex() > 0 ? material_->currentText() : QString();
  material_->blockSignals(true);
  material_->clear();
  material_->addItem(Text("adviserAllMaterials", "All materials"));
  for (const std::string& m : input->materials) material_->addItem(FromCp1251(m));
  material_->setCurrentIndex(std::max(0, material_->findText(chosen)));
  material_->blockSignals(false);

  cancel_requested_ = false;
  done_ = 0;
  total_ = 0;
  elapsed_.start();
  tick_.start();
  use_->setEnabled(false);
  worker_ = std::thread([this, input] {
    advise::AdviseData data;
    data.cores = advise::SelectableCores(input->dbText, ui::CompareNoCase);
    data.materials = advise::LoadMaterials(input->folder, input->materials);
    data.wires = input->wires;
    data.lang = input->lang;
    data.lossLimit = constants::kLossDensityLimit;
    std::vector<advise::Candidate> all = advise::Sweep(input->query, data, [this](std::size_t done, std::size_t total) {
      done_ = done;
      total_ = total;
      return !cancel_requested_.load();
    });
    const bool cancelled = cancel_requested_.load();
    QMetaObject::invokeMethod(
        this, [this, all = std::move(all), cancelled]() mutable { OnSweepDone(std::move(all), cancelled); },
        Qt::QueuedConnection);
  });
}

void AdviserWindow::OnProgressTick() {
  if (elapsed_.elapsed() < kProgressDelayMs) return;
  progress_->show();
  cancel_->show();
  progress_->setMaximum(static_cast<int>(std::max<std::size_t>(1, total_.load())));
  progress_->setValue(static_cast<int>(done_.load()));
}

void AdviserWindow::OnSweepDone(std::vector<advise::Candidate> candidates, bool cancelled) {
  if (worker_.joinable()) worker_.join();
  tick_.stop();
  progress_->hide();
  cancel_->hide();
  use_->setEnabled(true);
  model_->SetCandidates(std::move(candidates));
  table_->sortByColumn(AdviserModel::kRank, Qt::AscendingOrder);
  table_->resizeColumnsToContents();
  UpdateCount();
  if (cancelled) count_->setText(count_->text() + " " + Text("adviserCancelled", "(cancelled)"));
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
  if (rows.isEmpty()) return;
  const advise::Candidate c = model_->At(filter_->mapToSource(rows.front()).row());
  if (c.gapText.empty()) return;  // not designed: nothing to put in
  ApplyAdvisedDesign(dlg_, c.core, c.material, c.gapText);
}

}  // namespace velmora::gui
