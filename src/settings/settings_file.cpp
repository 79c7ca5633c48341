// The settings file: its place, its keys, their defaults and their order.
#include "settings/settings_file.h"

#include <algorithm>
#include <chrono>

#include "platform/directory_listing.h"
#include "platform/file_attributes.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/process.h"
#include "settings/exclude_list.h"
#include "settings/ini_file.h"
#include "settings/ini_integer.h"

namespace zendrift::settings {

namespace {

constexpr std::string_view kDirectories = "Directories";
constexpr std::string_view kInclude = "Include";
constexpr std::string_view kExclude = "Exclude";
constexpr std::string_view kForm = "Form";
constexpr std::string_view kEveryPrefix = "*";
constexpr std::string_view kDelete = "Delete";

bool readBool(const IniFile& ini, std::string_view section, std::string_view key, bool fallback) {
  const auto text = ini.readString(section, key);
  if (!text) return fallback;
  return parseIniInteger(*text, fallback ? 1 : 0) != 0;
}

std::int32_t readInt(const IniFile& ini, std::string_view section, std::string_view key, std::int32_t fallback) {
  const auto text = ini.readString(section, key);
  return text ? parseIniInteger(*text, fallback) : fallback;
}

void writeBool(IniFile& ini, std::string_view section, std::string_view key, bool value) {
  ini.writeString(section, key, value ? "1" : "0");
}

void writeInt(IniFile& ini, std::string_view section, std::string_view key, std::int32_t value) {
  ini.writeString(section, key, std::to_string(value));
}

// The exclude list, read whole: cut to the read limit, each save would drop the exclusions past
// it. The reader drops the blank of the last ", "; it is put back, so that the list reads as it
// was stored and an entry appended later stays apart from the last one.
std::string storedExcludeList(const IniFile& ini) {
  std::string list = ini.readWholeString(kExclude, "ExcludeList").value_or("");
  if (list.ends_with(',')) list += ' ';
  return list;
}

bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string folderNameOf(std::string_view productName) {
  std::string_view name = platform::fileName(productName);
  if (const std::size_t dot = name.find('.'); dot != std::string_view::npos) name = name.substr(0, dot);
  while (!name.empty() && isBlankOrControl(name.front())) name.remove_prefix(1);
  while (!name.empty() && isBlankOrControl(name.back())) name.remove_suffix(1);
  return std::string(name);
}

// The settings folder; empty when there is no application-data folder, for then there is no
// settings folder at all (never one at the root of the current drive).
std::string settingsFolder(std::string_view productName) {
  std::string appData = platform::applicationDataFolder();
  if (appData.empty()) return {};
  if (appData.size() > 1 && platform::hasTrailingSeparator(appData)) appData.pop_back();
  return appData + platform::kPathSeparator + folderNameOf(productName);
}

// Whether a file could be created in `folder`, making the folder first if needed, without making
// anything: the nearest part of the path that exists must be a folder that takes new entries.
bool couldHoldNewFile(std::string folder) {
  for (;;) {
    if (platform::folderExists(folder)) return platform::mayCreateEntriesIn(folder);
    if (platform::fileExists(folder)) return false;
    std::string parent = platform::parentPath(folder);
    if (parent.empty() || parent == folder) return false;
    folder = std::move(parent);
  }
}

void readFields(ScanOptions& rec, const IniFile& ini) {
  rec.startMenu = readBool(ini, kDirectories, "StartMenu", true);
  rec.allUsersStartMenu = readBool(ini, kDirectories, "AllUsersStartMenu", true);
  rec.desktop = readBool(ini, kDirectories, "Desktop", true);
  rec.allUsersDeskTop = readBool(ini, kDirectories, "AllUsersDeskTop", true);
  rec.favorites = readBool(ini, kDirectories, "Favorites", true);
  rec.history = readBool(ini, kDirectories, "History", true);
  rec.programFiles = readBool(ini, kDirectories, "ProgramFiles", false);
  rec.tempPath = readBool(ini, kDirectories, "TempPath", false);
  rec.recent = readBool(ini, kDirectories, "Recent", true);
  rec.applicationData = readBool(ini, kDirectories, "ApplicationData", false);
  rec.userDir = ini.readString(kDirectories, "UserDir", "");
  // The window's choice of Wine prefix: a folder, "*" for every prefix, or empty for the default.
  // Read whole: a path is not cut short.
  const std::string prefix = ini.readWholeString(kDirectories, "Prefix").value_or("");
  rec.allPrefixes = prefix == kEveryPrefix;
  rec.prefix = rec.allPrefixes ? std::string() : prefix;
  rec.removableDrives = readBool(ini, kInclude, "RemovableDrives", false);
  rec.networkDrives = readBool(ini, kInclude, "NetworkDrives", true);
  rec.ramDrives = readBool(ini, kInclude, "RamDrives", true);
  rec.cdRomDrives = readBool(ini, kInclude, "CDRomDrives", true);
  rec.excludeList = storedExcludeList(ini);
  rec.top = readInt(ini, kForm, "Top", 0);
  rec.left = readInt(ini, kForm, "Left", 0);
  rec.width = readInt(ini, kForm, "Width", 0);
  rec.height = readInt(ini, kForm, "Height", 0);
  rec.deletePermanently = readBool(ini, kDelete, "Permanently", false);
}

// A temporary file that replaceFile makes beside `fileName`: ".<name>." and mkstemp's six
// letters and digits (POSIX), or process id, tick count and counter separated by dots (Windows).
// Nothing else is ever removed.
bool isSaveLeftover(std::string_view name, std::string_view fileName) {
  if (name.size() < fileName.size() + 2 || name[0] != '.' || name.substr(1, fileName.size()) != fileName ||
      name[fileName.size() + 1] != '.') {
    return false;
  }
  const std::string_view suffix = name.substr(fileName.size() + 2);
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  const auto isAlnum = [&](char c) { return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  const auto isLower = [](char c) { return c >= 'a' && c <= 'z'; };
  // Six lower-case letters are more likely a word the user chose (".zendrift.ini.backup") than
  // mkstemp's pick; such a leftover is rare and only takes room.
  if (suffix.size() == 6 && std::all_of(suffix.begin(), suffix.end(), isAlnum)) {
    return !std::all_of(suffix.begin(), suffix.end(), isLower);
  }
  int parts = 0;
  for (std::size_t start = 0; start <= suffix.size(); ++parts) {
    std::size_t end = suffix.find('.', start);
    if (end == std::string_view::npos) end = suffix.size();
    const std::string_view part = suffix.substr(start, end - start);
    if (part.empty() || !std::all_of(part.begin(), part.end(), isDigit)) return false;
    start = end + 1;
  }
  return parts == 3;
}

// Removes the temporary files of saves that were killed half-way. A save writes and renames its
// file within moments, so one untouched for this long belongs to no save still running, in this
// process or another.
constexpr platform::FileTime kLeftoverAge = 10ULL * 60 * 10'000'000;  // ten minutes

void removeSaveLeftovers(const std::string& path) {
  const std::string_view fileName = platform::fileName(path);
  std::string folder(platform::withoutFileName(path));
  if (fileName.empty()) return;
  if (folder.empty()) folder = ".";
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch);
  const platform::FileTime now = platform::fileTimeFromUnix(
      seconds.count(), std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch - seconds).count());
  platform::DirectoryListing listing;
  for (std::error_code code = listing.open(folder); !code; code = listing.next()) {
    const platform::DirEntry& entry = listing.entry();
    if (entry.isDirectory() || entry.isSymlink() || !isSaveLeftover(entry.name(), fileName)) continue;
    const platform::FileTime written = entry.lastWriteTime();
    if (written == 0 || written > now || now - written < kLeftoverAge) continue;
    // Best effort: a leftover that cannot go now is tried again at the next save.
    static_cast<void>(platform::deleteFile(entry.fullPath()));
  }
}

class SettingsCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "settings"; }
  std::string message(int condition) const override {
    switch (static_cast<SettingsError>(condition)) {
      case SettingsError::unreadable: return "it exists but could not be read whole";
    }
    return "unknown settings error";
  }
};

}  // namespace

std::string saveFailureMessage(std::string_view path) { return "Unable to write to " + std::string(path); }

const std::error_category& settingsCategory() noexcept {
  static const SettingsCategory category;
  return category;
}

std::error_code make_error_code(SettingsError error) noexcept { return {static_cast<int>(error), settingsCategory()}; }

std::string settingsFilePath(std::string_view productName, std::string_view fileName, SettingsAccess access) {
  const bool mayWrite = access == SettingsAccess::readWrite;
  if (const std::string folder = settingsFolder(productName); !folder.empty()) {
    const std::string candidate = folder + platform::kPathSeparator + std::string(fileName);
    // A file that is there is the user's settings, writable or not: never pass it over.
    if (platform::fileExists(candidate)) return candidate;
    if (mayWrite) {
      // A folder that cannot be made shows in the probe that follows.
      if (!platform::folderExists(folder)) static_cast<void>(platform::createFolders(folder));
      if (!platform::probeReadWrite(candidate)) return candidate;
    } else if (couldHoldNewFile(folder)) {
      return candidate;
    }
  }
  // The settings folder cannot hold a file at all.
  const std::string beside = std::string(platform::withoutFileName(productName)) + std::string(fileName);
  if (mayWrite) return platform::probeReadWrite(beside) ? std::string() : beside;
  return platform::fileExists(beside) ? beside : std::string();
}

ScanOptions defaultSettings() {
  ScanOptions rec;
  loadSettingsFrom(rec, std::string());
  return rec;
}

void loadSettingsFrom(ScanOptions& rec, const std::string& path) { readFields(rec, IniFile(path)); }

std::error_code loadSettings(ScanOptions& rec, std::string_view fileName, SettingsAccess access) {
  const IniFile ini(settingsFilePath(kProductName, fileName, access));
  readFields(rec, ini);
  if (ini.unreadable()) return SettingsError::unreadable;
  return {};
}

std::error_code saveSettingsTo(const ScanOptions& rec, const std::string& path) {
  IniFile ini(path);
  const std::string onDisk = storedExcludeList(ini);
  writeBool(ini, kDirectories, "StartMenu", rec.startMenu);
  writeBool(ini, kDirectories, "AllUsersStartMenu", rec.allUsersStartMenu);
  writeBool(ini, kDirectories, "Desktop", rec.desktop);
  writeBool(ini, kDirectories, "AllUsersDeskTop", rec.allUsersDeskTop);
  writeBool(ini, kDirectories, "Favorites", rec.favorites);
  writeBool(ini, kDirectories, "History", rec.history);
  writeBool(ini, kDirectories, "ProgramFiles", rec.programFiles);
  writeBool(ini, kDirectories, "TempPath", rec.tempPath);
  writeBool(ini, kDirectories, "ApplicationData", rec.applicationData);
  writeBool(ini, kDirectories, "Recent", rec.recent);
  ini.writeString(kDirectories, "UserDir", rec.userDir);
  ini.writeString(kDirectories, "Prefix", rec.allPrefixes ? std::string(kEveryPrefix) : rec.prefix);
  writeBool(ini, kInclude, "RemovableDrives", rec.removableDrives);
  writeBool(ini, kInclude, "NetworkDrives", rec.networkDrives);
  writeBool(ini, kInclude, "RamDrives", rec.ramDrives);
  writeBool(ini, kInclude, "CDRomDrives", rec.cdRomDrives);
  // Two windows each write back the list they read: keep what the other one added meanwhile.
  ini.writeString(kExclude, "ExcludeList", mergeExcludeLists(rec.excludeList, onDisk));
  writeInt(ini, kForm, "Top", rec.top);
  writeInt(ini, kForm, "Left", rec.left);
  writeInt(ini, kForm, "Width", rec.width);
  writeInt(ini, kForm, "Height", rec.height);
  writeBool(ini, kDelete, "Permanently", rec.deletePermanently);
  // The file is replaced by a new one, which its own permissions would not stop: a file the user
  // may not write (made read-only, say) is refused here instead.
  std::error_code error = platform::probeReadWrite(path);
  if (!error) error = ini.save();
  removeSaveLeftovers(path);
  return error;
}

std::error_code saveSettings(const ScanOptions& rec, std::string_view fileName) {
  return saveSettingsTo(rec, settingsFilePath(kProductName, fileName));
}

}  // namespace zendrift::settings
