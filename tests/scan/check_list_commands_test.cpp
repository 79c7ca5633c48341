// The result list's context-menu commands and the growth of the exclude list.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <utility>
#include <string>
#include <vector>

#include "scan/check_list_model.h"
#include "settings/ini_rec.h"

namespace zendrift::scan {
namespace {

using settings::TIniRec;

std::vector<bool> marks(const CheckListModel& list) {
  std::vector<bool> out;
  for (int i = 0; i < list.Items.Count(); ++i) out.push_back(list.IsItemChecked(i));
  return out;
}

struct CommandCase {
  const char* name;
  std::function<void(CheckListModel&, TIniRec&)> run;
  std::vector<bool> expected;  // from marks {1,0,1,0,0} with lines 1 and 2 selected, line 4 disabled
};

class Commands : public ::testing::TestWithParam<CommandCase> {};

TEST_P(Commands, ChangeMarksButNeverSelectionOrLines) {
  CheckListModel list;
  for (int i = 0; i < 5; ++i) list.Items.Add("/p/" + std::to_string(i) + ".lnk");
  list.SetItemChecked(0, true);
  list.SetItemChecked(2, true);
  list.SetItemEnabled(4, false);
  list.SetItemSelected(1, true);
  list.SetItemSelected(2, true);
  TIniRec options;
  GetParam().run(list, options);
  EXPECT_EQ(marks(list), GetParam().expected);
  EXPECT_EQ(list.Items.Count(), 5);
  EXPECT_EQ(list.SelectedCount(), 2);
  EXPECT_TRUE(list.IsItemSelected(1));
  EXPECT_TRUE(list.IsItemSelected(2));
}

INSTANTIATE_TEST_SUITE_P(
    AllFive, Commands,
    ::testing::Values(
        CommandCase{"MarkAll", [](CheckListModel& l, TIniRec&) { l.Markall1Click(); }, {true, true, true, true, true}},
        CommandCase{"UnmarkAll", [](CheckListModel& l, TIniRec&) { l.Unmarkall1Click(); }, {false, false, false, false, false}},
        CommandCase{"MarkSelection", [](CheckListModel& l, TIniRec&) { l.Markselection1Click(); }, {true, true, true, false, false}},
        CommandCase{"UnmarkSelection", [](CheckListModel& l, TIniRec&) { l.Unmarkselection1Click(); }, {true, false, false, false, false}},
        CommandCase{"Exclude", [](CheckListModel& l, TIniRec& o) { l.Putselectionontheexcludelist1Click(o); }, {true, false, false, false, false}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Commands, DoNothingOnAnEmptyList) {
  CheckListModel list;
  TIniRec options;
  options.ExcludeList = "kept, ";
  list.Markall1Click();
  list.Unmarkall1Click();
  list.Markselection1Click();
  list.Unmarkselection1Click();
  list.Putselectionontheexcludelist1Click(options);
  EXPECT_EQ(options.ExcludeList, "kept, ");
  EXPECT_EQ(list.Items.Count(), 0);
}

TEST(ExcludeList, NoSelectionLeavesItUnchanged) {
  CheckListModel list;
  list.Items.Add("/a.lnk");
  list.SetItemChecked(0, true);
  TIniRec options;
  list.Putselectionontheexcludelist1Click(options);
  EXPECT_EQ(options.ExcludeList, "");
  EXPECT_TRUE(list.IsItemChecked(0));
}

TEST(ExcludeList, SelectedLinesAreAppendedEachFollowedByCommaBlank) {
  CheckListModel list;
  for (const char* t : {"/d/zero.lnk", "/d/one.lnk", "/d/two.lnk", "/d/three.lnk"}) {
    list.SetItemChecked(list.Items.Add(t), true);
  }
  list.SetItemSelected(1, true);
  list.SetItemSelected(3, true);
  TIniRec options;
  list.Putselectionontheexcludelist1Click(options);
  EXPECT_EQ(options.ExcludeList, "/d/one.lnk, /d/three.lnk, ");
  EXPECT_EQ(marks(list), (std::vector<bool>{true, false, true, false}));
  // A second run appends the same paths again; there is no test for one already present.
  list.Putselectionontheexcludelist1Click(options);
  EXPECT_EQ(options.ExcludeList, "/d/one.lnk, /d/three.lnk, /d/one.lnk, /d/three.lnk, ");
}

TEST(ExcludeList, NeverRunsANewEntryIntoTheLastOne) {
  CheckListModel list;
  list.Items.Add("/x.lnk");
  list.SetItemSelected(0, true);
  // Written by hand without the final separator, or as the INI reader gives "/old, ".
  for (const auto& [before, after] : {std::pair{"C:\\old", "C:\\old, /x.lnk, "}, std::pair{"/old,", "/old, /x.lnk, "}}) {
    TIniRec options;
    options.ExcludeList = before;
    list.Putselectionontheexcludelist1Click(options);
    EXPECT_EQ(options.ExcludeList, after);
  }
}

TEST(ExcludeList, RefusesPathsWithLineBreaksButStillUnmarksThem) {
  // Saved on one line, such a path would never match again and the next run would delete it.
  CheckListModel list;
  for (const char* t : {"/d/a.lnk", "/d/new\nline.lnk", "/d/cr\r.lnk", "/d/b.lnk"}) {
    const int i = list.Items.Add(t);
    list.SetItemChecked(i, true);
    list.SetItemSelected(i, true);
  }
  TIniRec options;
  try {
    list.Putselectionontheexcludelist1Click(options);
    FAIL() << "no error raised";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()),
              "Cannot put \"/d/new\nline.lnk\" on the exclude list: its path holds a line break.\n"
              "Cannot put \"/d/cr\r.lnk\" on the exclude list: its path holds a line break.");
  }
  EXPECT_EQ(options.ExcludeList, "/d/a.lnk, /d/b.lnk, ");
  EXPECT_EQ(marks(list), (std::vector<bool>{false, false, false, false}));
}

TEST(Commands, SurviveAHandlerThatRemovesLinesMidLoop) {
  CheckListModel list;
  for (int i = 0; i < 4; ++i) list.Items.Add(std::to_string(i));
  list.OnStateChange = [](CheckListModel& sender, int index) {
    if (index == 0) sender.Items.Delete(sender.Items.Count() - 1);
  };
  list.Markall1Click();
  EXPECT_EQ(marks(list), (std::vector<bool>{true, true, true}));
}

}  // namespace
}  // namespace zendrift::scan
