// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Between the window's design record and the calculation: the inputs a run
// reads from the window's texts and choices, and the fields it corrected
// written back.
#include "calc/Calculate.h"
#include "settings/SettingsRecord.h"

namespace velmora {

// The nine input texts as they stand and the five choices.
ChokeInputs ChokeInputsOf(const SettingsRecord& record);
// The nine input texts as the run left them (decimal points, the corrected
// nominal current, the wire size taken from the table); the choices and the
// other fields stay.
void TakeCorrectedFields(const ChokeInputs& fields, SettingsRecord& record);

}  // namespace velmora
