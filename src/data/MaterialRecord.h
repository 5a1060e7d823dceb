// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A core material: its loss table over frequencies and flux-density
// amplitudes, Bmax, Bmmax and its permeability, read from "<name>.txt".
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct MaterialRecord {
  static constexpr int kRows = 20;     // row 0: flux densities; rows 1..19: frequencies
  static constexpr int kColumns = 10;  // column 0: frequencies; columns 1..9: flux densities
  // The most a material file may give (B1..B9, F1..F19): what the table holds
  // beside its header row and column. Further ones in a file are ignored.
  static constexpr int kMaxFluxDensities = kColumns - 1;
  static constexpr int kMaxFrequencies = kRows - 1;

  std::string name = "N87 Epcos";
  // table[0][c]: B_c in T; table[r][0]: F_r in kHz; table[r][c]: loss in mW/cm3.
  double table[kRows][kColumns] = {};
  int nB = 0;
  int nF = 0;
  double Bmax = 0;
  double Bmmax = 0;
  double mu = 0;

  // F_nF, the highest tabulated frequency; 0 when there is none.
  double LastFrequency() const { return nF > 0 ? table[nF][0] : 0.0; }
  bool HasData() const { return nF > 0 || nB > 0; }
};

// Fills the record from the text of a material data file. The table, nB and nF
// are replaced in every case; Bmax, Bmmax and mu one after the other up to the
// first that is missing, which makes the result false. Surplus flux densities
// (over 9) and frequencies (over 19) are ignored.
bool ParseMaterialText(std::string_view text, MaterialRecord& record);
// Reads the file at path (program folder + name + ".txt"); false with the
// record unchanged when it cannot be opened.
bool LoadMaterialData(const std::string& path, MaterialRecord& record);

// The names of "Materials.txt": "Mat1", "Mat2", ... up to the first empty name,
// or up to and including the first name that can be no file name.
std::vector<std::string> ParseMaterialList(std::string_view text);

}  // namespace velmora
