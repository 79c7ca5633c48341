// The desktop's trash: moving a scanned file into it without being led elsewhere by links, and
// putting a file back from it.
//
// On Linux the freedesktop.org trash that desktops share: the home trash for files on the home
// file system, else the trash at the top of the file's own volume. The move is always a rename
// on that volume, never a copy. On Windows the Recycle Bin, through the shell.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/guarded_removal.h"
#include "platform/result.h"

namespace zendrift::platform {

// Where a file went, enough to put it back.
struct TrashedFile {
  std::string original;  // its path before, as the caller named it
  std::string inTrash;   // the file in the trash (files/<name> on Linux, the bin's own file on Windows)
  std::string info;      // its .trashinfo on Linux; empty on Windows
  // The file itself as it lies in the trash: what has its name there later may be another, even
  // one that was given the same inode number. On Windows the Recycle Bin's item is told by the
  // time it was deleted (in `changed`) and its size instead.
  EntryIdentity identity;
  std::int64_t changed = 0;  // the time of its last status change, in nanoseconds; on Windows when it was deleted
  std::uint64_t size = 0;  // its size in bytes when it went; on Windows what the Recycle Bin recorded
  friend bool operator==(const TrashedFile&, const TrashedFile&) = default;
};

// Why a file could not go to the trash or come back from it, beside the system's own errors.
enum class TrashError {
  noTrash = 1,  // its volume has no trash that can take it (none can be made, read-only, another volume)
  trashFull,    // the trash's volume has no room for the file's trash information
  inTrashAlready,  // the file is one the trash holds (a scan of the home folder walks the trash too)
  notInTrash,   // restoring: the file is no longer in the trash
  placeTaken,   // restoring: something is already at its place
  deletedForGood,  // restoring: it never went to the trash
  notOurTrash,  // restoring: the record names no file of a trash this user owns, or no place to go back to
  // Under Wine: Wine keeps its Recycle Bin in the host's trash folder, ~/.local/share/Trash, and
  // does not make ~/.local/share when that is missing, so it has none at all.
  noWineTrash,
};
const std::error_category& trashCategory() noexcept;
std::error_code make_error_code(TrashError error) noexcept;

// Moves files into the trash. One per removal: it remembers the trash folders it found.
class Trash {
 public:
  Trash();
  ~Trash();
  Trash(const Trash&) = delete;
  Trash& operator=(const Trash&) = delete;

  // Moves the entry `relative` below `root` into the trash, reached and checked exactly as
  // deleteFileBelow reaches and checks the entry it deletes. `original` is the path recorded
  // for it. Where it went, or why it stays: nothing is deleted when the trash cannot take it.
  Result<TrashedFile> moveBelow(std::string_view root, std::string_view relative, const EntryIdentity& expected,
                                std::string_view original);

 private:
  struct Folders;
  std::unique_ptr<Folders> folders_;
};

// Moves a trashed file back to its original place, never over anything there, and drops its
// trash information. `root` is the folder the removal reached it from, below which `original`
// lies: on Linux it is opened as the removal opened it, and every folder below it is entered
// without following a link, and made again when it is missing, at any depth. Only the very file
// that went (identity and status time as recorded) is taken, only out of a trash folder this user
// owns, and only its own .trashinfo there is removed. An empty `root` puts the file back only into
// its folder as it stands. On Windows the Recycle Bin puts it back.
std::error_code restoreFromTrash(const TrashedFile& trashed, std::string_view root);

}  // namespace zendrift::platform

template <>
struct std::is_error_code_enum<zendrift::platform::TrashError> : std::true_type {};
