// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of the core database "BaseCores.txt": one six-line record per core,
//   [name] / Ae = .. / An = .. / le = .. / mu = .. / (empty line)
// listed by shape, read, appended to and removed from as text.
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum CoreShape : int { kShapeE = 0, kShapeEI = 1, kShapeER = 2, kShapeETD = 3, kShapeR = 4, kShapeOther = 5 };
constexpr int kShapeCount = 6;

// Most entries one shape's core list shows (the first ones of the file): a
// list entry costs the window a few hundred bytes, so a file of tiny records
// ("[E ]" repeated) would otherwise cost it many times its size. Real
// databases hold hundreds of cores.
inline constexpr std::size_t kMaxCoreListEntries = 50000;

// The names the core list shows for a shape, in the order of the text (the
// list itself sorts them); at most the first kMaxCoreListEntries.
std::vector<std::string> ListCoreNames(std::string_view dbText, int shape);
// The shape whose pattern the name contains first ("E ", "EI", "ER", "ETD",
// "R "), else other.
int ShapeOfName(std::string_view name);
// "E ", "EI ", "ER ", "ETD ", "R ", or empty for other.
const char* ShapePrefix(int shape);
// The name with its shape's prefix put in front unless it contains it anywhere.
std::string WithShapePrefix(std::string_view name, int shape);

// The four value texts of a core's record, with every ',' replaced by '.';
// a missing key gives the empty text.
struct CoreTexts {
  std::string Ae, An, le, mu;
};
// The record is found by its header line "[" + name + "]"; only when there is
// none, by "name]" (a name the list cut from inside a longer header), and last
// by the first occurrence of the name. Keys are read inside that record only.
CoreTexts ReadCoreTexts(std::string_view dbText, std::string_view name);

// Optional lines a record may carry after its four values, which the
// calculation does not read: "MLT = " the mean length of a turn (mm),
// "Asurf = " the outer surface of the wound core (mm2) and "bw = " the
// breadth of the winding (mm, the window's height along which a layer runs).
// No key holds "Ae", "An", "le" or "mu", so the lookups of those never stop at
// them; these are found only at the start of a line of the core's own record.
// A value that is missing or not a positive number reads as 0.
struct CoreExtras {
  double MLT = 0;
  double Asurf = 0;
  double bw = 0;
};
CoreExtras ReadCoreExtras(std::string_view dbText, std::string_view name);

// The optional line "mas = " of a record: the core's shape name in the MAS
// exchange format ("T 22.1/13.7/6.3" for "R 22.1/13.7/6.35"), found like the
// lines above; empty when the record has none. The key holds none of "Ae",
// "An", "le" and "mu" either.
inline constexpr std::string_view kMasKey = "mas";
std::string ReadCoreMasName(std::string_view dbText, std::string_view name);

// The optional line "sold = " of a record: the kinds of material the core is
// sold in, "powder" (a powder ring) or "ferrite powder" (a ferrite shape also
// sold in powder). A record without the line is a ferrite core. The key holds
// none of "Ae", "An", "le" and "mu"; it is found like the lines above.
inline constexpr std::string_view kSoldKey = "sold";
struct CoreSold {
  bool ferrite = true;
  bool powder = false;
};
CoreSold ReadCoreSold(std::string_view dbText, std::string_view name);
// Every record of the text in file order: the name of its header line (a
// line that opens with '[', up to its first ']') and its "mas" line (empty
// when it has none). At most kMaxCoreListEntries; one pass over the text.
struct CoreHeader {
  std::string name;
  std::string mas;
};
std::vector<CoreHeader> ListCoreHeaders(std::string_view dbText);

// The family of a core, lower case: the words before the size in its MAS
// name ("etd" of "etd 34/17/11", "e" of the EI records' "e 14/3.5/5"); a
// record without one, the last word before the size in its own name ("efd"
// of "E EFD 20/10/7", "ei" of "EI 14/3.5/5"), a ring's "R" read as the MAS
// toroid "t". A word before the size holds no digit; empty when none does.
std::string CoreFamily(const CoreHeader& header);

// One selected core, as the calculation reads it.
struct CoreRecord {
  std::string name;
  double Ae = 0, An = 0, le = 0;
  double mu = 0;  // read as a whole number
  double Ve = 0;  // cm3, le * Ae / 1000
};
CoreRecord CoreFromTexts(std::string_view name, const CoreTexts& texts);
// Ve formatted "%.3f".
std::string FormatVolume(const CoreRecord& core);

// "[name]\r\nAe = ..\r\nAn = ..\r\nle = ..\r\nmu = ..\r\n\r\n"
std::string FormatCoreRecord(std::string_view name, std::string_view Ae, std::string_view An, std::string_view le,
                             std::string_view mu);
// True when the text holds a record whose header line is "[" + name + "]",
// letter case ignored (Windows-1251).
bool HasCoreRecord(std::string_view dbText, std::string_view name);
// A name the format can hold: no '[', ']', CR or LF.
bool IsValidCoreName(std::string_view name);
// A value text (Ae, An, le, mu) the format can hold: no CR or LF.
bool IsValidCoreValue(std::string_view text);
// The text without the record of that name (found as ReadCoreTexts finds it),
// from its '[' up to the next record's '[' or the end. Unchanged when absent.
std::string RemoveCoreRecord(std::string_view dbText, std::string_view name);

}  // namespace velmora
