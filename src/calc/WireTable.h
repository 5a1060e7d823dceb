// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wire sizes that may be used: metric sizes from "Wire.txt" or AWG 40..0.
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct WireEntry {
  double d = 0;    // bare diameter, mm
  double diz = 0;  // diameter over insulation, mm
  double A = 0;    // copper cross-section, mm2
};

struct WireTable {
  std::vector<WireEntry> entries;  // ascending diameters, at most 101
  int last() const { return static_cast<int>(entries.size()) - 1; }
};

// "d%i" / "diz%i" pairs until the first missing one, at most 101 entries.
WireTable ParseWireTable(std::string_view text);
// Reads the file; false (table unchanged) when it cannot be read.
bool ReadWireTable(const std::string& path, WireTable& table);
// Entry i is AWG 40 - i.
WireTable BuildAwgTable();
// "%.3f" without trailing zeros and point: 0.500 -> "0.5", 1.000 -> "1".
std::string FormatDiameter(double d);
// First entry whose diameter is at least d; last when d exceeds every entry;
// -1 for an empty table.
int FirstIndexAtLeast(const WireTable& table, double d);
// Diameter of AWG number a (not truncated).
double AwgDiameter(double awg);

struct WireChoice {
  double d = 0;           // chosen bare diameter, mm
  int index = -1;         // chosen entry
  double S1 = 0;          // one wire's copper cross-section, mm2
  double n = 0;           // parallel wires (whole)
  int spinPos = -1;       // position the spin button takes
  std::string fieldText;  // the wire-size field after the choice
  bool notice = false;    // the typed size is not in the table
  std::string typed;      // the field as read ("," as ".")
  std::string noticeText;
};
// Chooses wire size and count for the copper cross-section Scu (mm2).
// fieldText is the wire-size field ("," is read as "."); noticeTemplate is the
// sentence into which the typed size is inserted after its third blank;
// mmUnit the millimetre unit text.
WireChoice SelectWire(const WireTable& table, bool awg, bool useDesired, std::string_view fieldText, double Scu,
                      std::string_view noticeTemplate, std::string_view mmUnit);
// The same choice without the notice's text.
WireChoice SelectWire(const WireTable& table, bool awg, bool useDesired, std::string_view fieldText, double Scu);

// The wire-size field as a choice reads it, whatever the copper section:
// one for every run of a table and a field (the adviser reads it once).
struct TypedWire {
  std::string typed;            // the field as read ("," as ".")
  std::string fieldText;        // the field after the choice
  int index = -1;               // the typed size's entry; -1 for an empty table
  bool notice = false;          // the typed size is not in the table
  bool areasAscending = false;  // SectionsAscending(table), when the reader asked
};
TypedWire ReadTypedWire(const WireTable& table, bool awg, std::string_view fieldText);
// Every section finite and none below the one before: the choice may then
// search the sections by halves.
bool SectionsAscending(const WireTable& table);
// SelectWire's choice from the field so read, its texts (typed, fieldText)
// left empty: they are the TypedWire's.
WireChoice ChooseWire(const WireTable& table, const TypedWire& typed, bool useDesired, double Scu);

// The notice about a typed size that the table does not hold: the typed text
// goes in after the template's third blank, the size taken to the end.
std::string WireNoticeText(std::string_view noticeTemplate, const std::string& typed, const std::string& chosen,
                           std::string_view mmUnit);

// Unit switches: the new field text and spin position.
struct UnitSwitchResult {
  std::string fieldText;
  int spinPos = 0;
};
// Metric field (a diameter) -> AWG number in the AWG table.
UnitSwitchResult SwitchFieldToAwg(const WireTable& awgTable, std::string_view metricFieldText);
// AWG field (a number, not truncated) -> the next metric size at least as thick.
UnitSwitchResult SwitchFieldToMetric(const WireTable& metricTable, std::string_view awgFieldText);
// The field text at spin position p: metric diameter or "40 - p".
std::string SpinFieldText(const WireTable& table, bool awg, int pos);

}  // namespace velmora
