// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Converter...": a modeless child of the main window. The converter's
// topology and ratings give the smallest inductance that keeps the ripple
// within its target over the input range, the table of both ends and the
// worst point, and "Apply" puts the design into the main window, which
// calculates; "Advise..." applies and opens the core adviser for it. Thin
// over the converter engine.
#include <QDialog>
#include <functional>
#include <optional>

#include "converter/Converter.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace velmora {
class CVelmoraDlg;
struct DetailsConfig;
}  // namespace velmora

namespace velmora::gui {

class ConverterWindow : public QDialog {
 public:
  // With `kept` (Details.cfg's settings) the window opens with the request of
  // the main window's design, or else the one kept there, and keeps each
  // request it can design there for the next run. Not owned.
  ConverterWindow(CVelmoraDlg& dlg, QWidget* parent, DetailsConfig* kept = nullptr);

  // The texts of the main window's current language.
  void ApplyTexts();
  // The request as the fields give it, and its design (or its error).
  converter::ConverterRequest Request() const;
  // The request as the choke is calculated: the switching frequency held to
  // the material's loss table, *note then saying so (when given).
  converter::ConverterRequest HeldRequest(QString* note) const;
  converter::DesignResult Design() const { return converter::DesignConverter(HeldRequest(nullptr)); }
  // Puts the design into the main window; nothing when the request has an error.
  void Apply();
  // What "Advise..." opens after applying: the core adviser.
  void SetAdvise(std::function<void()> advise) { openAdviser_ = std::move(advise); }
  // Shows the request of the main window's design when it has one that the
  // window has not shown yet (a design loaded since): called on each opening.
  void FollowDesign();
  // Puts the request into the fields.
  void ShowRequest(const converter::ConverterRequest& request);

  // The inputs, in the order of kInputs in the source.
  enum Input { kVinMin, kVinMax, kVout, kIout, kIoutMin, kRipple, kFsw, kEfficiency, kVsw, kVd, kInputCount };
  QLineEdit* Edit(Input input) const { return edits_[input]; }
  QComboBox* TopologyBox() const { return topology_; }
  QComboBox* RippleUnitBox() const { return rippleUnit_; }
  QTableWidget* Table() const { return table_; }
  QLabel* Result() const { return result_; }

 private:
  void BuildLayout();
  void Update();
  void FitTable();
  QString Text(const char* key) const;

  CVelmoraDlg& dlg_;
  QComboBox* topology_ = nullptr;
  QComboBox* rippleUnit_ = nullptr;
  QLineEdit* edits_[kInputCount] = {};
  QLabel* captions_[kInputCount] = {};
  QLabel* units_[kInputCount] = {};
  QLabel* topologyCaption_ = nullptr;
  QTableWidget* table_ = nullptr;
  QLabel* result_ = nullptr;
  QPushButton* apply_ = nullptr;
  QPushButton* advise_ = nullptr;
  QPushButton* close_ = nullptr;
  std::function<void()> openAdviser_;
  DetailsConfig* kept_ = nullptr;
  std::optional<converter::ConverterRequest> followed_;  // the design's request last shown
};

}  // namespace velmora::gui
