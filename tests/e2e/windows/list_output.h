// What the end-to-end tests share: /list's output read back, and the profile's settings file
// replaced for a test.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace zendrift::testing::win32 {

struct ListedOrphan {
  bool marked = false;
  std::string path;
  std::string target;
  friend bool operator<(const ListedOrphan& a, const ListedOrphan& b) { return a.path < b.path; }
};

// The lines of /list, escapes undone, sorted by path. A line of another form fails the test.
std::vector<ListedOrphan> parseList(const std::string& out);

// The settings file of the profile (%APPDATA%\Zendrift\zendrift.ini), replaced for the test and
// put back afterwards.
class SettingsFileGuard {
 public:
  explicit SettingsFileGuard(std::string_view content);
  ~SettingsFileGuard();
  SettingsFileGuard(const SettingsFileGuard&) = delete;
  SettingsFileGuard& operator=(const SettingsFileGuard&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  platform::Result<std::string> saved_;
};

// The running user's shell folder `csidl`; empty when it is not there.
std::string userShellFolder(int csidl);

// Settings that scan only the user folder, so the profile's own shortcuts stay out of the results.
inline constexpr std::string_view kOnlyUserFolder =
    "[Directories]\r\nStartMenu=0\r\nAllUsersStartMenu=0\r\nDesktop=0\r\nAllUsersDeskTop=0\r\nFavorites=0\r\n"
    "History=0\r\nProgramFiles=0\r\nTempPath=0\r\nApplicationData=0\r\nRecent=0\r\n";

}  // namespace zendrift::testing::win32
