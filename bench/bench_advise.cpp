// SPDX-License-Identifier: GPL-3.0-or-later
// The core adviser's sweep: every selectable core of the shipped database with
// every material, for the window's default inputs. Items per second are
// candidates per second (each is two runs of the calculation).
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "advise/Advise.h"

namespace {

using namespace velmora;

std::string Shipped(const std::string& name) {
  std::ifstream in(std::string(VELMORA_SOURCE_DIR) + "/share/" + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

int Compare(std::string_view a, std::string_view b) { return a.compare(b); }

advise::AdviseData ShippedData() {
  advise::AdviseData data;
  data.cores = advise::SelectableCores(Shipped("BaseCores.txt"), Compare);
  data.materials =
      advise::LoadMaterials(std::string(VELMORA_SOURCE_DIR) + "/share/", ParseMaterialList(Shipped("Materials.txt")));
  data.wires = ParseWireTable(Shipped("Wire.txt"));
  ParseLanguageText(Shipped("English.lng"), data.lang);
  data.lossLimit = 200.0;
  return data;
}

advise::AdviseQuery Defaults() {
  advise::AdviseQuery q;
  q.inputs = ChokeInputs{.L = "15",
                         .Inom = "10",
                         .Imin = "2",
                         .voltageSwitchOn = "24",
                         .Udc = "12",
                         .Fc = "100",
                         .j = "7",
                         .gapOrAl = "1",
                         .wireSize = "1.06"};
  return q;
}

// The whole shipped sweep, ranked: its time is the adviser's time on the
// shipped data. As the window's first sweep ("Feasible only") and the command
// line without --all make it, the pairs without a buildable gap unsettled;
// with range(0) 1 settled too, as for --all. range(1) 0 leaves the powder
// materials out: the ferrite-only sweep the powder pairs are measured against.
void BM_SweepShipped(benchmark::State& state) {
  advise::AdviseData data = ShippedData();
  if (state.range(1) == 0) std::erase_if(data.materials, [](const MaterialRecord& m) { return m.hasRollOff(); });
  advise::AdviseQuery query = Defaults();
  query.infeasibleSettled = state.range(0) != 0;
  std::size_t candidates = 0;
  for (auto _ : state) {
    std::vector<advise::Candidate> all = advise::Sweep(query, data);
    candidates += all.size();
    benchmark::DoNotOptimize(all);
  }
  state.SetItemsProcessed(static_cast<int64_t>(candidates));
}
BENCHMARK(BM_SweepShipped)
    ->ArgNames({"infeasibleSettled", "powder"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// Loading what a sweep reads: the core list and the ten loss tables.
void BM_LoadShippedData(benchmark::State& state) {
  for (auto _ : state) {
    advise::AdviseData data = ShippedData();
    benchmark::DoNotOptimize(data);
  }
}
BENCHMARK(BM_LoadShippedData)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
