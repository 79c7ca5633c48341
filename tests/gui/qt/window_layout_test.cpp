// The main window's composition: captions, hints, fonts, geometry, anchors and the Tab order.
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>

#include "window_fixture.h"

namespace zendrift::testing {
namespace {

using LayoutTest = WindowTest;

QString captionOf(QWidget* control) {
  if (auto* box = qobject_cast<QCheckBox*>(control)) return box->text();
  if (auto* group = qobject_cast<QGroupBox*>(control)) return group->title();
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* button = qobject_cast<QPushButton*>(control)) return button->text();
  if (auto* xp = dynamic_cast<qt::StyledButton*>(control)) return xp->caption();
  return {};
}

TEST_F(LayoutTest, CaptionsHintsAndPlaces) {
  auto form = createForm();
  struct Row {
    QWidget* control;
    const char* caption;
    QRect bounds;
    const char* hint;
  };
  const Row rows[] = {
      {foldersGroup(*form), " Select folders to scan for orphaned shortcuts: ", {8, 8, 281, 97}, ""},
      {startMenuBox(*form), "Start menu", {16, 24, 97, 17}, nullptr},
      {desktopBox(*form), "Desktop", {16, 40, 97, 17}, nullptr},
      {favoritesBox(*form), "Favorites", {16, 56, 97, 17}, nullptr},
      {historyBox(*form), "History", {16, 72, 97, 17}, nullptr},
      {recentBox(*form), "Recent documents", {120, 24, 125, 17}, nullptr},
      {tempBox(*form), "Temp directory", {120, 40, 125, 17}, nullptr},
      {programFilesBox(*form), "Program files", {120, 56, 125, 17}, nullptr},
      {appDataBox(*form), "Application data", {120, 72, 125, 17}, nullptr},
      {targetsGroup(*form), "Include shortcuts with broken links to: ", {304, 8, 281, 97}, ""},
      {removableDrivesBox(*form), "Files on removable drives", {16, 24, 200, 17},
       "Include shortcut with targets on removable drives, like floppy disks."},
      {networkDrivesBox(*form), "Files on a network", {16, 40, 200, 17},
       "Include shortcut with targets on mapped network drives or with UNC paths."},
      {cdRomDrivesBox(*form), "Files on CD-ROM drives", {16, 56, 200, 17},
       "Include shortcut with targets on CD-ROM drives."},
      {ramDrivesBox(*form), "Files on RAM disks", {16, 72, 200, 17}, "Include shortcut with targets on RAM disks."},
      {userFolderGroup(*form), " User defined search folder: ", {8, 112, 577, 49}, ""},
      {userFolderEdit(*form), "", {16, 20, 509, 21},
       "User defined search folder that will be searched for *.lnk files. Search includes subfolders."},
      {browseButton(*form), ".....", {536, 20, 25, 21}, "Browse for a folder."},
      {scanButton(*form), "Start Scan", {16, 16, 73, 21}, "Start searching for orphans in the selected folders"},
      {deleteButton(*form), "Delete Orphans", {96, 16, 89, 21}, "Delete the selected orphans from the file system"},
      {updatesButton(*form), "Check for updates", {336, 16, 113, 21}, "Online check for new program versions"},
      {helpButton(*form), "Help", {456, 16, 57, 21}, "Link to the online help for this program"},
      {exitButton(*form), "Exit", {520, 16, 57, 21}, "Exit the application"},
      {logo(*form), "", {528, 8, 53, 33}, "Go to the Norvane web site"},
      {resultList(*form), "", {1, 1, 590, 127}, "Use right mouse button for options"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.caption);
    EXPECT_EQ(captionOf(row.control), QString(row.caption));
    EXPECT_EQ(row.control->geometry(), row.bounds);
    if (row.hint) {
      EXPECT_EQ(row.control->toolTip(), QString(row.hint));
    }
  }
  EXPECT_EQ(bannerTitle(*form)->text(), "Find and remove broken shortcuts");
  EXPECT_EQ(scanHintLabel(*form)->text(),
            "Select the folders you want to examine for broken shortcuts and press the Start Scan button.");
  EXPECT_EQ(deleteHintLabel(*form)->text(),
            "Review the search results and press Delete Orphans to remove them from the system.");
  EXPECT_EQ(bannerTitle(*form)->pos(), QPoint(9, 6));
  EXPECT_EQ(scanHintLabel(*form)->pos(), QPoint(21, 24));
  EXPECT_EQ(deleteHintLabel(*form)->pos(), QPoint(21, 40));
  EXPECT_EQ(statusLabel(*form)->pos(), QPoint(10, 7));
  EXPECT_EQ(statusLabel(*form)->text(), "Idle.");
  EXPECT_FALSE(deleteButton(*form)->isEnabled());
  EXPECT_EQ(logo(*form)->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(LayoutTest, FontsAreElevenPixelsHighWithTheBoldTitleAndStatus) {
  auto form = createForm();
  for (QWidget* control : {static_cast<QWidget*>(form.get()), static_cast<QWidget*>(startMenuBox(*form)),
                           static_cast<QWidget*>(scanHintLabel(*form)), static_cast<QWidget*>(scanButton(*form))}) {
    EXPECT_EQ(control->font().pixelSize(), 11);
    EXPECT_FALSE(control->font().bold());
  }
  EXPECT_EQ(form->font().family(), "MS Sans Serif");
  EXPECT_EQ(bannerTitle(*form)->font().family(), "Tahoma");
  EXPECT_TRUE(bannerTitle(*form)->font().bold());
  EXPECT_TRUE(statusLabel(*form)->font().bold());
  // Where the design's fonts are missing, a sans font of the same pixel height stands in.
  EXPECT_EQ(QFontInfo(form->font()).pixelSize(), 11);
  EXPECT_EQ(QFontInfo(bannerTitle(*form)->font()).pixelSize(), 11);
}

TEST_F(LayoutTest, FolderHintsCaptionAndFocusWhenShown) {
  fs::remove_all(driveC() / "users/ann/Favorites");
  fs::create_directories(driveC() / "users/ann/AppData/Local/Temp");
  auto form = createForm();
  EXPECT_EQ(form->windowTitle(), "Zendrift 1.8.9 (Build 36)");
  EXPECT_EQ(startMenuBox(*form)->toolTip().toStdString(), startMenu().string());
  // The Desktop box scans the user's desktop and the all-users one: its hint names both.
  EXPECT_EQ(desktopBox(*form)->toolTip().toStdString(),
            desktop().string() + "\n" + (driveC() / "users/Public/Desktop").string());
  EXPECT_EQ(recentBox(*form)->toolTip().toStdString(),
            (driveC() / "users/ann/AppData/Roaming/Microsoft/Windows/Recent").string());
  // The prefix's own Temp, as Windows programs in it see it; never the host's.
  EXPECT_EQ(tempBox(*form)->toolTip().toStdString(), (driveC() / "users/ann/AppData/Local/Temp").string());
  // A folder that cannot be found leaves an empty hint: no tooltip at all.
  EXPECT_TRUE(favoritesBox(*form)->toolTip().isEmpty());
  EXPECT_EQ(form->focusWidget(), scanButton(*form));
}

TEST_F(LayoutTest, PanelsAtDesignSize) {
  auto form = createForm();
  EXPECT_EQ(form->size(), QSize(592, 433));
  EXPECT_EQ(form->outerBounds(), (qt::WindowBounds{243, 504, 600, 467}));
  EXPECT_EQ(bannerPanel(*form)->geometry(), QRect(0, 0, 592, 65));
  EXPECT_EQ(optionsPanel(*form)->geometry(), QRect(0, 65, 592, 169));
  EXPECT_EQ(resultsPanel(*form)->geometry(), QRect(0, 234, 592, 129));
  EXPECT_EQ(statusPanel(*form)->geometry(), QRect(0, 363, 592, 27));
  EXPECT_EQ(buttonPanel(*form)->geometry(), QRect(0, 390, 592, 43));
}

TEST_F(LayoutTest, AtTheMinimumSizeOnlyTheResultPanelShrinks) {
  auto form = createForm();
  form->setOuterBounds({10, 20, 500, 300});  // below the minimum: held at 600 x 400
  QCoreApplication::processEvents();
  EXPECT_EQ(form->outerBounds(), (qt::WindowBounds{10, 20, 600, 400}));
  EXPECT_EQ(form->size(), QSize(592, 366));
  EXPECT_EQ(bannerPanel(*form)->height(), 65);
  EXPECT_EQ(optionsPanel(*form)->height(), 169);
  EXPECT_EQ(resultsPanel(*form)->geometry(), QRect(0, 234, 592, 62));
  EXPECT_EQ(resultList(*form)->geometry(), QRect(1, 1, 590, 60));
  EXPECT_EQ(statusPanel(*form)->geometry(), QRect(0, 296, 592, 27));
  EXPECT_EQ(buttonPanel(*form)->geometry(), QRect(0, 323, 592, 43));
  // The right-anchored buttons stay clear of "Delete Orphans".
  EXPECT_GT(updatesButton(*form)->x(), deleteButton(*form)->geometry().right());
}

TEST_F(LayoutTest, WideningStretchesAndMovesTheAnchoredControls) {
  auto form = createForm();
  form->setOuterBounds({243, 504, 800, 567});
  QCoreApplication::processEvents();
  EXPECT_EQ(targetsGroup(*form)->geometry(), QRect(304, 8, 481, 97));
  EXPECT_EQ(userFolderGroup(*form)->geometry(), QRect(8, 112, 777, 49));
  EXPECT_EQ(userFolderEdit(*form)->geometry(), QRect(16, 20, 709, 21));
  EXPECT_EQ(browseButton(*form)->geometry(), QRect(736, 20, 25, 21));
  EXPECT_EQ(updatesButton(*form)->geometry(), QRect(536, 16, 113, 21));
  EXPECT_EQ(helpButton(*form)->geometry(), QRect(656, 16, 57, 21));
  EXPECT_EQ(exitButton(*form)->geometry(), QRect(720, 16, 57, 21));
  EXPECT_EQ(logo(*form)->geometry(), QRect(728, 8, 53, 33));
  // Left-anchored controls keep their place and size; only the result panel grows in height.
  EXPECT_EQ(foldersGroup(*form)->geometry(), QRect(8, 8, 281, 97));
  EXPECT_EQ(removableDrivesBox(*form)->geometry(), QRect(16, 24, 200, 17));
  EXPECT_EQ(scanButton(*form)->geometry(), QRect(16, 16, 73, 21));
  EXPECT_EQ(resultsPanel(*form)->geometry(), QRect(0, 234, 792, 229));
  EXPECT_EQ(optionsPanel(*form)->height(), 169);
}

// The titles sit on the frame line, as the design draws them; a title above the line would push
// the frame down onto the controls placed below it.
TEST_F(LayoutTest, GroupTitlesSitOnTheFrameLineClearOfTheControls) {
  auto form = createForm();
  QCoreApplication::processEvents();
  const QImage panel = optionsPanel(*form)->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const std::string scratch = testSetting("ZENDRIFT_TEST_TMP");
  fs::create_directories(fs::path(scratch.empty() ? "." : scratch) / "window");
  panel.save(QString::fromStdString((fs::path(scratch.empty() ? "." : scratch) / "window/options_panel.png").string()));

  const QRgb background = optionsPanel(*form)->palette().color(QPalette::Window).rgb();
  const QRgb shadow = optionsPanel(*form)->palette().color(QPalette::Dark).rgb();
  struct Group {
    QGroupBox* box;
    QWidget* firstControl;
    int designGap;  // from the frame's top row to the control's top, with 13-pixel text
  };
  for (const Group& group :
       {Group{foldersGroup(*form), startMenuBox(*form), 19}, Group{targetsGroup(*form), removableDrivesBox(*form), 19},
        Group{userFolderGroup(*form), userFolderEdit(*form), 15}}) {
    SCOPED_TRACE(group.box->title().toStdString());
    const QImage image = panel.copy(group.box->geometry());
    const QFontMetrics metrics(group.box->font());
    int frameTop = 0;
    while (frameTop < image.height() && image.pixel(image.width() - 4, frameTop) == background) ++frameTop;
    EXPECT_EQ(frameTop, metrics.height() / 2 - 1);
    EXPECT_EQ(image.pixel(image.width() - 4, frameTop), shadow);
    EXPECT_GE(group.firstControl->y() - frameTop, group.designGap - (13 - metrics.height()) / 2);
    // The line stops at the title and resumes after it.
    const int titleEnd = 8 + metrics.horizontalAdvance(group.box->title());
    EXPECT_EQ(image.pixel(7, frameTop), shadow);
    if (group.box->title().startsWith(QLatin1Char(' '))) {
      EXPECT_EQ(image.pixel(8, frameTop), background);
    }
    EXPECT_EQ(image.pixel(titleEnd + 1, frameTop), shadow);
  }
}

std::vector<QWidget*> tabCycle(qt::MainWindow& form, QWidget* start, int presses) {
  std::vector<QWidget*> visited;
  start->setFocus();
  for (int i = 0; i < presses; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited.push_back(form.focusWidget());
  }
  return visited;
}

TEST_F(LayoutTest, TabVisitsThePanelsInOrderAndSkipsDisabledDelete) {
  auto form = createForm();
  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  const std::vector<QWidget*> withoutDelete = {
      scanButton(*form),         moveToTrashBox(*form),   updatesButton(*form),    helpButton(*form),
      exitButton(*form),         tempBox(*form),          startMenuBox(*form),     desktopBox(*form),
      favoritesBox(*form),       historyBox(*form),       recentBox(*form),        programFilesBox(*form),
      appDataBox(*form),         cdRomDrivesBox(*form),   removableDrivesBox(*form), networkDrivesBox(*form),
      ramDrivesBox(*form),       browseButton(*form),     userFolderEdit(*form),   form->prefixSelector(),
      resultList(*form)};
  EXPECT_EQ(tabCycle(*form, resultList(*form), static_cast<int>(withoutDelete.size())), withoutDelete);

  deleteButton(*form)->setEnabled(true);
  const auto visited = tabCycle(*form, resultList(*form), 3);
  EXPECT_EQ(visited, (std::vector<QWidget*>{scanButton(*form), deleteButton(*form), moveToTrashBox(*form)}));
}

}  // namespace
}  // namespace zendrift::testing
