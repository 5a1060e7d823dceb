// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows-1251 boundary on any bytes: file names and typed text pass it.
#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "textfile/Cp1251.h"

namespace velmora::fuzz {

int FuzzCp1251(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // Every Windows-1251 text survives the way to UTF-8 and back, except the
  // one unassigned byte.
  const std::string utf8 = Cp1251ToUtf8(bytes);
  if (bytes.find('\x98') == std::string_view::npos) {
    const auto back = Utf8ToCp1251(utf8);
    VELMORA_FUZZ_CHECK(back.has_value());
    VELMORA_FUZZ_CHECK(*back == bytes);
  }
  // Any bytes taken as UTF-8: either refused, or a text that gives them back.
  if (const auto cp = Utf8ToCp1251(bytes)) VELMORA_FUZZ_CHECK(Cp1251ToUtf8(*cp) == bytes);
  return 0;
}

}  // namespace velmora::fuzz
