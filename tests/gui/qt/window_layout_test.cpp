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
  if (auto* xp = dynamic_cast<app::StyledButton*>(control)) return xp->caption();
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
      {form->foldersGroup, " Select folders to scan for orphaned shortcuts: ", {8, 8, 281, 97}, ""},
      {form->startMenuBox, "Start menu", {16, 24, 97, 17}, nullptr},
      {form->desktopBox, "Desktop", {16, 40, 97, 17}, nullptr},
      {form->favoritesBox, "Favorites", {16, 56, 97, 17}, nullptr},
      {form->historyBox, "History", {16, 72, 97, 17}, nullptr},
      {form->recentBox, "Recent documents", {120, 24, 125, 17}, nullptr},
      {form->tempBox, "Temp directory", {120, 40, 125, 17}, nullptr},
      {form->programFilesBox, "Program files", {120, 56, 125, 17}, nullptr},
      {form->appDataBox, "Application data", {120, 72, 125, 17}, nullptr},
      {form->targetsGroup, "Include shortcuts with broken links to: ", {304, 8, 281, 97}, ""},
      {form->removableDrivesBox, "Files on removable drives", {16, 24, 200, 17},
       "Include shortcut with targets on removable drives, like floppy disks."},
      {form->networkDrivesBox, "Files on a network", {16, 40, 200, 17},
       "Include shortcut with targets on mapped network drives or with UNC paths."},
      {form->cdRomDrivesBox, "Files on CD-ROM drives", {16, 56, 200, 17}, "Include shortcut with targets on CD-ROM drives."},
      {form->ramDrivesBox, "Files on RAM disks", {16, 72, 200, 17}, "Include shortcut with targets on RAM disks."},
      {form->userFolderGroup, " User defined search folder: ", {8, 112, 577, 49}, ""},
      {form->userFolderEdit, "", {16, 20, 509, 21},
       "User defined search folder that will be searched for *.lnk files. Search includes subfolders."},
      {form->browseButton, ".....", {536, 20, 25, 21}, "Browse for a folder."},
      {form->scanButton, "Start Scan", {16, 16, 73, 21}, "Start searching for orphans in the selected folders"},
      {form->deleteButton, "Delete Orphans", {96, 16, 89, 21}, "Delete the selected orphans from the file system"},
      {form->updatesButton, "Check for updates", {336, 16, 113, 21}, "Online check for new program versions"},
      {form->helpButton, "Help", {456, 16, 57, 21}, "Link to the online help for this program"},
      {form->exitButton, "Exit", {520, 16, 57, 21}, "Exit the application"},
      {form->logo, "", {528, 8, 53, 33}, "Go to the Norvane web site"},
      {form->resultList, "", {1, 1, 590, 127}, "Use right mouse button for options"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.caption);
    EXPECT_EQ(captionOf(row.control), QString(row.caption));
    EXPECT_EQ(row.control->geometry(), row.bounds);
    if (row.hint) {
      EXPECT_EQ(row.control->toolTip(), QString(row.hint));
    }
  }
  EXPECT_EQ(form->bannerTitle->text(), "Find and remove broken shortcuts");
  EXPECT_EQ(form->scanHintLabel->text(),
            "Select the folders you want to examine for broken shortcuts and press the Start Scan button.");
  EXPECT_EQ(form->deleteHintLabel->text(), "Review the search results and press Delete Orphans to remove them from the system.");
  EXPECT_EQ(form->bannerTitle->pos(), QPoint(9, 6));
  EXPECT_EQ(form->scanHintLabel->pos(), QPoint(21, 24));
  EXPECT_EQ(form->deleteHintLabel->pos(), QPoint(21, 40));
  EXPECT_EQ(form->statusLabel->pos(), QPoint(10, 7));
  EXPECT_EQ(form->statusLabel->text(), "Idle.");
  EXPECT_FALSE(form->deleteButton->isEnabled());
  EXPECT_EQ(form->logo->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(LayoutTest, FontsAreElevenPixelsHighWithTheBoldTitleAndStatus) {
  auto form = createForm();
  for (QWidget* control : {static_cast<QWidget*>(form.get()), static_cast<QWidget*>(form->startMenuBox),
                           static_cast<QWidget*>(form->scanHintLabel), static_cast<QWidget*>(form->scanButton)}) {
    EXPECT_EQ(control->font().pixelSize(), 11);
    EXPECT_FALSE(control->font().bold());
  }
  EXPECT_EQ(form->font().family(), "MS Sans Serif");
  EXPECT_EQ(form->bannerTitle->font().family(), "Tahoma");
  EXPECT_TRUE(form->bannerTitle->font().bold());
  EXPECT_TRUE(form->statusLabel->font().bold());
  // Where the design's fonts are missing, a sans font of the same pixel height stands in.
  EXPECT_EQ(QFontInfo(form->font()).pixelSize(), 11);
  EXPECT_EQ(QFontInfo(form->bannerTitle->font()).pixelSize(), 11);
}

TEST_F(LayoutTest, FolderHintsCaptionAndFocusWhenShown) {
  fs::remove_all(driveC() / "users/ann/Favorites");
  fs::create_directories(driveC() / "users/ann/AppData/Local/Temp");
  auto form = createForm();
  EXPECT_EQ(form->windowTitle(), "Zendrift 1.8.9 (Build 36)");
  EXPECT_EQ(form->startMenuBox->toolTip().toStdString(), startMenu().string());
  EXPECT_EQ(form->desktopBox->toolTip().toStdString(), desktop().string());
  EXPECT_EQ(form->recentBox->toolTip().toStdString(), (driveC() / "users/ann/AppData/Roaming/Microsoft/Windows/Recent").string());
  // The prefix's own Temp, as Windows programs in it see it; never the host's.
  EXPECT_EQ(form->tempBox->toolTip().toStdString(), (driveC() / "users/ann/AppData/Local/Temp").string());
  // A folder that cannot be found leaves an empty hint: no tooltip at all.
  EXPECT_TRUE(form->favoritesBox->toolTip().isEmpty());
  EXPECT_EQ(form->focusWidget(), form->scanButton);
}

TEST_F(LayoutTest, PanelsAtDesignSize) {
  auto form = createForm();
  EXPECT_EQ(form->size(), QSize(592, 433));
  EXPECT_EQ(form->outerBounds(), (app::WindowBounds{243, 504, 600, 467}));
  EXPECT_EQ(form->bannerPanel->geometry(), QRect(0, 0, 592, 65));
  EXPECT_EQ(form->optionsPanel->geometry(), QRect(0, 65, 592, 169));
  EXPECT_EQ(form->resultsPanel->geometry(), QRect(0, 234, 592, 129));
  EXPECT_EQ(form->statusPanel->geometry(), QRect(0, 363, 592, 27));
  EXPECT_EQ(form->buttonPanel->geometry(), QRect(0, 390, 592, 43));
}

TEST_F(LayoutTest, AtTheMinimumSizeOnlyTheResultPanelShrinks) {
  auto form = createForm();
  form->setOuterBounds({10, 20, 500, 300});  // below the minimum: held at 600 x 400
  QCoreApplication::processEvents();
  EXPECT_EQ(form->outerBounds(), (app::WindowBounds{10, 20, 600, 400}));
  EXPECT_EQ(form->size(), QSize(592, 366));
  EXPECT_EQ(form->bannerPanel->height(), 65);
  EXPECT_EQ(form->optionsPanel->height(), 169);
  EXPECT_EQ(form->resultsPanel->geometry(), QRect(0, 234, 592, 62));
  EXPECT_EQ(form->resultList->geometry(), QRect(1, 1, 590, 60));
  EXPECT_EQ(form->statusPanel->geometry(), QRect(0, 296, 592, 27));
  EXPECT_EQ(form->buttonPanel->geometry(), QRect(0, 323, 592, 43));
  // The right-anchored buttons stay clear of "Delete Orphans".
  EXPECT_GT(form->updatesButton->x(), form->deleteButton->geometry().right());
}

TEST_F(LayoutTest, WideningStretchesAndMovesTheAnchoredControls) {
  auto form = createForm();
  form->setOuterBounds({243, 504, 800, 567});
  QCoreApplication::processEvents();
  EXPECT_EQ(form->targetsGroup->geometry(), QRect(304, 8, 481, 97));
  EXPECT_EQ(form->userFolderGroup->geometry(), QRect(8, 112, 777, 49));
  EXPECT_EQ(form->userFolderEdit->geometry(), QRect(16, 20, 709, 21));
  EXPECT_EQ(form->browseButton->geometry(), QRect(736, 20, 25, 21));
  EXPECT_EQ(form->updatesButton->geometry(), QRect(536, 16, 113, 21));
  EXPECT_EQ(form->helpButton->geometry(), QRect(656, 16, 57, 21));
  EXPECT_EQ(form->exitButton->geometry(), QRect(720, 16, 57, 21));
  EXPECT_EQ(form->logo->geometry(), QRect(728, 8, 53, 33));
  // Left-anchored controls keep their place and size; only the result panel grows in height.
  EXPECT_EQ(form->foldersGroup->geometry(), QRect(8, 8, 281, 97));
  EXPECT_EQ(form->removableDrivesBox->geometry(), QRect(16, 24, 200, 17));
  EXPECT_EQ(form->scanButton->geometry(), QRect(16, 16, 73, 21));
  EXPECT_EQ(form->resultsPanel->geometry(), QRect(0, 234, 792, 229));
  EXPECT_EQ(form->optionsPanel->height(), 169);
}

// The titles sit on the frame line, as the design draws them; a title above the line would push
// the frame down onto the controls placed below it.
TEST_F(LayoutTest, GroupTitlesSitOnTheFrameLineClearOfTheControls) {
  auto form = createForm();
  QCoreApplication::processEvents();
  const QImage panel = form->optionsPanel->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const std::string scratch = testSetting("ZENDRIFT_TEST_TMP");
  fs::create_directories(fs::path(scratch.empty() ? "." : scratch) / "window");
  panel.save(QString::fromStdString((fs::path(scratch.empty() ? "." : scratch) / "window/options_panel.png").string()));

  const QRgb background = form->optionsPanel->palette().color(QPalette::Window).rgb();
  const QRgb shadow = form->optionsPanel->palette().color(QPalette::Dark).rgb();
  struct Group {
    QGroupBox* box;
    QWidget* firstControl;
    int designGap;  // from the frame's top row to the control's top, with 13-pixel text
  };
  for (const Group& group : {Group{form->foldersGroup, form->startMenuBox, 19}, Group{form->targetsGroup, form->removableDrivesBox, 19},
                             Group{form->userFolderGroup, form->userFolderEdit, 15}}) {
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

std::vector<QWidget*> tabCycle(app::MainWindow& form, QWidget* start, int presses) {
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
      form->scanButton,    form->moveToTrashBox, form->updatesButton,    form->helpButton,    form->exitButton,    form->tempBox,  form->startMenuBox,
      form->desktopBox,  form->favoritesBox,  form->historyBox,  form->recentBox,  form->programFilesBox,  form->appDataBox,
      form->cdRomDrivesBox, form->removableDrivesBox,  form->networkDrivesBox, form->ramDrivesBox, form->browseButton,    form->userFolderEdit,
      form->prefixSelector, form->resultList};
  EXPECT_EQ(tabCycle(*form, form->resultList, static_cast<int>(withoutDelete.size())), withoutDelete);

  form->deleteButton->setEnabled(true);
  const auto visited = tabCycle(*form, form->resultList, 3);
  EXPECT_EQ(visited, (std::vector<QWidget*>{form->scanButton, form->deleteButton, form->moveToTrashBox}));
}

}  // namespace
}  // namespace zendrift::testing
