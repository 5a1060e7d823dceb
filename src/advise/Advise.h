#pragma once
// The core adviser: the choke of the window's inputs designed on every core of
// the database with every material that has loss data, and the designs ranked.
// Pure: it reads the inputs and the loaded data and returns the records; the
// window's state is never touched.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "calc/Calculate.h"
#include "calc/WireTable.h"
#include "data/CoreDatabase.h"
#include "data/MaterialRecord.h"
#include "insight/DesignDetails.h"
#include "lang/LanguageTable.h"

namespace velmora::advise {

// One core the window's list can select: the name as the list shows it.
struct CoreEntry {
  int shape = kShapeOther;
  CoreRecord record;
  insight::CoreWindingGeometry winding;  // turn length and surface
};

// Everything a sweep reads, loaded once.
struct AdviseData {
  std::vector<CoreEntry> cores;
  std::vector<MaterialRecord> materials;                   // only materials with loss data
  WireTable wires;                                         // the window's table (metric or AWG)
  LanguageTable lang;                                      // for the no-data material's name and notices
  double lossLimit = 0;                                    // mW/cm3
  double ambient_C = insight::constants::kDefaultAmbient;  // the designs' losses and rise where they settle
};

// The cores that the window can select by name: for each shape the names of
// its list, without repeats, that a prefix search of the sorted list finds as
// themselves and whose shape is that list's shape. compareNoCase orders and
// matches names as the list does.
std::vector<CoreEntry> SelectableCores(const std::string& dbText,
                                       const std::function<int(std::string_view, std::string_view)>& compareNoCase);

// The material files named in the list, read once; a file that cannot be read
// or holds no loss table is left out. folder ends in '/'; names are
// Windows-1251, file names on disk UTF-8.
std::vector<MaterialRecord> LoadMaterials(const std::string& folder, const std::vector<std::string>& names);

enum class SortKey { TotalLoss, Volume, Temperature, Turns };

// Why a candidate is not feasible; a candidate may have several.
enum Reason : unsigned {
  kFeasible = 0,
  kFrequencyAboveTable = 1u << 0,  // the loss table ends below the frequency
  kRippleStop = 1u << 1,           // ripple above twice the nominal current
  kOverfilled = 1u << 2,           // fill factor above the limit
  kFluxAbovePermitted = 1u << 3,   // peak flux density above the permitted one
  kNotFinite = 1u << 4,            // a figure is not a finite number
  kThermalRunaway = 1u << 5,       // no settling temperature up to 200 C
};

struct AdviseQuery {
  ChokeInputs inputs;    // as the window holds them; gap mode and the gap are set per candidate
  int shape = -1;        // one shape, or -1 for all
  std::string material;  // one material by its name, or empty for all
  SortKey sort = SortKey::TotalLoss;
  double gapStep = 0.01;  // mm; the required gap is rounded up to it
};

struct Candidate {
  std::string core;
  int shape = kShapeOther;
  std::string material;
  std::string gapText;  // the gap as it goes into the gap field
  double gap = 0;       // mm
  double turns = 0, mue = 0;
  double AL = 0;                    // nH/turn2
  double Lact = 0;                  // uH
  double Bpk = 0, Bm = 0, Bac = 0;  // T
  double Ipk = 0, dI = 0;           // A
  double coreLoss = 0;              // W
  double wireDiameter = 0;          // mm
  int wireIndex = -1;
  double wires = 0;
  double Jact = 0;  // A/mm2
  double fill = 0;
  double Irms = 0;                       // A
  double copperLoss = 0, totalLoss = 0;  // W, core and winding where they settle
  double temperatureRise = 0;            // K, there
  double temperature = 0;                // C, the settled temperature
  double volume = 0;                     // cm3
  unsigned reasons = kFeasible;
  bool feasible() const { return reasons == kFeasible; }
};

// Called now and then during a sweep with the candidates done and their
// number; returning false ends the sweep (the records so far are returned).
using Progress = std::function<bool(std::size_t done, std::size_t total)>;

// The candidates for the query, ranked: feasible first, then by the key
// ascending (a value that is not a number last), then by total loss, core and
// material.
std::vector<Candidate> Sweep(const AdviseQuery& query, const AdviseData& data, const Progress& progress = {});

// The number of candidates a query gives.
std::size_t CandidateCount(const AdviseQuery& query, const AdviseData& data);

// The gap required by greq (mm) rounded up to the step, as text with the
// step's decimals; "0" when none is needed.
std::string RoundGapUp(double greq, double step);

// The reasons in words ("frequency above the loss table; fill factor above 0.4").
std::string ReasonText(unsigned reasons);

// Orders the records as Sweep returns them.
void Rank(std::vector<Candidate>& candidates, SortKey key);

}  // namespace velmora::advise
