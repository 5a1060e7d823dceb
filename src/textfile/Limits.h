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
// ---- the largest file each reader takes ----------------------------------------
// Each reader measures its file on the opened descriptor before it reads or
// reserves anything, and refuses a larger one as a file it cannot read: no
// file, whatever size it claims (a sparse file of 50 GB), costs more memory
// than its limit.

// Inductor.ini, the design files and Details.cfg: the file buffer of 100,000
// bytes that these files' format was made for; every file written for them
// is under 1 KB.
inline constexpr std::size_t kMaxSettingsFileBytes = 100'000;
// A material data file: the 10,000 bytes its format was made for; the
// shipped ones hold about 5,000 (loss tables of 19 frequencies by 9 flux
// densities at most).
inline constexpr std::size_t kMaxMaterialFileBytes = 10'000;
// BaseCores.txt: a record takes about 120 bytes, so 64 MiB hold the 50,000
// cores a list shows about ten times over.
inline constexpr std::size_t kMaxCoreDatabaseBytes = std::size_t{64} << 20;
// The texts and lists the program only reads: a language file, a help text,
// Materials.txt and Wire.txt. The shipped ones are under 20 KB; a language
// file of 5 MB, a 1 MB Materials.txt and a long help text are read as ever.
inline constexpr std::size_t kMaxTextFileBytes = std::size_t{16} << 20;

// Longest name of a folder entry on the file systems the program runs on.
inline constexpr std::size_t kMaxFileNameBytes = 255;

}  // namespace velmora::constants
