// velmora-cli advise: the sweep over the window's data, and the listed
// candidates run once more through the window's own calculation, so that what
// is printed is what calc prints for that core, material and gap.
#include "cli/AdviseRun.h"

#include <algorithm>
#include <iostream>

#include "app/CalcInputs.h"
#include "app/ControlIds.h"
#include "calc/Constants.h"
#include "cli/AdviseCommand.h"
#include "textfile/Cp1251.h"
#include "ui/Dialog.h"

namespace velmora::cli {

namespace {

// The material list's names without the no-data entry, which is always last.
std::vector<std::string> MaterialNames(const CVelmoraDlg& dlg) {
  std::vector<std::string> names = dlg.Item(ids::IDC_COMBO_MATERIAL)->items;
  if (!names.empty()) names.pop_back();
  return names;
}

// The list's entry of that name (exact, else letter case ignored).
std::optional<std::string> ListedMaterial(const std::vector<std::string>& names, const std::string& cp1251) {
  for (const std::string& n : names)
    if (n == cp1251) return n;
  for (const std::string& n : names)
    if (ui::CompareNoCase(n, cp1251) == 0) return n;
  return std::nullopt;
}

ChokeResults RunOf(const advise::AdviseData& data, const ChokeInputs& inputs, const advise::Candidate& c) {
  ChokeInputs in = inputs;
  in.yes_al = 0;
  in.zazor = c.gapText;
  for (const advise::CoreEntry& core : data.cores) {
    if (core.record.name != c.core) continue;
    for (const MaterialRecord& m : data.materials) {
      if (m.name != c.material) continue;
      MaterialRecord material = m;
      return Calculate(in, ChokeContext{core.record, material, data.wires, data.lang, data.lossLimit});
    }
  }
  return ChokeResults{};
}

}  // namespace

int RunAdvise(const CVelmoraDlg& dlg, const SettingsRecord& settings, const AdviseArgs& args, std::string& error) {
  advise::AdviseData data;
  data.cores = advise::SelectableCores(dlg.CoreDatabaseText(), ui::CompareNoCase);
  const std::vector<std::string> names = MaterialNames(dlg);
  data.wires = dlg.Wires();
  data.lang = dlg.Lang();
  data.lossLimit = constants::kLossDensityLimit;
  if (args.ambient_C) data.ambient_C = *args.ambient_C;

  advise::AdviseQuery query;
  query.inputs = ChokeInputsOf(settings);
  query.shape = args.shape;
  query.sort = args.sort;
  query.gapStep = args.gapStep;
  if (args.material) {
    const auto cp = Utf8ToCp1251(*args.material);
    const auto listed = cp ? ListedMaterial(names, *cp) : std::nullopt;
    if (!listed) {
      error = "no such material " + *args.material;
      return 2;
    }
    query.material = *listed;
    data.materials = advise::LoadMaterials(dlg.ProgramFolder(), {*listed});
    if (data.materials.empty()) {
      error = "the material " + *args.material + " has no loss table";
      return 2;
    }
  } else {
    data.materials = advise::LoadMaterials(dlg.ProgramFolder(), names);
  }

  const std::vector<advise::Candidate> all = advise::Sweep(query, data);
  std::size_t feasible = 0;
  for (const advise::Candidate& c : all) feasible += c.feasible();
  const std::size_t count = args.all ? all.size() : std::min(args.top, feasible);
  std::vector<AdviseRow> rows;
  rows.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    rows.push_back(AdviseRow{all[i], {}});
    if (!(all[i].reasons & advise::kFrequencyAboveTable)) rows.back().results = RunOf(data, query.inputs, all[i]);
  }
  switch (args.format) {
    case AdviseArgs::Format::Json:
      std::cout << AdviseJson(rows, all.size(), feasible);
      break;
    case AdviseArgs::Format::Csv:
      std::cout << AdviseCsv(rows);
      break;
    case AdviseArgs::Format::Table:
      std::cout << AdviseTable(rows, args.all) << feasible << " of " << all.size() << " candidates feasible\n";
      break;
  }
  return 0;
}

}  // namespace velmora::cli
