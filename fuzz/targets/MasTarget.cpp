// Any bytes as a MAS document: refused with a reason, or read to numbers
// that a document written from them gives back.
#include <algorithm>
#include <cmath>

#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "mas/MasDocument.h"

namespace velmora::fuzz {

namespace {

bool NameIsText(const std::optional<std::string>& name) {
  if (!name) return true;
  for (const char c : *name)
    if (static_cast<unsigned char>(c) < 0x20) return false;
  return true;
}

bool Near(double a, double b) {
  constexpr double kRelative = 1e-14;
  return std::abs(a - b) <= kRelative * std::max(std::abs(a), std::abs(b));
}

// The document this program would write from what was read.
mas::MasDesign DesignOf(const mas::MasImport& in) {
  mas::MasDesign d;
  d.inductance_uH = in.inductance_uH;
  d.frequency_kHz = in.frequency_kHz.value_or(1);
  d.ambient_C = in.ambient_C.value_or(0);
  d.currentOffset_A = in.currentOffset_A.value_or(0);
  d.dutyCycle = in.dutyCycle.value_or(0);
  d.voltagePeakToPeak_V = in.voltagePeakToPeak_V.value_or(0);
  d.shape = in.shape.value_or("");
  d.material = in.material.value_or("");
  d.gap_mm = in.gap_mm;
  d.turns = 1;
  d.parallels = 1;
  d.conductingDiameter_mm = 1;
  return d;
}

}  // namespace

int FuzzMas(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const mas::MasReadResult read = mas::ReadMasDocument(bytes);
  VELMORA_FUZZ_CHECK(read.design.has_value() == (read.error == mas::MasError::kNone));
  for (const char c : read.detail) VELMORA_FUZZ_CHECK(static_cast<unsigned char>(c) < 0x80);
  if (!read.design) {
    VELMORA_FUZZ_CHECK(!read.detail.empty());
    return 0;
  }
  const mas::MasImport& in = *read.design;
  VELMORA_FUZZ_CHECK(std::isfinite(in.inductance_uH));
  VELMORA_FUZZ_CHECK(std::isfinite(in.gap_mm) && in.gap_mm >= 0);
  VELMORA_FUZZ_CHECK(NameIsText(in.shape) && NameIsText(in.material));

  const mas::MasDesign design = DesignOf(in);
  if (!mas::MasDesignProblem(design).empty()) return 0;
  const mas::MasReadResult again = mas::ReadMasDocument(mas::WriteMasDocument(design));
  VELMORA_FUZZ_CHECK(again.design.has_value());
  // The same number, up to the last digits of a 17-digit decimal.
  VELMORA_FUZZ_CHECK(Near(again.design->inductance_uH, in.inductance_uH));
  VELMORA_FUZZ_CHECK(Near(again.design->gap_mm, in.gap_mm));
  VELMORA_FUZZ_CHECK(again.design->shape == design.shape && again.design->material == design.material);
  return 0;
}

}  // namespace velmora::fuzz
