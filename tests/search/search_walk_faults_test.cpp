// The walk over awkward trees: odd names, very long paths, symbolic link loops, denied and
// vanishing folders. Each ends cleanly with the engine idle.
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "run_as.h"
#include "search_recorder.h"

namespace zendrift::search {
namespace {

namespace fs = std::filesystem;
using test::asSet;
using test::Recorder;
using test::useLinkMask;
using testing::TempDir;
using testing::writeFile;

TEST(SearchWalkFaults, OddNamesAreListedAndReportedUnchanged) {
  TempDir dir;
  const std::vector<std::string> names{"new\nline.lnk", "tab\there.lnk", "bad\xFF\xFE.lnk", "\xC3\xA9t\xC3\xA9.LNK",
                                       "sub\ndir/inner.lnk"};
  for (const std::string& name : names) writeFile(dir / name, "");
  FileSearch search;
  useLinkMask(search, dir.str());
  EXPECT_TRUE(search.search());
  std::set<std::string> expected;
  for (const std::string& name : names) expected.insert(dir / name);
  EXPECT_EQ(asSet(search.foundFiles()), expected);
}

// Builds `levels` nested folders with names of `nameLength` bytes below `root`, one step at a
// time (the whole path is longer than the system accepts in one call), with a.lnk at the bottom.
// Returns the bottom folder's path.
class DeepTree {
 public:
  DeepTree(const fs::path& root, int levels, std::size_t nameLength) : root_(root), levels_(levels) {
    const fs::path start = fs::current_path();
    fs::current_path(root_);
    std::string path = root_.string();
    for (int level = 0; level < levels_; ++level) {
      const std::string name = std::to_string(level) + std::string(nameLength - std::to_string(level).size(), 'd');
      fs::create_directory(name);
      fs::current_path(name);
      path += "/" + name;
    }
    std::ofstream("a.lnk") << "12";
    bottom_ = path;
    fs::current_path(start);
  }
  // Removes the tree bottom-up, again one step at a time.
  ~DeepTree() {
    const fs::path start = fs::current_path();
    fs::current_path(root_);
    std::vector<std::string> names;
    for (int level = 0; level < levels_; ++level) {
      for (const auto& entry : fs::directory_iterator(".")) {
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
      }
      fs::current_path(names.back());
    }
    fs::remove("a.lnk");
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
      fs::current_path("..");
      fs::remove(*name);
    }
    fs::current_path(start);
  }
  const std::string& bottom() const { return bottom_; }

 private:
  fs::path root_;
  int levels_;
  std::string bottom_;
};

TEST(SearchWalkFaults, PathsLongerThanTheSystemLimitAreWalked) {
  TempDir dir;
  const DeepTree tree(dir.path(), 30, 200);
  ASSERT_GT(tree.bottom().size(), 6000u);
  FileSearch search;
  Recorder recorder(search);
  useLinkMask(search, dir.str());
  EXPECT_TRUE(search.search());
  EXPECT_EQ(search.foundFiles().lines(), std::vector<std::string>{tree.bottom() + "/a.lnk"});
  EXPECT_EQ(search.foundBytes(), 2);  // the size is read at that depth too
  EXPECT_EQ(recorder.begun().size(), 31u);
}

TEST(SearchWalkFaults, RootOfFiveThousandBytesIsWalked) {
  TempDir dir;
  const DeepTree tree(dir.path(), 25, 200);
  ASSERT_GT(tree.bottom().size(), 5000u);
  FileSearch search;
  useLinkMask(search, tree.bottom());
  EXPECT_TRUE(search.search());
  EXPECT_EQ(search.foundFileCount(), 1);
  // the root check finds the long root too
  search.setOptions({soSearchFiles, soCheckRootDirValid});
  search.setDirOption(doExcludeSubDirs);
  EXPECT_TRUE(search.search());
  EXPECT_EQ(search.foundFileCount(), 1);
}

TEST(SearchWalkFaults, HandlersMayRebindTheirOwnEventsAndAbortRepeatedly) {
  TempDir dir;
  for (int i = 0; i < 5; ++i) writeFile(dir / ("f" + std::to_string(i) + ".lnk"), "");
  FileSearch search;
  useLinkMask(search, dir.str());
  int aborts = 0;
  int found = 0;
  search.onAbort = [&](FileSearch& sender) {
    ++aborts;
    sender.abort();  // asking again while the request stands announces nothing
  };
  search.onFindFile = [&](FileSearch& sender, const std::string&) {
    ++found;
    sender.onFindFile = nullptr;  // the running handler stays alive until it returns
    sender.abort();
    sender.abort();
  };
  EXPECT_FALSE(search.search());
  EXPECT_EQ(found, 1);
  EXPECT_EQ(aborts, 1);
  EXPECT_FALSE(search.busy());
}

TEST(SearchWalkFaults, SymbolicLinksToFoldersAreNeverEntered) {
  TempDir dir;
  writeFile(dir / "sub/a.lnk", "");
  fs::create_directory_symlink("..", dir.path() / "sub/up");
  fs::create_directory_symlink(dir.path(), dir.path() / "sub/root");
  fs::create_directory_symlink("/", dir.path() / "z:");
  FileSearch search;
  Recorder recorder(search);
  useLinkMask(search, dir.str());
  search.setOptions({soSearchFiles, soSearchDirs, soStripDirs});
  EXPECT_TRUE(search.search());
  EXPECT_EQ(asSet(search.foundFiles()), std::set<std::string>{"a.lnk"});
  EXPECT_EQ(asSet(search.foundDirectories()), (std::set<std::string>{"sub", "up", "root", "z:"}));
  EXPECT_EQ(recorder.begun().size(), 2u);
}

TEST(SearchWalkFaults, RootMayBeASymbolicLink) {
  TempDir dir;
  writeFile(dir / "real/a.lnk", "");
  fs::create_directory_symlink(dir.path() / "real", dir.path() / "link");
  FileSearch search;
  useLinkMask(search, dir / "link");
  EXPECT_TRUE(search.search());
  EXPECT_EQ(search.foundFiles().lines(), std::vector<std::string>{dir / "link/a.lnk"});
}

TEST(SearchWalkFaults, RootThatIsAFileEndsTheSearch) {
  TempDir dir;
  writeFile(dir / "file.lnk", "");
  FileSearch search;
  Recorder recorder(search);
  useLinkMask(search, dir / "file.lnk");
  EXPECT_FALSE(search.search());
  EXPECT_EQ(recorder.log, std::vector<std::string>{"begin " + (dir / "file.lnk") + "/"});
  search.setErrorResponse(erIgnore);
  EXPECT_TRUE(search.search());
}

TEST(SearchWalkFaults, DeniedFolderIsPassedOverSilently) {
  // Root passes over permissions: the walk runs as an unprivileged account that owns the tree.
  const auto account = testing::unprivileged();
  if (!account) GTEST_SKIP() << "no unprivileged account to run as";
  TempDir dir;
  writeFile(dir / "closed/secret.lnk", "");
  writeFile(dir / "open.lnk", "");
  for (const fs::path& entry : {dir.path(), dir.path() / "closed", dir.path() / "closed/secret.lnk", dir.path() / "open.lnk"}) {
    ASSERT_EQ(::chown(entry.c_str(), account->first, account->second), 0) << entry;
  }
  fs::permissions(dir.path() / "closed", fs::perms::none);
  const int outcome = testing::runAs(*account, [&dir] {
    FileSearch search;
    bool errorFired = false;
    search.onError = [&](FileSearch&, bool&) { errorFired = true; };
    useLinkMask(search, dir.str());
    if (!search.search()) return 1;
    if (search.foundFiles().lines() != std::vector<std::string>{dir / "open.lnk"}) return 2;
    return errorFired ? 3 : 0;
  });
  fs::permissions(dir.path() / "closed", fs::perms::owner_all);
  EXPECT_EQ(outcome, 0) << "1: the walk failed, 2: other files found, 3: the error handler ran";
}

TEST(SearchWalkFaults, FolderDeletedWhileItIsListedEndsCleanly) {
  TempDir dir;
  for (int i = 0; i < 50; ++i) writeFile(dir / ("sub/f" + std::to_string(i) + ".lnk"), "");
  writeFile(dir / "sub/inner/x.lnk", "");
  FileSearch search;
  useLinkMask(search, dir.str());
  int reported = 0;
  search.onFindFile = [&](FileSearch&, const std::string&) {
    if (++reported == 1) fs::remove_all(dir.path() / "sub");
  };
  // The listing already read "inner", which vanished with its parent: entering it fails and
  // ends the search.
  EXPECT_FALSE(search.search());
  EXPECT_FALSE(search.busy());
  EXPECT_GE(reported, 1);
  search.onFindFile = nullptr;
  EXPECT_TRUE(search.search());
  EXPECT_EQ(search.foundFileCount(), 0);
}

// The scan passes over a vanished folder and goes on, and keeps other profiles' roots out of the
// walk: both through the engine's events.
TEST(SearchWalkFaults, FailedListingsAreNamedAndRefusedFoldersAreNotEntered) {
  TempDir dir;
  writeFile(dir / "a/gone/x.lnk", "");
  writeFile(dir / "a/kept.lnk", "");
  writeFile(dir / "other/y.lnk", "");
  writeFile(dir / "z/last.lnk", "");
  FileSearch search;
  useLinkMask(search, dir.str());
  search.setErrorResponse(erIgnore);
  std::vector<std::pair<std::string, std::error_code>> failures;
  search.onDirectoryError = [&](FileSearch&, const std::string& folder, std::error_code code) {
    failures.emplace_back(folder, code);
  };
  search.onEnterDirectory = [&](FileSearch&, const std::string& folder) { return folder != dir / "other"; };
  search.onFindFile = [&](FileSearch&, const std::string& path) {
    if (path == dir / "a/kept.lnk") fs::remove_all(dir.path() / "a/gone");
  };
  EXPECT_TRUE(search.search());
  EXPECT_EQ(asSet(search.foundFiles()), asSet({dir / "a/kept.lnk", dir / "z/last.lnk"}));
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].first, dir / "a/gone/");
  EXPECT_EQ(failures[0].second, platform::OsErrc::pathNotFound);
}

}  // namespace
}  // namespace zendrift::search
