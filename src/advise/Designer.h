// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One core with one material designed on the gap grid. Each gap is first run
// and held to a pre-check: the checks that need no settled temperature, with
// Bsat taken where it is highest, and a floor of the temperature rise from
// the DC copper loss at the ambient. Only a gap the pre-check leaves a chance
// is settled and evaluated with every check (insight::EvaluateChecks). The
// pre-check is a bound: it never rejects a design the full checks accept.
#include <cstddef>
#include <string>
#include <vector>

#include "advise/Advise.h"

namespace velmora::advise {

// A design at one gap, run but not yet settled.
struct GapTrial {
  Candidate candidate;  // the run's figures and the spread
  ChokeResults results;
  insight::WorstCase spread;
  unsigned early = kFeasible;                          // the pre-check's reasons: kFeasible when worth settling
  double powderPeakFlux_T = insight::constants::kNaN;  // the pre-check's, for the full checks
  std::vector<insight::PointDemand> demands;           // a converter's points at the run's inductance; none: one point
  std::vector<double> pointPowderFlux_T;               // the pre-check's at each point
};

class Designer {
 public:
  Designer(const AdviseQuery& query, const AdviseData& data);

  // The candidate of a core with a material, as Sweep describes it.
  Candidate Design(const CoreEntry& core, const MaterialRecord& material);

  // A powder core: ungapped, its turns raised from the zero-bias ones until
  // the inductance at full load holds (SearchPowderTurns), and on while the
  // permitted flux density alone holds it back; the design at those turns
  // settled and held to every check.
  Candidate DesignPowder(const CoreEntry& core, const MaterialRecord& material);

  // The pieces of Design. Begin runs the pair once in gap mode: false when it
  // cannot be designed (c then holds the reasons and figures); else c holds
  // the required inductance and RequiredSteps the gap grid's first step.
  bool Begin(const CoreEntry& core, const MaterialRecord& material, Candidate& c);
  double RequiredSteps() const { return start_; }
  // What the caller of a trial reads of its early reasons; a converter's
  // points (the costly part of a pre-check) are taken only as far as that
  // needs. Every: all of them, as shown. Search: whether the gap is worth
  // settling and whether the search ends (kOverfilled, kRippleStop); the
  // points are then also held to the floor of their own rise. Turns:
  // whether it passes and whether reasons more turns cannot cure remain.
  enum class Reading { Every, Search, Turns };
  // The design at k steps of the gap grid (0: ungapped), pre-checked.
  GapTrial Try(const Candidate& c, double k, const CoreEntry& core, const MaterialRecord& material,
               Reading reading = Reading::Every) const;
  // The same with the inductance field given.
  GapTrial Try(const Candidate& c, double k, const std::string& inductance, const CoreEntry& core,
               const MaterialRecord& material, Reading reading = Reading::Every) const;
  // The trial settled where its losses heat it and held to every check, at
  // each of a converter's points; without figures wanted, a point that fails
  // ends it.
  Candidate Settle(GapTrial trial, const CoreEntry& core, const MaterialRecord& material, bool figures = true) const;

  // The settlings done so far (each costs far more than a run).
  std::size_t Settlings() const { return settlings_; }

 private:
  // A trial with the inductance field and, when known, the gap's spread.
  GapTrial TryAt(const Candidate& c, double k, InductanceField inductance, double gapSpread, const CoreEntry& core,
                 const MaterialRecord& material, Reading reading) const;
  double WireOuter(const ChokeResults& r) const;  // mm, the insulated wire's
  unsigned PreCheck(GapTrial& t, const CoreEntry& core, const MaterialRecord& material, Reading reading) const;
  // The runs' context, with what every run of the material shares.
  ChokeContext ContextOf(const CoreEntry& core, const MaterialRecord& material) const;

  const AdviseQuery& query_;
  const AdviseData& data_;
  ChokeInputs inputs_;     // the query's, in gap mode
  ChokeInputs gapInputs_;  // and with the inductance as a number
  InputNumbers numbers_;
  double step_;  // mm
  insight::InsightOptions options_;
  double mu_ = 0, g0_ = 0;          // the material's permeability and the core's own gap in the runs
  double AL0_ = 0, Stot0_ = 0;      // the ungapped AL (uH/turn2) and the winding's copper section (mm2)
  double start_ = 0;                // the required gap in steps of the grid
  std::vector<std::string> grid_;   // the gap of k steps as text, up to kMaxGap
  std::vector<double> gridValues_;  // and as the number it reads as
  TypedWire wire_;                  // the wire field, read once
  double B1_ = 0;                   // the material's amplitude at the loss limit (T), set by Begin
  mutable std::size_t settlings_ = 0;
};

// The turns of a powder choke, by the maker's design procedure: from the
// zero-bias turns N0 up, the first whole N whose inductance at the current
// I_A (the roll-off fit, on ALlow_uH: the low end of the AL tolerance)
// reaches L_uH. It stops with kOverfilled at the first N above maxTurns
// (the fill factor's limit), or with kRollsOff as soon as the inductance at
// I_A no longer rises with N; turns is the N it stopped at.
struct PowderTurns {
  double turns = 0;
  unsigned reasons = kFeasible;
};
PowderTurns SearchPowderTurns(const RollOffFit& fit, double ALlow_uH, double L_uH, double I_A, double le_mm, double N0,
                              double maxTurns);

// The inductance field that gives N turns on a core of AL_uH (uH/turn2):
// AL N^2 rounded down to kInductanceDecimals, so that the run's turns,
// sqrt(L / AL) rounded up, are N.
std::string InductanceForTurns(double AL_uH, double N);

// Whether the material's Bsat never rises with temperature (Bmax at every
// temperature, or Bsat25 not below Bmax): then a saturation check at the
// ambient bounds the check at any settled temperature.
bool SaturationNeverRises(const MaterialRecord& material);

}  // namespace velmora::advise
