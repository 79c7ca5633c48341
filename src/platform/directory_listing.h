// Listing one folder's entries, the way the folder walk and the removal go through folders.
//
// A listing holds one open folder. Entries come in the file system's order, "." and ".."
// included. The name and whether the entry is a folder are known at once; the other attributes,
// the size and the last-write time are fetched only when asked for, because most entries of a
// walk never need them and fetching them costs a system call per entry.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_attributes.h"
#include "platform/guarded_removal.h"
#include "platform/os_error.h"
#include "platform/result.h"

namespace zendrift::platform {

// What DirEntry::readWhole read: how many bytes, and from which version of which file.
struct FileRead {
  std::size_t length = 0;
  EntryVersion version;
};

// One listed entry. Copies keep what was fetched so far and can still fetch the rest.
class DirEntry {
 public:
  DirEntry() = default;

  const std::string& name() const noexcept { return name_; }
  // The folder that was listed, with a trailing delimiter.
  const std::string& folder() const noexcept { return folder_; }
  std::string fullPath() const { return folder_ + name_; }

  bool isDirectory() const noexcept { return directory_; }
  // A symbolic link (its attributes carry the reparse-point bit); known without a system call.
  bool isSymlink() const noexcept { return symlink_; }
  // Directory, hidden, system, read-only and reparse-point bits (file_attributes.h).
  std::uint32_t attributes() const;
  // Only the hidden and system bits of attributes(); cheaper where a back end can read them
  // without the rest (one extended-attribute read on POSIX, no status read).
  std::uint32_t hiddenSystemAttributes() const;
  std::uint64_t size() const;
  FileTime lastWriteTime() const;
  // Appends the whole of a regular file of at most `maxBytes` to `into`, read through one open
  // (relative to the listed folder while its listing is open), and answers how many bytes it
  // appended and the identity of the file they came from. A link is not followed, and a larger
  // file is not read: both answer an error, as does anything but a regular file, so that the
  // caller reads such entries its own way. So does a file whose data is not in the system's cache
  // (where the system can tell): its reading from the disk is started and not waited for. Fills
  // in the size, the last-write time and (through the open file, where that is cheaper than by
  // name) the hidden and system bits on the way.
  Result<FileRead> readWhole(std::size_t maxBytes, std::string& into) const;

  // Filled by the back end.
  struct Raw {
    std::string name;
    std::string folder;
    bool directory = false;
    bool symlink = false;
    std::optional<std::uint32_t> attributes;
    std::optional<std::uint64_t> size;
    std::optional<FileTime> lastWriteTime;
    // The listed folder's descriptor while its listing is open (-1 once closed), so that the
    // back end can read the entry's facts relative to it instead of by its whole path.
    std::shared_ptr<const int> folderDescriptor;
    bool dotNamesHidden = true;
  };
  explicit DirEntry(Raw raw);
  void assign(Raw&& raw);
  // The listing's per-entry step: reuses this entry's storage, so listing allocates nothing.
  void assignListed(std::string_view name, const std::string& folder, bool directory, bool symlink,
                    const std::shared_ptr<const int>& folderDescriptor, bool dotNamesHidden = true);

  // What has been fetched so far, so that another thread can take the entry over later without
  // asking the system again.
  struct Facts {
    std::optional<std::uint32_t> attributes;
    std::optional<std::uint32_t> hiddenSystem;
    std::optional<std::uint64_t> size;
    std::optional<FileTime> lastWriteTime;
  };
  Facts facts() const { return {attributes_, hiddenSystem_, size_, lastWriteTime_}; }
  // An entry of a listing that is closed by now: facts not given are fetched by path.
  void assignKnown(std::string_view name, const std::string& folder, bool directory, bool symlink, const Facts& facts,
                   bool dotNamesHidden);

 private:
  void fetchStatus() const;
  void fetchHiddenSystem() const;
  // The hidden and system bits read through the entry opened as `fd` (POSIX).
  void fetchHiddenSystemFrom(int fd) const;

  std::string name_;
  std::string folder_;
  bool directory_ = false;
  bool symlink_ = false;
  bool dotNamesHidden_ = true;
  mutable std::optional<std::uint32_t> attributes_;
  mutable std::optional<std::uint32_t> hiddenSystem_;
  mutable std::optional<std::uint64_t> size_;
  mutable std::optional<FileTime> lastWriteTime_;
  std::shared_ptr<const int> folderDescriptor_;
};

// Identifies a folder on its device, so that a walk can tell when it meets a folder again
// (through a bind mount, say).
struct FolderId {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  friend bool operator==(const FolderId&, const FolderId&) = default;
  friend auto operator<=>(const FolderId&, const FolderId&) = default;
};

// A folder held open after its listing closed, so that the folders in it can be opened through
// it rather than by their whole path: no lookup of every folder above, and no link followed on
// the way. The folder closes when the last copy goes. Always empty where the system has no such
// opening (Windows).
class OpenFolder {
 public:
  OpenFolder() = default;
  explicit operator bool() const noexcept { return static_cast<bool>(descriptor_); }

 private:
  friend class DirectoryListing;
  struct Descriptor;
  std::shared_ptr<const Descriptor> descriptor_;
};

class DirectoryListing {
 public:
  DirectoryListing();
  ~DirectoryListing();
  DirectoryListing(const DirectoryListing&) = delete;
  DirectoryListing& operator=(const DirectoryListing&) = delete;

  // Opens `folder` (with or without a trailing delimiter) and reads its first entry.
  // Returns no error, OsErrc::fileNotFound (no entry at all), OsErrc::pathNotFound (no such
  // folder), OsErrc::accessDenied, or another code.
  std::error_code open(std::string_view folder);
  // Opens the subfolder `name` of `parent` (`folder` is its whole path, which the entries carry)
  // without following a link in its place; by its whole path, still not following a link at its
  // end, when `parent` is empty or no more files may be opened. Answers as open() does; a link
  // where the folder was answers an error.
  std::error_code openIn(const OpenFolder& parent, std::string_view name, std::string_view folder);
  // Reads the next entry; OsErrc::noMoreFiles at the end of the listing.
  std::error_code next();
  // The entry that open() or the last next() read.
  const DirEntry& entry() const noexcept { return entry_; }
  bool isOpen() const noexcept;
  // The identity of the open folder; empty when not open or not known.
  std::optional<FolderId> folderId() const;
  // The open folder's own hidden and system bits, as its entry in the folder above shows them
  // (its name beginning with "." counts); empty when not open or where a listing cannot tell.
  std::optional<std::uint32_t> hiddenSystemAttributes() const;
  // Keeps the open folder open past close(), for as long as the answer or a copy of it lives.
  // Empty where folders cannot be opened through another (Windows).
  OpenFolder holdOpen();
  // Closes the listing; returns no error or the failure. Safe to call when not open.
  std::error_code close();
  // Whether a name that begins with "." is hidden (POSIX only; the default). Wine hides them
  // unless its ShowDotFiles setting is on.
  void setDotNamesHidden(bool hidden) noexcept { dotNamesHidden_ = hidden; }
  bool dotNamesHidden() const noexcept { return dotNamesHidden_; }

 private:
  // Takes the opened folder `fd` over and reads its first entry.
  std::error_code start(int fd, std::string path);

  struct Handle;
  std::unique_ptr<Handle> handle_;
  DirEntry entry_;
  bool dotNamesHidden_ = true;
};

// Looks up exactly `path` (no wildcard) the way a listing would report it. Empty when nothing
// is there. A path with a trailing delimiter finds nothing, as the Windows listing does.
std::optional<DirEntry> findEntry(std::string_view path);

// The identity of the folder at `path`, following links; empty when no folder is there. Two
// spellings of one folder (through a link, say) have the same identity.
std::optional<FolderId> folderIdentity(std::string_view path);

}  // namespace zendrift::platform
