// Shortcuts whose bytes the walk read with their folder are judged as if the check had read them
// itself: whole, and from the file the path names when it is judged.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>

#include "scan/orphan_scan.h"
#include "scan_fixture.h"
#include "search/walk_rules.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

class ReadAheadBytesTest : public PrefixFixture {
 protected:
  scan::ScanReport scan() {
    scan::ScanEvents events;
    events.orphanFound = [this](scan::OrphanRecord&& record) { records.push_back(std::move(record)); };
    events.folderListed = [this](const std::string& folder) {
      if (onListed) onListed(folder);
    };
    return scan::scanForOrphans(options, {}, events);
  }
  // Scans the desktop, where the broken shortcut below/replaced.lnk is changed by `change` after
  // the read-ahead has read it and before the walk examines it; true when the read-ahead did read it.
  bool scanChangingAfterReadAhead(const std::function<void(const std::string& shortcut)>& change);

  settings::ScanOptions options = scanOf(prefix.str());
  std::vector<scan::OrphanRecord> records;
  std::function<void(const std::string&)> onListed;
};

TEST_F(ReadAheadBytesTest, AShortcutLargerThanWhatIsReadAheadIsJudgedWhole) {
  // The ID list fills the first 64 KiB; the target lies after it.
  const std::string items(32760, '\0');
  LnkBuilder().rawItem(items).rawItem(items).localPath("C:\\Gone\\big.exe").writeTo(desktop() / "big.lnk");
  ASSERT_GT(fs::file_size(desktop() / "big.lnk"), 64u * 1024);
  options.desktop = true;
  scan();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].target, "C:\\Gone\\big.exe");
}

// Waits until someone has opened and closed `file` for reading.
bool readBySomeone(int watch) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < until) {
    pollfd ready{watch, POLLIN, 0};
    if (::poll(&ready, 1, 100) > 0) return true;
  }
  return false;
}

bool ReadAheadBytesTest::scanChangingAfterReadAhead(const std::function<void(const std::string& shortcut)>& change) {
  prefix.file("Games/Real/real.exe");
  const fs::path below = desktop() / "below";
  const std::string replaced = shortcut(below / "replaced.lnk", "C:\\Gone\\old.exe");
  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (watch < 0 || ::inotify_add_watch(watch, replaced.c_str(), IN_CLOSE_NOWRITE) < 0) return false;
  bool readAhead = false;
  onListed = [&](const std::string& folder) {
    // While the walk waits in its first folder, the read-ahead reads the one below.
    if (fs::path(folder) == fs::path(desktop().string() + "/")) readAhead = readBySomeone(watch);
    if (fs::path(folder) == fs::path(below.string() + "/")) change(replaced);
  };
  options.desktop = true;
  scan();
  ::close(watch);
  return readAhead;
}

TEST_F(ReadAheadBytesTest, AShortcutReplacedAfterItsFolderWasReadAheadIsJudgedAsItIsNow) {
  if (search::WalkRules::defaultThreads() < 2) GTEST_SKIP() << "no read-ahead thread on one core";
  ASSERT_TRUE(scanChangingAfterReadAhead([&](const std::string& replaced) {
    fs::rename(shortcut(desktop() / "new.lnk", "C:\\Games\\Real\\real.exe"), replaced);
  }));
  EXPECT_TRUE(records.empty()) << records[0].path;
}

TEST_F(ReadAheadBytesTest, AShortcutRewrittenInPlaceAfterItsFolderWasReadAheadIsJudgedAsItIsNow) {
  if (search::WalkRules::defaultThreads() < 2) GTEST_SKIP() << "no read-ahead thread on one core";
  // The same file, written over: only its change time tells that the bytes read ahead are old.
  ASSERT_TRUE(scanChangingAfterReadAhead(
      [&](const std::string& replaced) { shortcut(replaced, "C:\\Games\\Real\\real.exe"); }));
  EXPECT_TRUE(records.empty()) << records[0].path;
}

}  // namespace
}  // namespace zendrift::testing
