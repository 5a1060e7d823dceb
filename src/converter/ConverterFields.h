// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A converter design as the main window's inputs take it: the purpose, the
// two voltages across the choke, the inductance, the currents and the
// frequency, as texts a person would type.
#include <optional>
#include <string>

#include "converter/Converter.h"

namespace velmora::converter {

// The main window's purpose choice.
inline constexpr int kUseOutputChoke = 0;
inline constexpr int kUseOther = 1;

struct MainWindowFields {
  int use = kUseOutputChoke;
  std::string inductance;                     // µH, rounded up so the ripple stays within its target
  std::string nominalCurrent;                 // A, the inductor's average current at the design point
  std::optional<std::string> minimumCurrent;  // A, with a light load only
  std::string voltageOn;                      // V: output choke the pulse voltage, other use the on-voltage
  std::string voltageOff;                     // V: output choke the DC output voltage, other use the off-voltage
  std::string frequency;                      // kHz
};

// The fields at the design's design point. A buck is an output choke whose
// pulse voltage and output voltage give the engine's duty cycle and
// volt-seconds (the diode drop added to both); a boost and an inverting
// buck-boost are "other use" with the voltages across the choke.
MainWindowFields FieldsFor(const ConverterRequest& request, const ConverterDesign& design);

// Four significant digits: what an engineer types for a component value.
inline constexpr int kTypedDigits = 4;

enum class Rounding { kNearest, kUp };
// Up to four significant digits, '.' as decimal sign, no exponent and no
// trailing zeros ("5.358", "10", "0.25", "123500").
std::string TypedNumber(double value, Rounding rounding = Rounding::kNearest);

}  // namespace velmora::converter
