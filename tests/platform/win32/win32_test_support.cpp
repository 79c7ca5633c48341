// Helpers for the Win32 back end's tests.
#include "win32_test_support.h"

#include <windows.h>

#include <stdexcept>
#include <vector>

#include "platform/win32/win32_text.h"

namespace zendrift::testing::win32 {

std::string utf8(const std::filesystem::path& path) { return platform::win32::toUtf8(path.wstring()); }

void makeFile(const std::wstring& path, std::string_view content) {
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + platform::win32::toUtf8(path));
  DWORD written = 0;
  const bool ok = ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
                  written == content.size();
  ::CloseHandle(file);
  if (!ok) throw std::runtime_error("cannot write " + platform::win32::toUtf8(path));
}

void makeFolder(const std::wstring& path) {
  if (!::CreateDirectoryW(path.c_str(), nullptr)) {
    throw std::runtime_error("cannot create folder " + platform::win32::toUtf8(path));
  }
}

ScopedWideEnv::ScopedWideEnv(std::wstring name, const wchar_t* value) : name_(std::move(name)) {
  std::vector<wchar_t> buffer(32768);
  ::SetLastError(ERROR_SUCCESS);
  const DWORD length = ::GetEnvironmentVariableW(name_.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  hadValue_ = length != 0 || ::GetLastError() != ERROR_ENVVAR_NOT_FOUND;
  if (hadValue_) oldValue_.assign(buffer.data(), length);
  ::SetEnvironmentVariableW(name_.c_str(), value);
}

ScopedWideEnv::~ScopedWideEnv() { ::SetEnvironmentVariableW(name_.c_str(), hadValue_ ? oldValue_.c_str() : nullptr); }

std::string hostPath(const std::wstring& windowsPath) {
  if (!underWine()) return {};
  // Wine's own export; the name comes back from the process heap.
  using UnixName = char*(CDECL*)(const wchar_t*);
  const auto convert = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return {};
  char* name = convert(windowsPath.c_str());
  if (!name) return {};
  std::string result = name;
  ::HeapFree(::GetProcessHeap(), 0, name);
  return result;
}

bool runHostProgram(const std::vector<std::string>& arguments) {
  if (!underWine() || arguments.empty()) return false;
  // CreateProcessW starts a Unix program without waiting and without a handle to wait on; Wine's
  // own spawn waits when asked to.
  using Spawn = LONG(CDECL*)(char* const*, int);
  const auto spawn = reinterpret_cast<Spawn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "__wine_unix_spawnvp")));
  if (!spawn) return false;
  std::vector<std::string> copies = arguments;
  std::vector<char*> argv;
  for (std::string& argument : copies) argv.push_back(argument.data());
  argv.push_back(nullptr);
  return spawn(argv.data(), 1) == 0;
}

SymbolicLink::SymbolicLink(std::wstring link, const std::wstring& target) : link_(std::move(link)) {
  const DWORD targetAttributes = ::GetFileAttributesW(target.c_str());
  if (targetAttributes == INVALID_FILE_ATTRIBUTES) throw std::runtime_error("no link target " + platform::win32::toUtf8(target));
  folder_ = (targetAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (underWine()) {
    const std::string hostLink = hostPath(link_);
    const std::string hostTarget = hostPath(target);
    made_ = !hostLink.empty() && !hostTarget.empty() && runHostProgram({"/bin/ln", "-s", hostTarget, hostLink});
  } else {
    DWORD flags = SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE;
    if (folder_) flags |= SYMBOLIC_LINK_FLAG_DIRECTORY;
    made_ = ::CreateSymbolicLinkW(link_.c_str(), target.c_str(), flags) != 0;
  }
  made_ = made_ && ::GetFileAttributesW(link_.c_str()) != INVALID_FILE_ATTRIBUTES;
}

SymbolicLink::~SymbolicLink() {
  if (!made_) return;
  if (underWine()) {
    const std::string hostLink = hostPath(link_);
    if (!hostLink.empty()) runHostProgram({"/bin/rm", "-f", hostLink});
  } else if (folder_) {
    ::RemoveDirectoryW(link_.c_str());
  } else {
    ::DeleteFileW(link_.c_str());
  }
}

bool underWine() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace zendrift::testing::win32
