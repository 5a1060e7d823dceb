// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fixed numbers of the design details, each with the reason for its value.
#include <limits>

namespace velmora::insight::constants {

// A figure the inputs do not allow (no wire, no loss data, an empty field).
inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// --- Inductance under DC bias -------------------------------------------------
// The inductance curve of a design runs from 0 to 1.5 times the peak current
// (where a ferrite's saturation or the roll-off shows) in 60 steps.
inline constexpr double kCurveCurrentSpan = 1.5;
inline constexpr int kCurveSteps = 60;
// Below half of its initial permeability at the peak current a powder core
// has left its useful range (makers design to 50 ... 80 % retained): a caution.
inline constexpr double kRetainedPermeabilityCaution = 0.5;
// A ferrite's permeability under bias, an estimate (Froehlich-Kennelly):
// B = mu0 mu H / (1 + mu0 mu H / Bsat), so the secant permeability falls as
// mu (1 - B / Bsat). The bisection for B stops after 60 halvings of [0, Bsat).
inline constexpr int kSaturationBisections = 60;

// --- Copper -----------------------------------------------------------------
// Resistivity of annealed copper at 20 C (IEC 60028 standard: 1/58 ohm mm2/m).
inline constexpr double kCopperResistivity20 = 1.724e-8;     // ohm m
inline constexpr double kCopperReferenceTemperature = 20.0;  // C
// Temperature coefficient of the resistance of copper near 20 C.
inline constexpr double kCopperTemperatureCoefficient = 0.00393;  // 1/K
// The shipped loss tables are taken at 100 C; the winding of a choke that
// runs near that core temperature is about as hot.
inline constexpr double kDefaultWindingTemperature = 100.0;  // C
// The air around the choke when nothing else is said: inside an enclosure
// of power electronics 40 C is the usual design ambient.
inline constexpr double kDefaultAmbient = 40.0;  // C
// The settling temperature is sought up to 200 C: above it ferrite nears its
// Curie temperature (200-240 C for the shipped materials) and enamel and
// coil formers their limits (class 180-200); no solution below means the
// choke runs away.
inline constexpr double kSettleUpperTemperature = 200.0;  // C
// The bisection ends when the bracket is 0.1 K wide, well inside the
// accuracy of the rise relation.
inline constexpr double kSettleTolerance = 0.1;  // K
// The first step of the search for the first solution above the ambient:
// the loss curves change slope over tens of kelvin, so two solutions
// closer than 10 K are not met.
inline constexpr double kSettleScanStep = 10.0;  // K
// A scan point is passed over on the floor of the losses only when the
// floor's rise clears it by this much: far above the rounding of the loss
// sums (1e-12 K), far below the bisection's tolerance.
inline constexpr double kFloorMargin_K = 1e-6;  // K
// No temperature lies below absolute zero.
inline constexpr double kAbsoluteZero_C = -273.15;
// Local exponents of the loss (iGSE): a centred difference over 5 % either
// side, small against the table's steps (a factor of 1.5 to 2) yet far
// above rounding.
inline constexpr double kSlopeStep = 1.05;
// The loss of a ferrite under a DC flux density Bdc grows as
// 1 + k (Bdc / Bsat(T))^n (premagnetisation, see README "Core loss under DC
// bias"): k and n fitted jointly with a Steinmetz base and the waveform
// factor to measured points of two MnZn ferrites (3F4, N30; biased up to
// Bdc/Bsat = 0.33), each material's log error weighing alike. Up to Bsat the
// factor stays finite (1 + k); above a third of Bsat it is an extrapolation.
inline constexpr double kDcBiasCoefficient = 5.0;
inline constexpr double kDcBiasExponent = 2.25;
// Permeability of free space in H/m, for the skin depth and the DC flux of a field.
inline constexpr double kMu0SI = 4e-7 * 3.141592653589793;
// Above two skin depths the current crowds to the wire's surface and the AC
// resistance rises noticeably above the DC value.
inline constexpr double kSkinDiameterRatioNote = 2.0;

// --- Tolerances ---------------------------------------------------------------
// AL of a gapped ferrite set is usually specified to +-10 %, of an ungapped
// set (the material's permeability alone) to +-25 %; a ground gap to about
// +-0.02 mm (common catalogue values of the core makers).
inline constexpr double kDefaultAlTolerance = 0.10;
inline constexpr double kDefaultAlToleranceUngapped = 0.25;
inline constexpr double kDefaultGapTolerance = 0.02;  // mm
// The temperature rise a design may reach: 50 K over a 40 C ambient keeps a
// ferrite choke near the 100 C at which the loss tables are taken.
inline constexpr double kDefaultRiseLimit = 50.0;  // K
// Nobody grinds a gap below about 0.05 mm: there the gap's own tolerance
// (about +-0.02 mm) is the design.
inline constexpr double kDefaultMinGap = 0.05;  // mm

// --- The checks ---------------------------------------------------------------
// The saturation flux density is the knee of the B-H curve (the makers take
// it at H = 1200 A/m, where the amplitude permeability has already fallen to
// a tenth); near it the inductance collapses. The peak flux is held 20 %
// below it, a common design rule for ferrite power chokes; 0 to 50 % may be asked.
inline constexpr double kDefaultFluxMargin = 0.20;
inline constexpr double kMaxFluxMargin = 0.50;
// The ripple's AC copper loss above a quarter of the copper loss is worth a
// finer stranding or fewer layers.
inline constexpr double kAcLossShareCaution = 0.25;
// Strands of at most two skin depths carry the ripple with little crowding.
inline constexpr double kStrandSkinDepths = 2.0;
// Above 1 mm the fringing field around the gap reaches into the winding
// nearest the gap and heats it; that loss is not modelled.
inline constexpr double kFringingGapCaution = 1.0;  // mm

// --- Temperature rise (free air, natural convection) -------------------------
// McLyman's empirical fit: rise = 450 * (P / At)^0.826 K, P in W, At the
// outer surface of the wound core in cm2.
inline constexpr double kRiseCoefficient = 450.0;
inline constexpr double kRiseExponent = 0.826;
// McLyman's surface estimate At = Ks * sqrt(Ap) cm2 from the area product
// Ap = Ae * An (cm4), with Ks by core type.
inline constexpr double kSurfaceKsToroid = 32.5;
inline constexpr double kSurfaceKsPot = 33.8;
inline constexpr double kSurfaceKsLamination = 41.3;

// --- Mean length of a turn, estimated from Ae and An -------------------------
// A square centre leg of side sqrt(Ae) and a window filled across its width
// w: the mean turn lies at half the build, 4 sqrt(Ae) + pi w. The winding
// windows of the shipped cores are about 2.7 times as tall as wide (An being
// the usable part), so w = sqrt(An / 2.7).
inline constexpr double kWindowAspect = 2.7;

// --- Unit conversions -------------------------------------------------------
inline constexpr double kMm2PerCm2 = 100.0;
inline constexpr double kMmPerM = 1000.0;
inline constexpr double kHzPerKHz = 1000.0;
inline constexpr double kUsPerMs = 1000.0;  // 1 / kHz = 1000 us
inline constexpr double kMOhmPerOhm = 1000.0;

// --- Loss curve ---------------------------------------------------------------
// The curve spans the table's flux range and a little beyond it on each side
// (a factor on the log scale), so extrapolated operating points stay visible.
inline constexpr double kCurveMargin = 1.25;
// Between neighbouring table flux densities the loss follows one power law,
// a straight line on log-log axes: one log-spaced point in the middle of each
// interval is enough for a plot on linear axes as well.
inline constexpr int kCurveStepsPerInterval = 2;

}  // namespace velmora::insight::constants
