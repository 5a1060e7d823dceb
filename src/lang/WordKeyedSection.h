// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A section of a language file whose keys are words ("lossCurve = ..."), not
// "s" and a number. Its texts are found only inside the section (from its
// "[NAME]" line to the next line that opens with '['), each key only where it
// opens a line, so a key can never be taken from another section or from
// inside a longer key. The numbered sections' lookups run on past their
// section's end; such a section therefore stands last in the file and holds
// no "s" followed by a digit.
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

class WordKeyedSection {
 public:
  // The text of a key, backslash-n and backslash-t turned into LF and TAB;
  // nullptr when the section lacks it (or holds it empty).
  const std::string* Find(std::string_view key) const;
  // The text, or the fallback when the section lacks it.
  std::string Get(std::string_view key, std::string_view fallback) const;
  bool empty() const { return entries_.empty(); }
  bool operator==(const WordKeyedSection&) const = default;

  // The section "[name]" of a language file's text; empty when there is none.
  static WordKeyedSection Parse(std::string_view fileText, std::string_view name);

 private:
  std::vector<std::pair<std::string, std::string>> entries_;
};

// The text without the lines of the word-keyed sections of those names (from
// the "[NAME]" line up to the next line that opens with '['), every other
// byte kept.
std::string WithoutWordKeyedSections(std::string_view fileText, std::initializer_list<std::string_view> names);

// The section of the "Design details" window and the design menu.
inline constexpr const char* kDesignSectionName = "DESIGN DETAILS";
// The section of the design report.
inline constexpr const char* kReportSectionName = "REPORT";
// The section of the "Converter..." window.
inline constexpr const char* kConverterSectionName = "CONVERTER";

}  // namespace velmora
