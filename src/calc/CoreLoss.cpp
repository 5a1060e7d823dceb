// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/CoreLoss.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "calc/Constants.h"

namespace velmora {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The part of the table that holds data: frequencies in rows 1..nF, flux
// densities in columns 1..nB, never more than the record can hold.
struct Grid {
  const MaterialRecord::LossGrid& t;
  int nF;
  int nB;

  double F(int r) const { return t[r][0]; }
  double B(int c) const { return t[0][c]; }
  double P(int r, int c) const { return t[r][c]; }
};

// A power law needs at least two points in each direction.
std::optional<Grid> GridOf(const MaterialRecord::LossGrid& table, int rows, int columns) {
  const int nF = std::min(rows, MaterialRecord::kMaxFrequencies);
  const int nB = std::min(columns, MaterialRecord::kMaxFluxDensities);
  if (nF < 2 || nB < 2) return std::nullopt;
  return Grid{table, nF, nB};
}

std::optional<Grid> GridOf(const MaterialRecord& m) { return GridOf(m.table, m.nF, m.nB); }

// Lower index of the bracketing pair among the ascending values v(1)..v(n):
// 1 below the first, n - 1 above the last (the outer pairs extrapolate).
template <typename Value>
int LowerOfPair(double x, int n, Value v) {
  if (x < v(1)) return 1;
  for (int i = 2; i <= n; ++i) {
    if (x < v(i)) return i - 1;
  }
  return n - 1;
}

int FrequencyRow(const Grid& g, double F) {
  return LowerOfPair(F, g.nF, [&](int i) { return g.F(i); });
}

// Loss of column c at F along the power law through rows r and r + 1. At a
// table frequency the exponent meets a ratio of 1 and the entry stands as it
// is. A loss that is not a positive finite number (an empty cell in the
// bracketing rows, a frequency of 0 or below) cannot carry a power law: NaN.
double ColumnLossAt(const Grid& g, int r, int c, double F) {
  const double a = std::log(g.P(r + 1, c) / g.P(r, c)) / std::log(g.F(r + 1) / g.F(r));
  const double Px = g.P(r, c) * std::pow(F / g.F(r), a);
  return (std::isfinite(Px) && Px > 0) ? Px : kNaN;
}

// The power law in B between columns j and j + 1 at the frequency F.
struct FluxLaw {
  double Pj = kNaN;    // loss at B_j
  double beta = kNaN;  // exponent of B
};

FluxLaw FluxLawAt(const Grid& g, int r, int j, double F) {
  FluxLaw law;
  law.Pj = ColumnLossAt(g, r, j, F);
  const double Pj1 = ColumnLossAt(g, r, j + 1, F);
  law.beta = std::log(Pj1 / law.Pj) / std::log(g.B(j + 1) / g.B(j));
  return law;
}

}  // namespace

double FluxAmplitudeAtLossLimit(const MaterialRecord& material, double F, double limit) {
  const std::optional<Grid> grid = GridOf(material);
  if (!grid) return kNaN;
  const Grid& g = *grid;

  const int r = FrequencyRow(g, F);

  // Start below the first column whose tabulated loss exceeds the limit; one
  // further down when the higher frequency has no value in that column.
  int c = g.nB;
  for (int i = 1; i <= g.nB; ++i) {
    if (limit < g.P(r, i)) {
      c = i;
      break;
    }
  }
  int j = c - 1;
  if (g.P(r + 1, c) == 0) --j;
  if (j < 1) j = 1;

  auto amplitude = [&](int col) {
    const FluxLaw law = FluxLawAt(g, r, col, F);
    return g.B(col) * std::pow(limit / law.Pj, 1.0 / law.beta);
  };
  double B = amplitude(j);
  // Walk down while the amplitude lies below the pair's lower flux density;
  // from columns 1 and 2 the value stands even below B_1.
  while (B < g.B(j) && j > 1) {
    --j;
    B = amplitude(j);
  }

  if (material.Bmmax < B) B = material.Bmmax;
  return B;
}

double SpecificLoss(const MaterialRecord::LossGrid& table, int nF, int nB, double F, double Bac) {
  const std::optional<Grid> grid = GridOf(table, nF, nB);
  if (!grid) return kNaN;
  const Grid& g = *grid;

  const int r = FrequencyRow(g, F);
  const int j = LowerOfPair(Bac, g.nB, [&](int i) { return g.B(i); });
  const FluxLaw law = FluxLawAt(g, r, j, F);
  return law.Pj * std::pow(Bac / g.B(j), law.beta);
}

CoreLossEstimate EstimateCoreLoss(const MaterialRecord& material, double F, double Bac, double Ve) {
  CoreLossEstimate estimate;
  estimate.Pv = SpecificLoss(material.table, material.nF, material.nB, F, Bac);
  estimate.Pcore = estimate.Pv / constants::kThousand * Ve;
  return estimate;
}

CoreLossSource DescribeCoreLoss(const MaterialRecord& material, double F, double Bac) {
  CoreLossSource src;
  const std::optional<Grid> grid = GridOf(material);
  if (!grid) return src;
  const Grid& g = *grid;
  src.valid = true;
  src.row = FrequencyRow(g, F);
  src.column = LowerOfPair(Bac, g.nB, [&](int i) { return g.B(i); });
  const FluxLaw law = FluxLawAt(g, src.row, src.column, F);
  for (int i = 0; i < 2; ++i) {
    src.F[i] = g.F(src.row + i);
    src.B[i] = g.B(src.column + i);
    for (int k = 0; k < 2; ++k) {
      const double p = g.P(src.row + i, src.column + k);
      src.P[i][k] = p;
      if (!(std::isfinite(p) && p > 0)) src.missingCell = true;
    }
  }
  src.Px[0] = law.Pj;
  src.Px[1] = ColumnLossAt(g, src.row, src.column + 1, F);
  src.beta = law.beta;
  src.outsideF = F < g.F(1) || F > g.F(g.nF);
  src.outsideB = Bac < g.B(1) || Bac > g.B(g.nB);
  src.firstB = g.B(1);
  src.lastB = g.B(g.nB);
  return src;
}

}  // namespace velmora
