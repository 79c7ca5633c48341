// Which profile a folder belongs to on POSIX systems: a Wine prefix, a Windows installation
// seen from outside (a mounted partition, a copied disk), or neither. Shortcuts inside another
// profile are judged by that profile's drives, and walks stay out of its root.
#include <sys/stat.h>

#include "platform/ascii_case.h"
#include "platform/directory_listing.h"
#include "profile/windows_profile.h"
#include "profile/wine_prefix.h"

namespace zendrift::profile {

namespace {

std::string withoutTrailingSlash(std::string_view folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
  return std::string(folder);
}

std::string parentOf(const std::string& folder) {
  const std::size_t slash = folder.find_last_of('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? std::string("/") : folder.substr(0, slash);
}

bool isFolder(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// The spellings that Windows (Vista on, and XP before it) and Wine give the system folder. A
// case-blind listing would cost far more, and the walk asks this of every folder.
bool holdsSystemFolder(const std::string& folder) {
  const std::string base = folder == "/" ? std::string() : folder;
  for (const char* system : {"/Windows/System32", "/WINDOWS/system32", "/windows/system32"}) {
    if (isFolder(base + system)) return true;
  }
  return false;
}

}  // namespace

std::optional<ShortcutProfile> profileRootedAt(std::string_view hostFolder) {
  const std::string folder = withoutTrailingSlash(hostFolder);
  if (folder.empty()) return std::nullopt;
  if (wine::isWinePrefix(folder)) return ShortcutProfile{ProfileKind::WinePrefix, folder};
  if (!holdsSystemFolder(folder)) return std::nullopt;
  // A prefix's drive_c holds windows/system32 too, and so does its dosdevices/c: seen through
  // the link; either is that prefix's C:, judged with it.
  const std::string parent = parentOf(folder);
  if (!parent.empty() && wine::isWinePrefix(parent)) return std::nullopt;
  if (parent.ends_with("/dosdevices") && wine::isWinePrefix(parentOf(parent))) return std::nullopt;
  return ShortcutProfile{ProfileKind::WindowsInstallation, folder};
}

bool isProfileRoot(std::string_view hostFolder) { return profileRootedAt(hostFolder).has_value(); }

std::optional<std::string> profileProblem(const ShortcutProfile& scanned, PrefixOrigin origin) {
  const std::string& prefix = scanned.root;
  if (origin == PrefixOrigin::chosen && !isFolder(prefix)) return prefix + " does not exist";
  if (prefix.empty()) return "no Wine prefix: WINEPREFIX is not set and the home folder is not known";
  if (origin == PrefixOrigin::home && !isFolder(prefix)) {
    return "no Wine prefix: WINEPREFIX is not set and ~/.wine does not exist";
  }
  if (!wine::isWinePrefix(prefix)) return prefix + " is not a Wine prefix (no system.reg or dosdevices)";
  return std::nullopt;
}

bool profileReaches(std::string_view drivePart, const ShortcutProfile& profile) {
  if (profile.kind != ProfileKind::WindowsInstallation) return true;
  return drivePart.size() >= 2 && drivePart[1] == ':' && platform::lowerAscii(drivePart[0]) == 'c';
}

bool isScannedProfile(const ShortcutProfile& profile, const ShortcutProfile& scanned) {
  if (profile.kind == ProfileKind::Scanned) return true;
  if (profile.kind != ProfileKind::WinePrefix) return false;
  const std::string& prefix = scanned.root;
  if (prefix.empty()) return false;
  const std::optional<platform::FolderId> identity = platform::folderIdentity(profile.root);
  return identity && identity == platform::folderIdentity(prefix);
}

}  // namespace zendrift::profile
