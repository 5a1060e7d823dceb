// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/MasOptions.h"

#include <filesystem>

#include "app/ControlIds.h"
#include "app/MasExchange.h"
#include "app/VelmoraDlg.h"
#include "calc/Constants.h"
#include "settings/DetailsConfig.h"
#include "textfile/CaseFold.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"
#include "textfile/OutputFile.h"

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

std::optional<MasOutput> MasOutputPath(const MasArgs& args, std::string* error) {
  if (!args.output) return std::nullopt;
  const std::optional<std::string> given = Absolute(*args.output, error);
  if (!given) return std::nullopt;
  return MasOutput{*given, OutputName(*given, {".json"}, ".json")};
}

std::vector<std::string> DataFolderFiles(const CVelmoraDlg& dlg) {
  std::vector<std::string> names{constants::kSettingsFile, constants::kMaterialListFile, constants::kCoreDatabaseFile,
                                 constants::kWireFile, kDetailsConfigFile};
  for (const std::string& material : dlg.Model().MaterialList())
    names.push_back(DataFilePath("", Cp1251ToUtf8(material), ".txt"));
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(".", ec))
    if (HasExtension(entry.path().filename().string(), constants::kLanguageExtension))
      names.push_back(entry.path().filename().string());
  std::vector<std::string> files;
  for (const std::string& name : names)
    if (auto path = name.empty() ? std::nullopt : Absolute(name, nullptr)) files.push_back(*path);
  return files;
}

namespace {

// True when the name is one of the data files: the same file, or a name of
// the data folder the program would read it under (also one not there yet,
// such as a settings file the window writes when it closes).
bool NamesADataFile(const std::string& name, const std::vector<std::string>& dataFiles) {
  const std::filesystem::path given(name);
  std::error_code ec;
  const bool inDataFolder = std::filesystem::equivalent(given.parent_path(), ".", ec);
  for (const std::string& file : dataFiles) {
    if (SameFile(name, file)) return true;
    if (inDataFolder &&
        FoldCaseCp1251(given.filename().string()) == FoldCaseCp1251(std::filesystem::path(file).filename().string()))
      return true;
  }
  return false;
}

}  // namespace

std::string WriteMasOutput(CVelmoraDlg& dlg, const MasOutput& output, std::vector<std::string> inputs) {
  const std::vector<std::string> dataFiles = DataFolderFiles(dlg);
  if (NamesADataFile(output.given, dataFiles)) return "--mas: " + output.given + " is a data file of the program";
  inputs.insert(inputs.end(), dataFiles.begin(), dataFiles.end());
  std::string error;
  if (ExportMas(dlg, output.path, inputs, &error)) return {};
  return error;
}

}  // namespace velmora::cli
