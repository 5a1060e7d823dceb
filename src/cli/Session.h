// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window opened as the command line says: the design file or the
// settings, --set, --material and --do, on the headless side. Shared by
// velmora-cli and the report program.
#include <memory>
#include <optional>
#include <string>

#include "app/VelmoraDlg.h"
#include "app/WorkingFolder.h"
#include "cli/CliArgs.h"
#include "converter/Converter.h"
#include "settings/DetailsConfig.h"
#include "settings/SettingsRecord.h"
#include "textfile/NameMatch.h"
#include "ui/HeadlessHost.h"

namespace velmora::cli {

struct Session {
  ui::HeadlessHost host;  // OK for every box (unless --do answers), each one recorded
  std::unique_ptr<CVelmoraDlg> dlg;
  // The inputs as start-up reads them, before its first calculation may
  // correct the nominal current or the wire-size field: the adviser's inputs.
  SettingsRecord startSettings;
  // Details.cfg of the working folder (the defaults without one).
  DetailsConfig details;
  // The converter's design, when the command line gave one, and the request
  // it was made for (the switching frequency held to the material's table).
  std::optional<converter::ConverterDesign> converter;
  converter::ConverterRequest converterRequest;
};

struct OpenResult {
  enum Status { kOpen, kStartUpEnded, kUsage } status = kOpen;
  std::string error;  // kUsage: the message
};

// The usage error of a --material that names no single entry of the list:
// the names it could mean, or the whole list when it begins none.
std::string MaterialNotFound(const std::string& given, const ListMatch& match);

// Enters the data folder, starts the window, selects the material, puts the
// converter's design into the inputs and plays the actions (for advise: only
// starts it and puts the converter's design into the adviser's inputs). env is
// the process's (CurrentEnvironment). kStartUpEnded leaves the ended window in
// the session.
OpenResult OpenWindow(const CliArgs& args, const WorkingFolderEnv& env, Session& session);

}  // namespace velmora::cli
