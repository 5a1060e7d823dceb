// SPDX-License-Identifier: GPL-3.0-or-later
// What the shown results belong to, the commands that change or replace
// inputs without typing, and the one-step undo of a replacement.
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

// A design brought back by Undo or Redo whose core the database no longer
// holds (deleted since) shows another core of the list: the user is told
// which, naming both.
void TellCoreGone(CVelmoraDlg& dlg, const std::string& wanted) {
  const Workspace& model = dlg.Model();
  if (wanted.empty() || dlg.IsEnded() || ui::CompareNoCase(model.CurrentCore(), wanted) == 0) return;
  dlg.Message(DesignText(model.Lang(), "coreGone") + " " + wanted + ". " + DesignText(model.Lang(), "coreShown") + " " +
              model.CurrentCore());
}

}  // namespace

SettingsRecord CVelmoraDlg::InputsOnWindow() const {
  SettingsRecord record = model_.SettingsForWriting();
  for (const EditField& e : kInputEdits) record.*e.field = GetItemText(e.id);
  record.use = GetRadioIndex(IDC_RADIO_OUTPUT);
  record.gapChoice = GetRadioIndex(IDC_RADIO_GAP);
  record.yes_AWG = GetRadioIndex(IDC_RADIO_METRIC);
  record.us_Imin = GetCheck(IDC_CHECK_IMIN);
  record.use_D = GetCheck(IDC_CHECK_USE_D);
  return record;
}

void CVelmoraDlg::RefreshResultsCurrent() {
  if (IsEnded()) return;
  const bool current = model_.RefreshResultsCurrent(InputsOnWindow());
  for (const int id : kResultLabels) SetItemGreyed(id, !current);
  if (const std::string title = model_.Title(); !title.empty()) SetWindowText(current ? title : title + kOutOfDateMark);
}

void CVelmoraDlg::ReplaceInputs(const SettingsRecord& record) {
  model_.RememberForUndo(InputsOnWindow());
  ShowInputs(record);
}

void CVelmoraDlg::ChangeInputs(const std::function<void(Workspace&)>& change, InputsShown shown,
                               const char* noticeKey) {
  if (IsEnded()) return;
  const ChangeSnapshot before{InputsOnWindow(), GetItemText(IDC_RES_TURNS)};
  model_.RememberForUndo(before.inputs);  // Ctrl+Z brings back the inputs before
  UpdateData(true);
  change(model_);
  // As after Load: the material first, so the frequency is held to its table.
  if (shown != InputsShown::kInputs) ShowMaterial();
  UpdateData(false);
  ApplyMinimumCurrentPair();  // the inductance field usable again when the option went off
  const SettingsRecord& s = model_.Settings();
  ShowSwitchedCaptions(s.use, s.gapChoice, s.yes_AWG);
  if (shown == InputsShown::kAll) RebuildWireTable(s.yes_AWG == 1);
  if (shown == InputsShown::kInputs) {
    Calculate();
  } else {
    SelectCoreByName();  // ends with a calculation
    InvalidatePicture();
  }
  SetFocusItem(IDC_CALCULATE);
  if (!noticeKey || IsEnded()) return;
  // The whole text is in the tooltip too, should a language's line be cut.
  const std::string notice =
      model_.ChangeNotice(noticeKey, before, ChangeSnapshot{InputsOnWindow(), GetItemText(IDC_RES_TURNS)});
  SetItemText(IDC_NOTICE, notice);
  AddTool(IDC_NOTICE, notice);
}

void CVelmoraDlg::StepReplacement(bool undo) {
  std::optional<SettingsRecord> record = undo ? model_.TakeUndo(InputsOnWindow()) : model_.TakeRedo(InputsOnWindow());
  if (!record) return;
  ShowInputs(*record);
  TellCoreGone(*this, record->core);
}

// Everything the window shows follows the record, as after loading a design
// file. The material comes first: the frequency that reaches the window is
// held to the new material's last frequency, not to the one before.
void CVelmoraDlg::ShowInputs(SettingsRecord record) {
  SettingsRecord& s = model_.Settings();
  record.lang = s.lang;
  s = std::move(record);
  ShowMaterial();
  UpdateData(false);
  ApplyMinimumCurrentPair();
  ShowSwitchedCaptions(s.use, s.gapChoice, s.yes_AWG);
  RebuildWireTable(s.yes_AWG == 1);
  SelectCoreByName();  // ends with a calculation
  InvalidatePicture();
  SetFocusItem(IDC_CALCULATE);
}

}  // namespace velmora
