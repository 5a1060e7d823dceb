// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A core material: its loss table over frequencies and flux-density
// amplitudes, Bmax, Bmmax and its permeability, read from "<name>.txt", and
// where the file gives them its saturation flux density at 25 C and its
// Curie temperature.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The maker's fit of the permeability under DC bias (Magnetics):
// mu(H) = mu_i * 0.01 / (a + b |H|^c), H in A/m; a = 0.01 gives mu(0) = mu_i.
struct RollOffFit {
  double a = 0, b = 0, c = 0;
};

// What the section "[Powder]" of a material file gives.
struct PowderData {
  bool present = false;  // a usable roll-off fit was read
  RollOffFit rollOff;
  double alTolerance = 0;  // relative, the maker's AL tolerance of its cores; 0 when absent
  // mu_i(T) = mu_i (1 + a + b T + c T^2 + d T^3 + e T^4), T in C; none for
  // materials the maker gives no curve for.
  bool hasTemperatureCoefficients = false;
  std::array<double, 5> temperatureCoefficients{};
  // Cells of the loss table beyond the range of the maker's fit, as "f/B"
  // texts of the grid (kHz/mT).
  std::vector<std::string> outsideFit;
};
// Fills record.powder from the section "[Powder]" of a material file's text;
// record.powder is reset first, and stays without roll-off when the section
// is absent, names another fit than "magnetics" or gives no usable numbers.
struct MaterialRecord;
void ReadPowderSection(std::string_view text, MaterialRecord& record);

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
  // "Bsat25" (T) and "Tcurie" (C): 0 when the file lacks them or holds no
  // usable value (older files); the saturation then follows Bmax alone.
  double Bsat25 = 0;
  double Tcurie = 0;

  // The roll-off of a powder material under DC bias: a section "[Powder]"
  // after the file's last line, read line by line (PowderSection.cpp), which
  // older programs never look at. Without it the material is a ferrite.
  PowderData powder{};
  // A distributed gap whose permeability rolls off with the field: the core
  // record's own permeability takes no part, and no loss factor of a
  // ferrite under DC bias applies.
  bool hasRollOff() const { return powder.present; }

  using LossGrid = double[kRows][kColumns];
  // The temperature of the table the file has always held (the maker's
  // tables are given at 100 C, where ferrite for power is usually at its least loss).
  static constexpr double kTableTemperature = 100.0;
  // Tables over temperature a record keeps at most: the shipped files hold
  // five besides their own; a file of 10,000 bytes cannot hold many more.
  static constexpr std::size_t kMaxTemperatureTables = 16;
  // A table at another temperature, on the same grid: table[0][c] and
  // table[r][0] as in `table`, the losses at that temperature in mW/cm3.
  struct TemperatureTable {
    double temperature_C = 0;
    LossGrid table = {};
  };
  // Ascending in temperature, without the file's own table; complete tables
  // only (a missing or non-positive cell drops its table).
  std::vector<TemperatureTable> temperatureTables;

  // F_nF, the highest tabulated frequency; 0 when there is none.
  double LastFrequency() const { return nF > 0 ? table[nF][0] : 0.0; }
  bool HasData() const { return nF > 0 || nB > 0; }
  // Bsat25 and Tcurie both usable: a positive flux density and a Curie
  // point above the table temperature.
  bool HasSaturationData() const { return Bsat25 > 0 && Tcurie > kTableTemperature; }
};

// The makers give the saturation flux density at 25 C and at 100 C (Bmax);
// between them it falls about linearly.
inline constexpr double kSaturationLowTemperature = 25.0;  // C

// The saturation flux density of a material at a core temperature.
struct SaturationPoint {
  double Bsat_T = 0;
  bool extrapolated = false;  // above 100 C: the line towards 0 at the Curie point
  bool fromBmax = false;      // the file gives no Bsat25/Tcurie: Bmax at every temperature
};
// Linear between Bsat25 at 25 C and Bmax at 100 C (held at Bsat25 below 25 C,
// where ferrite saturates higher still); above 100 C the lower of that line
// and the line from Bmax at 100 C to 0 at the Curie temperature, flagged as
// extrapolated; 0 from the Curie temperature on. A NaN temperature gives NaN.
SaturationPoint SaturationAt(const MaterialRecord& material, double temperature_C);

// Fills the record from the text of a material data file. The table, nB, nF,
// Bsat25 and Tcurie are replaced in every case (the last two 0 when absent); Bmax, Bmmax and mu one after the other up
// to the first that is missing, which makes the result false. Surplus flux densities (over 9) and frequencies (over 19)
// are ignored.
bool ParseMaterialText(std::string_view text, MaterialRecord& record);
// The sections "[Loss at T C]" of a material file: one key "L<f>/<B>" per
// cell, f and B the texts of the grid (frequencyTexts with ',' made '.',
// fluxTexts as written). Fills record.temperatureTables.
void ReadTemperatureTables(std::string_view text, const std::vector<std::string>& frequencyTexts,
                           const std::vector<std::string>& fluxTexts, MaterialRecord& record);
// Reads the file at path (program folder + name + ".txt"); false with the
// record unchanged when it cannot be opened.
bool LoadMaterialData(const std::string& path, MaterialRecord& record);

// The names of "Materials.txt": "Mat1", "Mat2", ... up to the first empty name,
// or up to and including the first name that can be no file name.
std::vector<std::string> ParseMaterialList(std::string_view text);

}  // namespace velmora
