// The walk with read-ahead threads against the walk without, over generated trees: the same
// events, entry for entry, in the same order.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "search_recorder.h"

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
// and a folder the walk is told not to enter, each with a shortcut inside.
void grow(const fs::path& folder, const fs::path& root, int depth, const TreeShape& shape) {
  writeFile(folder / "a.lnk", "");
  writeFile(folder / "B.LNK", "x");
  writeFile(folder / "c.txt", "");
  fs::create_directory_symlink(root, folder / "loop");
  writeFile(folder / "secret/inside.lnk", "");
  test::setDosAttributes(folder / "secret", "0x6");
  writeFile(folder / "skip/inside.lnk", "");
  if (depth == 0) return;
  for (int i = 0; i < shape.width; ++i) grow(folder / ("sub" + std::to_string(i)), root, depth - 1, shape);
}

std::vector<std::string> walk(const std::string& root, unsigned threads) {
  FileSearch search;
  std::vector<std::string> log;
  test::useLinkMask(search, root);
  search.setOptions({soSearchFiles, soSearchDirs});
  search.setReadAheadThreads(threads);
  search.setFileReadAhead(4096);
  search.onBeginScanDir = [&](FileSearch&, const std::string& folder) { log.push_back("begin " + folder); };
  search.onProgress = [&](FileSearch& engine) { log.push_back("entry " + engine.currentEntry().name()); };
  search.onFindFile = [&](FileSearch& engine, const std::string& name) {
    log.push_back("file " + name + " " + std::to_string(engine.currentEntry().size()));
  };
  search.onFindDirectory = [&](FileSearch&, const std::string& name) { log.push_back("dir " + name); };
  search.onEnterDirectory = [&](FileSearch&, const std::string& folder) {
    return fs::path(folder).filename() != "skip";
  };
  log.push_back(search.search() ? "completed" : "stopped");
  return log;
}

class ReadAheadWalkTest : public ::testing::TestWithParam<TreeShape> {};

TEST_P(ReadAheadWalkTest, ReportsWhatTheWalkWithoutItReportsInTheSameOrder) {
  TempDir dir;
  grow(dir.path(), dir.path(), GetParam().depth, GetParam());
  const std::vector<std::string> plain = walk(dir.str(), 1);
  ASSERT_EQ(plain.back(), "completed");
  for (const std::string& line : plain) {
    ASSERT_EQ(line.find("inside.lnk"), std::string::npos) << line;
    ASSERT_EQ(line.find("/loop/"), std::string::npos) << line;
  }
  // More threads than this machine may have cores, so that they overtake one another.
  for (unsigned threads : {2u, 5u}) EXPECT_EQ(walk(dir.str(), threads), plain) << threads << " threads";
}

INSTANTIATE_TEST_SUITE_P(Trees, ReadAheadWalkTest,
                         ::testing::Values(TreeShape{"deep", 60, 1}, TreeShape{"wide", 1, 200},
                                           TreeShape{"bushy", 3, 6}),
                         [](const auto& shape) { return std::string(shape.param.name); });

}  // namespace
}  // namespace zendrift::search
