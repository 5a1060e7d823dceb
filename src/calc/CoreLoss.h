// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Power-law (log-log) interpolation in a material's loss table.
#include "data/MaterialRecord.h"

namespace velmora {

// The flux-density amplitude (T) at which the specific loss at F (kHz) reaches
// the limit (mW/cm3), never above Bmmax. A table with fewer than 2 frequencies
// or flux densities gives NaN.
double FluxAmplitudeAtLossLimit(const MaterialRecord& material, double F, double limit);

struct CoreLossEstimate {
  double Pv = 0;     // mW/cm3
  double Pcore = 0;  // W
};
// Specific loss at F (kHz) and Bac (T), and the loss of a core of Ve cm3.
CoreLossEstimate EstimateCoreLoss(const MaterialRecord& material, double F, double Bac, double Ve);

// The specific loss (mW/cm3) at F and Bac of a table laid out as
// MaterialRecord::table with nF rows and nB columns: EstimateCoreLoss's
// interpolation on another table of the same grid.
double SpecificLoss(const MaterialRecord::LossGrid& table, int nF, int nB, double F, double Bac);

// Where EstimateCoreLoss takes the loss at (F, Bac) from: the two table rows
// and two table columns of the power laws, the four table entries, and the
// losses of the two columns carried to F. Indices are 1-based as in the table;
// a table with fewer than 2 rows or columns gives valid = false.
struct CoreLossSource {
  bool valid = false;
  int row = 0;                   // rows row and row + 1
  int column = 0;                // columns column and column + 1
  double F[2] = {};              // kHz, table[row][0] and table[row + 1][0]
  double B[2] = {};              // T, table[0][column] and table[0][column + 1]
  double P[2][2] = {};           // mW/cm3, P[i][k] = table[row + i][column + k]
  double Px[2] = {};             // mW/cm3, column and column + 1 carried to F
  double beta = 0;               // exponent of B between the two columns
  bool outsideF = false;         // F below the first or above the last table frequency
  bool outsideB = false;         // Bac below the first or above the last flux density
  bool missingCell = false;      // one of the four entries is not a positive number
  double firstB = 0, lastB = 0;  // T, the table's flux range
};
CoreLossSource DescribeCoreLoss(const MaterialRecord& material, double F, double Bac);

}  // namespace velmora
