// The window controller behind a plain view that answers its boxes at once, as the Win32 window
// does: the question before deleting for good asked again after a No, and an error of the work
// shown in the error box with the window going on.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "../scan/scan_fixture.h"
#include "settings/command_line.h"
#include "settings/scan_options.h"
#include "ui/window_controller.h"
#include "ui/window_view.h"
#include "window_thread.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

// A window with no toolkit: it keeps what it is told, answers each question from `answers`, and
// runs the posted calls on the test's thread.
class PlainView final : public ui::WindowView {
 public:
  void setCaption(ui::ControlId, std::string_view) override {}
  void setStatusText(std::string_view text) override { status = text; }
  void setHint(ui::ControlId, std::string_view) override {}
  void enableControl(ui::ControlId id, bool on) override { enabled[id] = on; }
  bool controlEnabled(ui::ControlId id) const override { return !enabled.contains(id) || enabled.at(id); }
  void focusControl(ui::ControlId id) override { focus = id; }
  void setBusyCursor(bool) override {}
  ui::OptionControls optionControls() const override { return controls; }
  void showOptionControls(const ui::OptionControls& shown) override { controls = shown; }
  bool hasPrefixSelector() const override { return false; }
  void showPrefixChoices(const std::vector<ui::PrefixChoice>&, int) override {}
  int chosenPrefix() const override { return -1; }
  ui::WindowBounds outerBounds() const override { return {0, 0, 600, 400}; }
  void restoreBounds(const ui::WindowBounds&) override {}
  void showForActions() override {}
  void showError(std::string_view text) override { errors.emplace_back(text); }
  void showInformation(std::string_view text) override { informations.emplace_back(text); }
  void askYesNo(std::string_view question, std::function<void(bool yes)> answered) override {
    questions.emplace_back(question);
    const bool yes = !answers.empty() && answers.front();
    if (!answers.empty()) answers.pop_front();
    answered(yes);
  }
  void post(std::function<void()> call) override { thread_.post()(std::move(call)); }
  void requestClose() override {}
  void endRun() override {}

  // Runs the posted calls until the controller's work has ended.
  void runUntilIdle(const ui::WindowController& controller) {
    thread_.runWhile([&controller] { return controller.busy(); });
  }

  std::map<ui::ControlId, bool> enabled;
  std::string status;
  std::optional<ui::ControlId> focus;
  ui::OptionControls controls;
  std::vector<std::string> errors;
  std::vector<std::string> informations;
  std::vector<std::string> questions;
  std::deque<bool> answers;

 private:
  WindowThread thread_;
};

class ControllerTest : public PrefixFixture {
 protected:
  // Two orphans in the Start menu, found by a scan of it alone.
  void SetUp() override {
    orphans_ = {shortcut(startMenu() / "one.lnk", "C:\\missing\\one.exe"),
                shortcut(startMenu() / "two.lnk", "C:\\missing\\two.exe")};
    controller_.start();
    view_.controls = {};
    view_.controls.startMenu = true;
    controller_.scanClicked();
    view_.runUntilIdle(controller_);
    ASSERT_EQ(controller_.model().items.count(), 2);
  }

  PlainView view_;
  settings::ScanOptions options_;
  ui::WindowController controller_{view_, options_, settings::CommandLine(std::vector<std::string>{})};
  std::vector<std::string> orphans_;
};

TEST_F(ControllerTest, ANoAnsweredAtOnceKeepsTheShortcutsAndDeleteAsksAgain) {
  view_.controls.moveToTrash = false;
  view_.answers = {false, true};
  controller_.deleteClicked();
  EXPECT_FALSE(controller_.busy());
  for (const std::string& path : orphans_) EXPECT_TRUE(fs::exists(path)) << path;

  controller_.deleteClicked();
  view_.runUntilIdle(controller_);
  EXPECT_EQ(view_.questions,
            std::vector<std::string>(2, "Delete 2 marked orphan(s) permanently? This cannot be undone."));
  for (const std::string& path : orphans_) EXPECT_FALSE(fs::exists(path)) << path;
  EXPECT_FALSE(fs::exists(home.path() / "data/Trash/files/one.lnk"));
  EXPECT_EQ(controller_.model().items.count(), 0);
  EXPECT_TRUE(view_.errors.empty());

  // Nothing of it can come back, and that is no error.
  controller_.undoClicked();
  EXPECT_EQ(view_.status, "The last cleaning deleted 2 shortcut(s) for good: there is nothing to undo.");
  EXPECT_EQ(view_.informations, std::vector<std::string>{view_.status});
  EXPECT_TRUE(view_.errors.empty());
}

TEST_F(ControllerTest, AShortcutOnTheDesktopWineLinksToTheHomeShowsItsHostPathAndItsHintTheWholeOne) {
  // As wineboot makes it: the prefix's Desktop is a link to the home's.
  fs::remove_all(desktop());
  fs::create_directories(home.path() / "Desktop");
  fs::create_directory_symlink(home.path() / "Desktop", desktop());
  const std::string reached = shortcut(desktop() / "Old Game.lnk", "C:\\Games\\Old\\old.exe");
  view_.controls.desktop = true;
  controller_.scanClicked();
  view_.runUntilIdle(controller_);

  const ui::CheckListModel& model = controller_.model();
  ASSERT_EQ(model.items.count(), 3);
  EXPECT_EQ(model.items.get(2), "~/Desktop/Old Game.lnk");
  EXPECT_EQ(model.itemHint(2), "Path: " + reached + "\nTarget: C:\\Games\\Old\\old.exe\nReason: file not found");
  // Display only: the record, and so the removal, keeps the path the scan took.
  EXPECT_EQ(controller_.records()[2].path, reached);
  EXPECT_EQ(model.items.get(0), "~/prefix/drive_c/users/ann/AppData/Roaming/Microsoft/Windows/Start Menu/one.lnk");
}

TEST_F(ControllerTest, ACleaningThatCannotBeRecordedIsShownInTheErrorBoxAndTheWindowGoesOn) {
  // The state folder is a file: the shortcuts go to the trash, but no record can be kept.
  writeFile(home.path() / "state", "not a folder");
  controller_.deleteClicked();
  view_.runUntilIdle(controller_);
  for (const std::string& path : orphans_) EXPECT_FALSE(fs::exists(path)) << path;
  ASSERT_EQ(view_.errors.size(), 1u);
  EXPECT_TRUE(view_.errors[0].starts_with("The cleaning could not be recorded in ")) << view_.errors[0];
  EXPECT_TRUE(view_.enabled[ui::ControlId::scanButton]);
  EXPECT_EQ(view_.focus, ui::ControlId::scanButton);

  // The window goes on: the next scan runs, and closing saves without a word.
  shortcut(startMenu() / "three.lnk", "C:\\missing\\three.exe");
  controller_.scanClicked();
  view_.runUntilIdle(controller_);
  EXPECT_EQ(controller_.model().items.count(), 1);
  EXPECT_EQ(view_.status, "Ready. 1 orphan(s) found.");
  EXPECT_TRUE(controller_.closeRequested());
  EXPECT_EQ(view_.errors.size(), 1u);
}

}  // namespace
}  // namespace zendrift::testing
