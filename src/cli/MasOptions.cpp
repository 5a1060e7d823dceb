// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/MasOptions.h"

#include <filesystem>

#include "app/MasExchange.h"
#include "textfile/FileIO.h"

namespace velmora::cli {

namespace {

std::optional<std::string> Absolute(const std::string& name, std::string* error) {
  std::error_code ec;
  std::string path = std::filesystem::absolute(name, ec).string();
  if (ec) {
    if (error) *error = name + ": " + ec.message();
    return std::nullopt;
  }
  return path;
}

}  // namespace

std::string MasUsageText() {
  return "  --from-mas FILE   calc, report: sets the inductance, the operating point, the core, the\n"
         "                    material and the gap from a MAS document (JSON), after --material\n"
         "  --mas FILE        calc: writes the design, calculated, as a MAS document of conformance\n"
         "                    class A (exit status 1 when it cannot be written)\n";
}

std::optional<std::string> ReadMasInput(const MasArgs& args, std::string* error) {
  if (!args.input) return std::nullopt;
  const std::optional<std::string> path = Absolute(*args.input, error);
  if (!path) return std::nullopt;
  // Measured before it is read: a file larger than a document may be costs nothing.
  ReadStatus status;
  std::optional<std::string> bytes = ReadWholeFile(*path, mas::kMaxDocumentBytes, OpenMode::ReadOnly, &status);
  if (!bytes && error) *error = "--from-mas: cannot read " + *args.input + ": " + status.Reason();
  return bytes;
}

std::string ApplyMasInput(CVelmoraDlg& dlg, const MasArgs& args, const std::string& document) {
  std::string error;
  if (ImportMasText(dlg, document, &error)) return {};
  return "--from-mas " + args.input.value_or(std::string()) + ": " + error;
}

std::optional<std::string> MasOutputPath(const MasArgs& args, std::string* error) {
  if (!args.output) return std::nullopt;
  return Absolute(*args.output, error);
}

std::string WriteMasOutput(CVelmoraDlg& dlg, const std::string& path, const std::vector<std::string>& inputs) {
  std::string error;
  if (ExportMas(dlg, path, inputs, &error)) return {};
  return error;
}

}  // namespace velmora::cli
