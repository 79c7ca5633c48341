// StateImage: the picture-by-state machine, transparent drawing and the hit mask.
#include "gui/qt/widgets/state_image.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>

namespace zendrift::qt::widgets {

namespace {
bool holdsGraphic(const QImage& picture) { return !picture.isNull() && picture.width() > 0 && picture.height() > 0; }

QRgb transparentColor(const QImage& picture) { return picture.pixel(0, picture.height() - 1); }
}  // namespace

void StatePictures::set(QImage& slot, const QImage& picture) {
  slot = picture;
  owner_.picturesChanged();
}

void StatePictures::setPicEnter(const QImage& picture) { set(enter_, picture); }
void StatePictures::setPicClicked1(const QImage& picture) { set(clicked1_, picture); }
void StatePictures::setPicClicked2(const QImage& picture) { set(clicked2_, picture); }
void StatePictures::setPicDown(const QImage& picture) { set(down_, picture); }

bool StatePictures::anySet() const noexcept {
  return holdsGraphic(enter_) || holdsGraphic(clicked1_) || holdsGraphic(clicked2_) || holdsGraphic(down_);
}

namespace {

// A picture drawn for a denser screen covers the size it stands for, not its pixel count.
QSize shownSize(const QImage& picture) { return picture.deviceIndependentSize().toSize(); }

}  // namespace

StateImage::StateImage(QWidget* parent) : QWidget(parent) {
  resize(105, 105);
  machine_.show = [this](PictureState state) { display(pictureFor(state)); };
  machine_.onStateChanged = [this] {
    if (onStateChanged) onStateChanged(*this);
  };
}

StateImage::~StateImage() = default;

void StateImage::display(const QImage& picture) {
  displayed_ = picture;
  if (autoSize_ && holdsGraphic(displayed_)) resize(shownSize(displayed_));
  updateHitMask();
  update();
}

const QImage& StateImage::pictureFor(PictureState state) const {
  switch (state) {
    case PictureState::entered:
      return pictures_.picEnter();
    case PictureState::clicked1:
      return pictures_.picClicked1();
    case PictureState::clicked2:
      return pictures_.picClicked2();
    case PictureState::down:
      return pictures_.picDown();
    case PictureState::normal:
      break;
  }
  return picture_;
}

void StateImage::syncHeld() {
  machine_.setHeld({holdsGraphic(picture_), holdsGraphic(pictures_.picEnter()), holdsGraphic(pictures_.picClicked1()),
                    holdsGraphic(pictures_.picClicked2()), holdsGraphic(pictures_.picDown())});
}

void StateImage::setPicture(const QImage& picture) {
  picture_ = picture;
  syncHeld();
  display(picture_);
}

void StateImage::setAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  if (autoSize_ && holdsGraphic(displayed_)) resize(shownSize(displayed_));
  updateHitMask();
}

void StateImage::setTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  updateHitMask();
  update();
}

void StateImage::setState(PictureState state) { machine_.setState(state); }

void StateImage::picturesChanged() {
  syncHeld();
  updateHitMask();
  machine_.statePicturesChanged();
}

void StateImage::updateHitMask() {
  // Only a lone default bitmap drawn transparent lets the pointer through its key colour.
  if (!transparent_ || pictures_.anySet() || !holdsGraphic(picture_)) {
    clearMask();
    return;
  }
  const QImage image = picture_.convertToFormat(QImage::Format_RGB32);
  const QRgb key = transparentColor(image);
  QRegion seeThrough;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width();) {
      if (line[x] != key) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < image.width() && line[x] == key) ++x;
      seeThrough += QRect(start, y, x - start, 1);
    }
  }
  setMask(QRegion(rect()).subtracted(seeThrough));
}

void StateImage::paintEvent(QPaintEvent*) {
  if (!holdsGraphic(displayed_)) return;
  QPainter painter(this);
  if (!transparent_) {
    painter.drawImage(0, 0, displayed_);
    return;
  }
  QImage shown = displayed_.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = transparentColor(shown);
  for (int y = 0; y < shown.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(shown.scanLine(y));
    for (int x = 0; x < shown.width(); ++x) {
      if (line[x] == key) line[x] = 0;
    }
  }
  painter.drawImage(0, 0, shown);
}

void StateImage::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  if (machine_.pointerEntered() && onMouseEnter) onMouseEnter(*this);
}

void StateImage::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (machine_.pointerLeft() && onMouseLeave) onMouseLeave(*this);
}

void StateImage::mousePressEvent(QMouseEvent*) { machine_.pressed(); }

void StateImage::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void StateImage::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  QPointer<StateImage> alive(this);
  if (event->button() == Qt::LeftButton && rect().contains(point)) {
    // The click comes before the release's own state change.
    machine_.clicked();
    if (onClick) onClick(*this);
    if (!alive) return;
  }
  machine_.released(point.x(), point.y(), width(), height());
}

QSize StateImage::sizeHint() const { return holdsGraphic(displayed_) ? shownSize(displayed_) : QSize(105, 105); }

}  // namespace zendrift::qt::widgets
