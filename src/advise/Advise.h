// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The core adviser: the choke of the window's inputs designed on every core of
// the database with every material that has loss data, at the first gap of
// the gap grid that gives a design a designer can build, and the designs
// ranked.
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
  CoreSold sold;                         // the kinds of material it is sold in
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

// The order of the feasible designs: the smallest core first by default
// (ties by total loss), or by total loss, temperature rise or turns.
enum class SortKey { Volume, TotalLoss, Temperature, Turns };

// The least gap of the search, the minimum-gap check's limit (see there).
inline constexpr double kDefaultMinGap = insight::constants::kDefaultMinGap;  // mm
// Gaps are searched up to 3 mm: beyond that a ferrite choke is better built
// on a larger core (the fringing flux heats the winding).
inline constexpr double kMaxGap = 3.0;  // mm
// The finest gap step: a micrometre is already far below what can be ground.
inline constexpr double kMinGapStep = 0.001;     // mm
inline constexpr double kDefaultGapStep = 0.01;  // mm
// The coarsest: a step above 0.5 mm would jump over most of the 3 mm searched.
inline constexpr double kMaxGapStep = 0.5;  // mm
// The inductance set for a design is the required one over the low end of
// its spread, rounded up to a nanohenry so that its text reads back as set.
inline constexpr int kInductanceDecimals = 3;  // uH

// Why a candidate is not feasible; a candidate may have several.
enum Reason : unsigned {
  kFeasible = 0,
  kFrequencyAboveTable = 1u << 0,   // the loss table ends below the frequency
  kRippleStop = 1u << 1,            // ripple above twice the nominal current
  kOverfilled = 1u << 2,            // fill factor above the limit
  kFluxAbovePermitted = 1u << 3,    // peak flux density above the permitted one
  kNotFinite = 1u << 4,             // a figure is not a finite number
  kSpreadAbovePermitted = 1u << 5,  // peak flux density above the permitted one at the high end of the AL spread
  kRiseAboveLimit = 1u << 6,        // temperature rise above the limit
  kThermalRunaway = 1u << 7,        // no settling temperature up to 200 C
  kLossTableUnusable = 1u << 8,     // a frequency or flux density not positive, or a loss not finite
  kSaturation = 1u << 9,            // peak flux at the saturation current above (1 - margin) Bsat(T)
  kBelowInductance = 1u << 10,      // inductance at the low end of the spread below the required one
  kGapBelowMinimum = 1u << 11,      // a ground gap below the minimum gap
  kRingGapped = 1u << 12,           // a gap given to a ring
  kNotChecked = 1u << 13,           // a check could not be evaluated
  kGapPastSearch = 1u << 14,        // the required gap lies beyond the search's end (kMaxGap)
  kRollsOff = 1u << 15,             // a powder core's inductance at full load stops rising below the required one
};
// The reasons that keep a candidate from being designed at all: no run stands behind it.
inline constexpr unsigned kNotDesigned = kFrequencyAboveTable | kLossTableUnusable;

struct AdviseQuery {
  ChokeInputs inputs;    // as the window holds them; gap mode and the gap are set per candidate
  int shape = -1;        // one shape, or -1 for all
  std::string material;  // one material by its name, or empty for all
  SortKey sort = SortKey::Volume;
  double gapStep = kDefaultGapStep;                            // mm, at least kMinGapStep: the grid of gaps searched
  double minGap = kDefaultMinGap;                              // mm: no gap below it (rings: gap 0 only)
  double maxRise = insight::constants::kDefaultRiseLimit;      // K
  double fluxMargin = insight::constants::kDefaultFluxMargin;  // relative, below Bsat(T)
  double saturationCurrent_A = insight::constants::kNaN;       // NaN: each design's peak current
  // The inductance each design must hold at the low end of its spread; NaN:
  // the design inductance of the inputs (the field, or from the minimum current).
  double requiredInductance_uH = insight::constants::kNaN;
  // The AL tolerances of the spread (relative), as the design details take them.
  double alTolerance = insight::constants::kDefaultAlTolerance;
  double alToleranceUngapped = insight::constants::kDefaultAlToleranceUngapped;
  // Whether a pair without a buildable gap is settled at its required gap and
  // held to every check (its losses, rise and every reason), or left with
  // the reasons of the pre-check, unsettled: enough where only the feasible
  // designs are shown.
  bool infeasibleSettled = true;
  // A design from a converter: the points a design of that inductance (uH)
  // is judged at, every check at each (insight::CombineChecks); none: the
  // inputs' one point.
  std::function<std::vector<insight::PointDemand>(double inductance_uH)> points;
};

struct Candidate {
  std::string core;
  int shape = kShapeOther;
  std::string material;
  std::string gapText;  // the gap as it goes into the gap field
  double gap = 0;       // mm
  // The inductance field of the design (the required inductance raised by
  // its spread) and the required inductance, uH; the design is what calc gives
  // with --set L=inductanceText --required-inductance requiredInductance.
  std::string inductanceText;
  double requiredInductance = 0;
  double Llow = 0;         // uH, at the low end of the spread
  double Bsat = 0;         // T, (1 - margin) Bsat at the settled temperature: the saturation check's limit
  double Bsaturation = 0;  // T, at the high end of the spread and the saturation current
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
  double Irms = 0;                               // A
  double copperLoss = 0, totalLoss = 0;          // W, core and winding where they settle
  double temperatureRise = 0;                    // K, there
  double riseLimit = 0;                          // K, the rise check's limit
  double temperature = 0;                        // C, the settled temperature
  double volume = 0;                             // cm3
  double BpkHigh = 0;                            // T, at the high end of the AL spread
  double tolerance = 0;                          // the spread's half-width, relative
  std::size_t coreIndex = 0, materialIndex = 0;  // in AdviseData::cores and materials
  unsigned reasons = kFeasible;
  // On the Pareto front of core volume and total loss among the feasible
  // designs: no other feasible design is as small and as low in loss, and
  // smaller or lower in loss.
  bool pareto = false;
  bool feasible() const { return reasons == kFeasible; }
  // The peak flux density at the saturation current as a share of its limit.
  double SaturationShare() const { return Bsaturation / Bsat; }
};

// Called now and then during a sweep with the candidates done and their
// number; returning false ends the sweep (the records so far are returned).
using Progress = std::function<bool(std::size_t done, std::size_t total)>;

// The candidates for the query, ranked: feasible first, then by the key
// ascending (a value that is not a number last), then by total loss, core and
// material; the feasible ones on the Pareto front of volume and total loss
// marked. A core with a material is feasible when it has a design at some
// gap of the grid (multiples of the gap step) from the required gap rounded
// up, and not below the minimum gap, to kMaxGap or the first gap whose fill
// factor is above the limit, that passes every check of the design details
// (insight::EvaluateChecks) with finite figures. At each gap the inductance
// field is the required inductance over the low end of that gap's AL spread,
// so that the built choke holds it. The first such gap is taken; rings are
// designed ungapped (gap 0) only. Without one the candidate is the design at
// the required gap, with its reasons.
std::vector<Candidate> Sweep(const AdviseQuery& query, const AdviseData& data, const Progress& progress = {});

// The number of candidates a query gives.
std::size_t CandidateCount(const AdviseQuery& query, const AdviseData& data);

// The gap required by greq (mm) rounded up to the step, as text with the
// step's decimals (rounded up in the last one); "0" when none is needed.
// Steps below kMinGapStep count as kMinGapStep.
std::string RoundGapUp(double greq, double step);

// The inductance field of a design that must hold required_uH at the low end
// of a spread of +-spread (relative): required / (1 - spread) rounded up to
// kInductanceDecimals, as text; the required inductance itself when the
// spread leaves no low end.
std::string RaisedInductance(double required_uH, double spread);
// The same text with the number it reads as, worked out without reading it
// (the adviser makes one at every gap it tries).
struct InductanceField {
  std::string text;
  double value = 0;  // uH, ReadLeadingDouble(text)
};
InductanceField RaisedInductanceField(double required_uH, double spread);

// The reasons in words ("frequency above the loss table; fill factor above 0.4").
std::string ReasonText(unsigned reasons);

// Orders the records as Sweep returns them.
void Rank(std::vector<Candidate>& candidates, SortKey key);

// Marks the feasible records on the Pareto front of core volume and total
// loss (pareto), every other record unmarked.
void MarkPareto(std::vector<Candidate>& candidates);

}  // namespace velmora::advise
