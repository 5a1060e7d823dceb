// SPDX-License-Identifier: GPL-3.0-or-later
// "Import MAS...": a MAS document's inductance, operating point, core,
// material and gap set on the window, as a user would type and pick them.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/ControlIds.h"
#include "app/ConverterTexts.h"
#include "app/DesignTexts.h"
#include "app/MasExchange.h"
#include "app/VelmoraDlg.h"
#include "settings/DetailsConfig.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"
#include "textfile/NameMatch.h"

namespace velmora {

namespace {

// Decimal digits every double holds exactly through text and back.
constexpr int kComputedDigits = 15;
// Significant digits of a difference of document values that stand above
// the noise its cancellation leaves in the last bits of the largest term.
constexpr int kDifferenceDigits = 12;

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
std::optional<std::string> MatchCore(const Workspace& model, const std::string& shape) {
  const std::string wanted = NameKey(shape);
  if (wanted.empty()) return std::nullopt;
  const std::vector<CoreHeader> headers = ListCoreHeaders(model.CoreDatabaseText());
  for (const CoreHeader& header : headers)
    if (!header.mas.empty() && NameKey(header.mas) == wanted) return header.name;
  for (const CoreHeader& header : headers)
    if (NameKey(header.name) == wanted) return header.name;
  return std::nullopt;
}

// The material list's entry of that name, found as --material finds it: the
// document names it without its maker, and "N87" finds "N87 Epcos".
std::optional<std::string> MatchMaterial(const Workspace& model, const std::string& material) {
  const std::vector<std::string>& entries = model.MaterialList();
  const ListMatch match = MatchName(entries, material);
  return match.found() ? std::optional<std::string>(entries[match.index]) : std::nullopt;
}

// a - b to the digits its terms hold (0.3, not 0.30000000000000071).
double Difference(double a, double b) {
  const double largest = std::max(std::abs(a), std::abs(b));
  if (!(largest > 0) || !std::isfinite(a - b)) return a - b;
  // Enough for the smallest double, 4.9e-324.
  constexpr int kMostDecimals = 330;
  const int decimals =
      std::clamp(kDifferenceDigits - 1 - static_cast<int>(std::floor(std::log10(largest))), 0, kMostDecimals);
  char text[kMostDecimals + 16];
  std::snprintf(text, sizeof text, "%.*f", decimals, a - b);
  return std::strtod(text, nullptr);
}

// The format names no switch drop; the choke's voltage holds it. At the
// lowest input voltage of the converter's operating points (those after the
// design's own) the rectangular voltage is Vin - Vsw + Vd for a buck, and
// Vout + Vd - Vsw for a boost at every input voltage.
double SwitchDrop(const mas::MasConverter& c, const std::vector<double>& voltages) {
  if (voltages.size() < 2) return 0;
  const double lowest = *std::min_element(voltages.begin() + 1, voltages.end());
  const double base = (c.topology == mas::MasTopology::kBuck ? c.inputMinimum_V : c.output_V) + c.diodeDrop_V;
  const double drop = Difference(base, lowest);
  return drop > 0 ? drop : 0;
}

// The document's converter as a request; none without one, or when it has
// an error, which is then named among the parts not taken.
std::optional<converter::ConverterRequest> RequestOf(const mas::MasImport& in, std::vector<std::string>& notTaken) {
  if (!in.converter) return std::nullopt;
  const mas::MasConverter& c = *in.converter;
  converter::ConverterRequest request;
  request.topology = c.topology == mas::MasTopology::kBuck ? converter::Topology::kBuck : converter::Topology::kBoost;
  request.vinMin = c.inputMinimum_V;
  request.vinMax = c.inputMaximum_V;
  request.vout = c.output_V;
  request.iout = c.output_A;
  request.ripple = c.rippleRatio;
  request.fsw_kHz = c.frequency_kHz;
  request.efficiency = c.efficiency;
  request.vd = c.diodeDrop_V;
  request.vsw = SwitchDrop(c, in.voltagesPeakToPeak_V);
  const converter::RequestError error = converter::CheckRequest(request);
  if (error == converter::RequestError::kNone) return request;
  notTaken.push_back(std::string("inputs.converterInformation.supportedTopologies.") +
                     (request.topology == converter::Topology::kBuck ? "buck" : "boost") + ": " +
                     converter::RequestErrorText(error));
  return std::nullopt;
}

// The operating point's numbers into the settings record: an output choke
// for a buck converter, else other use.
void SetOperatingPoint(const mas::MasImport& in, bool outputChoke, SettingsRecord& s) {
  s.L = FieldText(in.inductance_uH);
  s.us_Imin = 0;  // the inductance given is the one to design for
  if (in.frequency_kHz) s.Fc = FieldText(*in.frequency_kHz);
  if (in.currentOffset_A) s.Inom = FieldText(*in.currentOffset_A);
  if (in.voltagePeakToPeak_V && in.dutyCycle) {
    // A rectangular voltage of Vpp and duty D across the choke: U1 while the
    // switch conducts, U2 while it is off, U1 * D = U2 * (1 - D). Across an
    // output choke U1 - U2 and U2: its pulse voltage is Vpp.
    const double U2 = *in.voltagePeakToPeak_V * *in.dutyCycle;
    s.use = outputChoke ? 0 : 1;
    s.voltageSwitchOn =
        outputChoke ? FieldText(*in.voltagePeakToPeak_V) : ComputedFieldText(*in.voltagePeakToPeak_V - U2);
    s.Udc = ComputedFieldText(U2);
  }
  if (in.gap_mm) {
    s.gapChoice = 0;
    s.gapOrAl = FieldText(*in.gap_mm);
  }
}

// What the document holds but the window does not take, for the message:
// the reader's parts, and an ambient outside the program's range.
std::string NotTaken(const mas::MasImport& in, std::vector<std::string> parts) {
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
  if (!read.design) return Tell(dlg, Refusal(dlg.Model().Lang(), read), error);
  const mas::MasImport& in = *read.design;

  std::string missing, notTaken;
  dlg.ChangeInputs(
      [&](Workspace& model) {
        SettingsRecord& s = model.Settings();
        std::vector<std::string> notTakenParts = in.notTaken;
        const auto request = RequestOf(in, notTakenParts);
        SetOperatingPoint(in, request && request->topology == converter::Topology::kBuck, s);
        model.SetDesignRequest(request);
        const auto core = in.shape ? MatchCore(model, *in.shape) : std::nullopt;
        s.core = core.value_or(model.CurrentCore());
        if (!core) missing += DesignText(model.Lang(), "masCore") + " " + in.shape.value_or("-");
        const auto material = in.material ? MatchMaterial(model, *in.material) : std::nullopt;
        if (material) s.mater = *material;
        else
          missing +=
              (missing.empty() ? "" : ", ") + DesignText(model.Lang(), "masMaterial") + " " + in.material.value_or("-");
        if (in.ambient_C && IsUsableAmbient(*in.ambient_C)) model.SetDesignAmbient(*in.ambient_C);
        notTaken = NotTaken(in, std::move(notTakenParts));
      },
      InputsShown::kAll);
  std::string message;
  if (!missing.empty()) message = DesignText(dlg.Model().Lang(), "masNotFound") + " " + missing;
  if (in.purpose == kMasConverterNames[static_cast<int>(converter::Topology::kBuckBoost)])
    message += (message.empty() ? "" : "\r\n") + DesignText(dlg.Model().Lang(), "masNoTopology") + " " +
               ConverterText(dlg.Model().Lang(), "buckBoost");
  if (!notTaken.empty())
    message += (message.empty() ? "" : "\r\n") + DesignText(dlg.Model().Lang(), "masNotTaken") + " " + notTaken;
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
    return Tell(dlg, DesignText(dlg.Model().Lang(), "masReadFailed") + " " + reason, error);
  }
  if (!ImportMasText(dlg, *bytes, error)) return false;
  dlg.Model().SetImportedDocument(path);
  return true;
}

}  // namespace velmora
