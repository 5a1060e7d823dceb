// SPDX-License-Identifier: GPL-3.0-or-later
// "Рассчитать!": the window hands its texts, the selected core and material
// and the wire table to the calculation and shows what comes back.
#include "app/ControlIds.h"
#include "app/DesignWindows.h"
#include "app/VelmoraDlg.h"
#include "present/InputTable.h"
#include "present/ResultTable.h"
#include "present/ShownResults.h"

namespace velmora {

namespace {

// The run's texts into the labels: those of the wire choice, or all the
// others.
void Take(ResultTexts& labels, const ResultTexts& texts, bool wireChoice) {
  for (std::size_t i = 0; i < kResultCount; ++i) {
    if ((ResultLines()[i].stage == ResultStage::WireChoice) != wireChoice) continue;
    if (texts.Value(i)) labels.Value(i) = texts.Value(i);
    if (texts.Extra(i)) labels.Extra(i) = texts.Extra(i);
  }
}

}  // namespace

void CVelmoraDlg::Calculate() {
  UpdateData(true);
  SetNotice({});  // said of the design before this run

  const ChokeInputs in = ChokeInputsOf(settings_);

  // The selected list entry names the material, also the no-data one whose
  // record still holds the data of the material before it.
  material_.name = settings_.mater;
  const ChokeContext context{cores_.Core(), material_, wires_, lossLimit_, noDataName_};
  const ShownResults& r = lastCalculation_.emplace(CalculateShown(in, context, lang_));
  lastInputs_ = in;
  // The record keeps the permeability of a no-data run: the window shows and
  // saves the material as the run used it.
  if (r.noData) material_.mu = r.mu;

  // Inputs the run rewrote: decimal points, the corrected nominal current, the
  // wire size taken from the table.
  TakeCorrectedFields(r.fields, settings_);
  SetResultsBasis(!r.Stopped());

  Take(labels_, r.texts, false);
  if (r.spinPos) SetSpinPos(ids::IDC_SPIN_WIRE, *r.spinPos);

  // Copies: the record may be replaced while a box is open.
  const std::vector<velmora::Message> messages = r.messages;
  const ResultTexts texts = r.texts;
  std::size_t next = 0;
  // The wire notice comes at its point of the run, the first message of a run
  // that reaches the wire choice: the window then shows the texts so far, the
  // wire, its count, the current density and the fill factor still those of
  // the run before.
  if (r.wireNotice && !messages.empty()) {
    UpdateData(false);
    MessageBox(messages[0].text, messages[0].caption, ui::MbType::Ok);
    next = 1;
  }
  Take(labels_, texts, true);
  UpdateData(false);
  RefreshResultsCurrent();
  ShowResultWarnings(*lastCalculation_);
  if (designWindows_) designWindows_->OnCalculated(*this);
  for (; next < messages.size(); ++next) MessageBox(messages[next].text, messages[next].caption, ui::MbType::Ok);
}

void CVelmoraDlg::CalculateUnlessCurrent() {
  UpdateData(true);
  RefreshResultsCurrent();
  // A material is only ever changed with a calculation.
  if (resultsCurrent_ && lastCalculation_ && lastInputs_ && *lastInputs_ == ChokeInputsOf(settings_)) return;
  Calculate();
}

}  // namespace velmora
