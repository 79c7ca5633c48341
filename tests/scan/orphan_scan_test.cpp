// The scan and the removal, run on real prefixes: records and reports out.
#include <gtest/gtest.h>
#include <sys/xattr.h>

#include <map>

#include "scan/orphan_removal.h"
#include "scan/orphan_scan.h"
#include "scan/prefix_scans.h"
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
    return scan::removeOrphans(marked, options.userDir, std::move(stop), {}, scan::Disposal::permanent, lastScan());
  }

  // What the last scan judged by: its drive classes, and no other prefix on the machine.
  scan::RemovalCheck lastScan() const { return {scan::orphanCriteria(options), {}}; }

  settings::ScanOptions options = scanOf(prefix.str());  // every folder off
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
  // The user folder is the desktop again: its orphans are not listed twice.
  options.userDir = desktop().string();
  const scan::ScanReport report = scan();
  std::vector<std::string> found = paths();
  ASSERT_EQ(found.size(), 5u);
  // Inside one folder the file system's listing order holds.
  std::sort(found.begin() + 2, found.begin() + 4);
  EXPECT_EQ(found, (std::vector<std::string>{d, c, b, kept, a}));
  EXPECT_EQ(report.statusText(), "Ready. 5 orphan(s) found.");
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
  EXPECT_EQ(scan::removeOrphans({}, options.userDir, {}, {}, scan::Disposal::permanent, lastScan()).statusText(), "Idle.");
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
  const scan::RemovalReport report = scan::removeOrphans(records, options.userDir, stop.get_token(), events,
                                                          scan::Disposal::permanent, lastScan());
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
  // once under each spelling, and must survive the deletion.
  const std::string direct = shortcut(startMenu() / "gone.lnk", "C:\\Gone\\x.exe");
  options.startMenu = true;
  options.userDir = (prefix.path() / "dosdevices/c:/users/ann").string();
  scan();
  ASSERT_EQ(records.size(), 1u) << "one file, listed once";
  EXPECT_EQ(records[0].path, direct);
  const scan::RemovalReport report = removeAllBut();
  EXPECT_FALSE(fs::exists(direct));
  EXPECT_TRUE(fs::is_directory(startMenu()));
  EXPECT_EQ(report.statusText(), "Idle.");
}

TEST_F(ScanTest, AFolderPrefixesShareIsWalkedOnceInARunAndEachShortcutListedOnce) {
  // Both prefixes' Desktops are the home's, as wineboot links them.
  WinePrefixBuilder second(home.path() / "second");
  second.standardLayout("ann");
  for (const WinePrefixBuilder* each : {&prefix, &second}) {
    fs::remove_all(each->path() / "drive_c/users/ann/Desktop");
    fs::create_directories(home.path() / "Desktop");
    fs::create_directory_symlink(home.path() / "Desktop", each->path() / "drive_c/users/ann/Desktop");
  }
  shortcut(home.path() / "Desktop/Gone.lnk", "C:\\Gone\\x.exe");
  options.desktop = true;
  scan::ScanPlan plan;
  for (const WinePrefixBuilder* each : {&prefix, &second}) {
    options.prefix = fs::canonical(each->path()).string();
    plan.scans.push_back(options);
    plan.machinePrefixes.push_back(options.prefix);
  }
  int walks = 0;
  scan::ScanEvents events;
  events.folderStarted = [&walks](const std::string&) { ++walks; };
  events.orphanFound = [this](scan::OrphanRecord&& record) { records.push_back(std::move(record)); };
  const scan::ScanReport report = scan::scanEachPrefix(plan, {}, events);
  EXPECT_EQ(walks, 1);
  ASSERT_EQ(paths(), std::vector<std::string>{(fs::path(plan.machinePrefixes[0]) / "drive_c/users/ann/Desktop/Gone.lnk").string()});
  EXPECT_EQ(report.orphans, 1);
  EXPECT_EQ(records[0].reason, "file not found (missing in every prefix: " + plan.machinePrefixes[0] + ", " +
                                   plan.machinePrefixes[1] + ")");
}

TEST_F(ScanTest, TheRemovalKeepsWhatChangedSinceTheScan) {
  prefix.file("Games/Real/real.exe");
  WinePrefixBuilder second(home.path() / "second");
  second.standardLayout("ann");
  TempDir mine;
  const std::string rewritten = shortcut(desktop() / "rewritten.lnk", "C:\\Gone\\a.exe");
  const std::string installed = shortcut(desktop() / "installed.lnk", "C:\\NewGame\\game.exe");
  const std::string replaced = shortcut(desktop() / "replaced.lnk", "C:\\Gone\\b.exe");
  const std::string elsewhere = shortcut(mine.path() / "elsewhere.lnk", "C:\\Other\\other.exe");
  const std::string still = shortcut(desktop() / "still.lnk", "C:\\Gone\\c.exe");
  options.desktop = true;
  options.userDir = mine.str();
  scan();
  ASSERT_EQ(records.size(), 5u);

  shortcut(rewritten, "C:\\Games\\Real\\real.exe");  // in place: the same file
  prefix.file("newgame/GAME.EXE");                        // found case-blind, as Wine finds it
  fs::rename(shortcut(desktop() / "new.lnk", "C:\\Gone\\b.exe"), replaced);
  second.file("Other/other.exe");  // outside the prefix, a shortcut counts in every prefix

  std::vector<std::string> keptByEvent;
  scan::RemovalEvents events;
  events.orphanKept = [&](std::size_t index, const std::string&) { keptByEvent.push_back(records[index].path); };
  const scan::RemovalCheck check{scan::orphanCriteria(options),
                                 {fs::canonical(prefix.path()).string(), fs::canonical(second.path()).string()}};
  const scan::RemovalReport report =
      scan::removeOrphans(records, options.userDir, {}, events, scan::Disposal::permanent, check);
  EXPECT_EQ(report.deleted, std::vector<std::string>{still});
  EXPECT_TRUE(report.failures.empty());
  std::map<std::string, std::string> kept;
  for (const scan::KeptShortcut& each : report.kept) kept[each.path] = each.why;
  EXPECT_EQ(kept, (std::map<std::string, std::string>{
                      {rewritten, "rewritten since the scan and no longer an orphan"},
                      {installed, "its target is no longer missing"},
                      {replaced, "replaced by another file since the scan"},
                      {elsewhere, "its target is no longer missing"}}));
  EXPECT_EQ(keptByEvent.size(), 4u);
  for (const std::string& path : {rewritten, installed, replaced, elsewhere}) EXPECT_TRUE(fs::exists(path)) << path;
  EXPECT_FALSE(fs::exists(still));
  EXPECT_EQ(report.statusText(), "Idle. 4 shortcut(s) kept: changed since the scan.");
}

TEST_F(ScanTest, TheDesktopEntryBesideAShortcutGoesWithItInThePrefixItWasScannedFor) {
  // $WINEPREFIX names the fixture's prefix; this scan is of another, whose Desktop is its own
  // folder, and Wine's entry for the shortcut lies beside it there.
  WinePrefixBuilder other(home.path() / "other");
  other.standardLayout("ann");
  const std::string real = fs::canonical(other.path()).string();
  const fs::path desk = fs::path(real) / "drive_c/users/ann/Desktop";
  shortcut(desk / "Game.lnk", "C:\\Gone\\game.exe");
  writeFile(desk / "Game.desktop", "[Desktop Entry]\nName=Game\nType=Application\nExec=env WINEPREFIX=\"" + real +
                                       "\" wine C:\\\\\\\\Gone\\\\\\\\game.exe\n");
  options.prefix = real;
  options.desktop = true;
  scan();
  ASSERT_EQ(paths(), std::vector<std::string>{(desk / "Game.lnk").string()});
  const scan::RemovalReport report = removeAllBut();
  EXPECT_TRUE(report.failures.empty());
  EXPECT_FALSE(fs::exists(desk / "Game.lnk"));
  EXPECT_FALSE(fs::exists(desk / "Game.desktop")) << "Wine's entry for it goes with the shortcut";
}

}  // namespace
}  // namespace zendrift::testing
