// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The adviser's candidates as a table for Qt's views, and the filter in front
// of it (shape, material, feasible only). Every column sorts by its number.
#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QStringList>
#include <vector>

#include "advise/Advise.h"

namespace velmora::gui {

class AdviserModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // What decides first (the Pareto mark, volume, loss, rise against its
  // limit, the inductance, AL, the share of the saturation limit), then how
  // the choke is built.
  enum Column {
    kRank,
    kCore,
    kShape,
    kMaterial,
    kPareto,
    kVolume,
    kTotalLoss,
    kRise,
    kInductance,
    kInductanceLow,
    kAL,
    kSaturationShare,
    kGap,
    kTurns,
    kBpk,
    kBm,
    kCoreLoss,
    kCopperLoss,
    kWire,
    kWires,
    kFill,
    kReason,
    kColumnCount
  };
  // The mark of a design on the Pareto front of volume and total loss.
  static constexpr const char* kParetoMark = "\u25C6";
  // The value a column sorts by.
  static constexpr int kSortRole = Qt::UserRole;

  explicit AdviserModel(QObject* parent = nullptr);

  void SetCandidates(std::vector<advise::Candidate> candidates);
  void SetCaptions(const QStringList& captions);  // kColumnCount texts
  void SetShapeNames(const QStringList& names);   // kShapeCount texts
  const advise::Candidate& At(int row) const { return candidates_[static_cast<std::size_t>(row)]; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<advise::Candidate> candidates_;
  QStringList captions_;
  QStringList shapeNames_{"E", "EI", "ER", "ETD", "R", "other"};
};

class AdviserFilter : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  explicit AdviserFilter(QObject* parent = nullptr);
  void SetShape(int shape);               // -1 every shape
  void SetMaterial(const QString& name);  // empty: every material
  void SetFeasibleOnly(bool on);

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  int shape_ = -1;
  QString material_;
  bool feasibleOnly_ = true;
};

}  // namespace velmora::gui
