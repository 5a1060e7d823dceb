// SPDX-License-Identifier: GPL-3.0-or-later
// The report's content: the window's numbers as the window shows them, the
// details of the same calculation, the instruction, the messages.
#include <cmath>
#include <cstdio>
#include <random>
#include <tuple>
#include <variant>

#include "app/ControlIds.h"
#include "report/ReportFixture.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"
#include "textfile/Limits.h"

namespace velmora::test {
namespace {

using report::T;

std::string F(const char* format, double v) {
  char b[64];
  std::snprintf(b, sizeof b, format, v);
  return b;
}

const report::Field* FieldLabelled(const std::vector<report::Field>& fields, const std::string& label) {
  for (const auto& f : fields)
    if (f.label == label) return &f;
  return nullptr;
}

std::string Cp(const std::string& utf8) { return Utf8ToCp1251(utf8).value(); }

// The fields of one section.
std::vector<report::Field> FieldsOf(const report::Document& doc, const std::string& section) {
  report::Document one;
  for (const auto& s : doc.sections)
    if (s.title == section) one.sections.push_back(s);
  return ReportTest::AllFields(one);
}

void Set(std::vector<std::pair<std::string, std::string>>& fields, const std::string& key, const std::string& value) {
  for (auto& [k, v] : fields)
    if (k == key) v = value;
}

bool Contains(const std::vector<std::string>& texts, const std::string& part) {
  for (const auto& t : texts)
    if (t.find(part) != std::string::npos) return true;
  return false;
}

// Every result of the window, by its caption: the label text, and the number
// the calculation gave in the window's format.
TEST_F(ReportTest, ResultsAreTheWindowsLabelsAndTheCalculationsNumbers) {
  Start(Example("E 30/15/7", 0, "0.4"));
  host.ClearShown();
  const report::Document doc = Build();
  const ChokeResults& r = *dlg->Model().LastCalculation();
  // The results alone: inputs and results share some captions.
  const auto fields = std::get<report::FieldList>(FindSection(doc, texts(T::SecResults))->blocks[0]).fields;
  const auto all = AllFields(doc);
  using namespace ids;
  const std::pair<int, int> captioned[] = {
      {IDC_CAP_REQUIRED, IDC_RES_REQUIRED}, {IDC_CAP_AL, IDC_RES_AL},       {IDC_CAP_MUE, IDC_RES_MUE},
      {IDC_CAP_BPK, IDC_RES_BPK},           {IDC_CAP_BAC, IDC_RES_BAC},     {IDC_CAP_PCORE, IDC_RES_PCORE},
      {IDC_CAP_FILL, IDC_RES_FILL},         {IDC_CAP_LACT, IDC_RES_LACT},   {IDC_CAP_TURNS, IDC_RES_TURNS},
      {IDC_CAP_WIRE, IDC_RES_WIRE},         {IDC_CAP_WIRES, IDC_RES_WIRES}, {IDC_CAP_JACT, IDC_RES_JACT},
      {IDC_CAP_IPK, IDC_RES_IPK},           {IDC_CAP_DI, IDC_RES_DI}};
  for (const auto& [caption, value] : captioned) {
    const report::Field* f = FieldLabelled(fields, dlg->GetItemText(caption));
    ASSERT_NE(f, nullptr) << dlg->GetItemText(caption);
    EXPECT_EQ(f->value, dlg->GetItemText(value)) << f->label;
  }
  EXPECT_EQ(FieldLabelled(fields, dlg->GetItemText(IDC_CAP_TURNS))->value, F("%.0f", r.N));
  EXPECT_EQ(FieldLabelled(fields, dlg->GetItemText(IDC_CAP_BPK))->value, F("%.3f", r.Bpk));
  EXPECT_EQ(FieldLabelled(fields, dlg->GetItemText(IDC_CAP_PCORE))->value, F("%.3f", r.Pcore));
  EXPECT_EQ(FieldLabelled(fields, dlg->GetItemText(IDC_CAP_FILL))->value, F("%.3f", r.k));
  EXPECT_EQ(FieldLabelled(fields, dlg->GetItemText(IDC_CAP_IPK))->value, F("%.3f", r.Ipk));
  EXPECT_EQ(FieldLabelled(fields, dlg->GetItemText(IDC_CAP_LACT))->value, F("%.3f", r.Lact));
  // The limit goes with the peak flux density.
  EXPECT_NE(FieldLabelled(fields, dlg->GetItemText(IDC_CAP_BPK))->unit.find(F("%.3f", r.Bm)), std::string::npos);
  // Inputs as typed, the core's data as shown.
  EXPECT_EQ(FieldLabelled(all, dlg->GetItemText(IDC_LABEL_L))->value, "47");
  EXPECT_EQ(FieldLabelled(all, texts(T::CoreName))->value, "E 30/15/7");
  EXPECT_EQ(FieldLabelled(all, dlg->GetItemText(IDC_LABEL_AE) + " Ae")->value, dlg->GetItemText(IDC_DATA_AE));
  EXPECT_EQ(FieldLabelled(all, dlg->GetItemText(IDC_LABEL_AE) + " Ae")->unit, "mm2");
  EXPECT_EQ(FieldLabelled(all, texts(T::Material))->value, "N87 Epcos");
  // Producing the report shows no message box and changes no result.
  EXPECT_TRUE(host.shown().empty());
  EXPECT_EQ(dlg->Model().LastCalculation()->N, r.N);
  // Header and the plots of a material with loss data.
  EXPECT_EQ(doc.header[2].value, "design.sav");
  const report::Section* plots = FindSection(doc, texts(T::SecPlots));
  ASSERT_NE(plots, nullptr);
  EXPECT_EQ(std::get<report::PlotRow>(plots->blocks[0]).plots.size(), 2u);
}

// The details are those of the window's calculation: the core loss is the
// label's, the total and the rise are those where the choke settles, the
// winding and instruction agree.
TEST_F(ReportTest, DetailsAndInstructionFollowTheSameCalculation) {
  Start(Example("E 30/15/7", 0, "0.4"));
  const report::Document doc = Build();
  const ChokeResults& r = *dlg->Model().LastCalculation();
  const insight::DesignDetails d = dlg->Model().DescribeLastCalculation().value_or(insight::DesignDetails{});
  const auto fields = FieldsOf(doc, texts(T::SecLosses));
  EXPECT_EQ(FieldLabelled(fields, texts(T::CoreLoss))->value, dlg->GetItemText(ids::IDC_RES_PCORE));
  const insight::ThermalState& settled = d.operating.thermal;
  EXPECT_EQ(FieldLabelled(fields, texts(T::TotalLoss))->value, F("%.3f", settled.core_W + settled.copper_W));
  EXPECT_GT(settled.copper_W, 0);
  EXPECT_EQ(FieldLabelled(fields, texts(T::TemperatureRise))->value, F("%.0f", settled.rise_K));
  EXPECT_EQ(FieldLabelled(fields, texts(T::Ambient))->value, "40");
  EXPECT_GT(r.Pcore, 0);

  const report::Section* steps = FindSection(doc, texts(T::SecInstruction));
  ASSERT_NE(steps, nullptr);
  const auto items = Texts(*steps);
  EXPECT_TRUE(Contains(items, "Wind " + F("%.0f", r.N) + " turns."));
  EXPECT_TRUE(Contains(items, dlg->GetItemText(ids::IDC_RES_WIRE) + " mm, " + dlg->GetItemText(ids::IDC_RES_WIRES)));
  // The given gap in the centre leg, half of it as a spacer.
  EXPECT_TRUE(Contains(items, "Air gap 0.400 mm")) << items[3];
  EXPECT_TRUE(Contains(items, "spacer of 0.200 mm"));
  // The expected inductance with the range the gap tolerance gives.
  EXPECT_TRUE(Contains(items, "Expected inductance " + dlg->GetItemText(ids::IDC_RES_LACT) + " \xB5H, between " +
                                  F("%.3f", d.worstCase.L_uH.min) + " and " + F("%.3f", d.worstCase.L_uH.max)));
  EXPECT_LT(d.worstCase.L_uH.min, r.Lact);
  EXPECT_GT(d.worstCase.L_uH.max, r.Lact);
  EXPECT_TRUE(Contains(items, report::ToleranceText(d.worstCase, texts)));
}

TEST_F(ReportTest, AlGivenRingCoreAndNoDataMaterial) {
  // AL given: the instruction names the core set's AL and a tolerance of 10 %.
  Start(Example("E 30/15/7", 1, "250"));
  auto items = Texts(*FindSection(Build(), texts(T::SecInstruction)));
  EXPECT_TRUE(Contains(items, "AL = 250.0 nH/turn"));  // the squared sign as the language writes it
  EXPECT_TRUE(Contains(items,
                       "AL \xB1"
                       "10.0 % (the maker's AL tolerance)"));

  // A ring: no gap to grind.
  auto ring = Example("R 10/6/4", 0, "0.3");
  Start(ring);
  items = Texts(*FindSection(Build(), texts(T::SecInstruction)));
  EXPECT_TRUE(Contains(items, "A ring core, ferrite or powder, is not sold gapped: the gap of 0.300 mm"));

  // No loss data: no core loss anywhere, no loss plot, the model says why.
  Start(Example("E 30/15/7", 0, "0.2"));
  SelectNoDataMaterial();
  ASSERT_TRUE(dlg->Model().LastCalculation()->noData);
  const report::Document doc = Build();
  const auto losses = FieldsOf(doc, texts(T::SecLosses));
  EXPECT_EQ(FieldLabelled(losses, texts(T::CoreLoss))->value, texts(T::NotAvailable));
  EXPECT_EQ(FieldLabelled(losses, texts(T::TotalLoss))->value, texts(T::NotAvailable));
  // Without a core loss there is no settled state either.
  EXPECT_EQ(FieldLabelled(losses, texts(T::CopperLoss))->value, texts(T::NotAvailable));
  EXPECT_TRUE(Contains(Texts(*FindSection(doc, texts(T::SecLossModel))), texts(T::NoteNoData)));
  const auto& plots = std::get<report::PlotRow>(FindSection(doc, texts(T::SecPlots))->blocks[0]).plots;
  ASSERT_EQ(plots.size(), 1u);
  EXPECT_EQ(plots[0].title, texts(T::PlotWave));
}

// The messages the calculation raised are the report's, and the values they
// warn about are marked.
TEST_F(ReportTest, MessagesOfTheCalculationAndMarkedValues) {
  Start(Example("E 30/15/7", 0, "0.4"));
  EXPECT_TRUE(Contains(Texts(*FindSection(Build(), texts(T::SecMessages))), texts(T::NoMessages)));

  // A small core, a high current density and no gap: overfilled and saturated.
  auto bad = Example("E 13/7/4", 0, "0");
  Set(bad, "j", "1");
  Start(bad);
  const ShownResults& r = *dlg->Model().LastCalculation();
  ASSERT_EQ(r.messages.size(), 2u);
  const report::Document doc = Build();
  const auto messages = Texts(*FindSection(doc, texts(T::SecMessages)));
  ASSERT_EQ(messages.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    std::string oneLine = r.messages[i].text;
    for (char& c : oneLine)
      if (c == '\n') c = ' ';
    EXPECT_EQ(messages[i], oneLine);
  }
  const auto fields = AllFields(doc);
  EXPECT_TRUE(FieldLabelled(fields, dlg->GetItemText(ids::IDC_CAP_BPK))->warning);
  EXPECT_TRUE(FieldLabelled(fields, dlg->GetItemText(ids::IDC_CAP_FILL))->warning);
  EXPECT_FALSE(FieldLabelled(fields, dlg->GetItemText(ids::IDC_CAP_TURNS))->warning);
  EXPECT_TRUE(Contains(Texts(*FindSection(doc, texts(T::SecWorstCase))), texts(T::WorstCaseFails)));
}

// A run stopped at the ripple check has no wire: the instruction says so and
// the details show no numbers they do not have.
TEST_F(ReportTest, RunStoppedByTheRippleCheck) {
  auto low = Example("E 30/15/7", 0, "0.4");
  Set(low, "Inom", "0.01");
  Start(low);
  ASSERT_TRUE(dlg->Model().LastCalculation()->stoppedByRipple);
  // The report calculates what the window holds: the current typed again.
  dlg->UserType(ids::IDC_EDIT_INOM, "0.01");
  const report::Document doc = Build();
  const auto items = Texts(*FindSection(doc, texts(T::SecInstruction)));
  EXPECT_EQ(items.back(), texts(T::StepStopped));
  EXPECT_EQ(FieldLabelled(FieldsOf(doc, texts(T::SecLosses)), texts(T::CopperLoss))->value, texts(T::NotAvailable));
  EXPECT_FALSE(Texts(*FindSection(doc, texts(T::SecMessages))).empty());
  // The ripple failed, nothing after it was checked: "fails 1".
  const report::Section* checks = FindSection(doc, texts(T::SecChecks));
  EXPECT_EQ(Texts(*checks).front(), texts.Fill(T::ChecksFail, {"1"}));
}

// The verdict is the details' one evaluation over random designs: "passes"
// exactly when every check passed, "fails K" with K the failed ones, else
// "not fully checked". A U core's gap goes into both legs.
TEST_F(ReportTest, VerdictFollowsTheChecksOfRandomDesigns) {
  std::mt19937 rng(33);
  auto pick = [&rng](double lo, double hi) { return F("%.2f", std::uniform_real_distribution<double>(lo, hi)(rng)); };
  const char* cores[] = {"E 30/15/7", "ETD 34/17/11", "U 93/76/30", "R 25.3/14.8/10", "PQ 32/20"};
  std::size_t passing = 0;
  for (int i = 0; i < 12; ++i) {
    const std::string core = cores[i % 5];
    auto fields = Example(core, 0, core[0] == 'R' ? "0" : pick(0.05, 1.5));
    for (const auto& [key, lo, hi] : {std::tuple{"L", 5.0, 300.0}, {"Inom", 0.5, 12.0}, {"Fc", 30.0, 300.0}})
      Set(fields, key, pick(lo, hi));
    Start(fields);
    insight::InsightOptions options;
    options.fluxMargin = std::uniform_real_distribution<double>(0, 0.5)(rng);
    const report::Document doc = Build(options);
    const insight::DesignChecks c =
        dlg->Model().DescribeLastCalculation(options).value_or(insight::DesignDetails{}).checks;
    const std::string verdict = Texts(*FindSection(doc, texts(T::SecChecks))).front();
    const std::string expected = c.Failed() > 0     ? texts.Fill(T::ChecksFail, {std::to_string(c.Failed())})
                                 : c.FullyChecked() ? texts(T::ChecksPass)
                                                    : texts(T::ChecksUnchecked);
    EXPECT_EQ(verdict, expected) << core;
    passing += c.Passes();
    if (core[0] == 'U' && !dlg->Model().LastCalculation()->Stopped()) {
      EXPECT_TRUE(Contains(Texts(*FindSection(doc, texts(T::SecInstruction))), "each leg of the U core"));
    }
  }
  EXPECT_LT(passing, 12u);
}

// The report speaks the window's language: the shipped Russian file has every
// text of the report.
TEST_F(ReportTest, ReportInTheWindowsLanguage) {
  auto ru = Example("E 30/15/7", 0, "0.4");
  ru.back().second = "Russian";
  Start(ru);
  const report::ReportTexts russian = report::ReportTexts::FromSection(dlg->Model().Lang().report);
  EXPECT_EQ(russian.FromFile(), report::kTextCount);
  texts = russian;
  const report::Document doc = Build();
  EXPECT_EQ(Cp1251ToUtf8(doc.title), "Отчёт о расчёте дросселя");
  EXPECT_EQ(doc.language, "Russian");
  EXPECT_EQ(Cp1251ToUtf8(FindSection(doc, Cp("Указания по намотке")) ? "ok" : "missing"), "ok");
  // The shipped English file gives every text too.
  const auto english = ReadWholeFile("English.lng", constants::kMaxTextFileBytes);
  ASSERT_TRUE(english);
  EXPECT_EQ(report::ReportTexts::FromLanguageText(*english).FromFile(), report::kTextCount);
}

// The checks: one row per check with its outcome; the verdict above them
// says "passes" only when none failed, and agrees with the worst case.
TEST_F(ReportTest, ChecksListEveryOutcomeAndNeverContradictTheDetails) {
  auto bad = Example("E 13/7/4", 0, "0");
  Set(bad, "j", "1");
  auto ring = Example("R 20/10/7", 0, "0.3");
  // The adviser's design for these inputs: 47 uH held at the low end of the
  // spread, 20 % below saturation.
  auto good = Example("E 30/15/7", 0, "0.46");
  Set(good, "L", "52.223");
  const struct {
    std::vector<std::pair<std::string, std::string>> fields;
    bool passes;
  } kCases[] = {{good, true}, {Example("E 30/15/7", 0, "0.4"), false}, {bad, false}, {ring, false}};
  insight::InsightOptions required;
  required.requiredInductance_uH = 47;
  for (const auto& c : kCases) {
    Start(c.fields);
    const report::Document doc = Build(required);
    const report::Section* checks = FindSection(doc, texts(T::SecChecks));
    ASSERT_NE(checks, nullptr);
    const auto& rows = std::get<report::Table>(checks->blocks[1]).rows;
    ASSERT_EQ(rows.size(), insight::kCheckCount - 1);  // the roll-off row is a powder's only
    std::size_t failed = 0;
    for (const auto& row : rows) failed += row[1] == texts(T::CheckFailed);
    const bool ringGap = c.fields.front().second.rfind("R ", 0) == 0;
    const std::string verdict = Texts(*checks).front();
    EXPECT_EQ(verdict == texts(T::ChecksPass), c.passes) << verdict;
    EXPECT_EQ(failed == 0, c.passes);
    EXPECT_EQ(rows[9][1] == texts(T::CheckFailed), ringGap);
    const bool spreadFails = Contains(Texts(*FindSection(doc, texts(T::SecWorstCase))), texts(T::WorstCaseFails));
    EXPECT_EQ(rows[2][1] == texts(T::CheckFailed), spreadFails);
    EXPECT_EQ(Contains(Texts(*checks), texts(T::RingGapWarning)), ringGap);
    // The checks stand before the messages, on the first page.
    EXPECT_LT(checks, FindSection(doc, texts(T::SecMessages)));
  }
}

// A typed input without Calculate: the report calculates it first.
TEST_F(ReportTest, ReportCalculatesTheTypedInputsFirst) {
  Start(Example("E 30/15/7", 0, "0.4"));
  dlg->UserType(ids::IDC_EDIT_L, "100");
  const report::Document doc = Build();
  const ChokeResults& r = *dlg->Model().LastCalculation();
  EXPECT_EQ(r.read.L, 100);
  EXPECT_TRUE(Contains(Texts(*FindSection(doc, texts(T::SecInstruction))), texts.Fill(T::StepTurns, {F("%.0f", r.N)})));
}

}  // namespace
}  // namespace velmora::test

namespace velmora::test {
namespace {

// A design from the converter states its request and points first; the
// minimum current it left unused is not printed; in Russian as in English.
TEST_F(ReportTest, TheConverterRequestLeadsTheReport) {
  Start(Example("E 30/15/7", 0, "0.4"));
  const std::size_t plainFields = AllFields(Build()).size();
  converter::ConverterRequest buck{.vinMin = 9, .vinMax = 16, .vout = 5, .iout = 6, .ripple = 0.3, .fsw_kHz = 300};
  dlg->Model().SetDesignRequest(buck);
  report::Document doc = Build();
  ASSERT_FALSE(doc.sections.empty());
  const auto& fields = std::get<report::FieldList>(doc.sections[0].blocks.at(0)).fields;
  EXPECT_EQ(Cp1251ToUtf8(fields.at(0).value), "buck, 9–16 V in, 5 V / 6 A out, 30 % ripple, 300 kHz");
  const auto& rows = std::get<report::Table>(doc.sections[0].blocks.at(1)).rows;
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2], (std::vector<std::string>{"worst point", "16.000", "31.2", "6.000", "1.800", "6.900"}));
  EXPECT_EQ(AllFields(doc).size(), plainFields);  // the request in, the minimum current out

  buck.ioutMin = 0.5;
  dlg->Model().SetDesignRequest(buck);
  doc = Build();
  EXPECT_EQ(AllFields(doc).size(), plainFields + 1);
  EXPECT_NE(std::get<report::FieldList>(doc.sections[0].blocks.at(0)).fields.at(0).value.find("light load 0.5 A"),
            std::string::npos);

  host.ExpectBoxes(3);
  dlg->UserMenu(ids::kLanguageCommandBase + 2);  // Russian
  texts = report::ReportTexts::FromSection(dlg->Model().Lang().report);
  doc = Build();
  EXPECT_EQ(Cp1251ToUtf8(std::get<report::FieldList>(doc.sections[0].blocks.at(0)).fields.at(0).value),
            "понижающий, вход 9–16 В, выход 5 В / 6 А, пульсации 30 %, 300 кГц; малая нагрузка 0.5 А");
}

}  // namespace
}  // namespace velmora::test
