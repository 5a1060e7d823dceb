// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The design inputs and choices of the main window that are remembered from one
// run to the next ("Inductor.ini") and kept in design files ("*.sav"): one
// "[INI_DATA]" record of key lines.
#include <string>
#include <string_view>

#include "textfile/FileIO.h"

namespace velmora {

struct SettingsRecord {
  std::string core = "E 25/13/7";  // written: the current core; read: the core to select
  std::string mater = "N87 Epcos";
  int gapChoice = 0;  // 0 gap given, 1 AL given
  int use = 0;        // 0 output choke, 1 other use
  std::string gapOrAl = "1";
  std::string L = "15";
  std::string voltageSwitchOn = "24";
  std::string Udc = "12";
  std::string Inom = "10";
  std::string Imin = "2";
  int us_Imin = 0;
  std::string Fc = "100";
  std::string j = "7";
  int use_D = 0;
  int yes_AWG = 0;  // 0 metric, 1 AWG
  std::string wireSize = "1.06";
  std::string lang = "English";

  bool operator==(const SettingsRecord&) const = default;
};

// The file's bytes: "[INI_DATA]" CR LF, then one line per field in the fixed
// order ("lang" last, only with the language).
std::string SerializeSettings(const SettingsRecord& record, bool withLanguage);
// Fills every field from the text (the "lang" field only with the language).
void ParseSettings(std::string_view text, bool withLanguage, SettingsRecord& record);

// Crash-safe write; false when the file could not be written completely.
bool WriteSettings(const SettingsRecord& record, const std::string& fileName, bool withLanguage);
// False (record unchanged) when the file cannot be opened or is larger than
// kMaxSettingsFileBytes; the status, when asked for, says why.
bool ReadSettings(const std::string& fileName, bool withLanguage, SettingsRecord& record, ReadStatus* status = nullptr);

// Access by key ("core", "mater", ... "lang"), for the command line's --set.
bool SetSettingsField(SettingsRecord& record, std::string_view key, std::string_view value);
// The field's value as text (choices as "%i"); empty for an unknown key.
std::string GetSettingsField(const SettingsRecord& record, std::string_view key);
// The keys in file order, "lang" last.
const char* const* SettingsKeys(int* count);

}  // namespace velmora
