// SPDX-License-Identifier: GPL-3.0-or-later
// What the window says beside its results: the labels of a warning that
// fired, and the notice line on what a command changed without typing.
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/DesignTexts.h"
#include "app/VelmoraDlg.h"
#include "app/WindowLines.h"
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

// The whole text is in the tooltip too, should a language's line be cut.
void CVelmoraDlg::SetNotice(std::string_view text) {
  SetItemText(IDC_NOTICE, text);
  AddTool(IDC_NOTICE, text);
}

std::string CVelmoraDlg::Notice() const { return GetItemText(IDC_NOTICE); }

// A warning's label stays in the warning colour until the next run, with
// the limit it broke in its tooltip.
void CVelmoraDlg::ShowResultWarnings(const ShownResults& r) {
  const bool flux = !r.Stopped() && r.fluxAbovePermitted;
  const bool fill = !r.Stopped() && r.overfilled;
  SetItemWarned(IDC_RES_BPK, flux);
  SetItemWarned(IDC_RES_FILL, fill);
  AddTool(IDC_RES_BPK, flux ? Filled(DesignText(model_.Lang(), "warnFlux"), FormatFixed(r.Bm, 3)) : std::string());
  AddTool(IDC_RES_FILL, fill
                            ? Filled(DesignText(model_.Lang(), "warnFill"), FormatFixed(constants::kFillFactorLimit, 2))
                            : std::string());
}

ChangeSnapshot CVelmoraDlg::SnapshotForNotice() const {
  return ChangeSnapshot{InputsOnWindow(), GetItemText(IDC_RES_TURNS)};
}

std::string CVelmoraDlg::ChangeNotice(const char* commandKey, const ChangeSnapshot& before) const {
  const SettingsRecord after = InputsOnWindow();
  std::vector<std::string> parts;
  if (after.core != before.inputs.core) parts.push_back(Filled(DesignText(model_.Lang(), "noticeCore"), after.core));
  if (after.mater != before.inputs.mater)
    parts.push_back(Filled(DesignText(model_.Lang(), "noticeMaterial"), after.mater));
  if (after.gapOrAl != before.inputs.gapOrAl || after.gapChoice != before.inputs.gapChoice)
    parts.push_back(Filled(DesignText(model_.Lang(), after.gapChoice ? "noticeAl" : "noticeGap"), after.gapOrAl));
  if (const std::string turns = GetItemText(IDC_RES_TURNS); turns != before.turns)
    parts.push_back(Filled(DesignText(model_.Lang(), "noticeTurns"), turns, before.turns));
  std::string inputs;
  for (std::size_t i = 0; i < kInputCount; ++i) {
    const InputLine& line = InputLines()[i];
    if (line.record == &SettingsRecord::gapOrAl || after.*line.record == before.inputs.*line.record) continue;
    inputs += (inputs.empty() ? "" : ", ") + OneLine(GetItemText(ControlsOf(static_cast<velmora::Input>(i)).caption));
  }
  if (!inputs.empty()) parts.push_back(Filled(DesignText(model_.Lang(), "noticeInputs"), inputs));
  std::string changed;
  for (const std::string& part : parts) changed += (changed.empty() ? "" : ", ") + part;
  if (changed.empty()) changed = DesignText(model_.Lang(), "noticeNothing");
  return Filled(DesignText(model_.Lang(), commandKey), changed);
}

}  // namespace velmora
