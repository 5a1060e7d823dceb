#pragma once
// velmora-cli advise: the core adviser on the command line. The window is
// started headless as for calc; its data (core database, materials, wire
// table, language) feed the sweep, and the inputs are the settings as the
// window reads them before its first calculation.
#include <optional>
#include <string>
#include <vector>

#include "advise/Advise.h"

namespace velmora::cli {

struct AdviseArgs {
  int shape = -1;                       // --shape
  std::optional<std::string> material;  // --material NAME, UTF-8
  advise::SortKey sort = advise::SortKey::TotalLoss;
  std::size_t top = 10;             // --top N
  bool all = false;                 // --all: infeasible ones too
  double gapStep = 0.01;            // --gap-step MM
  std::optional<double> ambient_C;  // --ambient C
  enum class Format { Table, Json, Csv } format = Format::Table;
};

// Parses one advise option at argv[i] (advancing i past its value); false
// when it is not an advise option. error is set on a bad value.
bool ParseAdviseOption(const std::vector<std::string>& argv, std::size_t& i, AdviseArgs& args, std::string& error);

// The usage lines of advise, and what it does.
std::string AdviseUsageText();
std::string AdviseHelpText();

// One listed candidate: the record and the window's own run for it.
struct AdviseRow {
  advise::Candidate candidate;
  ChokeResults results;  // Calculate with the candidate's core, material and gap
};

std::string AdviseTable(const std::vector<AdviseRow>& rows, bool withReasons);
std::string AdviseJson(const std::vector<AdviseRow>& rows, std::size_t total, std::size_t feasible);
std::string AdviseCsv(const std::vector<AdviseRow>& rows);

}  // namespace velmora::cli
