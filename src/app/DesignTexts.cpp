// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DesignTexts.h"

#include "app/BuiltInTexts.h"

namespace velmora {

namespace {

// No key and no text holds "s" and a digit: the numbered sections' lookups
// run on into this section when a slot is missing.
constexpr BuiltInText kTexts[] = {
    {"menu", "Design"},
    {"menuDetails", "Design details..."},
    {"menuAdviser", "Core adviser..."},
    {"title", "Design details"},
    {"noCalculation", "No calculation yet."},
    {"plotLoss", "Core loss at the design frequency"},
    {"axisFlux", "Flux density amplitude, T"},
    {"axisLoss", "Specific core loss, mW/cm\\u00B3"},
    {"curve", "Loss curve"},
    {"tablePoints", "Table points used"},
    {"operatingPoint", "Operating point"},
    {"lossLimit", "Loss limit"},
    {"plotWave", "One switching period"},
    {"axisTime", "Time, \xB5s"},
    {"axisCurrent", "Current, A"},
    {"axisFluxDensity", "Flux density, T"},
    {"current", "Inductor current"},
    {"fluxDensity", "Flux density"},
    {"figures", "Figures"},
    {"rowMlt", "Mean length of a turn"},
    {"rowWireLength", "Wire length"},
    {"rowResistance", "Winding resistance (DC)"},
    {"rowCopper", "Copper loss"},
    {"rowCore", "Core loss"},
    {"rowAmbient", "Ambient temperature"},
    {"rowOperating", "Core and winding temperature"},
    {"rowCoreOperating", "Core loss at that temperature"},
    {"rowCoreSine", "Core loss of a sine wave at that temperature"},
    {"rowWaveform", "Waveform factor of the triangular flux"},
    {"noteWaveform", "iGSE, rising for D ="},
    {"rowLayers", "Winding layers"},
    {"noteBreadth", "winding breadth"},
    {"noteBreadthEstimated", "estimated from An"},
    {"rowPenetration", "Layer thickness / skin depth at the switching frequency"},
    {"rowAcFactor", "AC resistance factor of the ripple"},
    {"noteAcLoss", "Dowell; AC part of the copper loss"},
    {"noteAt100",
     "at 100 \xB0"
     "C"},
    {"noteRunaway",
     "thermal runaway: no settling temperature up to 200 \xB0"
     "C"},
    {"noteTemperatureOutside", "outside the material's loss tables over temperature"},
    {"rowTotal", "Total loss"},
    {"rowSurface", "Outer surface"},
    {"rowRise", "Temperature rise in free air"},
    {"rowSkin", "Skin depth"},
    {"rowRatio", "Wire diameter / skin depth"},
    {"rowModel", "Loss table points used"},
    {"rowInductance", "Inductance, tolerance"},
    {"rowRipple", "Current ripple, tolerance"},
    {"rowPeak", "Peak current, tolerance"},
    {"rowPeakFlux", "Peak flux density, tolerance"},
    {"noteEstimated", "estimated from Ae and An"},
    {"noteRise", "an estimate (McLyman), still air"},
    {"noteSkin", "wire thicker than two skin depths: the AC resistance is higher"},
    {"noteWinding", "at a winding temperature of"},
    {"noteExtrapolated", "The core loss is extrapolated: the operating point lies outside the material's loss table."},
    {"noteMissingCell", "A loss table value the operating point needs is missing: the core loss cannot be estimated."},
    {"noteNoData", "The material has no loss table."},
    {"noteAlTolerance", "AL tolerance"},
    {"noteGapTolerance", "gap tolerance"},
    {"noteLimitHolds", "the flux limit holds at both ends"},
    {"noteLimitBroken", "the flux limit is exceeded at the worst end"},
    {"rowSpread", "AL spread, half-width"},
    {"rowLowEnd", "Inductance at the low end"},
    {"noteDesignedFor", "designed for"},
    {"noteRingGap", "A ferrite ring is not sold gapped: design it ungapped (gap 0)."},
    {"rowRequired", "Required inductance (low end at least)"},
    {"rowSaturation", "Peak flux density at the saturation current, high end / limit"},
    {"noteSaturation", "at"},
    {"noteBsat", "margin below Bsat"},
    {"noteBsatExtrapolated", "extrapolated above 100"},
    {"noteBsatFromBmax", "Bmax: no Bsat25 and Tcurie in the material file"},
    {"rowChecks", "Checks"},
    {"verdictPasses", "passes every check"},
    {"verdictFails", "fails %1 of the checks"},
    {"verdictUnchecked", "not fully checked"},
    {"noteCautions", "cautions"},
    {"fieldTolerance", "AL tolerance of this kind of core, %"},
    {"fieldFluxMargin", "Margin below Bsat, %"},
    {"fieldSaturationCurrent", "Saturation current, A"},
    {"fieldPeakCurrent", "peak current"},
    {"adviserFluxMargin", "Margin below Bsat, %"},
    {"adviserCoreGone", "The core %1 is no longer in the database. Nothing was changed."},
    {"adviserMaterialGone", "The material %1 is no longer in the material list. Nothing was changed."},
    {"adviserMaterialUnreadable", "The loss data file of the material %1 cannot be read. Nothing was changed."},
    {"copyPlot", "Copy"},
    {"savePlot", "Save..."},
    {"saveTitle", "Save the plot"},
    {"saveFailed", "The plot could not be saved:"},
    {"menuExportMas", "Export MAS..."},
    {"menuImportMas", "Import MAS..."},
    {"masFilter", "MAS documents"},
    {"masExportTitle", "Export the design as a MAS document"},
    {"masImportTitle", "Import a design from a MAS document"},
    {"masIncomplete", "The design cannot be exported: the calculation gives no valid value for"},
    {"masWriteFailed", "The MAS document could not be written:"},
    {"masReadFailed", "The file cannot be read:"},
    {"masNotJson", "The file is no JSON document:"},
    {"masLacks", "The MAS document is refused: it lacks"},
    {"masTooLarge", "The file is too large for a MAS document; the limit in bytes is"},
    {"masNotFound", "Not in the database, left as it was:"},
    {"masCore", "core"},
    {"masMaterial", "material"},
    {"unitMm", "mm"},
    {"unitM", "m"},
    {"unitMohm", "m\\u03A9"},
    {"unitW", "W"},
    {"unitCm2", "cm\\u00B2"},
    {"unitK", "K"},
    {"unitDegc",
     "\xB0"
     "C"},
    {"unitUh", "\xB5H"},
    {"unitA", "A"},
    {"unitT", "T"},
    {"unitKhz", "kHz"},
    {"unitMwCm3", "mW/cm\\u00B3"},
};

}  // namespace

const char* DesignTextEnglish(const char* key) { return BuiltInEnglish(kTexts, key); }

std::string DesignText(const LanguageTable& lang, const char* key) {
  return lang.design.Get(key, DesignTextEnglish(key));
}

const char* const* DesignTextKeys() { return BuiltInKeys<kTexts>(); }

}  // namespace velmora
