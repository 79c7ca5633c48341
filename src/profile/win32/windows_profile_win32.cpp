// The Windows profile on Windows: the running system itself. Windows paths are host paths here.
#include <windows.h>

#include "platform/directory_listing.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/process.h"
#include "platform/win32/shell_folder.h"
#include "platform/win32/win32_text.h"
#include "profile/windows_profile.h"

namespace zendrift::profile {

namespace {

bool variableIsSet(const std::wstring& name) {
  ::SetLastError(ERROR_SUCCESS);
  wchar_t probe[1];
  return ::GetEnvironmentVariableW(name.c_str(), probe, 1) != 0 || ::GetLastError() != ERROR_ENVVAR_NOT_FOUND;
}

// The system's expansion of one "%NAME%" reference whose name is known to be set.
std::wstring expandReference(const std::wstring& reference) {
  std::wstring buffer(reference.size() + 256, L'\0');
  for (;;) {
    const DWORD length = ::ExpandEnvironmentStringsW(reference.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    // The reported length counts the terminating NUL.
    if (length <= buffer.size()) {
      buffer.resize(length - 1);
      return buffer;
    }
    buffer.resize(length);
  }
}

// "C:" alone names the current folder of drive C; the root is meant.
std::string rootedDrive(std::string_view path) {
  if (path.size() == 2 && path[1] == ':') return std::string(path) + "\\";
  return std::string(path);
}

}  // namespace

// References pair up from the left; "%%" and a "%" without a partner stay as they are, and any
// name that is not set makes the whole expansion fail rather than leave "%NAME%" in a path.
std::optional<std::string> expandProfileEnvironment(std::string_view text, const ShortcutProfile&, RegistryCache&) {
  std::wstring rest = platform::win32::toWide(text);
  std::wstring out;
  out.reserve(rest.size());
  std::size_t at = 0;
  for (;;) {
    const std::size_t open = rest.find(L'%', at);
    if (open == std::wstring::npos) break;
    const std::size_t close = rest.find(L'%', open + 1);
    if (close == std::wstring::npos) break;
    out.append(rest, at, open - at);
    const std::wstring name = rest.substr(open + 1, close - open - 1);
    if (name.empty()) {
      out += L"%%";
    } else {
      if (!variableIsSet(name)) return std::nullopt;
      out += expandReference(L"%" + name + L"%");
    }
    at = close + 1;
  }
  out.append(rest, at, std::wstring::npos);
  return platform::win32::toUtf8(out);
}

// The system keeps its registry: there is nothing to hold.
struct RegistryCache::Store {};

RegistryCache::RegistryCache() : store_(std::make_unique<Store>()) {}
RegistryCache::~RegistryCache() = default;
RegistryCache::RegistryCache(RegistryCache&&) noexcept = default;
RegistryCache& RegistryCache::operator=(RegistryCache&&) noexcept = default;

// On Windows every shortcut lies in the running system's own profile.
std::optional<ShortcutProfile> profileRootedAt(std::string_view) { return std::nullopt; }

bool isProfileRoot(std::string_view) { return false; }

bool isScannedProfile(const ShortcutProfile& profile, const ShortcutProfile&) { return profile.kind == ProfileKind::Scanned; }

std::optional<std::string> profileProblem(const ShortcutProfile&, PrefixOrigin) { return std::nullopt; }

bool profileHidesDotNames(const ShortcutProfile&, RegistryCache&) { return true; }

std::string scannedProfileFolder(const ShortcutProfile&) { return platform::environmentVariable("USERPROFILE").value_or(std::string()); }

bool profileReaches(std::string_view, const ShortcutProfile&) { return true; }

bool windowsFileExists(std::string_view windowsPath, const ShortcutProfile&) { return platform::fileExists(windowsPath); }

bool windowsFolderExists(std::string_view windowsPath, const ShortcutProfile&) {
  return platform::folderExists(rootedDrive(windowsPath));
}

// Windows finds names in any letter case itself: nothing to list, nothing kept.
TargetPresence windowsTargetPresence(std::string_view windowsPath, const ShortcutProfile& profile, FolderListings&) {
  return windowsFileExists(windowsPath, profile) || windowsFolderExists(windowsPath, profile) ? TargetPresence::present
                                                                                             : TargetPresence::missing;
}

unsigned windowsDriveType(std::string_view drivePart, const ShortcutProfile&, RegistryCache&) {
  if (drivePart.empty()) return kDriveNoRootDir;
  // The service wants the root folder: the drive part with its trailing backslash.
  const std::wstring root = platform::win32::toWide(platform::withTrailingSeparator(drivePart, platform::PathStyle::Windows));
  return ::GetDriveTypeW(root.c_str());
}

std::string windowsFolderHostPath(std::string_view windowsPath, const ShortcutProfile&) {
  const std::string path = rootedDrive(windowsPath);
  if (!platform::folderExists(path)) return {};
  return platform::withoutTrailingSeparator(path, platform::PathStyle::Windows);
}

std::string userFolderHostPath(std::string_view folder, const ShortcutProfile&) { return std::string(folder); }

std::string profileTempFolder(const ShortcutProfile&, RegistryCache&) {
  const auto nonEmpty = [](std::string_view name) {
    auto value = platform::environmentVariable(name);
    if (value && value->empty()) value.reset();
    return value;
  };
  // Never the current folder: a scan there would judge whatever lies where the program started.
  std::string path = nonEmpty("TMP").value_or(nonEmpty("TEMP").value_or(nonEmpty("TMPDIR").value_or(std::string())));
  if (path.empty()) return {};
  // TMP may name the folder by its short (8.3) name; the long form is what the user sees.
  path = platform::longPathName(path);
  if (path.empty() || !platform::folderExists(path)) return {};
  return path;
}

// On Windows the profile is the running system's own: its folders are the shell's.
std::string specialFolderPath(int csidl, const ShortcutProfile&, RegistryCache&) {
  return platform::win32::shellFolderPath(csidl);
}

}  // namespace zendrift::profile
