// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/WireTable.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "calc/Constants.h"
#include "textfile/KeyedTextFile.h"
#include "textfile/Numbers.h"

namespace velmora {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double CrossSection(double d) { return d * d * constants::kPi * 0.25; }

WireEntry MakeEntry(double d, double diz) { return WireEntry{d, diz, CrossSection(d)}; }

double ReadNumber(std::string_view text) { return ReadLeadingDouble(CommaToPoint(text)); }

// Position of the first ch at or after start; -1 when there is none or start
// lies outside the text.
long FindFrom(const std::string& text, char ch, long start) {
  if (start < 0 || start >= static_cast<long>(text.size())) return -1;
  const std::size_t p = text.find(ch, static_cast<std::size_t>(start));
  return p == std::string::npos ? -1 : static_cast<long>(p);
}

// The notice about a typed size that the table does not hold: the typed text
// goes in after the template's third blank, the table size to the end.
std::string BuildNotice(std::string_view noticeTemplate, const std::string& typed, const std::string& chosen,
                        std::string_view mmUnit) {
  std::string text(noticeTemplate);
  const long p1 = FindFrom(text, ' ', 0);
  const long p2 = FindFrom(text, ' ', p1 + 1);
  const long p3 = FindFrom(text, ' ', p2 + 1);
  std::string inserted = typed;
  inserted += ' ';
  inserted += mmUnit;
  inserted += ' ';
  text.insert(static_cast<std::size_t>(p3 + 1), inserted);
  text += ' ';
  text += chosen;
  text += ' ';
  text += mmUnit;
  return text;
}

int ClampIndex(const WireTable& table, int i) {
  if (i < 0) return 0;
  return i > table.last() ? table.last() : i;
}

// Parallel wires of the chosen size: up to 10 % above the permitted current
// density is accepted before another wire is added.
double WiresOfDesiredSize(double Scu, double S1) {
  double q = Scu / S1;
  if (q < 1) q = 1;
  const double t = std::trunc(q);
  return (q / t <= constants::kParallelWireTolerance) ? t : t + 1;
}

// The fewest wires of at most the largest size, then the thinnest size that
// carries the share of one wire. Sections known ascending are searched by
// halves: the first at least S all the same.
int FreeChoice(const WireTable& table, bool areasAscending, double Scu, double& n) {
  const double Alast = table.entries.back().A;
  const double q = (Alast < Scu) ? Scu / Alast : 1.0;
  n = RoundUp(q);
  const double S = Scu / n;
  if (areasAscending) {
    // Rounding may leave S a hair above the largest section; a non-finite S
    // matches nothing at all. The largest wire is then the answer.
    if (!(S <= Alast)) return table.last();
    const auto at = std::lower_bound(table.entries.begin(), table.entries.end(), S,
                                     [](const WireEntry& e, double s) { return e.A < s; });
    return static_cast<int>(at - table.entries.begin());
  }
  for (int i = 0; i <= table.last(); ++i) {
    if (table.entries[static_cast<std::size_t>(i)].A >= S) return i;
  }
  return table.last();
}

}  // namespace

WireTable ParseWireTable(std::string_view text) {
  WireTable table;
  for (int i = 1; i <= constants::kMaxWireEntries; ++i) {
    const std::string num = FormatInt(i);
    const std::string d = KeyedTextFile::GetValue(text, "d" + num);
    if (d.empty()) break;
    const std::string diz = KeyedTextFile::GetValue(text, "diz" + num);
    if (diz.empty()) break;
    table.entries.push_back(MakeEntry(ReadNumber(d), ReadNumber(diz)));
  }
  return table;
}

bool ReadWireTable(const std::string& path, WireTable& table) {
  KeyedTextFile file;
  if (!file.Load(path, constants::kMaxTextFileBytes)) return false;
  table = ParseWireTable(file.Text());
  return true;
}

double AwgDiameter(double awg) {
  return constants::kAwg36Diameter *
         std::pow(constants::kAwgRatio, (constants::kAwgReference - awg) / constants::kAwgSteps);
}

WireTable BuildAwgTable() {
  WireTable table;
  table.entries.reserve(constants::kAwgMax + 1);
  for (int i = 0; i <= constants::kAwgMax; ++i) {
    const double d = AwgDiameter(constants::kAwgMax - i);
    table.entries.push_back(MakeEntry(d, constants::kAwgInsulation * d));
  }
  return table;
}

std::string FormatDiameter(double d) {
  std::string text = FormatFixed(d, 3);
  if (text.find('.') == std::string::npos) return text;  // "inf", "nan"
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

int FirstIndexAtLeast(const WireTable& table, double d) {
  for (int i = 0; i <= table.last(); ++i) {
    if (table.entries[static_cast<std::size_t>(i)].d >= d) return i;
  }
  return table.last();
}

std::string WireNoticeText(std::string_view noticeTemplate, const std::string& typed, const std::string& chosen,
                           std::string_view mmUnit) {
  return BuildNotice(noticeTemplate, typed, chosen, mmUnit);
}

WireChoice SelectWire(const WireTable& table, bool awg, bool useDesired, std::string_view fieldText, double Scu,
                      std::string_view noticeTemplate, std::string_view mmUnit) {
  WireChoice choice = SelectWire(table, awg, useDesired, fieldText, Scu);
  if (choice.notice) choice.noticeText = BuildNotice(noticeTemplate, choice.typed, choice.fieldText, mmUnit);
  return choice;
}

TypedWire ReadTypedWire(const WireTable& table, bool awg, std::string_view fieldText) {
  TypedWire w;
  w.typed = CommaToPoint(fieldText);
  w.fieldText = w.typed;
  if (table.entries.empty()) return w;
  const double x = ReadLeadingDouble(w.typed);
  double d = x;
  if (awg) {
    // An AWG number outside the table is taken as the nearest end of it.
    const int t = TruncClamp(x, 0, constants::kAwgMax);
    d = table.entries[static_cast<std::size_t>(ClampIndex(table, constants::kAwgMax - t))].d;
  }
  w.index = FirstIndexAtLeast(table, d);
  const WireEntry& typedEntry = table.entries[static_cast<std::size_t>(w.index)];
  if (typedEntry.d != d) {
    w.notice = true;
    w.fieldText = FormatDiameter(typedEntry.d);
  }
  return w;
}

bool SectionsAscending(const WireTable& table) {
  for (std::size_t i = 0; i < table.entries.size(); ++i) {
    const double A = table.entries[i].A;
    if (!std::isfinite(A) || (i > 0 && A < table.entries[i - 1].A)) return false;
  }
  return true;
}

WireChoice ChooseWire(const WireTable& table, const TypedWire& typed, bool useDesired, double Scu) {
  WireChoice choice;
  if (table.entries.empty()) {
    // Nothing to choose from: no size, no count; the results show "nan".
    choice.d = kNaN;
    choice.S1 = kNaN;
    choice.n = kNaN;
    return choice;
  }
  choice.spinPos = typed.index;
  choice.notice = typed.notice;
  if (useDesired) {
    choice.index = typed.index;
    choice.n = WiresOfDesiredSize(Scu, table.entries[static_cast<std::size_t>(typed.index)].A);
  } else {
    choice.index = FreeChoice(table, typed.areasAscending, Scu, choice.n);
  }
  const WireEntry& chosen = table.entries[static_cast<std::size_t>(choice.index)];
  choice.d = chosen.d;
  choice.S1 = chosen.A;
  return choice;
}

WireChoice SelectWire(const WireTable& table, bool awg, bool useDesired, std::string_view fieldText, double Scu) {
  TypedWire typed = ReadTypedWire(table, awg, fieldText);
  WireChoice choice = ChooseWire(table, typed, useDesired, Scu);
  choice.typed = std::move(typed.typed);
  choice.fieldText = std::move(typed.fieldText);
  return choice;
}

UnitSwitchResult SwitchFieldToAwg(const WireTable& awgTable, std::string_view metricFieldText) {
  UnitSwitchResult result;
  if (awgTable.entries.empty()) {
    result.fieldText = std::string(metricFieldText);
    return result;
  }
  const double d = ReadNumber(metricFieldText);
  const int index = (d <= awgTable.entries.front().d) ? 0 : FirstIndexAtLeast(awgTable, d);
  result.fieldText = FormatInt(constants::kAwgMax - index);
  result.spinPos = index;
  return result;
}

UnitSwitchResult SwitchFieldToMetric(const WireTable& metricTable, std::string_view awgFieldText) {
  UnitSwitchResult result;
  double d = AwgDiameter(ReadNumber(awgFieldText));
  if (metricTable.entries.empty()) {
    // Without a metric table the AWG size's own diameter is the best answer.
    result.fieldText = FormatDiameter(d);
    return result;
  }
  const double largest = metricTable.entries.back().d;
  if (d > largest) d = largest;
  const int index = FirstIndexAtLeast(metricTable, d);
  result.fieldText = FormatDiameter(metricTable.entries[static_cast<std::size_t>(index)].d);
  result.spinPos = index;
  return result;
}

std::string SpinFieldText(const WireTable& table, bool awg, int pos) {
  if (awg) {
    if (pos < 0) pos = 0;
    if (pos > constants::kAwgMax) pos = constants::kAwgMax;
    return FormatInt(constants::kAwgMax - pos);
  }
  if (table.entries.empty()) return std::string();
  return FormatDiameter(table.entries[static_cast<std::size_t>(ClampIndex(table, pos))].d);
}

}  // namespace velmora
