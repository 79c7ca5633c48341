// Deleting what a scan found without being led elsewhere by links.
//
// Between a scan and the removal someone may swap a folder on the way for a link to another
// folder, or put another file in a shortcut's place. The removal therefore reaches each entry
// from the folder the scan started in, one name at a time, never following a link on the way,
// and deletes a file only while it is still the entry the scan saw. Depth does not matter: no
// call takes the whole path, so paths longer than the system's limit work too.
#pragma once

#include <cstdint>
#include <string_view>
#include <system_error>

#include "platform/result.h"

namespace zendrift::platform {

// An entry on its volume: device and inode on POSIX, volume serial and file index on Windows.
struct EntryIdentity {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  friend bool operator==(const EntryIdentity&, const EntryIdentity&) = default;
};

// An entry and the moment its contents last changed (the status change time on POSIX, which a
// write, a rename or a new file under a reused number all move; the last write on Windows): two
// reads of the same version read the same bytes.
struct EntryVersion {
  EntryIdentity identity;
  std::int64_t changed = 0;  // nanoseconds, in the system's own epoch
  friend bool operator==(const EntryVersion&, const EntryVersion&) = default;
};

// Why the removal refused an entry, beside the system's own errors.
enum class RemovalError {
  changedSinceScan = 1,  // the entry is no longer the one the scan saw
  linkOnTheWay,          // a folder between the root and the entry is a link (or a reparse point)
  folderNotEmpty,        // removeEmptyFolderBelow: the folder holds something
  notBelowRoot,          // the relative path is empty, absolute, or climbs with ".."
};
const std::error_category& removalCategory() noexcept;
std::error_code make_error_code(RemovalError error) noexcept;

// The identity of the entry at `path` itself: a link at its end is not followed, so a link has
// its own identity. Fails when nothing is there.
Result<EntryIdentity> entryIdentity(std::string_view path);
// The same entry's version, in the same one look.
Result<EntryVersion> entryVersion(std::string_view path);

// Deletes the entry `relative` below the folder `root`. `root` is opened as the scan opened it (it
// may itself be a link, as Wine's Desktop often is); every folder after it is opened relative to
// its parent and must not be a link. The entry must still have the identity `expected` and be a
// file or a link; a link is removed itself, never what it points at. A file that Windows would
// not delete (read-only) is refused with the system's access-denied error.
std::error_code deleteFileBelow(std::string_view root, std::string_view relative, const EntryIdentity& expected);

// Removes the folder `relative` below `root` when it is empty, reached the same way. A folder that
// holds anything gives RemovalError::folderNotEmpty; `root` itself is never removed.
std::error_code removeEmptyFolderBelow(std::string_view root, std::string_view relative);

}  // namespace zendrift::platform

template <>
struct std::is_error_code_enum<zendrift::platform::RemovalError> : std::true_type {};
