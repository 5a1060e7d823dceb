// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Running a program of the build through the shell, as a user's terminal
// would, with its output and error text read back.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace velmora::test {

struct CliRun {
  int exit = -1;
  std::string out, err;
};

// The text as one single-quoted shell word.
inline std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs the command line with its output and error text captured in files of
// the folder, which are removed again.
inline CliRun RunShell(const std::string& command, const TempDir& dir) {
  const std::string out = dir.path() + "/cli.out", err = dir.path() + "/cli.err";
  const int status = std::system((command + " > " + Quote(out) + " 2> " + Quote(err)).c_str());
  CliRun r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, dir.read("cli.out"), dir.read("cli.err")};
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return r;
}

}  // namespace velmora::test
