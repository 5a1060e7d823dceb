// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh temporary folder for one test, made the current directory while the
// test runs (the program opens its data files by bare names), removed after.
#include <string>
#include <string_view>

namespace velmora::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // Writes bytes exactly as given (no newline translation).
  void write(const std::string& name, std::string_view bytes) const;
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;
  // Copies the shipped data files of share/ into the folder.
  void copyShippedData() const;

 private:
  std::string path_;
  std::string oldCwd_;
};

// Joins lines with CR LF, each line ended.
std::string crlf(std::initializer_list<std::string_view> lines);

}  // namespace velmora::test
