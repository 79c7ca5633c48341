// Reading a listed file whole on POSIX: one open relative to the listed folder, one status read
// of that same descriptor, one read of what the page cache holds; a file that would have to come
// from the disk is only asked for, so that the read-ahead never waits for the disk per file.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

#include "platform/directory_listing.h"
#include "platform/posix/entry_version.h"
#include "platform/posix/errno_map.h"
#include "platform/posix/reachable_path.h"

namespace zendrift::platform {

namespace {

// Reads only what the page cache holds (RWF_NOWAIT): EAGAIN when the file's data would have to come
// from the disk. A system without such reads reads as usual.
ssize_t readCached(int fd, char* buffer, std::size_t size) {
  static std::atomic<bool> noWaitWorks{true};
  iovec part{buffer, size};
  if (noWaitWorks.load(std::memory_order_relaxed)) {
    const ssize_t got = ::preadv2(fd, &part, 1, 0, RWF_NOWAIT);
    if (got >= 0 || (errno != EOPNOTSUPP && errno != EINVAL && errno != ENOSYS)) return got;
    noWaitWorks.store(false, std::memory_order_relaxed);
  }
  return ::read(fd, buffer, size);
}

}  // namespace

Result<FileRead> DirEntry::readWhole(std::size_t maxBytes, std::string& into) const {
  // Non-blocking, so that a FIFO named like a shortcut cannot hold the caller; a link fails
  // (ELOOP) and is left to the caller's own reading.
  constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW;
  int fd = -1;
  if (folderDescriptor_ && *folderDescriptor_ >= 0) {
    fd = ::openat(*folderDescriptor_, name_.c_str(), kFlags);
  } else {
    const std::string path = fullPath();
    fd = ::open(posix::ReachablePath(path).c_str(), kFlags);
  }
  if (fd < 0) return posix::fromErrno(errno);
  struct Closing {
    int fd;
    ~Closing() { ::close(fd); }
  } closing{fd};
  struct stat status {};
  if (::fstat(fd, &status) != 0) return posix::fromErrno(errno);
  if (!S_ISREG(status.st_mode)) return std::make_error_code(std::errc::invalid_argument);
  if (!hiddenSystem_ && !attributes_) fetchHiddenSystemFrom(fd);
  size_ = static_cast<std::uint64_t>(status.st_size);
  lastWriteTime_ = fileTimeFromUnix(status.st_mtim.tv_sec, status.st_mtim.tv_nsec);
  if (*size_ > maxBytes) return std::make_error_code(std::errc::file_too_large);
  FileRead read{0, posix::versionOf(status)};
  // One byte more than its size: a file that grew since its status was read is not whole.
  const std::size_t start = into.size();
  into.resize(start + static_cast<std::size_t>(*size_) + 1);
  ssize_t got = -1;
  do {
    got = readCached(fd, into.data() + start, into.size() - start);
  } while (got < 0 && errno == EINTR);
  const int readError = got < 0 ? errno : 0;
  into.resize(start + static_cast<std::size_t>(got < 0 ? 0 : got));
  if (readError == EAGAIN || (readError == 0 && static_cast<std::uint64_t>(got) < *size_)) {
    // Not in the cache (or only in part): the disk is asked for it and the reader takes it later,
    // by when it has come, rather than this thread waiting for each file in turn.
    into.resize(start);
    const int advised = ::posix_fadvise(fd, 0, static_cast<off_t>(*size_), POSIX_FADV_WILLNEED);
    if (advised != 0) return posix::fromErrno(advised);
    return std::make_error_code(std::errc::resource_unavailable_try_again);
  }
  if (readError != 0) return posix::fromErrno(readError);
  // A regular file gives everything asked for in one read: a short read is its end.
  read.length = static_cast<std::size_t>(got);
  if (read.length > *size_) {
    into.resize(start);
    return std::make_error_code(std::errc::file_too_large);
  }
  return read;
}

}  // namespace zendrift::platform
