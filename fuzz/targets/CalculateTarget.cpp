// SPDX-License-Identifier: GPL-3.0-or-later
// A whole calculation from fuzzed texts: the nine input fields, the core's
// four values, a material data file, a wire table and a language file, with
// any choices in the radio groups and check boxes.
#include <cmath>

#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "present/ResultTable.h"
#include "present/ShownResults.h"

namespace velmora::fuzz {

namespace {

// The OTHERS slots that the calculation uses: caption, units, the no-data
// material's name, the notice and the warnings.
constexpr LangSlot kOthers[9] = {kMessageCaption, kUnitMilliHenry,     kUnitMicroHenry,
                                 kUnitMillimetre, kNoDataMaterialName, kFluxWarning,
                                 kFillWarning,    kRippleMessage,      kUnitAwg};

}  // namespace

int FuzzCalculate(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  ChokeInputs inputs;
  inputs.use = in.TakeChoice();
  inputs.gapChoice = in.TakeChoice();
  inputs.us_Imin = in.TakeChoice();
  inputs.yes_AWG = in.TakeChoice();
  inputs.use_D = in.TakeChoice();
  const double lossLimit = in.TakeBool() ? 200.0 : in.TakeDouble();
  const bool noDataName = in.TakeBool();

  // Parts: fields (one per line), material file, wire file, and the texts
  // the calculation shows (one per line; the language file reader has a
  // target of its own).
  const auto parts = SplitParts(in.Rest(), kPartSeparator, 4);
  const auto fields = SplitParts(parts[0], '\n', 13);
  inputs.L = fields[0];
  inputs.Inom = fields[1];
  inputs.Imin = fields[2];
  inputs.voltageSwitchOn = fields[3];
  inputs.Udc = fields[4];
  inputs.Fc = fields[5];
  inputs.j = fields[6];
  inputs.gapOrAl = fields[7];
  inputs.wireSize = fields[8];
  const CoreTexts coreTexts{fields[9], fields[10], fields[11], fields[12]};
  const CoreRecord core = CoreFromTexts("E 25/13/7", coreTexts);

  MaterialRecord material;
  ParseMaterialText(parts[1], material);
  LanguageTable lang;
  const auto texts = SplitParts(parts[3], '\n', 10);
  for (int i = 0; i < 9; ++i) lang[kOthers[i]] = texts[static_cast<std::size_t>(i)];
  lang[kPermittedFluxWord] = texts[9];
  if (noDataName) material.name = lang[kNoDataMaterialName] + " *";
  const WireTable wires = inputs.yes_AWG == 1 ? BuildAwgTable() : ParseWireTable(parts[2]);

  const ChokeContext context{core, material, wires, lossLimit, lang[kNoDataMaterialName]};
  const ShownResults results = CalculateShown(inputs, context, lang);

  VELMORA_FUZZ_CHECK(results.messages.size() <= 3);
  if (results.spinPos && !wires.entries.empty())
    VELMORA_FUZZ_CHECK(*results.spinPos >= 0 && *results.spinPos <= wires.last());
  if (results.wireIndex >= 0) VELMORA_FUZZ_CHECK(results.wireIndex <= wires.last());
  if (results.noData) VELMORA_FUZZ_CHECK(results.mu == 10000.0);
  if (!results.Stopped()) VELMORA_FUZZ_CHECK(results.texts[Result::Fill].has_value());
  // A run the input checks stop computes nothing: one message, no label.
  if (results.stoppedByInputCheck)
    VELMORA_FUZZ_CHECK(results.messages.size() == 1 && !results.texts[Result::Turns] &&
                       !results.texts[Result::CoreLoss]);
  // Every message has the caption of the message boxes.
  for (const Message& m : results.messages) VELMORA_FUZZ_CHECK(m.caption == lang[kMessageCaption]);
  // A second run on the texts the first one left behind stays within bounds too.
  const ShownResults second = CalculateShown(results.fields, context, lang);
  VELMORA_FUZZ_CHECK(second.messages.size() <= 3);
  return 0;
}

}  // namespace velmora::fuzz
