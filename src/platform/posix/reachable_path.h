// Reaching paths longer than the system's PATH_MAX in calls that take a path name.
//
// Folder trees may be deeper than PATH_MAX bytes. For such a path the folder part is opened one
// stretch at a time, each shorter than PATH_MAX, and the entry is named through that open
// folder as /proc/self/fd/N/name, which the ordinary calls accept. A short path is used as it is.
#pragma once

#include <string>
#include <string_view>

namespace zendrift::platform::posix {

// Opens the folder at `path`, of any length, as an O_PATH descriptor, following links on the way
// as open() does. -1 with errno set on failure.
int openFolderAnyLength(std::string_view path);

class ReachablePath {
 public:
  explicit ReachablePath(const std::string& path);
  ~ReachablePath();
  ReachablePath(const ReachablePath&) = delete;
  ReachablePath& operator=(const ReachablePath&) = delete;

  // The name to pass to the system; when the folder part cannot be opened, the original path
  // (whose call then fails with the system's own error).
  const char* c_str() const noexcept { return shortPath_.empty() ? original_.c_str() : shortPath_.c_str(); }

 private:
  const std::string& original_;
  int folder_ = -1;
  std::string shortPath_;
};

}  // namespace zendrift::platform::posix
