// File and folder services on host paths.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/result.h"

namespace zendrift::platform {

// True when an entry that is not a folder exists at exactly `path`.
bool fileExists(std::string_view path);
// True when a folder exists at `path`; a trailing delimiter is accepted.
bool folderExists(std::string_view path);

// The long form of a path whose components may be short (8.3) names; empty when nothing exists
// there. Hosts without short names give the path itself.
std::string longPathName(std::string_view path);

// Deletes one file. A symbolic link is removed itself, never what it points at; a read-only file
// is refused, as Windows refuses it.
[[nodiscard]] std::error_code deleteFile(std::string_view path);
// Removes one folder, only when it is empty.
[[nodiscard]] std::error_code removeFolder(std::string_view path);
// Creates a folder together with any missing parents. No error when the folder exists afterwards.
[[nodiscard]] std::error_code createFolders(std::string_view path);

// Whether new files and folders may be made in the folder `folder`, without making any. POSIX asks
// for write and search permission; on Windows, whose folder rights are ACLs that no cheap test
// reads, an existing folder is taken to allow it.
[[nodiscard]] bool mayCreateEntriesIn(std::string_view folder);

// Opens `path` for reading and writing, creating it empty when missing, and closes it again.
// No error when that succeeded: the file is there and may be written.
[[nodiscard]] std::error_code probeReadWrite(std::string_view path);

// Reads at most `maxBytes` of a regular file.
Result<std::string> readFile(std::string_view path, std::size_t maxBytes = static_cast<std::size_t>(-1));

// Replaces a file's whole content: written to a temporary file beside it, flushed and renamed
// over the old one, so that a failure or an interruption leaves the old content in place.
[[nodiscard]] std::error_code replaceFile(std::string_view path, std::string_view content);

}  // namespace zendrift::platform
