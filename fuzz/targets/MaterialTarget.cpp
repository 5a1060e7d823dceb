// SPDX-License-Identifier: GPL-3.0-or-later
// A material data file and the material list on any bytes, then both core-loss
// operations at any frequency, flux density, volume and loss limit.
#include <cmath>

#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "calc/CoreLoss.h"
#include "calc/Powder.h"
#include "data/MaterialRecord.h"

namespace velmora::fuzz {

int FuzzMaterial(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const double F = in.TakeDouble();
  const double Bac = in.TakeDouble();
  const double Ve = in.TakeDouble();
  const double limit = in.TakeBool() ? 200.0 : in.TakeDouble();
  const bool fromLoaded = in.TakeBool();
  const std::string_view text = in.Rest();

  MaterialRecord record;
  if (fromLoaded) {
    // A record that held another material before: every cell is replaced.
    for (auto& row : record.table)
      for (double& cell : row) cell = 7.0;
    record.nB = 9;
    record.nF = 19;
  }
  const bool complete = ParseMaterialText(text, record);
  VELMORA_FUZZ_CHECK(record.nB >= 0 && record.nB <= 9);
  VELMORA_FUZZ_CHECK(record.nF >= 0 && record.nF <= 19);
  VELMORA_FUZZ_CHECK(record.table[0][0] == 0.0);
  for (int r = record.nF + 1; r < MaterialRecord::kRows; ++r)
    for (int c = 0; c < MaterialRecord::kColumns; ++c) VELMORA_FUZZ_CHECK(record.table[r][c] == 0.0);
  (void)complete;
  (void)record.LastFrequency();
  // Tables over temperature: ascending, capped, never the file's own 100 C,
  // complete (positive finite cells) on the record's grid.
  VELMORA_FUZZ_CHECK(record.temperatureTables.size() <= MaterialRecord::kMaxTemperatureTables);
  for (std::size_t i = 0; i < record.temperatureTables.size(); ++i) {
    const MaterialRecord::TemperatureTable& t = record.temperatureTables[i];
    VELMORA_FUZZ_CHECK(t.temperature_C != MaterialRecord::kTableTemperature);
    if (i > 0) VELMORA_FUZZ_CHECK(record.temperatureTables[i - 1].temperature_C < t.temperature_C);
    for (int r = 1; r <= record.nF; ++r)
      for (int c = 1; c <= record.nB; ++c) VELMORA_FUZZ_CHECK(t.table[r][c] > 0 && std::isfinite(t.table[r][c]));
    (void)SpecificLoss(t.table, record.nF, record.nB, F, Bac);
  }

  const double B1 = FluxAmplitudeAtLossLimit(record, F, limit);
  if (!std::isnan(B1) && !std::isnan(record.Bmmax)) VELMORA_FUZZ_CHECK(B1 <= record.Bmmax);
  const CoreLossEstimate loss = EstimateCoreLoss(record, F, Bac, Ve);
  (void)loss;

  // A roll-off fit is read only when usable: its permeability never rises
  // above the zero-field one and never falls below 0 at any field.
  if (record.hasRollOff()) {
    const double ratio = powder::PermeabilityRatio(record.powder.rollOff, F);
    const double atZero = powder::PermeabilityRatio(record.powder.rollOff, 0);
    VELMORA_FUZZ_CHECK(std::isfinite(atZero) && atZero > 0);
    VELMORA_FUZZ_CHECK(!(ratio > atZero) && !(ratio < 0));
    VELMORA_FUZZ_CHECK(record.powder.alTolerance >= 0 && record.powder.alTolerance < 1);
  }
  for (const std::string& name : ParseMaterialList(text)) VELMORA_FUZZ_CHECK(!name.empty());
  return 0;
}

}  // namespace velmora::fuzz
