// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Report.h"

#include <charconv>
#include <string_view>

#include "app/ControlIds.h"
#include "app/WindowLines.h"
#include "settings/SettingsRecord.h"
#include "textfile/Cp1251.h"

namespace velmora::cli {

using namespace ids;

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

}  // namespace

Report MakeReport(CVelmoraDlg& dlg, const std::vector<ui::HeadlessHost::Shown>& shown) {
  Report r;
  r.startUpEnded = dlg.StartUpFailed();
  r.windowEnded = dlg.IsEnded();
  if (!r.windowEnded) dlg.UpdateData(true);
  r.notWritten = dlg.NotWritten();
  const SettingsRecord settings = dlg.SettingsForWriting();
  r.core = Cp1251ToUtf8(settings.core);
  r.material = Cp1251ToUtf8(settings.mater);
  int count = 0;
  const char* const* keys = SettingsKeys(&count);
  for (int i = 0; i < count; ++i)
    r.fields.push_back({keys[i], Cp1251ToUtf8(GetSettingsField(settings, keys[i])), IsChoiceKey(keys[i])});

  auto text = [&dlg](int id) { return OneLine(dlg.GetItemText(id)); };
  for (int id : {IDC_DATA_MU, IDC_DATA_AE, IDC_DATA_AN, IDC_DATA_LE, IDC_DATA_VE})
    r.coreData.emplace_back(id, text(id));
  for (int id :
       {IDC_RES_REQUIRED, IDC_RES_AL,   IDC_RES_MUE,       IDC_RES_LACT,       IDC_UNIT_LACT,    IDC_RES_BPK,
        IDC_RES_LIMIT,    IDC_RES_BAC,  IDC_RES_PCORE,     IDC_RES_TURNS,      IDC_RES_WIRE,     IDC_RES_WIRES,
        IDC_RES_FILL,     IDC_RES_JACT, IDC_RES_IPK,       IDC_RES_DI,         IDC_CAP_REQUIRED, IDC_UNIT_REQUIRED,
        IDC_LABEL_DPROV,  IDC_CAP_WIRE, IDC_UNIT_DPROV_MM, IDC_UNIT_DPROV_AWG, IDC_UNIT_WIRE})
    r.labels.emplace_back(id, text(id));
  r.spin = dlg.GetSpinPos(IDC_SPIN_WIRE);
  r.inputValues = NamedInputs(dlg.LastCalculation(), dlg.Core(), dlg.Material());
  r.resultValues = NamedResults(dlg.LastCalculation());
  r.resultsCurrent = dlg.ResultsCurrent();
  for (const auto& box : shown) r.messages.push_back({OneLine(box.caption), OneLine(box.text)});

  // The table: each line's caption, value and unit as the window shows them.
  const std::string dprovUnit = text(IDC_UNIT_DPROV_AWG).empty() ? text(IDC_UNIT_DPROV_MM) : text(IDC_UNIT_DPROV_AWG);
  const std::string gapCaption = dlg.GetCheck(IDC_RADIO_AL) ? text(IDC_RADIO_AL) : text(IDC_RADIO_GAP);
  for (const WindowLine& l : kInputLines)
    r.inputs.push_back({text(l.caption), text(l.value), l.unit > 0 ? text(l.unit) : FixedUnitText(l.unit)});
  r.inputs.push_back({text(IDC_LABEL_DPROV), text(IDC_EDIT_DPROV), dprovUnit});
  r.inputs.push_back({gapCaption, text(IDC_EDIT_ZAZOR), ""});

  for (const WindowLine& l : kResultLines) {
    std::string unit = l.unit > 0 ? text(l.unit) : FixedUnitText(l.unit);
    if (l.value == IDC_RES_BPK) unit += " " + text(IDC_RES_LIMIT);
    r.results.push_back({text(l.caption), text(l.value), unit});
  }
  for (const WindowLine& l : kCoreDataLines)
    r.coreRows.push_back({text(l.caption), text(l.value), l.unit > 0 ? text(l.unit) : ""});
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
  if (r.converter) j["converter"] = *r.converter;
  Json& messages = j["messages"] = Json::array();
  for (const Report::Box& box : r.messages) messages.push_back(Json{{"caption", box.caption}, {"text", box.text}});
  j["notWritten"] = r.notWritten;
  return Dump(j, 1);
}

std::string ToTable(const Report& r) {
  std::size_t width = 0;
  for (const auto* rows : {&r.inputs, &r.results, &r.coreRows, &r.detailsRows})
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
