// The guarded walk below a scanned folder on POSIX systems.
#include "platform/posix/guarded_walk.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/posix/reachable_path.h"

namespace zendrift::platform::posix {

namespace {

// True when every component of `relative` names an entry in its folder: none is empty, "." or
// "..", so the walk can neither stay nor climb out of the root.
bool staysBelow(std::string_view relative) {
  while (true) {
    const std::size_t slash = relative.find('/');
    const std::string_view name = relative.substr(0, slash);
    if (name.empty() || name == "." || name == "..") return false;
    if (slash == std::string_view::npos) return true;
    relative.remove_prefix(slash + 1);
  }
}

}  // namespace

std::error_code lastError() { return {errno, std::system_category()}; }

std::error_code whyNotAFolder(int folder, const std::string& name, int error) {
  if (error == ELOOP || error == ENOTDIR) {
    struct stat status {};
    if (::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(status.st_mode)) {
      return RemovalError::linkOnTheWay;
    }
  }
  return {error, std::system_category()};
}

std::error_code openParentBelow(std::string_view root, std::string_view relative, Descriptor& parent,
                                std::string& name) {
  if (!staysBelow(relative)) return RemovalError::notBelowRoot;
  parent.reset(openFolderAnyLength(root));
  if (parent.get() < 0) return lastError();
  for (std::size_t slash; (slash = relative.find('/')) != std::string_view::npos; relative.remove_prefix(slash + 1)) {
    name.assign(relative.substr(0, slash));
    const int next = ::openat(parent.get(), name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (next < 0) return whyNotAFolder(parent.get(), name, errno);
    parent.reset(next);
  }
  name.assign(relative);
  return {};
}

std::error_code checkScannedFile(int parent, const std::string& name, const EntryIdentity& expected) {
  struct stat status {};
  if (::fstatat(parent, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) return lastError();
  const EntryIdentity found{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
  if (found != expected || !(S_ISREG(status.st_mode) || S_ISLNK(status.st_mode))) return RemovalError::changedSinceScan;
  if (S_ISREG(status.st_mode) && (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    return {EACCES, std::system_category()};
  }
  return {};
}

}  // namespace zendrift::platform::posix
