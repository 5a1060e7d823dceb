// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-cli advise: the sweep over the window's data, and the listed
// candidates run once more through the window's own calculation, so that what
// is printed is what calc prints for that core, material and gap.
#include "cli/AdviseRun.h"

#include <algorithm>
#include <iostream>
#include <map>
#include <set>

#include "app/AdviserInput.h"
#include "calc/Constants.h"
#include "cli/AdviseCommand.h"
#include "cli/Session.h"
#include "present/InputTable.h"
#include "textfile/Cp1251.h"
#include "ui/Dialog.h"

namespace velmora::cli {

namespace {

// Keeps the cores of the family; the usage error when none is left.
std::string KeepFamily(std::string_view dbText, const std::string& utf8, std::vector<advise::CoreEntry>& cores) {
  std::map<std::string, std::string> familyOf;  // by the record's name
  for (const CoreHeader& header : ListCoreHeaders(dbText)) familyOf.emplace(header.name, CoreFamily(header));
  const std::string wanted = NameKey(Utf8ToCp1251(utf8).value_or(std::string()));
  std::set<std::string> families;
  std::vector<advise::CoreEntry> kept;
  for (advise::CoreEntry& core : cores) {
    const std::string& family = familyOf[core.record.name];
    families.insert(Cp1251ToUtf8(family));
    if (!wanted.empty() && NameKey(family) == wanted) kept.push_back(std::move(core));
  }
  cores = std::move(kept);
  if (!cores.empty()) return {};
  std::string known;
  for (const std::string& family : families) known += (known.empty() ? "" : ", ") + family;
  return "--family " + utf8 + ": no core of that family; the database holds: " + known;
}

// The candidate's own core and material, found by their places in the data.
ShownResults RunOf(const advise::AdviseData& data, const ChokeInputs& inputs, const advise::Candidate& c) {
  if (c.coreIndex >= data.cores.size() || c.materialIndex >= data.materials.size()) return ShownResults{};
  ChokeInputs in = inputs;
  in.gapChoice = 0;
  in.gapOrAl = c.gapText;
  in.us_Imin = 0;
  in.L = c.inductanceText;
  const MaterialRecord& material = data.materials[c.materialIndex];
  return CalculateShown(in, ChokeContext{data.cores[c.coreIndex].record, material, data.wires, data.lossLimit},
                        data.lang);
}

}  // namespace

int RunAdvise(const CVelmoraDlg& dlg, const SettingsRecord& settings, const AdviseArgs& args,
              const insight::InsightOptions& options, std::string& error) {
  const Workspace& model = dlg.Model();
  insight::InsightOptions limits = options;
  limits.ambient_C = args.ambient_C.value_or(options.ambient_C);
  AdviserSource source = AdviserSourceOf(model, settings, limits);
  advise::AdviseQuery& query = source.query;
  query.shape = args.shape;
  query.sort = args.sort;
  query.gapStep = args.gapStep;
  query.infeasibleSettled = args.all;  // else only feasible designs are listed
  advise::AdviseData data = AdviseDataOf(source, {});
  if (args.family) {
    error = KeepFamily(model.CoreDatabaseText(), *args.family, data.cores);
    if (!error.empty()) return 2;
  }
  std::vector<std::string> tried = source.materials;
  if (args.material) {
    const auto cp = Utf8ToCp1251(*args.material);
    const ListMatch match = MatchName(source.materials, cp.value_or(std::string()));
    if (!match.found()) {
      error = MaterialNotFound(*args.material, match);
      return 2;
    }
    query.material = source.materials[match.index];
    tried = {query.material};
  }
  data.materials = advise::LoadMaterials(source.folder, tried);
  if (args.material && data.materials.empty()) {
    error = "the material " + *args.material + " has no loss table";
    return 2;
  }

  const std::vector<advise::Candidate> all = advise::Sweep(query, data);
  std::size_t feasible = 0;
  std::vector<advise::Candidate> front;  // in the order of the ranking
  for (const advise::Candidate& c : all) {
    feasible += c.feasible();
    if (c.pareto) front.push_back(c);
  }
  const std::vector<advise::Candidate>& shown = args.pareto ? front : all;
  // The front is listed whole unless --top limits it.
  const std::size_t count = args.pareto ? (args.topGiven ? std::min(args.top, front.size()) : front.size())
                            : args.all  ? all.size()
                                        : std::min(args.top, feasible);
  AdviseListing listing{shown, count, [&](const advise::Candidate& c) { return RunOf(data, query.inputs, c); },
                        feasible};
  listing.pareto = front.size();
  listing.total = all.size();
  switch (args.format) {
    case AdviseArgs::Format::Json:
      WriteAdviseJson(std::cout, listing);
      break;
    case AdviseArgs::Format::Csv:
      WriteAdviseCsv(std::cout, listing);
      break;
    case AdviseArgs::Format::Table:
      WriteAdviseTable(std::cout, listing, args.all);
      std::cout << feasible << " of " << all.size() << " candidates feasible, " << front.size()
                << " on the Pareto front of volume and total loss\n";
      break;
  }
  return 0;
}

}  // namespace velmora::cli
