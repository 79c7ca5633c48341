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

std::optional<std::string> nonEmptyVariable(std::string_view name) {
  auto value = platform::environmentVariable(name);
  if (value && value->empty()) value.reset();
  return value;
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

std::string TJvSystemFolders::Temp() const {
  std::string path = nonEmptyVariable("TMP")
                         .value_or(nonEmptyVariable("TEMP").value_or(nonEmptyVariable("TMPDIR").value_or(
                             platform::currentDirectory())));
  // TMP may name the folder by its short (8.3) name; the long form is what the user sees.
  path = platform::longPathName(path);
  if (path.empty() || !platform::folderExists(path)) return {};
  return finish(path);
}

}  // namespace zendrift::sysfolders
