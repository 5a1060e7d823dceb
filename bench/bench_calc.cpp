// SPDX-License-Identifier: GPL-3.0-or-later
// One whole choke calculation, every label text formatted: a ferrite with a
// full loss table, the metric wire table, gap mode. The window runs it on
// every keystroke-triggered command, so it has to stay far below a frame.
#include <benchmark/benchmark.h>

#include <string>

#include "calc/Calculate.h"
#include "calc/CoreLoss.h"
#include "calc/WireTable.h"
#include "insight/DesignDetails.h"
#include "present/ShownResults.h"

namespace {

using namespace velmora;

// N87: flux densities in T, frequencies in kHz, specific loss in mW/cm3.
MaterialRecord N87() {
  MaterialRecord m;
  m.name = "N87 Epcos";
  const double B[] = {0.013, 0.025, 0.05, 0.1, 0.2, 0.3};
  const double F[] = {25, 50, 100, 200, 300, 500, 700, 1000};
  const double P[8][6] = {{0.0259, 0.115, 0.74, 6.32, 60.36, 169.2}, {0.0837, 0.37, 2.39, 17.48, 141.2, 426},
                          {0.274, 1.21, 7.82, 50.7, 392.9, 1186},    {1.4, 6.2, 30, 175, 1200, 3621},
                          {3.63, 16.05, 68.98, 374.8, 2650, 7996},   {11.54, 51.01, 219.3, 1097, 7758, 23409},
                          {25.76, 105.7, 454.9, 2279, 16114, 48621}, {60.72, 244.1, 1004, 6076, 42966, 129646}};
  m.nB = 6;
  m.nF = 8;
  for (int c = 0; c < m.nB; ++c) m.table[0][c + 1] = B[c];
  for (int r = 0; r < m.nF; ++r) {
    m.table[r + 1][0] = F[r];
    for (int c = 0; c < m.nB; ++c) m.table[r + 1][c + 1] = P[r][c];
  }
  m.Bmax = 0.39;
  m.Bmmax = 0.19;
  m.mu = 2200;
  return m;
}

// The shipped N87 with its tables over temperature (the same 100 C table as
// above), as the details' settling loop reads them.
MaterialRecord ShippedN87() {
  MaterialRecord m = N87();
  LoadMaterialData(std::string(VELMORA_SOURCE_DIR) + "/share/N87 Epcos.txt", m);
  return m;
}

// 0.05 mm to 2.5 mm in the usual steps, as "Wire.txt" lists them.
WireTable MetricWires() {
  const double d[] = {0.05, 0.063, 0.08, 0.1,  0.112, 0.125, 0.14, 0.16, 0.18, 0.2,  0.224, 0.25, 0.28, 0.315, 0.355,
                      0.4,  0.45,  0.5,  0.56, 0.63,  0.71,  0.75, 0.8,  0.85, 0.9,  0.95,  1.0,  1.06, 1.12,  1.18,
                      1.25, 1.32,  1.4,  1.5,  1.6,   1.7,   1.8,  1.9,  2.0,  2.12, 2.24,  2.36, 2.5};
  std::string text;
  int i = 1;
  for (double v : d) {
    const std::string n = std::to_string(i++);
    text.append("d").append(n).append(" = ").append(std::to_string(v)).append("\r\n");
    text.append("diz").append(n).append(" = ").append(std::to_string(v * 1.1)).append("\r\n");
  }
  return ParseWireTable(text);
}

LanguageTable Texts() {
  LanguageTable lang;
  lang[kPermittedFluxWord] = "max";
  lang[kMessageCaption] = "Velmora";
  lang[kUnitMilliHenry] = "mH";
  lang[kUnitMicroHenry] = "uH";
  lang[kUnitMillimetre] = "mm";
  lang[kNoDataMaterialName] = "No data";
  lang[kFluxWarning] = "The peak flux density exceeds the permitted one";
  lang[kFillWarning] = "The winding does not fit into the window";
  lang[kRippleMessage] = "The ripple exceeds twice the nominal current";
  lang[kWireNotice] = "The wire of is not in the table; the nearest larger one is taken:";
  return lang;
}

ChokeInputs Inputs() {
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

void Run(benchmark::State& state, ChokeInputs in) {
  CoreRecord core{"E 25/13/7", 52.5, 60, 57.5, 1800, 57.5 * 52.5 / 1000};
  MaterialRecord material = N87();
  const WireTable wires = MetricWires();
  const LanguageTable lang = Texts();
  const ChokeContext context{core, material, wires, 200.0, lang[kNoDataMaterialName]};
  for (auto _ : state) {
    ShownResults r = CalculateShown(in, context, lang);
    benchmark::DoNotOptimize(r);
  }
}

void BM_CalculateGapMode(benchmark::State& state) { Run(state, Inputs()); }
BENCHMARK(BM_CalculateGapMode);

// Desired wire size that the table lacks (the notice is built), AL mode.
void BM_CalculateAlModeWithNotice(benchmark::State& state) {
  ChokeInputs in = Inputs();
  in.gapChoice = 1;
  in.gapOrAl = "250";
  in.use_D = 1;
  in.wireSize = "1,07";
  Run(state, in);
}
BENCHMARK(BM_CalculateAlModeWithNotice);

// Calculate and the figures behind it (winding, losses, the temperature the
// choke settles at, loss model and curve, waveform, worst case with its two
// gap runs), as the details window and calc --details ask for them after
// every calculation.
void BM_CalculateWithDetails(benchmark::State& state) {
  CoreRecord core{"E 25/13/7", 52.5, 60, 57.5, 1800, 57.5 * 52.5 / 1000};
  MaterialRecord material = ShippedN87();
  const WireTable wires = MetricWires();
  const LanguageTable lang = Texts();
  const ChokeContext context{core, material, wires, 200.0, lang[kNoDataMaterialName]};
  const ChokeInputs in = Inputs();
  const CoreExtras extras{45.6, 3048, 17.9};
  for (auto _ : state) {
    ShownResults r = CalculateShown(in, context, lang);
    insight::DesignDetails details = insight::DescribeDesign(in, context, r, extras);
    benchmark::DoNotOptimize(r);
    benchmark::DoNotOptimize(details);
  }
}
BENCHMARK(BM_CalculateWithDetails);

// The two loss-table lookups of a run on their own.
void BM_CoreLossLookups(benchmark::State& state) {
  MaterialRecord m = N87();
  for (auto _ : state) {
    double b = FluxAmplitudeAtLossLimit(m, 100, 200);
    CoreLossEstimate e = EstimateCoreLoss(m, 100, 0.1, 3);
    benchmark::DoNotOptimize(b);
    benchmark::DoNotOptimize(e);
  }
}
BENCHMARK(BM_CoreLossLookups);

}  // namespace

BENCHMARK_MAIN();
