// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The converter's options of calc, advise and report: the choke of a buck,
// boost or inverting buck-boost put into the window's inputs before --do.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Json.h"
#include "converter/Converter.h"

namespace velmora::cli {

struct ConverterArgs {
  bool given = false;  // any converter option on the command line
  // The options' texts as given; the request is made from them at the end.
  std::optional<std::string> topology, vin, vout, iout, ripple, fsw, ioutMin, efficiency, vsw, vd;
  converter::ConverterRequest request;  // set by FinishConverterArgs
};

// The converter's options, each taking a value: --converter, --vin, ...
std::vector<const char*> ConverterOptionNames();
// Keeps the value of one of them, checked by FinishConverterArgs.
void SetConverterOption(std::string_view option, const std::string& value, ConverterArgs& args);

// After the whole command line: the request from the options, or the usage error
// that names the missing, malformed or impossible value. Nothing to do when
// no converter option was given.
std::string FinishConverterArgs(ConverterArgs& args);

// calc --json's "converter": topology, inductance, design point and the
// points at both ends of the range and at the worst point.
Json ConverterJson(const converter::ConverterRequest& request, const converter::ConverterDesign& design);

}  // namespace velmora::cli
