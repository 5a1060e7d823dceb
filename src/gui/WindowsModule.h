// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own windows beside the main window (the design details with
// their plots, the core adviser, the converter, the MAS dialogs and the
// report's export) live in a module of their own, "velmora-windows.so",
// which the program loads on the first command that needs one of them: most
// starts open none, and then Qt Charts and Qt Svg are never loaded. The
// module and the program are built from the same sources in one build, so
// the interface below is plain C++.
#include "app/DesignWindows.h"

namespace velmora {

struct DetailsConfig;

class ModuleDesignWindows : public DesignWindows {
 public:
  // The details window is open and shown (for measurements).
  virtual bool DetailsShown() const = 0;
};

// The module's one entry point, by this name: the windows, which keep the
// details' settings in `config` (read before, written after by the program).
using CreateDesignWindows = ModuleDesignWindows* (*)(DetailsConfig& config);
inline constexpr const char* kWindowsModuleEntry = "velmora_create_design_windows";
inline constexpr const char* kWindowsModuleFile = "velmora-windows.so";

}  // namespace velmora
