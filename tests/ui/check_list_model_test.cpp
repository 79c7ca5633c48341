// Check records of the result list: defaults, writes and toggling.
#include <gtest/gtest.h>

#include <vector>

#include "ui/check_list_model.h"
#include "ui/list_index_error.h"

namespace zendrift::ui {
namespace {

// A model with `count` lines "line0".. and a log of the state-change and click-check events.
struct Fixture {
  CheckListModel list;
  std::vector<int> stateChanges;
  int clickChecks = 0;
  std::vector<int> checkAreas;

  explicit Fixture(int count) {
    for (int i = 0; i < count; ++i) list.items.add("line" + std::to_string(i));
    list.onStateChange = [this](CheckListModel& sender, int index) {
      EXPECT_EQ(&sender, &list);
      stateChanges.push_back(index);
    };
    list.onClickCheck = [this](CheckListModel&) { ++clickChecks; };
    list.addObserver([this](const CheckListChange& c) {
      if (c.kind == CheckListChange::Kind::CheckArea) checkAreas.push_back(c.index);
    });
  }
};

TEST(CheckRecords, NewLineReadsUncheckedAndEnabledWithoutARecord) {
  Fixture f(2);
  EXPECT_EQ(f.list.itemState(1), CheckState::unchecked);
  EXPECT_FALSE(f.list.isItemChecked(1));
  EXPECT_TRUE(f.list.isItemEnabled(1));
  EXPECT_FALSE(f.list.hasItemRecord(1));
  f.list.setItemChecked(1, true);
  EXPECT_TRUE(f.list.hasItemRecord(1));
  EXPECT_FALSE(f.list.hasItemRecord(0));
}

TEST(CheckRecords, WritingTheSameStateRaisesNothing) {
  Fixture f(1);
  f.list.setItemChecked(0, false);
  EXPECT_TRUE(f.stateChanges.empty());
  EXPECT_FALSE(f.list.hasItemRecord(0));
  f.list.setItemChecked(0, true);
  f.list.setItemChecked(0, true);
  EXPECT_EQ(f.stateChanges, std::vector<int>{0});
  EXPECT_EQ(f.checkAreas, std::vector<int>{0});
  EXPECT_TRUE(f.list.isItemChecked(0));
}

TEST(CheckRecords, EnabledChangeRepaintsTheWholeLineOnlyWhenItChanges) {
  Fixture f(2);
  std::vector<CheckListChange> changes;
  f.list.addObserver([&](const CheckListChange& c) { changes.push_back(c); });
  f.list.setItemEnabled(1, true);
  EXPECT_TRUE(changes.empty());
  EXPECT_FALSE(f.list.hasItemRecord(1));
  f.list.setItemEnabled(1, false);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].kind, CheckListChange::Kind::Line);
  EXPECT_EQ(changes[0].index, 1);
  EXPECT_FALSE(f.list.isItemEnabled(1));
}

TEST(CheckRecords, EveryAccessorRejectsAnIndexOutsideTheList) {
  Fixture f(3);
  const auto expectOutOfBounds = [](auto&& call, int index) {
    try {
      call();
      ADD_FAILURE() << "no error for " << index;
    } catch (const ListIndexError& e) {
      EXPECT_STREQ(e.what(), ("List index out of bounds (" + std::to_string(index) + ")").c_str());
      EXPECT_EQ(e.index(), index);
    }
  };
  for (int bad : {-1, 3, 1000}) {
    expectOutOfBounds([&] { (void)f.list.itemState(bad); }, bad);
    expectOutOfBounds([&] { f.list.setItemState(bad, CheckState::checked); }, bad);
    expectOutOfBounds([&] { (void)f.list.isItemChecked(bad); }, bad);
    expectOutOfBounds([&] { f.list.setItemChecked(bad, true); }, bad);
    expectOutOfBounds([&] { (void)f.list.isItemEnabled(bad); }, bad);
    expectOutOfBounds([&] { f.list.setItemEnabled(bad, false); }, bad);
    expectOutOfBounds([&] { (void)f.list.isItemSelected(bad); }, bad);
    expectOutOfBounds([&] { (void)f.list.items.get(bad); }, bad);
    expectOutOfBounds([&] { f.list.items.remove(bad); }, bad);
  }
  EXPECT_EQ(f.list.items.count(), 3);
  EXPECT_TRUE(f.stateChanges.empty());
}

struct ToggleCase {
  CheckKind kind;
  CheckState from;
  CheckState to;
};

class Toggle : public ::testing::TestWithParam<ToggleCase> {};

TEST_P(Toggle, GoesToTheNextStateThenRaisesClickCheck) {
  const ToggleCase& c = GetParam();
  Fixture f(2);
  f.list.setItemState(0, c.from);
  f.list.setCheckKind(c.kind);
  f.list.toggleItemCheck(0);
  EXPECT_EQ(f.list.itemState(0), c.to);
  EXPECT_EQ(f.clickChecks, 1);
}

INSTANTIATE_TEST_SUITE_P(CheckBoxesAndMarks, Toggle,
                         ::testing::Values(ToggleCase{CheckKind::checkBoxes, CheckState::unchecked, CheckState::checked},
                                           ToggleCase{CheckKind::checkBoxes, CheckState::checked, CheckState::unchecked},
                                           ToggleCase{CheckKind::checkMarks, CheckState::checked, CheckState::unchecked}));

TEST(Toggle, DisabledLineAndIndexOutsideDoNothing) {
  Fixture f(2);
  f.list.setItemEnabled(1, false);
  f.list.toggleItemCheck(1);
  f.list.toggleItemCheck(2);
  f.list.toggleItemCheck(-1);
  EXPECT_FALSE(f.list.isItemChecked(1));
  EXPECT_EQ(f.clickChecks, 0);
  EXPECT_TRUE(f.stateChanges.empty());
}

TEST(SetAllItemStates, SkipsDisabledLinesOnlyWhenAsked) {
  Fixture f(4);
  f.list.setItemEnabled(2, false);
  f.list.setAllItemStates(CheckState::checked, true);
  EXPECT_EQ(f.stateChanges, (std::vector<int>{0, 1, 3}));
  EXPECT_FALSE(f.list.isItemChecked(2));
  f.list.setAllItemStates(CheckState::checked, false);
  EXPECT_TRUE(f.list.isItemChecked(2));
}

}  // namespace
}  // namespace zendrift::ui
