#pragma once
// The folder the program works in: the data files are opened by bare names
// there, so the program changes into it before the window starts.
#include <optional>
#include <string>
#include <vector>

namespace velmora {

struct WorkingFolderEnv {
  std::string currentDir;   // the process's current directory
  std::string xdgDataHome;  // $XDG_DATA_HOME, empty when unset
  std::string home;         // $HOME
  std::string exePath;      // the running program
};

// The environment of this process; argv0 stands in for the program's path
// when the system does not tell it.
WorkingFolderEnv CurrentEnvironment(const char* argv0);

// The user's data folder: $XDG_DATA_HOME/velmora, else ~/.local/share/velmora.
std::string UserDataFolder(const WorkingFolderEnv& env);

// dir when given; else the current folder when it holds "Materials.txt";
// else the user's data folder.
std::string ChooseWorkingFolder(const std::optional<std::string>& dir, const WorkingFolderEnv& env);

// Where the data files installed with the program are looked for, in order:
// the install folder, the source tree's share/, and <program folder>/../share/velmora.
std::vector<std::string> ShippedDataFolders(const std::string& exePath);

// Creates the folder when it is missing and, while it holds no
// "Materials.txt", copies into it every file of the first source folder that
// holds one; a file the folder already has is never replaced. False (with
// the reason) when the folder cannot be made.
bool FillUserDataFolder(const std::string& folder, const std::vector<std::string>& sources, std::string* error);

// All of the above, then changes into the chosen folder. False (with the
// reason) when that fails; folder receives the chosen folder.
bool EnterWorkingFolder(const std::optional<std::string>& dir, const WorkingFolderEnv& env, std::string* folder,
                        std::string* error);

}  // namespace velmora
