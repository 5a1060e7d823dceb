// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WorkingFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "calc/Constants.h"

// The data folder's place relative to the programs' folder; the build sets it
// from its install folders.
#ifndef VELMORA_DATA_DIR_FROM_PROGRAM
#define VELMORA_DATA_DIR_FROM_PROGRAM "../share/velmora"
#endif

namespace velmora {

namespace fs = std::filesystem;

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool HoldsMaterialList(const fs::path& folder) {
  std::error_code ec;
  return fs::is_regular_file(folder / constants::kMaterialListFile, ec);
}

}  // namespace

WorkingFolderEnv CurrentEnvironment(const char* argv0) {
  WorkingFolderEnv env;
  std::error_code ec;
  env.currentDir = fs::current_path(ec).string();
  env.xdgDataHome = Env("XDG_DATA_HOME");
  env.home = Env("HOME");
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) env.exePath = self.string();
  else if (argv0) env.exePath = fs::absolute(argv0, ec).string();
  return env;
}

std::string UserDataFolder(const WorkingFolderEnv& env) {
  // The XDG rules: a relative or empty path is invalid and ignored.
  if (fs::path(env.xdgDataHome).is_absolute()) return (fs::path(env.xdgDataHome) / "velmora").string();
  if (fs::path(env.home).is_absolute()) return (fs::path(env.home) / ".local" / "share" / "velmora").string();
  return "";
}

std::string ChooseWorkingFolder(const std::optional<std::string>& dir, const WorkingFolderEnv& env, DataFolderUse use) {
  if (dir) return *dir;
  if (HoldsMaterialList(env.currentDir)) return env.currentDir;
  const std::string user = UserDataFolder(env);
  if (use == DataFolderUse::kFill) return user;
  if (!user.empty() && HoldsMaterialList(user)) return user;
  for (const std::string& shipped : ShippedDataFolders(env.exePath, env.dataDirFromExe))
    if (HoldsMaterialList(shipped)) return shipped;
  return "";
}

std::vector<std::string> ShippedDataFolders(const std::string& exePath, const std::string& dataDirFromExe) {
  // The build puts the data files at the same place relative to the programs
  // in the build tree as the installation does, so no other path is needed.
  if (exePath.empty()) return {};
  const fs::path fromExe = dataDirFromExe.empty() ? fs::path(VELMORA_DATA_DIR_FROM_PROGRAM) : fs::path(dataDirFromExe);
  return {(fs::path(exePath).parent_path() / fromExe).lexically_normal().string()};
}

bool FillUserDataFolder(const std::string& folder, const std::vector<std::string>& sources, std::string* error) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec || !fs::is_directory(folder, ec)) {
    if (error) *error = "cannot create the folder " + folder + (ec ? ": " + ec.message() : "");
    return false;
  }
  if (HoldsMaterialList(folder)) return true;
  for (const std::string& source : sources) {
    if (!HoldsMaterialList(source)) continue;
    for (fs::directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
      std::error_code fileEc;
      if (!it->is_regular_file(fileEc)) continue;
      const fs::path target = fs::path(folder) / it->path().filename();
      if (fs::exists(target, fileEc)) continue;  // the user's own file stays
      fs::copy_file(it->path(), target, fs::copy_options::skip_existing, fileEc);
      // Installed files may be read-only; the user's copies are the user's.
      fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, fileEc);
    }
    break;
  }
  return true;
}

bool EnterWorkingFolder(const std::optional<std::string>& dir, const WorkingFolderEnv& env, std::string* folder,
                        std::string* error, DataFolderUse use) {
  const std::string chosen = ChooseWorkingFolder(dir, env, use);
  if (folder) *folder = chosen;
  if (chosen.empty()) {
    if (error)
      *error = use == DataFolderUse::kFill
                   ? "no user data folder: neither XDG_DATA_HOME nor HOME names an absolute folder; give one with --dir"
                   : "no data files found: neither here, nor in the user's data folder, nor installed; give a "
                     "folder with --dir";
    return false;
  }
  if (!dir && use == DataFolderUse::kFill && chosen != env.currentDir &&
      !FillUserDataFolder(chosen, ShippedDataFolders(env.exePath, env.dataDirFromExe), error))
    return false;
  std::error_code ec;
  fs::current_path(chosen, ec);
  if (ec) {
    if (error) *error = "cannot enter the folder " + chosen + ": " + ec.message();
    return false;
  }
  return true;
}

}  // namespace velmora
