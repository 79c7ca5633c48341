// The search engine's walk: one folder listed at a time, depth-first and pre-order.
#include "search/file_search.h"

#include <algorithm>

#include "platform/path.h"
#include "platform/usable_cores.h"

namespace zendrift::search {

namespace {

bool isDotOrDotDot(const std::string& name) {
  return name.size() <= 2 && !name.empty() && name[0] == '.' && (name.size() == 1 || name[1] == '.');
}

constexpr std::uint32_t kHiddenSystem = platform::kAttrHidden | platform::kAttrSystem;

std::string folderOf(const std::string& path) {
  return path.empty() ? std::string(1, platform::kPathDelimiter) : platform::includeTrailingDelimiter(path);
}

// However the walk leaves a folder, an error from a handler included, what the threads read
// below it is dropped while they still run, so that none of them takes a node that is gone.
struct Leaving {
  FolderReadAhead& ahead;
  const FolderReadAhead::NodePtr& node;
  ~Leaving() { ahead.leave(node); }
};

struct RestoreDepth {
  std::int32_t& depth;
  std::int32_t saved;
  ~RestoreDepth() { depth = saved; }
};

// The walk's one path is back at the folder it left, however it leaves a subfolder.
struct RestorePath {
  std::string& path;
  std::size_t length;
  ~RestorePath() { path.resize(length); }
};

bool hiddenSystemIn(const platform::DirEntry::Facts& facts) {
  const std::uint32_t bits = facts.hiddenSystem.value_or(facts.attributes.value_or(0));
  return (bits & kHiddenSystem) == kHiddenSystem;
}

}  // namespace

unsigned FileSearch::defaultReadAheadThreads() noexcept { return platform::usableCores(); }

FileSearch::FileSearch() { setOptions({soSearchFiles}); }

FileSearch::~FileSearch() = default;

void FileSearch::setOptions(SearchOptions options) {
  if (options == options_) return;
  const SearchOptions previous = options_;
  options_ = options;
  if (previous.contains(soSorted) != options.contains(soSorted)) {
    foundDirectories_.setSorted(options.contains(soSorted));
    foundFiles_.setSorted(options.contains(soSorted));
  }
  if (previous.contains(soAllowDuplicates) != options.contains(soAllowDuplicates)) {
    const auto policy = options.contains(soAllowDuplicates) ? StringList::Duplicates::Accept
                                                            : StringList::Duplicates::Ignore;
    foundDirectories_.setDuplicates(policy);
    foundFiles_.setDuplicates(policy);
  }
}

bool FileSearch::search() {
  if (busy_) return false;
  resetResults();
  busy_ = true;
  // However the walk ends, an error from a handler included, the engine is idle again and
  // holds no listing.
  struct Idle {
    FileSearch& engine;
    ~Idle() {
      engine.listing_.close();
      engine.listedFolders_ = {};
      engine.path_ = {};
      engine.busy_ = false;
    }
  } idle{*this};

  // A folder kept out counts as listed already: it is opened, but nothing in it is looked at.
  listedFolders_.insert(keepOut_.folders.begin(), keepOut_.folders.end());
  path_ = folderOf(rootDirectory_);
  if (keepOut_.holdsRoot(path_)) return true;
  const bool checkRoot = options_.contains(soCheckRootDirValid);
  const bool examineRoot = !options_.contains(soExcludeFilesInRootDir) && (!checkRoot || rootIsValid());
  if (!examineRoot &&
      (dirOption_ == doExcludeSubDirs || (dirOption_ == doExcludeCompleteInvalidDirs && checkRoot))) {
    return true;
  }
  std::int32_t depth = 0;
  if (readAheadThreads_ <= 1) return walkTree(examineRoot, depth);
  FolderReadAhead ahead(readAheadRules());
  const FolderReadAhead::NodePtr node = ahead.root(path_);
  const Leaving leaving{ahead, node};
  return walkAhead(ahead, node, examineRoot, depth);
}

ReadAheadRules FileSearch::readAheadRules() const {
  ReadAheadRules rules;
  // The walk's own thread lists folders too.
  rules.threads = readAheadThreads_ - 1;
  rules.dotNamesHidden = dotNamesHidden_;
  rules.stop = readAheadStop_;
  const bool hiddenDirsSkipped = !options_.contains(soIncludeSystemHiddenDirs);
  const bool hiddenFilesSkipped = !options_.contains(soIncludeSystemHiddenFiles);
  // The facts the walk asks of an entry that it reports; with onCheck bound it cannot be known
  // which, and the walk fetches them itself.
  const bool filesKnown = options_.contains(soSearchFiles) && !onCheck && !fileParams_.hasBlankMask();
  const auto params = std::make_shared<const SearchParams>(fileParams_);
  const std::size_t fileBytes = fileReadAhead_;
  rules.fetch = [=](const platform::DirEntry& entry) {
    if (entry.isDirectory()) {
      if (hiddenDirsSkipped && !isDotOrDotDot(entry.name())) entry.hiddenSystemAttributes();
      return;
    }
    if (!filesKnown || !params->matches(entry)) return;
    if (hiddenFilesSkipped && (entry.hiddenSystemAttributes() & kHiddenSystem) == kHiddenSystem) return;
    // The walk adds up the sizes of the files it reports.
    entry.size();
  };
  // The files reported are read whole with their folder, for the reader (currentContent).
  rules.maxFileBytes = fileBytes;
  rules.readWhole = [=](const platform::DirEntry& entry) {
    return filesKnown && params->matches(entry) &&
           !(hiddenFilesSkipped && (entry.hiddenSystemAttributes() & kHiddenSystem) == kHiddenSystem);
  };
  const DirOption dirOption = dirOption_;
  const std::int32_t recurseDepth = recurseDepth_;
  const ReadAheadFilter below = readAheadBelow;
  const auto keepOut = std::make_shared<const KeepOut>(keepOut_);
  // Every subfolder the walk may enter; the walk itself decides which it does.
  rules.subfolders = [=](const FolderSnapshot& listing, std::size_t level) {
    std::vector<std::string> names;
    if (dirOption == doExcludeSubDirs) return names;
    if (recurseDepth != 0 && level + 1 > static_cast<std::size_t>(recurseDepth)) return names;
    if (listing.id && std::find(keepOut->folders.begin(), keepOut->folders.end(), *listing.id) != keepOut->folders.end()) {
      return names;
    }
    if (below && !below(listing)) return names;
    for (const FolderSnapshot::Entry& entry : listing.entries) {
      if (!entry.directory || entry.symlink) continue;
      const std::string_view name = listing.name(entry);
      if (name == "." || name == ".." || (hiddenDirsSkipped && hiddenSystemIn(entry.facts))) continue;
      if (keepOut->keepsOut(name, level)) continue;
      names.emplace_back(name);
    }
    return names;
  };
  return rules;
}

void FileSearch::abort() {
  // A request already made is not announced again: an onAbort handler that calls Abort would
  // otherwise recurse without end.
  if (!busy_ || abortRequested_) return;
  abortRequested_ = true;
  fireAbort();
}

void FileSearch::resetResults() {
  foundBytes_ = 0;
  foundDirectoryCount_ = 0;
  foundFileCount_ = 0;
  foundDirectories_.clear();
  foundFiles_.clear();
  abortRequested_ = false;
}

bool FileSearch::rootIsValid() {
  std::string path = rootDirectory_;
  if (!path.empty() && platform::isDelimiter(path.back())) path.pop_back();
  std::optional<platform::DirEntry> found = platform::findEntry(path);
  if (!found) return false;
  rootEntry_ = std::move(*found);
  currentEntry_ = &rootEntry_;
  return rootEntry_.isDirectory() && rootEntry_.name().rfind('.', 0) != 0 && acceptDirectory();
}

bool FileSearch::walkTree(bool examineEntries, std::int32_t& depth) {
  const RestoreDepth restore{depth, depth};
  const auto level = static_cast<std::size_t>(depth);
  std::vector<Subfolder> subfolders;
  bool ok = scanDirectory(path_, subfolders, examineEntries);
  if (!ok) ok = resolveWalkError();
  if (!ok) return false;

  ++depth;
  if (recurseDepth_ != 0 && depth > recurseDepth_) return true;
  const RestorePath back{path_, path_.size()};
  for (const Subfolder& subfolder : subfolders) {
    if (!enterSubfolder(subfolder.name, level, back.length)) continue;
    if (!walkTree(subfolder.examine, depth)) return false;
  }
  return true;
}

bool FileSearch::walkAhead(FolderReadAhead& ahead, const FolderReadAhead::NodePtr& node, bool examineEntries,
                           std::int32_t& depth) {
  const RestoreDepth restore{depth, depth};
  const auto level = static_cast<std::size_t>(depth);
  std::vector<Subfolder> subfolders;
  bool ok = true;
  {
    fireBeginScanDir(path_);
    // Dropped once replayed: kept while the walk is below, every level's listing would add up.
    const FolderSnapshot snapshot = ahead.take(node);
    ok = replayDirectory(snapshot, subfolders, examineEntries);
  }
  if (!ok) ok = resolveWalkError();
  if (!ok) return false;

  ++depth;
  if (recurseDepth_ != 0 && depth > recurseDepth_) return true;
  const RestorePath back{path_, path_.size()};
  for (const Subfolder& subfolder : subfolders) {
    if (!enterSubfolder(subfolder.name, level, back.length)) continue;
    const FolderReadAhead::NodePtr child = ahead.enter(node, subfolder.name);
    const Leaving leaving{ahead, child};
    if (!walkAhead(ahead, child, subfolder.examine, depth)) return false;
  }
  return true;
}

bool FileSearch::enterSubfolder(const std::string& name, std::size_t level, std::size_t parentLength) {
  if (keepOut_.keepsOut(name, level)) return false;
  path_.resize(parentLength);
  path_ += name;
  if (const EnterDirectoryEvent event = onEnterDirectory; event && !event(*this, path_)) return false;
  path_ += platform::kPathDelimiter;
  return true;
}

bool FileSearch::replayDirectory(const FolderSnapshot& snapshot, std::vector<Subfolder>& subfolders,
                                 bool examineEntries) {
  const std::string& folder = path_;
  currentEntry_ = &replayEntry_;
  lastError_ = snapshot.openError;
  if (lastError_) {
    if (lastError_ == platform::OsErrc::fileNotFound) return true;
    fireDirectoryError(folder, lastError_);
    return lastError_ == platform::OsErrc::accessDenied;
  }
  bool result = true;
  const bool listedBefore = snapshot.id && !listedFolders_.insert(*snapshot.id).second;
  if (!listedBefore) {
    for (const FolderSnapshot::Entry& entry : snapshot.entries) {
      replayEntry_.assignKnown(snapshot.name(entry), folder, entry.directory, entry.symlink, entry.facts,
                               dotNamesHidden_);
      currentContent_ = snapshot.content(entry);
      fireProgress();
      if (abortRequested_) {
        result = false;
        break;
      }
      examineEntry(folder, subfolders, examineEntries);
    }
    if (result && snapshot.stopped) {
      // The stop cut the listing short: the walk ends as if stopped from its events.
      abort();
      result = false;
    } else if (result && snapshot.endError != platform::OsErrc::noMoreFiles) {
      lastError_ = snapshot.endError;
      result = false;
      fireDirectoryError(folder, lastError_);
    }
  }
  if (snapshot.closeError) {
    lastError_ = snapshot.closeError;
    if (result) fireDirectoryError(folder, lastError_);
    result = false;
  }
  return result;
}

bool FileSearch::scanDirectory(const std::string& folder, std::vector<Subfolder>& subfolders, bool examineEntries) {
  fireBeginScanDir(folder);
  lastError_ = listing_.open(folder);
  currentEntry_ = &listing_.entry();
  currentContent_.reset();
  if (lastError_) {
    if (lastError_ == platform::OsErrc::fileNotFound) return true;
    fireDirectoryError(folder, lastError_);
    return lastError_ == platform::OsErrc::accessDenied;
  }
  struct CloseOnError {
    platform::DirectoryListing& listing;
    ~CloseOnError() { listing.close(); }
  } closeOnError{listing_};

  bool result = true;
  // A folder met again (through a bind mount, say) is not listed a second time.
  const std::optional<platform::FolderId> id = listing_.folderId();
  const bool listedBefore = id && !listedFolders_.insert(*id).second;

  while (!listedBefore) {
    fireProgress();
    if (abortRequested_) {
      result = false;
      break;
    }
    examineEntry(folder, subfolders, examineEntries);
    lastError_ = listing_.next();
    if (lastError_) {
      result = lastError_ == platform::OsErrc::noMoreFiles;
      if (!result) fireDirectoryError(folder, lastError_);
      break;
    }
  }

  const std::error_code closed = listing_.close();
  if (closed) {
    lastError_ = closed;
    if (result) fireDirectoryError(folder, closed);
    result = false;
  }
  return result;
}

void FileSearch::examineEntry(const std::string& folder, std::vector<Subfolder>& subfolders, bool examineEntries) {
  const platform::DirEntry& entry = currentEntry();
  if (entry.isDirectory()) {
    const std::string& name = entry.name();
    if (isDotOrDotDot(name)) {
      // the folder itself and its parent
    } else if (!options_.contains(soIncludeSystemHiddenDirs) && isHiddenSystem()) {
      // neither reported nor entered
    } else if (dirOption_ == doExcludeSubDirs || dirOption_ == doIncludeSubDirs) {
      if (examineEntries && options_.contains(soSearchDirs) && acceptDirectory()) fireFindDirectory(folder);
      // A symbolic link to a folder is an entry, never a way into another part of the tree.
      if (dirOption_ == doIncludeSubDirs && !entry.isSymlink()) subfolders.push_back({name, true});
    } else {
      const bool valid = acceptDirectory();
      if (examineEntries && options_.contains(soSearchDirs) && valid) fireFindDirectory(folder);
      if ((dirOption_ == doExcludeInvalidDirs || valid) && !entry.isSymlink()) subfolders.push_back({name, valid});
    }
  } else if (examineEntries && options_.contains(soSearchFiles) && acceptFile()) {
    fireFindFile(folder);
  }
}

bool FileSearch::isHiddenSystem() const {
  return (currentEntry().hiddenSystemAttributes() & kHiddenSystem) == kHiddenSystem;
}

bool FileSearch::acceptDirectory() {
  if (const CheckEvent event = onCheck) {
    bool result = false;
    event(*this, result);
    return result;
  }
  return dirParams_.matches(currentEntry());
}

bool FileSearch::acceptFile() {
  const bool skipHiddenSystem = !options_.contains(soIncludeSystemHiddenFiles);
  if (!onCheck && skipHiddenSystem && !fileParams_.hasBlankMask()) {
    // Same outcome as testing the attributes first, but most names fail the cheap mask test
    // and then need no attribute read at all.
    return fileParams_.matches(currentEntry()) && !isHiddenSystem();
  }
  if (skipHiddenSystem && isHiddenSystem()) return false;
  if (const CheckEvent event = onCheck) {
    bool result = false;
    event(*this, result);
    return result;
  }
  return fileParams_.matches(currentEntry());
}

bool FileSearch::resolveWalkError() {
  if (abortRequested_) return false;
  bool handled = errorResponse_ == erIgnore;
  if (const SearchErrorEvent event = onError) event(*this, handled);
  if (errorResponse_ == erRaise && !handled) throw platform::OsError(lastError_);
  return handled;
}

void FileSearch::report(const std::string& folder, bool isFile) {
  const platform::DirEntry& entry = currentEntry();
  std::string name = options_.contains(soStripDirs) ? entry.name() : folder + entry.name();
  const auto size = static_cast<std::int64_t>(entry.size());
  if (!options_.contains(soOwnerData)) (isFile ? foundFiles_ : foundDirectories_).add(name);
  foundBytes_ += size;
  const FileSearchEvent event = isFile ? onFindFile : onFindDirectory;
  if (event) event(*this, name);
}

void FileSearch::fireFindFile(const std::string& folder) {
  ++foundFileCount_;
  report(folder, true);
}

void FileSearch::fireFindDirectory(const std::string& folder) {
  ++foundDirectoryCount_;
  report(folder, false);
}

// Each event is called through a copy, so that a handler may rebind or clear its own event.
void FileSearch::fireBeginScanDir(const std::string& folder) {
  if (const FileSearchEvent event = onBeginScanDir) event(*this, folder);
}

void FileSearch::fireAbort() {
  if (const NotifyEvent event = onAbort) event(*this);
}

void FileSearch::fireDirectoryError(const std::string& folder, std::error_code code) {
  if (const DirectoryErrorEvent event = onDirectoryError) event(*this, folder, code);
}

void FileSearch::fireProgress() {
  if (const NotifyEvent event = onProgress) event(*this);
}

}  // namespace zendrift::search
