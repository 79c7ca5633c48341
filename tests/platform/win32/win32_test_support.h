// Helpers for the Win32 back end's tests: real files made through the wide APIs, UTF-8 paths.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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

// Under Wine, the host (Unix) path of a Windows path; empty on Windows.
std::string hostPath(const std::wstring& windowsPath);

// Under Wine, runs a host program (`arguments[0]` a host path) and waits for it. True when it ran
// and succeeded.
bool runHostProgram(const std::vector<std::string>& arguments);

// A symbolic link made as a user would make one: under Wine a Unix symbolic link made by the
// host's ln (Wine 8's CreateSymbolicLinkW does nothing and says it worked), on Windows
// CreateSymbolicLinkW. Removed itself when the object goes; make it after the TempDir that holds
// it, because a Windows program's deletion under Wine deletes a link's target instead.
class SymbolicLink {
 public:
  SymbolicLink(std::wstring link, const std::wstring& target);
  ~SymbolicLink();
  SymbolicLink(const SymbolicLink&) = delete;
  SymbolicLink& operator=(const SymbolicLink&) = delete;
  // False when links cannot be made here (no privilege); the link is then not there.
  bool made() const { return made_; }

 private:
  std::wstring link_;
  bool folder_ = false;
  bool made_ = false;
};

}  // namespace zendrift::testing::win32
