// StateImage: the picture-by-state machine, transparent drawing and the hit mask.
#include "gui/qt/widgets/state_image.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>

namespace zendrift::widgets {

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

StateImage::StateImage(QWidget* parent) : QWidget(parent) { resize(105, 105); }

StateImage::~StateImage() = default;

void StateImage::display(const QImage& picture) {
  displayed_ = picture;
  if (autoSize_ && holdsGraphic(displayed_)) resize(displayed_.size());
  updateHitMask();
  update();
}

void StateImage::setPicture(const QImage& picture) {
  picture_ = picture;
  display(picture_);
}

void StateImage::setAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  if (autoSize_ && holdsGraphic(displayed_)) resize(displayed_.size());
  updateHitMask();
}

void StateImage::setTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  updateHitMask();
  update();
}

void StateImage::setState(PictureState state) {
  const QImage* picture = &picture_;
  switch (state) {
    case stDefault:
      break;
    case stEntered:
      picture = &pictures_.picEnter();
      break;
    case stClicked1:
      picture = &pictures_.picClicked1();
      break;
    case stClicked2:
      picture = &pictures_.picClicked2();
      break;
    case stDown:
      picture = &pictures_.picDown();
      break;
  }
  if (holdsGraphic(*picture)) {
    state_ = state;
    display(*picture);
  }
  if (onStateChanged) onStateChanged(*this);
}

void StateImage::stateByClickCount() {
  switch (clickCount_) {
    case 1:
    case 2: {
      const PictureState wanted = clickCount_ == 1 ? stClicked1 : stClicked2;
      setState(wanted);
      if (state_ != wanted) {
        clickCount_ = 0;
        setState(stDefault);
      }
      break;
    }
    default:
      setState(stDefault);
      clickCount_ = 0;
      break;
  }
}

void StateImage::picturesChanged() {
  updateHitMask();
  if (pictures_.anySet()) setState(state_);
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
  if (pointerOver_) return;
  if (pictures_.anySet()) setState(stEntered);
  pointerOver_ = true;
  if (onMouseEnter) onMouseEnter(*this);
}

void StateImage::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (!pointerOver_) return;
  if (pictures_.anySet()) stateByClickCount();
  pointerOver_ = false;
  if (onMouseLeave) onMouseLeave(*this);
}

void StateImage::mousePressEvent(QMouseEvent*) {
  if (pictures_.anySet()) setState(stDown);
}

void StateImage::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void StateImage::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  QPointer<StateImage> alive(this);
  if (event->button() == Qt::LeftButton && rect().contains(point)) {
    // The click comes before the release's own state change.
    if (pictures_.anySet()) {
      ++clickCount_;
      stateByClickCount();
    }
    if (onClick) onClick(*this);
    if (!alive) return;
  }
  if (!pictures_.anySet() || state_ == stClicked1 || state_ == stClicked2) return;
  if (point.x() > 0 && point.x() < width() && point.y() > 0 && point.y() < height()) {
    setState(stEntered);
    if (state_ != stEntered) stateByClickCount();
  } else {
    stateByClickCount();
  }
}

QSize StateImage::sizeHint() const { return holdsGraphic(displayed_) ? displayed_.size() : QSize(105, 105); }

}  // namespace zendrift::widgets
