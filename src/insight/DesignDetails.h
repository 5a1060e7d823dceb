// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The figures behind one choke design: winding resistance and copper loss,
// the loss budget and the temperature rise, where the core loss comes from in
// the material's table, the loss curve, the waveforms over one period and the
// spread that the AL or gap tolerance gives.
//
// Every figure starts from a run of Calculate (the same one the main window
// shows) and is never computed there differently. Units are in the names:
// _mm, _mm2, _m, _Ohm, _W, _K, _T, _A, _uH, _us, _kHz, _mW_cm3. A figure the
// inputs do not allow (no wire chosen, no loss data, an empty field) is NaN.
#include <string_view>
#include <vector>

#include "calc/Calculate.h"
#include "calc/CoreLoss.h"
#include "data/CoreDatabase.h"
#include "insight/AcCopper.h"
#include "insight/BiasCurve.h"
#include "insight/DesignChecks.h"
#include "insight/InsightConstants.h"
#include "insight/Thermal.h"

namespace velmora::insight {

struct InsightOptions {
  // The temperature of the figures beside the settled ones: the table
  // temperature of the core-loss label.
  double windingTemperature_C = constants::kDefaultWindingTemperature;
  double ambient_C = constants::kDefaultAmbient;                        // the air around the choke
  double alTolerance = constants::kDefaultAlTolerance;                  // relative: AL given, or a gap
  double alToleranceUngapped = constants::kDefaultAlToleranceUngapped;  // relative: gap 0
  double gapTolerance_mm = constants::kDefaultGapTolerance;             // a given gap
  double riseLimit_K = constants::kDefaultRiseLimit;                    // the checks' limit
  double minGap_mm = constants::kDefaultMinGap;                         // the checks' least gap
  double fluxMargin = constants::kDefaultFluxMargin;                    // relative, below Bsat(T)
  // The current the saturation check is made at; NaN: the peak current.
  double saturationCurrent_A = constants::kNaN;
  // The inductance the low end of the spread must reach; NaN: the design
  // inductance of the run (the inductance field, or the one from the minimum current).
  double requiredInductance_uH = constants::kNaN;
};

// Mean length of a turn, the outer surface of the wound core and the breadth
// of the winding: from the core's record when it holds them, else estimated
// from Ae and An.
struct CoreWindingGeometry {
  double mlt_mm = 0;
  bool mltEstimated = false;
  double surface_mm2 = 0;
  bool surfaceEstimated = false;
  double breadth_mm = 0;
  bool breadthEstimated = false;
};
CoreWindingGeometry WindingGeometryOf(const CoreRecord& core, const CoreExtras& extras);

struct WindingFigures {
  double mlt_mm = 0;
  bool mltEstimated = false;
  double wireLength_m = 0;       // N * MLT
  double temperature_C = 0;      // winding temperature the resistance is for
  double resistivity_Ohm_m = 0;  // copper at that temperature
  double resistance_Ohm = 0;     // DC, n wires of S1 in parallel
  double copperLoss_W = 0;       // Inom^2 R + the ripple's AC loss (see AcCopperModel)
  double skinDepth_mm = 0;       // at the switching frequency
  double diameterToSkinDepth = 0;
  bool skinEffectNote = false;  // the wire is thicker than two skin depths
};

// The figures at the table temperature (100 C), for comparison with the
// settled ones.
struct LossBudget {
  double core_W = 0;  // the core-loss label's value
  double copper_W = 0;
  double total_W = 0;
  double surface_mm2 = 0;
  bool surfaceEstimated = false;
  double temperatureRise_K = 0;  // free air, an estimate (McLyman)
};

// The choke where it settles: core and winding at one temperature, the core
// loss from the tables over temperature, the copper's resistance at that
// temperature, the rise from their sum (see SettleTemperature).
// The core loss is that of the choke's triangular flux on its DC flux (the
// sine-wave loss of the tables times the waveform and DC factors, see
// OperatingCoreLoss.h); the
// copper loss that of the nominal current in the DC resistance plus the
// ripple's harmonics in Dowell's AC resistance (see AcCopper.h).
struct OperatingState {
  ThermalState thermal;
  double resistance_Ohm = 0;             // DC, at the settled temperature
  bool extrapolatedTemperature = false;  // outside the material's tables
  double duty = 0;                       // the flux's rising share of the period
  double waveformFactor = 0;             // triangle over sine, at the settled temperature
  double dcFlux_T = 0;                   // the mean current's flux density, Bpk - Bac
  double dcFactor = 0;                   // the loss on that DC flux over the loss without it
  double coreSine_W = 0;                 // the sine-wave loss at the settled temperature, without bias
  double copperDC_W = 0;                 // Inom^2 Rdc
  double copperAC_W = 0;                 // the ripple's harmonics in the AC resistance
  double acFactor = 0;                   // the ripple's AC loss over its loss in Rdc (>= 1)
  double penetrationRatio = 0;           // Dowell's Delta at the switching frequency
  WindingLayout layout;
};
// The settled state of a calculated design on a core of Ve cm3 with that
// winding geometry, wound with wire of wireOuter_mm over its insulation;
// giveUpAbove_C as for SettleTemperature.
OperatingState SettleDesign(const ChokeResults& results, const MaterialRecord& material, double Ve_cm3,
                            const CoreWindingGeometry& geometry, double F_kHz, double ambient_C, double wireOuter_mm,
                            double giveUpAbove_C = HUGE_VAL);
// The AC model of a calculated design's winding (layers from the breadth,
// the turns, the parallel wires and the wire's outer diameter).
AcCopperModel AcModelOfDesign(const ChokeResults& results, const CoreWindingGeometry& geometry, double wireOuter_mm);

// The operating point in the material's loss table.
struct LossModel {
  bool available = false;  // a material with a usable loss table
  double F_kHz = 0;
  double Bac_T = 0;
  double Pv_mW_cm3 = 0;  // at (F, Bac), as the label has it
  double limit_mW_cm3 = 0;
  double Blimit_T = 0;    // amplitude at the limit, at F
  CoreLossSource source;  // grid points, table values, flags
};

// Pv(B) at the design frequency by the label's power law; B ascending.
struct LossCurve {
  std::vector<double> B_T;
  std::vector<double> Pv_mW_cm3;
};

// The inductor current and flux density over one switching period: a
// triangle from Ipk - dI up to Ipk at the end of the on-time and back.
struct Waveform {
  std::vector<double> t_us;
  std::vector<double> i_A;
  std::vector<double> B_T;
};

struct Range {
  double min = 0;
  double max = 0;
};

// Where the spread of AL comes from: the maker's AL tolerance, or the gap
// tolerance where that moves AL further.
enum class SpreadFrom { AL, Gap };

// The built choke (the calculated turns) with AL at both ends of its spread,
// AL * (1 +- h). The half-width h is the AL tolerance of the design's kind
// (AL given or a gap: the gapped one; gap 0: the ungapped one); with a gap
// it is the larger of that and the relative change of AL that the gap +- its
// tolerance gives through the gap formula of Calculate.
struct WorstCase {
  bool gapGiven = true;
  bool ungapped = false;  // gap mode with gap 0
  double tolerance = 0;   // h, relative
  SpreadFrom spreadFrom = SpreadFrom::AL;
  double gapTolerance_mm = 0;  // the gap tolerance looked at (gap given)
  Range AL_nH;
  Range L_uH;
  Range dI_A;
  Range Ipk_A;
  Range Bpk_T;
  double Bm_T = 0;               // the permitted peak flux density
  bool fluxLimitHolds = false;   // Bpk stays within Bm at both ends
  double designL_uH = 0;         // the inductance designed for
  bool ringWithGap = false;      // a gap given to a ring, which is not sold gapped
  bool makersTolerance = false;  // an ungapped powder core: the tolerance is its maker's
};

// What the converter asks of the choke at one input voltage.
struct PointDemand {
  unsigned roles = 0;                       // which points it is: the converter's PointRole bits
  double vin_V = 0;                         // input voltage
  double duty = 0;                          // share of the period the switch conducts (the current rises)
  double voltageOn_V = 0;                   // across the choke while the switch conducts
  double current_A = 0;                     // the choke's average current at full load
  double lightCurrent_A = constants::kNaN;  // its average current at the light load; NaN: none
};

// The design at one point: the design's run with the point's duty,
// volt-seconds and current, at the design's own inductance.
struct PointFigures {
  PointDemand demand;
  ChokeResults results;  // D, ton, VS, dI, Ipk, Bpk, Bac, Bm, Irms, Pv, Pcore, read.Inom of the point
  double Bdc_T = 0;      // the flux density of the average current
  WorstCase worstCase;
  OperatingState operating;  // settled; every figure NaN without a wire
  DesignChecks checks;       // every check at this point
  unsigned decides = 0;      // bit (1 << CheckId) of each check this point decides
};

struct DesignDetails {
  WindingFigures winding;  // resistance and copper loss at the options' winding temperature
  LossBudget losses;       // at the table temperature
  OperatingState operating;
  LossModel lossModel;
  LossCurve lossCurve;
  Waveform waveform;
  WorstCase worstCase;
  BiasFigures bias;  // the inductance as the current rises
  // A converter design: its operating points in ascending input voltage
  // (see OperatingPoints.h), and checks with each taken at its hardest point.
  std::vector<PointFigures> points;
  DesignChecks checks;
};

// The details of a design whose Calculate run gave `results` from these
// inputs and context. The tolerance ends go through the gap formula of Calculate (FiguresOfGap).
// With the points of the converter it came from, the design is judged at each.
DesignDetails DescribeDesign(const ChokeInputs& inputs, const ChokeContext& context, const ChokeResults& results,
                             const CoreExtras& extras, const InsightOptions& options = {},
                             const std::vector<PointDemand>& points = {});

// The half-width of the AL spread (relative) of a gap (mm; 0 ungapped) in a
// core of a material of permeability mu whose own gap is g0 (mm), as
// WorstCaseOf takes it for a gap given.
double GapSpread(double gap_mm, const CoreRecord& core, double mu, double g0, const InsightOptions& options);

// The half-width of the AL spread of an ungapped core: the maker's tolerance
// of a powder material where its file gives one, else the option's.
double UngappedSpread(const MaterialRecord& material, const InsightOptions& options);
// Whether the maker gives the AL tolerance of the material's ungapped cores
// (a powder's), which UngappedSpread then takes.
bool MakerGivesSpread(const MaterialRecord& material);

// The worst case of a run: the gap (gap mode) and the nominal current are the
// numbers the run read (results.read). gapSpread: GapSpread of that gap when
// the caller has it already (the adviser raised the inductance by it).
WorstCase WorstCaseOf(bool gapGiven, const ChokeContext& context, const ChokeResults& results,
                      const InsightOptions& options, double gapSpread = constants::kNaN);

// Calculate and its details in one call.
struct DesignReport {
  ChokeResults results;
  DesignDetails details;
};
DesignReport ComputeDesignReport(const ChokeInputs& inputs, const ChokeContext& context, const CoreExtras& extras,
                                 const InsightOptions& options = {});

// --- The checks ------------------------------------------------------------------

// What the checks read of a design.
struct CheckFacts {
  const ChokeResults& results;
  const WorstCase& worstCase;
  const MaterialRecord& material;
  double Ae_mm2 = 0;
  double le_mm = 0;  // a powder core's field; 0: its checks as a ferrite's
  // DesignChecks::powderPeakFlux_T of an evaluation of the same design when
  // known (it takes an integral); NaN: computed.
  double powderPeakFlux_T = constants::kNaN;
  bool ring = false;
  bool gapGiven = true;                        // gap mode (else AL given)
  const OperatingState* operating = nullptr;   // the settled state; none: no wire
  const CoreLossSource* lossSource = nullptr;  // none: no loss data
  double skinDepth_mm = constants::kNaN;       // at the switching frequency
  const BiasFigures* bias = nullptr;           // none: not computed
  // The choke's average current at the converter's light load; NaN: none.
  double lightCurrent_A = constants::kNaN;
};

// The one evaluation of a design's checks (see DesignChecks.h). A run stopped
// at the ripple check fails "ripple" and leaves the others unevaluated.
DesignChecks EvaluateChecks(const CheckFacts& facts, const InsightOptions& options);

// --- The pieces, for tests and for callers that need one of them ---------------

// Copper resistivity at a temperature (linear coefficient).
double CopperResistivity(double temperature_C);
// Skin depth in copper of that resistivity at F kHz, in mm.
double SkinDepth_mm(double resistivity_Ohm_m, double F_kHz);
// DC resistance of length_m of n parallel wires of S1_mm2 each.
double WireResistance(double resistivity_Ohm_m, double length_m, double n, double S1_mm2);
// Temperature rise in free air for a loss on an outer surface (McLyman).
double TemperatureRise_K(double loss_W, double surface_mm2);
// Estimates from Ae and An (mm2) for a core of that name.
double EstimateMlt_mm(double Ae_mm2, double An_mm2);
double EstimateSurface_mm2(std::string_view coreName, double Ae_mm2, double An_mm2);
// The operating point (F kHz, Bac T) in the material's table.
LossModel DescribeLossModel(const MaterialRecord& material, double F_kHz, double Bac_T, double limit_mW_cm3,
                            double Blimit_T);
// Pv(B) at F: the table's flux densities, log-spaced points between them, a
// margin beyond both ends, and Bac itself (when finite and positive).
LossCurve LossCurveAt(const MaterialRecord& material, double F_kHz, double Bac_T);
// One period of the current and flux density of a calculated design.
Waveform WaveformOf(const ChokeResults& results, double Ae_mm2, double F_kHz);

}  // namespace velmora::insight
