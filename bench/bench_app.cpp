// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on the headless side with a core database of 10,000
// cores: a shape switch (list refilled, core shown, calculation) and adding
// and deleting a core (database text rewritten and written whole, list
// refilled). Each should stay well under a frame (16 ms).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "ui/HeadlessHost.h"

namespace {

using namespace velmora;
using namespace velmora::ids;
namespace fs = std::filesystem;

constexpr int kCores = 10000;

void Write(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

// 10,000 cores: half of them E cores (the longest list), the rest spread
// over EI, ER, ETD, R and other shapes.
std::string BigCoreDatabase() {
  static const char* kPrefixes[] = {"E ", "E ", "E ", "E ", "E ", "EI ", "ER ", "ETD ", "R ", "PQ "};
  std::string db;
  db.reserve(kCores * 70);
  for (int i = 0; i < kCores; ++i) {
    db += "[";
    db += kPrefixes[i % 10];
    db += std::to_string(10 + i % 90) + "/" + std::to_string(i) + "]\r\nAe = " + std::to_string(40 + i % 60) +
          "\r\nAn = 90\r\nle = 60\r\nmu = 2000\r\n\r\n";
  }
  return db;
}

// A folder with the data files, current while the window lives.
class Fixture {
 public:
  Fixture() {
    std::string tmpl = (fs::temp_directory_path() / "velmora-bench-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) std::abort();
    path_ = tmpl;
    old_ = fs::current_path();
    fs::current_path(path_);
    Write("English.lng", "[TITLE]\r\ntitle = Velmora\r\nversion = V\r\n[BASE CORES]\r\ns28 = Delete?\r\n"
                         "[OTHERS]\r\ns8 = Attention\r\ns18 = mm\r\ns21 = No data\r\n");
    Write("Materials.txt", "Mat1 = N87 Epcos\r\n");
    Write("N87 Epcos.txt", "[Flux density]\r\nB1 = 100\r\nB2 = 200\r\n[Frequencies]\r\nF1 = 25\r\nF2 = 500\r\n"
                           "[F_25]\r\nB_100 = 5\r\nB_200 = 20\r\n[F_500]\r\nB_100 = 200\r\nB_200 = 800\r\n"
                           "Bmax = 0.39\r\nBmmax = 0.3\r\nmu = 2200\r\n");
    Write("Wire.txt", "d1 = 0.5\r\ndiz1 = 0.55\r\nd2 = 1.06\r\ndiz2 = 1.12\r\nd3 = 2.5\r\ndiz3 = 2.6\r\n");
    Write("BaseCores.txt", BigCoreDatabase());
    dlg = std::make_unique<CVelmoraDlg>(host);
    dlg->Create();
  }
  ~Fixture() {
    dlg.reset();
    fs::current_path(old_);
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  ui::HeadlessHost host;
  std::unique_ptr<CVelmoraDlg> dlg;

 private:
  fs::path path_, old_;
};

void BM_ShapeSwitch(benchmark::State& state) {
  Fixture f;
  bool toE = false;
  for (auto _ : state) {
    f.dlg->UserClick(toE ? IDC_SHAPE_E : IDC_SHAPE_ETD);
    toE = !toE;
    f.host.ClearShown();
  }
}
BENCHMARK(BM_ShapeSwitch)->Unit(benchmark::kMillisecond);

void AddCore(Fixture& f, int n) {
  f.dlg->UserClick(IDC_CHECK_ADD_DATA);
  f.dlg->UserType(IDC_COMBO_CORE, "Bench " + std::to_string(n));
  f.dlg->UserType(IDC_DATA_AE, "52");
  f.dlg->UserType(IDC_DATA_AN, "90");
  f.dlg->UserType(IDC_DATA_LE, "60");
  f.dlg->UserType(IDC_DATA_MU, "2000");
  f.dlg->UserClick(IDC_ADD_CORE);
}

void DeleteSelected(Fixture& f) {
  f.host.QueueAnswer(ui::IDOK);
  f.dlg->UserClick(IDC_DELETE_CORE);
}

void BM_AddCore(benchmark::State& state) {
  Fixture f;
  f.dlg->UserClick(IDC_SHAPE_E);
  int n = 0;
  for (auto _ : state) {
    AddCore(f, ++n);
    state.PauseTiming();
    DeleteSelected(f);
    f.host.ClearShown();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AddCore)->Unit(benchmark::kMillisecond);

void BM_DeleteCore(benchmark::State& state) {
  Fixture f;
  f.dlg->UserClick(IDC_SHAPE_E);
  int n = 0;
  for (auto _ : state) {
    state.PauseTiming();
    AddCore(f, ++n);
    f.host.ClearShown();
    state.ResumeTiming();
    DeleteSelected(f);
  }
}
BENCHMARK(BM_DeleteCore)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
