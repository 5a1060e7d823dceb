// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "app/VelmoraDlg.h"
#include "cli/AdviseCommand.h"
#include "settings/SettingsRecord.h"

namespace velmora::cli {

// The adviser on the workspace of a started window, for the inputs in
// settings (as the window read them, before its first calculation), with the
// limits and AL tolerances of options; the materials are those of the
// workspace's list. Prints the listing; returns the exit status, with error
// set on a usage error (status 2).
int RunAdvise(const CVelmoraDlg& dlg, const SettingsRecord& settings, const AdviseArgs& args,
              const insight::InsightOptions& options, std::string& error);

}  // namespace velmora::cli
