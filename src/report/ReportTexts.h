// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words of the report, in the interface language: the language file's
// word-keyed section "REPORT" ("title", "secInputs", ...). A key the file does
// not hold gives the built-in English text, so an old language file still
// gives a whole report. Texts are Windows-1251.
#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

#include "lang/WordKeyedSection.h"

namespace velmora::report {

enum class T : int {
  Title,
  Program,
  Date,
  DesignFile,
  LastDesign,
  SecCore,
  CoreName,
  Material,
  MaterialMu,
  MaterialBmax,
  MaterialBmmax,
  NoDataMaterial,
  SecInputs,
  SecResults,
  Purpose,
  PurposeOutput,
  PurposeOther,
  GapGiven,
  AlGiven,
  FromMinimum,
  SecMessages,
  NoMessages,
  SecWinding,
  Mlt,
  Estimated,
  FromCoreData,
  WireLength,
  WindingTemperature,
  Resistance,
  CopperLoss,
  SkinDepth,
  SkinRatio,
  SkinNote,
  SecLosses,
  CoreLoss,
  TotalLoss,
  Surface,
  TemperatureRise,
  RiseNote,
  Ambient,
  OperatingTemperature,
  CoreLossOperating,
  CoreLossSine,
  WaveformFactor,
  WindingLayers,
  PenetrationRatio,
  AcFactor,
  CopperLossAc,
  BreadthNote,
  At100,
  Runaway,
  SecLossModel,
  OperatingPoint,
  SpecificLoss,
  LossLimit,
  FluxAtLimit,
  TableCell,
  NoteOutsideF,
  NoteOutsideB,
  NoteMissingCell,
  NoteNoData,
  SecWorstCase,
  ColLow,
  ColNominal,
  ColHigh,
  Tolerance,
  ToleranceAl,
  ToleranceGap,
  RangeAl,
  RangeL,
  RangeDi,
  RangeIpk,
  RangeBpk,
  PermittedBpk,
  WorstCaseHolds,
  WorstCaseFails,
  SecPlots,
  PlotLoss,
  PlotLossX,
  PlotLossY,
  SeriesTable,
  SeriesPoint,
  SeriesLimit,
  PlotWave,
  PlotWaveX,
  PlotWaveY,
  PlotWaveRight,
  SeriesCurrent,
  SecInstruction,
  StepCore,
  StepTurns,
  StepWire,
  StepGapCentre,
  StepGapNone,
  StepGapRing,
  StepAl,
  StepExpected,
  StepCheck,
  StepStopped,
  NotAvailable,
  UnitMm,
  UnitM,
  UnitMOhm,
  UnitW,
  UnitK,
  UnitDegC,
  UnitCm2,
  UnitT,
  UnitMwCm3,
  UnitKHz,
  UnitUs,
  UnitUH,
  UnitA,
  UnitV,
  UnitNH,
  MenuExport,
  ExportCaption,
  ExportFilterPdf,
  ExportFilterHtml,
  ExportFailed,
  SecChecks,
  CheckRipple,
  CheckFluxNominal,
  CheckFluxSpread,
  CheckFill,
  CheckRise,
  CheckLossData,
  CheckPassed,
  CheckFailed,
  ChecksPass,
  ChecksFail,
  SpreadMaker,
  SpreadGap,
  RingGapWarning,
  CheckSaturation,
  CheckMinInductance,
  CheckRunaway,
  CheckMinGap,
  CheckRingGap,
  CheckAcResistance,
  CheckGapFringing,
  CheckCaution,
  ChecksUnchecked,
  SaturationAt,
  SaturationExtrapolated,
  SaturationFromBmax,
  AcSuggestion,
  StepGapLegs,
  StepGapNoneRing,
  SecConverter,
  ConverterRequest,
  ConverterBuck,
  ConverterBoost,
  ConverterInverting,
  ConverterLine,
  ConverterLightLoad,
  ConverterPoint,
  ConverterVin,
  ConverterDuty,
  ConverterCurrent,
  ConverterRipple,
  ConverterPeak,
  ConverterAtMin,
  ConverterAtMax,
  ConverterWorst,
  SecPoints,
  PointsNote,
  PointLow,
  PointHigh,
  PointRipple,
  PointCurrent,
  RowPointVin,
  RowPointDuty,
  RowPointCurrent,
  RowPointRipple,
  RowPointPeak,
  RowPointRms,
  RowPointBpk,
  RowPointBac,
  RowPointBdc,
  RowPointWaveform,
  RowPointCore,
  RowPointCopperDc,
  RowPointCopperAc,
  RowPointTemperature,
  RowPointRise,
  RowPointDecides,
  CheckDiscontinuous,
  DiscontinuousNote,
  kCount
};
inline constexpr int kTextCount = static_cast<int>(T::kCount);

// The file key of a text ("secInputs").
std::string_view TextKey(T text);
// The built-in English text.
std::string_view EnglishText(T text);

class ReportTexts {
 public:
  // English.
  ReportTexts();
  // The texts of the section, English for every key it lacks.
  static ReportTexts FromSection(const WordKeyedSection& section);
  // The same from a language file's text.
  static ReportTexts FromLanguageText(std::string_view fileText);

  const std::string& operator()(T text) const { return texts_[static_cast<int>(text)]; }
  // The text with %1, %2 ... replaced by the arguments (never read as a format).
  std::string Fill(T text, std::initializer_list<std::string_view> args) const;
  // How many texts the language file gave (the rest are English).
  int FromFile() const { return fromFile_; }

 private:
  std::array<std::string, kTextCount> texts_;
  int fromFile_ = 0;
};

// "%1" ... "%9" in a template replaced by the arguments; other text as it is.
std::string FillTemplate(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace velmora::report
