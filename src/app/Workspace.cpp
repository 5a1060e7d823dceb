// SPDX-License-Identifier: GPL-3.0-or-later
// The workspace's operations: start-up data, language, material, wire table,
// core database, calculation, undo and the files written on exit.
#include "app/Workspace.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "app/ControlIds.h"
#include "app/ConverterRecord.h"
#include "app/SourceText.h"
#include "calc/Constants.h"
#include "present/InputTable.h"
#include "present/ResultTable.h"
#include "textfile/CaseFold.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"
#include "textfile/KeyedTextFile.h"
#include "textfile/Limits.h"
#include "textfile/Numbers.h"
#include "ui/Dialog.h"

namespace velmora {

namespace {

// The language names of the current folder: every "*.lng" file without its
// extension (the extension in any letter case, as the file lookup finds it),
// in Windows-1251, in a fixed order (case ignored), each name once. Names on
// disk are UTF-8; a name that Windows-1251 cannot hold could not be opened
// again and is left out.
std::vector<std::string> ListLanguages() {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code ec;
  const std::string ext = constants::kLanguageExtension;
  for (fs::directory_iterator it(".", ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeEc;
    if (!it->is_regular_file(typeEc)) continue;
    const std::string file = it->path().filename().string();
    if (file.size() <= ext.size() || FoldCaseCp1251(file.substr(file.size() - ext.size())) != ext) continue;
    if (auto name = Utf8ToCp1251(file.substr(0, file.size() - ext.size()))) names.push_back(std::move(*name));
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const int c = ui::CompareNoCase(a, b);
    return c != 0 ? c < 0 : a < b;
  });
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

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

// True when anything stands under the name (letter case ignored, as the
// readers find names), also what cannot be read or a dangling link.
bool NameTaken(const std::string& name) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(ResolveNameNoCase(name), ec));
}

}  // namespace

Workspace::Workspace(VelmoraOptions options) : options_(std::move(options)) {
  cores_.SetCurrentCore(settings_.core);
  for (std::size_t i = 0; i < kResultCount; ++i) {
    labels_.Value(i).emplace();
    labels_.Extra(i).emplace();
  }
}

// ---- the inputs ---------------------------------------------------------------------

SettingsRecord Workspace::SettingsForWriting() const {
  SettingsRecord record = settings_;
  record.core = cores_.CurrentCore();
  return record;
}

void Workspace::ReadStartSettings() {
  lossLimit_ = constants::kLossDensityLimit;
  ReadSettings(options_.settingsFile, true, settings_);
  for (const auto& [key, value] : options_.overrides) SetSettingsField(settings_, key, value);
  cores_.SetCurrentCore(settings_.core);  // kept when no core gets selected
  if (settings_.lang.empty()) settings_.lang = constants::kDefaultLanguage;
  if (settings_.mater.empty()) settings_.mater = constants::kFallbackMaterial;
}

void Workspace::HoldFrequencyToMaterial() {
  settings_.Fc = CommaToPoint(settings_.Fc);
  // The loss table reaches no further than its last frequency. Before the
  // first material's data (or for a material without a frequency list) there
  // is no limit.
  if (material_.nF > 0) {
    const double last = material_.LastFrequency();
    if (ReadLeadingDouble(settings_.Fc) > last) settings_.Fc = FormatFixed(last, 0);
  }
}

// ---- language ----------------------------------------------------------------------

bool Workspace::LoadLanguage() {
  LanguageTable table;
  if (!ReadLanguageFile(Cp1251ToUtf8(settings_.lang), table)) return false;
  lang_ = std::move(table);
  languageLoaded_ = true;
  curLangCmd_ = ids::kLanguageCommandBase;
  langCmdCount_ = 1;
  langFiles_ = ListLanguages();
  for (const std::string& name : langFiles_) {
    if (name == settings_.lang) curLangCmd_ = ids::kLanguageCommandBase + langCmdCount_;  // letter case counts
    ++langCmdCount_;
  }
  return true;
}

bool Workspace::ChooseLanguage(int id) {
  if (id == curLangCmd_ || id < ids::kLanguageCommandBase + 1 || id > ids::kLanguageCommandBase + langCmdCount_ - 1)
    return false;
  curLangCmd_ = id;
  // The name of the item's file, not the item's text: after a language file
  // could not be read, the item of the language before still shows that
  // language's MENU s4 text, which names no file.
  settings_.lang = langFiles_[static_cast<std::size_t>(id - ids::kLanguageCommandBase - 1)];
  return true;
}

std::string Workspace::Title() const {
  return languageLoaded_ ? lang_.title + " (" + lang_.version + " 5200)" : std::string();
}

bool Workspace::IsNoDataName(const std::string& name) const {
  if (name.empty()) return false;
  if (name == noDataName_ || name == lang_[kNoDataMaterialName]) return true;
  for (const std::string& language : ListLanguages())
    if (ReadLanguageSlot(Cp1251ToUtf8(language), kNoDataMaterialName) == name) return true;
  return false;
}

// ---- material -----------------------------------------------------------------------

std::vector<std::string> Workspace::MaterialsWithData() const {
  std::vector<std::string> names = materialList_;
  if (!names.empty()) names.pop_back();  // the no-data entry, always last
  return names;
}

std::string Workspace::ReadMaterialList() {
  KeyedTextFile file;
  if (!file.Load(constants::kMaterialListFile, constants::kMaxTextFileBytes))
    return Cp("В папке с программой отсутствует файл перечня применяемых в программе материалов.");
  programFolder_ = FolderOf(constants::kMaterialListFile);
  for (const std::string& name : ParseMaterialList(file.Text())) {
    if (!FileExists(DataFilePath("", Cp1251ToUtf8(name), ".txt")))
      return Cp("В папке с программой отсутствует файл ") + name + ".txt";
    materialList_.push_back(name);
  }
  // The no-data material, always the last entry; its text stays when the
  // language changes.
  noDataName_ = lang_[kNoDataMaterialName];
  materialList_.push_back(noDataName_);
  return {};
}

bool Workspace::LoadMaterialData() {
  return velmora::LoadMaterialData(DataFilePath(programFolder_, Cp1251ToUtf8(settings_.mater), ".txt"), material_);
}

bool Workspace::LoadMaterialWithFallback() {
  // A file saved with the no-data entry names it in the language of its day.
  if (IsNoDataName(settings_.mater)) {
    settings_.mater = noDataName_;
    return true;
  }
  if (!LoadMaterialData()) {
    settings_.mater = constants::kFallbackMaterial;
    LoadMaterialData();
  }
  return false;
}

void Workspace::ChooseMaterial(std::string name) {
  settings_.mater = std::move(name);
  LoadMaterialData();
}

// ---- wire table ----------------------------------------------------------------------

bool Workspace::ReadWireTable(bool awg) {
  if (awg) {
    wires_ = BuildAwgTable();
    return true;
  }
  return velmora::ReadWireTable(constants::kWireFile, wires_);
}

std::optional<int> Workspace::ConvertWireSize(bool toAwg) {
  if (!toAwg && wires_.entries.empty()) return std::nullopt;
  const UnitSwitchResult r =
      toAwg ? SwitchFieldToAwg(wires_, settings_.wireSize) : SwitchFieldToMetric(wires_, settings_.wireSize);
  settings_.wireSize = r.fieldText;
  wireSpin_ = r.spinPos;
  return r.spinPos;
}

bool Workspace::SpinWireSize(int position) {
  if (wires_.entries.empty()) return false;
  settings_.wireSize = SpinFieldText(wires_, settings_.yes_AWG == 1, position);
  wireSpin_ = position;
  return true;
}

int Workspace::WireSpin() const { return std::clamp(wireSpin_, 0, std::max(wires_.last(), 0)); }

// ---- core database ---------------------------------------------------------------------

bool Workspace::ReadCoreDatabase() {
  KeyedTextFile file;
  if (!file.Load(constants::kCoreDatabaseFile, constants::kMaxCoreDatabaseBytes, OpenMode::ReadOnly)) return false;
  cores_.SetText(file.Text());
  return true;
}

// Another window (of this process or another) may have changed the database
// since it was read: a change is applied to the file as it is on disk, under a
// lock on its folder (which, unlike the file, no write ever replaces), held
// from the read to the rename.
std::optional<std::string> Workspace::ReadDatabaseForChange(FileLock& lock, DatabaseRefusal& why) const {
  why = DatabaseRefusal::kNone;
  // Nothing reaches the disk: the change applies to the copy held.
  if (options_.suppressWrites) return cores_.Text();
  const std::string folder = FolderOf(constants::kCoreDatabaseFile);
  lock = FileLock::Exclusive(folder, std::chrono::milliseconds(constants::kDatabaseLockWaitMs));
  // A folder that cannot be opened or a file system without locks still
  // lets the change go ahead, unguarded; a lock another holder keeps does not.
  if (lock.Error() == LockError::Busy) {
    why = DatabaseRefusal::kInUse;
    return std::nullopt;
  }
  if (!lock.Held() && lock.Error() != LockError::CannotOpen && lock.Error() != LockError::Unsupported) {
    why = DatabaseRefusal::kCannotWrite;
    return std::nullopt;
  }
  if (auto text = ReadWholeFile(constants::kCoreDatabaseFile, constants::kMaxCoreDatabaseBytes, OpenMode::ReadOnly))
    return text;
  // Missing (also when it was missing at start-up): the change makes the file.
  // There but unreadable: nothing may replace what cannot be seen.
  if (!NameTaken(constants::kCoreDatabaseFile)) return std::string();
  why = DatabaseRefusal::kCannotWrite;
  return std::nullopt;
}

// ---- calculation ---------------------------------------------------------------------

const ShownResults& Workspace::Calculate() {
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
  if (r.spinPos) wireSpin_ = *r.spinPos;
  // Inputs the run rewrote: decimal points, the corrected nominal current, the
  // wire size taken from the table.
  TakeCorrectedFields(r.fields, settings_);
  SetResultsBasis(!r.Stopped());
  TakeLabels(r.texts, false);
  return r;
}

void Workspace::TakeLabels(const ResultTexts& texts, bool wireChoice) {
  for (std::size_t i = 0; i < kResultCount; ++i) {
    if ((ResultLines()[i].stage == ResultStage::WireChoice) != wireChoice) continue;
    if (texts.Value(i)) labels_.Value(i) = texts.Value(i);
    if (texts.Extra(i)) labels_.Extra(i) = texts.Extra(i);
  }
}

void Workspace::SetResultsBasis(bool complete) {
  if (complete) resultsBasis_ = ResultsBasis{SettingsForWriting(), cores_.Core()};
  else resultsBasis_.reset();
}

bool Workspace::RefreshResultsCurrent(const SettingsRecord& onWindow) {
  resultsCurrent_ = resultsBasis_ && SameCore(resultsBasis_->core, cores_.Core()) &&
                    SameForCalculation(resultsBasis_->inputs, onWindow);
  return resultsCurrent_;
}

bool Workspace::CalculatedAsHeld() const {
  // A material is only ever changed with a calculation.
  return resultsCurrent_ && lastCalculation_ && lastInputs_ && *lastInputs_ == ChokeInputsOf(settings_);
}

std::optional<insight::DesignDetails> Workspace::DescribeLastCalculation(const insight::InsightOptions& options) const {
  if (!lastCalculation_ || !lastInputs_ || lastCalculation_->stoppedByInputCheck) return std::nullopt;
  const ChokeContext context{cores_.Core(), material_, wires_, lossLimit_, noDataName_};
  // A design from the converter is judged at its input voltages, at its own inductance.
  const std::vector<insight::PointDemand> points =
      designRequest_ ? PointDemandsOf(*designRequest_, lastCalculation_->Lact) : std::vector<insight::PointDemand>{};
  return insight::DescribeDesign(*lastInputs_, context, *lastCalculation_,
                                 ReadCoreExtras(cores_.Text(), cores_.Core().name), options, points);
}

// ---- undo --------------------------------------------------------------------------------

void Workspace::RememberForUndo(SettingsRecord onWindow) {
  undo_ = std::move(onWindow);
  redo_.reset();
}

std::optional<SettingsRecord> Workspace::TakeUndo(SettingsRecord onWindow) {
  if (!undo_) return std::nullopt;
  std::optional<SettingsRecord> back = std::move(undo_);
  undo_.reset();
  redo_ = std::move(onWindow);
  return back;
}

std::optional<SettingsRecord> Workspace::TakeRedo(SettingsRecord onWindow) {
  if (!redo_) return std::nullopt;
  std::optional<SettingsRecord> again = std::move(redo_);
  redo_.reset();
  undo_ = std::move(onWindow);
  return again;
}

// ---- the design's companions ----------------------------------------------------------------

void Workspace::SetAdvisedRequirement(double required_uH, std::string inductanceText) {
  advisedRequired_uH_ = required_uH;
  advisedInductanceText_ = std::move(inductanceText);
}

double Workspace::AdvisedRequirement() const {
  return !advisedInductanceText_.empty() && lastInputs_ && lastInputs_->L == advisedInductanceText_ &&
                 lastInputs_->minimumCurrent() == MinimumCurrent::Unused
             ? advisedRequired_uH_
             : std::numeric_limits<double>::quiet_NaN();
}

// ---- files ------------------------------------------------------------------------------------

bool Workspace::WriteFile(const std::string& path, std::string_view bytes) {
  if (options_.suppressWrites) {
    notWritten_.push_back(path);
    return true;
  }
  return WriteFileAtomic(path, bytes);
}

std::string Workspace::SettingsPath() const { return programFolder_ + constants::kSettingsFile; }

std::vector<std::string> Workspace::WriteOnExit() {
  std::vector<std::string> failed;
  const std::string path = SettingsPath();
  if (!WriteFile(path, SerializeSettings(SettingsForWriting(), true))) failed.push_back(path);
  if (detailsConfig_) {
    // A file that holds these very bytes stays as it is: the write is
    // flushed to disk, which took most of the window's close.
    const std::string details = programFolder_ + kDetailsConfigFile;
    const std::string bytes = SerializeDetailsConfig(*detailsConfig_);
    if (ReadWholeFile(details, constants::kMaxSettingsFileBytes) != bytes && !WriteFile(details, bytes))
      failed.push_back(details);
  }
  return failed;
}

}  // namespace velmora
