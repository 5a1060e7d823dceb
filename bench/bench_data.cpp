// SPDX-License-Identifier: GPL-3.0-or-later
// The core list of one shape from a core database of about 1 MB.
#include <benchmark/benchmark.h>

#include <string>

#include "data/CoreDatabase.h"

namespace {

// 10,000 records, the six shapes in turn.
std::string LargeDatabase() {
  const char* stems[] = {"E ", "EI ", "ER ", "ETD ", "R ", "PQ "};
  std::string db;
  for (int i = 0; i < 10000; ++i)
    db += velmora::FormatCoreRecord(std::string(stems[i % 6]) + std::to_string(i) +
                                        "/13/7 ferrite core of the large test database",
                                    "52.50", "60.00", "57.5", "2000");
  return db;
}

void BM_ListCoreNames(benchmark::State& state) {
  const std::string db = LargeDatabase();
  const int shape = static_cast<int>(state.range(0));
  for (auto _ : state) {
    auto names = velmora::ListCoreNames(db, shape);
    benchmark::DoNotOptimize(names);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(db.size()));
  state.counters["db_bytes"] = static_cast<double>(db.size());
}
BENCHMARK(BM_ListCoreNames)
    ->ArgName("shape")
    ->DenseRange(velmora::kShapeE, velmora::kShapeOther)
    ->Unit(benchmark::kMicrosecond);

void BM_ReadLastCore(benchmark::State& state) {
  const std::string db = LargeDatabase();
  for (auto _ : state) {
    auto texts = velmora::ReadCoreTexts(db, "PQ 9995/13/7 ferrite core of the large test database");
    benchmark::DoNotOptimize(texts);
  }
}
BENCHMARK(BM_ReadLastCore)->Unit(benchmark::kMicrosecond);

// A file of any content: a stray byte, then "E " repeated up to one ']'. Every
// "E " is a candidate entry that turns out to stand on no name line; a scan
// that looks back to the line's start for each one is quadratic in the size.
std::string HostileDatabase(std::size_t bytes) {
  std::string db = "x";
  while (db.size() + 3 <= bytes) db += "E ";
  return db + "]";
}

void BM_ListHostile(benchmark::State& state) {
  const std::string db = HostileDatabase(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    for (int shape = velmora::kShapeE; shape <= velmora::kShapeOther; ++shape) {
      auto names = velmora::ListCoreNames(db, shape);
      benchmark::DoNotOptimize(names);
    }
  }
  state.counters["db_bytes"] = static_cast<double>(db.size());
}
// The figure is for all six shapes together.
BENCHMARK(BM_ListHostile)->ArgName("bytes")->Arg(200000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
