// Folder listing on Windows, with FindFirstFileExW and its kin.
//
// The listing record carries every attribute, the size and the last-write time, so entries come
// complete and fetch nothing later.
#include <windows.h>

#include "platform/directory_listing.h"
#include "platform/path.h"
#include "platform/win32/win32_text.h"

namespace zendrift::platform {

namespace {

FileTime fileTimeOf(const FILETIME& time) {
  return (static_cast<FileTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::uint64_t sizeOf(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

DirEntry::Raw rawEntry(const WIN32_FIND_DATAW& data, const std::string& folder) {
  DirEntry::Raw raw;
  raw.name = win32::toUtf8(data.cFileName);
  raw.folder = folder;
  raw.directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  raw.symlink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  raw.attributes = data.dwFileAttributes;
  raw.size = raw.directory ? 0 : sizeOf(data.nFileSizeHigh, data.nFileSizeLow);
  raw.lastWriteTime = fileTimeOf(data.ftLastWriteTime);
  return raw;
}

// A folder named where a file stands, or by a name no folder can have, is a missing folder, as
// on the other platform. (Windows reports the first as ERROR_DIRECTORY, Wine as
// ERROR_INVALID_NAME.)
std::error_code listingError(DWORD error) {
  if (error == ERROR_DIRECTORY || error == ERROR_INVALID_NAME) return OsErrc::pathNotFound;
  return osError(error);
}

// The "?" of the "\\?\" form (and "\\?\UNC\") is no wildcard; one anywhere after it is.
bool hasWildcard(std::string_view path) {
  if (path.starts_with("\\\\?\\")) path.remove_prefix(4);
  return path.find_first_of("*?") != std::string_view::npos;
}

// `wholeFolder` asks for larger batches from the file system (fewer round trips on a network
// share or a big folder); one entry's lookup has no use for them. The basic level skips the 8.3
// names, which nothing here reads (a shortcut's short-name target is found by Windows itself).
HANDLE findFirst(const std::wstring& pattern, WIN32_FIND_DATAW& data, bool wholeFolder = false) {
  const DWORD flags = wholeFolder ? FIND_FIRST_EX_LARGE_FETCH : 0;
  HANDLE find = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, flags);
  // A system that does not know the flag refuses it; the listing is the same without.
  if (find == INVALID_HANDLE_VALUE && flags != 0 && ::GetLastError() == ERROR_INVALID_PARAMETER) {
    find = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
  }
  return find;
}

}  // namespace

// Entries made elsewhere than a listing (copies of a default entry) read the file system here.
void DirEntry::fetchStatus() const {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  const std::wstring path = win32::systemPath(fullPath());
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
    attributes_ = directory_ ? kAttrDirectory : kAttrArchive;
    size_ = 0;
    lastWriteTime_ = 0;
    return;
  }
  attributes_ = data.dwFileAttributes;
  size_ = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : sizeOf(data.nFileSizeHigh, data.nFileSizeLow);
  lastWriteTime_ = fileTimeOf(data.ftLastWriteTime);
}

void DirEntry::fetchHiddenSystem() const {
  if (!attributes_) fetchStatus();
  hiddenSystem_ = *attributes_ & (kAttrHidden | kAttrSystem);
}

struct DirectoryListing::Handle {
  HANDLE find = INVALID_HANDLE_VALUE;
  std::string folder;
};

DirectoryListing::DirectoryListing() = default;
DirectoryListing::~DirectoryListing() { close(); }

bool DirectoryListing::isOpen() const noexcept { return handle_ && handle_->find != INVALID_HANDLE_VALUE; }

std::error_code DirectoryListing::open(std::string_view folder) {
  close();
  if (folder.empty()) return OsErrc::pathNotFound;
  std::string path = withTrailingSeparator(folder);
  WIN32_FIND_DATAW data{};
  const HANDLE find = findFirst(win32::systemPath(path + "*"), data, true);
  if (find == INVALID_HANDLE_VALUE) return listingError(::GetLastError());
  handle_ = std::make_unique<Handle>();
  handle_->find = find;
  handle_->folder = std::move(path);
  entry_.assign(rawEntry(data, handle_->folder));
  return {};
}

// A folder listing on Windows carries every entry's attributes, a subfolder's among them: there
// is no opening through the folder above to be had.
std::error_code DirectoryListing::openIn(const OpenFolder&, std::string_view, std::string_view folder) {
  return open(folder);
}

std::optional<std::uint32_t> DirectoryListing::hiddenSystemAttributes() const { return std::nullopt; }

OpenFolder DirectoryListing::holdOpen() { return {}; }

std::error_code DirectoryListing::next() {
  if (!isOpen()) return OsErrc::invalidParameter;
  WIN32_FIND_DATAW data{};
  if (!::FindNextFileW(handle_->find, &data)) return listingError(::GetLastError());
  entry_.assign(rawEntry(data, handle_->folder));
  return {};
}

std::optional<FolderId> folderIdentity(std::string_view folderPath) {
  if (folderPath.empty()) return std::nullopt;
  const std::wstring path = win32::systemPath(folderPath);
  // Backup semantics open a folder; no access right is asked for, so a locked folder still works.
  const HANDLE folder = ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = ::GetFileInformationByHandle(folder, &info) != 0;
  ::CloseHandle(folder);
  if (!known) return std::nullopt;
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return std::nullopt;
  return FolderId{info.dwVolumeSerialNumber, sizeOf(info.nFileIndexHigh, info.nFileIndexLow)};
}

std::optional<FolderId> DirectoryListing::folderId() const {
  if (!isOpen()) return std::nullopt;
  return folderIdentity(handle_->folder);
}

std::error_code DirectoryListing::close() {
  if (!isOpen()) return {};
  const BOOL closed = ::FindClose(handle_->find);
  const DWORD error = closed ? ERROR_SUCCESS : ::GetLastError();
  handle_.reset();
  return osError(error);
}

std::optional<DirEntry> findEntry(std::string_view path) {
  // Windows names never hold wildcards; a pattern would match some other entry.
  if (path.empty() || hasTrailingSeparator(path) || path.back() == '/' || hasWildcard(path)) return std::nullopt;
  WIN32_FIND_DATAW data{};
  const HANDLE find = findFirst(win32::systemPath(path), data);
  if (find == INVALID_HANDLE_VALUE) return std::nullopt;
  ::FindClose(find);
  return DirEntry(rawEntry(data, std::string(withoutFileName(path))));
}

}  // namespace zendrift::platform
