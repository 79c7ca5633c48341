// zendrift.exe run unattended over shortcuts made by the system's shell-link object and by the
// test builder: /list names exactly the orphans, /silent removes exactly them and the folders
// they leave empty.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "list_output.h"
#include "lnk_builder.h"
#include "platform/file_system.h"
#include "profile/windows_profile.h"
#include "shell_link_writer.h"
#include "temp_dir.h"
#include "windows_program_run.h"

namespace zendrift::testing {
namespace {

using win32::ComApartment;
using win32::kOnlyUserFolder;
using win32::parseList;
using win32::saveShellLink;
using win32::SettingsFileGuard;

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

// Items in the Recycle Bin of the drive that holds `path`; -1 when the shell cannot tell.
long long recycledItems(const std::string& path) {
  const std::wstring root = std::wstring(1, static_cast<wchar_t>(path.at(0))) + L":\\";
  SHQUERYRBINFO info{};
  info.cbSize = sizeof info;
  if (FAILED(::SHQueryRecycleBinW(root.c_str(), &info))) return -1;
  return info.i64NumItems;
}

TEST_F(UnattendedWindowsRun, SilentRecyclesUndoRestoresAndPermanentDeletesForGood) {
  const long long before = recycledItems(userFolder());
  ASSERT_GE(before, 0) << "no Recycle Bin on the test drive";
  const auto recycled = win32::runProgram(win32::zendriftExecutable(), {"/silent", "/userdir", userFolder()});
  EXPECT_EQ(recycled.exitCode, 0u) << recycled.err;
  EXPECT_FALSE(platform::fileExists(userFolder() + "\\Gone.lnk"));
  EXPECT_FALSE(platform::folderExists(userFolder() + "\\Games\\Old"));
  EXPECT_EQ(recycledItems(userFolder()), before + 3);

  const auto undone = win32::runProgram(win32::zendriftExecutable(), {"/undo"});
  EXPECT_EQ(undone.exitCode, 0u) << undone.err;
  for (const char* back : {"Gone.lnk", "Games\\Old\\old.lnk", "Built\\built gone.lnk"}) {
    EXPECT_TRUE(platform::fileExists(userFolder() + "\\" + back)) << back;
  }
  EXPECT_EQ(recycledItems(userFolder()), before);

  const auto deleted = win32::runProgram(win32::zendriftExecutable(), {"/silent", "/permanent", "/userdir", userFolder()});
  EXPECT_EQ(deleted.exitCode, 0u) << deleted.err;
  EXPECT_FALSE(platform::fileExists(userFolder() + "\\Gone.lnk"));
  EXPECT_EQ(recycledItems(userFolder()), before);
}

}  // namespace
}  // namespace zendrift::testing
