// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <tuple>

#include "calc/InputChecks.h"
#include "present/ResultTable.h"
#include "support/ChokeFixture.h"
#include "textfile/Numbers.h"

namespace velmora {
namespace {

// A choke that passes every check: output choke, gap mode, the no-data
// material (the checks see its permeability, 10000, as the run does).
class InputChecksTest : public test::ChokeFixture {
 protected:
  InputChecksTest() {
    core = CoreRecord{"E 25/13/7", 52.5, 80, 57.5, 1800, 57.5 * 52.5 / 1000};
    lang = LanguageTable{};
    lang[kMessageCaption] = "Velmora";
    in = test::WindowDefaults();
  }
  ChokeContext Context() { return ChokeContext{core, material, wires, 200.0, "No data"}; }
  ShownResults Run() { return CalculateShown(in, Context(), lang); }
};

TEST_F(InputChecksTest, EachCheckStopsTheRunWithOneMessageNamingItsField) {
  struct Case {
    const char* what;
    std::string ChokeInputs::*field;
    const char* text;
    int use, yesAl, usImin;
    std::optional<InputFault> fault;
  };
  using F = InputFault;
  const Case cases[] = {
      {"L 0", &ChokeInputs::L, "0", 0, 0, 0, F::Inductance},
      {"L ignored with Imin", &ChokeInputs::L, "-1", 0, 0, 1, std::nullopt},
      {"Inom -1", &ChokeInputs::Inom, "-1", 0, 0, 0, F::NominalCurrent},
      {"Inom 0 goes to the ripple check", &ChokeInputs::Inom, "0", 0, 0, 0, std::nullopt},
      {"Imin 0", &ChokeInputs::Imin, "0", 0, 0, 1, F::MinimumCurrent},
      {"Udc above Uimpulsa", &ChokeInputs::Udc, "30", 0, 0, 0, F::OutputVoltage},
      {"Udc -1", &ChokeInputs::Udc, "-1", 0, 0, 0, F::OutputVoltage},
      {"Udc 0", &ChokeInputs::Udc, "0", 0, 0, 0, std::nullopt},
      {"other use U1 -1", &ChokeInputs::voltageSwitchOn, "-1", 1, 0, 0, F::VoltageOn},
      {"other use U2 -1", &ChokeInputs::Udc, "-1", 1, 0, 0, F::VoltageOff},
      {"other use U2 above U1", &ChokeInputs::Udc, "36", 1, 0, 0, std::nullopt},
      {"F 0", &ChokeInputs::Fc, "0", 0, 0, 0, F::Frequency},
      {"F nan", &ChokeInputs::Fc, "nan", 0, 0, 0, F::Frequency},
      {"j -3", &ChokeInputs::j, "-3,5", 0, 0, 0, F::CurrentDensity},
      {"gap le/3", &ChokeInputs::gapOrAl, "19.1667", 0, 0, 0, F::GapLength},
      {"AL taken as a gap", &ChokeInputs::gapOrAl, "220", 0, 0, 0, F::GapLength},
      {"gap 0", &ChokeInputs::gapOrAl, "0", 0, 0, 0, std::nullopt},
      {"negative gap of negative permeability", &ChokeInputs::gapOrAl, "-2", 0, 0, 0, F::Gap},
      {"AL 0", &ChokeInputs::gapOrAl, "0", 0, 1, 0, F::InductanceFactor},
      {"AL 0.18", &ChokeInputs::gapOrAl, "0,18", 0, 1, 0, std::nullopt},
  };
  const ChokeInputs sound = in;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    in = sound;
    in.*c.field = c.text;
    in.use = c.use;
    in.gapChoice = c.yesAl;
    in.us_Imin = c.usImin;
    const ShownResults r = Run();
    EXPECT_EQ(CheckInputs(in, r.read, Context()), c.fault);
    EXPECT_EQ(r.stoppedByInputCheck, c.fault.has_value());
    if (!c.fault) continue;
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], (Message{InputFaultEnglish(*c.fault), "Velmora"}));
    EXPECT_TRUE(r.Stopped());
    // Nothing computed, no label touched (the core loss keeps its text too).
    EXPECT_FALSE(r.texts.Extra(Result::PeakFlux) || r.texts[Result::Turns] || r.texts[Result::CoreLoss] ||
                 r.texts[Result::Wire] || r.spinPos);
    EXPECT_EQ(r.fields.*c.field, CommaToPoint(c.text));  // decimal points, as the window takes them
  }
  // The other use with both voltages 0; the message from the language file.
  in.use = 1;
  in.voltageSwitchOn = in.Udc = "0";
  lang.design = WordKeyedSection::Parse("[D]\r\ncheckVoltagesZero = U \\u00FCber 0\r\n", "D");
  EXPECT_EQ(Run().messages.at(0).text, lang.design.Get("checkVoltagesZero", ""));
}

constexpr double ChokeResults::*kWorkingValues[] = {
    &ChokeResults::D,    &ChokeResults::ton,   &ChokeResults::VS,   &ChokeResults::L,     &ChokeResults::dI,
    &ChokeResults::Ipk,  &ChokeResults::Bm,    &ChokeResults::g0,   &ChokeResults::B1,    &ChokeResults::Ffr,
    &ChokeResults::R,    &ChokeResults::mue,   &ChokeResults::AL,   &ChokeResults::N,     &ChokeResults::Lact,
    &ChokeResults::Bpk,  &ChokeResults::Bac,   &ChokeResults::Pv,   &ChokeResults::Pcore, &ChokeResults::N2,
    &ChokeResults::Lreq, &ChokeResults::ALreq, &ChokeResults::greq, &ChokeResults::Irms,  &ChokeResults::Scu,
    &ChokeResults::d,    &ChokeResults::S1,    &ChokeResults::n,    &ChokeResults::Stot,  &ChokeResults::Jact,
    &ChokeResults::k};

// Designs that pass the checks compute exactly what the chain without them
// computes: every working value bit for bit, every flag, no check message.
TEST_F(InputChecksTest, TwoThousandRandomPassingDesignsCalculateAsBefore) {
  std::mt19937 rng(23);
  std::uniform_real_distribution<double> unit(0, 1);
  auto pick = [&](double lo, double hi) { return FormatFixed(lo + (hi - lo) * unit(rng), 3); };
  int passed = 0, stopped = 0;
  for (int i = 0; passed < 2000; ++i) {
    ASSERT_LT(i, 20000);
    in.use = static_cast<int>(rng() % 2);
    in.gapChoice = static_cast<int>(rng() % 2);
    in.us_Imin = static_cast<int>(rng() % 2);
    in.yes_AWG = static_cast<int>(rng() % 2);
    in.use_D = static_cast<int>(rng() % 2);
    in.L = pick(-5, 500);
    in.Inom = pick(-1, 30);
    in.Imin = pick(-0.5, 5);
    in.voltageSwitchOn = pick(-5, 400);
    in.Udc = pick(-5, 400);
    in.Fc = pick(-10, 500);
    in.j = pick(-1, 10);
    in.gapOrAl = in.gapChoice ? pick(-50, 2000) : pick(-0.5, 25);
    in.wireSize = in.yes_AWG ? pick(10, 40) : pick(0.1, 2);
    const ShownResults r = Run();
    if (r.stoppedByInputCheck) {
      ++stopped;
      continue;
    }
    ++passed;
    const ChokeResults before = CalculateFigures(in, ReadInputNumbers(in), Context());
    for (double ChokeResults::*value : kWorkingValues)
      ASSERT_EQ(std::memcmp(&(r.*value), &(before.*value), sizeof(double)), 0) << i;
    ASSERT_EQ(std::tie(r.wireIndex, r.stoppedByRipple, r.overfilled, r.fluxAbovePermitted),
              std::tie(before.wireIndex, before.stoppedByRipple, before.overfilled, before.fluxAbovePermitted));
  }
  EXPECT_GT(stopped, 500);  // the random inputs reach the checks too
}

}  // namespace
}  // namespace velmora
