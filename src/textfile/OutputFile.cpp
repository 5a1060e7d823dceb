// SPDX-License-Identifier: GPL-3.0-or-later
#include "textfile/OutputFile.h"

#include <sys/stat.h>

#include <cerrno>

namespace velmora {

namespace {

// ASCII lower case: the extensions the program writes are ASCII.
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool HasExtension(std::string_view name, std::string_view ending) {
  if (name.size() <= ending.size()) return false;  // ".pdf" alone is no name with an extension
  const std::string_view tail = name.substr(name.size() - ending.size());
  for (std::size_t i = 0; i < ending.size(); ++i)
    if (Lower(tail[i]) != Lower(ending[i])) return false;
  return true;
}

std::string OutputName(const std::string& name, const std::vector<std::string>& extensions, std::string_view added) {
  for (const std::string& ext : extensions)
    if (HasExtension(name, ext)) return name;
  return name + std::string(added);
}

bool OutputExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::lstat(path.c_str(), &st) == 0;
}

bool SameFile(const std::string& output, const std::string& input) {
  struct stat out {
  }, in{};
  if (::stat(output.c_str(), &out) != 0) return false;
  if (::stat(ResolveNameNoCase(input).c_str(), &in) != 0) return false;
  return out.st_dev == in.st_dev && out.st_ino == in.st_ino;
}

WriteStatus WriteOutputFile(const std::string& path, std::string_view bytes, const std::vector<std::string>& inputs) {
  for (const std::string& input : inputs)
    if (SameFile(path, input)) return {EINVAL, "it is the file the output is made from"};
  return WriteFileChecked(path, bytes, NameMatch::Exact);
}

}  // namespace velmora
