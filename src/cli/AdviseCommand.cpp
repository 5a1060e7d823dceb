#include "cli/AdviseCommand.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "calc/NamedValues.h"
#include "cli/Report.h"
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
  const bool ran = !(c.reasons & advise::kFrequencyAboveTable);
  const std::vector<NamedValue> all = NamedResults(ran ? &row.results : nullptr);
  std::vector<NamedValue> listed;
  listed.push_back({"gap_mm", ran && !c.gapText.empty() ? Finite(c.gap) : std::nullopt});
  for (const char* name : kListedResults)
    for (const NamedValue& v : all)
      if (std::string_view(v.name) == name) listed.push_back(v);
  listed.push_back({"copperLoss_W", Finite(c.copperLoss)});
  listed.push_back({"totalLoss_W", Finite(c.totalLoss)});
  listed.push_back({"temperatureRise_K", Finite(c.temperatureRise)});
  listed.push_back({"coreVolume_cm3", Finite(c.volume)});
  return listed;
}

std::string ShapeName(int shape) { return shape >= 0 && shape < kShapeCount ? kShapeNames[shape] : "other"; }

// A CSV field: quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string q = "\"";
  for (char ch : text) q += ch == '"' ? std::string("\"\"") : std::string(1, ch);
  return q + "\"";
}

std::string Fixed(double v, int decimals) { return std::isfinite(v) ? FormatFixed(v, decimals) : "-"; }

// Columns of the table: caption with unit, width, text of a row.
struct Column {
  const char* caption;
  int width;
  std::string (*text)(const AdviseRow&);
};

const Column kColumns[] = {
    {"gap mm", 7,
     [](const AdviseRow& r) { return r.candidate.gapText.empty() ? std::string("-") : r.candidate.gapText; }},
    {"N", 4, [](const AdviseRow& r) { return Fixed(r.candidate.turns, 0); }},
    {"Bpk T", 6, [](const AdviseRow& r) { return Fixed(r.candidate.Bpk, 3); }},
    {"Bm T", 6, [](const AdviseRow& r) { return Fixed(r.candidate.Bm, 3); }},
    {"Pcore W", 8, [](const AdviseRow& r) { return Fixed(r.candidate.coreLoss, 3); }},
    {"Pcu W", 8, [](const AdviseRow& r) { return Fixed(r.candidate.copperLoss, 3); }},
    {"Ptot W", 8, [](const AdviseRow& r) { return Fixed(r.candidate.totalLoss, 3); }},
    {"rise K", 7, [](const AdviseRow& r) { return Fixed(r.candidate.temperatureRise, 1); }},
    {"wire", 8, [](const AdviseRow& r) { return r.results.texts.wire.value_or("-"); }},
    {"n", 3, [](const AdviseRow& r) { return Fixed(r.candidate.wires, 0); }},
    {"fill", 6, [](const AdviseRow& r) { return Fixed(r.candidate.fill, 3); }},
    {"Ve cm3", 8, [](const AdviseRow& r) { return Fixed(r.candidate.volume, 3); }},
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

std::size_t Widest(const std::vector<AdviseRow>& rows, std::size_t least, std::string (*name)(const AdviseRow&)) {
  std::size_t w = least;
  for (const AdviseRow& r : rows) w = std::max(w, name(r).size());
  return w;
}

std::string CoreOf(const AdviseRow& r) { return Cp1251ToUtf8(r.candidate.core); }
std::string MaterialOf(const AdviseRow& r) { return Cp1251ToUtf8(r.candidate.material); }

}  // namespace

bool ParseAdviseOption(const std::vector<std::string>& argv, std::size_t& i, AdviseArgs& a, std::string& error) {
  const std::string& arg = argv[i];
  auto value = [&]() -> std::optional<std::string> {
    if (i + 1 >= argv.size()) return std::nullopt;
    return argv[++i];
  };
  if (arg == "--shape") {
    const auto v = value();
    a.shape = -2;
    for (int s = 0; v && s < kShapeCount; ++s)
      if (*v == kShapeNames[s]) a.shape = s;
    if (a.shape == -2) error = "--shape takes E, EI, ER, ETD, R or other";
  } else if (arg == "--material") {
    a.material = value();
    if (!a.material) error = "--material needs a name";
  } else if (arg == "--sort") {
    const auto v = value().value_or("");
    if (v == "total-loss") a.sort = advise::SortKey::TotalLoss;
    else if (v == "volume") a.sort = advise::SortKey::Volume;
    else if (v == "temperature") a.sort = advise::SortKey::Temperature;
    else if (v == "turns") a.sort = advise::SortKey::Turns;
    else error = "--sort takes total-loss, volume, temperature or turns";
  } else if (arg == "--top") {
    const auto v = value().value_or("");
    char* end = nullptr;
    const long n = std::strtol(v.c_str(), &end, 10);
    if (v.empty() || *end != '\0' || n < 1) error = "--top needs a whole number of at least 1";
    else a.top = static_cast<std::size_t>(n);
  } else if (arg == "--all") {
    a.all = true;
  } else if (arg == "--gap-step") {
    const auto v = value().value_or("");
    char* end = nullptr;
    const double step = std::strtod(v.c_str(), &end);
    if (v.empty() || *end != '\0' || !(step > 0) || !std::isfinite(step))
      error = "--gap-step needs a length in mm above 0";
    else a.gapStep = step;
  } else if (arg == "--json") {
    a.format = AdviseArgs::Format::Json;
  } else if (arg == "--csv") {
    a.format = AdviseArgs::Format::Csv;
  } else {
    return false;
  }
  return true;
}

std::string AdviseUsageText() {
  return "       velmora-cli [--dir DIR] advise [DESIGN_FILE] [--set KEY=VALUE]... [--shape E|EI|ER|ETD|R|other]\n"
         "                  [--material NAME] [--sort total-loss|volume|temperature|turns] [--top N]\n"
         "                  [--all] [--gap-step MM] [--ambient C] [--json|--csv]\n";
}

std::string AdviseHelpText() {
  return "advise designs the choke of the inputs (as calc reads them) on every core of the database\n"
         "with every material that has loss data, at the gap the permitted flux density requires\n"
         "rounded up to the gap step (default 0.01 mm), and lists the best N (default 10) feasible\n"
         "designs by total loss (or the key given); --all lists every candidate, the infeasible ones\n"
         "with their reason. Each listed design is what calc gives with --set core=CORE\n"
         "--set mater=MATERIAL --set yes_al=0 --set zazor=GAP. --json and --csv name the numbers as\n"
         "calc --json's \"results\" does.\n";
}

std::string AdviseTable(const std::vector<AdviseRow>& rows, bool withReasons) {
  const std::size_t coreWidth = Widest(rows, 4, CoreOf), materialWidth = Widest(rows, 8, MaterialOf);
  std::string t = PadLeft("#", 4) + "  " + PadRight("core", coreWidth) + "  " + PadRight("material", materialWidth);
  for (const Column& c : kColumns) t += "  " + PadLeft(c.caption, static_cast<std::size_t>(c.width));
  if (withReasons) t += "  not feasible because";
  t += "\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const AdviseRow& r = rows[i];
    t += PadLeft(std::to_string(i + 1), 4) + "  " + PadRight(CoreOf(r), coreWidth) + "  " +
         PadRight(MaterialOf(r), materialWidth);
    for (const Column& c : kColumns) t += "  " + PadLeft(c.text(r), static_cast<std::size_t>(c.width));
    if (withReasons && !r.candidate.feasible()) t += "  " + advise::ReasonText(r.candidate.reasons);
    t += "\n";
  }
  return t;
}

std::string AdviseJson(const std::vector<AdviseRow>& rows, std::size_t total, std::size_t feasible) {
  std::string j = "{\n  \"candidates\": " + std::to_string(total) + ",\n  \"feasible\": " + std::to_string(feasible) +
                  ",\n  \"listed\": [";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const advise::Candidate& c = rows[i].candidate;
    j += i ? ",\n    " : "\n    ";
    j += "{\"rank\": " + std::to_string(i + 1) + ", \"core\": " + JsonString(Cp1251ToUtf8(c.core)) +
         ", \"shape\": " + JsonString(ShapeName(c.shape)) + ", \"material\": " + JsonString(Cp1251ToUtf8(c.material)) +
         ", \"feasible\": " + (c.feasible() ? "true" : "false") +
         ", \"reason\": " + (c.feasible() ? std::string("null") : JsonString(advise::ReasonText(c.reasons))) +
         ", \"results\": " + JsonObject(NumbersOf(rows[i])) + "}";
  }
  j += rows.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return j;
}

std::string AdviseCsv(const std::vector<AdviseRow>& rows) {
  std::string s = "rank,core,shape,material,feasible,reason";
  const std::vector<NamedValue> names = NumbersOf(AdviseRow{});
  for (const NamedValue& v : names) s += std::string(",") + v.name;
  s += "\r\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const advise::Candidate& c = rows[i].candidate;
    s += std::to_string(i + 1) + "," + CsvField(Cp1251ToUtf8(c.core)) + "," + ShapeName(c.shape) + "," +
         CsvField(Cp1251ToUtf8(c.material)) + "," + (c.feasible() ? "true" : "false") + "," +
         CsvField(advise::ReasonText(c.reasons));
    for (const NamedValue& v : NumbersOf(rows[i])) s += "," + (v.value ? JsonNumber(v.value) : std::string());
    s += "\r\n";
  }
  return s;
}

}  // namespace velmora::cli
