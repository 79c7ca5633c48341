// TJvImage: a picture control that can show a different picture per mouse state.
//
// The window's logo gives it only a default picture, so it never changes what it shows; it is
// a clickable picture whose transparent pixels let the pointer through to what lies beneath.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <functional>

namespace zendrift::widgets {

enum TPicState { stDefault, stEntered, stClicked1, stClicked2, stDown };

class TJvImage;

// The four state pictures of a TJvImage; changing one shows the current state again.
class TJvPictures {
 public:
  explicit TJvPictures(TJvImage& owner) noexcept : owner_(owner) {}
  TJvPictures(const TJvPictures&) = delete;
  TJvPictures& operator=(const TJvPictures&) = delete;

  const QImage& PicEnter() const noexcept { return enter_; }
  const QImage& PicClicked1() const noexcept { return clicked1_; }
  const QImage& PicClicked2() const noexcept { return clicked2_; }
  const QImage& PicDown() const noexcept { return down_; }
  void SetPicEnter(const QImage& picture);
  void SetPicClicked1(const QImage& picture);
  void SetPicClicked2(const QImage& picture);
  void SetPicDown(const QImage& picture);
  // True when any of the four holds a graphic.
  bool AnySet() const noexcept;

 private:
  void set(QImage& slot, const QImage& picture);

  TJvImage& owner_;
  QImage enter_, clicked1_, clicked2_, down_;
};

class TJvImage : public QWidget {
  Q_OBJECT

 public:
  using NotifyEvent = std::function<void(TJvImage& sender)>;

  explicit TJvImage(QWidget* parent = nullptr);
  ~TJvImage() override;

  // The default picture; setting it also shows it.
  const QImage& Picture() const noexcept { return picture_; }
  void SetPicture(const QImage& picture);
  TJvPictures& Pictures() noexcept { return pictures_; }
  // The picture on screen now.
  const QImage& DisplayedPicture() const noexcept { return displayed_; }

  TPicState State() const noexcept { return state_; }
  // Shows `state` when its picture holds a graphic; raises OnStateChanged in every case.
  void SetState(TPicState state);
  int ClickCount() const noexcept { return clickCount_; }
  bool PointerOver() const noexcept { return pointerOver_; }

  bool AutoSize() const noexcept { return autoSize_; }
  void SetAutoSize(bool autoSize);
  // The picture's bottom-left pixel colour is not drawn, and lets the pointer through.
  bool Transparent() const noexcept { return transparent_; }
  void SetTransparent(bool transparent);
  QColor HintColor() const { return hintColor_; }
  void SetHintColor(const QColor& color) { hintColor_ = color; }

  NotifyEvent OnStateChanged;
  NotifyEvent OnMouseEnter;
  NotifyEvent OnMouseLeave;
  NotifyEvent OnClick;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  friend class TJvPictures;
  void picturesChanged();
  void stateByClickCount();
  void display(const QImage& picture);
  void updateHitMask();

  QImage picture_;
  QImage displayed_;
  TJvPictures pictures_{*this};
  TPicState state_ = stDefault;
  int clickCount_ = 0;
  bool pointerOver_ = false;
  bool autoSize_ = false;
  bool transparent_ = false;
  QColor hintColor_;
};

}  // namespace zendrift::widgets
