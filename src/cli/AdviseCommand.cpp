// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/AdviseCommand.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "calc/NamedValues.h"
#include "cli/Report.h"
#include "present/ResultTable.h"
#include "textfile/Cp1251.h"
#include "textfile/Numbers.h"

namespace velmora::cli {

namespace {

constexpr const char* kShapeNames[kShapeCount] = {"E", "EI", "ER", "ETD", "R", "other"};

// The calculation's results a candidate lists, by the names calc --json uses.
constexpr const char* kListedResults[] = {"turns",
                                          "effectivePermeability",
                                          "inductanceFactor_nH_per_turn2",
                                          "inductance_uH",
                                          "peakFluxDensity_T",
                                          "fluxDensityLimit_T",
                                          "acFluxDensity_T",
                                          "peakCurrent_A",
                                          "rippleCurrent_A",
                                          "coreLoss_W",
                                          "wireDiameter_mm",
                                          "wireSize_AWG",
                                          "wires",
                                          "currentDensity_A_per_mm2",
                                          "fillFactor",
                                          "rmsCurrent_A"};

std::optional<double> Finite(double v) { return std::isfinite(v) ? std::optional<double>(v) : std::nullopt; }

// Every number of a listed candidate by name: the run's results, then the
// loss budget and the core volume.
std::vector<NamedValue> NumbersOf(const AdviseRow& row) {
  const advise::Candidate& c = row.candidate;
  const bool ran = !(c.reasons & advise::kNotDesigned);
  const std::vector<NamedValue> all = NamedResults(ran ? &row.results : nullptr);
  std::vector<NamedValue> listed;
  listed.push_back({"gap_mm", ran && !c.gapText.empty() ? Finite(c.gap) : std::nullopt});
  for (const char* name : kListedResults)
    for (const NamedValue& v : all)
      if (std::string_view(v.name) == name) listed.push_back(v);
  listed.push_back({"copperLoss_W", Finite(c.copperLoss)});
  listed.push_back({"totalLoss_W", Finite(c.totalLoss)});
  listed.push_back({"temperatureRise_K", Finite(c.temperatureRise)});
  listed.push_back({"riseLimit_K", Finite(c.riseLimit)});
  listed.push_back({"coreVolume_cm3", Finite(c.volume)});
  listed.push_back({"peakFluxDensityHigh_T", Finite(c.BpkHigh)});
  listed.push_back({"alTolerance_rel", Finite(c.tolerance)});
  listed.push_back({"inductanceSet_uH",
                    ran && !c.inductanceText.empty() ? Finite(ReadLeadingDouble(c.inductanceText)) : std::nullopt});
  listed.push_back({"minimumInductance_uH", Finite(c.requiredInductance)});
  listed.push_back({"inductanceLow_uH", Finite(c.Llow)});
  listed.push_back({"saturationFluxDensity_T", Finite(c.Bsaturation)});
  listed.push_back({"saturationLimit_T", Finite(c.Bsat)});
  listed.push_back({"saturationShare_rel", Finite(c.SaturationShare())});
  return listed;
}

std::string ShapeName(int shape) { return shape >= 0 && shape < kShapeCount ? kShapeNames[shape] : "other"; }

constexpr std::pair<const char*, advise::SortKey> kSortKeys[] = {{"volume", advise::SortKey::Volume},
                                                                 {"total-loss", advise::SortKey::TotalLoss},
                                                                 {"temperature", advise::SortKey::Temperature},
                                                                 {"turns", advise::SortKey::Turns}};

std::string SortName(advise::SortKey sort) {
  for (const auto& [name, key] : kSortKeys)
    if (key == sort) return name;
  return {};
}

// A CSV field: quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string q = "\"";
  for (char ch : text) q += ch == '"' ? std::string("\"\"") : std::string(1, ch);
  return q + "\"";
}

std::string Fixed(double v, int decimals) { return std::isfinite(v) ? FormatFixed(v, decimals) : "-"; }

constexpr double kPercent = 100.0;

// Columns of the table: caption with unit, width, text of a row.
struct Column {
  const char* caption;
  int width;
  std::string (*text)(const AdviseRow&);
};

// What decides first (the Pareto mark, volume, loss, rise against its limit,
// the inductance at nominal AL and at the low end of the spread, AL, the
// share of the saturation limit used), then how the choke is built.
const Column kColumns[] = {
    {"Pareto", 6, [](const AdviseRow& r) { return std::string(r.candidate.pareto ? "*" : ""); }},
    {"Ve cm3", 8, [](const AdviseRow& r) { return Fixed(r.candidate.volume, 3); }},
    {"Ptot W", 8, [](const AdviseRow& r) { return Fixed(r.candidate.totalLoss, 3); }},
    {"rise/max K", 10,
     [](const AdviseRow& r) {
       return Fixed(r.candidate.temperatureRise, 1) + "/" + ShortestNumber(r.candidate.riseLimit);
     }},
    {"L uH", 9, [](const AdviseRow& r) { return Fixed(r.candidate.Lact, 3); }},
    {"L low uH", 9, [](const AdviseRow& r) { return Fixed(r.candidate.Llow, 3); }},
    {"AL nH", 7, [](const AdviseRow& r) { return Fixed(r.candidate.AL, 1); }},
    {"B/Bsat %", 8, [](const AdviseRow& r) { return Fixed(r.candidate.SaturationShare() * kPercent, 1); }},
    {"gap mm", 7,
     [](const AdviseRow& r) { return r.candidate.gapText.empty() ? std::string("-") : r.candidate.gapText; }},
    {"N", 4, [](const AdviseRow& r) { return Fixed(r.candidate.turns, 0); }},
    {"Bpk T", 6, [](const AdviseRow& r) { return Fixed(r.candidate.Bpk, 3); }},
    {"Bm T", 6, [](const AdviseRow& r) { return Fixed(r.candidate.Bm, 3); }},
    {"L set uH", 9,
     [](const AdviseRow& r) { return r.candidate.inductanceText.empty() ? "-" : r.candidate.inductanceText; }},
    {"Pcore W", 8, [](const AdviseRow& r) { return Fixed(r.candidate.coreLoss, 3); }},
    {"Pcu W", 8, [](const AdviseRow& r) { return Fixed(r.candidate.copperLoss, 3); }},
    {"wire", 8, [](const AdviseRow& r) { return r.results.texts[Result::Wire].value_or("-"); }},
    {"n", 3, [](const AdviseRow& r) { return Fixed(r.candidate.wires, 0); }},
    {"fill", 6, [](const AdviseRow& r) { return Fixed(r.candidate.fill, 3); }},
};

std::string PadLeft(const std::string& s, std::size_t width) {
  return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

// Columns are counted in code points: names may hold Cyrillic letters.
std::string PadRight(const std::string& s, std::size_t width) {
  std::size_t n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++n;
  return n >= width ? s : s + std::string(width - n, ' ');
}

std::size_t Widest(const AdviseListing& l, std::size_t least, const std::string advise::Candidate::*name) {
  std::size_t w = least;
  for (std::size_t i = 0; i < l.count; ++i) w = std::max(w, Cp1251ToUtf8(l.candidates[i].*name).size());
  return w;
}

// The listed row i with its run.
AdviseRow RowOf(const AdviseListing& l, std::size_t i) {
  const advise::Candidate& c = l.candidates[i];
  return AdviseRow{c, c.reasons & advise::kNotDesigned ? ShownResults{} : l.run(c)};
}

// The options of calc that give the listed design (after the query's own).
Json CalcArgsOf(const advise::Candidate& c) {
  if (c.gapText.empty() || c.inductanceText.empty()) return Json();
  return Json::array({"--set", "core=" + Cp1251ToUtf8(c.core), "--set", "mater=" + Cp1251ToUtf8(c.material), "--set",
                      "yes_al=0", "--set", "zazor=" + c.gapText, "--set", "us_Imin=0", "--set", "L=" + c.inductanceText,
                      "--required-inductance", ShortestNumber(c.requiredInductance)});
}

// A length or limit above 0 (or at least 0), finite, from the whole text.
std::optional<double> ReadWholeNumber(const std::string& text) {
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(v)) return std::nullopt;
  return v;
}

}  // namespace

std::vector<const char*> AdviseValueOptions() { return {"--shape", "--family", "--sort", "--top", "--gap-step"}; }

std::string SetAdviseOption(std::string_view option, const std::optional<std::string>& value, AdviseArgs& a) {
  const std::string v = value.value_or("");
  if (option == "--shape") {
    for (int s = 0; value && s < kShapeCount; ++s)
      if (v == kShapeNames[s]) a.shape = s;
    return value && v == ShapeName(a.shape) ? std::string() : "--shape takes E, EI, ER, ETD, R or other";
  }
  if (option == "--family") {
    if (v.empty()) return "--family needs a core family: e, etd, pq, rm, t, ...";
    a.family = v;
    return {};
  }
  if (option == "--sort") {
    for (const auto& [name, key] : kSortKeys)
      if (v == name) a.sort = key;
    return value && v == SortName(a.sort) ? std::string() : "--sort takes volume, total-loss, temperature or turns";
  }
  if (option == "--top") {
    char* end = nullptr;
    const long n = std::strtol(v.c_str(), &end, 10);
    if (v.empty() || *end != '\0' || n < 1) return "--top needs a whole number of at least 1";
    a.top = static_cast<std::size_t>(n);
    a.topGiven = true;
  } else if (option == "--gap-step") {
    const auto step = ReadWholeNumber(v);
    if (!step || !(*step >= advise::kMinGapStep && *step <= advise::kMaxGapStep))
      return "--gap-step needs a length in mm from 0.001 to 0.5";
    a.gapStep = *step;
  }
  return {};
}

void WriteAdviseTable(std::ostream& out, const AdviseListing& l, bool withReasons) {
  const std::size_t coreWidth = Widest(l, 4, &advise::Candidate::core);
  const std::size_t materialWidth = Widest(l, 8, &advise::Candidate::material);
  std::string t = PadLeft("#", 4) + "  " + PadRight("core", coreWidth) + "  " + PadRight("material", materialWidth);
  for (const Column& c : kColumns) t += "  " + PadLeft(c.caption, static_cast<std::size_t>(c.width));
  if (withReasons) t += "  not feasible because";
  out << t << "\n";
  for (std::size_t i = 0; i < l.count; ++i) {
    const AdviseRow r = RowOf(l, i);
    t = PadLeft(std::to_string(i + 1), 4) + "  " + PadRight(Cp1251ToUtf8(r.candidate.core), coreWidth) + "  " +
        PadRight(Cp1251ToUtf8(r.candidate.material), materialWidth);
    for (const Column& c : kColumns) t += "  " + PadLeft(c.text(r), static_cast<std::size_t>(c.width));
    if (withReasons && !r.candidate.feasible()) t += "  " + advise::ReasonText(r.candidate.reasons);
    out << t << "\n";
  }
}

void WriteAdviseJson(std::ostream& out, const AdviseListing& l) {
  Json listed = Json::array();
  for (std::size_t i = 0; i < l.count; ++i) {
    const AdviseRow row = RowOf(l, i);
    const advise::Candidate& c = row.candidate;
    listed.push_back({{"rank", i + 1},
                      {"core", Cp1251ToUtf8(c.core)},
                      {"shape", ShapeName(c.shape)},
                      {"material", Cp1251ToUtf8(c.material)},
                      {"feasible", c.feasible()},
                      {"pareto", c.pareto},
                      {"reason", c.feasible() ? Json() : Json(advise::ReasonText(c.reasons))},
                      {"calcArgs", CalcArgsOf(c)},
                      {"results", NamedObject(NumbersOf(row))}});
  }
  out << Dump({{"candidates", l.total}, {"feasible", l.feasible}, {"pareto", l.pareto}, {"listed", std::move(listed)}},
              2);
}

void WriteAdviseCsv(std::ostream& out, const AdviseListing& l) {
  std::string s = "rank,core,shape,material,feasible,pareto,reason";
  for (const NamedValue& v : NumbersOf(AdviseRow{})) s += std::string(",") + v.name;
  out << s << "\r\n";
  for (std::size_t i = 0; i < l.count; ++i) {
    const AdviseRow row = RowOf(l, i);
    const advise::Candidate& c = row.candidate;
    s = std::to_string(i + 1) + "," + CsvField(Cp1251ToUtf8(c.core)) + "," + ShapeName(c.shape) + "," +
        CsvField(Cp1251ToUtf8(c.material)) + "," + (c.feasible() ? "true" : "false") + "," +
        (c.pareto ? "true" : "false") + "," + CsvField(advise::ReasonText(c.reasons));
    for (const NamedValue& v : NumbersOf(row)) s += "," + (v.value ? ShortestNumber(*v.value) : std::string());
    out << s << "\r\n";
  }
}

}  // namespace velmora::cli
