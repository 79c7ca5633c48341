// Folder listing on POSIX systems.
//
// Attributes follow Wine's mapping so that a Wine prefix reads as Windows would show it:
// folders carry 0x10, files 0x20 (archive), a file without any write permission is read-only,
// a name that begins with "." is hidden, and Wine's user.DOSATTRIB extended attribute adds the
// hidden and system bits. A symbolic link is an entry with the reparse-point bit, and a folder
// when it points at one.
#include <dirent.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <cerrno>
#include <cstdlib>

#include "platform/directory_listing.h"
#include "platform/path.h"
#include "platform/posix/errno_map.h"

namespace zendrift::platform {

namespace {

std::uint32_t dosAttributesOf(const std::string& path) {
  char buffer[64];
  const ssize_t length = lgetxattr(path.c_str(), "user.DOSATTRIB", buffer, sizeof buffer - 1);
  if (length <= 2) return 0;
  buffer[length] = '\0';
  if (buffer[0] != '0' || (buffer[1] != 'x' && buffer[1] != 'X')) return 0;
  const unsigned long value = std::strtoul(buffer + 2, nullptr, 16);
  return static_cast<std::uint32_t>(value) & (kAttrHidden | kAttrSystem);
}

bool isDotOrDotDot(std::string_view name) { return name == "." || name == ".."; }

FileTime modificationTime(const struct stat& status) {
  return fileTimeFromUnix(status.st_mtim.tv_sec, status.st_mtim.tv_nsec);
}

}  // namespace

void DirEntry::fetchStatus() const {
  const std::string path = fullPath();
  struct stat status {};
  const bool known = ::lstat(path.c_str(), &status) == 0;
  std::uint32_t attributes = directory_ ? kAttrDirectory : kAttrArchive;
  if (symlink_) attributes |= kAttrReparsePoint;
  if (known && !symlink_ && (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) attributes |= kAttrReadOnly;
  if (!name_.empty() && name_[0] == '.' && !isDotOrDotDot(name_)) attributes |= kAttrHidden;
  attributes |= dosAttributesOf(path);
  attributes_ = attributes;
  size_ = known && !directory_ ? static_cast<std::uint64_t>(status.st_size) : 0;
  lastWriteTime_ = known ? modificationTime(status) : 0;
}

struct DirectoryListing::Handle {
  DIR* dir = nullptr;
  std::string folder;
};

DirectoryListing::DirectoryListing() = default;
DirectoryListing::~DirectoryListing() { close(); }

bool DirectoryListing::isOpen() const noexcept { return handle_ && handle_->dir; }

OsErrorCode DirectoryListing::open(std::string_view folder) {
  close();
  std::string path = includeTrailingDelimiter(folder);
  DIR* dir = ::opendir(path.c_str());
  if (!dir) return posix::fromErrno(errno);
  handle_ = std::make_unique<Handle>();
  handle_->dir = dir;
  handle_->folder = std::move(path);
  const OsErrorCode first = next();
  if (first == kErrorNoMoreFiles) return kErrorFileNotFound;
  return first;
}

OsErrorCode DirectoryListing::next() {
  if (!isOpen()) return kErrorInvalidParameter;
  errno = 0;
  const dirent* item = ::readdir(handle_->dir);
  if (!item) return errno == 0 ? kErrorNoMoreFiles : posix::fromErrno(errno);

  DirEntry::Raw raw;
  raw.name = item->d_name;
  raw.folder = handle_->folder;
  unsigned char type = item->d_type;
  if (type == DT_UNKNOWN) {
    struct stat status {};
    if (::lstat((raw.folder + raw.name).c_str(), &status) == 0) {
      type = S_ISDIR(status.st_mode) ? DT_DIR : S_ISLNK(status.st_mode) ? DT_LNK : DT_REG;
    }
  }
  raw.directory = type == DT_DIR;
  if (type == DT_LNK) {
    raw.symlink = true;
    struct stat target {};
    raw.directory = ::stat((raw.folder + raw.name).c_str(), &target) == 0 && S_ISDIR(target.st_mode);
  }
  entry_.assign(std::move(raw));
  return kErrorSuccess;
}

std::optional<FolderId> DirectoryListing::folderId() const {
  struct stat status {};
  if (!isOpen() || ::fstat(::dirfd(handle_->dir), &status) != 0) return std::nullopt;
  return FolderId{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

OsErrorCode DirectoryListing::close() {
  if (!isOpen()) return kErrorSuccess;
  const int result = ::closedir(handle_->dir);
  handle_.reset();
  return result == 0 ? kErrorSuccess : posix::fromErrno(errno);
}

std::optional<DirEntry> findEntry(std::string_view path) {
  if (path.empty() || hasTrailingDelimiter(path)) return std::nullopt;
  const std::string full(path);
  struct stat status {};
  if (::lstat(full.c_str(), &status) != 0) return std::nullopt;
  DirEntry::Raw raw;
  raw.name = std::string(extractFileName(path));
  raw.folder = std::string(extractFilePath(path));
  raw.directory = S_ISDIR(status.st_mode);
  if (S_ISLNK(status.st_mode)) {
    raw.symlink = true;
    struct stat target {};
    raw.directory = ::stat(full.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
  }
  return DirEntry(std::move(raw));
}

}  // namespace zendrift::platform
