// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportTexts.h"

#include <utility>

namespace velmora::report {

namespace {

struct Entry {
  T text;
  const char* key;
  const char* english;  // Windows-1251
};

// In the order of the enumeration; checked at start by the test of the table.
constexpr Entry kEntries[] = {
    {T::Title, "title", "Choke design report"},
    {T::Program, "program", "Program"},
    {T::Date, "date", "Date"},
    {T::DesignFile, "designFile", "Design file"},
    {T::LastDesign, "lastDesign", "the window's last design"},
    {T::SecCore, "secCore", "Core and material"},
    {T::CoreName, "coreName", "Core"},
    {T::Material, "material", "Material"},
    {T::MaterialMu, "materialMu", "Material permeability"},
    {T::MaterialBmax, "materialBmax", "Highest peak flux density (Bmax)"},
    {T::MaterialBmmax, "materialBmmax", "Highest flux amplitude (Bmmax)"},
    {T::NoDataMaterial, "nodataMaterial", "no loss data: the permitted peak flux density is 1.2 T"},
    {T::SecInputs, "secInputs", "Inputs"},
    {T::SecResults, "secResults", "Results"},
    {T::Purpose, "purpose", "Purpose"},
    {T::PurposeOutput, "purposeOutput", "output choke"},
    {T::PurposeOther, "purposeOther", "other application"},
    {T::GapGiven, "gapGiven", "the air gap is given"},
    {T::AlGiven, "alGiven", "AL is given"},
    {T::FromMinimum, "fromMinimum", "the inductance follows from the minimum current"},
    {T::SecMessages, "secMessages", "Messages of the calculation"},
    {T::NoMessages, "noMessages", "None: the calculation showed no message."},
    {T::SecWinding, "secWinding", "Winding"},
    {T::Mlt, "mlt", "Mean length of a turn"},
    {T::Estimated, "estimated", "estimated from Ae and An"},
    {T::FromCoreData, "fromCoreData", "from the core's data"},
    {T::WireLength, "wireLength", "Wire length"},
    {T::WindingTemperature, "windingTemperature", "Winding temperature"},
    {T::Resistance, "resistance", "DC resistance"},
    {T::CopperLoss, "copperLoss", "Copper loss"},
    {T::SkinDepth, "skinDepth", "Skin depth at the switching frequency"},
    {T::SkinRatio, "skinRatio", "Wire diameter / skin depth"},
    {T::SkinNote, "skinNote",
     "The wire is thicker than two skin depths: its AC resistance is noticeably higher than "
     "the DC value. Thinner wires in parallel or litz wire carry the ripple better."},
    {T::SecLosses, "secLosses", "Losses and temperature rise"},
    {T::CoreLoss, "coreLoss", "Core loss"},
    {T::TotalLoss, "totalLoss", "Total loss"},
    {T::Surface, "surface", "Outer surface of the wound core"},
    {T::TemperatureRise, "temperatureRise", "Temperature rise"},
    {T::RiseNote, "riseNote",
     "The rise is an estimate for free air and natural convection, from the outer surface "
     "of the wound core."},
    {T::Ambient, "ambient", "Ambient temperature"},
    {T::OperatingTemperature, "operatingTemperature", "Core and winding temperature, settled"},
    {T::CoreLossOperating, "coreLossOperating", "Core loss at that temperature"},
    {T::CoreLossSine, "coreLossSine", "Core loss of a sine wave at that temperature"},
    {T::WaveformFactor, "waveformFactor", "Waveform factor of the triangular flux (composite waveform)"},
    {T::DcFactor, "dcFactor", "DC-bias factor of the core loss"},
    {T::WindingLayers, "windingLayers", "Winding layers"},
    {T::PenetrationRatio, "penetrationRatio", "Layer thickness / skin depth"},
    {T::AcFactor, "acFactor", "AC resistance factor of the ripple (Dowell)"},
    {T::CopperLossAc, "copperLossAc", "AC part of the copper loss"},
    {T::BreadthNote, "breadthNote",
     "The winding breadth, and so the number of layers, is estimated from the window area An: the core's "
     "record has no breadth (bw)."},
    {T::At100, "at100",
     "At 100 \xB0"
     "C, the temperature of the core-loss label: copper loss %1 W, total loss %2 W, rise %3 K."},
    {T::Runaway, "runaway",
     "Thermal runaway: the losses heat the choke faster than its surface sheds the heat; no "
     "temperature up to 200 \xB0"
     "C settles."},
    {T::SecLossModel, "secLossModel", "Core loss model"},
    {T::OperatingPoint, "operatingPoint", "Operating point (F, Bac)"},
    {T::SpecificLoss, "specificLoss", "Specific core loss"},
    {T::LossLimit, "lossLimit", "Specific loss limit"},
    {T::FluxAtLimit, "fluxAtLimit", "Flux amplitude at the limit"},
    {T::TableCell, "tableCell", "Interpolated between the table's %1 and %2 kHz, %3 and %4 T"},
    {T::NoteOutsideF, "noteOutsideF",
     "The switching frequency lies outside the frequency range of the loss table: the loss is "
     "extrapolated."},
    {T::NoteOutsideB, "noteOutsideB",
     "The flux amplitude lies outside the flux range of the loss table: the loss is extrapolated."},
    {T::NoteMissingCell, "noteMissingCell",
     "A table entry next to the operating point is missing: the estimate is uncertain."},
    {T::NoteNoData, "noteNoData", "The material has no loss data: no core loss is estimated."},
    {T::SecWorstCase, "secWorstCase", "Worst case over the AL or gap tolerance"},
    {T::ColLow, "colLow", "Lowest"},
    {T::ColNominal, "colNominal", "As designed"},
    {T::ColHigh, "colHigh", "Highest"},
    {T::Tolerance, "tolerance", "Tolerance"},
    {T::ToleranceAl, "toleranceAl", "AL \xB1%1 %"},
    {T::ToleranceGap, "toleranceGap", "gap \xB1%1 mm"},
    {T::RangeAl, "rangeAl", "AL"},
    {T::RangeL, "rangeL", "Inductance"},
    {T::RangeDi, "rangeDi", "Current ripple"},
    {T::RangeIpk, "rangeIpk", "Peak current"},
    {T::RangeBpk, "rangeBpk", "Peak flux density"},
    {T::PermittedBpk, "permittedBpk", "Permitted peak flux density"},
    {T::WorstCaseHolds, "worstCaseHolds",
     "The peak flux density stays within the permitted value over the whole tolerance."},
    {T::WorstCaseFails, "worstCaseFails",
     "At the high-AL end of the tolerance the peak flux density exceeds the permitted value."},
    {T::SecPlots, "secPlots", "Plots"},
    {T::PlotLoss, "plotLoss", "Specific core loss at %1 kHz"},
    {T::PlotLossX, "plotLossX", "Flux amplitude, T"},
    {T::PlotLossY, "plotLossY", "Pv, mW/cm\\u00B3"},
    {T::SeriesTable, "seriesTable", "material"},
    {T::SeriesPoint, "seriesPoint", "operating point"},
    {T::SeriesLimit, "seriesLimit", "limit"},
    {T::PlotWave, "plotWave", "Current and flux density over one period"},
    {T::PlotWaveX, "plotWaveX", "t, \xB5s"},
    {T::PlotWaveY, "plotWaveY", "i, A"},
    {T::PlotWaveRight, "plotWaveRight", "B, T"},
    {T::SeriesCurrent, "seriesCurrent", "current"},
    {T::SecInstruction, "secInstruction", "Winding instruction"},
    {T::StepCore, "stepCore", "Core %1, material %2."},
    {T::StepTurns, "stepTurns", "Wind %1 turns."},
    {T::StepWire, "stepWire", "Wire %1, %2 wire(s) in parallel, wound together as one."},
    {T::StepGapCentre, "stepGapCentre",
     "Air gap %1 mm: ground into the centre leg, or a non-magnetic spacer of %2 mm between the "
     "core halves (the flux crosses a spacer twice)."},
    {T::StepGapNone, "stepGapNone", "No air gap: the core halves touch."},
    {T::StepGapRing, "stepGapRing",
     "A ring core, ferrite or powder, is not sold gapped: the gap of %1 mm given here cannot be built; wind the ring "
     "ungapped (gap 0) and calculate again."},
    {T::StepAl, "stepAl", "Use a core set with AL = %1 nH/turn\\u00B2 (gapped by its maker)."},
    {T::StepExpected, "stepExpected", "Expected inductance %1 %2, between %3 and %4 %2 (%5)."},
    {T::StepCheck, "stepCheck", "Measure the inductance at low current before mounting: it should lie in that range."},
    {T::StepStopped, "stepStopped",
     "The calculation stopped before the wire was chosen: calculate again before winding."},
    {T::NotAvailable, "notAvailable", "\x97"},
    {T::UnitMm, "unitMm", "mm"},
    {T::UnitM, "unitM", "m"},
    {T::UnitMOhm, "unitMohm", "m\\u03A9"},
    {T::UnitW, "unitW", "W"},
    {T::UnitK, "unitK", "K"},
    {T::UnitDegC, "unitDegc",
     "\xB0"
     "C"},
    {T::UnitCm2, "unitCm2", "cm\\u00B2"},
    {T::UnitT, "unitT", "T"},
    {T::UnitMwCm3, "unitMwCm3", "mW/cm\\u00B3"},
    {T::UnitKHz, "unitKhz", "kHz"},
    {T::UnitUs, "unitUs", "\xB5s"},
    {T::UnitUH, "unitUh", "\xB5H"},
    {T::UnitA, "unitA", "A"},
    {T::UnitV, "unitV", "V"},
    {T::UnitNH, "unitNh", "nH/turn\\u00B2"},
    {T::MenuExport, "menuExport", "Export report..."},
    {T::ExportCaption, "exportCaption", "Export the design report"},
    {T::ExportFilterPdf, "exportFilterPdf", "PDF document"},
    {T::ExportFilterHtml, "exportFilterHtml", "Web page (one file)"},
    {T::ExportFailed, "exportFailed", "The report could not be written:"},
    {T::SecChecks, "secChecks", "Checks"},
    {T::CheckRipple, "checkRipple", "Ripple within twice the nominal current"},
    {T::CheckFluxNominal, "checkFluxNominal", "Peak flux density, nominal AL"},
    {T::CheckFluxSpread, "checkFluxSpread", "Peak flux density, high end of AL"},
    {T::CheckFill, "checkFill", "Fill factor at most 0.4"},
    {T::CheckRise, "checkRise", "Temperature rise within the limit"},
    {T::CheckLossData, "checkLossData", "Core loss from within the loss table"},
    {T::CheckPassed, "checkPassed", "passed"},
    {T::CheckFailed, "checkFailed", "FAILED"},
    {T::ChecksPass, "checksPass", "The design passes every check below."},
    {T::ChecksFail, "checksFail", "The design fails %1 of the checks below: do not build it as it stands."},
    {T::SpreadMaker, "spreadMaker", "the maker's AL tolerance"},
    {T::SpreadGap, "spreadGap", "from the gap tolerance \xB1%1 mm"},
    {T::RingGapWarning, "ringGapWarning",
     "A ring core, ferrite or powder, is not sold gapped: this gap cannot be built. Design the ring ungapped (gap 0)."},
    {T::CheckSaturation, "checkSaturation", "Below saturation by the margin"},
    {T::CheckMinInductance, "checkMinInductance", "Inductance at the low end of AL"},
    {T::CheckRunaway, "checkRunaway",
     "No thermal runaway (below 200 \xB0"
     "C)"},
    {T::CheckMinGap, "checkMinGap", "Gap at least the minimum gap"},
    {T::CheckRingGap, "checkRingGap", "No gap in a ring core"},
    {T::CheckAcResistance, "checkAcResistance", "AC copper loss at most 25 %"},
    {T::CheckGapFringing, "checkGapFringing", "Gap at most 1 mm (fringing)"},
    {T::CheckCaution, "checkCaution", "caution"},
    {T::ChecksUnchecked, "checksUnchecked",
     "The design is not fully checked: %1 of the checks below could not be evaluated."},
    {T::SaturationAt, "saturationAt",
     "%1 A; Bsat %2 T at %3 \xB0"
     "C, margin %4 %"},
    {T::SaturationExtrapolated, "saturationExtrapolated",
     "Bsat above 100 \xB0"
     "C extrapolated towards the Curie temperature"},
    {T::SaturationFromBmax, "saturationFromBmax",
     "the material file gives no Bsat25 and Tcurie: Bmax taken at every temperature"},
    {T::AcSuggestion, "acSuggestion",
     "Less AC loss: %1 strands of %2 mm (two skin depths) give the same copper section; or wind fewer layers."},
    {T::StepGapLegs, "stepGapLegs",
     "Air gap %1 mm: %2 mm ground into each leg of the U core, or a non-magnetic spacer of %2 mm between the core "
     "halves (the flux crosses both legs)."},
    {T::StepGapNoneRing, "stepGapNoneRing", "No air gap: the ring is wound as it is."},
    {T::SecConverter, "secConverter", "From the converter"},
    {T::ConverterRequest, "converterRequest", "Request"},
    {T::ConverterBuck, "converterBuck", "buck"},
    {T::ConverterBoost, "converterBoost", "boost"},
    {T::ConverterInverting, "converterInverting", "inverting buck-boost"},
    {T::ConverterLine, "converterLine",
     "%1, %2\x96"
     "%3 V in, %4 V / %5 A out, %6 ripple, %7 kHz"},
    {T::ConverterLightLoad, "converterLightLoad", "light load %1 A"},
    {T::ConverterPoint, "converterPoint", "Point"},
    {T::ConverterVin, "converterVin", "Input voltage, V"},
    {T::ConverterDuty, "converterDuty", "Duty cycle, %"},
    {T::ConverterCurrent, "converterCurrent", "Inductor current, A"},
    {T::ConverterRipple, "converterRipple", "Ripple, A"},
    {T::ConverterPeak, "converterPeak", "Peak current, A"},
    {T::ConverterAtMin, "converterAtMin", "minimum input"},
    {T::ConverterAtMax, "converterAtMax", "maximum input"},
    {T::ConverterWorst, "converterWorst", "worst point"},
    {T::CheckRollOff, "checkRollOff", "Half the permeability kept at the peak current (powder)"},
    {T::SecBias, "secBias", "Inductance under DC bias"},
    {T::BiasModelPowder, "biasModelPowder",
     "The maker's roll-off fit of the powder: \xB5(H) = \xB5i \xB7 0.01 / (a + b \xB7 H^c), H = N \xB7 I / le "
     "(Magnetics, permeability against DC bias). The gap is distributed in the material: the required-gap figure of "
     "the window has no meaning for it."},
    {T::BiasModelFerrite, "biasModelFerrite",
     "An estimate: the gap holds the inductance while the ferrite's permeability falls as \xB5 (1 - B / Bsat) toward "
     "Bsat = %1 T (Froehlich-Kennelly). It shows where the core starts to saturate; no check uses it."},
    {T::BiasTemperature, "biasTemperature",
     "\xB5i at %1 \xB0"
     "C: factor %2 by the maker's temperature curve."},
    {T::BiasNoTemperature, "biasNoTemperature",
     "The maker gives no temperature curve of \xB5i for this material: \xB5i as at room temperature."},
    {T::BiasField, "biasField", "Field at the nominal current, H"},
    {T::UnitAPerM, "unitAPerM", "A/m"},
    {T::BiasLZero, "biasLZero", "Inductance at 0 A"},
    {T::BiasLNominal, "biasLNominal", "Inductance at the nominal current"},
    {T::BiasLPeak, "biasLPeak", "Inductance at the peak current"},
    {T::BiasRetained, "biasRetained", "Permeability kept, nominal / peak current"},
    {T::BiasRipple, "biasRipple", "Ripple at full load (from the inductance at the nominal current)"},
    {T::BiasPeakCurrent, "biasPeakCurrent", "Peak current under bias"},
    {T::BiasPeakFlux, "biasPeakFlux", "Peak flux density under bias"},
    {T::RollOffCaution, "rollOffCaution",
     "Less than half the permeability remains at the peak current: the inductance collapses there. Take a larger core "
     "or a lower permeability."},
    {T::PlotBias, "plotBias", "Inductance against current"},
    {T::PlotBiasX, "plotBiasX", "Current, A"},
    {T::PlotBiasY, "plotBiasY", "Inductance, \xB5H"},
    {T::SeriesBias, "seriesBias", "L(I)"},
    {T::SeriesNominal, "seriesNominal", "nominal current"},
    {T::SeriesPeak, "seriesPeak", "peak current"},
    {T::SecPoints, "secPoints", "Operating points"},
    {T::PointsNote, "pointsNote",
     "The choke as designed (its turns, gap and wire) at each input voltage the converter runs at. Each check is taken "
     "at the point where it is hardest; the last row names the checks a point decides."},
    {T::PointLow, "pointLow", "low end"},
    {T::PointHigh, "pointHigh", "high end"},
    {T::PointRipple, "pointRipple", "largest ripple"},
    {T::PointCurrent, "pointCurrent", "highest current"},
    {T::RowPointVin, "rowPointVin", "Input voltage, V"},
    {T::RowPointDuty, "rowPointDuty", "Duty cycle"},
    {T::RowPointCurrent, "rowPointCurrent", "Average current, A"},
    {T::RowPointRipple, "rowPointRipple", "Ripple, A"},
    {T::RowPointPeak, "rowPointPeak", "Peak current, A"},
    {T::RowPointRms, "rowPointRms", "RMS current, A"},
    {T::RowPointBpk, "rowPointBpk", "Peak flux density, T"},
    {T::RowPointBac, "rowPointBac", "Flux density amplitude, T"},
    {T::RowPointBdc, "rowPointBdc", "DC flux density, T"},
    {T::RowPointWaveform, "rowPointWaveform", "Waveform factor"},
    {T::RowPointCore, "rowPointCore", "Core loss, W"},
    {T::RowPointCopperDc, "rowPointCopperDc", "Copper loss DC, W"},
    {T::RowPointCopperAc, "rowPointCopperAc", "Copper loss AC, W"},
    {T::RowPointTemperature, "rowPointTemperature",
     "Temperature, \xB0"
     "C"},
    {T::RowPointRise, "rowPointRise", "Temperature rise, K"},
    {T::RowPointDecides, "rowPointDecides", "Checks decided here"},
    {T::CheckDiscontinuous, "checkDiscontinuous", "Continuous conduction at the light load"},
    {T::DiscontinuousNote, "discontinuousNote",
     "At the light load the choke's current (%1 A at %2 V) is below half the ripple: below %3 A conduction becomes "
     "discontinuous, where the continuous-conduction figures no longer hold."},
};
static_assert(std::size(kEntries) == kTextCount, "one entry per text");

}  // namespace

std::string_view TextKey(T text) { return kEntries[static_cast<int>(text)].key; }
std::string_view EnglishText(T text) { return kEntries[static_cast<int>(text)].english; }

ReportTexts::ReportTexts() {
  for (const Entry& e : kEntries) texts_[static_cast<int>(e.text)] = e.english;
}

ReportTexts ReportTexts::FromSection(const WordKeyedSection& section) {
  ReportTexts t;
  for (const Entry& e : kEntries)
    if (const std::string* text = section.Find(e.key)) {
      t.texts_[static_cast<int>(e.text)] = *text;
      ++t.fromFile_;
    }
  return t;
}

ReportTexts ReportTexts::FromLanguageText(std::string_view fileText) {
  return FromSection(WordKeyedSection::Parse(fileText, kReportSectionName));
}

std::string ReportTexts::Fill(T text, std::initializer_list<std::string_view> args) const {
  return FillTemplate((*this)(text), args);
}

std::string FillTemplate(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
      const std::size_t n = static_cast<std::size_t>(pattern[i + 1] - '1');
      if (n < args.size()) out += *(args.begin() + n);
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace velmora::report
