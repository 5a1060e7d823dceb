// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// AC resistance of the winding for the choke's triangular ripple: Dowell's
// one-dimensional field model (P. L. Dowell, Proc. IEE 113(8), 1966) for a
// winding of m layers, round wire as a square conductor of the same area
// with the layer's porosity (J. A. Ferreira, IEEE Trans. Power Electron.
// 9(1), 1994), at each harmonic of the ripple.
#include <array>
#include <string_view>

namespace velmora::insight {

// Harmonics of the ripple taken one by one; the rest of the ripple's power
// (0.02 % of it at D = 0.5, 0.1 % at D = 0.1, 0.5 % at D = 0.05) goes at
// the factor of the next one.
inline constexpr int kRippleHarmonics = 10;

// The squared RMS values of harmonics 1 .. kRippleHarmonics of a triangular
// ripple of dI_A peak to peak that rises for `duty` of the period:
// Ik = dI sin(k pi D) / (k^2 pi^2 D (1 - D)) (amplitude), Ik^2 / 2 each.
std::array<double, kRippleHarmonics> RippleHarmonicsSquared(double dI_A, double duty);

// Dowell's resistance factor Rac / Rdc of a winding of `layers` layers at the
// penetration ratio Delta (layer thickness over skin depth):
//   Delta [M + 2 (m^2 - 1) / 3 D],
//   M = (sinh 2Delta + sin 2Delta) / (cosh 2Delta - cos 2Delta),
//   D = (sinh Delta - sin Delta) / (cosh Delta + cos Delta).
double DowellFactor(double penetration, double layers);

// The penetration ratio of round wire of diameter d_mm in a layer of
// porosity eta at skin depth delta_mm: (pi/4)^(3/4) d / delta sqrt(eta).
double PenetrationRatio(double d_mm, double skinDepth_mm, double porosity);

// The breadth of the winding (the height of the window along which a layer
// runs) estimated from the usable window area An: a window 2.7 times as tall
// as wide (see kWindowAspect); a ring's hole a circle of area An, the layer
// running round its circumference.
double EstimateBreadth_mm(std::string_view coreName, double An_mm2);

// How the wire lies in the window.
struct WindingLayout {
  double breadth_mm = 0;
  bool breadthEstimated = false;
  double layers = 0;    // whole layers of N * n wires side by side
  double porosity = 0;  // bare over outer diameter
};
WindingLayout LayoutOf(double breadth_mm, bool breadthEstimated, double turns, double parallel, double d_mm,
                       double outer_mm);

// The AC part of the copper loss of one design: the ripple's harmonics and
// the layout. AcFactor is the ripple's loss over its loss in the DC
// resistance (>= 1); the copper loss is Rdc (Inom^2 + rippleSquared AcFactor).
struct AcCopperModel {
  std::array<double, kRippleHarmonics> harmonicsSquared{};
  double rippleSquared = 0;  // dI^2 / 12, the ripple's RMS squared
  double layers = 0;
  double porosity = 0;
  double d_mm = 0;
  double AcFactor(double skinDepth_mm) const;
};
AcCopperModel AcCopperModelOf(double dI_A, double duty, const WindingLayout& layout, double d_mm);

}  // namespace velmora::insight
