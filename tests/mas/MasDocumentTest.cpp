// SPDX-License-Identifier: GPL-3.0-or-later
// The MAS document: written in SI units and read back to the same numbers,
// every document that is not one refused with its first problem.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <nlohmann/json.hpp>

#include "mas/MasDocument.h"

namespace velmora::mas {
namespace {

// A ring core of a Cyrillic-named material ("Феррит" in Windows-1251).
MasDesign SampleDesign() {
  MasDesign d;
  d.inductance_uH = 47;
  d.frequency_kHz = 150;
  d.ambient_C = 40;
  d.currentOffset_A = 10;
  d.currentRipple_A = 0.61;
  d.dutyCycle = 1.0 / 3;
  d.voltagePeakToPeak_V = 36;
  d.coreName = "R 22.1/13.7/6.35";
  d.shape = "T 22.1/13.7/6.3";
  d.material = "N87 \xD4\xE5\xF0\xF0\xE8\xF2";
  d.toroidal = true;
  d.gap_mm = 0.3;
  d.turns = 17;
  d.parallels = 2;
  d.conductingDiameter_mm = 1.06;
  d.outerDiameter_mm = 1.14;
  d.coreLoss_W = d.windingLoss_W = 0.5;
  d.lossTemperature_C = 100;
  d.temperature_C = 71.5;
  d.actualInductance_uH = 48.2;
  d.inductanceFactor_nH = 166.8;
  return d;
}

TEST(MasDocument, DecimalShiftIsExactForTypedValues) {
  struct Case {
    double value;
    int exponent;
    double expected;
  } const cases[] = {
      {47, -6, 4.7e-05},   {4.7e-05, 6, 47}, {0.3, -3, 0.0003}, {150, 3, 150000},
      {1.06, -3, 0.00106}, {0.1, 1, 1},      {0, 5, 0},         {-2.5, 2, -250},
  };
  for (const Case& c : cases) EXPECT_EQ(ShiftDecimal(c.value, c.exponent), c.expected) << c.value << " " << c.exponent;
  EXPECT_TRUE(std::isnan(ShiftDecimal(std::nan(""), 3)));
  // Every value of up to 15 digits survives the way to SI and back.
  for (double raw = 0.001; raw < 1e6; raw = raw * 1.37 + 0.011) {
    char typed[32];
    std::snprintf(typed, sizeof typed, "%.6g", raw);
    const double v = std::strtod(typed, nullptr);
    for (const int e : {-9, -6, -3, 3}) EXPECT_EQ(ShiftDecimal(ShiftDecimal(v, e), -e), v) << typed;
  }
}

TEST(MasDocument, WrittenDesignReadsBackInProgramUnits) {
  const MasDesign d = SampleDesign();
  ASSERT_EQ(MasDesignProblem(d), "");
  const std::string text = WriteMasDocument(d);
  const auto json = nlohmann::json::parse(text);
  EXPECT_EQ(json["masConformance"], "A");
  EXPECT_EQ(json["inputs"]["designRequirements"]["magnetizingInductance"]["nominal"].get<double>(), 4.7e-05);
  const auto& core = json["magnetic"]["core"]["functionalDescription"];
  EXPECT_EQ(core["type"], "toroidal");
  EXPECT_EQ(core["gapping"][0]["length"].get<double>(), 0.0003);
  const auto& winding = json["magnetic"]["coil"]["functionalDescription"][0];
  EXPECT_TRUE(winding["numberTurns"].is_number_integer());
  EXPECT_EQ(winding["wire"]["outerDiameter"]["nominal"].get<double>(), 0.00114);
  EXPECT_EQ(json["outputs"][0]["inductance"]["magnetizingInductance"]["coreReluctance"].get<double>(), 1 / 166.8e-9);

  const MasReadResult read = ReadMasDocument(text);
  ASSERT_TRUE(read.design) << read.detail;
  const MasImport& in = *read.design;
  EXPECT_EQ(in.inductance_uH, d.inductance_uH);
  EXPECT_EQ(in.frequency_kHz, d.frequency_kHz);
  EXPECT_EQ(in.ambient_C, d.ambient_C);
  EXPECT_EQ(in.currentOffset_A, d.currentOffset_A);
  EXPECT_EQ(in.voltagePeakToPeak_V, d.voltagePeakToPeak_V);
  EXPECT_EQ(in.dutyCycle, d.dutyCycle);  // 1/3: the shortest decimal reads back as the same double
  EXPECT_EQ(in.gap_mm, d.gap_mm);
  EXPECT_EQ(in.shape, d.shape);
  EXPECT_EQ(in.material, d.material);

  // Outputs that are no positive number are left out, and so is no gap.
  MasDesign spoilt = d;
  spoilt.coreLoss_W = std::nan("");
  spoilt.gap_mm = 0;
  const auto bare = nlohmann::json::parse(WriteMasDocument(spoilt));
  EXPECT_FALSE(bare["outputs"][0].contains("coreLosses"));
  EXPECT_TRUE(bare["magnetic"]["core"]["functionalDescription"]["gapping"].empty());
}

TEST(MasDocument, ProblemNamesTheFirstUnfitFigure) {
  const std::pair<void (*)(MasDesign&), const char*> cases[] = {
      {[](MasDesign& d) { d.inductance_uH = std::nan(""); }, "inductance"},
      {[](MasDesign& d) { d.ambient_C = -300; }, "ambient temperature"},
      {[](MasDesign& d) { d.dutyCycle = 1.5; }, "duty cycle"},
      {[](MasDesign& d) { d.turns = 0; }, "turns"},
      {[](MasDesign& d) { d.parallels = 0; }, "wire"},
  };
  for (const auto& [spoil, problem] : cases) {
    MasDesign d = SampleDesign();
    spoil(d);
    EXPECT_EQ(MasDesignProblem(d), problem);
  }
}

TEST(MasDocument, RefusesWhatIsNoClassADesign) {
  const std::string inductance = R"("inputs":{"designRequirements":{"magnetizingInductance":{"nominal":1e-4}}})";
  const std::string core = R"("core":{"functionalDescription":{"shape":"E 25/13/7"}})";
  const std::string coil = R"("coil":{"functionalDescription":[{"name":"Primary"}]})";
  struct Case {
    std::string text;
    MasError error;
    std::string detail;
  } const cases[] = {
      {"", MasError::kNotJson, "parse error at line 1, column 1"},
      {"{\"inputs\": ", MasError::kNotJson, "parse error"},
      {"[1, 2]", MasError::kLacksPart, "inputs.designRequirements.magnetizingInductance"},
      {R"({"inputs":{"designRequirements":{"magnetizingInductance":{"nominal":"1e-4"}}}})", MasError::kLacksPart,
       "inputs.designRequirements.magnetizingInductance"},
      {"{" + inductance + "}", MasError::kLacksPart, "magnetic.core"},
      {"{" + inductance + R"(,"magnetic":{"core":"E 25"}})", MasError::kLacksPart, "magnetic.core"},
      {"{" + inductance + ",\"magnetic\":{" + core + "}}", MasError::kLacksPart,
       "magnetic.coil.functionalDescription[0]"},
      {"{" + inductance + ",\"magnetic\":{" + core + R"(,"coil":{"functionalDescription":[]}}})", MasError::kLacksPart,
       "magnetic.coil.functionalDescription[0]"},
      {"{" + inductance + ",\"magnetic\":{" + core + "," + coil + "}}", MasError::kNone, ""},
      // There, but too large for the program's unit: out of range, not missing.
      {R"({"inputs":{"designRequirements":{"magnetizingInductance":{"nominal":1e308}}}})", MasError::kOutOfRange,
       "inputs.designRequirements.magnetizingInductance = {\"nominal\":1e+308}"},
      // Nesting is bounded while parsing; a bracket inside a string is text.
      {std::string(65, '[') + std::string(65, ']'), MasError::kNotJson,
       "parse error at line 1, column 65: nesting deeper than 64 levels"},
      {std::string(16 << 20, '['), MasError::kNotJson, "column 65: nesting deeper"},
      {"[\n\"[[[[\\\"\"," + std::string(63, '[') + std::string(64, ']'), MasError::kLacksPart, "inputs."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const MasReadResult read = ReadMasDocument(c.text);
    EXPECT_EQ(read.error, c.error);
    EXPECT_EQ(read.design.has_value(), c.error == MasError::kNone);
    EXPECT_NE(read.detail.find(c.detail), std::string::npos) << read.detail;
  }
}

TEST(MasDocument, ReadsTheUsableParts) {
  // Gaps without a type are subtractive; residual ones are the halves' own;
  // additive and negative ones are named, not taken; a tolerance without
  // nominal gives its middle.
  const std::string text =
      R"({"inputs":{"designRequirements":{"magnetizingInductance":{"minimum":9e-5,"maximum":1.1e-4}},
    "operatingPoints":[{"conditions":{"ambientTemperature":25},"excitationsPerWinding":[{"frequency":1e5,
      "current":{"processed":{"label":"triangular","average":3,"dutyCycle":0.4}},
      "voltage":{"processed":{"label":"rectangular","peakToPeak":24}}}]}]},
    "magnetic":{"core":{"name":"my \u78c1\u0000core","functionalDescription":{"material":{"name":"3C90"},
      "gapping":[{"type":"subtractive","length":0.0005},{"length":0.0005},{"type":"residual","length":1e-5},
                 {"type":"additive","length":0.001},{"type":"subtractive","length":-1}]}},
    "coil":{"functionalDescription":[{"name":"Primary"}]}}})";
  const MasReadResult read = ReadMasDocument(text);
  ASSERT_TRUE(read.design) << read.detail;
  const MasImport& in = *read.design;
  EXPECT_DOUBLE_EQ(in.inductance_uH, 100);
  EXPECT_EQ(in.frequency_kHz, 100);
  EXPECT_EQ(in.currentOffset_A, 3);
  EXPECT_EQ(in.dutyCycle, 0.4);
  EXPECT_EQ(in.voltagePeakToPeak_V, 24);
  EXPECT_EQ(in.shape, "my ??core");  // what Windows-1251 text cannot hold
  EXPECT_EQ(in.material, "3C90");
  EXPECT_EQ(in.notTaken, std::vector<std::string>({"magnetic.core.functionalDescription.gapping[3].type = \"additive\"",
                                                   "magnetic.core.functionalDescription.gapping[4].length = -1"}));
  EXPECT_FALSE(in.gap_mm);  // not the sum of the others: left as it was
}

// Every gap that cannot be taken is named, and then no gap is taken.
TEST(MasDocument, GapsTakenOrNamed) {
  const struct {
    const char* gapping;
    std::optional<double> gap_mm;
    const char* named;  // the end of the only part named, or empty
  } cases[] = {
      {"", 0.0, ""},
      {R"(,"gapping":[])", 0.0, ""},
      {R"(,"gapping":[{"type":"residual","length":1e-5},{"length":3e-4}])", 0.3, ""},
      {R"(,"gapping":[{"type":"subtractive","length":"0.001"}])", std::nullopt, "gapping[0].length = \"0.001\""},
      {R"(,"gapping":[{"type":7,"length":0.001}])", std::nullopt, "gapping[0].type = 7"},
      {R"(,"gapping":[{"type":"subtractive"}])", std::nullopt, "gapping[0].length"},
      {R"(,"gapping":{"length":0.001})", std::nullopt, "gapping = {\"length\":0.001}"},
      {R"(,"gapping":[{"length":1.5e308},{"length":1.5e308}])", std::nullopt, "the sum of the lengths is out of range"},
      {R"(,"gapping":[{"length":1e306}])", std::nullopt, "the sum of the lengths is out of range"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.gapping);
    const MasReadResult read = ReadMasDocument(
        std::string(R"({"inputs":{"designRequirements":{"magnetizingInductance":1e-4}},"magnetic":{"core":)"
                    R"({"functionalDescription":{"shape":"E 25")") +
        c.gapping + R"(}},"coil":{"functionalDescription":[{}]}}})");
    ASSERT_TRUE(read.design) << read.detail;
    EXPECT_EQ(read.design->gap_mm, c.gap_mm);
    const std::vector<std::string>& named = read.design->notTaken;
    ASSERT_EQ(named.size(), *c.named ? 1u : 0u);
    if (*c.named) {
      EXPECT_TRUE(named[0].ends_with(c.named)) << named[0];
    }
  }
}

// A buck or boost converter is read with the format's defaults; one whose
// numbers cannot be taken names them and gives no converter.
TEST(MasDocument, ConverterReadOrNamed) {
  const auto buck = [](const std::string& drop) {
    return R"("buck":{"inputVoltage":{"nominal":12},"currentRippleRatio":0.3,"diodeVoltageDrop":)" + drop +
           R"(,"operatingPoints":[{"outputVoltages":[5],"outputCurrents":[2],"switchingFrequency":2e5}]})";
  };
  const struct {
    std::string information;
    std::optional<MasConverter> converter;  // without an efficiency, the format's default
    std::vector<std::string> notTaken;
  } cases[] = {
      {buck("0.5"), MasConverter{MasTopology::kBuck, 12, 12, 5, 2, 0.5, 0.3, 0.95, 200}, {}},
      {buck("\"0.5\""),
       std::nullopt,
       {"inputs.converterInformation.supportedTopologies.buck.diodeVoltageDrop = \"0.5\""}},
  };
  for (const auto& c : cases) {
    const MasReadResult r =
        ReadMasDocument(R"({"inputs":{"designRequirements":{"magnetizingInductance":1e-4,"topology":"buckConverter"},)"
                        R"("converterInformation":{"supportedTopologies":{)" +
                        c.information + R"(}}},"magnetic":{"core":{},"coil":{"functionalDescription":[{}]}}})");
    ASSERT_TRUE(r.design) << r.detail;
    EXPECT_EQ(r.design->converter, c.converter) << c.information;
    EXPECT_EQ(r.design->notTaken, c.notTaken);
  }
}

}  // namespace
}  // namespace velmora::mas
