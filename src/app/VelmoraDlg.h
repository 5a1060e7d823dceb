// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: the design inputs, the core database, the material, the
// wire table, the language and every handler of the window's controls.
//
// The handlers are spread over files by subsystem:
//   VelmoraDlg.cpp      state, data exchange, dispatch, picture
//   StartUp.cpp         OnInitDialog
//   FormRules.cpp       caption switches, enable rules, frequency and material rules
//   CalcCommand.cpp     Calculate
//   CoreCommands.cpp    core database: list, selection, add, delete
//   WireCommands.cpp    wire table, unit switch, spin button
//   LanguageCommands.cpp LoadLanguage, language submenu and command
//   ExitCommand.cpp     Exit
//   filedialogs/DesignCommands.cpp  Load and Save
//   HelpAboutCommands.cpp           Help and About
//   DesignMenu.cpp      the design menu and the figures behind a calculation
//   InputsState.cpp     out-of-date results, the undo of replaced inputs
//   ResultNotices.cpp   warned result labels, the notice line
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/CoreDatabaseState.h"
#include "calc/Calculate.h"
#include "calc/WireTable.h"
#include "converter/Converter.h"
#include "data/CoreDatabase.h"
#include "data/MaterialRecord.h"
#include "design/Design.h"
#include "insight/DesignDetails.h"
#include "lang/LanguageTable.h"
#include "present/ShownResults.h"
#include "settings/DetailsConfig.h"
#include "settings/SettingsRecord.h"
#include "textfile/FileLock.h"
#include "textfile/KeyedTextFile.h"
#include "ui/Dialog.h"

namespace velmora {

// How a run of the window differs from the plain program.
struct VelmoraOptions {
  // The settings file read at start-up in place of "Inductor.ini" (with its
  // language line, if any).
  std::string settingsFile = "Inductor.ini";
  // Settings fields set right after the settings are read (key, value).
  std::vector<std::pair<std::string, std::string>> overrides;
  // Nothing is written to disk: not "Inductor.ini", not the core database,
  // not a design file.
  bool suppressWrites = false;
};

// The ambient temperature a design is for until a MAS document gives one: a
// power supply's inside, typical rating of its parts.
inline constexpr double kDefaultDesignAmbient_C = 40.0;

ui::DialogTemplate MainWindowTemplate();  // template 102 with menu 129
ui::MenuItem DesignMenuTemplate();        // the design menu's popup
bool IsDesignCommand(int id);             // an ID of the design menu's range

class DesignWindows;

// What the window showed before a command changed its inputs without
// typing: its inputs and the number of turns, as the notice compares them.
struct ChangeSnapshot {
  SettingsRecord inputs;
  std::string turns;
};

class CVelmoraDlg : public ui::Dialog {
 public:
  explicit CVelmoraDlg(ui::DialogHost& host, VelmoraOptions options = {});

  // ---- framework hooks -------------------------------------------------------
  bool OnInitDialog() override;  // the start-up sequence
  void DoDataExchange(ui::DataExchange& dx) override;
  void OnCommand(int id, ui::Notify code) override;
  void OnCmdMsg(int id) override;  // the language commands
  void OnOK() override;            // "Рассчитать!" and Enter: Calculate
  void OnCancel() override;        // Exit, Escape, close box
  void OnVScroll(int spinId, ui::ScrollCode code) override;
  int PictureId() const override;
  Rect PictureRect() const override;

  // ---- commands written beside the file dialogs and the Help/About windows ---
  void OnLoadDesign();  // button 4
  void OnSaveDesign();  // button 3
  void OnHelp();        // menu 57670
  void OnAbout();       // menu 57664

  // ---- state -------------------------------------------------------------------
  // The design inputs. Its "core" field is the core to select (the reader
  // fills it; AddCore sets it); "mater" is the material name; "lang" the
  // language name.
  SettingsRecord& Settings() { return settings_; }
  const SettingsRecord& Settings() const { return settings_; }
  // The record as it is written: "core" holds the current core.
  SettingsRecord SettingsForWriting() const;
  const LanguageTable& Lang() const { return lang_; }
  // The core whose data the window shows.
  const std::string& CurrentCore() const { return cores_.CurrentCore(); }
  MaterialRecord& Material() { return material_; }
  const MaterialRecord& Material() const { return material_; }
  const CoreRecord& Core() const { return cores_.Core(); }
  const WireTable& Wires() const { return wires_; }
  const std::string& CoreDatabaseText() const { return cores_.Text(); }
  // The folder in which "Materials.txt" was found, ending in '/'.
  const std::string& ProgramFolder() const { return programFolder_; }
  int CurrentLanguageCommand() const { return curLangCmd_; }
  int LanguageCommandCount() const { return langCmdCount_; }
  // True when start-up ended the window (a missing data file).
  bool StartUpFailed() const { return startUpFailed_; }

  // ---- steps the commands share ------------------------------------------------
  void Calculate();
  // Calculate, unless the last calculation was of exactly the inputs, core
  // and material the window holds: an output made right after a calculation
  // (an export, a report) then shows that calculation's warnings only once.
  void CalculateUnlessCurrent();
  // The numbers of the last calculation (what its labels were formatted
  // from); nullptr before the first.
  const ShownResults* LastCalculation() const { return lastCalculation_ ? &*lastCalculation_ : nullptr; }
  // The data of the current material name from the program folder; false
  // (record unchanged) when the file cannot be read. No fallback.
  bool LoadMaterialData();
  // LoadMaterialData; on failure the name becomes "N87 Epcos" and that is
  // loaded (result ignored); then the entry is selected in the material list
  // (prefix search from the top, case ignored). A name of the no-data
  // material (IsNoDataName) selects the no-data entry instead and becomes its
  // text; the record keeps its data.
  void LoadMaterialWithFallback();
  // True for a name the no-data entry has in some language: the entry's own
  // text, OTHERS s21 of the current language or of any language file of the
  // current folder. Never for the empty name.
  bool IsNoDataName(const std::string& name) const;
  // Shape from the core to select, list for that shape, the entry selected
  // (or the remembered one, else the first), its data shown and calculated.
  void SelectCoreByName();
  // Captions that follow use, gapChoice and yes_AWG of the settings record.
  void ApplyUseCaptions();
  void ApplyGapCaptions();
  void ApplyWireUnitCaptions();
  void ApplyCaptionSwitches();  // all three
  // The wire table for the current unit ("Wire.txt" or AWG), spin buddy 1036
  // and range 0..last. A "Wire.txt" that cannot be read is reported and the
  // table stays as it was; false then.
  bool RebuildWireTable();
  // Exactly one of 1007 (inductance) and 1101 (minimum current) is enabled,
  // as us_Imin says.
  void ApplyMinimumCurrentPair();
  // The message box that a file could not be written: OTHERS s22, " ", name
  // (Windows-1251).
  void ReportWriteFailure(std::string_view fileName);
  // A message box with the caption OTHERS s8.
  int Message(std::string_view text, ui::MbType type = ui::MbType::Ok);
  // Writes bytes to a file unless writes are suppressed; false when it failed.
  bool WriteFile(const std::string& path, std::string_view bytes);
  // The files a write was suppressed for, in order (UTF-8 paths as given).
  const std::vector<std::string>& NotWritten() const { return notWritten_; }

  // ---- what the results belong to; replacing every input (InputsState.cpp) ----
  // The design inputs as the controls show them now: the nine texts, the
  // choices, the current core (as "core") and the material; the language is
  // the record's.
  SettingsRecord InputsOnWindow() const;
  // True while the result labels show a complete calculation of the inputs
  // the window shows; false before the first, after a run that stopped early
  // and once an input a calculation reads differs. Out-of-date results are
  // greyed and the title ends in " *".
  bool ResultsCurrent() const { return resultsCurrent_; }
  // The undo snapshot: call right before a command replaces every input
  // (while the controls still show the old ones). Ctrl+Z brings them back,
  // Ctrl+Shift+Z the replacement again; one step.
  void BeforeReplacingInputs();
  // Takes the snapshot, then shows the record (its language aside) as a
  // loaded design file is shown: material, captions, wire table, core
  // selection and one calculation. Load and a converter's Apply use it.
  void ReplaceInputs(const SettingsRecord& record);
  bool CanUndoReplacement() const { return undo_.has_value(); }
  bool CanRedoReplacement() const { return redo_.has_value(); }
  void UndoReplacement();
  void RedoReplacement();

  // ---- what the window says beside its results (ResultNotices.cpp) ---------------
  // The notice line below the form: one line on what the last command that
  // changed the inputs without typing did (Windows-1251). The next
  // calculation clears it, so a command sets it after its own calculation.
  void SetNotice(std::string_view text);
  std::string Notice() const;
  // The window as a notice compares it; take it right before the command.
  ChangeSnapshot SnapshotForNotice() const;
  // The notice of a command (the design text of commandKey, its %1 the
  // changes): the core, material, gap or AL and turns that differ from the
  // snapshot, then the captions of the other inputs that differ.
  std::string ChangeNotice(const char* commandKey, const ChangeSnapshot& before) const;

  // ---- the design menu and its windows -------------------------------------------
  // The windowed program's windows; nullptr (the default) for none. Not owned.
  void SetDesignWindows(DesignWindows* windows) { designWindows_ = windows; }
  // The design as the window holds it now, for the outputs: the record, core,
  // material, the last calculation and the texts of the window's lines,
  // with the figures behind the calculation when options are given. Reads
  // the controls into the record first (unless the window has ended).
  Design CurrentDesign(const std::optional<insight::InsightOptions>& detailsOptions = std::nullopt);
  // The same right after a calculation of the inputs as they stand (as Save
  // does), so that the inputs given out are the inputs calculated.
  Design CalculatedDesign(const insight::InsightOptions& detailsOptions);
  // The figures behind the last calculation; none before the first.
  std::optional<insight::DesignDetails> DescribeLastCalculation(const insight::InsightOptions& options = {});
  // The ambient temperature of the design (C): what MAS documents carry in
  // and out (app/MasExchange.h).
  double DesignAmbient() const { return designAmbient_C_; }
  void SetDesignAmbient(double ambient_C) { designAmbient_C_ = ambient_C; }
  // The MAS document the inputs were last imported from (empty before any):
  // an export is never written over it.
  const std::string& ImportedDocument() const { return importedDocument_; }
  void SetImportedDocument(std::string path) { importedDocument_ = std::move(path); }
  // The details' settings the windowed program keeps in "Details.cfg" of the
  // program folder: written on exit after "Inductor.ini" and by its rules,
  // a failed write told as that file's is. Null (the default): none kept.
  // Not owned.
  void KeepDetailsConfig(const DetailsConfig* config) { detailsConfig_ = config; }
  // The converter request the design came from: set by the converter's Apply
  // and by loading a design file with its "[CONVERTER]" section, none after
  // loading one without. Save writes it after the design's lines.
  const std::optional<converter::ConverterRequest>& DesignRequest() const { return designRequest_; }
  void SetDesignRequest(std::optional<converter::ConverterRequest> request) { designRequest_ = std::move(request); }
  // The inductance a design of the adviser must hold at the low end of its
  // spread (uH), while the last calculation's inductance is the text the
  // adviser put in (which is that raised by the spread); NaN otherwise: the
  // design inductance itself is the requirement.
  void SetAdvisedRequirement(double required_uH, std::string inductanceText) {
    advisedRequired_uH_ = required_uH;
    advisedInductanceText_ = std::move(inductanceText);
  }
  double AdvisedRequirement() const {
    return !advisedInductanceText_.empty() && lastInputs_ && lastInputs_->L == advisedInductanceText_ &&
                   lastInputs_->minimumCurrent() == MinimumCurrent::Unused
               ? advisedRequired_uH_
               : std::numeric_limits<double>::quiet_NaN();
  }

  // ---- window texts and language menu ------------------------------------------
  bool LoadLanguage();

  // ---- core database -------------------------------------------------------------
  void ReadCoreDatabase();
  void FillCoreList();
  void ShowSelectedCore();
  void RestoreCoreSelection();
  void ToggleAddByDimensions();
  void ToggleAddByData();
  void AddCore();
  void DeleteCore();

 private:
  // Start-up steps.
  bool StartUpMaterials();
  void StartUpLanguageMissing();

  // Form rules.
  void ApplyUseCaptions(int use);
  void ApplyGapCaptions(int yesAl);
  void ApplyWireUnitCaptions(int yesAwg);
  void OnShapeChanged();
  void OnUseChanged();
  void OnGapModeChanged();
  void OnMinimumCurrentClicked();
  void OnFrequencyChanged();
  void OnMaterialChanged();

  // Wire commands.
  bool FillWireTable(bool awg);
  void OnSwitchToAwg();
  void OnSwitchToMetric();
  void OnSpin();

  // Language.
  void RebuildLanguageMenu();
  void ApplyWindowTexts();
  void OnLanguageCommand(int id);
  void ApplyDesignMenuTexts();
  void OnDesignCommand(int id);

  // Core commands.
  void EnableDimensionEdits(bool enable);
  void EnableDimensionEditsForShape();
  void EnableDataEdits(bool enable);
  bool WriteCoreDatabase(const std::string& text);
  // The database text a change applies to, with the lock taken; nothing
  // (reported) when the file cannot be locked or read.
  std::optional<std::string> ReadDatabaseForChange(FileLock& lock);

  // Exit.
  void ExitCommand();

  // What the results belong to.
  void Dispatch(int id, ui::Notify code);
  void SetResultsBasis(bool complete);
  void RefreshResultsCurrent();
  void ShowInputs(SettingsRecord record);
  void ShowResultWarnings(const ShownResults& r);

  VelmoraOptions options_;
  SettingsRecord settings_;
  LanguageTable lang_;
  KeyedTextFile file_;  // the current file text
  std::string programFolder_;

  CoreDatabaseState cores_;

  MaterialRecord material_;
  std::string noDataName_;  // the no-data entry's text, fixed at start-up
  WireTable wires_;
  double lossLimit_ = 0;
  std::optional<ShownResults> lastCalculation_;
  std::optional<ChokeInputs> lastInputs_;
  // The inputs and the core the shown results were computed from; none
  // after a run that stopped early.
  struct ResultsBasis {
    SettingsRecord inputs;
    CoreRecord core;
  };
  std::optional<ResultsBasis> resultsBasis_;
  bool resultsCurrent_ = false;
  std::string titleText_;  // the title without the out-of-date mark
  std::optional<SettingsRecord> undo_, redo_;
  DesignWindows* designWindows_ = nullptr;
  double designAmbient_C_ = kDefaultDesignAmbient_C;
  std::string importedDocument_;
  const DetailsConfig* detailsConfig_ = nullptr;
  std::optional<converter::ConverterRequest> designRequest_;
  double advisedRequired_uH_ = 0;
  std::string advisedInductanceText_;
  std::vector<std::string> notWritten_;

  // The texts of the result labels: every one set (empty at first).
  ResultTexts labels_;

  // Language submenu.
  int curLangCmd_ = 500;
  int langCmdCount_ = 1;
  std::vector<std::string> langFiles_;  // language names (Windows-1251) of items 501, 502, ...

  bool startUpFailed_ = false;
};

// The application object: creates the main window on its stack, runs it
// modally and destroys it.
class CVelmoraApp {
 public:
  explicit CVelmoraApp(ui::DialogHost& host, VelmoraOptions options = {}) : host_(host), options_(std::move(options)) {}
  // Runs the window; returns false, so that the process ends when it closed.
  // beforeRun, when set, sees the window just before its modal run.
  bool InitInstance(const std::function<void(CVelmoraDlg&)>& beforeRun = {});

 private:
  ui::DialogHost& host_;
  VelmoraOptions options_;
};

}  // namespace velmora
