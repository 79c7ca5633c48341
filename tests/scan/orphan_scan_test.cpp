// The scan and the removal, run on real prefixes: records and reports out.
#include <gtest/gtest.h>
#include <sys/xattr.h>

#include "scan/orphan_removal.h"
#include "scan/orphan_scan.h"
#include "scan_fixture.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

class ScanTest : public PrefixFixture {
 protected:
  // Scans with `options`, keeping the records in the order found.
  scan::ScanReport scan(std::stop_token stop = {}) {
    records.clear();
    scan::ScanEvents events;
    events.orphanFound = [this](scan::OrphanRecord&& record) { records.push_back(std::move(record)); };
    events.folderStarted = [this](const std::string& folder) {
      if (onFolder) onFolder(folder);
    };
    return scan::scanForOrphans(options, std::move(stop), events);
  }

  std::vector<std::string> paths() const {
    std::vector<std::string> result;
    for (const scan::OrphanRecord& record : records) result.push_back(record.path);
    return result;
  }

  // Removes every record but those named in `keep`.
  scan::RemovalReport removeAllBut(const std::vector<std::string>& keep = {}, std::stop_token stop = {}) {
    std::vector<scan::OrphanRecord> marked;
    for (const scan::OrphanRecord& record : records) {
      if (std::find(keep.begin(), keep.end(), record.path) == keep.end()) marked.push_back(record);
    }
    return scan::removeOrphans(marked, options.userDir, std::move(stop));
  }

  settings::ScanOptions options;  // every folder off
  std::vector<scan::OrphanRecord> records;
  std::function<void(const std::string&)> onFolder;
};

TEST_F(ScanTest, NothingChosenFindsNothing) {
  shortcut(desktop() / "gone.lnk", "C:\\Gone\\x.exe");
  options.userDir = (home.path() / "missing").string();
  const scan::ScanReport report = scan();
  EXPECT_TRUE(records.empty());
  EXPECT_EQ(report.statusText(), "Ready. 0 orphan(s) found.");
}

TEST_F(ScanTest, FoldersAreScannedInTheirFixedOrderEachInFull) {
  options.startMenu = options.allUsersStartMenu = options.desktop = options.favorites = true;
  const std::string a = shortcut(favorites() / "a.lnk", "C:\\Gone\\a.exe");
  const std::string b = shortcut(desktop() / "b.lnk", "C:\\Gone\\b.exe");
  const std::string c = shortcut(commonStartMenu() / "c.LNK", "C:\\Gone\\c.exe");
  const std::string d = shortcut(startMenu() / "Programs/d.lnk", "C:\\Gone\\d.exe");
  const std::string kept = shortcut(desktop() / "kept.lnk", "C:\\Gone\\kept.exe");
  options.excludeList = kept + ", ";
  // The user folder is the desktop again: its orphans are listed once more.
  options.userDir = desktop().string();
  const scan::ScanReport report = scan();
  std::vector<std::string> found = paths();
  ASSERT_EQ(found.size(), 7u);
  // Inside one folder the file system's listing order holds.
  std::sort(found.begin() + 2, found.begin() + 4);
  std::sort(found.begin() + 5, found.end());
  EXPECT_EQ(found, (std::vector<std::string>{d, c, b, kept, a, b, kept}));
  EXPECT_EQ(report.statusText(), "Ready. 7 orphan(s) found.");
  for (const scan::OrphanRecord& record : records) {
    EXPECT_EQ(record.excluded, record.path == kept) << record.path;
    EXPECT_FALSE(record.target.empty());
  }
}

TEST_F(ScanTest, AnotherProfileMetInAWalkKeepsItsShortcuts) {
  TempDir games;
  WinePrefixBuilder other(games.path() / "other");
  other.standardLayout("bob");
  shortcut(other.path() / "top.lnk", "C:\\Gone\\a.exe");
  shortcut(other.path() / "drive_c/users/bob/Desktop/deep.lnk", "C:\\Gone\\b.exe");
  fs::create_directories(games.path() / "win/Windows/System32");
  shortcut(games.path() / "win/Users/Ann/Desktop/w.lnk", "C:\\Gone\\c.exe");
  const std::string mine = shortcut(games.path() / "mine/gone.lnk", "C:\\Gone\\d.exe");
  options.userDir = games.str();
  scan();
  EXPECT_EQ(paths(), std::vector<std::string>{mine}) << "nothing is taken from below another profile's root";

  // Walked from its own root, that profile's shortcuts are judged in it.
  options.userDir = other.path().string();
  scan();
  EXPECT_EQ(paths().size(), 2u);
}

TEST_F(ScanTest, ADotFolderIsHiddenUnlessThePrefixShowsDotFiles) {
  // Marked system only: hidden too by its name, a hidden system folder is not walked; with
  // Wine's ShowDotFiles on, its name hides nothing and it is walked.
  TempDir top;
  const std::string inside = shortcut(top.path() / ".config/gone.lnk", "C:\\Gone\\x.exe");
  if (::setxattr((top.path() / ".config").c_str(), "user.DOSATTRIB", "0x4", 3, 0) != 0) {
    GTEST_SKIP() << "no extended attributes here";
  }
  options.userDir = top.str();
  scan();
  EXPECT_TRUE(records.empty());
  for (const char* on : {"Y", "true", "1"}) {
    prefix.userReg(std::string("[Software\\\\Wine]\n\"ShowDotFiles\"=\"") + on + "\"\n");
    scan();
    EXPECT_EQ(paths(), std::vector<std::string>{inside}) << on;
  }
  prefix.userReg("[Software\\\\Wine]\n\"ShowDotFiles\"=\"N\"\n");
  scan();
  EXPECT_TRUE(records.empty());
}

TEST_F(ScanTest, AStopDuringTheThirdOfFiveFoldersSkipsTheRest) {
  options.startMenu = options.allUsersStartMenu = options.desktop = options.allUsersDeskTop = options.favorites = true;
  shortcut(startMenu() / "1.lnk", "C:\\Gone\\1.exe");
  shortcut(commonStartMenu() / "2.lnk", "C:\\Gone\\2.exe");
  for (int i = 0; i < 20; ++i) shortcut(desktop() / ("3-" + std::to_string(i) + ".lnk"), "C:\\Gone\\3.exe");
  shortcut(commonDesktop() / "4.lnk", "C:\\Gone\\4.exe");
  shortcut(favorites() / "5.lnk", "C:\\Gone\\5.exe");
  std::stop_source stop;
  onFolder = [&](const std::string& folder) {
    if (folder == desktop().string()) stop.request_stop();
  };
  const scan::ScanReport report = scan(stop.get_token());
  EXPECT_TRUE(report.stopped);
  EXPECT_EQ(records.size(), 2u) << "the stop is seen at the desktop's first entry";
  EXPECT_EQ(report.statusText(), "Ready. 2 orphan(s) found.");
}

TEST_F(ScanTest, AStopInALargeTreeEndsTheScanWithNoRecordAfterIt) {
  // Folders are read ahead of the walk: none of what was read ahead may surface after the stop.
  TempDir tree;
  for (int i = 0; i < 200; ++i) {
    const fs::path folder = tree.path() / ("f" + std::to_string(i % 10)) / ("g" + std::to_string(i));
    for (int j = 0; j < 3; ++j) shortcut(folder / ("s" + std::to_string(j) + ".lnk"), "C:\\Gone\\x.exe");
  }
  options.userDir = tree.str();
  std::stop_source stop;
  std::size_t atStop = 0;
  int listedAfterStop = 0;
  scan::ScanEvents events;
  events.orphanFound = [&](scan::OrphanRecord&& record) {
    records.push_back(std::move(record));
    if (records.size() == 100) {
      stop.request_stop();
      atStop = records.size();
    }
  };
  events.folderListed = [&](const std::string&) { listedAfterStop += stop.stop_requested() ? 1 : 0; };
  const scan::ScanReport report = scan::scanForOrphans(options, stop.get_token(), events);
  EXPECT_TRUE(report.stopped);
  EXPECT_EQ(atStop, 100u);
  EXPECT_EQ(records.size(), atStop) << "no record after the stop";
  EXPECT_LE(listedAfterStop, 1) << "the walk ends within the folder it was in";
}

TEST_F(ScanTest, RemovalDeletesTheOrphansAndEmptiedFoldersButNoProtectedOne) {
  options.startMenu = options.desktop = true;
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
  scan();
  ASSERT_EQ(records.size(), 8u);

  const scan::RemovalReport report = removeAllBut({kept});
  EXPECT_EQ(report.deleted.size(), 7u);
  EXPECT_TRUE(report.failures.empty());
  EXPECT_FALSE(fs::exists(programs / "Chain"));
  EXPECT_FALSE(fs::exists(programs / "Pair"));
  EXPECT_TRUE(fs::exists(programs / "Busy/.hidden"));
  EXPECT_FALSE(fs::exists(programs / "Busy/x.lnk"));
  EXPECT_TRUE(fs::is_directory(programs)) << "a well-known folder, though emptied";
  EXPECT_TRUE(fs::is_directory(desktop()));
  EXPECT_TRUE(fs::exists(kept));
  EXPECT_EQ(report.statusText(), "Idle. Please note that empty folder are also removed.");
  EXPECT_EQ(scan::removeOrphans({}, options.userDir, {}).statusText(), "Idle.");
}

TEST_F(ScanTest, AStopEndsTheRemovalAfterTheShortcutBeingDeleted) {
  options.desktop = true;
  for (int i = 0; i < 3; ++i) shortcut(desktop() / (std::to_string(i) + ".lnk"), "C:\\Gone\\x.exe");
  scan();
  std::stop_source stop;
  scan::RemovalEvents events;
  std::vector<std::size_t> done;
  events.orphanDone = [&](std::size_t index, std::error_code error) {
    EXPECT_FALSE(error);
    done.push_back(index);
    stop.request_stop();
  };
  const scan::RemovalReport report = scan::removeOrphans(records, options.userDir, stop.get_token(), events);
  EXPECT_EQ(done, std::vector<std::size_t>{2}) << "from the last to the first";
  EXPECT_TRUE(report.stopped);
  EXPECT_FALSE(fs::exists(records[2].path));
  EXPECT_TRUE(fs::exists(records[0].path));
}

TEST_F(ScanTest, UserFolderStaysProtectedWithATrailingSlashAndGoneFilesDoNotStopTheRemoval) {
  TempDir mine;
  const std::string inside = shortcut(mine.path() / "x.lnk", "C:\\Gone\\x.exe");
  const std::string vanishing = shortcut(mine.path() / "Sub/y.lnk", "C:\\Gone\\y.exe");
  options.userDir = mine.str() + "/";
  scan();
  ASSERT_EQ(records.size(), 2u);
  fs::remove(vanishing);  // someone else deleted it between the scan and the removal
  const scan::RemovalReport report = removeAllBut();
  EXPECT_TRUE(report.failures.empty());
  EXPECT_FALSE(fs::exists(inside));
  EXPECT_FALSE(fs::exists(mine.path() / "Sub"));
  EXPECT_TRUE(fs::is_directory(mine.path()));
}

TEST_F(ScanTest, NoWellKnownFolderIsRemovedEvenWhenAScanDoesNotVisitIt) {
  options.startMenu = options.allUsersStartMenu = true;
  const fs::path commonPrograms = commonStartMenu() / "Programs";
  shortcut(commonPrograms / "StartUp/gone.lnk", "C:\\Gone\\a.exe");
  shortcut(commonPrograms / "gone.lnk", "C:\\Gone\\b.exe");
  shortcut(startMenu() / "Programs/gone.lnk", "C:\\Gone\\c.exe");
  scan();
  ASSERT_EQ(records.size(), 3u);
  const scan::RemovalReport report = removeAllBut();
  EXPECT_EQ(report.deleted.size(), 3u);
  EXPECT_TRUE(fs::is_directory(commonPrograms / "StartUp"));
  EXPECT_TRUE(fs::is_directory(commonPrograms));
  EXPECT_TRUE(fs::is_directory(startMenu() / "Programs"));
  EXPECT_EQ(report.statusText(), "Idle.");
}

TEST_F(ScanTest, AFolderSwappedForALinkAfterTheScanLeadsTheRemovalNowhere) {
  options.desktop = true;
  const std::string orphan = shortcut(desktop() / "Game/Old.lnk", "C:\\Gone\\old.exe");
  shortcut(home.path() / "elsewhere/Old.lnk", "C:\\windows\\notepad.exe");
  scan();
  ASSERT_EQ(paths(), std::vector<std::string>{orphan});
  fs::rename(desktop() / "Game", home.path() / "moved");
  fs::create_directory_symlink(home.path() / "elsewhere", desktop() / "Game");
  const scan::RemovalReport report = removeAllBut();
  EXPECT_TRUE(fs::exists(home.path() / "elsewhere/Old.lnk")) << "the healthy shortcut behind the link survives";
  EXPECT_TRUE(fs::exists(home.path() / "moved/Old.lnk"));
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_EQ(report.failures[0].error, platform::RemovalError::linkOnTheWay);
}

TEST_F(ScanTest, AShortcutThatCannotBeDeletedIsReportedWithItsReason) {
  const std::string locked = shortcut(desktop() / "locked.lnk", "C:\\Gone\\a.exe");
  shortcut(desktop() / "Old/gone.lnk", "C:\\Gone\\b.exe");
  fs::permissions(locked, fs::perms::owner_read);  // Windows refuses to delete read-only files
  options.desktop = true;
  scan();
  ASSERT_EQ(records.size(), 2u);
  const scan::RemovalReport report = removeAllBut();
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_EQ(report.failures[0].path, locked);
  EXPECT_EQ(report.failures[0].error, std::errc::permission_denied);
  EXPECT_FALSE(fs::exists(desktop() / "Old"));
  EXPECT_EQ(report.statusText(), "Idle. Please note that empty folder are also removed. 1 shortcut(s) could not be deleted.");
}

TEST_F(ScanTest, AProtectedFolderReachedByAnotherSpellingStays) {
  // The user folder names the profile through the drive link: the Start menu is walked twice,
  // once under each spelling, and must survive both deletions.
  const std::string direct = shortcut(startMenu() / "gone.lnk", "C:\\Gone\\x.exe");
  options.startMenu = true;
  options.userDir = (prefix.path() / "dosdevices/c:/users/ann").string();
  scan();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].path, direct);
  const scan::RemovalReport report = removeAllBut();
  EXPECT_FALSE(fs::exists(direct));
  EXPECT_TRUE(fs::is_directory(startMenu()));
  EXPECT_EQ(report.statusText(), "Idle.");
}

}  // namespace
}  // namespace zendrift::testing
