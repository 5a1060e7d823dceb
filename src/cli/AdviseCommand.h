// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// velmora-cli advise: the core adviser on the command line. The window is
// started headless as for calc; its data (core database, materials, wire
// table, language) feed the sweep, and the inputs are the settings as the
// window reads them before its first calculation.
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "advise/Advise.h"
#include "present/ShownResults.h"

namespace velmora::cli {

struct AdviseArgs {
  int shape = -1;                       // --shape
  std::optional<std::string> family;    // --family F, UTF-8: CoreFamily's word
  std::optional<std::string> material;  // --material NAME, UTF-8
  advise::SortKey sort = advise::SortKey::Volume;
  std::size_t top = 10;                      // --top N
  bool topGiven = false;                     // --top was given
  bool all = false;                          // --all: infeasible ones too
  bool pareto = false;                       // --pareto: the Pareto front only
  double gapStep = advise::kDefaultGapStep;  // --gap-step MM
  std::optional<double> ambient_C;           // --ambient C
  enum class Format { Table, Json, Csv } format = Format::Table;
};

// The advise options that take a value: --shape, --family, --sort, --top,
// --gap-step (the checks' limits --min-gap and --max-rise are calc's and
// report's too).
std::vector<const char*> AdviseValueOptions();
// Sets one of them from its value (nothing: the value is missing); the usage
// error when the value is unusable, else empty.
std::string SetAdviseOption(std::string_view option, const std::optional<std::string>& value, AdviseArgs& args);

// One listed candidate: the record and the window's own run for it.
struct AdviseRow {
  advise::Candidate candidate;
  ShownResults results;  // Calculate with the candidate's core, material and gap
};

// The listing of the first `count` candidates, each run through the window's
// calculation by `run` as it is written, so that no more than one run is
// held at a time.
using RunOfCandidate = std::function<ShownResults(const advise::Candidate&)>;
struct AdviseListing {
  const std::vector<advise::Candidate>& candidates;  // ranked
  std::size_t count = 0;                             // listed from the first
  RunOfCandidate run;
  std::size_t feasible = 0;  // of all candidates
  std::size_t pareto = 0;    // of all candidates, on the Pareto front
  std::size_t total = 0;     // the candidates of the sweep (candidates may hold the front only)
};

void WriteAdviseTable(std::ostream& out, const AdviseListing& listing, bool withReasons);
void WriteAdviseJson(std::ostream& out, const AdviseListing& listing);
void WriteAdviseCsv(std::ostream& out, const AdviseListing& listing);

}  // namespace velmora::cli
