// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The QApplication of a test program that shows Qt widgets: made by the first
// suite that needs it, on the offscreen platform unless a platform is set,
// and destroyed when that suite ends (not at exit, after Qt's own statics).
#include <QApplication>
#include <memory>

namespace velmora::test {

class QtApp {
 public:
  static void Start() {
    if (qApp) return;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  static void Stop() { app_.reset(); }

 private:
  static inline std::unique_ptr<QApplication> app_;
};

}  // namespace velmora::test
