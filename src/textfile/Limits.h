// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a data file can make the program hold, each limit with its reason.
// Files beside the program may come from anyone: these keep a file of
// endless values from costing memory or time per lookup.
#include <cstddef>

namespace velmora::constants {

// Longest value a lookup returns for a name or a number; a longer value is
// cut. No name or number the program writes comes near it.
inline constexpr std::size_t kMaxValueBytes = 4096;
// Longest language text; a help-like message may run to a few screens.
inline constexpr std::size_t kMaxLanguageTextBytes = 65536;
// Longest name of a folder entry on the file systems the program runs on.
inline constexpr std::size_t kMaxFileNameBytes = 255;

}  // namespace velmora::constants
