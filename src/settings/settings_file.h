// Where the settings file lives, and moving ScanOptions to and from it.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

#include "settings/scan_options.h"

namespace zendrift::settings {

// What the window says when the settings cannot be written to `path`.
std::string saveFailureMessage(std::string_view path);

// The product's folder under the application-data folder, and the settings file's name there.
inline constexpr std::string_view kProductName = "Zendrift";
inline constexpr std::string_view kSettingsFileName = "zendrift.ini";

// Whether finding the settings file may create it.
enum class SettingsAccess {
  readWrite,  // the window: the settings folder and an empty file are made when missing
  readOnly,   // runs that never save: nothing is created anywhere
};

enum class SettingsError {
  unreadable = 1,  // the settings file exists but cannot be read whole
};
const std::error_category& settingsCategory() noexcept;
std::error_code make_error_code(SettingsError error) noexcept;

// The settings file's path: `fileName` in the folder named after `productName` under the user's
// application-data folder whenever a file of that name exists there, writable or not. Only when
// that folder cannot hold a new file at all (or there is no application-data folder) is it
// `fileName` beside `productName`'s own folder part. Empty when neither serves.
// With readWrite the settings folder is created when missing and a missing file is created
// empty; with readOnly nothing is created and the path may name a file that does not exist.
std::string settingsFilePath(std::string_view productName, std::string_view fileName,
                             SettingsAccess access = SettingsAccess::readWrite);

// The record with every key absent: the defaults.
ScanOptions defaultSettings();

// Reads every field, finding the file with `access`; a missing key or an unreadable value gives
// the field's default. SettingsError::unreadable when the file exists but cannot be read: `rec`
// then holds the defaults, which must not stand in for the user's exclusions unnoticed.
[[nodiscard]] std::error_code loadSettings(ScanOptions& rec, std::string_view fileName, SettingsAccess access);
// Writes every field in the file's key order, all at once: either every key reaches the disk or
// the file keeps its old content and the error is returned, also when the file exists but may
// not be written. Exclude-list entries that the file holds and `rec` lacks (put there by
// another Zendrift since this one read the file) are kept. Temporary files left by saves that
// were killed half-way are removed.
[[nodiscard]] std::error_code saveSettings(const ScanOptions& rec, std::string_view fileName);

// The same on an explicit path, for callers that already resolved it.
void loadSettingsFrom(ScanOptions& rec, const std::string& path);
[[nodiscard]] std::error_code saveSettingsTo(const ScanOptions& rec, const std::string& path);

}  // namespace zendrift::settings

template <>
struct std::is_error_code_enum<zendrift::settings::SettingsError> : std::true_type {};
