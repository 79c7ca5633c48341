// Reaching an entry below a scanned folder on Windows without being led elsewhere by links:
// shared by the deletion and by the move into the Recycle Bin.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/guarded_removal.h"
#include "platform/win32/entry_handle.h"

namespace zendrift::platform::win32 {

// Others may read and write what the walk holds, but not rename or delete it meanwhile.
inline constexpr DWORD kShareNoDelete = FILE_SHARE_READ | FILE_SHARE_WRITE;

std::error_code systemError(DWORD error);
// GetLastError() as an error code; never "no error".
std::error_code lastError();
inline std::uint64_t joined(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

// The names of `relative`, which must stay below its root: no drive, no leading delimiter, no "..".
std::error_code splitRelative(std::string_view relative, std::vector<std::wstring>& names);

std::wstring joinedPath(std::wstring folder, const std::wstring& name);

// Opens `root` as the scan did (a link there is followed), then every folder of `names` but the
// last one without following any. `parent` ends up holding the folder of the last name, and
// `path` naming it. Each folder held keeps its name until the removal is done.
std::error_code walkToParent(std::string_view root, const std::vector<std::wstring>& names, FileHandle& parent,
                             std::wstring& path);

// Opens `name` in the held folder `parent` (at `folderPath`) with `access` into `entry`, and checks
// that it is still the file or link the scan saw, held directly in that folder, and not read-only.
std::error_code openScannedFile(const FileHandle& parent, const std::wstring& folderPath, const std::wstring& name,
                                const EntryIdentity& expected, DWORD access, FileHandle& entry);

}  // namespace zendrift::platform::win32
