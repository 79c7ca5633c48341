// The home folder is compared by identity, so that any route to it counts: a Desktop linked
// there, a path with "..", a second mount.
#include "platform/home_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include <optional>
#include <string>

#include "platform/directory_listing.h"
#include "platform/process.h"

namespace zendrift::platform {

namespace {

std::string homeFolder() {
  if (auto home = environmentVariable("HOME"); home && !home->empty()) return *home;
  const passwd* user = ::getpwuid(::getuid());
  return user && user->pw_dir ? std::string(user->pw_dir) : std::string();
}

}  // namespace

std::string unixHomeFolder() { return homeFolder(); }

std::optional<std::string> linkedFolder(std::string_view folder) {
  std::string path(folder);
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  struct stat status {};
  if (path.empty() || ::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return std::nullopt;
  const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
  if (!real || ::stat(real.get(), &status) != 0 || !S_ISDIR(status.st_mode)) return std::nullopt;
  return std::string(real.get());
}

bool isUnixHomeFolder(std::string_view folder) {
  const std::string home = homeFolder();
  if (home.empty() || folder.empty()) return false;
  const std::optional<FolderId> homeId = folderIdentity(home);
  return homeId && folderIdentity(folder) == homeId;
}

}  // namespace zendrift::platform
