// SPDX-License-Identifier: GPL-3.0-or-later
// The wire table on the window: filling it for the current unit, the switch
// between millimetres and AWG, and the spin button beside the wire-size field.
#include <algorithm>

#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "calc/Constants.h"
#include "textfile/Limits.h"

namespace velmora {

using namespace ids;

namespace {

// Why a file cannot be read, in the words of the C library.
std::string ReasonFileUnreadable(const char* name) { return ReasonCannotRead(name, constants::kMaxTextFileBytes); }

}  // namespace

bool CVelmoraDlg::FillWireTable(bool awg) {
  if (awg) {
    wires_ = BuildAwgTable();
  } else if (!ReadWireTable(constants::kWireFile, wires_)) {
    // The file error is told with the file's name and the reason; the table
    // keeps its entries, and the spin button stays inside them.
    Message(std::string("Cannot read the file ") + constants::kWireFile + ": " +
            ReasonFileUnreadable(constants::kWireFile));
    SetSpinRange(IDC_SPIN_WIRE, 0, std::max(wires_.last(), 0));
    return false;
  }
  SetSpinBuddy(IDC_SPIN_WIRE, IDC_EDIT_DPROV);
  SetSpinRange(IDC_SPIN_WIRE, 0, std::max(wires_.last(), 0));
  return true;
}

bool CVelmoraDlg::RebuildWireTable() { return FillWireTable(settings_.yes_AWG == 1); }

void CVelmoraDlg::OnSwitchToAwg() {
  const bool wasMetric = settings_.yes_AWG != 1;
  ApplyWireUnitCaptions(1);
  FillWireTable(true);
  if (!wasMetric) return;
  UpdateData(true);
  const UnitSwitchResult r = SwitchFieldToAwg(wires_, settings_.wireSize);
  settings_.wireSize = r.fieldText;
  SetSpinPos(IDC_SPIN_WIRE, r.spinPos);
  UpdateData(false);
  Calculate();
}

void CVelmoraDlg::OnSwitchToMetric() {
  const bool wasAwg = settings_.yes_AWG == 1;
  // The table is read before anything changes: a "Wire.txt" that cannot be
  // read leaves the window in AWG mode, radio button included.
  if (!FillWireTable(false)) {
    if (wasAwg) SetRadioIndex(IDC_RADIO_METRIC, 1);
    return;
  }
  ApplyWireUnitCaptions(0);
  if (!wasAwg) return;
  UpdateData(true);
  if (!wires_.entries.empty()) {
    const UnitSwitchResult r = SwitchFieldToMetric(wires_, settings_.wireSize);
    settings_.wireSize = r.fieldText;
    SetSpinPos(IDC_SPIN_WIRE, r.spinPos);
    UpdateData(false);
  }
  // Also with an empty table: the labels leave "AWG" behind with the captions.
  Calculate();
}

void CVelmoraDlg::OnSpin() {
  if (wires_.entries.empty()) return;
  UpdateData(true);
  settings_.wireSize = SpinFieldText(wires_, settings_.yes_AWG == 1, GetSpinPos(IDC_SPIN_WIRE));
  UpdateData(false);
  Calculate();
}

}  // namespace velmora
