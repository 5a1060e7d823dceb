// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/CoreDatabase.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "textfile/CaseFold.h"
#include "textfile/Limits.h"
#include "textfile/Numbers.h"

namespace velmora {

namespace {

constexpr auto npos = std::string_view::npos;

// The list and recognition patterns of the shapes E, EI, ER, ETD and R.
constexpr std::string_view kShapePatterns[] = {"E ", "EI", "ER", "ETD", "R "};
constexpr const char* kShapePrefixes[kShapeCount] = {"E ", "EI ", "ER ", "ETD ", "R ", ""};

// Bytes 0 to 13 (line breaks, tabs, NUL ...) end a value.
bool IsControlByte(char c) { return static_cast<unsigned char>(c) <= 13; }

bool AtLineStart(std::string_view text, std::size_t pos) {
  return pos == 0 || text[pos - 1] == '\n' || text[pos - 1] == '\r';
}

std::size_t LineEndOf(std::string_view text, std::size_t pos) {
  // A plain scan: find_first_of tests each byte against the set one by one,
  // which made listing a large database two and a half times slower.
  std::size_t end = pos;
  while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
  return end;
}

// The next '[' at or after pos that opens a line: where the next record begins.
std::size_t NextRecordStart(std::string_view text, std::size_t pos) {
  for (std::size_t p = text.find('[', pos); p != npos; p = text.find('[', p + 1))
    if (AtLineStart(text, p)) return p;
  return text.size();
}

// Every occurrence of a needle, left to right, overlapping ones included, in
// time linear in the text and the needle together (Knuth-Morris-Pratt): a
// plain search starts over after each partial match, which on a text of one
// repeated pattern costs the text's length times the needle's.
class Occurrences {
 public:
  Occurrences(std::string_view text, std::string_view needle) : text_(text), needle_(needle), fail_(needle.size()) {
    for (std::size_t i = 1, k = 0; i < needle_.size(); ++i) {
      while (k > 0 && needle_[i] != needle_[k]) k = fail_[k - 1];
      if (needle_[i] == needle_[k]) ++k;
      fail_[i] = k;
    }
  }
  // The start of the next occurrence, or npos.
  std::size_t Next() {
    if (needle_.empty()) return npos;
    while (i_ < text_.size()) {
      while (k_ > 0 && text_[i_] != needle_[k_]) k_ = fail_[k_ - 1];
      if (text_[i_] == needle_[k_]) ++k_;
      ++i_;
      if (k_ == needle_.size()) {
        k_ = fail_[k_ - 1];
        return i_ - needle_.size();
      }
    }
    return npos;
  }

 private:
  std::string_view text_;
  std::string_view needle_;
  std::vector<std::size_t> fail_;  // longest proper border of each prefix
  std::size_t i_ = 0;
  std::size_t k_ = 0;
};

// The entries of one line of the text (no CR or LF in it) for a shape. Only
// a name line gives entries: one that opens with '[', or, for E, EI, ER and
// ETD, one that opens with the pattern itself (a header whose '[' was lost).
// The values, which hold what the user typed, may contain a shape's pattern
// or a '[' and give none (an entry from a value would name no record, and
// deleting it could hit another core). An entry ends before the next ']' of
// its line; the scan goes on at that ']'.
void ListLine(std::string_view line, int shape, std::vector<std::string>& names) {
  const bool header = !line.empty() && line.front() == '[';
  if (shape <= kShapeETD) {
    const std::string_view pattern = kShapePatterns[shape];
    std::size_t pos = 0;
    if (!header) {
      const std::size_t close = line.find(']');
      if (line.starts_with(pattern) && close != npos) names.emplace_back(line.substr(0, close));
      return;
    }
    for (std::size_t p = line.find(pattern, pos); p != npos; p = line.find(pattern, pos)) {
      const std::size_t close = line.find(']', p);
      if (close == npos) return;
      names.emplace_back(line.substr(p, close - p));
      pos = close;
    }
    return;
  }
  if (!header) return;
  std::size_t pos = 0;
  if (shape == kShapeR) {
    // Only a name that begins with "R ": the pattern right after a '['.
    for (std::size_t p = line.find("R ", pos); p != npos; p = line.find("R ", pos)) {
      pos = p + 1;
      if (p == 0 || line[p - 1] != '[') continue;
      const std::size_t close = line.find(']', p);
      if (close == npos) return;
      names.emplace_back(line.substr(p, close - p));
      pos = close;
    }
    return;
  }
  // Other: every name that is neither E-like nor R-like; "RM" counts as other.
  for (std::size_t p = line.find('[', pos); p != npos; p = line.find('[', pos)) {
    const std::string_view name = line.substr(p + 1);
    pos = p + 1;
    if (name.starts_with('E') || (name.starts_with('R') && !name.starts_with("RM"))) continue;
    const std::size_t close = name.find(']');
    if (close == npos) return;
    names.emplace_back(name.substr(0, close));
    pos += close;
  }
}

// Where one record lies: its header line begins at `begin` with '[', its keys
// stand in [body, end), and end is the next record's '[' or the end of the text.
struct RecordSpan {
  std::size_t begin = 0;
  std::size_t body = 0;
  std::size_t end = 0;
};

RecordSpan SpanFrom(std::string_view text, std::size_t begin, std::size_t matchEnd) {
  RecordSpan span;
  span.begin = begin;
  span.body = LineEndOf(text, matchEnd);
  span.end = NextRecordStart(text, span.body);
  return span;
}

// The first occurrence of `needle` (which holds no CR or LF) that stands on a
// header line (a line that opens with '[' before the occurrence), as the span
// of that header's record. One pass: the line start follows the occurrences.
std::optional<RecordSpan> FindInsideHeader(std::string_view text, std::string_view needle) {
  Occurrences hits(text, needle);
  std::size_t lineStart = 0;
  std::size_t scanned = 0;
  for (std::size_t p = hits.Next(); p != npos; p = hits.Next()) {
    for (; scanned < p; ++scanned)
      if (text[scanned] == '\r' || text[scanned] == '\n') lineStart = scanned + 1;
    if (lineStart < p && text[lineStart] == '[') return SpanFrom(text, lineStart, p + needle.size());
  }
  return std::nullopt;
}

// The position of the header line "[" + name + "]", if the text holds one.
std::optional<std::size_t> FindExactHeader(std::string_view text, std::string_view name) {
  std::string header;
  header.reserve(name.size() + 2);
  header.append("[").append(name).append("]");
  for (std::size_t p = text.find(header); p != npos; p = text.find(header, p + 1))
    if (AtLineStart(text, p)) return p;
  return std::nullopt;
}

// The record of a core: its exact header "[" + name + "]" at a line start;
// failing that the header that holds "name]" (an entry the list cut from inside
// a longer name, like "E 20" from "[PQ E 20]"); last the first header that
// holds the name at all.
std::optional<RecordSpan> FindCoreRecord(std::string_view text, std::string_view name) {
  if (!IsValidCoreName(name)) return std::nullopt;
  if (const auto p = FindExactHeader(text, name)) return SpanFrom(text, *p, *p + name.size() + 2);
  // An empty name would match every header below.
  if (name.empty()) return std::nullopt;
  std::string closed(name);
  closed += ']';
  if (auto span = FindInsideHeader(text, closed)) return span;
  return FindInsideHeader(text, name);
}

// A key's value inside one record: after the next '=' that follows the key, up
// to the first byte 0..13 (cut after the longest value a lookup returns),
// blanks trimmed; empty when the key is not there.
std::string ValueInRecord(std::string_view record, std::string_view key) {
  const std::size_t k = record.find(key);
  if (k == npos) return {};
  const std::size_t eq = record.find('=', k + key.size());
  if (eq == npos) return {};
  std::size_t first = eq + 1;
  std::size_t last = first;
  const std::size_t stop = std::min(record.size(), first + constants::kMaxValueBytes);
  while (last < stop && !IsControlByte(record[last])) ++last;
  while (first < last && record[first] == ' ') ++first;
  while (last > first && record[last - 1] == ' ') --last;
  return std::string(record.substr(first, last - first));
}

}  // namespace

std::vector<std::string> ListCoreNames(std::string_view dbText, int shape) {
  std::vector<std::string> names;
  if (shape < 0 || shape >= kShapeCount) return names;
  // An entry never spans a line break: each line is listed by itself, and the
  // whole text in one pass.
  for (std::size_t begin = 0; begin < dbText.size() && names.size() < kMaxCoreListEntries;) {
    const std::size_t end = LineEndOf(dbText, begin);
    ListLine(dbText.substr(begin, end - begin), shape, names);
    begin = end + 1;
  }
  if (names.size() > kMaxCoreListEntries) names.resize(kMaxCoreListEntries);
  return names;
}

int ShapeOfName(std::string_view name) {
  for (int shape = kShapeE; shape <= kShapeR; ++shape)
    if (name.find(kShapePatterns[shape]) != npos) return shape;
  return kShapeOther;
}

const char* ShapePrefix(int shape) {
  if (shape < 0 || shape >= kShapeCount) return "";
  return kShapePrefixes[shape];
}

std::string WithShapePrefix(std::string_view name, int shape) {
  const std::string_view prefix = ShapePrefix(shape);
  if (prefix.empty() || name.find(prefix) != npos) return std::string(name);
  std::string prefixed(prefix);
  prefixed += name;
  return prefixed;
}

CoreTexts ReadCoreTexts(std::string_view dbText, std::string_view name) {
  CoreTexts texts;
  const std::optional<RecordSpan> span = FindCoreRecord(dbText, name);
  if (!span) return texts;
  const std::string_view record = dbText.substr(span->body, span->end - span->body);
  texts.Ae = CommaToPoint(ValueInRecord(record, "Ae"));
  texts.An = CommaToPoint(ValueInRecord(record, "An"));
  texts.le = CommaToPoint(ValueInRecord(record, "le"));
  texts.mu = CommaToPoint(ValueInRecord(record, "mu"));
  return texts;
}

namespace {

// The value text of a key that opens a line of the record (blanks before it
// and before its '=' allowed); nothing when no line opens with the key.
// One pass: the line start follows the occurrences of the key.
std::optional<std::string> LineKeyText(std::string_view record, std::string_view key) {
  std::size_t lineStart = 0;
  std::size_t scanned = 0;
  std::size_t start = 0;  // the line's first byte that is no blank
  bool firstOnLine = true;
  for (std::size_t k = record.find(key); k != npos; k = record.find(key, k + 1)) {
    const std::size_t before = lineStart;
    for (; scanned < k; ++scanned)
      if (record[scanned] == '\r' || record[scanned] == '\n') lineStart = scanned + 1;
    if (lineStart != before || firstOnLine) {
      firstOnLine = false;
      start = lineStart;
      while (start < k && record[start] == ' ') ++start;
    }
    std::size_t eq = k + key.size();
    while (eq < record.size() && record[eq] == ' ') ++eq;
    if (start != k || eq >= record.size() || record[eq] != '=') continue;
    return ValueInRecord(record.substr(k), key);
  }
  return std::nullopt;
}

// The same as a number: 0 unless it reads as a positive number.
double LineKeyValue(std::string_view record, std::string_view key) {
  const std::optional<std::string> text = LineKeyText(record, key);
  if (!text) return 0;
  const double value = ReadLeadingDouble(CommaToPoint(*text));
  return std::isfinite(value) && value > 0 ? value : 0;
}

}  // namespace

CoreExtras ReadCoreExtras(std::string_view dbText, std::string_view name) {
  CoreExtras extras;
  const std::optional<RecordSpan> span = FindCoreRecord(dbText, name);
  if (!span) return extras;
  const std::string_view record = dbText.substr(span->body, span->end - span->body);
  extras.MLT = LineKeyValue(record, "MLT");
  extras.Asurf = LineKeyValue(record, "Asurf");
  extras.bw = LineKeyValue(record, "bw");
  return extras;
}

std::string ReadCoreMasName(std::string_view dbText, std::string_view name) {
  const std::optional<RecordSpan> span = FindCoreRecord(dbText, name);
  if (!span) return {};
  return LineKeyText(dbText.substr(span->body, span->end - span->body), kMasKey).value_or(std::string());
}

CoreSold ReadCoreSold(std::string_view dbText, std::string_view name) {
  const std::optional<RecordSpan> span = FindCoreRecord(dbText, name);
  const std::string value =
      span ? LineKeyText(dbText.substr(span->body, span->end - span->body), kSoldKey).value_or(std::string())
           : std::string();
  if (value.empty()) return {};
  CoreSold sold;
  sold.powder = value.find("powder") != std::string::npos;
  sold.ferrite = value.find("ferrite") != std::string::npos;
  return sold;
}

std::vector<CoreHeader> ListCoreHeaders(std::string_view dbText) {
  std::vector<CoreHeader> headers;
  for (std::size_t begin = NextRecordStart(dbText, 0); begin < dbText.size();) {
    const std::size_t lineEnd = LineEndOf(dbText, begin);
    const std::string_view line = dbText.substr(begin + 1, lineEnd - begin - 1);
    const std::size_t end = NextRecordStart(dbText, lineEnd);
    const std::size_t close = line.find(']');
    if (close != npos && headers.size() < kMaxCoreListEntries) {
      CoreHeader header;
      header.name = std::string(line.substr(0, close));
      header.mas = LineKeyText(dbText.substr(lineEnd, end - lineEnd), kMasKey).value_or(std::string());
      headers.push_back(std::move(header));
    }
    begin = end;
  }
  return headers;
}

namespace {

// The words of a name before the first that holds a digit, lower case.
std::vector<std::string> WordsBeforeSize(std::string_view name) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < name.size()) {
    const std::size_t end = std::min(name.find(' ', at), name.size());
    const std::string_view word = name.substr(at, end - at);
    if (std::any_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; })) break;
    if (!word.empty()) words.push_back(FoldCaseCp1251(word));
    at = end + 1;
  }
  return words;
}

}  // namespace

std::string CoreFamily(const CoreHeader& header) {
  std::string family;
  for (const std::string& word : WordsBeforeSize(header.mas)) family += (family.empty() ? "" : " ") + word;
  if (!family.empty()) return family;
  const std::vector<std::string> words = WordsBeforeSize(header.name);
  if (words.empty()) return {};
  return words.back() == "r" ? "t" : words.back();
}

CoreRecord CoreFromTexts(std::string_view name, const CoreTexts& texts) {
  CoreRecord core;
  core.name = std::string(name);
  core.Ae = ReadLeadingDouble(CommaToPoint(texts.Ae));
  core.An = ReadLeadingDouble(CommaToPoint(texts.An));
  core.le = ReadLeadingDouble(CommaToPoint(texts.le));
  core.mu = ReadLeadingInt(texts.mu);  // a fractional part is dropped
  core.Ve = core.le * core.Ae / 1000.0;
  return core;
}

std::string FormatVolume(const CoreRecord& core) { return FormatFixed(core.Ve, 3); }

std::string FormatCoreRecord(std::string_view name, std::string_view Ae, std::string_view An, std::string_view le,
                             std::string_view mu) {
  std::string record;
  record.reserve(name.size() + Ae.size() + An.size() + le.size() + mu.size() + 32);
  record.append("[").append(name).append("]\r\n");
  record.append("Ae = ").append(Ae).append("\r\n");
  record.append("An = ").append(An).append("\r\n");
  record.append("le = ").append(le).append("\r\n");
  record.append("mu = ").append(mu).append("\r\n\r\n");
  return record;
}

bool HasCoreRecord(std::string_view dbText, std::string_view name) {
  if (!IsValidCoreName(name)) return false;
  // The list finds its entries ignoring letter case: a header that differs
  // only in case is the same name to it.
  return FindExactHeader(FoldCaseCp1251(dbText), FoldCaseCp1251(name)).has_value();
}

bool IsValidCoreName(std::string_view name) { return name.find_first_of("[]\r\n") == npos; }

bool IsValidCoreValue(std::string_view text) { return text.find_first_of("\r\n") == npos; }

std::string RemoveCoreRecord(std::string_view dbText, std::string_view name) {
  const std::optional<RecordSpan> span = FindCoreRecord(dbText, name);
  std::string rest(dbText);
  if (span) rest.erase(span->begin, span->end - span->begin);
  return rest;
}

}  // namespace velmora
