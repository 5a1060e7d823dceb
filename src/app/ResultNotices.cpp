// SPDX-License-Identifier: GPL-3.0-or-later
// What the window says beside its results, as the workspace words it: the
// tooltips of a warning that fired, and the notice line on what a command
// changed without typing.
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/DesignTexts.h"
#include "app/WindowLines.h"
#include "app/Workspace.h"
#include "calc/Constants.h"
#include "present/InputTable.h"
#include "textfile/Numbers.h"

namespace velmora {

using namespace ids;

namespace {

// The text with every %1 and %2 replaced, in one pass: a value that holds
// "%2" itself stays as it is.
std::string Filled(const std::string& text, const std::string& first, const std::string& second = {}) {
  std::string filled;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (text[i] == '%' && (next == '1' || next == '2')) {
      filled += next == '1' ? first : second;
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

// A caption as a word of a sentence: its line breaks and runs of blanks one
// blank each, none at the ends.
std::string OneLine(const std::string& caption) {
  std::string line;
  for (const char c : caption) {
    const bool blank = c == ' ' || c == '\r' || c == '\n' || c == '\t';
    if (!blank) line += c;
    else if (!line.empty() && line.back() != ' ') line += ' ';
  }
  if (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

}  // namespace

std::vector<ShownText> Workspace::ResultWarningTips(const ShownResults& r) const {
  const bool flux = !r.Stopped() && r.fluxAbovePermitted;
  const bool fill = !r.Stopped() && r.overfilled;
  return {{IDC_RES_BPK, flux ? Filled(DesignText(lang_, "warnFlux"), FormatFixed(r.Bm, 3)) : std::string()},
          {IDC_RES_FILL,
           fill ? Filled(DesignText(lang_, "warnFill"), FormatFixed(constants::kFillFactorLimit, 2)) : std::string()}};
}

std::string Workspace::ChangeNotice(const char* commandKey, const ChangeSnapshot& before,
                                    const ChangeSnapshot& after) const {
  std::vector<std::string> parts;
  const SettingsRecord& now = after.inputs;
  if (now.core != before.inputs.core) parts.push_back(Filled(DesignText(lang_, "noticeCore"), now.core));
  if (now.mater != before.inputs.mater) parts.push_back(Filled(DesignText(lang_, "noticeMaterial"), now.mater));
  if (now.gapOrAl != before.inputs.gapOrAl || now.gapChoice != before.inputs.gapChoice)
    parts.push_back(Filled(DesignText(lang_, now.gapChoice ? "noticeAl" : "noticeGap"), now.gapOrAl));
  if (after.turns != before.turns) parts.push_back(Filled(DesignText(lang_, "noticeTurns"), after.turns, before.turns));
  std::string inputs;
  for (std::size_t i = 0; i < kInputCount; ++i) {
    const InputLine& line = InputLines()[i];
    if (line.record == &SettingsRecord::gapOrAl || now.*line.record == before.inputs.*line.record) continue;
    inputs += (inputs.empty() ? "" : ", ") + OneLine(CaptionOf(ControlsOf(static_cast<velmora::Input>(i)).caption));
  }
  if (!inputs.empty()) parts.push_back(Filled(DesignText(lang_, "noticeInputs"), inputs));
  std::string changed;
  for (const std::string& part : parts) changed += (changed.empty() ? "" : ", ") + part;
  if (changed.empty()) changed = DesignText(lang_, "noticeNothing");
  return Filled(DesignText(lang_, commandKey), changed);
}

}  // namespace velmora
