// The names that keep a walk out of a folder.
#include "search/keep_out.h"

#include <algorithm>

#include "platform/ascii_case.h"

namespace zendrift::search {

namespace {

bool isTrashName(std::string_view name) {
  if (name == ".Trash") return true;
  // A volume's trash of one user: ".Trash-1000".
  constexpr std::string_view userTrash = ".Trash-";
  if (name.size() > userTrash.size() && name.starts_with(userTrash)) {
    const std::string_view uid = name.substr(userTrash.size());
    return std::all_of(uid.begin(), uid.end(), [](char c) { return c >= '0' && c <= '9'; });
  }
  return platform::equalsIgnoringAsciiCase(name, "$Recycle.Bin");
}

}  // namespace

bool KeepOut::keepsOut(std::string_view name, std::size_t level) const {
  if (rootDotFolders && level == 0 && name.starts_with('.')) return true;
  return trashNames && isTrashName(name);
}

}  // namespace zendrift::search
