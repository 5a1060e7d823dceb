// SPDX-License-Identifier: GPL-3.0-or-later
// The operating core loss: the DC factor, the composite waveform factor
// against its closed form, and the settled design that uses them.
#include <gtest/gtest.h>

#include <cmath>

#include "InsightFixture.h"
#include "insight/OperatingCoreLoss.h"
#include "insight/TriangleLoss.h"

namespace velmora::insight {
namespace {

// One column (B = 0.1 T) of losses F^alpha(F) over 25 .. 800 kHz: alpha
// `low` up to 200 kHz, `high` above it; Bsat 0.5 T at 25 C, 0.4 T at 100 C.
MaterialRecord PowerLaw(double low, double high) {
  MaterialRecord m;
  m.nF = 6;
  m.nB = 2;
  m.table[0][1] = 0.1;
  m.table[0][2] = 0.2;
  const double F[] = {25, 50, 100, 200, 400, 800};
  for (int r = 0; r < m.nF; ++r) {
    const double f = F[r];
    const double P = f <= 200 ? std::pow(f / 100, low) : std::pow(2.0, low) * std::pow(f / 200, high);
    m.table[r + 1][0] = f;
    m.table[r + 1][1] = 10 * P;
    m.table[r + 1][2] = 60 * P;
  }
  m.Bmax = 0.4;
  m.Bsat25 = 0.5;
  m.Tcurie = 220;
  m.mu = 2000;
  return m;
}

TEST(DcBiasFactor, OneWithoutBiasRisingAndFiniteToSaturation) {
  EXPECT_EQ(DcBiasFactor(0, 0.4), 1);
  EXPECT_EQ(DcBiasFactor(std::nan(""), 0.4), 1);
  double last = 1;
  for (double Bdc : {0.02, 0.05, 0.1, 0.2, 0.3, 0.4}) {
    const double f = DcBiasFactor(Bdc, 0.4);
    EXPECT_GT(f, last) << Bdc;
    last = f;
  }
  EXPECT_DOUBLE_EQ(last, 1 + constants::kDcBiasCoefficient);  // at Bsat
  EXPECT_DOUBLE_EQ(DcBiasFactor(0.8, 0.4), last);             // held there
  EXPECT_DOUBLE_EQ(DcBiasFactor(0.1, 0), last);               // above the Curie point
}

TEST(OperatingCoreLoss, SineTimesWaveformTimesDcFactor) {
  const MaterialRecord m = PowerLaw(1.3, 1.9);
  CoreLossPoint p{150, 0.15, 0.25, 0, 60, DcBiasModel::Ferrite};
  const OperatingCoreLoss none = OperatingCoreLossAt(m, p);
  // No bias: the sine-wave loss times the waveform factor, exactly.
  EXPECT_EQ(none.dcFactor, 1);
  EXPECT_EQ(none.Pv_mW_cm3,
            SpecificLossAt(m, 150, 0.15, 60).Pv_mW_cm3 * CompositeWaveformFactor(m, 150, 0.15, 0.25, 60));
  p.Bdc_T = 0.2;
  const OperatingCoreLoss biased = OperatingCoreLossAt(m, p);
  const double Bsat60 = SaturationAt(m, 60).Bsat_T;
  EXPECT_DOUBLE_EQ(biased.dcRatio, 0.2 / Bsat60);
  EXPECT_DOUBLE_EQ(biased.Pv_mW_cm3, none.Pv_mW_cm3 * DcBiasFactor(0.2, Bsat60));
  // A hotter core saturates lower: the same DC flux costs more.
  p.temperature_C = 100;
  EXPECT_GT(OperatingCoreLossAt(m, p).dcFactor, biased.dcFactor);
  // A material without the ferrite model (powder) gets none.
  p.dcModel = DcBiasModel::None;
  EXPECT_EQ(OperatingCoreLossAt(m, p).dcFactor, 1);
}

TEST(CompositeWaveformFactor, AgainstItsClosedForm) {
  // One frequency exponent: the iGSE at every duty.
  const MaterialRecord single = PowerLaw(1.5, 1.5);
  for (double D : {0.1, 0.2, 0.35, 0.5, 0.8, 0.95})
    EXPECT_NEAR(CompositeWaveformFactor(single, 120, 0.1, D, 100), TriangleWaveformFactor(1.5, D), 1e-9) << D;
  // Two: at 100 kHz and D = 0.2 the short ramp runs at 250 kHz (alpha 2.1),
  // the long one at 62.5 kHz (alpha 1.2):
  //   0.2 P(250)/P(100) k(2.1) + 0.8 P(62.5)/P(100) k(1.2), k at D = 0.5.
  const MaterialRecord two = PowerLaw(1.2, 2.1);
  const double k12 = TriangleWaveformFactor(1.2, 0.5);
  const double k21 = TriangleWaveformFactor(2.1, 0.5);
  const double expected = 0.2 * std::pow(2.0, 1.2) * std::pow(1.25, 2.1) * k21 + 0.8 * std::pow(0.625, 1.2) * k12;
  EXPECT_NEAR(CompositeWaveformFactor(two, 100, 0.1, 0.2, 100), expected, 1e-9);
  EXPECT_NEAR(CompositeWaveformFactor(two, 100, 0.1, 0.8, 100), expected, 1e-9);  // mirrored
  // At D = 0.5 the iGSE itself, and a sine's 1 without a triangle.
  EXPECT_DOUBLE_EQ(CompositeWaveformFactor(two, 150, 0.1, 0.5, 100),
                   TriangleWaveformFactor(FrequencyExponentAt(two, 150, 0.1, 100), 0.5));
  for (double D : {0.0, 1.0, std::nan("")}) EXPECT_EQ(CompositeWaveformFactor(two, 150, 0.1, D, 100), 1);
}

TEST(DcFluxOfField, LinearThenBentToSaturation) {
  const MaterialRecord m = PowerLaw(1.5, 1.5);
  EXPECT_NEAR(DcFluxOfField(m, 1, 100), constants::kMu0SI * 2000, 1e-4 * constants::kMu0SI * 2000);
  EXPECT_NEAR(DcFluxOfField(m, 1e5, 100), 0.4, 1e-9);
  EXPECT_LT(DcFluxOfField(m, 100, 100), constants::kMu0SI * 2000 * 100);
}

TEST_F(DesignTest, SettledCoreLossCarriesTheDcFactor) {
  const DesignReport report = Report();
  const OperatingState& o = report.details.operating;
  const ChokeResults& r = report.results;
  EXPECT_DOUBLE_EQ(o.dcFlux_T, r.Bpk - r.Bac);
  EXPECT_DOUBLE_EQ(o.dcFactor, DcBiasFactor(o.dcFlux_T, SaturationAt(material, o.thermal.temperature_C).Bsat_T));
  EXPECT_GT(o.dcFactor, 1);
  EXPECT_NEAR(o.thermal.core_W, o.coreSine_W * o.waveformFactor * o.dcFactor, 1e-12);
}

}  // namespace
}  // namespace velmora::insight
