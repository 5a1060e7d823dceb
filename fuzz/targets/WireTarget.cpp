// SPDX-License-Identifier: GPL-3.0-or-later
// The wire table file on any bytes, then the wire choice, the unit switches
// and the spin steps with any field text and cross-section.
#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "calc/WireTable.h"

namespace velmora::fuzz {

namespace {

void CheckIndex(const WireTable& table, int index) {
  if (table.entries.empty())
    VELMORA_FUZZ_CHECK(index == -1 || index == 0);
  else
    VELMORA_FUZZ_CHECK(index >= 0 && index <= table.last());
}

}  // namespace

int FuzzWire(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const bool awg = in.TakeBool();
  const bool useDesired = in.TakeBool();
  const double Scu = in.TakeDouble();
  const double d = in.TakeDouble();
  const int spin = in.TakeInt(-5, 110);
  const std::string field = in.TakeString(24);
  const std::string mmUnit = in.TakeString(8);
  const std::string notice = in.TakeString(64);
  const std::string_view text = in.Rest();

  const WireTable metric = ParseWireTable(text);
  VELMORA_FUZZ_CHECK(metric.entries.size() <= 101);
  static const WireTable kAwg = BuildAwgTable();
  VELMORA_FUZZ_CHECK(kAwg.last() == 40);
  const WireTable& table = awg ? kAwg : metric;

  const WireChoice choice = SelectWire(table, awg, useDesired, field, Scu, notice, mmUnit);
  CheckIndex(table, choice.index);
  CheckIndex(table, choice.spinPos);
  if (!table.entries.empty()) VELMORA_FUZZ_CHECK(choice.n >= 1 || choice.n != choice.n);
  VELMORA_FUZZ_CHECK(choice.notice || choice.noticeText.empty());

  VELMORA_FUZZ_CHECK(FirstIndexAtLeast(metric, d) >= -1 && FirstIndexAtLeast(metric, d) <= metric.last());
  (void)FormatDiameter(d);
  (void)AwgDiameter(d);

  const UnitSwitchResult toAwg = SwitchFieldToAwg(kAwg, field);
  CheckIndex(kAwg, toAwg.spinPos);
  const UnitSwitchResult toMetric = SwitchFieldToMetric(metric, field);
  CheckIndex(metric, toMetric.spinPos);
  (void)SpinFieldText(table, awg, spin);
  return 0;
}

}  // namespace velmora::fuzz
