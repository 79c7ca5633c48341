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

bool underWine() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace zendrift::testing::win32
