// The search engine's walk over real folder trees: what is reported, in which order, with
// which options, and how it stops.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/os_error.h"
#include "search/search_error.h"
#include "search_recorder.h"

namespace zendrift::search {
namespace {

namespace fs = std::filesystem;
using test::asSet;
using test::Recorder;
using test::setDosAttributes;
using test::useLinkMask;
using testing::TempDir;
using testing::writeFile;

class SearchFilesTest : public ::testing::Test {
 protected:
  std::string at(const std::string& relative) const { return dir_ / relative; }
  void file(const std::string& relative, std::string_view content = "") { writeFile(dir_ / relative, content); }
  void folder(const std::string& relative) { fs::create_directories(dir_.path() / relative); }

  TempDir dir_;
  FileSearch search_;
};

TEST_F(SearchFilesTest, WindowConfigurationReportsLinkFilesAtAnyDepthAndNoFolder) {
  for (const char* name : {"A.LNK", "sub/a.lnk", "sub/deeper/.lnk", "a.lnk.txt", "a.lnkx", "x.lnk/inside.lnk"}) file(name);
  Recorder recorder(search_);
  useLinkMask(search_, dir_.str());
  EXPECT_TRUE(search_.search());
  const std::set<std::string> expected{at("A.LNK"), at("sub/a.lnk"), at("sub/deeper/.lnk"), at("x.lnk/inside.lnk")};
  EXPECT_EQ(recorder.files(), expected);
  EXPECT_EQ(asSet(search_.foundFiles()), expected);
  EXPECT_EQ(search_.foundFileCount(), 4);
  EXPECT_TRUE(recorder.dirs().empty());
  EXPECT_EQ(search_.foundDirectoryCount(), 0);
  EXPECT_FALSE(search_.busy());
}

TEST_F(SearchFilesTest, RootWithOrWithoutTrailingDelimiterWalksTheSame) {
  file("top.lnk");
  file("sub/low.lnk");
  for (const std::string& root : {dir_.str(), dir_.str() + "/"}) {
    useLinkMask(search_, root);
    EXPECT_TRUE(search_.search());
    EXPECT_EQ(asSet(search_.foundFiles()), (std::set<std::string>{dir_.str() + "/top.lnk", dir_.str() + "/sub/low.lnk"}))
        << root;
  }
}

TEST_F(SearchFilesTest, WalkIsDepthFirstAndPreOrder) {
  for (const char* name : {"r.lnk", "a/a.lnk", "a/b/b.lnk", "a/b/c/c.lnk", "d/d.lnk", "d/e/e.lnk"}) file(name);
  Recorder recorder(search_);
  useLinkMask(search_, dir_.str());
  ASSERT_TRUE(search_.search());
  const auto position = [&](const std::string& line) {
    const auto found = std::find(recorder.log.begin(), recorder.log.end(), line);
    EXPECT_NE(found, recorder.log.end()) << line;
    return found - recorder.log.begin();
  };
  const std::string root = dir_.str() + "/";
  // each folder is listed once, its files reported before any subfolder is listed
  EXPECT_EQ(recorder.begun().size(), 6u);
  EXPECT_EQ(std::count_if(recorder.log.begin(), recorder.log.end(), [](const auto& l) { return l.rfind("begin", 0) == 0; }), 6);
  EXPECT_LT(position("file " + root + "r.lnk"), position("begin " + root + "a/"));
  EXPECT_LT(position("file " + root + "r.lnk"), position("begin " + root + "d/"));
  EXPECT_LT(position("begin " + root + "a/"), position("file " + root + "a/a.lnk"));
  EXPECT_LT(position("file " + root + "a/a.lnk"), position("begin " + root + "a/b/"));
  // a subtree is finished before its sibling starts
  const bool aFirst = position("begin " + root + "a/") < position("begin " + root + "d/");
  if (aFirst) {
    EXPECT_LT(position("file " + root + "a/b/c/c.lnk"), position("begin " + root + "d/"));
  } else {
    EXPECT_LT(position("file " + root + "d/e/e.lnk"), position("begin " + root + "a/"));
  }
}

struct DirOptionCase {
  DirOption option;
  std::set<std::string> files;
  std::set<std::string> dirs;
};

class DirOptionTable : public SearchFilesTest, public ::testing::WithParamInterface<DirOptionCase> {};

TEST_P(DirOptionTable, EntersAndExaminesTheFoldersTheOptionSays) {
  for (const char* name : {"r.lnk", "good/g.lnk", "good/bad/b.lnk", "bad/b2.lnk", "bad/good/g2.lnk"}) file(name);
  Recorder recorder(search_);
  useLinkMask(search_, dir_.str());
  search_.dirParams().setSearchTypes({stFileMask});
  search_.dirParams().fileMasks().add("good");
  search_.setOptions({soSearchFiles, soSearchDirs, soStripDirs});
  search_.setDirOption(GetParam().option);
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(recorder.files(), GetParam().files);
  EXPECT_EQ(recorder.dirs(), GetParam().dirs);
}

INSTANTIATE_TEST_SUITE_P(
    Options, DirOptionTable,
    ::testing::Values(DirOptionCase{doExcludeSubDirs, {"r.lnk"}, {"good"}},
                      DirOptionCase{doIncludeSubDirs, {"r.lnk", "g.lnk", "b.lnk", "b2.lnk", "g2.lnk"}, {"good"}},
                      DirOptionCase{doExcludeInvalidDirs, {"r.lnk", "g.lnk", "g2.lnk"}, {"good"}},
                      DirOptionCase{doExcludeCompleteInvalidDirs, {"r.lnk", "g.lnk"}, {"good"}}));

TEST_F(SearchFilesTest, IncludeSubDirsReportsAcceptedFoldersAtEveryLevel) {
  file("bad/good/x.txt");
  file("good/inner/y.txt");
  Recorder recorder(search_);
  search_.dirParams().setSearchTypes({stFileMask});
  search_.dirParams().fileMasks().add("good");
  search_.setOptions({soSearchDirs});
  search_.setRootDirectory(dir_.str());
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(recorder.dirs(), (std::set<std::string>{at("bad/good"), at("good")}));
  EXPECT_EQ(asSet(search_.foundDirectories()), recorder.dirs());
  EXPECT_TRUE(recorder.files().empty());  // soSearchFiles is off
}

TEST_F(SearchFilesTest, RecurseDepthLimitsTheListedLevels) {
  for (const char* name : {"0.lnk", "a/1.lnk", "a/b/2.lnk", "a/b/c/3.lnk"}) file(name);
  useLinkMask(search_, dir_.str());
  search_.setOptions({soSearchFiles, soStripDirs});
  const std::vector<std::pair<int, std::set<std::string>>> cases{
      {1, {"0.lnk", "1.lnk"}}, {2, {"0.lnk", "1.lnk", "2.lnk"}}, {0, {"0.lnk", "1.lnk", "2.lnk", "3.lnk"}}};
  for (const auto& [depth, expected] : cases) {
    search_.setRecurseDepth(depth);
    EXPECT_TRUE(search_.search());
    EXPECT_EQ(asSet(search_.foundFiles()), expected) << depth;
  }
  // folders one level deeper than the limit are still seen as entries
  search_.setRecurseDepth(1);
  search_.setOptions({soSearchDirs, soStripDirs});
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(asSet(search_.foundDirectories()), (std::set<std::string>{"a", "b"}));
}

TEST_F(SearchFilesTest, HiddenAndSystemEntriesAreSkippedUnlessIncluded) {
  file("both.lnk");
  file("hidden.lnk");
  file("system.lnk");
  file(".dot.lnk");
  file("hsdir/inside.lnk");
  setDosAttributes(at("both.lnk"), "0x6");
  setDosAttributes(at("hidden.lnk"), "0x2");
  setDosAttributes(at("system.lnk"), "0x4");
  setDosAttributes(at("hsdir"), "0x6");
  useLinkMask(search_, dir_.str());
  search_.setOptions({soSearchFiles, soStripDirs});
  Recorder recorder(search_);
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(asSet(search_.foundFiles()), (std::set<std::string>{"hidden.lnk", "system.lnk", ".dot.lnk"}));
  EXPECT_EQ(recorder.begun().size(), 1u);  // hsdir is not entered

  search_.setOptions({soSearchFiles, soStripDirs, soIncludeSystemHiddenFiles, soIncludeSystemHiddenDirs});
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(asSet(search_.foundFiles()), (std::set<std::string>{"both.lnk", "hidden.lnk", "system.lnk", ".dot.lnk", "inside.lnk"}));

  // the same holds when a check handler decides: hidden+system files never reach it
  search_.setOptions({soSearchFiles, soStripDirs});
  std::set<std::string> checked;
  search_.onCheck = [&](FileSearch& sender, bool& result) {
    checked.insert(sender.currentEntry().name());
    result = true;
  };
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(checked.count("both.lnk"), 0u);
  EXPECT_EQ(checked.count("hidden.lnk"), 1u);
}

TEST_F(SearchFilesTest, ProgressFiresForEveryListedEntryAndOnlyDotsArePassedOver) {
  file("a.txt");
  file(".../deep.lnk");
  file("both.txt");
  setDosAttributes(at("both.txt"), "0x6");
  Recorder recorder(search_);
  useLinkMask(search_, dir_.str());
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(recorder.files(), std::set<std::string>{at(".../deep.lnk")});
  // root: . .. a.txt ... both.txt; the "..." folder: . .. deep.lnk
  EXPECT_EQ(recorder.progress, 5 + 3);
}

TEST_F(SearchFilesTest, CheckHandlerReplacesBothFiltersWithResultPresetFalse) {
  file("a.lnk");
  file("b.txt");
  folder("sub");
  search_.setOptions({soSearchFiles, soSearchDirs, soStripDirs});
  useLinkMask(search_, dir_.str());
  std::vector<bool> presets;
  search_.onCheck = [&](FileSearch& sender, bool& result) {
    presets.push_back(result);
    result = sender.currentEntry().name() != "a.lnk";
  };
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(asSet(search_.foundFiles()), std::set<std::string>{"b.txt"});
  EXPECT_EQ(asSet(search_.foundDirectories()), std::set<std::string>{"sub"});
  EXPECT_EQ(presets, std::vector<bool>(3, false));
}

TEST_F(SearchFilesTest, SortedStrippedNamesKeepOneLineUnlessDuplicatesAllowed) {
  file("x/same.lnk");
  file("y/same.lnk");
  file("z/Other.lnk");
  Recorder recorder(search_);
  useLinkMask(search_, dir_.str());
  search_.setOptions({soSearchFiles, soStripDirs, soSorted});
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(search_.foundFiles().lines(), (std::vector<std::string>{"Other.lnk", "same.lnk"}));
  EXPECT_EQ(search_.foundFileCount(), 3);
  EXPECT_EQ(recorder.log.size() - recorder.begun().size(), 3u);

  search_.setOptions({soSearchFiles, soStripDirs, soSorted, soAllowDuplicates});
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(search_.foundFiles().lines(), (std::vector<std::string>{"Other.lnk", "same.lnk", "same.lnk"}));

  // an unsorted list takes every name in reporting order; sorting it later sorts at once
  search_.setOptions({soSearchFiles, soStripDirs});
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(search_.foundFiles().size(), 3u);
  search_.setOptions({soSearchFiles, soStripDirs, soSorted, soAllowDuplicates});
  EXPECT_EQ(search_.foundFiles().lines(), (std::vector<std::string>{"Other.lnk", "same.lnk", "same.lnk"}));
}

TEST_F(SearchFilesTest, OwnerDataCountsAndSizesWithoutFillingTheLists) {
  file("a.lnk", "12345");
  file("sub/b.lnk", "123");
  file("sub/c.txt", "1234567");
  useLinkMask(search_, dir_.str());
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(search_.foundBytes(), 8);
  search_.setOptions({soSearchFiles, soOwnerData});
  int events = 0;
  search_.onFindFile = [&](FileSearch&, const std::string&) { ++events; };
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(events, 2);
  EXPECT_EQ(search_.foundFileCount(), 2);
  EXPECT_EQ(search_.foundBytes(), 8);
  EXPECT_TRUE(search_.foundFiles().empty());
}

TEST_F(SearchFilesTest, RootOptionsDecideWhetherTheRootsOwnEntriesCount) {
  file("root.lnk");
  file("sub/low.lnk");
  useLinkMask(search_, dir_.str());
  search_.setOptions({soSearchFiles, soStripDirs, soExcludeFilesInRootDir});
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(asSet(search_.foundFiles()), std::set<std::string>{"low.lnk"});

  // a root whose name begins with "." fails the root check: with no subfolders entered,
  // nothing is listed at all
  file(".hidden/root.lnk");
  Recorder recorder(search_);
  search_.setRootDirectory(at(".hidden"));
  search_.setOptions({soSearchFiles, soCheckRootDirValid});
  search_.setDirOption(doExcludeSubDirs);
  EXPECT_TRUE(search_.search());
  EXPECT_TRUE(recorder.log.empty());
  search_.setRootDirectory(at("sub") + "/");
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(recorder.files(), std::set<std::string>{at("sub/low.lnk")});
  EXPECT_EQ(search_.currentEntry().name().empty(), false);
}

TEST_F(SearchFilesTest, AbortWhileIdleDoesNothing) {
  Recorder recorder(search_);
  search_.abort();
  EXPECT_TRUE(recorder.log.empty());
  file("a.lnk");
  useLinkMask(search_, dir_.str());
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(search_.foundFileCount(), 1);
}

TEST_F(SearchFilesTest, AbortFromFindFileStopsAtTheNextEntryAndKeepsResults) {
  for (int i = 0; i < 20; ++i) file("f" + std::to_string(i) + ".lnk");
  file("sub/deep.lnk");
  Recorder recorder(search_);
  bool errorFired = false;
  search_.onError = [&](FileSearch&, bool&) { errorFired = true; };
  useLinkMask(search_, dir_.str());
  search_.onFindFile = [&](FileSearch& sender, const std::string& name) {
    recorder.log.push_back("file " + name);
    sender.abort();
  };
  EXPECT_FALSE(search_.search());
  EXPECT_EQ(search_.foundFileCount(), 1);
  EXPECT_EQ(search_.foundFiles().size(), 1u);
  EXPECT_EQ(recorder.begun().size(), 1u);  // no further folder opened
  EXPECT_FALSE(errorFired);
  EXPECT_EQ(std::count(recorder.log.begin(), recorder.log.end(), "abort"), 1);
  EXPECT_FALSE(search_.busy());

  // the next search starts afresh
  search_.onFindFile = nullptr;
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(search_.foundFileCount(), 21);
}

TEST_F(SearchFilesTest, AbortAtTheLastEntryOfAFolderIsSeenAtTheNextFoldersFirstEntry) {
  file("only.lnk");
  file("sub/later.lnk");
  Recorder recorder(search_);
  useLinkMask(search_, dir_.str());
  // Abort while the root's last entry is examined: find which entry that is first.
  std::vector<std::string> order;
  search_.onProgress = [&](FileSearch& sender) {
    if (sender.currentEntry().folder() == dir_.str() + "/") order.push_back(sender.currentEntry().name());
  };
  ASSERT_TRUE(search_.search());
  ASSERT_EQ(order.size(), 4u);
  int listed = 0;
  search_.onProgress = [&](FileSearch& sender) {
    ++listed;
    if (listed == 4) sender.abort();  // during the root's last entry, before it is examined
  };
  recorder.log.clear();
  EXPECT_FALSE(search_.search());
  EXPECT_TRUE(recorder.files().empty() || order.back() != "only.lnk");

  // an abort from a handler of the root's last entry: the subfolder still begins, then stops
  if (order.back() == "only.lnk") {
    search_.onProgress = nullptr;
    search_.onFindFile = [&](FileSearch& sender, const std::string&) { sender.abort(); };
    recorder.log.clear();
    EXPECT_FALSE(search_.search());
    EXPECT_EQ(recorder.begun(), (std::set<std::string>{dir_.str() + "/", at("sub") + "/"}));
  }
}

TEST_F(SearchFilesTest, AbortDuringTheWalksVeryLastEntryLetsItEndNormally) {
  file("only.lnk");
  useLinkMask(search_, dir_.str());
  std::vector<std::string> order;
  search_.onProgress = [&](FileSearch& sender) { order.push_back(sender.currentEntry().name()); };
  ASSERT_TRUE(search_.search());
  search_.onProgress = nullptr;
  search_.onCheck = [](FileSearch& sender, bool& result) {
    sender.abort();
    result = true;
  };
  // only.lnk is the one entry examined; the search completes exactly when it was listed last
  EXPECT_EQ(search_.search(), order.back() == "only.lnk");
  EXPECT_EQ(search_.foundFileCount(), 1);
}

TEST_F(SearchFilesTest, NestedSearchReturnsFalseAndLeavesTheRunningOneAlone) {
  file("a.lnk");
  file("sub/b.lnk");
  useLinkMask(search_, dir_.str());
  std::vector<bool> nested;
  search_.onFindFile = [&](FileSearch& sender, const std::string&) {
    const int before = sender.foundFileCount();
    nested.push_back(sender.search());
    EXPECT_EQ(sender.foundFileCount(), before);
    EXPECT_TRUE(sender.busy());
  };
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(nested, (std::vector<bool>{false, false}));
  EXPECT_EQ(search_.foundFiles().size(), 2u);
}

TEST_F(SearchFilesTest, EmptyRootWalksTheFileSystemRoot) {
  Recorder recorder(search_);
  search_.onBeginScanDir = [&](FileSearch& sender, const std::string& folder) {
    recorder.log.push_back("begin " + folder);
    sender.abort();
  };
  EXPECT_FALSE(search_.search());
  EXPECT_EQ(recorder.begun(), std::set<std::string>{"/"});
}

// A root that does not exist: one begin event, then the error response decides.
struct ErrorResponseCase {
  ErrorResponse response;
  bool bindHandler;
  bool handlerSets;  // the value the handler leaves in Handled
  bool result;
  bool raises;
};

class ErrorResponseTable : public SearchFilesTest, public ::testing::WithParamInterface<ErrorResponseCase> {};

TEST_P(ErrorResponseTable, FailedListingIsResolvedAsTheResponseSays) {
  const ErrorResponseCase& c = GetParam();
  Recorder recorder(search_);
  int errors = 0;
  if (c.bindHandler) {
    search_.onError = [&](FileSearch&, bool& handled) {
      ++errors;
      handled = c.handlerSets;
    };
  }
  useLinkMask(search_, at("missing"));
  search_.setErrorResponse(c.response);
  if (c.raises) {
    try {
      search_.search();
      FAIL() << "no error";
    } catch (const platform::OsError& error) {
      EXPECT_EQ(error.code(), platform::OsErrc::pathNotFound);
      EXPECT_EQ(std::string(error.what()).rfind("System Error.  Code: 3.\r\n", 0), 0u) << error.what();
    }
  } else {
    EXPECT_EQ(search_.search(), c.result);
  }
  EXPECT_EQ(recorder.log, std::vector<std::string>{"begin " + at("missing") + "/"});
  EXPECT_EQ(errors, c.bindHandler ? 1 : 0);
  EXPECT_FALSE(search_.busy());
}

INSTANTIATE_TEST_SUITE_P(Responses, ErrorResponseTable,
                         ::testing::Values(ErrorResponseCase{erAbort, false, false, false, false},
                                           ErrorResponseCase{erAbort, true, true, true, false},
                                           ErrorResponseCase{erIgnore, false, false, true, false},
                                           ErrorResponseCase{erIgnore, true, false, false, false},
                                           ErrorResponseCase{erRaise, false, false, false, true},
                                           ErrorResponseCase{erRaise, true, false, false, true},
                                           ErrorResponseCase{erRaise, true, true, true, false}));

TEST_F(SearchFilesTest, IgnoredFailureStillWalksTheRestOfTheTree) {
  file("a/one.lnk");
  file("b/two.lnk");
  file("top.lnk");
  useLinkMask(search_, dir_.str());
  search_.setOptions({soSearchFiles, soStripDirs});
  // reporting the root's file removes the subfolder "b", which was listed but not yet entered
  search_.onFindFile = [&](FileSearch&, const std::string& name) {
    if (name == "top.lnk") fs::remove_all(dir_.path() / "b");
  };
  search_.setErrorResponse(erIgnore);
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(asSet(search_.foundFiles()), (std::set<std::string>{"top.lnk", "one.lnk"}));

  file("b/two.lnk");
  search_.setErrorResponse(erAbort);
  EXPECT_FALSE(search_.search());
  EXPECT_FALSE(search_.busy());
}

TEST_F(SearchFilesTest, ErrorFromAHandlerPassesOutAndLeavesTheEngineIdle) {
  file("a.lnk");
  file("b.lnk");
  useLinkMask(search_, dir_.str());
  search_.onFindFile = [](FileSearch&, const std::string&) { throw std::runtime_error("handler failed"); };
  EXPECT_THROW(search_.search(), std::runtime_error);
  EXPECT_FALSE(search_.busy());
  EXPECT_EQ(search_.foundFileCount(), 1);
  EXPECT_EQ(search_.foundFiles().size(), 1u);  // the list is updated before the event fires
  search_.onFindFile = nullptr;
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(search_.foundFileCount(), 2);
}

TEST_F(SearchFilesTest, BlankMaskRaisesWhenTheFirstNameIsTested) {
  file("a.txt");
  search_.fileParams().setSearchTypes({stFileMask});
  search_.fileParams().fileMasks().add("");
  search_.setRootDirectory(dir_.str());
  EXPECT_THROW(search_.search(), SearchError);
  EXPECT_FALSE(search_.busy());
  // an empty folder tests no name
  fs::remove(dir_.path() / "a.txt");
  EXPECT_TRUE(search_.search());
}

TEST_F(SearchFilesTest, HandlerMayClearTheListsAndChangeTheMasks) {
  file("a.lnk");
  file("b.url");
  file("sub/c.url");
  useLinkMask(search_, dir_.str());
  search_.setOptions({soSearchFiles, soStripDirs});
  int events = 0;
  search_.onFindFile = [&](FileSearch& sender, const std::string&) {
    if (++events > 1) return;
    sender.foundFiles().clear();
    sender.fileParams().fileMasks().assign(std::vector<std::string>{"*.lnk", "*.url"});
  };
  EXPECT_TRUE(search_.search());
  EXPECT_EQ(search_.foundFileCount(), events);
  EXPECT_EQ(search_.foundFiles().size(), static_cast<std::size_t>(events - 1));
  EXPECT_GE(events, 2);  // c.url in the subfolder is examined after the masks changed
}

}  // namespace
}  // namespace zendrift::search
