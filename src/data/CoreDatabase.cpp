#include "data/CoreDatabase.h"

#include <cmath>
#include <optional>

#include "textfile/Numbers.h"

namespace velmora {

namespace {

constexpr auto npos = std::string_view::npos;

// The list and recognition patterns of the shapes E, EI, ER, ETD and R.
constexpr std::string_view kShapePatterns[] = {"E ", "EI", "ER", "ETD", "R "};
constexpr const char* kShapePrefixes[kShapeCount] = {"E ", "EI ", "ER ", "ETD ", "R ", ""};

bool AtLineStart(std::string_view text, std::size_t pos) {
  return pos == 0 || text[pos - 1] == '\n' || text[pos - 1] == '\r';
}

std::size_t LineStartOf(std::string_view text, std::size_t pos) {
  if (pos == 0) return 0;
  const std::size_t brk = text.find_last_of("\r\n", pos - 1);
  return brk == npos ? 0 : brk + 1;
}

std::size_t LineEndOf(std::string_view text, std::size_t pos) {
  const std::size_t brk = text.find_first_of("\r\n", pos);
  return brk == npos ? text.size() : brk;
}

// A list entry from p to close lies on a name line: the line opens with '['
// or with the entry itself, and the entry does not run past the line's end.
// The values, which hold what the user typed, may contain a shape's pattern or
// a '[' and give no entry (an entry from a value would name no record, and
// deleting it could hit another core).
bool OnHeaderLine(std::string_view text, std::size_t p, std::size_t close) {
  const std::size_t start = LineStartOf(text, p);
  return (start == p || text[start] == '[') && text.find_first_of("\r\n", p) > close;
}

// The next '[' at or after pos that opens a line: where the next record begins.
std::size_t NextRecordStart(std::string_view text, std::size_t pos) {
  for (std::size_t p = text.find('[', pos); p != npos; p = text.find('[', p + 1))
    if (AtLineStart(text, p)) return p;
  return text.size();
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

// The first occurrence of `needle` that stands on a header line (a line that
// opens with '[' before the occurrence), as the span of that header's record.
std::optional<RecordSpan> FindInsideHeader(std::string_view text, std::string_view needle) {
  for (std::size_t p = text.find(needle); p != npos; p = text.find(needle, p + 1)) {
    const std::size_t lineStart = LineStartOf(text, p);
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
// to the first byte 0..13, blanks trimmed; empty when the key is not there.
std::string ValueInRecord(std::string_view record, std::string_view key) {
  const std::size_t k = record.find(key);
  if (k == npos) return {};
  const std::size_t eq = record.find('=', k + key.size());
  if (eq == npos) return {};
  std::size_t first = eq + 1;
  std::size_t last = first;
  while (last < record.size() && static_cast<unsigned char>(record[last]) > 13) ++last;
  while (first < last && record[first] == ' ') ++first;
  while (last > first && record[last - 1] == ' ') --last;
  return std::string(record.substr(first, last - first));
}

}  // namespace

std::vector<std::string> ListCoreNames(std::string_view dbText, int shape) {
  std::vector<std::string> names;
  if (shape < 0 || shape >= kShapeCount) return names;
  std::size_t pos = 0;

  if (shape == kShapeR) {
    // Only a name that begins with "R ": the pattern right after a '['.
    for (std::size_t p = dbText.find("R ", pos); p != npos; p = dbText.find("R ", pos)) {
      if (p == 0 || dbText[p - 1] != '[') {
        pos = p + 1;
        continue;
      }
      const std::size_t close = dbText.find(']', p);
      if (close == npos) break;
      if (!OnHeaderLine(dbText, p, close)) {
        pos = p + 1;
        continue;
      }
      names.emplace_back(dbText.substr(p, close - p));
      pos = close;
    }
    return names;
  }

  if (shape == kShapeOther) {
    // Every name that is neither E-like nor R-like; "RM" counts as other.
    for (std::size_t p = dbText.find('[', pos); p != npos; p = dbText.find('[', pos)) {
      const std::size_t first = p + 1;
      const bool eLike = first < dbText.size() && dbText[first] == 'E';
      const bool rLike = first < dbText.size() && dbText[first] == 'R' &&
                         !(first + 1 < dbText.size() && dbText[first + 1] == 'M');
      if (eLike || rLike) {
        pos = first;
        continue;
      }
      const std::size_t close = dbText.find(']', first);
      if (close == npos) break;
      if (!OnHeaderLine(dbText, p, close)) {
        pos = first;
        continue;
      }
      names.emplace_back(dbText.substr(first, close - first));
      pos = close;
    }
    return names;
  }

  // E, EI, ER, ETD: the pattern anywhere, also inside a longer name, up to the next ']'.
  const std::string_view pattern = kShapePatterns[shape];
  for (std::size_t p = dbText.find(pattern, pos); p != npos; p = dbText.find(pattern, pos)) {
    const std::size_t close = dbText.find(']', p);
    if (close == npos) break;  // an unclosed name at the end gives no entry
    if (!OnHeaderLine(dbText, p, close)) {
      pos = p + 1;
      continue;
    }
    names.emplace_back(dbText.substr(p, close - p));
    pos = close;
  }
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

// The value of a key that opens a line of the record (blanks before it and
// before its '=' allowed); 0 unless it reads as a positive number.
double LineKeyValue(std::string_view record, std::string_view key) {
  for (std::size_t k = record.find(key); k != npos; k = record.find(key, k + 1)) {
    std::size_t start = LineStartOf(record, k);
    while (start < k && record[start] == ' ') ++start;
    std::size_t eq = k + key.size();
    while (eq < record.size() && record[eq] == ' ') ++eq;
    if (start != k || eq >= record.size() || record[eq] != '=') continue;
    const double value = ReadLeadingDouble(CommaToPoint(ValueInRecord(record.substr(k), key)));
    return std::isfinite(value) && value > 0 ? value : 0;
  }
  return 0;
}

}  // namespace

CoreExtras ReadCoreExtras(std::string_view dbText, std::string_view name) {
  CoreExtras extras;
  const std::optional<RecordSpan> span = FindCoreRecord(dbText, name);
  if (!span) return extras;
  const std::string_view record = dbText.substr(span->body, span->end - span->body);
  extras.MLT = LineKeyValue(record, "MLT");
  extras.Asurf = LineKeyValue(record, "Asurf");
  return extras;
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

std::string FormatCoreRecord(std::string_view name, std::string_view Ae, std::string_view An,
                             std::string_view le, std::string_view mu) {
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
  return IsValidCoreName(name) && FindExactHeader(dbText, name).has_value();
}

bool IsValidCoreName(std::string_view name) { return name.find_first_of("[]\r\n") == npos; }

std::string RemoveCoreRecord(std::string_view dbText, std::string_view name) {
  const std::optional<RecordSpan> span = FindCoreRecord(dbText, name);
  std::string rest(dbText);
  if (span) rest.erase(span->begin, span->end - span->begin);
  return rest;
}

}  // namespace velmora
