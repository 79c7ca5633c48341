// File and folder services on Windows, through the wide-character file APIs.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <utility>

#include "platform/directory_listing.h"
#include "platform/file_system.h"
#include "platform/os_error.h"
#include "platform/path.h"
#include "platform/win32/entry_handle.h"
#include "platform/win32/win32_text.h"

namespace zendrift::platform {

namespace {

using win32::FileHandle;
using win32::kShareAll;

DWORD attributesOf(std::string_view path) {
  if (path.empty()) return INVALID_FILE_ATTRIBUTES;
  return ::GetFileAttributesW(win32::systemPath(path).c_str());
}

// The thread's last error as an error code; a failure that set none still reads as one.
std::error_code lastError() {
  const DWORD error = ::GetLastError();
  return osError(error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error);
}

bool writeAll(HANDLE file, std::string_view content) {
  while (!content.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1U << 30));
    DWORD written = 0;
    if (!::WriteFile(file, content.data(), chunk, &written, nullptr) || written == 0) return false;
    content.remove_prefix(written);
  }
  return true;
}

// Where the path leads when it is a symbolic link, so that a replacement keeps the link.
std::wstring finalPathOf(const std::wstring& path) {
  FileHandle file(::CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) return {};
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetFinalPathNameByHandleW(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(length);
  }
}

// A fresh file beside `target`, opened for writing. Empty name when none could be made.
std::pair<std::wstring, HANDLE> createTemporaryBeside(const std::wstring& target) {
  static std::atomic<unsigned> counter{0};
  const std::size_t slash = target.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? std::wstring() : target.substr(0, slash + 1);
  const std::wstring name = slash == std::wstring::npos ? target : target.substr(slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring candidate = win32::systemPath(folder + L"." + name + L"." + std::to_wstring(::GetCurrentProcessId()) + L"." +
                                   std::to_wstring(::GetTickCount64() % 100000) + L"." + std::to_wstring(counter++));
    const HANDLE file = ::CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return {candidate, file};
    if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return {std::wstring(), INVALID_HANDLE_VALUE};
}

// The length of the root of a full path: "C:\" or "\\server\share\" (0 when neither).
std::size_t rootLength(std::wstring_view full) {
  if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return 3;
  if (full.size() > 2 && full[0] == L'\\' && full[1] == L'\\') {
    const std::size_t serverEnd = full.find(L'\\', 2);
    if (serverEnd == std::wstring_view::npos) return full.size();
    const std::size_t shareEnd = full.find(L'\\', serverEnd + 1);
    return shareEnd == std::wstring_view::npos ? full.size() : shareEnd + 1;
  }
  return 0;
}

bool isFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(win32::systemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool fileExists(std::string_view path) {
  const auto entry = findEntry(path);
  return entry && !entry->isDirectory();
}

std::string longPathName(std::string_view path) {
  if (path.empty()) return {};
  const std::wstring wide = win32::toWide(path);
  const DWORD size = ::GetLongPathNameW(wide.c_str(), nullptr, 0);
  if (size == 0) return {};
  std::wstring result(size, L'\0');
  const DWORD written = ::GetLongPathNameW(wide.c_str(), result.data(), size);
  if (written == 0 || written >= size) return {};
  result.resize(written);
  return win32::toUtf8(result);
}

bool folderExists(std::string_view path) {
  const DWORD attributes = attributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// By handle rather than DeleteFileW, which under Wine deletes what a Unix symbolic link points
// at and leaves the link. A Windows link opens as itself and goes; a link that Wine opens as its
// target is left alone.
std::error_code deleteFile(std::string_view path) {
  if (path.empty()) return osError(ERROR_PATH_NOT_FOUND);
  const std::wstring full = win32::withoutLongPathPrefix(win32::fullPathName(win32::toWide(path)));
  const std::size_t root = rootLength(full);
  const std::size_t slash = full.find_last_of(L'\\');
  if (root == 0 || slash == std::wstring::npos || slash + 1 < root || slash + 1 == full.size()) return osError(ERROR_INVALID_NAME);
  const std::wstring name = full.substr(slash + 1);
  // "C:\file" lies in the root itself, which keeps its backslash.
  const std::wstring folder = slash + 1 == root ? full.substr(0, root) : full.substr(0, slash);
  const FileHandle parent(::CreateFileW(win32::systemPath(folder).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!parent.valid()) return lastError();
  FileHandle entry = win32::openEntry(full, DELETE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE);
  if (!entry.valid()) return lastError();
  const DWORD attributes = win32::attributesOf(entry.get());
  if (attributes == INVALID_FILE_ATTRIBUTES) return lastError();
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) {
    return osError(ERROR_ACCESS_DENIED);
  }
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT) && !win32::isDirectChild(parent.get(), entry.get(), name)) {
    return OsErrc::cantResolveFilename;
  }
  return win32::deleteOnClose(entry.get()) && entry.close() ? std::error_code() : lastError();
}

std::error_code removeFolder(std::string_view path) {
  if (path.empty()) return osError(ERROR_PATH_NOT_FOUND);
  return ::RemoveDirectoryW(win32::systemPath(path).c_str()) ? std::error_code() : lastError();
}

std::error_code createFolders(std::string_view path) {
  if (path.empty()) return osError(ERROR_PATH_NOT_FOUND);
  std::wstring full = win32::withoutLongPathPrefix(win32::fullPathName(win32::toWide(path)));
  while (full.size() > rootLength(full) && full.back() == L'\\') full.pop_back();
  const std::size_t root = rootLength(full);
  if (full.empty() || root == 0) return osError(ERROR_INVALID_NAME);
  // Create each missing folder from the root down; one that exists already is no failure.
  DWORD failure = ERROR_SUCCESS;
  for (std::size_t end = full.find(L'\\', root); ; end = full.find(L'\\', end + 1)) {
    const std::wstring prefix = full.substr(0, end);
    if (prefix.size() > root && !isFolder(prefix) && !::CreateDirectoryW(win32::systemPath(prefix).c_str(), nullptr)) {
      failure = ::GetLastError();
    }
    if (end == std::wstring::npos) break;
  }
  if (isFolder(full)) return {};
  return osError(failure == ERROR_SUCCESS || failure == ERROR_ALREADY_EXISTS ? ERROR_DIRECTORY : failure);
}

bool mayCreateEntriesIn(std::string_view folder) {
  const DWORD attributes = attributesOf(folder);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::error_code probeReadWrite(std::string_view path) {
  if (path.empty()) return osError(ERROR_PATH_NOT_FOUND);
  const FileHandle file(::CreateFileW(win32::systemPath(path).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid() ? std::error_code() : lastError();
}

Result<std::string> readFile(std::string_view path, std::size_t maxBytes) {
  if (path.empty()) return osError(ERROR_PATH_NOT_FOUND);
  // A folder cannot be opened without backup semantics, so folders fail here as they should.
  const FileHandle file(::CreateFileW(win32::systemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) return lastError();
  std::string content;
  LARGE_INTEGER size{};
  if (::GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) {
    content.reserve(std::min<std::size_t>(static_cast<std::size_t>(size.QuadPart), std::min<std::size_t>(maxBytes, 1U << 30)));
  }
  char buffer[65536];
  while (content.size() < maxBytes) {
    const DWORD want = static_cast<DWORD>(std::min(sizeof buffer, maxBytes - content.size()));
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer, want, &got, nullptr)) return lastError();
    if (got == 0) break;
    content.append(buffer, got);
  }
  return content;
}

std::error_code replaceFile(std::string_view path, std::string_view content) {
  if (path.empty()) return osError(ERROR_PATH_NOT_FOUND);
  std::wstring target = win32::systemPath(path);
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return osError(ERROR_ACCESS_DENIED);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    target = finalPathOf(target);
    if (target.empty()) return lastError();
  }
  auto [temporary, handle] = createTemporaryBeside(target);
  if (handle == INVALID_HANDLE_VALUE) return lastError();
  FileHandle file(handle);
  std::error_code error;
  if (!writeAll(file.get(), content) || !::FlushFileBuffers(file.get())) error = lastError();
  if (!file.close() && !error) error = lastError();
  if (!error && !::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = lastError();
  }
  if (error) ::DeleteFileW(temporary.c_str());
  return error;
}

}  // namespace zendrift::platform
