// The folder walk: a folder tree handed out one whole folder at a time, depth-first.
//
// Typical use (the scan's):
//   WalkRules rules;
//   rules.mask = "*.lnk";
//   FolderWalk walk(root, std::move(rules), stop);
//   while (std::optional<Folder> folder = walk.next()) {
//     if (folder->error) ...;                       // unreadable, or read only in part
//     if (notMine(*folder)) walk.skipChildren();     // its subfolders are not entered
//     for (const FolderSnapshot::Entry& file : folder->files()) use(folder->pathOf(file));
//   }
// The consumer's loop is the whole algorithm: nothing is called back, and a failure comes in the
// stream as a folder with its error set.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <ranges>
#include <stop_token>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "search/folder_read_ahead.h"
#include "search/folder_snapshot.h"
#include "search/mask_match.h"
#include "search/walk_rules.h"

namespace zendrift::search {

// One folder of a walk, listed whole.
struct Folder {
  // The listing as read: the folder's path with a trailing delimiter, and every entry in the
  // listing's order ("." and ".." included) with the facts fetched while the folder was open.
  FolderSnapshot listing;
  // The entries that the rules report (files that match the mask and are not hidden and
  // system), as places in listing.entries, in the listing's order.
  std::vector<std::uint32_t> fileIndices;
  // Why the folder could not be listed, or was listed only in part (the entries are those read
  // before the failure). Empty for a complete listing; a folder with no entry at all is complete.
  std::error_code error;

  const std::string& path() const noexcept { return listing.folder; }
  std::string_view name(const FolderSnapshot::Entry& entry) const { return listing.name(entry); }
  std::string pathOf(const FolderSnapshot::Entry& entry) const { return listing.folder + std::string(name(entry)); }
  // The reported files' entries.
  auto files() const {
    return std::views::transform(fileIndices, [this](std::uint32_t index) -> const FolderSnapshot::Entry& {
      return listing.entries[index];
    });
  }
};

class FolderWalk {
 public:
  // Walks `root` (with or without a trailing delimiter; empty for the file system's root). A
  // stop requested through `stop` ends the walk: next() hands out nothing more, and the folders
  // being read ahead are given up.
  FolderWalk(std::string root, WalkRules rules, std::stop_token stop = {});
  ~FolderWalk();
  FolderWalk(const FolderWalk&) = delete;
  FolderWalk& operator=(const FolderWalk&) = delete;

  // The next folder: the root first, then depth-first and pre-order, subfolders in the order of
  // their parent's listing. Never a link to a folder, a folder kept out, a hidden and system one,
  // or a folder already handed out (met again through a bind mount, say). Empty once the walk is
  // over or stopped.
  std::optional<Folder> next();
  // The subfolders of the folder next() handed out last are not entered.
  void skipChildren();

 private:
  struct Level {
    FolderReadAhead::NodePtr node;
    std::vector<std::string> subfolders;
    std::size_t next = 0;
  };

  // Takes the listing of the node just entered (at stack_.back()) and makes a folder of it; empty
  // when it is not handed out.
  std::optional<Folder> visit();
  std::vector<std::string> subfoldersOf(const FolderSnapshot& listing, std::size_t level) const;
  bool hiddenSystem(const FolderSnapshot& listing, const FolderSnapshot::Entry& entry) const;
  bool reported(const FolderSnapshot& listing, const FolderSnapshot::Entry& entry) const;
  ReadAheadRules readAheadRules() const;
  void finish();

  std::string root_;
  WalkRules rules_;
  // The mask in upper case, as the matcher takes it; a blank one is refused here rather than on
  // a read-ahead thread at the first file.
  UpperNameMask mask_;
  std::stop_token stop_;
  bool started_ = false;
  bool done_ = false;
  // Folders handed out (and those kept out), so that none comes twice.
  std::unordered_set<platform::FolderId, FolderIdHash> listed_;
  std::unique_ptr<FolderReadAhead> ahead_;
  // The folders from the root down to the one handed out last: each keeps the names of its
  // subfolders still to be entered, never a whole path, so memory grows with the depth only.
  std::vector<Level> stack_;
};

}  // namespace zendrift::search
