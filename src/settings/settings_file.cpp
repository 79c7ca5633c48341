// The settings file: its place, its keys, their defaults and their order.
#include "settings/settings_file.h"

#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/process.h"
#include "settings/ini_file.h"
#include "settings/ini_integer.h"

namespace zendrift::settings {

namespace {

constexpr std::string_view kProductName = "Zendrift";
constexpr std::string_view kDirectories = "Directories";
constexpr std::string_view kInclude = "Include";
constexpr std::string_view kExclude = "Exclude";
constexpr std::string_view kForm = "Form";

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

bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string folderNameOf(std::string_view productName) {
  std::string_view name = platform::extractFileName(productName);
  if (const std::size_t dot = name.find('.'); dot != std::string_view::npos) name = name.substr(0, dot);
  while (!name.empty() && isBlankOrControl(name.front())) name.remove_prefix(1);
  while (!name.empty() && isBlankOrControl(name.back())) name.remove_suffix(1);
  return std::string(name);
}

}  // namespace

SettingsWriteError::SettingsWriteError(const std::string& path) : std::runtime_error("Unable to write to " + path) {}

std::string SettingsFilePath(std::string_view productName, std::string_view fileName) {
  std::string appData = platform::applicationDataFolder();
  if (appData.size() > 1 && platform::hasTrailingDelimiter(appData)) appData.pop_back();
  const std::string folder = appData + platform::kPathDelimiter + folderNameOf(productName);
  if (!platform::folderExists(folder)) platform::createFolders(folder);

  std::string candidate = folder + platform::kPathDelimiter + std::string(fileName);
  if (platform::probeReadWrite(candidate)) return candidate;
  candidate = std::string(platform::extractFilePath(productName)) + std::string(fileName);
  if (platform::probeReadWrite(candidate)) return candidate;
  return {};
}

TIniRec DefaultSettings() {
  TIniRec rec;
  LoadSettingsFrom(rec, std::string());
  return rec;
}

void LoadSettingsFrom(TIniRec& rec, const std::string& path) {
  const IniFile ini(path);
  rec.StartMenu = readBool(ini, kDirectories, "StartMenu", true);
  rec.AllUsersStartMenu = readBool(ini, kDirectories, "AllUsersStartMenu", true);
  rec.Desktop = readBool(ini, kDirectories, "Desktop", true);
  rec.AllUsersDeskTop = readBool(ini, kDirectories, "AllUsersDeskTop", true);
  rec.Favorites = readBool(ini, kDirectories, "Favorites", true);
  rec.History = readBool(ini, kDirectories, "History", true);
  rec.ProgramFiles = readBool(ini, kDirectories, "ProgramFiles", false);
  rec.TempPath = readBool(ini, kDirectories, "TempPath", false);
  rec.Recent = readBool(ini, kDirectories, "Recent", true);
  rec.ApplicationData = readBool(ini, kDirectories, "ApplicationData", false);
  rec.UserDir = ini.readString(kDirectories, "UserDir", "");
  rec.RemovableDrives = readBool(ini, kInclude, "RemovableDrives", false);
  rec.NetworkDrives = readBool(ini, kInclude, "NetworkDrives", true);
  rec.RamDrives = readBool(ini, kInclude, "RamDrives", true);
  rec.CDRomDrives = readBool(ini, kInclude, "CDRomDrives", true);
  // The exclude list grows with every shortcut put on it; cut to the read limit, each save would
  // drop the exclusions past it.
  rec.ExcludeList = ini.readWholeString(kExclude, "ExcludeList").value_or("");
  rec.Top = readInt(ini, kForm, "Top", 0);
  rec.Left = readInt(ini, kForm, "Left", 0);
  rec.Width = readInt(ini, kForm, "Width", 0);
  rec.Height = readInt(ini, kForm, "Height", 0);
}

void SaveSettingsTo(const TIniRec& rec, const std::string& path) {
  IniFile ini(path);
  writeBool(ini, kDirectories, "StartMenu", rec.StartMenu);
  writeBool(ini, kDirectories, "AllUsersStartMenu", rec.AllUsersStartMenu);
  writeBool(ini, kDirectories, "Desktop", rec.Desktop);
  writeBool(ini, kDirectories, "AllUsersDeskTop", rec.AllUsersDeskTop);
  writeBool(ini, kDirectories, "Favorites", rec.Favorites);
  writeBool(ini, kDirectories, "History", rec.History);
  writeBool(ini, kDirectories, "ProgramFiles", rec.ProgramFiles);
  writeBool(ini, kDirectories, "TempPath", rec.TempPath);
  writeBool(ini, kDirectories, "ApplicationData", rec.ApplicationData);
  writeBool(ini, kDirectories, "Recent", rec.Recent);
  ini.writeString(kDirectories, "UserDir", rec.UserDir);
  writeBool(ini, kInclude, "RemovableDrives", rec.RemovableDrives);
  writeBool(ini, kInclude, "NetworkDrives", rec.NetworkDrives);
  writeBool(ini, kInclude, "RamDrives", rec.RamDrives);
  writeBool(ini, kInclude, "CDRomDrives", rec.CDRomDrives);
  ini.writeString(kExclude, "ExcludeList", rec.ExcludeList);
  writeInt(ini, kForm, "Top", rec.Top);
  writeInt(ini, kForm, "Left", rec.Left);
  writeInt(ini, kForm, "Width", rec.Width);
  writeInt(ini, kForm, "Height", rec.Height);
  if (!ini.save()) throw SettingsWriteError(path);
}

void LoadSettings(TIniRec& rec, std::string_view fileName) { LoadSettingsFrom(rec, SettingsFilePath(kProductName, fileName)); }

void SaveSettings(const TIniRec& rec, std::string_view fileName) {
  SaveSettingsTo(rec, SettingsFilePath(kProductName, fileName));
}

}  // namespace zendrift::settings
