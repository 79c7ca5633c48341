// The state image: its state machine under the mouse, its pictures and its see-through pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>
#include <vector>

#include "widget_test_support.h"
#include "gui/qt/widgets/state_image.h"

namespace zendrift::qt::widgets {
namespace {

using namespace zendrift::testing;

QImage solid(QRgb colour) {
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

class ImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ensureApplication();
    form = std::make_unique<QWidget>();
    form->resize(200, 120);
    image = new StateImage(form.get());  // owned by the form
    image->move(20, 20);
    image->setAutoSize(true);
    image->setPicture(solid(qRgb(10, 10, 10)));
    image->onClick = [this](StateImage&) { ++clicks; };
    image->onStateChanged = [this](StateImage& sender) { states.push_back(sender.state()); };
    showAndWait(*form);
  }

  void enter() {
    QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(image->mapToGlobal(QPoint(5, 5))));
    QApplication::sendEvent(image, &event);
  }
  void leave() {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(image, &event);
  }
  void click() { QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(10, 10)); }
  void allPictures() {
    image->pictures().setPicEnter(solid(qRgb(1, 1, 1)));
    image->pictures().setPicClicked1(solid(qRgb(2, 2, 2)));
    image->pictures().setPicClicked2(solid(qRgb(3, 3, 3)));
    image->pictures().setPicDown(solid(qRgb(4, 4, 4)));
    states.clear();
  }
  QRgb shown() const { return image->displayedPicture().pixel(0, 0) | 0xFF000000u; }

  std::unique_ptr<QWidget> form;
  StateImage* image = nullptr;
  int clicks = 0;
  std::vector<PictureState> states;
};

TEST_F(ImageTest, OnlyADefaultPictureNeverChangesButStillClicks) {
  EXPECT_EQ(image->size(), QSize(40, 30));
  int entered = 0;
  int left = 0;
  image->onMouseEnter = [&](StateImage&) { ++entered; };
  image->onMouseLeave = [&](StateImage&) { ++left; };
  enter();
  enter();  // already over: ignored
  EXPECT_TRUE(image->pointerOver());
  click();
  click();
  leave();
  EXPECT_FALSE(image->pointerOver());
  leave();  // no longer over: ignored
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(left, 1);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(image->state(), PictureState::normal);
  EXPECT_EQ(image->clickCount(), 0);
  EXPECT_TRUE(states.empty());
  EXPECT_EQ(shown(), qRgb(10, 10, 10));
  saveArtefact(grabImage(*form), QStringLiteral("image_default"));
}

TEST_F(ImageTest, SuccessiveClicksCycleFirstSecondAndDefault) {
  allPictures();
  enter();
  EXPECT_EQ(image->state(), PictureState::entered);
  EXPECT_EQ(shown(), qRgb(1, 1, 1));
  QTest::mousePress(image, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(image->state(), PictureState::down);
  EXPECT_EQ(shown(), qRgb(4, 4, 4));
  QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(image->state(), PictureState::clicked1);
  EXPECT_EQ(shown(), qRgb(2, 2, 2));
  click();
  EXPECT_EQ(image->state(), PictureState::clicked2);
  click();
  // Third click: back to the default, then the release inside shows the entered picture.
  EXPECT_EQ(image->clickCount(), 0);
  EXPECT_EQ(image->state(), PictureState::entered);
  leave();
  EXPECT_EQ(image->state(), PictureState::normal);
  EXPECT_EQ(shown(), qRgb(10, 10, 10));
  EXPECT_EQ(clicks, 3);
}

TEST_F(ImageTest, LeavingAfterOneClickKeepsTheFirstClickPicture) {
  allPictures();
  enter();
  click();
  leave();
  EXPECT_EQ(image->state(), PictureState::clicked1);
  enter();  // entering shows the entered picture again
  EXPECT_EQ(image->state(), PictureState::entered);
}

TEST_F(ImageTest, EmptyFirstClickPictureResetsTheCountAndShowsTheDefault) {
  image->pictures().setPicDown(solid(qRgb(4, 4, 4)));
  states.clear();
  click();
  EXPECT_EQ(image->clickCount(), 0);
  EXPECT_EQ(image->state(), PictureState::normal);
  EXPECT_EQ(shown(), qRgb(10, 10, 10));
  EXPECT_FALSE(states.empty());  // every attempt to show a state is announced
}

TEST_F(ImageTest, ReleaseOutsideOrOnTheEdgeFallsBackToTheClickCount) {
  allPictures();
  QTest::mousePress(image, Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_EQ(image->state(), PictureState::down);
  QTest::mouseRelease(image, Qt::RightButton, {}, QPoint(0, 10));  // x = 0 is not inside
  EXPECT_EQ(image->state(), PictureState::normal);
  QTest::mousePress(image, Qt::RightButton, {}, QPoint(10, 10));
  QTest::mouseRelease(image, Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_EQ(image->state(), PictureState::entered);
  EXPECT_EQ(clicks, 0);
}

TEST_F(ImageTest, ChangingAStatePictureShowsTheCurrentStateAgain) {
  allPictures();
  enter();
  image->pictures().setPicEnter(solid(qRgb(7, 7, 7)));
  EXPECT_EQ(shown(), qRgb(7, 7, 7));
  image->setState(PictureState::clicked2);
  EXPECT_EQ(shown(), qRgb(3, 3, 3));
}

TEST_F(ImageTest, TransparentPixelsOfALoneBitmapLetThePointerThrough) {
  QImage logo = solid(qRgb(255, 255, 255));
  for (int y = 5; y < 25; ++y)
    for (int x = 5; x < 35; ++x) logo.setPixel(x, y, qRgb(200, 0, 0));
  image->setPicture(logo);
  image->setTransparent(true);
  EXPECT_EQ(form->childAt(QPoint(20 + 20, 20 + 15)), image);
  EXPECT_EQ(form->childAt(QPoint(20 + 1, 20 + 1)), nullptr);
  saveArtefact(grabImage(*form), QStringLiteral("image_transparent"));
  image->pictures().setPicEnter(solid(qRgb(1, 1, 1)));
  EXPECT_EQ(form->childAt(QPoint(20 + 1, 20 + 1)), image);
}

}  // namespace
}  // namespace zendrift::qt::widgets
