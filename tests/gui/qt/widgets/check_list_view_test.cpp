// The check list on screen: mouse, keys, context menu, extent, line height and drawn cells.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "ui/check_list_model.h"
#include "widget_test_support.h"
#include "gui/qt/widgets/check_images.h"
#include "gui/qt/widgets/check_list_view.h"
#include "ui/path_elision.h"

namespace zendrift::qt::widgets {
namespace {

using namespace zendrift::testing;

class CheckListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ensureApplication();
    list = std::make_unique<CheckListView>();
    list->setFont(crispFont());
    list->setMultiSelect(true);
    list->setThemedChecks(false);
    list->resize(260, 120);
    for (const char* path : {"/home/ann/Desktop/Game.lnk", "/home/ann/Desktop/Old Editor.lnk",
                             "/home/ann/Start Menu/Programs/Tool.lnk", "/home/ann/Recent/report.lnk"}) {
      model().setItemChecked(model().items.add(path), true);
    }
    showAndWait(*list);
  }

  ui::CheckListModel& model() { return list->model(); }
  QWidget* viewport() { return list->viewport(); }
  // A point inside line `index`, `x` pixels from the line's left edge.
  QPoint at(int index, int x) const { return QPoint(x, list->itemRect(index).top() + list->itemHeight() / 2); }

  std::unique_ptr<CheckListView> list;
};

TEST_F(CheckListBoxTest, ClickOnTextSelectsWithoutChangingTheMark) {
  QTest::mouseClick(viewport(), Qt::LeftButton, {}, at(1, 100));
  EXPECT_TRUE(model().isItemSelected(1));
  EXPECT_EQ(model().selectedCount(), 1);
  EXPECT_TRUE(model().isItemChecked(1));
  EXPECT_EQ(model().itemIndex(), 1);
}

TEST_F(CheckListBoxTest, ReleaseInsideTheCheckAreaTogglesAndOutsideDoesNot) {
  ASSERT_EQ(CheckListView::checkAreaWidth(), 18);
  QTest::mouseClick(viewport(), Qt::LeftButton, {}, at(2, 17));
  EXPECT_FALSE(model().isItemChecked(2));
  QTest::mouseClick(viewport(), Qt::LeftButton, {}, at(2, 18));
  EXPECT_FALSE(model().isItemChecked(2));
  QTest::mouseClick(viewport(), Qt::LeftButton, {}, at(2, 0));
  EXPECT_TRUE(model().isItemChecked(2));
  // A click below the last line hits no line.
  QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(5, list->itemHeight() * 4 + 2));
  EXPECT_EQ(list->itemAtPoint(QPoint(5, list->itemHeight() * 4 + 2), true), -1);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(model().isItemChecked(i)) << i;
}

TEST_F(CheckListBoxTest, PressInCheckAreaAndReleaseOnTextDoesNotToggle) {
  QTest::mousePress(viewport(), Qt::LeftButton, {}, at(0, 5));
  QTest::mouseRelease(viewport(), Qt::LeftButton, {}, at(0, 60));
  EXPECT_TRUE(model().isItemChecked(0));
  EXPECT_TRUE(model().isItemSelected(0));
}

TEST_F(CheckListBoxTest, ShiftAndCtrlClicksExtendTheSelection) {
  QTest::mouseClick(viewport(), Qt::LeftButton, {}, at(0, 100));
  QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, at(2, 100));
  EXPECT_EQ(model().selectedCount(), 3);
  QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ControlModifier, at(1, 100));
  EXPECT_FALSE(model().isItemSelected(1));
  QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ControlModifier, at(3, 100));
  EXPECT_TRUE(model().isItemSelected(3));
  EXPECT_EQ(model().selectedCount(), 3);
  QTest::mouseClick(viewport(), Qt::LeftButton, {}, at(3, 100));
  EXPECT_EQ(model().selectedCount(), 1);
}

TEST_F(CheckListBoxTest, SingleSelectionListKeepsOneLine) {
  list->setMultiSelect(false);
  QTest::mouseClick(viewport(), Qt::LeftButton, {}, at(0, 100));
  QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ControlModifier, at(2, 100));
  EXPECT_EQ(model().selectedCount(), 1);
  EXPECT_TRUE(model().isItemSelected(2));
}

TEST_F(CheckListBoxTest, RightClickOpensTheMenuAndChangesNothing) {
  QTest::mouseClick(viewport(), Qt::LeftButton, {}, at(0, 100));
  QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at(2, 5), viewport()->mapToGlobal(at(2, 5)));
  QTest::mouseClick(viewport(), Qt::RightButton, {}, at(2, 5));
  QApplication::sendEvent(viewport(), &menuEvent);
  EXPECT_TRUE(list->contextMenu()->isVisible());
  list->contextMenu()->close();
  EXPECT_TRUE(model().isItemSelected(0));
  EXPECT_FALSE(model().isItemSelected(2));
  EXPECT_TRUE(model().isItemChecked(2));
}

TEST_F(CheckListBoxTest, MenuHoldsItsCommandsInOrder) {
  const QList<QAction*> actions = list->contextMenu()->actions();
  ASSERT_EQ(actions.size(), 7);
  const char* captions[] = {"Mark all", "Unmark all", "Mark selection", "Unmark selection",
                            "Put selection on the exclude list", "", "Undo last cleaning"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(actions[i]->text(), QString::fromLatin1(captions[i]));
  EXPECT_TRUE(actions[5]->isSeparator());
  int undos = 0;
  list->onUndoRequested = [&] { ++undos; };
  actions[6]->trigger();
  EXPECT_EQ(undos, 1);

  std::vector<std::string> excluded;
  list->onExcludeRequested = [&](const std::vector<std::string>& paths) { excluded = paths; };
  QTest::mouseClick(viewport(), Qt::LeftButton, {}, at(1, 100));
  QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ControlModifier, at(3, 100));
  actions[4]->trigger();
  EXPECT_EQ(excluded, (std::vector<std::string>{"/home/ann/Desktop/Old Editor.lnk", "/home/ann/Recent/report.lnk"}));
  EXPECT_FALSE(model().isItemChecked(1));
  EXPECT_FALSE(model().isItemChecked(3));
  EXPECT_EQ(model().items.count(), 4);
  actions[1]->trigger();
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(model().isItemChecked(i));
  actions[2]->trigger();
  EXPECT_TRUE(model().isItemChecked(1));
  EXPECT_FALSE(model().isItemChecked(0));
}

TEST_F(CheckListBoxTest, SpaceTogglesTheFocusedLineAndPlusMinusMarkEnabledLines) {
  int clickChecks = 0;
  model().onClickCheck = [&](ui::CheckListModel&) { ++clickChecks; };
  QTest::mouseClick(viewport(), Qt::LeftButton, {}, at(1, 100));
  QTest::keyClick(list.get(), Qt::Key_Space);
  EXPECT_FALSE(model().isItemChecked(1));
  EXPECT_EQ(clickChecks, 1);
  QTest::keyClick(list.get(), Qt::Key_Down);
  EXPECT_EQ(model().itemIndex(), 2);
  QTest::keyClick(list.get(), Qt::Key_Space);
  EXPECT_FALSE(model().isItemChecked(2));

  model().setItemEnabled(3, false);
  QTest::keyClick(list.get(), '-');
  EXPECT_FALSE(model().isItemChecked(0));
  EXPECT_TRUE(model().isItemChecked(3));  // disabled lines keep their mark
  QTest::keyClick(list.get(), '+');
  EXPECT_TRUE(model().isItemChecked(0));
  EXPECT_TRUE(model().isItemChecked(1));
  EXPECT_EQ(clickChecks, 4);
}

TEST_F(CheckListBoxTest, KeysMoveAndExtendTheSelection) {
  QTest::mouseClick(viewport(), Qt::LeftButton, {}, at(0, 100));
  QTest::keyClick(list.get(), Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(list.get(), Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(model().selectedCount(), 3);
  QTest::keyClick(list.get(), Qt::Key_End);
  EXPECT_EQ(model().itemIndex(), 3);
  EXPECT_EQ(model().selectedCount(), 1);
  QTest::keyClick(list.get(), Qt::Key_Home);
  EXPECT_EQ(model().itemIndex(), 0);
}

TEST_F(CheckListBoxTest, RightToLeftPutsTheCheckAreaAtTheRight) {
  list->setLayoutDirection(Qt::RightToLeft);
  const int right = list->itemRect(1).left() + list->itemRect(1).width();
  QTest::mouseClick(viewport(), Qt::LeftButton, {}, at(1, 5));
  EXPECT_TRUE(model().isItemChecked(1));
  QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(right - 5, at(1, 0).y()));
  EXPECT_FALSE(model().isItemChecked(1));
  saveArtefact(grabImage(*list), QStringLiteral("check_list_right_to_left"));
}

TEST_F(CheckListBoxTest, HorizontalExtentFollowsTheWidestLine) {
  const QFontMetrics metrics(list->font());
  const auto width = [&](const char* text) {
    return metrics.horizontalAdvance(QString::fromLatin1(text) + QLatin1Char('x')) + 18;
  };
  EXPECT_EQ(model().horizontalExtent(), width("/home/ann/Start Menu/Programs/Tool.lnk"));
  const char* longPath = "/home/ann/.wine/drive_c/users/ann/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Long.lnk";
  model().items.add(longPath);
  EXPECT_EQ(model().horizontalExtent(), width(longPath));
  EXPECT_EQ(list->horizontalScrollBar()->maximum(), width(longPath) - list->viewport()->width());
  list->horizontalScrollBar()->setValue(40);
  model().items.remove(4);
  EXPECT_EQ(model().horizontalExtent(), width("/home/ann/Start Menu/Programs/Tool.lnk"));
  EXPECT_EQ(list->horizontalScrollBar()->value(), 0);
  model().clear();
  EXPECT_EQ(model().horizontalExtent(), 0);
  EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
}

TEST_F(CheckListBoxTest, ScrolledListHitsTheCheckAreaWhereItIsDrawn) {
  model().items.add("/a/very/long/path/that/needs/scrolling/to/be/read/in/full/by/the/user/Shortcut.lnk");
  list->horizontalScrollBar()->setValue(30);
  // The check area has scrolled out of view with the text; the visible left edge is text.
  QTest::mouseClick(viewport(), Qt::LeftButton, {}, at(0, 5));
  EXPECT_TRUE(model().isItemChecked(0));
}

TEST_F(CheckListBoxTest, LineHeightIsTheTextOrTheCellWhicheverIsTaller) {
  QFont tiny = crispFont();
  tiny.setPixelSize(6);
  list->setFont(tiny);
  EXPECT_EQ(list->itemHeight(), 13);
  QFont big = crispFont();
  big.setPixelSize(20);
  list->setFont(big);
  EXPECT_EQ(list->itemHeight(), QFontMetrics(big).height());
  list->setFont(tiny);
  list->setItemHeight(20);
  EXPECT_EQ(list->itemHeight(), 13);  // only an owner-drawn fixed style takes it
  list->setListStyle(ListStyle::ownerDrawFixed);
  EXPECT_EQ(list->itemHeight(), 20);
}

TEST_F(CheckListBoxTest, RecreatingTheWindowKeepsMarksAndTopLine) {
  model().setItemChecked(1, false);
  for (int i = 0; i < 30; ++i) model().items.add("/extra/" + std::to_string(i) + ".lnk");
  list->setTopIndex(5);
  list->recreateWnd();
  EXPECT_TRUE(model().isItemChecked(0));
  EXPECT_FALSE(model().isItemChecked(1));
  EXPECT_EQ(list->topIndex(), 5);
  list->setListStyle(ListStyle::ownerDrawFixed);  // a style change rebuilds the window too
  EXPECT_FALSE(model().isItemChecked(1));
  EXPECT_TRUE(model().isItemChecked(2));
}

TEST_F(CheckListBoxTest, CellsAreDrawnCentredInTheCheckAreaForEveryState) {
  model().setItemChecked(0, false);
  model().setItemEnabled(3, false);
  QPalette palette = list->palette();
  palette.setColor(QPalette::Base, QColor(0xFA, 0xF0, 0xE6));
  list->setPalette(palette);
  for (ui::CheckKind kind : {ui::CheckKind::checkBoxes, ui::CheckKind::checkMarks}) {
    list->setCheckKind(kind);
    const QImage shot = grabImage(*viewport());
    for (int i = 0; i < 4; ++i) {
      const QRect area = list->checkAreaRect(i);
      const QPoint origin(area.left() + 1, area.top() + (area.height() - 13) / 2);
      const QImage expected = checkCell(kind, model().itemState(i), model().isItemEnabled(i), QColor(0xFA, 0xF0, 0xE6));
      EXPECT_EQ(shot.copy(QRect(origin, QSize(16, 13))), expected.convertToFormat(QImage::Format_RGB32))
          << "kind " << static_cast<int>(kind) << " line " << i;
      // The column left of the cell is the list's background, never highlighted.
      EXPECT_EQ(pixelName(shot, area.left(), origin.y()), QStringLiteral("#FAF0E6"));
    }
    for (int y = 0; y < shot.height(); ++y) {
      for (int x = 0; x < 18; ++x) ASSERT_NE(shot.pixel(x, y), kCheckTransparentColor) << x << "," << y;
    }
    saveArtefact(grabImage(*list), QStringLiteral("check_list_kind_%1").arg(static_cast<int>(kind)));
  }
}

// The style's boxes, like the bitmap's, are squares centred in their cells that leave a free row
// above and below, so the boxes of adjacent lines stand apart.
TEST_F(CheckListBoxTest, ThemedBoxesAreSquaresThatStandApart) {
  QPalette palette = list->palette();
  palette.setColor(QPalette::Base, QColor(0xFA, 0xF0, 0xE6));
  list->setPalette(palette);
  list->setThemedChecks(true);
  model().setItemChecked(1, false);
  const QImage shot = grabImage(*viewport());
  for (int i = 0; i < 4; ++i) {
    const QRect area = list->checkAreaRect(i);
    QRect drawn;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
        if (pixelName(shot, x, y) != QStringLiteral("#FAF0E6")) drawn |= QRect(x, y, 1, 1);
      }
    }
    const QRect box = kCheckBoxRect.translated(area.left() + 1, area.top());
    EXPECT_TRUE(box.contains(drawn)) << i << ": " << drawn.x() << "," << drawn.y() << " " << drawn.width() << "x"
                                     << drawn.height();
    EXPECT_EQ(drawn.width(), drawn.height()) << i;
    EXPECT_GE(drawn.width(), 9) << i;
  }
  saveArtefact(grabImage(*list), QStringLiteral("check_list_themed"));
}

TEST_F(CheckListBoxTest, SelectedAndDisabledLinesUseTheirColours) {
  QPalette palette = list->palette();
  palette.setColor(QPalette::Highlight, QColor(0x0A, 0x24, 0x6A));
  palette.setColor(QPalette::Base, Qt::white);
  list->setPalette(palette);
  QTest::mouseClick(viewport(), Qt::LeftButton, {}, at(1, 100));
  const QImage shot = grabImage(*viewport());
  const int y = list->itemRect(1).top();
  EXPECT_EQ(pixelName(shot, list->viewport()->width() - 3, y + 1), QStringLiteral("#0A246A"));
  EXPECT_EQ(pixelName(shot, 0, y + 1), QStringLiteral("#FFFFFF"));  // check area stays unhighlighted
  EXPECT_EQ(pixelName(shot, 17, y + 1), QStringLiteral("#FFFFFF"));
  EXPECT_EQ(pixelName(shot, 19, y + 1), QStringLiteral("#0A246A"));
  EXPECT_EQ(pixelName(shot, list->viewport()->width() - 3, list->itemRect(2).top() + 1), QStringLiteral("#FFFFFF"));
  list->setThemedChecks(true);
  model().setItemEnabled(2, false);
  saveArtefact(grabImage(*list), QStringLiteral("check_list_selected_themed"));
}

TEST_F(CheckListBoxTest, GraySelectionShowsButtonFaceWhileTheListHasNoFocus) {
  QPalette palette = list->palette();
  palette.setColor(QPalette::Highlight, QColor(0x0A, 0x24, 0x6A));
  palette.setColor(QPalette::Button, QColor(0xD4, 0xD0, 0xC8));
  list->setPalette(palette);
  QTest::mouseClick(viewport(), Qt::LeftButton, {}, at(1, 100));
  list->setGraySelection(true);
  const int probe = list->viewport()->width() - 3;
  const int y = list->itemRect(1).top() + 1;
  EXPECT_EQ(pixelName(grabImage(*viewport()), probe, y), QStringLiteral("#0A246A"));  // focused
  list->clearFocus();
  EXPECT_EQ(pixelName(grabImage(*viewport()), probe, y), QStringLiteral("#D4D0C8"));
  list->setGraySelection(false);
  EXPECT_EQ(pixelName(grabImage(*viewport()), probe, y), QStringLiteral("#0A246A"));
}

TEST_F(CheckListBoxTest, SharedModelOutlivesItsView) {
  ui::CheckListModel shared;
  shared.items.add("/kept.lnk");
  {
    CheckListView view(shared);
    view.resize(100, 50);
    shared.setItemChecked(0, true);
    EXPECT_GT(shared.horizontalExtent(), 0);
  }
  shared.items.add("/later.lnk");  // no observer or measure of the dead view is called
  EXPECT_EQ(shared.items.count(), 2);
  EXPECT_TRUE(shared.isItemChecked(0));
}

TEST(CheckListBoxLifetime, AViewOutlivingItsModelLetsGoOfIt) {
  ensureApplication();
  // As in a form: the model is a member, the list a child widget destroyed after the members.
  auto model = std::make_unique<ui::CheckListModel>();
  auto view = std::make_unique<CheckListView>(*model);
  model->items.add("/a.lnk");
  model.reset();
  view->repaint();
  view.reset();  // must not touch the dead model
  SUCCEED();
}

TEST(CheckListElision, ThreeShortcutsOfOneGameReadApartInAListTooNarrowForThem) {
  ensureApplication();
  const QFontMetrics metrics(crispFont());
  const auto width = [&metrics](std::string_view text) {
    return metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  };
  const std::string folder = "/home/ann/.wine/drive_c/users/ann/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/";
  const int room = width(folder) / 2;
  std::vector<std::string> shown;
  for (const char* name : {"Old Game/Old Game.lnk", "Old Game/Uninstall Old Game.lnk", "Old Game/Readme.lnk"}) {
    const std::string line = ui::middleElidedPath(folder + name, room, width);
    EXPECT_LE(width(line), room) << line;
    EXPECT_TRUE(line.starts_with("/home/ann/")) << line;
    EXPECT_TRUE(line.ends_with(".../" + std::string(name))) << line;
    shown.push_back(line);
  }
  EXPECT_NE(shown[0], shown[1]);
  EXPECT_NE(shown[1], shown[2]);
  // What fits is left whole, and with no room for the folder the file name's end still shows.
  EXPECT_EQ(ui::middleElidedPath("/a/b.lnk", room, width), "/a/b.lnk");
  const std::string cramped = ui::middleElidedPath(folder + "Old Game/Readme.lnk", width("...Old Game/Readme.lnk") - 1, width);
  EXPECT_TRUE(cramped.starts_with("...") && cramped.ends_with("Readme.lnk")) << cramped;
}

}  // namespace
}  // namespace zendrift::qt::widgets
