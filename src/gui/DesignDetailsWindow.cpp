#include "gui/DesignDetailsWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QPushButton>
#include <QSplitter>
#include <QSvgGenerator>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <cmath>

#include "app/DesignFigures.h"
#include "app/DesignTexts.h"
#include "app/VelmoraDlg.h"
#include "ui/qt/QtDialogView.h"

namespace velmora {

namespace {

bool Positive(double v) { return std::isfinite(v) && v > 0; }

// A log axis needs positive values: the points that have none are left out.
void AddPoint(QXYSeries* series, double x, double y) {
  if (Positive(x) && Positive(y)) series->append(x, y);
}

QString Text(const CVelmoraDlg& dlg, const char* key) { return ui::FromCp1251(DesignText(dlg.Lang(), key)); }

QLogValueAxis* LogAxis(const QString& title) {
  auto* axis = new QLogValueAxis;
  axis->setTitleText(title);
  axis->setBase(10);
  axis->setLabelFormat("%g");
  axis->setMinorTickCount(-1);
  return axis;
}

// Pv(B) on log-log axes: the curve, the four table points, the operating
// point and the loss limit.
void FillLossChart(QChart* chart, const CVelmoraDlg& dlg, const insight::DesignDetails& d) {
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) chart->removeAxis(axis), delete axis;
  const insight::LossModel& m = d.lossModel;
  chart->setTitle(Text(dlg, "plotLoss") + QString(" (%1 kHz)").arg(m.F_kHz, 0, 'g', 6));
  if (!m.available || d.lossCurve.B_T.empty()) return;

  auto* curve = new QLineSeries;
  curve->setName(Text(dlg, "curve"));
  for (std::size_t i = 0; i < d.lossCurve.B_T.size(); ++i) AddPoint(curve, d.lossCurve.B_T[i], d.lossCurve.Pv_mW_cm3[i]);
  auto* table = new QScatterSeries;
  table->setName(Text(dlg, "tablePoints") +
                 QString(" (%1, %2 kHz)").arg(m.source.F[0], 0, 'g', 6).arg(m.source.F[1], 0, 'g', 6));
  table->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
  table->setMarkerSize(8);
  for (int i = 0; i < 2; ++i)
    for (int k = 0; k < 2; ++k) AddPoint(table, m.source.B[k], m.source.P[i][k]);
  auto* point = new QScatterSeries;
  point->setName(Text(dlg, "operatingPoint"));
  point->setMarkerSize(11);
  AddPoint(point, m.Bac_T, m.Pv_mW_cm3);
  auto* limit = new QLineSeries;
  limit->setName(Text(dlg, "lossLimit"));
  AddPoint(limit, d.lossCurve.B_T.front(), m.limit_mW_cm3);
  AddPoint(limit, d.lossCurve.B_T.back(), m.limit_mW_cm3);
  QPen dashed = limit->pen();
  dashed.setStyle(Qt::DashLine);
  limit->setPen(dashed);

  auto* x = LogAxis(Text(dlg, "axisFlux"));
  auto* y = LogAxis(Text(dlg, "axisLoss"));
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (QXYSeries* s : {static_cast<QXYSeries*>(curve), static_cast<QXYSeries*>(limit),
                       static_cast<QXYSeries*>(table), static_cast<QXYSeries*>(point)}) {
    chart->addSeries(s);
    s->attachAxis(x);
    s->attachAxis(y);
  }
}

// Current (left axis) and flux density (right axis) over one period.
void FillWaveChart(QChart* chart, const CVelmoraDlg& dlg, const insight::DesignDetails& d) {
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) chart->removeAxis(axis), delete axis;
  chart->setTitle(Text(dlg, "plotWave"));
  const insight::Waveform& w = d.waveform;
  auto* current = new QLineSeries;
  current->setName(Text(dlg, "current"));
  auto* flux = new QLineSeries;
  flux->setName(Text(dlg, "fluxDensity"));
  for (std::size_t i = 0; i < w.t_us.size(); ++i) {
    if (std::isfinite(w.t_us[i]) && std::isfinite(w.i_A[i])) current->append(w.t_us[i], w.i_A[i]);
    if (std::isfinite(w.t_us[i]) && std::isfinite(w.B_T[i])) flux->append(w.t_us[i], w.B_T[i]);
  }
  // B follows i in proportion: the flux line is dashed over the current line.
  current->setPen(QPen(QColor(0x20, 0x9f, 0xdf), 4));
  flux->setPen(QPen(QColor(0xd0, 0x50, 0x20), 2, Qt::DashLine));
  auto* t = new QValueAxis;
  t->setTitleText(Text(dlg, "axisTime"));
  auto* i = new QValueAxis;
  i->setTitleText(Text(dlg, "axisCurrent"));
  auto* b = new QValueAxis;
  b->setTitleText(Text(dlg, "axisFluxDensity"));
  chart->addAxis(t, Qt::AlignBottom);
  chart->addAxis(i, Qt::AlignLeft);
  chart->addAxis(b, Qt::AlignRight);
  chart->addSeries(current);
  current->attachAxis(t);
  current->attachAxis(i);
  chart->addSeries(flux);
  flux->attachAxis(t);
  flux->attachAxis(b);
  // From zero, so that the ripple reads against the whole current.
  if (!current->points().isEmpty()) {
    double top = 0;
    for (const QPointF& p : current->points()) top = std::max(top, p.y());
    i->setRange(0, top * 1.1);
    double btop = 0;
    for (const QPointF& p : flux->points()) btop = std::max(btop, p.y());
    b->setRange(0, btop * 1.1);
  }
}

QChartView* NewChartView() {
  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  auto* view = new QChartView(chart);
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(360, 260);
  return view;
}

}  // namespace

DesignDetailsWindow::DesignDetailsWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  note_ = new QLabel(this);
  note_->setWordWrap(true);
  note_->setStyleSheet("QLabel { color: #a04000; }");
  lossView_ = NewChartView();
  waveView_ = NewChartView();
  figures_ = new QTableWidget(0, 3, this);
  figures_->horizontalHeader()->setVisible(false);
  figures_->verticalHeader()->setVisible(false);
  figures_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  figures_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  figures_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  figures_->horizontalHeader()->setStretchLastSection(true);

  auto* plots = new QHBoxLayout;
  plots->addWidget(PlotWithButtons(lossView_), 1);
  plots->addWidget(PlotWithButtons(waveView_), 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(plots, 3);
  layout->addWidget(note_);
  layout->addWidget(figures_, 2);
  // Room for both plots, within the screen at any scaling.
  const QSize wanted(880, 680);
  resize(screen() ? wanted.boundedTo(screen()->availableGeometry().size() * 0.9) : wanted);
}

QWidget* DesignDetailsWindow::PlotWithButtons(QChartView* view) {
  auto* box = new QWidget(this);
  auto* copy = new QPushButton(box);
  auto* save = new QPushButton(box);
  copy->setObjectName("copy");
  save->setObjectName("save");
  connect(copy, &QPushButton::clicked, this, [this, view] { CopyPlot(view); });
  connect(save, &QPushButton::clicked, this, [this, view] { SavePlot(view); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(copy);
  buttons->addWidget(save);
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(view, 1);
  column->addLayout(buttons);
  return box;
}

void DesignDetailsWindow::Texts(CVelmoraDlg& dlg) {
  setWindowTitle(Text(dlg, "title"));
  copyText_ = Text(dlg, "copyPlot");
  saveText_ = Text(dlg, "savePlot");
  saveTitle_ = Text(dlg, "saveTitle");
  for (QPushButton* b : findChildren<QPushButton*>())
    b->setText(b->objectName() == "copy" ? copyText_ : saveText_);
}

void DesignDetailsWindow::Refresh(CVelmoraDlg& dlg) {
  Texts(dlg);
  const std::optional<insight::DesignDetails> details = dlg.DescribeLastCalculation();
  if (!details) {
    note_->setText(Text(dlg, "noCalculation"));
    return;
  }
  FillLossChart(lossView_->chart(), dlg, *details);
  FillWaveChart(waveView_->chart(), dlg, *details);

  const std::vector<DesignFigure> rows = DesignFigureRows(*details, dlg.Lang());
  figures_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const DesignFigure& f = rows[static_cast<std::size_t>(r)];
    const QString cells[3] = {ui::FromCp1251(f.caption), ui::FromCp1251(f.value), ui::FromCp1251(f.unit)};
    for (int c = 0; c < 3; ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (c == 1) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      figures_->setItem(r, c, item);
    }
  }
  figures_->resizeRowsToContents();

  QStringList notes;
  const CoreLossSource& s = details->lossModel.source;
  if (!details->lossModel.available) notes << Text(dlg, "noteNoData");
  else if (s.missingCell) notes << Text(dlg, "noteMissingCell");
  if (details->lossModel.available && (s.outsideF || s.outsideB)) notes << Text(dlg, "noteExtrapolated");
  note_->setText(notes.join("\n"));
  note_->setVisible(!notes.isEmpty());
}

void DesignDetailsWindow::CopyPlot(QChartView* view) { QApplication::clipboard()->setPixmap(view->grab()); }

void DesignDetailsWindow::SavePlot(QChartView* view) {
  QString selected;
  const QString name = QFileDialog::getSaveFileName(this, saveTitle_, QString(), "PNG (*.png);;SVG (*.svg)", &selected);
  if (name.isEmpty()) return;
  const bool svg = name.endsWith(".svg", Qt::CaseInsensitive) || (selected.startsWith("SVG") && !name.endsWith(".png", Qt::CaseInsensitive));
  if (!svg) {
    view->grab().save(name.endsWith(".png", Qt::CaseInsensitive) ? name : name + ".png", "PNG");
    return;
  }
  QSvgGenerator generator;
  generator.setFileName(name.endsWith(".svg", Qt::CaseInsensitive) ? name : name + ".svg");
  generator.setSize(view->size());
  generator.setViewBox(view->rect());
  generator.setTitle(view->chart()->title());
  QPainter painter(&generator);
  view->render(&painter);
}

}  // namespace velmora
