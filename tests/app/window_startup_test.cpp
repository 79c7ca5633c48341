// Start-up and shutdown with the window: the interactive mode with its bounds and its save at
// close, and the command-line mode's /start, /delete and /exit.
#include <QGuiApplication>
#include <QScreen>

#include "window_fixture.h"

namespace zendrift::testing {
namespace {

using StartupTest = WindowTest;

std::vector<bool> ticks(const app::TForm1& form) {
  return {form.CheckBox1->isChecked(), form.CheckBox2->isChecked(), form.CheckBox3->isChecked(),
          form.CheckBox4->isChecked(), form.CheckBox5->isChecked(), form.CheckBox6->isChecked(),
          form.CheckBox7->isChecked(), form.CheckBox8->isChecked(), form.CheckBox9->isChecked(),
          form.CheckBox10->isChecked(), form.CheckBox11->isChecked(), form.CheckBox12->isChecked()};
}

TEST_F(StartupTest, FirstInteractiveStartOpensAtDesignBoundsWithDefaultTicksAndSavesAtClose) {
  auto form = createForm();
  EXPECT_EQ(form->Bounds(), app::TForm1::kDesignBounds);
  // Start menu, Desktop, Favorites, History, Recent; network, CD-ROM and RAM disks.
  EXPECT_EQ(ticks(*form), (std::vector<bool>{true, true, true, true, false, false, false, true, false, true, true, true}));
  EXPECT_TRUE(form->SavesOnClose());

  form->CheckBox5->setChecked(true);
  form->Edit1->setText("/srv/games");
  EXPECT_TRUE(form->close());
  EXPECT_TRUE(form->Closed());

  settings::TIniRec saved;
  settings::LoadSettingsFrom(saved, settingsFile().string());
  EXPECT_TRUE(saved.ProgramFiles);
  EXPECT_EQ(saved.UserDir, "/srv/games");
  EXPECT_EQ(saved.Left, 243);
  EXPECT_EQ(saved.Top, 504);
  EXPECT_EQ(saved.Width, 600);
  EXPECT_EQ(saved.Height, 467);
  const std::string text = readFile(settingsFile());
  for (const char* key : {"[Directories]", "AllUsersDeskTop=", "[Include]", "CDRomDrives=", "[Exclude]", "[Form]",
                          "Height=467"})
    EXPECT_NE(text.find(key), std::string::npos) << key;
}

TEST_F(StartupTest, SavedBoundsAreRestoredOnlyWhenWidthAndHeightAreBothSet) {
  writeSettings("[Form]\nTop=40\nLeft=30\nWidth=700\nHeight=500\n");
  EXPECT_EQ(createForm()->Bounds(), (app::FormBounds{30, 40, 700, 500}));

  writeSettings("[Form]\nTop=40\nLeft=30\nWidth=700\nHeight=0\n");
  EXPECT_EQ(createForm()->Bounds(), app::TForm1::kDesignBounds);

  // Whatever the file says, the window fits the screen and keeps its minimum size.
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  writeSettings("[Form]\nTop=-9000\nLeft=90000\nWidth=40000\nHeight=3\n");
  const app::FormBounds fitted = createForm()->Bounds();
  EXPECT_EQ(fitted.Width, std::max(area.width(), app::TForm1::kMinWidth));
  EXPECT_EQ(fitted.Height, app::TForm1::kMinHeight);
  EXPECT_EQ(fitted.Top, area.top());
  EXPECT_EQ(fitted.Left + fitted.Width, std::max(area.right() + 1, area.left() + fitted.Width));
}

TEST_F(StartupTest, SharedBoxShowsTheAllUsersFlagAndMakesThePairEqual) {
  writeSettings("[Directories]\nStartMenu=0\nAllUsersStartMenu=1\nDesktop=1\nAllUsersDeskTop=0\n");
  auto form = createForm();
  EXPECT_TRUE(form->CheckBox1->isChecked());
  EXPECT_FALSE(form->CheckBox2->isChecked());
  form->ControlsToOptions();
  EXPECT_TRUE(options_.StartMenu);
  EXPECT_TRUE(options_.AllUsersStartMenu);
  EXPECT_FALSE(options_.Desktop);
  EXPECT_FALSE(options_.AllUsersDeskTop);
}

TEST_F(StartupTest, AClosedWindowSavesThePairsItDidNotChangeAsTheyWereRead) {
  writeSettings("[Directories]\nStartMenu=0\nAllUsersStartMenu=1\nDesktop=1\nAllUsersDeskTop=0\n");
  auto form = createForm();
  form->Button1Click();  // a scan takes both flags of a pair from its box, but saves nothing
  waitIdle(*form);
  form->CheckBox2->setChecked(true);
  form->Button5Click();
  settings::TIniRec saved;
  settings::LoadSettingsFrom(saved, settingsFile().string());
  EXPECT_FALSE(saved.StartMenu) << "untouched: written back as read";
  EXPECT_TRUE(saved.AllUsersStartMenu);
  EXPECT_TRUE(saved.Desktop) << "ticked by the user: both flags follow the box";
  EXPECT_TRUE(saved.AllUsersDeskTop);
}

TEST_F(StartupTest, StartDeleteExitScansDeletesAndEndsWithoutSaving) {
  writeSettings("[Directories]\nStartMenu=0\nAllUsersStartMenu=1\nDesktop=0\nAllUsersDeskTop=0\nFavorites=0\n"
                "History=0\nRecent=0\n[Form]\nWidth=700\nHeight=500\n");
  const std::string before = readFile(settingsFile());
  const fs::path mine = orphan(startMenu() / "Programs/Old", "old");
  const fs::path common = orphan(commonStartMenu() / "Programs", "gone");
  const fs::path kept = healthy(startMenu() / "Programs", "tool");

  auto form = createForm({"/start", "/delete", "/exit"});
  EXPECT_TRUE(form->ExitRequested());
  EXPECT_FALSE(form->Closed());
  // The window was on screen, at its design bounds, while it worked.
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->Bounds(), app::TForm1::kDesignBounds);
  // The box showed the all-users flag and was read back into both.
  EXPECT_TRUE(options_.StartMenu);
  EXPECT_TRUE(options_.AllUsersStartMenu);
  EXPECT_FALSE(fs::exists(mine));
  EXPECT_FALSE(fs::exists(mine.parent_path()));  // emptied and not protected
  EXPECT_FALSE(fs::exists(common));
  EXPECT_TRUE(fs::exists(kept));
  EXPECT_EQ(form->Label1->text(), "Idle. Please note that empty folder are also removed.");
  EXPECT_EQ(form->JvxCheckListBox1->model().Items.Count(), 0);
  EXPECT_FALSE(form->SavesOnClose());
  EXPECT_EQ(readFile(settingsFile()), before);
}

TEST_F(StartupTest, ExitBeforeStartStillScansFirst) {
  const fs::path path = orphan(desktop(), "lost");
  auto form = createForm({"/exit", "/start"});
  EXPECT_TRUE(form->ExitRequested());
  EXPECT_EQ(lines(form->JvxCheckListBox1->model()), std::vector<std::string>{path.string()});
  EXPECT_EQ(form->Label1->text(), "Ready. 1 orphan(s) found.");
  EXPECT_TRUE(fs::exists(path));
}

TEST_F(StartupTest, DeleteAloneFindsAnEmptyList) {
  const fs::path path = orphan(desktop(), "lost");
  auto form = createForm({"/delete"});
  EXPECT_FALSE(form->ExitRequested());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->Label1->text(), "Idle.");
  EXPECT_FALSE(form->Button2->isEnabled());
  EXPECT_TRUE(fs::exists(path));
}

TEST_F(StartupTest, CommandLineModeNeverSavesAtClose) {
  writeSettings("[Directories]\nProgramFiles=0\n");
  const std::string before = readFile(settingsFile());
  for (const std::vector<std::string>& parameters :
       {std::vector<std::string>{"/desktop"}, std::vector<std::string>{"not-a-switch"}}) {
    auto form = createForm(parameters);
    form->CheckBox5->setChecked(true);
    form->Edit1->setText("/elsewhere");
    options_.ExcludeList = "C:\\x.lnk, ";
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(form->Closed());
    EXPECT_EQ(readFile(settingsFile()), before);
  }
}

TEST_F(StartupTest, ExitButtonClosesLikeTheCloseBoxAndSaves) {
  auto form = createForm();
  form->CheckBox9->setChecked(true);
  form->Button5Click();
  EXPECT_TRUE(form->Closed());
  EXPECT_FALSE(form->isVisible());
  settings::TIniRec saved;
  settings::LoadSettingsFrom(saved, settingsFile().string());
  EXPECT_TRUE(saved.RemovableDrives);
}

}  // namespace
}  // namespace zendrift::testing
