// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A run of Calculate as the window shows it: its numbers turned into the
// label texts and its messages into the message boxes of the language.
#include <optional>
#include <string>
#include <vector>

#include "calc/Calculate.h"
#include "lang/LanguageTable.h"

namespace velmora {

struct Message {
  std::string text;
  std::string caption;
  bool operator==(const Message&) const = default;
};

// Texts of the result labels; a label the run does not reach stays unset and
// keeps the text of the previous run.
struct ResultTexts {
  std::optional<std::string> limit;     // 1103 "(%s %.3f T)"
  std::optional<std::string> mue;       // 1056 "%.1f"
  std::optional<std::string> al;        // 1051 "%.1f" nH/turn2
  std::optional<std::string> turns;     // 1050 "%.0f"
  std::optional<std::string> Bpk;       // 1052 "%.3f"
  std::optional<std::string> Bac;       // 1071 "%.3f"
  std::optional<std::string> Ipk;       // 1132 "%.3f"
  std::optional<std::string> dI;        // 1148 "%.3f"
  std::optional<std::string> Lact;      // 1049 "%.3f"
  std::optional<std::string> LactUnit;  // 1104 OTHERS s14 / s15
  std::optional<std::string> coreLoss;  // 1105 "%.3f" (emptied first)
  std::optional<std::string> required;  // 1040 gap "%.3f" or AL "%.0f"
  std::optional<std::string> wire;      // 1076 diameter or "AWG %i"
  std::optional<std::string> wires;     // 1113 "%.0f"
  std::optional<std::string> Jact;      // 1008 "%.3f"
  std::optional<std::string> fill;      // 1002 "%.3f"
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
