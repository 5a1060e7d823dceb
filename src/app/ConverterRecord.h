// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The converter request as text: the "[CONVERTER]" section that a design file
// carries after its "[INI_DATA]" lines, and that "Details.cfg" keeps for the
// next run. Every key begins with "conv_" and holds none of the settings
// keys' texts (not "L", "j", "use", ...), so the settings' keyed lookup of a
// file with the section reads exactly what it read without it.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "converter/Converter.h"
#include "data/MaterialRecord.h"
#include "design/Design.h"
#include "settings/DetailsConfig.h"

namespace velmora {

// "[CONVERTER]" CR LF, then one "key\t= value" CR LF line per field: numbers
// in the shortest text that reads back the same, the light load empty when
// there is none.
std::string SerializeConverterSection(const converter::ConverterRequest& request);

// The request of the text's section; none when the text has no section, a
// field is missing or unreadable, or the request has an error.
std::optional<converter::ConverterRequest> ParseConverterSection(std::string_view text);

// The text from the section's header to the end; empty when there is none.
std::string_view ConverterSectionOf(std::string_view text);

// The request as a report states it, with its design at the frequency the
// choke is calculated at (held to the material's loss table); the points
// stay zero when the request has an error.
ConverterStatement StatementOf(const converter::ConverterRequest& request, const MaterialRecord& material);

// The points a choke of that inductance (µH) is judged at (the converter's
// EvaluationPoints) as the design details take them; none when the request
// has an error.
std::vector<insight::PointDemand> PointDemandsOf(const converter::ConverterRequest& request, double inductance_uH);
// The same as a function of the inductance for many designs of one request
// (the adviser's query), planned once.
std::function<std::vector<insight::PointDemand>(double inductance_uH)> PointSourceOf(
    const converter::ConverterRequest& request);

}  // namespace velmora
