#include "app/WorkingFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "calc/Constants.h"

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
  // A relative XDG_DATA_HOME is invalid and ignored.
  if (!env.xdgDataHome.empty() && fs::path(env.xdgDataHome).is_absolute())
    return (fs::path(env.xdgDataHome) / "velmora").string();
  return (fs::path(env.home) / ".local" / "share" / "velmora").string();
}

std::string ChooseWorkingFolder(const std::optional<std::string>& dir, const WorkingFolderEnv& env) {
  if (dir) return *dir;
  if (HoldsMaterialList(env.currentDir)) return env.currentDir;
  return UserDataFolder(env);
}

std::vector<std::string> ShippedDataFolders(const std::string& exePath) {
  std::vector<std::string> folders;
#ifdef VELMORA_SHARE_INSTALL_DIR
  folders.push_back(VELMORA_SHARE_INSTALL_DIR);
#endif
#ifdef VELMORA_SHARE_SOURCE_DIR
  folders.push_back(VELMORA_SHARE_SOURCE_DIR);
#endif
  if (!exePath.empty())
    folders.push_back((fs::path(exePath).parent_path().parent_path() / "share" / "velmora").string());
  return folders;
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
                        std::string* error) {
  const std::string chosen = ChooseWorkingFolder(dir, env);
  if (folder) *folder = chosen;
  if (!dir && chosen != env.currentDir && !FillUserDataFolder(chosen, ShippedDataFolders(env.exePath), error))
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
