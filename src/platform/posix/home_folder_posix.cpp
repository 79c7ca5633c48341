// The home folder is compared by identity, so that any route to it counts: a Desktop linked
// there, a path with "..", a second mount.
#include "platform/home_folder.h"

#include <pwd.h>
#include <unistd.h>

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

bool isUnixHomeFolder(std::string_view folder) {
  const std::string home = homeFolder();
  if (home.empty() || folder.empty()) return false;
  const std::optional<FolderId> homeId = folderIdentity(home);
  return homeId && folderIdentity(folder) == homeId;
}

}  // namespace zendrift::platform
