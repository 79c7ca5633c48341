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

// A file's whole content, read with its folder's listing, and the identity of the file it came
// from: a reader that takes these bytes instead of opening the file still knows which file it
// judged.
struct FileBytes {
  std::string_view bytes;
  platform::EntryVersion version;
};

struct FolderSnapshot {
  struct Entry {
    std::uint32_t nameStart = 0;
    std::uint32_t nameLength = 0;
    bool directory = false;
    bool symlink = false;
    // Into `contents`; -1 when the entry's bytes were not read.
    std::int32_t content = -1;
    platform::DirEntry::Facts facts;
  };
  struct Content {
    platform::EntryVersion version;
    std::uint32_t start = 0;
    std::uint32_t length = 0;
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
  // The folder itself is both hidden and system, so it was read no further (nothing else is set).
  bool hiddenSystem = false;
  std::error_code closeError;
  // The files read whole with the listing (see ContentWanted), their bytes one after another.
  std::vector<Content> contents;
  std::string contentBytes;

  std::string_view name(const Entry& entry) const { return std::string_view(names).substr(entry.nameStart, entry.nameLength); }
  // The entry's bytes when they were read with the listing.
  std::optional<FileBytes> content(const Entry& entry) const {
    if (entry.content < 0) return std::nullopt;
    const Content& read = contents[static_cast<std::size_t>(entry.content)];
    return FileBytes{std::string_view(contentBytes).substr(read.start, read.length), read.version};
  }
  std::size_t bytes() const {
    return sizeof(*this) + folder.capacity() + names.capacity() + entries.capacity() * sizeof(Entry) +
           contents.capacity() * sizeof(Content) + contentBytes.capacity();
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

// Which files are read whole with their folder's listing, so that the walk's reader need not open
// them again (the shortcuts a scan will judge). Called on the listing's thread.
using ContentWanted = std::function<bool(const platform::DirEntry& entry)>;

// Where a folder to be read is.
struct FolderPlace {
  // Its whole path, with or without a trailing delimiter.
  std::string folder;
  // Its name in the folder above; empty for a walk's root, which is opened by its path with links
  // followed, and whose own hidden and system bits are not looked at. Any other folder is opened
  // through `parent` when that is held open, else by its path, never through a link at its end.
  std::string_view name;
  platform::OpenFolder parent;
};

// What is read with a folder's listing.
struct SnapshotRules {
  // The facts the walk will want of each entry (its answers are kept).
  FactsWanted fetch;
  // The files read whole: those `wanted` names that are regular files of at most `maxFileBytes`
  // that the system's cache holds (DirEntry::readWhole); the rest are left to the reader, those
  // not cached already on their way from the disk.
  ContentWanted wanted;
  std::size_t maxFileBytes = 0;
};

struct SnapshotRead {
  FolderSnapshot snapshot;
  // The folder, still open, when it was to be held open and has entries that are folders.
  platform::OpenFolder open;
  // Files to be read whole whose data was not in memory: their reads were left to the disk.
  std::size_t uncached = 0;
};

// Lists the folder at `place` through `listing` into a snapshot. A folder below the root that is
// both hidden and system is read no further. `holdOpen` keeps the folder open past its listing
// (for opening its subfolders through it). A set `stop` ends the listing early; such a snapshot
// is only fit to be thrown away.
SnapshotRead readFolderSnapshot(platform::DirectoryListing& listing, FolderPlace place, const SnapshotRules& rules,
                                bool holdOpen, const std::atomic<bool>& stop);

}  // namespace zendrift::search
