// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ae, An and le of a core from its dimensions (mm).
#include <optional>
#include <string>

namespace velmora {

struct DimensionTexts {
  std::string A, B, C, D, H, h, I;
};

struct CoreGeometry {
  double Ae = 0, An = 0, le = 0;
  std::string AeText, AnText, leText;  // "%.2f", "%.2f", "%.1f"
  DimensionTexts dims;                 // the dimension texts with "," replaced by "."
};

// Nothing when a dimension that the shape needs is empty (checked in the order
// A, B, C, then D, H, h, then I for EI), or for shape other.
std::optional<CoreGeometry> ComputeCoreGeometry(int shape, const DimensionTexts& dims);

}  // namespace velmora
