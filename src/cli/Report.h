#pragma once
// What the window shows after a run, in UTF-8, as a readable table or as one
// JSON object.
#include <string>
#include <utility>
#include <vector>

#include "app/VelmoraDlg.h"
#include "ui/HeadlessHost.h"

namespace velmora::cli {

struct Report {
  bool startUpEnded = false;
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
  // Caption, value and unit lines for the table.
  struct Row {
    std::string caption, value, unit;
  };
  std::vector<Row> inputs, results, coreRows;
};

Report MakeReport(CVelmoraDlg& dlg, const std::vector<ui::HeadlessHost::Shown>& shown);

std::string ToJson(const Report& report);
std::string ToTable(const Report& report);

// A JSON string literal of UTF-8 text.
std::string JsonString(const std::string& utf8);

}  // namespace velmora::cli
