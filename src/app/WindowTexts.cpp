// SPDX-License-Identifier: GPL-3.0-or-later
// The texts the window shows beside its fields, as the workspace makes them
// from the language: the captions and tooltips of the controls, the captions
// that follow the choices, and the caption of one control.
#include "app/ControlIds.h"
#include "app/WindowLines.h"
#include "app/Workspace.h"
#include "present/InputTable.h"

namespace velmora {

using namespace ids;

namespace {

struct Caption {
  int id;
  int slot;
};

constexpr Caption kBaseCores[] = {
    {IDC_GROUP_CORE_DB, 1},   {IDC_LABEL_SHAPE, 2}, {IDC_LABEL_MATERIAL, 3}, {IDC_LABEL_DIMENSIONS, 4},
    {IDC_LABEL_CORE_DATA, 5}, {IDC_LABEL_MU, 6},    {IDC_LABEL_AE, 7},       {IDC_LABEL_AN, 8},
    {IDC_LABEL_LE, 9},        {IDC_LABEL_VE, 10},   {IDC_UNIT_AE, 11},       {IDC_UNIT_AN, 12},
    {IDC_UNIT_LE, 13},        {IDC_UNIT_VE, 14},    {IDC_SHAPE_OTHER, 15},   {IDC_CHECK_ADD_DIMS, 16},
    {IDC_CHECK_ADD_DATA, 17}, {IDC_ADD_CORE, 18},   {IDC_DELETE_CORE, 19}};
constexpr Caption kBaseCoresTips[] = {
    {IDC_COMBO_CORE, 20}, {IDC_SHAPE_OTHER, 21}, {IDC_CHECK_ADD_DIMS, 22}, {IDC_CHECK_ADD_DATA, 23}};
constexpr Caption kInitialData[] = {{IDC_GROUP_INPUT, 1},  {IDC_LABEL_L, 2},         {IDC_LABEL_INOM, 3},
                                    {IDC_LABEL_IMIN, 4},   {IDC_LABEL_FC, 5},        {IDC_LABEL_J, 6},
                                    {IDC_RADIO_OUTPUT, 8}, {IDC_RADIO_OTHER_USE, 9}, {IDC_CHECK_IMIN, 10},
                                    {IDC_CHECK_USE_D, 11}, {IDC_RADIO_METRIC, 16},   {IDC_RADIO_AWG, 17}};
constexpr Caption kInitialDataTips[] = {{IDC_CHECK_USE_D, 18}, {IDC_EDIT_J, 19}};
constexpr Caption kMagneticCore[] = {{IDC_GROUP_CORE_CALC, 1}, {IDC_RADIO_GAP, 2}, {IDC_RADIO_AL, 3},
                                     {IDC_CAP_AL, 3},          {IDC_CAP_MUE, 6},   {IDC_CAP_BPK, 7},
                                     {IDC_CAP_PCORE, 8},       {IDC_CAP_FILL, 9},  {IDC_CAP_BAC, 11}};
constexpr Caption kMagneticCoreTips[] = {{IDC_EDIT_ZAZOR, 12}};
constexpr Caption kResults[] = {{IDC_GROUP_INDUCTOR, 1}, {IDC_CAP_LACT, 2}, {IDC_CAP_TURNS, 3}, {IDC_CAP_WIRES, 5},
                                {IDC_CAP_JACT, 6},       {IDC_CAP_IPK, 7},  {IDC_CAP_DI, 8}};
constexpr Caption kButtons[] = {{IDC_EXIT, 1}, {IDC_CALCULATE, 2}, {IDC_LOAD, 3}, {IDC_SAVE, 4}};
constexpr Caption kButtonsTips[] = {{IDC_LOAD, 5}, {IDC_SAVE, 6}};
constexpr Caption kOthers[] = {{IDC_UNIT_U1, 10}, {IDC_UNIT_U2, 10}, {IDC_UNIT_PCORE, 12}, {IDC_UNIT_FC, 13},
                               {IDC_UNIT_L, 15},  {IDC_UNIT_J, 20},  {IDC_UNIT_JACT, 20}};

// The dimension labels: a letter and the millimetre unit.
constexpr struct {
  int id;
  const char* prefix;
} kDimensionLabels[] = {{IDC_LABEL_DIM_A, "A, "}, {IDC_LABEL_DIM_B, "B, "}, {IDC_LABEL_DIM_C, "C, "},
                        {IDC_LABEL_DIM_D, "D, "}, {IDC_LABEL_DIM_H, "H, "}, {IDC_LABEL_DIM_h, "h, "},
                        {IDC_LABEL_DIM_I, "I, "}};

template <typename Captions, typename Slots>
void Append(std::vector<ShownText>& out, const Captions& captions, const Slots& slots) {
  for (const Caption& c : captions) out.push_back({c.id, slots[static_cast<std::size_t>(c.slot)]});
}

}  // namespace

std::vector<ShownText> Workspace::WindowCaptions() const {
  std::vector<ShownText> out;
  Append(out, kBaseCores, lang_.baseCores);
  Append(out, kInitialData, lang_.initialData);
  Append(out, kMagneticCore, lang_.magneticCore);
  Append(out, kResults, lang_.results);
  Append(out, kButtons, lang_.buttons);
  Append(out, kOthers, lang_.others);
  for (const auto& d : kDimensionLabels) out.push_back({d.id, d.prefix + lang_[kUnitMillimetre]});
  return out;
}

std::vector<ShownText> Workspace::WindowTips() const {
  std::vector<ShownText> out;
  Append(out, kBaseCoresTips, lang_.baseCores);
  Append(out, kInitialDataTips, lang_.initialData);
  Append(out, kMagneticCoreTips, lang_.magneticCore);
  Append(out, kButtonsTips, lang_.buttons);
  return out;
}

std::vector<ShownText> Workspace::SwitchedCaptions(int use, int gapChoice, int awg) const {
  const bool other = use == 1, al = gapChoice == 1, isAwg = awg == 1;
  const std::string& mm = lang_[kUnitMillimetre];
  return {{IDC_LABEL_U1, lang_[other ? kVoltageOnLabelOtherUse : kVoltageOnLabelOutputChoke]},
          {IDC_LABEL_U2, lang_[other ? kVoltageOffLabelOtherUse : kVoltageOffLabelOutputChoke]},
          {IDC_CAP_REQUIRED, lang_[al ? kRequiredAlCaption : kRequiredGapCaption]},
          {IDC_UNIT_REQUIRED, al ? std::string() : mm},
          {IDC_LABEL_DPROV, lang_[isAwg ? kWireSizeLabelAwg : kWireSizeLabelMetric]},
          {IDC_CAP_WIRE, lang_[isAwg ? kWireCaptionAwg : kWireCaptionMetric]},
          {IDC_UNIT_DPROV_MM, isAwg ? std::string() : mm},
          {IDC_UNIT_DPROV_AWG, isAwg ? lang_[kUnitAwg] : std::string()},
          {IDC_UNIT_WIRE, isAwg ? std::string() : mm}};
}

void Workspace::KeepFixedCaptions(std::vector<ShownText> captions) { fixedCaptions_ = std::move(captions); }

std::string Workspace::CaptionOf(int id) const {
  for (const std::vector<ShownText>& list :
       {SwitchedCaptions(settings_.use, settings_.gapChoice, settings_.yes_AWG), WindowCaptions(), fixedCaptions_})
    for (const ShownText& t : list)
      if (t.id == id) return t.text;
  return {};
}

std::string Workspace::TextOf(int id) const {
  for (std::size_t i = 0; i < kResultCount; ++i) {
    const ResultControls& l = ControlsOf(static_cast<Result>(i));
    if (id == l.value) return *labels_.Value(i);
    if (l.extra && id == l.extra) return *labels_.Extra(i);
  }
  for (std::size_t i = 0; i < kInputCount; ++i)
    if (id == ControlsOf(static_cast<Input>(i)).value) return settings_.*InputLines()[i].record;
  static constexpr struct {
    int id;
    std::string CoreDatabaseState::*text;
  } kCoreData[] = {{IDC_DATA_MU, &CoreDatabaseState::mu},
                   {IDC_DATA_AE, &CoreDatabaseState::Ae},
                   {IDC_DATA_AN, &CoreDatabaseState::An},
                   {IDC_DATA_LE, &CoreDatabaseState::le},
                   {IDC_DATA_VE, &CoreDatabaseState::Ve}};
  for (const auto& c : kCoreData)
    if (id == c.id) return cores_.*c.text;
  return CaptionOf(id);
}

}  // namespace velmora
