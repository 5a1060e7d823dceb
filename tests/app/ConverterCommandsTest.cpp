// SPDX-License-Identifier: GPL-3.0-or-later
// The converter's design put into the main window: the window's own
// calculation then works with the converter's duty cycle and volt-seconds.
#include <gtest/gtest.h>

#include "app/ConverterCommands.h"
#include "app/DesignWindows.h"
#include "app/WindowFixture.h"
#include "lang/LangSlots.h"

namespace velmora::test {
namespace {

using namespace ids;
using converter::ConverterRequest;
using converter::Topology;

struct CountCalculations : DesignWindows {
  void OnDesignCommand(CVelmoraDlg&, int) override {}
  void OnCalculated(CVelmoraDlg&) override { ++calculations; }
  void OnLanguageApplied(CVelmoraDlg&) override {}
  int calculations = 0;
};

class ConverterCommandsTest : public WindowTest {
 protected:
  void SetUp() override { dir.copyShippedData(); }
};

ConverterRequest Request(Topology t, double vinMin, double vinMax, double vout, double iout, double fsw) {
  ConverterRequest s;
  s.topology = t, s.vinMin = vinMin, s.vinMax = vinMax, s.vout = vout, s.iout = iout, s.fsw_kHz = fsw;
  s.ripple = 0.3;
  return s;
}

TEST_F(ConverterCommandsTest, TheWindowsStepTwoGivesTheConvertersDutyAndVoltSeconds) {
  struct Case {
    ConverterRequest request;
    int use;
  };
  ConverterRequest buckDrops = Request(Topology::kBuck, 9, 14, 5, 10, 200);
  buckDrops.vsw = 0.2, buckDrops.vd = 0.5, buckDrops.ioutMin = 1;
  ConverterRequest boostLossy = Request(Topology::kBoost, 5, 9, 12, 2, 100);
  boostLossy.efficiency = 0.9, boostLossy.vsw = 0.1, boostLossy.vd = 0.4;
  ConverterRequest inverting = Request(Topology::kBuckBoost, 10, 30, 12, 3, 150);
  inverting.rippleUnit = converter::RippleUnit::kAmperes, inverting.ripple = 0.5, inverting.vd = 0.6;
  const Case cases[] = {{Request(Topology::kBuck, 9, 14, 5, 10, 200), 0},
                        {buckDrops, 0},
                        {Request(Topology::kBoost, 5, 9, 12, 2, 100), 1},
                        {boostLossy, 1},
                        {inverting, 1}};
  CVelmoraDlg& w = Start();
  ASSERT_FALSE(w.IsEnded());
  host.ExpectBoxes(3);
  Click(IDC_CHECK_IMIN);  // on: the converter turns it off
  Type(IDC_EDIT_J, "4.5");
  CountCalculations windows;
  w.SetDesignWindows(&windows);
  for (const Case& c : cases) {
    SCOPED_TRACE(converter::TopologyName(c.request.topology));
    const converter::DesignResult r = converter::DesignConverter(c.request);
    ASSERT_EQ(r.error, converter::RequestError::kNone);
    const converter::MainWindowFields fields = converter::FieldsFor(c.request, r.design);
    windows.calculations = 0;
    TakeBoxes();
    host.ExpectBoxes(3);  // the design may warn about the core it lands on
    ReplaceInputs(w, ConverterInputChanges(fields));
    TakeBoxes();
    EXPECT_EQ(windows.calculations, 1);
    EXPECT_EQ(w.GetCheck(c.use == 1 ? IDC_RADIO_OTHER_USE : IDC_RADIO_OUTPUT), 1);
    EXPECT_EQ(Text(IDC_LABEL_U1), w.Model().Lang()[c.use == 1 ? kVoltageOnLabelOtherUse : kVoltageOnLabelOutputChoke]);
    EXPECT_EQ(w.GetCheck(IDC_CHECK_IMIN), 0);
    EXPECT_TRUE(Enabled(IDC_EDIT_L));
    EXPECT_FALSE(Enabled(IDC_EDIT_IMIN));
    EXPECT_EQ(Text(IDC_EDIT_L), fields.inductance);
    EXPECT_EQ(Text(IDC_EDIT_INOM), fields.nominalCurrent);
    EXPECT_EQ(Text(IDC_EDIT_FC), fields.frequency);
    EXPECT_EQ(Text(IDC_EDIT_J), "4.5");  // nothing else changes
    if (fields.minimumCurrent) {
      EXPECT_EQ(Text(IDC_EDIT_IMIN), *fields.minimumCurrent);
    }
    const ChokeResults* run = w.Model().LastCalculation();
    ASSERT_NE(run, nullptr);
    const converter::OperatingPoint& p = r.design.design;
    const double onTime_us = p.duty / c.request.fsw_kHz * 1000;
    // The texts carry four significant digits.
    EXPECT_NEAR(run->D, p.duty, 1e-3 * p.duty);
    EXPECT_NEAR(run->VS, p.voltageOn * onTime_us, 1e-3 * p.voltageOn * onTime_us);
    // The notice says what changed and what to do with the core and gap.
    EXPECT_EQ(w.Notice().rfind("Converter applied: ", 0), 0u) << w.Notice();
    EXPECT_NE(w.Notice().find("Core and gap unchanged"), std::string::npos);
  }
  w.SetDesignWindows(nullptr);
}

}  // namespace
}  // namespace velmora::test
