// The scan driver and the removal, driven on real prefixes with a recording window.
#include <gtest/gtest.h>

#include "scan/scanner.h"
#include "scan_fixture.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

class ScannerTest : public PrefixFixture {
 protected:
  ScannerTest() : scanner(options, window) {}

  std::vector<std::string> lines() {
    std::vector<std::string> result;
    for (int i = 0; i < window.list.Items.Count(); ++i) result.push_back(window.list.Items.Get(i));
    return result;
  }

  settings::TIniRec options;  // every folder off
  RecordingWindow window;
  scan::Scanner scanner;
};

TEST_F(ScannerTest, NothingChosenEmptiesTheListAndFindsNothing) {
  window.list.Items.Add("old line");
  window.deleteEnabled = true;
  shortcut(desktop() / "gone.lnk", "C:\\Gone\\x.exe");
  options.UserDir = (home.path() / "missing").string();
  scanner.ScanForOrphans();
  EXPECT_EQ(window.list.Items.Count(), 0);
  EXPECT_EQ(window.status, "Ready. 0 orphan(s) found.");
  EXPECT_EQ(window.caption, "Start scan");
  EXPECT_TRUE(window.deleteEnabled) << "a count of 0 leaves the button as it was";
}

TEST_F(ScannerTest, FoldersAreScannedInTheirFixedOrderEachInFull) {
  options.StartMenu = options.AllUsersStartMenu = options.Desktop = options.Favorites = true;
  const std::string a = shortcut(favorites() / "a.lnk", "C:\\Gone\\a.exe");
  const std::string b = shortcut(desktop() / "b.lnk", "C:\\Gone\\b.exe");
  const std::string c = shortcut(commonStartMenu() / "c.LNK", "C:\\Gone\\c.exe");
  const std::string d = shortcut(startMenu() / "Programs/d.lnk", "C:\\Gone\\d.exe");
  // The user folder is the desktop again: its orphan is listed once more.
  options.UserDir = desktop().string();
  scanner.ScanForOrphans();
  EXPECT_EQ(lines(), (std::vector<std::string>{d, c, b, a, b}));
  EXPECT_EQ(window.status, "Ready. 5 orphan(s) found.");
  EXPECT_TRUE(window.deleteEnabled);
  EXPECT_EQ(window.focus, "delete");
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(window.list.IsItemChecked(i));

  // A second scan starts from an empty list; hidden windows keep their focus.
  window.visible = false;
  window.focus.clear();
  options.UserDir.clear();
  scanner.ScanForOrphans();
  EXPECT_EQ(lines(), (std::vector<std::string>{d, c, b, a}));
  EXPECT_EQ(window.focus, "");
}

TEST_F(ScannerTest, AStopDuringTheThirdOfFiveFoldersSkipsTheRest) {
  options.StartMenu = options.AllUsersStartMenu = options.Desktop = options.AllUsersDeskTop = options.Favorites = true;
  shortcut(startMenu() / "1.lnk", "C:\\Gone\\1.exe");
  shortcut(commonStartMenu() / "2.lnk", "C:\\Gone\\2.exe");
  for (int i = 0; i < 20; ++i) shortcut(desktop() / ("3-" + std::to_string(i) + ".lnk"), "C:\\Gone\\3.exe");
  shortcut(commonDesktop() / "4.lnk", "C:\\Gone\\4.exe");
  shortcut(favorites() / "5.lnk", "C:\\Gone\\5.exe");

  window.onPump = [&] {
    if (window.list.Items.Count() == 5) {
      window.onPump = nullptr;
      scanner.ScanForOrphans();  // the user presses the button again
      EXPECT_EQ(window.caption, "Start scan");
      EXPECT_TRUE(scan::ScanAborted);
    }
  };
  scanner.ScanForOrphans();
  EXPECT_TRUE(scan::ScanAborted);
  EXPECT_EQ(window.list.Items.Count(), 5) << "two folders, then three desktop orphans before the stop took effect";
  for (const std::string& line : lines()) EXPECT_EQ(line.find("Public"), std::string::npos) << line;
  EXPECT_EQ(window.status, "Ready. 5 orphan(s) found.");
  EXPECT_EQ(window.caption, "Start scan");
  EXPECT_FALSE(scanner.JvSearchFiles1().Busy());
}

TEST_F(ScannerTest, RemovalDeletesMarkedLinesAndEmptiedFoldersButNoProtectedOne) {
  options.StartMenu = options.Desktop = true;
  const fs::path programs = startMenu() / "Programs";
  shortcut(programs / "Chain/a.lnk", "C:\\Gone\\a.exe");
  shortcut(programs / "Chain/Inner/b.lnk", "C:\\Gone\\b.exe");
  shortcut(programs / "Chain/Inner/Deepest/c.lnk", "C:\\Gone\\c.exe");
  shortcut(programs / "Pair/1.lnk", "C:\\Gone\\1.exe");
  shortcut(programs / "Pair/2.lnk", "C:\\Gone\\2.exe");
  shortcut(programs / "Busy/x.lnk", "C:\\Gone\\x.exe");
  writeFile(programs / "Busy/.hidden", "");
  shortcut(desktop() / "top.lnk", "C:\\Gone\\top.exe");
  const std::string kept = shortcut(desktop() / "kept.lnk", "C:\\Gone\\kept.exe");
  scanner.ScanForOrphans();
  ASSERT_EQ(window.list.Items.Count(), 8);
  for (int i = 0; i < window.list.Items.Count(); ++i) {
    if (window.list.Items.Get(i) == kept) window.list.SetItemChecked(i, false);
  }

  window.onPump = [&] {
    EXPECT_FALSE(window.scanEnabled) << "no scan may start under the removal's loop";
    EXPECT_FALSE(window.deleteEnabled);
  };
  scanner.DeleteOrphans();
  EXPECT_EQ(lines(), std::vector<std::string>{kept});
  EXPECT_FALSE(fs::exists(programs / "Chain"));
  EXPECT_FALSE(fs::exists(programs / "Pair"));
  EXPECT_TRUE(fs::exists(programs / "Busy/.hidden"));
  EXPECT_FALSE(fs::exists(programs / "Busy/x.lnk"));
  EXPECT_TRUE(fs::is_directory(programs)) << "Programs held a removed folder, never a deleted shortcut";
  EXPECT_TRUE(fs::is_directory(desktop()));
  EXPECT_TRUE(fs::exists(kept));
  EXPECT_EQ(window.status, "Idle. Please note that empty folder are also removed.");
  EXPECT_TRUE(window.scanEnabled);
  EXPECT_TRUE(window.deleteEnabled);
  EXPECT_EQ(window.focus, "scan");
  EXPECT_FALSE(scan::FolderRemoved);
}

TEST_F(ScannerTest, RemovalWithNothingMarkedOrAnEmptyList) {
  options.Desktop = true;
  const std::string only = shortcut(desktop() / "only.lnk", "C:\\Gone\\x.exe");
  scanner.ScanForOrphans();
  window.list.SetItemChecked(0, false);
  scanner.DeleteOrphans();
  EXPECT_EQ(lines(), std::vector<std::string>{only});
  EXPECT_EQ(window.status, "Idle.");
  EXPECT_TRUE(window.deleteEnabled);

  window.list.SetItemChecked(0, true);
  scanner.DeleteOrphans();
  EXPECT_EQ(window.list.Items.Count(), 0);
  EXPECT_FALSE(fs::exists(only));
  EXPECT_TRUE(fs::is_directory(desktop())) << "the desktop is protected";
  EXPECT_EQ(window.status, "Idle.");
  EXPECT_FALSE(window.deleteEnabled);

  scanner.DeleteOrphans();
  EXPECT_EQ(window.status, "Idle.");
  EXPECT_FALSE(window.deleteEnabled);
}

TEST_F(ScannerTest, UserFolderStaysProtectedWithATrailingSlashAndGoneFilesDoNotStopTheRemoval) {
  TempDir mine;
  const std::string inside = shortcut(mine.path() / "x.lnk", "C:\\Gone\\x.exe");
  const std::string vanishing = shortcut(mine.path() / "Sub/y.lnk", "C:\\Gone\\y.exe");
  options.UserDir = mine.str() + "/";
  scanner.ScanForOrphans();
  ASSERT_EQ(window.list.Items.Count(), 2);
  fs::remove(vanishing);  // someone else deleted it between the scan and the removal
  scanner.DeleteOrphans();
  EXPECT_EQ(window.list.Items.Count(), 0);
  EXPECT_FALSE(fs::exists(inside));
  EXPECT_FALSE(fs::exists(mine.path() / "Sub"));
  EXPECT_TRUE(fs::is_directory(mine.path()));
}

TEST_F(ScannerTest, NoWellKnownFolderIsRemovedEvenWhenAScanDoesNotVisitIt) {
  options.StartMenu = options.AllUsersStartMenu = true;
  const fs::path commonPrograms = commonStartMenu() / "Programs";
  shortcut(commonPrograms / "StartUp/gone.lnk", "C:\\Gone\\a.exe");
  shortcut(commonPrograms / "gone.lnk", "C:\\Gone\\b.exe");
  shortcut(startMenu() / "Programs/gone.lnk", "C:\\Gone\\c.exe");
  scanner.ScanForOrphans();
  ASSERT_EQ(window.list.Items.Count(), 3);
  scanner.DeleteOrphans();
  EXPECT_EQ(window.list.Items.Count(), 0);
  EXPECT_TRUE(fs::is_directory(commonPrograms / "StartUp"));
  EXPECT_TRUE(fs::is_directory(commonPrograms));
  EXPECT_TRUE(fs::is_directory(startMenu() / "Programs"));
  EXPECT_EQ(window.status, "Idle.");
}

TEST_F(ScannerTest, AFolderSwappedForALinkAfterTheScanLeadsTheRemovalNowhere) {
  options.Desktop = true;
  const std::string orphan = shortcut(desktop() / "Game/Old.lnk", "C:\\Gone\\old.exe");
  const std::string healthy = shortcut(home.path() / "elsewhere/Old.lnk", "C:\\windows\\notepad.exe");
  scanner.ScanForOrphans();
  ASSERT_EQ(lines(), std::vector<std::string>{orphan});
  fs::rename(desktop() / "Game", home.path() / "moved");
  fs::create_directory_symlink(home.path() / "elsewhere", desktop() / "Game");
  scanner.DeleteOrphans();
  EXPECT_TRUE(fs::exists(home.path() / "elsewhere/Old.lnk")) << "the healthy shortcut behind the link survives";
  EXPECT_TRUE(fs::exists(home.path() / "moved/Old.lnk"));
  EXPECT_EQ(lines(), std::vector<std::string>{orphan});
  EXPECT_TRUE(window.list.IsItemChecked(0));
  EXPECT_NE(window.list.ItemHint(0).find("link"), std::string::npos) << window.list.ItemHint(0);
  EXPECT_EQ(scanner.LastRemoval().failedShortcuts(), 1);
}

TEST_F(ScannerTest, AShortcutThatCannotBeDeletedStaysMarkedAndSaysWhy) {
  const std::string locked = shortcut(desktop() / "locked.lnk", "C:\\Gone\\a.exe");
  const std::string gone = shortcut(desktop() / "Old/gone.lnk", "C:\\Gone\\b.exe");
  fs::permissions(locked, fs::perms::owner_read);  // Windows refuses to delete read-only files
  options.Desktop = true;
  scanner.ScanForOrphans();
  ASSERT_EQ(window.list.Items.Count(), 2);
  scanner.DeleteOrphans();
  ASSERT_EQ(window.list.Items.Count(), 1);
  EXPECT_EQ(window.list.Items.Get(0), locked);
  EXPECT_TRUE(window.list.IsItemChecked(0));
  EXPECT_NE(window.list.ItemHint(0).find("Permission denied"), std::string::npos) << window.list.ItemHint(0);
  EXPECT_FALSE(fs::exists(desktop() / "Old"));
  EXPECT_EQ(window.status, "Idle. Please note that empty folder are also removed. 1 shortcut(s) could not be deleted.");
  EXPECT_TRUE(window.deleteEnabled);
}

TEST_F(ScannerTest, AProtectedFolderReachedByAnotherSpellingStays) {
  // The user folder names the profile through the drive link: the Start menu is walked twice,
  // once under each spelling, and must survive both deletions.
  const std::string direct = shortcut(startMenu() / "gone.lnk", "C:\\Gone\\x.exe");
  options.StartMenu = true;
  options.UserDir = (prefix.path() / "dosdevices/c:/users/ann").string();
  scanner.ScanForOrphans();
  ASSERT_EQ(window.list.Items.Count(), 2);
  EXPECT_EQ(window.list.Items.Get(0), direct);
  scanner.DeleteOrphans();
  EXPECT_FALSE(fs::exists(direct));
  EXPECT_TRUE(fs::is_directory(startMenu()));
  EXPECT_EQ(window.status, "Idle.");
}

TEST_F(ScannerTest, FolderIsEmptyCountsEveryEntryAndMissingFoldersAsEmpty) {
  fs::create_directories(home.path() / "empty");
  writeFile(home.path() / "hidden/.h", "");
  fs::create_directories(home.path() / "withsub/sub");
  EXPECT_TRUE(scan::Scanner::FolderIsEmpty((home.path() / "empty").string()));
  EXPECT_TRUE(scan::Scanner::FolderIsEmpty((home.path() / "empty/").string()));
  EXPECT_TRUE(scan::Scanner::FolderIsEmpty((home.path() / "missing").string()));
  EXPECT_FALSE(scan::Scanner::FolderIsEmpty((home.path() / "hidden").string()));
  EXPECT_FALSE(scan::Scanner::FolderIsEmpty((home.path() / "withsub").string()));
}

}  // namespace
}  // namespace zendrift::testing
