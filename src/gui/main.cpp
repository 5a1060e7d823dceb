// SPDX-License-Identifier: GPL-3.0-or-later
// velmora: the inductor calculator's window.
//   velmora [--dir DIR]
// The data files are opened in the working folder (see WorkingFolder.h).
// With VELMORA_QUIT_AFTER_STARTUP=1 (or --quit-after-startup) the window
// closes as soon as it has come up calculated, for start-up measurements;
// with VELMORA_OPEN_DETAILS=1 too, once the details window is up (exit 1 when
// the module of that window cannot be loaded).
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "app/Version.h"
#include "app/WorkingFolder.h"
#include "gui/WindowsOnDemand.h"
#include "settings/DetailsConfig.h"
#include "textfile/FileIO.h"
#include "textfile/Limits.h"
#include "ui/qt/QtHost.h"

#ifndef VELMORA_HELPER_DIR_FROM_PROGRAM
#define VELMORA_HELPER_DIR_FROM_PROGRAM "../libexec/velmora"
#endif

namespace {

constexpr const char* kUsage =
    "Usage: velmora [--dir DIR]\n"
    "  --dir DIR   the folder of the data files (default: the current folder when it holds\n"
    "              Materials.txt, else the user's data folder, filled on first start)\n"
    "Without a display use velmora-cli, which runs the same window and prints it.\n";

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// Qt needs a platform to draw on: an X or Wayland display, or one named in
// QT_QPA_PLATFORM or with -platform.
bool HasDisplay(int argc, char** argv) {
  if (Set("DISPLAY") || Set("WAYLAND_DISPLAY") || Set("QT_QPA_PLATFORM")) return true;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0) return true;
  return false;
}

// The windows' module lies with velmora-report, relative to the program's folder.
std::string WindowsModulePath() {
  return QDir::cleanPath(QApplication::applicationDirPath() + "/" + VELMORA_HELPER_DIR_FROM_PROGRAM + "/" +
                         velmora::kWindowsModuleFile)
      .toStdString();
}

// One round of events shows and paints the window, as in the plain Qt form
// the start-up is measured against (bench/startup); the next round would
// paint it a second time for Qt's own update after the show.
void QuitWhenDrawn(velmora::CVelmoraDlg& dlg, velmora::WindowsOnDemand& windows, bool waitForDetails) {
  QApplication::processEvents();
  if (waitForDetails) {
    if (!windows.DetailsShown() && !windows.LoadFailed()) {
      QTimer::singleShot(0, [&dlg, &windows] { QuitWhenDrawn(dlg, windows, true); });
      return;
    }
    QApplication::processEvents();  // the details window's first paint
  }
  dlg.EndDialog(velmora::ui::IDOK);
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<std::string> dir;
  bool quitAfterStartUp = Set("VELMORA_QUIT_AFTER_STARTUP");
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (arg == "--version") {
      std::cout << "velmora " << velmora::kProgramVersion << "\n";
      return 0;
    }
    if (arg == "--dir" && i + 1 < argc) dir = argv[++i];
    else if (arg == "--quit-after-startup") quitAfterStartUp = true;
  }
  if (!HasDisplay(argc, argv)) {
    std::cerr << "velmora: no display to show the window on; run velmora-cli instead "
                 "(for example: velmora-cli calc)\n";
    return 1;
  }

  QApplication app(argc, argv);
  velmora::ui::QtHost host;

  std::string folder, error;
  if (!velmora::EnterWorkingFolder(dir, velmora::CurrentEnvironment(argv[0]), &folder, &error)) {
    std::cerr << "velmora: " << error << "\n";
    QMessageBox::critical(nullptr, "Velmora", QString::fromStdString(error));
    return 2;
  }

  velmora::DetailsConfig detailsConfig;
  velmora::ReadDetailsConfig(velmora::kDetailsConfigFile, detailsConfig);
  velmora::WindowsOnDemand designWindows(WindowsModulePath(), detailsConfig, !quitAfterStartUp);
  const bool openDetails = Set("VELMORA_OPEN_DETAILS");  // for screenshots and measurements
  velmora::CVelmoraApp velmoraApp(host);
  velmoraApp.InitInstance([&](velmora::CVelmoraDlg& dlg) {
    dlg.SetDesignWindows(&designWindows);
    dlg.Model().KeepDetailsConfig(&detailsConfig);  // written on exit, a failure told in a box
    // Message boxes answer in the window's language, as it stands at each box.
    host.SetButtonTexts([&dlg] {
      return velmora::ui::QtHost::ButtonTexts{dlg.Model().Lang()[velmora::kOkButton],
                                              dlg.Model().Lang()[velmora::kCancelButton]};
    });
    if (openDetails) designWindows.OpenDetailsAfterFirstPaint(dlg);
    if (!quitAfterStartUp) return;
    // Runs inside the modal loop, once the window is up and drawn (and the
    // details window too, when it was asked for).
    QTimer::singleShot(0, [&dlg, &designWindows, openDetails] { QuitWhenDrawn(dlg, designWindows, openDetails); });
  });
  // A window closed without Exit (a measurement of the start-up) still keeps
  // Details.cfg as the exit does; a failed write loses no design.
  if (quitAfterStartUp &&
      velmora::ReadWholeFile(velmora::kDetailsConfigFile, velmora::constants::kMaxSettingsFileBytes) !=
          velmora::SerializeDetailsConfig(detailsConfig) &&
      !velmora::WriteDetailsConfig(detailsConfig, velmora::kDetailsConfigFile))
    std::cerr << "velmora: could not write " << velmora::kDetailsConfigFile << "\n";
  return quitAfterStartUp && designWindows.LoadFailed() ? 1 : 0;
}
