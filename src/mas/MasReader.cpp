// SPDX-License-Identifier: GPL-3.0-or-later
// What a MAS document gives this program: the inductance, the first
// operating point, the core's shape, material and gaps. Every part is looked
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

void ReadCore(const Json* core, MasImport& design) {
  const Json* function = Member(core, "functionalDescription");
  design.shape = Name(Member(function, "shape"));
  if (!design.shape) design.shape = Name(Member(core, "name"));
  design.material = Name(Member(function, "material"));
  const Json* gapping = Member(function, "gapping");
  if (!gapping || !gapping->is_array()) return;
  double sum_m = 0;
  for (const Json& gap : *gapping) {
    // A gap without a type is subtractive, the format's default.
    const Json* type = Member(&gap, "type");
    const bool subtractive = !type || (type->is_string() && type->get_ref<const std::string&>() == "subtractive");
    const auto length = Number(Member(&gap, "length"));
    if (subtractive && length && *length > 0) sum_m += *length;
  }
  // Gaps too long for a double are no gap this program can design.
  design.gap_mm = Shifted(sum_m, kToMilli).value_or(0);
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
  Json doc;
  try {
    doc = Json::parse(utf8.begin(), utf8.end());
  } catch (const Json::exception& e) {
    return Refuse(MasError::kNotJson, ParserWords(e.what()));
  }
  const Json* inputs = Member(&doc, "inputs");
  const auto inductance_uH =
      Shifted(Dimension(Member(Member(inputs, "designRequirements"), "magnetizingInductance")), kToMicro);
  if (!inductance_uH) return Refuse(MasError::kLacksPart, "inputs.designRequirements.magnetizingInductance");
  const Json* magnetic = Member(&doc, "magnetic");
  const Json* core = Member(magnetic, "core");
  if (!core || !core->is_object()) return Refuse(MasError::kLacksPart, "magnetic.core");
  const Json* winding = First(Member(Member(magnetic, "coil"), "functionalDescription"));
  if (!winding || !winding->is_object()) return Refuse(MasError::kLacksPart, "magnetic.coil.functionalDescription[0]");

  MasImport design;
  design.inductance_uH = *inductance_uH;
  ReadOperatingPoint(First(Member(inputs, "operatingPoints")), design);
  ReadCore(core, design);
  MasReadResult result;
  result.design = std::move(design);
  return result;
}

}  // namespace velmora::mas
