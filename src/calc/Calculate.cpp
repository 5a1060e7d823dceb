// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/Calculate.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "calc/Constants.h"
#include "calc/CoreLoss.h"
#include "calc/InputChecks.h"
#include "textfile/Numbers.h"

namespace velmora {

namespace {

using namespace constants;

// Everything one run works on.
struct Run {
  const ChokeInputs& in;
  const ChokeContext& ctx;
  ChokeResults& r;
  InputNumbers v;
  bool texts;  // field texts and messages are made

  void Show(CalcMessage::Id id) {
    if (texts) r.messages.push_back(CalcMessage{id, {}});
  }
  bool gapMode() const { return in.gapMode() == GapMode::GapGiven; }
};

// The eight input texts whose decimal commas a run turns into points; the
// wire-size field is the wire choice's (below).
constexpr std::string ChokeInputs::*kPointTexts[] = {
    &ChokeInputs::L,   &ChokeInputs::Inom, &ChokeInputs::Imin, &ChokeInputs::voltageSwitchOn,
    &ChokeInputs::Udc, &ChokeInputs::Fc,   &ChokeInputs::j,    &ChokeInputs::gapOrAl};

// The numbers of texts whose commas are points already (the wire-size
// field's aside).
InputNumbers NumbersOfPointTexts(const ChokeInputs& f) {
  return InputNumbers{ReadLeadingDouble(f.L),
                      ReadLeadingDouble(f.Inom),
                      ReadLeadingDouble(f.Imin),
                      ReadLeadingDouble(f.voltageSwitchOn),
                      ReadLeadingDouble(f.Udc),
                      ReadLeadingDouble(f.Fc),
                      ReadLeadingDouble(f.j),
                      ReadLeadingDouble(f.gapOrAl),
                      ReadLeadingDouble(CommaToPoint(f.wireSize))};
}

void CommasToPoints(ChokeInputs& f) {
  for (std::string ChokeInputs::*text : kPointTexts) std::replace((f.*text).begin(), (f.*text).end(), ',', '.');
}

// Decimal commas become points in the field texts, which are then read. The
// wire-size field is the wire choice's: it keeps its text as typed until the
// choice runs (a run that stops before it leaves the field alone).
void ReadInputs(Run& run) {
  ChokeInputs& f = run.r.fields;
  f = run.in;
  CommasToPoints(f);
  run.v = NumbersOfPointTexts(f);
  run.r.read = run.v;
}

// An input that can only give wrong figures ends the run before anything is
// computed: one message, every label as it was.
bool StopsAtInputCheck(Run& run) {
  const std::optional<InputFault> fault = CheckInputs(run.in, run.v, run.ctx);
  if (!fault) return false;
  run.r.stoppedByInputCheck = true;
  run.r.messages.push_back(CalcMessage{CalcMessage::Id::InputCheck, *fault});
  return true;
}

// Duty cycle, volt-seconds, the inductance to design for, ripple.
void CurrentWaveform(Run& run) {
  ChokeResults& r = run.r;
  const InputNumbers& v = run.v;
  const bool outputChoke = run.in.purpose() == Purpose::OutputChoke;
  r.D = outputChoke ? v.U2 / v.U1 : v.U2 / (v.U1 + v.U2);
  r.ton = r.D / v.F * kThousand;
  r.VS = outputChoke ? r.ton * (v.U1 - v.U2) : r.ton * v.U1;
  // At the edge of continuous current at Imin the ripple is 2 * Imin.
  r.L = run.in.minimumCurrent() == MinimumCurrent::SetsInductance ? r.VS / v.Imin * 0.5 : v.L;
  r.dI = r.VS / r.L;
  r.Ipk = v.Inom + r.dI * 0.5;
}

// The peak flux density the material permits.
void PermittedFlux(Run& run) {
  ChokeResults& r = run.r;
  const MaterialRecord& m = run.ctx.material;
  r.noData = IsNoDataMaterial(m.name, run.ctx.noDataName);
  if (r.noData) {
    r.g0 = 0;
    r.mu = kNoDataPermeability;
    r.Bm = kNoDataPeakFlux;
  } else {
    const double le = run.ctx.core.le;
    r.mu = m.mu;
    // A powder's gap is distributed in the material: the core record's own
    // permeability takes no part, and an ungapped core has the material's.
    r.g0 = m.hasRollOff() ? 0.0 : le / run.ctx.core.mu - le / m.mu;
    r.B1 = run.ctx.knownB1 ? *run.ctx.knownB1 : FluxAmplitudeAtLossLimit(m, run.v.F, run.ctx.lossLimit);
    // The peak at which the alternating part just reaches B1.
    r.Bm = 2 * (r.Ipk / r.dI) * r.B1;
    if (r.Bm > m.Bmax) r.Bm = m.Bmax;
  }
}

// Fringing factor of a gap g in a core of cross-section Ae and path le.
double FringeFactor(double g, double Ae, double le) {
  return 1 + g / std::sqrt(Ae) * std::log(le / kFringePathDivisor / g);
}

// Effective permeability and AL from the user's gap or AL.
void CoreWithGap(Run& run) {
  ChokeResults& r = run.r;
  const CoreRecord& core = run.ctx.core;
  const double X = run.v.X;
  r.Ffr = 1;
  if (run.gapMode()) {
    const GapFigures g = FiguresOfGap(X, core, r.mu, r.g0);
    r.Ffr = g.Ffr;
    r.R = g.R;
    r.mue = g.mue;
    r.AL = g.AL;
  } else {
    r.AL = X / kThousand;
    r.R = kMu0 * core.Ae / r.AL / kThousand;
    r.mue = core.le / r.R;
  }
}

// Whole turns and what they give.
void TurnsAndFlux(Run& run) {
  ChokeResults& r = run.r;
  const double Ae = run.ctx.core.Ae;
  r.N = RoundUp(std::sqrt(r.L / r.AL));
  r.Lact = r.AL * r.N * r.N;
  r.dI = r.VS / r.Lact;
  r.Ipk = run.v.Inom + r.dI * 0.5;
  r.Bpk = r.Ipk * r.Lact / r.N / Ae;
  r.Bac = 0.5 * r.Lact * r.dI / r.N / Ae;
}

// The core loss, for a material with loss data only.
void CoreLossOf(Run& run) {
  ChokeResults& r = run.r;
  if (r.noData) return;
  const CoreLossEstimate loss = EstimateCoreLoss(run.ctx.material, run.v.F, r.Bac, run.ctx.core.Ve);
  r.Pv = loss.Pv;
  r.Pcore = loss.Pcore;
}

// A ripple above twice the nominal current leaves discontinuous
// current; the nominal current is raised to half the ripple and the run stops.
bool StopsAtRipple(Run& run) {
  ChokeResults& r = run.r;
  if (!(2 * run.v.Inom < r.dI)) return false;
  r.stoppedByRipple = true;
  if (!run.texts) return true;
  r.fields.Inom = FormatFixed(r.dI * 0.5 + kRoundUpAddend, 3);
  run.Show(CalcMessage::Id::Ripple);
  return true;
}

// Turns and AL that the permitted flux density requires.
void RequiredTurns(Run& run) {
  ChokeResults& r = run.r;
  const double Ae = run.ctx.core.Ae;
  const double Inom = run.v.Inom;
  r.N2 = RoundUp((Inom * r.L + r.VS / 2) / (r.Bm * Ae));
  r.Lreq = (r.Bm * r.N2 * Ae - r.VS / 2) / Inom;
  r.ALreq = r.Lreq / r.N2 / r.N2;
}

// The gap for ALreq, corrected for its fringing flux.
double RequiredGap(const Run& run) {
  const ChokeResults& r = run.r;
  const CoreRecord& core = run.ctx.core;
  const double mu = r.mu;
  double Ffr = r.Ffr;
  double g = 0;
  for (int pass = 0; pass < kGapPasses; ++pass) {
    g = (kMu0 * core.Ae / r.ALreq / kThousand - core.le / mu - r.g0) * Ffr / (1 - 1 / mu);
    if (g < 0) {
      g = 0;
      Ffr = 1;
    } else if (g == 0) {
      Ffr = 1;
    } else if (g > 0) {
      Ffr = FringeFactor(g, core.Ae, core.le);
    }
  }
  return g;
}

void RequiredValue(Run& run) {
  ChokeResults& r = run.r;
  if (run.gapMode()) {
    r.greq = RequiredGap(run);
  }
}

// RMS of the triangular ripple on the nominal current.
void CopperSection(Run& run) {
  ChokeResults& r = run.r;
  const double Inom = run.v.Inom;
  const double dI = r.dI;
  const double Iv = Inom - dI / 2;
  r.Irms = std::sqrt(Iv * Iv + Inom * dI - dI * dI / 2 + dI * dI / 3);
  r.Scu = r.Irms / run.v.J;
}

// Wire size and count.
void ChooseWire(Run& run) {
  ChokeResults& r = run.r;
  const bool awg = run.in.wireUnit() == WireUnit::Awg;
  WireChoice w = run.ctx.knownWire ? ChooseWire(run.ctx.wires, *run.ctx.knownWire, run.in.use_D != 0, r.Scu)
                                   : SelectWire(run.ctx.wires, awg, run.in.use_D != 0, run.in.wireSize, r.Scu);
  if (run.ctx.knownWire && run.texts) {
    w.typed = run.ctx.knownWire->typed;
    w.fieldText = run.ctx.knownWire->fieldText;
  }
  r.d = w.d;
  r.wireIndex = w.index;
  r.S1 = w.S1;
  r.n = w.n;
  r.wireNotice = w.notice;
  if (!run.texts) return;
  r.fields.wireSize = std::move(w.fieldText);
  if (w.spinPos >= 0) r.spinPos = w.spinPos;
  if (!w.notice) return;
  r.typedWire = std::move(w.typed);
  run.Show(CalcMessage::Id::WireNotice);
}

// Current density and window fill (bare copper).
void FillAndDensity(Run& run) {
  ChokeResults& r = run.r;
  r.Stot = r.S1 * r.n;
  r.Jact = r.Irms / r.Stot;
  r.k = r.Stot * r.N / run.ctx.core.An;
}

// Warnings once every result is shown.
void Warnings(Run& run) {
  ChokeResults& r = run.r;
  r.overfilled = r.k > kFillFactorLimit;
  r.fluxAbovePermitted = r.Bpk > r.Bm + kFluxTolerance;
  if (r.overfilled) run.Show(CalcMessage::Id::Fill);
  if (r.fluxAbovePermitted) run.Show(CalcMessage::Id::Flux);
}

// Steps 2 to 17 on the numbers in run.v.
void Chain(Run& run) {
  CurrentWaveform(run);
  PermittedFlux(run);
  CoreWithGap(run);
  TurnsAndFlux(run);
  CoreLossOf(run);
  if (StopsAtRipple(run)) return;
  RequiredTurns(run);
  RequiredValue(run);
  CopperSection(run);
  ChooseWire(run);
  FillAndDensity(run);
  Warnings(run);
}

}  // namespace

GapFigures FiguresOfGap(double X, const CoreRecord& core, double materialMu, double g0) {
  GapFigures g;
  if (X > 0) g.Ffr = FringeFactor(X, core.Ae, core.le);
  const double Xf = X / g.Ffr;
  g.R = (core.le - Xf) / materialMu + Xf + g0;
  g.mue = core.le / g.R;
  g.AL = kMu0 * core.Ae / g.R / kThousand;
  return g;
}

bool IsNoDataMaterial(std::string_view materialName, std::string_view noDataName) {
  if (noDataName.empty()) return materialName.empty();
  return materialName.find(noDataName) != std::string_view::npos;
}

InputNumbers ReadInputNumbers(const ChokeInputs& inputs) {
  ChokeInputs texts = inputs;
  CommasToPoints(texts);
  return NumbersOfPointTexts(texts);
}

ChokeResults Calculate(const ChokeInputs& inputs, const ChokeContext& context) {
  ChokeResults results;
  results.mu = context.material.mu;
  Run run{inputs, context, results, {}, true};
  ReadInputs(run);
  if (StopsAtInputCheck(run)) return results;
  Chain(run);
  return results;
}

ChokeResults CalculateFigures(const ChokeInputs& inputs, const InputNumbers& numbers, const ChokeContext& context) {
  ChokeResults results;
  results.read = numbers;
  results.mu = context.material.mu;
  Run run{inputs, context, results, numbers, false};
  Chain(run);
  return results;
}

}  // namespace velmora
