// The search engine: walks a folder tree from one root and reports the files and folders that
// pass its filters, by appending them to its result lists and by firing events.
//
// Typical use (the scan driver's):
//   FileSearch search;
//   search.fileParams().setSearchTypes({stFileMask});
//   search.onFindFile = [&](FileSearch&, const std::string& path) { ... };
//   search.onProgress = [&](FileSearch& engine) { if (stopRequested) engine.abort(); };
//   search.setRootDirectory(folder);
//   search.fileParams().fileMasks().clear();
//   search.fileParams().fileMasks().add("*.lnk");
//   bool completed = search.search();   // false when aborted or a listing failed
// From inside any event (or code it runs), `if (search.busy()) search.abort();` stops the walk
// at the next listed entry. Errors raised by handlers pass out of search() with busy() false.
#pragma once

#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/directory_listing.h"
#include "platform/os_error.h"
#include "search/folder_read_ahead.h"
#include "search/folder_snapshot.h"
#include "search/keep_out.h"
#include "search/search_params.h"
#include "search/search_types.h"
#include "search/string_list.h"

namespace zendrift::search {

class FileSearch;

using NotifyEvent = std::function<void(FileSearch& Sender)>;
using FileSearchEvent = std::function<void(FileSearch& Sender, const std::string& AName)>;
using SearchErrorEvent = std::function<void(FileSearch& Sender, bool& Handled)>;
using CheckEvent = std::function<void(FileSearch& Sender, bool& Result)>;
using EnterDirectoryEvent = std::function<bool(FileSearch& Sender, const std::string& AFolder)>;
using DirectoryErrorEvent =
    std::function<void(FileSearch& Sender, const std::string& AFolder, std::error_code Code)>;
// Called on read-ahead threads, several at once, with each folder they listed: false keeps them
// out of its subfolders (the walk still enters them itself, if its events let it).
using ReadAheadFilter = std::function<bool(const FolderSnapshot& listing)>;

class FileSearch {
 public:
  FileSearch();
  virtual ~FileSearch();
  FileSearch(const FileSearch&) = delete;
  FileSearch& operator=(const FileSearch&) = delete;

  // Runs a whole search from rootDirectory. True when the walk completed (or had nothing to do);
  // false when Abort stopped it, a failed listing was not passed over, or a search was already
  // running (then nothing is touched).
  bool search();
  // Asks a running search to stop at the next listed entry; fires onAbort at once. Does nothing
  // when no search runs.
  void abort();
  bool busy() const noexcept { return busy_; }

  DirOption dirOption() const noexcept { return dirOption_; }
  void setDirOption(DirOption option) noexcept { dirOption_ = option; }
  // Levels below the root that are entered; 0 for no limit.
  std::int32_t recurseDepth() const noexcept { return recurseDepth_; }
  void setRecurseDepth(std::int32_t depth) noexcept { recurseDepth_ = depth; }
  // Read once when Search starts; with or without a trailing delimiter.
  const std::string& rootDirectory() const noexcept { return rootDirectory_; }
  void setRootDirectory(std::string root) { rootDirectory_ = std::move(root); }
  SearchOptions options() const noexcept { return options_; }
  // Sorting or the duplicate policy changed here applies to both result lists at once.
  void setOptions(SearchOptions options);
  ErrorResponse errorResponse() const noexcept { return errorResponse_; }
  void setErrorResponse(ErrorResponse response) noexcept { errorResponse_ = response; }
  // Whether names that begin with "." count as hidden (POSIX; see DirectoryListing).
  void setDotNamesHidden(bool hidden) noexcept {
    dotNamesHidden_ = hidden;
    listing_.setDotNamesHidden(hidden);
  }
  // Threads that list folders, the walk's own counted: 1 (the default) for none besides it, and
  // the walk lists each folder when it gets there; more, and the others list folders ahead of it. Events, results and their order are the same either way, and all
  // events come on the thread that called search(). The filters and options are read once when
  // the search starts.
  unsigned readAheadThreads() const noexcept { return readAheadThreads_; }
  void setReadAheadThreads(unsigned threads) noexcept { readAheadThreads_ = threads < 1 ? 1 : threads; }
  // One per core this process may run on.
  static unsigned defaultReadAheadThreads() noexcept;
  // With read-ahead threads: the size up to which each file that the file filter accepts is read
  // whole with its folder (currentContent), so that its reader need not open it. 0 for none.
  void setFileReadAhead(std::size_t bytes) noexcept { fileReadAhead_ = bytes; }
  // A stop requested through `stop` ends the reading ahead at once, so that the walk, stopped by
  // abort() from its events, waits for no more than the folder it is in. A folder whose listing
  // the stop cuts short ends the walk as abort() does, with no error for that folder.
  void setReadAheadStop(std::stop_token stop) noexcept { readAheadStop_ = std::move(stop); }
  // Folders the walk and its read-ahead never enter; read when a search starts. Nothing by
  // default.
  const KeepOut& keepOut() const noexcept { return keepOut_; }
  void setKeepOut(KeepOut keepOut) { keepOut_ = std::move(keepOut); }

  // The owned filters; setting copies the values into them.
  SearchParams& dirParams() noexcept { return dirParams_; }
  SearchParams& fileParams() noexcept { return fileParams_; }
  const SearchParams& dirParams() const noexcept { return dirParams_; }
  const SearchParams& fileParams() const noexcept { return fileParams_; }
  void setDirParams(const SearchParams& params) { dirParams_.assign(params); }
  void setFileParams(const SearchParams& params) { fileParams_.assign(params); }

  // Results, reset at the start of each search. Callers may clear the lists.
  StringList& foundFiles() noexcept { return foundFiles_; }
  StringList& foundDirectories() noexcept { return foundDirectories_; }
  const StringList& foundFiles() const noexcept { return foundFiles_; }
  const StringList& foundDirectories() const noexcept { return foundDirectories_; }
  std::int32_t foundFileCount() const noexcept { return foundFileCount_; }
  std::int32_t foundDirectoryCount() const noexcept { return foundDirectoryCount_; }
  std::int64_t foundBytes() const noexcept { return foundBytes_; }
  // The entry being examined (the last one listed after a search). Its attributes, size and
  // time are fetched when first asked for.
  const platform::DirEntry& currentEntry() const noexcept { return *currentEntry_; }
  // The current file's bytes when the read-ahead read it whole (setFileReadAhead), else none.
  const std::optional<FileBytes>& currentContent() const noexcept { return currentContent_; }

  // Events; an unbound one is skipped.
  FileSearchEvent onBeginScanDir;  // a folder's listing begins (folder with trailing delimiter)
  FileSearchEvent onFindFile;      // a file is reported (full path unless soStripDirs)
  FileSearchEvent onFindDirectory; // a folder is reported (no trailing delimiter)
  NotifyEvent onAbort;             // abort was called during a search
  SearchErrorEvent onError;        // may a failed listing be passed over?
  CheckEvent onCheck;              // when bound, replaces both parameter filters
  NotifyEvent onProgress;          // once for every listed entry, "." and ".." included
  // May the walk enter this subfolder (no trailing delimiter)? Unbound: every one is entered.
  EnterDirectoryEvent onEnterDirectory;
  // A folder's listing failed (folder with trailing delimiter), before the error policy decides
  // what follows; also for the failures that are passed over silently, such as a denied folder.
  // An empty folder is no failure.
  DirectoryErrorEvent onDirectoryError;
  // Unbound: the read-ahead threads list every subfolder the walk may enter.
  ReadAheadFilter readAheadBelow;

 protected:
  virtual void fireBeginScanDir(const std::string& folder);
  virtual void fireFindFile(const std::string& folder);
  virtual void fireFindDirectory(const std::string& folder);
  virtual void fireAbort();
  virtual void fireProgress();
  virtual void fireDirectoryError(const std::string& folder, std::error_code code);
  virtual bool acceptDirectory();
  virtual bool acceptFile();
  virtual bool resolveWalkError();
  virtual void resetResults();
  // Walks the folder that the walk's path names and everything below it, and leaves the path as
  // it found it.
  virtual bool walkTree(bool examineEntries, std::int32_t& depth);

 private:
  struct Subfolder {
    std::string name;
    bool examine;
  };

  bool rootIsValid();
  bool scanDirectory(const std::string& folder, std::vector<Subfolder>& subfolders, bool examineEntries);
  // The listed entry (currentEntry) passes to the filters and the subfolder list.
  void examineEntry(const std::string& folder, std::vector<Subfolder>& subfolders, bool examineEntries);
  // The walk with read-ahead threads: the same steps, each folder's listing taken from them.
  bool walkAhead(FolderReadAhead& ahead, const FolderReadAhead::NodePtr& node, bool examineEntries, std::int32_t& depth);
  bool replayDirectory(const FolderSnapshot& snapshot, std::vector<Subfolder>& subfolders, bool examineEntries);
  // Moves the walk's path from the folder (of `parentLength` characters) to its subfolder `name`
  // when the subfolder is to be entered; false when it is kept out or its event says no.
  bool enterSubfolder(const std::string& name, std::size_t level, std::size_t parentLength);
  ReadAheadRules readAheadRules() const;
  // The entry passes the file filter; the hidden+system rule is applied after a cheap name
  // test when the outcome cannot differ.
  bool acceptListedFile();
  bool isHiddenSystem() const;
  void report(const std::string& folder, bool isFile);

  DirOption dirOption_ = doIncludeSubDirs;
  std::int32_t recurseDepth_ = 0;
  std::string rootDirectory_;
  SearchOptions options_;
  ErrorResponse errorResponse_ = erAbort;
  StringList foundFiles_;
  StringList foundDirectories_;
  SearchParams dirParams_;
  SearchParams fileParams_;

  bool busy_ = false;
  bool abortRequested_ = false;
  std::int32_t foundFileCount_ = 0;
  std::int32_t foundDirectoryCount_ = 0;
  std::int64_t foundBytes_ = 0;
  std::error_code lastError_;

  // One listing serves every folder in turn: a folder's listing is closed before its
  // subfolders are entered.
  platform::DirectoryListing listing_;
  bool dotNamesHidden_ = true;
  unsigned readAheadThreads_ = 1;
  std::size_t fileReadAhead_ = 0;
  std::optional<FileBytes> currentContent_;
  std::stop_token readAheadStop_;
  // The entry being replayed from a listing read ahead.
  platform::DirEntry replayEntry_;
  platform::DirEntry rootEntry_;
  const platform::DirEntry* currentEntry_ = &rootEntry_;
  KeepOut keepOut_;
  // The folder being walked, with a trailing delimiter: one string for the whole walk, grown
  // and cut back as it goes down and up, so that a deep tree costs no whole path per level.
  std::string path_;
  // Folders listed in this search, so that none is listed twice.
  std::unordered_set<platform::FolderId, FolderIdHash> listedFolders_;
};

}  // namespace zendrift::search
