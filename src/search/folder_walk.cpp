// The folder walk: a stack of the folders from the root down, each with the subfolders it still
// has to enter, over the read-ahead, which lists the folders (ahead of the walk, or when it gets
// there).
#include "search/folder_walk.h"

#include <algorithm>
#include <utility>

#include "platform/file_attributes.h"
#include "platform/path.h"
#include "platform/usable_cores.h"
#include "search/mask_match.h"

namespace zendrift::search {

namespace {

constexpr std::uint32_t kHiddenSystem = platform::kAttrHidden | platform::kAttrSystem;

bool isDotOrDotDot(std::string_view name) { return name == "." || name == ".."; }

std::string folderOf(const std::string& path) {
  return path.empty() ? std::string(1, platform::kPathSeparator) : platform::withTrailingSeparator(path);
}

// The first failure of a listing. An open that finds no entry at all (a Windows drive with
// nothing on it) is an empty folder, no failure.
std::error_code failureOf(const FolderSnapshot& listing) {
  if (listing.openError) {
    return listing.openError == platform::OsErrc::fileNotFound ? std::error_code{} : listing.openError;
  }
  if (listing.endError != platform::OsErrc::noMoreFiles) return listing.endError;
  return listing.closeError;
}

}  // namespace

// Listing a folder that is not in the cache waits for the disk, which serves several requests at
// once sooner than one after another: one thread more than cores keeps a request in flight while
// the cores list, and costs little when the folders are cached (more would crowd the walk's own).
unsigned WalkRules::defaultThreads() noexcept { return platform::usableCores(); }

FolderWalk::FolderWalk(std::string root, WalkRules rules, std::stop_token stop)
    : root_(std::move(root)), rules_(std::move(rules)), mask_(upperCase(rules_.mask)), stop_(std::move(stop)) {
  // A folder kept out counts as handed out already: it is opened, but nothing in it is looked at.
  listed_.insert(rules_.keepOut.folders.begin(), rules_.keepOut.folders.end());
}

FolderWalk::~FolderWalk() { finish(); }

std::optional<Folder> FolderWalk::next() {
  while (!done_) {
    if (stop_.stop_requested()) {
      finish();
      break;
    }
    if (!ahead_) {
      std::string folder = folderOf(root_);
      if (rules_.keepOut.holdsRoot(folder)) {
        finish();
        break;
      }
      ahead_ = std::make_unique<FolderReadAhead>(readAheadRules());
      stack_.push_back({ahead_->root(std::move(folder)), {}, 0});
    } else if (Level& top = stack_.back(); top.next < top.subfolders.size()) {
      FolderReadAhead::NodePtr child = ahead_->enter(top.node, top.subfolders[top.next++]);
      stack_.push_back({std::move(child), {}, 0});
    } else {
      ahead_->leave(top.node);
      stack_.pop_back();
      if (stack_.empty()) finish();
      continue;
    }
    if (std::optional<Folder> folder = visit()) return folder;
  }
  return std::nullopt;
}

std::optional<Folder> FolderWalk::visit() {
  Level& level = stack_.back();
  Folder folder;
  folder.listing = ahead_->take(level.node);
  if (folder.listing.stopped) {
    finish();
    return std::nullopt;
  }
  // Known to be hidden and system only once opened (see subfoldersOf).
  if (folder.listing.hiddenSystem) return std::nullopt;
  // A folder met again (through a bind mount, say) is not looked at a second time.
  if (folder.listing.id && !listed_.insert(*folder.listing.id).second) return std::nullopt;
  folder.error = failureOf(folder.listing);
  const std::vector<FolderSnapshot::Entry>& entries = folder.listing.entries;
  for (std::size_t index = 0; index < entries.size(); ++index) {
    if (reported(folder.listing, entries[index])) folder.fileIndices.push_back(static_cast<std::uint32_t>(index));
  }
  level.subfolders = subfoldersOf(folder.listing, stack_.size() - 1);
  return folder;
}

void FolderWalk::skipChildren() {
  if (stack_.empty()) return;
  Level& top = stack_.back();
  top.subfolders.clear();
  top.next = 0;
  // What the threads read below it goes at once.
  ahead_->leave(top.node);
}

void FolderWalk::finish() {
  done_ = true;
  // Deepest first, so that no thread takes a node whose parent is gone.
  for (auto level = stack_.rbegin(); level != stack_.rend(); ++level) ahead_->leave(level->node);
  stack_.clear();
  // The threads end with the walk.
  ahead_.reset();
}

bool FolderWalk::hiddenSystem(const FolderSnapshot& listing, const FolderSnapshot::Entry& entry) const {
  const platform::DirEntry::Facts& facts = entry.facts;
  if (facts.hiddenSystem || facts.attributes) {
    return (facts.hiddenSystem.value_or(facts.attributes.value_or(0)) & kHiddenSystem) == kHiddenSystem;
  }
  // Not fetched while the folder was open: asked by path now.
  platform::DirEntry known;
  known.assignKnown(listing.name(entry), listing.folder, entry.directory, entry.symlink, facts, rules_.dotNamesHidden);
  return (known.hiddenSystemAttributes() & kHiddenSystem) == kHiddenSystem;
}

bool FolderWalk::reported(const FolderSnapshot& listing, const FolderSnapshot::Entry& entry) const {
  // The cheap name test first: most names fail it and need no attribute at all.
  return !entry.directory && mask_.matches(listing.name(entry)) && !hiddenSystem(listing, entry);
}

std::vector<std::string> FolderWalk::subfoldersOf(const FolderSnapshot& listing, std::size_t level) const {
  std::vector<std::string> names;
  for (const FolderSnapshot::Entry& entry : listing.entries) {
    // A symbolic link to a folder is an entry, never a way into another part of the tree.
    if (!entry.directory || entry.symlink) continue;
    const std::string_view name = listing.name(entry);
    if (isDotOrDotDot(name) || rules_.keepOut.keepsOut(name, level)) continue;
    // A folder's hidden and system bits not known from its listing are read once it is open,
    // from the folder itself (cheaper than by its name), and it goes no further when it is both
    // (readFolderSnapshot). Listings that cannot tell a folder's own bits (Windows) know every
    // entry's.
    const platform::DirEntry::Facts& facts = entry.facts;
    if ((facts.hiddenSystem || facts.attributes) && hiddenSystem(listing, entry)) continue;
    names.emplace_back(name);
  }
  return names;
}

ReadAheadRules FolderWalk::readAheadRules() const {
  ReadAheadRules rules;
  // The walk's own thread lists folders too.
  rules.threads = rules_.threads > 1 ? rules_.threads - 1 : 0;
  rules.diskThreads = rules_.threads > 1 ? rules_.diskThreads : 0;
  rules.dotNamesHidden = rules_.dotNamesHidden;
  rules.stop = stop_;
  rules.maxFoldersHeld = rules_.foldersHeldOpen;
  // The facts the walk will ask for, fetched while the folder is open.
  rules.fetch = [mask = mask_](const platform::DirEntry& entry) {
    if (!entry.isDirectory() && mask.matches(entry.name())) entry.hiddenSystemAttributes();
  };
  // The files the walk hands out are read whole with their folder (FolderSnapshot::content), so
  // that their reader need not open them again.
  rules.maxFileBytes = rules_.fileReadAhead;
  if (rules.maxFileBytes > 0) {
    // A file both hidden and system is read too (its bits come cheapest through the open file),
    // but never reported.
    rules.readWhole = [mask = mask_](const platform::DirEntry& entry) {
      return !entry.isDirectory() && mask.matches(entry.name());
    };
  }
  // Called on the threads while the walk runs; the rules do not change meanwhile.
  rules.subfolders = [this](const FolderSnapshot& listing, std::size_t level) {
    const std::vector<platform::FolderId>& keptOut = rules_.keepOut.folders;
    if (listing.id && std::find(keptOut.begin(), keptOut.end(), *listing.id) != keptOut.end()) {
      return std::vector<std::string>{};
    }
    if (rules_.readAheadBelow && !rules_.readAheadBelow(listing)) return std::vector<std::string>{};
    return subfoldersOf(listing, level);
  };
  return rules;
}

}  // namespace zendrift::search
