// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plain checks of the input numbers that open every calculation: a value
// that can only give plainly wrong figures (a negative ripple, a negative or
// infinite permeability, a division by zero) stops the run with one message
// that names its field, as the ripple check stops it.
#include <optional>

#include "calc/Calculate.h"

namespace velmora {

enum class InputFault {
  Inductance,        // L not above 0 (the minimum-current option off)
  NominalCurrent,    // Inom below 0
  MinimumCurrent,    // Imin not above 0 (the option on)
  OutputVoltage,     // output choke: Udc below 0 or not below the pulse voltage
  VoltageOn,         // other use: the switch-on voltage below 0
  VoltageOff,        // other use: the switch-off voltage below 0
  VoltagesZero,      // other use: both voltages 0
  Frequency,         // not above 0
  CurrentDensity,    // not above 0
  GapLength,         // gap mode: a gap of le/3 or more (fringing factor below 1)
  Gap,               // gap mode: the gap gives no positive, finite permeability
  InductanceFactor,  // AL mode: the AL gives no positive, finite permeability
};

// The first fault in the order of the window's fields, none when the run may
// go on. A non-finite number fails the check of its field. The permeability
// is the one the run would compute (the no-data material's 10000 included);
// the material record is not changed.
std::optional<InputFault> CheckInputs(const ChokeInputs& in, const InputNumbers& v, const ChokeContext& context);

// The key of a fault's message in the language file's design section.
const char* InputFaultKey(InputFault fault);
// Its built-in English, for a language file without the key.
const char* InputFaultEnglish(InputFault fault);

}  // namespace velmora
