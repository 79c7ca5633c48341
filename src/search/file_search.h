// The search engine: walks a folder tree from one root and reports the files and folders that
// pass its filters, by appending them to its result lists and by firing events.
//
// Typical use (the scan driver's):
//   TJvSearchFiles search;
//   search.FileParams().setSearchTypes({stFileMask});
//   search.OnFindFile = [&](TJvSearchFiles&, const std::string& path) { ... };
//   search.OnProgress = [&](TJvSearchFiles&) { pumpEvents(); };
//   search.setRootDirectory(folder);
//   search.FileParams().FileMasks().clear();
//   search.FileParams().FileMasks().add("*.lnk");
//   bool completed = search.Search();   // false when aborted or a listing failed
// From inside any event (or code it runs), `if (search.Busy()) search.Abort();` stops the walk
// at the next listed entry. Errors raised by handlers pass out of Search with Busy false.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/directory_listing.h"
#include "platform/os_error.h"
#include "search/search_params.h"
#include "search/search_types.h"
#include "search/string_list.h"

namespace zendrift::search {

class TJvSearchFiles;

using TNotifyEvent = std::function<void(TJvSearchFiles& Sender)>;
using TJvFileSearchEvent = std::function<void(TJvSearchFiles& Sender, const std::string& AName)>;
using TJvSearchFilesError = std::function<void(TJvSearchFiles& Sender, bool& Handled)>;
using TJvCheckEvent = std::function<void(TJvSearchFiles& Sender, bool& Result)>;
using TJvEnterDirectoryEvent = std::function<bool(TJvSearchFiles& Sender, const std::string& AFolder)>;
using TJvDirectoryErrorEvent =
    std::function<void(TJvSearchFiles& Sender, const std::string& AFolder, platform::OsErrorCode Code)>;

class TJvSearchFiles {
 public:
  TJvSearchFiles();
  virtual ~TJvSearchFiles();
  TJvSearchFiles(const TJvSearchFiles&) = delete;
  TJvSearchFiles& operator=(const TJvSearchFiles&) = delete;

  // Runs a whole search from RootDirectory. True when the walk completed (or had nothing to do);
  // false when Abort stopped it, a failed listing was not passed over, or a search was already
  // running (then nothing is touched).
  bool Search();
  // Asks a running search to stop at the next listed entry; fires OnAbort at once. Does nothing
  // when no search runs.
  void Abort();
  bool Busy() const noexcept { return busy_; }

  TJvDirOption DirOption() const noexcept { return dirOption_; }
  void setDirOption(TJvDirOption option) noexcept { dirOption_ = option; }
  // Levels below the root that are entered; 0 for no limit.
  std::int32_t RecurseDepth() const noexcept { return recurseDepth_; }
  void setRecurseDepth(std::int32_t depth) noexcept { recurseDepth_ = depth; }
  // Read once when Search starts; with or without a trailing delimiter.
  const std::string& RootDirectory() const noexcept { return rootDirectory_; }
  void setRootDirectory(std::string root) { rootDirectory_ = std::move(root); }
  TJvSearchOptions Options() const noexcept { return options_; }
  // Sorting or the duplicate policy changed here applies to both result lists at once.
  void setOptions(TJvSearchOptions options);
  TJvErrorResponse ErrorResponse() const noexcept { return errorResponse_; }
  void setErrorResponse(TJvErrorResponse response) noexcept { errorResponse_ = response; }

  // The owned filters; setting copies the values into them.
  TJvSearchParams& DirParams() noexcept { return dirParams_; }
  TJvSearchParams& FileParams() noexcept { return fileParams_; }
  const TJvSearchParams& DirParams() const noexcept { return dirParams_; }
  const TJvSearchParams& FileParams() const noexcept { return fileParams_; }
  void setDirParams(const TJvSearchParams& params) { dirParams_.assign(params); }
  void setFileParams(const TJvSearchParams& params) { fileParams_.assign(params); }

  // Results, reset at the start of each search. Callers may clear the lists.
  StringList& FoundFiles() noexcept { return foundFiles_; }
  StringList& FoundDirectories() noexcept { return foundDirectories_; }
  const StringList& FoundFiles() const noexcept { return foundFiles_; }
  const StringList& FoundDirectories() const noexcept { return foundDirectories_; }
  std::int32_t FoundFileCount() const noexcept { return foundFileCount_; }
  std::int32_t FoundDirectoryCount() const noexcept { return foundDirectoryCount_; }
  std::int64_t FoundBytes() const noexcept { return foundBytes_; }
  // The entry being examined (the last one listed after a search). Its attributes, size and
  // time are fetched when first asked for.
  const platform::DirEntry& CurrentEntry() const noexcept { return *currentEntry_; }

  // Events; an unbound one is skipped.
  TJvFileSearchEvent OnBeginScanDir;  // a folder's listing begins (folder with trailing delimiter)
  TJvFileSearchEvent OnFindFile;      // a file is reported (full path unless soStripDirs)
  TJvFileSearchEvent OnFindDirectory; // a folder is reported (no trailing delimiter)
  TNotifyEvent OnAbort;               // Abort was called during a search
  TJvSearchFilesError OnError;        // may a failed listing be passed over?
  TJvCheckEvent OnCheck;              // when bound, replaces both parameter filters
  TNotifyEvent OnProgress;            // once for every listed entry, "." and ".." included
  // May the walk enter this subfolder (no trailing delimiter)? Unbound: every one is entered.
  TJvEnterDirectoryEvent OnEnterDirectory;
  // A folder's listing failed (folder with trailing delimiter), before the error policy decides
  // what follows; also for the failures that are passed over silently, such as a denied folder.
  // An empty folder is no failure.
  TJvDirectoryErrorEvent OnDirectoryError;

 protected:
  virtual void FireBeginScanDir(const std::string& folder);
  virtual void FireFindFile(const std::string& folder);
  virtual void FireFindDirectory(const std::string& folder);
  virtual void FireAbort();
  virtual void FireProgress();
  virtual void FireDirectoryError(const std::string& folder, platform::OsErrorCode code);
  virtual bool AcceptDirectory();
  virtual bool AcceptFile();
  virtual bool ResolveWalkError();
  virtual void ResetResults();
  virtual bool WalkTree(const std::string& path, bool examineEntries, std::int32_t& depth);

 private:
  struct Subfolder {
    std::string name;
    bool examine;
  };
  struct FolderIdHash {
    std::size_t operator()(const platform::FolderId& id) const noexcept {
      return std::hash<std::uint64_t>()(id.inode * 0x9E3779B97F4A7C15ULL ^ id.device);
    }
  };

  bool RootIsValid();
  bool ScanDirectory(const std::string& folder, std::vector<Subfolder>& subfolders, bool examineEntries);
  // The entry passes the file filter; the hidden+system rule is applied after a cheap name
  // test when the outcome cannot differ.
  bool acceptListedFile();
  bool isHiddenSystem() const;
  void report(const std::string& folder, bool isFile);

  TJvDirOption dirOption_ = doIncludeSubDirs;
  std::int32_t recurseDepth_ = 0;
  std::string rootDirectory_;
  TJvSearchOptions options_;
  TJvErrorResponse errorResponse_ = erAbort;
  StringList foundFiles_;
  StringList foundDirectories_;
  TJvSearchParams dirParams_;
  TJvSearchParams fileParams_;

  bool busy_ = false;
  bool abortRequested_ = false;
  std::int32_t foundFileCount_ = 0;
  std::int32_t foundDirectoryCount_ = 0;
  std::int64_t foundBytes_ = 0;
  platform::OsErrorCode lastError_ = platform::kErrorSuccess;

  // One listing serves every folder in turn: a folder's listing is closed before its
  // subfolders are entered.
  platform::DirectoryListing listing_;
  platform::DirEntry rootEntry_;
  const platform::DirEntry* currentEntry_ = &rootEntry_;
  // Folders listed in this search, so that none is listed twice.
  std::unordered_set<platform::FolderId, FolderIdHash> listedFolders_;
};

}  // namespace zendrift::search
