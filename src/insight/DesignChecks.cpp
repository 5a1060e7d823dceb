// SPDX-License-Identifier: GPL-3.0-or-later
// The checks of a design, evaluated in one place.
#include "insight/DesignChecks.h"

#include <cmath>

#include "calc/Constants.h"
#include "calc/Powder.h"
#include "insight/DesignDetails.h"

namespace velmora::insight {

namespace {

struct CheckKind {
  const char* name;
  Severity severity;
  const char* unit;
  bool movesWithPoint;
};

// In the order of CheckId.
constexpr CheckKind kKinds[kCheckCount] = {
    {"ripple", Severity::Fail, "A", true},
    {"fluxNominal", Severity::Fail, "T", true},
    {"fluxSpread", Severity::Fail, "T", true},
    {"saturation", Severity::Fail, "T", true},
    {"minimumInductance", Severity::Fail, "uH", false},
    {"fill", Severity::Fail, "", false},
    {"rise", Severity::Fail, "K", true},
    {"runaway", Severity::Fail, "C", true},
    {"minimumGap", Severity::Fail, "mm", false},
    {"ringGap", Severity::Fail, "mm", false},
    {"lossExtrapolated", Severity::Caution, "T", true},
    {"acResistance", Severity::Caution, "", true},
    {"gapFringing", Severity::Caution, "mm", false},
    {"rollOff", Severity::Caution, "", true},
    {"discontinuous", Severity::Caution, "A", true},
};

constexpr double kPi = 3.141592653589793;
// The suggested strand is rounded down to the 0.01 mm of the wire tables.
constexpr double kStrandStep = 0.01;  // mm

bool Usable(double v) { return std::isfinite(v) && v > 0; }

// Sets one outcome; it stays unevaluated when value or limit is no number.
class Outcomes {
 public:
  explicit Outcomes(DesignChecks& checks) : checks_(checks) {
    for (std::size_t i = 0; i < kCheckCount; ++i) checks_.items[i].id = static_cast<CheckId>(i);
  }
  void Set(CheckId id, bool passed, double value, double limit) {
    CheckOutcome& o = checks_.items[static_cast<std::size_t>(id)];
    o.value = value;
    o.limit = limit;
    if (std::isfinite(value) && std::isfinite(limit)) o.passed = passed;
  }
  // A check that holds by the kind of design (no gap to grind, no ring).
  void Holds(CheckId id, double value, double limit) {
    Set(id, true, value, limit);
    checks_.items[static_cast<std::size_t>(id)].passed = true;
  }

 private:
  DesignChecks& checks_;
};

// A powder core at full load, by the maker's roll-off fit at room
// temperature: the inductance at the nominal current at the low end of the
// AL tolerance, the peak current of the ripple it leaves, and the rolled-off
// flux density there at nominal AL (it scales with AL: mu0 times the integral
// of mu).
struct FullLoad {
  double Llow_uH = 0, Ipk_A = 0, Bpk_T = 0;
};

double RolledOffFlux(const CheckFacts& f, double I_A) {
  const ChokeResults& r = f.results;
  return powder::FluxDensityAtField(f.material.powder.rollOff, r.mu, powder::BiasField_A_per_m(r.N, I_A, f.le_mm));
}

FullLoad FullLoadOf(const CheckFacts& f) {
  const ChokeResults& r = f.results;
  FullLoad p;
  const double H = powder::BiasField_A_per_m(r.N, r.read.Inom, f.le_mm);
  p.Llow_uH = f.worstCase.L_uH.min * powder::PermeabilityRatio(f.material.powder.rollOff, H);
  p.Ipk_A = r.read.Inom + r.VS / p.Llow_uH * 0.5;
  p.Bpk_T = std::isfinite(f.powderPeakFlux_T) ? f.powderPeakFlux_T : RolledOffFlux(f, p.Ipk_A);
  return p;
}

bool RollsOff(const CheckFacts& f) { return f.material.hasRollOff() && !f.results.noData && f.le_mm > 0; }

// The flux and inductance checks; for a powder core its figures at full load.
FullLoad FluxChecks(const CheckFacts& f, const InsightOptions& options, DesignChecks& c, Outcomes& out) {
  const ChokeResults& r = f.results;
  const WorstCase& w = f.worstCase;
  // A powder core's flux density and inductance are the rolled-off ones at
  // full load; a ferrite's are linear up to its permitted flux density.
  const bool powder = RollsOff(f);
  const FullLoad p = powder ? FullLoadOf(f) : FullLoad{};
  c.powderPeakFlux_T = powder ? p.Bpk_T : constants::kNaN;
  const double high = 1 + w.tolerance;
  const double Bnominal = powder ? p.Bpk_T : r.Bpk;
  const double Bhigh = powder ? p.Bpk_T * high : w.Bpk_T.max;
  out.Set(CheckId::FluxNominal, Bnominal <= r.Bm, Bnominal, r.Bm);
  out.Set(CheckId::FluxSpread, Bhigh <= w.Bm_T, Bhigh, w.Bm_T);
  const double margin =
      std::isfinite(options.fluxMargin) && options.fluxMargin >= 0 && options.fluxMargin <= constants::kMaxFluxMargin
          ? options.fluxMargin
          : constants::kDefaultFluxMargin;
  c.fluxMargin = margin;
  c.saturationCurrent_A =
      Usable(options.saturationCurrent_A) ? options.saturationCurrent_A : (powder ? p.Ipk_A : r.Ipk);
  const bool settled = f.operating && !f.operating->thermal.runaway;
  c.temperature_C = settled ? f.operating->thermal.temperature_C : constants::kNaN;
  c.saturation = SaturationAt(f.material, c.temperature_C);
  const double Isat = c.saturationCurrent_A;
  const double B =
      !powder ? w.L_uH.max * Isat / r.N / f.Ae_mm2 : (Isat == p.Ipk_A ? p.Bpk_T : RolledOffFlux(f, Isat)) * high;
  const double limit = (1 - margin) * c.saturation.Bsat_T;
  out.Set(CheckId::Saturation, B <= limit, B, limit);
  c.requiredInductance_uH = Usable(options.requiredInductance_uH) ? options.requiredInductance_uH : r.L;
  const double Llow = powder ? p.Llow_uH : w.L_uH.min;
  out.Set(CheckId::MinimumInductance, Llow >= c.requiredInductance_uH, Llow, c.requiredInductance_uH);
  return p;
}

void ThermalChecks(const CheckFacts& f, const InsightOptions& options, DesignChecks& c, Outcomes& out) {
  if (!f.operating) return;
  const OperatingState& o = *f.operating;
  const bool runaway = o.thermal.runaway;
  out.Set(CheckId::Runaway, !runaway, runaway ? constants::kSettleUpperTemperature : o.thermal.temperature_C,
          constants::kSettleUpperTemperature);
  if (!runaway) out.Set(CheckId::Rise, o.thermal.rise_K <= options.riseLimit_K, o.thermal.rise_K, options.riseLimit_K);
  const double copper = o.copperDC_W + o.copperAC_W;
  const double share = copper > 0 ? o.copperAC_W / copper : constants::kNaN;
  out.Set(CheckId::AcResistance, share <= constants::kAcLossShareCaution, share, constants::kAcLossShareCaution);
  const ChokeResults& r = f.results;
  if (Usable(f.skinDepth_mm) && Usable(r.S1)) {
    const double d = constants::kStrandSkinDepths * f.skinDepth_mm;
    c.strandDiameter_mm = std::floor(d / kStrandStep) * kStrandStep;
    if (Usable(c.strandDiameter_mm))
      c.strands = std::ceil(r.n * r.S1 / (kPi * c.strandDiameter_mm * c.strandDiameter_mm / 4));
  }
}

void GapChecks(const CheckFacts& f, const InsightOptions& options, Outcomes& out) {
  const double gap = f.results.read.X;
  const bool ground = f.gapGiven && gap > 0;
  if (ground) out.Set(CheckId::MinimumGap, gap >= options.minGap_mm, gap, options.minGap_mm);
  else out.Holds(CheckId::MinimumGap, f.gapGiven ? gap : constants::kNaN, options.minGap_mm);
  if (f.ring) out.Set(CheckId::RingGap, !ground, f.gapGiven ? gap : 0.0, 0.0);
  else out.Holds(CheckId::RingGap, constants::kNaN, 0.0);
  if (ground) out.Set(CheckId::GapFringing, gap <= constants::kFringingGapCaution, gap, constants::kFringingGapCaution);
  else out.Holds(CheckId::GapFringing, f.gapGiven ? gap : constants::kNaN, constants::kFringingGapCaution);
}

}  // namespace

const char* CheckName(CheckId id) { return kKinds[static_cast<std::size_t>(id)].name; }
Severity SeverityOf(CheckId id) { return kKinds[static_cast<std::size_t>(id)].severity; }
const char* CheckUnit(CheckId id) { return kKinds[static_cast<std::size_t>(id)].unit; }
bool MovesWithPoint(CheckId id) { return kKinds[static_cast<std::size_t>(id)].movesWithPoint; }

int DesignChecks::Failed() const {
  int n = 0;
  for (const CheckOutcome& o : items) n += SeverityOf(o.id) == Severity::Fail && o.passed && !*o.passed;
  return n;
}

bool DesignChecks::FullyChecked() const {
  for (const CheckOutcome& o : items)
    if (SeverityOf(o.id) == Severity::Fail && !o.passed) return false;
  return true;
}

Verdict DesignChecks::Outcome() const {
  if (Failed() > 0) return Verdict::Fails;
  return FullyChecked() ? Verdict::Passes : Verdict::NotFullyChecked;
}

DesignChecks EvaluateChecks(const CheckFacts& f, const InsightOptions& options) {
  DesignChecks c;
  Outcomes out(c);
  const ChokeResults& r = f.results;
  if (r.stoppedByInputCheck) return c;
  out.Set(CheckId::Ripple, !r.stoppedByRipple, r.dI, 2 * r.read.Inom);
  if (r.stoppedByRipple) return c;
  const FullLoad full = FluxChecks(f, options, c, out);
  out.Set(CheckId::Fill, r.k <= velmora::constants::kFillFactorLimit, r.k, velmora::constants::kFillFactorLimit);
  ThermalChecks(f, options, c, out);
  GapChecks(f, options, out);
  // The ferrite's curve is an estimate and checks nothing. Without the
  // curve, a powder core's share at the peak current of full load at the low
  // end of the tolerance (the highest peak).
  if (f.bias && f.bias->available && f.bias->powder)
    out.Set(CheckId::RollOff, f.bias->permeabilityRetainedAtPeak >= constants::kRetainedPermeabilityCaution,
            f.bias->permeabilityRetainedAtPeak, constants::kRetainedPermeabilityCaution);
  else if (!f.bias && RollsOff(f)) {
    const double retained =
        powder::PermeabilityRatio(f.material.powder.rollOff, powder::BiasField_A_per_m(r.N, full.Ipk_A, f.le_mm));
    out.Set(CheckId::RollOff, retained >= constants::kRetainedPermeabilityCaution, retained,
            constants::kRetainedPermeabilityCaution);
  }
  if (f.lossSource) {
    const CoreLossSource& s = *f.lossSource;
    // The table's flux density nearest the operating point beyond it.
    const double edge = r.Bac < s.firstB ? s.firstB : s.lastB;
    out.Set(CheckId::LossExtrapolated, !(s.outsideF || s.outsideB || s.missingCell), r.Bac, edge);
  }
  // Continuous conduction at the light load: its current at least half the ripple.
  if (std::isfinite(f.lightCurrent_A))
    out.Set(CheckId::Discontinuous, f.lightCurrent_A >= r.dI / 2, f.lightCurrent_A, r.dI / 2);
  else out.Holds(CheckId::Discontinuous, constants::kNaN, constants::kNaN);
  return c;
}

}  // namespace velmora::insight
