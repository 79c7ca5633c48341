// The file lock on POSIX systems: flock() on an open descriptor, which each open file holds on its
// own, so that two locks in one process exclude each other as two processes do.
#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <string>

#include "platform/posix/guarded_walk.h"

namespace zendrift::platform {

struct FileLock::Held {
  posix::Descriptor file;
};

FileLock::FileLock() = default;
FileLock::~FileLock() = default;

std::error_code FileLock::tryLock(std::string_view path) {
  auto held = std::make_unique<Held>();
  held->file.reset(::open(std::string(path).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (held->file.get() < 0) return posix::lastError();
  while (::flock(held->file.get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) return std::make_error_code(std::errc::device_or_resource_busy);
    if (errno != EINTR) return posix::lastError();
  }
  held_ = std::move(held);
  return {};
}

}  // namespace zendrift::platform
