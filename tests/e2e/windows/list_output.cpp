// /list's output read back, and the settings file swapped for a test.
#include "list_output.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/file_system.h"
#include "profile/windows_profile.h"

namespace zendrift::testing::win32 {

namespace {

// Undoes the escapes of a /list field: "\\" is a backslash, "\t" a tab, "\n" a line break.
std::string unescaped(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\' || i + 1 == field.size()) {
      out += field[i];
      continue;
    }
    const char next = field[++i];
    out += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
  }
  return out;
}

}  // namespace

std::vector<ListedOrphan> parseList(const std::string& out) {
  std::vector<ListedOrphan> orphans;
  for (std::size_t start = 0, end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string line = out.substr(start, end - start);
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = line.find('\t', tab1 + 1);
    if (tab1 == std::string::npos || tab2 == std::string::npos) {
      ADD_FAILURE() << "not a /list line: " << line;
      continue;
    }
    orphans.push_back({line.substr(0, tab1) == "x", unescaped(line.substr(tab1 + 1, tab2 - tab1 - 1)),
                       unescaped(line.substr(tab2 + 1))});
  }
  std::sort(orphans.begin(), orphans.end());
  return orphans;
}

std::string userShellFolder(int csidl) {
  profile::RegistryCache registries;
  return profile::specialFolderPath(csidl, profile::scannedProfile({}), registries);
}

SettingsFileGuard::SettingsFileGuard(std::string_view content)
    : path_(userShellFolder(CSIDL_APPDATA) + "\\Zendrift\\zendrift.ini"), saved_(platform::readFile(path_)) {
  EXPECT_FALSE(platform::createFolders(userShellFolder(CSIDL_APPDATA) + "\\Zendrift"));
  EXPECT_FALSE(platform::replaceFile(path_, content));
}

SettingsFileGuard::~SettingsFileGuard() {
  if (saved_) {
    EXPECT_FALSE(platform::replaceFile(path_, *saved_));
  } else {
    EXPECT_FALSE(platform::deleteFile(path_));
  }
}

}  // namespace zendrift::testing::win32
