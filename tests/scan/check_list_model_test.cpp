// Check records of the result list: defaults, writes, toggling and the radio-button rules.
#include <gtest/gtest.h>

#include <vector>

#include "scan/check_list_model.h"
#include "scan/list_index_error.h"

namespace zendrift::scan {
namespace {

// A model with `count` lines "line0".. and a log of the state-change and click-check events.
struct Fixture {
  CheckListModel list;
  std::vector<int> stateChanges;
  int clickChecks = 0;
  std::vector<int> checkAreas;

  explicit Fixture(int count) {
    for (int i = 0; i < count; ++i) list.Items.Add("line" + std::to_string(i));
    list.OnStateChange = [this](CheckListModel& sender, int index) {
      EXPECT_EQ(&sender, &list);
      stateChanges.push_back(index);
    };
    list.OnClickCheck = [this](CheckListModel&) { ++clickChecks; };
    list.addObserver([this](const CheckListChange& c) {
      if (c.kind == CheckListChange::Kind::CheckArea) checkAreas.push_back(c.index);
    });
  }
};

TEST(CheckRecords, NewLineReadsUncheckedAndEnabledWithoutARecord) {
  Fixture f(2);
  EXPECT_EQ(f.list.ItemState(1), cbUnchecked);
  EXPECT_FALSE(f.list.IsItemChecked(1));
  EXPECT_TRUE(f.list.IsItemEnabled(1));
  EXPECT_EQ(f.list.ItemData(1), 0);
  EXPECT_FALSE(f.list.HasItemRecord(1));
  f.list.SetItemData(1, 42);
  EXPECT_TRUE(f.list.HasItemRecord(1));
  EXPECT_EQ(f.list.ItemData(1), 42);
  EXPECT_FALSE(f.list.HasItemRecord(0));
}

TEST(CheckRecords, WritingTheSameStateRaisesNothing) {
  Fixture f(1);
  f.list.SetItemChecked(0, false);
  EXPECT_TRUE(f.stateChanges.empty());
  EXPECT_FALSE(f.list.HasItemRecord(0));
  f.list.SetItemChecked(0, true);
  f.list.SetItemChecked(0, true);
  EXPECT_EQ(f.stateChanges, std::vector<int>{0});
  EXPECT_EQ(f.checkAreas, std::vector<int>{0});
  EXPECT_TRUE(f.list.IsItemChecked(0));
}

TEST(CheckRecords, GrayedCountsAsUnmarked) {
  Fixture f(1);
  f.list.SetItemState(0, cbGrayed);
  EXPECT_EQ(f.list.ItemState(0), cbGrayed);
  EXPECT_FALSE(f.list.IsItemChecked(0));
  f.list.ToggleItemCheck(0);
  EXPECT_TRUE(f.list.IsItemChecked(0));
}

TEST(CheckRecords, EnabledChangeRepaintsTheWholeLineOnlyWhenItChanges) {
  Fixture f(2);
  std::vector<CheckListChange> changes;
  f.list.addObserver([&](const CheckListChange& c) { changes.push_back(c); });
  f.list.SetItemEnabled(1, true);
  EXPECT_TRUE(changes.empty());
  EXPECT_FALSE(f.list.HasItemRecord(1));
  f.list.SetItemEnabled(1, false);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].kind, CheckListChange::Kind::Line);
  EXPECT_EQ(changes[0].index, 1);
  EXPECT_FALSE(f.list.IsItemEnabled(1));
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
    expectOutOfBounds([&] { (void)f.list.ItemState(bad); }, bad);
    expectOutOfBounds([&] { f.list.SetItemState(bad, cbChecked); }, bad);
    expectOutOfBounds([&] { (void)f.list.IsItemChecked(bad); }, bad);
    expectOutOfBounds([&] { f.list.SetItemChecked(bad, true); }, bad);
    expectOutOfBounds([&] { (void)f.list.IsItemEnabled(bad); }, bad);
    expectOutOfBounds([&] { f.list.SetItemEnabled(bad, false); }, bad);
    expectOutOfBounds([&] { (void)f.list.IsItemSelected(bad); }, bad);
    expectOutOfBounds([&] { (void)f.list.Items.Get(bad); }, bad);
    expectOutOfBounds([&] { f.list.Items.Delete(bad); }, bad);
  }
  EXPECT_EQ(f.list.Items.Count(), 3);
  EXPECT_TRUE(f.stateChanges.empty());
}

struct ToggleCase {
  TCheckKind kind;
  bool allowGrayed;
  TCheckBoxState from;
  TCheckBoxState to;
};

class Toggle : public ::testing::TestWithParam<ToggleCase> {};

TEST_P(Toggle, GoesToTheNextStateThenRaisesClickCheck) {
  const ToggleCase& c = GetParam();
  Fixture f(2);
  f.list.SetItemState(0, c.from);
  f.list.SetCheckKind(c.kind);
  f.list.SetAllowGrayed(c.allowGrayed);
  f.list.ToggleItemCheck(0);
  EXPECT_EQ(f.list.ItemState(0), c.to);
  EXPECT_EQ(f.clickChecks, 1);
}

INSTANTIATE_TEST_SUITE_P(CheckBoxesAndMarks, Toggle,
                         ::testing::Values(ToggleCase{ckCheckBoxes, false, cbUnchecked, cbChecked},
                                           ToggleCase{ckCheckBoxes, true, cbUnchecked, cbGrayed},
                                           ToggleCase{ckCheckBoxes, true, cbGrayed, cbChecked},
                                           ToggleCase{ckCheckBoxes, false, cbGrayed, cbChecked},
                                           ToggleCase{ckCheckBoxes, true, cbChecked, cbUnchecked},
                                           ToggleCase{ckCheckMarks, true, cbUnchecked, cbGrayed},
                                           ToggleCase{ckCheckMarks, false, cbChecked, cbUnchecked},
                                           // grayed is not offered to radio buttons
                                           ToggleCase{ckRadioButtons, true, cbChecked, cbChecked}));

TEST(Toggle, DisabledLineAndIndexOutsideDoNothing) {
  Fixture f(2);
  f.list.SetItemEnabled(1, false);
  f.list.ToggleItemCheck(1);
  f.list.ToggleItemCheck(2);
  f.list.ToggleItemCheck(-1);
  EXPECT_FALSE(f.list.IsItemChecked(1));
  EXPECT_EQ(f.clickChecks, 0);
  EXPECT_TRUE(f.stateChanges.empty());
}

TEST(SetAllItemStates, SkipsDisabledLinesOnlyWhenAsked) {
  Fixture f(4);
  f.list.SetItemEnabled(2, false);
  f.list.SetAllItemStates(cbChecked, true);
  EXPECT_EQ(f.stateChanges, (std::vector<int>{0, 1, 3}));
  EXPECT_FALSE(f.list.IsItemChecked(2));
  f.list.SetAllItemStates(cbChecked, false);
  EXPECT_TRUE(f.list.IsItemChecked(2));
}

TEST(SetAllItemStates, DoesNothingWithRadioButtons) {
  Fixture f(3);
  f.list.SetCheckKind(ckRadioButtons);
  f.stateChanges.clear();
  f.list.SetAllItemStates(cbUnchecked, false);
  f.list.SetAllItemStates(cbChecked, false);
  EXPECT_EQ(f.list.CheckedIndex(), 0);
  EXPECT_TRUE(f.stateChanges.empty());
}

TEST(RadioButtons, SwitchingKindKeepsExactlyTheFirstCheckedLine) {
  Fixture f(4);
  f.list.SetItemChecked(1, true);
  f.list.SetItemChecked(3, true);
  f.list.SetItemState(2, cbGrayed);
  f.stateChanges.clear();
  f.list.SetCheckKind(ckRadioButtons);
  EXPECT_EQ(f.list.CheckedIndex(), 1);
  EXPECT_FALSE(f.list.IsItemChecked(3));
  EXPECT_EQ(f.list.ItemState(2), cbUnchecked);  // grayed reads unchecked for radio buttons
  // The line that was already checked is written again, the others are unchecked silently.
  EXPECT_EQ(f.stateChanges, std::vector<int>{1});
}

TEST(RadioButtons, SwitchingKindChecksLineZeroWhenNoneIsChecked) {
  Fixture f(3);
  f.list.SetCheckKind(ckRadioButtons);
  EXPECT_EQ(f.list.CheckedIndex(), 0);
  CheckListModel empty;
  empty.SetCheckKind(ckRadioButtons);
  EXPECT_EQ(empty.CheckedIndex(), -1);
  empty.SetCheckedIndex(0);  // no lines: nothing to check, no error
  EXPECT_EQ(empty.Items.Count(), 0);
}

TEST(RadioButtons, CheckingOneUnchecksTheOthersAndTheCheckedOneStays) {
  Fixture f(3);
  f.list.SetCheckKind(ckRadioButtons);
  f.stateChanges.clear();
  f.checkAreas.clear();
  f.list.SetItemChecked(2, true);
  EXPECT_EQ(f.list.CheckedIndex(), 2);
  EXPECT_FALSE(f.list.IsItemChecked(0));
  EXPECT_EQ(f.stateChanges, std::vector<int>{2});
  EXPECT_EQ(f.checkAreas, (std::vector<int>{0, 2}));
  f.list.SetItemChecked(2, false);
  EXPECT_TRUE(f.list.IsItemChecked(2));
  f.list.ToggleItemCheck(2);
  EXPECT_TRUE(f.list.IsItemChecked(2));
}

TEST(RadioButtons, CheckedIndexAssignmentClampsNegativeAndIgnoresOtherKinds) {
  Fixture f(3);
  f.list.SetItemChecked(1, true);
  EXPECT_EQ(f.list.CheckedIndex(), -1);  // only radio buttons have one
  f.list.SetCheckedIndex(2);
  EXPECT_FALSE(f.list.IsItemChecked(2));
  f.list.SetCheckKind(ckRadioButtons);
  f.list.SetCheckedIndex(-5);
  EXPECT_EQ(f.list.CheckedIndex(), 0);
  EXPECT_THROW(f.list.SetCheckedIndex(3), ListIndexError);
}

}  // namespace
}  // namespace zendrift::scan
