// Reading the beginning of a file on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/file_prefix.h"

namespace zendrift::platform {

std::optional<std::size_t> readFilePrefix(std::string_view path, std::span<std::byte> buffer) {
  // Reused so that reading many small files allocates nothing for their names.
  thread_local std::string name;
  name.assign(path);
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::size_t total = 0;
  bool ok = true;
  // A regular file fills the buffer in one read; a short read is retried only until end of file.
  while (total < buffer.size()) {
    const ssize_t got = ::read(fd, buffer.data() + total, buffer.size() - total);
    if (got < 0) {
      if (errno == EINTR) continue;
      ok = false;  // EISDIR for a folder, or an I/O error
      break;
    }
    if (got == 0) break;
    total += static_cast<std::size_t>(got);
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  return total;
}

}  // namespace zendrift::platform
