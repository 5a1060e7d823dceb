// SPDX-License-Identifier: GPL-3.0-or-later
// The data a sweep reads: the cores the window's lists offer and the
// materials' loss tables, each read once.
#include <algorithm>
#include <set>
#include <string_view>
#include <unordered_map>

#include "advise/Advise.h"
#include "textfile/Cp1251.h"

namespace velmora::advise {

namespace {

// Where each header line "[...]" first begins, by its text up to the first
// ']'. A name whose exact header is there is read from that point on, which
// finds the same record as a search of the whole text, in a fraction of the
// time a large database takes to search once per core.
class HeaderIndex {
 public:
  explicit HeaderIndex(std::string_view text) : text_(text) {
    for (std::size_t p = 0; p < text.size(); p = NextLine(p)) {
      if (text[p] != '[') continue;
      const std::size_t close = text.find_first_of("]\r\n", p);
      if (close == std::string_view::npos || text[close] != ']') continue;
      first_.emplace(text.substr(p, close + 1 - p), p);
    }
  }

  // The text to read the record of name from.
  std::string_view TextFor(const std::string& name) const {
    if (!IsValidCoreName(name)) return text_;
    const auto it = first_.find("[" + name + "]");
    return it == first_.end() ? text_ : text_.substr(it->second);
  }

 private:
  std::size_t NextLine(std::size_t p) const {
    const std::size_t brk = text_.find_first_of("\r\n", p);
    if (brk == std::string_view::npos) return text_.size();
    const std::size_t next = text_.find_first_not_of("\r\n", brk);
    return next == std::string_view::npos ? text_.size() : next;
  }

  std::string_view text_;
  std::unordered_map<std::string, std::size_t> first_;
};

}  // namespace

std::vector<CoreEntry> SelectableCores(const std::string& dbText,
                                       const std::function<int(std::string_view, std::string_view)>& compareNoCase) {
  std::vector<CoreEntry> cores;
  const HeaderIndex index(dbText);
  for (int shape = 0; shape < kShapeCount; ++shape) {
    std::vector<std::string> names = ListCoreNames(dbText, shape);
    auto less = [&](const std::string& a, const std::string& b) { return compareNoCase(a, b) < 0; };
    std::stable_sort(names.begin(), names.end(), less);
    std::set<std::string> seen;
    for (const std::string& name : names) {
      // Selecting by name takes the shape from the name, then the first list
      // entry that begins with it; in the sorted list that is the first entry
      // not below the name. Only a name that leads to itself is offered.
      if (ShapeOfName(name) != shape || !seen.insert(name).second) continue;
      const auto found = std::lower_bound(names.begin(), names.end(), name, less);
      if (found == names.end() || *found != name) continue;
      const std::string_view text = index.TextFor(name);
      CoreEntry entry{shape, CoreFromTexts(name, ReadCoreTexts(text, name)), {}, ReadCoreSold(text, name)};
      entry.winding = insight::WindingGeometryOf(entry.record, ReadCoreExtras(text, name));
      cores.push_back(std::move(entry));
    }
  }
  return cores;
}

std::vector<MaterialRecord> LoadMaterials(const std::string& folder, const std::vector<std::string>& names) {
  std::vector<MaterialRecord> materials;
  for (const std::string& name : names) {
    MaterialRecord record;
    record.name = name;
    // A record read in part still serves as far as its table goes; one
    // without any table is a material without loss data.
    LoadMaterialData(folder + Cp1251ToUtf8(name) + ".txt", record);
    if (record.nF >= 2 && record.nB >= 2) materials.push_back(std::move(record));
  }
  return materials;
}

}  // namespace velmora::advise
