// Reading a folder's names for case-blind lookups, and the lookups themselves.
#include "profile/wine/folder_names.h"

#include <sys/stat.h>

#include <algorithm>

#include "platform/directory_listing.h"
#include "platform/os_error.h"
#include "profile/folder_listings.h"
#include "profile/wine/name_case.h"
#include "profile/wine/wine_short_name.h"

namespace zendrift::profile {

namespace {

// Beyond this many bytes of names, what one scan keeps is dropped and listings start over: a
// scan's memory stays flat whatever the targets name.
constexpr std::size_t kKeptBytes = 8u << 20;

// The folder's change time in nanoseconds: it moves whenever an entry is added, removed or
// renamed in it. None when the folder is not there; `failed` when that cannot be told.
std::optional<std::int64_t> changeTime(const std::string& folder, bool& failed) {
  struct stat status {};
  failed = false;
  if (::stat(folder.c_str(), &status) != 0) {
    failed = errno != ENOENT && errno != ENOTDIR;
    return std::nullopt;
  }
  return static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
}

}  // namespace

bool FolderNames::changedSince(const std::string& folder) const {
  bool failed = false;
  const std::optional<std::int64_t> now = changeTime(folder, failed);
  return failed || now != changed_;
}

FolderNames FolderNames::read(const std::string& folder) {
  FolderNames names;
  // Taken before the listing, so that a change made while it is read shows as one later.
  bool failed = false;
  const std::optional<std::int64_t> changed = changeTime(folder, failed);
  platform::DirectoryListing listing;
  std::error_code code = listing.open(folder);
  for (; !code; code = listing.next()) {
    const std::string& name = listing.entry().name();
    if (name == "." || name == "..") continue;
    names.byHash_.emplace_back(caseBlindHash(name), static_cast<std::uint32_t>(names.text_.size()));
    names.text_ += name;
    names.text_ += '\0';
  }
  listing.close();
  // A folder with no entry at all is empty, not missing; a folder that is gone holds nothing;
  // any other failure (permissions, I/O, a listing cut short) tells nothing about its names.
  if (code == platform::OsErrc::pathNotFound) {
    names = FolderNames();
    names.state_ = State::missing;
  } else if (code != platform::OsErrc::noMoreFiles && code != platform::OsErrc::fileNotFound) {
    names = FolderNames();
    names.state_ = State::unreadable;
  }
  names.changed_ = changed;
  std::sort(names.byHash_.begin(), names.byHash_.end());
  names.text_.shrink_to_fit();
  names.byHash_.shrink_to_fit();
  return names;
}

std::vector<std::string_view> FolderNames::candidates(std::string_view name) const {
  std::vector<std::string_view> found;
  const auto nameAt = [this](std::size_t offset) { return std::string_view(text_.c_str() + offset); };
  if (name.find('~') != std::string_view::npos) {
    // Installers often store 8.3 names ("PROG~FBU"); Wine finds the long name behind them.
    for (std::size_t offset = 0; offset < text_.size(); offset += nameAt(offset).size() + 1) {
      const std::string_view listed = nameAt(offset);
      if (sameNameIgnoringCase(listed, name) || matchesWineShortName(listed, name)) found.push_back(listed);
    }
    return found;
  }
  const std::uint64_t hash = caseBlindHash(name);
  auto it = std::lower_bound(byHash_.begin(), byHash_.end(), std::pair<std::uint64_t, std::uint32_t>(hash, 0));
  // Equal hashes sit together, in the listing's order (offsets rise with it).
  for (; it != byHash_.end() && it->first == hash; ++it) {
    const std::string_view listed = nameAt(it->second);
    if (sameNameIgnoringCase(listed, name)) found.push_back(listed);
  }
  return found;
}

std::size_t FolderNames::bytes() const noexcept {
  return sizeof(FolderNames) + text_.capacity() + byHash_.capacity() * sizeof(byHash_.front());
}

std::shared_ptr<const FolderNames> FolderListings::namesOf(const std::string& folder) {
  {
    const std::lock_guard lock(mutex_);
    if (const auto kept = folders_.find(folder); kept != folders_.end()) return kept->second;
  }
  // Listed without the lock: another thread may list the same folder meanwhile, to the same end.
  return keep(folder, std::make_shared<const FolderNames>(FolderNames::read(folder)), false);
}

std::shared_ptr<const FolderNames> FolderListings::reread(const std::string& folder) {
  return keep(folder, std::make_shared<const FolderNames>(FolderNames::read(folder)), true);
}

std::shared_ptr<const FolderNames> FolderListings::keep(const std::string& folder,
                                                        std::shared_ptr<const FolderNames> names, bool replace) {
  const std::size_t size = names->bytes() + folder.size();
  const std::lock_guard lock(mutex_);
  ++listingsRead_;
  if (replace) {
    if (const auto kept = folders_.find(folder); kept != folders_.end()) {
      bytes_ -= std::min(bytes_, kept->second->bytes() + folder.size());
      folders_.erase(kept);
    }
  }
  if (bytes_ + size > kKeptBytes) {
    folders_.clear();
    bytes_ = 0;
  }
  const auto [kept, added] = folders_.try_emplace(folder, std::move(names));
  if (added) bytes_ += size;
  return kept->second;
}

}  // namespace zendrift::profile
