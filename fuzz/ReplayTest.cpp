// SPDX-License-Identifier: GPL-3.0-or-later
// Every kept fuzz input, replayed through its target in the ordinary build:
// the seed corpus (the shipped data files) and the inputs of past findings.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "FuzzTargets.h"

namespace velmora::fuzz {
namespace {

namespace fs = std::filesystem;

// The input being replayed, named when a target aborts on it.
char g_current[512] = "";

void SayWhichInput(int sig) {
  const char head[] = "\nfuzz input that failed: ";
  (void)!::write(2, head, sizeof head - 1);
  (void)!::write(2, g_current, std::strlen(g_current));
  (void)!::write(2, "\n", 1);
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

std::vector<fs::path> InputsOf(const std::string& target) {
  std::vector<fs::path> files;
  for (const char* kind : {"corpus", "regressions"}) {
    const fs::path dir = fs::path(VELMORA_SOURCE_DIR) / "fuzz" / kind / target;
    if (!fs::is_directory(dir)) continue;
    for (const auto& e : fs::directory_iterator(dir))
      if (e.is_regular_file()) files.push_back(e.path());
  }
  return files;
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Replay : public ::testing::TestWithParam<Target> {};

TEST_P(Replay, KeptInputsPassTheirTarget) {
  std::signal(SIGABRT, SayWhichInput);
  const auto files = InputsOf(GetParam().name);
  ASSERT_FALSE(files.empty()) << "no seed inputs for " << GetParam().name;
  for (const fs::path& file : files) {
    std::snprintf(g_current, sizeof g_current, "%s", file.string().c_str());
    const std::string bytes = ReadBytes(file);
    EXPECT_EQ(GetParam().fn(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0);
    // Every prefix of a kept input too: files cut short are outside data as well.
    for (std::size_t n = 0; n < bytes.size(); n += 1 + bytes.size() / 64)
      GetParam().fn(reinterpret_cast<const std::uint8_t*>(bytes.data()), n);
  }
  std::signal(SIGABRT, SIG_DFL);
}

INSTANTIATE_TEST_SUITE_P(Fuzz, Replay, ::testing::ValuesIn(kTargets),
                         [](const ::testing::TestParamInfo<Target>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora::fuzz
