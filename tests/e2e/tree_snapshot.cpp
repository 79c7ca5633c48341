// Snapshots of folder trees.
#include "tree_snapshot.h"

#include "temp_dir.h"

namespace zendrift::testing {

TreeSnapshot snapshot(const std::filesystem::path& root) {
  namespace fs = std::filesystem;
  TreeSnapshot entries;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
    const std::string relative = it->path().lexically_relative(root).string();
    if (it->is_symlink()) {
      entries[relative] = "link:" + fs::read_symlink(it->path()).string();
      it.disable_recursion_pending();
    } else if (it->is_directory()) {
      entries[relative] = "dir";
    } else {
      entries[relative] = "file:" + readFile(it->path());
    }
  }
  return entries;
}

}  // namespace zendrift::testing
