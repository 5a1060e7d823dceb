// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A ferrite with a full loss table, a metric wire table and an E 25 core:
// the designs the insight tests describe.
#include <initializer_list>
#include <string>

#include "calc/Calculate.h"
#include "calc/WireTable.h"
#include "insight/DesignDetails.h"

namespace velmora::insight {

inline MaterialRecord Ferrite() {
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
  m.Bmmax = 0.25;
  m.mu = 2200;
  return m;
}

inline WireTable Metric(std::initializer_list<double> diameters) {
  WireTable t;
  for (double d : diameters) t.entries.push_back({d, d * 1.1, d * d * 3.141592653589793 * 0.25});
  return t;
}

inline LanguageTable Texts() {
  LanguageTable lang;
  lang[kPermittedFluxWord] = "max";
  lang[kMessageCaption] = "Velmora";
  lang[kUnitMillimetre] = "mm";
  lang[kNoDataMaterialName] = "No data";
  return lang;
}

// 47 uH, 5 A, 24 V / 12 V output choke at 100 kHz, 5 A/mm2, gap 0.5 mm.
class DesignTest : public ::testing::Test {
 protected:
  ChokeInputs in{.L = "47", .Inom = "5", .Imin = "1", .Uimpulsa = "24", .Udc = "12",
                 .Fc = "100", .j = "5", .zazor = "0.5", .dprov = "0.5"};
  CoreRecord core{"E 25/13/7", 52.5, 76.2, 57.5, 1591, 57.5 * 52.5 / 1000};
  MaterialRecord material = Ferrite();
  WireTable wires = Metric({0.2, 0.315, 0.4, 0.5, 0.63, 0.8, 1.0, 1.25});
  LanguageTable lang = Texts();
  CoreExtras extras{};

  ChokeContext Context() { return ChokeContext{core, material, wires, lang, 200.0, lang[kNoDataMaterialName]}; }
  DesignReport Report(const InsightOptions& options = {}) {
    return ComputeDesignReport(in, Context(), extras, options);
  }
};

}  // namespace velmora::insight
