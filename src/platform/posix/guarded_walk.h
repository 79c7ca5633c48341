// Reaching an entry below a scanned folder one name at a time, never following a link after the
// root: shared by the deletion and by the move into the trash, which both act on the entry
// relative to its own open folder right after checking it.
#pragma once

#include <unistd.h>

#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "platform/guarded_removal.h"

namespace zendrift::platform::posix {

std::error_code lastError();

// Closes a file descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    if (this != &other) reset(std::exchange(other.fd_, -1));
    return *this;
  }
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
std::error_code whyNotAFolder(int folder, const std::string& name, int error);

// Opens the folder that holds the last component of `relative` and gives that component's name.
// The root is opened as the scan opened it, links included; every folder after it must be a real
// folder.
std::error_code openParentBelow(std::string_view root, std::string_view relative, Descriptor& parent,
                                std::string& name);

// Whether `name` in `parent` is still the file or link the scan saw, and one that Windows would
// delete: a file without any write permission is read-only, and is refused as access denied.
std::error_code checkScannedFile(int parent, const std::string& name, const EntryIdentity& expected);

}  // namespace zendrift::platform::posix
