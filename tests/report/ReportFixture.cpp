// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportFixture.h"

#include <variant>

#include "app/ControlIds.h"
#include "textfile/Cp1251.h"

namespace velmora::test {

CVelmoraDlg& ReportTest::Start(const std::vector<std::pair<std::string, std::string>>& fields) {
  VelmoraOptions options;
  options.suppressWrites = true;
  for (const auto& [key, value] : fields) options.overrides.emplace_back(key, Utf8ToCp1251(value).value());
  dlg = std::make_unique<CVelmoraDlg>(host, options);
  dlg->Create();
  EXPECT_FALSE(dlg->IsEnded());
  return *dlg;
}

report::Document ReportTest::Build(const insight::InsightOptions& options) {
  report::ReportMeta meta{"Velmora test", "2026-01-02 03:04", "design.sav"};
  return report::BuildDesignReport(dlg->CalculatedDesign(options), texts, meta);
}

void ReportTest::SelectNoDataMaterial() {
  dlg->UserSelect(ids::IDC_COMBO_MATERIAL, dlg->GetCount(ids::IDC_COMBO_MATERIAL) - 1);
}

std::vector<report::Field> ReportTest::AllFields(const report::Document& doc) {
  std::vector<report::Field> all;
  for (const auto& s : doc.sections)
    for (const auto& b : s.blocks)
      if (const auto* list = std::get_if<report::FieldList>(&b))
        all.insert(all.end(), list->fields.begin(), list->fields.end());
  return all;
}

const report::Section* ReportTest::FindSection(const report::Document& doc, const std::string& title) {
  for (const auto& s : doc.sections)
    if (s.title == title) return &s;
  return nullptr;
}

std::vector<std::string> ReportTest::Texts(const report::Section& section) {
  std::vector<std::string> out;
  for (const auto& b : section.blocks) {
    if (const auto* p = std::get_if<report::Paragraph>(&b)) out.push_back(p->text);
    if (const auto* s = std::get_if<report::Steps>(&b)) out.insert(out.end(), s->items.begin(), s->items.end());
  }
  return out;
}

std::vector<std::pair<std::string, std::string>> Example(const std::string& core, int yesAl,
                                                         const std::string& gapOrAl) {
  return {{"core", core},     {"L", "47"},        {"Inom", "6"},  {"Uimpulsa", "24"},
          {"Udc", "12"},      {"Fc", "150"},      {"j", "5"},     {"use", "0"},
          {"us_Imin", "0"},   {"yes_AWG", "0"},   {"use_D", "0"}, {"yes_al", std::to_string(yesAl)},
          {"zazor", gapOrAl}, {"lang", "English"}};
}

}  // namespace velmora::test
