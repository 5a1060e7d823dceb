// SPDX-License-Identifier: GPL-3.0-or-later
// "Import MAS...": a MAS document's inductance, operating point, core,
// material and gap set on the window, as a user would type and pick them.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/DesignTexts.h"
#include "app/MasExchange.h"
#include "app/VelmoraDlg.h"
#include "present/ControlIds.h"
#include "settings/DetailsConfig.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"
#include "textfile/NameMatch.h"

namespace velmora {

namespace {

// Decimal digits every double holds exactly through text and back.
constexpr int kComputedDigits = 15;

// The shortest decimal that reads back as the same double: the text a field
// gets from a number.
std::string FieldText(double value) {
  char text[64];
  const auto written = std::to_chars(text, text + sizeof text, value);
  return written.ec == std::errc() ? std::string(text, written.ptr) : std::string();
}

// A value computed here, not read, to the digits a double surely holds: the
// voltages from a peak-to-peak value and a duty cycle ("16.8", not
// "16.799999999999997").
std::string ComputedFieldText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*g", kComputedDigits, value);
  return FieldText(std::strtod(text, nullptr));
}

// The record whose MAS name, else whose own name, is the shape's (letter
// case and spacing ignored).
std::optional<std::string> MatchCore(const CVelmoraDlg& dlg, const std::string& shape) {
  const std::string wanted = NameKey(shape);
  if (wanted.empty()) return std::nullopt;
  const std::vector<CoreHeader> headers = ListCoreHeaders(dlg.CoreDatabaseText());
  for (const CoreHeader& header : headers)
    if (!header.mas.empty() && NameKey(header.mas) == wanted) return header.name;
  for (const CoreHeader& header : headers)
    if (NameKey(header.name) == wanted) return header.name;
  return std::nullopt;
}

// The material list's entry of that name, found as --material finds it: the
// document names it without its maker, and "N87" finds "N87 Epcos".
std::optional<std::string> MatchMaterial(const CVelmoraDlg& dlg, const std::string& material) {
  const std::vector<std::string>& entries = dlg.Item(ids::IDC_COMBO_MATERIAL)->items;
  const ListMatch match = MatchName(entries, material);
  return match.found() ? std::optional<std::string>(entries[match.index]) : std::nullopt;
}

// The operating point's numbers into the settings record.
void SetOperatingPoint(const mas::MasImport& in, SettingsRecord& s) {
  s.L = FieldText(in.inductance_uH);
  s.us_Imin = 0;  // the inductance given is the one to design for
  if (in.frequency_kHz) s.Fc = FieldText(*in.frequency_kHz);
  if (in.currentOffset_A) s.Inom = FieldText(*in.currentOffset_A);
  if (in.voltagePeakToPeak_V && in.dutyCycle) {
    // A rectangular voltage of Vpp and duty D across the choke: U1 while the
    // switch conducts, U2 while it is off, U1 * D = U2 * (1 - D).
    const double U2 = *in.voltagePeakToPeak_V * *in.dutyCycle;
    s.use = 1;
    s.Uimpulsa = ComputedFieldText(*in.voltagePeakToPeak_V - U2);
    s.Udc = ComputedFieldText(U2);
  }
  if (in.gap_mm) {
    s.yes_al = 0;
    s.zazor = FieldText(*in.gap_mm);
  }
}

// What the document holds but the window does not take, for the message:
// the reader's parts, and an ambient outside the program's range.
std::string NotTaken(const mas::MasImport& in) {
  std::vector<std::string> parts = in.notTaken;
  if (in.ambient_C && !IsUsableAmbient(*in.ambient_C))
    parts.push_back("inputs.operatingPoints[0].conditions.ambientTemperature = " + FieldText(*in.ambient_C) + " (" +
                    FieldText(kLowestAmbient_C) + "..." + FieldText(kHighestAmbient_C) + " C)");
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
  return text;
}

std::string Refusal(const LanguageTable& lang, const mas::MasReadResult& read) {
  switch (read.error) {
    case mas::MasError::kNotJson:
      return DesignText(lang, "masNotJson") + " " + read.detail;
    case mas::MasError::kLacksPart:
      return DesignText(lang, "masLacks") + " " + read.detail;
    case mas::MasError::kTooLarge:
      return DesignText(lang, "masTooLarge") + " " + read.detail;
    case mas::MasError::kOutOfRange:
      return DesignText(lang, "masOutOfRange") + " " + read.detail;
    case mas::MasError::kNone:
      break;
  }
  return {};
}

bool Tell(CVelmoraDlg& dlg, const std::string& message, std::string* error) {
  if (error) *error = Cp1251ToUtf8(message);
  if (!dlg.IsEnded()) dlg.Message(message);
  return false;
}

}  // namespace

bool ImportMasText(CVelmoraDlg& dlg, std::string_view utf8, std::string* error) {
  const mas::MasReadResult read = mas::ReadMasDocument(utf8);
  if (!read.design) return Tell(dlg, Refusal(dlg.Lang(), read), error);
  const mas::MasImport& in = *read.design;

  dlg.BeforeReplacingInputs();  // Ctrl+Z brings back the inputs before
  dlg.UpdateData(true);
  SettingsRecord& s = dlg.Settings();
  SetOperatingPoint(in, s);
  std::string missing;
  const auto core = in.shape ? MatchCore(dlg, *in.shape) : std::nullopt;
  s.core = core.value_or(dlg.CurrentCore());
  if (!core) missing += DesignText(dlg.Lang(), "masCore") + " " + in.shape.value_or("-");
  const auto material = in.material ? MatchMaterial(dlg, *in.material) : std::nullopt;
  if (material) s.mater = *material;
  else
    missing += (missing.empty() ? "" : ", ") + DesignText(dlg.Lang(), "masMaterial") + " " + in.material.value_or("-");
  if (in.ambient_C && IsUsableAmbient(*in.ambient_C)) dlg.SetDesignAmbient(*in.ambient_C);
  const std::string notTaken = NotTaken(in);

  // As after Load: the material first, so the frequency is held to its table.
  dlg.LoadMaterialWithFallback();
  dlg.UpdateData(false);
  dlg.ApplyMinimumCurrentPair();
  dlg.ApplyCaptionSwitches();
  dlg.RebuildWireTable();
  dlg.SelectCoreByName();  // ends with a calculation
  dlg.InvalidatePicture();
  std::string message;
  if (!missing.empty()) message = DesignText(dlg.Lang(), "masNotFound") + " " + missing;
  if (!notTaken.empty())
    message += (message.empty() ? "" : "\r\n") + DesignText(dlg.Lang(), "masNotTaken") + " " + notTaken;
  if (!message.empty()) Tell(dlg, message, error);
  return true;
}

bool ImportMas(CVelmoraDlg& dlg, const std::string& path, std::string* error) {
  // A file larger than a document may be is refused before anything is read:
  // the inputs on the window stay as they are.
  ReadStatus status;
  const std::optional<std::string> bytes = ReadWholeFile(path, mas::kMaxDocumentBytes, OpenMode::ReadOnly, &status);
  if (!bytes) {
    const std::string reason = Utf8ToCp1251(path + ": " + status.Reason()).value_or(std::string("?"));
    return Tell(dlg, DesignText(dlg.Lang(), "masReadFailed") + " " + reason, error);
  }
  if (!ImportMasText(dlg, *bytes, error)) return false;
  dlg.SetImportedDocument(path);
  return true;
}

}  // namespace velmora
