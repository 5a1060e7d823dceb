// SPDX-License-Identifier: GPL-3.0-or-later
// The design the window holds, as one value for every output.
#include <algorithm>

#include "app/ControlIds.h"
#include "app/ConverterRecord.h"
#include "app/VelmoraDlg.h"
#include "app/WindowLines.h"
#include "present/InputTable.h"
#include "present/ResultTable.h"

namespace velmora {

using namespace ids;

namespace {

// The core data: mu, Ae, An, le, Ve (caption, value, unit).
constexpr int kCoreDataLines[][3] = {{IDC_LABEL_MU, IDC_DATA_MU, 0},
                                     {IDC_LABEL_AE, IDC_DATA_AE, IDC_UNIT_AE},
                                     {IDC_LABEL_AN, IDC_DATA_AN, IDC_UNIT_AN},
                                     {IDC_LABEL_LE, IDC_DATA_LE, IDC_UNIT_LE},
                                     {IDC_LABEL_VE, IDC_DATA_VE, IDC_UNIT_VE}};

// The captions and units the modes switch, after the results in the
// command line's JSON "labels".
constexpr int kSwitchedLabels[] = {IDC_CAP_REQUIRED,  IDC_UNIT_REQUIRED,  IDC_LABEL_DPROV, IDC_CAP_WIRE,
                                   IDC_UNIT_DPROV_MM, IDC_UNIT_DPROV_AWG, IDC_UNIT_WIRE};

}  // namespace

Design CVelmoraDlg::CurrentDesign(const std::optional<insight::InsightOptions>& detailsOptions) {
  Design d;
  d.startUpFailed = model_.StartUpFailed();
  d.windowEnded = IsEnded();
  if (!d.windowEnded) UpdateData(true);
  d.settings = model_.SettingsForWriting();
  d.core = model_.Core();
  d.material = model_.Material();
  d.picture = PictureId();
  d.materialList = model_.MaterialList();
  d.noDataSelected = GetCurSel(IDC_COMBO_MATERIAL) == static_cast<int>(d.materialList.size()) - 1;
  if (const ShownResults* last = model_.LastCalculation()) d.results = *last;
  d.inputs = model_.LastInputs();
  d.resultsCurrent = model_.ResultsCurrent();
  if (detailsOptions) {
    d.details = model_.DescribeLastCalculation(*detailsOptions);
    d.detailsOptions = *detailsOptions;
  }

  auto text = [this](int id) { return model_.TextOf(id); };
  auto unitText = [&text](int unit) { return unit > 0 ? text(unit) : std::string(FixedUnitText(unit)); };
  for (std::size_t i = 0; i < kInputCount; ++i) {
    const InputControls& l = ControlsOf(static_cast<velmora::Input>(i));
    const int caption = l.checkedCaption && GetCheck(l.checkedCaption) ? l.checkedCaption : l.caption;
    const int unit = l.filledUnit && !text(l.filledUnit).empty() ? l.filledUnit : l.unit;
    d.inputLines.push_back({l.value, text(caption), text(l.value), unitText(unit)});
  }
  std::vector<std::pair<int, const ResultControls*>> byLabelsOrder;
  for (std::size_t i = 0; i < kResultCount; ++i) {
    const ResultControls& l = ControlsOf(static_cast<velmora::Result>(i));
    std::string unit = unitText(l.unit);
    if (l.extra && l.extra != l.unit) unit += " " + text(l.extra);
    d.resultLines.push_back({l.value, text(l.caption), text(l.value), std::move(unit)});
    byLabelsOrder.emplace_back(ResultLines()[i].labelsOrder, &l);
  }
  std::sort(byLabelsOrder.begin(), byLabelsOrder.end());
  for (const auto& [order, l] : byLabelsOrder) {
    d.labels.emplace_back(l->value, text(l->value));
    if (l->extra) d.labels.emplace_back(l->extra, text(l->extra));
  }
  for (int id : kSwitchedLabels) d.labels.emplace_back(id, text(id));
  for (const auto& [caption, value, unit] : kCoreDataLines)
    d.coreLines.push_back({value, text(caption), text(value), unit ? text(unit) : std::string()});
  d.wireSpin = model_.WireSpin();
  if (const auto& request = model_.DesignRequest()) d.converter = StatementOf(*request, model_.Material());
  return d;
}

Design CVelmoraDlg::CalculatedDesign(const insight::InsightOptions& detailsOptions) {
  if (!IsEnded()) CalculateUnlessCurrent();
  return CurrentDesign(detailsOptions);
}

}  // namespace velmora
