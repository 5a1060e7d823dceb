// SPDX-License-Identifier: GPL-3.0-or-later
// The converter engine against closed forms written here in SI units, on a
// dense sweep of the input range, and the fields it fills.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "converter/Converter.h"
#include "converter/ConverterFields.h"

namespace velmora::converter {
namespace {

constexpr double kRel = 1e-9;
constexpr int kCasesPerTopology = 20;
constexpr int kSweep = 4001;

// Duty, average current and ripple (A) by the textbook forms, f in Hz, L in H.
struct Closed {
  double duty, current, ripple;
};
Closed ClosedForm(const ConverterRequest& s, double vin, double henry) {
  const double f = s.fsw_kHz * 1e3;
  const double pin = s.vout * s.iout / s.efficiency;
  switch (s.topology) {
    case Topology::kBuck: {
      const double d = (s.vout + s.vd) / (vin - s.vsw + s.vd);
      return {d, s.iout, (vin - s.vsw - s.vout) * d / (f * henry)};
    }
    case Topology::kBoost: {
      const double d = 1 - (vin - s.vsw) / (s.vout + s.vd - s.vsw);
      return {d, pin / vin, (vin - s.vsw) * d / (f * henry)};
    }
    case Topology::kBuckBoost: {
      const double d = (s.vout + s.vd) / (vin - s.vsw + s.vout + s.vd);
      return {d, pin / vin + s.iout, (vin - s.vsw) * d / (f * henry)};
    }
  }
  return {};
}

double Target(const ConverterRequest& s, double vin) {
  return s.rippleUnit == RippleUnit::kAmperes ? s.ripple : s.ripple * ClosedForm(s, vin, 1).current;
}

ConverterRequest RandomRequest(Topology t, std::mt19937& rng) {
  auto u = [&rng](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
  ConverterRequest s;
  s.topology = t;
  const bool ideal = rng() % 2 == 0;
  s.vsw = ideal ? 0 : u(0, 0.5);
  s.vd = ideal ? 0 : u(0, 0.8);
  s.iout = u(0.1, 20);
  s.fsw_kHz = u(20, 1000);
  s.efficiency = ideal ? 1 : u(0.75, 1);
  s.rippleUnit = rng() % 2 ? RippleUnit::kShare : RippleUnit::kAmperes;
  s.ripple = s.rippleUnit == RippleUnit::kShare ? u(0.05, 0.6) : u(0.05, 0.6) * s.iout;
  if (t == Topology::kBoost) {
    // Ranges around Vout/2 and 2·Vout/3, where a boost's ripple peaks.
    s.vout = u(5, 400);
    s.vinMin = s.vout * u(0.1, 0.6);
    s.vinMax = std::min(s.vout * 0.95, s.vinMin * u(1, 4));
  } else {
    s.vinMin = u(3, 100);
    s.vinMax = s.vinMin * u(1, 4);
    s.vout = t == Topology::kBuck ? (s.vinMin - s.vsw) * u(0.05, 0.9) : u(1, 200);
  }
  return s;
}

// Each size is taken at its limit and refused just past it, naming the value.
TEST(ConverterChecks, SizesWithinTheirRanges) {
  using E = RequestError;
  const struct {
    void (*change)(ConverterRequest&);
    E error;
  } cases[] = {
      {[](ConverterRequest& s) { s.vinMax = 1e5; }, E::kNone},
      {[](ConverterRequest& s) { s.vinMax = 1.001e5; }, E::kVinRange},
      {[](ConverterRequest& s) { s.vinMin = s.vinMax = 1e308; }, E::kVinMin},
      {[](ConverterRequest& s) { s.iout = 1e5; }, E::kNone},
      {[](ConverterRequest& s) { s.iout = 1e308; }, E::kIout},
      {[](ConverterRequest& s) { s.ripple = 2; }, E::kNone},
      {[](ConverterRequest& s) { s.ripple = 5; }, E::kRipple},
      {[](ConverterRequest& s) { s.rippleUnit = RippleUnit::kAmperes, s.ripple = 12; }, E::kNone},
      {[](ConverterRequest& s) { s.rippleUnit = RippleUnit::kAmperes, s.ripple = 12.1; }, E::kRipple},
      {[](ConverterRequest& s) { s.fsw_kHz = 1e-3; }, E::kNone},
      {[](ConverterRequest& s) { s.fsw_kHz = 0.9e-3; }, E::kFrequency},
      {[](ConverterRequest& s) { s.fsw_kHz = 1e5; }, E::kNone},
      {[](ConverterRequest& s) { s.fsw_kHz = 1e308; }, E::kFrequency},
      {[](ConverterRequest& s) { s.vd = 2e5; }, E::kDrops},
  };
  for (const auto& c : cases) {
    ConverterRequest s{Topology::kBuck, 9, 16, 5, 6, std::nullopt, RippleUnit::kShare, 0.3, 300, 1, 0, 0};
    c.change(s);
    EXPECT_EQ(CheckRequest(s), c.error) << s.vinMax << " " << s.iout << " " << s.ripple << " " << s.fsw_kHz;
  }
}

class RandomCases : public ::testing::TestWithParam<Topology> {};

TEST_P(RandomCases, RippleWithinTargetOverTheRangeAndAtItAtTheWorstPoint) {
  std::mt19937 rng(20260 + static_cast<int>(GetParam()));
  for (int n = 0; n < kCasesPerTopology; ++n) {
    const ConverterRequest s = RandomRequest(GetParam(), rng);
    SCOPED_TRACE(testing::Message() << "case " << n << " vin " << s.vinMin << ".." << s.vinMax << " vout " << s.vout);
    const DesignResult r = DesignConverter(s);
    ASSERT_EQ(r.error, RequestError::kNone);
    const ConverterDesign& d = r.design;
    const double henry = d.inductance_uH * 1e-6;
    double worstRatio = 0;
    for (int i = 0; i < kSweep; ++i) {
      const double vin = s.vinMin + (s.vinMax - s.vinMin) * i / (kSweep - 1);
      const double ratio = ClosedForm(s, vin, henry).ripple / Target(s, vin);
      EXPECT_LE(ratio, 1 + kRel) << "at " << vin << " V";
      worstRatio = std::max(worstRatio, ratio);
    }
    EXPECT_GT(worstRatio, 1 - 1e-6);  // no larger inductance than needed
    EXPECT_NEAR(ClosedForm(s, d.worst.vin, henry).ripple / Target(s, d.worst.vin), 1, kRel);
    for (const OperatingPoint* p : {&d.atMin, &d.atMax, &d.worst, &d.design}) {
      const Closed c = ClosedForm(s, p->vin, henry);
      EXPECT_NEAR(p->duty, c.duty, kRel);
      EXPECT_NEAR(p->inductorCurrent, c.current, kRel * c.current);
      EXPECT_NEAR(p->ripple, c.ripple, kRel * c.ripple);
      EXPECT_NEAR(p->peakCurrent, c.current + c.ripple / 2, kRel * c.current);
    }
    EXPECT_EQ(d.atMin.vin, s.vinMin);
    EXPECT_EQ(d.atMax.vin, s.vinMax);
    const double peakMin = d.atMin.peakCurrent, peakMax = d.atMax.peakCurrent;
    EXPECT_EQ(d.design.vin, peakMax > peakMin ? s.vinMax : s.vinMin);
  }
}

INSTANTIATE_TEST_SUITE_P(Converter, RandomCases,
                         ::testing::Values(Topology::kBuck, Topology::kBoost, Topology::kBuckBoost));

// The README's two examples (their fields: tests/cli/ConverterCliTest.cpp).
TEST(ConverterExamples, BuckAtItsHighestInputBoostInsideItsRange) {
  ConverterRequest buck;
  buck.vinMin = 9, buck.vinMax = 14, buck.vout = 5, buck.iout = 10, buck.ripple = 0.3, buck.fsw_kHz = 200;
  ConverterRequest boost = buck;
  boost.topology = Topology::kBoost, boost.vinMin = 5, boost.vinMax = 9, boost.vout = 12, boost.iout = 2;
  boost.fsw_kHz = 100, boost.ioutMin = 0.5;
  const struct {
    ConverterRequest request;
    double inductance, worst, design;
    const char* field;
  } cases[] = {{buck, 9.0 * 5 / 14 / 200e3 / 3 * 1e6, 14, 14, "5.358"}, {boost, 64.0 / 3 / 0.72, 8, 5, "29.63"}};
  for (const auto& c : cases) {
    const DesignResult r = DesignConverter(c.request);
    ASSERT_EQ(r.error, RequestError::kNone);
    EXPECT_NEAR(r.design.inductance_uH, c.inductance, 1e-9);
    EXPECT_NEAR(r.design.worst.vin, c.worst, 1e-6);
    EXPECT_EQ(r.design.design.vin, c.design);
    EXPECT_EQ(FieldsFor(c.request, r.design).inductance, c.field);
  }
}

// The points a choke is judged at: the ends, the largest ripple and the
// highest peak current, merged where they coincide, in ascending voltage.
TEST(ConverterPoints, EndsLargestRippleAndHighestCurrent) {
  ConverterRequest boost{.topology = Topology::kBoost,
                         .vinMin = 10,
                         .vinMax = 30,
                         .vout = 48,
                         .iout = 3,
                         .rippleUnit = RippleUnit::kAmperes,
                         .ripple = 2,
                         .fsw_kHz = 100,
                         .efficiency = 0.95};
  ConverterRequest light = boost;
  light.iout = 0.1;
  light.efficiency = 1;
  light.ripple = 0.3;  // within twice the smallest current
  const ConverterRequest buck{.vinMin = 12,
                              .vinMax = 24,
                              .vout = 5,
                              .iout = 3,
                              .rippleUnit = RippleUnit::kAmperes,
                              .ripple = 1,
                              .fsw_kHz = 100};
  const struct {
    ConverterRequest request;
    double inductance;
    std::vector<std::pair<unsigned, double>> points;  // roles, input voltage
  } cases[] = {
      // The ripple peaks inside the range (at Vout / 2), the current at the low end.
      {boost, 60, {{kLowEnd | kHighestCurrent, 10}, {kLargestRipple, 24}, {kHighEnd, 30}}},
      // A light boost: the peak current is highest just below the ripple's point.
      {light, 20, {{kLowEnd, 10}, {kHighestCurrent, 23.139}, {kLargestRipple, 24}, {kHighEnd, 30}}},
      // A buck: everything at the high end.
      {buck, 10, {{kLowEnd, 12}, {kHighEnd | kLargestRipple | kHighestCurrent, 24}}},
  };
  for (const auto& c : cases) {
    const std::vector<RolePoint> points = EvaluationPoints(c.request, c.inductance);
    ASSERT_EQ(points.size(), c.points.size()) << c.inductance;
    for (std::size_t i = 0; i < points.size(); ++i) {
      EXPECT_EQ(points[i].roles, c.points[i].first) << i;
      EXPECT_NEAR(points[i].point.vin, c.points[i].second, 1e-3) << i;
      const OperatingPoint at = PointAt(c.request, points[i].point.vin, c.inductance);
      EXPECT_DOUBLE_EQ(points[i].point.ripple, at.ripple);
    }
  }
  boost.vout = 20;  // below the input: an error gives no points
  EXPECT_TRUE(EvaluationPoints(boost, 60).empty());
}

TEST(ConverterFields, TypedNumbers) {
  const struct {
    double value;
    Rounding rounding;
    const char* text;
  } cases[] = {
      {5.357142857, Rounding::kUp, "5.358"},
      {5.357, Rounding::kUp, "5.357"},
      {29.6296, Rounding::kUp, "29.63"},
      {9.99991, Rounding::kUp, "10"},
      {4.8, Rounding::kNearest, "4.8"},
      {123456, Rounding::kNearest, "123500"},
      {0.25, Rounding::kNearest, "0.25"},
      {0, Rounding::kNearest, "0"},
      {0.0012344, Rounding::kNearest, "0.001234"},
  };
  for (const auto& c : cases) EXPECT_EQ(TypedNumber(c.value, c.rounding), c.text) << c.value;
}

}  // namespace
}  // namespace velmora::converter
