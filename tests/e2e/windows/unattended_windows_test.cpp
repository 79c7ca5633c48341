// zendrift.exe run unattended over shortcuts made by the system's shell-link object and by the
// test builder: /list names exactly the orphans, /silent removes exactly them and the folders
// they leave empty.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "lnk_builder.h"
#include "platform/file_system.h"
#include "platform/windows_profile.h"
#include "shell_link_writer.h"
#include "temp_dir.h"
#include "windows_program_run.h"

namespace zendrift::testing {
namespace {

using win32::ComApartment;
using win32::saveShellLink;

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

struct ListedOrphan {
  bool marked = false;
  std::string path;
  std::string target;
  friend bool operator<(const ListedOrphan& a, const ListedOrphan& b) { return a.path < b.path; }
};

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

// The settings file of the profile, replaced for the test and put back afterwards.
class SettingsFileGuard {
 public:
  explicit SettingsFileGuard(std::string_view content)
      : path_(platform::specialFolderPath(CSIDL_APPDATA) + "\\Zendrift\\zendrift.ini"),
        saved_(platform::readFile(path_)) {
    platform::createFolders(platform::specialFolderPath(CSIDL_APPDATA) + "\\Zendrift");
    EXPECT_TRUE(platform::replaceFile(path_, content));
  }
  ~SettingsFileGuard() {
    if (saved_) {
      platform::replaceFile(path_, *saved_);
    } else {
      platform::deleteFile(path_);
    }
  }
  SettingsFileGuard(const SettingsFileGuard&) = delete;
  SettingsFileGuard& operator=(const SettingsFileGuard&) = delete;

 private:
  std::string path_;
  std::optional<std::string> saved_;
};

// Only the user folder is scanned, so the profile's own shortcuts stay out of the results.
constexpr std::string_view kOnlyUserFolder =
    "[Directories]\r\nStartMenu=0\r\nAllUsersStartMenu=0\r\nDesktop=0\r\nAllUsersDeskTop=0\r\nFavorites=0\r\n"
    "History=0\r\nProgramFiles=0\r\nTempPath=0\r\nApplicationData=0\r\nRecent=0\r\n";

class UnattendedWindowsRun : public ::testing::Test {
 protected:
  UnattendedWindowsRun() : settings(kOnlyUserFolder) {
    for (const char* file : {"live.exe", "gone.exe", "Old Game\\old.exe", "Data\\readme.txt"}) {
      writeFile(root.path() / "Targets" / file, "x");
    }
    std::filesystem::create_directories(root.path() / "My Shortcuts");
    saveShellLink(shortcut("Live.lnk"), target("live.exe"));
    saveShellLink(shortcut("Gone.lnk"), target("gone.exe"));
    saveShellLink(shortcut("Games\\Old\\old.lnk"), target("Old Game\\old.exe"));
    saveShellLink(shortcut("Games\\Data.lnk"), target("Data"));
    LnkBuilder().localPath(target("vanished.txt")).writeTo(root.path() / "My Shortcuts" / "Built" / "built gone.lnk");
    LnkBuilder().localPath(target("live.exe")).writeTo(root.path() / "My Shortcuts" / "Built Live.lnk");
    // The targets go away after the shortcuts were made, as when a program is uninstalled.
    std::filesystem::remove(root.path() / "Targets" / "gone.exe");
    std::filesystem::remove_all(root.path() / "Targets" / "Old Game");
  }

  std::string userFolder() const { return root / "My Shortcuts"; }
  std::string shortcut(std::string_view relative) const {
    const std::string path = userFolder() + "\\" + std::string(relative);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    return path;
  }
  std::string target(std::string_view relative) const { return root / "Targets" + "\\" + std::string(relative); }

  ComApartment com;
  TempDir root;
  SettingsFileGuard settings;
};

TEST_F(UnattendedWindowsRun, ListNamesExactlyTheOrphansAndDeletesNothing) {
  const auto result = win32::runProgram(win32::zendriftExecutable(), {"/list", "/userdir", userFolder()});
  EXPECT_EQ(result.exitCode, 0u) << result.err;
  const auto orphans = parseList(result.out);
  ASSERT_EQ(orphans.size(), 3u) << result.out;
  EXPECT_EQ(orphans[0].path, userFolder() + "\\Built\\built gone.lnk");
  EXPECT_EQ(orphans[0].target, target("vanished.txt"));
  EXPECT_EQ(orphans[1].path, userFolder() + "\\Games\\Old\\old.lnk");
  EXPECT_EQ(orphans[2].path, userFolder() + "\\Gone.lnk");
  for (const auto& orphan : orphans) EXPECT_TRUE(orphan.marked) << orphan.path;
  EXPECT_EQ(result.err, "Ready. 3 orphan(s) found.\n");

  for (const char* kept : {"Gone.lnk", "Games\\Old\\old.lnk", "Built\\built gone.lnk", "Live.lnk"}) {
    EXPECT_TRUE(platform::fileExists(userFolder() + "\\" + kept)) << kept;
  }
}

TEST_F(UnattendedWindowsRun, ShellLinksKeepTheTargetPathTheyWereGiven) {
  const auto result = win32::runProgram(win32::zendriftExecutable(), {"/list", "/userdir", userFolder()});
  const auto orphans = parseList(result.out);
  ASSERT_EQ(orphans.size(), 3u) << result.out;
  // Letter case may differ: the shell stores the name as the file system spells it.
  auto lower = [](std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
  };
  EXPECT_EQ(lower(orphans[1].target), lower(target("Old Game\\old.exe")));
  EXPECT_EQ(lower(orphans[2].target), lower(target("gone.exe")));
}

TEST_F(UnattendedWindowsRun, SilentRemovesTheOrphansAndTheFoldersTheyEmpty) {
  const auto result = win32::runProgram(win32::zendriftExecutable(), {"/silent", "/userdir", userFolder()});
  EXPECT_EQ(result.exitCode, 0u) << result.err;

  for (const char* gone : {"Gone.lnk", "Games\\Old\\old.lnk", "Built\\built gone.lnk"}) {
    EXPECT_FALSE(platform::fileExists(userFolder() + "\\" + gone)) << gone;
  }
  EXPECT_FALSE(platform::folderExists(userFolder() + "\\Games\\Old"));
  EXPECT_FALSE(platform::folderExists(userFolder() + "\\Built"));
  for (const char* kept : {"Live.lnk", "Built Live.lnk", "Games\\Data.lnk"}) {
    EXPECT_TRUE(platform::fileExists(userFolder() + "\\" + kept)) << kept;
  }
  EXPECT_TRUE(platform::folderExists(userFolder() + "\\Games"));

  // A second run finds nothing left to do.
  const auto again = win32::runProgram(win32::zendriftExecutable(), {"/list", "/userdir", userFolder()});
  EXPECT_EQ(again.out, "");
  EXPECT_EQ(again.err, "Ready. 0 orphan(s) found.\n");
}

}  // namespace
}  // namespace zendrift::testing
