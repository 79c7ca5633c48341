// Reading a folder's listing whole.
#include "search/folder_snapshot.h"

#include <utility>

namespace zendrift::search {

namespace {

// Reads the entry whole into the snapshot's contents when it is wanted and fits; anything that
// keeps it from being read leaves it to the reader's own read, which meets the cause again.
std::int32_t readContent(FolderSnapshot& snapshot, const platform::DirEntry& entry, const ContentWanted& wanted,
                         std::size_t maxFileBytes) {
  if (maxFileBytes == 0 || !wanted || entry.isDirectory() || entry.isSymlink() || !wanted(entry)) return -1;
  const auto start = static_cast<std::uint32_t>(snapshot.contentBytes.size());
  const auto read = entry.readWhole(maxFileBytes, snapshot.contentBytes);
  if (!read) return -1;
  snapshot.contents.push_back({read->version, start, static_cast<std::uint32_t>(read->length)});
  return static_cast<std::int32_t>(snapshot.contents.size() - 1);
}

}  // namespace

FolderSnapshot readFolderSnapshot(platform::DirectoryListing& listing, std::string folder, const FactsWanted& fetch,
                                  const std::atomic<bool>& stop, const ContentWanted& wanted,
                                  std::size_t maxFileBytes) {
  FolderSnapshot snapshot;
  snapshot.folder = std::move(folder);
  snapshot.openError = listing.open(snapshot.folder);
  if (snapshot.openError) return snapshot;
  snapshot.id = listing.folderId();
  do {
    if (stop.load(std::memory_order_relaxed)) {
      snapshot.endError = std::make_error_code(std::errc::operation_canceled);
      snapshot.stopped = true;
      break;
    }
    const platform::DirEntry& entry = listing.entry();
    // Read before the facts are fetched: the read's own status read answers the size.
    const std::int32_t content = readContent(snapshot, entry, wanted, maxFileBytes);
    if (fetch) fetch(entry);
    snapshot.entries.push_back({static_cast<std::uint32_t>(snapshot.names.size()),
                                static_cast<std::uint32_t>(entry.name().size()), entry.isDirectory(),
                                entry.isSymlink(), content, entry.facts()});
    snapshot.names += entry.name();
    snapshot.endError = listing.next();
  } while (!snapshot.endError);
  snapshot.closeError = listing.close();
  return snapshot;
}

}  // namespace zendrift::search
