// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every fixed number and name of the program, each with the reason it has the
// value it has. Header only: any library may include it.
namespace velmora::constants {

// --- Calculation ---------------------------------------------------------
// Permeability of free space in uH/m: with lengths in mm and areas in mm2 the
// factor 0.4*pi turns Ae/R into uH per turn squared after dividing by 1000.
inline constexpr double kMu0 = 1.2566370614359172;
// Specific loss (mW/cm3 = kW/m3) that a ferrite core may dissipate; the loss
// table is searched for the flux amplitude that reaches it.
inline constexpr double kLossDensityLimit = 200.0;
// A material without loss data is assumed to stand 1.2 T peak (iron powder or
// steel class) and to have a permeability so high that the gap dominates.
inline constexpr double kNoDataPeakFlux = 1.2;
inline constexpr double kNoDataPermeability = 10000.0;
// Above 40 % copper in the window a winding no longer fits in practice.
inline constexpr double kFillFactorLimit = 0.4;
// The flux warning ignores overshoots that vanish in the third decimal shown.
inline constexpr double kFluxTolerance = 0.0005;
// Added before "%.3f" so the shown gap / corrected current is never below the
// computed value (rounds up at the third decimal).
inline constexpr double kRoundUpAddend = 0.0005;
// Passes of the fringing-corrected gap iteration; it has settled by then.
inline constexpr int kGapPasses = 5;
// The fringing factor 1 + g/sqrt(Ae) * ln(2G/g) needs twice the window height
// G; a third of the magnetic path length stands in for it.
inline constexpr double kFringePathDivisor = 3.0;
// The units are chosen so that every conversion is a factor of a thousand:
// 1/kHz -> us, uH/turn2 -> nH/turn2, mW -> W, uH -> mH.
inline constexpr double kThousand = 1000.0;
// From this many uH on the inductance is shown in thousands of uH (mH).
inline constexpr double kInductanceUnitStep = 1000.0;
// pi as the core geometry formulas take it (shown to two decimals only).
inline constexpr double kPiGeometry = 3.14159265359;
// pi for wire cross-sections.
inline constexpr double kPi = 3.141592653589793;
// Usable share of the winding window: a coil former and creepage take about
// 20 % of an E-family window, 30 % of a ring's hole.
inline constexpr double kWindowShareE = 0.8;
inline constexpr double kWindowShareRing = 0.7;
// With a desired wire size up to 10 % above the permitted current density is
// accepted before another parallel wire is added.
inline constexpr double kParallelWireTolerance = 1.1;

// --- Inductance under DC bias ------------------------------------------------
// Permeability of free space in H/m, for fields in A/m and flux densities in T.
inline constexpr double kMu0SI = 1.2566370614359172e-6;
inline constexpr double kMmPerMetre = 1000.0;
// The flux density of a powder core, mu0 * integral of mu(h) dh, by Simpson's
// rule: the grid is doubled from 64 intervals until two results agree to
// 1e-6 (the fit is smooth; 64 intervals are already within 1e-5 of it),
// at most 65536 intervals.
inline constexpr int kBiasIntegralFirstSteps = 64;
inline constexpr int kBiasIntegralMostSteps = 65536;
inline constexpr double kBiasIntegralTolerance = 1e-6;
// --- Wire table ----------------------------------------------------------
// The metric table holds at most 101 sizes (the spin button's range).
inline constexpr int kMaxWireEntries = 101;
// AWG 40..0: d = 0.127 mm * 92^((36 - AWG) / 39); enamel adds about 15 %.
inline constexpr int kAwgMax = 40;
inline constexpr double kAwg36Diameter = 0.127;
inline constexpr double kAwgRatio = 92.0;
// The AWG formula's reference size and its 39 steps from AWG 36 to AWG 0000.
inline constexpr double kAwgReference = 36.0;
inline constexpr double kAwgSteps = 39.0;
inline constexpr double kAwgInsulation = 1.15;

// The material table's limits (9 flux densities, 19 frequencies) belong to
// the material record: MaterialRecord::kMaxFluxDensities, kMaxFrequencies.

// --- Names of the data files and fallbacks --------------------------------
inline constexpr const char* kSettingsFile = "Inductor.ini";
inline constexpr const char* kMaterialListFile = "Materials.txt";
inline constexpr const char* kCoreDatabaseFile = "BaseCores.txt";
inline constexpr const char* kWireFile = "Wire.txt";
inline constexpr const char* kLanguageExtension = ".lng";
inline constexpr const char* kDesignExtension = ".sav";
inline constexpr const char* kFallbackMaterial = "N87 Epcos";  // default and fallback material
inline constexpr const char* kDefaultLanguage = "English";     // default and fallback language
inline constexpr const char* kDefaultCore = "E 25/13/7";

// --- Shared core database ----------------------------------------------------
// How long adding or deleting a core waits for another window that is
// changing the database: its whole write takes milliseconds, but several
// windows changing it at once take turns, and a quarter second left one of
// six busy windows without a turn. A lock still held after a second belongs
// to a window or program that keeps it: the change is refused and the
// database told as in use, without a longer freeze.
inline constexpr int kDatabaseLockWaitMs = 1000;

}  // namespace velmora::constants
