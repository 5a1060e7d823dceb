// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// From the converter to the choke: the inductor of a buck, boost or inverting
// buck-boost converter in continuous conduction over an input-voltage range.
// Qt-free and free of the window: it knows volts, amperes and kilohertz only.
//
// Units: V, A, kHz, µH; the ripple is peak to peak. Errors are values.
#include <cstddef>
#include <optional>
#include <vector>

namespace velmora::converter {

enum class Topology { kBuck, kBoost, kBuckBoost };

// How the ripple target is given: a share of the inductor's average current
// at each input voltage (0.3 for 30 %), or peak-to-peak amperes.
enum class RippleUnit { kShare, kAmperes };

struct ConverterRequest {
  Topology topology = Topology::kBuck;
  double vinMin = 0;  // V
  double vinMax = 0;  // V, at least vinMin
  double vout = 0;    // V; the magnitude for the inverting buck-boost
  double iout = 0;    // A
  // A light load (A): its inductor current goes into the minimum-current field.
  std::optional<double> ioutMin = std::nullopt;
  RippleUnit rippleUnit = RippleUnit::kShare;
  double ripple = 0;      // share or A, as rippleUnit says
  double fsw_kHz = 0;     // switching frequency
  double efficiency = 1;  // share; the input power is Pout / efficiency
  double vsw = 0;         // V across the conducting switch
  double vd = 0;          // V across the conducting diode

  bool operator==(const ConverterRequest&) const = default;
};

// The sizes a request may have. 100 kV and 100 kA bound every utility and
// traction converter; 1 Hz to 100 MHz spans the switching frequencies in
// use. Beyond them no figure means a choke, and the numbers would outgrow
// every field that shows them.
inline constexpr double kMaxVoltage_V = 100e3;
inline constexpr double kMaxCurrent_A = 100e3;
inline constexpr double kMinFrequency_kHz = 1e-3;
inline constexpr double kMaxFrequency_kHz = 100e3;
// A ripple above twice the average inductor current means discontinuous
// conduction at full load, which the continuous-conduction formulas do not
// cover.
inline constexpr double kMaxRippleShare = 2.0;

// What is wrong with a request, naming the value.
enum class RequestError {
  kNone,
  kVinMin,         // the minimum input voltage is not above 0 (or above kMaxVoltage_V)
  kVinRange,       // the maximum input voltage is below the minimum (or above kMaxVoltage_V)
  kVout,           // the output voltage is not above 0 (or above kMaxVoltage_V)
  kIout,           // the output current is not above 0 (or above kMaxCurrent_A)
  kIoutMin,        // the light load is negative or above the output current
  kRipple,         // the ripple target is not above 0, or above kMaxRippleShare of the average current
  kFrequency,      // the switching frequency is outside 1 Hz to 100 MHz
  kEfficiency,     // the efficiency is outside (0, 100 %]
  kDrops,          // a switch or diode drop is negative (or above kMaxVoltage_V)
  kVoutNotBelow,   // buck: Vout is not below the minimum input voltage
  kVoutNotAbove,   // boost: Vout is not above the maximum input voltage
  kDutyOutOfRange  // the duty cycle at an end of the range is outside (0, 1)
};

// The converter at one input voltage with a given inductance.
struct OperatingPoint {
  double vin = 0;              // V
  double duty = 0;             // share of the period the switch conducts
  double voltageOn = 0;        // V across the choke while the switch conducts
  double voltageOff = 0;       // V across the choke while it is off (magnitude)
  double inductorCurrent = 0;  // A, average
  double ripple = 0;           // A, peak to peak
  double peakCurrent = 0;      // A
};

struct ConverterDesign {
  double inductance_uH = 0;  // the smallest that keeps the ripple within its target over the range
  OperatingPoint atMin;      // at the minimum input voltage
  OperatingPoint atMax;      // at the maximum input voltage
  OperatingPoint worst;      // where the ripple reaches its target (may be an end)
  OperatingPoint design;     // the end with the higher peak current (atMin on a tie)
};

struct DesignResult {
  RequestError error = RequestError::kNone;
  ConverterDesign design;  // valid when error is kNone
};

// The checks of the request alone, in the order of RequestError.
RequestError CheckRequest(const ConverterRequest& request);
// Duty cycle, voltages and average current at vin; the ripple and peak at the
// inductance (µH).
OperatingPoint PointAt(const ConverterRequest& request, double vin, double inductance_uH);
// The ripple target in amperes at vin.
double RippleTarget(const ConverterRequest& request, double vin);
// The inductance (µH) that puts the ripple exactly at its target at vin.
double RequiredInductance(const ConverterRequest& request, double vin);
// The inductor's average current at vin with the light load; nullopt
// without one.
std::optional<double> LightLoadCurrent(const ConverterRequest& request, double vin);
// The design over the whole range.
DesignResult DesignConverter(const ConverterRequest& request);

// The input voltages a choke of a given inductance is judged at: each end of
// the range, the voltage of the largest ripple and that of the highest peak
// current. Where two coincide (within kSamePoint of the range) they are one
// point with both roles.
enum PointRole : unsigned {
  kLowEnd = 1u << 0,
  kHighEnd = 1u << 1,
  kLargestRipple = 1u << 2,
  kHighestCurrent = 1u << 3,
};
struct RolePoint {
  unsigned roles = 0;
  OperatingPoint point;
};
// Points closer than a millionth of the range are the same point: the
// search finds an inner maximum to rounding, an end exactly.
inline constexpr double kSamePoint = 1e-6;
// In ascending input voltage; empty when the request has an error.
std::vector<RolePoint> EvaluationPoints(const ConverterRequest& request, double inductance_uH);

// The same for many inductances of one request (the adviser's designs): what
// does not depend on the inductance (the sweep's currents and volt-seconds,
// the voltage of the largest ripple) is found once.
class PointPlanner {
 public:
  explicit PointPlanner(const ConverterRequest& request);
  std::vector<RolePoint> At(double inductance_uH) const;

 private:
  ConverterRequest request_;
  bool valid_ = false;
  double largestRipple_ = 0;     // V
  std::vector<double> current_;  // A, the average current at each sweep step
  std::vector<double> ripple1_;  // A, the ripple with 1 µH at each sweep step
  // The samples after the first in blocks of kBlock: each block's largest
  // current and largest 1 µH ripple, bounds that pass over whole blocks.
  static constexpr std::size_t kBlock = 32;
  std::vector<double> blockCurrent_, blockRipple_;
};

// English text of an error, for the command line (UTF-8, plain ASCII).
const char* RequestErrorText(RequestError error);
// The topology's name on the command line and in JSON ("buck", "boost",
// "buckboost"); parsed back, nullopt for another name.
const char* TopologyName(Topology topology);
std::optional<Topology> TopologyFromName(const char* name);

}  // namespace velmora::converter
