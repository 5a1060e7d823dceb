// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A run of Calculate as the window shows it: its numbers turned into the
// label texts and its messages into the message boxes of the language.
#include <optional>
#include <string>
#include <vector>

#include "calc/Calculate.h"
#include "lang/LanguageTable.h"
#include "present/ResultTable.h"

namespace velmora {

struct Message {
  std::string text;
  std::string caption;
  bool operator==(const Message&) const = default;
};

// The run's numbers and flags, with the texts made from them. messages are
// the message boxes in the order the window shows them; the run's own
// identifiers stay in ChokeResults::messages.
struct ShownResults : ChokeResults {
  ResultTexts texts;
  std::vector<Message> messages;
};

// The label texts of a run on these inputs (the wire and the required gap or
// AL depend on the unit choices).
ResultTexts ResultTextsOf(const ChokeResults& results, const ChokeInputs& inputs, const LanguageTable& lang);

// One message of a run (with the run's values) in the language, with the
// message caption.
Message MessageOf(const CalcMessage& message, const ChokeResults& results, const LanguageTable& lang);

// Calculate, then its texts in the language.
ShownResults CalculateShown(const ChokeInputs& inputs, const ChokeContext& context, const LanguageTable& lang);

}  // namespace velmora
