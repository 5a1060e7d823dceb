// SPDX-License-Identifier: GPL-3.0-or-later
// What the shown results belong to, and the one-step undo of a command that
// replaces every input (Load, "Use this design").
#include <cmath>

#include "app/ControlIds.h"
#include "app/DesignTexts.h"
#include "app/VelmoraDlg.h"
#include "present/InputTable.h"

namespace velmora {

using namespace ids;

namespace {

// Appended to the window title while the results are out of date.
constexpr const char* kOutOfDateMark = " *";

// The labels a calculation fills and the units beside them; greyed while
// they do not belong to the inputs the window shows.
constexpr int kResultLabels[] = {IDC_RES_REQUIRED, IDC_UNIT_REQUIRED, IDC_RES_AL,     IDC_RES_MUE,   IDC_RES_LACT,
                                 IDC_UNIT_LACT,    IDC_RES_BPK,       IDC_UNIT_BPK,   IDC_RES_LIMIT, IDC_RES_BAC,
                                 IDC_UNIT_BAC,     IDC_RES_PCORE,     IDC_UNIT_PCORE, IDC_RES_TURNS, IDC_RES_WIRE,
                                 IDC_UNIT_WIRE,    IDC_RES_WIRES,     IDC_RES_FILL,   IDC_RES_JACT,  IDC_UNIT_JACT,
                                 IDC_RES_IPK,      IDC_UNIT_IPK,      IDC_RES_DI,     IDC_UNIT_DI};

struct EditField {
  int id;
  std::string SettingsRecord::*field;
};
constexpr EditField kInputEdits[] = {{IDC_EDIT_ZAZOR, &SettingsRecord::gapOrAl},
                                     {IDC_EDIT_L, &SettingsRecord::L},
                                     {IDC_EDIT_U1, &SettingsRecord::voltageSwitchOn},
                                     {IDC_EDIT_U2, &SettingsRecord::Udc},
                                     {IDC_EDIT_INOM, &SettingsRecord::Inom},
                                     {IDC_EDIT_IMIN, &SettingsRecord::Imin},
                                     {IDC_EDIT_FC, &SettingsRecord::Fc},
                                     {IDC_EDIT_J, &SettingsRecord::j},
                                     {IDC_EDIT_DPROV, &SettingsRecord::wireSize}};

bool SameNumber(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

// The numbers a run reads from the record; a field the choices leave unread
// counts as 0.
InputNumbers ReadNumbers(const SettingsRecord& record) {
  const ChokeInputs in = ChokeInputsOf(record);
  InputNumbers v = ReadInputNumbers(in);
  if (in.minimumCurrent() == MinimumCurrent::SetsInductance) v.L = 0;
  else v.Imin = 0;
  if (!in.use_D) v.wire = 0;
  return v;
}

bool SameCore(const CoreRecord& a, const CoreRecord& b) {
  return a.name == b.name && SameNumber(a.Ae, b.Ae) && SameNumber(a.An, b.An) && SameNumber(a.le, b.le) &&
         SameNumber(a.mu, b.mu);
}

// Whether a calculation reads the same from both records.
bool SameForCalculation(const SettingsRecord& a, const SettingsRecord& b) {
  if (a.core != b.core || a.mater != b.mater || a.use != b.use || a.gapChoice != b.gapChoice ||
      a.us_Imin != b.us_Imin || a.use_D != b.use_D || a.yes_AWG != b.yes_AWG)
    return false;
  const InputNumbers x = ReadNumbers(a), y = ReadNumbers(b);
  return SameNumber(x.L, y.L) && SameNumber(x.Inom, y.Inom) && SameNumber(x.Imin, y.Imin) && SameNumber(x.U1, y.U1) &&
         SameNumber(x.U2, y.U2) && SameNumber(x.F, y.F) && SameNumber(x.J, y.J) && SameNumber(x.X, y.X) &&
         SameNumber(x.wire, y.wire);
}

// A design brought back by Undo or Redo whose core the database no longer
// holds (deleted since) shows another core of the list: the user is told
// which, naming both.
void TellCoreGone(CVelmoraDlg& dlg, const std::string& wanted) {
  if (wanted.empty() || dlg.IsEnded() || ui::CompareNoCase(dlg.CurrentCore(), wanted) == 0) return;
  dlg.Message(DesignText(dlg.Lang(), "coreGone") + " " + wanted + ". " + DesignText(dlg.Lang(), "coreShown") + " " +
              dlg.CurrentCore());
}

}  // namespace

SettingsRecord CVelmoraDlg::InputsOnWindow() const {
  SettingsRecord record = SettingsForWriting();
  for (const EditField& e : kInputEdits) record.*e.field = GetItemText(e.id);
  record.use = GetRadioIndex(IDC_RADIO_OUTPUT);
  record.gapChoice = GetRadioIndex(IDC_RADIO_GAP);
  record.yes_AWG = GetRadioIndex(IDC_RADIO_METRIC);
  record.us_Imin = GetCheck(IDC_CHECK_IMIN);
  record.use_D = GetCheck(IDC_CHECK_USE_D);
  return record;
}

void CVelmoraDlg::SetResultsBasis(bool complete) {
  if (complete) resultsBasis_ = ResultsBasis{SettingsForWriting(), cores_.Core()};
  else resultsBasis_.reset();
}

void CVelmoraDlg::RefreshResultsCurrent() {
  if (IsEnded()) return;
  resultsCurrent_ = resultsBasis_ && SameCore(resultsBasis_->core, cores_.Core()) &&
                    SameForCalculation(resultsBasis_->inputs, InputsOnWindow());
  for (const int id : kResultLabels) SetItemGreyed(id, !resultsCurrent_);
  if (!titleText_.empty()) SetWindowText(resultsCurrent_ ? titleText_ : titleText_ + kOutOfDateMark);
}

void CVelmoraDlg::BeforeReplacingInputs() {
  undo_ = InputsOnWindow();
  redo_.reset();
}

void CVelmoraDlg::ReplaceInputs(const SettingsRecord& record) {
  BeforeReplacingInputs();
  ShowInputs(record);
}

void CVelmoraDlg::UndoReplacement() {
  if (!undo_) return;
  const SettingsRecord back = *undo_;
  undo_.reset();
  redo_ = InputsOnWindow();
  ShowInputs(back);
  TellCoreGone(*this, back.core);
}

void CVelmoraDlg::RedoReplacement() {
  if (!redo_) return;
  const SettingsRecord again = *redo_;
  redo_.reset();
  undo_ = InputsOnWindow();
  ShowInputs(again);
  TellCoreGone(*this, again.core);
}

// Everything the window shows follows the record, as after loading a design
// file. The material comes first: the frequency that reaches the window is
// held to the new material's last frequency, not to the one before.
void CVelmoraDlg::ShowInputs(SettingsRecord record) {
  record.lang = settings_.lang;
  settings_ = std::move(record);
  LoadMaterialWithFallback();
  UpdateData(false);
  ApplyMinimumCurrentPair();
  ApplyCaptionSwitches();
  RebuildWireTable();
  SelectCoreByName();  // ends with a calculation
  InvalidatePicture();
  SetFocusItem(IDC_CALCULATE);
}

}  // namespace velmora
