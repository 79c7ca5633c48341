// What one scan learns of host folders' listings while it resolves Windows paths case-blind,
// so that a thousand targets below one folder cost one listing of it, not a thousand.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

namespace zendrift::profile {

// The names of one listed folder, or why it has none (profile/wine/folder_names.h).
class FolderNames;

// Listings kept for one scan, never longer: the tree may change between scans. Only folders in
// which a name had to be looked up case-blind are listed and kept, within a bound on memory;
// when that bound is reached what is kept is dropped and listings start over. Safe to share
// between threads: a listing handed out stays valid while its holder keeps it. Filled by the
// lookups below Wine drives; Windows looks names up itself, so there it stays empty.
class FolderListings {
 public:
  // The listing of the host folder `folder` (no trailing delimiter), read on first use.
  std::shared_ptr<const FolderNames> namesOf(const std::string& folder);
  // How many listings were read (not taken from what was kept).
  std::size_t listingsRead() const {
    const std::lock_guard lock(mutex_);
    return listingsRead_;
  }
  // The same listing read again, replacing the one kept.
  std::shared_ptr<const FolderNames> reread(const std::string& folder);
  // The host folder of drive `letter` of the prefix at `prefix`, found by `find` on first use:
  // every target on a drive would otherwise read its link again. What `find` could not tell
  // (nothing) is asked again next time.
  std::optional<std::string> driveFolder(const std::string& prefix, char letter,
                                         const std::function<std::optional<std::string>()>& find) {
    {
      const std::lock_guard lock(mutex_);
      if (const auto kept = drives_.find({prefix, letter}); kept != drives_.end()) return kept->second;
    }
    std::optional<std::string> folder = find();
    if (!folder) return folder;
    const std::lock_guard lock(mutex_);
    return drives_.try_emplace({prefix, letter}, std::move(*folder)).first->second;
  }
  void clear() {
    const std::lock_guard lock(mutex_);
    folders_.clear();
    drives_.clear();
    bytes_ = 0;
  }

 private:
  mutable std::mutex mutex_;
  std::unordered_map<std::string, std::shared_ptr<const FolderNames>> folders_;
  std::map<std::pair<std::string, char>, std::string> drives_;
  std::size_t bytes_ = 0;
  std::size_t listingsRead_ = 0;

  std::shared_ptr<const FolderNames> keep(const std::string& folder, std::shared_ptr<const FolderNames> names,
                                          bool replace);
};

}  // namespace zendrift::profile
