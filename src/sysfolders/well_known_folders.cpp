// The well-known folders, each asked of the platform's Windows profile at every read.
#include "sysfolders/system_folders.h"

#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/process.h"
#include "platform/windows_profile.h"

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

std::string TJvSystemFolders::finish(std::string_view path) const {
  if (path.empty()) return {};
  return trailingPathDelimiter_ ? platform::includeTrailingDelimiter(path) : platform::excludeTrailingDelimiter(path);
}

std::string TJvSystemFolders::ResolveFolder(std::int32_t csidl) const {
  return finish(platform::specialFolderPath(csidl));
}

std::string TJvSystemFolders::CommonFiles() const { return finish(registryFolder("CommonFilesDir")); }

std::string TJvSystemFolders::Current() const { return finish(platform::currentDirectory()); }

std::string TJvSystemFolders::ProgramFiles() const { return finish(registryFolder("ProgramFilesDir")); }

std::string TJvSystemFolders::Windows() const { return finish(profileFolder("%SystemRoot%")); }

std::string TJvSystemFolders::System() const { return finish(profileFolder("%SystemRoot%\\system32")); }

// The profile's own Temp folder: on Linux the prefix's, never the host's or the current folder,
// whose shortcuts belong to other profiles.
std::string TJvSystemFolders::Temp() const { return finish(platform::profileTempFolder()); }

}  // namespace zendrift::sysfolders
