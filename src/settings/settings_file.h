// Where the settings file lives, and moving TIniRec to and from it.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "settings/ini_rec.h"

namespace zendrift::settings {

// Raised when the settings cannot be written: "Unable to write to %s" with the file's path.
class SettingsWriteError : public std::runtime_error {
 public:
  explicit SettingsWriteError(const std::string& path);
};

// The settings file's path: `fileName` in the folder named after `productName` under the user's
// application-data folder (created when missing), else `fileName` beside `productName`'s own
// folder part, else empty. Each candidate is probed by opening it for writing, which leaves an
// empty file behind on the first start.
std::string SettingsFilePath(std::string_view productName, std::string_view fileName);

// The record with every key absent: the defaults.
TIniRec DefaultSettings();

// Reads every field; a missing key or an unreadable value gives the field's default.
void LoadSettings(TIniRec& rec, std::string_view fileName);
// Writes every field in the file's key order, all at once: either every key reaches the disk or
// the file keeps its old content and SettingsWriteError is raised.
void SaveSettings(const TIniRec& rec, std::string_view fileName);

// The same on an explicit path, for callers that already resolved it.
void LoadSettingsFrom(TIniRec& rec, const std::string& path);
void SaveSettingsTo(const TIniRec& rec, const std::string& path);

}  // namespace zendrift::settings
