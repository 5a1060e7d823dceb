// SPDX-License-Identifier: GPL-3.0-or-later
// The libFuzzer entry of one target, chosen at compile time.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return velmora::fuzz::VELMORA_FUZZ_ENTRY(data, size);
}
