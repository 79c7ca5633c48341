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
constexpr DateTime kMarch5th2024At13h = 45356.0 + (13 * 3600 + 1) / 86400.0;
constexpr std::int64_t kMarch5th2024At13hUnix = 1709643600;

TEST(SearchParams, FileMaskFilterTable) {
  SearchParams params;
  params.setSearchTypes({stFileMask});
  params.fileMasks().add("*.lnk");
  for (const char* name : {"A.LNK", "x.Lnk", ".lnk", "\xC3\xA9.lnk"}) EXPECT_TRUE(params.matches(named(name))) << name;
  for (const char* name : {"a.lnk.txt", "a.lnkx", "lnk", "a.lnk "}) EXPECT_FALSE(params.matches(named(name))) << name;
}

TEST(SearchParams, WithoutMaskLinesOrWithoutTheMaskFilterEverythingPasses) {
  SearchParams params;
  params.setSearchTypes({stFileMask});
  EXPECT_TRUE(params.matches(named("anything.txt")));
  params.fileMasks().add("*.lnk");
  params.setSearchTypes({});
  EXPECT_TRUE(params.matches(named("anything.txt")));
}

TEST(SearchParams, SeveralMasksPassAtTheFirstThatMatches) {
  SearchParams params;
  params.setSearchTypes({stFileMask});
  params.fileMasks().assign(std::vector<std::string>{"*.url", "*.lnk", ""});
  EXPECT_TRUE(params.matches(named("a.lnk")));  // the blank line is never reached
  EXPECT_THROW(params.matches(named("a.txt")), SearchError);
}

TEST(SearchParams, CaseSensitivityReprepareTheMasksWithoutTouchingThem) {
  SearchParams params;
  params.setSearchTypes({stFileMask});
  params.fileMasks().add("*.lnk");
  EXPECT_EQ(params.matchMasks()[0], "*.LNK");
  params.setSearchTypes({stFileMask, stFileMaskCaseSensitive});
  EXPECT_EQ(params.matchMasks()[0], "*.lnk");
  EXPECT_EQ(params.fileMasks()[0], "*.lnk");
  EXPECT_FALSE(params.matches(named("A.LNK")));
  EXPECT_TRUE(params.matches(named("a.lnk")));
  params.setSearchTypes({stFileMask});
  EXPECT_TRUE(params.matches(named("A.LNK")));
  // case sensitivity alone filters nothing
  params.setSearchTypes({stFileMaskCaseSensitive});
  EXPECT_TRUE(params.matches(named("x.txt")));
}

TEST(SearchParams, EditingTheMasksInPlaceKeepsThePreparedMasksInStep) {
  SearchParams params;
  params.fileMasks().add("*.lnk");
  params.fileMasks().add("a?c");
  params.fileMasks().remove(0);
  ASSERT_EQ(params.matchMasks().size(), 1u);
  EXPECT_EQ(params.matchMasks()[0], "A?C");
  params.fileMasks().clear();
  EXPECT_TRUE(params.matchMasks().empty());
  // a blank line is accepted when added; it raises only when a name is tested against it
  params.fileMasks().add("");
  params.setSearchTypes({stFileMask});
  try {
    params.matches(named("x"));
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
  SearchParams params;
  params.setSearchTypes({stMinSize, stMaxSize});
  params.setMinSize(4);
  params.setMaxSize(4);
  EXPECT_TRUE(params.matches(realEntry(dir / "four")));
  EXPECT_FALSE(params.matches(realEntry(dir / "five")));
  EXPECT_FALSE(params.matches(realEntry(dir / "three")));
  // sizes compare unsigned: a negative maximum is the largest size of all
  params.setSearchTypes({stMaxSize});
  params.setMaxSize(-1);
  EXPECT_TRUE(params.matches(realEntry(dir / "five")));
}

TEST(SearchParams, AttributeFilterUsesBothMasks) {
  TempDir dir;
  writeFile(dir / "plain", "");
  writeFile(dir / ".dot", "");
  writeFile(dir / "sys", "");
  ASSERT_EQ(::setxattr((dir / "sys").c_str(), "user.DOSATTRIB", "0x6", 3, 0), 0);
  SearchParams params;
  params.setSearchTypes({stAttribute});
  EXPECT_TRUE(params.matches(realEntry(dir / "sys")));  // everything don't-care
  params.attributes().setHidden(tsMustBeSet);
  EXPECT_FALSE(params.matches(realEntry(dir / "plain")));
  EXPECT_TRUE(params.matches(realEntry(dir / ".dot")));
  EXPECT_TRUE(params.matches(realEntry(dir / "sys")));
  params.attributes().setSystem(tsMustBeUnSet);
  EXPECT_TRUE(params.matches(realEntry(dir / ".dot")));
  EXPECT_FALSE(params.matches(realEntry(dir / "sys")));
}

TEST(SearchAttributes, EachPropertyIsThreeStatesOverTwoMasks) {
  SearchAttributes attributes;
  EXPECT_EQ(attributes.readOnly(), tsDontCare);
  attributes.setArchive(tsMustBeSet);
  attributes.setArchive(tsMustBeUnSet);
  EXPECT_EQ(attributes.includeAttr(), 0u);
  EXPECT_EQ(attributes.excludeAttr(), 0x20u);
  EXPECT_EQ(attributes.archive(), tsMustBeUnSet);
  attributes.setEncrypted(tsMustBeSet);
  attributes.setReparsePoint(tsMustBeSet);
  EXPECT_EQ(attributes.includeAttr(), 0x4400u);
  attributes.setEncrypted(tsDontCare);
  EXPECT_EQ(attributes.includeAttr(), 0x400u);
  EXPECT_EQ(attributes.encrypted(), tsDontCare);
  // a bit in both masks (set directly) reads as must-be-set
  attributes.setExcludeAttr(0x400);
  EXPECT_EQ(attributes.reparsePoint(), tsMustBeSet);
}

TEST(SearchParams, DatesAreLocalTimeAtTwoSecondResolution) {
  const ScopedTimeZone utc("UTC");
  SearchParams params;
  ASSERT_FALSE(params.setLastChangeAfter(kMarch5th2024At13h));
  EXPECT_EQ(params.afterTime(), platform::fileTimeFromUnix(kMarch5th2024At13hUnix, 0));
  EXPECT_DOUBLE_EQ(params.lastChangeAfter(), kMarch5th2024At13h);
  {
    const ScopedTimeZone fiveHoursWest("EST5");
    ASSERT_FALSE(params.setLastChangeBefore(kMarch5th2024At13h));
    EXPECT_EQ(params.beforeTime(), platform::fileTimeFromUnix(kMarch5th2024At13hUnix + 5 * 3600, 0));
  }
}

TEST(SearchParams, DateOutsideDosYearsIsRefusedAndKeepsThePreviousValue) {
  SearchParams params;
  ASSERT_FALSE(params.setLastChangeAfter(kMarch5th2024At13h));
  const platform::FileTime before = params.afterTime();
  for (const DateTime bad : {29220.0, 0.0, -5.0, 75972.0}) {  // 1979-12-31, 1899, before that, 2108-01-01
    EXPECT_EQ(params.setLastChangeAfter(bad), std::errc::invalid_argument) << bad;
    EXPECT_DOUBLE_EQ(params.lastChangeAfter(), kMarch5th2024At13h);
    EXPECT_EQ(params.afterTime(), before);
  }
  EXPECT_FALSE(params.setLastChangeBefore(29221.0));   // 1980-01-01 00:00
  EXPECT_FALSE(params.setLastChangeBefore(75971.99));  // 2107-12-31 23:45
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
  SearchParams params;
  params.setSearchTypes({stLastChangeAfter, stLastChangeBefore});
  ASSERT_FALSE(params.setLastChangeAfter(kMarch5th2024At13h));
  ASSERT_FALSE(params.setLastChangeBefore(kMarch5th2024At13h + 1.0));
  EXPECT_TRUE(params.matches(at(kMarch5th2024At13hUnix)));
  EXPECT_FALSE(params.matches(at(kMarch5th2024At13hUnix - 1)));
  EXPECT_TRUE(params.matches(at(kMarch5th2024At13hUnix + 86400)));
  EXPECT_FALSE(params.matches(at(kMarch5th2024At13hUnix + 86401)));
}

TEST(SearchParams, CopyingTakesEveryValue) {
  const ScopedTimeZone utc("UTC");
  SearchParams source;
  source.setSearchTypes({stFileMask, stMinSize});
  source.setMinSize(7);
  source.setMaxSize(9);
  ASSERT_FALSE(source.setLastChangeAfter(kMarch5th2024At13h));
  source.fileMasks().add("*.lnk");
  source.attributes().setHidden(tsMustBeUnSet);
  SearchParams target;
  target.fileMasks().add("old");
  target.assign(source);
  EXPECT_EQ(target.searchTypes(), source.searchTypes());
  EXPECT_EQ(target.minSize(), 7);
  EXPECT_EQ(target.maxSize(), 9);
  EXPECT_EQ(target.afterTime(), source.afterTime());
  EXPECT_EQ(target.fileMasks().lines(), std::vector<std::string>{"*.lnk"});
  EXPECT_EQ(target.matchMasks().lines(), std::vector<std::string>{"*.LNK"});
  EXPECT_EQ(target.attributes(), source.attributes());
  // the copy is independent, and its own mask edits still prepare its masks
  target.fileMasks().add("*.url");
  EXPECT_EQ(source.fileMasks().size(), 1u);
  EXPECT_EQ(target.matchMasks().size(), 2u);
  const SearchParams copy(target);
  EXPECT_EQ(copy.matchMasks().size(), 2u);
}

}  // namespace
}  // namespace zendrift::search
