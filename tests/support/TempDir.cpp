// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TempDir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace velmora::test {

TempDir::TempDir() {
  std::string tmpl = (fs::temp_directory_path() / "velmora-test-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  path_ = tmpl;
  oldCwd_ = fs::current_path().string();
  fs::current_path(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::current_path(oldCwd_, ec);
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

void TempDir::write(const std::string& name, std::string_view bytes) const {
  std::ofstream out(fs::path(path_) / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempDir::read(const std::string& name) const {
  std::ifstream in(fs::path(path_) / name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool TempDir::exists(const std::string& name) const { return fs::exists(fs::path(path_) / name); }

void TempDir::copyShippedData() const {
  const fs::path share = fs::path(VELMORA_SOURCE_DIR) / "share";
  for (const auto& e : fs::directory_iterator(share))
    if (e.is_regular_file())
      fs::copy_file(e.path(), fs::path(path_) / e.path().filename(),
                    fs::copy_options::overwrite_existing);
}

std::string crlf(std::initializer_list<std::string_view> lines) {
  std::string s;
  for (auto l : lines) {
    s += l;
    s += "\r\n";
  }
  return s;
}

}  // namespace velmora::test
