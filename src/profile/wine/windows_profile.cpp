// The Windows profile on POSIX systems: the Wine prefix's environment, special folders and
// machine registry values.
#include "profile/windows_profile.h"

#include <array>

#include "platform/file_system.h"
#include "platform/path.h"
#include "profile/wine_prefix.h"

namespace zendrift::profile {

namespace {

enum class Hive { User, Machine };

struct ShellFolder {
  int csidl;
  std::string_view valueName;  // its name under User Shell Folders; empty when it has none
  Hive hive;
  std::string_view fallback;   // Wine's default layout
};

constexpr std::array kShellFolders{
    ShellFolder{0, "Desktop", Hive::User, "%USERPROFILE%\\Desktop"},
    ShellFolder{2, "Programs", Hive::User, "%APPDATA%\\Microsoft\\Windows\\Start Menu\\Programs"},
    ShellFolder{5, "Personal", Hive::User, "%USERPROFILE%\\Documents"},
    ShellFolder{6, "Favorites", Hive::User, "%USERPROFILE%\\Favorites"},
    ShellFolder{7, "Startup", Hive::User, "%APPDATA%\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp"},
    ShellFolder{8, "Recent", Hive::User, "%APPDATA%\\Microsoft\\Windows\\Recent"},
    ShellFolder{9, "SendTo", Hive::User, "%APPDATA%\\Microsoft\\Windows\\SendTo"},
    ShellFolder{11, "Start Menu", Hive::User, "%APPDATA%\\Microsoft\\Windows\\Start Menu"},
    ShellFolder{13, "My Music", Hive::User, "%USERPROFILE%\\Music"},
    ShellFolder{14, "My Videos", Hive::User, "%USERPROFILE%\\Videos"},
    ShellFolder{16, "Desktop", Hive::User, "%USERPROFILE%\\Desktop"},
    ShellFolder{19, "NetHood", Hive::User, "%APPDATA%\\Microsoft\\Windows\\Network Shortcuts"},
    ShellFolder{20, "Fonts", Hive::User, "%windir%\\Fonts"},
    ShellFolder{21, "Templates", Hive::User, "%APPDATA%\\Microsoft\\Windows\\Templates"},
    ShellFolder{22, "Common Start Menu", Hive::Machine, "%ProgramData%\\Microsoft\\Windows\\Start Menu"},
    ShellFolder{23, "Common Programs", Hive::Machine, "%ProgramData%\\Microsoft\\Windows\\Start Menu\\Programs"},
    ShellFolder{24, "Common Startup", Hive::Machine,
                "%ProgramData%\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp"},
    ShellFolder{25, "Common Desktop", Hive::Machine, "%PUBLIC%\\Desktop"},
    ShellFolder{26, "AppData", Hive::User, "%APPDATA%"},
    ShellFolder{27, "PrintHood", Hive::User, "%APPDATA%\\Microsoft\\Windows\\Printer Shortcuts"},
    ShellFolder{28, "Local AppData", Hive::User, "%LOCALAPPDATA%"},
    ShellFolder{31, "Common Favorites", Hive::Machine, "%PUBLIC%\\Favorites"},
    ShellFolder{32, "Cache", Hive::User, "%LOCALAPPDATA%\\Microsoft\\Windows\\INetCache"},
    ShellFolder{33, "Cookies", Hive::User, "%LOCALAPPDATA%\\Microsoft\\Windows\\INetCookies"},
    ShellFolder{34, "History", Hive::User, "%LOCALAPPDATA%\\Microsoft\\Windows\\History"},
    ShellFolder{35, "Common AppData", Hive::Machine, "%ProgramData%"},
    ShellFolder{36, "", Hive::Machine, "%windir%"},
    ShellFolder{37, "", Hive::Machine, "%windir%\\system32"},
    ShellFolder{38, "", Hive::Machine, "%ProgramFiles%"},
    ShellFolder{39, "My Pictures", Hive::User, "%USERPROFILE%\\Pictures"},
    ShellFolder{40, "", Hive::User, "%USERPROFILE%"},
    ShellFolder{43, "", Hive::Machine, "%CommonProgramFiles%"},
};

constexpr std::string_view kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

// The Windows path of a shell folder: User Shell Folders (expanded), else Wine's default layout.
// Shell Folders is never read: Wine 8 only writes it, for old programs, so a value found there
// alone is stale. A stored value naming an unknown variable counts as missing.
std::optional<std::string> shellFolderWindowsPath(const wine::Profile& profile, const ShellFolder& folder) {
  const RegistryFile& hive = folder.hive == Hive::User ? *profile.user : *profile.system;
  if (!folder.valueName.empty()) {
    const RegistryValue* value = hive.value(std::string(kExplorer) + "User Shell Folders", folder.valueName);
    const auto text = value ? registryText(*value) : std::nullopt;
    if (text && !text->empty()) {
      if (auto expanded = wine::expandEnvironment(*text, profile.environment)) return expanded;
    }
  }
  return wine::expandEnvironment(folder.fallback, profile.environment);
}

}  // namespace

std::optional<std::string> expandProfileEnvironment(std::string_view text, const ShortcutProfile& profile,
                                                    RegistryCache& registries) {
  if (profile.kind == ProfileKind::WindowsInstallation) {
    static const wine::Environment installation = wine::installationEnvironment();
    return wine::expandEnvironment(text, installation);
  }
  const auto wine = wine::wineProfileOf(profile, registries);
  if (!wine) return wine::expandEnvironment(text, wine::Environment{});
  return wine::expandEnvironment(text, wine->environment);
}

std::string scannedProfileFolder(const ShortcutProfile& scanned) { return scanned.root; }

std::string userFolderHostPath(std::string_view folder, const ShortcutProfile& scanned) {
  // A host path starts with "/"; "C:\Games" or "\\server\share\x" is one of the prefix.
  if (folder.empty() || folder.front() == '/' || platform::windowsDrivePart(folder).empty() ||
      platform::folderExists(folder)) {
    return std::string(folder);
  }
  return windowsFolderHostPath(folder, scanned);
}

std::string profileTempFolder(const ShortcutProfile& scanned, RegistryCache& registries) {
  // What a program in the prefix gets: TMP, else TEMP, as the prefix's environment sets them.
  const auto profile = wine::wineProfileOf(scanned, registries);
  if (!profile) return {};
  for (const char* name : {"TMP", "TEMP"}) {
    const auto found = profile->environment.find(std::string_view(name));
    if (found == profile->environment.end() || found->second.empty()) continue;
    return windowsFolderHostPath(found->second, scanned);
  }
  return {};
}

std::string specialFolderPath(int csidl, const ShortcutProfile& scanned, RegistryCache& registries) {
  const auto profile = wine::wineProfileOf(scanned, registries);
  if (!profile) return {};
  for (const ShellFolder& folder : kShellFolders) {
    if (folder.csidl != csidl) continue;
    const auto windowsPath = shellFolderWindowsPath(*profile, folder);
    return windowsPath ? windowsFolderHostPath(*windowsPath, scanned) : std::string();
  }
  return {};
}

bool profileHidesDotNames(const ShortcutProfile& scanned, RegistryCache& registries) {
  const auto profile = wine::wineProfileOf(scanned, registries);
  if (!profile) return true;
  const RegistryValue* value = profile->user->value("Software\\Wine", "ShowDotFiles");
  const auto text = value ? registryText(*value) : std::nullopt;
  // Wine 8 reads only the first letter: y, t or 1 (any case) turns it on.
  return !text || text->empty() || std::string_view("yYtT1").find(text->front()) == std::string_view::npos;
}

std::optional<std::string> machineRegistryText(std::string_view key, std::string_view name,
                                               const ShortcutProfile& scanned, RegistryCache& registries) {
  const auto profile = wine::wineProfileOf(scanned, registries);
  if (!profile) return std::nullopt;
  const RegistryValue* value = profile->system->value(key, name);
  if (!value) return std::nullopt;
  return registryText(*value);
}

}  // namespace zendrift::profile
