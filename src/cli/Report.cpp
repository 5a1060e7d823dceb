// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Report.h"

#include <charconv>
#include <cstdio>
#include <string_view>

#include "present/InputTable.h"
#include "present/ResultTable.h"
#include "settings/SettingsRecord.h"
#include "textfile/Cp1251.h"

namespace velmora::cli {

namespace {

// A label's text on one line: language texts may hold line breaks and TABs.
std::string OneLine(const std::string& cp1251) {
  std::string text = Cp1251ToUtf8(cp1251);
  for (char& c : text)
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  return text;
}

bool IsChoiceKey(const std::string& key) {
  return key == "yes_al" || key == "use" || key == "us_Imin" || key == "use_D" || key == "yes_AWG";
}

// A choice field's number; its text when it holds none (an empty field).
Json ChoiceValue(const std::string& text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return text;
  return value;
}

// {"ID": "text", ...} by control ID.
Json IdMap(const std::vector<std::pair<int, std::string>>& entries) {
  Json j = Json::object();
  for (const auto& [id, text] : entries) j[std::to_string(id)] = text;
  return j;
}

// Code points of UTF-8 text, for aligning columns.
std::size_t Width(const std::string& utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

// A figure of the converter's block to four significant digits.
std::string Figure(const Json& value) {
  if (!value.is_number()) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", value.get<double>());
  return text;
}

// The converter's block of the table, from the very object --json prints.
std::vector<Report::Row> ConverterRows(const Json& c) {
  std::vector<Report::Row> rows{{"Topology", c.value("topology", std::string()), ""},
                                {"Inductance", Figure(c["inductance_uH"]), "uH"},
                                {"Design input voltage", Figure(c["designInputVoltage_V"]), "V"}};
  for (const Json& p : c["points"]) {
    const std::string at = p.value("at", std::string());
    rows.push_back({at == "min"   ? "At the lowest input"
                    : at == "max" ? "At the highest input"
                                  : "At the worst point",
                    Figure(p["inputVoltage_V"]) + " V: duty " + Figure(p["dutyCycle"]) + ", current " +
                        Figure(p["inductorCurrent_A"]) + " A, ripple " + Figure(p["ripple_A"]) + " A, peak " +
                        Figure(p["peakCurrent_A"]) + " A",
                    ""});
  }
  return rows;
}

}  // namespace

Report MakeReport(const Design& design, const std::vector<std::string>& notWritten,
                  const std::vector<ui::HeadlessHost::Shown>& shown) {
  Report r;
  r.startUpEnded = design.startUpFailed;
  r.windowEnded = design.windowEnded;
  r.notWritten = notWritten;
  r.core = Cp1251ToUtf8(design.settings.core);
  r.material = Cp1251ToUtf8(design.settings.mater);
  int count = 0;
  const char* const* keys = SettingsKeys(&count);
  for (int i = 0; i < count; ++i)
    r.fields.push_back({keys[i], Cp1251ToUtf8(GetSettingsField(design.settings, keys[i])), IsChoiceKey(keys[i])});

  for (const ShownLine& l : design.coreLines) r.coreData.emplace_back(l.id, OneLine(l.value));
  for (const auto& [id, text] : design.labels) r.labels.emplace_back(id, OneLine(text));
  r.spin = design.wireSpin;
  r.inputValues = NamedInputs(design.LastCalculation(), design.core, design.material);
  r.resultValues = NamedResults(design.LastCalculation());
  r.resultsCurrent = design.resultsCurrent;
  for (const auto& box : shown) r.messages.push_back({OneLine(box.caption), OneLine(box.text)});

  // The table: each line's caption, value and unit as the window shows them.
  auto rows = [](const std::vector<ShownLine>& lines, std::vector<Report::Row>& out) {
    for (const ShownLine& l : lines) out.push_back({OneLine(l.caption), OneLine(l.value), OneLine(l.unit)});
  };
  rows(design.inputLines, r.inputs);
  rows(design.resultLines, r.results);
  rows(design.coreLines, r.coreRows);
  return r;
}

Json NamedObject(const std::vector<NamedValue>& values) {
  Json j = Json::object();
  for (const NamedValue& v : values) {
    const std::string_view name = v.name;
    j[v.name] = name == "turns" || name == "wires" || name == "wireSize_AWG" ? Count(v.value) : Number(v.value);
  }
  return j;
}

std::string ToJson(const Report& r) {
  Json j;
  j["startup"] = r.startUpEnded ? "ended" : "ok";
  j["window"] = r.windowEnded ? "ended" : "open";
  j["core"] = r.core;
  j["material"] = r.material;
  Json& fields = j["fields"] = Json::object();
  for (const Report::Field& f : r.fields) fields[f.key] = f.number ? ChoiceValue(f.value) : Json(f.value);
  j["coreData"] = IdMap(r.coreData);
  j["labels"] = IdMap(r.labels);
  j["spin"] = r.spin;
  j["inputs"] = NamedObject(r.inputValues);
  j["results"] = NamedObject(r.resultValues);
  j["resultsCurrent"] = r.resultsCurrent;
  if (r.details) j["details"] = *r.details;
  if (r.checks) j["checks"] = *r.checks;
  if (r.operatingPoints) j["operatingPoints"] = *r.operatingPoints;
  if (r.converter) j["converter"] = *r.converter;
  Json& messages = j["messages"] = Json::array();
  for (const Report::Box& box : r.messages) messages.push_back(Json{{"caption", box.caption}, {"text", box.text}});
  j["notWritten"] = r.notWritten;
  return Dump(j, 1);
}

std::string ToTable(const Report& r) {
  const std::vector<Report::Row> converterRows = r.converter ? ConverterRows(*r.converter) : std::vector<Report::Row>();
  std::size_t width = 0;
  for (const auto* rows : {&r.inputs, &r.results, &r.coreRows, &r.detailsRows, &r.pointRows, &converterRows})
    for (const auto& row : *rows) width = std::max(width, Width(row.caption));
  auto rows = [width](const char* title, const std::vector<Report::Row>& lines) {
    std::string s = std::string(title) + "\n";
    for (const auto& l : lines) {
      s += "  " + l.caption + std::string(width - Width(l.caption) + 2, ' ') + l.value;
      if (!l.unit.empty()) s += " " + l.unit;
      s += "\n";
    }
    return s;
  };
  std::string t = "Core:     " + r.core + "\nMaterial: " + r.material + "\n\n";
  if (!r.startUpEnded) {
    t += rows("Inputs", r.inputs) + "\n";
    t += rows(r.resultsCurrent ? "Results" : "Results (out of date: calculate again)", r.results) + "\n";
    t += rows("Core data", r.coreRows);
    if (!r.detailsRows.empty()) t += "\n" + rows("Design details", r.detailsRows);
    if (!r.pointRows.empty()) t += "\n" + rows("Operating points", r.pointRows);
    if (!converterRows.empty()) t += "\n" + rows("Converter", converterRows);
  }
  if (!r.messages.empty()) {
    t += "\nMessages\n";
    for (const auto& m : r.messages) t += "  [" + m.caption + "] " + m.text + "\n";
  }
  if (r.windowEnded && !r.startUpEnded) t += "\nThe window has ended.\n";
  if (!r.notWritten.empty()) {
    t += "\nNot written (the command line writes nothing)\n";
    for (const auto& f : r.notWritten) t += "  " + f + "\n";
  }
  return t;
}

}  // namespace velmora::cli
