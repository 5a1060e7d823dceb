// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ConverterWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>
#include <limits>

#include "app/ConverterCommands.h"
#include "app/ConverterRecord.h"
#include "app/ConverterTexts.h"
#include "app/VelmoraDlg.h"
#include "converter/ConverterFields.h"
#include "gui/GuiText.h"

namespace velmora::gui {

namespace {

using converter::OperatingPoint;

constexpr double kPercent = 100.0;
// Decimals of the table: volts and amperes to the millivolt and milliampere,
// the duty cycle to a tenth of a percent.
constexpr int kTableDecimals = 3;

// Each input: its caption's key, its unit's key (nullptr: the ripple's unit
// box, "%" for a share), and the text it opens with (the README's buck).
struct InputRow {
  const char* caption;
  const char* unit;
  const char* start;
};
constexpr InputRow kInputs[ConverterWindow::kInputCount] = {
    {"vinMin", "unitV", "9"}, {"vinMax", "unitV", "14"}, {"vout", "unitV", "5"},    {"iout", "unitA", "10"},
    {"ioutMin", "unitA", ""}, {"ripple", nullptr, "30"}, {"fsw", "unitKhz", "200"}, {"efficiency", "%", "100"},
    {"vsw", "unitV", "0"},    {"vd", "unitV", "0"}};

constexpr const char* kTopologyKeys[] = {"buck", "boost", "buckBoost"};
constexpr const char* kColumnKeys[] = {"colVin", "colDuty", "colCurrent", "colRipple", "colPeak"};
constexpr const char* kRowKeys[] = {"rowMin", "rowMax", "rowWorst"};

// A number as typed, "," read as "."; NaN for no number (the engine names it).
double Number(const QLineEdit* edit) {
  bool ok = false;
  const double v = edit->text().trimmed().replace(',', '.').toDouble(&ok);
  return ok ? v : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

ConverterWindow::ConverterWindow(CVelmoraDlg& dlg, QWidget* parent, DetailsConfig* kept) : QDialog(parent), dlg_(dlg) {
  setModal(false);
  // However long a text or number, the window stays on the screen.
  if (const QScreen* screen = parent ? parent->screen() : nullptr) setMaximumSize(screen->availableGeometry().size());
  BuildLayout();
  ApplyTexts();
  if (!kept) return;
  // Kept only from here: the fields' opening texts are no request of the user.
  const auto last = ParseConverterSection(kept->converter);
  kept_ = kept;
  if (last) ShowRequest(*last);
  FollowDesign();
}

void ConverterWindow::FollowDesign() {
  const auto& design = dlg_.Model().DesignRequest();
  if (!design || design == followed_) return;
  followed_ = design;
  ShowRequest(*design);
}

void ConverterWindow::ShowRequest(const converter::ConverterRequest& r) {
  constexpr int kDigits = 12;  // more than any typed value holds, fewer than the binary noise
  const auto show = [this](Input input, double value) { edits_[input]->setText(QString::number(value, 'g', kDigits)); };
  const bool share = r.rippleUnit == converter::RippleUnit::kShare;
  topology_->setCurrentIndex(static_cast<int>(r.topology));
  rippleUnit_->setCurrentIndex(share ? 0 : 1);
  show(kVinMin, r.vinMin);
  show(kVinMax, r.vinMax);
  show(kVout, r.vout);
  show(kIout, r.iout);
  if (r.ioutMin) show(kIoutMin, *r.ioutMin);
  else edits_[kIoutMin]->clear();
  show(kRipple, share ? r.ripple * kPercent : r.ripple);
  show(kFsw, r.fsw_kHz);
  show(kEfficiency, r.efficiency * kPercent);
  show(kVsw, r.vsw);
  show(kVd, r.vd);
}

QString ConverterWindow::Text(const char* key) const { return FromCp1251(ConverterText(dlg_.Model().Lang(), key)); }

void ConverterWindow::BuildLayout() {
  auto* grid = new QGridLayout;
  topologyCaption_ = new QLabel(this);
  topology_ = new QComboBox(this);
  grid->addWidget(topologyCaption_, 0, 0);
  grid->addWidget(topology_, 0, 1, 1, 2);
  for (int i = 0; i < kInputCount; ++i) {
    captions_[i] = new QLabel(this);
    edits_[i] = new QLineEdit(QString::fromLatin1(kInputs[i].start), this);
    grid->addWidget(captions_[i], i + 1, 0);
    grid->addWidget(edits_[i], i + 1, 1);
    if (i == kRipple) {
      rippleUnit_ = new QComboBox(this);
      grid->addWidget(rippleUnit_, i + 1, 2);
    } else {
      units_[i] = new QLabel(this);
      grid->addWidget(units_[i], i + 1, 2);
    }
    connect(edits_[i], &QLineEdit::textChanged, this, &ConverterWindow::Update);
  }
  table_ = new QTableWidget(static_cast<int>(std::size(kRowKeys)), static_cast<int>(std::size(kColumnKeys)), this);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  result_ = new QLabel(this);
  result_->setWordWrap(true);
  apply_ = new QPushButton(this);
  advise_ = new QPushButton(this);
  close_ = new QPushButton(this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(apply_);
  buttons->addWidget(advise_);
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(table_);
  layout->addWidget(result_);
  layout->addLayout(buttons);
  connect(topology_, &QComboBox::currentIndexChanged, this, &ConverterWindow::Update);
  connect(rippleUnit_, &QComboBox::currentIndexChanged, this, &ConverterWindow::Update);
  connect(apply_, &QPushButton::clicked, this, &ConverterWindow::Apply);
  connect(advise_, &QPushButton::clicked, this, [this] {
    if (!apply_->isEnabled()) return;
    Apply();
    if (openAdviser_) openAdviser_();
  });
  connect(close_, &QPushButton::clicked, this, &QDialog::close);
}

void ConverterWindow::ApplyTexts() {
  setWindowTitle(Text("title"));
  topologyCaption_->setText(Text("topology"));
  const int topology = std::max(0, topology_->currentIndex());
  const int unit = std::max(0, rippleUnit_->currentIndex());
  for (QComboBox* box : {topology_, rippleUnit_}) {
    box->blockSignals(true);
    box->clear();
  }
  for (const char* key : kTopologyKeys) topology_->addItem(Text(key));
  rippleUnit_->addItems({Text("rippleShare"), Text("rippleAmperes")});
  topology_->setCurrentIndex(topology);
  rippleUnit_->setCurrentIndex(unit);
  for (QComboBox* box : {topology_, rippleUnit_}) box->blockSignals(false);
  for (int i = 0; i < kInputCount; ++i) {
    captions_[i]->setText(Text(kInputs[i].caption));
    if (units_[i]) units_[i]->setText(kInputs[i].unit[0] == '%' ? QStringLiteral("%") : Text(kInputs[i].unit));
  }
  QStringList columns, rows;
  for (const char* key : kColumnKeys) columns << Text(key);
  for (const char* key : kRowKeys) rows << Text(key);
  table_->setHorizontalHeaderLabels(columns);
  table_->setVerticalHeaderLabels(rows);
  apply_->setText(Text("apply"));
  advise_->setText(Text("advise"));
  close_->setText(Text("close"));
  Update();
}

converter::ConverterRequest ConverterWindow::Request() const {
  converter::ConverterRequest s;
  s.topology = static_cast<converter::Topology>(std::max(0, topology_->currentIndex()));
  s.vinMin = Number(edits_[kVinMin]);
  s.vinMax = Number(edits_[kVinMax]);
  s.vout = Number(edits_[kVout]);
  s.iout = Number(edits_[kIout]);
  if (!edits_[kIoutMin]->text().trimmed().isEmpty()) s.ioutMin = Number(edits_[kIoutMin]);
  s.rippleUnit = rippleUnit_->currentIndex() == 1 ? converter::RippleUnit::kAmperes : converter::RippleUnit::kShare;
  s.ripple = Number(edits_[kRipple]) / (s.rippleUnit == converter::RippleUnit::kShare ? kPercent : 1.0);
  s.fsw_kHz = Number(edits_[kFsw]);
  s.efficiency = Number(edits_[kEfficiency]) / kPercent;
  s.vsw = Number(edits_[kVsw]);
  s.vd = Number(edits_[kVd]);
  return s;
}

converter::ConverterRequest ConverterWindow::HeldRequest(QString* note) const {
  converter::ConverterRequest request = Request();
  const double typed = request.fsw_kHz;
  const auto last = HoldToMaterialTable(request, dlg_.Model().Material());
  if (last && note)
    *note = Text("aboveTable")
                .arg(QString::fromStdString(converter::TypedNumber(typed)))
                .arg(FromCp1251(dlg_.Model().Material().name))
                .arg(QString::fromStdString(converter::TypedNumber(*last)));
  return request;
}

void ConverterWindow::Update() {
  QString note;
  const converter::ConverterRequest request = HeldRequest(&note);
  const converter::DesignResult r = converter::DesignConverter(request);
  apply_->setEnabled(r.error == converter::RequestError::kNone);
  advise_->setEnabled(apply_->isEnabled());
  if (r.error == converter::RequestError::kNone && kept_) kept_->converter = SerializeConverterSection(Request());
  if (r.error != converter::RequestError::kNone) {
    table_->clearContents();
    result_->setText(Text(ConverterErrorKey(r.error)));
    return;
  }
  const OperatingPoint* points[] = {&r.design.atMin, &r.design.atMax, &r.design.worst};
  for (int row = 0; row < static_cast<int>(std::size(points)); ++row) {
    const OperatingPoint& p = *points[row];
    const double values[] = {p.vin, p.duty, p.inductorCurrent, p.ripple, p.peakCurrent};
    for (int col = 0; col < static_cast<int>(std::size(values)); ++col) {
      auto* item = new QTableWidgetItem(QString::number(values[col], 'f', kTableDecimals));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(row, col, item);
    }
  }
  FitTable();
  const converter::MainWindowFields fields = converter::FieldsFor(request, r.design);
  result_->setText(Text("result")
                       .arg(QString::number(r.design.inductance_uH, 'g', converter::kTypedDigits + 2))
                       .arg(QString::fromStdString(fields.inductance))
                       .arg(QString::fromStdString(converter::TypedNumber(r.design.design.vin))) +
                   (note.isEmpty() ? QString() : QStringLiteral("\n") + note));
}

void ConverterWindow::FitTable() {
  // Every column and row in sight: the table is small and fixed.
  table_->resizeColumnsToContents();
  const int frame = 2 * table_->frameWidth();
  table_->setMinimumWidth(table_->verticalHeader()->sizeHint().width() + table_->horizontalHeader()->length() + frame);
  table_->setFixedHeight(table_->horizontalHeader()->sizeHint().height() + table_->verticalHeader()->length() + frame);
}

void ConverterWindow::Apply() {
  const converter::ConverterRequest request = HeldRequest(nullptr);
  const converter::DesignResult r = converter::DesignConverter(request);
  if (r.error != converter::RequestError::kNone) return;
  ReplaceInputs(dlg_, ConverterInputChanges(converter::FieldsFor(request, r.design)));
  // The design keeps the request as typed; the frequency is held again
  // wherever it is calculated.
  dlg_.Model().SetDesignRequest(Request());
  followed_ = dlg_.Model().DesignRequest();
}

}  // namespace velmora::gui
