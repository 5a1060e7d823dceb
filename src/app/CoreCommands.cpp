// SPDX-License-Identifier: GPL-3.0-or-later
// The core database on the window: the list of a shape's cores, the selected
// core's data, and adding and deleting cores. Adding and deleting apply their
// change to the file as it is on disk, write it back whole, and take what was
// written as the workspace's copy.
#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "calc/Constants.h"
#include "textfile/FileLock.h"

namespace velmora {

using namespace ids;

namespace {

constexpr int kDimensionEdits[] = {IDC_DIM_A, IDC_DIM_B, IDC_DIM_C, IDC_DIM_D, IDC_DIM_H, IDC_DIM_h, IDC_DIM_I};

}  // namespace

void CVelmoraDlg::EnableCoreEdits(int dimensions, bool data) {
  for (int i = 0; i < 7; ++i) EnableItem(kDimensionEdits[i], i < dimensions);
  for (int id : {IDC_DATA_AE, IDC_DATA_AN, IDC_DATA_LE}) EnableItem(id, data);
  EnableItem(IDC_DATA_MU, data || GetCheck(IDC_CHECK_ADD_DIMS));
  EnableItem(IDC_DATA_VE, false);  // the volume is always computed
}

// ---- listing and selecting ---------------------------------------------------------

void CVelmoraDlg::FillCoreList() {
  UpdateData(true);
  const std::vector<std::string> names = model_.Cores().ListNames();
  // The view hears of the new list once, not once per entry.
  ui::DialogObserver* observer = Observer();
  SetObserver(nullptr);
  ResetContent(IDC_COMBO_CORE);
  for (const std::string& name : names) AddString(IDC_COMBO_CORE, name);
  SetObserver(observer);
  NotifyChanged(IDC_COMBO_CORE);
}

// Shape from the core to select, list for that shape, the entry selected
// (or the remembered one, else the first), its data shown and calculated.
void CVelmoraDlg::SelectCoreByName() {
  CoreDatabaseState& cores = model_.Cores();
  cores.shape = ShapeOfName(model_.Settings().core);
  UpdateData(false);
  FillCoreList();
  const int found = FindString(IDC_COMBO_CORE, -1, model_.Settings().core);
  SetCurSel(IDC_COMBO_CORE, cores.SelectByName(found, GetCount(IDC_COMBO_CORE)));
  ShowSelectedCore();
}

void CVelmoraDlg::ShowSelectedCore() {
  if (GetCheck(IDC_CHECK_ADD_DIMS) || GetCheck(IDC_CHECK_ADD_DATA)) return;
  UpdateData(true);
  CoreDatabaseState& cores = model_.Cores();
  cores.Remember(GetCurSel(IDC_COMBO_CORE));
  if (cores.RememberedPosition() < 0) return;
  cores.Show(GetLBText(IDC_COMBO_CORE, cores.RememberedPosition()));
  UpdateData(false);
  Calculate();
}

// ---- add modes ---------------------------------------------------------------------

void CVelmoraDlg::ToggleAddMode(bool byDimensions) {
  UpdateData(true);
  CoreDatabaseState& cores = model_.Cores();
  const int check = byDimensions ? IDC_CHECK_ADD_DIMS : IDC_CHECK_ADD_DATA;
  if (GetCheck(check)) {
    if (byDimensions && cores.shape == kShapeOther) {
      SetCheck(check, 0);  // no formulas for this shape
    } else {
      SetCheck(byDimensions ? IDC_CHECK_ADD_DATA : IDC_CHECK_ADD_DIMS, 0);
      EnableCoreEdits(byDimensions ? cores.DimensionsUsed() : 0, !byDimensions);
      cores.ClearTexts();
    }
    SetCurSel(IDC_COMBO_CORE, -1);
  } else {
    EnableCoreEdits(0, false);
    SetCurSel(IDC_COMBO_CORE, cores.RememberedPosition());
    ShowSelectedCore();
  }
  UpdateData(false);
  InvalidatePicture();
}

// ---- add and delete ------------------------------------------------------------------

bool CVelmoraDlg::ChangeDatabase(const std::function<std::optional<std::string>(std::string)>& change) {
  FileLock lock;
  DatabaseRefusal why = DatabaseRefusal::kNone;
  std::optional<std::string> onDisk = model_.ReadDatabaseForChange(lock, why);
  if (why == DatabaseRefusal::kInUse) Message(model_.Lang()[kDatabaseInUse] + " " + constants::kCoreDatabaseFile);
  else if (why == DatabaseRefusal::kCannotWrite) ReportWriteFailure(constants::kCoreDatabaseFile);
  std::optional<std::string> text = onDisk ? change(std::move(*onDisk)) : std::nullopt;
  if (!text) return false;
  if (!model_.WriteFile(constants::kCoreDatabaseFile, *text)) {
    ReportWriteFailure(constants::kCoreDatabaseFile);
    return false;
  }
  lock.Release();
  model_.Cores().SetText(std::move(*text));
  return true;
}

void CVelmoraDlg::AddCore() {
  const bool byDims = GetCheck(IDC_CHECK_ADD_DIMS) != 0;
  if (!byDims && !GetCheck(IDC_CHECK_ADD_DATA)) return;
  UpdateData(true);
  CoreDatabaseState& cores = model_.Cores();
  const CoreDatabaseState::PreparedAdd add = cores.PrepareAdd(GetItemText(IDC_COMBO_CORE), byDims);
  if (add.refusal) {
    Message(model_.Lang()[*add.refusal]);
    return;
  }
  const bool added = ChangeDatabase([&](std::string onDisk) {
    std::optional<std::string> text = cores.WithRecord(std::move(onDisk), add.name);
    if (!text) Message(model_.Lang()[kCoreNameTaken]);  // another window added it meanwhile
    return text;
  });
  // Not written: the database and the list stay as they were, and so does the add mode.
  if (!added) {
    UpdateData(false);
    return;
  }
  model_.Settings().core = add.name;  // the core to select
  SetCheck(IDC_CHECK_ADD_DIMS, 0);
  SetCheck(IDC_CHECK_ADD_DATA, 0);
  EnableCoreEdits(0, false);
  FillCoreList();
  cores.Remember(FindString(IDC_COMBO_CORE, -1, add.name));
  SetCurSel(IDC_COMBO_CORE, cores.RememberedPosition());
  UpdateData(false);
  ShowSelectedCore();
  InvalidatePicture();
}

void CVelmoraDlg::DeleteCore() {
  if (Message(model_.Lang()[kDeleteCoreQuestion], ui::MbType::OkCancel) != ui::IDOK) return;
  CoreDatabaseState& cores = model_.Cores();
  cores.Remember(GetCurSel(IDC_COMBO_CORE));
  if (cores.RememberedPosition() < 0) return;
  const std::string name = GetLBText(IDC_COMBO_CORE, cores.RememberedPosition());
  // A record another window deleted meanwhile leaves the text as it is.
  if (ChangeDatabase(
          [&name](std::string onDisk) { return std::optional<std::string>(RemoveCoreRecord(onDisk, name)); }))
    FillCoreList();
}

}  // namespace velmora
