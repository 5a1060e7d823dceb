// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window shows after a run, in UTF-8, as a readable table or as one
// JSON object.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "calc/NamedValues.h"
#include "cli/Json.h"
#include "design/Design.h"
#include "ui/HeadlessHost.h"

namespace velmora::cli {

struct Report {
  bool startUpEnded = false;
  bool windowEnded = false;  // by start-up or by an action (Exit)
  std::string core;
  std::string material;
  // Every settings key; choices are numbers.
  struct Field {
    std::string key;
    std::string value;
    bool number = false;
  };
  std::vector<Field> fields;
  std::vector<std::pair<int, std::string>> coreData;  // 1027..1031
  std::vector<std::pair<int, std::string>> labels;    // result labels, then switched captions
  int spin = 0;
  struct Box {
    std::string caption;
    std::string text;
  };
  std::vector<Box> messages;
  std::vector<std::string> notWritten;  // files the window would have written
  // Caption, value and unit lines for the table.
  struct Row {
    std::string caption, value, unit;
  };
  std::vector<Row> inputs, results, coreRows;
  // The numbers of the last calculation by name (JSON "inputs", "results").
  std::vector<NamedValue> inputValues, resultValues;
  // The labels show a complete calculation of the inputs on the window.
  bool resultsCurrent = false;
  // calc --details: the figures behind the calculation.
  std::optional<Json> details;
  std::optional<Json> checks;  // with the details: every check's outcome
  // With the details of a converter design: its operating points.
  std::optional<Json> operatingPoints;
  std::vector<Row> detailsRows;
  std::vector<Row> pointRows;  // a converter design's operating points
  // The converter's design, when there is one.
  std::optional<Json> converter;
};

// The design as the table and JSON show it, with the files a run would have
// written and the message boxes it showed.
Report MakeReport(const Design& design, const std::vector<std::string>& notWritten,
                  const std::vector<ui::HeadlessHost::Shown>& shown);

std::string ToJson(const Report& report);
std::string ToTable(const Report& report);

// {"name": number, ...}: whole counts (turns, wires, the AWG size) as
// integers, null for no value.
Json NamedObject(const std::vector<NamedValue>& values);

}  // namespace velmora::cli
