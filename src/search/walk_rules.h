// What a folder walk reports and where it goes: a small value, set up once before the walk.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "search/folder_snapshot.h"
#include "search/keep_out.h"

namespace zendrift::search {

struct WalkRules {
  // The files a folder reports (Folder::files): names that match this mask, letter case ignored.
  // Never blank (the matcher refuses a blank mask).
  std::string mask = "*";
  // Whether names that begin with "." count as hidden (POSIX; see DirectoryListing). An entry
  // that is both hidden and system is neither reported nor entered.
  bool dotNamesHidden = true;
  // Folders the walk and its read-ahead never enter.
  KeepOut keepOut;
  // Threads that list folders, the walk's own counted: 1 for the walk alone, which lists each
  // folder when it gets there; more, and the others list the folders it will enter next ahead of
  // it. The folders and their order are the same either way.
  unsigned threads = 1;
  // With more than one thread: as many more, started once a file to be read whole is found not
  // in memory. A disk serves several requests sooner than one after another, while on folders
  // the system holds in memory extra threads only contend with the others.
  unsigned diskThreads = 1;
  // Folders held open at most while their subfolders wait to be listed, which are then opened
  // through them rather than by their whole path; beyond these, by path. The folders and their
  // order are the same either way.
  std::size_t foldersHeldOpen = 256;
  // How much of each reported file the listing asks the system to start reading, so that its
  // reader does not wait for the disk. 0 for none.
  std::size_t fileReadAhead = 0;
  // Called on the read-ahead threads, several at once, with each folder they listed: false keeps
  // them out of its subfolders (the walk still enters them, unless told to skip them). Unset:
  // they read below every folder.
  std::function<bool(const FolderSnapshot& listing)> readAheadBelow;

  // One thread per core this process may run on.
  static unsigned defaultThreads() noexcept;
};

}  // namespace zendrift::search
