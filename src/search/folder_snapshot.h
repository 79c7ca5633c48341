// One folder's listing read whole, with the facts of its entries that the walk will ask for, so
// that a read-ahead thread can list it and the walk replay it later, entry by entry.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/directory_listing.h"

namespace zendrift::search {

struct FolderSnapshot {
  struct Entry {
    std::uint32_t nameStart = 0;
    std::uint32_t nameLength = 0;
    bool directory = false;
    bool symlink = false;
    platform::DirEntry::Facts facts;
  };

  std::string folder;  // with a trailing delimiter
  // What DirectoryListing::open answered; nothing else is set when it failed.
  std::error_code openError;
  std::optional<platform::FolderId> id;
  // In the listing's order, "." and ".." included.
  std::vector<Entry> entries;
  std::string names;
  // noMoreFiles when the listing ran to its end, else the failure that cut it short.
  std::error_code endError;
  // The stop cut the listing short: only fit to be thrown away.
  bool stopped = false;
  std::error_code closeError;

  std::string_view name(const Entry& entry) const { return std::string_view(names).substr(entry.nameStart, entry.nameLength); }
  std::size_t bytes() const {
    return sizeof(*this) + folder.capacity() + names.capacity() + entries.capacity() * sizeof(Entry);
  }
};

// For sets of the folders a walk has met.
struct FolderIdHash {
  std::size_t operator()(const platform::FolderId& id) const noexcept {
    return std::hash<std::uint64_t>()(id.inode * 0x9E3779B97F4A7C15ULL ^ id.device);
  }
};

// Which facts of an entry are worth fetching while its folder is open (relative to the open
// folder they cost less than by path later). Called on the listing's thread.
using FactsWanted = std::function<void(const platform::DirEntry& entry)>;

// Lists `folder` through `listing` into a snapshot; `fetch` asks the entry for what the walk will
// want (its answers are kept). A set `stop` ends the listing early; such a snapshot is only fit
// to be thrown away.
FolderSnapshot readFolderSnapshot(platform::DirectoryListing& listing, std::string folder, const FactsWanted& fetch,
                                  const std::atomic<bool>& stop);

}  // namespace zendrift::search
