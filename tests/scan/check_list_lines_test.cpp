// Lines of the result list: adding, deleting, clearing, reordering, selection, focus and extent.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "scan/check_list_model.h"
#include "scan/list_index_error.h"

namespace zendrift::scan {
namespace {

using Kind = CheckListChange::Kind;

std::vector<std::string> texts(const CheckListModel& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Items.Count(); ++i) out.push_back(list.Items.Get(i));
  return out;
}

std::vector<bool> marks(const CheckListModel& list) {
  std::vector<bool> out;
  for (int i = 0; i < list.Items.Count(); ++i) out.push_back(list.IsItemChecked(i));
  return out;
}

TEST(Lines, AddAppendsInInsertionOrderAndReturnsTheIndex) {
  CheckListModel list;
  EXPECT_EQ(list.Items.Add("/b.lnk"), 0);
  EXPECT_EQ(list.Items.Add("/a.lnk"), 1);
  EXPECT_EQ(list.Items.Add(""), 2);
  EXPECT_EQ(texts(list), (std::vector<std::string>{"/b.lnk", "/a.lnk", ""}));
  EXPECT_FALSE(list.IsItemChecked(1));
}

TEST(Lines, DeleteMovesLaterLinesUpWithTheirOwnMarks) {
  CheckListModel list;
  for (const char* t : {"a", "b", "c", "d"}) list.Items.Add(t);
  list.SetItemChecked(2, true);
  list.SetItemEnabled(3, false);
  list.SetItemData(3, 7);
  list.Items.Delete(1);
  EXPECT_EQ(texts(list), (std::vector<std::string>{"a", "c", "d"}));
  EXPECT_EQ(marks(list), (std::vector<bool>{false, true, false}));
  EXPECT_FALSE(list.IsItemEnabled(2));
  EXPECT_EQ(list.ItemData(2), 7);
  // A line added afterwards gets no record of a deleted one.
  list.Items.Add("e");
  EXPECT_FALSE(list.HasItemRecord(3));
}

TEST(Lines, ExchangeAndMoveCarryRecordsAndSelection) {
  CheckListModel list;
  for (const char* t : {"a", "b", "c", "d"}) list.Items.Add(t);
  list.SetItemChecked(0, true);
  list.SetItemSelected(3, true);
  list.Items.Exchange(0, 3);
  EXPECT_EQ(texts(list), (std::vector<std::string>{"d", "b", "c", "a"}));
  EXPECT_EQ(marks(list), (std::vector<bool>{false, false, false, true}));
  EXPECT_TRUE(list.IsItemSelected(0));
  list.Items.Move(3, 1);
  EXPECT_EQ(texts(list), (std::vector<std::string>{"d", "a", "b", "c"}));
  EXPECT_TRUE(list.IsItemChecked(1));
  list.Items.Move(0, 3);
  EXPECT_EQ(texts(list), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_TRUE(list.IsItemSelected(3));
  EXPECT_TRUE(list.IsItemChecked(0));
  EXPECT_THROW(list.Items.Move(0, 4), ListIndexError);
}

TEST(Lines, ClearRemovesLinesRecordsSelectionAndFocus) {
  CheckListModel list;
  std::vector<Kind> kinds;
  list.Items.Add("a");
  list.Items.Add("b");
  list.SetItemChecked(1, true);
  list.SetItemSelected(0, true);
  list.SetItemIndex(1);
  list.addObserver([&](const CheckListChange& c) { kinds.push_back(c.kind); });
  list.Clear();
  EXPECT_EQ(list.Items.Count(), 0);
  EXPECT_EQ(list.SelectedCount(), 0);
  EXPECT_EQ(list.ItemIndex(), -1);
  ASSERT_FALSE(kinds.empty());
  EXPECT_EQ(kinds.front(), Kind::Cleared);
  list.Items.Add("c");
  EXPECT_FALSE(list.HasItemRecord(0));
  EXPECT_FALSE(list.IsItemSelected(0));
}

TEST(Lines, ObserverHearsInsertAndRemoveAtTheirIndex) {
  CheckListModel list;
  std::vector<std::pair<Kind, int>> seen;
  const int id = list.addObserver([&](const CheckListChange& c) {
    if (c.kind != Kind::Extent) seen.emplace_back(c.kind, c.index);
  });
  list.Items.Add("a");
  list.Items.Insert(0, "b");
  list.Items.Delete(1);
  EXPECT_EQ(seen, (std::vector<std::pair<Kind, int>>{{Kind::Inserted, 0}, {Kind::Inserted, 0}, {Kind::Removed, 1}}));
  list.removeObserver(id);
  list.Items.Add("c");
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_THROW(list.Items.Insert(3, "x"), ListIndexError);
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
  for (int i = 0; i < 6; ++i) list.Items.Add(std::to_string(i));
  list.SelectOnlyRange(4, 1);
  EXPECT_EQ(list.SelectedCount(), 4);
  EXPECT_FALSE(list.IsItemSelected(0));
  EXPECT_TRUE(list.IsItemSelected(4));
  list.SetItemSelected(2, false);
  list.Items.Delete(1);  // a selected line goes
  EXPECT_EQ(list.SelectedCount(), 2);
  EXPECT_TRUE(list.IsItemSelected(2));
  EXPECT_TRUE(list.IsItemSelected(3));
  list.ClearSelection();
  EXPECT_EQ(list.SelectedCount(), 0);
  // Selection and marks are independent.
  list.SelectOnlyRange(0, 0);
  EXPECT_FALSE(list.IsItemChecked(0));
}

TEST(Selection, FocusedLineStaysOnItsLineAsOthersComeAndGo) {
  CheckListModel list;
  for (int i = 0; i < 4; ++i) list.Items.Add(std::to_string(i));
  list.SetItemIndex(2);
  list.Items.Insert(0, "new");
  EXPECT_EQ(list.ItemIndex(), 3);
  list.Items.Delete(0);
  EXPECT_EQ(list.ItemIndex(), 2);
  list.Items.Delete(3);
  EXPECT_EQ(list.ItemIndex(), 2);
  list.Items.Delete(2);  // the focused last line goes: focus falls to the new last line
  EXPECT_EQ(list.ItemIndex(), 1);
  EXPECT_THROW(list.SetItemIndex(2), ListIndexError);
}

class Extent : public ::testing::Test {
 protected:
  CheckListModel list;
  std::vector<CheckListChange> extents;
  void SetUp() override {
    // One pixel per character plus the check area, as a view's measure would give.
    list.SetLineWidthFunction([](std::string_view text) { return static_cast<int>(text.size()) + 18; });
    list.addObserver([this](const CheckListChange& c) {
      if (c.kind == Kind::Extent) extents.push_back(c);
    });
  }
};

TEST_F(Extent, GrowsToTheWidestLine) {
  list.Items.Add("abc");
  list.Items.Add("abcdefgh");
  list.Items.Add("ab");
  EXPECT_EQ(list.HorizontalExtent(), 26);
}

TEST_F(Extent, DeletingANarrowerLineLeavesItAndTheWidestRecomputes) {
  for (const char* t : {"abcd", "abcdefgh", "abcdef", "ab"}) list.Items.Add(t);
  extents.clear();
  list.Items.Delete(3);
  EXPECT_EQ(list.HorizontalExtent(), 26);
  EXPECT_TRUE(extents.empty());
  list.Items.Delete(1);
  EXPECT_EQ(list.HorizontalExtent(), 24);
  ASSERT_EQ(extents.size(), 1u);
  EXPECT_TRUE(extents[0].scrollHome);
}

TEST_F(Extent, ClearSetsItToZeroAndScrollsHome) {
  list.Items.Add("abcdef");
  list.Clear();
  EXPECT_EQ(list.HorizontalExtent(), 0);
  ASSERT_FALSE(extents.empty());
  EXPECT_TRUE(extents.back().scrollHome);
}

TEST_F(Extent, ANewMeasureRemeasuresEveryLine) {
  list.Items.Add("abcd");
  list.Items.Add("ab");
  list.SetLineWidthFunction([](std::string_view text) { return static_cast<int>(text.size()) * 10; });
  EXPECT_EQ(list.HorizontalExtent(), 40);
  list.Items.Delete(0);
  EXPECT_EQ(list.HorizontalExtent(), 20);
}

TEST(Scale, TenThousandLinesAddWithoutRecords) {
  CheckListModel list;
  int inserted = 0;
  list.addObserver([&](const CheckListChange& c) { inserted += c.kind == Kind::Inserted; });
  for (int i = 0; i < 10000; ++i) {
    const int index = list.Items.Add("/home/ann/.wine/drive_c/users/ann/Desktop/Game " + std::to_string(i) + ".lnk");
    if (i % 2 == 0) list.SetItemChecked(index, true);
  }
  EXPECT_EQ(inserted, 10000);
  EXPECT_EQ(list.Items.Get(9999), "/home/ann/.wine/drive_c/users/ann/Desktop/Game 9999.lnk");
  EXPECT_TRUE(list.IsItemChecked(9998));
  EXPECT_FALSE(list.HasItemRecord(9999));
}

}  // namespace
}  // namespace zendrift::scan
