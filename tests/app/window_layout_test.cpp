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
  if (auto* xp = dynamic_cast<app::TJvXPButton*>(control)) return xp->Caption();
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
      {form->GroupBox1, " Select folders to scan for orphaned shortcuts: ", {8, 8, 281, 97}, ""},
      {form->CheckBox1, "Start menu", {16, 24, 97, 17}, nullptr},
      {form->CheckBox2, "Desktop", {16, 40, 97, 17}, nullptr},
      {form->CheckBox3, "Favorites", {16, 56, 97, 17}, nullptr},
      {form->CheckBox4, "History", {16, 72, 97, 17}, nullptr},
      {form->CheckBox8, "Recent documents", {120, 24, 125, 17}, nullptr},
      {form->CheckBox6, "Temp directory", {120, 40, 125, 17}, nullptr},
      {form->CheckBox5, "Program files", {120, 56, 125, 17}, nullptr},
      {form->CheckBox7, "Application data", {120, 72, 125, 17}, nullptr},
      {form->GroupBox2, "Include shortcuts with broken links to: ", {304, 8, 281, 97}, ""},
      {form->CheckBox9, "Files on removable drives", {16, 24, 200, 17},
       "Include shortcut with targets on removable drives, like floppy disks."},
      {form->CheckBox10, "Files on a network", {16, 40, 200, 17},
       "Include shortcut with targets on mapped network drives or with UNC paths."},
      {form->CheckBox11, "Files on CD-ROM drives", {16, 56, 200, 17}, "Include shortcut with targets on CD-ROM drives."},
      {form->CheckBox12, "Files on RAM disks", {16, 72, 200, 17}, "Include shortcut with targets on RAM disks."},
      {form->GroupBox3, " User defined search folder: ", {8, 112, 577, 49}, ""},
      {form->Edit1, "", {16, 20, 509, 21},
       "User defined search folder that will be searched for *.lnk files. Search includes subfolders."},
      {form->Button3, ".....", {536, 20, 25, 21}, "Browse for a folder."},
      {form->Button1, "Start Scan", {16, 16, 73, 21}, "Start searching for orphans in the selected folders"},
      {form->Button2, "Delete Orphans", {96, 16, 89, 21}, "Delete the selected orphans from the file system"},
      {form->Button6, "Check for updates", {336, 16, 113, 21}, "Online check for new program versions"},
      {form->Button4, "Help", {456, 16, 57, 21}, "Link to the online help for this program"},
      {form->Button5, "Exit", {520, 16, 57, 21}, "Exit the application"},
      {form->JvImage1, "", {528, 8, 53, 33}, "Go to the Norvane web site"},
      {form->JvxCheckListBox1, "", {1, 1, 590, 127}, "Use right mouse button for options"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.caption);
    EXPECT_EQ(captionOf(row.control), QString(row.caption));
    EXPECT_EQ(row.control->geometry(), row.bounds);
    if (row.hint) {
      EXPECT_EQ(row.control->toolTip(), QString(row.hint));
    }
  }
  EXPECT_EQ(form->hlpTitle->text(), "Find and remove broken shortcuts");
  EXPECT_EQ(form->hlpLine1->text(),
            "Select the folders you want to examine for broken shortcuts and press the Start Scan button.");
  EXPECT_EQ(form->hlpLine2->text(), "Review the search results and press Delete Orphans to remove them from the system.");
  EXPECT_EQ(form->hlpTitle->pos(), QPoint(9, 6));
  EXPECT_EQ(form->hlpLine1->pos(), QPoint(21, 24));
  EXPECT_EQ(form->hlpLine2->pos(), QPoint(21, 40));
  EXPECT_EQ(form->Label1->pos(), QPoint(10, 7));
  EXPECT_EQ(form->Label1->text(), "Idle.");
  EXPECT_FALSE(form->Button2->isEnabled());
  EXPECT_EQ(form->JvImage1->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(LayoutTest, FontsAreElevenPixelsHighWithTheBoldTitleAndStatus) {
  auto form = createForm();
  for (QWidget* control : {static_cast<QWidget*>(form.get()), static_cast<QWidget*>(form->CheckBox1),
                           static_cast<QWidget*>(form->hlpLine1), static_cast<QWidget*>(form->Button1)}) {
    EXPECT_EQ(control->font().pixelSize(), 11);
    EXPECT_FALSE(control->font().bold());
  }
  EXPECT_EQ(form->font().family(), "MS Sans Serif");
  EXPECT_EQ(form->hlpTitle->font().family(), "Tahoma");
  EXPECT_TRUE(form->hlpTitle->font().bold());
  EXPECT_TRUE(form->Label1->font().bold());
  // Where the design's fonts are missing, a sans font of the same pixel height stands in.
  EXPECT_EQ(QFontInfo(form->font()).pixelSize(), 11);
  EXPECT_EQ(QFontInfo(form->hlpTitle->font()).pixelSize(), 11);
}

TEST_F(LayoutTest, FolderHintsCaptionAndFocusWhenShown) {
  fs::remove_all(driveC() / "users/ann/Favorites");
  fs::create_directories(driveC() / "users/ann/AppData/Local/Temp");
  auto form = createForm();
  EXPECT_EQ(form->windowTitle(), "Zendrift 1.8.9 (Build 36)");
  EXPECT_EQ(form->CheckBox1->toolTip().toStdString(), startMenu().string());
  EXPECT_EQ(form->CheckBox2->toolTip().toStdString(), desktop().string());
  EXPECT_EQ(form->CheckBox8->toolTip().toStdString(), (driveC() / "users/ann/AppData/Roaming/Microsoft/Windows/Recent").string());
  // The prefix's own Temp, as Windows programs in it see it; never the host's.
  EXPECT_EQ(form->CheckBox6->toolTip().toStdString(), (driveC() / "users/ann/AppData/Local/Temp").string());
  // A folder that cannot be found leaves an empty hint: no tooltip at all.
  EXPECT_TRUE(form->CheckBox3->toolTip().isEmpty());
  EXPECT_EQ(form->focusWidget(), form->Button1);
}

TEST_F(LayoutTest, PanelsAtDesignSize) {
  auto form = createForm();
  EXPECT_EQ(form->size(), QSize(592, 433));
  EXPECT_EQ(form->Bounds(), (app::FormBounds{243, 504, 600, 467}));
  EXPECT_EQ(form->panTop->geometry(), QRect(0, 0, 592, 65));
  EXPECT_EQ(form->Panel3->geometry(), QRect(0, 65, 592, 169));
  EXPECT_EQ(form->Panel1->geometry(), QRect(0, 234, 592, 129));
  EXPECT_EQ(form->Panel4->geometry(), QRect(0, 363, 592, 27));
  EXPECT_EQ(form->Panel2->geometry(), QRect(0, 390, 592, 43));
}

TEST_F(LayoutTest, AtTheMinimumSizeOnlyTheResultPanelShrinks) {
  auto form = createForm();
  form->SetBounds({10, 20, 500, 300});  // below the minimum: held at 600 x 400
  QCoreApplication::processEvents();
  EXPECT_EQ(form->Bounds(), (app::FormBounds{10, 20, 600, 400}));
  EXPECT_EQ(form->size(), QSize(592, 366));
  EXPECT_EQ(form->panTop->height(), 65);
  EXPECT_EQ(form->Panel3->height(), 169);
  EXPECT_EQ(form->Panel1->geometry(), QRect(0, 234, 592, 62));
  EXPECT_EQ(form->JvxCheckListBox1->geometry(), QRect(1, 1, 590, 60));
  EXPECT_EQ(form->Panel4->geometry(), QRect(0, 296, 592, 27));
  EXPECT_EQ(form->Panel2->geometry(), QRect(0, 323, 592, 43));
  // The right-anchored buttons stay clear of "Delete Orphans".
  EXPECT_GT(form->Button6->x(), form->Button2->geometry().right());
}

TEST_F(LayoutTest, WideningStretchesAndMovesTheAnchoredControls) {
  auto form = createForm();
  form->SetBounds({243, 504, 800, 567});
  QCoreApplication::processEvents();
  EXPECT_EQ(form->GroupBox2->geometry(), QRect(304, 8, 481, 97));
  EXPECT_EQ(form->GroupBox3->geometry(), QRect(8, 112, 777, 49));
  EXPECT_EQ(form->Edit1->geometry(), QRect(16, 20, 709, 21));
  EXPECT_EQ(form->Button3->geometry(), QRect(736, 20, 25, 21));
  EXPECT_EQ(form->Button6->geometry(), QRect(536, 16, 113, 21));
  EXPECT_EQ(form->Button4->geometry(), QRect(656, 16, 57, 21));
  EXPECT_EQ(form->Button5->geometry(), QRect(720, 16, 57, 21));
  EXPECT_EQ(form->JvImage1->geometry(), QRect(728, 8, 53, 33));
  // Left-anchored controls keep their place and size; only the result panel grows in height.
  EXPECT_EQ(form->GroupBox1->geometry(), QRect(8, 8, 281, 97));
  EXPECT_EQ(form->CheckBox9->geometry(), QRect(16, 24, 200, 17));
  EXPECT_EQ(form->Button1->geometry(), QRect(16, 16, 73, 21));
  EXPECT_EQ(form->Panel1->geometry(), QRect(0, 234, 792, 229));
  EXPECT_EQ(form->Panel3->height(), 169);
}

// The titles sit on the frame line, as the design draws them; a title above the line would push
// the frame down onto the controls placed below it.
TEST_F(LayoutTest, GroupTitlesSitOnTheFrameLineClearOfTheControls) {
  auto form = createForm();
  QCoreApplication::processEvents();
  const QImage panel = form->Panel3->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const std::string scratch = testSetting("ZENDRIFT_TEST_TMP");
  fs::create_directories(fs::path(scratch.empty() ? "." : scratch) / "window");
  panel.save(QString::fromStdString((fs::path(scratch.empty() ? "." : scratch) / "window/options_panel.png").string()));

  const QRgb background = form->Panel3->palette().color(QPalette::Window).rgb();
  const QRgb shadow = form->Panel3->palette().color(QPalette::Dark).rgb();
  struct Group {
    QGroupBox* box;
    QWidget* firstControl;
    int designGap;  // from the frame's top row to the control's top, with 13-pixel text
  };
  for (const Group& group : {Group{form->GroupBox1, form->CheckBox1, 19}, Group{form->GroupBox2, form->CheckBox9, 19},
                             Group{form->GroupBox3, form->Edit1, 15}}) {
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

std::vector<QWidget*> tabCycle(app::TForm1& form, QWidget* start, int presses) {
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
      form->Button1,    form->Button6,    form->Button4,    form->Button5,    form->CheckBox6,  form->CheckBox1,
      form->CheckBox2,  form->CheckBox3,  form->CheckBox4,  form->CheckBox8,  form->CheckBox5,  form->CheckBox7,
      form->CheckBox11, form->CheckBox9,  form->CheckBox10, form->CheckBox12, form->Button3,    form->Edit1,
      form->JvxCheckListBox1};
  EXPECT_EQ(tabCycle(*form, form->JvxCheckListBox1, static_cast<int>(withoutDelete.size())), withoutDelete);

  form->Button2->setEnabled(true);
  const auto visited = tabCycle(*form, form->JvxCheckListBox1, 3);
  EXPECT_EQ(visited, (std::vector<QWidget*>{form->Button1, form->Button2, form->Button6}));
}

}  // namespace
}  // namespace zendrift::testing
