// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: a view of one workspace (app/Workspace.h). It binds its
// controls to the workspace's inputs, core texts and labels, and turns each
// notification into the workspace's operation, then shows what changed: list
// selections, enable states, captions, messages and the notice line.
//
// The window's parts are spread over files by subsystem:
//   VelmoraDlg.cpp      data exchange, dispatch, picture, messages
//   StartUp.cpp         OnInitDialog, Exit (OnCancel)
//   FormRules.cpp       captions, enable rules, material and wire unit
//   CalcCommand.cpp     Calculate
//   CoreCommands.cpp    core database: list, selection, add, delete
//   LanguageCommands.cpp the window's texts and the language menu
//   filedialogs/DesignCommands.cpp  Load and Save
//   HelpAboutCommands.cpp           Help and About
//   DesignValue.cpp     the Design value for the outputs
//   InputsState.cpp     out-of-date results, changed and replaced inputs, undo
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ControlIds.h"
#include "app/Workspace.h"
#include "design/Design.h"
#include "insight/DesignDetails.h"
#include "ui/Dialog.h"

namespace velmora {

ui::DialogTemplate MainWindowTemplate();  // template 102 with menu 129
ui::MenuItem DesignMenuTemplate();        // the design menu's popup
bool IsDesignCommand(int id);             // an ID of the design menu's range
// The design menu's texts in the language.
void ApplyDesignMenuTexts(std::vector<ui::MenuItem>& bar, const LanguageTable& lang);

class DesignWindows;

// How much of the window a command that changes inputs shows anew.
enum class InputsShown {
  kInputs,    // the fields, captions and enable states; one calculation
  kWithCore,  // also the material and the core list with its selection
  kAll,       // also the wire table
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

  // ---- the workspace -------------------------------------------------------------
  // What the window holds. Changing it directly changes nothing on the
  // window until the next data exchange; commands go through the window.
  Workspace& Model() { return model_; }
  const Workspace& Model() const { return model_; }

  // ---- commands other windows and the command line give ---------------------------
  void Calculate();
  // Calculate, unless the last calculation was of exactly the inputs, core
  // and material the window holds: an output made right after a calculation
  // (an export, a report) then shows that calculation's warnings only once.
  void CalculateUnlessCurrent();
  // A command that changes inputs without typing (the converter's Apply, the
  // adviser's "Use this design", a MAS import): the undo step, the controls
  // read, the change made on the workspace, the window shown anew as far as
  // shown says, one calculation; then, given a notice key, the notice of what
  // changed (the design text of the key, its %1 the changes).
  void ChangeInputs(const std::function<void(Workspace&)>& change, InputsShown shown, const char* noticeKey = nullptr);
  // Takes the undo step, then shows the record (its language aside) as a
  // loaded design file is shown: material, captions, wire table, core
  // selection and one calculation. Load uses it.
  void ReplaceInputs(const SettingsRecord& record);
  // The design inputs as the controls show them now: the nine texts, the
  // choices, the current core (as "core") and the material; the language is
  // the record's.
  SettingsRecord InputsOnWindow() const;
  // The notice line below the form: one line on what the last command that
  // changed the inputs without typing did (Windows-1251). The next
  // calculation clears it.
  std::string Notice() const { return GetItemText(ids::IDC_NOTICE); }
  // A message box with the caption OTHERS s8.
  int Message(std::string_view text, ui::MbType type = ui::MbType::Ok);
  // The message box that a file could not be written: OTHERS s22, " ", name
  // (Windows-1251).
  void ReportWriteFailure(std::string_view fileName);

  // ---- the design menu and the outputs -------------------------------------------
  // The windowed program's windows; nullptr (the default) for none. Not owned.
  void SetDesignWindows(DesignWindows* windows) { designWindows_ = windows; }
  // The design as the window holds it now, for the outputs: the record, core,
  // material, the last calculation and the texts of the window's lines,
  // with the figures behind the calculation when options are given. Reads
  // the controls into the workspace first (unless the window has ended).
  Design CurrentDesign(const std::optional<insight::InsightOptions>& detailsOptions = std::nullopt);
  // The same right after a calculation of the inputs as they stand (as Save
  // does), so that the inputs given out are the inputs calculated.
  Design CalculatedDesign(const insight::InsightOptions& detailsOptions);

 private:
  void Dispatch(int id, ui::Notify code);

  // Texts and enable rules (FormRules.cpp, LanguageCommands.cpp).
  bool ApplyLanguage();  // the settings' language file: texts, menu, wire table
  void ApplyWindowTexts();
  void ShowSwitchedCaptions(int use, int gapChoice, int awg);
  void ApplyMinimumCurrentPair();  // 1007 or 1101 enabled, as us_Imin says
  // The material with its fallback, its list entry selected.
  void ShowMaterial();
  // The wire table for the unit, spin buddy 1036 and range 0..last; false
  // (reported) when "Wire.txt" cannot be read.
  bool RebuildWireTable(bool awg);
  void SwitchWireUnit(bool toAwg);

  // Core database (CoreCommands.cpp).
  void SelectCoreByName();
  void FillCoreList();
  void ShowSelectedCore();
  void ToggleAddMode(bool byDimensions);
  // The first dimensions of the dimension edits enabled, and the data edits
  // as data says (mu also while adding by dimensions; the volume never).
  void EnableCoreEdits(int dimensions, bool data);
  void AddCore();
  void DeleteCore();
  // Applies a change to the database file and takes the text written;
  // false (told) when it could not be made.
  bool ChangeDatabase(const std::function<std::optional<std::string>(std::string)>& change);

  // What the results belong to (InputsState.cpp).
  void RefreshResultsCurrent();
  void ShowInputs(SettingsRecord record);
  // Ctrl+Z brings the inputs before a replacement back, Ctrl+Shift+Z the
  // replacement again; one step.
  void StepReplacement(bool undo);

  Workspace model_;
  DesignWindows* designWindows_ = nullptr;
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
