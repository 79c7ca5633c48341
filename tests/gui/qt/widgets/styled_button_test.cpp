// The styled push button: its pixels in each state, its draw state under mouse and keys, clicks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QTest>
#include <memory>

#include "widget_test_support.h"
#include "gui/qt/widgets/styled_button.h"
#include "gui/qt/widgets/button_caption.h"

namespace zendrift::qt::widgets {
namespace {

using namespace zendrift::testing;

constexpr QRgb kBackground = 0xFFD4D0C8;
// The button-shadow colour, and the greyer dark colour that Fusion gives disabled widgets.
constexpr QRgb kShadow = 0xFF9F9F9F;
constexpr QRgb kDisabledDark = 0xFFBEBEBE;

const char* const kFaceRows[] = {"#FFFFFF", "#FEFEFD", "#FDFDFC", "#FCFCFB", "#FBFBFA", "#FBFAF9", "#FAF9F7",
                                 "#F9F7F6", "#F8F6F5", "#F7F5F4", "#F6F4F2", "#F6F3F1", "#F5F2EF", "#F4F1EE",
                                 "#F3F0ED", "#F2EFEC", "#F1EEEA", "#F1EDE9", "#F0ECE8"};
const char* const kFocusRows[] = {"#CEE7FF", "#C8E1FE", "#C3DCFD", "#BFD7FC", "#B8D1FB", "#B4CCFB", "#AFC8FA",
                                  "#A9C1F9", "#A4BDF8", "#A0B8F7", "#9AB2F6", "#95ADF6", "#8FA7F5", "#8AA2F4",
                                  "#869DF3", "#7F97F2", "#7B92F1", "#768DF1", "#7087F0"};

// A form with two styled buttons and an ordinary check box, like the window's button panel.
class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ensureApplication();
    form = std::make_unique<QWidget>();
    form->resize(300, 120);
    QPalette palette = form->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(kBackground));
    palette.setColor(QPalette::WindowText, Qt::black);
    // The groups differ as in the real palette: one colour for all would hide which is drawn.
    palette.setColor(QPalette::Light, Qt::white);
    palette.setColor(QPalette::Disabled, QPalette::Light, QColor(0xF0, 0xF0, 0xF0));
    palette.setColor(QPalette::Active, QPalette::Dark, QColor::fromRgb(kShadow));
    palette.setColor(QPalette::Inactive, QPalette::Dark, QColor::fromRgb(kShadow));
    palette.setColor(QPalette::Disabled, QPalette::Dark, QColor::fromRgb(kDisabledDark));
    form->setPalette(palette);
    form->setFont(crispFont());
    button = new StyledButton(form.get());  // owned by the form
    button->setCaption(QStringLiteral("&Start Scan"));
    button->move(10, 10);
    other = new StyledButton(form.get());
    other->setCaption(QStringLiteral("E&xit"));
    other->move(100, 10);
    box = new QCheckBox(QStringLiteral("Desktop"), form.get());
    box->move(10, 60);
    button->onClick = [this](StyledControl&) { ++clicks; };
    showAndWait(*form);
    // The pointer rests away from the buttons, whatever an earlier test left behind.
    QTest::mouseMove(form.get(), QPoint(290, 110));
    for (QWidget* control : {static_cast<QWidget*>(button), static_cast<QWidget*>(other)}) {
      QEvent leave(QEvent::Leave);
      QApplication::sendEvent(control, &leave);
    }
  }

  QImage shot() { return grabImage(*button); }
  QPoint centre() const { return QPoint(36, 10); }

  std::unique_ptr<QWidget> form;
  StyledButton* button = nullptr;
  StyledButton* other = nullptr;
  QCheckBox* box = nullptr;
  int clicks = 0;
};

TEST_F(ButtonTest, DefaultSizeFaceFillsTheButtonInsideTheBorder) {
  box->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(button->size(), QSize(73, 21));
  EXPECT_EQ(button->faceBitmap().size(), QSize(71, 19));
  const QImage image = shot();
  for (int y = 0; y < 19; ++y) {
    EXPECT_EQ(pixelName(image, 4, 1 + y), QString::fromLatin1(kFaceRows[y])) << y;
    EXPECT_EQ(pixelName(image, 68, 1 + y), QString::fromLatin1(kFaceRows[y])) << y;
  }
  EXPECT_EQ(pixelName(image, 1, 1), QStringLiteral("#FFFFFF"));
  EXPECT_EQ(pixelName(image, 71, 19), QString::fromLatin1(kFaceRows[18]));
  saveArtefact(image, QStringLiteral("button_normal"));
}

TEST_F(ButtonTest, BorderIsRoundedAndItsCornersSoftened) {
  box->setFocus();
  const QImage image = shot();
  const int w = 73, h = 21;
  for (const QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)}) {
    EXPECT_EQ(pixelName(image, corner.x(), corner.y()), QStringLiteral("#D4D0C8")) << corner.x() << "," << corner.y();
  }
  for (const QPoint edge : {QPoint(10, 0), QPoint(10, h - 1), QPoint(0, 10), QPoint(w - 1, 10), QPoint(2, 0),
                            QPoint(w - 3, h - 1)}) {
    EXPECT_EQ(pixelName(image, edge.x(), edge.y()), QStringLiteral("#003873")) << edge.x() << "," << edge.y();
  }
  for (const QPoint soft : {QPoint(0, 1), QPoint(1, 0), QPoint(w - 2, 0), QPoint(w - 1, 1), QPoint(0, h - 2),
                            QPoint(1, h - 1), QPoint(w - 2, h - 1), QPoint(w - 1, h - 2)}) {
    EXPECT_EQ(pixelName(image, soft.x(), soft.y()), QStringLiteral("#7B9EAD")) << soft.x() << "," << soft.y();
  }
  button->setSmoothEdges(false);
  EXPECT_EQ(pixelName(shot(), 0, 1), QStringLiteral("#003873"));
}

TEST_F(ButtonTest, FocusShowsATwoPixelRingAroundTheSmallerFace) {
  button->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(button->isFocused());
  ASSERT_TRUE(button->ringShown(false));
  const QImage image = shot();
  // The ring gradient starts at (1, 1); the face's top-left 67 x 15 pixels sit at (3, 3).
  EXPECT_EQ(pixelName(image, 4, 1), QString::fromLatin1(kFocusRows[0]));
  EXPECT_EQ(pixelName(image, 4, 2), QString::fromLatin1(kFocusRows[1]));
  EXPECT_EQ(pixelName(image, 1, 10), QString::fromLatin1(kFocusRows[9]));
  EXPECT_EQ(pixelName(image, 2, 10), QString::fromLatin1(kFocusRows[9]));
  EXPECT_EQ(pixelName(image, 4, 18), QString::fromLatin1(kFocusRows[17]));
  EXPECT_EQ(pixelName(image, 70, 10), QString::fromLatin1(kFocusRows[9]));
  EXPECT_EQ(pixelName(image, 3, 3), QString::fromLatin1(kFaceRows[0]));
  EXPECT_EQ(pixelName(image, 69, 17), QString::fromLatin1(kFaceRows[14]));
  saveArtefact(image, QStringLiteral("button_focused"));
}

TEST_F(ButtonTest, HoverShowsTheHotRing) {
  box->setFocus();
  QTest::mouseMove(button, centre());
  const QPointF local = centre();
  QEnterEvent enter(local, local, button->mapToGlobal(local));
  QApplication::sendEvent(button, &enter);
  ASSERT_TRUE(button->isHot());
  const QImage image = shot();
  EXPECT_EQ(pixelName(image, 4, 1), QStringLiteral("#FFF3CE"));
  saveArtefact(image, QStringLiteral("button_hot"));
}

TEST_F(ButtonTest, DisabledButtonHasGreyBorderNoRingAndAnEmbossedCaption) {
  button->setEnabled(false);
  const QImage image = shot();
  EXPECT_EQ(pixelName(image, 10, 0), QStringLiteral("#CEC7BD"));
  EXPECT_EQ(pixelName(image, 0, 1), QStringLiteral("#CEC7BD"));
  EXPECT_EQ(pixelName(image, 1, 1), QStringLiteral("#FFFFFF"));  // the normal face, no ring
  // The caption is in the button-shadow colour over the button-highlight colour, not in the
  // disabled palette's paler ones.
  int shadow = 0;
  int highlight = 0;
  int washedOut = 0;
  for (int y = 1; y < 20; ++y) {
    for (int x = 1; x < 72; ++x) {
      const QRgb pixel = image.pixel(x, y) | 0xFF000000u;
      if (pixel == kShadow) ++shadow;
      if (pixel == kDisabledDark || pixel == 0xFFF0F0F0u) ++washedOut;
      if (pixel == 0xFFFFFFFFu && y > 2) {
        // Each highlight pixel of the caption is a shadow pixel moved one right and down.
        const bool onFaceTop = QColor(image.pixel(x, y)).name().toUpper() == QString::fromLatin1(kFaceRows[y - 1]);
        if (onFaceTop) continue;
        ++highlight;
        EXPECT_EQ(image.pixel(x - 1, y - 1) | 0xFF000000u, kShadow) << x << "," << y;
      }
    }
  }
  EXPECT_GT(shadow, 20);
  EXPECT_GT(highlight, 5);
  EXPECT_EQ(washedOut, 0);
  saveArtefact(image, QStringLiteral("button_disabled"));
  // It receives no pointer or key input, so it turns neither hot nor pressed.
  QTest::mousePress(button, Qt::LeftButton, {}, centre());
  EXPECT_FALSE(button->isPressed());
  QTest::mouseRelease(button, Qt::LeftButton, {}, centre());
  EXPECT_EQ(clicks, 0);
}

TEST_F(ButtonTest, PressAndDragOffShowsTheRingAndReleasingOutsideDoesNotClick) {
  QTest::mouseMove(button, centre());
  QTest::mousePress(button, Qt::LeftButton, {}, centre());
  EXPECT_TRUE(button->isPressed());
  EXPECT_TRUE(button->hasFocus());
  const QImage pressed = shot();
  EXPECT_EQ(pixelName(pressed, 4, 1), QStringLiteral("#D6CFC6"));  // the pressed face
  saveArtefact(pressed, QStringLiteral("button_pressed"));

  QTest::mouseMove(button, QPoint(120, 40));
  EXPECT_FALSE(button->isHot());
  EXPECT_TRUE(button->ringShown(false));
  const QImage dragged = shot();
  EXPECT_EQ(pixelName(dragged, 4, 1), QString::fromLatin1(kFocusRows[0]));
  EXPECT_EQ(pixelName(dragged, 4, 3), QString::fromLatin1(kFaceRows[0]));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(120, 40));
  EXPECT_FALSE(button->isPressed());
  EXPECT_EQ(clicks, 0);
}

TEST_F(ButtonTest, DoubleClickClicksTwice) {
  // What the system sends for a double click: press, release, double-click press, release.
  QTest::mouseClick(button, Qt::LeftButton, {}, centre());
  QTest::mouseDClick(button, Qt::LeftButton, {}, centre());
  EXPECT_TRUE(button->isPressed());
  QTest::mouseRelease(button, Qt::LeftButton, {}, centre());
  EXPECT_EQ(clicks, 2);
}

TEST_F(ButtonTest, SpaceHeldShowsThePressedFaceAndItsReleaseClicks) {
  button->setFocus();
  QTest::keyPress(button, Qt::Key_Space);
  EXPECT_TRUE(button->isHot());
  EXPECT_TRUE(button->isPressed());
  EXPECT_EQ(pixelName(shot(), 4, 1), QStringLiteral("#D6CFC6"));
  QTest::keyRelease(button, Qt::Key_Space);
  EXPECT_FALSE(button->isPressed());
  EXPECT_FALSE(button->isHot());  // the pointer is elsewhere
  EXPECT_EQ(clicks, 1);
  // The release of any key clicks a pressed button.
  QTest::keyPress(button, Qt::Key_Space);
  QTest::keyRelease(button, Qt::Key_A);
  EXPECT_EQ(clicks, 2);
}

TEST_F(ButtonTest, EnterClicksTheFocusedButtonAndEscapeTheCancelButton) {
  button->setFocus();
  QTest::keyClick(button, Qt::Key_Return);
  EXPECT_EQ(clicks, 1);
  other->setFocus();
  QTest::keyClick(other, Qt::Key_Escape);
  EXPECT_EQ(clicks, 1);
  button->setCancel(true);
  QTest::keyClick(other, Qt::Key_Escape, Qt::ShiftModifier);
  EXPECT_EQ(clicks, 1);
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_EQ(clicks, 2);
}

TEST_F(ButtonTest, DefaultButtonTakesEnterAndShowsItsRingWhileNoStyledControlIsActive) {
  box->setFocus();
  QApplication::processEvents();
  EXPECT_FALSE(button->ringShown(false));
  button->setDefault(true);
  EXPECT_TRUE(button->ringShown(false));
  EXPECT_FALSE(button->ringShown(true));
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(clicks, 1);
  other->setFocus();
  QApplication::processEvents();
  EXPECT_TRUE(button->isSibling());
  EXPECT_FALSE(button->ringShown(false));
  QTest::keyClick(other, Qt::Key_Return);  // the focused styled button takes it
  EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonTest, AcceleratorClicksWhenFocusedOrWithAlt) {
  button->setFocus();
  QTest::keyClick(button, Qt::Key_S);
  EXPECT_EQ(clicks, 1);
  other->setFocus();
  QTest::keyClick(other, Qt::Key_S);
  EXPECT_EQ(clicks, 1);
  QTest::keyClick(other, Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(clicks, 2);
  button->setShowAccelChar(false);
  QTest::keyClick(other, Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(clicks, 2);
}

TEST_F(ButtonTest, RepaintCopiesAndResizeRebuilds) {
  box->setFocus();
  const int builds = button->gradientBuilds();
  button->repaint();
  button->repaint();
  EXPECT_EQ(button->gradientBuilds(), builds);
  button->resize(90, 30);
  QApplication::processEvents();
  EXPECT_GT(button->gradientBuilds(), builds);
  EXPECT_EQ(button->faceBitmap().size(), QSize(88, 28));
  EXPECT_EQ(button->hotRingBitmap().size(), QSize(88, 28));
}

TEST_F(ButtonTest, FaceBuiltWhileFocusedStillCoversTheButtonOnceTheRingGoes) {
  button->setFocus();
  QApplication::processEvents();
  button->resize(90, 30);
  QApplication::processEvents();
  box->setFocus();
  const QImage image = shot();
  for (const QPoint inside : {QPoint(88, 15), QPoint(45, 28), QPoint(86, 27)}) {
    EXPECT_NE(pixelName(image, inside.x(), inside.y()), QStringLiteral("#D4D0C8")) << inside.x() << "," << inside.y();
  }
  saveArtefact(image, QStringLiteral("button_resized_after_focus"));
}

// Counts the paints a widget receives.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    paints += event->type() == QEvent::Paint;
    return false;
  }
};

TEST_F(ButtonTest, OnlyNotificationsInTheRedrawSetRepaint) {
  box->setFocus();
  PaintCounter counter;
  button->installEventFilter(&counter);
  QApplication::processEvents();
  counter.paints = 0;
  int entered = 0;
  int left = 0;
  button->onMouseEnter = [&](StyledControl&) { ++entered; };
  button->onMouseLeave = [&](StyledControl&) { ++left; };

  const QPointF local = centre();
  QEnterEvent enter(local, local, button->mapToGlobal(local));
  QApplication::sendEvent(button, &enter);
  QApplication::processEvents();
  EXPECT_EQ(counter.paints, 1);
  EXPECT_EQ(entered, 1);
  for (int x = 20; x < 60; x += 10) QTest::mouseMove(button, QPoint(x, 10));
  QApplication::processEvents();
  EXPECT_EQ(counter.paints, 1);  // moving inside changes nothing

  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(button, &leave);
  QApplication::processEvents();
  EXPECT_EQ(counter.paints, 2);
  EXPECT_EQ(left, 1);
  EXPECT_FALSE(button->isHot());
  button->removeEventFilter(&counter);
}

TEST_F(ButtonTest, CaptionMeasuresOneLineEvenWhenEmpty) {
  QImage canvas(73, 21, QImage::Format_RGB32);
  QPainter painter(&canvas);
  const QFontMetrics metrics(button->font());
  for (const QString& caption : {QString(), QStringLiteral("&")}) {
    QRect rect(0, 0, 73, 21);
    drawCaptionText(*button, painter, caption, button->font(), true, true, rect, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(rect.height(), metrics.height()) << caption.toStdString();
    EXPECT_GT(rect.width(), 0);
  }
  QRect plain(0, 0, 73, 21);
  drawCaptionText(*button, painter, QStringLiteral("&"), button->font(), true, false, plain, DT_CALCRECT);
  EXPECT_EQ(plain.width(), metrics.horizontalAdvance(QLatin1Char('&')));
  // An empty caption's rectangle is centred: nothing is drawn but the face.
  button->setCaption(QString());
  box->setFocus();
  const QImage image = shot();
  for (int y = 1; y < 20; ++y) EXPECT_EQ(pixelName(image, 36, y), QString::fromLatin1(kFaceRows[y - 1]));
}

TEST_F(ButtonTest, GlyphSitsBesideTheCaptionAndTurnsGreyWhenDisabled) {
  QImage glyph(8, 8, QImage::Format_RGB32);
  glyph.fill(qRgb(0, 0, 255));
  glyph.setPixel(0, 7, qRgb(255, 255, 255));  // the bottom-left pixel names the transparent colour
  glyph.setPixel(3, 3, qRgb(255, 255, 255));
  button->setGlyph(glyph);
  box->setFocus();
  QImage image = shot();
  int blue = 0;
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 73; ++x) blue += (image.pixel(x, y) | 0xFF000000u) == 0xFF0000FFu;
  EXPECT_EQ(blue, 62);
  saveArtefact(image, QStringLiteral("button_glyph"));
  button->setEnabled(false);
  image = shot();
  int lifted = 0;  // blue: v = 85, shown as 185
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 73; ++x) lifted += (image.pixel(x, y) | 0xFF000000u) == qRgb(185, 185, 185);
  EXPECT_EQ(lifted, 62);
}

}  // namespace
}  // namespace zendrift::qt::widgets
