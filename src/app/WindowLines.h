// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls the window shows each input and result in. The tables of
// present/ know their lines by key (Input, Result); the window's data
// exchange, its design value and the command line's "labels" find the
// controls of a line here.
#include "present/InputTable.h"
#include "present/ResultTable.h"

namespace velmora {

// A unit below zero is one the window shows inside its caption ("Peak flux
// density, T"), not in a label of its own.
inline constexpr int kUnitTesla = -1;   // "T"
inline constexpr int kUnitAmpere = -2;  // "A"
// The text of a unit below zero; empty for 0 and for a unit label's ID.
constexpr const char* FixedUnitText(int unit) { return unit == kUnitTesla ? "T" : unit == kUnitAmpere ? "A" : ""; }

struct InputControls {
  int caption, value, unit;  // control IDs; unit: 0 for none, kUnitAmpere inside the caption
  // The caption shown instead while this radio button is checked, and the
  // unit shown instead while this unit label has a text; 0 for none.
  int checkedCaption, filledUnit;
};

struct ResultControls {
  int caption, value, unit;  // control IDs; unit: 0 for none, kUnitTesla/kUnitAmpere inside the caption
  int extra;                 // the second label's control ID; 0 for none
};

const InputControls& ControlsOf(Input input);
const ResultControls& ControlsOf(Result result);

// The text of the result label with this control ID; unset for an ID of no
// result label.
const ResultTexts::Text& LabelText(const ResultTexts& texts, int controlId);

}  // namespace velmora
