// Reading a folder's listing whole.
#include "search/folder_snapshot.h"

#include <utility>

namespace zendrift::search {

FolderSnapshot readFolderSnapshot(platform::DirectoryListing& listing, std::string folder, const FactsWanted& fetch,
                                  const std::atomic<bool>& stop) {
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
    if (fetch) fetch(entry);
    snapshot.entries.push_back({static_cast<std::uint32_t>(snapshot.names.size()),
                                static_cast<std::uint32_t>(entry.name().size()), entry.isDirectory(),
                                entry.isSymlink(), entry.facts()});
    snapshot.names += entry.name();
    snapshot.endError = listing.next();
  } while (!snapshot.endError);
  snapshot.closeError = listing.close();
  return snapshot;
}

}  // namespace zendrift::search
