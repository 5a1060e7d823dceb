// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ConverterTexts.h"

#include "app/BuiltInTexts.h"

namespace velmora {

namespace {

// No key and no text holds "s" and a digit: the numbered sections' lookups
// run on into this section when a slot is missing. The texts are
// Windows-1251: "\xB5" is the micro sign.
constexpr BuiltInText kTexts[] = {
    {"menu", "Converter..."},
    {"title", "From the converter to the choke"},
    {"topology", "Topology"},
    {"buck", "Buck"},
    {"boost", "Boost"},
    {"buckBoost", "Inverting buck-boost"},
    {"vinMin", "Input voltage, minimum"},
    {"vinMax", "Input voltage, maximum"},
    {"vout", "Output voltage (magnitude)"},
    {"iout", "Output current"},
    {"ioutMin", "Light load (optional)"},
    {"ripple", "Current ripple"},
    {"rippleShare", "% of the inductor current"},
    {"rippleAmperes", "A peak to peak"},
    {"fsw", "Switching frequency"},
    {"efficiency", "Efficiency"},
    {"vsw", "Switch drop"},
    {"vd", "Diode drop"},
    {"unitV", "V"},
    {"unitA", "A"},
    {"unitKhz", "kHz"},
    {"colPoint", "Point"},
    {"colVin", "Input voltage, V"},
    {"colDuty", "Duty cycle"},
    {"colCurrent", "Average current, A"},
    {"colRipple", "Ripple, A"},
    {"colPeak", "Peak current, A"},
    {"rowMin", "Minimum input"},
    {"rowMax", "Maximum input"},
    {"rowWorst", "Worst point"},
    {"result",
     "Inductance %1 \xB5"
     "H; the main window gets %2 \xB5"
     "H at the design point %3 V"},
    {"apply", "Apply"},
    {"advise", "Advise..."},
    {"close", "Close"},
    {"errorVinMin", "The minimum input voltage must be above 0 and at most 100 kV."},
    {"errorVinRange", "The maximum input voltage must not be below the minimum nor above 100 kV."},
    {"errorVout", "The output voltage must be above 0 and at most 100 kV."},
    {"errorIout", "The output current must be above 0 and at most 100 kA."},
    {"errorIoutMin", "The light load must lie between 0 and the output current."},
    {"errorRipple", "The ripple target must be above 0 and at most 200 % of the average inductor current."},
    {"errorFsw", "The switching frequency must lie from 1 Hz to 100 MHz."},
    {"errorEfficiency", "The efficiency must lie above 0 and up to 100 %."},
    {"errorDrops", "The switch and diode drops must lie from 0 to 100 kV."},
    {"errorBuck", "A buck's output voltage must be below the minimum input voltage."},
    {"errorBoost", "A boost's output voltage must be above the maximum input voltage."},
    {"errorDuty", "The duty cycle at an end of the input range lies outside (0, 1): the drops are too large."},
    {"aboveTable", "%1 kHz lies above the loss table of %2 (up to %3 kHz): the choke is designed at %3 kHz."},
};

}  // namespace

const char* ConverterTextEnglish(const char* key) { return BuiltInEnglish(kTexts, key); }

std::string ConverterText(const LanguageTable& lang, const char* key) {
  return lang.converter.Get(key, ConverterTextEnglish(key));
}

const char* const* ConverterTextKeys() { return BuiltInKeys<kTexts>(); }

const char* ConverterErrorKey(converter::RequestError error) {
  using converter::RequestError;
  switch (error) {
    case RequestError::kNone:
      return nullptr;
    case RequestError::kVinMin:
      return "errorVinMin";
    case RequestError::kVinRange:
      return "errorVinRange";
    case RequestError::kVout:
      return "errorVout";
    case RequestError::kIout:
      return "errorIout";
    case RequestError::kIoutMin:
      return "errorIoutMin";
    case RequestError::kRipple:
      return "errorRipple";
    case RequestError::kFrequency:
      return "errorFsw";
    case RequestError::kEfficiency:
      return "errorEfficiency";
    case RequestError::kDrops:
      return "errorDrops";
    case RequestError::kVoutNotBelow:
      return "errorBuck";
    case RequestError::kVoutNotAbove:
      return "errorBoost";
    case RequestError::kDutyOutOfRange:
      return "errorDuty";
  }
  return nullptr;
}

}  // namespace velmora
