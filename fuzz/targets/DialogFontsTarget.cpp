// SPDX-License-Identifier: GPL-3.0-or-later
// The kept dialog fonts' file on any bytes: a fit is found only in a file
// the program could have written, within the sizes it writes, and a file
// with a fit put in holds that fit and no more entries than it keeps.
#include <algorithm>
#include <optional>
#include <string>

#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "ui/qt/QtViewParts.h"

namespace velmora::fuzz {

int FuzzDialogFonts(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const QByteArray file = QByteArray::fromStdString(std::string(in.Rest()));
  // The key of the file's first entry, when it has one, else a fresh one.
  const qsizetype firstLine = file.indexOf('\n');
  QByteArray key = firstLine >= 0 ? file.mid(firstLine + 1, 64) : QByteArray();
  const auto isHex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); };
  if (key.size() != 64 || !std::all_of(key.begin(), key.end(), isHex)) key = ui::FamilyKey(QStringLiteral("key"));

  if (const std::optional<ui::FittedFont> found = ui::FindFittedFont(file, key)) {
    VELMORA_FUZZ_CHECK(found->pixelSize >= 1 && found->pixelSize <= 1000);
    VELMORA_FUZZ_CHECK(found->stretch >= 1 && found->stretch <= 4000);
    VELMORA_FUZZ_CHECK(found->family.size() == 64);
  }
  const ui::FittedFont fit{10, 86, 11000, 4500, ui::FamilyKey(QStringLiteral("DejaVu Sans"))};
  const QByteArray written = ui::WithFittedFont(file, key, fit);
  VELMORA_FUZZ_CHECK(ui::FindFittedFont(written, key) == fit);
  VELMORA_FUZZ_CHECK(written.count('\n') <= 17);  // the header and at most 16 fits
  return 0;
}

}  // namespace velmora::fuzz
