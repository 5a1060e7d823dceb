// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window on the headless side over a copy of the shipped data, for
// the tests that put faults beside it or into it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/VelmoraDlg.h"
#include "support/TempDir.h"
#include "ui/HeadlessHost.h"

namespace velmora::test {

class ShippedWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { dir.copyShippedData(); }

  // A new window on the host, its start-up run.
  CVelmoraDlg& Start() {
    dlg = std::make_unique<CVelmoraDlg>(*host_);
    dlg->Create();
    return *dlg;
  }
  // A new host for the next window: nothing queued, nothing shown.
  void NewHost() {
    dlg.reset();
    host_ = std::make_unique<ui::HeadlessHost>();
  }
  ui::HeadlessHost& host() const { return *host_; }
  // A message box whose text begins with `start` was shown.
  bool Shown(const std::string& start) const {
    for (const auto& box : host_->shown())
      if (box.text.rfind(start, 0) == 0) return true;
    return false;
  }

  TempDir dir;
  std::unique_ptr<CVelmoraDlg> dlg;

 private:
  std::unique_ptr<ui::HeadlessHost> host_ = std::make_unique<ui::HeadlessHost>();
};

}  // namespace velmora::test
