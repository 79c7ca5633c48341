// Opening the folder part of an over-long path in stretches shorter than PATH_MAX.
#include "platform/posix/reachable_path.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string_view>

namespace zendrift::platform::posix {

namespace {

// Opens `folder` (an O_PATH descriptor) by resolving at most PATH_MAX - 1 bytes at a time.
int openFolderInStretches(std::string_view folder) {
  const bool absolute = !folder.empty() && folder[0] == '/';
  int current = ::open(absolute ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
  std::size_t position = absolute ? 1 : 0;
  while (current >= 0 && position < folder.size()) {
    std::size_t end = folder.size();
    if (end - position >= PATH_MAX) {
      end = folder.rfind('/', position + PATH_MAX - 1);
      if (end == std::string_view::npos || end <= position) {
        ::close(current);
        errno = ENAMETOOLONG;
        return -1;
      }
    }
    const std::string stretch(folder.substr(position, end - position));
    const int next = ::openat(current, stretch.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    const int error = errno;
    ::close(current);
    errno = error;
    current = next;
    position = end + 1;
  }
  return current;
}

}  // namespace

int openFolderAnyLength(std::string_view path) {
  if (path.size() < PATH_MAX) return ::open(std::string(path).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  return openFolderInStretches(path);
}

ReachablePath::ReachablePath(const std::string& path) : original_(path) {
  if (path.size() < PATH_MAX) return;
  std::string_view view(path);
  while (view.size() > 1 && view.back() == '/') view.remove_suffix(1);
  const std::size_t slash = view.rfind('/');
  if (slash == std::string_view::npos || slash == 0) return;
  folder_ = openFolderInStretches(view.substr(0, slash));
  if (folder_ < 0) return;
  shortPath_ = "/proc/self/fd/" + std::to_string(folder_) + "/" + std::string(view.substr(slash + 1));
}

ReachablePath::~ReachablePath() {
  if (folder_ >= 0) ::close(folder_);
}

}  // namespace zendrift::platform::posix
