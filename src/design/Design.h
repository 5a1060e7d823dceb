// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One design as the main window holds it: its inputs and choices, the core
// and the material, the numbers and messages of its last calculation, the
// texts its labels show and the figures behind it. The window makes it
// (CVelmoraDlg::CurrentDesign); the command line's table and JSON, the
// report and the adviser take it, and never the window itself.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/CoreDatabase.h"
#include "data/MaterialRecord.h"
#include "insight/DesignDetails.h"
#include "present/InputTable.h"
#include "present/ShownResults.h"
#include "settings/SettingsRecord.h"

namespace velmora {

// One line of the window: a caption, the value beside it and its unit, as
// the window shows them (Windows-1251; language texts may hold line breaks).
// id is the value's control ID.
struct ShownLine {
  int id = 0;
  std::string caption, value, unit;
};

// The core data lines in the window's order.
enum class CoreLine : std::size_t { Mu, Ae, An, Le, Ve };

// The converter a design came from, as a report states it: the request and,
// from its design at the frequency the choke is calculated at, both ends of
// the input range and the worst point. Plain figures: the window (app/) fills
// them from the converter's own records.
struct ConverterStatement {
  enum class Kind { kBuck, kBoost, kInverting };
  struct Point {
    double vin = 0;      // V
    double duty = 0;     // share
    double current = 0;  // A, the inductor's average
    double ripple = 0;   // A, peak to peak
    double peak = 0;     // A
  };
  Kind kind = Kind::kBuck;
  double vinMin = 0, vinMax = 0, vout = 0, iout = 0;  // V, V, V, A
  std::optional<double> ioutMin;                      // A, the light load when given
  bool rippleInAmperes = false;
  double ripple = 0;   // share, or A peak to peak
  double fsw_kHz = 0;  // as requested
  Point atMin, atMax, worst;
};

struct Design {
  bool startUpFailed = false;
  bool windowEnded = false;  // by start-up or by an action (Exit)

  // The record as it is written: "core" holds the current core.
  SettingsRecord settings;
  CoreRecord core;          // the data the run used (the window's core data)
  MaterialRecord material;  // as the run used it (a no-data run's permeability)
  int picture = 0;          // the core picture's resource ID
  // The material list's entries, the no-data entry always last, and whether
  // that entry is the one selected.
  std::vector<std::string> materialList;
  bool noDataSelected = false;

  // The last calculation; none before the first. Its inputs are in inputs.
  std::optional<ShownResults> results;
  std::optional<ChokeInputs> inputs;
  // The labels show a complete calculation of the inputs on the window.
  bool resultsCurrent = false;
  // The figures behind the last calculation, when asked for and when the
  // run got past its input checks.
  std::optional<insight::DesignDetails> details;
  insight::InsightOptions detailsOptions;  // what they were made with

  // The window's lines in its order: the nine inputs; the results of the
  // "Core" and "Inductor" groups (the peak flux density's unit followed by
  // its permitted value); the core data mu, Ae, An, le, Ve.
  std::vector<ShownLine> inputLines, resultLines, coreLines;
  // Label texts by control ID: the results and the captions and units that
  // the modes switch, in the order the command line's JSON lists them.
  std::vector<std::pair<int, std::string>> labels;
  int wireSpin = 0;  // the wire-size spin button's position
  // The converter request the design came from; none for a design typed in.
  std::optional<ConverterStatement> converter;

  const ShownResults* LastCalculation() const { return results ? &*results : nullptr; }
  // A line of the window; nullptr in a design made without its lines.
  const ShownLine* Line(Result r) const { return At(resultLines, static_cast<std::size_t>(r)); }
  const ShownLine* Line(Input i) const { return At(inputLines, static_cast<std::size_t>(i)); }
  const ShownLine* Line(CoreLine c) const { return At(coreLines, static_cast<std::size_t>(c)); }

 private:
  static const ShownLine* At(const std::vector<ShownLine>& lines, std::size_t i) {
    return i < lines.size() ? &lines[i] : nullptr;
  }
};

}  // namespace velmora
