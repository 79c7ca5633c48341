// Deleting below a scanned folder on POSIX systems: every folder after the root is opened
// relative to its parent with O_NOFOLLOW, and the entry is unlinked relative to its own folder
// right after its identity was checked, so that a link swapped in on the way leads nowhere.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "platform/guarded_removal.h"
#include "platform/posix/entry_version.h"
#include "platform/posix/guarded_walk.h"
#include "platform/posix/reachable_path.h"

namespace zendrift::platform {

using posix::Descriptor;
using posix::lastError;
using posix::openParentBelow;

Result<EntryVersion> entryVersion(std::string_view path) {
  const std::string full(path);
  struct stat status {};
  if (full.empty()) return std::error_code(ENOENT, std::system_category());
  if (::lstat(posix::ReachablePath(full).c_str(), &status) != 0) return lastError();
  return posix::versionOf(status);
}

Result<EntryIdentity> entryIdentity(std::string_view path) {
  Result<EntryVersion> version = entryVersion(path);
  if (!version) return version.error();
  return version->identity;
}

std::error_code deleteFileBelow(std::string_view root, std::string_view relative, const EntryIdentity& expected) {
  Descriptor parent;
  std::string name;
  if (const auto error = openParentBelow(root, relative, parent, name)) return error;
  if (const auto error = posix::checkScannedFile(parent.get(), name, expected)) return error;
  // What remains between the check and the unlink: Linux cannot unlink by descriptor, so another
  // entry renamed into this very folder under this very name in that instant would go instead.
  // The folder itself is pinned by its descriptor, so nothing outside it can be reached.
  if (::unlinkat(parent.get(), name.c_str(), 0) != 0) return lastError();
  return {};
}

std::error_code removeEmptyFolderBelow(std::string_view root, std::string_view relative) {
  Descriptor parent;
  std::string name;
  if (const auto error = openParentBelow(root, relative, parent, name)) return error;
  // rmdir never follows a link at its end; a link there fails with ENOTDIR and is named below.
  if (::unlinkat(parent.get(), name.c_str(), AT_REMOVEDIR) == 0) return {};
  const int error = errno;
  if (error == ENOTEMPTY || error == EEXIST) return RemovalError::folderNotEmpty;
  return posix::whyNotAFolder(parent.get(), name, error);
}

}  // namespace zendrift::platform
