// Folder listing on POSIX systems.
//
// Attributes follow Wine's mapping so that a Wine prefix reads as Windows would show it:
// folders carry 0x10, files 0x20 (archive), a file without any write permission is read-only,
// a name that begins with "." is hidden (unless the listing is told that the prefix shows dot
// names: Wine's ShowDotFiles), and Wine's user.DOSATTRIB extended attribute adds the hidden and
// system bits. A symbolic link is an entry with the reparse-point bit, and a folder
// when it points at one.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <sys/syscall.h>

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/directory_listing.h"
#include "platform/path.h"
#include "platform/posix/errno_map.h"
#include "platform/posix/reachable_path.h"

namespace zendrift::platform {

namespace {

std::uint32_t dosAttributesFromText(char* buffer, ssize_t length) {
  if (length <= 2) return 0;
  buffer[length] = '\0';
  if (buffer[0] != '0' || (buffer[1] != 'x' && buffer[1] != 'X')) return 0;
  const unsigned long value = std::strtoul(buffer + 2, nullptr, 16);
  return static_cast<std::uint32_t>(value) & (kAttrHidden | kAttrSystem);
}

constexpr const char* kDosAttributeName = "user.DOSATTRIB";

#if defined(__linux__) && (defined(__x86_64__) || defined(__aarch64__))
// getxattrat (Linux 6.13) reads an extended attribute relative to a folder descriptor, which
// spares the lookup of the whole path. Older kernels (or a filter that refuses the call) answer
// ENOSYS or EPERM; from then on the path is used.
constexpr long kGetXattrAt = 464;
struct XattrArgs {
  std::uint64_t value;
  std::uint32_t size;
  std::uint32_t flags;
};
std::atomic<bool> getXattrAtWorks{true};

std::optional<ssize_t> readDosAttributeAt(int folder, const std::string& name, char* buffer, std::size_t size) {
  if (!getXattrAtWorks.load(std::memory_order_relaxed)) return std::nullopt;
  XattrArgs args{reinterpret_cast<std::uintptr_t>(buffer), static_cast<std::uint32_t>(size), 0};
  const long length = ::syscall(kGetXattrAt, folder, name.c_str(), AT_SYMLINK_NOFOLLOW, kDosAttributeName, &args,
                                sizeof args);
  if (length < 0 && (errno == ENOSYS || errno == EPERM)) {
    getXattrAtWorks.store(false, std::memory_order_relaxed);
    return std::nullopt;
  }
  return static_cast<ssize_t>(length);
}
#else
std::optional<ssize_t> readDosAttributeAt(int, const std::string&, char*, std::size_t) { return std::nullopt; }
#endif

bool isDotOrDotDot(std::string_view name) { return name == "." || name == ".."; }

FileTime modificationTime(const struct stat& status) {
  return fileTimeFromUnix(status.st_mtim.tv_sec, status.st_mtim.tv_nsec);
}

std::uint32_t withDotNameHidden(std::uint32_t attributes, std::string_view name, bool dotNamesHidden) {
  if (dotNamesHidden && !name.empty() && name[0] == '.' && !isDotOrDotDot(name)) attributes |= kAttrHidden;
  return attributes;
}

}  // namespace

void DirEntry::fetchStatus() const {
  struct stat status {};
  bool known = false;
  if (folderDescriptor_ && *folderDescriptor_ >= 0) {
    known = ::fstatat(*folderDescriptor_, name_.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0;
  } else {
    const std::string path = fullPath();
    known = ::lstat(posix::ReachablePath(path).c_str(), &status) == 0;
  }
  std::uint32_t attributes = directory_ ? kAttrDirectory : kAttrArchive;
  if (symlink_) attributes |= kAttrReparsePoint;
  if (known && !symlink_ && (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) attributes |= kAttrReadOnly;
  if (!hiddenSystem_) fetchHiddenSystem();
  attributes |= *hiddenSystem_;
  attributes_ = attributes;
  size_ = known && !directory_ ? static_cast<std::uint64_t>(status.st_size) : 0;
  lastWriteTime_ = known ? modificationTime(status) : 0;
}

void DirEntry::fetchHiddenSystemFrom(int fd) const {
  char buffer[64];
  const ssize_t length = ::fgetxattr(fd, kDosAttributeName, buffer, sizeof buffer - 1);
  hiddenSystem_ = withDotNameHidden(dosAttributesFromText(buffer, length), name_, dotNamesHidden_);
}

void DirEntry::fetchHiddenSystem() const {
  char buffer[64];
  std::optional<ssize_t> length;
  if (folderDescriptor_ && *folderDescriptor_ >= 0) {
    length = readDosAttributeAt(*folderDescriptor_, name_, buffer, sizeof buffer - 1);
  }
  if (!length) {
    const std::string path = fullPath();
    length = ::lgetxattr(posix::ReachablePath(path).c_str(), kDosAttributeName, buffer, sizeof buffer - 1);
  }
  hiddenSystem_ = withDotNameHidden(dosAttributesFromText(buffer, *length), name_, dotNamesHidden_);
}

// The listing reads the folder with getdents64 into a buffer that is kept from one folder to
// the next: one open, one status read (for the folder's identity) and one close per folder.
struct OpenFolder::Descriptor {
  int fd = -1;
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  explicit Descriptor(int descriptor) : fd(descriptor) {}
  // A folder opened for reading only: its close has nothing to write back, and cannot fail
  // in a way that would change what was read.
  ~Descriptor() { ::close(fd); }
};

struct DirectoryListing::Handle {
  int fd = -1;
  // Set once the folder is held open past the listing: closing the listing leaves it to this.
  std::shared_ptr<const OpenFolder::Descriptor> held;
  // Shared with the entries read from this folder; set to -1 when the listing closes.
  std::shared_ptr<int> liveDescriptor;
  std::string folder;
  FolderId id;
  bool idKnown = false;
  std::unique_ptr<char[]> buffer = std::make_unique<char[]>(kBufferSize);
  std::size_t position = 0;
  std::size_t filled = 0;
  static constexpr std::size_t kBufferSize = 32 * 1024;
};

DirectoryListing::DirectoryListing() = default;
DirectoryListing::~DirectoryListing() { close(); }

bool DirectoryListing::isOpen() const noexcept { return handle_ && handle_->fd >= 0; }

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

}  // namespace

std::error_code DirectoryListing::open(std::string_view folder) {
  close();
  std::string path = withTrailingSeparator(folder);
  const posix::ReachablePath reachable(path);
  const int fd = ::open(reachable.c_str(), kFolderFlags);
  if (fd < 0) return posix::fromErrno(errno);
  return start(fd, std::move(path));
}

std::error_code DirectoryListing::openIn(const OpenFolder& parent, std::string_view name, std::string_view folder) {
  close();
  int fd = -1;
  if (parent) fd = ::openat(parent.descriptor_->fd, std::string(name).c_str(), kFolderFlags | O_NOFOLLOW);
  if (!parent || (fd < 0 && (errno == EMFILE || errno == ENFILE))) {
    // Without its trailing delimiter, so that a link at the end is not followed.
    const std::string path(withoutTrailingSeparator(folder));
    const posix::ReachablePath reachable(path);
    fd = ::open(reachable.c_str(), kFolderFlags | O_NOFOLLOW);
  }
  if (fd < 0) return posix::fromErrno(errno);
  return start(fd, withTrailingSeparator(folder));
}

std::error_code DirectoryListing::start(int fd, std::string path) {
  if (!handle_) handle_ = std::make_unique<Handle>();
  handle_->fd = fd;
  handle_->liveDescriptor = std::make_shared<int>(fd);
  handle_->folder = std::move(path);
  handle_->position = handle_->filled = 0;
  struct stat status {};
  handle_->idKnown = ::fstat(fd, &status) == 0;
  if (handle_->idKnown) {
    handle_->id = FolderId{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
  }
  const std::error_code first = next();
  if (first == OsErrc::noMoreFiles) return OsErrc::fileNotFound;
  return first;
}

std::error_code DirectoryListing::next() {
  if (!isOpen()) return OsErrc::invalidParameter;
  Handle& handle = *handle_;
  if (handle.position >= handle.filled) {
    const ssize_t read = ::getdents64(handle.fd, handle.buffer.get(), Handle::kBufferSize);
    if (read < 0) return posix::fromErrno(errno);
    if (read == 0) return OsErrc::noMoreFiles;
    handle.position = 0;
    handle.filled = static_cast<std::size_t>(read);
  }
  const char* record = handle.buffer.get() + handle.position;
  unsigned short length = 0;
  std::memcpy(&length, record + offsetof(struct dirent64, d_reclen), sizeof length);
  handle.position += length;
  const char* name = record + offsetof(struct dirent64, d_name);
  unsigned char type = static_cast<unsigned char>(record[offsetof(struct dirent64, d_type)]);

  if (type == DT_UNKNOWN) {
    struct stat status {};
    if (::fstatat(handle.fd, name, &status, AT_SYMLINK_NOFOLLOW) == 0) {
      type = S_ISDIR(status.st_mode) ? DT_DIR : S_ISLNK(status.st_mode) ? DT_LNK : DT_REG;
    }
  }
  bool directory = type == DT_DIR;
  if (type == DT_LNK) {
    struct stat target {};
    directory = ::fstatat(handle.fd, name, &target, 0) == 0 && S_ISDIR(target.st_mode);
  }
  entry_.assignListed(name, handle.folder, directory, type == DT_LNK, handle.liveDescriptor, dotNamesHidden_);
  return {};
}

std::optional<FolderId> folderIdentity(std::string_view path) {
  struct stat status {};
  if (path.empty() || ::stat(std::string(path).c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
    return std::nullopt;
  }
  return FolderId{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

std::optional<FolderId> DirectoryListing::folderId() const {
  if (!isOpen() || !handle_->idKnown) return std::nullopt;
  return handle_->id;
}

std::optional<std::uint32_t> DirectoryListing::hiddenSystemAttributes() const {
  if (!isOpen()) return std::nullopt;
  char buffer[64];
  const ssize_t length = ::fgetxattr(handle_->fd, kDosAttributeName, buffer, sizeof buffer - 1);
  const std::string folder = withoutTrailingSeparator(handle_->folder);
  return withDotNameHidden(dosAttributesFromText(buffer, length), fileName(folder), dotNamesHidden_);
}

OpenFolder DirectoryListing::holdOpen() {
  OpenFolder open;
  if (!isOpen()) return open;
  if (!handle_->held) handle_->held = std::make_shared<const OpenFolder::Descriptor>(handle_->fd);
  open.descriptor_ = handle_->held;
  return open;
}

std::error_code DirectoryListing::close() {
  if (!isOpen()) return {};
  *handle_->liveDescriptor = -1;
  handle_->liveDescriptor.reset();
  const int fd = std::exchange(handle_->fd, -1);
  if (handle_->held) {
    handle_->held.reset();
    return {};
  }
  return ::close(fd) == 0 ? std::error_code() : posix::fromErrno(errno);
}

std::optional<DirEntry> findEntry(std::string_view path) {
  if (path.empty() || hasTrailingSeparator(path)) return std::nullopt;
  const std::string full(path);
  const posix::ReachablePath reachable(full);
  struct stat status {};
  if (::lstat(reachable.c_str(), &status) != 0) return std::nullopt;
  DirEntry::Raw raw;
  raw.name = std::string(fileName(path));
  raw.folder = std::string(withoutFileName(path));
  raw.directory = S_ISDIR(status.st_mode);
  if (S_ISLNK(status.st_mode)) {
    raw.symlink = true;
    struct stat target {};
    raw.directory = ::stat(reachable.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
  }
  return DirEntry(std::move(raw));
}

}  // namespace zendrift::platform
