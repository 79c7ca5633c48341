// StateImage: a picture control that can show a different picture per mouse state, on Qt; the
// picture-by-state machine is ui/state_image_machine.
//
// The window's logo gives it only a default picture, so it never changes what it shows; it is
// a clickable picture whose transparent pixels let the pointer through to what lies beneath.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <functional>

#include "ui/state_image_machine.h"

namespace zendrift::qt::widgets {

using ui::PictureState;

class StateImage;

// The four state pictures of a StateImage; changing one shows the current state again.
class StatePictures {
 public:
  explicit StatePictures(StateImage& owner) noexcept : owner_(owner) {}
  StatePictures(const StatePictures&) = delete;
  StatePictures& operator=(const StatePictures&) = delete;

  const QImage& picEnter() const noexcept { return enter_; }
  const QImage& picClicked1() const noexcept { return clicked1_; }
  const QImage& picClicked2() const noexcept { return clicked2_; }
  const QImage& picDown() const noexcept { return down_; }
  void setPicEnter(const QImage& picture);
  void setPicClicked1(const QImage& picture);
  void setPicClicked2(const QImage& picture);
  void setPicDown(const QImage& picture);
  // True when any of the four holds a graphic.
  bool anySet() const noexcept;

 private:
  void set(QImage& slot, const QImage& picture);

  StateImage& owner_;
  QImage enter_, clicked1_, clicked2_, down_;
};

class StateImage : public QWidget {
  Q_OBJECT

 public:
  using NotifyEvent = std::function<void(StateImage& sender)>;

  explicit StateImage(QWidget* parent = nullptr);
  ~StateImage() override;

  // The default picture; setting it also shows it.
  const QImage& picture() const noexcept { return picture_; }
  void setPicture(const QImage& picture);
  StatePictures& pictures() noexcept { return pictures_; }
  // The picture on screen now.
  const QImage& displayedPicture() const noexcept { return displayed_; }

  PictureState state() const noexcept { return machine_.state(); }
  // Shows `state` when its picture holds a graphic; raises onStateChanged in every case.
  void setState(PictureState state);
  int clickCount() const noexcept { return machine_.clickCount(); }
  bool pointerOver() const noexcept { return machine_.pointerOver(); }

  bool autoSize() const noexcept { return autoSize_; }
  void setAutoSize(bool autoSize);
  // The picture's bottom-left pixel colour is not drawn, and lets the pointer through.
  bool transparent() const noexcept { return transparent_; }
  void setTransparent(bool transparent);
  QColor hintColor() const { return hintColor_; }
  void setHintColor(const QColor& color) { hintColor_ = color; }

  NotifyEvent onStateChanged;
  NotifyEvent onMouseEnter;
  NotifyEvent onMouseLeave;
  NotifyEvent onClick;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  friend class StatePictures;
  void picturesChanged();
  void syncHeld();
  const QImage& pictureFor(PictureState state) const;
  void display(const QImage& picture);
  void updateHitMask();

  QImage picture_;
  QImage displayed_;
  StatePictures pictures_{*this};
  ui::StateImageMachine machine_;
  bool autoSize_ = false;
  bool transparent_ = false;
  QColor hintColor_;
};

}  // namespace zendrift::qt::widgets
