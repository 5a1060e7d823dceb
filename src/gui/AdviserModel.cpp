// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/AdviserModel.h"

#include <QBrush>
#include <QPalette>
#include <cmath>

#include "calc/WireTable.h"
#include "gui/GuiText.h"
#include "textfile/Numbers.h"

namespace velmora::gui {

namespace {

QString Fixed(double v, int decimals) {
  return std::isfinite(v) ? QString::fromStdString(FormatFixed(v, decimals)) : QStringLiteral("-");
}

// A number that sorts: not-a-number after every number, in both directions
// alike would need the view's help; the largest double keeps it at the end
// of an ascending sort, which is the one the adviser's ranking uses.
QVariant SortValue(double v) { return std::isnan(v) ? std::numeric_limits<double>::max() : v; }

constexpr double kPercent = 100.0;

}  // namespace

AdviserModel::AdviserModel(QObject* parent) : QAbstractTableModel(parent) {}

void AdviserModel::SetCandidates(std::vector<advise::Candidate> candidates) {
  beginResetModel();
  candidates_ = std::move(candidates);
  endResetModel();
}

void AdviserModel::SetCaptions(const QStringList& captions) {
  captions_ = captions;
  emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

void AdviserModel::SetShapeNames(const QStringList& names) {
  shapeNames_ = names;
  if (!candidates_.empty()) emit dataChanged(index(0, kShape), index(rowCount() - 1, kShape));
}

int AdviserModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(candidates_.size());
}

int AdviserModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant AdviserModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const advise::Candidate& c = At(index.row());
  const bool sort = role == kSortRole;
  if (role == Qt::ForegroundRole)
    return c.feasible() ? QVariant() : QBrush(QPalette().color(QPalette::Disabled, QPalette::Text));
  if (role == Qt::ToolTipRole) return c.feasible() ? QVariant() : QString::fromStdString(advise::ReasonText(c.reasons));
  if (role == Qt::TextAlignmentRole)
    return (index.column() == kCore || index.column() == kMaterial || index.column() == kReason ||
            index.column() == kShape || index.column() == kPareto)
               ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
               : QVariant(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole && !sort) return {};
  auto number = [sort](double v, int decimals) { return sort ? SortValue(v) : QVariant(Fixed(v, decimals)); };
  switch (index.column()) {
    case kRank:
      return index.row() + 1;
    case kCore:
      return FromCp1251(c.core);
    case kShape:
      return c.shape >= 0 && c.shape < shapeNames_.size() ? shapeNames_[c.shape] : QString();
    case kMaterial:
      return FromCp1251(c.material);
    case kPareto:
      return sort ? QVariant(c.pareto ? 0 : 1) : QVariant(c.pareto ? QString::fromUtf8(kParetoMark) : QString());
    case kInductance:
      return number(c.Lact, 3);
    case kInductanceLow:
      return number(c.Llow, 3);
    case kAL:
      return number(c.AL, 1);
    case kSaturationShare:
      return number(c.SaturationShare() * kPercent, 1);
    case kGap:
      return c.gapText.empty() ? (sort ? SortValue(NAN) : QVariant("-"))
                               : (sort ? QVariant(c.gap) : QVariant(QString::fromStdString(c.gapText)));
    case kTurns:
      return number(c.turns, 0);
    case kBpk:
      return number(c.Bpk, 3);
    case kBm:
      return number(c.Bm, 3);
    case kCoreLoss:
      return number(c.coreLoss, 3);
    case kCopperLoss:
      return number(c.copperLoss, 3);
    case kTotalLoss:
      return number(c.totalLoss, 3);
    case kRise:
      return sort ? SortValue(c.temperatureRise)
                  : QVariant(Fixed(c.temperatureRise, 1) + " / " +
                             QString::fromStdString(ShortestNumberText(c.riseLimit)));
    case kWire:
      return sort ? SortValue(c.wireDiameter) : QVariant(QString::fromStdString(FormatDiameter(c.wireDiameter)));
    case kWires:
      return number(c.wires, 0);
    case kFill:
      return number(c.fill, 3);
    case kVolume:
      return number(c.volume, 3);
    case kReason:
      return QString::fromStdString(advise::ReasonText(c.reasons));
    default:
      return {};
  }
}

QVariant AdviserModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= captions_.size())
    return QAbstractTableModel::headerData(section, orientation, role);
  return captions_[section];
}

AdviserFilter::AdviserFilter(QObject* parent) : QSortFilterProxyModel(parent) { setSortRole(AdviserModel::kSortRole); }

void AdviserFilter::SetShape(int shape) {
  shape_ = shape;
  invalidateFilter();
}

void AdviserFilter::SetMaterial(const QString& name) {
  material_ = name;
  invalidateFilter();
}

void AdviserFilter::SetFeasibleOnly(bool on) {
  feasibleOnly_ = on;
  invalidateFilter();
}

bool AdviserFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  const auto* model = static_cast<const AdviserModel*>(sourceModel());
  const advise::Candidate& c = model->At(sourceRow);
  if (feasibleOnly_ && !c.feasible()) return false;
  if (shape_ >= 0 && c.shape != shape_) return false;
  return material_.isEmpty() || FromCp1251(c.material) == material_;
}

}  // namespace velmora::gui
