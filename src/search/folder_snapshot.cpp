// Reading a folder's listing whole.
#include "search/folder_snapshot.h"

#include <utility>

#include "platform/file_attributes.h"
#include "platform/path.h"

namespace zendrift::search {

namespace {

// Reads the entry whole into the snapshot's contents when it is wanted and fits; anything that
// keeps it from being read leaves it to the reader's own read, which meets the cause again.
std::int32_t readContent(FolderSnapshot& snapshot, const platform::DirEntry& entry, const ContentWanted& wanted,
                         std::size_t maxFileBytes, std::size_t& uncached) {
  if (maxFileBytes == 0 || !wanted || entry.isDirectory() || entry.isSymlink() || !wanted(entry)) return -1;
  const auto start = static_cast<std::uint32_t>(snapshot.contentBytes.size());
  const auto read = entry.readWhole(maxFileBytes, snapshot.contentBytes);
  if (!read) {
    if (read.error() == std::errc::resource_unavailable_try_again) ++uncached;
    return -1;
  }
  snapshot.contents.push_back({read->version, start, static_cast<std::uint32_t>(read->length)});
  return static_cast<std::int32_t>(snapshot.contents.size() - 1);
}

bool isDotOrDotDot(std::string_view name) { return name == "." || name == ".."; }

bool bothHiddenAndSystem(std::uint32_t attributes) {
  constexpr std::uint32_t kHiddenSystem = platform::kAttrHidden | platform::kAttrSystem;
  return (attributes & kHiddenSystem) == kHiddenSystem;
}

// A folder below the root that could not be opened: its bits as the folder above lists them.
bool hiddenSystemByPath(const std::string& folder, std::string_view name, bool dotNamesHidden) {
  const std::string path = platform::withoutTrailingSeparator(folder);
  const std::string above(platform::withoutFileName(path));
  platform::DirEntry entry;
  entry.assignKnown(name, above, true, false, {}, dotNamesHidden);
  return bothHiddenAndSystem(entry.hiddenSystemAttributes());
}

}  // namespace

SnapshotRead readFolderSnapshot(platform::DirectoryListing& listing, FolderPlace place, const SnapshotRules& rules,
                                bool holdOpen, const std::atomic<bool>& stop) {
  SnapshotRead read;
  FolderSnapshot& snapshot = read.snapshot;
  snapshot.folder = std::move(place.folder);
  const bool root = place.name.empty();
  snapshot.openError = root ? listing.open(snapshot.folder) : listing.openIn(place.parent, place.name, snapshot.folder);
  place.parent = {};
  if (snapshot.openError) {
    if (!root && hiddenSystemByPath(snapshot.folder, place.name, listing.dotNamesHidden())) {
      snapshot.openError = {};
      snapshot.hiddenSystem = true;
    }
    return read;
  }
  // Read from the open folder, which costs no lookup of its name; where the listing cannot tell,
  // the folder above told already.
  if (!root) {
    const std::optional<std::uint32_t> own = listing.hiddenSystemAttributes();
    if (own && bothHiddenAndSystem(*own)) {
      snapshot.hiddenSystem = true;
      snapshot.closeError = listing.close();
      return read;
    }
  }
  snapshot.id = listing.folderId();
  // Room for a typical folder at once, rather than growing step by step.
  snapshot.entries.reserve(16);
  snapshot.names.reserve(256);
  bool subfolders = false;
  do {
    if (stop.load(std::memory_order_relaxed)) {
      snapshot.endError = std::make_error_code(std::errc::operation_canceled);
      snapshot.stopped = true;
      break;
    }
    const platform::DirEntry& entry = listing.entry();
    // Read before the facts are fetched: the read's own status read answers the size.
    const std::int32_t content = readContent(snapshot, entry, rules.wanted, rules.maxFileBytes, read.uncached);
    if (rules.fetch) rules.fetch(entry);
    subfolders = subfolders || (entry.isDirectory() && !entry.isSymlink() && !isDotOrDotDot(entry.name()));
    snapshot.entries.push_back({static_cast<std::uint32_t>(snapshot.names.size()),
                                static_cast<std::uint32_t>(entry.name().size()), entry.isDirectory(),
                                entry.isSymlink(), content, entry.facts()});
    snapshot.names += entry.name();
    snapshot.endError = listing.next();
  } while (!snapshot.endError);
  if (holdOpen && subfolders && !snapshot.stopped) read.open = listing.holdOpen();
  snapshot.closeError = listing.close();
  return read;
}

}  // namespace zendrift::search
