// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calc/WireTable.h"
#include "support/ChokeFixture.h"
#include "support/TempDir.h"
#include "textfile/Numbers.h"

namespace velmora {
namespace {

constexpr double kPi = 3.141592653589793;
const char* const kTemplate = "Wire size of is not in the table, taken";

using test::Metric;

// --- Reading and building ---------------------------------------------------

TEST(WireTableRead, PairsUntilTheFirstMissingOne) {
  const std::string text = test::crlf({"d1 = 0.1", "diz1 = 0.12", "d2 = 0,2", "diz2 = 0,23", "d3 = 0.5", "diz3 = 0.55",
                                       "d4 = 1", "diz4 = 1.1", "d5 = 2"});
  const WireTable t = ParseWireTable(text);
  ASSERT_EQ(t.last(), 3);  // d5 without diz5 does not count
  EXPECT_EQ(t.entries[1].d, 0.2);
  EXPECT_EQ(t.entries[1].diz, 0.23);
  EXPECT_DOUBLE_EQ(t.entries[3].A, kPi * 0.25);

  EXPECT_EQ(ParseWireTable(test::crlf({"d1 =", "diz1 = 0.12", "d2 = 0.2", "diz2 = 0.23"})).last(), -1);
  EXPECT_EQ(ParseWireTable("").last(), -1);
}

TEST(WireTableRead, AtMost101Entries) {
  std::string text;
  for (int i = 1; i <= 105; ++i) {
    text += "d" + std::to_string(i) + " = " + FormatFixed(0.01 * i, 2) + "\r\n";
    text += "diz" + std::to_string(i) + " = " + FormatFixed(0.012 * i, 3) + "\r\n";
  }
  const WireTable t = ParseWireTable(text);
  ASSERT_EQ(t.entries.size(), 101u);
  EXPECT_EQ(t.entries[100].d, 1.01);
}

TEST(WireTableRead, FileOrTableUnchanged) {
  test::TempDir dir;
  dir.write("Wire.txt", test::crlf({"d1 = 0.45", "diz1 = 0.5", "d2 = 0.56", "diz2 = 0.61"}));
  WireTable t = Metric({9.0});
  ASSERT_TRUE(ReadWireTable("Wire.txt", t));
  ASSERT_EQ(t.last(), 1);
  EXPECT_EQ(t.entries[1].d, 0.56);

  EXPECT_FALSE(ReadWireTable("Missing.txt", t));
  EXPECT_EQ(t.last(), 1);
}

TEST(WireTableAwg, FortyOneSizesThinToThick) {
  const WireTable t = BuildAwgTable();
  ASSERT_EQ(t.last(), 40);
  EXPECT_EQ(FormatFixed(t.entries[0].d, 3), "0.080");   // AWG 40
  EXPECT_EQ(FormatFixed(t.entries[4].d, 3), "0.127");   // AWG 36
  EXPECT_EQ(FormatFixed(t.entries[20].d, 3), "0.812");  // AWG 20
  EXPECT_EQ(FormatFixed(t.entries[40].d, 3), "8.251");  // AWG 0
  EXPECT_EQ(FormatFixed(t.entries[26].d, 3), "1.628");  // AWG 14
  EXPECT_DOUBLE_EQ(t.entries[20].diz, 1.15 * t.entries[20].d);
  EXPECT_DOUBLE_EQ(t.entries[20].A, t.entries[20].d * t.entries[20].d * kPi * 0.25);
  for (int i = 1; i <= 40; ++i) EXPECT_LT(t.entries[i - 1].d, t.entries[i].d);
  EXPECT_DOUBLE_EQ(AwgDiameter(20.7), 0.127 * std::pow(92.0, (36 - 20.7) / 39));
}

TEST(WireTableText, DiameterForm) {
  EXPECT_EQ(FormatDiameter(0.5), "0.5");
  EXPECT_EQ(FormatDiameter(1.0), "1");
  EXPECT_EQ(FormatDiameter(0.56), "0.56");
  EXPECT_EQ(FormatDiameter(0.1234), "0.123");
  EXPECT_EQ(FormatDiameter(100.0), "100");
  EXPECT_EQ(FormatDiameter(0.0), "0");
  EXPECT_EQ(FormatDiameter(0.9999), "1");
  EXPECT_EQ(FormatDiameter(INFINITY), "inf");
  EXPECT_EQ(FormatDiameter(NAN), "nan");
}

TEST(WireTableText, FirstIndexAtLeast) {
  const WireTable t = Metric({0.45, 0.56, 1.0});
  EXPECT_EQ(FirstIndexAtLeast(t, 0.1), 0);
  EXPECT_EQ(FirstIndexAtLeast(t, 0.56), 1);
  EXPECT_EQ(FirstIndexAtLeast(t, 0.5), 1);
  EXPECT_EQ(FirstIndexAtLeast(t, 7), 2);
  EXPECT_EQ(FirstIndexAtLeast(t, NAN), 2);
  EXPECT_EQ(FirstIndexAtLeast(WireTable{}, 1), -1);
}

// --- Wire choice --------------------------------------------------------------

TEST(SelectWireNotice, TypedSizeNotInTheTable) {
  const WireTable t = Metric({0.4, 0.45, 0.56, 0.63, 1.0});
  const WireChoice w = SelectWire(t, false, true, "0,5", 0.1, kTemplate, "mm");
  EXPECT_TRUE(w.notice);
  EXPECT_EQ(w.noticeText, "Wire size of 0.5 mm is not in the table, taken 0.56 mm");
  EXPECT_EQ(w.fieldText, "0.56");
  EXPECT_EQ(w.spinPos, 2);
  EXPECT_EQ(w.index, 2);
  EXPECT_EQ(w.d, 0.56);
  EXPECT_EQ(w.S1, t.entries[2].A);

  // The notice appears without the desired size too; the field follows it.
  const WireChoice free = SelectWire(t, false, false, "0.5", 0.1, kTemplate, "mm");
  EXPECT_TRUE(free.notice);
  EXPECT_EQ(free.fieldText, "0.56");
  EXPECT_EQ(free.spinPos, 2);
  EXPECT_EQ(free.index, 0);  // the thinnest wire carries 0.1 mm2

  // Larger than every size: the largest.
  const WireChoice big = SelectWire(t, false, true, "3", 0.1, kTemplate, "mm");
  EXPECT_EQ(big.fieldText, "1");
  EXPECT_EQ(big.noticeText, "Wire size of 3 mm is not in the table, taken 1 mm");
}

TEST(ChooseWire, SearchByHalvesChoosesAsTheScan) {
  // Sections searched by halves (ascending) and one by one: the same entry
  // and count for sections at, between, beyond the sizes and for no number.
  const WireTable t = Metric({0.4, 0.45, 0.45, 0.56, 0.63, 1.0});
  TypedWire typed = ReadTypedWire(t, false, "0.5");
  ASSERT_TRUE(SectionsAscending(t));
  EXPECT_FALSE(SectionsAscending(Metric({0.4, 0.3})));
  EXPECT_FALSE(SectionsAscending(Metric({0.4, std::nan("")})));
  for (double Scu : {0.0, 0.1, t.entries[1].A, t.entries[3].A * 1.0001, 0.5, 0.785, 2.0, 7.3, std::nan(""), HUGE_VAL}) {
    typed.areasAscending = false;
    const WireChoice scan = ChooseWire(t, typed, false, Scu);
    typed.areasAscending = true;
    const WireChoice halves = ChooseWire(t, typed, false, Scu);
    EXPECT_EQ(halves.index, scan.index) << Scu;
    EXPECT_TRUE(halves.n == scan.n || (std::isnan(halves.n) && std::isnan(scan.n))) << Scu;
  }
}

TEST(SelectWireNotice, ExactSizeGivesNone) {
  const WireTable t = Metric({0.4, 0.45, 0.56});
  const WireChoice w = SelectWire(t, false, true, "0,45", 0.1, kTemplate, "mm");
  EXPECT_FALSE(w.notice);
  EXPECT_EQ(w.noticeText, "");
  EXPECT_EQ(w.fieldText, "0.45");
  EXPECT_EQ(w.spinPos, 1);
}

TEST(SelectWireNotice, TemplatesWithFewBlanks) {
  const WireTable t = Metric({0.45, 0.56});
  // No blank: the typed size goes to the front.
  EXPECT_EQ(SelectWire(t, false, true, "0.5", 0.1, "", "mm").noticeText, "0.5 mm  0.56 mm");
  EXPECT_EQ(SelectWire(t, false, true, "0.5", 0.1, "Taken:", "mm").noticeText, "0.5 mm Taken: 0.56 mm");
  // One blank: the third search starts over and finds the first again.
  EXPECT_EQ(SelectWire(t, false, true, "0.5", 0.1, "Not available", "mm").noticeText, "Not 0.5 mm available 0.56 mm");
  // A blank at the very end.
  EXPECT_EQ(SelectWire(t, false, true, "0.5", 0.1, "a b c ", "mm").noticeText, "a b c 0.5 mm  0.56 mm");
}

TEST(SelectWireCount, DesiredSize) {
  const WireTable t = Metric({0.5, 1.0, 2.0});
  const double A1 = t.entries[1].A;
  // 3 mm2 on 1 mm wire: q = 3.82, 3.82 / 3 > 1.1, four wires.
  EXPECT_EQ(SelectWire(t, false, true, "1", 3.0, kTemplate, "mm").n, 4);
  EXPECT_EQ(SelectWire(t, false, true, "1", 0.5, kTemplate, "mm").n, 1);
  EXPECT_EQ(SelectWire(t, false, true, "1", 2.1 * A1, kTemplate, "mm").n, 2);
  EXPECT_EQ(SelectWire(t, false, true, "1", 2.3 * A1, kTemplate, "mm").n, 3);
  const WireChoice w = SelectWire(t, false, true, "1", 3.0, kTemplate, "mm");
  EXPECT_EQ(w.index, 1);
  EXPECT_EQ(w.d, 1.0);
  EXPECT_EQ(w.S1, A1);
}

TEST(SelectWireCount, FreeChoice) {
  const WireTable t = Metric({0.5, 1.0, 1.7, 1.8, 2.0});
  // 10 mm2 and 3.1416 mm2 at most per wire: 4 wires of at least 2.5 mm2.
  const WireChoice w = SelectWire(t, false, false, "0.5", 10.0, kTemplate, "mm");
  EXPECT_EQ(w.n, 4);
  EXPECT_EQ(w.index, 3);
  EXPECT_EQ(w.d, 1.8);
  EXPECT_EQ(w.spinPos, 0);  // the spin stays on the typed size
  // Fits one wire: the thinnest that carries it.
  const WireChoice one = SelectWire(t, false, false, "0.5", 0.7, kTemplate, "mm");
  EXPECT_EQ(one.n, 1);
  EXPECT_EQ(one.d, 1.0);
  // Non-finite sections take the largest wire and never crash.
  EXPECT_EQ(SelectWire(t, false, false, "0.5", NAN, kTemplate, "mm").index, 4);
  const WireChoice inf = SelectWire(t, false, false, "0.5", INFINITY, kTemplate, "mm");
  EXPECT_EQ(inf.index, 4);
  EXPECT_TRUE(std::isinf(inf.n));
  EXPECT_TRUE(std::isinf(SelectWire(t, false, true, "1", INFINITY, kTemplate, "mm").n));
}

TEST(SelectWireAwg, NumbersAreTruncatedAndClamped) {
  const WireTable t = BuildAwgTable();
  const WireChoice w = SelectWire(t, true, true, "20,7", 0.1, kTemplate, "mm");
  EXPECT_FALSE(w.notice);
  EXPECT_EQ(w.fieldText, "20.7");
  EXPECT_EQ(w.spinPos, 20);
  EXPECT_EQ(w.index, 20);
  EXPECT_EQ(w.d, t.entries[20].d);

  EXPECT_EQ(SelectWire(t, true, true, "55", 0.01, kTemplate, "mm").index, 0);   // AWG 40
  EXPECT_EQ(SelectWire(t, true, true, "-3", 0.01, kTemplate, "mm").index, 40);  // AWG 0
  EXPECT_EQ(SelectWire(t, true, true, "1e999", 0.01, kTemplate, "mm").index, 0);
  EXPECT_EQ(SelectWire(t, true, true, "", 0.01, kTemplate, "mm").index, 40);
}

TEST(SelectWireMends, EmptyTable) {
  const WireChoice w = SelectWire(WireTable{}, false, true, "0,5", 1.0, kTemplate, "mm");
  EXPECT_EQ(w.index, -1);
  EXPECT_EQ(w.spinPos, -1);
  EXPECT_FALSE(w.notice);
  EXPECT_EQ(w.fieldText, "0.5");
  EXPECT_TRUE(std::isnan(w.d));
  EXPECT_TRUE(std::isnan(w.n));
  EXPECT_EQ(SelectWire(WireTable{}, true, false, "20", 1.0, kTemplate, "mm").index, -1);
}

// --- Unit switch and spin ---------------------------------------------------------

TEST(WireUnitSwitch, MetricToAwg) {
  const WireTable awg = BuildAwgTable();
  // AWG 24 is 0.511 mm, AWG 25 0.455 mm.
  EXPECT_EQ(SwitchFieldToAwg(awg, "0.5").fieldText, "24");
  EXPECT_EQ(SwitchFieldToAwg(awg, "0,5").spinPos, 16);
  EXPECT_EQ(SwitchFieldToAwg(awg, "0.01").fieldText, "40");
  EXPECT_EQ(SwitchFieldToAwg(awg, "0.01").spinPos, 0);
  EXPECT_EQ(SwitchFieldToAwg(awg, "20").fieldText, "0");
  EXPECT_EQ(SwitchFieldToAwg(awg, "20").spinPos, 40);
}

TEST(WireUnitSwitch, AwgToMetric) {
  const WireTable t = Metric({0.45, 0.56, 1.0, 2.5});
  const UnitSwitchResult thick = SwitchFieldToMetric(t, "0");
  EXPECT_EQ(thick.fieldText, "2.5");
  EXPECT_EQ(thick.spinPos, 3);
  const UnitSwitchResult a24 = SwitchFieldToMetric(t, "24");  // 0.511 mm
  EXPECT_EQ(a24.fieldText, "0.56");
  EXPECT_EQ(a24.spinPos, 1);
  EXPECT_EQ(SwitchFieldToMetric(t, "55").fieldText, "0.45");
  EXPECT_EQ(SwitchFieldToMetric(t, "1e999").spinPos, 0);
  EXPECT_EQ(SwitchFieldToMetric(t, "-1e999").spinPos, 3);
  // No metric table: the AWG size's own diameter.
  EXPECT_EQ(SwitchFieldToMetric(WireTable{}, "24").fieldText, "0.511");
}

TEST(WireUnitSwitch, SpinTexts) {
  const WireTable t = Metric({0.45, 0.56, 1.0});
  EXPECT_EQ(SpinFieldText(t, false, 1), "0.56");
  EXPECT_EQ(SpinFieldText(t, false, 9), "1");
  EXPECT_EQ(SpinFieldText(t, false, -4), "0.45");
  EXPECT_EQ(SpinFieldText(WireTable{}, false, 0), "");
  EXPECT_EQ(SpinFieldText(BuildAwgTable(), true, 16), "24");
  EXPECT_EQ(SpinFieldText(BuildAwgTable(), true, 99), "0");
}

}  // namespace
}  // namespace velmora
