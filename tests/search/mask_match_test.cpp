// The wildcard matcher and the upper-case folding it is used with.
#include <gtest/gtest.h>

#include <string>

#include "search/mask_match.h"
#include "search/search_error.h"

namespace zendrift::search {
namespace {

struct MaskCase {
  const char* mask;
  const char* name;
  bool matches;
};

class MaskMatchTable : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskMatchTable, MatchesAsTheWildcardRulesSay) {
  const MaskCase& c = GetParam();
  EXPECT_EQ(maskMatch(c.mask, c.name), c.matches) << "mask " << c.mask << " name " << c.name;
  // The mask set up once answers the same for names that folding leaves as they are.
  if (upperCase(c.name) == c.name) {
    EXPECT_EQ(UpperNameMask(c.mask).matches(c.name), c.matches) << "mask " << c.mask << " name " << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MaskMatchTable,
    ::testing::Values(
        // the system's own mask, names already upper case
        MaskCase{"*.LNK", "A.LNK", true}, MaskCase{"*.LNK", ".LNK", true}, MaskCase{"*.LNK", "A.LNK.TXT", false},
        MaskCase{"*.LNK", "A.LNKX", false}, MaskCase{"*.LNK", "LNK", false}, MaskCase{"*.LNK", "A.LNK.LNK", true},
        // the matcher compares bytes exactly
        MaskCase{"*.LNK", "a.lnk", false},
        // a lone star matches even the empty name; otherwise an empty name matches nothing
        MaskCase{"*", "anything", true}, MaskCase{"*", "", true}, MaskCase{"?", "", false}, MaskCase{"*?", "", false},
        MaskCase{"**", "", false},
        // question marks
        MaskCase{"a?c", "abc", true}, MaskCase{"a?c", "ac", false}, MaskCase{"a?c", "abbc", false},
        MaskCase{"???", "abc", true}, MaskCase{"???", "ab", false},
        // literal masks
        MaskCase{"abc", "abc", true}, MaskCase{"abc", "abcd", false}, MaskCase{"abcd", "abc", false},
        // star placement and the retry of the last star
        MaskCase{"*.*", "noext", false}, MaskCase{"*.*", "a.b", true}, MaskCase{"a*", "a", true},
        MaskCase{"a*b", "axxb", true}, MaskCase{"a*b", "axbxb", true}, MaskCase{"a*b", "axbx", false},
        MaskCase{"*ab", "aab", true}, MaskCase{"*aab", "aaab", true}, MaskCase{"a*b*c", "abxbyc", true},
        MaskCase{"a*b*c", "acb", false}, MaskCase{"*x*", "abc", false},
        // a question mark after a star is matched afresh from the restart mark on each retry
        MaskCase{"*?A", "BA", true}, MaskCase{"*?A", "XAA", false}, MaskCase{"*?", "ab", true},
        MaskCase{"*?b", "ab", true},
        // multi-byte UTF-8 names are plain bytes
        MaskCase{"*.LNK", "\xC3\xA9T\xC3\xA9.LNK", true}, MaskCase{"?.LNK", "\xC3\xA9.LNK", false},
        MaskCase{"??.LNK", "\xC3\xA9.LNK", true}, MaskCase{"*.LNK", "\xFF\xFE.LNK", true}));

TEST(MaskMatch, BlankMaskRaises) {
  try {
    maskMatch("", "name");
    FAIL() << "no error";
  } catch (const SearchError& error) {
    EXPECT_STREQ(error.what(), "Search string cannot be blank");
  }
  EXPECT_THROW(maskMatchUpperName("", ""), SearchError);
}

TEST(MaskMatch, UpperNameVariantFoldsOnlyTheName) {
  EXPECT_TRUE(maskMatchUpperName("*.LNK", "x.Lnk"));
  EXPECT_TRUE(maskMatchUpperName("*?A", "ba"));
  EXPECT_FALSE(maskMatchUpperName("*?A", "xaa"));
  EXPECT_FALSE(maskMatchUpperName("*.lnk", "x.lnk"));  // the mask is taken as it is
}

TEST(UpperCase, FoldsAsciiLettersAndKeepsEveryOtherByte) {
  EXPECT_EQ(upperCase("abc.Lnk-z09_"), "ABC.LNK-Z09_");
  // é, ß, and a Cyrillic letter stay byte for byte; invalid UTF-8 too
  const std::string mixed = "\xC3\xA9t\xC3\x9F\xD0\xB4\xFF\x80z";
  EXPECT_EQ(upperCase(mixed), "\xC3\xA9T\xC3\x9F\xD0\xB4\xFF\x80Z");
  EXPECT_EQ(upperCase(""), "");
}

}  // namespace
}  // namespace zendrift::search
