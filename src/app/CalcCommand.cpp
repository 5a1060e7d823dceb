// SPDX-License-Identifier: GPL-3.0-or-later
// "Рассчитать!": the window hands its texts, the selected core and material
// and the wire table to the calculation and shows what comes back.
#include "app/CalcInputs.h"
#include "app/ControlIds.h"
#include "app/DesignWindows.h"
#include "app/VelmoraDlg.h"
#include "present/ShownResults.h"

namespace velmora {

namespace {

void Take(std::string& label, const std::optional<std::string>& text) {
  if (text) label = *text;
}

}  // namespace

void CVelmoraDlg::Calculate() {
  UpdateData(true);

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

  const ResultTexts& t = r.texts;
  Take(labels_.limit, t.limit);
  Take(labels_.mue, t.mue);
  Take(labels_.al, t.al);
  Take(labels_.turns, t.turns);
  Take(labels_.Bpk, t.Bpk);
  Take(labels_.Bac, t.Bac);
  Take(labels_.Ipk, t.Ipk);
  Take(labels_.dI, t.dI);
  Take(labels_.Lact, t.Lact);
  Take(labels_.LactUnit, t.LactUnit);
  Take(labels_.Pcore, t.coreLoss);
  Take(labels_.required, t.required);
  if (r.spinPos) SetSpinPos(ids::IDC_SPIN_WIRE, *r.spinPos);

  // Copies: the record may be replaced while a box is open.
  const std::vector<velmora::Message> messages = r.messages;
  const std::optional<std::string> wire = t.wire, wires = t.wires, Jact = t.Jact, fill = t.fill;
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
  Take(labels_.wire, wire);
  Take(labels_.wires, wires);
  Take(labels_.Jact, Jact);
  Take(labels_.fill, fill);
  UpdateData(false);
  RefreshResultsCurrent();
  if (designWindows_) designWindows_->OnCalculated(*this);
  for (; next < messages.size(); ++next) MessageBox(messages[next].text, messages[next].caption, ui::MbType::Ok);
}

}  // namespace velmora
