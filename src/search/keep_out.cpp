// The names that keep a walk out of a folder.
#include "search/keep_out.h"

#include <algorithm>

#include <optional>
#include <string>

#include "platform/ascii_case.h"
#include "platform/path.h"

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

bool KeepOut::holdsRoot(const std::string& root) const {
  if (trashNames) {
    for (std::size_t start = 0; start < root.size();) {
      std::size_t end = start;
      while (end < root.size() && !platform::isSeparator(root[end])) ++end;
      if (isTrashName(std::string_view(root).substr(start, end - start))) return true;
      start = end + 1;
    }
  }
  if (folders.empty()) return false;
  // Up through "..", so that the folders above are the ones on the disk, not those the path names
  // on its way (a link to a folder inside a trash).
  std::string above = root;
  std::optional<platform::FolderId> previous;
  for (;;) {
    const std::optional<platform::FolderId> id = platform::folderIdentity(above);
    if (!id || id == previous) return false;
    if (std::find(folders.begin(), folders.end(), *id) != folders.end()) return true;
    previous = id;
    above.append("..").push_back(platform::kPathSeparator);
  }
}

}  // namespace zendrift::search
