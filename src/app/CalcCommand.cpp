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

void CVelmoraDlg::Calculate() {
  UpdateData(true);
  SetItemText(ids::IDC_NOTICE, {});  // said of the design before this run
  AddTool(ids::IDC_NOTICE, {});
  const ShownResults& r = model_.Calculate();
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
  model_.TakeLabels(texts, true);
  UpdateData(false);
  RefreshResultsCurrent();
  // A warning's label stays in the warning colour until the next run, with
  // the limit it broke in its tooltip.
  for (const ShownText& tip : model_.ResultWarningTips(*model_.LastCalculation())) {
    SetItemWarned(tip.id, !tip.text.empty());
    AddTool(tip.id, tip.text);
  }
  if (designWindows_) designWindows_->OnCalculated(*this);
  for (; next < messages.size(); ++next) MessageBox(messages[next].text, messages[next].caption, ui::MbType::Ok);
}

void CVelmoraDlg::CalculateUnlessCurrent() {
  UpdateData(true);
  RefreshResultsCurrent();
  if (!model_.CalculatedAsHeld()) Calculate();
}

}  // namespace velmora
