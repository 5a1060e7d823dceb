// The data a sweep reads: the cores the window's lists offer and the
// materials' loss tables, each read once.
#include <algorithm>
#include <set>

#include "advise/Advise.h"
#include "textfile/Cp1251.h"

namespace velmora::advise {

std::vector<CoreEntry> SelectableCores(const std::string& dbText,
                                       const std::function<int(std::string_view, std::string_view)>& compareNoCase) {
  std::vector<CoreEntry> cores;
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
      CoreEntry entry{shape, CoreFromTexts(name, ReadCoreTexts(dbText, name)), {}};
      entry.winding = insight::WindingGeometryOf(entry.record, ReadCoreExtras(dbText, name));
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
