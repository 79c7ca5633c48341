// The well-known folders, each asked of the platform's Windows profile at every read.
#include "profile/well_known_folders.h"

#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/process.h"
#include "profile/windows_profile.h"

namespace zendrift::sysfolders {

namespace {

constexpr std::string_view kCurrentVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// A folder named by a value of the CurrentVersion key, taken as stored (no expansion).
std::string registryFolder(std::string_view valueName, const platform::ShortcutProfile& scanned) {
  const auto windowsPath = platform::machineRegistryText(kCurrentVersionKey, valueName, scanned);
  if (!windowsPath || windowsPath->empty()) return {};
  return platform::windowsFolderHostPath(*windowsPath, scanned);
}

std::string profileFolder(std::string_view reference, const platform::ShortcutProfile& scanned) {
  const auto windowsPath = platform::expandProfileEnvironment(reference, scanned);
  if (!windowsPath || windowsPath->empty()) return {};
  return platform::windowsFolderHostPath(*windowsPath, scanned);
}

}  // namespace

std::string WellKnownFolders::finish(std::string_view path) const {
  if (path.empty()) return {};
  return trailingPathDelimiter_ ? platform::includeTrailingDelimiter(path) : platform::excludeTrailingDelimiter(path);
}

std::string WellKnownFolders::resolveFolder(std::int32_t csidl) const {
  return finish(platform::specialFolderPath(csidl, scanned_));
}

std::string WellKnownFolders::commonFiles() const { return finish(registryFolder("CommonFilesDir", scanned_)); }

std::string WellKnownFolders::current() const { return finish(platform::currentDirectory()); }

std::string WellKnownFolders::programFiles() const { return finish(registryFolder("ProgramFilesDir", scanned_)); }

std::string WellKnownFolders::windows() const { return finish(profileFolder("%SystemRoot%", scanned_)); }

std::string WellKnownFolders::system() const { return finish(profileFolder("%SystemRoot%\\system32", scanned_)); }

// The profile's own Temp folder: on Linux the prefix's, never the host's or the current folder,
// whose shortcuts belong to other profiles.
std::string WellKnownFolders::temp() const { return finish(platform::profileTempFolder(scanned_)); }

}  // namespace zendrift::sysfolders
