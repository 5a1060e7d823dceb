// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The engine's inputs as its tests set them up: a ferrite with a full loss
// table, metric wire tables, the language texts a run shows, and the worked
// example (core Ae 52, An 150, le 57.5; output choke 100 uH, 10 A, 24 V /
// 12 V, 100 kHz, 5 A/mm2, AL 250 nH/turn2, AWG sizes, the no-data material).
#include <gtest/gtest.h>

#include <initializer_list>

#include "calc/Calculate.h"
#include "calc/WireTable.h"
#include "present/ShownResults.h"

namespace velmora::test {

// A ferrite like N87 (B in T, F in kHz, loss in mW/cm3), flux limits 0.39 T
// and `Bmmax`.
inline MaterialRecord Ferrite(double Bmmax = 0.25) {
  MaterialRecord m;
  m.name = "N87 Epcos";
  const double B[] = {0.05, 0.1, 0.2, 0.3};
  const double F[] = {25, 50, 100, 200};
  const double P[4][4] = {{5, 20, 90, 220}, {10, 45, 200, 480}, {25, 110, 480, 1150}, {70, 300, 1300, 3000}};
  m.nB = 4;
  m.nF = 4;
  for (int c = 0; c < 4; ++c) m.table[0][c + 1] = B[c];
  for (int r = 0; r < 4; ++r) {
    m.table[r + 1][0] = F[r];
    for (int c = 0; c < 4; ++c) m.table[r + 1][c + 1] = P[r][c];
  }
  m.Bmax = 0.39;
  m.Bmmax = Bmmax;
  m.mu = 2200;
  return m;
}

// Metric wires of these bare diameters (mm), insulated 10 % thicker.
inline WireTable Metric(std::initializer_list<double> diameters) {
  WireTable t;
  for (double d : diameters) t.entries.push_back({d, d * 1.1, d * d * 3.141592653589793 * 0.25});
  return t;
}

inline constexpr const char* kWireNoticeText = "Wire size of is not in the table, taken";

// The texts a run puts in its labels and messages.
inline LanguageTable EngineTexts() {
  LanguageTable lang;
  lang[kPermittedFluxWord] = "max";
  lang[kMessageCaption] = "Velmora";
  lang[kUnitMilliHenry] = "mH";
  lang[kUnitMicroHenry] = "uH";
  lang[kUnitMillimetre] = "mm";
  lang[kNoDataMaterialName] = "No data";
  lang[kFluxWarning] = "Flux too high";
  lang[kFillWarning] = "Window overfilled";
  lang[kRippleMessage] = "Ripple above twice the current";
  lang[kUnitAwg] = "AWG";
  lang[kWireNotice] = kWireNoticeText;
  return lang;
}

// The window's default inputs: 15 uH, 10 A, 24 V / 12 V, 100 kHz, 7 A/mm2,
// gap 1 mm, wire 1.06 mm.
inline ChokeInputs WindowDefaults() {
  return ChokeInputs{.L = "15",
                     .Inom = "10",
                     .Imin = "2",
                     .voltageSwitchOn = "24",
                     .Udc = "12",
                     .Fc = "100",
                     .j = "7",
                     .gapOrAl = "1",
                     .wireSize = "1.06"};
}

// The worked example; a test changes what it is about.
class ChokeFixture : public ::testing::Test {
 protected:
  ChokeContext Context() { return ChokeContext{core, material, wires, 200.0, lang[kNoDataMaterialName]}; }
  ShownResults Run() { return CalculateShown(in, Context(), lang); }

  CoreRecord core{"E 25/13/7", 52, 150, 57.5, 1800, 57.5 * 52 / 1000};
  MaterialRecord material{.name = "No data", .temperatureTables = {}};
  WireTable wires = BuildAwgTable();
  LanguageTable lang = EngineTexts();
  ChokeInputs in{.L = "100",
                 .Inom = "10",
                 .Imin = "2",
                 .voltageSwitchOn = "24",
                 .Udc = "12",
                 .Fc = "100",
                 .j = "5",
                 .gapOrAl = "250",
                 .wireSize = "20",
                 .gapChoice = 1,
                 .yes_AWG = 1};
};

}  // namespace velmora::test
