// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/ResultTable.h"

#include <string_view>

#include "calc/Constants.h"
#include "calc/WireTable.h"
#include "textfile/Numbers.h"

namespace velmora {

namespace {

using namespace constants;
using R = ChokeResults;

// A number with that many decimals ("%.*f").
template <double ChokeResults::*member, int decimals>
std::string Fixed(const R& r, const ChokeInputs&, const LanguageTable&) {
  return FormatFixed(r.*member, decimals);
}

std::string Required(const R& r, const ChokeInputs& in, const LanguageTable&) {
  return in.gapMode() == GapMode::GapGiven ? FormatFixed(r.greq + kRoundUpAddend, 3)
                                           : FormatFixed(r.ALreq * kThousand, 0);
}

std::string Al(const R& r, const ChokeInputs&, const LanguageTable&) { return FormatFixed(r.AL * kThousand, 1); }

// Beside the peak flux density: "(max 0.300 T)".
std::string FluxLimit(const R& r, const ChokeInputs&, const LanguageTable& lang) {
  const std::string& word = lang[kPermittedFluxWord];
  std::string limit;
  limit.reserve(word.size() + 12);
  limit.append(1, '(').append(word).append(1, ' ').append(FormatFixed(r.Bm, 3)).append(" T)");
  return limit;
}

// No loss data, no core loss: the label is emptied.
std::string CoreLoss(const R& r, const ChokeInputs&, const LanguageTable&) {
  return r.noData ? std::string() : FormatFixed(r.Pcore, 3);
}

// In mH from 1000 uH on, with its unit.
std::string Inductance(const R& r, const ChokeInputs&, const LanguageTable&) {
  return FormatFixed(r.Lact >= kInductanceUnitStep ? r.Lact / kInductanceUnitStep : r.Lact, 3);
}
std::string InductanceUnit(const R& r, const ChokeInputs&, const LanguageTable& lang) {
  return lang[r.Lact >= kInductanceUnitStep ? kUnitMilliHenry : kUnitMicroHenry];
}

// The diameter, or "AWG 18" when the field is in AWG numbers.
std::string Wire(const R& r, const ChokeInputs& in, const LanguageTable&) {
  const bool awg = in.wireUnit() == WireUnit::Awg && r.wireIndex >= 0;
  return awg ? "AWG " + FormatInt(kAwgMax - r.wireIndex) : FormatDiameter(r.d);
}

using W = NamedWhen;
using S = ResultStage;

// clang-format off
constexpr std::array<ResultLine, kResultCount> kLines = {{
  // stage; formats; JSON names; place in "labels"
  {S::Winding, Required, nullptr,
   {{{"requiredGap_mm", [](const R& r) { return r.greq; }, W::WindingGapMode},
     {"requiredInductanceFactor_nH_per_turn2", [](const R& r) { return r.ALreq * kThousand; }, W::Winding}}}, 0},
  {S::OperatingPoint, Al, nullptr,
   {{{"inductanceFactor_nH_per_turn2", [](const R& r) { return r.AL * kThousand; }}}}, 1},
  {S::OperatingPoint, Fixed<&R::mue, 1>, nullptr,
   {{{"effectivePermeability", [](const R& r) { return r.mue; }}}}, 2},
  {S::OperatingPoint, Fixed<&R::Bpk, 3>, FluxLimit,
   {{{"peakFluxDensity_T", [](const R& r) { return r.Bpk; }},
     {"fluxDensityLimit_T", [](const R& r) { return r.Bm; }}}}, 4},
  {S::OperatingPoint, Fixed<&R::Bac, 3>, nullptr,
   {{{"acFluxDensity_T", [](const R& r) { return r.Bac; }}}}, 5},
  {S::OperatingPoint, CoreLoss, nullptr,
   {{{"coreLoss_W", [](const R& r) { return r.Pcore; }, W::WithLossData}}}, 6},
  {S::WireChoice, Fixed<&R::k, 3>, nullptr,
   {{{"fillFactor", [](const R& r) { return r.k; }, W::Winding}}}, 10},
  {S::OperatingPoint, Inductance, InductanceUnit,
   {{{"inductance_uH", [](const R& r) { return r.Lact; }}}}, 3},
  {S::OperatingPoint, Fixed<&R::N, 0>, nullptr,
   {{{"turns", [](const R& r) { return r.N; }}}}, 7},
  {S::WireChoice, Wire, nullptr,
   {{{"wireDiameter_mm", [](const R& r) { return r.d; }, W::Winding},
     {"wireSize_AWG", [](const R& r) { return double(kAwgMax - r.wireIndex); }, W::WindingAwg}}}, 8},
  {S::WireChoice, Fixed<&R::n, 0>, nullptr,
   {{{"wires", [](const R& r) { return r.n; }, W::Winding}}}, 9},
  {S::WireChoice, Fixed<&R::Jact, 3>, nullptr,
   {{{"currentDensity_A_per_mm2", [](const R& r) { return r.Jact; }, W::Winding}}}, 11},
  {S::OperatingPoint, Fixed<&R::Ipk, 3>, nullptr,
   {{{"peakCurrent_A", [](const R& r) { return r.Ipk; }}}}, 12},
  {S::OperatingPoint, Fixed<&R::dI, 3>, nullptr,
   {{{"rippleCurrent_A", [](const R& r) { return r.dI; }}}}, 13},
}};
// clang-format on

constexpr bool At(Result r, std::string_view name) {
  return kLines.at(static_cast<std::size_t>(r)).names[0].name == name;
}
static_assert(At(Result::RequiredGapOrAl, "requiredGap_mm") && At(Result::PeakFlux, "peakFluxDensity_T") &&
                  At(Result::Fill, "fillFactor") && At(Result::Inductance, "inductance_uH") &&
                  At(Result::Turns, "turns") && At(Result::Wire, "wireDiameter_mm") && At(Result::Wires, "wires") &&
                  At(Result::Ripple, "rippleCurrent_A"),
              "enum Result follows the table's order");

bool Computed(NamedWhen when, const R& r) {
  const bool winding = !r.Stopped();
  switch (when) {
    case NamedWhen::Always:
      return true;
    case NamedWhen::Winding:
      return winding;
    case NamedWhen::WindingGapMode:
      return winding && r.fields.gapMode() == GapMode::GapGiven;
    case NamedWhen::WindingAwg:
      return winding && r.fields.wireUnit() == WireUnit::Awg && r.wireIndex >= 0;
    case NamedWhen::WithLossData:
      return !r.noData;
  }
  return false;
}

}  // namespace

const std::array<ResultLine, kResultCount>& ResultLines() { return kLines; }

void FormatResults(const ChokeResults& results, const ChokeInputs& inputs, const LanguageTable& lang,
                   ResultTexts& texts) {
  if (results.stoppedByInputCheck) return;
  for (std::size_t i = 0; i < kResultCount; ++i) {
    const ResultLine& line = kLines[i];
    if (line.stage != ResultStage::OperatingPoint && results.stoppedByRipple) continue;
    texts.Value(i).emplace(line.format(results, inputs, lang));
    if (line.extraFormat) texts.Extra(i).emplace(line.extraFormat(results, inputs, lang));
  }
}

std::vector<NamedValue> NamedResults(const ChokeResults* results) {
  const ChokeResults none;
  const ChokeResults& r = results ? *results : none;
  // A run stopped by the input checks computed nothing.
  NamedValues b(results != nullptr && !r.stoppedByInputCheck);
  for (const ResultLine& line : kLines)
    for (const ResultName& n : line.names)
      if (n.name) b.Add(n.name, n.value(r), Computed(n.when, r));
  AddNamedSteps(results, b);
  return b.Take();
}

}  // namespace velmora
