// The walk over awkward trees: odd names, very long paths, symbolic link loops, denied and
// vanishing folders, folders the consumer keeps it out of. Each ends cleanly.
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/os_error.h"
#include "run_as.h"
#include "walk_support.h"

namespace zendrift::search {
namespace {

namespace fs = std::filesystem;
using test::filesOf;
using test::linkRules;
using test::pathsOf;
using test::walkAll;
using test::Walked;
using testing::TempDir;
using testing::writeFile;

TEST(SearchWalkFaults, OddNamesAreListedAndReportedUnchanged) {
  TempDir dir;
  const std::vector<std::string> names{"new\nline.lnk", "tab\there.lnk", "bad\xFF\xFE.lnk", "\xC3\xA9t\xC3\xA9.LNK",
                                       "sub\ndir/inner.lnk"};
  for (const std::string& name : names) writeFile(dir / name, "");
  std::set<std::string> expected;
  for (const std::string& name : names) expected.insert(dir / name);
  EXPECT_EQ(filesOf(walkAll(dir.str())), expected);
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
  WalkRules rules = linkRules();
  rules.fileReadAhead = 4096;
  std::optional<std::uint64_t> size;
  const std::vector<Walked> walked = walkAll(dir.str(), rules, {}, [&](FolderWalk&, const Folder& folder) {
    for (const FolderSnapshot::Entry& file : folder.files()) size = file.facts.size;
  });
  EXPECT_EQ(filesOf(walked), std::set<std::string>{tree.bottom() + "/a.lnk"});
  EXPECT_EQ(size, 2u) << "the size is read at that depth too";
  EXPECT_EQ(walked.size(), 31u);
  for (const Walked& folder : walked) EXPECT_FALSE(folder.error) << folder.path.size();
}

TEST(SearchWalkFaults, RootOfFiveThousandBytesIsWalked) {
  TempDir dir;
  const DeepTree tree(dir.path(), 25, 200);
  ASSERT_GT(tree.bottom().size(), 5000u);
  EXPECT_EQ(filesOf(walkAll(tree.bottom())), std::set<std::string>{tree.bottom() + "/a.lnk"});
}

TEST(SearchWalkFaults, SymbolicLinksToFoldersAreNeverEntered) {
  TempDir dir;
  writeFile(dir / "sub/a.lnk", "");
  fs::create_directory_symlink("..", dir.path() / "sub/up");
  fs::create_directory_symlink(dir.path(), dir.path() / "sub/root");
  fs::create_directory_symlink("/", dir.path() / "z:");
  const std::vector<Walked> walked = walkAll(dir.str());
  EXPECT_EQ(filesOf(walked), std::set<std::string>{dir / "sub/a.lnk"});
  EXPECT_EQ(pathsOf(walked), (std::vector<std::string>{dir.str() + "/", dir / "sub/"}));
  ASSERT_EQ(walked.size(), 2u);
  for (const char* link : {"up", "root"}) {
    EXPECT_NE(std::find(walked[1].entries.begin(), walked[1].entries.end(), link), walked[1].entries.end()) << link;
  }
}

// A folder that becomes a link to another place between its parent's listing and its own is not
// listed through the link, whether it is opened through its parent or by its path.
TEST(SearchWalkFaults, AFolderSwappedForALinkIsNotEnteredThroughIt) {
  TempDir dir;
  writeFile(dir / "tree/sub/own.lnk", "");
  writeFile(dir / "elsewhere/foreign.lnk", "");
  for (const std::size_t held : {std::size_t{256}, std::size_t{0}}) {
    WalkRules rules = linkRules();
    rules.threads = 1;
    rules.foldersHeldOpen = held;
    const std::vector<Walked> walked = walkAll(dir / "tree", rules, {}, [&](FolderWalk&, const Folder& folder) {
      if (folder.path() != dir / "tree/") return;
      fs::rename(dir.path() / "tree/sub", dir.path() / "moved");
      fs::create_directory_symlink(dir.path() / "elsewhere", dir.path() / "tree/sub");
    });
    EXPECT_TRUE(filesOf(walked).empty()) << held << " held open";
    ASSERT_EQ(walked.size(), 2u) << held << " held open";
    EXPECT_TRUE(walked[1].error) << held << " held open";
    fs::remove(dir.path() / "tree/sub");
    fs::rename(dir.path() / "moved", dir.path() / "tree/sub");
  }
}

TEST(SearchWalkFaults, RootMayBeASymbolicLink) {
  TempDir dir;
  writeFile(dir / "real/a.lnk", "");
  fs::create_directory_symlink(dir.path() / "real", dir.path() / "link");
  EXPECT_EQ(filesOf(walkAll(dir / "link")), std::set<std::string>{dir / "link/a.lnk"});
}

TEST(SearchWalkFaults, RootThatIsAFileIsOneFolderThatCannotBeRead) {
  TempDir dir;
  writeFile(dir / "file.lnk", "");
  const std::vector<Walked> walked = walkAll(dir / "file.lnk");
  ASSERT_EQ(walked.size(), 1u);
  EXPECT_EQ(walked[0].path, (dir / "file.lnk") + "/");
  EXPECT_TRUE(walked[0].error);
}

TEST(SearchWalkFaults, DeniedFolderComesWithItsErrorAndTheWalkGoesOn) {
  // Root passes over permissions: the walk runs as an unprivileged account that owns the tree.
  const auto account = testing::unprivileged();
  if (!account) GTEST_SKIP() << "no unprivileged account to run as";
  TempDir dir;
  writeFile(dir / "closed/secret.lnk", "");
  writeFile(dir / "open.lnk", "");
  writeFile(dir / "z/last.lnk", "");
  for (const fs::path& entry : {dir.path(), dir.path() / "closed", dir.path() / "closed/secret.lnk", dir.path() / "open.lnk",
                                dir.path() / "z", dir.path() / "z/last.lnk"}) {
    ASSERT_EQ(::chown(entry.c_str(), account->first, account->second), 0) << entry;
  }
  fs::permissions(dir.path() / "closed", fs::perms::none);
  const int outcome = testing::runAs(*account, [&dir] {
    const std::vector<Walked> walked = walkAll(dir.str());
    if (filesOf(walked) != std::set<std::string>{dir / "open.lnk", dir / "z/last.lnk"}) return 1;
    for (const Walked& folder : walked) {
      const bool closed = folder.path == dir / "closed/";
      if (closed != (folder.error == platform::OsErrc::accessDenied)) return 2;
    }
    return walked.size() == 3 ? 0 : 3;
  });
  fs::permissions(dir.path() / "closed", fs::perms::owner_all);
  EXPECT_EQ(outcome, 0) << "1: other files found, 2: the wrong folder failed, 3: the wrong folders came";
}

// The scan keeps the walk out of other profiles' roots' subfolders, and goes on past a folder
// that vanished (in the plain walk: threads reading ahead may have read it before it went).
TEST(SearchWalkFaults, SkippedChildrenAreNotEnteredAndVanishedFoldersAreNamed) {
  TempDir dir;
  writeFile(dir / "a/gone/x.lnk", "");
  writeFile(dir / "a/kept.lnk", "");
  writeFile(dir / "other/top.lnk", "");
  writeFile(dir / "other/inner/y.lnk", "");
  writeFile(dir / "z/last.lnk", "");
  for (unsigned threads : {3u, 1u}) {
    WalkRules rules = linkRules();
    rules.threads = threads;
    const bool vanish = threads == 1;
    const std::vector<Walked> walked = walkAll(dir.str(), rules, {}, [&](FolderWalk& walk, const Folder& folder) {
      if (folder.path() == dir / "other/") walk.skipChildren();
      if (vanish && folder.path() == dir / "a/") fs::remove_all(dir.path() / "a/gone");
    });
    std::set<std::string> expected{dir / "a/kept.lnk", dir / "other/top.lnk", dir / "z/last.lnk"};
    if (!vanish) expected.insert(dir / "a/gone/x.lnk");
    EXPECT_EQ(filesOf(walked), expected) << threads << " threads";
    std::vector<std::pair<std::string, std::error_code>> failures;
    for (const Walked& folder : walked) {
      if (folder.error) failures.emplace_back(folder.path, folder.error);
    }
    ASSERT_EQ(failures.size(), vanish ? 1u : 0u) << threads << " threads";
    if (!vanish) continue;
    EXPECT_EQ(failures[0].first, dir / "a/gone/");
    EXPECT_EQ(failures[0].second, platform::OsErrc::pathNotFound);
  }
}

}  // namespace
}  // namespace zendrift::search
