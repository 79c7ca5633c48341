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
std::string registryFolder(std::string_view valueName) {
  const auto windowsPath = platform::machineRegistryText(kCurrentVersionKey, valueName);
  if (!windowsPath || windowsPath->empty()) return {};
  return platform::windowsFolderHostPath(*windowsPath);
}

std::string profileFolder(std::string_view reference) {
  const auto windowsPath = platform::expandProfileEnvironment(reference);
  if (!windowsPath || windowsPath->empty()) return {};
  return platform::windowsFolderHostPath(*windowsPath);
}

}  // namespace

std::string WellKnownFolders::finish(std::string_view path) const {
  if (path.empty()) return {};
  return trailingPathDelimiter_ ? platform::includeTrailingDelimiter(path) : platform::excludeTrailingDelimiter(path);
}

std::string WellKnownFolders::resolveFolder(std::int32_t csidl) const {
  return finish(platform::specialFolderPath(csidl));
}

std::string WellKnownFolders::commonFiles() const { return finish(registryFolder("CommonFilesDir")); }

std::string WellKnownFolders::current() const { return finish(platform::currentDirectory()); }

std::string WellKnownFolders::programFiles() const { return finish(registryFolder("ProgramFilesDir")); }

std::string WellKnownFolders::windows() const { return finish(profileFolder("%SystemRoot%")); }

std::string WellKnownFolders::system() const { return finish(profileFolder("%SystemRoot%\\system32")); }

// The profile's own Temp folder: on Linux the prefix's, never the host's or the current folder,
// whose shortcuts belong to other profiles.
std::string WellKnownFolders::temp() const { return finish(platform::profileTempFolder()); }

}  // namespace zendrift::sysfolders
