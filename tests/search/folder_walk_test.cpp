// The walk over real folder trees: which folders come, in which order, which files they report,
// how errors come in the stream, and how the consumer stops it or keeps it out.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/os_error.h"
#include "walk_support.h"

namespace zendrift::search {
namespace {

namespace fs = std::filesystem;
using test::filesOf;
using test::linkRules;
using test::pathsOf;
using test::setDosAttributes;
using test::walkAll;
using test::Walked;
using testing::TempDir;
using testing::writeFile;

class FolderWalkTest : public ::testing::Test {
 protected:
  std::string at(const std::string& relative) const { return dir_ / relative; }
  std::string folderAt(const std::string& relative) const { return (dir_ / relative) + "/"; }
  void file(const std::string& relative, std::string_view content = "") { writeFile(dir_ / relative, content); }

  TempDir dir_;
};

TEST_F(FolderWalkTest, TheScansRulesReportLinkFilesAtAnyDepthAndNoFolder) {
  for (const char* name : {"A.LNK", "sub/a.lnk", "sub/deeper/.lnk", "a.lnk.txt", "a.lnkx", "x.lnk/inside.lnk"}) file(name);
  const std::vector<Walked> walked = walkAll(dir_.str());
  EXPECT_EQ(filesOf(walked), (std::set<std::string>{at("A.LNK"), at("sub/a.lnk"), at("sub/deeper/.lnk"),
                                                    at("x.lnk/inside.lnk")}));
  EXPECT_EQ(walked.size(), 4u);
  for (const Walked& folder : walked) EXPECT_FALSE(folder.error) << folder.path;
}

TEST_F(FolderWalkTest, RootWithOrWithoutTrailingDelimiterWalksTheSame) {
  file("top.lnk");
  file("sub/low.lnk");
  for (const std::string& root : {dir_.str(), dir_.str() + "/"}) {
    const std::vector<Walked> walked = walkAll(root);
    EXPECT_EQ(pathsOf(walked), (std::vector<std::string>{dir_.str() + "/", folderAt("sub")})) << root;
    EXPECT_EQ(filesOf(walked), (std::set<std::string>{dir_.str() + "/top.lnk", at("sub/low.lnk")})) << root;
  }
}

TEST_F(FolderWalkTest, WalkIsDepthFirstAndPreOrder) {
  for (const char* name : {"r.lnk", "a/a.lnk", "a/b/b.lnk", "a/b/c/c.lnk", "d/d.lnk", "d/e/e.lnk"}) file(name);
  const std::vector<std::string> paths = pathsOf(walkAll(dir_.str()));
  const std::vector<std::string> aSubtree{folderAt("a"), folderAt("a/b"), folderAt("a/b/c")};
  const std::vector<std::string> dSubtree{folderAt("d"), folderAt("d/e")};
  // Each folder once, before its subfolders; a subtree finished before its sibling starts, in the
  // listing's order.
  std::vector<std::string> aFirst{dir_.str() + "/"};
  aFirst.insert(aFirst.end(), aSubtree.begin(), aSubtree.end());
  aFirst.insert(aFirst.end(), dSubtree.begin(), dSubtree.end());
  std::vector<std::string> dFirst{dir_.str() + "/"};
  dFirst.insert(dFirst.end(), dSubtree.begin(), dSubtree.end());
  dFirst.insert(dFirst.end(), aSubtree.begin(), aSubtree.end());
  EXPECT_TRUE(paths == aFirst || paths == dFirst) << ::testing::PrintToString(paths);
}

TEST_F(FolderWalkTest, HiddenAndSystemEntriesAreNeitherReportedNorEntered) {
  file("both.lnk");
  file("hidden.lnk");
  file("system.lnk");
  file(".dot.lnk");
  file("hsdir/inside.lnk");
  setDosAttributes(at("both.lnk"), "0x6");
  setDosAttributes(at("hidden.lnk"), "0x2");
  setDosAttributes(at("system.lnk"), "0x4");
  setDosAttributes(at("hsdir"), "0x6");
  const std::vector<Walked> walked = walkAll(dir_.str());
  EXPECT_EQ(filesOf(walked), (std::set<std::string>{at("hidden.lnk"), at("system.lnk"), at(".dot.lnk")}));
  EXPECT_EQ(walked.size(), 1u) << "hsdir is not entered";
}

TEST_F(FolderWalkTest, EveryEntryIsListedAndOnlyDotsAreNotEntered) {
  file("a.txt");
  file(".../deep.lnk");
  file("both.txt");
  setDosAttributes(at("both.txt"), "0x6");
  const std::vector<Walked> walked = walkAll(dir_.str());
  ASSERT_EQ(walked.size(), 2u);
  std::vector<std::string> top = walked[0].entries;
  std::sort(top.begin(), top.end());
  EXPECT_EQ(top, (std::vector<std::string>{".", "..", "...", "a.txt", "both.txt"}));
  EXPECT_EQ(walked[1].path, folderAt("..."));
  EXPECT_EQ(walked[1].entries.size(), 3u);
  EXPECT_EQ(filesOf(walked), std::set<std::string>{at(".../deep.lnk")});
}

TEST_F(FolderWalkTest, EmptyRootWalksTheFileSystemRoot) {
  FolderWalk walk("", linkRules());
  const std::optional<Folder> first = walk.next();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->path(), "/");
}

TEST_F(FolderWalkTest, FailedListingsComeInTheStreamAndTheWalkGoesOn) {
  // A root that is not there: one folder, with the error, and nothing else.
  const std::vector<Walked> missing = walkAll(at("missing"));
  ASSERT_EQ(missing.size(), 1u);
  EXPECT_EQ(missing[0].path, folderAt("missing"));
  EXPECT_EQ(missing[0].error, platform::OsErrc::pathNotFound);
  EXPECT_TRUE(missing[0].entries.empty());

  // A subfolder removed after its parent was listed: it comes with its error, then the rest.
  file("a/one.lnk");
  file("b/two.lnk");
  file("top.lnk");
  const std::vector<Walked> walked = walkAll(dir_.str(), linkRules(), {}, [&](FolderWalk&, const Folder& folder) {
    if (folder.path() == dir_.str() + "/") fs::remove_all(dir_.path() / "b");
  });
  ASSERT_EQ(walked.size(), 3u);
  for (const Walked& folder : walked) {
    EXPECT_EQ(folder.error, folder.path == folderAt("b") ? platform::OsErrc::pathNotFound : std::error_code{})
        << folder.path;
  }
  EXPECT_EQ(filesOf(walked), (std::set<std::string>{at("top.lnk"), at("a/one.lnk")}));
}

TEST_F(FolderWalkTest, AStopEndsTheWalkAtTheNextFolder) {
  for (int i = 0; i < 20; ++i) file("f" + std::to_string(i) + ".lnk");
  file("sub/deep.lnk");
  file("sub/inner/deeper.lnk");
  for (unsigned threads : {1u, 3u}) {
    WalkRules rules = linkRules();
    rules.threads = threads;
    std::stop_source stop;
    const std::vector<Walked> walked =
        walkAll(dir_.str(), rules, stop.get_token(), [&](FolderWalk&, const Folder&) { stop.request_stop(); });
    ASSERT_EQ(walked.size(), 1u) << threads << " threads";
    EXPECT_EQ(walked[0].files.size(), 20u) << "the folder handed out before the stop is whole";

    EXPECT_TRUE(walkAll(dir_.str(), rules, stop.get_token()).empty()) << "stopped before it began";
  }
}

TEST_F(FolderWalkTest, KeptOutFoldersAreNeverHandedOut) {
  for (const char* name : {".config/a.lnk", "sub/.config/b.lnk", ".Trash-1000/c.lnk", "sub/$RECYCLE.BIN/d.lnk",
                           "sub/.Trash/e.lnk", "mine/f.lnk", "sub/mine/g.lnk", "sub/kept.lnk"}) {
    file(name);
  }
  WalkRules rules = linkRules();
  rules.keepOut.trashNames = true;
  rules.keepOut.rootDotFolders = true;
  const std::optional<platform::FolderId> mine = platform::folderIdentity(at("mine"));
  ASSERT_TRUE(mine);
  rules.keepOut.folders.push_back(*mine);
  for (unsigned threads : {1u, 3u}) {
    rules.threads = threads;
    EXPECT_EQ(filesOf(walkAll(dir_.str(), rules)),
              (std::set<std::string>{at("sub/.config/b.lnk"), at("sub/mine/g.lnk"), at("sub/kept.lnk")}))
        << threads << " threads";
  }
  // A root inside a folder kept out, whatever its path says: nothing at all.
  fs::create_directory_symlink(dir_.path() / "mine", dir_.path() / "sub/mine-link");
  EXPECT_TRUE(walkAll(at(".Trash-1000"), rules).empty());
  EXPECT_TRUE(walkAll(at("sub/mine-link"), rules).empty());
}

}  // namespace
}  // namespace zendrift::search
