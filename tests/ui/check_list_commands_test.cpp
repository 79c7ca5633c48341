// The result list's context-menu commands and the growth of the exclude list.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "settings/exclude_list.h"
#include "ui/check_list_model.h"

namespace zendrift::ui {
namespace {

using Paths = std::vector<std::string>;

std::vector<bool> marks(const CheckListModel& list) {
  std::vector<bool> out;
  for (int i = 0; i < list.items.count(); ++i) out.push_back(list.isItemChecked(i));
  return out;
}

struct CommandCase {
  const char* name;
  std::function<void(CheckListModel&)> run;
  std::vector<bool> expected;  // from marks {1,0,1,0,0} with lines 1 and 2 selected, line 4 disabled
};

class Commands : public ::testing::TestWithParam<CommandCase> {};

TEST_P(Commands, ChangeMarksButNeverSelectionOrLines) {
  CheckListModel list;
  for (int i = 0; i < 5; ++i) list.items.add("/p/" + std::to_string(i) + ".lnk");
  list.setItemChecked(0, true);
  list.setItemChecked(2, true);
  list.setItemEnabled(4, false);
  list.setItemSelected(1, true);
  list.setItemSelected(2, true);
  GetParam().run(list);
  EXPECT_EQ(marks(list), GetParam().expected);
  EXPECT_EQ(list.items.count(), 5);
  EXPECT_EQ(list.selectedCount(), 2);
  EXPECT_TRUE(list.isItemSelected(1));
  EXPECT_TRUE(list.isItemSelected(2));
}

INSTANTIATE_TEST_SUITE_P(
    AllFive, Commands,
    ::testing::Values(
        CommandCase{"MarkAll", [](CheckListModel& l) { l.markAll(); }, {true, true, true, true, true}},
        CommandCase{"UnmarkAll", [](CheckListModel& l) { l.unmarkAll(); }, {false, false, false, false, false}},
        CommandCase{"MarkSelection", [](CheckListModel& l) { l.markSelection(); }, {true, true, true, false, false}},
        CommandCase{"UnmarkSelection", [](CheckListModel& l) { l.unmarkSelection(); }, {true, false, false, false, false}},
        CommandCase{"Exclude", [](CheckListModel& l) { (void)l.excludeSelection(); }, {true, false, false, false, false}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Commands, DoNothingOnAnEmptyList) {
  CheckListModel list;
  list.markAll();
  list.unmarkAll();
  list.markSelection();
  list.unmarkSelection();
  EXPECT_EQ(list.excludeSelection(), Paths{});
  EXPECT_EQ(list.items.count(), 0);
}

TEST(ExcludeList, NoSelectionGivesNoPaths) {
  CheckListModel list;
  list.items.add("/a.lnk");
  list.setItemChecked(0, true);
  EXPECT_EQ(list.excludeSelection(), Paths{});
  EXPECT_TRUE(list.isItemChecked(0));
}

TEST(ExcludeList, SelectedLinesAreAppendedEachFollowedByCommaBlank) {
  CheckListModel list;
  for (const char* t : {"/d/zero.lnk", "/d/one.lnk", "/d/two.lnk", "/d/three.lnk"}) {
    list.setItemChecked(list.items.add(t), true);
  }
  list.setItemSelected(1, true);
  list.setItemSelected(3, true);
  const Paths paths = list.excludeSelection();
  EXPECT_EQ(paths, (Paths{"/d/one.lnk", "/d/three.lnk"}));
  EXPECT_EQ(marks(list), (std::vector<bool>{true, false, true, false}));
  std::string excludeList;
  EXPECT_EQ(settings::appendExcludeEntries(excludeList, paths), Paths{});
  EXPECT_EQ(excludeList, "/d/one.lnk, /d/three.lnk, ");
  // A second run appends the same paths again; there is no test for one already present.
  EXPECT_EQ(settings::appendExcludeEntries(excludeList, list.excludeSelection()), Paths{});
  EXPECT_EQ(excludeList, "/d/one.lnk, /d/three.lnk, /d/one.lnk, /d/three.lnk, ");
}

TEST(ExcludeList, NeverRunsANewEntryIntoTheLastOne) {
  // Written by hand without the final separator, or as the INI reader gives "/old, ".
  for (const auto& [before, after] : {std::pair{"C:\\old", "C:\\old, /x.lnk, "}, std::pair{"/old,", "/old, /x.lnk, "}}) {
    std::string excludeList = before;
    EXPECT_EQ(settings::appendExcludeEntries(excludeList, {"/x.lnk"}), Paths{});
    EXPECT_EQ(excludeList, after);
  }
}

TEST(ExcludeList, RefusesPathsWithLineBreaksButStillUnmarksThem) {
  // Saved on one line, such a path would never match again and the next run would delete it.
  CheckListModel list;
  for (const char* t : {"/d/a.lnk", "/d/new\nline.lnk", "/d/cr\r.lnk", "/d/b.lnk"}) {
    const int i = list.items.add(t);
    list.setItemChecked(i, true);
    list.setItemSelected(i, true);
  }
  std::string excludeList;
  const Paths refused = settings::appendExcludeEntries(excludeList, list.excludeSelection());
  EXPECT_EQ(refused, (Paths{"/d/new\nline.lnk", "/d/cr\r.lnk"}));
  EXPECT_EQ(settings::refusedExcludeEntriesMessage(refused),
            "Cannot put \"/d/new\nline.lnk\" on the exclude list: its path holds a line break.\n"
            "Cannot put \"/d/cr\r.lnk\" on the exclude list: its path holds a line break.");
  EXPECT_EQ(excludeList, "/d/a.lnk, /d/b.lnk, ");
  EXPECT_EQ(marks(list), (std::vector<bool>{false, false, false, false}));
}

TEST(Commands, SurviveAHandlerThatRemovesLinesMidLoop) {
  CheckListModel list;
  for (int i = 0; i < 4; ++i) list.items.add(std::to_string(i));
  list.onStateChange = [](CheckListModel& sender, int index) {
    if (index == 0) sender.items.remove(sender.items.count() - 1);
  };
  list.markAll();
  EXPECT_EQ(marks(list), (std::vector<bool>{true, true, true}));
}

}  // namespace
}  // namespace zendrift::ui
