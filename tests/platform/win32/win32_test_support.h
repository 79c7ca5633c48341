// Helpers for the Win32 back end's tests: real files made through the wide APIs, UTF-8 paths.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zendrift::testing::win32 {

// A host path as UTF-8, the way the platform layer takes it.
std::string utf8(const std::filesystem::path& path);

// Makes a file with `content` through CreateFileW; "\\?\" paths welcome. Throws on failure.
void makeFile(const std::wstring& path, std::string_view content = {});
void makeFolder(const std::wstring& path);

// Sets (or with nullptr removes) a variable of the process's environment for the life of the
// object, through the system's own environment block.
class ScopedWideEnv {
 public:
  ScopedWideEnv(std::wstring name, const wchar_t* value);
  ~ScopedWideEnv();
  ScopedWideEnv(const ScopedWideEnv&) = delete;
  ScopedWideEnv& operator=(const ScopedWideEnv&) = delete;

 private:
  std::wstring name_;
  bool hadValue_ = false;
  std::wstring oldValue_;
};

// True when the program runs under Wine rather than on Windows.
bool underWine();

}  // namespace zendrift::testing::win32
