// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a MAS document: refused with a reason, or read to finite
// numbers and names the program's texts can hold.
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

bool Finite(const std::optional<double>& value) { return !value || std::isfinite(*value); }

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
  VELMORA_FUZZ_CHECK(!in.gap_mm || (std::isfinite(*in.gap_mm) && *in.gap_mm >= 0));
  VELMORA_FUZZ_CHECK(in.gap_mm.has_value() == in.notTaken.empty());
  for (const std::string& part : in.notTaken)
    for (const char c : part) VELMORA_FUZZ_CHECK(static_cast<unsigned char>(c) < 0x80);
  VELMORA_FUZZ_CHECK(Finite(in.frequency_kHz) && Finite(in.currentOffset_A) && Finite(in.voltagePeakToPeak_V));
  VELMORA_FUZZ_CHECK(Finite(in.dutyCycle) && Finite(in.ambient_C));
  VELMORA_FUZZ_CHECK(NameIsText(in.shape) && NameIsText(in.material));
  return 0;
}

}  // namespace velmora::fuzz
