// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-cli advise: the sweep over the window's data, and the listed
// candidates run once more through the window's own calculation, so that what
// is printed is what calc prints for that core, material and gap.
#include "cli/AdviseRun.h"

#include <algorithm>
#include <iostream>

#include "calc/Constants.h"
#include "cli/AdviseCommand.h"
#include "present/InputTable.h"
#include "textfile/Cp1251.h"
#include "ui/Dialog.h"

namespace velmora::cli {

namespace {

// The material list's names without the no-data entry, which is always last.
std::vector<std::string> MaterialNames(const Design& design) {
  std::vector<std::string> names = design.materialList;
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

// The candidate's own core and material, found by their places in the data.
ShownResults RunOf(const advise::AdviseData& data, const ChokeInputs& inputs, const advise::Candidate& c) {
  if (c.coreIndex >= data.cores.size() || c.materialIndex >= data.materials.size()) return ShownResults{};
  ChokeInputs in = inputs;
  in.yes_al = 0;
  in.zazor = c.gapText;
  in.us_Imin = 0;
  in.L = c.inductanceText;
  const MaterialRecord& material = data.materials[c.materialIndex];
  return CalculateShown(in, ChokeContext{data.cores[c.coreIndex].record, material, data.wires, data.lossLimit},
                        data.lang);
}

}  // namespace

int RunAdvise(const CVelmoraDlg& dlg, const Design& design, const SettingsRecord& settings, const AdviseArgs& args,
              const insight::InsightOptions& options, std::string& error) {
  advise::AdviseData data;
  data.cores = advise::SelectableCores(dlg.CoreDatabaseText(), ui::CompareNoCase);
  const std::vector<std::string> names = MaterialNames(design);
  data.wires = dlg.Wires();
  data.lang = dlg.Lang();
  data.lossLimit = constants::kLossDensityLimit;
  data.ambient_C = args.ambient_C.value_or(options.ambient_C);

  advise::AdviseQuery query;
  query.inputs = ChokeInputsOf(settings);
  query.shape = args.shape;
  query.sort = args.sort;
  query.gapStep = args.gapStep;
  query.minGap = options.minGap_mm;
  query.maxRise = options.riseLimit_K;
  query.fluxMargin = options.fluxMargin;
  query.saturationCurrent_A = options.saturationCurrent_A;
  query.requiredInductance_uH = options.requiredInductance_uH;
  query.alTolerance = options.alTolerance;
  query.alToleranceUngapped = options.alToleranceUngapped;
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
  const AdviseListing listing{all, args.all ? all.size() : std::min(args.top, feasible),
                              [&](const advise::Candidate& c) { return RunOf(data, query.inputs, c); }, feasible};
  switch (args.format) {
    case AdviseArgs::Format::Json:
      WriteAdviseJson(std::cout, listing);
      break;
    case AdviseArgs::Format::Csv:
      WriteAdviseCsv(std::cout, listing);
      break;
    case AdviseArgs::Format::Table:
      WriteAdviseTable(std::cout, listing, args.all);
      std::cout << feasible << " of " << all.size() << " candidates feasible\n";
      break;
  }
  return 0;
}

}  // namespace velmora::cli
