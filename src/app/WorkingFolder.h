// SPDX-License-Identifier: GPL-3.0-or-later
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
  std::string home;         // $HOME, empty when unset
  std::string exePath;      // the running program
  // The shipped data folder relative to the running program's folder; empty
  // for the programs on the PATH. A helper program elsewhere sets its own.
  std::string dataDirFromExe;
};

// How the program treats the user's data folder.
enum class DataFolderUse {
  kFill,      // the window: made and filled with the shipped files on first start
  kReadOnly,  // the command line: read when it holds data, else the shipped files are read in place
};

// The environment of this process; argv0 stands in for the program's path
// when the system does not tell it.
WorkingFolderEnv CurrentEnvironment(const char* argv0);

// The user's data folder: $XDG_DATA_HOME/velmora, else $HOME/.local/share/velmora.
// A relative or empty variable is ignored; empty when neither names an
// absolute folder.
std::string UserDataFolder(const WorkingFolderEnv& env);

// dir when given; else the current folder when it holds "Materials.txt";
// else the user's data folder. Read-only, the user's data folder only when
// it holds "Materials.txt", else the first shipped data folder that does.
// Empty when there is none.
std::string ChooseWorkingFolder(const std::optional<std::string>& dir, const WorkingFolderEnv& env,
                                DataFolderUse use = DataFolderUse::kFill);

// Where the data files installed with the program are looked for: the data
// folder at its place relative to the program's folder (dataDirFromExe, or
// the place the build gives the programs when empty), the same in the build
// tree and in an installation.
std::vector<std::string> ShippedDataFolders(const std::string& exePath, const std::string& dataDirFromExe = "");

// Creates the folder when it is missing and, while it holds no
// "Materials.txt", copies into it every file of the first source folder that
// holds one; a file the folder already has is never replaced. False (with
// the reason) when the folder cannot be made.
bool FillUserDataFolder(const std::string& folder, const std::vector<std::string>& sources, std::string* error);

// All of the above, then changes into the chosen folder. False (with the
// reason) when that fails; folder receives the chosen folder. Read-only,
// nothing is created or written.
bool EnterWorkingFolder(const std::optional<std::string>& dir, const WorkingFolderEnv& env, std::string* folder,
                        std::string* error, DataFolderUse use = DataFolderUse::kFill);

}  // namespace velmora
