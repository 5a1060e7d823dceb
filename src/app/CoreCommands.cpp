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

namespace velmora {

using namespace ids;

namespace {

constexpr int kDimensionEdits[] = {IDC_DIM_A, IDC_DIM_B, IDC_DIM_C, IDC_DIM_D, IDC_DIM_H, IDC_DIM_h, IDC_DIM_I};

// How many of A, B, C, D, H, h, I a shape's formulas take.
int DimensionsOfShape(int shape) {
  switch (shape) {
    case kShapeE:
    case kShapeER:
    case kShapeETD:
      return 6;
    case kShapeEI:
      return 7;
    case kShapeR:
      return 3;
    default:
      return 0;
  }
}

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

void CVelmoraDlg::EnableDimensionEditsForShape(int shape) {
  const int used = DimensionsOfShape(shape);
  for (int i = 0; i < 7; ++i) EnableItem(kDimensionEdits[i], i < used);
}

void CVelmoraDlg::EnableDataEdits(bool enable) {
  for (int id : {IDC_DATA_MU, IDC_DATA_AE, IDC_DATA_AN, IDC_DATA_LE}) EnableItem(id, enable);
  EnableItem(IDC_DATA_VE, false);  // the volume is always computed
}

void CVelmoraDlg::ClearCoreTexts() {
  dims_ = DimensionTexts{};
  aeText_.clear();
  anText_.clear();
  leText_.clear();
  veText_.clear();
  muText_.clear();
}

// ---- reading and listing -------------------------------------------------------

void CVelmoraDlg::ReadCoreDatabase() {
  if (!file_.Load(constants::kCoreDatabaseFile, OpenMode::ReadOnly)) {
    Message(lang_[kFileNotFound] + " " + constants::kCoreDatabaseFile);
    return;
  }
  ResetContent(IDC_COMBO_CORE);
  coreDb_ = file_.Text();
}

void CVelmoraDlg::FillCoreList() {
  UpdateData(true);
  // The list sorts its entries; handing them over in sorted order (stable, as
  // the list keeps equal names) keeps each insertion at the end.
  std::vector<std::string> names = ListCoreNames(coreDb_, shape_);
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return ui::CompareNoCase(a, b) < 0; });
  // The view hears of the new list once, not once per entry.
  ui::DialogObserver* observer = Observer();
  SetObserver(nullptr);
  ResetContent(IDC_COMBO_CORE);
  for (const std::string& name : names) AddString(IDC_COMBO_CORE, name);
  SetObserver(observer);
  NotifyChanged(IDC_COMBO_CORE);
}

void CVelmoraDlg::SelectCoreByName() {
  shape_ = ShapeOfName(settings_.core);
  UpdateData(false);
  FillCoreList();
  const int found = FindString(IDC_COMBO_CORE, -1, settings_.core);
  if (found >= 0) rememberedPos_ = found;
  // A core that is not in the list: the remembered entry, else the first.
  if (rememberedPos_ < 0 || rememberedPos_ >= GetCount(IDC_COMBO_CORE))
    rememberedPos_ = GetCount(IDC_COMBO_CORE) > 0 ? 0 : -1;
  SetCurSel(IDC_COMBO_CORE, rememberedPos_);
  ShowSelectedCore();
}

void CVelmoraDlg::ShowSelectedCore() {
  if (GetCheck(IDC_CHECK_ADD_DIMS) || GetCheck(IDC_CHECK_ADD_DATA)) return;
  UpdateData(true);
  rememberedPos_ = GetCurSel(IDC_COMBO_CORE);
  if (rememberedPos_ < 0) return;
  currentCore_ = GetLBText(IDC_COMBO_CORE, rememberedPos_);

  const CoreTexts texts = ReadCoreTexts(coreDb_, currentCore_);
  aeText_ = texts.Ae;
  anText_ = texts.An;
  leText_ = texts.le;
  muText_ = texts.mu;
  core_ = CoreFromTexts(currentCore_, texts);
  veText_ = FormatVolume(core_);

  UpdateData(false);
  Calculate();
}

void CVelmoraDlg::RestoreCoreSelection() {
  // In an add mode the typed text is the new core's name.
  if (GetCheck(IDC_CHECK_ADD_DIMS) || GetCheck(IDC_CHECK_ADD_DATA)) return;
  SetCurSel(IDC_COMBO_CORE, rememberedPos_);
  UpdateData(false);
}

// ---- add modes ---------------------------------------------------------------------

void CVelmoraDlg::ToggleAddByDimensions() {
  UpdateData(true);
  if (GetCheck(IDC_CHECK_ADD_DIMS)) {
    if (shape_ == kShapeOther) {
      SetCheck(IDC_CHECK_ADD_DIMS, 0);  // no formulas for this shape
    } else {
      EnableItem(IDC_DATA_AE, false);
      EnableItem(IDC_DATA_AN, false);
      EnableItem(IDC_DATA_LE, false);
      EnableItem(IDC_DATA_MU, true);
      EnableDimensionEditsForShape(shape_);
      SetCheck(IDC_CHECK_ADD_DATA, 0);
      ClearCoreTexts();
    }
    SetCurSel(IDC_COMBO_CORE, -1);
  } else {
    EnableDimensionEdits(false);
    EnableItem(IDC_DATA_MU, false);
    SetCurSel(IDC_COMBO_CORE, rememberedPos_);
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
    ClearCoreTexts();
    SetCurSel(IDC_COMBO_CORE, -1);
  } else {
    EnableDataEdits(false);
    SetCurSel(IDC_COMBO_CORE, rememberedPos_);
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
  if (options_.suppressWrites) return coreDb_;
  const std::string folder = FolderOf(constants::kCoreDatabaseFile);
  lock = FileLock::Exclusive(folder, std::chrono::milliseconds(constants::kDatabaseLockWaitMs));
  // A folder that cannot be opened or a file system without locks still
  // lets the change go ahead, unguarded; a lock held by a hung window does not.
  if (!lock.Held() && lock.Error() != LockError::CannotOpen && lock.Error() != LockError::Unsupported) {
    ReportWriteFailure(constants::kCoreDatabaseFile);
    return std::nullopt;
  }
  if (auto text = ReadWholeFile(constants::kCoreDatabaseFile, OpenMode::ReadOnly)) return text;
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

  std::string name = GetItemText(IDC_COMBO_CORE);
  if (name.empty()) {
    Message(lang_[kAddCoreNameEmpty]);
    return;
  }
  if (muText_.empty()) {
    Message(lang_[kAddCoreMuEmpty]);
    return;
  }
  // A name the file format cannot hold would break every record after it.
  if (!IsValidCoreName(name)) {
    Message(lang_[kCoreNameRefused]);
    return;
  }
  name = WithShapePrefix(name, shape_);
  // A second record of the same name could never be selected or deleted.
  if (HasCoreRecord(coreDb_, name)) {
    Message(lang_[kCoreNameTaken]);
    return;
  }

  if (byDims) {
    // Shape other has no formulas (it may have been chosen after ticking the
    // box): nothing stale from an earlier core is written.
    const auto geometry = shape_ == kShapeOther ? std::nullopt : ComputeCoreGeometry(shape_, dims_);
    if (!geometry) {
      Message(lang_[kAddCoreDimensionEmpty]);
      return;
    }
    dims_ = geometry->dims;
    aeText_ = geometry->AeText;
    anText_ = geometry->AnText;
    leText_ = geometry->leText;
  } else if (aeText_.empty() || anText_.empty() || leText_.empty()) {
    Message(lang_[kAddCoreDataEmpty]);
    return;
  }
  // A line break in a value would end its line early and break the record.
  for (const std::string* value : {&aeText_, &anText_, &leText_, &muText_}) {
    if (!IsValidCoreValue(*value)) {
      Message(lang_[kCoreValueRefused]);
      return;
    }
  }

  FileLock lock;
  std::optional<std::string> onDisk = ReadDatabaseForChange(lock);
  // Another window may have added the same name meanwhile.
  if (onDisk && HasCoreRecord(*onDisk, name)) {
    Message(lang_[kCoreNameTaken]);
    onDisk.reset();
  }
  if (!onDisk) {  // the database and the list stay as they were; the add mode stays on
    UpdateData(false);
    return;
  }
  // A record starts on a line of its own, also after a file edited by hand
  // whose last line has no line break.
  std::string text = std::move(*onDisk);
  if (!text.empty() && text.back() != '\n') text += "\r\n";
  text += FormatCoreRecord(name, aeText_, anText_, leText_, muText_);
  if (!WriteCoreDatabase(text)) {
    UpdateData(false);
    return;
  }
  lock.Release();
  coreDb_ = std::move(text);
  settings_.core = name;  // the core to select

  SetCheck(IDC_CHECK_ADD_DIMS, 0);
  SetCheck(IDC_CHECK_ADD_DATA, 0);
  EnableDimensionEdits(false);
  EnableDataEdits(false);

  FillCoreList();
  rememberedPos_ = FindString(IDC_COMBO_CORE, -1, name);
  SetCurSel(IDC_COMBO_CORE, rememberedPos_);
  UpdateData(false);
  ShowSelectedCore();
  InvalidatePicture();
}

void CVelmoraDlg::DeleteCore() {
  if (Message(lang_[kDeleteCoreQuestion], ui::MbType::OkCancel) != ui::IDOK) return;
  rememberedPos_ = GetCurSel(IDC_COMBO_CORE);
  if (rememberedPos_ < 0) return;
  const std::string name = GetLBText(IDC_COMBO_CORE, rememberedPos_);

  FileLock lock;
  std::optional<std::string> onDisk = ReadDatabaseForChange(lock);
  if (!onDisk) return;  // database and list unchanged
  // A record another window deleted meanwhile leaves the text as it is.
  std::string text = RemoveCoreRecord(*onDisk, name);
  if (!WriteCoreDatabase(text)) return;
  lock.Release();
  coreDb_ = std::move(text);
  FillCoreList();
}

}  // namespace velmora
