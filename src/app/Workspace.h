// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The workspace: everything the main window holds, as one value without a
// window. The design inputs, the core database, the material and its list,
// the wire table, the language, the last calculation and what it was
// computed from, the undo step, the converter request and the details'
// settings, with the window's commands as its operations. The window
// (app/VelmoraDlg.h) binds its controls to it and dispatches to it; messages
// and list selections stay with the window, which the operations tell what
// to say. The outputs take the workspace or the Design value made from it.
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/CoreDatabaseState.h"
#include "calc/Calculate.h"
#include "calc/WireTable.h"
#include "converter/Converter.h"
#include "data/MaterialRecord.h"
#include "insight/DesignDetails.h"
#include "lang/LanguageTable.h"
#include "present/ShownResults.h"
#include "settings/DetailsConfig.h"
#include "settings/SettingsRecord.h"
#include "textfile/FileLock.h"

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

// What the window showed before a command changed its inputs without
// typing: its inputs and the number of turns, as the notice compares them.
struct ChangeSnapshot {
  SettingsRecord inputs;
  std::string turns;
};

// A text the window shows in a control, by the control's ID.
struct ShownText {
  int id;
  std::string text;
};

// Why a change of the core database cannot go ahead.
enum class DatabaseRefusal { kNone, kInUse, kCannotWrite };

class Workspace {
 public:
  explicit Workspace(VelmoraOptions options = {});

  // ---- the inputs ----------------------------------------------------------------
  // The design inputs. Its "core" field is the core to select (the reader
  // fills it; adding a core sets it); "mater" is the material name; "lang"
  // the language name.
  SettingsRecord& Settings() { return settings_; }
  const SettingsRecord& Settings() const { return settings_; }
  // The record as it is written: "core" holds the current core.
  SettingsRecord SettingsForWriting() const;
  // Start-up: the settings file with the overrides, the loss-density limit,
  // and the default language and material where the file names none.
  void ReadStartSettings();
  // The frequency held to the material's loss table (no limit before the
  // first material's data); decimal commas become points.
  void HoldFrequencyToMaterial();

  // ---- language --------------------------------------------------------------------
  const LanguageTable& Lang() const { return lang_; }
  // The file of the settings' language; false (nothing changed) when it
  // cannot be read. Lists the language files of the folder for the menu.
  bool LoadLanguage();
  // The language names of the menu's items 501, 502, ... (Windows-1251).
  const std::vector<std::string>& LanguageFiles() const { return langFiles_; }
  int CurrentLanguageCommand() const { return curLangCmd_; }
  int LanguageCommandCount() const { return langCmdCount_; }
  // True for an item of another language; the settings then name it.
  bool ChooseLanguage(int id);
  // The window's title without the out-of-date mark; empty before a
  // language is loaded.
  std::string Title() const;
  // The captions the language gives the window's controls (the dimension
  // labels included), and their tooltips (app/WindowTexts.cpp).
  std::vector<ShownText> WindowCaptions() const;
  std::vector<ShownText> WindowTips() const;
  // The captions and units that follow the use, gap-mode and wire-unit choices.
  std::vector<ShownText> SwitchedCaptions(int use, int gapChoice, int awg) const;
  // The texts of the window's template, the ones no language changes (the
  // shape names, most units) among them.
  void KeepFixedCaptions(std::vector<ShownText> captions);
  // The caption a control shows with the choices of the inputs; empty for a
  // control without one.
  std::string CaptionOf(int id) const;
  // The text a field, label or caption of the window shows, by its control
  // ID: an input, a result label, a core datum or a caption.
  std::string TextOf(int id) const;
  // True for a name the no-data entry has in some language: the entry's own
  // text, OTHERS s21 of the current language or of any language file of the
  // current folder. Never for the empty name.
  bool IsNoDataName(const std::string& name) const;

  // ---- material ----------------------------------------------------------------------
  MaterialRecord& Material() { return material_; }
  const MaterialRecord& Material() const { return material_; }
  // The material list as the window lists it: "Materials.txt" in order, the
  // no-data entry last.
  const std::vector<std::string>& MaterialList() const { return materialList_; }
  // The list less the no-data entry: the materials with data files.
  std::vector<std::string> MaterialsWithData() const;
  // Start-up: the material list and the program folder. Empty when all is
  // well, else the message (Windows-1251) that ends the program.
  std::string ReadMaterialList();
  // The data of the current material name from the program folder; false
  // (record unchanged) when the file cannot be read. No fallback.
  bool LoadMaterialData();
  // LoadMaterialData; on failure the name becomes "N87 Epcos" and that is
  // loaded (result ignored). A name of the no-data material (IsNoDataName)
  // becomes the no-data entry's text instead, the record keeping its data:
  // true then.
  bool LoadMaterialWithFallback();
  // The material of that list entry, with no fallback: a material without
  // data keeps the data of the one before.
  void ChooseMaterial(std::string name);

  // ---- wire table ----------------------------------------------------------------------
  const WireTable& Wires() const { return wires_; }
  // The AWG table, or "Wire.txt"; false (table unchanged) when that cannot
  // be read.
  bool ReadWireTable(bool awg);
  // The wire-size field after a switch of units: its text in the new unit and
  // the spin position (none for an empty metric table).
  std::optional<int> ConvertWireSize(bool toAwg);
  // The wire-size field at a spin position; false for an empty table.
  bool SpinWireSize(int position);
  // The spin position of the wire-size field: the place in the table of the
  // last wire a run, a switch of units or the spin button chose, within the
  // table's range (0 for an empty one).
  int WireSpin() const;

  // ---- core database ---------------------------------------------------------------------
  // The database state bound to the controls (shape, dimension and data texts).
  CoreDatabaseState& Cores() { return cores_; }
  const CoreDatabaseState& Cores() const { return cores_; }
  const std::string& CurrentCore() const { return cores_.CurrentCore(); }
  const CoreRecord& Core() const { return cores_.Core(); }
  const std::string& CoreDatabaseText() const { return cores_.Text(); }
  // The folder in which "Materials.txt" was found, ending in '/'.
  const std::string& ProgramFolder() const { return programFolder_; }
  // "Cores.txt" read as the database text; false when it cannot be.
  bool ReadCoreDatabase();
  // The database text a change applies to, with the lock taken (under
  // suppressed writes the copy held); nothing and why when the file cannot be
  // locked or read.
  std::optional<std::string> ReadDatabaseForChange(FileLock& lock, DatabaseRefusal& why) const;

  // ---- calculation ---------------------------------------------------------------------
  // The run of the inputs with the current core, material and wire table:
  // the fields it corrected taken into the inputs, the labels other than the
  // wire choice's set, the basis of the results noted.
  const ShownResults& Calculate();
  // The label texts of a run: the wire choice's, or all the others.
  void TakeLabels(const ResultTexts& texts, bool wireChoice);
  // The texts of the result labels (bound to the controls).
  ResultTexts& Labels() { return labels_; }
  const ResultTexts& Labels() const { return labels_; }
  // The numbers of the last calculation; nullptr before the first.
  const ShownResults* LastCalculation() const { return lastCalculation_ ? &*lastCalculation_ : nullptr; }
  const std::optional<ChokeInputs>& LastInputs() const { return lastInputs_; }
  // True when the last complete calculation was of the inputs on the window
  // and the core held now; the answer is kept for ResultsCurrent.
  bool RefreshResultsCurrent(const SettingsRecord& onWindow);
  bool ResultsCurrent() const { return resultsCurrent_; }
  // True when the results are current and the last run read exactly these inputs.
  bool CalculatedAsHeld() const;
  // The figures behind the last calculation; none before the first.
  std::optional<insight::DesignDetails> DescribeLastCalculation(const insight::InsightOptions& options = {}) const;

  // The tooltips of the labels of the warnings a run gives (peak flux density,
  // fill factor): the limit broken, or empty for a warning that did not fire
  // (app/ResultNotices.cpp).
  std::vector<ShownText> ResultWarningTips(const ShownResults& r) const;
  // The notice of a command (the design text of commandKey, its %1 the
  // changes): the core, material, gap or AL and turns that differ between
  // the snapshots, then the captions of the other inputs that differ.
  std::string ChangeNotice(const char* commandKey, const ChangeSnapshot& before, const ChangeSnapshot& after) const;

  // ---- undo of a command that replaces every input ------------------------------------------
  void RememberForUndo(SettingsRecord onWindow);
  bool CanUndoReplacement() const { return undo_.has_value(); }
  bool CanRedoReplacement() const { return redo_.has_value(); }
  // The inputs to bring back, the ones on the window kept for the way back;
  // none when there is no step.
  std::optional<SettingsRecord> TakeUndo(SettingsRecord onWindow);
  std::optional<SettingsRecord> TakeRedo(SettingsRecord onWindow);

  // ---- the design's companions ----------------------------------------------------------
  // The ambient temperature of the design (C): what MAS documents carry in
  // and out (app/MasExchange.h).
  double DesignAmbient() const { return designAmbient_C_; }
  void SetDesignAmbient(double ambient_C) { designAmbient_C_ = ambient_C; }
  // The MAS document the inputs were last imported from (empty before any):
  // an export is never written over it.
  const std::string& ImportedDocument() const { return importedDocument_; }
  void SetImportedDocument(std::string path) { importedDocument_ = std::move(path); }
  // The converter request the design came from: set by the converter's Apply
  // and by loading a design file with its "[CONVERTER]" section, none after
  // loading one without. Save writes it after the design's lines.
  const std::optional<converter::ConverterRequest>& DesignRequest() const { return designRequest_; }
  void SetDesignRequest(std::optional<converter::ConverterRequest> request) { designRequest_ = std::move(request); }
  // The inductance a design of the adviser must hold at the low end of its
  // spread (uH), while the last calculation's inductance is the text the
  // adviser put in (which is that raised by the spread); NaN otherwise: the
  // design inductance itself is the requirement.
  void SetAdvisedRequirement(double required_uH, std::string inductanceText);
  double AdvisedRequirement() const;
  // The details' settings the windowed program keeps in "Details.cfg" of the
  // program folder: written on exit after "Inductor.ini". Null (the
  // default): none kept. Not owned.
  void KeepDetailsConfig(const DetailsConfig* config) { detailsConfig_ = config; }

  // ---- files -------------------------------------------------------------------------------
  // Writes bytes to a file unless writes are suppressed; false when it failed.
  bool WriteFile(const std::string& path, std::string_view bytes);
  // The files a write was suppressed for, in order (UTF-8 paths as given).
  const std::vector<std::string>& NotWritten() const { return notWritten_; }
  // "Inductor.ini" of the program folder.
  std::string SettingsPath() const;
  // On exit: "Inductor.ini", then "Details.cfg" when kept and its bytes
  // change. The paths that could not be written, in that order.
  std::vector<std::string> WriteOnExit();
  // True when start-up ended the window (a missing data file).
  bool StartUpFailed() const { return startUpFailed_; }
  void SetStartUpFailed() { startUpFailed_ = true; }

 private:
  void SetResultsBasis(bool complete);

  VelmoraOptions options_;
  SettingsRecord settings_;
  LanguageTable lang_;
  std::string programFolder_;
  CoreDatabaseState cores_;
  MaterialRecord material_;
  std::vector<std::string> materialList_;
  std::string noDataName_;  // the no-data entry's text, fixed at start-up
  WireTable wires_;
  int wireSpin_ = 0;
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
  std::optional<SettingsRecord> undo_, redo_;
  double designAmbient_C_ = kDefaultDesignAmbient_C;
  std::string importedDocument_;
  const DetailsConfig* detailsConfig_ = nullptr;
  std::optional<converter::ConverterRequest> designRequest_;
  double advisedRequired_uH_ = 0;
  std::string advisedInductanceText_;
  std::vector<std::string> notWritten_;
  ResultTexts labels_;  // every one set (empty at first)
  int curLangCmd_ = 500;
  int langCmdCount_ = 1;
  std::vector<std::string> langFiles_;
  std::vector<ShownText> fixedCaptions_;
  bool languageLoaded_ = false;
  bool startUpFailed_ = false;
};

}  // namespace velmora
