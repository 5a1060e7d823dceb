// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's texts are Windows-1251; the windows of this folder show them
// through this one conversion.
#include <QString>
#include <string>

#include "textfile/Cp1251.h"

namespace velmora::gui {

inline QString FromCp1251(const std::string& cp1251) { return QString::fromStdString(Cp1251TextToUtf8(cp1251)); }

}  // namespace velmora::gui
