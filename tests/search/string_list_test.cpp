// The ordered name list: sorted insertion, duplicates, change notification.
#include <gtest/gtest.h>

#include <vector>

#include "search/search_error.h"
#include "search/string_list.h"

namespace zendrift::search {
namespace {

std::vector<std::string> linesOf(const StringList& list) { return list.lines(); }

TEST(StringList, UnsortedListAppendsEverything) {
  StringList list;
  EXPECT_TRUE(list.add("b"));
  EXPECT_TRUE(list.add("a"));
  EXPECT_TRUE(list.add("b"));
  EXPECT_EQ(linesOf(list), (std::vector<std::string>{"b", "a", "b"}));
}

TEST(StringList, SortedListIgnoresCaseAndDuplicates) {
  StringList list;
  list.setSorted(true);
  for (const char* name : {"b.lnk", "A.lnk", "c.lnk", "a.LNK", "B.lnk"}) list.add(name);
  EXPECT_EQ(linesOf(list), (std::vector<std::string>{"A.lnk", "b.lnk", "c.lnk"}));
  EXPECT_EQ(list.indexOf("C.LNK"), 2);
  EXPECT_EQ(list.indexOf("d"), -1);
}

TEST(StringList, SortedListAcceptingDuplicatesKeepsThemInArrivalOrder) {
  StringList list;
  list.setSorted(true);
  list.setDuplicates(StringList::Duplicates::Accept);
  for (const char* name : {"b", "a", "B", "b"}) list.add(name);
  EXPECT_EQ(linesOf(list), (std::vector<std::string>{"a", "b", "B", "b"}));
}

TEST(StringList, BecomingSortedSortsAtOnceAndStably) {
  StringList list{"zeta", "Alpha", "beta", "alpha"};
  list.setSorted(true);
  EXPECT_EQ(linesOf(list), (std::vector<std::string>{"Alpha", "alpha", "beta", "zeta"}));
  list.setSorted(false);
  list.add("a");
  EXPECT_EQ(list[list.size() - 1], "a");
}

TEST(StringList, MultiByteNamesSortAfterAsciiAndKeepTheirBytes) {
  StringList list;
  list.setSorted(true);
  const std::string eAcute = "\xC3\xA9t\xC3\xA9";
  const std::string invalid = "\xFF\x41";
  for (const std::string& name : {eAcute, std::string("zoo"), invalid, std::string("Etat")}) list.add(name);
  EXPECT_EQ(linesOf(list), (std::vector<std::string>{"Etat", "zoo", eAcute, invalid}));
  EXPECT_GT(compareTextIgnoringCase("\xC3\xA9", "\xC3\x89"), 0);  // é and É differ: only ASCII folds
}

TEST(StringList, ChangeHandlerRunsOncePerCompletedChange) {
  StringList list;
  int changes = 0;
  list.setOnChange([&] { ++changes; });
  list.add("a");
  list.assign(std::vector<std::string>{"x", "y", "z"});
  list.remove(0);
  list.clear();
  EXPECT_EQ(changes, 4);
}

TEST(StringList, IndexOutOfBoundsRaises) {
  StringList list{"a"};
  EXPECT_EQ(list.at(0), "a");
  try {
    list.remove(3);
    FAIL() << "no error";
  } catch (const SearchError& error) {
    EXPECT_STREQ(error.what(), "List index out of bounds (3)");
  }
}

}  // namespace
}  // namespace zendrift::search
