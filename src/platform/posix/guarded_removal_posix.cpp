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
#include "platform/posix/reachable_path.h"

namespace zendrift::platform {

namespace {

std::error_code lastError() { return {errno, std::system_category()}; }

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  void reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  int get() const noexcept { return fd_; }

 private:
  int fd_;
};

// Why `name` below `folder` could not be opened as a folder: a link there is named as such, so
// that the caller can tell a swapped folder from a vanished one.
std::error_code whyNotAFolder(int folder, const std::string& name, int error) {
  if (error == ELOOP || error == ENOTDIR) {
    struct stat status {};
    if (::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(status.st_mode)) {
      return RemovalError::linkOnTheWay;
    }
  }
  return {error, std::system_category()};
}

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

// Opens the folder that holds the last component of `relative` and gives that component's name.
// The root is opened as the scan opened it, links included; every folder after it must be a real
// folder.
std::error_code openParentBelow(std::string_view root, std::string_view relative, Descriptor& parent,
                                std::string& name) {
  if (!staysBelow(relative)) return RemovalError::notBelowRoot;
  parent.reset(posix::openFolderAnyLength(root));
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

}  // namespace

std::error_code entryIdentity(std::string_view path, EntryIdentity& identity) {
  const std::string full(path);
  struct stat status {};
  if (full.empty()) return {ENOENT, std::system_category()};
  if (::lstat(posix::ReachablePath(full).c_str(), &status) != 0) return lastError();
  identity = EntryIdentity{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
  return {};
}

std::error_code deleteFileBelow(std::string_view root, std::string_view relative, const EntryIdentity& expected) {
  Descriptor parent;
  std::string name;
  if (const auto error = openParentBelow(root, relative, parent, name)) return error;
  struct stat status {};
  if (::fstatat(parent.get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) return lastError();
  const EntryIdentity found{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
  if (found != expected || !(S_ISREG(status.st_mode) || S_ISLNK(status.st_mode))) return RemovalError::changedSinceScan;
  // A file without any write permission is read-only, and Windows will not delete it.
  if (S_ISREG(status.st_mode) && (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    return {EACCES, std::system_category()};
  }
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
  return whyNotAFolder(parent.get(), name, error);
}

}  // namespace zendrift::platform
