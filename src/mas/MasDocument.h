// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Designs in the open magnetics exchange format MAS (Magnetic Agnostic
// Structure, JSON): one choke written as a document of conformance class A
// ("Inductor Basic": one winding, an inductance requirement), and the parts
// of any MAS document this program can use read back.
//
// The program's side of both is in its own units (uH, kHz, A, V, mm, C, W)
// and its names are Windows-1251 text; the document is UTF-8 JSON in SI
// units. Both conversions happen here and nowhere else. Units convert by
// moving the decimal point of the shortest decimal text of a number, so a
// value typed as "47" (uH) is written as 4.7e-05 (H) and reads back as 47
// exactly. Errors are values: nothing here throws.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::mas {

// The converters the format has a topology for that this program designs.
enum class MasTopology { kBuck, kBoost };

// The converter a choke is for, in the format's terms: designRequirements
// .topology and its part of inputs.converterInformation.supportedTopologies
// (input voltage, diode drop, ripple ratio, efficiency and one operating
// point with the output's voltage, current and switching frequency).
struct MasConverter {
  MasTopology topology = MasTopology::kBuck;
  double inputMinimum_V = 0;
  double inputMaximum_V = 0;
  double output_V = 0;
  double output_A = 0;
  double diodeDrop_V = 0;
  double rippleRatio = 0;  // peak to peak over the inductor's average current
  double efficiency = 1;
  double frequency_kHz = 0;  // the switching frequency
  bool operator==(const MasConverter&) const = default;
};

// An operating point of the choke after the design's own, at its frequency
// and ambient: a triangular current and a rectangular voltage.
struct MasPoint {
  std::string name;  // ASCII
  double currentOffset_A = 0;
  double currentRipple_A = 0;
  double dutyCycle = 0;
  double voltagePeakToPeak_V = 0;
};

// One calculated choke as the document describes it.
struct MasDesign {
  // Inputs: the design inductance, one operating point.
  double inductance_uH = 0;  // magnetizingInductance.nominal
  double frequency_kHz = 0;
  double ambient_C = 0;
  double currentOffset_A = 0;      // the triangular current: its offset (the nominal current) ...
  double currentRipple_A = 0;      // ... its peak-to-peak value ...
  double dutyCycle = 0;            // ... and the duty cycle it shares with the voltage
  double voltagePeakToPeak_V = 0;  // the rectangular voltage across the choke
  // Magnetic.
  std::string coreName;  // the database's name
  std::string shape;     // the shape's MAS name
  std::string material;  // without the maker ("N87")
  bool toroidal = false;
  double gap_mm = 0;  // one subtractive gap in the centre leg; none when 0
  int turns = 0;
  int parallels = 0;
  double conductingDiameter_mm = 0;
  double outerDiameter_mm = 0;
  // Outputs; one that is not a positive finite number is left out.
  double coreLoss_W = 0;
  double windingLoss_W = 0;
  double lossTemperature_C = 0;  // the temperature the two losses are for
  double temperature_C = 0;      // ambient plus the estimated rise
  double actualInductance_uH = 0;
  double inductanceFactor_nH = 0;  // AL, for the core's reluctance
  // The converter it was designed for: designRequirements.name (ASCII; none
  // when empty), the topology with its converter information, and the
  // choke's further operating points (at each end of the input voltage and
  // at the worst point).
  std::string purpose;
  std::optional<MasConverter> converter;
  std::vector<MasPoint> points;
};

// The first figure of the design that a class-A document cannot hold (not
// finite, out of its range: "turns", "wire", "frequency", ...), or empty.
std::string MasDesignProblem(const MasDesign& design);

// The document, pretty-printed UTF-8 JSON ending in a line break. Call it
// only for a design without a problem.
std::string WriteMasDocument(const MasDesign& design);

// What a MAS document gives this program. Missing parts stay empty.
struct MasImport {
  double inductance_uH = 0;
  std::optional<double> frequency_kHz;
  std::optional<double> ambient_C;
  std::optional<double> currentOffset_A;
  std::optional<double> voltagePeakToPeak_V;
  std::optional<double> dutyCycle;      // of the voltage, else of the current
  std::optional<std::string> shape;     // Windows-1251 (a character it cannot hold becomes '?')
  std::optional<std::string> material;  // likewise
  // The subtractive gaps in series: their sum; 0 for none (residual gaps,
  // the halves' own, count as none). Nothing when a gap is there that cannot
  // be taken: the design's gap then stays as it was.
  std::optional<double> gap_mm = 0.0;
  std::optional<std::string> purpose;  // designRequirements.name, Windows-1251
  // A buck or boost converter with every number its request needs; a
  // topology of another converter is passed over.
  std::optional<MasConverter> converter;
  // The rectangular voltage of every operating point that has one, in
  // document order.
  std::vector<double> voltagesPeakToPeak_V;
  // The parts that are there but cannot be taken, each as its path in the
  // document and its value ("magnetic.core.functionalDescription.gapping[1]
  // .length = -0.001"), ASCII.
  std::vector<std::string> notTaken;
};

enum class MasError {
  kNone,
  kNotJson,     // detail: the parser's words
  kLacksPart,   // detail: the path of the part ("magnetic.core")
  kTooLarge,    // detail: the limit
  kOutOfRange,  // detail: the path of the part and its value
};

struct MasReadResult {
  std::optional<MasImport> design;  // set exactly when error is kNone
  MasError error = MasError::kNone;
  std::string detail;  // ASCII
};

// Most bytes a document may have: a MAS file with sampled waveforms of a
// few thousand points stays far below it; beyond it the reader does not try.
inline constexpr std::size_t kMaxDocumentBytes = std::size_t{16} << 20;
// Deepest nesting of arrays and objects a document may have: a MAS document
// nests about ten levels; a bound far above that keeps a file of nothing but
// brackets from costing memory and time (each level is a value of its own).
inline constexpr int kMaxDocumentDepth = 64;

// Reads a document; refuses one that is not JSON (nesting deeper than
// kMaxDocumentDepth is refused while parsing, before anything is built) or
// lacks inputs.designRequirements.magnetizingInductance (with a number in
// it), magnetic.core or magnetic.coil.functionalDescription[0], and one whose
// inductance no double holds in uH, naming the first problem.
MasReadResult ReadMasDocument(std::string_view utf8);

// The shortest decimal of the value with its decimal point moved by
// `exponent` places (-3 turns mm into m, 6 turns H into uH), read back as a double:
// exact for every value whose shortest decimal has at most 15 digits.
double ShiftDecimal(double value, int exponent);

}  // namespace velmora::mas
