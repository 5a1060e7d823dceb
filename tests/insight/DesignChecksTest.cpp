// SPDX-License-Identifier: GPL-3.0-or-later
// The checks at their boundaries, on figures set by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "insight/DesignDetails.h"

namespace velmora::insight {
namespace {

// A design that passes every check: 10 turns, L 40..54 uH across the spread,
// 5 A peak, settled at 100 C (Bsat 0.39 T there, the limit 0.312 T at 20 %).
struct Figures {
  ChokeResults r;
  WorstCase w;
  MaterialRecord m;
  OperatingState o;
  CheckFacts facts{r, w, m};
  InsightOptions options;

  Figures() {
    r.N = 10;
    r.L = 47;
    r.Ipk = 5;
    r.Bpk = 0.25;
    r.Bm = 0.39;
    r.k = 0.2;
    r.dI = 1;
    r.read.Inom = 4.5;
    r.read.X = 0.5;
    r.S1 = 0.5;
    r.n = 1;
    w.L_uH = {47, 54};
    w.Bpk_T = {0.2, 0.3};
    w.Bm_T = 0.39;
    m.Bmax = 0.39;
    m.Bsat25 = 0.49;
    m.Tcurie = 210;
    o.thermal.temperature_C = 100;
    o.thermal.rise_K = 60;
    o.copperDC_W = 1;
    o.copperAC_W = 0.2;
    options.riseLimit_K = 80;
    facts.Ae_mm2 = 54.0 * 5 / 10 / 0.3;  // 0.3 T at the high end and 5 A
    facts.operating = &o;
    facts.skinDepth_mm = 0.2;
  }
  DesignChecks Evaluate() const { return EvaluateChecks(facts, options); }
};

std::optional<bool> Outcome(const Figures& f, CheckId id) { return f.Evaluate()[id].passed; }

TEST(Saturation, LinearTo100ThenTowardsTheCurieLine) {
  MaterialRecord m;
  m.Bmax = 0.39;
  m.Bsat25 = 0.49;
  m.Tcurie = 210;
  const struct {
    double T, Bsat;
    bool extrapolated;
  } kCases[] = {{-40, 0.49, false},           {25, 0.49, false},  {62.5, 0.44, false}, {100, 0.39, false},
                {120, 0.39 * 90 / 110, true}, {155, 0.195, true}, {210, 0, true},      {250, 0, true}};
  for (const auto& c : kCases) {
    const SaturationPoint p = SaturationAt(m, c.T);
    EXPECT_NEAR(p.Bsat_T, c.Bsat, 1e-12) << c.T;
    EXPECT_EQ(p.extrapolated, c.extrapolated) << c.T;
    EXPECT_FALSE(p.fromBmax);
  }
  // A Curie point far up: above 100 C the line from 25 C is the lower one.
  m.Tcurie = 1000;
  EXPECT_NEAR(SaturationAt(m, 175).Bsat_T, 0.29, 1e-12);
  // Without the keys: Bmax at every temperature, flagged.
  m.Bsat25 = 0;
  for (double T : {0.0, 100.0, 180.0}) {
    EXPECT_EQ(SaturationAt(m, T).Bsat_T, 0.39);
    EXPECT_TRUE(SaturationAt(m, T).fromBmax);
  }
  EXPECT_TRUE(std::isnan(SaturationAt(m, std::nan("")).Bsat_T));
}

TEST(Checks, EachLimitHoldsAtItsEdgeAndFailsJustBeyond) {
  EXPECT_TRUE(Figures().Evaluate().Passes());
  constexpr double kUp = 1 + 1e-9, kDown = 1 - 1e-9;
  const struct {
    const char* name;
    CheckId id;
    void (*edge)(Figures&, double factor);  // moves the figure to its limit times factor
  } kCases[] = {
      {"margin", CheckId::Saturation, [](Figures& f, double x) { f.facts.Ae_mm2 = 54.0 * 5 / 10 / (0.312 * x); }},
      {"saturation current", CheckId::Saturation,
       [](Figures& f, double x) { f.options.saturationCurrent_A = 0.312 * x * f.facts.Ae_mm2 * 10 / 54; }},
      {"minimum inductance", CheckId::MinimumInductance, [](Figures& f, double x) { f.w.L_uH.min = 47 / x; }},
      {"required inductance", CheckId::MinimumInductance,
       [](Figures& f, double x) { f.options.requiredInductance_uH = 47 * x; }},
      {"spread", CheckId::FluxSpread, [](Figures& f, double x) { f.w.Bpk_T.max = 0.39 * x; }},
      {"rise", CheckId::Rise, [](Figures& f, double x) { f.o.thermal.rise_K = 80 * x; }},
      {"minimum gap", CheckId::MinimumGap, [](Figures& f, double x) { f.r.read.X = 0.05 / x; }},
  };
  for (const auto& c : kCases) {
    Figures at, beyond;
    c.edge(at, c.id == CheckId::MinimumInductance || c.id == CheckId::MinimumGap ? 1.0 : kDown);
    c.edge(beyond, kUp);
    EXPECT_EQ(Outcome(at, c.id), true) << c.name;
    EXPECT_EQ(Outcome(beyond, c.id), false) << c.name;
    EXPECT_EQ(beyond.Evaluate().Outcome(), Verdict::Fails) << c.name;
  }
  // A hotter core saturates lower: the Curie line at 200 C leaves 0.035 T.
  Figures hot;
  hot.o.thermal.temperature_C = 200;
  EXPECT_NEAR(hot.Evaluate()[CheckId::Saturation].limit, 0.8 * 0.39 * 10 / 110, 1e-12);
  EXPECT_EQ(Outcome(hot, CheckId::Saturation), false);
  // The margin out of its range is the default.
  Figures wide;
  wide.options.fluxMargin = 0.9;
  EXPECT_NEAR(wide.Evaluate()[CheckId::Saturation].limit, 0.312, 1e-12);
}

TEST(Checks, CautionsNeverFailADesign) {
  Figures f;
  f.r.read.X = 1.5;    // fringing
  f.o.copperAC_W = 1;  // half the copper loss
  CoreLossSource outside;
  outside.outsideB = true;
  f.facts.lossSource = &outside;
  const DesignChecks c = f.Evaluate();
  for (CheckId id : {CheckId::GapFringing, CheckId::AcResistance, CheckId::LossExtrapolated})
    EXPECT_EQ(c[id].passed, false) << CheckName(id);
  EXPECT_EQ(c.Failed(), 0);
  EXPECT_TRUE(c.Passes());
  // Strands of two skin depths (0.4 mm) with the copper of the 0.5 mm2 wire.
  EXPECT_DOUBLE_EQ(c.strandDiameter_mm, 0.4);
  EXPECT_EQ(c.strands, 4);
}

TEST(Checks, StoppedRunawayAndUnevaluatedRuns) {
  Figures runaway;
  runaway.o.thermal.runaway = true;
  DesignChecks c = runaway.Evaluate();
  EXPECT_EQ(c[CheckId::Runaway].passed, false);
  EXPECT_FALSE(c[CheckId::Rise].passed);
  EXPECT_FALSE(c[CheckId::Saturation].passed);  // no settled temperature
  EXPECT_EQ(c.Outcome(), Verdict::Fails);

  Figures unwired;  // no wire: nothing settles
  unwired.facts.operating = nullptr;
  c = unwired.Evaluate();
  EXPECT_EQ(c.Failed(), 0);
  EXPECT_EQ(c.Outcome(), Verdict::NotFullyChecked);

  Figures ring;  // a ring with a gap
  ring.facts.ring = true;
  EXPECT_EQ(Outcome(ring, CheckId::RingGap), false);
  ring.r.read.X = 0;
  EXPECT_TRUE(ring.Evaluate().Passes());

  Figures ripple;  // the run stopped at the ripple check: nothing after it is checked
  ripple.r.stoppedByRipple = true;
  c = ripple.Evaluate();
  EXPECT_EQ(c[CheckId::Ripple].passed, false);
  for (const CheckOutcome& o : c.items) EXPECT_TRUE(o.id == CheckId::Ripple || !o.passed) << CheckName(o.id);
  EXPECT_EQ(c.Failed(), 1);
  EXPECT_EQ(c.Outcome(), Verdict::Fails);
}

}  // namespace
}  // namespace velmora::insight
