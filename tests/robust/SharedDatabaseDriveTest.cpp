// SPDX-License-Identifier: GPL-3.0-or-later
// Several processes, each with two windows on one working folder, add and
// delete cores at once. Every change is applied to the file as it stands on
// disk under the folder's lock, so at the end the database holds exactly the
// records that were added and not deleted, each whole, and no window lost
// another's work.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "data/CoreDatabase.h"
#include "support/TempDir.h"
#include "ui/HeadlessHost.h"

namespace velmora {
namespace {

using namespace ids;

constexpr int kProcesses = 3;
constexpr int kWindows = 2;
constexpr int kAddsPerWindow = 12;

std::string NameOf(int process, int window, int i) {
  return "E " + std::to_string(process) + "-" + std::to_string(window) + "-" + std::to_string(i);
}
bool Deleted(int i) { return i % 3 == 0; }

int IndexOf(const CVelmoraDlg& w, const std::string& name) {
  const auto& items = w.Item(IDC_COMBO_CORE)->items;
  for (std::size_t k = 0; k < items.size(); ++k)
    if (items[k] == name) return static_cast<int>(k);
  return -1;
}

// One process's share: its windows take turns; false when a window failed.
bool Drive(int process) {
  std::vector<std::unique_ptr<ui::HeadlessHost>> hosts;
  std::vector<std::unique_ptr<CVelmoraDlg>> windows;
  for (int w = 0; w < kWindows; ++w) {
    hosts.push_back(std::make_unique<ui::HeadlessHost>());
    windows.push_back(std::make_unique<CVelmoraDlg>(*hosts.back()));
    windows.back()->Create();
    if (windows.back()->Model().StartUpFailed()) return false;
  }
  for (int i = 0; i < kAddsPerWindow; ++i) {
    for (int w = 0; w < kWindows; ++w) {
      CVelmoraDlg& dlg = *windows[w];
      const std::string name = NameOf(process, w, i);
      dlg.UserClick(IDC_SHAPE_E);
      dlg.UserClick(IDC_CHECK_ADD_DATA);
      dlg.UserType(IDC_COMBO_CORE, name);
      dlg.UserType(IDC_DATA_AE, "50");
      dlg.UserType(IDC_DATA_AN, "60");
      dlg.UserType(IDC_DATA_LE, "50");
      dlg.UserType(IDC_DATA_MU, "1000");
      dlg.UserClick(IDC_ADD_CORE);
      if (dlg.GetCheck(IDC_CHECK_ADD_DATA)) return false;  // refused
      if (!Deleted(i)) continue;
      const int index = IndexOf(dlg, name);
      if (index < 0) return false;
      dlg.UserSelect(IDC_COMBO_CORE, index);
      hosts[w]->QueueAnswer(ui::IDOK);
      dlg.UserClick(IDC_DELETE_CORE);
      if (IndexOf(dlg, name) >= 0) return false;
    }
  }
  return true;
}

TEST(SharedDatabaseDrive, ProcessesAndWindowsChangingOneDatabaseLoseNothing) {
  test::TempDir dir;
  dir.copyShippedData();
  const std::string before = dir.read("BaseCores.txt");

  std::vector<pid_t> children;
  for (int p = 0; p < kProcesses; ++p) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) ::_exit(Drive(p) ? 0 : 1);
    children.push_back(pid);
  }
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a window's change was refused or lost";
  }

  // The shipped records first, unchanged, then the survivors, each in its
  // six-line layout, and nothing else.
  const std::string after = dir.read("BaseCores.txt");
  ASSERT_EQ(after.compare(0, before.size(), before), 0);
  std::set<std::string> expected;
  for (int p = 0; p < kProcesses; ++p)
    for (int w = 0; w < kWindows; ++w)
      for (int i = 0; i < kAddsPerWindow; ++i)
        if (!Deleted(i)) expected.insert(FormatCoreRecord(NameOf(p, w, i), "50", "60", "50", "1000"));
  std::string rest = after.substr(before.size());
  std::set<std::string> found;
  for (std::size_t pos = 0; pos < rest.size();) {
    const std::size_t next = rest.find("\r\n\r\n", pos);
    ASSERT_NE(next, std::string::npos) << rest.substr(pos);
    found.insert(rest.substr(pos, next + 4 - pos));
    pos = next + 4;
  }
  EXPECT_EQ(found, expected);
}

}  // namespace
}  // namespace velmora
