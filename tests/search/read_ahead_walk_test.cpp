// The walk with read-ahead threads against the walk without, over generated trees: the same
// folders, entry for entry, in the same order; and the bound on what is read ahead.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/path.h"
#include "search/folder_read_ahead.h"
#include "walk_support.h"

namespace zendrift::search {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::writeFile;

struct TreeShape {
  const char* name;
  int depth;  // levels of folders below the root
  int width;  // subfolders per folder
};

// Every folder holds shortcuts and other files, a link back to the root, a hidden+system folder
// with a shortcut inside, and a folder whose subfolders the walk is told to skip, with one below.
void grow(const fs::path& folder, const fs::path& root, int depth, const TreeShape& shape) {
  writeFile(folder / "a.lnk", "");
  writeFile(folder / "B.LNK", "x");
  writeFile(folder / "c.txt", "");
  fs::create_directory_symlink(root, folder / "loop");
  writeFile(folder / "secret/inside.lnk", "");
  test::setDosAttributes(folder / "secret", "0x6");
  writeFile(folder / "skip/below/inside.lnk", "");
  if (depth == 0) return;
  for (int i = 0; i < shape.width; ++i) grow(folder / ("sub" + std::to_string(i)), root, depth - 1, shape);
}

std::vector<std::string> walk(const std::string& root, unsigned threads, std::size_t foldersHeldOpen = 256) {
  std::vector<std::string> log;
  WalkRules rules = test::linkRules();
  rules.threads = threads;
  rules.foldersHeldOpen = foldersHeldOpen;
  rules.fileReadAhead = 4096;
  FolderWalk walk(root, std::move(rules));
  while (const std::optional<Folder> folder = walk.next()) {
    log.push_back("folder " + folder->path() + " " + folder->error.message());
    for (const FolderSnapshot::Entry& entry : folder->listing.entries) log.push_back("entry " + std::string(folder->name(entry)));
    for (const FolderSnapshot::Entry& file : folder->files()) {
      log.push_back("file " + folder->pathOf(file) + " " + std::to_string(file.facts.size.value_or(0)));
    }
    if (fs::path(folder->path()).parent_path().filename() == "skip") walk.skipChildren();
  }
  return log;
}

class ReadAheadWalkTest : public ::testing::TestWithParam<TreeShape> {};

TEST_P(ReadAheadWalkTest, ReportsWhatTheWalkWithoutItReportsInTheSameOrder) {
  TempDir dir;
  grow(dir.path(), dir.path(), GetParam().depth, GetParam());
  const std::vector<std::string> plain = walk(dir.str(), 1);
  ASSERT_TRUE(std::any_of(plain.begin(), plain.end(), [](const std::string& line) { return line.starts_with("file "); }));
  for (const std::string& line : plain) {
    ASSERT_EQ(line.find("inside.lnk"), std::string::npos) << line;
    ASSERT_EQ(line.find("/loop/"), std::string::npos) << line;
  }
  // More threads than this machine may have cores, so that they overtake one another.
  for (unsigned threads : {2u, 5u}) EXPECT_EQ(walk(dir.str(), threads), plain) << threads << " threads";
  // Fewer folders held open than have subfolders waiting, or none: the others are opened by path.
  EXPECT_EQ(walk(dir.str(), 5, 1), plain) << "one folder held open";
  EXPECT_EQ(walk(dir.str(), 1, 0), plain) << "no folder held open";
}

INSTANTIATE_TEST_SUITE_P(Trees, ReadAheadWalkTest,
                         ::testing::Values(TreeShape{"deep", 60, 1}, TreeShape{"wide", 1, 200},
                                           TreeShape{"bushy", 3, 6}),
                         [](const auto& shape) { return std::string(shape.param.name); });

std::vector<std::string> subfoldersIn(const FolderSnapshot& snapshot) {
  std::vector<std::string> names;
  for (const FolderSnapshot::Entry& entry : snapshot.entries) {
    const std::string_view name = snapshot.name(entry);
    if (entry.directory && name != "." && name != "..") names.emplace_back(name);
  }
  return names;
}

// Takes the node and everything below it, in the walk's order; counts the folders taken.
void takeAll(FolderReadAhead& ahead, const FolderReadAhead::NodePtr& node, std::size_t& taken) {
  const FolderSnapshot snapshot = ahead.take(node);
  ++taken;
  for (const std::string& name : subfoldersIn(snapshot)) {
    const FolderReadAhead::NodePtr child = ahead.enter(node, name);
    takeAll(ahead, child, taken);
    ahead.leave(child);
  }
}

TEST(FolderReadAheadTest, TheWalkWaitingForAThreadReadsNoFurtherAheadThanTheBound) {
  TempDir dir;
  for (int i = 0; i < 20; ++i) {
    for (int j = 0; j < 3; ++j) writeFile(dir.path() / ("d" + std::to_string(i)) / ("e" + std::to_string(j)) / "f", "");
    writeFile(dir.path() / ("d" + std::to_string(i)) / "slow", "");
  }
  std::mutex mutex;
  std::condition_variable changed;
  bool blocked = false;
  bool released = false;
  std::size_t read = 0;
  const std::thread::id walkThread = std::this_thread::get_id();
  ReadAheadRules rules;
  rules.threads = 1;
  rules.maxNodesAhead = 4;
  // The thread stops inside the first folder it reads after the root, the one the walk needs next.
  rules.fetch = [&](const platform::DirEntry& entry) {
    if (entry.name() != "slow" || std::this_thread::get_id() == walkThread) return;
    std::unique_lock lock(mutex);
    blocked = true;
    changed.notify_all();
    changed.wait(lock, [&] { return released; });
  };
  rules.subfolders = [&](const FolderSnapshot& snapshot, std::size_t) {
    const std::lock_guard lock(mutex);
    ++read;
    changed.notify_all();
    return subfoldersIn(snapshot);
  };
  const std::size_t limit = 1 + rules.maxNodesAhead;  // the root, then the bound
  std::size_t readWhileBlocked = 0;
  std::jthread releaser([&] {
    std::unique_lock lock(mutex);
    changed.wait_for(lock, std::chrono::seconds(30), [&] { return blocked; });
    // Time enough for the walk to read the whole tree, were it to overrun the bound.
    changed.wait_for(lock, std::chrono::milliseconds(500), [&] { return read > limit; });
    readWhileBlocked = read;
    released = true;
    changed.notify_all();
  });

  FolderReadAhead ahead(rules);
  const FolderReadAhead::NodePtr root = ahead.root(platform::withTrailingSeparator(dir.str()));
  const FolderSnapshot top = ahead.take(root);
  {
    std::unique_lock lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(30), [&] { return blocked; }));
  }
  std::size_t taken = 1;
  for (const std::string& name : subfoldersIn(top)) {
    const FolderReadAhead::NodePtr child = ahead.enter(root, name);
    takeAll(ahead, child, taken);
    ahead.leave(child);
  }
  ahead.leave(root);
  EXPECT_EQ(taken, 81u);
  releaser.join();
  EXPECT_LE(readWhileBlocked, limit);
}

}  // namespace
}  // namespace zendrift::search
