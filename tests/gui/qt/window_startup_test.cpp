// Start-up and shutdown with the window: the interactive mode with its bounds and its save at
// close, and the command-line mode's /start, /delete and /exit.
#include <QGuiApplication>
#include <QScreen>

#include "window_fixture.h"

namespace zendrift::testing {
namespace {

using StartupTest = WindowTest;

std::vector<bool> ticks(const qt::MainWindow& form) {
  return {startMenuBox(form)->isChecked(), desktopBox(form)->isChecked(), favoritesBox(form)->isChecked(),
          historyBox(form)->isChecked(), programFilesBox(form)->isChecked(), tempBox(form)->isChecked(),
          appDataBox(form)->isChecked(), recentBox(form)->isChecked(), removableDrivesBox(form)->isChecked(),
          networkDrivesBox(form)->isChecked(), cdRomDrivesBox(form)->isChecked(), ramDrivesBox(form)->isChecked()};
}

TEST_F(StartupTest, FirstInteractiveStartOpensAtDesignBoundsWithDefaultTicksAndSavesAtClose) {
  auto form = createForm();
  EXPECT_EQ(form->outerBounds(), qt::MainWindow::kDesignBounds);
  // Start menu, Desktop, Favorites, History, Recent; network, CD-ROM and RAM disks.
  EXPECT_EQ(ticks(*form),
            (std::vector<bool>{true, true, true, true, false, false, false, true, false, true, true, true}));
  EXPECT_TRUE(form->savesOnClose());

  programFilesBox(*form)->setChecked(true);
  userFolderEdit(*form)->setText("/srv/games");
  EXPECT_TRUE(form->close());
  EXPECT_TRUE(form->closed());

  settings::ScanOptions saved;
  settings::loadSettingsFrom(saved, settingsFile().string());
  EXPECT_TRUE(saved.programFiles);
  EXPECT_EQ(saved.userDir, "/srv/games");
  EXPECT_EQ(saved.left, 243);
  EXPECT_EQ(saved.top, 504);
  EXPECT_EQ(saved.width, 600);
  EXPECT_EQ(saved.height, 467);
  const std::string text = readFile(settingsFile());
  for (const char* key : {"[Directories]", "AllUsersDeskTop=", "[Include]", "CDRomDrives=", "[Exclude]", "[Form]",
                          "Height=467"})
    EXPECT_NE(text.find(key), std::string::npos) << key;
}

TEST_F(StartupTest, SavedBoundsAreRestoredOnlyWhenWidthAndHeightAreBothSet) {
  writeSettings("[Form]\nTop=40\nLeft=30\nWidth=700\nHeight=500\n");
  EXPECT_EQ(createForm()->outerBounds(), (qt::WindowBounds{30, 40, 700, 500}));

  writeSettings("[Form]\nTop=40\nLeft=30\nWidth=700\nHeight=0\n");
  EXPECT_EQ(createForm()->outerBounds(), qt::MainWindow::kDesignBounds);

  // Whatever the file says, the window fits the screen and keeps its minimum size.
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  writeSettings("[Form]\nTop=-9000\nLeft=90000\nWidth=40000\nHeight=3\n");
  const qt::WindowBounds fitted = createForm()->outerBounds();
  EXPECT_EQ(fitted.width, std::max(area.width(), qt::MainWindow::kMinWidth));
  EXPECT_EQ(fitted.height, qt::MainWindow::kMinHeight);
  EXPECT_EQ(fitted.top, area.top());
  EXPECT_EQ(fitted.left + fitted.width, std::max(area.right() + 1, area.left() + fitted.width));
}

TEST_F(StartupTest, SharedBoxShowsTheAllUsersFlagAndMakesThePairEqual) {
  writeSettings("[Directories]\nStartMenu=0\nAllUsersStartMenu=1\nDesktop=1\nAllUsersDeskTop=0\n");
  auto form = createForm();
  EXPECT_TRUE(startMenuBox(*form)->isChecked());
  EXPECT_FALSE(desktopBox(*form)->isChecked());
  form->controller().controlsToOptions();
  EXPECT_TRUE(options_.startMenu);
  EXPECT_TRUE(options_.allUsersStartMenu);
  EXPECT_FALSE(options_.desktop);
  EXPECT_FALSE(options_.allUsersDeskTop);
}

TEST_F(StartupTest, AClosedWindowSavesThePairsItDidNotChangeAsTheyWereRead) {
  writeSettings("[Directories]\nStartMenu=0\nAllUsersStartMenu=1\nDesktop=1\nAllUsersDeskTop=0\n");
  auto form = createForm();
  form->controller().scanClicked();  // a scan takes both flags of a pair from its box, but saves nothing
  waitIdle(*form);
  desktopBox(*form)->setChecked(true);
  form->onExitClicked();
  settings::ScanOptions saved;
  settings::loadSettingsFrom(saved, settingsFile().string());
  EXPECT_FALSE(saved.startMenu) << "untouched: written back as read";
  EXPECT_TRUE(saved.allUsersStartMenu);
  EXPECT_TRUE(saved.desktop) << "ticked by the user: both flags follow the box";
  EXPECT_TRUE(saved.allUsersDeskTop);
}

TEST_F(StartupTest, StartDeleteExitScansDeletesAndEndsWithoutSaving) {
  writeSettings("[Directories]\nStartMenu=0\nAllUsersStartMenu=1\nDesktop=0\nAllUsersDeskTop=0\nFavorites=0\n"
                "History=0\nRecent=0\n[Form]\nWidth=700\nHeight=500\n");
  const std::string before = readFile(settingsFile());
  const fs::path mine = orphan(startMenu() / "Programs/Old", "old");
  const fs::path common = orphan(commonStartMenu() / "Programs", "gone");
  const fs::path kept = healthy(startMenu() / "Programs", "tool");

  auto form = createForm({"/start", "/delete", "/exit"});
  EXPECT_TRUE(form->exitRequested());
  EXPECT_FALSE(form->closed());
  // The window was on screen, at its design bounds, while it worked.
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->outerBounds(), qt::MainWindow::kDesignBounds);
  // The box showed the all-users flag and was read back into both.
  EXPECT_TRUE(options_.startMenu);
  EXPECT_TRUE(options_.allUsersStartMenu);
  EXPECT_FALSE(fs::exists(mine));
  EXPECT_FALSE(fs::exists(mine.parent_path()));  // emptied and not protected
  EXPECT_FALSE(fs::exists(common));
  EXPECT_TRUE(fs::exists(kept));
  // The status line says what went and where.
  EXPECT_EQ(statusLabel(*form)->text().toStdString(),
            "Idle. Please note that empty folder are also removed. 2 shortcut(s) moved to the trash, 1 empty "
            "folder(s) removed.");
  EXPECT_EQ(resultList(*form)->model().items.count(), 0);
  EXPECT_FALSE(form->savesOnClose());
  EXPECT_EQ(readFile(settingsFile()), before);
}

TEST_F(StartupTest, ExitBeforeStartStillScansFirst) {
  const fs::path path = orphan(desktop(), "lost");
  auto form = createForm({"/exit", "/start"});
  EXPECT_TRUE(form->exitRequested());
  EXPECT_EQ(records(*form), std::vector<std::string>{path.string()});
  EXPECT_EQ(statusLabel(*form)->text(), "Ready. 1 orphan(s) found.");
  EXPECT_TRUE(fs::exists(path));
}

TEST_F(StartupTest, DeleteAloneFindsAnEmptyList) {
  const fs::path path = orphan(desktop(), "lost");
  auto form = createForm({"/delete"});
  EXPECT_FALSE(form->exitRequested());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(statusLabel(*form)->text(), "Idle.");
  EXPECT_FALSE(deleteButton(*form)->isEnabled());
  EXPECT_TRUE(fs::exists(path));
}

TEST_F(StartupTest, CommandLineModeNeverSavesAtClose) {
  writeSettings("[Directories]\nProgramFiles=0\n");
  const std::string before = readFile(settingsFile());
  for (const std::vector<std::string>& parameters :
       {std::vector<std::string>{"/desktop"}, std::vector<std::string>{"not-a-switch"}}) {
    auto form = createForm(parameters);
    programFilesBox(*form)->setChecked(true);
    userFolderEdit(*form)->setText("/elsewhere");
    options_.excludeList = "C:\\x.lnk, ";
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(form->closed());
    EXPECT_EQ(readFile(settingsFile()), before);
  }
}

TEST_F(StartupTest, ExitButtonClosesLikeTheCloseBoxAndSaves) {
  auto form = createForm();
  removableDrivesBox(*form)->setChecked(true);
  form->onExitClicked();
  EXPECT_TRUE(form->closed());
  EXPECT_FALSE(form->isVisible());
  settings::ScanOptions saved;
  settings::loadSettingsFrom(saved, settingsFile().string());
  EXPECT_TRUE(saved.removableDrives);
}

}  // namespace
}  // namespace zendrift::testing
