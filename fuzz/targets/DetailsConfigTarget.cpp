// SPDX-License-Identifier: GPL-3.0-or-later
// The Details.cfg reader on any bytes.
#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "settings/DetailsConfig.h"

namespace velmora::fuzz {

int FuzzDetailsConfig(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const DetailsConfig config = ParseDetailsConfig(in.Rest());
  // Only usable tolerances come out of a file, and a finite ambient.
  VELMORA_FUZZ_CHECK(IsUsableTolerancePercent(config.tol_gapped));
  VELMORA_FUZZ_CHECK(IsUsableTolerancePercent(config.tol_ungapped));
  VELMORA_FUZZ_CHECK(config.ambient_C - config.ambient_C == 0);
  // What is written reads back the same: three lines under the section.
  const std::string bytes = SerializeDetailsConfig(config);
  VELMORA_FUZZ_CHECK(bytes.rfind("[DETAILS]\r\n", 0) == 0);
  VELMORA_FUZZ_CHECK(ParseDetailsConfig(bytes) == config);
  return 0;
}

}  // namespace velmora::fuzz
