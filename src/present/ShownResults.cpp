// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/ShownResults.h"

#include <utility>

#include "calc/Constants.h"
#include "calc/InputChecks.h"
#include "calc/WireTable.h"
#include "textfile/Numbers.h"

namespace velmora {

namespace {

using namespace constants;

// The labels every run past the input checks sets, up to the ripple check.
void OperatingPointTexts(const ChokeResults& r, const LanguageTable& lang, ResultTexts& t) {
  std::string& limit = t.limit.emplace("(");
  limit += lang[kPermittedFluxWord];
  limit += ' ';
  limit += FormatFixed(r.Bm, 3);
  limit += " T)";
  t.mue = FormatFixed(r.mue, 1);
  t.al = FormatFixed(r.AL * kThousand, 1);
  t.coreLoss = r.noData ? std::string() : FormatFixed(r.Pcore, 3);
  t.turns = FormatFixed(r.N, 0);
  t.Bpk = FormatFixed(r.Bpk, 3);
  t.Bac = FormatFixed(r.Bac, 3);
  t.Ipk = FormatFixed(r.Ipk, 3);
  t.dI = FormatFixed(r.dI, 3);
  const bool milli = r.Lact >= kInductanceUnitStep;
  t.Lact = FormatFixed(milli ? r.Lact / kInductanceUnitStep : r.Lact, 3);
  t.LactUnit = lang[milli ? kUnitMilliHenry : kUnitMicroHenry];
}

// The labels of the required gap or AL and of the winding.
void WindingTexts(const ChokeResults& r, const ChokeInputs& in, ResultTexts& t) {
  t.required = in.yes_al == 0 ? FormatFixed(r.greq + kRoundUpAddend, 3) : FormatFixed(r.ALreq * kThousand, 0);
  const bool awg = in.yes_AWG != 0;
  t.wire = (awg && r.wireIndex >= 0) ? "AWG " + FormatInt(kAwgMax - r.wireIndex) : FormatDiameter(r.d);
  t.wires = FormatFixed(r.n, 0);
  t.Jact = FormatFixed(r.Jact, 3);
  t.fill = FormatFixed(r.k, 3);
}

// Every label the run reached, into texts (fresh).
void TextsInto(const ChokeResults& results, const ChokeInputs& inputs, const LanguageTable& lang, ResultTexts& texts) {
  if (results.stoppedByInputCheck) return;
  OperatingPointTexts(results, lang, texts);
  if (!results.stoppedByRipple) WindingTexts(results, inputs, texts);
}

std::string MessageText(const CalcMessage& m, const ChokeResults& r, const LanguageTable& lang) {
  switch (m.id) {
    case CalcMessage::Id::InputCheck:
      return lang.design.Get(InputFaultKey(m.fault), InputFaultEnglish(m.fault));
    case CalcMessage::Id::Ripple:
      return lang[kRippleMessage];
    case CalcMessage::Id::WireNotice:
      return WireNoticeText(lang[kWireNotice], r.typedWire, r.fields.dprov, lang[kUnitMillimetre]);
    case CalcMessage::Id::Fill:
      return lang[kFillWarning];
    case CalcMessage::Id::Flux:
      return lang[kFluxWarning];
  }
  return {};
}

}  // namespace

ResultTexts ResultTextsOf(const ChokeResults& results, const ChokeInputs& inputs, const LanguageTable& lang) {
  ResultTexts texts;
  TextsInto(results, inputs, lang, texts);
  return texts;
}

Message MessageOf(const CalcMessage& message, const ChokeResults& results, const LanguageTable& lang) {
  return Message{MessageText(message, results, lang), lang[kMessageCaption]};
}

ShownResults CalculateShown(const ChokeInputs& inputs, const ChokeContext& context, const LanguageTable& lang) {
  ShownResults shown{Calculate(inputs, context), {}, {}};
  TextsInto(shown, inputs, lang, shown.texts);
  shown.messages.reserve(shown.ChokeResults::messages.size());
  for (const CalcMessage& m : shown.ChokeResults::messages)
    shown.messages.push_back(Message{MessageText(m, shown, lang), lang[kMessageCaption]});
  return shown;
}

}  // namespace velmora
