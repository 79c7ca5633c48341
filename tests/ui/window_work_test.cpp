// The window's worker on a real prefix: what it finds and does reaches the window's thread, in
// order and in batches, through the post function alone, and a stop leaves nothing after it.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "../scan/scan_fixture.h"
#include "scan/orphan_scan.h"
#include "ui/window_work.h"
#include "window_thread.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

class WindowWorkTest : public PrefixFixture {
 protected:
  WindowWorkTest() {
    sink.orphansFound = [this](std::vector<scan::OrphanRecord>&& found) {
      batches.push_back(found.size());
      for (scan::OrphanRecord& record : found) records.push_back(std::move(record));
    };
    sink.statusChanged = [this](const std::string& text) { statuses.push_back(text); };
    sink.scanFinished = [this](const scan::ScanReport& report) {
      scanReport = report;
      done = true;
    };
    sink.orphanRemoved = [this](int line, std::error_code error) { removed.emplace_back(line, error); };
    sink.removalFinished = [this](const scan::RemovalReport& report, std::error_code) {
      removalReport = report;
      done = true;
    };
    sink.failed = [this](const std::string& message) { ADD_FAILURE() << message; done = true; };
  }

  // A tree of `count` orphans under the user's folder, ten to a folder.
  void orphanTree(int count) {
    for (int i = 0; i < count; ++i) {
      shortcut(tree.path() / ("f" + std::to_string(i / 10)) / ("s" + std::to_string(i) + ".lnk"), "C:\\Gone\\x.exe");
    }
    options.userDir = tree.str();
  }

  TempDir tree;
  // `scan` of the prefix the work finds in $WINEPREFIX, for a scan made here directly.
  settings::ScanOptions ofPrefix(settings::ScanOptions scan) const {
    scan.prefix = prefix.str();
    return scan;
  }

  settings::ScanOptions options;  // every folder off; the work takes the prefix from $WINEPREFIX
  WindowThread window;
  ui::WorkSink sink;
  bool done = false;
  std::vector<std::size_t> batches;
  std::vector<scan::OrphanRecord> records;
  std::vector<std::string> statuses;
  std::vector<std::pair<int, std::error_code>> removed;
  scan::ScanReport scanReport;
  scan::RemovalReport removalReport;
};

TEST_F(WindowWorkTest, ScanArrivesInOrderAndInBatchesAndTheRemovalLineByLineFromTheLast) {
  orphanTree(600);
  // The order the scan itself finds them in.
  std::vector<std::string> expected;
  scan::ScanEvents direct;
  direct.orphanFound = [&](scan::OrphanRecord&& record) { expected.push_back(record.path); };
  scan::scanForOrphans(ofPrefix(options), {}, direct);
  ASSERT_EQ(expected.size(), 600u);

  ui::WindowWork work(window.post(), sink, profile::hostPrefixPlaces());
  work.startScan(options, false);
  window.runUntil(done);
  work.join();
  EXPECT_EQ(window.waiting(), 0u) << "nothing is posted after the report";
  EXPECT_EQ(scanReport.statusText(), "Ready. 600 orphan(s) found.");
  std::vector<std::string> arrived;
  for (const scan::OrphanRecord& record : records) arrived.push_back(record.path);
  EXPECT_EQ(arrived, expected);
  EXPECT_GE(batches.size(), 3u);
  for (const std::size_t size : batches) EXPECT_LE(size, 256u);
  ASSERT_FALSE(statuses.empty());
  EXPECT_EQ(statuses.front(), "Scanning for orphans in " + tree.str());

  // Every line but the first two, told from the last up, so the lines above keep their places.
  std::vector<int> lines;
  for (int i = 2; i < 600; ++i) lines.push_back(i);
  done = false;
  work.startRemoval(lines, std::vector<scan::OrphanRecord>(records.begin() + 2, records.end()), options.userDir,
                    scan::Disposal::permanent);
  window.runUntil(done);
  work.join();
  EXPECT_EQ(window.waiting(), 0u);
  ASSERT_EQ(removed.size(), 598u);
  EXPECT_EQ(removed.front().first, 599);
  EXPECT_EQ(removed.back().first, 2);
  for (const auto& [line, error] : removed) EXPECT_FALSE(error) << line;
  EXPECT_EQ(removalReport.deleted.size(), 598u);
  EXPECT_TRUE(fs::exists(records[0].path));
  EXPECT_TRUE(fs::exists(records[1].path));
  EXPECT_FALSE(fs::exists(records[2].path));
}

TEST_F(WindowWorkTest, WhileAnotherCleaningRunsTheRemovalLeavesEveryLineAndSaysWhy) {
  orphanTree(3);
  scan::ScanEvents events;
  events.orphanFound = [this](scan::OrphanRecord&& record) { records.push_back(std::move(record)); };
  scan::scanForOrphans(ofPrefix(options), {}, events);
  ASSERT_EQ(records.size(), 3u);
  const fs::path state = home.path() / "state/Zendrift";
  fs::create_directories(state);
  const int lock = ::open((state / "cleaning.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  ASSERT_EQ(::flock(lock, LOCK_EX), 0);

  ui::WindowWork work(window.post(), sink, profile::hostPrefixPlaces());
  work.startRemoval({0, 1, 2}, records, options.userDir, scan::Disposal::trash);
  window.runUntil(done);
  work.join();
  ::close(lock);
  ASSERT_EQ(removed.size(), 3u);
  for (const auto& [line, error] : removed) EXPECT_EQ(error.message(), "another cleaning or undo is running for this user");
  EXPECT_EQ(removalReport.failedShortcuts(), 3);
  for (const scan::OrphanRecord& record : records) EXPECT_TRUE(fs::exists(record.path)) << record.path;
}

TEST_F(WindowWorkTest, AStopEndsTheScanWithNoRecordAfterIt) {
  orphanTree(600);
  std::unique_ptr<ui::WindowWork> work;
  int listed = 0;
  sink.folderListed = [&](const std::string&) {
    if (++listed == 20) work->requestStop();
  };
  work = std::make_unique<ui::WindowWork>(window.post(), sink, profile::hostPrefixPlaces());
  work->startScan(options, false);
  window.runUntil(done);
  work->join();
  EXPECT_TRUE(scanReport.stopped);
  EXPECT_LT(records.size(), 600u);
  EXPECT_EQ(scanReport.statusText(), "Ready. " + std::to_string(records.size()) + " orphan(s) found.")
      << "every record found before the stop reached the window, and none after it";
  EXPECT_EQ(window.waiting(), 0u);
}

TEST_F(WindowWorkTest, AFolderOutsideThePrefixIsJudgedInEveryPrefixAndTheRemovalLooksAgain) {
  // ~/.wine, found on the machine beside the scanned prefix, has programs the scanned one lacks.
  WinePrefixBuilder wine(home.path() / ".wine");
  wine.standardLayout("ann").file("Apps/App/app.exe");
  shortcut(tree.path() / "App.lnk", "C:\\Apps\\App\\app.exe");
  const std::string gone = shortcut(tree.path() / "Gone.lnk", "C:\\Apps\\Gone\\gone.exe");
  const std::string later = shortcut(tree.path() / "Later.lnk", "C:\\Apps\\Later\\later.exe");
  options.userDir = tree.str();
  std::vector<std::pair<int, std::string>> kept;
  sink.orphanKept = [&kept](int line, const std::string& why) { kept.emplace_back(line, why); };

  ui::WindowWork work(window.post(), sink, profile::hostPrefixPlaces());
  work.startScan(options, false);
  window.runUntil(done);
  work.join();
  std::vector<std::string> found;
  for (const scan::OrphanRecord& record : records) found.push_back(record.path);
  std::sort(found.begin(), found.end());
  ASSERT_EQ(found, (std::vector<std::string>{gone, later})) << "App.lnk works in ~/.wine";

  // Installed in ~/.wine after the scan: the removal judges it in every prefix again.
  wine.file("Apps/Later/later.exe");
  done = false;
  work.startRemoval({0, 1}, records, options.userDir, scan::Disposal::permanent);
  window.runUntil(done);
  work.join();
  const int laterLine = records[0].path == later ? 0 : 1;
  EXPECT_EQ(kept, (std::vector<std::pair<int, std::string>>{{laterLine, "its target is no longer missing"}}));
  EXPECT_EQ(removalReport.deleted, std::vector<std::string>{gone});
  EXPECT_TRUE(fs::exists(later));
  EXPECT_EQ(removalReport.statusText(), "Idle. 1 shortcut(s) kept: changed since the scan.");
}

}  // namespace
}  // namespace zendrift::testing
