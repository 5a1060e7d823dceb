// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A ferrite with a full loss table, a metric wire table and an E 25 core:
// the designs the insight tests describe (support/ChokeFixture.h).
#include "insight/DesignDetails.h"
#include "support/ChokeFixture.h"

namespace velmora::insight {

using test::Ferrite;
using test::Metric;

// 47 uH, 5 A, 24 V / 12 V output choke at 100 kHz, 5 A/mm2, gap 0.5 mm.
class DesignTest : public test::ChokeFixture {
 protected:
  DesignTest() {
    in = ChokeInputs{.L = "47",
                     .Inom = "5",
                     .Imin = "1",
                     .voltageSwitchOn = "24",
                     .Udc = "12",
                     .Fc = "100",
                     .j = "5",
                     .gapOrAl = "0.5",
                     .wireSize = "0.5"};
    core = CoreRecord{"E 25/13/7", 52.5, 76.2, 57.5, 1591, 57.5 * 52.5 / 1000};
    material = Ferrite();
    wires = Metric({0.2, 0.315, 0.4, 0.5, 0.63, 0.8, 1.0, 1.25});
  }
  DesignReport Report(const InsightOptions& options = {}) {
    return ComputeDesignReport(in, Context(), extras, options);
  }

  CoreExtras extras{};
};

}  // namespace velmora::insight
