// A lock on a file that one process at a time holds, for as long as the object lives; the system
// lets it go when the process ends, however it ends.
#pragma once

#include <memory>
#include <string_view>
#include <system_error>

namespace zendrift::platform {

class FileLock {
 public:
  FileLock();
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Takes the lock on the file `path`, made when missing, without waiting: while another process
  // (or another FileLock) holds it, std::errc::device_or_resource_busy.
  std::error_code tryLock(std::string_view path);

 private:
  struct Held;
  std::unique_ptr<Held> held_;
};

}  // namespace zendrift::platform
