// The read-ahead hint on POSIX: posix_fadvise(WILLNEED) queues the reads and returns at once.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/file_read_ahead.h"
#include "platform/posix/errno_map.h"

namespace zendrift::platform {

std::error_code startReadingAhead(std::string_view path, std::size_t bytes) noexcept {
  std::string name;
  try {
    name.assign(path);
  } catch (...) {
    return OsErrc::notEnoughMemory;
  }
  // Non-blocking, so that a FIFO named like a shortcut cannot hold the caller.
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW);
  if (fd < 0) return posix::fromErrno(errno);
  const int advised = ::posix_fadvise(fd, 0, static_cast<off_t>(bytes), POSIX_FADV_WILLNEED);
  ::close(fd);
  return advised == 0 ? std::error_code() : posix::fromErrno(advised);
}

}  // namespace zendrift::platform
