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

std::string MessageText(const CalcMessage& m, const ChokeResults& r, const LanguageTable& lang) {
  switch (m.id) {
    case CalcMessage::Id::InputCheck:
      return lang.design.Get(InputFaultKey(m.fault), InputFaultEnglish(m.fault));
    case CalcMessage::Id::Ripple:
      return lang[kRippleMessage];
    case CalcMessage::Id::WireNotice:
      return WireNoticeText(lang[kWireNotice], r.typedWire, r.fields.wireSize, lang[kUnitMillimetre]);
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
  FormatResults(results, inputs, lang, texts);
  return texts;
}

Message MessageOf(const CalcMessage& message, const ChokeResults& results, const LanguageTable& lang) {
  return Message{MessageText(message, results, lang), lang[kMessageCaption]};
}

ShownResults CalculateShown(const ChokeInputs& inputs, const ChokeContext& context, const LanguageTable& lang) {
  ShownResults shown{Calculate(inputs, context), {}, {}};
  FormatResults(shown, inputs, lang, shown.texts);
  shown.messages.reserve(shown.ChokeResults::messages.size());
  for (const CalcMessage& m : shown.ChokeResults::messages)
    shown.messages.push_back(Message{MessageText(m, shown, lang), lang[kMessageCaption]});
  return shown;
}

}  // namespace velmora
