// TJvImage: the picture-by-state machine, transparent drawing and the hit mask.
#include "widgets/jv_image.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>

namespace zendrift::widgets {

namespace {
bool holdsGraphic(const QImage& picture) { return !picture.isNull() && picture.width() > 0 && picture.height() > 0; }

QRgb transparentColor(const QImage& picture) { return picture.pixel(0, picture.height() - 1); }
}  // namespace

void TJvPictures::set(QImage& slot, const QImage& picture) {
  slot = picture;
  owner_.picturesChanged();
}

void TJvPictures::SetPicEnter(const QImage& picture) { set(enter_, picture); }
void TJvPictures::SetPicClicked1(const QImage& picture) { set(clicked1_, picture); }
void TJvPictures::SetPicClicked2(const QImage& picture) { set(clicked2_, picture); }
void TJvPictures::SetPicDown(const QImage& picture) { set(down_, picture); }

bool TJvPictures::AnySet() const noexcept {
  return holdsGraphic(enter_) || holdsGraphic(clicked1_) || holdsGraphic(clicked2_) || holdsGraphic(down_);
}

TJvImage::TJvImage(QWidget* parent) : QWidget(parent) { resize(105, 105); }

TJvImage::~TJvImage() = default;

void TJvImage::display(const QImage& picture) {
  displayed_ = picture;
  if (autoSize_ && holdsGraphic(displayed_)) resize(displayed_.size());
  updateHitMask();
  update();
}

void TJvImage::SetPicture(const QImage& picture) {
  picture_ = picture;
  display(picture_);
}

void TJvImage::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  if (autoSize_ && holdsGraphic(displayed_)) resize(displayed_.size());
  updateHitMask();
}

void TJvImage::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  updateHitMask();
  update();
}

void TJvImage::SetState(TPicState state) {
  const QImage* picture = &picture_;
  switch (state) {
    case stDefault:
      break;
    case stEntered:
      picture = &pictures_.PicEnter();
      break;
    case stClicked1:
      picture = &pictures_.PicClicked1();
      break;
    case stClicked2:
      picture = &pictures_.PicClicked2();
      break;
    case stDown:
      picture = &pictures_.PicDown();
      break;
  }
  if (holdsGraphic(*picture)) {
    state_ = state;
    display(*picture);
  }
  if (OnStateChanged) OnStateChanged(*this);
}

void TJvImage::stateByClickCount() {
  switch (clickCount_) {
    case 1:
    case 2: {
      const TPicState wanted = clickCount_ == 1 ? stClicked1 : stClicked2;
      SetState(wanted);
      if (state_ != wanted) {
        clickCount_ = 0;
        SetState(stDefault);
      }
      break;
    }
    default:
      SetState(stDefault);
      clickCount_ = 0;
      break;
  }
}

void TJvImage::picturesChanged() {
  updateHitMask();
  if (pictures_.AnySet()) SetState(state_);
}

void TJvImage::updateHitMask() {
  // Only a lone default bitmap drawn transparent lets the pointer through its key colour.
  if (!transparent_ || pictures_.AnySet() || !holdsGraphic(picture_)) {
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

void TJvImage::paintEvent(QPaintEvent*) {
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

void TJvImage::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  if (pointerOver_) return;
  if (pictures_.AnySet()) SetState(stEntered);
  pointerOver_ = true;
  if (OnMouseEnter) OnMouseEnter(*this);
}

void TJvImage::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (!pointerOver_) return;
  if (pictures_.AnySet()) stateByClickCount();
  pointerOver_ = false;
  if (OnMouseLeave) OnMouseLeave(*this);
}

void TJvImage::mousePressEvent(QMouseEvent*) {
  if (pictures_.AnySet()) SetState(stDown);
}

void TJvImage::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void TJvImage::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  QPointer<TJvImage> alive(this);
  if (event->button() == Qt::LeftButton && rect().contains(point)) {
    // The click comes before the release's own state change.
    if (pictures_.AnySet()) {
      ++clickCount_;
      stateByClickCount();
    }
    if (OnClick) OnClick(*this);
    if (!alive) return;
  }
  if (!pictures_.AnySet() || state_ == stClicked1 || state_ == stClicked2) return;
  if (point.x() > 0 && point.x() < width() && point.y() > 0 && point.y() < height()) {
    SetState(stEntered);
    if (state_ != stEntered) stateByClickCount();
  } else {
    stateByClickCount();
  }
}

QSize TJvImage::sizeHint() const { return holdsGraphic(displayed_) ? displayed_.size() : QSize(105, 105); }

}  // namespace zendrift::widgets
