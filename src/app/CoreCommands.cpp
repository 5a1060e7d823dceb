// SPDX-License-Identifier: GPL-3.0-or-later
// The core database on the window: the list of a shape's cores, the selected
// core's data, and adding and deleting cores. Adding and deleting apply their
// change to the file as it is on disk, write it back whole, and take what was
// written as the window's copy.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>

#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "calc/Constants.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"
#include "textfile/FileLock.h"
#include "textfile/Limits.h"

namespace velmora {

using namespace ids;

namespace {

constexpr int kDimensionEdits[] = {IDC_DIM_A, IDC_DIM_B, IDC_DIM_C, IDC_DIM_D, IDC_DIM_H, IDC_DIM_h, IDC_DIM_I};

// True when anything stands under the name (letter case ignored, as the
// readers find names), also what cannot be read or a dangling link.
bool NameTaken(const std::string& name) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(ResolveNameNoCase(name), ec));
}

}  // namespace

// ---- enable states -------------------------------------------------------------

void CVelmoraDlg::EnableDimensionEdits(bool enable) {
  for (int id : kDimensionEdits) EnableItem(id, enable);
}

void CVelmoraDlg::EnableDimensionEditsForShape() {
  const int used = cores_.DimensionsUsed();
  for (int i = 0; i < 7; ++i) EnableItem(kDimensionEdits[i], i < used);
}

void CVelmoraDlg::EnableDataEdits(bool enable) {
  for (int id : {IDC_DATA_MU, IDC_DATA_AE, IDC_DATA_AN, IDC_DATA_LE}) EnableItem(id, enable);
  EnableItem(IDC_DATA_VE, false);  // the volume is always computed
}

// ---- reading and listing -------------------------------------------------------

void CVelmoraDlg::ReadCoreDatabase() {
  if (!file_.Load(constants::kCoreDatabaseFile, constants::kMaxCoreDatabaseBytes, OpenMode::ReadOnly)) {
    Message(lang_[kFileNotFound] + " " + constants::kCoreDatabaseFile);
    return;
  }
  ResetContent(IDC_COMBO_CORE);
  cores_.SetText(file_.Text());
}

void CVelmoraDlg::FillCoreList() {
  UpdateData(true);
  const std::vector<std::string> names = cores_.ListNames();
  // The view hears of the new list once, not once per entry.
  ui::DialogObserver* observer = Observer();
  SetObserver(nullptr);
  ResetContent(IDC_COMBO_CORE);
  for (const std::string& name : names) AddString(IDC_COMBO_CORE, name);
  SetObserver(observer);
  NotifyChanged(IDC_COMBO_CORE);
}

void CVelmoraDlg::SelectCoreByName() {
  cores_.shape = ShapeOfName(settings_.core);
  UpdateData(false);
  FillCoreList();
  const int found = FindString(IDC_COMBO_CORE, -1, settings_.core);
  SetCurSel(IDC_COMBO_CORE, cores_.SelectByName(found, GetCount(IDC_COMBO_CORE)));
  ShowSelectedCore();
}

void CVelmoraDlg::ShowSelectedCore() {
  if (GetCheck(IDC_CHECK_ADD_DIMS) || GetCheck(IDC_CHECK_ADD_DATA)) return;
  UpdateData(true);
  cores_.Remember(GetCurSel(IDC_COMBO_CORE));
  if (cores_.RememberedPosition() < 0) return;
  cores_.Show(GetLBText(IDC_COMBO_CORE, cores_.RememberedPosition()));
  UpdateData(false);
  Calculate();
}

void CVelmoraDlg::RestoreCoreSelection() {
  // In an add mode the typed text is the new core's name.
  if (GetCheck(IDC_CHECK_ADD_DIMS) || GetCheck(IDC_CHECK_ADD_DATA)) return;
  SetCurSel(IDC_COMBO_CORE, cores_.RememberedPosition());
  UpdateData(false);
}

// ---- add modes ---------------------------------------------------------------------

void CVelmoraDlg::ToggleAddByDimensions() {
  UpdateData(true);
  if (GetCheck(IDC_CHECK_ADD_DIMS)) {
    if (cores_.shape == kShapeOther) {
      SetCheck(IDC_CHECK_ADD_DIMS, 0);  // no formulas for this shape
    } else {
      EnableItem(IDC_DATA_AE, false);
      EnableItem(IDC_DATA_AN, false);
      EnableItem(IDC_DATA_LE, false);
      EnableItem(IDC_DATA_MU, true);
      EnableDimensionEditsForShape();
      SetCheck(IDC_CHECK_ADD_DATA, 0);
      cores_.ClearTexts();
    }
    SetCurSel(IDC_COMBO_CORE, -1);
  } else {
    EnableDimensionEdits(false);
    EnableItem(IDC_DATA_MU, false);
    SetCurSel(IDC_COMBO_CORE, cores_.RememberedPosition());
    ShowSelectedCore();
  }
  UpdateData(false);
  InvalidatePicture();
}

void CVelmoraDlg::ToggleAddByData() {
  UpdateData(true);
  if (GetCheck(IDC_CHECK_ADD_DATA)) {
    EnableDimensionEdits(false);
    EnableDataEdits(true);
    SetCheck(IDC_CHECK_ADD_DIMS, 0);
    cores_.ClearTexts();
    SetCurSel(IDC_COMBO_CORE, -1);
  } else {
    EnableDataEdits(false);
    SetCurSel(IDC_COMBO_CORE, cores_.RememberedPosition());
    ShowSelectedCore();
  }
  UpdateData(false);
  InvalidatePicture();
}

// ---- add and delete ------------------------------------------------------------------

// Another window (of this process or another) may have changed the database
// since it was read: a change is applied to the file as it is on disk, under a
// lock on its folder (which, unlike the file, no write ever replaces), held
// from the read to the rename.
std::optional<std::string> CVelmoraDlg::ReadDatabaseForChange(FileLock& lock) {
  // Nothing reaches the disk: the change applies to the window's copy.
  if (options_.suppressWrites) return cores_.Text();
  const std::string folder = FolderOf(constants::kCoreDatabaseFile);
  lock = FileLock::Exclusive(folder, std::chrono::milliseconds(constants::kDatabaseLockWaitMs));
  // A folder that cannot be opened or a file system without locks still
  // lets the change go ahead, unguarded; a lock another holder keeps does not.
  if (lock.Error() == LockError::Busy) {
    Message(lang_[kDatabaseInUse] + " " + constants::kCoreDatabaseFile);
    return std::nullopt;
  }
  if (!lock.Held() && lock.Error() != LockError::CannotOpen && lock.Error() != LockError::Unsupported) {
    ReportWriteFailure(constants::kCoreDatabaseFile);
    return std::nullopt;
  }
  if (auto text = ReadWholeFile(constants::kCoreDatabaseFile, constants::kMaxCoreDatabaseBytes, OpenMode::ReadOnly))
    return text;
  // Missing (also when it was missing at start-up): the change makes the file.
  // There but unreadable: nothing may replace what cannot be seen.
  if (!NameTaken(constants::kCoreDatabaseFile)) return std::string();
  ReportWriteFailure(constants::kCoreDatabaseFile);
  return std::nullopt;
}

bool CVelmoraDlg::WriteCoreDatabase(const std::string& text) {
  if (WriteFile(constants::kCoreDatabaseFile, text)) return true;
  ReportWriteFailure(constants::kCoreDatabaseFile);
  return false;
}

void CVelmoraDlg::AddCore() {
  const bool byDims = GetCheck(IDC_CHECK_ADD_DIMS) != 0;
  if (!byDims && !GetCheck(IDC_CHECK_ADD_DATA)) return;
  UpdateData(true);

  const CoreDatabaseState::PreparedAdd add = cores_.PrepareAdd(GetItemText(IDC_COMBO_CORE), byDims);
  if (add.refusal) {
    Message(lang_[*add.refusal]);
    return;
  }

  FileLock lock;
  std::optional<std::string> onDisk = ReadDatabaseForChange(lock);
  std::optional<std::string> text = onDisk ? cores_.WithRecord(std::move(*onDisk), add.name) : std::nullopt;
  if (onDisk && !text) Message(lang_[kCoreNameTaken]);  // another window added it meanwhile
  // Not written: the database and the list stay as they were, and so does the add mode.
  if (!text || !WriteCoreDatabase(*text)) {
    UpdateData(false);
    return;
  }
  lock.Release();
  cores_.SetText(std::move(*text));
  settings_.core = add.name;  // the core to select

  SetCheck(IDC_CHECK_ADD_DIMS, 0);
  SetCheck(IDC_CHECK_ADD_DATA, 0);
  EnableDimensionEdits(false);
  EnableDataEdits(false);

  FillCoreList();
  cores_.Remember(FindString(IDC_COMBO_CORE, -1, add.name));
  SetCurSel(IDC_COMBO_CORE, cores_.RememberedPosition());
  UpdateData(false);
  ShowSelectedCore();
  InvalidatePicture();
}

void CVelmoraDlg::DeleteCore() {
  if (Message(lang_[kDeleteCoreQuestion], ui::MbType::OkCancel) != ui::IDOK) return;
  cores_.Remember(GetCurSel(IDC_COMBO_CORE));
  if (cores_.RememberedPosition() < 0) return;
  const std::string name = GetLBText(IDC_COMBO_CORE, cores_.RememberedPosition());

  FileLock lock;
  std::optional<std::string> onDisk = ReadDatabaseForChange(lock);
  if (!onDisk) return;  // database and list unchanged
  // A record another window deleted meanwhile leaves the text as it is.
  std::string text = RemoveCoreRecord(*onDisk, name);
  if (!WriteCoreDatabase(text)) return;
  lock.Release();
  cores_.SetText(std::move(text));
  FillCoreList();
}

}  // namespace velmora
