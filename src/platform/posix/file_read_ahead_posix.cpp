// The read-ahead hint on POSIX: posix_fadvise(WILLNEED) queues the reads and returns at once.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/directory_listing.h"
#include "platform/posix/errno_map.h"
#include "platform/posix/reachable_path.h"

namespace zendrift::platform {

std::error_code DirEntry::startReadingAhead(std::size_t bytes) const noexcept {
  // Non-blocking, so that a FIFO named like a shortcut cannot hold the caller.
  constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW;
  int fd = -1;
  if (folderDescriptor_ && *folderDescriptor_ >= 0) {
    fd = ::openat(*folderDescriptor_, name_.c_str(), kFlags);
  } else {
    try {
      const std::string path = fullPath();
      fd = ::open(posix::ReachablePath(path).c_str(), kFlags);
    } catch (...) {
      return OsErrc::notEnoughMemory;
    }
  }
  if (fd < 0) return posix::fromErrno(errno);
  const int advised = ::posix_fadvise(fd, 0, static_cast<off_t>(bytes), POSIX_FADV_WILLNEED);
  ::close(fd);
  return posix::fromErrno(advised);
}

}  // namespace zendrift::platform
