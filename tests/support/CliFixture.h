// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// velmora-cli run in a temporary folder that holds a copy of the shipped data
// (and no user data folder), and the fields of its JSON output.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "support/ShellRun.h"
#include "support/TempDir.h"

namespace velmora::test {

class ShippedCliTest : public ::testing::Test {
 public:
  void SetUp() override { dir.copyShippedData(); }

  CliRun Run(const std::vector<std::string>& args) {
    std::string cmd = "XDG_DATA_HOME=" + Quote(dir.path() + "/no-user-data") + " " + Quote(VELMORA_CLI);
    for (const auto& a : args) cmd += " " + Quote(a);
    return RunShell(cmd, dir);
  }

  TempDir dir;
};

// The text of the first "name": value after `from` (a string without its
// quotes, or a number); "(absent)" when there is none.
inline std::string Field(const std::string& json, const std::string& name, const std::string& from = "") {
  const std::size_t start = from.empty() ? 0 : json.find(from);
  if (start == std::string::npos) return "(absent)";
  std::smatch m;
  const std::string rest = json.substr(start);
  if (!std::regex_search(rest, m, std::regex("\"" + name + "\": (\"([^\"]*)\"|[^,}]*)"))) return "(absent)";
  return m[2].matched ? m[2].str() : m[1].str();
}

}  // namespace velmora::test
