// The entry filter: name masks, sizes, dates and attributes, on real files.
#include <sys/xattr.h>

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>

#include "platform/directory_listing.h"
#include "platform/os_error.h"
#include "search/search_error.h"
#include "search/search_params.h"
#include "temp_dir.h"

namespace zendrift::search {
namespace {

namespace fs = std::filesystem;
using platform::DirEntry;
using testing::TempDir;
using testing::writeFile;

DirEntry named(std::string name) {
  DirEntry::Raw raw;
  raw.name = std::move(name);
  raw.folder = "/nowhere/";
  return DirEntry(std::move(raw));
}

DirEntry realEntry(const std::string& path) {
  std::optional<DirEntry> entry = platform::findEntry(path);
  EXPECT_TRUE(entry.has_value()) << path;
  return entry.value_or(DirEntry());
}

// A local time zone for the life of the object.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) : env_("TZ", zone) { tzset(); }
  ~ScopedTimeZone() { tzset(); }

 private:
  testing::ScopedEnv env_;
};

// 2024-03-05 13:00:01 as days since 1899-12-30.
constexpr TDateTime kMarch5th2024At13h = 45356.0 + (13 * 3600 + 1) / 86400.0;
constexpr std::int64_t kMarch5th2024At13hUnix = 1709643600;

TEST(SearchParams, FileMaskFilterTable) {
  TJvSearchParams params;
  params.setSearchTypes({stFileMask});
  params.FileMasks().add("*.lnk");
  for (const char* name : {"A.LNK", "x.Lnk", ".lnk", "\xC3\xA9.lnk"}) EXPECT_TRUE(params.Matches(named(name))) << name;
  for (const char* name : {"a.lnk.txt", "a.lnkx", "lnk", "a.lnk "}) EXPECT_FALSE(params.Matches(named(name))) << name;
}

TEST(SearchParams, WithoutMaskLinesOrWithoutTheMaskFilterEverythingPasses) {
  TJvSearchParams params;
  params.setSearchTypes({stFileMask});
  EXPECT_TRUE(params.Matches(named("anything.txt")));
  params.FileMasks().add("*.lnk");
  params.setSearchTypes({});
  EXPECT_TRUE(params.Matches(named("anything.txt")));
}

TEST(SearchParams, SeveralMasksPassAtTheFirstThatMatches) {
  TJvSearchParams params;
  params.setSearchTypes({stFileMask});
  params.FileMasks().assign(std::vector<std::string>{"*.url", "*.lnk", ""});
  EXPECT_TRUE(params.Matches(named("a.lnk")));  // the blank line is never reached
  EXPECT_THROW(params.Matches(named("a.txt")), SearchError);
}

TEST(SearchParams, CaseSensitivityReprepareTheMasksWithoutTouchingThem) {
  TJvSearchParams params;
  params.setSearchTypes({stFileMask});
  params.FileMasks().add("*.lnk");
  EXPECT_EQ(params.MatchMasks()[0], "*.LNK");
  params.setSearchTypes({stFileMask, stFileMaskCaseSensitive});
  EXPECT_EQ(params.MatchMasks()[0], "*.lnk");
  EXPECT_EQ(params.FileMasks()[0], "*.lnk");
  EXPECT_FALSE(params.Matches(named("A.LNK")));
  EXPECT_TRUE(params.Matches(named("a.lnk")));
  params.setSearchTypes({stFileMask});
  EXPECT_TRUE(params.Matches(named("A.LNK")));
  // case sensitivity alone filters nothing
  params.setSearchTypes({stFileMaskCaseSensitive});
  EXPECT_TRUE(params.Matches(named("x.txt")));
}

TEST(SearchParams, EditingTheMasksInPlaceKeepsThePreparedMasksInStep) {
  TJvSearchParams params;
  params.FileMasks().add("*.lnk");
  params.FileMasks().add("a?c");
  params.FileMasks().remove(0);
  ASSERT_EQ(params.MatchMasks().size(), 1u);
  EXPECT_EQ(params.MatchMasks()[0], "A?C");
  params.FileMasks().clear();
  EXPECT_TRUE(params.MatchMasks().empty());
  // a blank line is accepted when added; it raises only when a name is tested against it
  params.FileMasks().add("");
  params.setSearchTypes({stFileMask});
  try {
    params.Matches(named("x"));
    FAIL() << "no error";
  } catch (const SearchError& error) {
    EXPECT_STREQ(error.what(), "Search string cannot be blank");
  }
}

TEST(SearchParams, SizeBoundsAreInclusive) {
  TempDir dir;
  writeFile(dir / "four", "1234");
  writeFile(dir / "five", "12345");
  writeFile(dir / "three", "123");
  TJvSearchParams params;
  params.setSearchTypes({stMinSize, stMaxSize});
  params.setMinSize(4);
  params.setMaxSize(4);
  EXPECT_TRUE(params.Matches(realEntry(dir / "four")));
  EXPECT_FALSE(params.Matches(realEntry(dir / "five")));
  EXPECT_FALSE(params.Matches(realEntry(dir / "three")));
  // sizes compare unsigned: a negative maximum is the largest size of all
  params.setSearchTypes({stMaxSize});
  params.setMaxSize(-1);
  EXPECT_TRUE(params.Matches(realEntry(dir / "five")));
}

TEST(SearchParams, AttributeFilterUsesBothMasks) {
  TempDir dir;
  writeFile(dir / "plain", "");
  writeFile(dir / ".dot", "");
  writeFile(dir / "sys", "");
  ASSERT_EQ(::setxattr((dir / "sys").c_str(), "user.DOSATTRIB", "0x6", 3, 0), 0);
  TJvSearchParams params;
  params.setSearchTypes({stAttribute});
  EXPECT_TRUE(params.Matches(realEntry(dir / "sys")));  // everything don't-care
  params.Attributes().setHidden(tsMustBeSet);
  EXPECT_FALSE(params.Matches(realEntry(dir / "plain")));
  EXPECT_TRUE(params.Matches(realEntry(dir / ".dot")));
  EXPECT_TRUE(params.Matches(realEntry(dir / "sys")));
  params.Attributes().setSystem(tsMustBeUnSet);
  EXPECT_TRUE(params.Matches(realEntry(dir / ".dot")));
  EXPECT_FALSE(params.Matches(realEntry(dir / "sys")));
}

TEST(SearchAttributes, EachPropertyIsThreeStatesOverTwoMasks) {
  TJvSearchAttributes attributes;
  EXPECT_EQ(attributes.ReadOnly(), tsDontCare);
  attributes.setArchive(tsMustBeSet);
  attributes.setArchive(tsMustBeUnSet);
  EXPECT_EQ(attributes.IncludeAttr(), 0u);
  EXPECT_EQ(attributes.ExcludeAttr(), 0x20u);
  EXPECT_EQ(attributes.Archive(), tsMustBeUnSet);
  attributes.setEncrypted(tsMustBeSet);
  attributes.setReparsePoint(tsMustBeSet);
  EXPECT_EQ(attributes.IncludeAttr(), 0x4400u);
  attributes.setEncrypted(tsDontCare);
  EXPECT_EQ(attributes.IncludeAttr(), 0x400u);
  EXPECT_EQ(attributes.Encrypted(), tsDontCare);
  // a bit in both masks (set directly) reads as must-be-set
  attributes.setExcludeAttr(0x400);
  EXPECT_EQ(attributes.ReparsePoint(), tsMustBeSet);
}

TEST(SearchParams, DatesAreLocalTimeAtTwoSecondResolution) {
  const ScopedTimeZone utc("UTC");
  TJvSearchParams params;
  params.setLastChangeAfter(kMarch5th2024At13h);
  EXPECT_EQ(params.AfterTime(), platform::fileTimeFromUnix(kMarch5th2024At13hUnix, 0));
  EXPECT_DOUBLE_EQ(params.LastChangeAfter(), kMarch5th2024At13h);
  {
    const ScopedTimeZone fiveHoursWest("EST5");
    params.setLastChangeBefore(kMarch5th2024At13h);
    EXPECT_EQ(params.BeforeTime(), platform::fileTimeFromUnix(kMarch5th2024At13hUnix + 5 * 3600, 0));
  }
}

TEST(SearchParams, DateOutsideDosYearsRaisesAndKeepsThePreviousValue) {
  TJvSearchParams params;
  params.setLastChangeAfter(kMarch5th2024At13h);
  const platform::FileTime before = params.AfterTime();
  for (const TDateTime bad : {29220.0, 0.0, -5.0, 75972.0}) {  // 1979-12-31, 1899, before that, 2108-01-01
    EXPECT_THROW(params.setLastChangeAfter(bad), platform::OsError) << bad;
    EXPECT_DOUBLE_EQ(params.LastChangeAfter(), kMarch5th2024At13h);
    EXPECT_EQ(params.AfterTime(), before);
  }
  EXPECT_NO_THROW(params.setLastChangeBefore(29221.0));   // 1980-01-01 00:00
  EXPECT_NO_THROW(params.setLastChangeBefore(75971.99));  // 2107-12-31 23:45
}

TEST(SearchParams, DateFiltersCompareTheLastWriteTimeInclusively) {
  const ScopedTimeZone utc("UTC");
  TempDir dir;
  writeFile(dir / "file", "");
  const auto at = [&](std::int64_t unixSeconds) {
    fs::last_write_time(dir.path() / "file",
                        std::chrono::file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(unixSeconds))));
    return realEntry(dir / "file");
  };
  TJvSearchParams params;
  params.setSearchTypes({stLastChangeAfter, stLastChangeBefore});
  params.setLastChangeAfter(kMarch5th2024At13h);
  params.setLastChangeBefore(kMarch5th2024At13h + 1.0);
  EXPECT_TRUE(params.Matches(at(kMarch5th2024At13hUnix)));
  EXPECT_FALSE(params.Matches(at(kMarch5th2024At13hUnix - 1)));
  EXPECT_TRUE(params.Matches(at(kMarch5th2024At13hUnix + 86400)));
  EXPECT_FALSE(params.Matches(at(kMarch5th2024At13hUnix + 86401)));
}

TEST(SearchParams, CopyingTakesEveryValue) {
  const ScopedTimeZone utc("UTC");
  TJvSearchParams source;
  source.setSearchTypes({stFileMask, stMinSize});
  source.setMinSize(7);
  source.setMaxSize(9);
  source.setLastChangeAfter(kMarch5th2024At13h);
  source.FileMasks().add("*.lnk");
  source.Attributes().setHidden(tsMustBeUnSet);
  TJvSearchParams target;
  target.FileMasks().add("old");
  target.assign(source);
  EXPECT_EQ(target.SearchTypes(), source.SearchTypes());
  EXPECT_EQ(target.MinSize(), 7);
  EXPECT_EQ(target.MaxSize(), 9);
  EXPECT_EQ(target.AfterTime(), source.AfterTime());
  EXPECT_EQ(target.FileMasks().lines(), std::vector<std::string>{"*.lnk"});
  EXPECT_EQ(target.MatchMasks().lines(), std::vector<std::string>{"*.LNK"});
  EXPECT_EQ(target.Attributes(), source.Attributes());
  // the copy is independent, and its own mask edits still prepare its masks
  target.FileMasks().add("*.url");
  EXPECT_EQ(source.FileMasks().size(), 1u);
  EXPECT_EQ(target.MatchMasks().size(), 2u);
  const TJvSearchParams copy(target);
  EXPECT_EQ(copy.MatchMasks().size(), 2u);
}

}  // namespace
}  // namespace zendrift::search
