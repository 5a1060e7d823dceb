// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of the main window that the command line's table and the design
// report print: a caption, the value beside it and its unit, by control ID,
// in the window's order. A unit below zero is one the window shows inside
// its caption ("Peak flux density, T"), not in a label of its own.
#include "app/ControlIds.h"

namespace velmora {

struct WindowLine {
  int caption, value, unit;
};

inline constexpr int kUnitTesla = -1;   // "T"
inline constexpr int kUnitAmpere = -2;  // "A"

// The text of a unit below zero; empty for 0 and for a unit label's ID.
constexpr const char* FixedUnitText(int unit) { return unit == kUnitTesla ? "T" : unit == kUnitAmpere ? "A" : ""; }

// The inputs L to j (the wire size and the gap or AL follow them, with units
// that depend on the window's modes).
inline constexpr WindowLine kInputLines[] = {
    {ids::IDC_LABEL_L, ids::IDC_EDIT_L, ids::IDC_UNIT_L},    {ids::IDC_LABEL_INOM, ids::IDC_EDIT_INOM, kUnitAmpere},
    {ids::IDC_LABEL_IMIN, ids::IDC_EDIT_IMIN, kUnitAmpere},  {ids::IDC_LABEL_U1, ids::IDC_EDIT_U1, ids::IDC_UNIT_U1},
    {ids::IDC_LABEL_U2, ids::IDC_EDIT_U2, ids::IDC_UNIT_U2}, {ids::IDC_LABEL_FC, ids::IDC_EDIT_FC, ids::IDC_UNIT_FC},
    {ids::IDC_LABEL_J, ids::IDC_EDIT_J, ids::IDC_UNIT_J}};

// The result labels of the "Core" and "Inductor" groups.
inline constexpr WindowLine kResultLines[] = {{ids::IDC_CAP_REQUIRED, ids::IDC_RES_REQUIRED, ids::IDC_UNIT_REQUIRED},
                                              {ids::IDC_CAP_AL, ids::IDC_RES_AL, 0},
                                              {ids::IDC_CAP_MUE, ids::IDC_RES_MUE, 0},
                                              {ids::IDC_CAP_BPK, ids::IDC_RES_BPK, kUnitTesla},
                                              {ids::IDC_CAP_BAC, ids::IDC_RES_BAC, kUnitTesla},
                                              {ids::IDC_CAP_PCORE, ids::IDC_RES_PCORE, ids::IDC_UNIT_PCORE},
                                              {ids::IDC_CAP_FILL, ids::IDC_RES_FILL, 0},
                                              {ids::IDC_CAP_LACT, ids::IDC_RES_LACT, ids::IDC_UNIT_LACT},
                                              {ids::IDC_CAP_TURNS, ids::IDC_RES_TURNS, 0},
                                              {ids::IDC_CAP_WIRE, ids::IDC_RES_WIRE, ids::IDC_UNIT_WIRE},
                                              {ids::IDC_CAP_WIRES, ids::IDC_RES_WIRES, 0},
                                              {ids::IDC_CAP_JACT, ids::IDC_RES_JACT, ids::IDC_UNIT_JACT},
                                              {ids::IDC_CAP_IPK, ids::IDC_RES_IPK, kUnitAmpere},
                                              {ids::IDC_CAP_DI, ids::IDC_RES_DI, kUnitAmpere}};

// The core data: mu, Ae, An, le, Ve.
inline constexpr WindowLine kCoreDataLines[] = {{ids::IDC_LABEL_MU, ids::IDC_DATA_MU, 0},
                                                {ids::IDC_LABEL_AE, ids::IDC_DATA_AE, ids::IDC_UNIT_AE},
                                                {ids::IDC_LABEL_AN, ids::IDC_DATA_AN, ids::IDC_UNIT_AN},
                                                {ids::IDC_LABEL_LE, ids::IDC_DATA_LE, ids::IDC_UNIT_LE},
                                                {ids::IDC_LABEL_VE, ids::IDC_DATA_VE, ids::IDC_UNIT_VE}};

}  // namespace velmora
