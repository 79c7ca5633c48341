// The Windows profile that Zendrift works on: on Windows the system itself, on Linux a Wine
// prefix. Answers questions about Windows paths as shortcuts store them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "profile/registry_cache.h"

namespace zendrift::profile {

// Drive types, numbered as Windows numbers them.
inline constexpr unsigned kDriveUnknown = 0;
inline constexpr unsigned kDriveNoRootDir = 1;
inline constexpr unsigned kDriveRemovable = 2;
inline constexpr unsigned kDriveFixed = 3;
inline constexpr unsigned kDriveRemote = 4;
inline constexpr unsigned kDriveCdrom = 5;
inline constexpr unsigned kDriveRamdisk = 6;

enum class ProfileKind {
  Scanned,              // the profile being scanned (on Linux the prefix the front end chose)
  WinePrefix,           // another Wine prefix: its own drive links, registry and environment
  WindowsInstallation,  // a Windows installation seen from outside; only its own C: is known
};

// The profile that a shortcut is judged in. A shortcut lying inside another profile's folder
// belongs to that profile: its targets name that profile's drives, not the scanned one's.
struct ShortcutProfile {
  ProfileKind kind = ProfileKind::Scanned;
  // The host folder of the prefix or installation. For Scanned, the prefix chosen for the scan;
  // empty when there is none. Always empty on Windows, whose profile is the user's.
  std::string root;
  bool operator==(const ShortcutProfile&) const = default;
};

// The profile a scan works on: the Wine prefix at `prefix`; none when it is empty (on Windows,
// always the user's own).
inline ShortcutProfile scannedProfile(std::string prefix) { return {ProfileKind::Scanned, std::move(prefix)}; }

// What `hostFolder` is the root of: a Wine prefix (it holds dosdevices/ and system.reg) or a
// Windows installation (it holds Windows/System32, in the usual spellings). A prefix's own
// drive_c is part of that prefix, not an installation of its own. Never on Windows.
std::optional<ShortcutProfile> profileRootedAt(std::string_view hostFolder);
// Whether a walk must stay out of `hostFolder`: its shortcuts belong to another profile. A few
// system calls at most, for the walk asks it of every folder. Always false on Windows.
bool isProfileRoot(std::string_view hostFolder);

// Whether `profile` is the one being scanned, also when it was found as a prefix above a
// shortcut: the scanned prefix's own folders hold its own shortcuts.
bool isScannedProfile(const ShortcutProfile& profile, const ShortcutProfile& scanned);

// Whether a program in the profile being scanned sees names that begin with "." as hidden: Wine
// hides them unless HKCU\Software\Wine's ShowDotFiles is on. Always true on Windows, whose
// listings carry their own attributes.
bool profileHidesDotNames(const ShortcutProfile& scanned, RegistryCache& registries);

// The folder of the profile being scanned: the Wine prefix on Linux, the user's profile folder on
// Windows. Not checked; empty when none can be named.
std::string scannedProfileFolder(const ShortcutProfile& scanned);

// Where the prefix being scanned comes from: chosen in the program (/prefix, the window's
// list), named by $WINEPREFIX, or the ~/.wine taken when nothing names one.
enum class PrefixOrigin { chosen, environment, home };

// Nothing when the profile being scanned is usable; otherwise one sentence for the user saying
// why not. Always nothing on Windows.
std::optional<std::string> profileProblem(const ShortcutProfile& scanned, PrefixOrigin origin);

// Whether targets on `drivePart` ("C:", "\\server\share") can be checked in `profile` at all:
// an installation seen from outside knows only its own C:.
bool profileReaches(std::string_view drivePart, const ShortcutProfile& profile);

// Expands every %NAME% in `text` from the profile's environment. Empty when a name is unknown.
std::optional<std::string> expandProfileEnvironment(std::string_view text, const ShortcutProfile& profile,
                                                    RegistryCache& registries);

// Whether something that is not a folder exists at a Windows path ("C:\dir\file.txt",
// "\\server\share\file"). A path with a trailing backslash, or a drive root, is never a file.
bool windowsFileExists(std::string_view windowsPath, const ShortcutProfile& profile);
// Whether a folder exists at a Windows path; a trailing backslash and drive roots ("C:", "C:\")
// are accepted.
bool windowsFolderExists(std::string_view windowsPath, const ShortcutProfile& profile);

// What a lookup of a shortcut's target found. Unknown when a folder on the way could not be read
// or searched: the target may well be there, so it must not be taken for missing.
enum class TargetPresence { present, missing, unknown };
class FolderListings;
// Whether a file or a folder exists at a Windows path: present exactly when windowsFileExists()
// or windowsFolderExists() is true. `listings` keeps what the lookups of one scan learn of folders'
// names, so that many targets below one folder cost one listing.
TargetPresence windowsTargetPresence(std::string_view windowsPath, const ShortcutProfile& profile,
                                     FolderListings& listings);

// The type (kDrive*) of a drive part: "C:" or "\\server\share", without a trailing backslash.
unsigned windowsDriveType(std::string_view drivePart, const ShortcutProfile& profile, RegistryCache& registries);

// The host path of the folder at a Windows path of the scanned profile, without a trailing
// delimiter (a host root stays "/"). Empty when no folder is there.
std::string windowsFolderHostPath(std::string_view windowsPath, const ShortcutProfile& scanned);

// The host folder that the user's own folder `folder` names: the folder itself, as given; on
// Linux a Windows path ("C:\Games", as a Windows user types it) is the folder at that path in the
// scanned prefix. Empty when no folder is there.
std::string userFolderHostPath(std::string_view folder, const ShortcutProfile& scanned);

// The host path of a shell special folder, by its CSIDL number. Empty when the number is not
// known or its folder does not exist.
std::string specialFolderPath(int csidl, const ShortcutProfile& scanned, RegistryCache& registries);

// A value under HKEY_LOCAL_MACHINE read as text: REG_SZ, or REG_EXPAND_SZ as stored (nothing
// expanded), or REG_BINARY less its last byte. Empty when the key or value is missing or of
// another kind.
std::optional<std::string> machineRegistryText(std::string_view key, std::string_view name,
                                               const ShortcutProfile& scanned, RegistryCache& registries);

// The Temp folder that programs in the scanned profile get, as a host path without a trailing
// delimiter. Empty when it cannot be named or does not exist.
std::string profileTempFolder(const ShortcutProfile& scanned, RegistryCache& registries);

}  // namespace zendrift::profile
