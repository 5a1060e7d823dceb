// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/DesignDetailsWindow.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QSvgGenerator>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <algorithm>
#include <cerrno>
#include <vector>

#include "app/DesignFigures.h"
#include "app/DesignTexts.h"
#include "app/VelmoraDlg.h"
#include "gui/GuiText.h"
#include "gui/OutputDialog.h"
#include "insight/InsightConstants.h"
#include "textfile/Markup.h"
#include "textfile/OutputFile.h"
#include "ui/TitleText.h"

namespace velmora {

using gui::FromCp1251;

namespace {

// The size of a copied or saved plot, in device-independent pixels: large
// enough for the whole legend and the axis titles at any scaling.
constexpr QSize kPictureSize(900, 600);
// The window's first size: the plots beside the figures, each figure's
// value in sight without scrolling on a 1280 x 800 screen, within the
// screen at any scaling; on a wider screen room for the legends whole.
constexpr QSize kWindowSize(1440, 700);
constexpr double kShareOfScreen = 0.9;
// The width the plots take against the figures' column as the window
// grows, and the most of it the figures take at first (percent).
constexpr int kPlotsStretch = 3;
constexpr int kFiguresStretch = 2;
constexpr int kFiguresMaxShare = 50;
// A legend wraps down to this width (px) rather than widen its plot: a
// longer language's legends would otherwise push the window past the screen.
constexpr int kLegendMinWidth = 120;
// The figures' captions wrap beyond this many characters (of average width);
// the units and notes get room for this many at first, the rest of a long
// note in its tooltip.
constexpr int kCaptionMaxChars = 38;
constexpr int kUnitChars = 14;

// The figures' cells: captions wrap, values and units keep to one line.
class FigureDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.column() != 0) option->features &= ~QStyleOptionViewItem::WrapText;
  }
};

// The table of the figures: caption, value, unit (or note) per line.
QTableWidget* NewFiguresTable(QWidget* parent) {
  auto* figures = new QTableWidget(0, 3, parent);
  figures->horizontalHeader()->setVisible(false);
  figures->verticalHeader()->setVisible(false);
  figures->setEditTriggers(QAbstractItemView::NoEditTriggers);
  figures->setSelectionMode(QAbstractItemView::ContiguousSelection);
  figures->setWordWrap(true);
  figures->setItemDelegate(new FigureDelegate(figures));
  // The captions' column is as wide as they are, up to kCaptionMaxChars
  // (set with each fill): a longer caption wraps, so that the values keep
  // their room.
  figures->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  figures->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
  // The units and notes take the width left: a long note ends in "..."
  // (whole in its tooltip) instead of the table scrolling sideways.
  figures->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
  return figures;
}

// The tolerance field: percent with one decimal, below 100.
constexpr double kPercentPerUnit = 100.0;
constexpr int kToleranceDecimals = 1;
constexpr double kToleranceFieldMax = 99.9;
// The ambient field: the program's ambient range, in steps of 5 K.
constexpr double kAmbientLowest = kLowestAmbient_C;
constexpr double kAmbientHighest = kHighestAmbient_C;
// The saturation current's field: 0 stands for the peak current; up to the
// largest current a ferrite choke of the database carries with room to spare.
constexpr double kCurrentFieldMax = 10000.0;  // A
constexpr int kCurrentDecimals = 2;
// The arrows and frame of a spin box beside its text, in pixels at the standard style.
constexpr int kSpinButtonsWidth = 40;
constexpr double kAmbientStep = 5.0;

// A chart drawn off screen for Copy and Save, legend at the bottom.
class PictureView {
 public:
  PictureView(DetailPlot plot, const DetailText& text, const insight::DesignDetails& d) : view_(new QChart) {
    view_.setRenderHint(QPainter::Antialiasing);
    view_.chart()->legend()->setAlignment(Qt::AlignBottom);
    FillChart(plot, view_.chart(), text, d);
    view_.resize(kPictureSize);
  }
  QChartView& View() { return view_; }

 private:
  QChartView view_;
};

}  // namespace

DesignDetailsWindow::DesignDetailsWindow(QWidget* owner, DetailsConfig& config)
    : QWidget(owner, Qt::Window), config_(config) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  note_ = new QLabel(this);
  note_->setWordWrap(true);
  note_->setStyleSheet("QLabel { color: #a04000; }");
  for (int i = 0; i < kPlots; ++i) {
    views_[i] = NewDetailChartView();
    legends_[i] = new QLabel(this);
  }
  figures_ = NewFiguresTable(this);

  // A grid: the loss and the inductance curve side by side at the top, the
  // current and the flux density below them, each pair of one height however
  // legends wrap.
  auto* plots = new QWidget(this);
  auto* grid = new QGridLayout(plots);
  grid->setContentsMargins(0, 0, 0, 0);
  AddPlot(grid, 0, 0, 1, DetailPlot::Loss);
  AddPlot(grid, 0, 1, 1, DetailPlot::Inductance);
  AddPlot(grid, 2, 0, 1, DetailPlot::Current);
  AddPlot(grid, 2, 1, 1, DetailPlot::Flux);
  grid->setRowStretch(0, 1);
  grid->setRowStretch(2, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  ambientLabel_ = new QLabel(this);
  ambient_ = new QDoubleSpinBox(this);
  ambient_->setObjectName("ambient");
  ambient_->setRange(kAmbientLowest, kAmbientHighest);
  ambient_->setSingleStep(kAmbientStep);
  ambient_->setDecimals(0);
  ambient_->setValue(config_.ambient_C);
  ambient_->setSuffix(QString::fromUtf8(" \u00B0C"));
  connect(ambient_, &QDoubleSpinBox::valueChanged, this, [this](double celsius) {
    config_.ambient_C = celsius;
    if (dlg_) Refresh(*dlg_);
  });
  auto* ambientRow = new QHBoxLayout;
  ambientRow->addWidget(ambientLabel_);
  ambientRow->addWidget(ambient_);
  ambientRow->addStretch(1);
  auto* lower = new QWidget(this);
  auto* column = new QVBoxLayout(lower);
  column->setContentsMargins(0, 0, 0, 0);
  column->addLayout(ambientRow);
  column->addWidget(note_);
  toleranceLabel_ = new QLabel(this);
  tolerance_ = new QDoubleSpinBox(this);
  tolerance_->setRange(0, kToleranceFieldMax);
  tolerance_->setDecimals(kToleranceDecimals);
  toleranceLabel_->setBuddy(tolerance_);
  connect(tolerance_, &QDoubleSpinBox::valueChanged, this, &DesignDetailsWindow::OnToleranceChanged);
  auto* toleranceRow = new QHBoxLayout;
  toleranceRow->addWidget(toleranceLabel_);
  toleranceRow->addWidget(tolerance_);
  toleranceRow->addStretch();
  column->addLayout(toleranceRow);
  // The check limits on a row of their own: beside the tolerance, a longer
  // language's captions would widen the window past the screen.
  auto* checkRow = new QHBoxLayout;
  AddCheckFields(checkRow);
  checkRow->addStretch();
  column->addLayout(checkRow);
  QWidget* pointsBox = NewPointsBox();
  // The user shares the height between the figures and the points.
  tables_ = new QSplitter(Qt::Vertical, this);
  tables_->addWidget(figures_);
  tables_->addWidget(pointsBox);
  tables_->setChildrenCollapsible(false);
  column->addWidget(tables_, 1);
  // The user shares the width between the plots and the figures.
  split_ = new QSplitter(Qt::Horizontal, this);
  split_->addWidget(plots);
  split_->addWidget(lower);
  split_->setStretchFactor(0, kPlotsStretch);
  split_->setStretchFactor(1, kFiguresStretch);
  split_->setChildrenCollapsible(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(split_);
  resize(screen() ? FirstSize(screen()->availableGeometry().size()) : kWindowSize);
}

// The operating points' table under its title, hidden until a design
// from a converter shows them.
QWidget* DesignDetailsWindow::NewPointsBox() {
  points_ = new QTableWidget(this);
  points_->setObjectName("points");
  points_->verticalHeader()->setVisible(false);
  points_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  points_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  pointsTitle_ = new QLabel(this);
  pointsTitle_->setWordWrap(true);
  auto* pointsBox = new QWidget(this);
  auto* pointsColumn = new QVBoxLayout(pointsBox);
  pointsColumn->setContentsMargins(0, 0, 0, 0);
  pointsColumn->addWidget(pointsTitle_);
  pointsColumn->addWidget(points_, 1);
  pointsBox->setVisible(false);
  return pointsBox;
}

QSize DesignDetailsWindow::FirstSize(const QSize& available) {
  return kWindowSize.boundedTo(available * kShareOfScreen);
}

bool DesignDetailsWindow::ValuesInSight() const {
  const int right = figures_->columnViewportPosition(1) + figures_->columnWidth(1);
  return figures_->columnViewportPosition(1) >= 0 && right <= figures_->viewport()->width() &&
         figures_->horizontalScrollBar()->maximum() == 0;
}

// The saturation check's margin (kept in Details.cfg) and current (this window's).
void DesignDetailsWindow::AddCheckFields(QHBoxLayout* row) {
  marginLabel_ = new QLabel(this);
  margin_ = new QDoubleSpinBox(this);
  margin_->setObjectName("fluxMargin");
  margin_->setRange(0, kMaxFluxMarginPercent);
  margin_->setDecimals(0);
  margin_->setValue(config_.flux_margin);
  marginLabel_->setBuddy(margin_);
  connect(margin_, &QDoubleSpinBox::valueChanged, this, [this](double percent) {
    config_.flux_margin = percent;
    if (dlg_) Refresh(*dlg_);
  });
  currentLabel_ = new QLabel(this);
  saturationCurrent_ = new QDoubleSpinBox(this);
  saturationCurrent_->setObjectName("saturationCurrent");
  saturationCurrent_->setRange(0, kCurrentFieldMax);
  saturationCurrent_->setDecimals(kCurrentDecimals);
  currentLabel_->setBuddy(saturationCurrent_);
  connect(saturationCurrent_, &QDoubleSpinBox::valueChanged, this, [this] {
    if (dlg_) Refresh(*dlg_);
  });
  row->addWidget(marginLabel_);
  row->addWidget(margin_);
  row->addWidget(currentLabel_);
  row->addWidget(saturationCurrent_);
}

void DesignDetailsWindow::AddPlot(QGridLayout* grid, int row, int column, int span, DetailPlot plot) {
  QChartView* view = views_[static_cast<int>(plot)];
  QLabel* legend = legends_[static_cast<int>(plot)];
  auto* copy = new QPushButton(this);
  auto* save = new QPushButton(this);
  copy->setObjectName("copy");
  save->setObjectName("save");
  connect(copy, &QPushButton::clicked, this, [this, plot] { CopyPlot(plot); });
  connect(save, &QPushButton::clicked, this, [this, plot] { SavePlot(plot); });
  legend->setWordWrap(true);
  legend->setMinimumWidth(kLegendMinWidth);
  legend->setTextFormat(Qt::RichText);
  legend->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* under = new QHBoxLayout;
  under->addWidget(legend, 1);
  under->addWidget(copy, 0, Qt::AlignTop);
  under->addWidget(save, 0, Qt::AlignTop);
  grid->addWidget(view, row, column, 1, span);
  grid->addLayout(under, row + 1, column, 1, span, Qt::AlignTop);
}

QString DesignDetailsWindow::Text(const char* key) const { return FromCp1251(DesignText(lang_, key)); }

QString DesignDetailsWindow::ChartText(const char* key) const {
  return FromCp1251(ui::ChartText(DesignText(lang_, key)));
}

void DesignDetailsWindow::Texts() {
  setWindowTitle(Text("title"));
  toleranceLabel_->setText(Text("fieldTolerance"));
  ambientLabel_->setText(Text("rowAmbient"));
  marginLabel_->setText(Text("fieldFluxMargin"));
  currentLabel_->setText(Text("fieldSaturationCurrent"));
  saturationCurrent_->setSpecialValueText(Text("fieldPeakCurrent"));
  // Room for the words that stand for 0 (the spin box measures numbers only).
  saturationCurrent_->setMinimumWidth(saturationCurrent_->fontMetrics().horizontalAdvance(Text("fieldPeakCurrent")) +
                                      kSpinButtonsWidth);
  for (QPushButton* b : findChildren<QPushButton*>())
    b->setText(Text(b->objectName() == "copy" ? "copyPlot" : "savePlot"));
}

void DesignDetailsWindow::ShowAmbient() { ambient_->setValue(config_.ambient_C); }

// The field shows the tolerance of the design's own kind; an ungapped
// powder core's is its maker's, which the field does not set.
void DesignDetailsWindow::ShowTolerance() {
  const bool ungapped = details_ && details_->worstCase.ungapped;
  const bool makers = details_ && details_->worstCase.makersTolerance;
  const QSignalBlocker quiet(tolerance_);
  tolerance_->setEnabled(!makers);
  tolerance_->setToolTip(makers ? Text("tipToleranceMaker") : QString());
  tolerance_->setValue(makers     ? details_->worstCase.tolerance * kPercentPerUnit
                       : ungapped ? config_.tol_ungapped
                                  : config_.tol_gapped);
}

void DesignDetailsWindow::OnToleranceChanged(double percent) {
  if (!IsUsableTolerancePercent(percent)) return;
  (details_ && details_->worstCase.ungapped ? config_.tol_ungapped : config_.tol_gapped) = percent;
  if (dlg_) Refresh(*dlg_);
}

void DesignDetailsWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!figuresSized_ && details_) GiveFiguresRoom();
}

void DesignDetailsWindow::Refresh(CVelmoraDlg& dlg) {
  dlg_ = &dlg;
  lang_ = dlg.Model().Lang();
  Texts();
  insight::InsightOptions options = DetailsOptionsOf(config_);
  if (saturationCurrent_->value() > 0) options.saturationCurrent_A = saturationCurrent_->value();
  options.requiredInductance_uH = dlg.Model().AdvisedRequirement();
  details_ = dlg.Model().DescribeLastCalculation(options);
  ShowTolerance();
  if (!details_) {
    note_->setText(Text("noCalculation"));
    return;
  }
  const DetailText text = [this](const char* key) { return ChartText(key); };
  for (const DetailPlot plot : {DetailPlot::Loss, DetailPlot::Current, DetailPlot::Flux, DetailPlot::Inductance}) {
    QChart* chart = views_[static_cast<int>(plot)]->chart();
    FillChart(plot, chart, text, *details_);
    legends_[static_cast<int>(plot)]->setText(LegendHtml(chart));
  }
  FillFigures(*details_);
  FillPoints(*details_);
  if (!figuresSized_ && isVisible()) GiveFiguresRoom();

  QStringList notes;
  const CoreLossSource& s = details_->lossModel.source;
  if (!details_->lossModel.available) notes << Text("noteNoData");
  else if (s.missingCell) notes << Text("noteMissingCell");
  if (details_->lossModel.available && (s.outsideF || s.outsideB)) notes << Text("noteExtrapolated");
  if (details_->worstCase.ringWithGap) notes << Text("noteRingGap");
  note_->setText(notes.join("\n"));
  note_->setVisible(!notes.isEmpty());
}

void DesignDetailsWindow::FillFigures(const insight::DesignDetails& details) {
  std::vector<DesignFigure> rows = DesignFigureRows(details, lang_);
  // The notes without a caption (an extrapolated loss, a gapped ring) are
  // the window's note above the table already; in the value column they
  // would widen it past the window.
  std::erase_if(rows, [](const DesignFigure& f) { return f.caption.empty(); });
  figures_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const DesignFigure& f = rows[static_cast<std::size_t>(r)];
    const QString cells[3] = {FromCp1251(f.caption), FromCp1251(f.value), FromCp1251(f.unit)};
    for (int c = 0; c < 3; ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      item->setToolTip(cells[c]);
      if (c == 1) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      figures_->setItem(r, c, item);
    }
  }
  figures_->resizeColumnToContents(0);
  const int most = kCaptionMaxChars * QFontMetrics(figures_->font()).averageCharWidth();
  if (figures_->columnWidth(0) > most) figures_->setColumnWidth(0, most);
  figures_->resizeRowsToContents();
}

void DesignDetailsWindow::FillPoints(const insight::DesignDetails& details) {
  const PointTable table = DesignPointTable(details, lang_);
  points_->parentWidget()->setVisible(!table.rows.empty());
  if (table.rows.empty()) return;
  points_->setColumnCount(static_cast<int>(table.header.size()));
  points_->setRowCount(static_cast<int>(table.rows.size()));
  // The title above the table; the captions' column has no header.
  pointsTitle_->setText(FromCp1251(table.header.front()));
  QStringList header{QString()};
  for (std::size_t i = 1; i < table.header.size(); ++i) header << FromCp1251(table.header[i]);
  points_->setHorizontalHeaderLabels(header);
  for (int r = 0; r < static_cast<int>(table.rows.size()); ++r) {
    const std::vector<std::string>& cells = table.rows[static_cast<std::size_t>(r)];
    for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
      auto* item = new QTableWidgetItem(FromCp1251(cells[static_cast<std::size_t>(c)]));
      if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      points_->setItem(r, c, item);
    }
  }
  points_->resizeColumnsToContents();
  points_->resizeRowsToContents();
  // Shown the first time: the points take half the height, as the figures.
  if (!pointsSized_) {
    pointsSized_ = true;
    const int total = tables_->height();
    tables_->setSizes({total - total / 2, total / 2});
  }
}

// The first figures shown set the width of their column: their captions,
// values and units whole, up to half the window; the plots take the rest.
// After that the splitter is the user's.
void DesignDetailsWindow::GiveFiguresRoom() {
  figuresSized_ = true;
  const QFontMetrics fm(figures_->font());
  const int pad = 2 * (figures_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, figures_) + 1) + 1;
  int values = 0;
  for (int r = 0; r < figures_->rowCount(); ++r)
    if (const QTableWidgetItem* item = figures_->item(r, 1))
      values = std::max(values, fm.horizontalAdvance(item->text()));
  int need = 2 * figures_->frameWidth() + figures_->verticalScrollBar()->sizeHint().width() + figures_->columnWidth(0) +
             values + pad + kUnitChars * fm.averageCharWidth();
  const int total = split_->width();
  need = std::min(need, total * kFiguresMaxShare / 100);
  split_->setSizes({total - need, need});
}

QString DesignDetailsWindow::LegendText(DetailPlot plot) const { return legends_[static_cast<int>(plot)]->text(); }

QImage DesignDetailsWindow::PlotImage(DetailPlot plot) const {
  if (!details_) return {};
  PictureView picture(
      plot, [this](const char* key) { return ChartText(key); }, *details_);
  return picture.View().grab().toImage();
}

void DesignDetailsWindow::CopyPlot(DetailPlot plot) {
  const QImage image = PlotImage(plot);
  if (!image.isNull()) QApplication::clipboard()->setImage(image);
}

std::string DesignDetailsWindow::PlotBytes(DetailPlot plot, bool svg) const {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  if (!svg) {
    const QImage image = PlotImage(plot);
    if (image.isNull() || !image.save(&buffer, "PNG")) return {};
    return buffer.data().toStdString();
  }
  PictureView picture(
      plot, [this](const char* key) { return ChartText(key); }, *details_);
  QChartView& view = picture.View();
  view.grab();  // lays the chart out at its size before it is drawn again
  {
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(view.size());
    generator.setViewBox(view.rect());
    QPainter painter(&generator);
    view.render(&painter);
  }
  // The title escaped: the SVG writer puts a title in as it is.
  return WithSvgTitle(buffer.data().toStdString(), view.chart()->title().toStdString());
}

void DesignDetailsWindow::SavePlot(DetailPlot plot) {
  if (!details_) return;
  const gui::OutputTexts words{Text("saveTitle"),
                               FromCp1251(lang_[kOverwriteQuestion]),
                               FromCp1251(lang_[kMessageCaption]),
                               FromCp1251(lang_[kOkButton]),
                               FromCp1251(lang_[kCancelButton]),
                               Text("saveFailed")};
  const auto chosen = gui::AskOutputFile(this, words, QString(), {{"PNG", {".png"}}, {"SVG", {".svg"}}});
  if (!chosen) return;
  const std::string bytes = PlotBytes(plot, chosen->filter == 1);
  const WriteStatus status =
      bytes.empty() ? WriteStatus{EIO, "the picture could not be drawn"} : WriteOutputFile(chosen->path, bytes);
  if (!status.ok()) gui::TellOutputFailed(this, words, chosen->path + ": " + status.Reason());
}

}  // namespace velmora
