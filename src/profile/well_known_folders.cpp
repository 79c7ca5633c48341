// The well-known folders, each asked of the platform's Windows profile.
#include "profile/well_known_folders.h"

#include <string_view>

#include "platform/path.h"
#include "profile/folder_ids.h"
#include "profile/windows_profile.h"

namespace zendrift::profile {

namespace {

constexpr std::string_view kCurrentVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// One trailing delimiter off; a missing folder stays empty.
std::string finish(std::string_view path) {
  return path.empty() ? std::string() : platform::withoutTrailingSeparator(path);
}

// A folder named by a value of the CurrentVersion key, taken as stored (no expansion).
std::string registryFolder(std::string_view valueName, const profile::ShortcutProfile& scanned,
                           profile::RegistryCache& registries) {
  const auto windowsPath = profile::machineRegistryText(kCurrentVersionKey, valueName, scanned, registries);
  if (!windowsPath || windowsPath->empty()) return {};
  return finish(profile::windowsFolderHostPath(*windowsPath, scanned));
}

std::string profileFolder(std::string_view reference, const profile::ShortcutProfile& scanned,
                          profile::RegistryCache& registries) {
  const auto windowsPath = profile::expandProfileEnvironment(reference, scanned, registries);
  if (!windowsPath || windowsPath->empty()) return {};
  return finish(profile::windowsFolderHostPath(*windowsPath, scanned));
}

}  // namespace

WellKnownFolders wellKnownFolders(const profile::ShortcutProfile& scanned, profile::RegistryCache& registries) {
  const auto shell = [&](std::int32_t csidl) {
    return finish(profile::specialFolderPath(csidl, scanned, registries));
  };
  WellKnownFolders folders;
  folders.desktop = shell(csidl::kDesktop);
  folders.programs = shell(csidl::kPrograms);
  folders.personal = shell(csidl::kPersonal);
  folders.favorites = shell(csidl::kFavorites);
  folders.startup = shell(csidl::kStartup);
  folders.recent = shell(csidl::kRecent);
  folders.sendTo = shell(csidl::kSendTo);
  folders.startMenu = shell(csidl::kStartMenu);
  folders.desktopDirectory = shell(csidl::kDesktopDirectory);
  folders.nethood = shell(csidl::kNethood);
  folders.fonts = shell(csidl::kFonts);
  folders.commonStartmenu = shell(csidl::kCommonStartMenu);
  folders.commonPrograms = shell(csidl::kCommonPrograms);
  folders.commonStartup = shell(csidl::kCommonStartup);
  folders.commonDesktopDirectory = shell(csidl::kCommonDesktopDirectory);
  folders.commonAppData = shell(csidl::kCommonAppData);
  folders.appData = shell(csidl::kAppData);
  folders.printhood = shell(csidl::kPrinthood);
  folders.commonFavorites = shell(csidl::kCommonFavorites);
  folders.templates = shell(csidl::kTemplates);
  folders.internetCache = shell(csidl::kInternetCache);
  folders.cookies = shell(csidl::kCookies);
  folders.history = shell(csidl::kHistory);
  folders.profile = shell(csidl::kProfile);
  folders.programFiles = registryFolder("ProgramFilesDir", scanned, registries);
  folders.commonFiles = registryFolder("CommonFilesDir", scanned, registries);
  folders.windows = profileFolder("%SystemRoot%", scanned, registries);
  folders.system = profileFolder("%SystemRoot%\\system32", scanned, registries);
  folders.temp = finish(profile::profileTempFolder(scanned, registries));
  return folders;
}

WellKnownFolders wellKnownFolders(const profile::ShortcutProfile& scanned) {
  profile::RegistryCache registries;
  return wellKnownFolders(scanned, registries);
}

}  // namespace zendrift::profile
