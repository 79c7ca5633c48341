// What a walk never enters: trash folders, which hold what cleanings threw away, and the dot
// folders of a Unix home walked as a Windows folder, which belong to other programs.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/directory_listing.h"

namespace zendrift::search {

struct KeepOut {
  // Folders named as trashes are: ".Trash", ".Trash-<uid>", "$Recycle.Bin" in any letter case.
  bool trashNames = false;
  // The root's own subfolders whose names begin with ".".
  bool rootDotFolders = false;
  // Folders not entered wherever the walk meets them, by identity (the home trash, which may be
  // reached by several routes).
  std::vector<platform::FolderId> folders;

  // Whether the subfolder `name` of a folder `level` levels below the root (0: the root itself)
  // is kept out by name.
  bool keepsOut(std::string_view name, std::size_t level) const;
  // Whether a walk from `root` (with a trailing delimiter) would be inside a folder kept out: the
  // root is one, or lies below one. Asks the file system for the identities of the folders above.
  bool holdsRoot(const std::string& root) const;
};

}  // namespace zendrift::search
