// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's design as a MAS document and back: "Export MAS..." and
// "Import MAS..." of the design menu, and the command line's --mas and
// --from-mas. Both tell a failure in a message box of the window's language
// (the command line prints it); the file dialogs are the windowed program's.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mas/MasDocument.h"
#include "ui/Template.h"

namespace velmora {

class CVelmoraDlg;
struct CoreRecord;
struct LanguageTable;

// designRequirements.name of a design made for a converter, in the order of
// converter::Topology. The format has no topology for the inverting
// buck-boost: this name is how an import knows one.
inline constexpr const char* kMasConverterNames[] = {"buck converter", "boost converter",
                                                     "inverting buck-boost converter"};

// "Export MAS..." and "Import MAS..." after the design menu's other items,
// and their texts in the window's language.
void AppendMasMenuItems(std::vector<ui::MenuItem>& items);
void ApplyMasMenuTexts(std::vector<ui::MenuItem>& items, const LanguageTable& lang);
bool IsMasCommand(int id);

// The design the window shows, calculated first, with the converter request
// it carries (DesignRequest). Nothing when the
// calculation gives no design a document can hold; *problem then names the
// figure.
std::optional<mas::MasDesign> MasDesignOfWindow(CVelmoraDlg& dlg, std::string* problem);

// The one place the export writes its file, by the rules of every output the
// user names (textfile/OutputFile.h): the exact name, crash-safe, never one
// of the inputs it was made from. False with the reason in the C library's
// words.
bool WriteMasFile(const std::string& path, std::string_view bytes, const std::vector<std::string>& inputs,
                  std::string* reason);

// Calculates, writes the document to path (UTF-8) and says nothing when that
// worked; otherwise a message box, its text (UTF-8) in *error. inputs are the
// files the design was read from, which the export never replaces.
bool ExportMas(CVelmoraDlg& dlg, const std::string& path, const std::vector<std::string>& inputs = {},
               std::string* error = nullptr);

// Reads the document and sets the window from it (ImportMasText). A file that
// cannot be read gives a message box and changes nothing.
bool ImportMas(CVelmoraDlg& dlg, const std::string& path, std::string* error = nullptr);
// Sets the inductance, the frequency, the nominal current, the purpose and
// the two voltages, the core and material where the database has them, the
// gap (gap mode) and the ambient; the design's converter request is the
// document's buck or boost (an output choke for a buck), or none, as Load
// sets it from a design file; then the window selects and calculates as
// after Load. A document refused by the reader changes nothing: its message
// names the first problem. What does not match is named in one message.
bool ImportMasText(CVelmoraDlg& dlg, std::string_view utf8, std::string* error = nullptr);

// The gap (mm) that gives an AL (uH/turn2) by the calculation's gap formula
// (FiguresOfGap) in that core, material and own gap: 0 when even no gap
// gives less; NaN when no number can.
double GapOfInductanceFactor(double AL_uH, const CoreRecord& core, double materialMu, double g0);

}  // namespace velmora
