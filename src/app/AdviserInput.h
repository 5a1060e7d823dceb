// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The core adviser's inputs from the workspace, built here for the command
// line's advise and the adviser window alike: the selectable cores of the
// database, the materials with data, the wire table, the language and the
// query from the design inputs and the checks' limits.
#include <string>
#include <vector>

#include "advise/Advise.h"
#include "app/Workspace.h"
#include "insight/DesignDetails.h"
#include "settings/SettingsRecord.h"

namespace velmora {

// What a sweep reads, copied from the workspace: a value a worker thread may
// own while the window goes on.
struct AdviserSource {
  std::string dbText;                  // the core database text
  std::string folder;                  // the program folder, ending in '/'
  std::vector<std::string> materials;  // the material list less the no-data entry
  WireTable wires;
  LanguageTable lang;
  double ambient_C = 0;
  advise::AdviseQuery query;
};

// The source for the inputs in settings, with the limits, tolerances,
// saturation current, required inductance and ambient of options; a design
// from a converter is judged at its input voltages. The query's shape,
// material, order and gap step are the defaults (all, by volume).
AdviserSource AdviserSourceOf(const Workspace& model, const SettingsRecord& settings,
                              const insight::InsightOptions& options);

// The data a sweep runs on: the selectable cores and the named materials'
// files that can be read (a slow step: the files are read here).
advise::AdviseData AdviseDataOf(const AdviserSource& source, const std::vector<std::string>& materials);

}  // namespace velmora
