// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fuzz targets: each takes one input and returns 0; a broken invariant
// aborts. Built into a libFuzzer program each (FuzzMain.cpp), and replayed on
// the kept inputs by the test program test_fuzz_replay.
#include <cstddef>
#include <cstdint>

namespace velmora::fuzz {

using TargetFn = int (*)(const std::uint8_t* data, std::size_t size);

int FuzzKeyedText(const std::uint8_t* data, std::size_t size);
int FuzzSettings(const std::uint8_t* data, std::size_t size);
int FuzzLanguage(const std::uint8_t* data, std::size_t size);
int FuzzMaterial(const std::uint8_t* data, std::size_t size);
int FuzzWire(const std::uint8_t* data, std::size_t size);
int FuzzCoreDb(const std::uint8_t* data, std::size_t size);
int FuzzCalculate(const std::uint8_t* data, std::size_t size);
int FuzzCp1251(const std::uint8_t* data, std::size_t size);
int FuzzHuge(const std::uint8_t* data, std::size_t size);
int FuzzReport(const std::uint8_t* data, std::size_t size);
int FuzzDetailsConfig(const std::uint8_t* data, std::size_t size);
int FuzzMas(const std::uint8_t* data, std::size_t size);
int FuzzDialogFonts(const std::uint8_t* data, std::size_t size);

struct Target {
  const char* name;  // folder name under fuzz/corpus and fuzz/regressions
  TargetFn fn;
};

inline constexpr Target kTargets[] = {
    {"keyed_text", FuzzKeyedText}, {"settings", FuzzSettings}, {"language", FuzzLanguage},
    {"material", FuzzMaterial},    {"wire", FuzzWire},         {"core_db", FuzzCoreDb},
    {"calculate", FuzzCalculate},  {"cp1251", FuzzCp1251},     {"huge", FuzzHuge},
    {"details_config", FuzzDetailsConfig},
    {"mas", FuzzMas},
#ifdef VELMORA_FUZZ_REPORT
    {"report", FuzzReport},
    {"dialog_fonts", FuzzDialogFonts},
#endif
};

}  // namespace velmora::fuzz
