// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string_view>
#include <tuple>
#include <utility>

#include "advise/Advise.h"
#include "advise/Designer.h"
#include "calc/Constants.h"
#include "calc/Powder.h"
#include "data/MaterialRecord.h"
#include "present/ResultTable.h"
#include "present/ShownResults.h"
#include "support/ChokeFixture.h"
#include "textfile/Numbers.h"

namespace velmora::advise {
namespace {

std::string Shipped(const std::string& name) {
  std::ifstream in(std::string(VELMORA_SOURCE_DIR) + "/share/" + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Byte order stands in for the list's order in these tests; the names are ASCII.
int PlainCompare(std::string_view a, std::string_view b) {
  std::string x(a), y(b);
  for (char& c : x) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (char& c : y) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return x.compare(y);
}

// The shipped data, as the window loads it.
AdviseData ShippedData() {
  AdviseData data;
  data.cores = SelectableCores(Shipped("BaseCores.txt"), PlainCompare);
  data.materials =
      LoadMaterials(std::string(VELMORA_SOURCE_DIR) + "/share/", ParseMaterialList(Shipped("Materials.txt")));
  data.wires = ParseWireTable(Shipped("Wire.txt"));
  ParseLanguageText(Shipped("English.lng"), data.lang);
  data.lossLimit = 200.0;
  return data;
}

const CoreEntry& CoreNamed(const AdviseData& data, const std::string& name) {
  for (const CoreEntry& c : data.cores)
    if (c.record.name == name) return c;
  throw std::runtime_error("no core " + name);
}

const MaterialRecord& MaterialNamed(const AdviseData& data, const std::string& name) {
  for (const MaterialRecord& m : data.materials)
    if (m.name == name) return m;
  throw std::runtime_error("no material " + name);
}

// A buildable design, on the window's own run and its design details: every
// check of the details passes, with finite figures.
constexpr double kDefaultRise = 50.0;  // K, the adviser's default limit

bool MeetsEveryRule(const ChokeResults& r, const insight::DesignDetails& d) {
  for (double v : {r.N, r.Bpk, r.Pcore, r.k, r.d, d.operating.thermal.total_W, d.worstCase.Bpk_T.max})
    if (!std::isfinite(v)) return false;
  return d.checks.Passes();
}

// The details' options of a query, holding the candidate's required inductance.
insight::InsightOptions OptionsOf(const AdviseQuery& q, double required_uH) {
  insight::InsightOptions o;
  o.alTolerance = q.alTolerance;
  o.alToleranceUngapped = q.alToleranceUngapped;
  o.riseLimit_K = q.maxRise;
  o.minGap_mm = q.minGap;
  o.fluxMargin = q.fluxMargin;
  o.saturationCurrent_A = q.saturationCurrent_A;
  o.requiredInductance_uH = required_uH;
  return o;
}

// The window's calculation context for a core and material of the data.
ChokeContext ContextOf(const AdviseData& data, const std::string& core, const MaterialRecord& material) {
  return ChokeContext{CoreNamed(data, core).record, material, data.wires, data.lossLimit};
}

// The window's run and details of a core, material and gap text, the
// inductance field raised by that gap's spread to hold the inputs' inductance.
struct WindowRun {
  ShownResults results;
  insight::DesignDetails details;
};
WindowRun RunAt(const AdviseData& data, const ChokeInputs& inputs, const std::string& core, const std::string& mat,
                const std::string& gap, const std::string& inductance = {}) {
  static const std::string kDatabase = Shipped("BaseCores.txt");
  ChokeInputs in = inputs;
  in.gapChoice = 0;
  in.gapOrAl = gap;
  MaterialRecord material = MaterialNamed(data, mat);
  const ChokeContext context = ContextOf(data, core, material);
  const ChokeResults plain = Calculate(in, context);
  const insight::InsightOptions options = OptionsOf(AdviseQuery{}, plain.L);
  in.L = !inductance.empty()
             ? inductance
             : RaisedInductance(plain.L, insight::GapSpread(plain.read.X, context.core, plain.mu, plain.g0, options));
  if (!inductance.empty()) in.us_Imin = 0;
  WindowRun run{CalculateShown(in, context, data.lang), {}};
  run.details = insight::DescribeDesign(in, context, run.results, ReadCoreExtras(kDatabase, core), options);
  return run;
}

// --- Every candidate is what the window shows for its core, material and gap --

// The window's own run in gap mode with the candidate's gap text gives the
// same label texts, and a warning exactly when the candidate is not feasible.
void ExpectReproduces(const AdviseData& data, const AdviseQuery& q, const Candidate& c) {
  static const std::string kDatabase = Shipped("BaseCores.txt");
  SCOPED_TRACE(c.core + " / " + c.material + " gap " + c.gapText + " L " + c.inductanceText);
  ChokeInputs in = q.inputs;
  in.gapChoice = 0;
  in.gapOrAl = c.gapText;
  if (!c.inductanceText.empty()) {
    in.L = c.inductanceText;
    in.us_Imin = 0;
  }
  MaterialRecord material = MaterialNamed(data, c.material);
  const ChokeContext context = ContextOf(data, c.core, material);
  const ShownResults r = CalculateShown(in, context, data.lang);
  // A gap of le/3 or more: the window's input checks stop the run, the
  // adviser designs on without them.
  if (r.stoppedByInputCheck) return;
  EXPECT_EQ(*r.texts[Result::Turns], FormatFixed(c.turns, 0));
  EXPECT_EQ(*r.texts[Result::PeakFlux], FormatFixed(c.Bpk, 3));
  EXPECT_EQ(*r.texts[Result::CoreLoss], FormatFixed(c.coreLoss, 3));
  EXPECT_EQ(FormatFixed(r.d, 6), FormatFixed(c.wireDiameter, 6));  // "nan" alike
  EXPECT_EQ(FormatFixed(r.n, 0), FormatFixed(c.wires, 0));
  if (r.stoppedByRipple) {
    EXPECT_TRUE(c.reasons & kRippleStop);
    return;
  }
  EXPECT_EQ(*r.texts[Result::Fill], FormatFixed(c.fill, 3));
  // The losses and temperature rise where the choke settles, as the design details give them.
  const insight::DesignDetails details =
      insight::DescribeDesign(in, context, r, ReadCoreExtras(kDatabase, c.core), OptionsOf(q, c.requiredInductance));
  const insight::ThermalState& settled = details.operating.thermal;
  EXPECT_EQ(FormatFixed(settled.copper_W, 12), FormatFixed(c.copperLoss, 12));
  EXPECT_EQ(FormatFixed(settled.total_W, 12), FormatFixed(c.totalLoss, 12));
  EXPECT_EQ(FormatFixed(settled.rise_K, 9), FormatFixed(c.temperatureRise, 9));
  EXPECT_EQ(settled.runaway, (c.reasons & kThermalRunaway) != 0);
  std::size_t warnings = 0;
  for (const Message& m : r.messages)
    if ((m.text == data.lang[kFluxWarning] && !material.hasRollOff()) || m.text == data.lang[kFillWarning]) ++warnings;
  // The window's warnings keep their slack, the checks have none; its flux
  // warning is linear, a powder core's checks take the rolled-off flux.
  EXPECT_TRUE(warnings == 0 || (c.reasons & (kOverfilled | kFluxAbovePermitted)) != 0);
  EXPECT_EQ(c.feasible(), MeetsEveryRule(r, details));
  EXPECT_EQ(c.reasons & kSaturation, details.checks[insight::CheckId::Saturation].passed == false ? kSaturation : 0u);
}

TEST(Sweep, EveryShippedCandidateReproducesThroughTheCalculation) {
  const AdviseData data = ShippedData();
  ASSERT_EQ(data.materials.size(), 61u);  // ten ferrites, 51 powders
  ASSERT_GT(data.cores.size(), 80u);
  for (const char* F : {"100", "50", "400"}) {
    AdviseQuery q;
    q.inputs = test::WindowDefaults();
    q.inputs.Fc = F;
    const std::vector<Candidate> all = Sweep(q, data);
    // Each material on the cores sold in its kind only, a powder ungapped.
    ASSERT_EQ(all.size(), CandidateCount(q, data));
    std::size_t feasible = 0;
    for (const Candidate& c : all) {
      const bool powder = data.materials[c.materialIndex].hasRollOff();
      const CoreSold& sold = data.cores[c.coreIndex].sold;
      ASSERT_TRUE(powder ? sold.powder : sold.ferrite) << c.core << " / " << c.material;
      if (powder) {
        ASSERT_EQ(c.gap, 0.0) << c.core;
      }
      if (c.reasons & kFrequencyAboveTable) continue;
      ExpectReproduces(data, q, c);
      feasible += c.feasible();
    }
    EXPECT_GT(feasible, 20u) << F;
  }
}

TEST(Sweep, DesiredWireSizeAndAwgCountTheSameWay) {
  AdviseData data = ShippedData();
  AdviseQuery q;
  q.inputs = test::WindowDefaults();
  q.inputs.use_D = 1;
  q.inputs.wireSize = "0.77";  // not in the table: a notice, which is no warning
  for (const Candidate& c : Sweep(q, data)) ExpectReproduces(data, q, c);

  data.wires = BuildAwgTable();
  q.inputs.yes_AWG = 1;
  q.inputs.use_D = 0;
  q.inputs.wireSize = "18";
  const std::vector<Candidate> all = Sweep(q, data);
  ASSERT_TRUE(all.front().feasible());
  for (std::size_t i = 0; i < all.size(); i += 7) ExpectReproduces(data, q, all[i]);
}

// Gaps lie on the grid and never below the minimum gap; rings and powder
// cores are ungapped only. (That no gap from where the search starts is passed over is the
// brute-force test below.)
TEST(Sweep, GapsOnTheGridNeverBelowTheMinimum) {
  const AdviseData data = ShippedData();
  for (const auto& [step, minGap] : {std::pair{0.05, 0.0}, {0.001, 0.2}}) {
    AdviseQuery q;
    q.inputs = test::WindowDefaults();
    q.gapStep = step;
    q.minGap = minGap;
    for (const Candidate& c : Sweep(q, data)) {
      if (c.gapText.empty()) continue;  // not designed
      const bool onGrid = c.gap >= std::max(minGap, step) && std::fabs(c.gap / step - std::round(c.gap / step)) < 1e-9;
      const bool ungapped = c.shape == kShapeR || data.materials[c.materialIndex].hasRollOff();
      EXPECT_TRUE(ungapped ? c.gapText == "0" : onGrid) << c.core << " " << c.gapText;
    }
  }
  // The coarsest step and a choke whose flux needs more than 3 mm on small
  // cores: the search ends at 3 mm, a gap past it is never feasible.
  AdviseQuery q;
  q.inputs = test::WindowDefaults();
  q.inputs.Inom = "40";
  q.gapStep = kMaxGapStep;
  std::size_t past = 0;
  for (const Candidate& c : Sweep(q, data)) {
    past += (c.reasons & kGapPastSearch) != 0;
    EXPECT_TRUE(c.gap <= kMaxGap || (c.reasons & kGapPastSearch)) << c.core << " " << c.gapText;
  }
  EXPECT_GT(past, 0u);
}

TEST(RoundGapUp, StepsAndTheirDecimals) {
  EXPECT_EQ(RoundGapUp(0.23, 0.01), "0.23");  // 0.23 / 0.01 is a hair above 23
  EXPECT_EQ(RoundGapUp(0.2301, 0.01), "0.24");
  EXPECT_EQ(RoundGapUp(0.0001, 0.01), "0.01");
  EXPECT_EQ(RoundGapUp(0, 0.01), "0");
  EXPECT_EQ(RoundGapUp(-0.3, 0.01), "0");
  EXPECT_EQ(RoundGapUp(0.231, 0.005), "0.235");
  EXPECT_EQ(RoundGapUp(0.21, 0.1), "0.3");
  EXPECT_EQ(RoundGapUp(1.2, 0.5), "1.5");
  EXPECT_EQ(RoundGapUp(0.21, 1), "1");
  EXPECT_EQ(RoundGapUp(std::nan(""), 0.01), "0");
  // Steps below a micrometre count as one; any step rounds upward, also in
  // the last decimal shown.
  EXPECT_EQ(RoundGapUp(0.2151, 1e-12), "0.216");
  EXPECT_EQ(RoundGapUp(0.0761, 0.0015), "0.0765");
  for (double step : {0.0012345, 0.001001, 0.0033333, 0.7}) {
    for (double greq : {0.0761, 0.5, 1.2345678, 2.9999}) {
      const double gap = std::stod(RoundGapUp(greq, step));
      EXPECT_GE(gap, greq) << step;
      EXPECT_LT(gap, greq + step + 1e-6) << step;
    }
  }
}

// --- The gap search ----------------------------------------------------------

// No core with a material is rejected while a gap of the grid (rings: gap 0)
// gives a design that meets every rule; a listed one is the first such gap
// from where the search starts. Brute force over the shipped data.
TEST(RaisedInductance, ItsNumberIsWhatItsTextReadsAs) {
  // The adviser takes the number without reading the text: bit for bit the same.
  std::mt19937 rng(45);
  for (int i = 0; i < 20000; ++i) {
    const double required = std::exp(std::uniform_real_distribution<double>(-12, 40)(rng));
    const double spread = i % 50 ? std::uniform_real_distribution<double>(-0.1, 0.99)(rng) : 1.5;
    const InductanceField field = RaisedInductanceField(required, spread);
    const double read = ReadLeadingDouble(field.text);
    ASSERT_EQ(std::memcmp(&field.value, &read, sizeof read), 0) << required << " " << spread << " " << field.text;
    ASSERT_EQ(field.text, RaisedInductance(required, spread));
  }
}

TEST(Sweep, NoPairIsRejectedWhileSomeGapOfTheGridIsBuildable) {
  const AdviseData data = ShippedData();
  AdviseQuery q;
  q.inputs = test::WindowDefaults();
  std::size_t rejected = 0;
  for (const Candidate& c : Sweep(q, data)) {
    if (c.feasible() || c.reasons & (kFrequencyAboveTable | kRippleStop)) continue;
    ++rejected;
    SCOPED_TRACE(c.core + " / " + c.material);
    if (data.materials[c.materialIndex].hasRollOff()) {  // every whole turn up to the fill factor's limit
      for (double N = 1;; ++N) {
        const WindowRun run = RunAt(data, q.inputs, c.core, c.material, "0", InductanceForTurns(c.AL / 1000, N));
        if (run.results.k > constants::kFillFactorLimit) break;
        ASSERT_FALSE(MeetsEveryRule(run.results, run.details)) << N;
      }
      continue;
    }
    if (c.shape == kShapeR) {
      const WindowRun run = RunAt(data, q.inputs, c.core, c.material, "0");
      EXPECT_FALSE(MeetsEveryRule(run.results, run.details));
      continue;
    }
    for (int k = 5; k <= 300; ++k) {  // 0.05 mm to 3 mm
      const std::string gap = FormatFixed(k * 0.01, 2);
      const WindowRun run = RunAt(data, q.inputs, c.core, c.material, gap);
      ASSERT_FALSE(MeetsEveryRule(run.results, run.details)) << gap;
    }
  }
  EXPECT_GT(rejected, 100u);
}

// RM 12 in N97 is found at a wider gap with its whole turns (5 to hold 15 uH
// at the low end of the spread, 20 % below saturation); stricter limits
// leave fewer designs, each within them (every rule itself is checked on each
// candidate by ExpectReproduces).
TEST(Sweep, WiderGapsAndStricterLimits) {
  const AdviseData data = ShippedData();
  AdviseQuery q;
  q.inputs = test::WindowDefaults();
  std::size_t feasible[2] = {0, 0};
  for (int strict = 0; strict < 2; ++strict) {
    q.maxRise = strict ? 8 : kDefaultRise;
    q.alTolerance = strict ? 0.2 : 0.1;
    for (const Candidate& c : Sweep(q, data)) {
      if (c.core == "RM 12" && c.material == "N97 Epcos" && !strict) {
        EXPECT_TRUE(c.feasible() && c.gap > 0.15 && c.turns == 5) << c.gapText;
      }
      if (!c.feasible()) continue;
      ++feasible[strict];
      EXPECT_LE(c.temperatureRise, q.maxRise);
      const MaterialRecord& m = data.materials[c.materialIndex];
      // A powder core's spread is its maker's tolerance.
      if (m.hasRollOff()) EXPECT_EQ(c.tolerance, m.powder.alTolerance);
      else EXPECT_GE(c.tolerance, q.alTolerance);
    }
  }
  EXPECT_LT(feasible[1], feasible[0]);
  EXPECT_GT(feasible[1], 0u);
  EXPECT_EQ(ReasonText(kSpreadAbovePermitted | kRiseAboveLimit),
            "peak flux density above the permitted one across the AL tolerance; temperature rise above the limit");
}

// --- Feasibility ------------------------------------------------------------

TEST(Sweep, FrequencyAboveTheLossTableIsNotDesigned) {
  const AdviseData data = ShippedData();
  AdviseQuery q;
  q.inputs = test::WindowDefaults();
  q.inputs.Fc = "100000";
  for (const Candidate& c : Sweep(q, data)) {
    EXPECT_EQ(c.reasons, kFrequencyAboveTable);
    EXPECT_EQ(c.turns, 0);
  }
  EXPECT_EQ(ReasonText(kFrequencyAboveTable | kOverfilled), "frequency above the loss table; fill factor above 0.4");
}

TEST(Sweep, ALossTableThatIsNotANumberIsNamedSoAndNotDesigned) {
  AdviseData data = ShippedData();
  const std::string text = Shipped("N87 Epcos.txt");
  // A frequency (the highest one too, which was read as 0 kHz), a flux density, a loss.
  for (const auto& [from, to] : {std::pair{"F3 = 100", "F3 = nan"}, std::pair{"F8 = 1000", "F8 = nan"},
                                 std::pair{"B2 = 25", "B2 = inf"}, std::pair{"B_50 = 0.74", "B_50 = 1e999"}}) {
    SCOPED_TRACE(to);
    std::string bad = text;
    bad.replace(bad.find(from), std::string_view(from).size(), to);
    MaterialRecord material;
    ParseMaterialText(bad, material);
    material.name = "Broken";
    data.materials.push_back(material);
    AdviseQuery q;
    q.inputs = test::WindowDefaults();
    q.material = "Broken";
    const std::vector<Candidate> all = Sweep(q, data);
    ASSERT_FALSE(all.empty());
    for (const Candidate& c : all) {
      EXPECT_EQ(c.reasons, kLossTableUnusable);
      EXPECT_EQ(c.turns, 0);
    }
    data.materials.pop_back();
  }
  EXPECT_EQ(ReasonText(kLossTableUnusable),
            "loss table unusable (a frequency, flux density or loss that is no usable number)");
}

TEST(Sweep, RippleStopAndWarningsMakeCandidatesInfeasible) {
  const AdviseData data = ShippedData();
  AdviseQuery q;
  q.inputs = test::WindowDefaults();
  q.inputs.Inom = "0.01";  // any core: ripple above twice the current
  for (const Candidate& c : Sweep(q, data)) EXPECT_TRUE(c.reasons & kRippleStop) << c.core;

  q.inputs = test::WindowDefaults();
  q.inputs.Inom = "60";  // small cores overfill
  q.inputs.j = "2";
  bool overfilled = false;
  for (const Candidate& c : Sweep(q, data)) {
    overfilled |= (c.reasons & kOverfilled) != 0;
    if (c.feasible()) {
      EXPECT_LE(c.fill, 0.4);
    }
  }
  EXPECT_TRUE(overfilled);
}

// --- Selection, ranking, progress --------------------------------------------

TEST(Sweep, ShapeAndMaterialSelectTheCandidates) {
  const AdviseData data = ShippedData();
  AdviseQuery q;
  q.inputs = test::WindowDefaults();
  q.shape = kShapeETD;
  q.material = "3C95 Ferroxcube";
  const std::vector<Candidate> some = Sweep(q, data);
  ASSERT_FALSE(some.empty());
  EXPECT_EQ(some.size(), CandidateCount(q, data));
  for (const Candidate& c : some) {
    EXPECT_EQ(c.shape, kShapeETD);
    EXPECT_EQ(c.material, "3C95 Ferroxcube");
    EXPECT_EQ(c.core.rfind("ETD ", 0), 0u);
  }
  q.material = "No such";
  EXPECT_TRUE(Sweep(q, data).empty());
}

TEST(Rank, FeasibleFirstThenByKeyNotANumberLast) {
  auto make = [](const char* core, double loss, double volume, double turns, unsigned reasons) {
    Candidate c;
    c.core = core;
    c.totalLoss = loss;
    c.volume = volume;
    c.turns = turns;
    c.temperatureRise = loss * 10;
    c.reasons = reasons;
    return c;
  };
  std::vector<Candidate> list = {make("a", 1.0, 5, 30, kOverfilled), make("b", std::nan(""), 1, 10, kFeasible),
                                 make("c", 2.0, 3, 20, kFeasible), make("d", 0.5, 9, 40, kFeasible)};
  auto order = [&list](SortKey key) {
    Rank(list, key);
    std::string s;
    for (const Candidate& c : list) s += c.core;
    return s;
  };
  EXPECT_EQ(order(SortKey::TotalLoss), "dcba");
  EXPECT_EQ(order(SortKey::Volume), "bcda");
  EXPECT_EQ(order(SortKey::Turns), "bcda");
  EXPECT_EQ(order(SortKey::Temperature), "dcba");
}

// By default the smallest core comes first, ties by total loss; the Pareto
// front of volume and total loss holds the least loss of each volume below
// that of every smaller one, equal designs alike, and no infeasible design
// (nor does one push a feasible design off the front).
TEST(Rank, SmallestCoreFirstTiesByLossAndTheParetoFront) {
  auto make = [](const char* core, double volume, double loss, unsigned reasons) {
    Candidate c;
    c.core = core;
    c.volume = volume;
    c.totalLoss = loss;
    c.reasons = reasons;
    return c;
  };
  std::vector<Candidate> list = {make("h", 6, 0.5, kFeasible),   make("e", 4, 0.9, kFeasible),
                                 make("g", 1, 0.3, kSaturation), make("d", 3, 0.8, kFeasible),
                                 make("b", 2, 1.2, kFeasible),   make("c", 3, 0.8, kFeasible),
                                 make("f", 5, 0.5, kFeasible),   make("a", 2, 1.0, kFeasible)};
  MarkPareto(list);
  Rank(list, AdviseQuery{}.sort);
  std::string order, front;
  for (const Candidate& c : list) {
    order += c.core;
    if (c.pareto) front += c.core;
  }
  EXPECT_EQ(order, "abcdefhg");
  EXPECT_EQ(front, "acdf");
}

// The pre-check never rejects a design that the settling and every check
// accept: random inputs and limits, random cores, materials and gaps of the
// grid around the required one; a material whose Bsat rises with
// temperature among them. It rejects most of the rest unsettled.
// The powder turns search from the zero-bias 45 turns of 100 uH on 50 nH/turn2
// (le 50 mm): a gentle roll-off at 3 A needs 49 (the first to hold); with a
// window for 47 it runs out; a steep one (c above 2) deep in its roll-off loses
// inductance with the 46th turn; no bias needs none more. The field of a
// design gives its run the turns.
TEST(Designer, PowderTurnsRaisedUntilTheInductanceHoldsAtFullLoad) {
  const RollOffFit gentle{0.01, 6.37e-10, 1.855}, steep{0.01, 1e-10, 2.5};
  for (const auto& [fit, I, maxTurns, reasons, turns] : {std::tuple{gentle, 3.0, 1000.0, kFeasible, 49.0},
                                                         {gentle, 3.0, 47.0, kOverfilled, 48.0},
                                                         {steep, 10.0, 1000.0, kRollsOff, 46.0},
                                                         {steep, 0.0, 1000.0, kFeasible, 45.0}}) {
    const PowderTurns t = SearchPowderTurns(fit, 0.05, 100, I, 50, 45, maxTurns);
    EXPECT_EQ(t.reasons, reasons) << I << " " << maxTurns;
    EXPECT_EQ(t.turns, turns) << I << " " << maxTurns;
  }
  EXPECT_LT(powder::InductanceUnderBias(gentle, 0.05, 48, 3, 50), 100);
  EXPECT_GE(powder::InductanceUnderBias(gentle, 0.05, 49, 3, 50), 100);
  for (double AL : {0.0123456, 0.05, 0.3141})
    for (double N : {2.0, 7.0, 45.0, 313.0})
      EXPECT_EQ(RoundUp(std::sqrt(ReadLeadingDouble(InductanceForTurns(AL, N)) / AL)), N) << AL << " " << N;
}

TEST(Designer, PreCheckNeverRejectsADesignTheFullChecksAccept) {
  AdviseData data = ShippedData();
  MaterialRecord rising = data.materials.front();
  rising.name = "rising Bsat";
  rising.Bsat25 = rising.Bmax * 0.8;
  rising.Tcurie = 220;
  EXPECT_FALSE(SaturationNeverRises(rising));
  EXPECT_TRUE(SaturationNeverRises(data.materials.front()));
  data.materials.push_back(rising);
  std::mt19937 rng(34);
  auto pick = [&rng](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
  auto text = [](double v) { return FormatFixed(v, 3); };
  std::size_t accepted = 0, preRejected = 0, fullRejected = 0;
  for (int run = 0; run < 40; ++run) {
    AdviseQuery q;
    const double U = pick(15, 120);
    q.inputs = test::WindowDefaults();
    q.inputs.L = text(pick(5, 300));
    q.inputs.Inom = text(pick(0.5, 25));
    q.inputs.voltageSwitchOn = text(U);
    q.inputs.Udc = text(pick(0.1, 0.9) * U);
    q.inputs.Fc = text(pick(20, 300));
    q.maxRise = pick(10, 80);
    q.fluxMargin = pick(0, 0.4);
    q.alTolerance = pick(0.03, 0.25);
    data.ambient_C = pick(-20, 90);
    Designer designer(q, data);
    for (int pair = 0; pair < 40; ++pair) {
      const CoreEntry& core = data.cores[rng() % data.cores.size()];
      const MaterialRecord& material = data.materials[rng() % data.materials.size()];
      Candidate c;
      if (!designer.Begin(core, material, c)) continue;
      const double start = designer.RequiredSteps();
      for (double k : {start, start + 1 + rng() % 5, start + 5 + rng() % 40}) {
        if (core.shape == kShapeR && k > 0) continue;
        const GapTrial trial = designer.Try(c, k, core, material);
        const Candidate full = designer.Settle(trial, core, material);
        SCOPED_TRACE(c.core + " / " + c.material + " gap " + trial.candidate.gapText + " run " + std::to_string(run));
        if (full.feasible()) {
          ++accepted;
          EXPECT_EQ(trial.early, kFeasible) << ReasonText(trial.early);
        } else {
          ++(trial.early != kFeasible ? preRejected : fullRejected);
        }
      }
    }
  }
  EXPECT_GT(accepted, 100u);
  EXPECT_GT(preRejected, 2 * fullRejected);
}

TEST(Designer, ReadingsOfAConvertersPointsDecideAsEveryPointDoes) {
  // A buck's points around the design's own: a search and a turns search
  // take the points only as far as they read, never deciding otherwise.
  const AdviseData data = ShippedData();
  std::mt19937 rng(39);
  auto pick = [&rng](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
  using Reading = Designer::Reading;
  constexpr unsigned kEnds = kOverfilled | kRippleStop, kCured = kFluxAbovePermitted | kSpreadAbovePermitted;
  std::size_t rejected = 0, passed = 0;
  for (int run = 0; run < 12; ++run) {
    AdviseQuery q;
    const double U = pick(20, 100), Uo = pick(0.2, 0.7) * U, I = pick(1, 20);
    q.inputs = test::WindowDefaults();
    q.inputs.L = FormatFixed(pick(10, 200), 3);
    q.inputs.Inom = FormatFixed(I, 3);
    q.inputs.voltageSwitchOn = FormatFixed(U, 3);
    q.inputs.Udc = FormatFixed(Uo, 3);
    q.maxRise = pick(20, 60);
    q.points = [=](double) {
      std::vector<insight::PointDemand> points;
      for (double s : {0.8, 1.0, 1.4})
        points.push_back({0, s * U, Uo / (s * U), s * U - Uo, I * (1.2 - 0.2 * s), 0.1 * I});
      return points;
    };
    Designer designer(q, data);
    for (int pair = 0; pair < 60; ++pair) {
      const CoreEntry& core = data.cores[rng() % data.cores.size()];
      const MaterialRecord& material = data.materials[rng() % data.materials.size()];
      Candidate c;
      if (!designer.Begin(core, material, c)) continue;
      const double k = core.shape == kShapeR ? 0 : designer.RequiredSteps() + rng() % 8;
      const unsigned every = designer.Try(c, k, core, material).early;
      const unsigned search = designer.Try(c, k, core, material, Reading::Search).early;
      const unsigned turns = designer.Try(c, k, core, material, Reading::Turns).early;
      SCOPED_TRACE(c.core + " / " + c.material + " run " + std::to_string(run) + ": " + ReasonText(every));
      ++(every == kFeasible ? passed : rejected);
      EXPECT_EQ(turns == kFeasible, every == kFeasible);
      EXPECT_EQ((turns & ~kCured) != 0, (every & ~kCured) != 0);
      // A search may reject more (its points held at the floor of their
      // rise), never what settles within every check.
      EXPECT_EQ(search & kEnds, every & kEnds);
      if (search != kFeasible && every == kFeasible)
        EXPECT_FALSE(designer.Settle(designer.Try(c, k, core, material), core, material).feasible());
      else EXPECT_EQ(search == kFeasible, every == kFeasible);
    }
  }
  EXPECT_GT(passed, 20u);
  EXPECT_GT(rejected, 20u);
}

TEST(Sweep, ProgressIsToldAndCanEndTheSweep) {
  const AdviseData data = ShippedData();
  AdviseQuery q;
  q.inputs = test::WindowDefaults();
  std::size_t calls = 0, lastDone = 0;
  const auto all = Sweep(q, data, [&](std::size_t done, std::size_t total) {
    ++calls;
    EXPECT_EQ(total, CandidateCount(q, data));
    EXPECT_GT(done, lastDone);
    lastDone = done;
    return true;
  });
  EXPECT_EQ(lastDone, all.size());
  EXPECT_GE(calls, all.size() / 256);
  const auto part = Sweep(q, data, [](std::size_t, std::size_t) { return false; });
  EXPECT_EQ(part.size(), 256u);
}

// --- The cores the lists offer ------------------------------------------------

TEST(SelectableCores, OnlyNamesThatSelectingByNameReaches) {
  const std::string db =
      "[E 20/10/6]\r\nAe = 32\r\nAn = 40\r\nle = 46\r\nmu = 1500\r\n\r\n"
      "[PQ E 30]\r\nAe = 1\r\nAn = 2\r\nle = 3\r\nmu = 4\r\n\r\n"        // listed as "E 30"
      "[e 20/10/6]\r\nAe = 99\r\nAn = 99\r\nle = 99\r\nmu = 99\r\n\r\n"  // no "E ": other
      "[E 20/10/6]\r\nAe = 7\r\nAn = 7\r\nle = 7\r\nmu = 7\r\n\r\n"      // a repeat
      "[R 10 ER]\r\nAe = 5\r\nAn = 5\r\nle = 5\r\nmu = 5\r\n\r\n"        // ER, not R: listed as "ER"
      "[pq 20/16]\r\nAe = 6\r\nAn = 6\r\nle = 6\r\nmu = 6\r\n\r\n"       // found first of the two
      "[ETD 29]\r\nAe = 76\r\nAn = 97\r\nle = 72\r\nmu = 1700\r\n\r\n"
      "[PQ 20/16]\r\nAe = 62\r\nAn = 30\r\nle = 37\r\nmu = 2000\r\n\r\n";
  const std::vector<CoreEntry> cores = SelectableCores(db, PlainCompare);
  std::string names;
  for (const CoreEntry& c : cores) names += c.record.name + "(" + std::to_string(c.shape) + ") ";
  EXPECT_EQ(names, "E 20/10/6(0) E 30(0) ER(2) ETD 29(3) e 20/10/6(5) pq 20/16(5) ");
  EXPECT_EQ(cores[0].record.Ae, 32);  // the record of the exact header
  EXPECT_EQ(cores[1].record.Ae, 1);   // the longer header that holds the name
  EXPECT_EQ(cores[2].record.Ae, 5);
}

// Each core is read as the window reads it from the whole text.
TEST(SelectableCores, RecordsAreTheWindowsOwn) {
  const std::string db =
      Shipped("BaseCores.txt") + "[ER 9.5]\r\nAe = 8\r\nAn = 9\r\nle = 14\r\nmu = 800\r\nMLT = 20\r\n\r\n";  // a repeat
  const std::vector<CoreEntry> cores = SelectableCores(db, PlainCompare);
  ASSERT_GT(cores.size(), 100u);
  for (const CoreEntry& c : cores) {
    const CoreRecord r = CoreFromTexts(c.record.name, ReadCoreTexts(db, c.record.name));
    EXPECT_EQ(std::tie(r.Ae, r.An, r.le, r.mu, r.Ve),
              std::tie(c.record.Ae, c.record.An, c.record.le, c.record.mu, c.record.Ve))
        << r.name;
    const CoreExtras x = ReadCoreExtras(db, c.record.name);
    if (x.MLT > 0) {
      EXPECT_EQ(c.winding.mlt_mm, x.MLT) << r.name;
    }
  }
}

TEST(LoadMaterials, MissingOrTablelessFilesAreLeftOut) {
  const AdviseData data = ShippedData();
  const auto some =
      LoadMaterials(std::string(VELMORA_SOURCE_DIR) + "/share/", {"N87 Epcos", "Nothing here", "Materials"});
  ASSERT_EQ(some.size(), 1u);
  EXPECT_EQ(some[0].name, "N87 Epcos");
  EXPECT_GE(some[0].nF, 2);
}

}  // namespace
}  // namespace velmora::advise
