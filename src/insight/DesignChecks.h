// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The checks a design must pass to be built as it stands, evaluated by one
// function: the adviser's "feasible", the design details, the report's
// verdict and the command line's "checks" all come from EvaluateChecks
// (DesignDetails.h).
// Failures decide; cautions name a weakness and never fail a design alone.
#include <array>
#include <cstddef>
#include <optional>

#include "data/MaterialRecord.h"
#include "insight/InsightConstants.h"

namespace velmora::insight {

enum class CheckId {
  Ripple,             // the ripple within twice the nominal current (the run's own stop)
  FluxNominal,        // Bpk at nominal AL within the permitted flux density
  FluxSpread,         // Bpk at the high-AL end within the permitted flux density
  Saturation,         // at the high-AL end and the saturation current, within (1 - margin) Bsat(T)
  MinimumInductance,  // L at the low-AL end at least the required inductance
  Fill,               // fill factor within the limit
  Rise,               // the settled temperature rise within the rise limit
  Runaway,            // a settled temperature exists below 200 C
  MinimumGap,         // a ground gap at least the minimum gap
  RingGap,            // no gap given to a ring
  LossExtrapolated,   // caution: the operating point outside the loss table
  AcResistance,       // caution: the ripple's AC copper loss above 25 % of the copper loss
  GapFringing,        // caution: a gap above 1 mm
  RollOff,            // caution: a powder core keeps less than half its permeability at the peak current
  // caution: at the converter's light load the choke's current below half
  // the ripple, where conduction becomes discontinuous
  Discontinuous,
};
inline constexpr std::size_t kCheckCount = 15;

enum class Severity { Fail, Caution };

// The outcome's point: none, the check is the same at every input voltage
// (or the design has no converter request).
inline constexpr int kNoPoint = -1;

struct CheckOutcome {
  CheckId id = CheckId::Ripple;
  std::optional<bool> passed;  // none: not evaluated (the run stopped, no figure)
  double value = constants::kNaN;
  double limit = constants::kNaN;
  // A converter design: the index of the operating point (DesignDetails::points)
  // where the check is hardest, and whose figures these are.
  int point = kNoPoint;
};

// The check's name in JSON ("fluxSpread"), its severity and the unit of its
// value and limit ("T", "uH", "" for a ratio).
const char* CheckName(CheckId id);
Severity SeverityOf(CheckId id);
const char* CheckUnit(CheckId id);
// The checks whose figures move with the converter's input voltage; the
// others read the core, the winding and the gap only.
bool MovesWithPoint(CheckId id);

enum class Verdict { Passes, Fails, NotFullyChecked };

struct DesignChecks {
  std::array<CheckOutcome, kCheckCount> items{};
  // What the saturation check used.
  double temperature_C = constants::kNaN;             // the settled core temperature
  SaturationPoint saturation;                         // Bsat there
  double fluxMargin = constants::kDefaultFluxMargin;  // the margin used (relative)
  double saturationCurrent_A = constants::kNaN;
  double requiredInductance_uH = constants::kNaN;
  // A powder core's rolled-off flux density at the peak current of full load, nominal AL.
  double powderPeakFlux_T = constants::kNaN;
  // The AC-resistance caution's suggestion: strands of at most two skin
  // depths with the copper section of the winding.
  double strandDiameter_mm = constants::kNaN;
  double strands = constants::kNaN;

  const CheckOutcome& operator[](CheckId id) const { return items[static_cast<std::size_t>(id)]; }
  // Failures that failed.
  int Failed() const;
  // Every failure evaluated.
  bool FullyChecked() const;
  Verdict Outcome() const;
  bool Passes() const { return Outcome() == Verdict::Passes; }
};

}  // namespace velmora::insight
