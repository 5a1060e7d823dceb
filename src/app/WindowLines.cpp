// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowLines.h"

#include <array>

#include "app/ControlIds.h"

namespace velmora {

namespace {

using namespace ids;

// In the order of enum Input.
constexpr std::array<InputControls, kInputCount> kInputs = {{
    {IDC_LABEL_L, IDC_EDIT_L, IDC_UNIT_L, 0, 0},
    {IDC_LABEL_INOM, IDC_EDIT_INOM, kUnitAmpere, 0, 0},
    {IDC_LABEL_IMIN, IDC_EDIT_IMIN, kUnitAmpere, 0, 0},
    {IDC_LABEL_U1, IDC_EDIT_U1, IDC_UNIT_U1, 0, 0},
    {IDC_LABEL_U2, IDC_EDIT_U2, IDC_UNIT_U2, 0, 0},
    {IDC_LABEL_FC, IDC_EDIT_FC, IDC_UNIT_FC, 0, 0},
    {IDC_LABEL_J, IDC_EDIT_J, IDC_UNIT_J, 0, 0},
    {IDC_LABEL_DPROV, IDC_EDIT_DPROV, IDC_UNIT_DPROV_MM, 0, IDC_UNIT_DPROV_AWG},
    {IDC_RADIO_GAP, IDC_EDIT_ZAZOR, 0, IDC_RADIO_AL, 0},
}};

// In the order of enum Result: caption, value, unit, second label.
constexpr std::array<ResultControls, kResultCount> kResults = {{
    {IDC_CAP_REQUIRED, IDC_RES_REQUIRED, IDC_UNIT_REQUIRED, 0},
    {IDC_CAP_AL, IDC_RES_AL, 0, 0},
    {IDC_CAP_MUE, IDC_RES_MUE, 0, 0},
    {IDC_CAP_BPK, IDC_RES_BPK, kUnitTesla, IDC_RES_LIMIT},
    {IDC_CAP_BAC, IDC_RES_BAC, kUnitTesla, 0},
    {IDC_CAP_PCORE, IDC_RES_PCORE, IDC_UNIT_PCORE, 0},
    {IDC_CAP_FILL, IDC_RES_FILL, 0, 0},
    {IDC_CAP_LACT, IDC_RES_LACT, IDC_UNIT_LACT, IDC_UNIT_LACT},
    {IDC_CAP_TURNS, IDC_RES_TURNS, 0, 0},
    {IDC_CAP_WIRE, IDC_RES_WIRE, IDC_UNIT_WIRE, 0},
    {IDC_CAP_WIRES, IDC_RES_WIRES, 0, 0},
    {IDC_CAP_JACT, IDC_RES_JACT, IDC_UNIT_JACT, 0},
    {IDC_CAP_IPK, IDC_RES_IPK, kUnitAmpere, 0},
    {IDC_CAP_DI, IDC_RES_DI, kUnitAmpere, 0},
}};

constexpr bool At(Input i, int valueId) { return kInputs.at(static_cast<std::size_t>(i)).value == valueId; }
static_assert(At(Input::Inductance, IDC_EDIT_L) && At(Input::MinimumCurrent, IDC_EDIT_IMIN) &&
                  At(Input::Wire, IDC_EDIT_DPROV) && At(Input::GapOrAl, IDC_EDIT_ZAZOR),
              "the input controls follow enum Input");

constexpr bool At(Result r, int valueId) { return kResults.at(static_cast<std::size_t>(r)).value == valueId; }
static_assert(At(Result::RequiredGapOrAl, IDC_RES_REQUIRED) && At(Result::PeakFlux, IDC_RES_BPK) &&
                  At(Result::Fill, IDC_RES_FILL) && At(Result::Inductance, IDC_RES_LACT) &&
                  At(Result::Turns, IDC_RES_TURNS) && At(Result::Wire, IDC_RES_WIRE) &&
                  At(Result::Wires, IDC_RES_WIRES) && At(Result::Ripple, IDC_RES_DI),
              "the result controls follow enum Result");

}  // namespace

const InputControls& ControlsOf(Input input) { return kInputs.at(static_cast<std::size_t>(input)); }
const ResultControls& ControlsOf(Result result) { return kResults.at(static_cast<std::size_t>(result)); }

const ResultTexts::Text& LabelText(const ResultTexts& texts, int controlId) {
  static const ResultTexts::Text kNone;
  for (std::size_t i = 0; i < kResultCount; ++i) {
    if (kResults[i].value == controlId) return texts.Value(i);
    if (kResults[i].extra == controlId) return texts.Extra(i);
  }
  return kNone;
}

}  // namespace velmora
