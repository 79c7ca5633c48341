// Reading the beginning of a file on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/file_prefix.h"
#include "platform/posix/reachable_path.h"

namespace zendrift::platform {

Result<std::size_t> readFilePrefix(std::string_view path, std::span<std::byte> buffer) {
  // Reused so that reading many small files allocates nothing for their names.
  thread_local std::string name;
  name.assign(path);
  // Only regular files are read: a pipe or a device named like a shortcut would block the scan
  // (opening without blocking, then checking, never waits for a writer).
  // A shortcut deeper than PATH_MAX is reached through its open folder; a shorter path costs
  // nothing more than a length test.
  const int fd = ::open(posix::ReachablePath(name).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::error_code(errno, std::generic_category());
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    const std::error_code error = S_ISDIR(status.st_mode) ? std::make_error_code(std::errc::is_a_directory)
                                                           : std::make_error_code(std::errc::invalid_argument);
    ::close(fd);
    return error;
  }
  std::size_t total = 0;
  std::error_code error;
  // A regular file gives everything up to the buffer's size in one read: a short read is the end
  // of the file, so no second read is made to find it.
  while (true) {
    const ssize_t got = ::read(fd, buffer.data() + total, buffer.size() - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) error.assign(errno, std::generic_category());
    if (got > 0) total += static_cast<std::size_t>(got);
    break;
  }
  ::close(fd);
  if (error) return error;
  return total;
}

}  // namespace zendrift::platform
