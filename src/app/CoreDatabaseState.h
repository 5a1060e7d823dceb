// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The core database as the main window works on it: the database text, the
// core whose data the window shows, the list position last selected, the
// shape, the texts of the dimension and core-data edits and the numbers of the
// selected core. A value without window or file: the window owns one, binds
// its texts to the controls, does the list, the messages and the file, and
// asks this class what to list, select, show, add and remove.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/CoreGeometry.h"
#include "data/CoreDatabase.h"
#include "lang/LangSlots.h"

namespace velmora {

class CoreDatabaseState {
 public:
  // ---- bound to the controls -----------------------------------------------------
  int shape = 0;                   // the shape radios, 0 (E) to 5 (other)
  DimensionTexts dims;             // A, B, C, D, H, h, I
  std::string mu, Ae, An, le, Ve;  // the core-data edits

  // ---- state ---------------------------------------------------------------------
  // The whole database text; the only copy the commands change.
  const std::string& Text() const { return text_; }
  void SetText(std::string text) { text_ = std::move(text); }
  // The core whose data were last shown (what the settings store as "core").
  const std::string& CurrentCore() const { return current_; }
  void SetCurrentCore(std::string name) { current_ = std::move(name); }
  // The numbers of the current core, as the calculation reads them.
  const CoreRecord& Core() const { return core_; }
  // The list entry last selected; -1 when the list had no selection.
  int RememberedPosition() const { return remembered_; }
  void Remember(int position) { remembered_ = position; }

  // ---- listing and selecting -----------------------------------------------------
  // The core list of the shape in the order the list shows it (letter case
  // ignored; equal names in the order of the text).
  std::vector<std::string> ListNames() const;
  // Remembers the entry a selection by name takes in a list of count entries
  // (found: the core to select's index, -1 when absent): the found one, else
  // the remembered one, else the first; -1 for an empty list. Returns it.
  int SelectByName(int found, int count);
  // Remembers the entry a shape change takes in the new list of count
  // entries: the same position, or the first when there is none or it lies
  // past the end. Returns it.
  int SelectAfterShapeChange(int count);
  // The core of that name becomes the current one: its four texts from its
  // record ("," read as "."), its numbers, and its volume text.
  void Show(std::string name);

  // ---- adding and deleting -------------------------------------------------------
  // How many of the dimension edits A, B, C, D, H, h, I the shape's formulas
  // take (0 for other).
  int DimensionsUsed() const;
  // Empties the dimension and core-data texts.
  void ClearTexts();
  // The checks of an add, in the order the user is told about them. When all
  // pass, name is the name to store (with its shape's prefix) and the value
  // texts are complete (computed from the dimensions when byDimensions).
  struct PreparedAdd {
    std::optional<LangSlot> refusal;  // the message, when the add is refused
    std::string name;
  };
  PreparedAdd PrepareAdd(std::string_view typedName, bool byDimensions);
  // The text with the record of the current value texts appended under name,
  // on a line of its own; nothing when the text already holds that name
  // (letter case ignored).
  std::optional<std::string> WithRecord(std::string text, std::string_view name) const;

 private:
  std::string text_;
  std::string current_;
  int remembered_ = -1;
  CoreRecord core_;
};

}  // namespace velmora
