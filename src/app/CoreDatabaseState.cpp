// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CoreDatabaseState.h"

#include <algorithm>

#include "ui/Dialog.h"

namespace velmora {

std::vector<std::string> CoreDatabaseState::ListNames() const {
  // The list sorts its entries; handing them over in sorted order (stable, as
  // the list keeps equal names) keeps each insertion at the end.
  std::vector<std::string> names = ListCoreNames(text_, shape);
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return ui::CompareNoCase(a, b) < 0; });
  return names;
}

int CoreDatabaseState::SelectByName(int found, int count) {
  if (found >= 0) remembered_ = found;
  // A core that is not in the list: the remembered entry, else the first.
  if (remembered_ < 0 || remembered_ >= count) remembered_ = count > 0 ? 0 : -1;
  return remembered_;
}

int CoreDatabaseState::SelectAfterShapeChange(int count) {
  // The same position in the new list, not the same core; no position (left
  // by a shape whose list was empty) or one past the end gives the first entry.
  if (remembered_ < 0 || remembered_ > count - 1) remembered_ = 0;
  return remembered_;
}

void CoreDatabaseState::Show(std::string name) {
  current_ = std::move(name);
  const CoreTexts texts = ReadCoreTexts(text_, current_);
  Ae = texts.Ae;
  An = texts.An;
  le = texts.le;
  mu = texts.mu;
  core_ = CoreFromTexts(current_, texts);
  Ve = FormatVolume(core_);
}

int CoreDatabaseState::DimensionsUsed() const {
  switch (shape) {
    case kShapeE:
    case kShapeER:
    case kShapeETD:
      return 6;
    case kShapeEI:
      return 7;
    case kShapeR:
      return 3;
    default:
      return 0;
  }
}

void CoreDatabaseState::ClearTexts() {
  dims = DimensionTexts{};
  Ae.clear();
  An.clear();
  le.clear();
  Ve.clear();
  mu.clear();
}

CoreDatabaseState::PreparedAdd CoreDatabaseState::PrepareAdd(std::string_view typedName, bool byDimensions) {
  PreparedAdd add;
  auto refuse = [&add](LangSlot message) {
    add.refusal = message;
    return add;
  };
  if (typedName.empty()) return refuse(kAddCoreNameEmpty);
  if (mu.empty()) return refuse(kAddCoreMuEmpty);
  // A name the file format cannot hold would break every record after it.
  if (!IsValidCoreName(typedName)) return refuse(kCoreNameRefused);
  add.name = WithShapePrefix(typedName, shape);
  // A second record of the same name (in any letter case) could never be
  // selected or deleted.
  if (HasCoreRecord(text_, add.name)) return refuse(kCoreNameTaken);

  if (byDimensions) {
    // Shape other has no formulas (it may have been chosen after ticking the
    // box): nothing stale from an earlier core is written.
    const auto geometry = shape == kShapeOther ? std::nullopt : ComputeCoreGeometry(shape, dims);
    if (!geometry) return refuse(kAddCoreDimensionEmpty);
    dims = geometry->dims;
    Ae = geometry->AeText;
    An = geometry->AnText;
    le = geometry->leText;
  } else if (Ae.empty() || An.empty() || le.empty()) {
    return refuse(kAddCoreDataEmpty);
  }
  // A line break in a value would end its line early and break the record.
  for (const std::string* value : {&Ae, &An, &le, &mu})
    if (!IsValidCoreValue(*value)) return refuse(kCoreValueRefused);
  return add;
}

std::optional<std::string> CoreDatabaseState::WithRecord(std::string text, std::string_view name) const {
  // Another window may have added the same name meanwhile.
  if (HasCoreRecord(text, name)) return std::nullopt;
  // A record starts on a line of its own, also after a file edited by hand
  // whose last line has no line break.
  if (!text.empty() && text.back() != '\n') text += "\r\n";
  text += FormatCoreRecord(name, Ae, An, le, mu);
  return text;
}

}  // namespace velmora
