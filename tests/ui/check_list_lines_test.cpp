// Lines of the result list: adding, deleting, clearing, selection, focus and extent.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/check_list_model.h"
#include "ui/list_index_error.h"

namespace zendrift::ui {
namespace {

using Kind = CheckListChange::Kind;

std::vector<std::string> texts(const CheckListModel& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.items.count(); ++i) out.push_back(list.items.get(i));
  return out;
}

std::vector<bool> marks(const CheckListModel& list) {
  std::vector<bool> out;
  for (int i = 0; i < list.items.count(); ++i) out.push_back(list.isItemChecked(i));
  return out;
}

TEST(Lines, AddAppendsInInsertionOrderAndReturnsTheIndex) {
  CheckListModel list;
  EXPECT_EQ(list.items.add("/b.lnk"), 0);
  EXPECT_EQ(list.items.add("/a.lnk"), 1);
  EXPECT_EQ(list.items.add(""), 2);
  EXPECT_EQ(texts(list), (std::vector<std::string>{"/b.lnk", "/a.lnk", ""}));
  EXPECT_FALSE(list.isItemChecked(1));
}

TEST(Lines, DeleteMovesLaterLinesUpWithTheirOwnMarks) {
  CheckListModel list;
  for (const char* t : {"a", "b", "c", "d"}) list.items.add(t);
  list.setItemChecked(2, true);
  list.setItemEnabled(3, false);
  list.items.remove(1);
  EXPECT_EQ(texts(list), (std::vector<std::string>{"a", "c", "d"}));
  EXPECT_EQ(marks(list), (std::vector<bool>{false, true, false}));
  EXPECT_FALSE(list.isItemEnabled(2));
  // A line added afterwards gets no record of a deleted one.
  list.items.add("e");
  EXPECT_FALSE(list.hasItemRecord(3));
}

TEST(Lines, ClearRemovesLinesRecordsSelectionAndFocus) {
  CheckListModel list;
  std::vector<Kind> kinds;
  list.items.add("a");
  list.items.add("b");
  list.setItemChecked(1, true);
  list.setItemSelected(0, true);
  list.setItemIndex(1);
  list.addObserver([&](const CheckListChange& c) { kinds.push_back(c.kind); });
  list.clear();
  EXPECT_EQ(list.items.count(), 0);
  EXPECT_EQ(list.selectedCount(), 0);
  EXPECT_EQ(list.itemIndex(), -1);
  ASSERT_FALSE(kinds.empty());
  EXPECT_EQ(kinds.front(), Kind::Cleared);
  list.items.add("c");
  EXPECT_FALSE(list.hasItemRecord(0));
  EXPECT_FALSE(list.isItemSelected(0));
}

TEST(Lines, ObserverHearsAddAndRemoveAtTheirIndex) {
  CheckListModel list;
  std::vector<std::pair<Kind, int>> seen;
  const int id = list.addObserver([&](const CheckListChange& c) {
    if (c.kind != Kind::Extent) seen.emplace_back(c.kind, c.index);
  });
  list.items.add("a");
  list.items.add("b");
  list.items.remove(0);
  EXPECT_EQ(seen, (std::vector<std::pair<Kind, int>>{{Kind::Inserted, 0}, {Kind::Inserted, 1}, {Kind::Removed, 0}}));
  list.removeObserver(id);
  list.items.add("c");
  EXPECT_EQ(seen.size(), 3u);
}

TEST(Lines, LifetimeTokenExpiresWithTheModel) {
  std::weak_ptr<const void> token;
  {
    CheckListModel list;
    token = list.lifetime();
    EXPECT_FALSE(token.expired());
  }
  EXPECT_TRUE(token.expired());
}

TEST(Selection, CountsAndRangesFollowTheLines) {
  CheckListModel list;
  for (int i = 0; i < 6; ++i) list.items.add(std::to_string(i));
  list.selectOnlyRange(4, 1);
  EXPECT_EQ(list.selectedCount(), 4);
  EXPECT_FALSE(list.isItemSelected(0));
  EXPECT_TRUE(list.isItemSelected(4));
  list.setItemSelected(2, false);
  list.items.remove(1);  // a selected line goes
  EXPECT_EQ(list.selectedCount(), 2);
  EXPECT_TRUE(list.isItemSelected(2));
  EXPECT_TRUE(list.isItemSelected(3));
  list.clearSelection();
  EXPECT_EQ(list.selectedCount(), 0);
  // Selection and marks are independent.
  list.selectOnlyRange(0, 0);
  EXPECT_FALSE(list.isItemChecked(0));
}

TEST(Selection, FocusedLineStaysOnItsLineAsOthersComeAndGo) {
  CheckListModel list;
  for (int i = 0; i < 5; ++i) list.items.add(std::to_string(i));
  list.setItemIndex(3);
  list.items.remove(0);
  EXPECT_EQ(list.itemIndex(), 2);
  list.items.remove(3);
  EXPECT_EQ(list.itemIndex(), 2);
  list.items.remove(2);  // the focused last line goes: focus falls to the new last line
  EXPECT_EQ(list.itemIndex(), 1);
  EXPECT_THROW(list.setItemIndex(2), ListIndexError);
}

class Extent : public ::testing::Test {
 protected:
  CheckListModel list;
  std::vector<CheckListChange> extents;
  void SetUp() override {
    // One pixel per character plus the check area, as a view's measure would give.
    list.setLineWidthFunction([](std::string_view text) { return static_cast<int>(text.size()) + 18; });
    list.addObserver([this](const CheckListChange& c) {
      if (c.kind == Kind::Extent) extents.push_back(c);
    });
  }
};

TEST_F(Extent, GrowsToTheWidestLine) {
  list.items.add("abc");
  list.items.add("abcdefgh");
  list.items.add("ab");
  EXPECT_EQ(list.horizontalExtent(), 26);
}

TEST_F(Extent, DeletingANarrowerLineLeavesItAndTheWidestRecomputes) {
  for (const char* t : {"abcd", "abcdefgh", "abcdef", "ab"}) list.items.add(t);
  extents.clear();
  list.items.remove(3);
  EXPECT_EQ(list.horizontalExtent(), 26);
  EXPECT_TRUE(extents.empty());
  list.items.remove(1);
  EXPECT_EQ(list.horizontalExtent(), 24);
  ASSERT_EQ(extents.size(), 1u);
  EXPECT_TRUE(extents[0].scrollHome);
}

TEST_F(Extent, ClearSetsItToZeroAndScrollsHome) {
  list.items.add("abcdef");
  list.clear();
  EXPECT_EQ(list.horizontalExtent(), 0);
  ASSERT_FALSE(extents.empty());
  EXPECT_TRUE(extents.back().scrollHome);
}

TEST_F(Extent, ANewMeasureRemeasuresEveryLine) {
  list.items.add("abcd");
  list.items.add("ab");
  list.setLineWidthFunction([](std::string_view text) { return static_cast<int>(text.size()) * 10; });
  EXPECT_EQ(list.horizontalExtent(), 40);
  list.items.remove(0);
  EXPECT_EQ(list.horizontalExtent(), 20);
}

TEST(Scale, TenThousandLinesAddWithoutRecords) {
  CheckListModel list;
  int inserted = 0;
  list.addObserver([&](const CheckListChange& c) { inserted += c.kind == Kind::Inserted; });
  for (int i = 0; i < 10000; ++i) {
    const int index = list.items.add("/home/ann/.wine/drive_c/users/ann/Desktop/Game " + std::to_string(i) + ".lnk");
    if (i % 2 == 0) list.setItemChecked(index, true);
  }
  EXPECT_EQ(inserted, 10000);
  EXPECT_EQ(list.items.get(9999), "/home/ann/.wine/drive_c/users/ann/Desktop/Game 9999.lnk");
  EXPECT_TRUE(list.isItemChecked(9998));
  EXPECT_FALSE(list.hasItemRecord(9999));
}

}  // namespace
}  // namespace zendrift::ui
