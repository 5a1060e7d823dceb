// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "calc/Calculate.h"
#include "calc/CoreLoss.h"
#include "calc/InputChecks.h"
#include "present/ResultTable.h"
#include "support/ChokeFixture.h"
#include "textfile/Numbers.h"

namespace velmora {
namespace {

using test::Metric;
const char* const kNotice = test::kWireNoticeText;

class ChokeTest : public test::ChokeFixture {
 protected:
  // The chain alone, without the input checks (as the adviser runs it).
  ChokeResults Figures() { return CalculateFigures(in, ReadInputNumbers(in), Context()); }
  void UseFerrite() { material = test::Ferrite(0.32); }
};

// --- The whole chain --------------------------------------------------------

TEST_F(ChokeTest, WorkedExampleInAlMode) {
  const ShownResults r = Run();
  EXPECT_TRUE(r.noData);
  EXPECT_EQ(r.mu, 10000);
  EXPECT_EQ(r.Bm, 1.2);
  EXPECT_EQ(r.g0, 0);
  EXPECT_NEAR(r.R, 0.26138, 5e-6);
  EXPECT_EQ(r.N, 20);  // exactly 20, not rounded up
  EXPECT_EQ(r.N2, 17);
  EXPECT_NEAR(r.Lreq, 103.08, 0.005);
  EXPECT_NEAR(r.Irms, 10.0015, 5e-5);
  EXPECT_NEAR(r.Scu, 2.0003, 5e-5);
  EXPECT_EQ(r.n, 1);
  EXPECT_EQ(r.wireIndex, 26);

  const ResultTexts& t = r.texts;
  EXPECT_EQ(t.Extra(Result::PeakFlux), "(max 1.200 T)");
  EXPECT_EQ(t[Result::Mue], "220.0");
  EXPECT_EQ(t[Result::Al], "250.0");
  EXPECT_EQ(t[Result::Turns], "20");
  EXPECT_EQ(t[Result::Inductance], "100.000");
  EXPECT_EQ(t.Extra(Result::Inductance), "uH");
  EXPECT_EQ(t[Result::Ripple], "0.600");
  EXPECT_EQ(t[Result::PeakCurrent], "10.300");
  EXPECT_EQ(t[Result::PeakFlux], "0.990");
  EXPECT_EQ(t[Result::AcFlux], "0.029");
  EXPECT_EQ(t[Result::CoreLoss], "");
  EXPECT_EQ(t[Result::RequiredGapOrAl], "357");
  EXPECT_EQ(t[Result::Wire], "AWG 14");
  EXPECT_EQ(t[Result::Wires], "1");
  EXPECT_EQ(t[Result::CurrentDensity], "4.806");
  EXPECT_EQ(t[Result::Fill], "0.277");
  EXPECT_TRUE(r.messages.empty());
  EXPECT_EQ(r.spinPos, 20);
  EXPECT_EQ(r.fields.wireSize, "20");
  EXPECT_EQ(r.fields.Inom, "10");
}

TEST_F(ChokeTest, WorkedExampleInGapMode) {
  in.gapChoice = 0;
  in.gapOrAl = "0.2";
  const ShownResults r = Run();
  EXPECT_NEAR(r.Ffr, 1.12654, 5e-6);
  EXPECT_NEAR(r.R, 0.18327, 5e-6);
  EXPECT_EQ(r.N, 17);
  EXPECT_NEAR(r.greq, 0.19992, 5e-6);

  const ResultTexts& t = r.texts;
  EXPECT_EQ(t.Extra(Result::PeakFlux), "(max 1.200 T)");
  EXPECT_EQ(t[Result::Mue], "313.8");
  EXPECT_EQ(t[Result::Al], "356.6");
  EXPECT_EQ(t[Result::Turns], "17");
  EXPECT_EQ(t[Result::Inductance], "103.045");
  EXPECT_EQ(t.Extra(Result::Inductance), "uH");
  EXPECT_EQ(t[Result::Ripple], "0.582");
  EXPECT_EQ(t[Result::PeakCurrent], "10.291");
  EXPECT_EQ(t[Result::PeakFlux], "1.200");
  EXPECT_EQ(t[Result::AcFlux], "0.034");
  EXPECT_EQ(t[Result::CoreLoss], "");
  EXPECT_EQ(t[Result::RequiredGapOrAl], "0.200");
  EXPECT_EQ(t[Result::Wire], "AWG 14");
  EXPECT_EQ(t[Result::Wires], "1");
  EXPECT_EQ(t[Result::CurrentDensity], "4.806");
  EXPECT_EQ(t[Result::Fill], "0.236");
  EXPECT_TRUE(r.messages.empty());
}

TEST_F(ChokeTest, FerriteWithLossTable) {
  UseFerrite();
  in.gapChoice = 0;
  in.gapOrAl = "1";
  in.yes_AWG = 0;
  in.use_D = 1;
  in.wireSize = "1,5";
  wires = Metric({0.5, 0.8, 1.0, 1.5, 2.0});
  const ShownResults r = Run();
  EXPECT_FALSE(r.noData);
  EXPECT_EQ(material.mu, 2200);
  EXPECT_DOUBLE_EQ(r.g0, 57.5 / 1800 - 57.5 / 2200);
  EXPECT_DOUBLE_EQ(r.B1, FluxAmplitudeAtLossLimit(material, 100, 200));
  EXPECT_EQ(r.texts.Extra(Result::PeakFlux), "(max " + FormatFixed(r.Bm, 3) + " T)");
  const CoreLossEstimate loss = EstimateCoreLoss(material, 100, r.Bac, core.Ve);
  EXPECT_EQ(r.Pcore, loss.Pcore);
  EXPECT_EQ(r.texts[Result::CoreLoss], FormatFixed(loss.Pcore, 3));
  EXPECT_EQ(r.texts[Result::Wire], "1.5");
  EXPECT_EQ(r.fields.wireSize, "1.5");
  EXPECT_EQ(r.spinPos, 3);
  EXPECT_EQ(r.texts[Result::Wires], FormatFixed(r.n, 0));

  // The permitted peak never exceeds Bmax.
  material.Bmax = 0.25;
  material.Bmmax = 0.3;
  const ShownResults capped = Run();
  EXPECT_EQ(capped.Bm, 0.25);
  EXPECT_EQ(capped.texts.Extra(Result::PeakFlux), "(max 0.250 T)");
}

// --- Single parts ----------------------------------------------------------------

TEST_F(ChokeTest, DutyCycleAndInductance) {
  in.gapChoice = 0;
  in.gapOrAl = "0.2";
  ShownResults r = Run();
  EXPECT_EQ(r.D, 0.5);
  EXPECT_EQ(r.ton, 5);
  EXPECT_EQ(r.VS, 60);
  EXPECT_EQ(r.L, 100);

  in.use = 1;
  in.voltageSwitchOn = "12";
  in.Udc = "36";
  r = Run();
  EXPECT_EQ(r.D, 0.75);
  EXPECT_EQ(r.VS, 7.5 * 12);

  in.use = 0;
  in.voltageSwitchOn = "24";
  in.Udc = "12";
  in.us_Imin = 1;
  in.Imin = "1";
  in.L = "5000";
  EXPECT_EQ(Run().L, 30);
}

TEST_F(ChokeTest, GapAtOrBelowZeroHasNoFringing) {
  in.gapChoice = 0;
  for (const char* gap : {"0", "-0.5"}) {
    in.gapOrAl = gap;
    const ChokeResults r = Figures();  // -0.5 gives a negative permeability: the window's run stops
    EXPECT_EQ(r.Ffr, 1) << gap;
    EXPECT_DOUBLE_EQ(r.R, (57.5 - std::stod(gap)) / 10000 + std::stod(gap)) << gap;
  }
}

TEST_F(ChokeTest, NegativeRequiredGapShownAsZero) {
  in.gapChoice = 0;
  in.gapOrAl = "0.2";
  in.Inom = "0.5";
  in.Fc = "1000";
  const ShownResults r = Run();
  EXPECT_EQ(r.N2, 1);
  EXPECT_EQ(r.greq, 0);
  EXPECT_EQ(r.texts[Result::RequiredGapOrAl], "0.001");
}

TEST_F(ChokeTest, NegativeRequiredTurnsAreNotRoundedUp) {
  // An output choke whose DC voltage exceeds the pulses: negative volt-seconds
  // make the required turns -42.735, which rounding up leaves as they are.
  // The window's run stops at the input checks; the chain alone computes on.
  in.voltageSwitchOn = "12";
  in.Udc = "100";
  EXPECT_TRUE(Run().stoppedByInputCheck);
  ChokeResults r = Figures();
  ASSERT_FALSE(r.stoppedByRipple);
  EXPECT_NEAR(r.N2, -42.735, 5e-4);

  in.gapChoice = 0;
  in.gapOrAl = "0.2";
  r = Figures();
  EXPECT_NEAR(r.N2, -42.735, 5e-4);
}

TEST_F(ChokeTest, InductanceUnitFromOneThousandMicrohenry) {
  in.gapOrAl = "10000";  // AL 10 uH/turn2
  in.L = "1000";
  in.Inom = "100";
  ShownResults r = Run();
  ASSERT_EQ(r.Lact, 1000);
  EXPECT_EQ(r.texts[Result::Inductance], "1.000");
  EXPECT_EQ(r.texts.Extra(Result::Inductance), "mH");

  in.gapOrAl = "9000";
  in.L = "900";
  r = Run();
  EXPECT_EQ(r.texts[Result::Inductance], "900.000");
  EXPECT_EQ(r.texts.Extra(Result::Inductance), "uH");
}

TEST_F(ChokeTest, RippleStop) {
  in.gapOrAl = "1000";  // AL 1: N = 10, Lact = 100, dI = 0.6
  in.Inom = "0.3";
  ShownResults r = Run();
  EXPECT_FALSE(r.stoppedByRipple);  // 2 * Inom equal to the ripple goes on
  EXPECT_TRUE(r.texts[Result::RequiredGapOrAl].has_value());

  in.Inom = "0,2999";
  r = Run();
  EXPECT_TRUE(r.stoppedByRipple);
  EXPECT_EQ(r.fields.Inom, "0.300");
  EXPECT_EQ(r.messages, (std::vector<Message>{{"Ripple above twice the current", "Velmora"}}));
  // The operating point is shown; the required value, the wire, the density
  // and the fill keep the texts of the previous run.
  EXPECT_EQ(r.texts[Result::Ripple], "0.600");
  EXPECT_EQ(r.texts[Result::Turns], "10");
  EXPECT_EQ(r.texts[Result::CoreLoss], "");
  EXPECT_FALSE(r.texts[Result::RequiredGapOrAl]);
  EXPECT_FALSE(r.texts[Result::Wire]);
  EXPECT_FALSE(r.texts[Result::Wires]);
  EXPECT_FALSE(r.texts[Result::CurrentDensity]);
  EXPECT_FALSE(r.texts[Result::Fill]);
  EXPECT_FALSE(r.spinPos);
  // The corrected current lets the next run through.
  in = r.fields;
  EXPECT_FALSE(Run().stoppedByRipple);

  // Half of a ripple of 0.6002 is shown rounded up: 0.301, not 0.300.
  in.gapOrAl = "999.67";
  in.L = "90";
  in.Inom = "0.1";
  r = Run();
  ASSERT_TRUE(r.stoppedByRipple);
  EXPECT_EQ(r.texts[Result::Ripple], "0.600");
  EXPECT_EQ(r.fields.Inom, "0.301");
  in = r.fields;
  EXPECT_FALSE(Run().stoppedByRipple);
}

TEST_F(ChokeTest, WarningsAndTheirOrder) {
  // Desired 0.5 mm is not in the table; the 0.56 mm wires overfill a small
  // window; a tiny AL saturates the core.
  in.yes_AWG = 0;
  in.use_D = 1;
  in.wireSize = "0.5";
  wires = Metric({0.45, 0.56, 1.0});
  core.An = 20;
  const ShownResults r = Run();
  ASSERT_EQ(r.messages.size(), 2u);
  EXPECT_EQ(r.messages[0], (Message{"Wire size of 0.5 mm is not in the table, taken 0.56 mm", "Velmora"}));
  EXPECT_EQ(r.messages[1], (Message{"Window overfilled", "Velmora"}));
  EXPECT_EQ(r.fields.wireSize, "0.56");
  EXPECT_EQ(r.texts[Result::Wire], "0.56");

  in.gapOrAl = "2500";
  core.An = 10;
  const ShownResults both = Run();
  ASSERT_EQ(both.messages.size(), 3u);
  EXPECT_EQ(both.messages[1].text, "Window overfilled");
  EXPECT_EQ(both.messages[2].text, "Flux too high");
  EXPECT_GT(both.Bpk, 1.2005);
}

TEST_F(ChokeTest, FillFactorOfExactlyPointFourIsNoWarning) {
  // Find the window area that makes k exactly 0.4.
  ShownResults r = Run();
  const double copper = r.Stot * r.N;
  core.An = copper / 0.4;
  for (int i = 0; i < 8 && Run().k != 0.4; ++i) core.An = std::nextafter(core.An, 0.0);
  r = Run();
  ASSERT_EQ(r.k, 0.4);
  EXPECT_TRUE(r.messages.empty());
  core.An = std::nextafter(core.An, 0.0);
  EXPECT_EQ(Run().messages, (std::vector<Message>{{"Window overfilled", "Velmora"}}));
}

// --- Texts of the inputs ------------------------------------------------------

TEST_F(ChokeTest, CommasReadAsPoints) {
  in.gapChoice = 0;
  in.gapOrAl = "0,2";
  in.L = "100,0";
  in.j = "5,0";
  in.Fc = "100,0";
  const ShownResults r = Run();
  EXPECT_EQ(r.fields.gapOrAl, "0.2");
  EXPECT_EQ(r.fields.L, "100.0");
  EXPECT_EQ(r.fields.j, "5.0");
  EXPECT_EQ(r.texts[Result::Inductance], "103.045");
  EXPECT_EQ(r.texts[Result::RequiredGapOrAl], "0.200");
}

TEST_F(ChokeTest, NoDataMaterialByName) {
  material.name = "Iron powder (No data)";
  material.mu = 75;
  const ShownResults byName = Run();
  EXPECT_TRUE(byName.noData);
  EXPECT_EQ(byName.mu, 10000);
  EXPECT_EQ(material.mu, 75);  // the record is the caller's

  // The entry's own text counts, not the current language's.
  lang[kNoDataMaterialName] = "Pas de donnees";
  EXPECT_TRUE(Calculate(in, ChokeContext{core, material, wires, 200.0, "No data"}).noData);
  EXPECT_FALSE(Run().noData);

  UseFerrite();
  EXPECT_FALSE(IsNoDataMaterial(material.name, "No data"));
  // An empty text (a language file without it) is contained in no other
  // name: the material's loss table is used.
  lang[kNoDataMaterialName] = "";
  EXPECT_FALSE(IsNoDataMaterial(material.name, ""));
  EXPECT_TRUE(IsNoDataMaterial("", ""));  // the empty entry itself
  const ShownResults r = Run();
  EXPECT_FALSE(r.noData);
  EXPECT_NE(r.texts[Result::CoreLoss], "");
  EXPECT_GT(r.Pcore, 0);
  material.name = "";
  const ShownResults entry = Run();
  EXPECT_TRUE(entry.noData);
  EXPECT_EQ(entry.Bm, 1.2);
  EXPECT_EQ(entry.texts[Result::CoreLoss], "");
  EXPECT_EQ(entry.Pcore, 0);
}

// --- Inputs without a sound result never crash ----------------------------------

TEST_F(ChokeTest, EmptyInputsStopAtTheInputChecks) {
  // Every field empty: the inductance's check, the first, stops the run
  // before any label text is made; so does AL 0.
  in = ChokeInputs{};
  in.yes_AWG = 1;
  for (const int yesAl : {0, 1}) {
    in.gapChoice = yesAl;
    const ShownResults r = Run();
    EXPECT_TRUE(r.stoppedByInputCheck);
    EXPECT_FALSE(r.stoppedByRipple);
    EXPECT_FALSE(r.texts.Extra(Result::PeakFlux) || r.texts[Result::Mue] || r.texts[Result::Turns] ||
                 r.texts[Result::Ripple] || r.texts[Result::Wire] || r.texts[Result::Fill]);
    EXPECT_EQ(r.messages, (std::vector<Message>{{InputFaultEnglish(InputFault::Inductance), "Velmora"}}));
  }
}

TEST_F(ChokeTest, ZeroFrequencyCurrentDensityAndInductance) {
  // Each stops at its own check, where it used to give "inf" texts.
  const std::pair<std::string ChokeInputs::*, InputFault> zeros[] = {{&ChokeInputs::Fc, InputFault::Frequency},
                                                                     {&ChokeInputs::j, InputFault::CurrentDensity},
                                                                     {&ChokeInputs::L, InputFault::Inductance}};
  for (const auto& [field, fault] : zeros) {
    const ChokeInputs saved = in;
    in.*field = "0";
    const ShownResults r = Run();
    EXPECT_TRUE(r.stoppedByInputCheck);
    EXPECT_FALSE(r.texts[Result::Ripple] || r.texts[Result::Wires]);
    EXPECT_EQ(r.messages.at(0).text, InputFaultEnglish(fault));
    in = saved;
  }
}

TEST_F(ChokeTest, BrokenDataNeverCrash) {
  // A loss table of one row, an empty wire table.
  UseFerrite();
  material.nF = 1;
  wires = WireTable{};
  in.yes_AWG = 0;
  const ShownResults r = Run();
  EXPECT_TRUE(std::isnan(r.B1));
  EXPECT_EQ(r.texts.Extra(Result::PeakFlux), "(max nan T)");
  EXPECT_EQ(r.texts[Result::CoreLoss], "nan");
  EXPECT_EQ(r.wireIndex, -1);
  EXPECT_EQ(r.texts[Result::Wire], "nan");
  EXPECT_EQ(r.texts[Result::Wires], "nan");
  EXPECT_FALSE(r.spinPos);

  // An empty table in AWG mode too; a huge AWG number in a proper table.
  in.yes_AWG = 1;
  EXPECT_EQ(Run().texts[Result::Wire], "nan");
  wires = BuildAwgTable();
  in.wireSize = "1e400";
  EXPECT_EQ(Run().spinPos, 0);
}

}  // namespace
}  // namespace velmora
