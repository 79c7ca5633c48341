// The Windows profile that Zendrift works on: on Windows the system itself, on Linux a Wine
// prefix. Answers questions about Windows paths as shortcuts store them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zendrift::platform {

// Drive types, numbered as Windows numbers them.
inline constexpr unsigned kDriveUnknown = 0;
inline constexpr unsigned kDriveNoRootDir = 1;
inline constexpr unsigned kDriveRemovable = 2;
inline constexpr unsigned kDriveFixed = 3;
inline constexpr unsigned kDriveRemote = 4;
inline constexpr unsigned kDriveCdrom = 5;
inline constexpr unsigned kDriveRamdisk = 6;

// Expands every %NAME% in `text` from the profile's environment. Empty when a name is unknown.
std::optional<std::string> expandProfileEnvironment(std::string_view text);

// Whether something that is not a folder exists at a Windows path ("C:\dir\file.txt",
// "\\server\share\file"). A path with a trailing backslash, or a drive root, is never a file.
bool windowsFileExists(std::string_view windowsPath);
// Whether a folder exists at a Windows path; a trailing backslash and drive roots ("C:", "C:\")
// are accepted.
bool windowsFolderExists(std::string_view windowsPath);

// The type (kDrive*) of a drive part: "C:" or "\\server\share", without a trailing backslash.
unsigned windowsDriveType(std::string_view drivePart);

// The host path of the folder at a Windows path, without a trailing delimiter (a host root
// stays "/"). Empty when no folder is there.
std::string windowsFolderHostPath(std::string_view windowsPath);

// The host path of a shell special folder, by its CSIDL number. Empty when the number is not
// known or its folder does not exist.
std::string specialFolderPath(int csidl);

// A value under HKEY_LOCAL_MACHINE read as text: REG_SZ, or REG_EXPAND_SZ as stored (nothing
// expanded), or REG_BINARY less its last byte. Empty when the key or value is missing or of
// another kind.
std::optional<std::string> machineRegistryText(std::string_view key, std::string_view name);

}  // namespace zendrift::platform
