// Shortcut paths as their users know them.
#include "ui/shown_path.h"

#include <optional>

#include "platform/home_folder.h"
#include "platform/path.h"

namespace zendrift::ui {

namespace {

// `path` with the home folder at its start written "~".
std::string withHomeAbbreviated(std::string path) {
  const std::string home = platform::withoutTrailingSeparator(platform::unixHomeFolder());
  if (home.empty() || home == "/" || !path.starts_with(home)) return path;
  if (path.size() == home.size()) return "~";
  if (!platform::isSeparator(path[home.size()])) return path;
  return "~" + path.substr(home.size());
}

}  // namespace

std::string shownPath(std::string_view path, std::string_view root) {
  const std::string folder = platform::withoutTrailingSeparator(root);
  // The walk never enters a link, so only its root can be one.
  if (!folder.empty() && path.size() > folder.size() && path.starts_with(folder) &&
      platform::isSeparator(path[folder.size()])) {
    if (const std::optional<std::string> target = platform::linkedFolder(folder)) {
      return withHomeAbbreviated(*target + std::string(path.substr(folder.size())));
    }
  }
  return withHomeAbbreviated(std::string(path));
}

}  // namespace zendrift::ui
