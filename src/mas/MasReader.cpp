// SPDX-License-Identifier: GPL-3.0-or-later
// What a MAS document gives this program: the inductance, the first
// operating point, the converter (buck or boost), the core's shape, material
// and gaps, and what of them is there but cannot be taken. Every part is looked
// up with its type checked, so any JSON reads without an exception; only the
// parser's own error is caught, here at the library's edge.
#include <cmath>
#include <nlohmann/json.hpp>

#include "mas/MasDocument.h"
#include "mas/MasNames.h"

namespace velmora::mas {

namespace {

using Json = nlohmann::json;

constexpr int kToMicro = 6;  // H -> uH
constexpr int kToMilli = 3;  // m -> mm
constexpr int kToKilo = -3;  // Hz -> kHz
// The efficiency a converter without one has: the format's default.
constexpr double kDefaultEfficiency = 0.95;

// The member of an object, or nullptr.
const Json* Member(const Json* object, const char* key) {
  if (!object || !object->is_object()) return nullptr;
  const auto found = object->find(key);
  return found == object->end() ? nullptr : &*found;
}

const Json* First(const Json* array) {
  if (!array || !array->is_array() || array->empty()) return nullptr;
  return &array->front();
}

std::optional<double> Number(const Json* value) {
  if (!value || !value->is_number()) return std::nullopt;
  const double number = value->get<double>();
  if (!std::isfinite(number)) return std::nullopt;
  return number;
}

// A dimension with tolerance: its nominal value, else the middle of its
// minimum and maximum, else the one of them it has. A bare number too.
std::optional<double> Dimension(const Json* value) {
  if (const auto bare = Number(value)) return bare;
  const auto nominal = Number(Member(value, "nominal"));
  if (nominal) return nominal;
  const auto low = Number(Member(value, "minimum"));
  const auto high = Number(Member(value, "maximum"));
  if (low && high) return (*low + *high) / 2;
  return low ? low : high;
}

// A name, or an object that carries one ("material": {"name": ...}).
std::optional<std::string> Name(const Json* value) {
  if (value && value->is_object()) value = Member(value, "name");
  if (!value || !value->is_string()) return std::nullopt;
  return NameFromUtf8(value->get_ref<const std::string&>());
}

std::optional<double> Shifted(std::optional<double> value, int exponent) {
  if (!value) return std::nullopt;
  const double shifted = ShiftDecimal(*value, exponent);
  if (!std::isfinite(shifted)) return std::nullopt;
  return shifted;
}

void ReadOperatingPoint(const Json* point, MasImport& design) {
  design.ambient_C = Number(Member(Member(point, "conditions"), "ambientTemperature"));
  const Json* excitation = First(Member(point, "excitationsPerWinding"));
  design.frequency_kHz = Shifted(Number(Member(excitation, "frequency")), kToKilo);
  const Json* current = Member(Member(excitation, "current"), "processed");
  const Json* voltage = Member(Member(excitation, "voltage"), "processed");
  design.currentOffset_A = Number(Member(current, "offset"));
  if (!design.currentOffset_A) design.currentOffset_A = Number(Member(current, "average"));
  design.voltagePeakToPeak_V = Number(Member(voltage, "peakToPeak"));
  design.dutyCycle = Number(Member(voltage, "dutyCycle"));
  if (!design.dutyCycle) design.dutyCycle = Number(Member(current, "dutyCycle"));
}

// A part's path and value as a message names it: ASCII, the value cut to a
// few words.
std::string Named(const std::string& path, const Json& value) {
  constexpr std::size_t kMostValueBytes = 40;
  std::string text = value.dump(-1, ' ', true, Json::error_handler_t::replace);
  if (text.size() > kMostValueBytes) text = text.substr(0, kMostValueBytes) + "...";
  return path + " = " + text;
}

// The gaps in series: the subtractive ones (a gap without a type is
// subtractive, the format's default) summed; residual gaps are the halves'
// own and no gap this program designs. Any other gap is named and the sum
// is not taken.
void ReadGaps(const Json* gapping, MasImport& design) {
  const std::string path = "magnetic.core.functionalDescription.gapping";
  if (!gapping) return;
  if (!gapping->is_array()) {
    design.notTaken.push_back(Named(path, *gapping));
    design.gap_mm.reset();
    return;
  }
  double sum_m = 0;
  std::size_t index = 0;
  for (const Json& gap : *gapping) {
    const std::string at = path + "[" + std::to_string(index++) + "]";
    const Json* type = Member(&gap, "type");
    const bool typeText = type && type->is_string();
    if (typeText && type->get_ref<const std::string&>() == "residual") continue;
    if (type && !(typeText && type->get_ref<const std::string&>() == "subtractive")) {
      design.notTaken.push_back(Named(at + ".type", *type));
      continue;
    }
    const Json* length = Member(&gap, "length");
    const auto metres = Number(length);
    if (!metres || *metres < 0) design.notTaken.push_back(length ? Named(at + ".length", *length) : at + ".length");
    else sum_m += *metres;
  }
  // Gaps too long for a double in mm are no gap this program can design.
  const auto sum_mm = Shifted(sum_m, kToMilli);
  if (!sum_mm) design.notTaken.push_back(path + ": the sum of the lengths is out of range");
  design.gap_mm = design.notTaken.empty() ? sum_mm : std::nullopt;
}

void ReadCore(const Json* core, MasImport& design) {
  const Json* function = Member(core, "functionalDescription");
  design.shape = Name(Member(function, "shape"));
  if (!design.shape) design.shape = Name(Member(core, "name"));
  design.material = Name(Member(function, "material"));
  ReadGaps(Member(function, "gapping"), design);
}

// The converter of designRequirements.topology with its part of
// converterInformation.supportedTopologies: buck and boost, the two this
// program designs. A part that is missing or no number is named, and then
// no converter is taken; a topology of another converter is passed over.
void ReadConverter(const Json* inputs, MasImport& design) {
  const Json* topology = Member(Member(inputs, "designRequirements"), "topology");
  if (!topology || !topology->is_string()) return;
  const std::string& value = topology->get_ref<const std::string&>();
  if (value != "buckConverter" && value != "boostConverter") return;
  const bool buck = value == "buckConverter";
  const std::string path = std::string("inputs.converterInformation.supportedTopologies.") + (buck ? "buck" : "boost");
  const Json* part =
      Member(Member(Member(inputs, "converterInformation"), "supportedTopologies"), buck ? "buck" : "boost");
  const Json* voltage = Member(part, "inputVoltage");
  const Json* point = First(Member(part, "operatingPoints"));
  MasConverter c;
  c.topology = buck ? MasTopology::kBuck : MasTopology::kBoost;
  const struct {
    const char* name;
    const Json* value;
    double& into;
    std::optional<double> absent = std::nullopt;  // the value of a part not there
  } fields[] = {
      {".inputVoltage.minimum", Member(voltage, "minimum") ? Member(voltage, "minimum") : Member(voltage, "nominal"),
       c.inputMinimum_V},
      {".inputVoltage.maximum", Member(voltage, "maximum") ? Member(voltage, "maximum") : Member(voltage, "nominal"),
       c.inputMaximum_V},
      {".operatingPoints[0].outputVoltages[0]", First(Member(point, "outputVoltages")), c.output_V},
      {".operatingPoints[0].outputCurrents[0]", First(Member(point, "outputCurrents")), c.output_A},
      {".operatingPoints[0].switchingFrequency", Member(point, "switchingFrequency"), c.frequency_kHz},
      {".diodeVoltageDrop", Member(part, "diodeVoltageDrop"), c.diodeDrop_V},
      {".currentRippleRatio", Member(part, "currentRippleRatio"), c.rippleRatio},
      {".efficiency", Member(part, "efficiency"), c.efficiency, kDefaultEfficiency},
  };
  bool complete = true;
  for (const auto& f : fields) {
    const auto number = f.value ? Number(f.value) : f.absent;
    if (!number) design.notTaken.push_back(f.value ? Named(path + f.name, *f.value) : path + f.name);
    complete = complete && number;
    f.into = number.value_or(0);
  }
  const auto frequency_kHz = Shifted(c.frequency_kHz, kToKilo);
  if (!complete || !frequency_kHz) return;
  c.frequency_kHz = *frequency_kHz;
  design.converter = c;
}

// The rectangular voltage of each operating point that has one.
void ReadVoltages(const Json* points, MasImport& design) {
  if (!points || !points->is_array()) return;
  for (const Json& point : *points) {
    const Json* excitation = First(Member(&point, "excitationsPerWinding"));
    const auto peakToPeak = Number(Member(Member(Member(excitation, "voltage"), "processed"), "peakToPeak"));
    if (peakToPeak) design.voltagesPeakToPeak_V.push_back(*peakToPeak);
  }
}

// True when the value holds a number where Dimension looks for one, even
// one too large for a double: such a value is there, only out of range.
bool HoldsNumber(const Json* value) {
  if (value && value->is_number()) return true;
  for (const char* key : {"nominal", "minimum", "maximum"}) {
    const Json* part = Member(value, key);
    if (part && part->is_number()) return true;
  }
  return false;
}

// Where the text nests arrays and objects deeper than the limit: the
// parser's words for it, with the line and column of the bracket too many.
// Nothing when it stays within the limit; other faults are the parser's.
std::optional<std::string> TooDeep(std::string_view text) {
  int depth = 0;
  std::size_t line = 1, column = 0;
  bool inString = false, escaped = false;
  for (const char c : text) {
    ++column;
    if (c == '\n') {
      ++line;
      column = 0;
    }
    if (inString) {
      if (escaped) escaped = false;
      else if (c == '\\') escaped = true;
      else if (c == '"') inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxDocumentDepth)
        return "parse error at line " + std::to_string(line) + ", column " + std::to_string(column) +
               ": nesting deeper than " + std::to_string(kMaxDocumentDepth) + " levels";
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return std::nullopt;
}

MasReadResult Refuse(MasError error, std::string detail) {
  MasReadResult result;
  result.error = error;
  result.detail = std::move(detail);
  return result;
}

// The parser's words without the library's error number. They quote the
// bytes last read, which may be anything: those outside printable ASCII
// become '?', so that the message holds text of any code page.
std::string ParserWords(const char* what) {
  std::string words(what);
  const std::size_t close = words.find("] ");
  if (words.starts_with("[") && close != std::string::npos) words.erase(0, close + 2);
  for (char& c : words)
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) c = '?';
  return words;
}

}  // namespace

MasReadResult ReadMasDocument(std::string_view utf8) {
  if (utf8.size() > kMaxDocumentBytes) return Refuse(MasError::kTooLarge, std::to_string(kMaxDocumentBytes));
  if (auto words = TooDeep(utf8)) return Refuse(MasError::kNotJson, std::move(*words));
  Json doc;
  try {
    doc = Json::parse(utf8.begin(), utf8.end());
  } catch (const Json::exception& e) {
    return Refuse(MasError::kNotJson, ParserWords(e.what()));
  }
  const Json* inputs = Member(&doc, "inputs");
  const char* inductancePath = "inputs.designRequirements.magnetizingInductance";
  const Json* inductance = Member(Member(inputs, "designRequirements"), "magnetizingInductance");
  const auto inductance_uH = Shifted(Dimension(inductance), kToMicro);
  if (!inductance_uH && HoldsNumber(inductance))
    return Refuse(MasError::kOutOfRange, Named(inductancePath, *inductance));
  if (!inductance_uH) return Refuse(MasError::kLacksPart, inductancePath);
  const Json* magnetic = Member(&doc, "magnetic");
  const Json* core = Member(magnetic, "core");
  if (!core || !core->is_object()) return Refuse(MasError::kLacksPart, "magnetic.core");
  const Json* winding = First(Member(Member(magnetic, "coil"), "functionalDescription"));
  if (!winding || !winding->is_object()) return Refuse(MasError::kLacksPart, "magnetic.coil.functionalDescription[0]");

  MasImport design;
  design.inductance_uH = *inductance_uH;
  ReadOperatingPoint(First(Member(inputs, "operatingPoints")), design);
  ReadVoltages(Member(inputs, "operatingPoints"), design);
  design.purpose = Name(Member(Member(inputs, "designRequirements"), "name"));
  ReadConverter(inputs, design);
  ReadCore(core, design);
  MasReadResult result;
  result.design = std::move(design);
  return result;
}

}  // namespace velmora::mas
