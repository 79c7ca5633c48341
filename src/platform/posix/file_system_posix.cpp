// File and folder services on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>
#include <algorithm>

#include "platform/directory_listing.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/posix/reachable_path.h"

namespace zendrift::platform {

namespace {

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

std::error_code lastError() { return {errno, std::generic_category()}; }

bool writeAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

bool fileExists(std::string_view path) {
  const auto entry = findEntry(path);
  return entry && !entry->isDirectory();
}

bool folderExists(std::string_view path) {
  if (path.empty()) return false;
  const std::string full(path);
  struct stat status {};
  return ::stat(posix::ReachablePath(full).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::string longPathName(std::string_view path) {
  std::string full(path);
  struct stat status {};
  if (path.empty() || ::stat(posix::ReachablePath(full).c_str(), &status) != 0) return {};
  return full;
}

std::error_code deleteFile(std::string_view path) {
  const std::string full(path);
  const posix::ReachablePath reachable(full);
  struct stat status {};
  if (::lstat(reachable.c_str(), &status) != 0) return lastError();
  if (S_ISDIR(status.st_mode)) return std::make_error_code(std::errc::is_a_directory);
  // A file without any write permission is read-only, and Windows will not delete it.
  if (!S_ISLNK(status.st_mode) && (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    return std::make_error_code(std::errc::permission_denied);
  }
  return ::unlink(reachable.c_str()) == 0 ? std::error_code() : lastError();
}

std::error_code removeFolder(std::string_view path) {
  if (path.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  const std::string full(path);
  return ::rmdir(posix::ReachablePath(full).c_str()) == 0 ? std::error_code() : lastError();
}

std::error_code createFolders(std::string_view path) {
  if (path.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(std::string(path)), error);
  if (folderExists(path)) return {};
  return error ? error : std::make_error_code(std::errc::not_a_directory);
}

bool mayCreateEntriesIn(std::string_view folder) {
  if (folder.empty()) return false;
  const std::string full(folder);
  return ::access(posix::ReachablePath(full).c_str(), W_OK | X_OK) == 0;
}

std::error_code probeReadWrite(std::string_view path) {
  if (path.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  const FileDescriptor fd(::open(std::string(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
  return fd.get() >= 0 ? std::error_code() : lastError();
}

Result<std::string> readFile(std::string_view path, std::size_t maxBytes) {
  // Only regular files: reading a pipe or a device could wait for ever.
  const FileDescriptor fd(::open(std::string(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return lastError();
  struct stat status {};
  if (::fstat(fd.get(), &status) != 0) return lastError();
  if (S_ISDIR(status.st_mode)) return std::make_error_code(std::errc::is_a_directory);
  if (!S_ISREG(status.st_mode)) return std::make_error_code(std::errc::invalid_argument);
  std::string content;
  if (status.st_size > 0) content.reserve(std::min<std::size_t>(static_cast<std::size_t>(status.st_size), maxBytes));
  char buffer[65536];
  while (content.size() < maxBytes) {
    const std::size_t want = std::min(sizeof buffer, maxBytes - content.size());
    const ssize_t got = ::read(fd.get(), buffer, want);
    if (got < 0) {
      if (errno == EINTR) continue;
      return lastError();
    }
    if (got == 0) break;
    content.append(buffer, static_cast<std::size_t>(got));
  }
  return content;
}

std::error_code replaceFile(std::string_view path, std::string_view content) {
  std::string target(path);
  // Write through a symbolic link to the file it names, keeping the link.
  struct stat linkStatus {};
  if (::lstat(target.c_str(), &linkStatus) == 0 && S_ISLNK(linkStatus.st_mode)) {
    char resolved[PATH_MAX];
    if (!::realpath(target.c_str(), resolved)) return lastError();
    target = resolved;
  }
  std::string temporary = std::string(withoutFileName(target)) + "." + std::string(fileName(target)) + ".XXXXXX";
  FileDescriptor fd(::mkstemp(temporary.data()));
  if (fd.get() < 0) return lastError();
  struct stat existing {};
  const mode_t mode = ::stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0666 & ~[] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
  }();
  std::error_code error;
  if (::fchmod(fd.get(), mode) != 0 || !writeAll(fd.get(), content) || ::fsync(fd.get()) != 0) error = lastError();
  if (::close(fd.release()) != 0 && !error) error = lastError();
  if (!error && ::rename(temporary.c_str(), target.c_str()) != 0) error = lastError();
  if (error) ::unlink(temporary.c_str());
  return error;
}

}  // namespace zendrift::platform
